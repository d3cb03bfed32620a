// The plate a picture is shown on: the picture itself and, when asked for,
// its scales (longitude and latitude, bearings around the azimuthal map, or
// UTC hours and MHz for the chart) and the colour bar beside it. The tick
// of a value is placed with the same projection that places the picture, so
// a tick lies on the picture's own pixel of that value.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "display/canvas.h"
#include "display/projection.h"

namespace welvaro {

enum class LayoutKind { Map, Azimuthal, Chart };

/// Where the parts of a plate lie, in device pixels.
struct Layout {
  int width = 0, height = 0;  ///< the whole buffer
  Rect picture;                ///< the picture
  Rect bar;              ///< the colour bar (empty without scales)
  int point = 1;              ///< size of a font dot [px]
  bool scales = false;
  Rect caption;             ///< the caption's lines above the picture (empty without)
  int captionLineHeight = 0;  ///< height of a caption line [px]
};

/// What the still parts of a plate (ground, scales, colour bar, the lines
/// over the picture) depend on: a frame with other values rebuilds them.
struct LayoutKey {
  int width = -1, height = -1;
  bool lines = false, scales = false, level = false;
  double scale = 0;
  std::uint32_t background = 0;
  int captionLines = 0;  ///< lines of the caption above the picture
  std::string legend;    ///< the outlook legend's texts in place of the colour bar; empty: the bar
  bool operator==(const LayoutKey&) const = default;
};
/// The key of a frame: the size held to at least 1 x 1; the unit counts
/// only with scales (it labels the colour bar).
LayoutKey layoutKey(int width, int height, bool lines, bool scales, bool level, double scale,
                                std::uint32_t background, int captionLines = 0);

/// Dot size of the scale font for a plate shown at `scale` device pixels
/// per logical pixel: two pixels per dot at 100 %.
int fontDot(double scale);

/// The dot size a plate of breite x hoehe takes for the font of dot size
/// `point`: smaller on a small plate with scales.
int platePoint(int width, int height, bool scales, int point);

/// Divides a buffer of breite x hoehe. Without scales the picture is the
/// largest one of its shape centred in the buffer: the rectangular map keeps
/// 2 : 1 between its outer pixel centres (so 1081 x 541 holds it exactly),
/// the azimuthal map is a square, the chart takes the whole buffer. With
/// scales, margins for the labels and the colour bar come off first, and
/// with `captionLines` the caption's lines above it all.
///
/// `legendWidth` > 0: the colour bar's place holds a legend of that many
/// font dots' width instead, and the margin on the right makes room for it.
Layout planLayout(LayoutKind kind, int width, int height, bool scales, int point, int captionLines = 0,
                  int legendWidth = 0);

/// The width the caption's lines may take on a plate of `width` pixels
/// with font dots of `point` pixels.
int captionWidth(int width, int point);

/// The caption's lines in its place on the plate, on the ground colour.
void drawCaption(Canvas& w, StrokeMask& m, const Layout& t, const std::vector<std::string>& lines,
                 std::uint32_t background);

/// Colours of the value scale: entry v (0..128) is the colour of the display
/// pictures' colour table for index v, as 0xFFRRGGBB.
const std::uint32_t* valueColours();

/// The colour index a value of the scale shows: its whole part, held to the
/// colour table (0..128).
inline int valueIndex(float v) { return v <= 0.0f ? 0 : (v >= 128.0f ? 128 : static_cast<int>(v)); }

/// The value a colour index stands for: dBm (level) or dB(uV/m) (field).
inline int valueOfIndex(int index, bool level) { return level ? index - 127 : index - 54; }

/// Value between grid points: first along the rows `bottom` and `top`
/// (weight t), then between columns j and j + 1 (weight u), in single
/// precision and in this order, as every picture computes it.
inline float bilinear(const float* bottom, const float* top, int j, float t, float u) {
  const float a = bottom[j] + t * (top[j] - bottom[j]);
  const float b = bottom[j + 1] + t * (top[j + 1] - bottom[j + 1]);
  return a + u * (b - a);
}

/// The colour a text or tick is drawn in on `background`: black on a light
/// ground, white on a dark one.
std::uint32_t textColour(std::uint32_t background);

/// An S-unit on the level scale: the colour index of its level (S9 is
/// -73 dBm, index 54; 6 dB per S-unit below, 10 dB steps above) and its
/// label ("S5", "S9", and "+20" for S9+20).
struct SUnitMark {
  int index;
  std::string text;
};
/// The S-units labelled on a colour bar `barHeight` pixels high whose
/// labels need `labelHeight` pixels each: all of S1..S9 and +10..+50 (dB
/// over S9), or every second or fourth of them when they would touch.
std::vector<SUnitMark> sUnitMarks(int barHeight, int labelHeight);

/// Everything of the plate but the picture: the ground around it, the colour
/// bar with its values (level in dBm or field strength in dB(uV/m)), each
/// marked by a triangle pointing at its row, and on the level scale the
/// S-units left of the bar. Draws into `w` through `m` (its cover is left
/// clear).
void drawFrame(Canvas& w, StrokeMask& m, const Layout& t, std::uint32_t background, bool level);

/// Ticks and labels of the rectangular map: longitudes below, latitudes on
/// the left, every 30 degrees (60 or 90 when the labels would touch).
void drawMapScales(Canvas& w, StrokeMask& m, const Layout& t, const MapProjection& p,
                         std::uint32_t background);
/// A label of a plate: the box its text (or the plate behind it) takes, the
/// top-left corner the text is written from, the dot size and the text.
struct LabelBox {
  Rect box;
  int x = 0, y = 0;
  int point = 1;
  std::string text;
};
/// Whether two boxes share a pixel.
bool overlaps(const Rect& a, const Rect& b);

/// The bearing labels around the azimuthal map, every 30 degrees from 0 at
/// the top (every 60 or 90 when neighbours would touch), each centred the
/// same distance beyond its tick.
std::vector<LabelBox> bearingLabels(const Layout& t, const MapProjection& p);
/// Bearing labels around the azimuthal map, every 30 degrees.
void drawAzimuthalScales(Canvas& w, StrokeMask& m, const Layout& t, const MapProjection& p,
                           std::uint32_t background);
/// Ticks and labels of the chart: UTC hours below, MHz on the left.
void drawChartScales(Canvas& w, StrokeMask& m, const Layout& t, const ChartProjection& p,
                        std::uint32_t background);

/// Label text of a longitude or latitude: "30°E", "0°", "60°S".
std::string degreeLabel(int degrees, bool lon);

}  // namespace welvaro
