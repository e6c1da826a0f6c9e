// Headless fast replays of a recorded game: updates per second with rendering and without.
//
// Usage: replay_bench <results file>, run from a directory holding the game's font and pictures.
// The recording presses PLAY, lets the still-paddle game end and presses Escape after kUpdates
// updates. Writes "render <updates/s>" and "logic <updates/s>" lines, fastest of three runs each.
#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>

#include "engine/replay/RecordingWriter.h"
#include "game/ZarvoMain.h"

using namespace quendal;

namespace {

constexpr int kUpdates = 3000;
constexpr const char* kRecording = "replay_bench.rec";

// The game, drawing its frames or not.
class ReplayedGame : public ZarvoMain {
 public:
  void Render() override {
    if (drawing)
      ZarvoMain::Render();
  }
  bool drawing = true;
};

// Updates per second of one headless fast replay; 0 when it cannot run.
double Rate(bool drawing) {
  ReplayedGame game;
  char program[] = "replay_bench", replay[] = "--replay", headless[] = "--headless",
       fast[] = "--fast";
  std::string file = kRecording;
  char* argv[] = {program, replay, file.data(), headless, fast};
  if (!game.ReadCommandLine(5, argv) ||
      game.Initialise("Quendal The Warden", 800, 600, "Cornerstone Regular.ttf", 24) != 0)
    return 0;
  game.drawing = drawing;
  const auto start = std::chrono::steady_clock::now();
  game.MainLoop();
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  game.Deinitialise();
  return game.updateCount / seconds;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <results file>\n", argv[0]);
    return 2;
  }
  std::ofstream(kRecording) << RecordingWriter::Header()
                            << RecordingWriter::Line({1, RecordedEvent::MouseDown, 1, 400, 257})
                            << RecordingWriter::Line({kUpdates, RecordedEvent::KeyDown, 27});
  std::ofstream results(argv[1]);
  for (bool drawing : {true, false}) {
    double best = 0;
    for (int run = 0; run < 3; ++run) {
      const double rate = Rate(drawing);
      best = rate > best ? rate : best;
    }
    results << (drawing ? "render " : "logic ") << static_cast<long long>(best) << "\n";
  }
  std::remove(kRecording);
  std::remove("highScore.txt");
  return 0;
}
