// Runs the benchmarks and prints one table: each figure as a ratio to its baseline of the same run.
#include <SDL.h>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <iostream>
#include <limits>
#include <map>
#include <string>
#include <vector>

#include "bench/BenchWorld.h"
#include "bench/PlayAllocations.h"
#include "support/TestSupport.h"

namespace {

// Keeps the fastest repetition of every benchmark, in nanoseconds, and shows the usual console
// lines on the error stream.
class TableReporter : public benchmark::ConsoleReporter {
 public:
  TableReporter() : benchmark::ConsoleReporter(OO_Tabular) { SetOutputStream(&std::cerr); }

  void ReportRuns(const std::vector<Run>& runs) override {
    benchmark::ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      if (run.run_type != Run::RT_Iteration || run.error_occurred)
        continue;
      std::string name = run.run_name.function_name;
      if (!run.run_name.args.empty())
        name += "/" + run.run_name.args;
      const double nanoseconds =
          run.GetAdjustedCPUTime() * 1e9 / benchmark::GetTimeUnitMultiplier(run.time_unit);
      auto [entry, added] = fastest.emplace(name, nanoseconds);
      if (!added && nanoseconds < entry->second)
        entry->second = nanoseconds;
    }
  }

  // The fastest time of the benchmark, or NaN when it did not run.
  double Fastest(const std::string& name) const {
    auto found = fastest.find(name);
    return found == fastest.end() ? std::numeric_limits<double>::quiet_NaN() : found->second;
  }

 private:
  std::map<std::string, double> fastest;
};

// One line of the table: ratio = (ours / oursCount) / (baseline / baselineCount), met when it is
// at most goal; a goal of 0 marks a figure that is only reported.
struct Row {
  const char* label;
  const char* ours;
  const char* baseline;
  double goal;
  double oursCount = 1;
  double baselineCount = 1;
};

constexpr double kThird = 1.0 / 3.0;

const std::vector<Row>& Rows() {
  static const std::vector<Row> rows = {
      {"Frame: play Render without upload / memcpy", "Frame/ours", "Frame/memcpy", 1.3},
      {"Frame: SDL upload+copy+present / memcpy", "Frame/upload", "Frame/memcpy", 0},
      {"DrawRectangle whole / SDL_FillRect", "Rect/whole/ours", "Rect/whole/sdl", 1.0},
      {"DrawRectangle 150x30 / SDL_FillRect", "Rect/150x30/ours", "Rect/150x30/sdl", 1.0},
      {"DrawRectangle 1-px column / SDL_FillRect", "Rect/column/ours", "Rect/column/sdl", 1.0},
      {"DrawRectangle half off / SDL_FillRect", "Rect/halfoff/ours", "Rect/halfoff/sdl", 1.0},
      {"RenderImage whole / SDL_BlitSurface", "Copy/image/whole/ours", "Copy/image/whole/sdl", 1.0},
      {"RenderImage band @300 / SDL_BlitSurface", "Copy/image/300/ours", "Copy/image/300/sdl", 1.0},
      {"RenderImage band @304 / SDL_BlitSurface", "Copy/image/304/ours", "Copy/image/304/sdl", 1.0},
      {"RenderImage band @460 / SDL_BlitSurface", "Copy/image/460/ours", "Copy/image/460/sdl", 1.0},
      {"CopyBackgroundPixels whole / SDL_Blit", "Copy/background/whole/ours",
       "Copy/background/whole/sdl", 1.0},
      {"CopyBackgroundPixels @300 / SDL_Blit", "Copy/background/300/ours",
       "Copy/background/300/sdl", 1.0},
      {"CopyBackgroundPixels @304 / SDL_Blit", "Copy/background/304/ours",
       "Copy/background/304/sdl", 1.0},
      {"CopyBackgroundPixels @460 / SDL_Blit", "Copy/background/460/ours",
       "Copy/background/460/sdl", 1.0},
      {"DrawOval r5 / per-pixel loop", "Disc/5/ours", "Disc/5/reference", 1.0},
      {"DrawOval r24 / per-pixel loop", "Disc/24/ours", "Disc/24/reference", kThird},
      {"DrawOval r250 / per-pixel loop", "Disc/250/ours", "Disc/250/reference", kThird},
      {"DrawOval r250 mostly off / per-pixel", "Disc/off/ours", "Disc/off/reference", kThird},
      {"DrawLine 800x600 / SDL_RenderDrawLine", "Line/long/ours", "Line/long/sdl", 0.7},
      {"DrawLine 800x600 / per-pixel loop", "Line/long/ours", "Line/long/reference", 0},
      {"DrawLine 800x600 / its stores alone", "Line/long/ours", "Line/long/stores", 0},
      {"SDL_RenderDrawLine 800x600 / its stores", "Line/long/sdl", "Line/long/stores", 0},
      {"DrawLine steep / SDL_RenderDrawLine", "Line/steep/ours", "Line/steep/sdl", 0.7},
      {"DrawLine steep / per-pixel loop", "Line/steep/ours", "Line/steep/reference", 0},
      {"DrawLine steep / its stores alone", "Line/steep/ours", "Line/steep/stores", 0},
      {"SDL_RenderDrawLine steep / its stores", "Line/steep/sdl", "Line/steep/stores", 0},
      {"DrawLine 120 px / SDL_RenderDrawLine", "Line/medium/ours", "Line/medium/sdl", 0.7},
      {"DrawLine 20 px / SDL_RenderDrawLine", "Line/short/ours", "Line/short/sdl", 0.7},
      {"DrawLine 20 px / per-pixel loop", "Line/short/ours", "Line/short/reference", 0},
      {"RectangleOutline 150x30 / SDL_RenderDrawRect", "Outline/150x30/ours", "Outline/150x30/sdl",
       0.7},
      {"DrawOvalOutline r24 / per-pixel loop", "Outline/oval24/ours", "Outline/oval24/reference",
       kThird},
      {"DrawOvalOutline r250 / per-pixel loop", "Outline/oval250/ours", "Outline/oval250/reference",
       kThird},
      {"DrawPixel x256 / SDL_RenderDrawPoint", "Pixels/ours", "Pixels/sdl", 0.7},
      {"DrawTriangle large / SDL_RenderGeometry", "Triangle/large/ours", "Triangle/large/sdl", 0.7},
      {"DrawTriangle large / per-pixel loop", "Triangle/large/ours", "Triangle/large/reference",
       kThird},
      {"DrawTriangle small / SDL_RenderGeometry", "Triangle/small/ours", "Triangle/small/sdl", 0.7},
      {"DrawTriangle small / per-pixel loop", "Triangle/small/ours", "Triangle/small/reference",
       kThird},
      {"RenderImageScaled x2 / SDL_BlitScaled", "Sprite/x2/ours", "Sprite/x2/sdl", 0.7},
      {"RenderImageScaled x2 / memcpy", "Sprite/x2/ours", "Sprite/x2/memcpy", 1.1},
      {"RenderImageScaled x2 flipped / memcpy", "Sprite/x2flipped/ours", "Sprite/x2/memcpy", 1.1},
      {"RenderImageScaled x3 / SDL_BlitScaled", "Sprite/x3/ours", "Sprite/x3/sdl", 0.7},
      {"RenderImageScaled x3 / memcpy", "Sprite/x3/ours", "Sprite/x3/memcpy", 1.1},
      {"DrawString 24pt / TTF render+blit", "Text/ours", "Text/sdl", kThird},
      {"MeasureString drawn line / TTF_SizeText", "Text/measure/ours", "Text/measure/sdl", kThird},
      {"LoadImage bg.jpg 800x600 / IMG_Load", "Load/bg/ours", "Load/bg/sdl", 1.2},
      {"LoadImage band 800x550 / IMG_Load", "Load/band/ours", "Load/band/sdl", 1.2},
      {"LoadImage 4096x4096 PNG / IMG_Load", "Load/png/ours", "Load/png/sdl", 1.2},
      {"LoadImage 4096x4096 PNG+alpha / IMG_Load", "Load/translucent/ours", "Load/translucent/sdl",
       0},
      {"LoadImage 4096x4096 JPEG / IMG_Load", "Load/jpeg/ours", "Load/jpeg/sdl", 1.2},
      {"Mix 1 s, 8 voices / memcpy of their bytes", "Mix/8voices/ours", "Mix/voices/memcpy", 20},
      {"Mix 1 s, 8 voices / memcpy of the mix", "Mix/8voices/ours", "Mix/output/memcpy", 0},
      {"Per object, 10 / 100 objects", "Scaling/10", "Scaling/100", 0, 10, 100},
      {"Per object, 1000 / 100 objects", "Scaling/1000", "Scaling/100", 1.5, 1000, 100},
      {"Per object, 10000 / 100 objects", "Scaling/10000", "Scaling/100", 1.5, 10000, 100},
  };
  return rows;
}

// A time in the unit that suits it.
std::string Time(double nanoseconds) {
  char text[32];
  if (nanoseconds != nanoseconds)
    std::snprintf(text, sizeof text, "-");
  else if (nanoseconds < 10e3)
    std::snprintf(text, sizeof text, "%.0f ns", nanoseconds);
  else if (nanoseconds < 10e6)
    std::snprintf(text, sizeof text, "%.1f us", nanoseconds / 1e3);
  else
    std::snprintf(text, sizeof text, "%.1f ms", nanoseconds / 1e6);
  return text;
}

// Play passes counted for allocations, and the first passes left out of the count.
constexpr int kCountedPasses = 1000;
constexpr int kWarmUpPasses = 3;

void PrintTable(const TableReporter& reporter, long long allocations, std::ostream& out) {
  char line[256];
  std::snprintf(line, sizeof line, "%-44s %10s %10s %7s %8s %4s\n", "benchmark", "ours", "baseline",
                "ratio", "goal", "met");
  out << line;
  for (const Row& row : Rows()) {
    const double ours = reporter.Fastest(row.ours) / row.oursCount;
    const double baseline = reporter.Fastest(row.baseline) / row.baselineCount;
    const double ratio = ours / baseline;
    char goal[16] = "report";
    if (row.goal > 0)
      std::snprintf(goal, sizeof goal, "<= %.2f", row.goal);
    const char* met = row.goal <= 0 ? "-" : ratio <= row.goal ? "yes" : "no";
    std::snprintf(
        line, sizeof line,
        ratio < 0.1 ? "%-44s %10s %10s %7.4f %8s %4s\n" : "%-44s %10s %10s %7.2f %8s %4s\n",
        row.label, Time(ours).c_str(), Time(baseline).c_str(), ratio, goal, met);
    out << line;
  }
  char count[24] = "failed";
  if (allocations >= 0)
    std::snprintf(count, sizeof count, "%lld", allocations);
  std::snprintf(line, sizeof line, "%-44s %10s %10s %7s %8s %4s\n",
                "Play: operator new calls after warm-up", count, "-", "-", "= 0",
                allocations == 0 ? "yes" : "no");
  out << line;
}

}  // namespace

int main(int argc, char** argv) {
  std::string tableFile;
  for (int i = 1; i < argc; ++i)
    if (std::strncmp(argv[i], "--table=", 8) == 0)
      tableFile = argv[i] + 8;
  benchmark::Initialize(&argc, argv);
  testsupport::ScratchDirectory directory(true);
  TableReporter reporter;
  {
    bench::World world;
    bench::SetWorld(&world);
    benchmark::RunSpecifiedBenchmarks(&reporter);
    bench::SetWorld(nullptr);
  }
  const long long allocations = bench::PlayAllocations(kCountedPasses, kWarmUpPasses);
  std::fflush(stdout);
  if (tableFile.empty()) {
    PrintTable(reporter, allocations, std::cout);
  } else {
    std::ofstream out(tableFile);
    PrintTable(reporter, allocations, out);
  }
  return 0;
}
