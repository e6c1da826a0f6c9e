// JPEG files through libjpeg-turbo: grey and YCbCr straight to BGRA rows, CMYK and YCCK here.
#include <SDL.h>
#include <jpeglib.h>

#include <csetjmp>
#include <new>
#include <vector>

#include "engine/pictures/PictureDecoder.h"

namespace quendal {

namespace {

// More scans than any encoder writes; a file with more is refused before it costs seconds.
constexpr int kMaxScans = 500;

#if SDL_BYTEORDER == SDL_LIL_ENDIAN
constexpr J_COLOR_SPACE kEngineOrder = JCS_EXT_BGRA;
#else
constexpr J_COLOR_SPACE kEngineOrder = JCS_EXT_ARGB;
#endif

// libjpeg's state for one file; the decoder's error text is kept for the refusal.
struct JpegSession {
  jpeg_decompress_struct info;
  jpeg_error_mgr errors;
  jpeg_progress_mgr progress;
  std::jmp_buf jump;
  bool created = false;
  char message[JMSG_LENGTH_MAX] = "";
  ~JpegSession() {
    if (created)
      jpeg_destroy_decompress(&info);
  }
};

[[noreturn]] void Fail(j_common_ptr info) {
  JpegSession* session = static_cast<JpegSession*>(info->client_data);
  info->err->format_message(info, session->message);
  std::longjmp(session->jump, 1);
}

// Warnings are accepted silently: stray bytes before a marker, or data that ends early (the
// missing rows come out grey).
void IgnoreMessage(j_common_ptr, int) {}

void CountScans(j_common_ptr info) {
  JpegSession* session = static_cast<JpegSession*>(info->client_data);
  if (session->info.input_scan_number > kMaxScans) {
    std::snprintf(session->message, sizeof session->message, "more than %d scans", kMaxScans);
    std::longjmp(session->jump, 1);
  }
}

// Reads the header. Only plain C frames lie between each jump and its target.
bool ReadHeader(JpegSession& session, std::FILE* file) {
  if (setjmp(session.jump))
    return false;
  jpeg_create_decompress(&session.info);
  session.created = true;
  session.info.progress = &session.progress;
  jpeg_stdio_src(&session.info, file);
  jpeg_read_header(&session.info, TRUE);
  return true;
}

bool StartDecoding(JpegSession& session, J_COLOR_SPACE output) {
  if (setjmp(session.jump))
    return false;
  session.info.out_color_space = output;
  jpeg_start_decompress(&session.info);
  return true;
}

bool ReadRow(JpegSession& session, JSAMPROW row) {
  if (setjmp(session.jump))
    return false;
  jpeg_read_scanlines(&session.info, &row, 1);
  return true;
}

uint32_t Product(uint32_t a, uint32_t b) { return (a * b + 127) / 255; }

// Each CMYK sample becomes the share of light it lets through, times the share K lets through.
// Adobe's files store the samples inverted (255 is no ink).
void CmykToEngine(const uint8_t* cmyk, int width, bool inverted, uint32_t* out) {
  const uint32_t flip = inverted ? 0 : 255;
  for (int x = 0; x < width; ++x, cmyk += 4) {
    const uint32_t k = cmyk[3] ^ flip;
    out[x] = 0xFF000000u | Product(cmyk[0] ^ flip, k) << 16 | Product(cmyk[1] ^ flip, k) << 8 |
             Product(cmyk[2] ^ flip, k);
  }
}

}  // namespace

bool DecodeJpeg(std::FILE* file, DecodedPicture& picture) {
  JpegSession session;
  session.info.err = jpeg_std_error(&session.errors);
  session.errors.error_exit = Fail;
  session.errors.emit_message = IgnoreMessage;
  session.progress.progress_monitor = CountScans;
  session.info.client_data = &session;
  if (!ReadHeader(session, file))
    return Refuse("JPEG decoder: %s", session.message);
  const uint32_t width = session.info.image_width, height = session.info.image_height;
  if (!SizeWithinLimits(width, height))
    return false;
  const bool cmyk =
      session.info.jpeg_color_space == JCS_CMYK || session.info.jpeg_color_space == JCS_YCCK;
  if (!StartDecoding(session, cmyk ? JCS_CMYK : kEngineOrder))
    return Refuse("JPEG decoder: %s", session.message);
  if (session.info.output_width != width || session.info.output_height != height)
    return Refuse("JPEG decoder: the header changed while decoding");
  picture.width = static_cast<int>(width);
  picture.height = static_cast<int>(height);
  picture.pixels.reset(new (std::nothrow) uint32_t[size_t{width} * height]);
  if (picture.pixels == nullptr)
    return Refuse("out of memory");
  std::vector<uint8_t> cmykRow(cmyk ? size_t{width} * 4 : 0);
  for (uint32_t y = 0; y < height; ++y) {
    uint32_t* row = picture.pixels.get() + size_t{y} * width;
    if (!ReadRow(session, cmyk ? cmykRow.data() : reinterpret_cast<JSAMPROW>(row)))
      return Refuse("JPEG decoder: %s", session.message);
    if (cmyk)
      CmykToEngine(cmykRow.data(), picture.width, session.info.saw_Adobe_marker, row);
  }
  return true;
}

}  // namespace quendal
