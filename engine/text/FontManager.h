// The table of TrueType fonts: each file and point size is opened once and shared.
#pragma once
#include <memory>
#include <string>
#include <vector>

typedef struct _TTF_Font TTF_Font;

namespace quendal {

// One entry of the table; owned by the FontManager, valid until the manager is destroyed.
struct Font {
  TTF_Font* handle = nullptr;  // null while not open or when opening failed
  std::string fileName;
  int pointSize = 0;
};

// Owns every Font it hands out and closes the open ones when destroyed.
class FontManager {
 public:
  FontManager();
  ~FontManager();
  FontManager(const FontManager&) = delete;
  FontManager& operator=(const FontManager&) = delete;

  // The entry for this file and size, added (and opened once fonts are opened) if new; never null.
  // Prints "Loading font: %d point %s\n" for a new entry and "Font loading failed.\n" if not open.
  // The file is looked for as FindDataFile says and opened only if it is a regular file; a failed
  // open prints "<path>: <reason>" on stderr.
  Font* GetFont(const char* fileName, int pointSize);
  // Marks fonts as opened and opens every entry that is not open yet; stdout stays silent.
  void LoadFonts();

  int fontCount = 0;                         // entries in use
  int capacity = 20;                         // slots allocated; grows by 10
  std::vector<std::unique_ptr<Font>> fonts;  // capacity slots, the first fontCount in use
  bool fontsOpened = false;
};

}  // namespace quendal
