#include "state/locator.h"

#include <algorithm>
#include <cmath>

namespace welvaro {

namespace {

constexpr double kPerDeg = 22.5;       // units per degree
constexpr double kWidthX = 360 * kPerDeg;  // 8100 units from 180 W to 180 E
constexpr double kHeightY = 180 * kPerDeg;   // 4050 units from 90 S to 90 N

// The four pairs of a locator: width and height of one step in units, the
// number of steps and the character of step 0.
struct Pair {
  double across, up;
  int steps;
  char first;
};
constexpr Pair kPairs[4] = {
    {450, 225, 18, 'A'},           // field, 20 x 10 degrees
    {45, 22.5, 10, '0'},           // square, 2 x 1 degrees
    {1.875, 0.9375, 24, 'A'},      // subsquare, 5 x 2.5 minutes
    {0.1875, 0.09375, 10, '0'},    // extended square, a tenth of that
};

// Held to 0 <= v < ende; not a number counts as 0.
double inside(double v, double end) {
  if (!(v > 0)) return 0;
  return v < end ? v : std::nextafter(end, 0.0);
}

char upper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }
bool letter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
bool digit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

std::string_view trimmed(std::string_view t) {
  while (!t.empty() && (t.front() == ' ' || t.front() == '\t')) t.remove_prefix(1);
  while (!t.empty() && (t.back() == ' ' || t.back() == '\t')) t.remove_suffix(1);
  return t;
}

std::string locatorFromUnits(double x, double height, int digits) {
  double rx = inside(x, kWidthX), ry = inside(height, kHeightY);
  std::string t;
  for (int p = 0; p < 4 && 2 * p < digits; ++p) {
    const Pair& pa = kPairs[p];
    const double a = std::min(std::floor(rx / pa.across), pa.steps - 1.0);
    const double b = std::min(std::floor(ry / pa.up), pa.steps - 1.0);
    t += static_cast<char>(pa.first + static_cast<int>(a));
    t += static_cast<char>(pa.first + static_cast<int>(b));
    rx -= pa.across * a;
    ry -= pa.up * b;
  }
  return t;
}

std::string locatorOf(double lat, double lon) {
  return locatorFromUnits((lon + 180) * kPerDeg, (lat + 90) * kPerDeg, 6);
}

LocatorReading readLocator(std::string_view text) {
  const std::string_view t = trimmed(text);
  LocatorReading r;
  auto invalid = [&](LocatorReading::Error kind, const std::string& why) {
    r.kind = kind;
    r.error = "'" + std::string(t) + "' is no Maidenhead locator: " + why;
    return r;
  };
  if (t.size() != 2 && t.size() != 4 && t.size() != 6 && t.size() != 8)
    return invalid(LocatorReading::Error::Length,
                  "it has " + std::to_string(t.size()) + " characters, a locator has 2, 4, 6 or 8");
  static constexpr LocatorReading::Error kKind[4] = {LocatorReading::Error::Field, LocatorReading::Error::Square,
                                                    LocatorReading::Error::Subsquare,
                                                    LocatorReading::Error::Extended};
  static constexpr const char* kWhy[4] = {
      "characters 1 and 2 are letters A to R", "characters 3 and 4 are digits",
      "characters 5 and 6 are letters A to X", "characters 7 and 8 are digits"};
  double x = 0, y = 0;
  const std::size_t pairs = t.size() / 2;
  for (std::size_t p = 0; p < pairs; ++p) {
    const Pair& pa = kPairs[p];
    int step[2];
    for (int i = 0; i < 2; ++i) {
      const char c = t[2 * p + static_cast<std::size_t>(i)];
      const bool kind = pa.first == 'A' ? letter(c) : digit(c);
      step[i] = upper(c) - pa.first;
      if (!kind || step[i] >= pa.steps) return invalid(kKind[p], kWhy[p]);
    }
    x += pa.across * step[0];
    y += pa.up * step[1];
  }
  // The centre: half a step of the last pair.
  x += kPairs[pairs - 1].across / 2;
  y += kPairs[pairs - 1].up / 2;
  r.kind = LocatorReading::Error::None;
  r.lon = x / kPerDeg - 180;
  r.lat = y / kPerDeg - 90;
  return r;
}

bool looksLikeLocator(std::string_view text) {
  const std::string_view t = trimmed(text);
  if (t.size() < 2 || !letter(t[0]) || !letter(t[1])) return false;
  if (t.size() > 2) return digit(t[2]);
  return upper(t[0]) <= 'R' && upper(t[1]) <= 'R';
}

}  // namespace welvaro
