// Writes the picture seeds of the image fuzzer: tiny JPEG and PNG files, cut and damaged copies.
#include <cstdio>
#include <fstream>
#include <string>

#include "support/Reference.h"

namespace {

// Writes the picture, a copy that claims a giant size, one cut in half, one cut after its header
// and one with bytes overwritten.
void WriteFamily(const std::string& directory, const std::string& name, const std::string& bytes) {
  std::string damaged = bytes;
  for (size_t i = bytes.size() / 3; i < bytes.size(); i += 7)
    damaged[i] = static_cast<char>(damaged[i] ^ 0x5A);
  const std::pair<const char*, std::string> family[] = {
      {"", bytes},
      {"giant-", testsupport::WithDeclaredSize(bytes, 60000, 60000)},
      {"half-", bytes.substr(0, bytes.size() / 2)},
      {"head-", bytes.substr(0, 40)},
      {"damaged-", damaged}};
  for (const auto& [prefix, content] : family)
    std::ofstream(directory + "/" + prefix + name, std::ios::binary) << content;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_seeds <directory>\n");
    return 2;
  }
  WriteFamily(argv[1], "stripes.png", testsupport::EncodedPicture("png", 4, 3));
  WriteFamily(argv[1], "stripes.jpg", testsupport::EncodedPicture("jpg", 4, 3, 50));
  std::ofstream(std::string(argv[1]) + "/wide.jpg", std::ios::binary)
      << testsupport::EncodedPicture("jpg", 16, 9, 20);
  return 0;
}
