// Pictures: only JPEG and PNG content within the size limits loads, exactly and at its size, from
// a regular file; anything else leaves the image empty.
#include <SDL.h>
#include <SDL_image.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <string>
#include <vector>

#include "engine/ImageData.h"
#include "support/Reference.h"
#include "support/TestSupport.h"

namespace {

using testsupport::EncodedPicture;
using testsupport::WithDeclaredSize;

// A 1 x 1 GIF with a two-colour table.
const unsigned char kGif[] = {'G', 'I', 'F', '8', '9', 'a', 1, 0, 1, 0, 0x80, 0, 0, 0, 0, 0, 0xFF,
                              0xFF, 0xFF, 0x2C, 0, 0, 0, 0, 1, 0, 1, 0, 0, 2, 2, 0x44, 1, 0, 0x3B};

// A 2 x 1 8-bit run-length PCX picture (maker, version, encoding, bits, xmax, planes, bytes per
// line, palette type) with its 256-colour palette.
std::string Pcx() {
  const std::pair<int, char> kHeader[] = {{0, 0x0A}, {1, 5},  {2, 1},  {3, 8},
                                          {8, 1},    {65, 1}, {66, 2}, {68, 1}};
  std::string bytes(128, '\0');
  for (const auto& [at, value] : kHeader)
    bytes[at] = value;
  return bytes + "\x01\x02\x0C" + std::string(768, '\x40');
}

}  // namespace

// Each file, named .jpg, is loaded after a 2 x 2 picture: a load replaces it, a refusal empties
// the image, which then draws nothing. PNG pixels come back exactly, JPEG ones opaque. The
// formats that SDL2_image would decode but we refuse are checked to be valid pictures.
TEST(EngineImages, LoadTable) {
  struct Case {
    const char* name;
    std::string bytes;
    int width, height;  // 0 x 0: refused
    bool otherDecoderTakesIt = false;
  };
  const std::string png = EncodedPicture("png", 5, 3), jpeg = EncodedPicture("jpg", 7, 4);
  const int kMaxSide = ImageData::kMaxSide;
  const std::vector<Case> cases = {
      {"PNG", EncodedPicture("png", 37, 23), 37, 23},
      {"JPEG", jpeg, 7, 4},
      {"wide JPEG", EncodedPicture("jpg", 1000, 600), 1000, 600},
      {"PNG as wide as allowed", EncodedPicture("png", kMaxSide, 1), kMaxSide, 1},
      {"PNG one column too wide", EncodedPicture("png", kMaxSide + 1, 1), 0, 0},
      {"PNG claiming 60000 x 60000", WithDeclaredSize(png, 60000, 60000), 0, 0},
      {"JPEG claiming 65535 x 65535", WithDeclaredSize(jpeg, 65535, 65535), 0, 0},
      {"JPEG claiming 16384 x 16384", WithDeclaredSize(jpeg, 16384, 16384), 0, 0},
      {"JPEG claiming 0 rows", WithDeclaredSize(jpeg, 7, 0), 0, 0},
      {"PNG cut in its header", png.substr(0, 20), 0, 0},
      {"JPEG cut before its frame", jpeg.substr(0, 20), 0, 0},
      {"truncated PNG", png.substr(0, png.size() / 2), 0, 0},
      {"truncated JPEG", jpeg.substr(0, jpeg.size() / 2), 0, 0},
      {"BMP", EncodedPicture("bmp", 3, 2), 0, 0, true},
      {"GIF", std::string(reinterpret_cast<const char*>(kGif), sizeof kGif), 0, 0, true},
      {"PCX", Pcx(), 0, 0, true},
      {"XCF-like", std::string("gimp xcf file\0v011", 18) + std::string(64, '\xFF'), 0, 0},
      {"text", "Quendal The Warden\nnot a picture\n", 0, 0},
      {"empty", "", 0, 0},
      {"directory", "", 0, 0},
      {"FIFO", "", 0, 0},
      {"missing", "", 0, 0},
  };
  testsupport::ScratchDirectory dir;
  std::filesystem::create_directory("directory.jpg");
  ASSERT_EQ(mkfifo("FIFO.jpg", 0644), 0);  // opening it for reading must not block
  dir.WriteFile("first.png", EncodedPicture("png", 2, 2));
  for (const Case& test : cases) {
    SCOPED_TRACE(test.name);
    const std::string file = std::string(test.name) + ".jpg";
    if (!test.bytes.empty() || test.name == std::string("empty"))
      dir.WriteFile(file, test.bytes);
    if (test.otherDecoderTakesIt) {
      SDL_Surface* generic = IMG_Load(file.c_str());
      EXPECT_NE(generic, nullptr) << "the bytes are a valid picture";
      SDL_FreeSurface(generic);
    }
    ImageData image;
    ASSERT_TRUE(image.LoadImage("first.png"));
    EXPECT_EQ(image.LoadImage(file.c_str()), test.width > 0);
    EXPECT_EQ(image.IsLoaded(), test.width > 0);
    ASSERT_EQ(std::vector<int>({image.width, image.height}),
              std::vector<int>({test.width, test.height}));
    size_t wrong = 0;
    for (int i = 0; i < image.width * image.height; ++i)
      wrong += test.bytes.compare(1, 3, "PNG") == 0
                   ? image.pixels[i] != testsupport::PatternPixel(i % image.width, i / image.width)
                   : image.pixels[i] >> 24 != 0xFF;
    EXPECT_EQ(wrong, 0u);
    testsupport::GuardedSurface target(8, 8, 0, 0x777777);
    image.RenderImage(target.surface, 0, 0, 0, 0, 8, 8);
    EXPECT_TRUE(image.IsLoaded() ||
                testsupport::PixelsOf(target.surface) == std::vector<uint32_t>(64, 0x777777));
  }
}
