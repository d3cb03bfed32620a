#include "display/geometrie.h"

#include <cmath>
#include <cstdlib>

namespace welvaro {

namespace {

// The pixel a position in twips falls on.
int pixelVon(double twips) { return static_cast<int>(std::floor(twips / kTwipsProPixel + 1e-9)); }

std::string grad(int g, const char* negativ, const char* positiv) {
  if (g == 0) return "0\xC2\xB0";
  return std::to_string(std::abs(g)) + (g < 0 ? negativ : positiv);
}

}  // namespace

std::vector<Skalenmarke> skalaLaenge() {
  std::vector<Skalenmarke> m;
  for (int g = -180; g <= 180; g += 10) {
    const bool lang = g % 30 == 0;
    std::string text;
    if (lang) text = std::abs(g) == 180 ? std::string("180\xC2\xB0") : grad(g, "W", "E");
    m.push_back({pixelVon(weltX(g)), lang, text});
  }
  return m;
}

std::vector<Skalenmarke> skalaBreite() {
  std::vector<Skalenmarke> m;
  for (int g = 90; g >= -90; g -= 10) {
    const bool lang = g % 30 == 0;
    m.push_back({pixelVon(weltY(g)), lang, lang ? grad(g, "S", "N") : std::string()});
  }
  return m;
}

std::vector<Skalenmarke> skalaZeit() {
  std::vector<Skalenmarke> m;
  for (int h = 0; h <= 24; ++h) m.push_back({pixelVon(ortX(h)), h % 2 == 0, h % 2 == 0 ? std::to_string(h) : ""});
  return m;
}

std::vector<Skalenmarke> skalaFrequenz() {
  std::vector<Skalenmarke> m;
  for (int f = 30; f >= 0; --f) m.push_back({pixelVon(ortY(f)), f % 5 == 0, f % 5 == 0 ? std::to_string(f) : ""});
  return m;
}

}  // namespace welvaro
