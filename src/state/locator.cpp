#include "state/locator.h"

#include <algorithm>
#include <cmath>

namespace welvaro {

namespace {

constexpr double kProGrad = 22.5;       // units per degree
constexpr double kBreiteX = 360 * kProGrad;  // 8100 units from 180 W to 180 E
constexpr double kHoeheY = 180 * kProGrad;   // 4050 units from 90 S to 90 N

// The four pairs of a locator: width and height of one step in units, the
// number of steps and the character of step 0.
struct Paar {
  double quer, hoch;
  int schritte;
  char erstes;
};
constexpr Paar kPaare[4] = {
    {450, 225, 18, 'A'},           // field, 20 x 10 degrees
    {45, 22.5, 10, '0'},           // square, 2 x 1 degrees
    {1.875, 0.9375, 24, 'A'},      // subsquare, 5 x 2.5 minutes
    {0.1875, 0.09375, 10, '0'},    // extended square, a tenth of that
};

// Held to 0 <= v < ende; not a number counts as 0.
double innen(double v, double ende) {
  if (!(v > 0)) return 0;
  return v < ende ? v : std::nextafter(ende, 0.0);
}

char gross(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }
bool buchstabe(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
bool ziffer(char c) { return c >= '0' && c <= '9'; }

}  // namespace

std::string_view ohneRand(std::string_view t) {
  while (!t.empty() && (t.front() == ' ' || t.front() == '\t')) t.remove_prefix(1);
  while (!t.empty() && (t.back() == ' ' || t.back() == '\t')) t.remove_suffix(1);
  return t;
}

std::string locatorAusEinheiten(double x, double hoehe, int stellen) {
  double rx = innen(x, kBreiteX), ry = innen(hoehe, kHoeheY);
  std::string t;
  for (int p = 0; p < 4 && 2 * p < stellen; ++p) {
    const Paar& pa = kPaare[p];
    const double a = std::min(std::floor(rx / pa.quer), pa.schritte - 1.0);
    const double b = std::min(std::floor(ry / pa.hoch), pa.schritte - 1.0);
    t += static_cast<char>(pa.erstes + static_cast<int>(a));
    t += static_cast<char>(pa.erstes + static_cast<int>(b));
    rx -= pa.quer * a;
    ry -= pa.hoch * b;
  }
  return t;
}

std::string locatorVon(double breite, double laenge) {
  return locatorAusEinheiten((laenge + 180) * kProGrad, (breite + 90) * kProGrad, 6);
}

LocatorLesung leseLocator(std::string_view text) {
  const std::string_view t = ohneRand(text);
  LocatorLesung r;
  auto falsch = [&](LocatorLesung::Fehler art, const std::string& warum) {
    r.art = art;
    r.fehler = "'" + std::string(t) + "' is no Maidenhead locator: " + warum;
    return r;
  };
  if (t.size() != 2 && t.size() != 4 && t.size() != 6 && t.size() != 8)
    return falsch(LocatorLesung::Fehler::Laenge,
                  "it has " + std::to_string(t.size()) + " characters, a locator has 2, 4, 6 or 8");
  static constexpr LocatorLesung::Fehler kArt[4] = {LocatorLesung::Fehler::Feld, LocatorLesung::Fehler::Quadrat,
                                                    LocatorLesung::Fehler::Unterfeld,
                                                    LocatorLesung::Fehler::Erweitert};
  static constexpr const char* kWarum[4] = {
      "characters 1 and 2 are letters A to R", "characters 3 and 4 are digits",
      "characters 5 and 6 are letters A to X", "characters 7 and 8 are digits"};
  double x = 0, y = 0;
  const std::size_t paare = t.size() / 2;
  for (std::size_t p = 0; p < paare; ++p) {
    const Paar& pa = kPaare[p];
    int schritt[2];
    for (int i = 0; i < 2; ++i) {
      const char c = t[2 * p + static_cast<std::size_t>(i)];
      const bool art = pa.erstes == 'A' ? buchstabe(c) : ziffer(c);
      schritt[i] = gross(c) - pa.erstes;
      if (!art || schritt[i] >= pa.schritte) return falsch(kArt[p], kWarum[p]);
    }
    x += pa.quer * schritt[0];
    y += pa.hoch * schritt[1];
  }
  // The centre: half a step of the last pair.
  x += kPaare[paare - 1].quer / 2;
  y += kPaare[paare - 1].hoch / 2;
  r.art = LocatorLesung::Fehler::Keiner;
  r.laenge = x / kProGrad - 180;
  r.breite = y / kProGrad - 90;
  return r;
}

bool istLocatorVersuch(std::string_view text) {
  const std::string_view t = ohneRand(text);
  if (t.size() < 2 || !buchstabe(t[0]) || !buchstabe(t[1])) return false;
  if (t.size() > 2) return ziffer(t[2]);
  return gross(t[0]) <= 'R' && gross(t[1]) <= 'R';
}

}  // namespace welvaro
