// Writes the picture seeds of the image fuzzer: tiny JPEG and PNG files, cut and damaged copies.
#include <SDL.h>
#include <SDL_image.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

namespace {

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteAll(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

// A small picture of colour stripes.
SDL_Surface* Stripes(int width, int height) {
  SDL_Surface* surface = SDL_CreateRGBSurface(0, width, height, 32, 0x00FF0000, 0x0000FF00,
                                              0x000000FF, 0xFF000000);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      static_cast<Uint32*>(surface->pixels)[y * surface->pitch / 4 + x] =
          0xFF000000u | static_cast<Uint32>(x * 40) << 16 | static_cast<Uint32>(y * 60) << 8 | 0x80;
  return surface;
}

// The bytes with the size in the PNG header or the first JPEG frame header set to 60000 x 60000.
std::string Giant(std::string bytes) {
  size_t at = bytes.compare(1, 3, "PNG") == 0 ? 16 : bytes.find("\xFF\xC0");
  if (at == std::string::npos)
    return bytes;
  if (at != 16) {
    at += 5;
    bytes.replace(at, 4, "\xEA\x60\xEA\x60");
  } else {
    bytes.replace(at, 8, std::string("\x00\x00\xEA\x60\x00\x00\xEA\x60", 8));
  }
  return bytes;
}

// Writes the file, a copy cut in half, one cut after its header, one with bytes overwritten and
// one that claims a giant size.
void WriteFamily(const std::string& directory, const std::string& name) {
  const std::string bytes = ReadAll(directory + "/" + name);
  WriteAll(directory + "/giant-" + name, Giant(bytes));
  WriteAll(directory + "/half-" + name, bytes.substr(0, bytes.size() / 2));
  WriteAll(directory + "/head-" + name, bytes.substr(0, 40));
  std::string damaged = bytes;
  for (size_t i = bytes.size() / 3; i < bytes.size(); i += 7)
    damaged[i] = static_cast<char>(damaged[i] ^ 0x5A);
  WriteAll(directory + "/damaged-" + name, damaged);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_seeds <directory>\n");
    return 2;
  }
  const std::string directory = argv[1];
  SDL_Surface* small = Stripes(4, 3);
  SDL_Surface* larger = Stripes(16, 9);
  IMG_SavePNG(small, (directory + "/stripes.png").c_str());
  IMG_SaveJPG(small, (directory + "/stripes.jpg").c_str(), 50);
  IMG_SaveJPG(larger, (directory + "/wide.jpg").c_str(), 20);
  SDL_FreeSurface(small);
  SDL_FreeSurface(larger);
  WriteFamily(directory, "stripes.png");
  WriteFamily(directory, "stripes.jpg");
  return 0;
}
