// Pictures written by the test, loaded into ImageData, and copied onto surfaces with clipping.
#include <gtest/gtest.h>

#include <SDL.h>
#include <SDL_image.h>

#include <climits>
#include <cstdint>
#include <vector>

#include "engine/ImageData.h"
#include "support/TestSupport.h"

namespace {

using testsupport::FirstDifference;

// A picture whose pixels all differ: opaque, colour from the position.
uint32_t PatternPixel(int x, int y) {
  return 0xFF000000u | static_cast<uint32_t>(x * 6) << 16 | static_cast<uint32_t>(y * 11) << 8 |
         static_cast<uint32_t>((x * 7 + y * 3) & 0xFF);
}

// Writes the pattern as a PNG, or as a JPEG of quality 90.
void WritePicture(const char* name, int width, int height, bool png) {
  testsupport::Surface picture(width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      picture.At(x, y) = PatternPixel(x, y);
  ASSERT_EQ(png ? IMG_SavePNG(picture.surface, name) : IMG_SaveJPG(picture.surface, name, 90), 0)
      << SDL_GetError();
}

// Copies every image pixel whose place in the requested rectangle lands on the surface.
std::vector<uint32_t> ReferenceCopy(std::vector<uint32_t> target, int width, int height,
                                    const ImageData& image, int sourceX, int sourceY, int targetX,
                                    int targetY, int copyWidth, int copyHeight) {
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      const int64_t column = int64_t{x} - targetX, row = int64_t{y} - targetY;
      const int64_t imageX = sourceX + column, imageY = sourceY + row;
      if (column >= 0 && column < copyWidth && row >= 0 && row < copyHeight && imageX >= 0 &&
          imageX < image.width && imageY >= 0 && imageY < image.height)
        target[y * width + x] = image.pixels[imageY * image.width + imageX];
    }
  return target;
}

}  // namespace

TEST(EngineImages, PngLoadsExactlyAndASecondPictureReplacesTheFirst) {
  testsupport::ScratchDirectory dir(false);
  WritePicture("pattern.png", 37, 23, true);
  WritePicture("big.jpg", 1000, 600, false);
  ImageData image;
  ASSERT_TRUE(image.LoadImage("pattern.png"));
  ASSERT_EQ(image.width, 37);
  ASSERT_EQ(image.height, 23);
  std::vector<uint32_t> expected;
  for (int y = 0; y < 23; ++y)
    for (int x = 0; x < 37; ++x)
      expected.push_back(PatternPixel(x, y));
  EXPECT_EQ(FirstDifference(std::vector<uint32_t>(image.pixels.get(), image.pixels.get() + 37 * 23),
                            expected, 37),
            "");

  ASSERT_TRUE(image.LoadImage("big.jpg"));
  EXPECT_EQ(image.width, 1000);
  EXPECT_EQ(image.height, 600);
  EXPECT_EQ(image.pixels[0] >> 24, 0xFFu);
  EXPECT_EQ(image.pixels[600 * 1000 - 1] >> 24, 0xFFu);
  dir.WriteFile("png-named.jpg", dir.ReadFile("pattern.png"));
  ASSERT_TRUE(image.LoadImage("png-named.jpg"));
  EXPECT_EQ(image.width * 100 + image.height, 3723);
}

TEST(EngineImages, BytesThatAreNotJpegOrPngAreRefused) {
  testsupport::ScratchDirectory dir(false);
  WritePicture("pattern.png", 37, 23, true);
  testsupport::Surface bitmap(20, 10, 0xFF00FF00);
  ASSERT_EQ(SDL_SaveBMP(bitmap.surface, "bitmap.jpg"), 0);
  dir.WriteFile("text.jpg", "this is not a picture\n");
  dir.WriteFile("empty.png", "");
  for (const char* name : {"bitmap.jpg", "text.jpg", "empty.png", "absent.jpg"}) {
    SCOPED_TRACE(name);
    ImageData image;
    ASSERT_TRUE(image.LoadImage("pattern.png"));
    EXPECT_FALSE(image.LoadImage(name));
    EXPECT_FALSE(image.IsLoaded());
    EXPECT_EQ(image.pixels, nullptr);
    testsupport::Surface target(64, 48, 0x777777);
    image.RenderImage(target.surface, 0, 0, 0, 0, 64, 48);
    EXPECT_EQ(target.Pixels(), std::vector<uint32_t>(64 * 48, 0x777777));
  }
}

TEST(EngineImages, RenderImageClipsToTheSurfaceAndTheImage) {
  testsupport::ScratchDirectory dir(false);
  WritePicture("pattern.png", 37, 23, true);
  ImageData image;
  ASSERT_TRUE(image.LoadImage("pattern.png"));
  struct Case {
    int sourceX, sourceY, targetX, targetY, width, height;
  };
  const Case cases[] = {
      {0, 0, 0, 0, 37, 23},          {0, 0, -100, 5, 800, 10},    {0, 0, 5, 48, 10, 10},
      {0, 0, 5, 47, 10, 10},         {0, 0, 5, 200, 10, 10},      {30, 20, 0, 0, 20, 20},
      {-5, -5, 10, 10, 20, 20},      {0, 0, 50, 40, 37, 23},      {10, 5, 3, 4, 0, 10},
      {0, 0, 0, 0, -5, 10},          {37, 0, 0, 0, 10, 10},       {0, 23, 0, 0, 10, 10},
      {-30, 0, -30, 0, 64, 48},      {5, 3, -2, -1, 100, 100},    {0, 0, 63, 47, 5, 5},
      {INT_MAX, 0, 0, 0, 10, 10},    {0, 0, INT_MIN, INT_MIN, INT_MAX, INT_MAX},
      {INT_MIN, INT_MIN, 0, 0, INT_MAX, INT_MAX}, {0, 0, INT_MAX, 0, INT_MAX, 10},
      {-10, -10, -10, -10, INT_MAX, INT_MAX},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.sourceX << ", " << c.sourceY << ", " << c.targetX << ", "
                                    << c.targetY << ", " << c.width << ", " << c.height);
    testsupport::Surface target(64, 48, 0x00ABCDEF);
    const std::vector<uint32_t> before = target.Pixels();
    image.RenderImage(target.surface, c.sourceX, c.sourceY, c.targetX, c.targetY, c.width,
                      c.height);
    EXPECT_EQ(FirstDifference(target.Pixels(),
                              ReferenceCopy(before, 64, 48, image, c.sourceX, c.sourceY, c.targetX,
                                            c.targetY, c.width, c.height),
                              64),
              "");
  }
  ImageData empty;
  testsupport::Surface target(64, 48, 0x00ABCDEF);
  empty.RenderImage(target.surface, 0, 0, 0, 0, 64, 48);
  EXPECT_EQ(target.Pixels(), std::vector<uint32_t>(64 * 48, 0x00ABCDEF));
}

// A band 100 pixels left of an 800-wide surface shows columns 100..799 of the picture.
TEST(EngineImages, WidePictureShiftedLeftFillsColumnsFromItsHundredth) {
  testsupport::ScratchDirectory dir(false);
  WritePicture("wide.jpg", 1000, 600, false);
  ImageData image;
  ASSERT_TRUE(image.LoadImage("wide.jpg"));
  testsupport::Surface target(800, 600, 0x11);
  image.RenderImage(target.surface, 0, 0, -100, 50, 800, 550);
  for (int y : {50, 300, 599}) {
    EXPECT_EQ(target.At(0, y), image.pixels[(y - 50) * 1000 + 100]);
    EXPECT_EQ(target.At(699, y), image.pixels[(y - 50) * 1000 + 799]);
    EXPECT_EQ(target.At(700, y), 0x11u);
  }
  EXPECT_EQ(target.At(0, 49), 0x11u);
}
