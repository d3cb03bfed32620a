#include "display/greyline.h"

#include <cmath>

namespace welvaro {

namespace {

// The truncated quarter turn the template is built with.
constexpr double kQuarter = 1.5707963267945;
// One template step: a quarter turn in 135 steps, 2/3 degree.
constexpr double kStep = kQuarter / 135;
// The equator line of the map and the twips of 90 degrees of latitude.
constexpr double kEquator = 2025;

double sign(double v) { return v > 0 ? 1.0 : (v < 0 ? -1.0 : 0.0); }

}  // namespace

void prgGreyKurve(State& s) {
  const double d = s.Dekl;
  // A second run (a new day) starts from the equator everywhere.
  s.GreyKurve.fill(0.0f);

  // The boundary is the great circle a quarter turn from the sub-solar
  // point. Step k walks along it: GreyWinkel is the longitude reached from
  // the meridian of the pole-near point, GreyHoehe the latitude there.
  for (int k = 0; k <= 134; ++k) {
    const double x = k * kStep;
    const double sx = std::sin((k + 0.000001) * kStep);  // never 0
    const double a = std::atan(std::cos(x) / sx * d);
    s.GreyWinkel[k] = static_cast<float>(kQuarter - std::fabs(a));
    const double m = std::sqrt(std::sin(x) * std::sin(x) + d * d * std::cos(x) * std::cos(x));
    const double g = std::atan(-m / std::sqrt(1 - m * m));  // -arcsin m; m < 1 for k < 135
    s.GreyHoehe[k] = static_cast<float>((2 * std::atan(1.0) + g) * sign(d) * kEquator / kQuarter);
  }
  s.GreyWinkel[135] = static_cast<float>(kQuarter);
  s.GreyHoehe[135] = 0.0f;

  // Resample onto map columns of 2/3 degree, interpolating linearly between
  // the walk's steps. A column falling exactly on a step's longitude counts
  // to the step that begins there: with a strict test on both ends such a
  // column would belong to no step, the column counter would stop there,
  // and every later column would keep the equator.
  int o = 1;
  for (int k = 0; k <= 134; ++k) {
    const double w0 = s.GreyWinkel[k], w1 = s.GreyWinkel[k + 1];
    const double h0 = s.GreyHoehe[k], h1 = s.GreyHoehe[k + 1];
    const double dw = w1 - w0;
    while (o <= 135 && static_cast<float>(o * kStep) >= w0 && o * kStep < w1) {
      const float v = static_cast<float>((o * kStep - w0) / dw * (h1 - h0) + h0);
      s.GreyKurve[o] = v;
      s.GreyKurve[270 - o] = -v;
      s.GreyKurve[270 + o] = -v;
      s.GreyKurve[540 - o] = v;
      ++o;
    }
  }
  s.GreyKurve[0] = s.GreyKurve[1];
  s.GreyKurve[540] = s.GreyKurve[1];
  s.GreyKurve[270] = -s.GreyKurve[1];
}

std::vector<GreySegment> greylineSegments(State& s, const DateTime& utc) {
  // t = 0 at 12:00 UTC, when the sun stands over longitude 0.
  const double t = (utc.hour + 12) % 24 + utc.minute / 60.0;
  s.GreySpalte = std::floor(t / 24 * 540);
  const int column = static_cast<int>(s.GreySpalte);

  std::vector<GreySegment> segments;
  segments.reserve(539);
  double y0 = kEquator - s.GreyKurve[column];
  for (int c = 1; c <= 539; ++c) {
    // Modulo 539: the template's columns 1..539 go round; its column 540
    // repeats column 0 and is never drawn.
    const int k = (c + column) % 539 + 1;
    const double y1 = kEquator - s.GreyKurve[k];
    segments.push_back({15.0 * c, y0, 15.0 * (c + 1), y1});
    y0 = y1;
  }
  return segments;
}

std::vector<GreySegment> prgGreyline(State& s) {
  if (s.MonatFremd != 0) return {};
  s.Zeitpunkt = addSeconds(s.Jetzt, -std::llround(static_cast<double>(s.UTCKorr) * 3600));
  return greylineSegments(s, s.Zeitpunkt);
}

}  // namespace welvaro
