// The compact form of recorded events: a byte of kind and update step, then the event's numbers.
#include "engine/replay/EventTape.h"

#include <cstring>

namespace quendal {

namespace {

// The first byte holds the kind in its top 5 bits and the update step when it is below this;
// a larger step stores this and the step less this as a number after it.
constexpr uint64_t kLongStep = 7;
constexpr unsigned kKindShift = 3;
// Key codes made from scan codes carry this bit; it moves to the bottom so that they stay short.
constexpr uint32_t kScancodeBit = 1u << 30;

uint64_t KeyNumber(int code) {
  const uint32_t bits = static_cast<uint32_t>(code);
  return (bits & kScancodeBit) != 0 ? (uint64_t{bits & ~kScancodeBit} << 1) | 1
                                    : uint64_t{bits} << 1;
}

int KeyCode(uint64_t number) {
  return static_cast<int>(static_cast<uint32_t>(number >> 1) |
                          ((number & 1) != 0 ? kScancodeBit : 0));
}

// Small negative and positive positions alike take few bytes.
uint64_t Zigzag(int value) {
  const uint32_t bits = static_cast<uint32_t>(value);
  return (bits << 1) ^ (value < 0 ? 0xFFFFFFFFu : 0u);
}

int Unzigzag(uint64_t number) {
  const uint32_t bits = static_cast<uint32_t>(number);
  return static_cast<int>((bits >> 1) ^ (0u - (bits & 1)));
}

}  // namespace

EventTape& EventTape::operator=(EventTape&& other) noexcept {
  if (this != &other) {
    blocks = std::move(other.blocks);
    used = other.used;
    count = other.count;
    last = other.last;
    other.Clear();
  }
  return *this;
}

void EventTape::Put(const uint8_t* bytes, size_t size) {
  while (size > 0) {
    if (used / kBlockSize == blocks.size())
      blocks.emplace_back(new uint8_t[kBlockSize]);
    const size_t room = kBlockSize - used % kBlockSize;
    const size_t length = size < room ? size : room;
    std::memcpy(&blocks[used / kBlockSize][used % kBlockSize], bytes, length);
    used += length;
    bytes += length;
    size -= length;
  }
}

uint64_t EventTape::GetNumber(size_t& offset) const {
  uint64_t number = 0;
  for (int shift = 0; shift < 64; shift += 7) {
    const uint8_t byte = At(offset++);
    number |= uint64_t{byte & 0x7Fu} << shift;
    if (byte < 0x80)
      break;
  }
  return number;
}

void EventTape::Append(const RecordedEvent& event) {
  uint8_t bytes[kMaxEventBytes];
  size_t size = 0;
  const auto putNumber = [&bytes, &size](uint64_t number) {
    for (; number >= 0x80; number >>= 7)
      bytes[size++] = static_cast<uint8_t>(number | 0x80);
    bytes[size++] = static_cast<uint8_t>(number);
  };
  const uint64_t step = static_cast<uint64_t>(event.updates - (count == 0 ? 0 : last.updates));
  bytes[size++] = static_cast<uint8_t>((static_cast<unsigned>(event.kind) << kKindShift) |
                                       (step < kLongStep ? step : kLongStep));
  if (step >= kLongStep)
    putNumber(step - kLongStep);
  if (RecordedEvent::HasKey(event.kind))
    putNumber(KeyNumber(event.code));
  if (RecordedEvent::HasButton(event.kind))
    bytes[size++] = static_cast<uint8_t>(event.code);
  if (RecordedEvent::HasPosition(event.kind) || event.kind == RecordedEvent::Wheel) {
    putNumber(Zigzag(event.x));
    putNumber(Zigzag(event.y));
  }
  if (RecordedEvent::IsEngines(event.kind) || RecordedEvent::HasPad(event.kind))
    putNumber(static_cast<uint32_t>(event.code));
  if (RecordedEvent::HasPadButton(event.kind) || event.kind == RecordedEvent::PadAxis)
    putNumber(static_cast<uint32_t>(event.x));
  if (event.kind == RecordedEvent::PadAxis)
    putNumber(Zigzag(event.y));
  Put(bytes, size);
  last = event;
  ++count;
}

bool EventTape::Read(Cursor& cursor, RecordedEvent& event) const {
  if (cursor.offset >= used)
    return false;
  size_t offset = cursor.offset;
  const uint8_t first = At(offset++);
  uint64_t step = first & kLongStep;
  if (step == kLongStep)
    step += GetNumber(offset);
  event = RecordedEvent{};
  event.kind = static_cast<RecordedEvent::Kind>(first >> kKindShift);
  event.updates = cursor.updates + static_cast<int64_t>(step);
  if (RecordedEvent::HasKey(event.kind))
    event.code = KeyCode(GetNumber(offset));
  if (RecordedEvent::HasButton(event.kind))
    event.code = At(offset++);
  if (RecordedEvent::HasPosition(event.kind) || event.kind == RecordedEvent::Wheel) {
    event.x = Unzigzag(GetNumber(offset));
    event.y = Unzigzag(GetNumber(offset));
  }
  if (RecordedEvent::IsEngines(event.kind) || RecordedEvent::HasPad(event.kind))
    event.code = static_cast<int>(static_cast<uint32_t>(GetNumber(offset)));
  if (RecordedEvent::HasPadButton(event.kind) || event.kind == RecordedEvent::PadAxis)
    event.x = static_cast<int>(GetNumber(offset));
  if (event.kind == RecordedEvent::PadAxis)
    event.y = Unzigzag(GetNumber(offset));
  cursor = Cursor{offset, event.updates};
  return true;
}

void EventTape::Clear() {
  blocks.clear();
  blocks.shrink_to_fit();
  used = 0;
  count = 0;
  last = RecordedEvent{};
}

bool EventTape::operator==(const EventTape& other) const {
  if (count != other.count || used != other.used)
    return false;
  for (size_t block = 0; block * kBlockSize < used; ++block) {
    const size_t length =
        used - block * kBlockSize < kBlockSize ? used - block * kBlockSize : kBlockSize;
    if (std::memcmp(blocks[block].get(), other.blocks[block].get(), length) != 0)
      return false;
  }
  return true;
}

}  // namespace quendal
