// The game's sound stream: the mixer run once per update, written whole to a WAV file and fed to
// SDL's audio device a block or two ahead.
#pragma once
#include <array>
#include <cstdint>
#include <string>

#include "engine/audio/Mixer.h"
#include "engine/audio/Sound.h"
#include "engine/audio/WavWriter.h"

namespace quendal {

// The stream is cut in blocks of one update each, mixed on the game's thread, so a sound started
// while block N is the next one begins at sample N * kUpdateFrames whatever the speed of the run.
class SoundStream {
 public:
  // One 15 ms update at 48 kHz.
  static constexpr int kUpdateFrames = 720;
  // The device's own buffer, in frames (10.7 ms).
  static constexpr int kDeviceFrames = 512;
  // The most blocks waiting in the device's queue; a block that finds them there is not queued.
  static constexpr int kBlocksAhead = 2;

  SoundStream() = default;
  // Closes the device and removes an unfinished file.
  ~SoundStream();
  SoundStream(const SoundStream&) = delete;
  SoundStream& operator=(const SoundStream&) = delete;

  // Starts the WAV file that receives the whole stream; false with the reason in FileError().
  bool OpenFile(const char* path);
  // Opens SDL's default audio device for 48 kHz stereo 16-bit samples, which SDL converts to what
  // the device takes. Without one, prints "No sound: <SDL's reason>" on stderr and stays silent.
  void OpenDevice();
  // Mixes the next block: appends it to the file and queues it on the device unless muted or
  // kBlocksAhead blocks are waiting. Does nothing when there is neither file nor device.
  void MixBlock();
  // The device SDL reports removed: when it is this stream's, closes it and says so on stderr.
  void DeviceRemoved(uint32_t which);
  // Completes the file (once). False with the reason in FileError().
  bool FinishFile();
  // Muting stops the device's output at once; the file is unaffected.
  void SetMuted(bool mute);
  bool IsMuted() const { return muted; }
  // SDL's id of the open device; 0 when there is none.
  uint32_t Device() const { return device; }
  // Why OpenFile failed.
  const std::string& FileError() const { return file.Error(); }

  Mixer mixer;

 private:
  void CloseDevice();

  WavWriter file;
  std::string filePath;
  bool fileFinished = false;
  uint32_t device = 0;
  bool audioStarted = false;
  bool muted = false;
  std::array<int16_t, kUpdateFrames * Sound::kChannels> block{};
};

}  // namespace quendal
