// PNG files: our own walk over the chunks, then libpng's decoding to 8-bit BGRA rows.
#include <SDL.h>
#include <png.h>
#include <sys/stat.h>

#include <cerrno>
#include <csetjmp>
#include <cstring>
#include <new>
#include <vector>

#include "engine/pictures/PictureDecoder.h"

namespace quendal {

namespace {

uint32_t BigEndian32(const uint8_t* bytes) {
  return uint32_t{bytes[0]} << 24 | uint32_t{bytes[1]} << 16 | uint32_t{bytes[2]} << 8 | bytes[3];
}

bool IsLetter(uint8_t c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

// Walks the chunks from the signature to IEND by their lengths, reading only IHDR's size, then
// goes back to the start. Each chunk, its CRC included, must lie wholly inside the file.
bool WalkChunks(std::FILE* file, uint32_t& width, uint32_t& height) {
  struct stat info;
  if (fstat(fileno(file), &info) != 0 || std::fseek(file, 8, SEEK_SET) != 0)
    return Refuse("%s", std::strerror(errno));
  uint8_t head[8];
  for (int64_t at = 8, index = 0;; ++index) {
    if (info.st_size - at < 8 || std::fread(head, 1, 8, file) != 8)
      return Refuse("PNG ends without an IEND chunk");
    const uint32_t length = BigEndian32(head);
    const char type[5] = {char(head[4]), char(head[5]), char(head[6]), char(head[7]), 0};
    if (!IsLetter(head[4]) || !IsLetter(head[5]) || !IsLetter(head[6]) || !IsLetter(head[7]))
      return Refuse("PNG chunk type is not four letters");
    if (int64_t{length} > info.st_size - at - 12)
      return Refuse("PNG chunk %s runs past the end of the file", type);
    const bool header = std::strcmp(type, "IHDR") == 0;
    if ((index == 0) != header)
      return Refuse(
          "%s", header ? "PNG has a second IHDR chunk" : "PNG does not start with an IHDR chunk");
    if (header && (length != 13 || std::fread(head, 1, 8, file) != 8))
      return Refuse("PNG IHDR chunk is not 13 bytes long");
    if (header) {
      width = BigEndian32(head);
      height = BigEndian32(head + 4);
    }
    if (std::strcmp(type, "IEND") == 0)
      return std::fseek(file, 0, SEEK_SET) == 0;
    at += 12 + int64_t{length};
    if (std::fseek(file, at, SEEK_SET) != 0)
      return Refuse("%s", std::strerror(errno));
  }
}

// libpng's state for one file; the decoder's error text is kept for the refusal.
struct PngSession {
  png_structp png = nullptr;
  png_infop info = nullptr;
  bool translucent = false;
  char message[200] = "";
  ~PngSession() { png_destroy_read_struct(&png, info != nullptr ? &info : nullptr, nullptr); }
};

[[noreturn]] void Fail(png_structp png, png_const_charp message) {
  PngSession* session = static_cast<PngSession*>(png_get_error_ptr(png));
  std::snprintf(session->message, sizeof session->message, "%s", message);
  png_longjmp(png, 1);
}

void IgnoreWarning(png_structp, png_const_charp) {}

// A short read is an error, never stale bytes.
void ReadBytes(png_structp png, png_bytep out, size_t count) {
  if (std::fread(out, 1, count, static_cast<std::FILE*>(png_get_io_ptr(png))) != count)
    png_error(png, "the file ends inside a chunk");
}

// Reads the header and asks for 8-bit samples, expanded to blue, green, red, alpha bytes (the
// engine's 32-bit word on this machine), every pass of an interlaced picture merged. Only plain
// C frames lie between the jump and its target.
bool StartDecoding(PngSession& session, std::FILE* file) {
  if (setjmp(png_jmpbuf(session.png)))
    return false;
  png_set_read_fn(session.png, file, ReadBytes);
  png_read_info(session.png, session.info);
  session.translucent = (png_get_color_type(session.png, session.info) & PNG_COLOR_MASK_ALPHA) ||
                        png_get_valid(session.png, session.info, PNG_INFO_tRNS);
  png_set_scale_16(session.png);
  png_set_expand(session.png);
  png_set_gray_to_rgb(session.png);
#if SDL_BYTEORDER == SDL_LIL_ENDIAN
  png_set_filler(session.png, 0xFF, PNG_FILLER_AFTER);
  png_set_bgr(session.png);
#else
  png_set_filler(session.png, 0xFF, PNG_FILLER_BEFORE);
  png_set_swap_alpha(session.png);
#endif
  png_set_interlace_handling(session.png);
  png_read_update_info(session.png, session.info);
  return true;
}

bool ReadRows(PngSession& session, png_bytepp rows) {
  if (setjmp(png_jmpbuf(session.png)))
    return false;
  png_read_image(session.png, rows);
  return true;
}

}  // namespace

bool DecodePng(std::FILE* file, DecodedPicture& picture) {
  uint32_t width = 0, height = 0;
  if (!WalkChunks(file, width, height) || !SizeWithinLimits(width, height))
    return false;
  PngSession session;
  session.png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &session, Fail, IgnoreWarning);
  session.info = session.png != nullptr ? png_create_info_struct(session.png) : nullptr;
  if (session.info == nullptr)
    return Refuse("out of memory");
  if (!StartDecoding(session, file))
    return Refuse("PNG decoder: %s", session.message);
  if (png_get_image_width(session.png, session.info) != width ||
      png_get_image_height(session.png, session.info) != height ||
      png_get_rowbytes(session.png, session.info) != size_t{width} * 4)
    return Refuse("PNG decoder: the header changed while reading");
  picture.width = static_cast<int>(width);
  picture.height = static_cast<int>(height);
  picture.translucent = session.translucent;
  picture.pixels.reset(new (std::nothrow) uint32_t[size_t{width} * height]);
  std::vector<png_bytep> rows(height);
  if (picture.pixels == nullptr)
    return Refuse("out of memory");
  for (uint32_t y = 0; y < height; ++y)
    rows[y] = reinterpret_cast<png_bytep>(picture.pixels.get() + size_t{y} * width);
  if (!ReadRows(session, rows.data()))
    return Refuse("PNG decoder: %s", session.message);
  return true;
}

}  // namespace quendal
