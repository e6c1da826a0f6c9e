// Writing 16-bit PCM WAV files as a stream, put in place whole through an OutputFile.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

#include "engine/storage/OutputFile.h"

namespace quendal {

// Every write is checked; after the first failure the writer only keeps its reason. A writer
// destroyed before Finish leaves the target as it was.
class WavWriter {
 public:
  // Starts a WAV file of `channels` channels at `rate` Hz to be put at path (OutputFile::Open's
  // refusals apply). False with the reason in Error().
  bool Open(const char* path, int channels, int rate);
  // Appends interleaved samples (a whole number of frames). False once any write has failed or
  // the data would pass the 4 GB a WAV file can hold.
  bool Append(const int16_t* samples, size_t count);
  // Writes the sizes into the header and puts the file in place (OutputFile::Commit). False with
  // the reason in Error(); the target is then as it was.
  bool Finish();
  // Whether a file is open and no write has failed.
  bool IsOpen() const { return file.IsOpen() && Error().empty(); }
  // Why the last Open, Append or Finish failed.
  const std::string& Error() const { return error.empty() ? file.Error() : error; }

  // Writes a whole WAV file at once; false with the reason in why.
  static bool WriteFile(const char* path, const int16_t* samples, size_t count, int channels,
                        int rate, std::string& why);

 private:
  bool Fail(const std::string& reason);

  OutputFile file;
  uint64_t dataBytes = 0;
  std::string error;  // a failure of this class's own
};

}  // namespace quendal
