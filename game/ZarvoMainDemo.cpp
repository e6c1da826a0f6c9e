// The attract mode: a recorded game shown on the idle start screen, silent and without effects.
#include <cstdint>
#include <cstring>
#include <string>

#include "engine/platform/RegularFile.h"
#include "engine/replay/RecordingReader.h"
#include "game/ZarvoMain.h"
#include "objects/DisplayableObject.h"

namespace {

constexpr const char* kDemoRecording = "assets/demo.rec";

}  // namespace

void ZarvoMain::UpdateObjects(int time) {
  if (demo)
    FeedDemo();
  else if (state == StateStart && updateCount - idleSince >= kIdleUpdates)
    StartDemo();
  if (!paused)
    BaseEngine::UpdateObjects(time);
}

void ZarvoMain::StartDemo() {
  // Shown once an idle spell: the next one starts with the next input.
  idleSince = INT64_MAX / 2;
  quendal::RecordingReader reader;
  if (!reader.ReadFile(quendal::FindDataFile(kDemoRecording).c_str()))
    return;
  demoEvents = reader.TakeEvents();
  demoNext = {};
  demoUpdates = 0;
  demo = true;
  std::memset(keyStates, 0, 256);
  needsRedraw = true;
  FeedDemo();
}

void ZarvoMain::FeedDemo() {
  quendal::RecordedEvent event;
  for (quendal::EventTape::Cursor at = demoNext;
       demo && demoEvents.Read(at, event) && event.updates == demoUpdates; demoNext = at) {
    switch (event.kind) {
      case quendal::RecordedEvent::KeyDown:
      case quendal::RecordedEvent::KeyUp:
        keyStates[KeyCodeToIndex(event.code)] = event.kind == quendal::RecordedEvent::KeyDown;
        if (event.kind == quendal::RecordedEvent::KeyDown)
          HandleKey(event.code);
        break;
      case quendal::RecordedEvent::MouseDown: HandlePress(event.x, event.y); break;
      case quendal::RecordedEvent::Quit:
      case quendal::RecordedEvent::End: StopDemo(); break;
      default: break;
    }
  }
  ++demoUpdates;
  quendal::EventTape::Cursor at = demoNext;
  if (demo && !demoEvents.Read(at, event))
    StopDemo();
}

void ZarvoMain::StopDemo() {
  if (!demo)
    return;
  demo = false;
  demoEvents.Clear();
  ResetObjectList();
  for (auto& actor : actors)
    actor.reset();
  std::memset(keyStates, 0, 256);
  score = 0;
  gameOver = false;
  paused = false;
  state = StateStart;
  SetupBackgroundBuffer();
  needsRedraw = true;
  needsFullRedraw = true;
}
