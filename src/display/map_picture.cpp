#include "display/map_picture.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <string>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "display/caption.h"
#include "display/outlookview.h"
#include "display/font.h"
#include "display/sun.h"
#include "model/constants.h"
#include "outlook/grids.h"

namespace welvaro {

namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kRad = kPi / 180.0;

// Greys of the drawings, as in the map's overlay.
constexpr std::uint32_t kCoastGrey = rgb(0x5A, 0x5A, 0x5A);
constexpr std::uint32_t kBorderGrey = rgb(0x84, 0x84, 0x84);
constexpr std::uint32_t kGridGrey = rgb(0xE0, 0xE0, 0xE0);
constexpr std::uint32_t kBlack = rgb(0, 0, 0);
constexpr std::uint32_t kWeiss = rgb(255, 255, 255);

// Night side: from the terminator the night grows over a twilight band (the
// sun down to about 6 degrees below the horizon) in kSteps steps. It is
// shown by a hatching of thin diagonal lines, dark over light colours and
// light over dark ones, and leaves the colours between the lines exactly
// those of the colour bar, so every value reads against the bar by day and
// by night alike, black included. The land and sea under a closed band are
// lit by day and darker at night.
constexpr int kSteps = 32;
constexpr double kTwilight = 0.1;  // sine of the sun's depth where full night begins
constexpr double kHatchCover = 0.6;  // cover of a hatch line at full night
// Colour table entries per step: the 129 values, then land and sea.
constexpr int kLandEntry = 129, kSeaEntry = 130, kEntries = 131;
// Hatched variants follow the plain ones: entry (stufe + kHatched) x kEntries + e.
constexpr int kHatched = kSteps + 1;
// Land and sea where no signal arrives: by day, and at full night.
constexpr std::uint32_t kLandByDay = rgb(0x6C, 0x68, 0x5C), kLandAtNight = rgb(0x3A, 0x38, 0x32);
constexpr std::uint32_t kSeaByDay = rgb(0x2E, 0x36, 0x40), kSeaAtNight = rgb(0x18, 0x1C, 0x22);

// Rings of the azimuthal map every 5000 km, bearing lines every 30 degrees.
constexpr double kRingKm = 5000;


// Grid coordinates of a position: band b (0..17) and weight t, column j
// (0..35) and weight u, 180 E being column 36 = -180 again.
struct Cell {
  int b, j;
  float t, u;
};
Cell cellOf(GeoPoint o) {
  const double z = (std::clamp(o.lat, -90.0, 90.0) + 90.0) / 10.0;
  const double s = (std::clamp(o.lon, -180.0, 180.0) + 180.0) / 10.0;
  const int b = std::min(17, static_cast<int>(z)), j = std::min(35, static_cast<int>(s));
  return {b, j, static_cast<float>(z - b), static_cast<float>(s - j)};
}

// A polyline of positions `point(i)`, i < n, stroked into `m`; with
// `dash` > 0 dashed, `dash` pixels drawn and as many left out. Pieces
// that jump are not joined: on the rectangular map a piece crossing the date
// line is drawn to both edges; on the azimuthal map a piece passing by the
// antipode (spread over the rim) is left out.
template <class Points>
void polyline(const MapProjection& p, StrokeMask& m, std::size_t n, Points point, double thickness,
               double dash = 0) {
  if (n < 2) return;
  double run = 0;  // length drawn so far, for the dashes
  const auto piece = [&](Point a, Point b) {
    if (dash <= 0) return m.segment(a, b, thickness);
    const double len = std::hypot(b.x - a.x, b.y - a.y);
    for (double t0 = 0; t0 < len;) {
      const double phase = std::fmod(run, 2 * dash);
      const double t1 = std::min(len, t0 + (phase < dash ? dash - phase : 2 * dash - phase));
      if (phase < dash)
        m.segment({a.x + (b.x - a.x) * t0 / len, a.y + (b.y - a.y) * t0 / len},
                  {a.x + (b.x - a.x) * t1 / len, a.y + (b.y - a.y) * t1 / len}, thickness);
      run += t1 - t0;
      t0 = t1;
    }
  };
  GeoPoint a = point(0);
  Point pa = p.toPixel(a);
  const double jump = p.radius() / 4;
  for (std::size_t i = 1; i < n; ++i) {
    const GeoPoint b = point(i);
    const Point pb = p.toPixel(b);
    if (p.kind() == Projection::Rectangular && std::fabs(b.lon - a.lon) > 180) {
      const double edge = a.lon > 0 ? 180.0 : -180.0;
      const double lb = b.lon + (b.lon < a.lon ? 360.0 : -360.0);
      const double t = (edge - a.lon) / (lb - a.lon);
      const double lat = a.lat + t * (b.lat - a.lat);
      piece(pa, {p.column(edge), p.row(lat)});
      piece({p.column(-edge), p.row(lat)}, pb);
    } else if (p.kind() == Projection::Rectangular || std::hypot(pb.x - pa.x, pb.y - pa.y) <= jump) {
      piece(pa, pb);
    }
    a = b;
    pa = pb;
  }
}

// Colour indices of the pixels von..to-1 of a row lying between two grid
// columns: a + u d, u the pixel's weight. The values lie within 0..108 (an
// interpolation between indices of the table), so the whole part is the
// index; four pixels at a time where the processor has SSE2, with the same
// single-precision operations as one at a time.
void indexRun(std::uint16_t* target, const float* u, int from, int to, float a, float d) {
  int x = from;
#if defined(__SSE2__)
  const __m128 va = _mm_set1_ps(a), vd = _mm_set1_ps(d);
  for (; x + 8 <= to; x += 8) {
    const __m128i i0 = _mm_cvttps_epi32(_mm_add_ps(va, _mm_mul_ps(_mm_loadu_ps(u + x), vd)));
    const __m128i i1 = _mm_cvttps_epi32(_mm_add_ps(va, _mm_mul_ps(_mm_loadu_ps(u + x + 4), vd)));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(target + x), _mm_packs_epi32(i0, i1));
  }
#endif
  for (; x < to; ++x) target[x] = static_cast<std::uint16_t>(static_cast<int>(a + u[x] * d));
}

// Adds to each colour table entry the pixel's night step sa + sb cos, held
// to 0..kSteps, and the hatching `hatch` (kHatched on a hatch line, else
// 0), in steps of kEntries: the entry of that step, plain or hatched.
void nightRun(std::uint16_t* target, const float* cosL, const std::int16_t* hatch, std::size_t n, float sa,
               float sb) {
  std::size_t x = 0;
#if defined(__SSE2__)
  const __m128 va = _mm_set1_ps(sa), vb = _mm_set1_ps(sb), null = _mm_setzero_ps(),
               full = _mm_set1_ps(float{kSteps});
  const __m128i entries = _mm_set1_epi16(kEntries);
  for (; x + 8 <= n; x += 8) {
    const __m128 s0 = _mm_min_ps(_mm_max_ps(_mm_add_ps(va, _mm_mul_ps(vb, _mm_loadu_ps(cosL + x))), null), full);
    const __m128 s1 = _mm_min_ps(_mm_max_ps(_mm_add_ps(va, _mm_mul_ps(vb, _mm_loadu_ps(cosL + x + 4))), null), full);
    __m128i st = _mm_packs_epi32(_mm_cvttps_epi32(s0), _mm_cvttps_epi32(s1));
    st = _mm_add_epi16(st, _mm_loadu_si128(reinterpret_cast<const __m128i*>(hatch + x)));
    __m128i* p = reinterpret_cast<__m128i*>(target + x);
    _mm_storeu_si128(p, _mm_add_epi16(_mm_loadu_si128(p), _mm_mullo_epi16(st, entries)));
  }
#endif
  for (; x < n; ++x)
    target[x] = static_cast<std::uint16_t>(
        target[x] + kEntries * (static_cast<int>(std::min(std::max(sa + sb * cosL[x], 0.0f), float{kSteps})) +
                              hatch[x]));
}

// Where no signal arrives (index 0) the land or sea of `ground` shows: in
// the picture columns from..to-1.
void groundRun(std::uint16_t* row, const std::uint16_t* ground, int from, int to) {
  for (int x = from; x < to; ++x)
    if (row[x] == 0) row[x] = ground[x];
}

// Points of the great circle from `a` along `bearingDeg` over `angle`
// [rad], one every half degree at most.
void arcPoints(GeoPoint a, double bearingDeg, double angle, std::vector<GeoPoint>& out) {
  out.clear();
  const int n = std::max(2, static_cast<int>(std::ceil(angle / kRad * 2)) + 1);
  for (int i = 0; i < n; ++i) out.push_back(destination(a, bearingDeg, angle * i / (n - 1)));
}

}  // namespace

void MapPicture::setLines(const MapLines* lines) { lineData_ = lines; }

void MapPicture::setLandAreas(const LandAreas* land) { land_ = land; }

void MapPicture::build(const State& s, const MapView& a, const Key& k) {
  key_ = k;
  const bool azimuthal = a.projection == Projection::Azimuthal;
  const std::array<std::string, 5> legend = a.outlook ? outlookLegend(s) : std::array<std::string, 5>{};
  layout_ = planLayout(azimuthal ? LayoutKind::Azimuthal : LayoutKind::Map, k.layout.width, k.layout.height, a.scales,
                          fontDot(a.scale), k.layout.captionLines, a.outlook ? outlookLegendWidth(legend) : 0);
  const std::size_t area = static_cast<std::size_t>(k.layout.width) * k.layout.height;
  buffer_.assign(area, a.background);
  mask_.setSize(k.layout.width, k.layout.height);
  const Rect& r = layout_.picture;
  proj_ = azimuthal ? MapProjection::azimuthal(r, {s.X1, s.Y1}) : MapProjection::rectangular(r);

  Canvas w = canvas();
  drawFrame(w, mask_, layout_, a.background, a.level && !a.outlook);
  if (a.outlook) drawOutlookLegend(w, mask_, layout_, a.background, legend);
  if (azimuthal)
    drawAzimuthalScales(w, mask_, layout_, proj_, a.background);
  else
    drawMapScales(w, mask_, layout_, proj_, a.background);

  // The colours per night step, plain and on a hatch line.
  colours_.resize(static_cast<std::size_t>(2 * kHatched) * kEntries);
  const std::uint32_t* values = a.outlook ? outlookColours() : valueColours();
  for (int st = 0; st <= kSteps; ++st) {
    const auto night = static_cast<std::uint32_t>(std::lround(255.0 * st / kSteps));
    const auto line = static_cast<std::uint32_t>(std::lround(255 * kHatchCover * st / kSteps));
    for (int e = 0; e < kEntries; ++e) {
      const std::uint32_t c = e == kLandEntry ? blend(kLandByDay, kLandAtNight, night)
                              : e == kSeaEntry ? blend(kSeaByDay, kSeaAtNight, night)
                                               : values[e];
      // A hatch line is dark on a light colour and light on a dark one.
      const int light = 299 * ((c >> 16) & 0xFF) + 587 * ((c >> 8) & 0xFF) + 114 * (c & 0xFF);
      colours_[static_cast<std::size_t>(st) * kEntries + e] = c;
      colours_[static_cast<std::size_t>(st + kHatched) * kEntries + e] =
          blend(c, light > 70000 ? kBlack : kWeiss, line);
    }
  }
  // The hatching: lines down to the left, a dot wide every few dots, laid
  // on the picture's own pixels, so that they do not move from frame to
  // frame; row y begins at entry (r.x + r.y + y) mod period.
  hatchPeriod_ = std::max(4, static_cast<int>(std::lround(6 * a.scale)));
  hatchLine_ = std::max(1, static_cast<int>(std::lround(a.scale)));
  hatch_.assign(static_cast<std::size_t>(std::max(0, r.width) + hatchPeriod_), 0);
  for (std::size_t x = 0; x < hatch_.size(); ++x)
    if (static_cast<int>(x) % hatchPeriod_ < hatchLine_) hatch_[x] = kHatched;

  // Land and sea: on the rectangular map at its own pixels, on the
  // azimuthal one on a grid about as fine as its centre.
  landRaster_.clear();
  if (land_ != nullptr && !land_->empty()) {
    if (!azimuthal && r.width >= 2 && r.height >= 2) {
      landRaster_.build(*land_, r.width, r.height, -180.0, 360.0 / (r.width - 1), 90.0, 180.0 / (r.height - 1), false);
    } else if (azimuthal) {
      const double step = 180.0 / std::clamp(std::ceil(proj_.radius()), 90.0, 8192.0);
      landRaster_.build(*land_, static_cast<int>(std::lround(360.0 / step)) + 1,
                        static_cast<int>(std::lround(180.0 / step)) + 1, -180.0, step, 90.0, step, true);
    }
  }
  groundRow_.assign(static_cast<std::size_t>(std::max(0, r.width)), kSeaEntry);

  columnU_.clear();
  columnLon_.clear();
  disc_.clear();
  edge_.clear();
  rowFrom_.assign(static_cast<std::size_t>(std::max(0, r.height)), 0);
  rowTo_.assign(static_cast<std::size_t>(std::max(0, r.height)), 0);
  rowX0_.assign(static_cast<std::size_t>(std::max(0, r.height)), 0);
  if (!azimuthal) {
    // Per picture column its weight between its grid columns; the columns
    // of each grid segment follow each other.
    segment_.assign(37, r.width);
    for (int x = r.width - 1; x >= 0; --x) {
      const double sp = r.width > 1 ? x * 36.0 / (r.width - 1) : 0.0;  // grid columns from -180
      segment_[static_cast<std::size_t>(std::min(35, static_cast<int>(sp)))] = x;
    }
    // A grid column without a pixel (a picture narrower than 36 pixels)
    // starts where the next one does.
    for (int j = 35; j >= 0; --j)
      segment_[static_cast<std::size_t>(j)] =
          std::min(segment_[static_cast<std::size_t>(j)], segment_[static_cast<std::size_t>(j) + 1]);
    for (int x = 0; x < r.width; ++x) {
      const double sp = r.width > 1 ? x * 36.0 / (r.width - 1) : 0.0;
      columnU_.push_back(static_cast<float>(sp - std::min(35, static_cast<int>(sp))));
      columnLon_.push_back(-180.0 + sp * 10.0);
    }
    columnCos_.assign(columnU_.size(), 0.0f);
    rowColour_.assign(columnU_.size(), 0);
  } else {
    const Point c = proj_.discCentre();
    const double rad = proj_.radius();
    std::size_t discPixels = 0;
    for (int y = 0; y < r.height; ++y) {
      const double dy = r.y + y - c.y;
      const double half = (rad + 0.5) * (rad + 0.5) - dy * dy;
      if (half < 0) continue;
      const int from = std::max(0, static_cast<int>(std::ceil(c.x - std::sqrt(half))) - r.x);
      const int to = std::min(r.width, static_cast<int>(std::floor(c.x + std::sqrt(half))) - r.x + 1);
      rowX0_[static_cast<std::size_t>(y)] = from;
      rowTo_[static_cast<std::size_t>(y)] = static_cast<std::uint32_t>(std::max(from, to));
      rowFrom_[static_cast<std::size_t>(y)] = static_cast<std::uint32_t>(discPixels);
      discPixels += static_cast<std::size_t>(std::max(0, to - from));
    }
    // The per-pixel positions are kept while they take little memory; a
    // picture larger than that (a poster) computes them as it draws.
    discKept_ = discPixels * sizeof(DiscPixel) <= kDiscKeptBytes;
    if (discKept_)
      disc_.reserve(discPixels);
    else
      std::vector<DiscPixel>().swap(disc_);
    for (int y = 0; y < r.height; ++y) {
      const double dy = r.y + y - c.y;
      const int from = rowX0_[static_cast<std::size_t>(y)];
      const int to = static_cast<int>(rowTo_[static_cast<std::size_t>(y)]);
      for (int x = from; x < to; ++x) {
        const double dx = r.x + x - c.x, rho = std::sqrt(dx * dx + dy * dy);
        if (discKept_) disc_.push_back(discPixel(dx, dy));
        const double coverage = std::clamp(rad + 0.5 - rho, 0.0, 1.0);
        if (coverage < 1) {
          const auto index = static_cast<std::uint32_t>((r.y + y) * k.layout.width + r.x + x);
          edge_.push_back({index, static_cast<std::uint8_t>(coverage * 255 + 0.5), buffer_[index]});
        }
      }
    }
  }
  staticLines(a);
  // The plate around the disc, as it was drawn, for every frame.
  aroundDisc_.clear();
  if (azimuthal) {
    for (int y = 0; y < r.height; ++y) {
      const std::uint32_t* row = buffer_.data() + static_cast<std::size_t>(r.y + y) * k.layout.width + r.x;
      const int x0 = rowX0_[static_cast<std::size_t>(y)];
      const int x1 = static_cast<int>(rowTo_[static_cast<std::size_t>(y)]);
      aroundDisc_.insert(aroundDisc_.end(), row, row + x0);
      aroundDisc_.insert(aroundDisc_.end(), row + x1, row + r.width);
    }
  }
}

MapPicture::DiscPixel MapPicture::discPixel(double dx, double dy) const {
  const Point c = proj_.discCentre();
  const double rad = proj_.radius(), rho = std::sqrt(dx * dx + dy * dy);
  // Pixels just beyond the rim show the antipode, partly covered.
  const double f = rho > rad * (1 - 1e-12) ? rad * (1 - 1e-12) / rho : 1.0;
  const std::array<double, 3> v = proj_.toVector({c.x + dx * f, c.y + dy * f}).value_or(std::array<double, 3>{1, 0, 0});
  const GeoPoint o{std::asin(std::clamp(v[2], -1.0, 1.0)) / kRad,
              v[0] == 0 && v[1] == 0 ? proj_.centre().lon : std::atan2(v[1], v[0]) / kRad};
  const Cell z = cellOf(o);
  const auto e = [](double w) { return static_cast<std::int16_t>(w * 32767 + (w < 0 ? -0.5 : 0.5)); };
  const bool land = !landRaster_.empty() && landRaster_.at(o.lat, o.lon);
  return {static_cast<std::uint16_t>(z.b * 37 + z.j + (land ? kLandBit : 0)), e(v[0]), e(v[1]), e(v[2]), z.t, z.u};
}

void MapPicture::staticLines(const MapView& a) {
  lineLayer_.clear();
  if (!a.lines) return;
  const Rect& r = layout_.picture;
  mask_.setClip(r);
  // One pixel wide: the middle of a line shows its grey itself.
  const double lat = a.scale;
  if (proj_.kind() == Projection::Rectangular) {
    // Graticule every 30 degrees.
    for (int b = -60; b <= 60; b += 30)
      mask_.segment({proj_.column(-180), proj_.row(b)}, {proj_.column(180), proj_.row(b)}, lat);
    for (int l = -180; l <= 180; l += 30)
      mask_.segment({proj_.column(l), proj_.row(90)}, {proj_.column(l), proj_.row(-90)}, lat);
  } else {
    // Rings every 5000 km short of the rim, bearing lines every 30 degrees.
    const Point c = proj_.discCentre();
    const double perKm = proj_.radius() / (kPi * k::EarthRadius);
    for (double km = kRingKm; km * perKm < proj_.radius() - 2; km += kRingKm) {
      const double rho = km * perKm;
      const int n = std::max(36, static_cast<int>(rho));
      Point old{c.x, c.y - rho};
      for (int i = 1; i <= n; ++i) {
        const Point next{c.x + rho * std::sin(2 * kPi * i / n), c.y - rho * std::cos(2 * kPi * i / n)};
        mask_.segment(old, next, lat);
        old = next;
      }
    }
    for (int g = 0; g < 360; g += 30)
      mask_.segment(c, {c.x + proj_.radius() * std::sin(g * kRad), c.y - proj_.radius() * std::cos(g * kRad)},
                     lat);
  }
  mask_.collect(lineLayer_, kGridGrey);
  if (lineData_ != nullptr) {
    for (const LineKind kind : {LineKind::Border, LineKind::Coast}) {
      for (const MapLines::Line& l : lineData_->lines) {
        if (l.kind != kind) continue;
        const float* b = lineData_->lat.data() + l.start;
        const float* g = lineData_->lon.data() + l.start;
        polyline(proj_, mask_, l.count, [&](std::size_t i) { return GeoPoint{b[i], g[i]}; }, lat);
      }
      mask_.collect(lineLayer_, kind == LineKind::Coast ? kCoastGrey : kBorderGrey);
    }
  }
  if (proj_.kind() == Projection::Azimuthal) {
    // The distance of each ring, on a dark plate beside the north line.
    for (const LabelBox& l : ringLabels(proj_, layout_.point)) {
      for (int yy = l.box.y; yy < l.box.y + l.box.height; ++yy)
        for (int xx = l.box.x; xx < l.box.x + l.box.width; ++xx) mask_.pixel(xx, yy);
      mask_.collect(lineLayer_, rgb(0x20, 0x20, 0x20));
      writeText(mask_, l.text, l.x, l.y, l.point);
      mask_.collect(lineLayer_, kWeiss);
    }
  }
  mask_.setClip({0, 0, mask_.width(), mask_.height()});
}

std::vector<LabelBox> ringLabels(const MapProjection& p, int point) {
  std::vector<LabelBox> labels;
  if (p.kind() != Projection::Azimuthal) return labels;
  const Point c = p.discCentre();
  const double r = p.radius(), perKm = r / (kPi * k::EarthRadius);
  auto plate = [&](double km, int n) {
    const std::string text = std::to_string(static_cast<int>(km)) + " km";
    const int gh = kFontHeight * n;
    const int x = static_cast<int>(std::lround(c.x)) + 2 * n;
    const int y = static_cast<int>(std::lround(c.y - km * perKm)) - gh - 2 * n;
    return LabelBox{{x - n, y - n, textWidth(text) * n + 2 * n, gh + 2 * n}, x, y, n, text};
  };
  // Inside the disc: the plate's far corner (top right) within the rim.
  auto inside = [&](const LabelBox& l) {
    return std::hypot(l.box.x + l.box.width - c.x, c.y - l.box.y) < r - 1;
  };
  int n = std::max(1, point);
  while (n > 1 && !inside(plate(kRingKm, n))) --n;
  for (double km = kRingKm; km * perKm < r - 2; km += kRingKm) {
    const LabelBox l = plate(km, n);
    if (!inside(l)) continue;
    if (!labels.empty() && overlaps(l.box, labels.back().box)) continue;
    labels.push_back(l);
  }
  return labels;
}

GeoPoint subsolarPoint(float decl, int utcMinute) {
  const double hours = std::clamp(utcMinute, 0, 1439) / 60.0;
  return {decl / kRad, normalizeLon(-15.0 * (hours - 12.0))};
}

void MapPicture::setSun(const State& s, const MapView& a) {
  const SolarPosition p =
      solarPosition(s.Zeitpunkt.year, s.Zeitpunkt.month, s.Zeitpunkt.day, std::clamp(a.utcMinute, 0, 1439));
  sun_ = {p.subsolarLatitude, p.subsolarLongitude};
  sinDecl_ = std::sin(sun_.lat * kRad);
  cosDecl_ = std::cos(sun_.lat * kRad);
  sunXyz_[0] = cosDecl_ * std::cos(sun_.lon * kRad);
  sunXyz_[1] = cosDecl_ * std::sin(sun_.lon * kRad);
  sunXyz_[2] = sinDecl_;
}

const std::uint32_t* MapPicture::render(const State& s, const MapView& a, int lat, int height) {
  Key k;
  const int n = platePoint(std::max(1, lat), std::max(1, height), a.scales, fontDot(a.scale));
  captionLines_ = captionLines(a.caption, captionWidth(std::max(1, lat), n), n);
  k.layout = layoutKey(lat, height, a.lines, a.scales, a.level, a.scale, a.background,
                            static_cast<int>(captionLines_.size()));
  if (a.outlook)
    for (const std::string& text : outlookLegend(s)) k.layout.legend += text + '\n';
  k.projection = a.projection;
  if (a.projection == Projection::Azimuthal) {
    k.centreLat = s.X1;
    k.centreLon = s.Y1;
  }
  k.data = lineData_;
  k.dataPoints = lineData_ ? lineData_->lat.size() : 0;
  k.land = land_;
  k.landPoints = land_ ? land_->longitude.size() : 0;
  if (!(k == key_)) build(s, a, k);
  level_ = a.level;
  outlook_ = a.outlook;

  const int minute = std::clamp(a.utcMinute, 0, 1439);
  if (a.outlook)
    outlookWorldGrid(s, a.frequency, minute / 60, minute % 60, grid_);
  else
    worldGrid(s, a.frequency, minute / 60, minute % 60, a.level, grid_);
  for (int i = 0; i <= 18; ++i) {
    for (int j = 0; j <= 35; ++j) values_[i][j] = grid_[i][j];
    values_[i][36] = values_[i][0];  // east of 170 E towards -180 again
  }
  if (a.greyline) setSun(s, a);
  // Both lay the lines over each row as soon as it is made.
  if (proj_.kind() == Projection::Rectangular)
    renderRectangular(a, values_);
  else
    renderAzimuthal(a, values_);
  mask_.setClip(layout_.picture);
  if (a.greyline) drawTerminator(a);
  if (a.path) drawPath(s, a);
  mask_.setClip({0, 0, mask_.width(), mask_.height()});
  Canvas w = canvas();
  drawCaption(w, mask_, layout_, captionLines_, a.background);
  return buffer_.data();
}

void MapPicture::renderRectangular(const MapView& a, const float (&values)[19][37]) {
  const Rect& r = layout_.picture;
  const std::size_t w = columnU_.size();
  if (a.greyline)
    for (std::size_t x = 0; x < w; ++x)
      columnCos_[x] = static_cast<float>(std::cos((columnLon_[x] - sun_.lon) * kRad));
  const float stepsPerZ = static_cast<float>(-kSteps / kTwilight);
  std::uint16_t* colour = rowColour_.data();
  std::size_t line = 0;
  const bool withLand = !landRaster_.empty() && !a.outlook;  // the outlook paints "closed" itself
  // Per row: the colour index per grid column segment, land and sea where
  // it is 0, the night step and hatching, the colour; then the lines over
  // it while the row is in the cache.
  for (int y = 0; y < r.height; ++y) {
    const double z = r.height > 1 ? 18.0 - y * 18.0 / (r.height - 1) : 9.0;  // grid rows from the south pole
    const int b = std::min(17, static_cast<int>(z));
    const float t = static_cast<float>(z - b);
    float row[37];
    for (int j = 0; j <= 36; ++j) row[j] = values[b][j] + t * (values[b + 1][j] - values[b][j]);
    bool groundFilled = false;
    for (std::size_t j = 0; j < 36; ++j) {
      indexRun(colour, columnU_.data(), segment_[j], segment_[j + 1], row[j], row[j + 1] - row[j]);
      // Between grid columns the index runs straight: it reaches 0 only
      // where an end lies below 1 (below 2: a margin for the rounding).
      if (withLand && std::min(row[j], row[j + 1]) < 2.0f) {
        if (!groundFilled) landRaster_.fillRow(y, groundRow_.data(), kLandEntry, kSeaEntry);
        groundFilled = true;
        groundRun(colour, groundRow_.data(), segment_[j], segment_[j + 1]);
      }
    }
    if (a.greyline) {
      // Height of the sun: sin(lat) sin(decl) + cos(lat) cos(decl) cos(longitude from the sun).
      const double lat = (z * 10.0 - 90.0) * kRad;
      const float sa = static_cast<float>(std::sin(lat) * sinDecl_) * stepsPerZ;
      const float sb = static_cast<float>(std::cos(lat) * cosDecl_) * stepsPerZ;
      // Row y's hatch lines: the columns x with (r.x + r.y + y + x) mod
      // period below the line's width.
      const std::int16_t* hatch = hatch_.data() + (r.x + r.y + y) % hatchPeriod_;
      if (sa + std::fabs(sb) > 0) nightRun(colour, columnCos_.data(), hatch, w, sa, sb);  // else all in daylight
    }
    std::uint32_t* out = buffer_.data() + static_cast<std::size_t>(r.y + y) * layout_.width + r.x;
    const std::uint32_t* f = colours_.data();
    for (std::size_t x = 0; x < w; ++x) out[x] = f[colour[x]];
    lineLayer_.applyUntil(buffer_.data(), line, static_cast<std::uint32_t>((r.y + y + 1) * layout_.width));
  }
}

void MapPicture::renderAzimuthal(const MapView& a, const float (&values)[19][37]) {
  const Rect& r = layout_.picture;
  const float stepsPerZ = static_cast<float>(-kSteps / kTwilight / 32767.0);
  const float sx = static_cast<float>(sunXyz_[0]) * stepsPerZ, sy = static_cast<float>(sunXyz_[1]) * stepsPerZ,
              sz = static_cast<float>(sunXyz_[2]) * stepsPerZ;
  const float* w = &values[0][0];
  const Point c = proj_.discCentre();
  const bool withLand = !landRaster_.empty() && !a.outlook, night = a.greyline;
  const std::uint32_t* colours = colours_.data();
  std::size_t line = 0, edgePos = 0, around = 0;
  for (int y = 0; y < r.height; ++y) {
    std::uint32_t* row = buffer_.data() + static_cast<std::size_t>(r.y + y) * layout_.width + r.x;
    // Around the disc the plate as it was drawn, also where last frame's
    // lines reached out.
    const int x0 = rowX0_[static_cast<std::size_t>(y)], x1 = static_cast<int>(rowTo_[static_cast<std::size_t>(y)]);
    std::copy(aroundDisc_.data() + around, aroundDisc_.data() + around + x0, row);
    around += static_cast<std::size_t>(x0);
    std::copy(aroundDisc_.data() + around, aroundDisc_.data() + around + (r.width - x1), row + x1);
    around += static_cast<std::size_t>(r.width - x1);
    const double dy = r.y + y - c.y;
    const std::int16_t* hatch = hatch_.data() + (r.x + r.y + y) % hatchPeriod_;
    // The value's entry, land or sea for none, in the pixel's night step.
    const auto colourOf = [=](const DiscPixel& p, int x) {
      // The cell's corner band x 37 + column is its place in the 19 x 37 values.
      const float* corner = w + (p.cell & ~kLandBit);
      int index = valueIndex(bilinear(corner, corner + 37, 0, p.t, p.u));
      if (withLand && index == 0) index = (p.cell & kLandBit) ? kLandEntry : kSeaEntry;
      int step = 0;
      if (night)
        step = static_cast<int>(std::clamp(sx * p.ex + sy * p.ey + sz * p.ez, 0.0f, float{kSteps})) + hatch[x];
      return colours[static_cast<std::size_t>(step) * kEntries + index];
    };
    if (discKept_) {
      const DiscPixel* kept = disc_.data() + rowFrom_[static_cast<std::size_t>(y)] - x0;
      for (int x = x0; x < x1; ++x) row[x] = colourOf(kept[x], x);
    } else {
      for (int x = x0; x < x1; ++x) row[x] = colourOf(discPixel(r.x + x - c.x, dy), x);
    }
    const auto end = static_cast<std::uint32_t>((r.y + y + 1) * layout_.width);
    for (; edgePos < edge_.size() && edge_[edgePos].index < end; ++edgePos) {
      const EdgePixel& p = edge_[edgePos];
      buffer_[p.index] = blend(p.plate, buffer_[p.index], p.coverage);
    }
    lineLayer_.applyUntil(buffer_.data(), line, end);
  }
}

void MapPicture::drawTerminator(const MapView& a) {
  // The great circle a quarter turn from the sub-solar point: from the point
  // on the equator 90 degrees east of the sun, through the pole-near points.
  arc_.clear();
  for (int i = 0; i <= 360; ++i) arc_.push_back(destination(sun_, i, kPi / 2));
  Canvas w = canvas();
  const auto point = [&](std::size_t i) { return arc_[i]; };
  // Dashed, so that it is not taken for the path; white on a black edge, so
  // that it shows on every colour.
  polyline(proj_, mask_, arc_.size(), point, 3.5 * a.scale, 8 * a.scale);
  mask_.apply(w, kBlack);
  polyline(proj_, mask_, arc_.size(), point, 1.5 * a.scale, 8 * a.scale);
  mask_.apply(w, kWeiss);
}

void MapPicture::drawMark(GeoPoint o, const char* name, const MapView& a) {
  Canvas w = canvas();
  const Point p = proj_.toPixel(o);
  const double r = 3.5 * a.scale;
  mask_.disc(p, r + 1.5 * a.scale);
  mask_.apply(w, kBlack);
  mask_.disc(p, r);
  mask_.apply(w, kWeiss);
  // The letter on a dark plate to the upper right of the mark.
  const int n = std::max(1, layout_.point), gh = kFontHeight * n;
  const int x = static_cast<int>(std::lround(p.x + r + 2 * a.scale)) + n;
  const int y = static_cast<int>(std::lround(p.y - r - 2 * a.scale)) - gh;
  for (int yy = y - n; yy < y + gh + n; ++yy)
    for (int xx = x - n; xx < x + textWidth(name) * n + n; ++xx) mask_.pixel(xx, yy);
  mask_.apply(w, kBlack);
  writeText(mask_, name, x, y, n);
  mask_.apply(w, kWeiss);
}

void MapPicture::drawPath(const State& s, const MapView& a) {
  const GeoPoint oa{s.X1, s.Y1}, ob{s.OrtX2, s.OrtY2};
  const double angle = centralAngle(oa, ob);
  const bool lang = s.P == "L";  // the calculation takes the long path only for "L"
  if (angle > 0 || lang) {
    arcPoints(oa, bearing(oa, ob) + (lang ? 180.0 : 0.0), lang ? 2 * kPi - angle : angle, arc_);
    Canvas w = canvas();
    const auto point = [&](std::size_t i) { return arc_[i]; };
    polyline(proj_, mask_, arc_.size(), point, 4.0 * a.scale);
    mask_.apply(w, kBlack);
    polyline(proj_, mask_, arc_.size(), point, 2.0 * a.scale);
    mask_.apply(w, kWeiss);
  }
  drawMark(ob, "B", a);
  drawMark(oa, "A", a);
}

std::optional<MapReading> MapPicture::readAt(const State& s, Point p) const {
  const std::optional<GeoPoint> o = proj_.toGeo(p);
  if (!o || key_.layout.width < 0) return std::nullopt;
  MapReading a;
  a.place = *o;
  const GeoPoint station{s.X1, s.Y1};
  a.bearing = bearing(station, a.place);
  a.distanceKm = distanceKm(station, a.place);
  const Cell z = cellOf(a.place);
  a.colourIndex = std::min(kColourMax, valueIndex(bilinear(values_[z.b], values_[z.b + 1], z.j, z.t, z.u)));
  a.value = outlook_ ? static_cast<int>(outlookOfIndex(a.colourIndex)) : valueOfIndex(a.colourIndex, level_);
  return a;
}

}  // namespace welvaro
