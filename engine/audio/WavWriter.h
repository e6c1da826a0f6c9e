// Writing 16-bit PCM WAV files as a stream: a temporary file beside the target, renamed over it
// once complete.
#pragma once
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

namespace quendal {

// Every write is checked; after the first failure the writer only keeps its reason. A writer
// destroyed before Finish removes its temporary file and leaves the target as it was.
class WavWriter {
 public:
  WavWriter() = default;
  ~WavWriter();
  WavWriter(const WavWriter&) = delete;
  WavWriter& operator=(const WavWriter&) = delete;

  // Creates the temporary file for a WAV file of `channels` channels at `rate` Hz to be put at
  // path. Refuses a path where something other than a regular file stands. False with the reason
  // in Error().
  bool Open(const char* path, int channels, int rate);
  // Appends interleaved samples (a whole number of frames). False once any write has failed or
  // the data would pass the 4 GB a WAV file can hold.
  bool Append(const int16_t* samples, size_t count);
  // Writes the sizes into the header, flushes the file to disk and renames it over the target.
  // False with the reason in Error(); the temporary file is then removed.
  bool Finish();
  // Whether a file is open and no write has failed.
  bool IsOpen() const { return file != nullptr && error.empty(); }
  // Why the last Open, Append or Finish failed.
  const std::string& Error() const { return error; }

  // Writes a whole WAV file at once; false with the reason in why.
  static bool WriteFile(const char* path, const int16_t* samples, size_t count, int channels,
                        int rate, std::string& why);

 private:
  bool Fail(const std::string& reason);
  void Discard();

  std::FILE* file = nullptr;
  std::string target;
  std::string temporary;
  uint64_t dataBytes = 0;
  std::string error;
};

}  // namespace quendal
