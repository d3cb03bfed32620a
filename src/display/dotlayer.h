// Dots over the world map drawn at any size: a small filled disc with a
// dark rim at each of a list of positions, on top of the forecast colours
// (rectangular or azimuthal map alike, through the frame's projection).
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "display/canvas.h"
#include "display/projection.h"

namespace welvaro {

/// One dot: where and in which colour (0xAARRGGBB, alpha ignored).
struct MapDot {
  GeoPoint position;
  std::uint32_t colour = 0;
};

/// Radius of a dot's disc [device pixels] at the scale `scale` (device
/// pixels per logical pixel), rim included.
double mapDotRadius(double scale);

/// Draws `dots` in their order (later ones on top) into `canvas`, each at
/// `projection.toPixel(position)` rounded to the nearest pixel, clipped to
/// `clip` (the map's picture rectangle). Positions the projection shows
/// nowhere near the picture are passed over.
void drawMapDots(Canvas& canvas, const MapProjection& projection, Rect clip, const std::vector<MapDot>& dots,
                 double scale = 1.0);

/// The same for a window that draws the same dots over frame after frame
/// (the animation, a new hour): the dots' pixel coordinates are kept until
/// the dots or the projection (picture size, projection, station A) change,
/// so a frame only stamps them.
class MapDotLayer {
 public:
  void setDots(std::vector<MapDot> dots);
  const std::vector<MapDot>& dots() const { return dots_; }
  void draw(Canvas& canvas, const MapProjection& projection, Rect clip, double scale = 1.0);

 private:
  std::vector<MapDot> dots_;
  std::vector<Point> pixels_;
  std::array<double, 10> key_{};
};

}  // namespace welvaro
