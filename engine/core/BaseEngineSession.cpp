// The run options every game gets: recording and replaying input, headless and fast runs, the
// screenshot at the end and the sound stream's file, all written whole through output files.
#include <SDL.h>
#include <SDL_image.h>

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "engine/core/BaseEngine.h"
#include "engine/platform/StandardStreams.h"
#include "engine/replay/RecordingReader.h"
#include "engine/storage/Folder.h"

using namespace quendal;

namespace {

constexpr const char* kUsage =
    "usage: %s [--record FILE] [--replay FILE] [--headless] [--fast] [--screenshot FILE] "
    "[--scale N] [--fullscreen] [--seed N] [--audio-out FILE] [--mute]\n";
// Larger than any display holds; a larger --scale is read as this one.
constexpr long long kLargestScale = 1 << 16;

// Reads a whole number from 1 up; false for anything else (a sign, a space, zero, other text).
bool ReadScale(const char* text, int& scale) {
  char* end = nullptr;
  errno = 0;
  const long long value = std::strtoll(text, &end, 10);
  if (!std::isdigit(static_cast<unsigned char>(text[0])) || *end != '\0' || value < 1)
    return false;
  scale = static_cast<int>(errno == ERANGE ? kLargestScale : SDL_min(value, kLargestScale));
  return true;
}

// A seed: a whole number from 0 to 4294967295, digits only.
bool ReadSeed(const char* text, uint32_t& seed) {
  char* end = nullptr;
  errno = 0;
  const unsigned long long value = std::strtoull(text, &end, 10);
  if (!std::isdigit(static_cast<unsigned char>(text[0])) || *end != '\0' || errno == ERANGE ||
      value > UINT32_MAX)
    return false;
  seed = static_cast<uint32_t>(value);
  return true;
}

// Whether the engine reads the option (so a bad value of it is the engine's usage error).
bool IsEngineOption(const std::string& option) {
  for (const char* name : {"--record", "--replay", "--screenshot", "--headless", "--fast",
                           "--scale", "--fullscreen", "--seed", "--audio-out", "--mute"})
    if (option == name)
      return true;
  return false;
}

bool RefuseOutput(const std::string& file, const std::string& why) {
  std::fprintf(stderr, "%s: cannot write: %s\n", file.c_str(), why.c_str());
  return false;
}

}  // namespace

const char* BaseEngine::OptionsHelp() {
  return "  --record FILE      write every input to FILE, to replay the run later\n"
         "  --replay FILE      play the run recorded in FILE again, ignoring live input\n"
         "  --headless         run without a window\n"
         "  --fast             never wait: time moves as fast as the machine runs\n"
         "  --screenshot FILE  save the last frame as a PNG image when the program ends\n"
         "  --scale N          open the window at N times the game's size\n"
         "  --fullscreen       open fullscreen; F11 or Alt+Enter switches at any time\n"
         "  --seed N           start the game's random numbers from N (0 to 4294967295)\n"
         "  --audio-out FILE   write the whole sound stream to FILE as a WAV file\n"
         "  --mute             play no sound on the audio device\n";
}

bool BaseEngine::ReadCommandLine(int argc, char** argv) { return ReadOptions(argc, argv, nullptr); }

bool BaseEngine::ReadCommandLine(int argc, char** argv, std::vector<std::string>& gameArguments) {
  return ReadOptions(argc, argv, &gameArguments);
}

bool BaseEngine::ReadOptions(int argc, char** argv, std::vector<std::string>* gameArguments) {
  OpenStandardStreams();
  OutputFile::IgnoreSizeLimitSignal();
  const char* program = argc > 0 ? argv[0] : "game";
  uint32_t seed = 0;
  bool seedGiven = false;
  for (int i = 1; i < argc; ++i) {
    const std::string option = argv[i];
    if (gameArguments != nullptr && option == "--") {
      gameArguments->insert(gameArguments->end(), argv + i + 1, argv + argc);
      break;
    }
    std::string* file = option == "--record"       ? &recordingFile
                        : option == "--replay"     ? &replayFile
                        : option == "--screenshot" ? &screenshotFile
                        : option == "--audio-out"  ? &audioOutFile
                                                   : nullptr;
    // A value that looks like an option is taken for a forgotten file, not for a file's name.
    if (file != nullptr && i + 1 < argc && argv[i + 1][0] != '\0' &&
        std::strncmp(argv[i + 1], "--", 2) != 0) {
      *file = argv[++i];
    } else if (option == "--headless") {
      headless = true;
    } else if (option == "--fast") {
      clock = &fastClock;
    } else if (option == "--mute") {
      soundStream.SetMuted(true);
    } else if (option == "--fullscreen") {
      fullscreen = true;
    } else if (option == "--scale" && i + 1 < argc && ReadScale(argv[i + 1], windowScale)) {
      ++i;
    } else if (option == "--seed" && i + 1 < argc && ReadSeed(argv[i + 1], seed)) {
      seedGiven = true;
      ++i;
    } else if (gameArguments != nullptr && !IsEngineOption(option)) {
      gameArguments->push_back(option);
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
    replayEvents = reader.TakeEvents();
    recordingVersion = reader.Version();
    replayTime = recordingVersion == 2;
    // A replay draws the recording's numbers: its seed, or --seed, or 0.
    seedGiven = true;
    RecordedEvent first;
    EventTape::Cursor afterFirst = replayNext;
    if (replayEvents.Read(afterFirst, first) && first.kind == RecordedEvent::Seed) {
      seed = static_cast<uint32_t>(first.code);
      replayNext = afterFirst;
    }
  }
  random.Seed(seedGiven ? seed : Random::FreshSeed());
  for (const std::string* file : {&recordingFile, &screenshotFile, &audioOutFile})
    if (const char* clash = OutputClash(*file))
      return RefuseOutput(*file, clash);
  if (!recordingFile.empty() && !recording.Open(recordingFile.c_str(), recordingVersion))
    return RefuseOutput(recordingFile, recording.Error());
  if (recordingVersion == 2)
    recording.Write(RecordedEvent{0, RecordedEvent::Seed, static_cast<int>(random.GetSeed())});
  if (!screenshotFile.empty() && !screenshot.Open(screenshotFile))
    return RefuseOutput(screenshotFile, screenshot.Error());
  if (!audioOutFile.empty() && !soundStream.OpenFile(audioOutFile.c_str()))
    return RefuseOutput(audioOutFile, soundStream.FileError());
  if (headless) {
    SDL_SetHintWithPriority(SDL_HINT_VIDEODRIVER, "dummy", SDL_HINT_OVERRIDE);
    // Below SDL_AUDIODRIVER, so a run can still name a driver of its own.
    SDL_SetHintWithPriority(SDL_HINT_AUDIODRIVER, "dummy", SDL_HINT_NORMAL);
  }
  return true;
}

void BaseEngine::KeepFile(const std::string& path) { keptFiles.push_back(path); }

const char* BaseEngine::OutputClash(const std::string& file) const {
  if (file.empty())
    return nullptr;
  for (const std::string& kept : keptFiles)
    if (Folder::SameFile(file, kept))
      return "the game keeps that file";
  if (!replayFile.empty() && Folder::SameFile(file, replayFile))
    return "it is the recording being replayed";
  // Each output against the ones before it on the command line's list.
  for (const std::string* earlier : {&recordingFile, &screenshotFile}) {
    if (earlier == &file)
      break;
    if (!earlier->empty() && Folder::SameFile(file, *earlier))
      return earlier == &recordingFile ? "it is the recording too" : "it is the screenshot too";
  }
  return nullptr;
}

bool BaseEngine::ReplayEvents() {
  SDL_Event event;
  while (SDL_PollEvent(&event) != 0)
    if (!TakeWindowKey(event) &&
        (event.type == SDL_QUIT || event.type == SDL_AUDIODEVICEREMOVED ||
         (event.type == SDL_WINDOWEVENT && !RecordedEvent::LeavesWindow(event))) &&
        !Dispatch(event))
      return false;
  // The batch: the lines of this update, up to an end; next: the line after it, if any.
  size_t batch = 0;
  RecordedEvent next;
  bool more = false;
  for (EventTape::Cursor at = replayNext; (more = replayEvents.Read(at, next)) &&
                                          next.updates == updateCount &&
                                          next.kind != RecordedEvent::End;)
    ++batch;
  if (batch == 0 && !more) {
    std::fprintf(stderr,
                 "%s: the recording ends before the program did; stopping as a closed "
                 "window would\n",
                 replayFile.c_str());
    return false;
  }
  // An end line names the last update: after its events the run ends, as a closed window would.
  replayOver = more && next.kind == RecordedEvent::End && next.updates <= updateCount;
  // The program ended in the pass that handled these events, after one more update: that update
  // is made due, so it runs in this pass too.
  if (batch > 0 && more && next.kind == RecordedEvent::End && next.updates == updateCount + 1) {
    while (TicksUntil(clock->Now(), nextTickTime) > 0)
      clock->WaitUntil(nextTickTime);
    passTick = clock->Now();
  }
  RecordedEvent replayed;
  for (; batch > 0 && replayEvents.Read(replayNext, replayed); --batch) {
    if (replayed.kind == RecordedEvent::Time) {
      replayedTime = replayed.code;
      timeGiven = true;
    } else if (replayed.kind != RecordedEvent::Seed) {
      replayed.ToSdl(event);
      if (!Dispatch(event))
        return false;
    }
  }
  return true;
}

void BaseEngine::EndRun() {
  if (runEnded)
    return;
  runEnded = true;
  if (recording.IsOpen()) {
    recording.Write(RecordedEvent{updateCount, RecordedEvent::End});
    if (!recording.Close())
      NotSaved(recordingFile, recording.Error());
  }
  if (screenshot.IsOpen())
    WriteScreenshot(screenshot);
  if (!soundStream.FinishFile())
    NotSaved(audioOutFile, soundStream.FileError());
}

bool BaseEngine::SaveScreenshot(const char* file) {
  OutputFile output;
  if (output.Open(file))
    return WriteScreenshot(output);
  NotSaved(file, output.Error());
  return false;
}

bool BaseEngine::WriteScreenshot(OutputFile& file) {
  SDL_Surface* copy = SDL_CreateRGBSurfaceWithFormat(0, screenSurface->w, screenSurface->h, 32,
                                                     SDL_PIXELFORMAT_ARGB8888);
  for (int y = 0; copy != nullptr && y < copy->h; ++y) {
    const auto* from =
        reinterpret_cast<const uint32_t*>(static_cast<const uint8_t*>(screenSurface->pixels) +
                                          static_cast<ptrdiff_t>(y) * screenSurface->pitch);
    auto* to = reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(copy->pixels) +
                                           static_cast<ptrdiff_t>(y) * copy->pitch);
    // The window shows the colours and ignores the alpha byte.
    for (int x = 0; x < copy->w; ++x)
      to[x] = from[x] | 0xFF000000u;
  }
  // The encoder writes into the output file through an SDL stream that only appends.
  SDL_RWops stream{};
  stream.size = [](SDL_RWops*) -> Sint64 { return -1; };
  stream.seek = [](SDL_RWops*, Sint64, int) -> Sint64 { return -1; };
  stream.read = [](SDL_RWops*, void*, size_t, size_t) -> size_t { return 0; };
  stream.write = [](SDL_RWops* to, const void* data, size_t size, size_t count) -> size_t {
    return static_cast<OutputFile*>(to->hidden.unknown.data1)->Write(data, size * count) ? count
                                                                                         : 0;
  };
  stream.close = [](SDL_RWops*) { return 0; };
  stream.hidden.unknown.data1 = &file;
  const bool encoded = copy != nullptr && IMG_SavePNG_RW(copy, &stream, 0) == 0;
  const std::string encoderError = SDL_GetError();
  SDL_FreeSurface(copy);
  if (encoded && file.Commit())
    return true;
  NotSaved(file.Path(), file.Error().empty() ? encoderError : file.Error());
  file.Abandon();
  return false;
}

void BaseEngine::NotSaved(const std::string& file, const std::string& why) {
  outputLost = true;
  std::fprintf(stderr, "%s: not saved: %s\n", file.c_str(), why.c_str());
}
