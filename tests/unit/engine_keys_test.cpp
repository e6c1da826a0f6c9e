// Folding SDL key codes into the 256 entries of the key-state table.
#include <gtest/gtest.h>

#include <SDL.h>

#include <climits>
#include <set>

#include "engine/BaseEngine.h"

TEST(EngineKeys, KeyCodeToIndexTable) {
  struct Case {
    int keyCode;
    int index;
  };
  const Case cases[] = {
      {0, 0}, {8, 8}, {SDLK_TAB, 9}, {SDLK_RETURN, 13}, {SDLK_ESCAPE, 27}, {SDLK_SPACE, 32},
      {'a', 97}, {'z', 122}, {SDLK_DELETE, 127}, {128, 0}, {SDLK_UP, 128}, {SDLK_DOWN, 129},
      {SDLK_LEFT, 130}, {SDLK_RIGHT, 131}, {SDLK_PRINTSCREEN, 144}, {SDLK_SCROLLLOCK, 145},
      {SDLK_PAUSE, 146}, {SDLK_INSERT, 147}, {SDLK_HOME, 148}, {SDLK_PAGEUP, 149}, {0x4000004C, 0},
      {SDLK_END, 151}, {SDLK_PAGEDOWN, 152}, {SDLK_CAPSLOCK, 158}, {SDLK_NUMLOCKCLEAR, 159},
      {SDLK_KP_DIVIDE, 160}, {SDLK_KP_MULTIPLY, 161}, {SDLK_KP_MINUS, 162}, {SDLK_KP_PLUS, 163},
      {SDLK_KP_ENTER, 164}, {SDLK_KP_1, 0}, {SDLK_LCTRL, 0}, {SDLK_F13, 0}, {0x40000000, 0},
      {-1, 0}, {-128, 0}, {INT_MIN, 0}, {INT_MAX, 0},
  };
  for (const Case& c : cases)
    EXPECT_EQ(BaseEngine::KeyCodeToIndex(c.keyCode), c.index) << "key code " << c.keyCode;
  for (int n = 0; n < 12; ++n)
    EXPECT_EQ(BaseEngine::KeyCodeToIndex(SDLK_F1 + n), 132 + n) << "F" << n + 1;
}

// Every code lands in 0..255 and the table never produces 150, 153..157 or anything above 164.
TEST(EngineKeys, EveryResultLiesInTheTable) {
  std::set<int> produced;
  auto check = [&](int keyCode) {
    const int index = BaseEngine::KeyCodeToIndex(keyCode);
    ASSERT_GE(index, 0) << keyCode;
    ASSERT_LE(index, 255) << keyCode;
    produced.insert(index);
  };
  for (int code = -70000; code <= 70000; ++code)
    check(code);
  for (int code = 0x40000000 - 1000; code <= 0x40000000 + 70000; ++code)
    check(code);
  for (int code : {INT_MIN, INT_MIN + 1, INT_MAX - 1, INT_MAX})
    check(code);
  for (int never : {150, 153, 154, 155, 156, 157, 165, 200, 255})
    EXPECT_EQ(produced.count(never), 0u) << never;
  EXPECT_EQ(produced.size(), 128u + 37u - 6u);
}
