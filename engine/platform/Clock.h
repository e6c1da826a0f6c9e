// The engine's time source: the time in milliseconds, and a wait for a deadline or an event.
#pragma once

namespace quendal {

// Times are milliseconds on a 32-bit counter that may wrap; compare them with TicksUntil.
class Clock {
 public:
  virtual ~Clock() = default;
  // The current time in milliseconds.
  virtual int Now() = 0;
  // Returns once Now() has reached deadline or an SDL event is queued, whichever comes first;
  // at once when either already holds. Leaves the event queue as it is.
  virtual void WaitUntil(int deadline) = 0;
};

// Milliseconds from `from` to `to` on the wrapping counter (negative when `to` is earlier).
int TicksUntil(int from, int to);
// The time `milliseconds` after `time` on the wrapping counter.
int TicksAfter(int time, int milliseconds);

// SDL's millisecond counter; waits in SDL_WaitEventTimeout, so an event wakes it at once.
class SdlClock : public Clock {
 public:
  int Now() override;
  void WaitUntil(int deadline) override;
};

// A clock that never sleeps: time moves only by Advance, Set, or a wait, which jumps to its
// deadline unless an SDL event is already queued.
class VirtualClock : public Clock {
 public:
  explicit VirtualClock(int start = 0) : now(start) {}
  int Now() override { return now; }
  void WaitUntil(int deadline) override;
  void Advance(int milliseconds) { now = TicksAfter(now, milliseconds); }
  void Set(int time) { now = time; }

 private:
  int now;
};

}  // namespace quendal
