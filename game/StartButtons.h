// The start screen's two buttons: where a press counts, and where the start picture shows them.
#pragma once

// A button's rectangle in window pixels, edges included, and the word on it.
struct StartButton {
  int left, top, right, bottom;
  const char* word;
  bool Contains(int x, int y) const { return x >= left && x <= right && y >= top && y <= bottom; }
};

constexpr StartButton kPlayButton{341, 241, 474, 274, "PLAY"};
constexpr StartButton kExitButton{341, 296, 474, 329, "EXIT"};
