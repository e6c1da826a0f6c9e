// The real and the virtual clock.
#include "engine/platform/Clock.h"

#include <SDL.h>

#include <cstdint>

namespace quendal {

int TicksUntil(int from, int to) {
  return static_cast<int>(static_cast<uint32_t>(to) - static_cast<uint32_t>(from));
}

int TicksAfter(int time, int milliseconds) {
  return static_cast<int>(static_cast<uint32_t>(time) + static_cast<uint32_t>(milliseconds));
}

int SdlClock::Now() { return static_cast<int>(SDL_GetTicks()); }

void SdlClock::WaitUntil(int deadline) {
  const int remaining = TicksUntil(Now(), deadline);
  if (remaining > 0)
    SDL_WaitEventTimeout(nullptr, remaining);
}

void VirtualClock::WaitUntil(int deadline) {
  if (TicksUntil(now, deadline) > 0 && !SDL_HasEvents(SDL_FIRSTEVENT, SDL_LASTEVENT))
    now = deadline;
}

}  // namespace quendal
