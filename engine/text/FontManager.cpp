// The font table: lookup by file name and size, opening, and closing at the end.
#include "engine/text/FontManager.h"

#include <SDL_ttf.h>

#include <cstdio>
#include <string>

#include "engine/platform/RegularFile.h"

namespace quendal {

namespace {

// Opens the font file found for the name, if it is a regular file, through an RWops (so a FIFO or a
// device cannot block); on failure prints "<path>: <reason>" on stderr and returns null.
TTF_Font* OpenFont(const std::string& fileName, int pointSize) {
  const std::string path = FindDataFile(fileName.c_str());
  std::FILE* stream = OpenRegularFile(path.c_str());
  SDL_RWops* file = stream != nullptr ? SDL_RWFromFP(stream, SDL_TRUE) : nullptr;
  if (stream != nullptr && file == nullptr)
    std::fclose(stream);
  TTF_Font* font = file != nullptr ? TTF_OpenFontRW(file, 1, pointSize) : nullptr;
  if (font == nullptr)
    std::fprintf(stderr, "%s: %s\n", path.c_str(), SDL_GetError());
  return font;
}

}  // namespace

FontManager::FontManager() : fonts(static_cast<size_t>(capacity)) {}

FontManager::~FontManager() {
  for (int i = 0; i < fontCount; ++i) {
    Font& font = *fonts[i];
    if (font.handle != nullptr) {
      std::printf("Free font: %d point %s\n", font.pointSize, font.fileName.c_str());
      std::fflush(stdout);
      if (TTF_WasInit() > 0)
        TTF_CloseFont(font.handle);
    }
  }
}

Font* FontManager::GetFont(const char* fileName, int pointSize) {
  if (fileName == nullptr)
    fileName = "";
  for (int i = 0; i < fontCount; ++i) {
    Font& font = *fonts[i];
    if (font.pointSize == pointSize && font.fileName == fileName)
      return &font;
  }
  if (fontCount + 1 > capacity) {
    capacity += 10;
    fonts.resize(static_cast<size_t>(capacity));
  }
  std::printf("Loading font: %d point %s\n", pointSize, fileName);
  std::fflush(stdout);
  fonts[fontCount] = std::make_unique<Font>();
  Font* font = fonts[fontCount].get();
  ++fontCount;
  font->fileName = fileName;
  font->pointSize = pointSize;
  if (fontsOpened)
    font->handle = OpenFont(font->fileName, pointSize);
  if (font->handle == nullptr) {
    std::printf("Font loading failed.\n");
    std::fflush(stdout);
  }
  return font;
}

void FontManager::LoadFonts() {
  fontsOpened = true;
  for (int i = 0; i < fontCount; ++i) {
    Font& font = *fonts[i];
    if (font.handle == nullptr)
      font.handle = OpenFont(font.fileName, font.pointSize);
  }
}

}  // namespace quendal
