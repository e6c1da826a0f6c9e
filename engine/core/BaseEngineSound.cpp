// The game's sound calls: loading sounds, playing and stopping them, volume and muting.
#include <SDL.h>

#include <cstdio>
#include <string>

#include "engine/core/BaseEngine.h"
#include "engine/platform/RegularFile.h"

bool BaseEngine::LoadSound(Sound& sound, const char* fileName) {
  const std::string path = quendal::FindDataFile(fileName);
  if (sound.Load(path.c_str()))
    return true;
  std::fprintf(stderr, "%s: %s\n", path.c_str(), SDL_GetError());
  return false;
}

void BaseEngine::PlaySound(const Sound& sound, float volume) {
  soundStream.mixer.Play(sound, volume);
}

void BaseEngine::StopSounds() { soundStream.mixer.StopAll(); }

void BaseEngine::SetMasterVolume(float volume) { soundStream.mixer.SetMasterVolume(volume); }

void BaseEngine::SetMuted(bool muted) { soundStream.SetMuted(muted); }

bool BaseEngine::IsMuted() const { return soundStream.IsMuted(); }
