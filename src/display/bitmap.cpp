#include "display/bitmap.h"

#include <cmath>
#include <cstddef>
#include <cstring>

namespace welvaro {

namespace {

// Step n (0..17) of a rising ramp: floor(255 / 18 x n).
std::uint8_t rising(int n) { return static_cast<std::uint8_t>(255 * n / 18); }
// Step n (0..17) of a falling ramp: floor(255 - n x 255 / 18).
std::uint8_t falling(int n) { return static_cast<std::uint8_t>(255 * (18 - n) / 18); }

}  // namespace

Colour paletteColour(int i) {
  if (i < 18) return {0, 0, rising(i)};                 // black to blue
  if (i < 36) return {0, rising(i - 18), 255};          // blue to cyan
  if (i < 54) return {0, 255, falling(i - 36)};           // cyan to green
  if (i < 72) return {rising(i - 54), 255, 0};          // green to yellow
  if (i < 90) return {255, falling(i - 72), 0};           // yellow to red
  if (i < 108) return {255, 0, rising(i - 90)};         // red to magenta
  if (i < 128) return {255, 0, 255};                      // magenta
  const auto g = static_cast<std::uint8_t>(2 * (i - 128));  // greys of the drawings
  return {g, g, g};
}

std::string bmpPalette() {
  std::string b;
  b.reserve(kBmpPaletteLength);
  for (int i = 0; i < 256; ++i) {
    const Colour f = paletteColour(i);
    b += static_cast<char>(f.blue);
    b += static_cast<char>(f.green);
    b += static_cast<char>(f.red);
    b += '\0';
  }
  return b;
}

void conBitmaps(State& s) {
  s.BmpKopf1 = bmpHeader(kWorldBitmapWidth);
  s.BmpKopf2 = bmpHeader(kChartBitmapWidth);
  s.BmpPalette = bmpPalette();
}

bool bitmapsReady(const State& s) {
  return s.BmpKopf1.size() == kBmpHeaderLength && s.BmpKopf2.size() == kBmpHeaderLength &&
         s.BmpPalette.size() == kBmpPaletteLength;
}

void setHeader(std::string& picture, const std::string& head, int width, const std::string& palette) {
  if (head.size() == kBmpHeaderLength)
    std::memcpy(picture.data(), head.data(), kBmpHeaderLength);
  else
    std::memcpy(picture.data(), bmpHeader(width).data(), kBmpHeaderLength);
  if (palette.size() == kBmpPaletteLength)
    std::memcpy(picture.data() + kBmpHeaderLength, palette.data(), kBmpPaletteLength);
  else
    std::memcpy(picture.data() + kBmpHeaderLength, bmpPalette().data(), kBmpPaletteLength);
}

std::uint8_t overlayIndexRounded(std::uint8_t byte) {
  int k = 128 + byte / 2;
  if (byte % 2 == 1 && k % 2 == 1) ++k;  // x.5 goes to the even neighbour
  return static_cast<std::uint8_t>(k > 255 ? 255 : k);
}

void paintRows(const BitmapGrid& g, const int16* values, std::string_view map, char* pixel) {
  const auto* kb = reinterpret_cast<const unsigned char*>(map.data());
  const bool withOverlay = map.size() == g.row * kBitmapHeight;
  const int n = g.sections;
  const int px = g.pixelsPerSection;
  const std::size_t valuesPerRow = static_cast<std::size_t>(n * px);  // pixels before the last one
  float start[37];
  float step[37];
  double x[37];  // running value of each segment along the row
  double d[37];  // its step per pixel
  const float rows = static_cast<float>(g.rowsPerBand);
  const double pixelCount = px;
  auto* out = reinterpret_cast<unsigned char*>(pixel);
  std::size_t pos = 0;       // position in the drawing: the first byte of the current row
  unsigned char last = 0;  // index of the last pixel of the row just made
  for (int b = 0; b < g.bands; ++b) {
    const int16* bottom = values + static_cast<std::ptrdiff_t>(b) * n;
    const int16* top = bottom + n;
    for (int j = 0; j < n; ++j) {
      start[j] = bottom[j];
      step[j] = (static_cast<float>(top[j]) - start[j]) / rows;
    }
    for (int r = 0; r < g.rowsPerBand; ++r) {
      for (int j = 0; j < n; ++j) start[j] += step[j];
      for (int j = 0; j < n; ++j) {
        const int jn = j + 1 == n ? 0 : j + 1;
        x[j] = start[j];
        d[j] = (static_cast<double>(start[jn]) - static_cast<double>(start[j])) / pixelCount;
      }
      // Pixel k of every segment in turn: each segment's sum is formed in
      // its own order, and the segments no longer wait for each other.
      for (int k = 0; k < px; ++k) {
        unsigned char* z = out + k;
        for (int j = 0; j < n; ++j) {
          const double p = x[j] < 0.0 ? 0.0 : (x[j] > 128.0 ? 128.0 : x[j]);
          z[static_cast<std::ptrdiff_t>(j) * px] = static_cast<unsigned char>(p);  // p >= 0: truncation is floor
          x[j] += d[j];
        }
      }
      unsigned byte = 0;
      if (withOverlay) {
        const unsigned char* kz = kb + pos;
        for (std::size_t i = 0; i < valuesPerRow; ++i) {
          const unsigned char k = kz[i];
          out[i] = k > 16 ? static_cast<unsigned char>(128 + k / 2) : out[i];
        }
        byte = kz[valuesPerRow];
      }
      last = byte > 16 ? overlayIndexRounded(static_cast<std::uint8_t>(byte)) : 0;
      out[valuesPerRow] = last;
      std::memset(out + valuesPerRow + 1, 0, g.row - valuesPerRow - 1);
      pos += g.row;  // the row's pixels, its last pixel and the padding bytes
      out += g.row;
    }
  }
  // Top row: one index across, from the drawing or else the last pixel below.
  const unsigned byte = withOverlay ? kb[pos] : 0u;
  const unsigned char top = byte > 16 ? overlayIndexRounded(static_cast<std::uint8_t>(byte)) : last;
  std::memset(out, top, valuesPerRow + 1);
  std::memset(out + valuesPerRow + 1, 0, g.row - valuesPerRow - 1);
}

}  // namespace welvaro
