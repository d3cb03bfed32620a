// The world map drawn at any size into a 32-bit pixel buffer (0xAARRGGBB
// per pixel, the layout of a 32-bit RGB picture): the forecast colours from
// the table in memory by the bitmap's rules, land and sea where no signal
// arrives, the coastlines, borders and graticule as antialiased lines, the
// night side hatched with its terminator (the sun from display/sun.h),
// the path A-B as a great circle, and on request the scales and the colour
// bar around it. Rectangular (longitude/latitude) or azimuthal equidistant
// around station A.
//
// Values: the table is interpolated to the 19 x 36 grid of colour indices
// for the frequency and minute shown, exactly as the bitmap does
// (worldGrid); between grid points the index runs linearly in latitude and
// longitude (towards -180 again east of 170 E) and is cut to its whole
// part. The bitmap samples this same surface at its pixels.
//
// A Kartenbild keeps what depends only on the picture size and the
// projection (per-column weights, the per-pixel positions of the azimuthal
// map, the lines projected and rasterised); a frame only recolours.
//
// Use in a window: render at the widget's size in device pixels, wrap the
// buffer as a 32-bit RGB picture of width() x height() (4 x width() bytes
// per row) and draw it; forward the mouse as readAt(mouse x dpr - 0.5) and
// then prgKartenCursor / prgKlick (display/bildcursor.h).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "display/landraster.h"
#include "display/canvas.h"
#include "display/projection.h"
#include "display/layout.h"
#include "display/worldmap.h"
#include "files/map_lines.h"
#include "files/landareas.h"
#include "state/state.h"

namespace welvaro {

/// What a frame of the world map shows.
struct MapView {
  Projection projection = Projection::Rectangular;
  float frequency = 10.2f;  ///< display frequency [MHz]
  int utcMinute = 0;       ///< UTC time shown, minute of the day 0..1439
  bool level = true;       ///< level [dBm], else field strength [dB(uV/m)]
  bool outlook = false;    ///< the outlook of the record's mode instead (OutlookFlag), a legend for the colour bar
  bool greyline = false;   ///< night side shaded, terminator drawn
  bool path = false;       ///< path A-B as its great circle, A and B marked
  bool lines = true;      ///< coastlines, borders, graticule (rings and bearings)
  bool scales = false;     ///< scales and colour bar around the picture
  double scale = 1.0;      ///< device pixels per logical pixel: line widths, marks, font
  std::uint32_t background = 0xFFFFFFFFu;  ///< colour around the picture
  /// The caption above the picture (display/caption.h: mapCaption), set in
  /// as many lines as the width needs; empty: none.
  std::vector<std::string> caption;
};

/// What lies under a point of the picture.
struct MapReading {
  GeoPoint place;                 ///< position
  double bearing = 0;      ///< bearing from station A [deg], 0..360
  double distanceKm = 0;    ///< distance from station A [km]
  int colourIndex = 0;       ///< colour index 0..108 of the value shown there
  double value = 0;         ///< that value: level [dBm] or field strength [dB(uV/m)]; the outlook's class 0..3
};

/// The sub-solar point as the bitmap greyline places it at minute
/// `utcMinute` of the UTC day: latitude the solar declination `decl` [rad]
/// of the start-up day, longitude 0 at 12:00 UTC moving 15 degrees west per
/// hour (no equation of time). The scaled map's night side takes the sun of
/// the date and minute from solarPosition instead.
GeoPoint subsolarPoint(float decl, int utcMinute);

/// The distance labels of the azimuthal map's rings (every 5000 km, "5000
/// km" ...), each on a dark plate just above its ring beside the north
/// line. A label is kept only when its plate lies inside the disc and clear
/// of the one below it; on a small disc the font takes smaller dots (down to
/// one pixel) until the innermost label fits. `point` is the plate's dot
/// size; the boxes are the plates.
std::vector<LabelBox> ringLabels(const MapProjection& p, int point);

class MapPicture {
 public:
  /// The lines to draw; they must outlive the Kartenbild. Null or empty:
  /// the map is drawn without coastlines and borders.
  void setLines(const MapLines* lines);
  /// The land areas (they must outlive the Kartenbild): where no signal
  /// arrives, land and sea show instead of black. Null or empty: black.
  void setLandAreas(const LandAreas* land);

  /// Draws a frame of breite x hoehe device pixels (at least 1 x 1) from the
  /// table (Weltfeld/Weltpegel), station A (X1, Y1), point B (OrtX2, OrtY2),
  /// the path setting P and, for the night side, the UTC date of Zeitpunkt
  /// with the minute of the view. Returns the buffer,
  /// valid until the next call; no allocation unless the size, projection,
  /// station A, scales or line data changed.
  const std::uint32_t* render(const State& s, const MapView& a, int lat, int height);

  const std::uint32_t* pixel() const { return buffer_.data(); }
  int width() const { return layout_.width; }
  int height() const { return layout_.height; }
  /// Placement of the last frame: the projection (positions <-> pixels) and
  /// the plate (picture, colour bar).
  const MapProjection& projection() const { return proj_; }
  const Layout& layout() const { return layout_; }
  /// The colour indices of the last frame's grid.
  const WorldGrid& grid() const { return grid_; }

  /// The read-out at a pixel coordinate (mouse position - 0.5) over the last
  /// frame; none outside the map. The value is the one whose colour the
  /// picture shows there.
  std::optional<MapReading> readAt(const State& s, Point p) const;

 private:
  struct Key {
    LayoutKey layout;
    Projection projection = Projection::Rectangular;
    double centreLat = 0, centreLon = 0;  // station A, the centre of the azimuthal map
    const MapLines* data = nullptr;
    std::size_t dataPoints = 0;
    const LandAreas* land = nullptr;
    std::size_t landPoints = 0;
    bool operator==(const Key&) const = default;
  };
  // Per disc pixel of the azimuthal map: its grid cell, the weights in it and
  // its direction from the earth's centre (for the night shading).
  struct DiscPixel {
    std::uint16_t cell;  // band x 37 + column, and kLandBit on land
    std::int16_t ex, ey, ez;
    float t, u;
  };
  struct EdgePixel {
    std::uint32_t index;
    std::uint8_t coverage;
    std::uint32_t plate;  // the plate under it
  };
  static constexpr std::uint16_t kLandBit = 0x8000;
  // The disc pixels' positions are kept up to this many bytes.
  static constexpr std::size_t kDiscKeptBytes = std::size_t{64} << 20;

  void build(const State& s, const MapView& a, const Key& k);
  // The disc pixel dx, dy from the disc's centre.
  DiscPixel discPixel(double dx, double dy) const;
  void staticLines(const MapView& a);
  void renderRectangular(const MapView& a, const float (&values)[19][37]);
  void renderAzimuthal(const MapView& a, const float (&values)[19][37]);
  void setSun(const State& s, const MapView& a);
  void drawTerminator(const MapView& a);
  void drawPath(const State& s, const MapView& a);
  void drawMark(GeoPoint o, const char* name, const MapView& a);
  Canvas canvas() { return {buffer_.data(), layout_.width, layout_.height}; }

  const MapLines* lineData_ = nullptr;
  Key key_;
  Layout layout_;
  MapProjection proj_;
  std::vector<std::uint32_t> buffer_;
  // Azimuthal map: the plate left and right of the disc, row by row.
  std::vector<std::uint32_t> aroundDisc_;
  StrokeMask mask_;
  CoverLayer lineLayer_;
  // Rectangular map: the first picture column of each grid column's segment
  // (37: the end), per picture column the weight in its segment, its
  // longitude and the cosine of its distance from the sub-solar longitude;
  // the colour table entries of the row being made.
  std::vector<int> segment_;
  std::vector<float> columnU_, columnCos_;
  std::vector<double> columnLon_;
  std::vector<std::uint16_t> rowColour_;
  // Azimuthal map: per row the picture columns [rowX0_, rowTo_) of the
  // disc and where they begin in disc_ (when the positions are kept).
  std::vector<DiscPixel> disc_;
  bool discKept_ = true;
  std::vector<std::uint32_t> rowFrom_, rowTo_;
  std::vector<std::int32_t> rowX0_;
  std::vector<EdgePixel> edge_;
  // Colours of the 129 indices, land and sea, in 33 steps towards the
  // night, plain and hatched.
  std::vector<std::uint32_t> colours_;
  std::vector<std::int16_t> hatch_;  // the hatching of a row from its first column on
  int hatchPeriod_ = 6, hatchLine_ = 1;  // the hatching's period and line width [px]
  const LandAreas* land_ = nullptr;
  LandRaster landRaster_;
  std::vector<std::uint16_t> groundRow_;  // land or sea of the row being made
  std::vector<GeoPoint> arc_;  // scratch points of a great circle
  std::vector<std::string> captionLines_;  // the caption of the last frame, in lines
  WorldGrid grid_{};
  float values_[19][37]{};  // grid_ with 180 E (= 180 W) as column 36
  GeoPoint sun_;                           // the sub-solar point
  double sunXyz_[3] = {0, 0, 0};      // its direction from the earth's centre
  double sinDecl_ = 0, cosDecl_ = 1;
  bool level_ = true;  // unit of the last frame's values
  bool outlook_ = false;  // the last frame showed the outlook
};

}  // namespace welvaro
