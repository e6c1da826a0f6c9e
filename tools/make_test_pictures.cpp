// Draws the picture loader's corner cases and table.txt, the exact result the engine owes each.
// The cases: every PNG colour type and depth, CMYK and damaged JPEGs, damaged and oversized
// files; each row of the table holds the pixels the engine must produce, or its refusal.
#include <SDL.h>
#include <jpeglib.h>
#include <png.h>
#include <zlib.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

namespace {

// A picture in its true colours, 0xAARRGGBB, before any transparency is laid on black.
struct Picture {
  int width = 0, height = 0;
  std::vector<uint32_t> argb;
  bool translucent = false;
};

uint32_t Argb(uint32_t a, uint32_t r, uint32_t g, uint32_t b) {
  return a << 24 | r << 16 | g << 8 | b;
}

std::string directory;
std::ofstream table;

void WriteFile(const std::string& name, const std::string& bytes) {
  std::ofstream(directory + "/" + name, std::ios::binary) << bytes;
}

// The engine's rule for transparency: a blit with the picture's blend mode onto a new surface.
std::vector<uint32_t> OnBlack(const Picture& picture) {
  if (!picture.translucent)
    return picture.argb;
  std::vector<uint32_t> source = picture.argb, out(source.size());
  SDL_Surface* from =
      SDL_CreateRGBSurfaceWithFormatFrom(source.data(), picture.width, picture.height, 32,
                                         picture.width * 4, SDL_PIXELFORMAT_ARGB8888);
  SDL_Surface* to = SDL_CreateRGBSurfaceWithFormatFrom(
      out.data(), picture.width, picture.height, 32, picture.width * 4, SDL_PIXELFORMAT_ARGB8888);
  SDL_BlitSurface(from, nullptr, to, nullptr);
  SDL_FreeSurface(from);
  SDL_FreeSurface(to);
  return out;
}

// Crops (left, right, top, bottom) and turns clockwise by quarter turns, as the load settings say.
std::vector<uint32_t> Settled(const std::vector<uint32_t>& in, int width, int height, int turns,
                              const int crop[4], int& outWidth, int& outHeight) {
  const int w = width - crop[0] - crop[1], h = height - crop[2] - crop[3];
  std::vector<uint32_t> out;
  for (int q = ((turns % 4) + 4) % 4, y = 0; y < (q % 2 ? w : h); ++y)
    for (int x = 0; x < (q % 2 ? h : w); ++x) {
      const int sx = q == 0 ? x : q == 1 ? y : q == 2 ? w - 1 - x : w - 1 - y;
      const int sy = q == 0 ? y : q == 1 ? h - 1 - x : q == 2 ? h - 1 - y : x;
      out.push_back(in[size_t(crop[2] + sy) * width + crop[0] + sx]);
    }
  outWidth = turns % 2 ? h : w;
  outHeight = turns % 2 ? w : h;
  return out;
}

// One line of the table: the file, its load settings, then "WxH" and the pixels in hex (a run of
// n equal pixels written value*n).
void Accept(const std::string& name, const Picture& picture, int turns = 0,
            const int* crop = nullptr) {
  static const int kNoCrop[4] = {0, 0, 0, 0};
  int width = 0, height = 0;
  const std::vector<uint32_t> pixels = Settled(OnBlack(picture), picture.width, picture.height,
                                               turns, crop ? crop : kNoCrop, width, height);
  table << name;
  if (turns != 0)
    table << " turn=" << turns;
  if (crop != nullptr)
    table << " crop=" << crop[0] << ',' << crop[1] << ',' << crop[2] << ',' << crop[3];
  table << ' ' << width << 'x' << height;
  for (size_t i = 0, run = 1; i < pixels.size(); i += run) {
    for (run = 1; i + run < pixels.size() && pixels[i + run] == pixels[i];)
      ++run;
    char token[32];
    std::snprintf(token, sizeof token, run > 1 ? " %08x*%zu" : " %08x", pixels[i], run);
    table << token;
  }
  table << '\n';
}

void Refuse(const std::string& name, const std::string& reason, const std::string& settings = "") {
  table << name << settings << " refused " << reason << '\n';
}

// ------------------------------------------------------------------------------------------ PNG

void AppendBytes(png_structp png, png_bytep data, size_t length) {
  static_cast<std::string*>(png_get_io_ptr(png))
      ->append(reinterpret_cast<const char*>(data), length);
}

void NoFlush(png_structp) {}

// What a PNG holds: samples per pixel (0 .. 2^depth - 1), palette and tRNS as written.
struct PngContent {
  int colourType, depth;
  bool interlaced = false;
  std::vector<std::vector<uint16_t>> rows;  // width * channels samples per row
  std::vector<png_color> palette;
  std::vector<uint8_t> paletteAlpha;
  png_color_16 transparent{};
  bool hasTransparent = false;
  double gamma = 0;
};

std::string EncodePng(const PngContent& content, int width, int height) {
  std::string bytes;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  png_set_write_fn(png, &bytes, AppendBytes, NoFlush);
  png_set_IHDR(png, info, width, height, content.depth, content.colourType,
               content.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  if (!content.palette.empty())
    png_set_PLTE(png, info, content.palette.data(), static_cast<int>(content.palette.size()));
  if (!content.paletteAlpha.empty() || content.hasTransparent)
    png_set_tRNS(png, info, content.paletteAlpha.data(),
                 static_cast<int>(content.paletteAlpha.size()), &content.transparent);
  if (content.gamma > 0)
    png_set_gAMA(png, info, content.gamma);
  png_write_info(png, info);
  std::vector<std::vector<uint8_t>> packed;
  for (const auto& samples : content.rows) {
    std::vector<uint8_t> row((samples.size() * content.depth + 7) / 8);
    for (size_t i = 0; i < samples.size(); ++i) {
      if (content.depth == 16) {
        row[2 * i] = static_cast<uint8_t>(samples[i] >> 8);
        row[2 * i + 1] = static_cast<uint8_t>(samples[i]);
      } else {
        const size_t bit = i * content.depth;
        row[bit / 8] |= static_cast<uint8_t>(samples[i] << (8 - content.depth - bit % 8));
      }
    }
    packed.push_back(row);
  }
  std::vector<png_bytep> pointers;
  for (auto& row : packed)
    pointers.push_back(row.data());
  png_write_image(png, pointers.data());
  png_write_end(png, info);
  png_destroy_write_struct(&png, &info);
  return bytes;
}

// A sample of depth bits scaled to 8 bits, rounded.
uint32_t To8(uint32_t sample, int depth) {
  return static_cast<uint32_t>(std::lround(sample * 255.0 / ((1u << depth) - 1)));
}

// Draws a 10 x 7 picture of the colour type and depth (tRNS on request), writes it and its row;
// returns its true colours.
Picture DrawPng(int colourType, int depth, bool withTrns, bool interlaced) {
  const int width = 10, height = 7;
  const uint32_t top = (1u << depth) - 1;
  const bool palette = colourType == PNG_COLOR_TYPE_PALETTE,
             grey = !(colourType & PNG_COLOR_MASK_COLOR);
  const int colours = palette ? 1
                      : grey  ? 1
                              : 3,
            channels = colours + (colourType & PNG_COLOR_MASK_ALPHA ? 1 : 0);
  PngContent content{colourType, depth, interlaced, {}, {}, {}, {}, false, 0};
  Picture picture{width, height, {}, withTrns || channels == 2 || channels == 4};
  if (palette) {
    for (uint32_t i = 0; i <= top; ++i)
      content.palette.push_back(
          png_color{uint8_t(i * 53 + 9), uint8_t(i * 97 + 200), uint8_t(255 - i * 31)});
    const uint8_t alphas[] = {0, 128, 37, 219, 255};
    if (withTrns)
      content.paletteAlpha.assign(alphas, alphas + std::min<uint32_t>(5, top + 1));
  }
  const uint32_t alphas[] = {0, top, top / 3, top / 2, top - top / 5};
  std::vector<uint16_t> transparentColour;
  for (int y = 0; y < height; ++y) {
    std::vector<uint16_t> row;
    for (int x = 0; x < width; ++x) {
      uint32_t rgb[3], alpha = top;
      for (int c = 0; c < colours; ++c)
        rgb[c] = (x * 4111u + y * 9001u + c * 15013u + 300u) % (top + 1);
      if (channels == 2 || channels == 4)
        alpha = alphas[(x + 2 * y) % 5];
      for (int c = 0; c < colours; ++c)
        row.push_back(static_cast<uint16_t>(rgb[c]));
      if (channels == 2 || channels == 4)
        row.push_back(static_cast<uint16_t>(alpha));
      if (withTrns && !palette && x == 3 && y == 0)
        transparentColour.assign(rgb, rgb + colours);
      uint32_t pixel;
      if (palette) {
        const png_color& entry = content.palette[rgb[0]];
        const uint32_t a =
            rgb[0] < content.paletteAlpha.size() ? content.paletteAlpha[rgb[0]] : 255;
        pixel = Argb(a, entry.red, entry.green, entry.blue);
      } else {
        const uint32_t r = To8(rgb[0], depth), g = To8(rgb[colours / 2], depth),
                       b = To8(rgb[colours - 1], depth);
        pixel = Argb(To8(alpha, depth), r, g, b);
      }
      picture.argb.push_back(pixel);
    }
    content.rows.push_back(row);
  }
  if (!transparentColour.empty()) {
    content.hasTransparent = true;
    content.transparent.gray = content.transparent.red = transparentColour[0];
    content.transparent.green = transparentColour[colours / 2];
    content.transparent.blue = transparentColour[colours - 1];
    for (int i = 0; i < width * height; ++i) {
      const auto& row = content.rows[i / width];
      if (std::equal(transparentColour.begin(), transparentColour.end(),
                     row.begin() + (i % width) * colours))
        picture.argb[i] &= 0x00FFFFFF;
    }
  }
  static const char* const kNames[] = {"grey", "", "rgb", "palette", "grey-alpha", "", "rgba"};
  const std::string name = std::string(kNames[colourType]) + "-" + std::to_string(depth) +
                           (withTrns ? "-trns" : "") + (interlaced ? "-interlaced" : "") + ".png";
  WriteFile(name, EncodePng(content, width, height));
  Accept(name, picture);
  return picture;
}

// A PNG chunk: length, type, data and CRC.
std::string Chunk(const std::string& type, const std::string& data, uint32_t declaredLength = 0) {
  const uint32_t length = declaredLength ? declaredLength : static_cast<uint32_t>(data.size());
  std::string out;
  for (int shift = 24; shift >= 0; shift -= 8)
    out += static_cast<char>(length >> shift);
  out += type + data;
  const std::string checked = type + data;
  const uLong crc =
      crc32(0, reinterpret_cast<const Bytef*>(checked.data()), static_cast<uInt>(checked.size()));
  for (int shift = 24; shift >= 0; shift -= 8)
    out += static_cast<char>(crc >> shift);
  return out;
}

const std::string kSignature("\x89PNG\r\n\x1a\n", 8);

// An 8-bit grey IHDR of the size.
std::string Header(uint32_t width, uint32_t height) {
  std::string data;
  for (uint32_t value : {width, height})
    for (int shift = 24; shift >= 0; shift -= 8)
      data += static_cast<char>(value >> shift);
  return Chunk("IHDR", data + std::string("\x08\x00\x00\x00\x00", 5));
}

// A grey PNG of one shade, written by libpng.
std::string FlatGrey(int width, int height, int depth, uint16_t shade, Picture& picture) {
  PngContent content{PNG_COLOR_TYPE_GRAY, depth, false, {}, {}, {}, {}, false, 0};
  content.rows.assign(height, std::vector<uint16_t>(width, shade));
  const uint32_t v = To8(shade, depth);
  picture = Picture{width, height,
                    std::vector<uint32_t>(size_t(width) * height, Argb(255, v, v, v)), false};
  return EncodePng(content, width, height);
}

void DrawPngs() {
  Picture rgba, rgb;
  for (bool interlaced : {false, true}) {
    for (int depth : {1, 2, 4, 8, 16})
      for (bool trns : {false, true})
        DrawPng(PNG_COLOR_TYPE_GRAY, depth, trns, interlaced);
    for (int depth : {1, 2, 4, 8})
      for (bool trns : {false, true})
        DrawPng(PNG_COLOR_TYPE_PALETTE, depth, trns, interlaced);
    for (int depth : {8, 16}) {
      rgb = DrawPng(PNG_COLOR_TYPE_RGB, depth, false, interlaced);
      DrawPng(PNG_COLOR_TYPE_RGB, depth, true, interlaced);
      DrawPng(PNG_COLOR_TYPE_GRAY_ALPHA, depth, false, interlaced);
      rgba = DrawPng(PNG_COLOR_TYPE_RGB_ALPHA, depth, false, interlaced);
    }
  }
  // The load settings: crops from each edge and quarter turns, on a translucent and an opaque
  // picture.
  const int crops[][4] = {{0, 0, 0, 0}, {1, 2, 3, 0}, {0, 0, 0, 6}, {3, 0, 1, 2}};
  for (int turns : {1, 2, 3, -1, 6})
    Accept("rgba-16-interlaced.png", rgba, turns, crops[(turns + 4) % 4]);
  Accept("rgb-16-interlaced.png", rgb, 1, crops[1]);
  Accept("rgb-16-interlaced.png", rgb, 0, crops[3]);
  Refuse("rgb-16-interlaced.png", "the crop settings leave no pixels of 10x7",
         " turn=1 crop=-4,0,0,7");

  // Gamma is ignored: the samples come out as stored.
  Picture flat;
  std::string gamma = FlatGrey(4, 3, 8, 100, flat);
  PngContent gammaContent{PNG_COLOR_TYPE_GRAY, 8, false, {}, {}, {}, {}, false, 0.2};
  gammaContent.rows.assign(3, std::vector<uint16_t>(4, 100));
  WriteFile("gamma.png", EncodePng(gammaContent, 4, 3));
  Accept("gamma.png", flat);
  WriteFile("after-iend.png", gamma + "trailing bytes");
  Accept("after-iend.png", flat);

  // Damaged files, refused by the walk over the chunks or by the decoder.
  const std::string header = Header(4, 3), body = gamma.substr(8 + header.size());
  WriteFile("text-past-end.png",
            kSignature + header + Chunk("tEXt", "Title", 0x7FFFFF00).substr(0, 17));
  Refuse("text-past-end.png", "PNG chunk tEXt runs past the end of the file");
  WriteFile("cut.png", gamma.substr(0, gamma.size() - 20));
  Refuse("cut.png", "PNG chunk IDAT runs past the end of the file");
  WriteFile("no-iend.png", gamma.substr(0, gamma.size() - 12));
  Refuse("no-iend.png", "PNG ends without an IEND chunk");
  WriteFile("iend-cut.png", gamma.substr(0, gamma.size() - 4));
  Refuse("iend-cut.png", "PNG chunk IEND runs past the end of the file");
  WriteFile("gama-first.png",
            kSignature + Chunk("gAMA", std::string("\0\0\xaf\xc8", 4)) + header + body);
  Refuse("gama-first.png", "PNG does not start with an IHDR chunk");
  WriteFile("two-ihdr.png", kSignature + header + header + body);
  Refuse("two-ihdr.png", "PNG has a second IHDR chunk");
  WriteFile("bad-type.png", kSignature + header + Chunk("t#Xt", "x") + body);
  Refuse("bad-type.png", "PNG chunk type is not four letters");
  WriteFile("short-ihdr.png", kSignature + Chunk("IHDR", std::string(8, '\1')) + body);
  Refuse("short-ihdr.png", "PNG IHDR chunk is not 13 bytes long");
  std::string crc = gamma;
  crc[crc.size() - 14] ^= 0x20;  // inside the IDAT chunk's CRC
  WriteFile("idat-crc.png", crc);
  Refuse("idat-crc.png", "PNG decoder: IDAT: CRC error");

  // The limits, on each side and in all, checked before any decoding.
  const uint32_t sizes[][2] = {{16385, 1},   {1, 16385},    {4097, 4096},
                               {4096, 4097}, {16144, 4097}, {0, 5}};
  for (const auto& size : sizes) {
    const std::string name =
        "claims-" + std::to_string(size[0]) + "x" + std::to_string(size[1]) + ".png";
    WriteFile(name, kSignature + Header(size[0], size[1]) + body);
    const bool side = size[0] > 16384 || size[1] > 16384;
    Refuse(name, std::to_string(size[0]) + "x" + std::to_string(size[1]) +
                     (size[0] == 0 ? " pixels is an empty picture"
                      : side       ? " pixels is over the limit of 16384 on a side"
                                   : " pixels is over the limit of 16 million"));
  }
  for (const auto& size : {std::pair<int, int>{16384, 1}, {1, 16384}, {4096, 4096}}) {
    const std::string name =
        "largest-" + std::to_string(size.first) + "x" + std::to_string(size.second) + ".png";
    Picture picture;
    WriteFile(name, FlatGrey(size.first, size.second, 1, 1, picture));
    Accept(name, picture);
  }
}

// ----------------------------------------------------------------------------------------- JPEG

// A JPEG of 8 x 8 blocks of one colour each, every component sampled in full at quality 100, so
// the decoder gives back the samples exactly. The samples are in the file's own colour space.
std::string EncodeJpeg(int width, int height, J_COLOR_SPACE space, int components,
                       const std::vector<uint8_t>& samples, bool adobe, bool progressive) {
  jpeg_compress_struct info;
  jpeg_error_mgr errors;
  info.err = jpeg_std_error(&errors);
  jpeg_create_compress(&info);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&info, &buffer, &size);
  info.image_width = width;
  info.image_height = height;
  info.input_components = components;
  info.in_color_space = space;
  jpeg_set_defaults(&info);
  jpeg_set_colorspace(&info, space);
  for (int c = 0; c < info.num_components; ++c)
    info.comp_info[c].h_samp_factor = info.comp_info[c].v_samp_factor = 1;
  info.write_Adobe_marker = adobe;
  jpeg_set_quality(&info, 100, TRUE);
  if (progressive)
    jpeg_simple_progression(&info);
  jpeg_start_compress(&info, TRUE);
  while (info.next_scanline < info.image_height) {
    JSAMPROW row = const_cast<uint8_t*>(&samples[size_t(info.next_scanline) * width * components]);
    jpeg_write_scanlines(&info, &row, 1);
  }
  jpeg_finish_compress(&info);
  std::string bytes(reinterpret_cast<const char*>(buffer), size);
  std::free(buffer);
  jpeg_destroy_compress(&info);
  return bytes;
}

uint32_t Product(uint32_t a, uint32_t b) { return (a * b + 127) / 255; }

// A JFIF conversion from YCbCr that lands at least 0.1 away from a rounding tie, or -1.
int Channel(double value) {
  const double fraction = value - std::floor(value);
  return value < 0 || value > 255 || std::fabs(fraction - 0.5) < 0.1
             ? -1
             : static_cast<int>(std::lround(value));
}

// 24 x 16 pixels: six blocks, each of one of the colours (components samples each).
std::vector<uint8_t> Blocks(const std::vector<std::vector<uint8_t>>& colours) {
  std::vector<uint8_t> samples;
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 24; ++x)
      for (uint8_t sample : colours[x / 8 + 3 * (y / 8)])
        samples.push_back(sample);
  return samples;
}

Picture BlockPicture(const std::vector<uint32_t>& colours) {
  Picture picture{24, 16, {}, false};
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 24; ++x)
      picture.argb.push_back(colours[x / 8 + 3 * (y / 8)]);
  return picture;
}

// The frame header's precision, height and width replaced.
std::string WithFrame(std::string bytes, int precision, uint16_t width, uint16_t height) {
  const size_t at = bytes.find("\xFF\xC0") + 4;
  if (precision != 8)
    bytes[at - 3] = '\xC1';
  const uint8_t frame[5] = {uint8_t(precision), uint8_t(height >> 8), uint8_t(height),
                            uint8_t(width >> 8), uint8_t(width)};
  bytes.replace(at, 5, reinterpret_cast<const char*>(frame), 5);
  return bytes;
}

void DrawJpegs() {
  const int kWidth = 24, kHeight = 16;
  std::vector<std::vector<uint8_t>> grey, ycc, cmyk, ycck;
  std::vector<uint32_t> greyOut, yccOut, cmykOut, invertedOut, ycckOut;
  const uint8_t shades[6] = {0, 255, 17, 128, 200, 77};
  for (int i = 0; i < 6; ++i) {
    const uint8_t v = shades[i], k = uint8_t(255 - 40 * i);
    grey.push_back({v});
    greyOut.push_back(Argb(255, v, v, v));
    const std::vector<uint8_t> ink = {uint8_t(30 * i + 10), uint8_t(250 - 37 * i),
                                      uint8_t(90 + 29 * i), k};
    cmyk.push_back(ink);
    cmykOut.push_back(Argb(255, Product(255 - ink[0], 255 - k), Product(255 - ink[1], 255 - k),
                           Product(255 - ink[2], 255 - k)));
    invertedOut.push_back(Argb(255, Product(ink[0], k), Product(ink[1], k), Product(ink[2], k)));
    ycck.push_back({v, 128, 128, k});
    ycckOut.push_back(Argb(255, Product(255 - v, k), Product(255 - v, k), Product(255 - v, k)));
  }
  for (int i = 0; ycc.size() < 6; ++i) {
    const int y = 40 + 29 * i % 180, cb = 70 + 37 * i % 120, cr = 60 + 53 * i % 140;
    const int r = Channel(y + 1.402 * (cr - 128)),
              g = Channel(y - 0.344136 * (cb - 128) - 0.714136 * (cr - 128)),
              b = Channel(y + 1.772 * (cb - 128));
    if (r < 0 || g < 0 || b < 0)
      continue;
    ycc.push_back({uint8_t(y), uint8_t(cb), uint8_t(cr)});
    yccOut.push_back(Argb(255, r, g, b));
  }
  const std::string greyJpeg =
      EncodeJpeg(kWidth, kHeight, JCS_GRAYSCALE, 1, Blocks(grey), false, false);
  const std::string yccJpeg = EncodeJpeg(kWidth, kHeight, JCS_YCbCr, 3, Blocks(ycc), false, false);
  const struct {
    const char* name;
    std::string bytes;
    std::vector<uint32_t> colours;
  } accepted[] = {
      {"grey.jpg", greyJpeg, greyOut},
      {"ycbcr.jpg", yccJpeg, yccOut},
      {"ycbcr-progressive.jpg", EncodeJpeg(kWidth, kHeight, JCS_YCbCr, 3, Blocks(ycc), false, true),
       yccOut},
      {"cmyk.jpg", EncodeJpeg(kWidth, kHeight, JCS_CMYK, 4, Blocks(cmyk), false, false), cmykOut},
      {"cmyk-adobe-inverted.jpg",
       EncodeJpeg(kWidth, kHeight, JCS_CMYK, 4, Blocks(cmyk), true, false), invertedOut},
      {"ycck-adobe.jpg", EncodeJpeg(kWidth, kHeight, JCS_YCCK, 4, Blocks(ycck), true, false),
       ycckOut},
      {"stray-bytes.jpg", std::string(greyJpeg).insert(greyJpeg.find("\xFF\xDA"), "\x12\x34\x56"),
       greyOut},
  };
  for (const auto& file : accepted) {
    WriteFile(file.name, file.bytes);
    Accept(file.name, BlockPicture(file.colours));
  }
  Accept("ycbcr.jpg", BlockPicture(yccOut), 3, std::vector<int>{5, 2, 0, 9}.data());
  const struct {
    const char* name;
    std::string bytes;
    const char* reason;
  } refused[] = {
      {"twelve-bit.jpg", WithFrame(greyJpeg, 12, kWidth, kHeight),
       "JPEG decoder: Unsupported JPEG data precision 12"},
      {"cut.jpg", yccJpeg.substr(0, yccJpeg.find("\xFF\xDA")),
       "JPEG decoder: Invalid JPEG file structure: missing SOS marker"},
      {"claims-16385x2.jpg", WithFrame(greyJpeg, 8, 16385, 2),
       "16385x2 pixels is over the limit of 16384 on a side"},
      {"claims-2x16385.jpg", WithFrame(greyJpeg, 8, 2, 16385),
       "2x16385 pixels is over the limit of 16384 on a side"},
      {"claims-4097x4096.jpg", WithFrame(greyJpeg, 8, 4097, 4096),
       "4097x4096 pixels is over the limit of 16 million"},
      {"claims-4096x4097.jpg", WithFrame(greyJpeg, 8, 4096, 4097),
       "4096x4097 pixels is over the limit of 16 million"},
  };
  for (const auto& file : refused) {
    WriteFile(file.name, file.bytes);
    Refuse(file.name, file.reason);
  }
  // What is not a picture file at all.
  WriteFile("not-a-picture.png", "Quendal The Warden\n");
  Refuse("not-a-picture.png", "not a JPEG or PNG picture");
  WriteFile("empty.jpg", "");
  Refuse("empty.jpg", "not a JPEG or PNG picture");
  Refuse("missing.png", "No such file or directory");
  Refuse(".", "not a regular file");
  Refuse("@fifo.png", "not a regular file");
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <output-dir>\n", argc > 0 ? argv[0] : "make_test_pictures");
    return 2;
  }
  directory = argv[1];
  table.open(directory + "/table.txt");
  DrawPngs();
  DrawJpegs();
  return table.good() ? 0 : 1;
}
