// Shared test helpers: engine-format surfaces, scratch directories and stdout capture.
#include "support/TestSupport.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace fs = std::filesystem;

namespace testsupport {

std::vector<uint32_t> PixelsOf(SDL_Surface* surface) {
  std::vector<uint32_t> all;
  all.reserve(static_cast<size_t>(surface->w) * surface->h);
  for (int y = 0; y < surface->h; ++y) {
    const uint32_t* row = &static_cast<const uint32_t*>(surface->pixels)[y * (surface->pitch / 4)];
    all.insert(all.end(), row, row + surface->w);
  }
  return all;
}

std::string FirstDifference(const std::vector<uint32_t>& actual,
                            const std::vector<uint32_t>& expected, int width) {
  if (actual.size() != expected.size())
    return "sizes differ: " + std::to_string(actual.size()) + " vs " +
           std::to_string(expected.size());
  size_t count = 0, first = 0;
  for (size_t i = actual.size(); i-- > 0;)
    if (actual[i] != expected[i]) {
      ++count;
      first = i;
    }
  if (count == 0)
    return "";
  char text[160];
  std::snprintf(text, sizeof text, "%zu pixels differ; first at (%zu, %zu): %08X, expected %08X",
                count, first % static_cast<size_t>(width), first / static_cast<size_t>(width),
                actual[first], expected[first]);
  return text;
}

void Push(uint32_t type, int code, int x, int y) {
  SDL_Event event{};
  event.type = type;
  if (type == SDL_KEYDOWN || type == SDL_KEYUP) {
    event.key.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
    event.key.keysym.sym = code;
  } else if (type == SDL_MOUSEMOTION) {
    event.motion.x = x;
    event.motion.y = y;
  } else {
    event.button.button = static_cast<Uint8>(code);
    event.button.x = x;
    event.button.y = y;
  }
  if (SDL_PushEvent(&event) != 1)
    throw std::runtime_error(SDL_GetError());
}

std::string SourceDir() { return QUENDAL_SOURCE_DIR; }

void Check(bool condition, const char* what) {
  if (!condition) {
    std::fprintf(stderr, "failed: %s\n", what);
    std::abort();
  }
}

std::vector<std::vector<std::string>> Table(const std::string& name, size_t columns) {
  std::ifstream in(SourceDir() + "/tests/tables/" + name);
  std::vector<std::vector<std::string>> rows;
  for (std::string line; std::getline(in, line);) {
    if (line.empty() || line[0] == '#')
      continue;
    std::istringstream fields(line);
    rows.emplace_back();
    for (std::string field; std::getline(fields, field, '\t');)
      rows.back().push_back(field);
    rows.back().resize(columns);
  }
  if (rows.empty())
    throw std::runtime_error("no rows in tests/tables/" + name);
  return rows;
}

ScratchDirectory::ScratchDirectory(bool withRuntimeFiles) {
  previous = fs::current_path().string();
  std::string pattern = (fs::temp_directory_path() / "quendal-test-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr)
    throw std::runtime_error("mkdtemp failed");
  path = pattern;
  if (withRuntimeFiles) {
    fs::create_directories(fs::path(path) / "assets");
    const fs::path assets = fs::path(SourceDir()) / "assets";
    fs::copy_file(assets / "Cornerstone Regular.ttf", fs::path(path) / "Cornerstone Regular.ttf");
    for (const auto& file : fs::directory_iterator(assets))
      if (file.path().extension() == ".wav" || file.path().extension() == ".jpg")
        fs::copy_file(file.path(), fs::path(path) / "assets" / file.path().filename());
  }
  fs::current_path(path);
}

ScratchDirectory::~ScratchDirectory() {
  std::error_code ignored;
  fs::current_path(previous, ignored);
  fs::remove_all(path, ignored);
}

StdoutCapture::StdoutCapture(int descriptor) : capturedFd(descriptor) {
  std::fflush(stdout);
  std::fflush(stderr);
  std::string pattern = (fs::temp_directory_path() / "quendal-stdout-XXXXXX").string();
  int fd = mkstemp(pattern.data());
  if (fd < 0)
    throw std::runtime_error("mkstemp failed");
  file = pattern;
  savedFd = dup(capturedFd);
  dup2(fd, capturedFd);
  close(fd);
}

StdoutCapture::~StdoutCapture() { Text(); }

std::string StdoutCapture::Text() {
  if (done)
    return text;
  done = true;
  std::fflush(stdout);
  std::fflush(stderr);
  dup2(savedFd, capturedFd);
  close(savedFd);
  std::ifstream in(file, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  text = bytes.str();
  std::remove(file.c_str());
  return text;
}

}  // namespace testsupport
