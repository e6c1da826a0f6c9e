// Pictures reach only the JPEG and PNG decoders, and a header claiming a giant size is refused.
#include <SDL.h>
#include <SDL_image.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "engine/ImageData.h"
#include "support/TestSupport.h"

namespace {

// A width x height picture saved by SDL2_image or SDL as PNG, JPEG or BMP bytes.
std::string Encoded(const char* format, int width, int height) {
  SDL_Surface* picture = SDL_CreateRGBSurface(0, width, height, 32, 0x00FF0000, 0x0000FF00,
                                              0x000000FF, 0xFF000000);
  SDL_FillRect(picture, nullptr, 0xFF336699);
  std::vector<char> buffer(static_cast<size_t>(width) * height * 4 + 4096);
  SDL_RWops* out = SDL_RWFromMem(buffer.data(), static_cast<int>(buffer.size()));
  if (std::strcmp(format, "png") == 0)
    IMG_SavePNG_RW(picture, out, 0);
  else if (std::strcmp(format, "jpg") == 0)
    IMG_SaveJPG_RW(picture, out, 0, 90);
  else
    SDL_SaveBMP_RW(picture, out, 0);
  const Sint64 size = SDL_RWtell(out);
  SDL_RWclose(out);
  SDL_FreeSurface(picture);
  return std::string(buffer.data(), static_cast<size_t>(size));
}

// A 1 x 1 GIF with a two-colour table.
std::string Gif() {
  const unsigned char bytes[] = {'G', 'I', 'F', '8', '9', 'a', 1, 0, 1, 0, 0x80, 0, 0, 0, 0, 0,
                                 0xFF, 0xFF, 0xFF, 0x2C, 0, 0, 0, 0, 1, 0, 1, 0, 0, 2, 2, 0x44,
                                 0x01, 0, 0x3B};
  return std::string(reinterpret_cast<const char*>(bytes), sizeof bytes);
}

// A 2 x 1 8-bit PCX picture with its 256-colour palette.
std::string Pcx() {
  std::string bytes(128, '\0');
  bytes[0] = 0x0A;  // maker
  bytes[1] = 5;     // version
  bytes[2] = 1;     // run-length encoded
  bytes[3] = 8;     // bits per pixel
  bytes[8] = 1;     // xmax: two columns
  bytes[65] = 1;    // planes
  bytes[66] = 2;    // bytes per line
  bytes[68] = 1;
  bytes += std::string("\x01\x02", 2);
  bytes += '\x0C';
  bytes += std::string(768, '\x40');
  return bytes;
}

// The bytes with the size in the PNG header or the first JPEG frame header replaced.
std::string WithDeclaredSize(std::string bytes, int width, int height) {
  const auto put16 = [&](size_t at, int value) {
    bytes[at] = static_cast<char>(value >> 8);
    bytes[at + 1] = static_cast<char>(value);
  };
  if (bytes.compare(1, 3, "PNG") == 0) {
    put16(16, width >> 16);
    put16(18, width & 0xFFFF);
    put16(20, height >> 16);
    put16(22, height & 0xFFFF);
  } else {
    const size_t frame = bytes.find("\xFF\xC0");
    put16(frame + 5, height);
    put16(frame + 7, width);
  }
  return bytes;
}

}  // namespace

// Other formats under a .jpg name are not decoded (the generic loader would take the valid ones).
TEST(ReliabilityImages, OnlyJpegAndPngContentIsDecoded) {
  struct Case {
    const char* name;
    std::string bytes;
    bool genericLoaderTakesIt;
  };
  const std::vector<Case> cases = {
      {"BMP", Encoded("bmp", 3, 2), true},
      {"GIF", Gif(), true},
      {"PCX", Pcx(), true},
      {"XCF-like", std::string("gimp xcf file\0v011", 18) + std::string(64, '\xFF'), false},
      {"text", "Quendal The Warden\nnot a picture\n", false},
      {"empty", "", false},
  };
  testsupport::ScratchDirectory dir;
  for (const Case& test : cases) {
    SCOPED_TRACE(test.name);
    dir.WriteFile("bg.jpg", test.bytes);
    if (test.genericLoaderTakesIt) {
      SDL_Surface* generic = IMG_Load("bg.jpg");
      EXPECT_NE(generic, nullptr) << "the bytes are a valid picture";
      SDL_FreeSurface(generic);
    }
    ImageData image;
    EXPECT_FALSE(image.LoadImage("bg.jpg"));
    EXPECT_EQ(image.width, 0);
    EXPECT_EQ(image.height, 0);
    EXPECT_FALSE(image.IsLoaded());
  }
}

// The size is read from the header without decoding, and the stream is left where it was.
TEST(ReliabilityImages, DeclaredSizeTable) {
  struct Case {
    const char* name;
    std::string bytes;
    bool found;
    int width;
    int height;
  };
  const std::string png = Encoded("png", 5, 3), jpeg = Encoded("jpg", 7, 4);
  const std::vector<Case> cases = {
      {"PNG", png, true, 5, 3},
      {"JPEG", jpeg, true, 7, 4},
      {"giant PNG", WithDeclaredSize(png, 60000, 60000), true, 60000, 60000},
      {"giant JPEG", WithDeclaredSize(jpeg, 65535, 65535), true, 65535, 65535},
      {"PNG cut in its header", png.substr(0, 20), false, 0, 0},
      {"JPEG cut before its frame", jpeg.substr(0, 20), false, 0, 0},
      {"BMP", Encoded("bmp", 3, 2), false, 0, 0},
      {"text", "hello", false, 0, 0},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.name);
    std::string bytes = "ab" + test.bytes;
    SDL_RWops* stream = SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size()));
    SDL_RWseek(stream, 2, RW_SEEK_SET);
    int width = 0, height = 0;
    EXPECT_EQ(ImageData::DeclaredSize(stream, width, height), test.found);
    EXPECT_EQ(SDL_RWtell(stream), 2);
    if (test.found) {
      EXPECT_EQ(width, test.width);
      EXPECT_EQ(height, test.height);
    }
    SDL_RWclose(stream);
  }
}

// Pictures over the size limits are refused, valid or not; a failed load empties the image.
TEST(ReliabilityImages, SizeLimitsTable) {
  struct Case {
    const char* name;
    std::string bytes;
    bool loads;
  };
  const std::string png = Encoded("png", 5, 3), jpeg = Encoded("jpg", 7, 4);
  const std::vector<Case> cases = {
      {"small PNG", png, true},
      {"small JPEG", jpeg, true},
      {"PNG as wide as allowed", Encoded("png", ImageData::kMaxSide, 1), true},
      {"valid PNG one column too wide", Encoded("png", ImageData::kMaxSide + 1, 1), false},
      {"PNG claiming 60000 x 60000", WithDeclaredSize(png, 60000, 60000), false},
      {"JPEG claiming 65535 x 65535", WithDeclaredSize(jpeg, 65535, 65535), false},
      {"JPEG claiming 16384 x 16384", WithDeclaredSize(jpeg, 16384, 16384), false},
      {"JPEG claiming 0 rows", WithDeclaredSize(jpeg, 7, 0), false},
      {"truncated JPEG", jpeg.substr(0, jpeg.size() / 2), false},
      {"truncated PNG", png.substr(0, png.size() / 2), false},
  };
  testsupport::ScratchDirectory dir;
  for (const Case& test : cases) {
    SCOPED_TRACE(test.name);
    dir.WriteFile("picture.jpg", test.bytes);
    ImageData image;
    dir.WriteFile("first.png", Encoded("png", 2, 2));
    ASSERT_TRUE(image.LoadImage("first.png"));
    EXPECT_EQ(image.LoadImage("picture.jpg"), test.loads);
    if (test.loads) {
      EXPECT_GT(image.width, 2);
      EXPECT_TRUE(image.IsLoaded());
    } else {
      EXPECT_EQ(image.width, 0);
      EXPECT_EQ(image.height, 0);
      EXPECT_FALSE(image.IsLoaded());
    }
  }
}

// A directory or a FIFO in a picture's place is refused at once (no read blocks).
TEST(ReliabilityImages, NonRegularFilesAreRefused) {
  testsupport::ScratchDirectory dir;
  std::filesystem::create_directory("folder.jpg");
  ASSERT_EQ(mkfifo("fifo.jpg", 0644), 0);
  for (const char* name : {"folder.jpg", "fifo.jpg", "missing.jpg"}) {
    SCOPED_TRACE(name);
    ImageData image;
    EXPECT_FALSE(image.LoadImage(name));
    EXPECT_FALSE(image.IsLoaded());
  }
}
