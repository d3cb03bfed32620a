// Where a position of the earth, an hour or a frequency lies in a picture
// drawn at any size, and back.
//
// Pixel coordinates: x to the right, y downwards, in device pixels of the
// whole picture buffer; the centre of pixel (i, j) is at (i, j). A mouse
// position m (top-left corner of the buffer at 0, 0) is the pixel
// coordinate m - 0.5.
//
// The rectangular world map keeps the geometry of the 541 x 271 bitmap: its
// first and last pixel columns show longitude -180 and 180, its top and
// bottom rows the poles, so a picture of 541 x 271 pixels has every pixel
// exactly where the bitmap has it. The azimuthal equidistant map is a disc
// centred on station A: the distance from the centre grows evenly with the
// distance on the earth, the direction from the centre is the bearing from
// A (north up), and the rim is A's antipode.
#pragma once

#include <array>
#include <optional>

namespace welvaro {

/// A position on the earth [deg]: latitude north positive, longitude east
/// positive, -180..180.
struct GeoPoint {
  double lat = 0;
  double lon = 0;
};

/// A point in pixel coordinates.
struct Point {
  double x = 0;
  double y = 0;
};

/// The pixel rectangle a picture occupies inside its buffer.
struct Rect {
  int x = 0, y = 0;
  int width = 0, height = 0;
};

// ---- Great circles (a sphere; exact pi, not the model's truncated one) ----

/// Central angle between two positions [rad], 0..pi.
double centralAngle(GeoPoint a, GeoPoint b);
/// Bearing from `a` towards `b` [deg], 0 <= b < 360; 0 when they coincide.
double bearing(GeoPoint a, GeoPoint b);
/// The position reached from `a` along bearing `bearingDeg` after the
/// central angle `angle` [rad].
GeoPoint destination(GeoPoint a, double bearingDeg, double angle);
/// Distance along the surface [km], with the model's earth radius.
double distanceKm(GeoPoint a, GeoPoint b);
/// The longitude brought into -180..180.
double normalizeLon(double lon);

// ---- The world map ----------------------------------------------------

enum class Projection { Rectangular, Azimuthal };

class MapProjection {
 public:
  MapProjection() = default;
  /// Longitude -180..180 across the pixel columns of `r`, latitude 90..-90
  /// down its rows.
  static MapProjection rectangular(Rect r);
  /// Azimuthal equidistant around `centre`: the largest disc centred in `r`.
  static MapProjection azimuthal(Rect r, GeoPoint centre);

  Projection kind() const { return kind_; }
  GeoPoint centre() const { return centre_; }
  /// Azimuthal: centre of the disc and its radius [px] (the antipode).
  Point discCentre() const { return {cx_, cy_}; }
  double radius() const { return radius_; }

  /// Pixel coordinates of a position. On the azimuthal map the antipode of
  /// the centre has no one place: it is put on the rim straight above.
  Point toPixel(GeoPoint o) const;
  /// The position shown at a pixel coordinate; none outside the picture
  /// (beyond the half pixel around the outer pixel centres) or, on the
  /// azimuthal map, beyond the rim.
  std::optional<GeoPoint> toGeo(Point p) const;

  /// Azimuthal map: the position at a pixel coordinate as a unit vector from
  /// the earth's centre (x towards 0 E on the equator, z towards the North
  /// Pole); none beyond the rim. toGeo is its latitude and longitude.
  std::optional<std::array<double, 3>> toVector(Point p) const;

  /// Rectangular map: the pixel column of a longitude and row of a latitude.
  double column(double lon) const { return r_.x + (lon + 180.0) * sx_; }
  double row(double lat) const { return r_.y + (90.0 - lat) * sy_; }

 private:
  Projection kind_ = Projection::Rectangular;
  Rect r_;
  double sx_ = 1, sy_ = 1;  // pixels per degree (rectangular)
  GeoPoint centre_;
  std::array<double, 3> c_{1, 0, 0}, n_{0, 0, 1}, e_{0, 1, 0};  // centre, north and east there
  double cx_ = 0, cy_ = 0, radius_ = 1;
};

// ---- The chart ----------------------------------------------------------

/// A time and a frequency of the chart.
struct ChartPoint {
  double hours = 0;  ///< UTC hours 0..24 from the left edge
  double mhz = 0;      ///< 0..30 MHz from the bottom edge
};

/// The chart's geometry, as the 529 x 271 bitmap's generalised: the first
/// and last pixel columns of `r` show 00 and 24 UTC, the bottom and top rows
/// 0 and 30 MHz.
class ChartProjection {
 public:
  ChartProjection() = default;
  explicit ChartProjection(Rect r);
  double column(double hours) const { return r_.x + hours * sx_; }
  double row(double mhz) const { return r_.y + (30.0 - mhz) * sy_; }
  Point toPixel(ChartPoint o) const { return {column(o.hours), row(o.mhz)}; }
  /// None outside the picture (beyond the half pixel around the outer
  /// pixel centres); held to 0..24 h and 0..30 MHz inside.
  std::optional<ChartPoint> toGeo(Point p) const;

 private:
  Rect r_;
  double sx_ = 1, sy_ = 1;
};

}  // namespace welvaro
