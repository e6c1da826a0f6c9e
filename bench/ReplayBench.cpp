// Headless fast replays of a recorded game: updates per second with rendering and without.
//
// Usage: replay_bench <results file>, run from a directory holding the game's font and pictures.
// The recording presses PLAY, lets the still-paddle game end and presses Escape after kUpdates
// updates. Writes "render <updates/s>" and "logic <updates/s>" lines, fastest of three runs each,
// and "render-timed" and "logic-timed" for the same game recorded in version 2 with its seed and
// the clock on a line of its own at every update (on the grid, so the game plays the same), and
// "size-10min <bytes>" for a synthetic 10-minute recording of play.
// First it reads recordings of the largest size accepted as the game does, each in a process of
// its own, and writes "read-<kind> <peak RSS MB> <seconds> <seconds to read the bytes alone>".
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <functional>
#include <string>

#include "engine/replay/RecordingReader.h"
#include "engine/replay/RecordingWriter.h"
#include "game/ZarvoMain.h"

using namespace quendal;

namespace {

constexpr int kUpdates = 3000;
constexpr const char* kRecording = "replay_bench.rec";
constexpr const char* kTimedRecording = "replay_bench_timed.rec";

// The bytes of 10 minutes of play (40,000 updates) as the engine writes them: the clock off its
// grid at every other update, the left stick moving at one update in two, a key pressed and
// released every 30 updates.
size_t TenMinutesOfPlay() {
  size_t bytes = RecordingWriter::Header().size() +
                 RecordingWriter::Line({0, RecordedEvent::Seed, -1}).size() +
                 RecordingWriter::Line({0, RecordedEvent::PadAdded, 0}).size();
  for (int update = 0; update < 40000; ++update) {
    const int clock = 1000000 + update * 15 + update % 2;
    if (update % 2 == 1)
      bytes += RecordingWriter::Line({update, RecordedEvent::Time, clock}).size();
    if (update % 2 == 0)
      bytes +=
          RecordingWriter::Line({update, RecordedEvent::PadAxis, 0, 0, -32768 + update}).size();
    if (update % 30 == 0)
      bytes += RecordingWriter::Line({update, RecordedEvent::KeyDown, 0x4000004F}).size() +
               RecordingWriter::Line({update + 15, RecordedEvent::KeyUp, 0x4000004F}).size();
  }
  return bytes;
}

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
double Rate(bool drawing, const char* recording) {
  ReplayedGame game;
  char program[] = "replay_bench", replay[] = "--replay", headless[] = "--headless",
       fast[] = "--fast";
  std::string file = recording;
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

using Clock = std::chrono::steady_clock;

double SecondsSince(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

// Writes a recording of exactly the largest size accepted: the header, the lines line(0),
// line(1), ... while they fit, then comments to fill the rest.
void WriteLargest(const char* path, const std::function<std::string(long long)>& line) {
  std::ofstream out(path, std::ios::binary);
  std::string text = RecordingWriter::Header();
  size_t size = text.size();
  for (long long index = 0;; ++index) {
    const std::string next = line(index);
    if (size + next.size() + RecordingReader::kMaxLine > RecordingReader::kMaxFile)
      break;
    text += next;
    size += next.size();
    if (text.size() > (1u << 20)) {
      out << text;
      text.clear();
    }
  }
  while (size < RecordingReader::kMaxFile) {
    const size_t length = std::min<size_t>(RecordingReader::kMaxFile - size, 1000);
    text += "#" + std::string(length - 1, 'x');
    text.back() = '\n';
    size += length;
  }
  out << text;
}

// Reads the recording as the game does in a process of its own: its peak resident memory in MB
// and the seconds it took, or false when it could not be read.
bool Measure(const char* path, double& megabytes, double& seconds) {
  const Clock::time_point start = Clock::now();
  const pid_t child = fork();
  if (child == 0) {
    ZarvoMain game;
    char program[] = "replay_bench", replay[] = "--replay", headless[] = "--headless";
    std::string file = path;
    char* argv[] = {program, replay, file.data(), headless};
    _exit(game.ReadCommandLine(4, argv) ? 0 : 1);
  }
  int status = 0;
  struct rusage usage {};
  if (child < 0 || wait4(child, &status, 0, &usage) != child || !WIFEXITED(status) ||
      WEXITSTATUS(status) != 0)
    return false;
  seconds = SecondsSince(start);
  megabytes = static_cast<double>(usage.ru_maxrss) / 1024;
  return true;
}

// The seconds to read the file's bytes alone, in pieces as the reader does.
double ReadBytes(const char* path) {
  const Clock::time_point start = Clock::now();
  std::FILE* file = std::fopen(path, "rb");
  static char piece[65536];
  while (file != nullptr && std::fread(piece, 1, sizeof piece, file) == sizeof piece) {
  }
  if (file != nullptr)
    std::fclose(file);
  return SecondsSince(start);
}

// A played game: mouse moves, keys and a click, three events an update.
std::string PlayLine(long long index) {
  RecordedEvent event{index / 3, RecordedEvent::MouseMove, 0, static_cast<int>(index % 800),
                      static_cast<int>(index % 600)};
  if (index % 6 == 1 || index % 6 == 4)
    event = {index / 3, index % 6 == 1 ? RecordedEvent::KeyDown : RecordedEvent::KeyUp, 'a'};
  if (index % 60 == 5)
    event = {index / 3, RecordedEvent::MouseDown, 1, 400, 257};
  return RecordingWriter::Line(event);
}

// The events that take the most memory beside their text: the character key of highest code.
std::string DensestLine(long long) { return "0 keyup \xF4\x8F\xBF\xBF\n"; }

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <results file>\n", argv[0]);
    return 2;
  }
  std::ofstream(kRecording) << RecordingWriter::Header(1)
                            << RecordingWriter::Line({1, RecordedEvent::MouseDown, 1, 400, 257})
                            << RecordingWriter::Line({kUpdates, RecordedEvent::KeyDown, 27});
  {
    std::ofstream timed(kTimedRecording);
    timed << RecordingWriter::Header(2) << RecordingWriter::Line({0, RecordedEvent::Seed, 7});
    for (int update = 0; update < kUpdates; ++update) {
      timed << RecordingWriter::Line({update, RecordedEvent::Time, update * 15});
      if (update == 1)
        timed << RecordingWriter::Line({1, RecordedEvent::MouseDown, 1, 400, 257});
    }
    timed << RecordingWriter::Line({kUpdates, RecordedEvent::KeyDown, 27});
  }
  std::ofstream results(argv[1]);
  const char* largest = "replay_bench_largest.rec";
  for (const auto& [kind, line] :
       {std::pair{"play", PlayLine}, std::pair{"densest", DensestLine}}) {
    WriteLargest(largest, line);
    double megabytes = 0, seconds = 0;
    if (Measure(largest, megabytes, seconds))
      results << "read-" << kind << " " << megabytes << " " << seconds << " " << ReadBytes(largest)
              << "\n";
  }
  std::remove(largest);
  for (const char* recording : {kRecording, kTimedRecording})
    for (bool drawing : {true, false}) {
      double best = 0;
      for (int run = 0; run < 3; ++run) {
        const double rate = Rate(drawing, recording);
        best = rate > best ? rate : best;
      }
      results << (drawing ? "render" : "logic") << (recording == kRecording ? " " : "-timed ")
              << static_cast<long long>(best) << "\n";
    }
  results << "size-10min " << TenMinutesOfPlay() << "\n";
  std::remove(kRecording);
  std::remove(kTimedRecording);
  std::remove("highScore.txt");
  return 0;
}
