// The run options every game gets: recording and replaying input, headless and fast runs, the
// screenshot at the end and the sound stream's file.
#include <SDL.h>
#include <SDL_image.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "engine/core/BaseEngine.h"
#include "engine/replay/RecordingReader.h"

using namespace quendal;

namespace {

constexpr const char* kUsage =
    "usage: %s [--record FILE] [--replay FILE] [--headless] [--fast] [--screenshot FILE] "
    "[--audio-out FILE] [--mute]\n";

}  // namespace

bool BaseEngine::ReadCommandLine(int argc, char** argv) {
  const char* program = argc > 0 ? argv[0] : "game";
  for (int i = 1; i < argc; ++i) {
    const std::string option = argv[i];
    std::string* file = option == "--record"       ? &recordingFile
                        : option == "--replay"     ? &replayFile
                        : option == "--screenshot" ? &screenshotFile
                        : option == "--audio-out"  ? &audioOutFile
                                                   : nullptr;
    if (file != nullptr && i + 1 < argc && argv[i + 1][0] != '\0') {
      *file = argv[++i];
    } else if (option == "--headless") {
      headless = true;
    } else if (option == "--fast") {
      clock = &fastClock;
    } else if (option == "--mute") {
      soundStream.SetMuted(true);
    } else {
      std::fprintf(stderr, kUsage, program);
      return false;
    }
  }
  if (!replayFile.empty()) {
    RecordingReader reader;
    if (!reader.ReadFile(replayFile.c_str())) {
      std::fprintf(stderr, "%s\n", reader.Error().c_str());
      return false;
    }
    replayEvents = reader.Events();
  }
  if (!recordingFile.empty() && !recording.Open(recordingFile.c_str())) {
    std::fprintf(stderr, "%s: cannot write: %s\n", recordingFile.c_str(), std::strerror(errno));
    return false;
  }
  if (!audioOutFile.empty() && !soundStream.OpenFile(audioOutFile.c_str())) {
    std::fprintf(stderr, "%s: cannot write: %s\n", audioOutFile.c_str(),
                 soundStream.FileError().c_str());
    return false;
  }
  if (headless) {
    SDL_SetHintWithPriority(SDL_HINT_VIDEODRIVER, "dummy", SDL_HINT_OVERRIDE);
    // Below SDL_AUDIODRIVER, so a run can still name a driver of its own.
    SDL_SetHintWithPriority(SDL_HINT_AUDIODRIVER, "dummy", SDL_HINT_NORMAL);
  }
  return true;
}

bool BaseEngine::ReplayEvents() {
  SDL_Event event;
  while (SDL_PollEvent(&event) != 0)
    if ((event.type == SDL_QUIT || event.type == SDL_WINDOWEVENT ||
         event.type == SDL_AUDIODEVICEREMOVED) &&
        !Dispatch(event))
      return false;
  size_t batchEnd = replayNext;
  while (batchEnd < replayEvents.size() && replayEvents[batchEnd].updates == updateCount &&
         replayEvents[batchEnd].kind != RecordedEvent::End)
    ++batchEnd;
  const RecordedEvent* next = batchEnd < replayEvents.size() ? &replayEvents[batchEnd] : nullptr;
  if (replayNext == batchEnd &&
      (next == nullptr || (next->kind == RecordedEvent::End && next->updates <= updateCount))) {
    std::fprintf(stderr,
                 "%s: the recording ends before the program did; stopping as a closed "
                 "window would\n",
                 replayFile.c_str());
    return false;
  }
  // The program ended in the pass that handled these events, after one more update: that update
  // is made due, so it runs in this pass too.
  if (replayNext < batchEnd && next != nullptr && next->kind == RecordedEvent::End &&
      next->updates == updateCount + 1) {
    while (TicksUntil(clock->Now(), nextTickTime) > 0)
      clock->WaitUntil(nextTickTime);
    currentTick = clock->Now();
  }
  for (; replayNext < batchEnd; ++replayNext) {
    replayEvents[replayNext].ToSdl(event);
    if (!Dispatch(event))
      return false;
  }
  return true;
}

void BaseEngine::EndRun() {
  if (runEnded)
    return;
  runEnded = true;
  if (!recordingFile.empty()) {
    recording.Write(RecordedEvent{updateCount, RecordedEvent::End});
    if (!recording.Close())
      std::fprintf(stderr, "%s: cannot write: %s\n", recordingFile.c_str(), std::strerror(errno));
  }
  if (!screenshotFile.empty())
    SaveScreenshot(screenshotFile.c_str());
  soundStream.FinishFile();
}

bool BaseEngine::SaveScreenshot(const char* file) {
  SDL_Surface* copy = SDL_CreateRGBSurfaceWithFormat(0, screenSurface->w, screenSurface->h, 32,
                                                     SDL_PIXELFORMAT_ARGB8888);
  bool saved = copy != nullptr;
  for (int y = 0; saved && y < copy->h; ++y) {
    const auto* from =
        reinterpret_cast<const uint32_t*>(static_cast<const uint8_t*>(screenSurface->pixels) +
                                          static_cast<ptrdiff_t>(y) * screenSurface->pitch);
    auto* to = reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(copy->pixels) +
                                           static_cast<ptrdiff_t>(y) * copy->pitch);
    // The window shows the colours and ignores the alpha byte.
    for (int x = 0; x < copy->w; ++x)
      to[x] = from[x] | 0xFF000000u;
  }
  saved = saved && IMG_SavePNG(copy, file) == 0;
  if (!saved)
    std::fprintf(stderr, "%s: cannot write the screenshot: %s\n", file, SDL_GetError());
  SDL_FreeSurface(copy);
  return saved;
}
