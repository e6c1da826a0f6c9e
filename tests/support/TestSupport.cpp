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

Surface::Surface(int width, int height, uint32_t fill)
    : surface(SDL_CreateRGBSurface(0, width, height, 32, 0x00FF0000, 0x0000FF00, 0x000000FF,
                                   0xFF000000)) {
  if (surface == nullptr)
    throw std::runtime_error(SDL_GetError());
  SDL_FillRect(surface, nullptr, fill);
}

Surface::~Surface() { SDL_FreeSurface(surface); }

uint32_t& Surface::At(int x, int y) {
  return static_cast<uint32_t*>(surface->pixels)[y * (surface->pitch / 4) + x];
}

uint32_t Surface::At(int x, int y) const { return PixelAt(surface, x, y); }

std::vector<uint32_t> Surface::Pixels() const {
  std::vector<uint32_t> all;
  all.reserve(static_cast<size_t>(surface->w) * surface->h);
  for (int y = 0; y < surface->h; ++y)
    for (int x = 0; x < surface->w; ++x)
      all.push_back(At(x, y));
  return all;
}

uint32_t PixelAt(SDL_Surface* surface, int x, int y) {
  return static_cast<const uint32_t*>(surface->pixels)[y * (surface->pitch / 4) + x];
}

std::string SourceDir() { return QUENDAL_SOURCE_DIR; }

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
    for (const char* picture : {"bg.jpg", "fire_bg_full.jpg"})
      fs::copy_file(assets / picture, fs::path(path) / "assets" / picture);
  }
  fs::current_path(path);
}

ScratchDirectory::~ScratchDirectory() {
  std::error_code ignored;
  fs::current_path(previous, ignored);
  fs::remove_all(path, ignored);
}

void ScratchDirectory::WriteFile(const std::string& name, const std::string& bytes) const {
  std::ofstream out(fs::path(path) / name, std::ios::binary | std::ios::trunc);
  out << bytes;
}

std::string ScratchDirectory::ReadFile(const std::string& name) const {
  std::ifstream in(fs::path(path) / name, std::ios::binary);
  if (!in)
    return "<missing>";
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

StdoutCapture::StdoutCapture() {
  std::fflush(stdout);
  std::string pattern = (fs::temp_directory_path() / "quendal-stdout-XXXXXX").string();
  int fd = mkstemp(pattern.data());
  if (fd < 0)
    throw std::runtime_error("mkstemp failed");
  file = pattern;
  savedFd = dup(STDOUT_FILENO);
  dup2(fd, STDOUT_FILENO);
  close(fd);
}

StdoutCapture::~StdoutCapture() { Text(); }

std::string StdoutCapture::Text() {
  if (done)
    return text;
  done = true;
  std::fflush(stdout);
  dup2(savedFd, STDOUT_FILENO);
  close(savedFd);
  std::ifstream in(file, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  text = bytes.str();
  std::remove(file.c_str());
  return text;
}

}  // namespace testsupport
