// Draws the game's start screen (bg.jpg), its seamless fire band (fire_bg_full.jpg), its icons (icons/<size>.png) and the brick breaker's ball (orb.png) from code, the same bytes every run.
#include <SDL.h>
#include <SDL_image.h>
#include <SDL_ttf.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "bricks/BricksSizes.h"
#include "game/StartButtons.h"

namespace {

const double kPi = 3.14159265358979323846;

struct Rgb {
  double r, g, b;
};

Rgb mix(Rgb a, Rgb b, double t) {
  return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}
double clamp01(double v) { return v < 0.0 ? 0.0 : (v > 1.0 ? 1.0 : v); }
double smooth(double t) { return t * t * (3.0 - 2.0 * t); }

// An RGB picture with double channels in 0..255; blending happens here, rounding only when saved.
struct Canvas {
  int w, h;
  std::vector<Rgb> px;
  Canvas(int width, int height)
      : w(width), h(height), px(static_cast<size_t>(width) * height, Rgb{0, 0, 0}) {}
  Rgb& at(int x, int y) { return px[static_cast<size_t>(y) * w + x]; }
  void blend(int x, int y, Rgb c, double a) {
    if (x >= 0 && y >= 0 && x < w && y < h && a > 0.0)
      at(x, y) = mix(at(x, y), c, clamp01(a));
  }
  void add(int x, int y, Rgb c, double a) {
    if (x < 0 || y < 0 || x >= w || y >= h || a <= 0.0)
      return;
    Rgb& p = at(x, y);
    p = {p.r + c.r * a, p.g + c.g * a, p.b + c.b * a};
  }
};

// splitmix64: a small generator of our own with a fixed seed, so no run depends on the C library's rand().
struct Random {
  uint64_t s;
  explicit Random(uint64_t seed) : s(seed) {}
  uint64_t next() {
    uint64_t z = (s += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }
  double unit() { return static_cast<double>(next() >> 11) * (1.0 / 9007199254740992.0); }
};

double lattice(int64_t i, int64_t j, uint64_t seed) {
  Random r(seed ^ (static_cast<uint64_t>(i) * 0x632BE59BD9B4E019ull) ^
           (static_cast<uint64_t>(j) * 0x85157AF5ull));
  return r.unit();
}

// Value noise whose lattice has `cells` cells across u in [0,1) and wraps, so it repeats with period 1 in u.
double wrapNoise(double u, double v, int cells, uint64_t seed) {
  double fx = u * cells, fy = v;
  double ix = std::floor(fx), iy = std::floor(fy);
  double tx = smooth(fx - ix), ty = smooth(fy - iy);
  int64_t i0 = static_cast<int64_t>(ix), j0 = static_cast<int64_t>(iy);
  auto cell = [&](int64_t i, int64_t j) { return lattice(((i % cells) + cells) % cells, j, seed); };
  double a = cell(i0, j0) + (cell(i0 + 1, j0) - cell(i0, j0)) * tx;
  double b = cell(i0, j0 + 1) + (cell(i0 + 1, j0 + 1) - cell(i0, j0 + 1)) * tx;
  return a + (b - a) * ty;
}

double wrapFbm(double u, double v, int cells, int octaves, uint64_t seed) {
  double sum = 0.0, amp = 0.5, norm = 0.0;
  for (int o = 0; o < octaves; ++o) {
    sum += amp * wrapNoise(u, v, cells, seed + static_cast<uint64_t>(o) * 7919u);
    norm += amp;
    amp *= 0.5;
    cells *= 2;
    v *= 2.0;
  }
  return sum / norm;
}

struct FontCloser {
  void operator()(TTF_Font* f) const { TTF_CloseFont(f); }
};
using Font = std::unique_ptr<TTF_Font, FontCloser>;
Font openFont(const std::string& path, int size) { return Font(TTF_OpenFont(path.c_str(), size)); }

// Grey coverage (0..1) of a rendered piece of text.
struct Mask {
  int w = 0, h = 0;
  std::vector<double> a;
  double at(int x, int y) const {
    return (x < 0 || y < 0 || x >= w || y >= h) ? 0.0 : a[static_cast<size_t>(y) * w + x];
  }
};

bool renderMask(TTF_Font* font, const char* text, Mask& m) {
  SDL_Surface* s = TTF_RenderUTF8_Blended(font, text, SDL_Color{255, 255, 255, 255});
  if (!s)
    return false;
  m.w = s->w;
  m.h = s->h;
  m.a.assign(static_cast<size_t>(m.w) * m.h, 0.0);
  SDL_LockSurface(s);
  for (int y = 0; y < m.h; ++y)
    for (int x = 0; x < m.w; ++x) {
      Uint32 p = *reinterpret_cast<const Uint32*>(static_cast<const Uint8*>(s->pixels) +
                                                  y * s->pitch + x * 4);
      Uint8 r, g, b, a;
      SDL_GetRGBA(p, s->format, &r, &g, &b, &a);
      m.a[static_cast<size_t>(y) * m.w + x] = a / 255.0;
    }
  SDL_UnlockSurface(s);
  SDL_FreeSurface(s);
  return true;
}

// Grows the mask by `pad` on every side and softens it with three box blurs of radius r (close to a gaussian).
Mask blurred(const Mask& in, int pad, int r) {
  Mask m;
  m.w = in.w + 2 * pad;
  m.h = in.h + 2 * pad;
  m.a.assign(static_cast<size_t>(m.w) * m.h, 0.0);
  for (int y = 0; y < in.h; ++y)
    for (int x = 0; x < in.w; ++x)
      m.a[static_cast<size_t>(y + pad) * m.w + x + pad] = in.at(x, y);
  std::vector<double> tmp(m.a.size());
  for (int pass = 0; pass < 6; ++pass) {
    bool horiz = pass % 2 == 0;
    for (int y = 0; y < m.h; ++y)
      for (int x = 0; x < m.w; ++x) {
        double s = 0.0;
        for (int k = -r; k <= r; ++k)
          s += horiz ? m.at(x + k, y) : m.at(x, y + k);
        tmp[static_cast<size_t>(y) * m.w + x] = s / (2 * r + 1);
      }
    m.a.swap(tmp);
  }
  return m;
}

// Ink rows and columns of a mask, so text can be centred by what is drawn rather than by the font's line box.
void inkBox(const Mask& m, int& x0, int& y0, int& x1, int& y1) {
  x0 = m.w;
  y0 = m.h;
  x1 = -1;
  y1 = -1;
  for (int y = 0; y < m.h; ++y)
    for (int x = 0; x < m.w; ++x)
      if (m.at(x, y) > 0.25) {
        x0 = std::min(x0, x);
        x1 = std::max(x1, x);
        y0 = std::min(y0, y);
        y1 = std::max(y1, y);
      }
}

template <typename ColourAt>
void paintMask(Canvas& c, const Mask& m, int ox, int oy, ColourAt colour, double strength,
               bool additive) {
  for (int y = 0; y < m.h; ++y)
    for (int x = 0; x < m.w; ++x) {
      double a = m.at(x, y) * strength;
      if (additive)
        c.add(ox + x, oy + y, colour(y), a);
      else
        c.blend(ox + x, oy + y, colour(y), a);
    }
}

// Writes the text with its ink box centred on (cx, cy), with a dark drop shadow, in a colour that may vary by row.
template <typename ColourAt>
bool drawCentred(Canvas& c, TTF_Font* font, const char* text, double cx, double cy, ColourAt colour,
                 int shadow) {
  Mask m;
  if (!renderMask(font, text, m))
    return false;
  int x0, y0, x1, y1;
  inkBox(m, x0, y0, x1, y1);
  int ox = static_cast<int>(std::lround(cx - (x0 + x1) / 2.0)),
      oy = static_cast<int>(std::lround(cy - (y0 + y1) / 2.0));
  if (shadow > 0)
    paintMask(
        c, m, ox + shadow, oy + shadow,
        [](int) {
          return Rgb{10, 4, 4};
        },
        0.8, false);
  paintMask(c, m, ox, oy, colour, 1.0, false);
  return true;
}

// ---------------------------------------------------------------- start screen

bool drawButton(Canvas& c, TTF_Font* font, const StartButton& button) {
  const int x0 = button.left, y0 = button.top, x1 = button.right, y1 = button.bottom;
  // A dark halo just outside, so the edge of the click area stands out from the sky.
  for (int y = y0 - 8; y <= y1 + 8; ++y)
    for (int x = x0 - 8; x <= x1 + 8; ++x) {
      if (x >= x0 && x <= x1 && y >= y0 && y <= y1)
        continue;
      int dx = std::max({x0 - x, x - x1, 0}), dy = std::max({y0 - y, y - y1, 0});
      double d = std::sqrt(static_cast<double>(dx * dx + dy * dy));
      if (d <= 8.0)
        c.blend(x, y, Rgb{0, 0, 4}, 0.85 * (1.0 - d / 8.0) + 0.1);
    }
  for (int y = y0; y <= y1; ++y)
    for (int x = x0; x <= x1; ++x) {
      int edge = std::min({x - x0, x1 - x, y - y0, y1 - y});
      double t = static_cast<double>(y - y0) / (y1 - y0);
      Rgb face = mix(Rgb{176, 52, 24}, Rgb{96, 18, 12}, t);
      if (edge == 0)
        face = Rgb{246, 206, 112};  // bright gold rim
      else if (edge == 1)
        face = Rgb{150, 98, 36};  // its darker inner line
      else if (edge == 2)
        face = (y - y0 == 2 || x - x0 == 2) ? Rgb{232, 120, 72} : Rgb{62, 10, 6};  // bevel
      else if (edge == 3 && (y - y0 == 3 || x - x0 == 3))
        face = mix(face, Rgb{220, 100, 60}, 0.5);
      c.at(x, y) = face;
    }
  return drawCentred(
      c, font, button.word, (x0 + x1) / 2.0, (y0 + y1) / 2.0,
      [](int) {
        return Rgb{255, 242, 206};
      },
      1);
}

bool makeStartScreen(Canvas& c, const std::string& fontPath) {
  const int W = c.w, H = c.h;
  auto hill = [&](int x) {
    double u = x / static_cast<double>(W);
    return 505.0 + 18.0 * std::sin(2 * kPi * 1.0 * u + 0.6) +
           9.0 * std::sin(2 * kPi * 3.0 * u + 2.1) + 4.0 * std::sin(2 * kPi * 7.0 * u + 4.0) +
           14.0 * (wrapFbm(u, 0.5, 16, 4, 0xB00) - 0.5);
  };
  // Night sky: deep blue at the top, violet lower down, a faint ember glow on the horizon.
  for (int y = 0; y < H; ++y)
    for (int x = 0; x < W; ++x) {
      double t = static_cast<double>(y) / H;
      Rgb sky = mix(Rgb{4, 6, 20}, Rgb{26, 22, 60}, smooth(clamp01(t / 0.72)));
      double glow = std::exp(-std::pow((y - 505.0) / 70.0, 2.0)) *
                    (0.75 + 0.25 * std::cos(2 * kPi * (x - 400.0) / 1600.0));
      sky = mix(sky, Rgb{120, 44, 36}, 0.7 * glow);
      c.at(x, y) = sky;
    }
  // Stars, fading towards the horizon and kept off the buttons.
  Random rnd(0x51A25EEDull);
  for (int i = 0; i < 340; ++i) {
    int x = static_cast<int>(rnd.unit() * W), y = static_cast<int>(rnd.unit() * 470);
    double b = std::pow(rnd.unit(), 3.0) * (1.0 - y / 520.0);
    double tint = rnd.unit();
    if (x > kPlayButton.left - 15 && x < kPlayButton.right + 16 && y > kPlayButton.top - 15 &&
        y < kExitButton.bottom + 16)
      continue;
    Rgb col = mix(Rgb{200, 215, 255}, Rgb{255, 235, 200}, tint);
    c.add(x, y, col, 0.25 + 0.75 * b);
    if (b > 0.35) {
      for (int k = 1; k <= (b > 0.7 ? 3 : 1); ++k) {
        double a = 0.5 * b / k;
        c.add(x + k, y, col, a);
        c.add(x - k, y, col, a);
        c.add(x, y + k, col, a);
        c.add(x, y - k, col, a);
      }
    }
  }
  // A crescent moon with a soft halo.
  const double mx = 655, my = 238, mr = 30;
  for (int y = 150; y < 330; ++y)
    for (int x = 560; x < 750; ++x) {
      double d = std::hypot(x - mx, y - my), d2 = std::hypot(x - mx + 12.0, y - my + 7.0);
      c.add(x, y, Rgb{70, 80, 110}, 0.55 * std::exp(-std::max(0.0, d - mr) / 22.0));
      double cover = clamp01(mr + 0.5 - d) * clamp01(d2 - (mr - 2.0) + 0.5);
      c.blend(x, y, Rgb{244, 236, 206}, cover);
    }
  // Hills and the warden's tower, black against the glow, with one lit window.
  for (int x = 0; x < W; ++x) {
    double top = hill(x);
    for (int y = static_cast<int>(top) - 1; y < H; ++y)
      c.blend(x, y, Rgb{7, 5, 12}, clamp01(y - top + 0.5));
  }
  auto fill = [&](int x0, int y0, int x1, int y1, Rgb col) {
    for (int y = y0; y <= y1; ++y)
      for (int x = x0; x <= x1; ++x)
        c.blend(x, y, col, 1.0);
  };
  const Rgb dark{7, 5, 12};
  fill(118, 392, 168, 540, dark);
  for (int k = 0; k < 4; ++k)
    fill(114 + k * 16, 378, 122 + k * 16, 392, dark);
  fill(112, 392, 174, 398, dark);
  for (int y = 410; y < 450; ++y)
    for (int x = 125; x < 162; ++x) {
      double d = std::hypot(x - 143.0, y - 426.0);
      c.add(x, y, Rgb{255, 140, 40}, 0.35 * std::exp(-d / 6.0));
    }
  fill(140, 419, 146, 432, Rgb{255, 176, 70});

  // Title: the largest size that fits in 720 pixels, gold to ember, with a glow and a dark rim.
  const char* title = "QUENDAL THE WARDEN";
  Font font;
  int tw = 0, th = 0;
  for (int size = 72; size > 10 && !font; size -= 2) {
    font = openFont(fontPath, size);
    if (!font)
      return false;
    if (TTF_SizeUTF8(font.get(), title, &tw, &th) != 0 || tw > 720)
      font.reset();
  }
  Mask m, rim;
  if (!font || !renderMask(font.get(), title, m))
    return false;
  TTF_SetFontOutline(font.get(), 3);
  if (!renderMask(font.get(), title, rim))
    return false;
  int ix0, iy0, ix1, iy1;
  inkBox(m, ix0, iy0, ix1, iy1);
  const int ox = static_cast<int>(std::lround(W / 2.0 - (ix0 + ix1) / 2.0));
  const int oy = static_cast<int>(std::lround(105.0 - (iy0 + iy1) / 2.0));
  paintMask(
      c, blurred(m, 24, 7), ox - 24, oy - 24,
      [](int) {
        return Rgb{255, 110, 30};
      },
      0.9, true);
  paintMask(
      c, rim, ox - 3, oy - 3,
      [](int) {
        return Rgb{28, 8, 4};
      },
      1.0, false);
  paintMask(
      c, m, ox, oy,
      [&](int y) {
        double t = clamp01(static_cast<double>(y - iy0) / (iy1 - iy0));
        return t < 0.5 ? mix(Rgb{255, 244, 190}, Rgb{255, 196, 84}, t * 2)
                       : mix(Rgb{255, 196, 84}, Rgb{224, 92, 30}, t * 2 - 1);
      },
      1.0, false);
  // An ornament under the title: a fading gold line with a small diamond.
  for (int x = 150; x < 650; ++x) {
    double a = std::pow(1.0 - std::abs(x - 400.0) / 250.0, 0.7);
    c.blend(x, 160, Rgb{230, 170, 80}, 0.9 * a);
    c.blend(x, 161, Rgb{120, 70, 30}, 0.6 * a);
  }
  for (int y = 154; y <= 167; ++y)
    for (int x = 393; x <= 407; ++x)
      c.blend(x, y, Rgb{255, 210, 120}, clamp01(6.5 - std::abs(x - 400.0) - std::abs(y - 160.5)));
  // Buttons over the click areas, then the hint line.
  Font word = openFont(fontPath, 22), hint = openFont(fontPath, 16);
  if (!word || !hint)
    return false;
  TTF_SetFontStyle(word.get(), TTF_STYLE_BOLD);
  return drawButton(c, word.get(), kPlayButton) && drawButton(c, word.get(), kExitButton) &&
         drawCentred(
             c, hint.get(), "Arrow keys steer the paddle  -  Escape quits", W / 2.0, 572.0,
             [](int) {
               return Rgb{196, 188, 214};
             },
             0);
}

// ---------------------------------------------------------------- fire band

// Every term depends on x only through u = x / width with whole cycles or a wrapping lattice, so column
// width-1 runs on into column 0 and copies laid side by side show no seam.
void makeFire(Canvas& c) {
  const int W = c.w, H = c.h;
  const Rgb stops[] = {{12, 2, 3},    {44, 6, 5},     {96, 16, 8},   {150, 38, 10},
                       {190, 78, 16}, {214, 122, 30}, {228, 160, 58}};
  const double at[] = {0.0, 0.18, 0.36, 0.54, 0.70, 0.86, 1.0};
  auto palette = [&](double t) {
    t = clamp01(t);
    int i = 0;
    while (i < 5 && t > at[i + 1])
      ++i;
    return mix(stops[i], stops[i + 1], (t - at[i]) / (at[i + 1] - at[i]));
  };
  for (int y = 0; y < H; ++y)
    for (int x = 0; x < W; ++x) {
      double u = x / static_cast<double>(W),
             v = (H - 1 - y) / static_cast<double>(H - 1);  // v: 0 bottom, 1 top
      // Sideways sway, stronger higher up, then tall tongues from noise stretched upwards.
      double sway = 0.018 * std::sin(2 * kPi * (4 * u + 1.3 * v) + 0.7) +
                    0.03 * v * (wrapFbm(u, v * 3.0, 10, 3, 0xF1) - 0.5);
      double w = u + sway;
      double reach =
          0.42 + 0.10 * std::sin(2 * kPi * 3 * w + 1.1) + 0.07 * std::sin(2 * kPi * 7 * w + 4.2) +
          0.05 * std::sin(2 * kPi * 12 * w + 2.5) + 0.05 * std::cos(2 * kPi * 19 * w + 0.3);
      double tongues = wrapFbm(w, v * 5.0, 40, 4, 0xF17E),
             flicker = wrapFbm(w, v * 3.0 + 0.4, 24, 3, 0xF1C4);
      double heat = clamp01(1.0 - v / std::max(0.12, reach) + 0.9 * (tongues - 0.5));
      heat = smooth(heat) * (0.62 + 0.5 * (flicker - 0.5));  // tongues, never white hot
      double smoke =
          0.16 * (1.0 - v) + 0.08 * wrapFbm(u, v * 2.0, 6, 3, 0x5E0);  // a dim red haze behind
      double t = std::max(heat, smoke);
      c.at(x, y) = palette(t);
    }
  // Drifting sparks, wrapped around the edges like everything else.
  Random rnd(0xE3BE5ull);
  for (int i = 0; i < 70; ++i) {
    double sx = rnd.unit() * W, sy = 40 + rnd.unit() * 380, r = 0.8 + 1.4 * rnd.unit(),
           b = 0.25 + 0.5 * rnd.unit();
    for (int y = static_cast<int>(sy) - 5; y <= static_cast<int>(sy) + 5; ++y)
      for (int dx = -5; dx <= 5; ++dx) {
        int x = static_cast<int>(sx) + dx;
        double d = std::hypot(x + 0.5 - sx, y + 0.5 - sy);
        c.add(((x % W) + W) % W, y, Rgb{255, 130, 40}, b * std::exp(-(d * d) / (r * r)));
      }
  }
}

bool save(const Canvas& c, const std::string& path) {
  SDL_Surface* s = SDL_CreateRGBSurfaceWithFormat(0, c.w, c.h, 24, SDL_PIXELFORMAT_RGB24);
  if (!s)
    return false;
  for (int y = 0; y < c.h; ++y) {
    Uint8* row = static_cast<Uint8*>(s->pixels) + y * s->pitch;
    for (int x = 0; x < c.w; ++x) {
      const Rgb& p = c.px[static_cast<size_t>(y) * c.w + x];
      double d =
          lattice(x, y, 0xD17E) - 0.5;  // a little fixed noise hides banding in the dark gradients
      row[3 * x + 0] = static_cast<Uint8>(std::lround(std::clamp(p.r + d, 0.0, 255.0)));
      row[3 * x + 1] = static_cast<Uint8>(std::lround(std::clamp(p.g + d, 0.0, 255.0)));
      row[3 * x + 2] = static_cast<Uint8>(std::lround(std::clamp(p.b + d, 0.0, 255.0)));
    }
  }
  bool ok = IMG_SaveJPG(s, path.c_str(), 95) == 0;
  SDL_FreeSurface(s);
  return ok;
}

// ---------------------------------------------------------------- square PNGs: ball and icons

// Saves an n x n PNG whose pixel (x, y) is colourAt(x + 0.5, y + 0.5): an RGB colour and whether
// it is covered; uncovered pixels are transparent black.
template <typename ColourAt>
bool saveSquarePng(const std::string& path, int n, ColourAt colourAt) {
  SDL_Surface* s = SDL_CreateRGBSurfaceWithFormat(0, n, n, 32, SDL_PIXELFORMAT_ARGB8888);
  if (!s)
    return false;
  for (int y = 0; y < n; ++y)
    for (int x = 0; x < n; ++x) {
      Rgb c{0, 0, 0};
      const bool covered = colourAt(x + 0.5, y + 0.5, c);
      reinterpret_cast<Uint32*>(static_cast<Uint8*>(s->pixels) + y * s->pitch)[x] =
          covered
              ? SDL_MapRGBA(s->format, static_cast<Uint8>(std::lround(clamp01(c.r / 255) * 255)),
                            static_cast<Uint8>(std::lround(clamp01(c.g / 255) * 255)),
                            static_cast<Uint8>(std::lround(clamp01(c.b / 255) * 255)), 255)
              : 0;
    }
  bool ok = IMG_SavePNG(s, path.c_str()) == 0;
  SDL_FreeSurface(s);
  return ok;
}

// A lit glass ball of radius r centred at (r, r) at distance (dx, dy) from its centre.
Rgb glassBall(double dx, double dy, double r, Rgb light, Rgb dark) {
  const double d = std::hypot(dx, dy) / r;
  const double shine =
      std::exp(-std::pow(std::hypot(dx + 0.35 * r, dy + 0.35 * r) / (0.3 * r), 2.0));
  return mix(mix(light, dark, smooth(clamp01(d))), Rgb{255, 255, 255}, shine);
}

// The brick breaker's ball on a transparent square: every pixel is either fully covered or fully
// transparent (and then black), so it reads the same whether its colours count as multiplied by
// their alpha or not.
bool saveOrb(const std::string& path) {
  const double r = kBallSize / 2.0;
  return saveSquarePng(path, kBallSize, [r](double x, double y, Rgb& c) {
    c = glassBall(x - r, y - r, r, Rgb{110, 215, 255}, Rgb{16, 50, 150});
    return std::hypot(x - r, y - r) <= r;
  });
}

// The game's icon at n x n: a rounded tile of fire, the paddle along its foot and the two balls.
bool saveIcon(const std::string& path, int n) {
  return saveSquarePng(path, n, [n](double x, double y, Rgb& c) {
    const double u = x / n, v = y / n, corner = 0.18;
    const double cx = std::clamp(u, corner, 1 - corner), cy = std::clamp(v, corner, 1 - corner);
    if (std::hypot(u - cx, v - cy) > corner)
      return false;
    c = mix(Rgb{40, 8, 4}, Rgb{235, 110, 20}, smooth(clamp01(v * 1.1)));
    const double ballR = 0.13;
    if (std::hypot(u - 0.33, v - 0.36) <= ballR)
      c = glassBall((u - 0.33) * n, (v - 0.36) * n, ballR * n, Rgb{255, 220, 120},
                    Rgb{190, 60, 10});
    else if (std::hypot(u - 0.68, v - 0.52) <= ballR)
      c = glassBall((u - 0.68) * n, (v - 0.52) * n, ballR * n, Rgb{150, 220, 255},
                    Rgb{20, 60, 160});
    else if (u >= 0.22 && u <= 0.78 && v >= 0.8 && v <= 0.88)
      c = Rgb{245, 245, 245};
    return true;
  });
}

// The icon sizes desktops look for.
const int kIconSizes[] = {16, 32, 48, 64, 128, 256};

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: %s <game-assets-dir> <bricks-assets-dir> <font-file>\n",
                 argc > 0 ? argv[0] : "make_pictures");
    return 2;
  }
  const std::string dir = argv[1], bricksDir = argv[2], fontPath = argv[3];
  if (SDL_Init(0) != 0 || (IMG_Init(IMG_INIT_JPG) & IMG_INIT_JPG) == 0 || TTF_Init() != 0) {
    std::fprintf(stderr, "make_pictures: cannot start SDL: %s\n", SDL_GetError());
    return 1;
  }
  Canvas start(800, 600), fire(800, 550);
  int rc = 0;
  if (!makeStartScreen(start, fontPath)) {
    std::fprintf(stderr, "make_pictures: cannot draw the start screen with font '%s': %s\n",
                 fontPath.c_str(), SDL_GetError());
    rc = 1;
  } else if (!save(start, dir + "/bg.jpg")) {
    std::fprintf(stderr, "make_pictures: cannot write %s/bg.jpg: %s\n", dir.c_str(),
                 SDL_GetError());
    rc = 1;
  }
  if (rc == 0) {
    makeFire(fire);
    if (!save(fire, dir + "/fire_bg_full.jpg")) {
      std::fprintf(stderr, "make_pictures: cannot write %s/fire_bg_full.jpg: %s\n", dir.c_str(),
                   SDL_GetError());
      rc = 1;
    }
  }
  if (rc == 0 && !saveOrb(bricksDir + "/orb.png")) {
    std::fprintf(stderr, "make_pictures: cannot write %s/orb.png: %s\n", bricksDir.c_str(),
                 SDL_GetError());
    rc = 1;
  }
  std::error_code made;
  std::filesystem::create_directories(dir + "/icons", made);
  for (const int size : kIconSizes) {
    const std::string icon = dir + "/icons/" + std::to_string(size) + ".png";
    if (rc == 0 && !saveIcon(icon, size)) {
      std::fprintf(stderr, "make_pictures: cannot write %s: %s\n", icon.c_str(), SDL_GetError());
      rc = 1;
    }
  }
  TTF_Quit();
  IMG_Quit();
  SDL_Quit();
  return rc;
}
