#include "display/projection.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

#include "model/constants.h"

namespace welvaro {

namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kRad = kPi / 180.0;

// Pixels per unit across `pixel` pixels whose outer centres are `span`
// units apart (a picture one pixel wide or high gets one pixel per unit).
double perPixel(int pixel, double span) { return pixel > 1 ? (pixel - 1) / span : 1.0; }

bool inRect(const Rect& r, Point p) {
  return p.x >= r.x - 0.5 && p.x <= r.x + r.width - 0.5 && p.y >= r.y - 0.5 && p.y <= r.y + r.height - 0.5;
}

}  // namespace

double normalizeLon(double l) {
  if (l >= -180.0 && l <= 180.0) return l;
  l = std::fmod(l + 180.0, 360.0);
  if (l < 0) l += 360.0;
  return l - 180.0;
}

double centralAngle(GeoPoint a, GeoPoint b) {
  // Haversine form: exact also for nearby points.
  const double db = (b.lat - a.lat) * kRad, dl = (b.lon - a.lon) * kRad;
  const double s1 = std::sin(db / 2), s2 = std::sin(dl / 2);
  const double h = s1 * s1 + std::cos(a.lat * kRad) * std::cos(b.lat * kRad) * s2 * s2;
  return 2 * std::asin(std::sqrt(std::clamp(h, 0.0, 1.0)));
}

double bearing(GeoPoint a, GeoPoint b) {
  const double b1 = a.lat * kRad, b2 = b.lat * kRad, dl = (b.lon - a.lon) * kRad;
  const double y = std::sin(dl) * std::cos(b2);
  const double x = std::cos(b1) * std::sin(b2) - std::sin(b1) * std::cos(b2) * std::cos(dl);
  if (x == 0 && y == 0) return 0;
  const double p = std::atan2(y, x) / kRad;
  return p < 0 ? (p + 360.0 < 360.0 ? p + 360.0 : 0.0) : p;
}

GeoPoint destination(GeoPoint a, double bearingDeg, double angle) {
  const double b1 = a.lat * kRad, th = bearingDeg * kRad;
  const double sb = std::sin(b1) * std::cos(angle) + std::cos(b1) * std::sin(angle) * std::cos(th);
  const double b2 = std::asin(std::clamp(sb, -1.0, 1.0));
  const double dl =
      std::atan2(std::sin(th) * std::sin(angle) * std::cos(b1), std::cos(angle) - std::sin(b1) * sb);
  return {b2 / kRad, normalizeLon(a.lon + dl / kRad)};
}

double distanceKm(GeoPoint a, GeoPoint b) { return centralAngle(a, b) * k::EarthRadius; }

// ---- World map ----------------------------------------------------------

MapProjection MapProjection::rectangular(Rect r) {
  MapProjection p;
  p.kind_ = Projection::Rectangular;
  p.r_ = r;
  p.sx_ = perPixel(r.width, 360.0);
  p.sy_ = perPixel(r.height, 180.0);
  return p;
}

MapProjection MapProjection::azimuthal(Rect r, GeoPoint centre) {
  MapProjection p;
  p.kind_ = Projection::Azimuthal;
  p.r_ = r;
  p.centre_ = {std::clamp(centre.lat, -90.0, 90.0), normalizeLon(centre.lon)};
  const double sb = std::sin(p.centre_.lat * kRad), cb = std::cos(p.centre_.lat * kRad);
  const double sl = std::sin(p.centre_.lon * kRad), cl = std::cos(p.centre_.lon * kRad);
  // The centre and the directions north and east there, as vectors from the
  // earth's centre (x towards 0 E on the equator, z towards the North Pole).
  // At a pole "north" is the direction of the centre's own meridian.
  p.c_ = {cb * cl, cb * sl, sb};
  p.n_ = {-sb * cl, -sb * sl, cb};
  p.e_ = {-sl, cl, 0};
  p.cx_ = r.x + (r.width - 1) / 2.0;
  p.cy_ = r.y + (r.height - 1) / 2.0;
  p.radius_ = std::max(0.5, (std::min(r.width, r.height) - 1) / 2.0);
  return p;
}

Point MapProjection::toPixel(GeoPoint o) const {
  if (kind_ == Projection::Rectangular) return {column(o.lon), row(o.lat)};
  const double cb = std::cos(o.lat * kRad);
  const std::array<double, 3> v{cb * std::cos(o.lon * kRad), cb * std::sin(o.lon * kRad),
                                std::sin(o.lat * kRad)};
  const auto dot = [&](const std::array<double, 3>& w) { return v[0] * w[0] + v[1] * w[1] + v[2] * w[2]; };
  const double cosc = dot(c_), north = dot(n_), east = dot(e_);
  const double q = std::hypot(north, east);
  if (q == 0) return {cx_, cosc >= 0 ? cy_ : cy_ - radius_};  // the centre, or its antipode
  const double rho = std::atan2(q, cosc) / kPi * radius_;   // central angle 0..pi across the radius
  return {cx_ + rho * east / q, cy_ - rho * north / q};
}

std::optional<GeoPoint> MapProjection::toGeo(Point p) const {
  if (!inRect(r_, p)) return std::nullopt;
  if (kind_ == Projection::Rectangular) {
    const double l = std::clamp(-180.0 + (p.x - r_.x) / sx_, -180.0, 180.0);
    const double b = std::clamp(90.0 - (p.y - r_.y) / sy_, -90.0, 90.0);
    return GeoPoint{b, l};
  }
  const auto v = toVector(p);
  if (!v) return std::nullopt;
  const auto& w = *v;
  return GeoPoint{std::asin(std::clamp(w[2], -1.0, 1.0)) / kRad,
             w[0] == 0 && w[1] == 0 ? centre_.lon : normalizeLon(std::atan2(w[1], w[0]) / kRad)};
}

std::optional<std::array<double, 3>> MapProjection::toVector(Point p) const {
  const double dx = p.x - cx_, dy = cy_ - p.y;
  const double rho = std::sqrt(dx * dx + dy * dy);
  if (rho > radius_ || kind_ != Projection::Azimuthal) return std::nullopt;
  const double c = rho / radius_ * kPi;
  const double sc = std::sin(c), cc = std::cos(c);
  // Along the great circle from the centre in the pixel's direction.
  const double n = rho > 0 ? dy / rho * sc : 0.0, e = rho > 0 ? dx / rho * sc : 0.0;
  std::array<double, 3> v;
  for (std::size_t k = 0; k < 3; ++k) v[k] = cc * c_[k] + n * n_[k] + e * e_[k];
  return v;
}

// ---- Chart --------------------------------------------------------------

ChartProjection::ChartProjection(Rect r) : r_(r), sx_(perPixel(r.width, 24.0)), sy_(perPixel(r.height, 30.0)) {}

std::optional<ChartPoint> ChartProjection::toGeo(Point p) const {
  if (!inRect(r_, p)) return std::nullopt;
  return ChartPoint{std::clamp((p.x - r_.x) / sx_, 0.0, 24.0), std::clamp(30.0 - (p.y - r_.y) / sy_, 0.0, 30.0)};
}

}  // namespace welvaro
