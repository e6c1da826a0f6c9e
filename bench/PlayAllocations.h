// How often the play loop calls operator new once it runs: the program replaces the global
// operator new with a counting one.
#pragma once

namespace bench {

// Runs passes passes of play (tick, update, full frame with text and upload) of a fresh game in
// the current directory, the paddle kept under the next ball to come down so that play and the
// score go on; returns the operator new calls after the first warmUp passes, or -1 when the game
// did not start, ended, or the counting operator new is not in use.
long long PlayAllocations(int passes, int warmUp);

}  // namespace bench
