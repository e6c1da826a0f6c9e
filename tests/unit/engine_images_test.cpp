// Pictures: each file of the generated table loads with exactly its listed pixels or is refused.
// The table is tests/images/table.txt, written by tools/make_test_pictures with the files.
#include <SDL.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "engine/pictures/ImageData.h"
#include "support/TestSupport.h"

// A row: file [turn=N] [crop=left,right,top,bottom] then "refused <reason>" or "WxH" and the
// pixels in hex, value*n for a run. A file named @name is made in a scratch directory (a FIFO).
// One image takes every load in turn, so a refusal must also clear the picture before it. Every
// other row is loaded with the picture's own settings, the shared ones set askew; a row with
// settings is also cut and turned from a plain load of its file.
TEST(EngineImages, GeneratedTable) {
  const std::string images = testsupport::SourceDir() + "/tests/images/";
  std::ifstream table(images + "table.txt");
  testsupport::ScratchDirectory scratch;
  ASSERT_EQ(mkfifo("fifo.png", 0644), 0);
  ImageData image;
  std::string line;
  int rows = 0;
  for (; std::getline(table, line); ++rows) {
    SCOPED_TRACE(line.substr(0, 100));
    std::istringstream row(line);
    std::string file, word, reason;
    ImageData::Settings settings;
    bool adjusted = false;
    for (row >> file; row >> word && word.find('=') != std::string::npos; adjusted = true)
      if (std::sscanf(word.c_str(), "turn=%d", &settings.rotation) != 1)
        std::sscanf(word.c_str(), "crop=%d,%d,%d,%d", &settings.cropLeft, &settings.cropRight,
                    &settings.cropTop, &settings.cropBottom);
    const bool own = rows % 2 == 1;
    ImageData::rotation = own ? 1 : settings.rotation;
    ImageData::cropLeft = own ? 1 : settings.cropLeft, ImageData::cropRight = settings.cropRight;
    ImageData::cropTop = settings.cropTop, ImageData::cropBottom = settings.cropBottom;
    const std::string path = file[0] == '@' ? file.substr(1) : images + file;
    const bool loaded =
        own ? image.LoadImage(path.c_str(), settings) : image.LoadImage(path.c_str());
    ImageData plain, copy;
    if (adjusted && plain.LoadImage(path.c_str(), {})) {
      EXPECT_EQ(copy.CopyFrom(plain, settings), loaded);
    }
    if (word == "refused") {
      std::getline(row >> std::ws, reason);
      EXPECT_FALSE(loaded);
      EXPECT_EQ(SDL_GetError(), reason);
      EXPECT_FALSE(image.IsLoaded());
      EXPECT_EQ(image.width * 100000 + image.height, 0);
      continue;
    }
    ASSERT_TRUE(loaded) << SDL_GetError();
    EXPECT_EQ(std::to_string(image.width) + "x" + std::to_string(image.height), word);
    std::vector<uint32_t> expected;
    for (size_t run = 1; row >> word; run = 1) {
      std::sscanf(word.c_str(), "%*x*%zu", &run);
      expected.insert(expected.end(), run, std::stoul(word, nullptr, 16));
    }
    for (const ImageData* result : {&image, adjusted ? &copy : &image}) {
      const std::vector<uint32_t> actual(
          result->pixels.get(), result->pixels.get() + size_t(result->width) * result->height);
      EXPECT_EQ(testsupport::FirstDifference(actual, expected, result->width), "");
    }
  }
  ImageData::rotation = ImageData::cropLeft = ImageData::cropRight = 0;
  ImageData::cropTop = ImageData::cropBottom = 0;
  EXPECT_GT(rows, 90);
}
