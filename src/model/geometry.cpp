// Geometry of the great-circle path between A and B.
#include <cmath>

#include "model/constants.h"
#include "model/model.h"
#include "state/arith.h"

namespace welvaro {

namespace {

// Hop count of a mode: the first n from `start` on whose hop leaves the ground
// at no less than the minimum elevation angle, for a reflecting layer at
// `height` km. The search stops at kMaxHops: an angle of 90 degrees (or just
// below it) is never reached by any finite hop.
constexpr double kMaxHops = 10000;

double hopCount(double distance, double start, double height, double angm) {
  double n = start;
  for (; n < kMaxHops; n += 1) {
    const double lon = cdiv(distance, n);
    const double t = lon * 0.5 / k::EarthRadius;
    const double elevation =
        std::atan(cdiv(std::cos(t) - k::EarthRadius / (k::EarthRadius + height), std::sin(t))) * 360 / k::TwoPi;
    if (!(elevation < angm)) break;
  }
  return n;
}

// Turns a bearing by 180 degrees (long path).
double reverse(double r) { return r >= 180 ? r - 180 : r + 180; }

}  // namespace

int prcBear(State& s) {
  return guarded([&] {
    const double lat1 = s.BearBreite1, lon1 = s.BearLaenge1;
    const double lat2 = s.BearBreite2, lon2 = s.BearLaenge2;
    const double d = s.BearWinkel;
    const double colat1 = k::HalfPi - lat1, colat2 = k::HalfPi - lat2;
    const double half = (k::Pi - lat1 - lat2 + d) / 2;  // half perimeter pole - 1 - 2
    for (int pass = 1; pass <= 2; ++pass) {
      const bool isOne = pass == 1;
      const double latOwn = isOne ? lat1 : lat2, latOther = isOne ? lat2 : lat1;
      const double colatOwn = isOne ? colat1 : colat2, colatOther = isOne ? colat2 : colat1;
      double dl = (isOne ? lon1 - lon2 : lon2 - lon1);
      if (std::fabs(dl) >= k::Pi) dl = dl >= 0 ? dl - k::TwoPi : dl + k::TwoPi;
      const double u = std::sin(half) * std::sin(half - colatOther);
      double direction;
      if (u == 0) {
        direction = 180;
      } else {
        double b = std::fabs(std::sin(half - colatOwn) * std::sin(half - d) / u);
        if (!std::isfinite(b)) b = 1e-10;
        const double c = std::atan(std::sqrt(b)) * k::BearingFactor;
        if (dl > 0)
          direction = 360 - c;
        else if (dl == 0)
          direction = latOther - latOwn < 0 ? 180 : c;
        else
          direction = c;
      }
      s.Richtung[pass] = direction;
    }
  });
}

int prcGeometrie(State& s) {
  return guarded([&] {
    // Pole guard: the table generator sets grid latitudes of +-90.
    if (s.X2 == 90) s.X2 = 89.99;
    if (s.X2 == -90) s.X2 = -89.99;

    const double latA = s.X1 * k::DegToRad, lonA = static_cast<double>(s.Y1) * k::DegToRad;
    const double latB = s.X2 * k::DegToRad, lonB = static_cast<double>(s.Y2) * k::DegToRad;

    // Central angle of the short great circle. Coincident or antipodal
    // points divide by zero here and end the calculation.
    const double c = std::sin(latA) * std::sin(latB) + std::cos(latA) * std::cos(latB) * std::cos(lonB - lonA);
    const double c2 = std::fabs(c) > 1 ? 1 : c * c;
    double angle = k::HalfPi - std::atan(cdiv(c, std::sqrt(1 - c2)));
    if (angle < 0) angle += k::Pi;
    s.Winkel = angle;
    const bool lang = s.P == "L";
    const double path = lang ? k::TwoPi - s.Winkel : s.Winkel;
    s.Distanz = path * k::EarthRadius;

    // Bearings at both ends, always from the short great circle.
    s.BearBreite1 = latA;
    s.BearLaenge1 = lonA;
    s.BearBreite2 = latB;
    s.BearLaenge2 = lonB;
    s.BearWinkel = s.Winkel;
    check(prcBear(s));
    s.RichtungAB = s.Richtung[1];
    s.RichtungBA = s.Richtung[2];
    if (lang) {
      s.RichtungAB = reverse(s.RichtungAB);
      s.RichtungBA = reverse(s.RichtungBA);
    }

    // Hop counts of the E mode (110 km) and the F mode (300 km).
    s.HopsE = hopCount(s.Distanz, Fix(s.Distanz / 2000) + 1, 110, s.Angm);
    s.HopsF = hopCount(s.Distanz, Fix(s.Distanz / 4000) + 1, 300, s.Angm);
    s.HopLaengeE = s.Distanz / s.HopsE;
    s.HopLaengeF = s.Distanz / s.HopsF;
    s.KpAbstand[1] = path / 2;
    s.KpAbstand[2] = s.HopLaengeF * 0.5 / k::EarthRadius;
    s.KpAbstand[3] = path - s.HopLaengeF * 0.5 / k::EarthRadius;
    s.KpAbstand[4] = s.HopLaengeE * 0.5 / k::EarthRadius;
    s.KpAbstand[5] = path - s.HopLaengeE * 0.5 / k::EarthRadius;

    // Absorption mode: hops of at most 3000 km through the D region (90 km).
    s.HopsD = Fix(s.Distanz / 3000) + 1;
    const double w = path / s.HopsD;
    const double t = w / 2;
    const double incidence = std::atan(cdiv(k::EarthRadius * std::sin(t), 6671.2 - k::EarthRadius * std::cos(t)));
    const double p1 = cdiv(k::EarthRadius * std::sin(t), std::sin(incidence));
    s.Schraegweg = 2 * p1 * s.HopsD;
    const double g = k::Pi - incidence - t;
    const double x = k::EarthRadius * std::sin(g) / 6461.2;
    const double x2 = std::fabs(x) > 1 ? 1 : x * x;
    s.EinfallD = std::atan(cdiv(x, std::sqrt(1 - x2)));
    s.DurchgangWinkel = k::Pi - g - s.EinfallD;

    // The points where the absorption rays cross 90 km take slots 6 .. e,
    // clear of the F and E hop slots 1..5.
    const int last = static_cast<int>(2 * s.HopsD + 5);
    s.KpAbstand[6] = s.DurchgangWinkel;
    for (int kk = 6; kk <= last - 1; kk += 2) {
      s.KpAbstand[kk + 1] = s.KpAbstand[kk] + (w - 2 * s.DurchgangWinkel);
      s.KpAbstand[kk + 2] = s.KpAbstand[kk + 1] + 2 * s.DurchgangWinkel;
    }

    // Geographic positions of all control points, going from B along the
    // chosen path's bearing at B.
    const double az = s.RichtungBA * k::DegToRadAz;
    for (int kk = 1; kk <= last; ++kk) {
      const double a = s.KpAbstand[kk];
      const double q = std::sin(latB) * std::cos(a) + std::cos(latB) * std::sin(a) * std::cos(az);
      const double q2 = std::fabs(q) > 1 ? 1 : q * q;
      const double colat = k::HalfPi - std::atan(cdiv(q, std::sqrt(1 - q2)));
      s.KpBreite[kk] = 90 - colat * k::RadToDeg;
      const double latP = s.KpBreite[kk] * k::DegToRad;
      double r = cdiv(cdiv(std::cos(a) - std::sin(latB) * std::sin(latP), std::cos(latP)), std::cos(latB));
      if (r > 0.9999) r = 0.9999;
      if (r < -0.9999) r = -0.9999;
      double offset = (k::HalfPi - std::atan(r / std::sqrt(1 - r * r))) * k::RadToDeg;
      // East or west of B's meridian: the offset points away from the side
      // on which the path leaves B (towards A on the first half circle).
      if ((a >= k::Pi && s.RichtungBA < 180) || (a <= k::Pi && s.RichtungBA > 180)) offset = -offset;
      double lon = static_cast<double>(s.Y2) + offset;
      if (lon > 180) lon -= 360;
      if (lon < -180) lon += 360;
      s.KpLaenge[kk] = lon;
    }

    // Azimuth weight from the bearing at the midpoint towards A.
    s.BearBreite1 = latA;
    s.BearLaenge1 = lonA;
    s.BearBreite2 = s.KpBreite[1] * k::DegToRad;
    s.BearLaenge2 = s.KpLaenge[1] * k::DegToRad;
    s.BearWinkel = s.Winkel / 2;
    check(prcBear(s));
    double b = s.Richtung[2];
    if (b > 180) b -= 180;
    b = b >= 90 ? b - 90 : 90 - b;
    s.AzGewicht = b / 90;
    s.AzGewichtRest = 1 - s.AzGewicht;
    s.KorrA = s.AzGewichtRest * 0.1 + s.AzGewicht * 0.2;
    s.KorrB = s.AzGewichtRest * 1.2 + s.AzGewicht * 0.2;
    s.KorrC = s.AzGewichtRest * 0.6 + s.AzGewicht * 0.4;
  });
}

}  // namespace welvaro
