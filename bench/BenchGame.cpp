// The real game with measuring hooks, paced by the engine's rule or by the earlier one.
//
// Usage: bench_game [old] [latency] [engine options]. Runs like quendal, with the engine's options
// (--scale N ...); "old" paces it as the engine once did (a
// pass sleeps 9 ms when 9 ms or more remain before the next tick, otherwise it polls again).
// At each game over it prints "play-updates <updates> <milliseconds>" on stderr: the updates of
// that game and the time from its first update to its last. With "latency", a thread pushes a
// mouse motion every 4 to 16 ms during play (to a point of the 1x frame), and each game over also prints
// "latency <median ms> <p99 ms> <count>": the time from each push to its MouseMoved hook.
#include <SDL.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <random>
#include <thread>
#include <vector>

#include "game/ZarvoMain.h"

namespace {

using Steady = std::chrono::steady_clock;
constexpr int kPushes = 1024;

class BenchGame : public ZarvoMain {
 public:
  // The earlier pacing rule, kept here only to measure against.
  void TickAction() override {
    if (!oldRule) {
      ZarvoMain::TickAction();
      return;
    }
    if (currentTick < nextTickTime) {
      if (nextTickTime - currentTick >= 9)
        SDL_Delay(9);
      return;
    }
    nextTickTime = currentTick + 15;
    UpdateObjects(currentTick);
  }

  void UpdateObjects(int time) override {
    const bool playing = state == StatePlaying && !gameOver;
    if (playing && updates++ == 0) {
      firstUpdate = time;
      if (latency)
        pusher = std::thread([this] { PushMotions(); });
    }
    ZarvoMain::UpdateObjects(time);
    if (playing && gameOver) {
      std::fprintf(stderr, "play-updates %d %d\n", updates, time - firstUpdate);
      updates = 0;
      if (pusher.joinable()) {
        running = false;
        pusher.join();
        ReportLatency();
      }
    }
  }

  void MouseMoved(int x, int y) override {
    const Steady::time_point now = Steady::now();
    const int push = y * screenWidth + x;
    if (push >= 0 && push < kPushes && pushed[push].load() != 0)
      delays.push_back(std::chrono::duration<double, std::milli>(
                           now - Steady::time_point(Steady::duration(pushed[push].load())))
                           .count());
    ZarvoMain::MouseMoved(x, y);
  }

  // Pushes kPushes motions from another thread, each stamped before it is queued.
  void PushMotions() {
    std::mt19937 random(1);
    std::uniform_int_distribution<int> gap(4000, 16000);
    for (int i = 0; i < kPushes && running.load(); ++i) {
      std::this_thread::sleep_for(std::chrono::microseconds(gap(random)));
      SDL_Event event{};
      event.type = SDL_MOUSEMOTION;
      event.motion.x = i % screenWidth;
      event.motion.y = i / screenWidth;
      pushed[i] = Steady::now().time_since_epoch().count();
      SDL_PushEvent(&event);
    }
  }

  void ReportLatency() {
    if (delays.empty())
      return;
    std::sort(delays.begin(), delays.end());
    std::fprintf(stderr, "latency %.3f %.3f %zu\n", delays[delays.size() / 2],
                 delays[std::min(delays.size() - 1, delays.size() * 99 / 100)], delays.size());
  }

  bool oldRule = false;
  bool latency = false;
  std::thread pusher;
  std::atomic<bool> running{true};
  std::atomic<long long> pushed[kPushes] = {};
  std::vector<double> delays;
  int updates = 0;
  int firstUpdate = 0;
};

}  // namespace

int main(int argc, char** argv) {
  std::srand(static_cast<unsigned>(std::time(nullptr)));
  BenchGame game;
  std::vector<char*> engineArgs = {argv[0]};
  for (int i = 1; i < argc; ++i) {
    const bool old = std::strcmp(argv[i], "old") == 0,
               latency = std::strcmp(argv[i], "latency") == 0;
    game.oldRule = game.oldRule || old;
    game.latency = game.latency || latency;
    if (!old && !latency)
      engineArgs.push_back(argv[i]);
  }
  if (!game.ReadCommandLine(static_cast<int>(engineArgs.size()), engineArgs.data()))
    return 2;
  if (game.Initialise("Quendal The Warden", 800, 600, "Cornerstone Regular.ttf", 24) != 0)
    return 1;
  const int result = game.MainLoop();
  game.running = false;
  if (game.pusher.joinable())
    game.pusher.join();
  game.Deinitialise();
  return result;
}
