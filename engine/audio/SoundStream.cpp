// Mixing one block per update into the WAV file and SDL's audio queue.
#include "engine/audio/SoundStream.h"

#include <SDL.h>

#include <cstdio>

namespace quendal {

SoundStream::~SoundStream() { CloseDevice(); }

bool SoundStream::OpenFile(const char* path) {
  filePath = path;
  return file.Open(path, Sound::kChannels, Sound::kRate);
}

void SoundStream::OpenDevice() {
  CloseDevice();
  SDL_AudioSpec wanted{};
  wanted.freq = Sound::kRate;
  wanted.format = AUDIO_S16SYS;
  wanted.channels = Sound::kChannels;
  wanted.samples = kDeviceFrames;
  audioStarted = SDL_InitSubSystem(SDL_INIT_AUDIO) == 0;
  if (audioStarted)
    device = SDL_OpenAudioDevice(nullptr, 0, &wanted, nullptr, 0);
  if (device == 0) {
    std::fprintf(stderr, "No sound: %s\n", SDL_GetError());
    return;
  }
  SDL_PauseAudioDevice(device, 0);
}

void SoundStream::CloseDevice() {
  if (device != 0 && SDL_WasInit(SDL_INIT_AUDIO) != 0)
    SDL_CloseAudioDevice(device);
  device = 0;
  if (audioStarted && SDL_WasInit(SDL_INIT_AUDIO) != 0)
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
  audioStarted = false;
}

void SoundStream::MixBlock() {
  if (device == 0 && !file.IsOpen())
    return;
  mixer.Mix(block.data(), kUpdateFrames);
  file.Append(block.data(), block.size());
  constexpr uint32_t kBlockBytes = sizeof block;
  if (device != 0 && !muted &&
      SDL_GetQueuedAudioSize(device) + kBlockBytes <= kBlocksAhead * kBlockBytes)
    SDL_QueueAudio(device, block.data(), kBlockBytes);
}

void SoundStream::DeviceRemoved(uint32_t which) {
  if (device == 0 || which != device)
    return;
  std::fprintf(stderr, "The audio device was removed; the game goes on without sound\n");
  CloseDevice();
}

bool SoundStream::FinishFile() {
  if (filePath.empty() || fileFinished)
    return true;
  fileFinished = true;
  if (file.Finish())
    return true;
  return false;
}

void SoundStream::SetMuted(bool mute) {
  muted = mute;
  if (muted && device != 0)
    SDL_ClearQueuedAudio(device);
}

}  // namespace quendal
