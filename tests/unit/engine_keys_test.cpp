// Folding SDL key codes into the 256 entries of the key-state table.
#include <SDL.h>
#include <gtest/gtest.h>

#include <climits>

#include "engine/BaseEngine.h"

TEST(EngineKeys, KeyCodeToIndexTable) {
  // clang-format off
  const std::pair<int, int> cases[] = {
      {0, 0}, {8, 8}, {SDLK_TAB, 9}, {SDLK_RETURN, 13}, {SDLK_ESCAPE, 27}, {SDLK_SPACE, 32},
      {'a', 97}, {'z', 122}, {SDLK_DELETE, 127}, {128, 0}, {SDLK_UP, 128}, {SDLK_DOWN, 129},
      {SDLK_LEFT, 130}, {SDLK_RIGHT, 131}, {SDLK_F1, 132}, {SDLK_F7, 138}, {SDLK_F12, 143},
      {SDLK_PRINTSCREEN, 144}, {SDLK_SCROLLLOCK, 145}, {SDLK_PAUSE, 146}, {SDLK_INSERT, 147},
      {SDLK_HOME, 148}, {SDLK_PAGEUP, 149}, {0x4000004C, 0}, {SDLK_END, 151},
      {SDLK_PAGEDOWN, 152}, {SDLK_CAPSLOCK, 158}, {SDLK_NUMLOCKCLEAR, 159}, {SDLK_KP_DIVIDE, 160},
      {SDLK_KP_MULTIPLY, 161}, {SDLK_KP_MINUS, 162}, {SDLK_KP_PLUS, 163}, {SDLK_KP_ENTER, 164},
      {SDLK_KP_1, 0}, {SDLK_LCTRL, 0}, {SDLK_F13, 0}, {0x40000000, 0}, {-1, 0}, {-128, 0},
      {INT_MIN, 0}, {INT_MAX, 0}};
  // clang-format on
  for (const auto& [keyCode, index] : cases)
    EXPECT_EQ(BaseEngine::KeyCodeToIndex(keyCode), index) << "key code " << keyCode;
}
