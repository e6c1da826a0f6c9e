// The font table: lookup by file name and size, opening, and closing at the end.
#include "engine/FontManager.h"

#include <SDL_ttf.h>

#include <cstdio>

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
    font->handle = TTF_OpenFont(fileName, pointSize);
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
      font.handle = TTF_OpenFont(font.fileName.c_str(), font.pointSize);
  }
}
