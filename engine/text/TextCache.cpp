// The cache of rendered text lines: lookup, eviction of the least recently used, capture, paint.
#include "engine/text/TextCache.h"

#include <SDL.h>
#include <SDL_ttf.h>

#include <algorithm>
#include <cstring>
#include <iterator>

#include "engine/draw/PixelRows.h"

namespace quendal {

namespace {

// Two fills that no blit leaves both in place unless it writes nothing there.
constexpr uint32_t kUnderA = 0x00000000;
constexpr uint32_t kUnderB = 0xFFFFFFFF;

// Length of text when it is at most limit bytes long, otherwise limit + 1.
int BoundedLength(const char* text, int limit) {
  int length = 0;
  while (length <= limit && text[length] != '\0')
    ++length;
  return length;
}

// A scratch surface in the engine's format filled with one value, with the line blitted onto it;
// null if SDL cannot make it or the blit fails.
SDL_Surface* BlittedOnto(SDL_Surface* line, uint32_t fill) {
  SDL_Surface* surface =
      SDL_CreateRGBSurfaceWithFormat(0, line->w, line->h, 32, SDL_PIXELFORMAT_ARGB8888);
  if (surface == nullptr)
    return nullptr;
  SDL_FillRect(surface, nullptr, fill);
  if (SDL_BlitSurface(line, nullptr, surface, nullptr) != 0) {
    SDL_FreeSurface(surface);
    return nullptr;
  }
  return surface;
}

}  // namespace

bool TextCache::Draw(TTF_Font* font, const char* text, uint32_t colour, int x, int y,
                     SDL_Surface* surface) {
  if (font == nullptr || text == nullptr || surface == nullptr || surface->pixels == nullptr ||
      surface->format->format != SDL_PIXELFORMAT_ARGB8888 || surface->locked != 0 ||
      SDL_MUSTLOCK(surface))
    return false;
  const int length = BoundedLength(text, kMaxTextLength);
  if (length > kMaxTextLength)
    return false;
  colour &= 0xFFFFFF;
  Entry* entry = Find(font, text, length, colour);
  if (entry == nullptr)
    entry = Fill(font, text, length, colour);
  if (entry == nullptr)
    return false;
  entry->lastUse = ++clock;
  Paint(*entry, x, y, surface);
  return true;
}

bool TextCache::Size(TTF_Font* font, const char* text, int& width, int& height) const {
  const int length = text != nullptr ? BoundedLength(text, kMaxTextLength) : kMaxTextLength + 1;
  for (const Entry& entry : entries)
    if (entry.textLength == length && entry.font == font &&
        std::memcmp(entry.text, text, static_cast<size_t>(length)) == 0) {
      width = entry.width;
      height = entry.height;
      return true;
    }
  return false;
}

TextCache::Entry* TextCache::Find(TTF_Font* font, const char* text, int length, uint32_t colour) {
  for (Entry& entry : entries)
    if (entry.textLength == length && entry.font == font && entry.colour == colour &&
        std::memcmp(entry.text, text, static_cast<size_t>(length)) == 0)
      return &entry;
  return nullptr;
}

TextCache::Entry& TextCache::LeastRecentlyUsed() {
  return *std::min_element(std::begin(entries), std::end(entries),
                           [](const Entry& a, const Entry& b) { return a.lastUse < b.lastUse; });
}

TextCache::Entry* TextCache::Fill(TTF_Font* font, const char* text, int length, uint32_t colour) {
  Entry& slot = LeastRecentlyUsed();
  slot.textLength = -1;
  const SDL_Color textColour{static_cast<Uint8>(colour >> 16), static_cast<Uint8>(colour >> 8),
                             static_cast<Uint8>(colour), 0};
  SDL_Surface* rendered = TTF_RenderText_Solid(font, text, textColour);
  ++renders;
  const bool captured = Capture(rendered, slot);
  SDL_FreeSurface(rendered);
  if (!captured)
    return nullptr;
  slot.font = font;
  slot.colour = colour;
  slot.textLength = length;
  std::memcpy(slot.text, text, static_cast<size_t>(length));
  return &slot;
}

bool TextCache::Capture(SDL_Surface* rendered, Entry& slot) {
  slot.width = slot.height = slot.valueCount = 0;
  if (rendered == nullptr)
    return true;
  if (int64_t{rendered->w} * rendered->h > kMaxPixels)
    return false;
  if (storage == nullptr)
    storage = std::make_unique<uint8_t[]>(static_cast<size_t>(kEntries) * kMaxPixels);
  slot.codes = storage.get() + (&slot - entries) * static_cast<ptrdiff_t>(kMaxPixels);
  SDL_Surface* underA = BlittedOnto(rendered, kUnderA);
  SDL_Surface* underB = BlittedOnto(rendered, kUnderB);
  bool captured = underA != nullptr && underB != nullptr;
  for (int row = 0; captured && row < rendered->h; ++row) {
    const uint32_t* a = static_cast<const uint32_t*>(underA->pixels) + row * (underA->pitch / 4);
    const uint32_t* b = static_cast<const uint32_t*>(underB->pixels) + row * (underB->pitch / 4);
    uint8_t* codes = slot.codes + static_cast<ptrdiff_t>(row) * rendered->w;
    for (int column = 0; captured && column < rendered->w; ++column) {
      if (a[column] == kUnderA && b[column] == kUnderB) {
        codes[column] = 0;
      } else if (a[column] != b[column]) {
        captured = false;  // the blit mixed with what was under it
      } else {
        codes[column] = CodeOf(slot, a[column]);
        captured = codes[column] != 0;
      }
    }
  }
  SDL_FreeSurface(underA);
  SDL_FreeSurface(underB);
  if (captured) {
    slot.width = rendered->w;
    slot.height = rendered->h;
  }
  return captured;
}

uint8_t TextCache::CodeOf(Entry& entry, uint32_t value) {
  int code = 1;
  while (code <= entry.valueCount && entry.values[code] != value)
    ++code;
  if (code > 255)
    return 0;
  if (code > entry.valueCount) {
    entry.values[code] = value;
    entry.valueCount = code;
  }
  return static_cast<uint8_t>(code);
}

void TextCache::Paint(const Entry& entry, int x, int y, SDL_Surface* surface) {
  const SDL_Rect& clip = surface->clip_rect;
  PixelCopy copy;
  if (!ClipCopy(0, 0, entry.width, entry.height, int64_t{x} - clip.x, int64_t{y} - clip.y, clip.w,
                clip.h, entry.width, entry.height, copy))
    return;
  const int columns = copy.target.width;
  const int stride = surface->pitch / 4;
  uint32_t* target = static_cast<uint32_t*>(surface->pixels) +
                     static_cast<ptrdiff_t>(copy.target.y + clip.y) * stride + copy.target.x +
                     clip.x;
  const uint8_t* codes =
      entry.codes + static_cast<ptrdiff_t>(copy.sourceY) * entry.width + copy.sourceX;
  for (int row = 0; row < copy.target.height; ++row, target += stride, codes += entry.width) {
    if (entry.valueCount == 1) {
      const uint32_t value = entry.values[1];
      for (int column = 0; column < columns; ++column)
        target[column] = codes[column] != 0 ? value : target[column];
    } else {
      for (int column = 0; column < columns; ++column)
        if (codes[column] != 0)
          target[column] = entry.values[codes[column]];
    }
  }
}

}  // namespace quendal
