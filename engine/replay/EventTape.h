// The events of a recording held compactly: a few bytes each, in blocks that never move.
#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

#include "engine/replay/RecordedEvent.h"

namespace quendal {

// An append-only sequence of events, read front to back. An event takes 1 to 17 bytes (for update
// numbers below 2^28): fewer than its line in a recording, so a tape never outgrows the text it
// was read from, and growing it never copies what it already holds.
class EventTape {
 public:
  // Where a reading of the tape stands: at the start, or just past an event.
  struct Cursor {
    size_t offset = 0;
    int64_t updates = 0;
  };

  EventTape() = default;
  // Moving leaves the other tape empty.
  EventTape(EventTape&& other) noexcept { *this = std::move(other); }
  EventTape& operator=(EventTape&& other) noexcept;

  // Appends an event. Its update number must be at least the last one's (0 for the first); a
  // mouse button is kept as one byte (0 to 255).
  void Append(const RecordedEvent& event);
  // Reads the event at the cursor and moves the cursor past it; false at the end of the tape.
  bool Read(Cursor& cursor, RecordedEvent& event) const;
  // Empties the tape and gives its memory back.
  void Clear();

  bool Empty() const { return count == 0; }
  // The last event appended; only when the tape is not empty.
  const RecordedEvent& Last() const { return last; }
  // Whether both hold the same events in the same order.
  bool operator==(const EventTape& other) const;
  bool operator!=(const EventTape& other) const { return !(*this == other); }

 private:
  static constexpr size_t kBlockBits = 16;
  static constexpr size_t kBlockSize = size_t{1} << kBlockBits;

  // More than an event takes: its first byte, an update step of up to 10 bytes, then at most
  // three numbers of up to 5 bytes each.
  static constexpr size_t kMaxEventBytes = 1 + 10 + 3 * 5;

  void Put(const uint8_t* bytes, size_t size);
  // A number stored in 7-bit groups, the lowest first, each but the last with its top bit set.
  uint64_t GetNumber(size_t& offset) const;
  uint8_t At(size_t offset) const { return blocks[offset >> kBlockBits][offset % kBlockSize]; }

  std::vector<std::unique_ptr<uint8_t[]>> blocks;
  size_t used = 0;
  size_t count = 0;
  RecordedEvent last;
};

}  // namespace quendal
