// The key folding rule written out as a plain table, kept apart from the engine's switch.
#pragma once
#include <SDL.h>

#include <cstdint>

namespace keyindexreference {

// ASCII codes (0..127) index themselves, the listed keys their slot, every other code 0.
inline int ExpectedIndex(int32_t code) {
  if (code >= 0 && code < 128)
    return code;
  if (code >= SDLK_F1 && code <= SDLK_F12)
    return 132 + (code - SDLK_F1);
  static const int32_t kCodes[] = {
      SDLK_UP,       SDLK_DOWN,     SDLK_LEFT,       SDLK_RIGHT,         SDLK_PRINTSCREEN,
      SDLK_SCROLLLOCK, SDLK_PAUSE,  SDLK_INSERT,     SDLK_HOME,          SDLK_PAGEUP,
      SDLK_END,      SDLK_PAGEDOWN, SDLK_CAPSLOCK,   SDLK_NUMLOCKCLEAR,  SDLK_KP_DIVIDE,
      SDLK_KP_MULTIPLY, SDLK_KP_MINUS, SDLK_KP_PLUS, SDLK_KP_ENTER};
  static const int kIndices[] = {128, 129, 130, 131, 144, 145, 146, 147, 148, 149,
                                 151, 152, 158, 159, 160, 161, 162, 163, 164};
  for (size_t i = 0; i < sizeof kCodes / sizeof kCodes[0]; ++i)
    if (code == kCodes[i])
      return kIndices[i];
  return 0;
}

}  // namespace keyindexreference
