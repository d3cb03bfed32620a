#include "display/dotlayer.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace welvaro {

namespace {

// The pixels of one dot around its centre pixel, by what they get: the
// fill, the rim, the rim under the fill's antialiased edge (the same for
// every pixel below, so one colour per cover level and dot), or the rim's
// outer antialiased edge over the map.
struct Stamp {
  struct Edge {
    int dx, dy;
    std::uint8_t cover;  // outer edge: of the rim; inner edge: index into `levels`
  };
  struct Pixel {
    int offset;  // dy * width + dx
    int dx, dy;
  };
  std::vector<Pixel> fill, rim;
  std::vector<Edge> inner, outer;
  std::vector<std::uint8_t> levels;  // the fill's cover levels at the inner edge
  int reach = 0;                     // largest |dx|, |dy|
};

std::uint8_t cover(double dist, double radius) {
  return static_cast<std::uint8_t>(std::lround(std::clamp(radius + 0.5 - dist, 0.0, 1.0) * 255));
}

Stamp makeStamp(double scale, int width) {
  Stamp s;
  const double outer = mapDotRadius(scale);
  const double inner = outer - std::max(1.0, scale);
  s.reach = static_cast<int>(std::ceil(outer + 0.5));
  for (int dy = -s.reach; dy <= s.reach; ++dy)
    for (int dx = -s.reach; dx <= s.reach; ++dx) {
      const double d = std::hypot(dx, dy);
      const std::uint8_t a = cover(d, outer), f = cover(d, inner);
      if (a == 0) continue;
      if (f == 255) {
        s.fill.push_back({dy * width + dx, dx, dy});
      } else if (f > 0) {  // then the rim covers it wholly: the fill's edge lies a pixel inside
        auto at = std::find(s.levels.begin(), s.levels.end(), f);
        if (at == s.levels.end()) at = s.levels.insert(at, f);
        s.inner.push_back({dx, dy, static_cast<std::uint8_t>(at - s.levels.begin())});
      } else if (a == 255) {
        s.rim.push_back({dy * width + dx, dx, dy});
      } else {
        s.outer.push_back({dx, dy, a});
      }
    }
  return s;
}

constexpr std::uint32_t kRim = rgb(0, 0, 0);

// The black rim laid over a pixel with the cover a: each channel times
// (256 - a) / 256, a little cheaper than a general mix.
inline std::uint32_t darken(std::uint32_t px, std::uint32_t a) {
  const std::uint32_t k = 256 - a;
  return kOpaque | ((((px & 0xFF00FFu) * k) >> 8) & 0xFF00FFu) | ((((px & 0x00FF00u) * k) >> 8) & 0x00FF00u);
}

}  // namespace

double mapDotRadius(double scale) { return 3.5 * std::max(0.5, scale); }

namespace {

// Draws the dots at their pixel coordinates `at` (one per dot).
void stampDots(Canvas& canvas, Rect clip, const std::vector<MapDot>& dots, const std::vector<Point>& at,
               double scale) {
  if (dots.empty() || canvas.pixel == nullptr) return;
  clip.x = std::max(0, clip.x);
  clip.y = std::max(0, clip.y);
  clip.width = std::min(clip.width, canvas.width - clip.x);
  clip.height = std::min(clip.height, canvas.height - clip.y);
  if (clip.width <= 0 || clip.height <= 0) return;
  const Stamp s = makeStamp(scale, canvas.width);
  const int x0 = clip.x + s.reach, x1 = clip.x + clip.width - 1 - s.reach;
  const int y0 = clip.y + s.reach, y1 = clip.y + clip.height - 1 - s.reach;
  std::vector<std::uint32_t> edge(s.levels.size());
  for (std::size_t i = 0; i < dots.size(); ++i) {
    const MapDot& dot = dots[i];
    const Point p = at[i];
    if (!(p.x > clip.x - s.reach - 1 && p.x < clip.x + clip.width + s.reach && p.y > clip.y - s.reach - 1 &&
          p.y < clip.y + clip.height + s.reach))
      continue;
    // Inside the test above, so the sums are far from int's limits.
    const int cx = static_cast<int>(std::floor(p.x + 0.5)), cy = static_cast<int>(std::floor(p.y + 0.5));
    const std::uint32_t fill = dot.colour | kOpaque;
    for (std::size_t k = 0; k < s.levels.size(); ++k) edge[k] = blend(kRim, fill, s.levels[k]);
    if (cx >= x0 && cx <= x1 && cy >= y0 && cy <= y1) {
      // Wholly inside: plain stores, mixing only at the outer edge.
      std::uint32_t* c = &canvas.at(cx, cy);
      for (const Stamp::Pixel& q : s.fill) c[q.offset] = fill;
      for (const Stamp::Pixel& q : s.rim) c[q.offset] = kRim;
      for (const Stamp::Edge& e : s.inner) c[e.dy * canvas.width + e.dx] = edge[e.cover];
      for (const Stamp::Edge& e : s.outer) {
        std::uint32_t& px = c[e.dy * canvas.width + e.dx];
        px = darken(px, e.cover);
      }
      continue;
    }
    const auto inside = [&](int x, int y) {
      return x >= clip.x && x < clip.x + clip.width && y >= clip.y && y < clip.y + clip.height;
    };
    for (const Stamp::Pixel& q : s.fill)
      if (inside(cx + q.dx, cy + q.dy)) canvas.at(cx + q.dx, cy + q.dy) = fill;
    for (const Stamp::Pixel& q : s.rim)
      if (inside(cx + q.dx, cy + q.dy)) canvas.at(cx + q.dx, cy + q.dy) = kRim;
    for (const Stamp::Edge& e : s.inner)
      if (inside(cx + e.dx, cy + e.dy)) canvas.at(cx + e.dx, cy + e.dy) = edge[e.cover];
    for (const Stamp::Edge& e : s.outer)
      if (inside(cx + e.dx, cy + e.dy)) {
        std::uint32_t& px = canvas.at(cx + e.dx, cy + e.dy);
        px = darken(px, e.cover);
      }
  }
}

}  // namespace

void drawMapDots(Canvas& canvas, const MapProjection& projection, Rect clip, const std::vector<MapDot>& dots,
                 double scale) {
  std::vector<Point> at;
  at.reserve(dots.size());
  for (const MapDot& d : dots) at.push_back(projection.toPixel(d.position));
  stampDots(canvas, clip, dots, at, scale);
}

void MapDotLayer::setDots(std::vector<MapDot> dots) {
  dots_ = std::move(dots);
  pixels_.clear();
}

void MapDotLayer::draw(Canvas& canvas, const MapProjection& projection, Rect clip, double scale) {
  // The projection is known by where it puts four positions and its centre.
  const Point a = projection.toPixel({0, 0}), b = projection.toPixel({45, 90}), c = projection.toPixel({-60, -150});
  const std::array<double, 10> key{static_cast<double>(projection.kind()), projection.centre().lat,
                                   projection.centre().lon, projection.radius(), a.x, a.y, b.x, b.y, c.x, c.y};
  if (key != key_ || pixels_.size() != dots_.size()) {
    key_ = key;
    pixels_.clear();
    pixels_.reserve(dots_.size());
    for (const MapDot& d : dots_) pixels_.push_back(projection.toPixel(d.position));
  }
  stampDots(canvas, clip, dots_, pixels_, scale);
}

}  // namespace welvaro
