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

// Pixels per unit across `pixel` pixels whose outer centres are `spanne`
// units apart (a picture one pixel wide or high gets one pixel per unit).
double proPixel(int pixel, double spanne) { return pixel > 1 ? (pixel - 1) / spanne : 1.0; }

bool imRahmen(const Rahmen& r, Punkt p) {
  return p.x >= r.x - 0.5 && p.x <= r.x + r.breite - 0.5 && p.y >= r.y - 0.5 && p.y <= r.y + r.hoehe - 0.5;
}

}  // namespace

double normLaenge(double l) {
  if (l >= -180.0 && l <= 180.0) return l;
  l = std::fmod(l + 180.0, 360.0);
  if (l < 0) l += 360.0;
  return l - 180.0;
}

double zentriwinkel(Ort a, Ort b) {
  // Haversine form: exact also for nearby points.
  const double db = (b.breite - a.breite) * kRad, dl = (b.laenge - a.laenge) * kRad;
  const double s1 = std::sin(db / 2), s2 = std::sin(dl / 2);
  const double h = s1 * s1 + std::cos(a.breite * kRad) * std::cos(b.breite * kRad) * s2 * s2;
  return 2 * std::asin(std::sqrt(std::clamp(h, 0.0, 1.0)));
}

double peilung(Ort a, Ort b) {
  const double b1 = a.breite * kRad, b2 = b.breite * kRad, dl = (b.laenge - a.laenge) * kRad;
  const double y = std::sin(dl) * std::cos(b2);
  const double x = std::cos(b1) * std::sin(b2) - std::sin(b1) * std::cos(b2) * std::cos(dl);
  if (x == 0 && y == 0) return 0;
  const double p = std::atan2(y, x) / kRad;
  return p < 0 ? (p + 360.0 < 360.0 ? p + 360.0 : 0.0) : p;
}

Ort zielpunkt(Ort a, double peilungGrad, double winkel) {
  const double b1 = a.breite * kRad, th = peilungGrad * kRad;
  const double sb = std::sin(b1) * std::cos(winkel) + std::cos(b1) * std::sin(winkel) * std::cos(th);
  const double b2 = std::asin(std::clamp(sb, -1.0, 1.0));
  const double dl =
      std::atan2(std::sin(th) * std::sin(winkel) * std::cos(b1), std::cos(winkel) - std::sin(b1) * sb);
  return {b2 / kRad, normLaenge(a.laenge + dl / kRad)};
}

double abstandKm(Ort a, Ort b) { return zentriwinkel(a, b) * k::Erdradius; }

// ---- World map ----------------------------------------------------------

Kartenprojektion Kartenprojektion::rechteck(Rahmen r) {
  Kartenprojektion p;
  p.art_ = Projektion::Rechteck;
  p.r_ = r;
  p.sx_ = proPixel(r.breite, 360.0);
  p.sy_ = proPixel(r.hoehe, 180.0);
  return p;
}

Kartenprojektion Kartenprojektion::azimutal(Rahmen r, Ort mitte) {
  Kartenprojektion p;
  p.art_ = Projektion::Azimutal;
  p.r_ = r;
  p.mitte_ = {std::clamp(mitte.breite, -90.0, 90.0), normLaenge(mitte.laenge)};
  const double sb = std::sin(p.mitte_.breite * kRad), cb = std::cos(p.mitte_.breite * kRad);
  const double sl = std::sin(p.mitte_.laenge * kRad), cl = std::cos(p.mitte_.laenge * kRad);
  // The centre and the directions north and east there, as vectors from the
  // earth's centre (x towards 0 E on the equator, z towards the North Pole).
  // At a pole "north" is the direction of the centre's own meridian.
  p.c_ = {cb * cl, cb * sl, sb};
  p.n_ = {-sb * cl, -sb * sl, cb};
  p.e_ = {-sl, cl, 0};
  p.cx_ = r.x + (r.breite - 1) / 2.0;
  p.cy_ = r.y + (r.hoehe - 1) / 2.0;
  p.radius_ = std::max(0.5, (std::min(r.breite, r.hoehe) - 1) / 2.0);
  return p;
}

Punkt Kartenprojektion::zuPixel(Ort o) const {
  if (art_ == Projektion::Rechteck) return {spalte(o.laenge), zeile(o.breite)};
  const double cb = std::cos(o.breite * kRad);
  const std::array<double, 3> v{cb * std::cos(o.laenge * kRad), cb * std::sin(o.laenge * kRad),
                                std::sin(o.breite * kRad)};
  const auto dot = [&](const std::array<double, 3>& w) { return v[0] * w[0] + v[1] * w[1] + v[2] * w[2]; };
  const double cosc = dot(c_), nord = dot(n_), ost = dot(e_);
  const double q = std::hypot(nord, ost);
  if (q == 0) return {cx_, cosc >= 0 ? cy_ : cy_ - radius_};  // the centre, or its antipode
  const double rho = std::atan2(q, cosc) / kPi * radius_;   // central angle 0..pi across the radius
  return {cx_ + rho * ost / q, cy_ - rho * nord / q};
}

std::optional<Ort> Kartenprojektion::zuOrt(Punkt p) const {
  if (!imRahmen(r_, p)) return std::nullopt;
  if (art_ == Projektion::Rechteck) {
    const double l = std::clamp(-180.0 + (p.x - r_.x) / sx_, -180.0, 180.0);
    const double b = std::clamp(90.0 - (p.y - r_.y) / sy_, -90.0, 90.0);
    return Ort{b, l};
  }
  const auto v = zuVektor(p);
  if (!v) return std::nullopt;
  const auto& w = *v;
  return Ort{std::asin(std::clamp(w[2], -1.0, 1.0)) / kRad,
             w[0] == 0 && w[1] == 0 ? mitte_.laenge : normLaenge(std::atan2(w[1], w[0]) / kRad)};
}

std::optional<std::array<double, 3>> Kartenprojektion::zuVektor(Punkt p) const {
  const double dx = p.x - cx_, dy = cy_ - p.y;
  const double rho = std::sqrt(dx * dx + dy * dy);
  if (rho > radius_ || art_ != Projektion::Azimutal) return std::nullopt;
  const double c = rho / radius_ * kPi;
  const double sc = std::sin(c), cc = std::cos(c);
  // Along the great circle from the centre in the pixel's direction.
  const double n = rho > 0 ? dy / rho * sc : 0.0, e = rho > 0 ? dx / rho * sc : 0.0;
  std::array<double, 3> v;
  for (std::size_t k = 0; k < 3; ++k) v[k] = cc * c_[k] + n * n_[k] + e * e_[k];
  return v;
}

// ---- Chart --------------------------------------------------------------

Chartprojektion::Chartprojektion(Rahmen r) : r_(r), sx_(proPixel(r.breite, 24.0)), sy_(proPixel(r.hoehe, 30.0)) {}

std::optional<ChartOrt> Chartprojektion::zuOrt(Punkt p) const {
  if (!imRahmen(r_, p)) return std::nullopt;
  return ChartOrt{std::clamp((p.x - r_.x) / sx_, 0.0, 24.0), std::clamp(30.0 - (p.y - r_.y) / sy_, 0.0, 30.0)};
}

}  // namespace welvaro
