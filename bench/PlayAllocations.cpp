// The counting global operator new and the play loop it watches. SDL's and SDL2_ttf's own C
// allocations (malloc) are not counted.
#include "bench/PlayAllocations.h"

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <memory>
#include <new>

#include "game/ZarvoBallBase.h"
#include "game/ZarvoMain.h"
#include "game/ZarvoPlayer.h"
#include "support/TestSupport.h"

namespace {

std::atomic<long long> newCalls{0};

// Counts the call; memory from malloc (or posix_memalign when aligned), null when there is none.
void* Allocate(std::size_t size, std::size_t alignment = 0) noexcept {
  newCalls.fetch_add(1, std::memory_order_relaxed);
  if (alignment == 0)
    return std::malloc(size == 0 ? 1 : size);
  void* memory = nullptr;
  if (posix_memalign(&memory, std::max(sizeof(void*), alignment), size == 0 ? 1 : size) != 0)
    return nullptr;
  return memory;
}

void* AllocateOrThrow(std::size_t size, std::size_t alignment = 0) {
  if (void* memory = Allocate(size, alignment))
    return memory;
  throw std::bad_alloc();
}

std::size_t Align(std::align_val_t alignment) { return static_cast<std::size_t>(alignment); }

}  // namespace

// Every form of global new and delete, so that each allocation and release meets its partner.
void* operator new(std::size_t size) { return AllocateOrThrow(size); }
void* operator new[](std::size_t size) { return AllocateOrThrow(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return Allocate(size); }
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept { return Allocate(size); }
void* operator new(std::size_t size, std::align_val_t a) { return AllocateOrThrow(size, Align(a)); }
void* operator new[](std::size_t size, std::align_val_t a) {
  return AllocateOrThrow(size, Align(a));
}
void* operator new(std::size_t size, std::align_val_t a, const std::nothrow_t&) noexcept {
  return Allocate(size, Align(a));
}
void* operator new[](std::size_t size, std::align_val_t a, const std::nothrow_t&) noexcept {
  return Allocate(size, Align(a));
}
void operator delete(void* memory) noexcept { std::free(memory); }
void operator delete[](void* memory) noexcept { std::free(memory); }
void operator delete(void* memory, std::size_t) noexcept { std::free(memory); }
void operator delete[](void* memory, std::size_t) noexcept { std::free(memory); }
void operator delete(void* memory, const std::nothrow_t&) noexcept { std::free(memory); }
void operator delete[](void* memory, const std::nothrow_t&) noexcept { std::free(memory); }
void operator delete(void* memory, std::align_val_t) noexcept { std::free(memory); }
void operator delete[](void* memory, std::align_val_t) noexcept { std::free(memory); }
void operator delete(void* memory, std::size_t, std::align_val_t) noexcept { std::free(memory); }
void operator delete[](void* memory, std::size_t, std::align_val_t) noexcept { std::free(memory); }
void operator delete(void* memory, std::align_val_t, const std::nothrow_t&) noexcept {
  std::free(memory);
}
void operator delete[](void* memory, std::align_val_t, const std::nothrow_t&) noexcept {
  std::free(memory);
}

namespace bench {

long long PlayAllocations(int passes, int warmUp) {
  const long long probe = newCalls.load();
  ::operator delete(::operator new(16));  // a direct call, which no compiler may leave out
  if (newCalls.load() != probe + 1)
    return -1;
  auto quiet = std::make_unique<testsupport::StdoutCapture>();
  auto game = std::make_unique<ZarvoMain>();
  if (game->Initialise("Quendal The Warden", 800, 600, "Cornerstone Regular.ttf", 24) != 0)
    return -1;
  game->SetState(ZarvoMain::StatePlaying);
  auto* player = static_cast<ZarvoPlayer*>(game->objects[2]);
  ZarvoBallBase* balls[] = {static_cast<ZarvoBallBase*>(game->objects[3]),
                            static_cast<ZarvoBallBase*>(game->objects[4])};
  game->score = 5;  // so that the score line gains a digit during the run
  long long afterWarmUp = 0;
  for (int pass = 0; pass < passes; ++pass) {
    if (pass == warmUp)
      afterWarmUp = newCalls.load();
    const ZarvoBallBase* next = balls[0];
    for (const ZarvoBallBase* ball : balls)
      if (ball->speedY > 0 && (next->speedY <= 0 || ball->exactY > next->exactY))
        next = ball;
    player->exactX = next->exactX;
    game->currentTick = 15 * (pass + 1);
    game->TickAction();
    game->Render();
  }
  const long long during = newCalls.load() - afterWarmUp;
  const bool played = !game->gameOver && game->score >= 10;
  game.reset();
  return played ? during : -1;
}

}  // namespace bench
