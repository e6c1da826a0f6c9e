// Runs an engine's passes from the browser's main loop, for the WebAssembly build.
#pragma once

class BaseEngine;

namespace quendal {

// The browser calls back into the program instead of letting it block, so the pass that the
// native loop repeats (BaseEngine::RunPass) is handed to the browser's main-loop callback.
class BrowserLoop {
 public:
  // Takes over the program and never returns to the caller: the browser runs the engine's passes
  // until its loop ends, then finish runs and the program exits with the status it returns.
  // A clock that would block (the engine's own SDL clock) is replaced by one that never waits;
  // a virtual clock (a fast replay) runs as many passes per call as a few milliseconds allow.
  static void Run(BaseEngine& engine, int (*finish)());
};

}  // namespace quendal
