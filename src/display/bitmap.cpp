#include "display/bitmap.h"

#include <cmath>
#include <cstddef>
#include <cstring>

namespace welvaro {

namespace {

void wort(std::string& b, std::uint16_t v) {
  b += static_cast<char>(v & 0xFF);
  b += static_cast<char>(v >> 8);
}

void doppelwort(std::string& b, std::uint32_t v) {
  for (int k = 0; k < 4; ++k) b += static_cast<char>((v >> (8 * k)) & 0xFF);
}

// Step n (0..17) of a rising ramp: floor(255 / 18 x n).
std::uint8_t steigend(int n) { return static_cast<std::uint8_t>(255 * n / 18); }
// Step n (0..17) of a falling ramp: floor(255 - n x 255 / 18).
std::uint8_t fallend(int n) { return static_cast<std::uint8_t>(255 * (18 - n) / 18); }

}  // namespace

std::string bmpKopf(int breite) {
  const std::uint32_t zeile = static_cast<std::uint32_t>((breite + 3) / 4 * 4);
  const std::uint32_t daten = zeile * kBildHoehe;
  std::string b;
  b.reserve(kBmpKopfLaenge);
  b += "BM";
  doppelwort(b, static_cast<std::uint32_t>(kBmpDatenStart) + daten);  // file size
  doppelwort(b, 0);                                                   // reserved
  doppelwort(b, static_cast<std::uint32_t>(kBmpDatenStart));          // offset of the pixels
  doppelwort(b, 40);                                                  // information header size
  doppelwort(b, static_cast<std::uint32_t>(breite));
  doppelwort(b, kBildHoehe);  // positive: rows bottom-up
  wort(b, 1);                 // planes
  wort(b, 8);                 // bits per pixel
  doppelwort(b, 0);           // no compression
  doppelwort(b, daten);
  doppelwort(b, 0);  // horizontal resolution
  doppelwort(b, 0);  // vertical resolution
  doppelwort(b, 256);
  doppelwort(b, 256);
  return b;
}

Farbe paletteFarbe(int i) {
  if (i < 18) return {0, 0, steigend(i)};                 // black to blue
  if (i < 36) return {0, steigend(i - 18), 255};          // blue to cyan
  if (i < 54) return {0, 255, fallend(i - 36)};           // cyan to green
  if (i < 72) return {steigend(i - 54), 255, 0};          // green to yellow
  if (i < 90) return {255, fallend(i - 72), 0};           // yellow to red
  if (i < 108) return {255, 0, steigend(i - 90)};         // red to magenta
  if (i < 128) return {255, 0, 255};                      // magenta
  const auto g = static_cast<std::uint8_t>(2 * (i - 128));  // greys of the drawings
  return {g, g, g};
}

std::string bmpPalette() {
  std::string b;
  b.reserve(kBmpPaletteLaenge);
  for (int i = 0; i < 256; ++i) {
    const Farbe f = paletteFarbe(i);
    b += static_cast<char>(f.blau);
    b += static_cast<char>(f.gruen);
    b += static_cast<char>(f.rot);
    b += '\0';
  }
  return b;
}

void conBitmaps(State& s) {
  s.BmpKopf1 = bmpKopf(kWeltBildBreite);
  s.BmpKopf2 = bmpKopf(kOrtBildBreite);
  s.BmpPalette = bmpPalette();
}

bool bitmapsBereit(const State& s) {
  return s.BmpKopf1.size() == kBmpKopfLaenge && s.BmpKopf2.size() == kBmpKopfLaenge &&
         s.BmpPalette.size() == kBmpPaletteLaenge;
}

void setzeKopf(std::string& bild, const std::string& kopf, int breite, const std::string& palette) {
  if (kopf.size() == kBmpKopfLaenge)
    std::memcpy(bild.data(), kopf.data(), kBmpKopfLaenge);
  else
    std::memcpy(bild.data(), bmpKopf(breite).data(), kBmpKopfLaenge);
  if (palette.size() == kBmpPaletteLaenge)
    std::memcpy(bild.data() + kBmpKopfLaenge, palette.data(), kBmpPaletteLaenge);
  else
    std::memcpy(bild.data() + kBmpKopfLaenge, bmpPalette().data(), kBmpPaletteLaenge);
}

std::uint8_t overlayIndexRund(std::uint8_t byte) {
  int k = 128 + byte / 2;
  if (byte % 2 == 1 && k % 2 == 1) ++k;  // x.5 goes to the even neighbour
  return static_cast<std::uint8_t>(k > 255 ? 255 : k);
}

void maleZeilen(const Bildgitter& g, const int16* werte, std::string_view karte, char* pixel) {
  const auto* kb = reinterpret_cast<const unsigned char*>(karte.data());
  const bool mitKarte = karte.size() == g.zeile * kBildHoehe;
  const int n = g.abschnitte;
  const int px = g.pixelJeAbschnitt;
  const std::size_t werteProZeile = static_cast<std::size_t>(n * px);  // pixels before the last one
  float start[37];
  float schritt[37];
  double x[37];  // running value of each segment along the row
  double d[37];  // its step per pixel
  const float zeilen = static_cast<float>(g.zeilenJeBand);
  const double pixelZahl = px;
  auto* out = reinterpret_cast<unsigned char*>(pixel);
  std::size_t pos = 0;       // position in the drawing: the first byte of the current row
  unsigned char letzter = 0;  // index of the last pixel of the row just made
  for (int b = 0; b < g.baender; ++b) {
    const int16* unten = werte + static_cast<std::ptrdiff_t>(b) * n;
    const int16* oben = unten + n;
    for (int j = 0; j < n; ++j) {
      start[j] = unten[j];
      schritt[j] = (static_cast<float>(oben[j]) - start[j]) / zeilen;
    }
    for (int r = 0; r < g.zeilenJeBand; ++r) {
      for (int j = 0; j < n; ++j) start[j] += schritt[j];
      for (int j = 0; j < n; ++j) {
        const int jn = j + 1 == n ? 0 : j + 1;
        x[j] = start[j];
        d[j] = (static_cast<double>(start[jn]) - static_cast<double>(start[j])) / pixelZahl;
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
      if (mitKarte) {
        const unsigned char* kz = kb + pos;
        for (std::size_t i = 0; i < werteProZeile; ++i) {
          const unsigned char k = kz[i];
          out[i] = k > 16 ? static_cast<unsigned char>(128 + k / 2) : out[i];
        }
        byte = kz[werteProZeile];
      }
      letzter = byte > 16 ? overlayIndexRund(static_cast<std::uint8_t>(byte)) : 0;
      out[werteProZeile] = letzter;
      std::memset(out + werteProZeile + 1, 0, g.zeile - werteProZeile - 1);
      pos += g.zeile;  // the row's pixels, its last pixel and the padding bytes
      out += g.zeile;
    }
  }
  // Top row: one index across, from the drawing or else the last pixel below.
  const unsigned byte = mitKarte ? kb[pos] : 0u;
  const unsigned char top = byte > 16 ? overlayIndexRund(static_cast<std::uint8_t>(byte)) : letzter;
  std::memset(out, top, werteProZeile + 1);
  std::memset(out + werteProZeile + 1, 0, g.zeile - werteProZeile - 1);
}

}  // namespace welvaro
