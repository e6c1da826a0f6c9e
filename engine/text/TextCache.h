// A small bounded cache of text lines rendered by SDL2_ttf, kept as the pixels their blit writes.
#pragma once
#include <cstdint>
#include <memory>

struct SDL_Surface;
typedef struct _TTF_Font TTF_Font;

namespace quendal {

// Remembers up to kEntries lines keyed by font handle, text and colour (0xRRGGBB), evicting the
// least recently used. A line is kept as the values that blitting TTF_RenderText_Solid's result
// writes, pixel by pixel, and which pixels it leaves alone, so a cached draw equals the blit.
// A font's style, outline and hinting must not change while lines of it are cached.
class TextCache {
 public:
  static constexpr int kEntries = 16;
  static constexpr int kMaxTextLength = 63;
  static constexpr int kMaxPixels = 32768;

  TextCache() = default;
  TextCache(const TextCache&) = delete;
  TextCache& operator=(const TextCache&) = delete;

  // Draws the line with its top-left corner at (x, y), clipped to the surface's clip rectangle.
  // Returns false, having drawn nothing, when the line cannot be served from the cache (text
  // longer than kMaxTextLength, a line of more than kMaxPixels, a surface that is not unlocked
  // ARGB8888); the caller then renders and blits it itself.
  bool Draw(TTF_Font* font, const char* text, uint32_t colour, int x, int y, SDL_Surface* surface);

  // Whether the cache holds the line in some colour; if so, sets width and height to the size of
  // its rendering (0 x 0 when SDL2_ttf rendered nothing).
  bool Size(TTF_Font* font, const char* text, int& width, int& height) const;

  // The number of times a line was rendered into the cache (misses), for tests and benchmarks.
  uint64_t RenderCount() const { return renders; }

 private:
  struct Entry {
    TTF_Font* font = nullptr;
    uint32_t colour = 0;
    int textLength = -1;  // -1: the entry is empty
    char text[kMaxTextLength + 1] = {};
    uint64_t lastUse = 0;
    int width = 0;  // 0 when SDL2_ttf rendered nothing: the line draws nothing
    int height = 0;
    int valueCount = 0;  // distinct values written; values[0] is unused
    uint32_t values[256] = {};
    uint8_t* codes = nullptr;  // width * height codes: 0 leaves the pixel, k writes values[k]
  };

  // The entry holding this line, or null.
  Entry* Find(TTF_Font* font, const char* text, int length, uint32_t colour);
  // The entry to reuse: an empty one, else the one drawn longest ago.
  Entry& LeastRecentlyUsed();
  // Renders the line into the least recently used entry; null when it cannot be cached.
  Entry* Fill(TTF_Font* font, const char* text, int length, uint32_t colour);
  // Records in the entry what blitting the rendered line (null: nothing rendered) writes: its size
  // and a code per pixel. False when the line is over kMaxPixels, mixes with what lies under it or
  // writes more than 255 values.
  bool Capture(SDL_Surface* rendered, Entry& slot);
  // The code of the value in the entry's table, added if new; 0 when the table is full.
  static uint8_t CodeOf(Entry& entry, uint32_t value);
  // Copies the codes of an entry onto the surface at (x, y), clipped.
  static void Paint(const Entry& entry, int x, int y, SDL_Surface* surface);

  Entry entries[kEntries];
  std::unique_ptr<uint8_t[]> storage;  // kEntries * kMaxPixels codes, made at the first draw
  uint64_t clock = 0;
  uint64_t renders = 0;
};

}  // namespace quendal
