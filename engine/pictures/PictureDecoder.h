// Decoding PNG and JPEG files to their true colours, refusing damaged or oversized ones first.
#pragma once
#include <SDL_stdinc.h>

#include <cstdint>
#include <cstdio>
#include <memory>

namespace quendal {

// A decoded picture: width * height pixels row by row, each 0xAARRGGBB with its own alpha.
struct DecodedPicture {
  int width = 0;
  int height = 0;
  std::unique_ptr<uint32_t[]> pixels;
  // Whether the file can hold pixels that are not opaque (an alpha channel or a transparent
  // colour).
  bool translucent = false;
};

// Leaves the reason, formatted like printf, in SDL_GetError; always false.
bool Refuse(const char* format, ...) SDL_PRINTF_VARARG_FUNC(1);

// Whether a declared size lies within ImageData's limits; if not, the reason is left in
// SDL_GetError.
bool SizeWithinLimits(uint32_t width, uint32_t height);

// Decodes the PNG file read from its start. Its chunks are walked first: each must lie wholly
// inside the file, IHDR first and IEND last. False with a one-line reason in SDL_GetError.
bool DecodePng(std::FILE* file, DecodedPicture& picture);

// Decodes the JPEG file read from its start: grey, YCbCr, RGB, CMYK and YCCK (inverted when an
// Adobe marker says so). What the decoder reads with only warnings is accepted. False with a
// one-line reason in SDL_GetError.
bool DecodeJpeg(std::FILE* file, DecodedPicture& picture);

}  // namespace quendal
