#include "display/canvas.h"

#include <algorithm>
#include <cmath>

namespace welvaro {

void Canvas::fill(Rect r, std::uint32_t colour) {
  const int x0 = std::max(0, r.x), x1 = std::min(width, r.x + r.width);
  const int y0 = std::max(0, r.y), y1 = std::min(height, r.y + r.height);
  for (int y = y0; y < y1; ++y) std::fill(&at(x0, y), &at(x0, y) + std::max(0, x1 - x0), colour);
}

void CoverLayer::applyUntil(std::uint32_t* pixel, std::size_t& pos, std::uint32_t end) const {
  for (; pos < entries_.size() && entries_[pos].index < end; ++pos) {
    const Entry& e = entries_[pos];
    pixel[e.index] = blend(pixel[e.index], e.colour, e.colour >> 24);
  }
}

void StrokeMask::setSize(int width, int height) {
  width_ = width;
  height_ = height;
  clip_ = {0, 0, width, height};
  coverage_.assign(static_cast<std::size_t>(width) * height, 0);
  touched_.clear();
}

void StrokeMask::pixel(int x, int y) {
  if (x >= std::max(0, clip_.x) && x < std::min(width_, clip_.x + clip_.width) && y >= std::max(0, clip_.y) &&
      y < std::min(height_, clip_.y + clip_.height))
    cover(x, y, 255);
}

void StrokeMask::segment(Point a, Point b, double width) {
  if (!(std::isfinite(a.x) && std::isfinite(a.y) && std::isfinite(b.x) && std::isfinite(b.y) && width > 0)) return;
  // Cover of a pixel whose centre lies d from the line's middle: the share of
  // a one-pixel box the line crosses, at most the line's own width.
  const double half = width / 2, reach = half + 0.5, full = std::min(width, 1.0);
  const int cx0 = std::max(0, clip_.x), cx1 = std::min(width_, clip_.x + clip_.width) - 1;
  const int cy0 = std::max(0, clip_.y), cy1 = std::min(height_, clip_.y + clip_.height) - 1;
  const int y0 = std::max(cy0, static_cast<int>(std::ceil(std::min(a.y, b.y) - reach)));
  const int y1 = std::min(cy1, static_cast<int>(std::floor(std::max(a.y, b.y) + reach)));
  const int bx0 = std::max(cx0, static_cast<int>(std::ceil(std::min(a.x, b.x) - reach)));
  const int bx1 = std::min(cx1, static_cast<int>(std::floor(std::max(a.x, b.x) + reach)));
  if (y0 > y1 || bx0 > bx1) return;
  const double dx = b.x - a.x, dy = b.y - a.y, l2 = dx * dx + dy * dy, l = std::sqrt(l2);
  for (int y = y0; y <= y1; ++y) {
    int x0 = bx0, x1 = bx1;
    // Only the pixels near the infinite line: |(x - a.x) dy - (y - a.y) dx| <= reich x l.
    if (std::fabs(dy) > 1e-9 * l) {
      const double m = a.x + (y - a.y) * dx / dy, w = std::fabs(reach * l / dy);
      x0 = std::max(x0, static_cast<int>(std::ceil(m - w)));
      x1 = std::min(x1, static_cast<int>(std::floor(m + w)));
    }
    for (int x = x0; x <= x1; ++x) {
      double px = x - a.x, py = y - a.y;
      if (l2 > 0) {
        const double t = std::clamp((px * dx + py * dy) / l2, 0.0, 1.0);
        px -= t * dx;
        py -= t * dy;
      }
      const double d2 = px * px + py * py;
      if (d2 >= reach * reach) continue;  // no cover, and no root needed
      const double c = std::min(full, reach - std::sqrt(d2));
      if (c > 0) cover(x, y, static_cast<std::uint8_t>(c * 255 + 0.5));
    }
  }
}

void StrokeMask::apply(Canvas& target, std::uint32_t colour) {
  for (const std::uint32_t i : touched_) {
    target.pixel[i] = blend(target.pixel[i], colour, coverage_[i]);
    coverage_[i] = 0;
  }
  touched_.clear();
}

namespace {

// Sorts pixel indices ascending: by their two 16-bit halves for many (a
// coastline), plainly for a few (a label).
void sortByIndex(std::vector<std::uint32_t>& v, std::vector<std::uint32_t>& scratch) {
  if (v.size() < 4096) {
    std::sort(v.begin(), v.end());
    return;
  }
  scratch.resize(v.size());
  for (const int shift : {0, 16}) {
    std::vector<std::uint32_t> count(65537, 0);
    for (const std::uint32_t i : v) ++count[((i >> shift) & 0xFFFF) + 1];
    for (std::size_t k = 1; k < count.size(); ++k) count[k] += count[k - 1];
    for (const std::uint32_t i : v) scratch[count[(i >> shift) & 0xFFFF]++] = i;
    v.swap(scratch);
  }
}

}  // namespace

void StrokeMask::collect(CoverLayer& layer, std::uint32_t colour) {
  sortByIndex(touched_, sortScratch_);
  const std::vector<CoverLayer::Entry>& old = layer.entries_;
  merged_.clear();
  merged_.reserve(old.size() + touched_.size());
  std::size_t k = 0;
  for (const std::uint32_t i : touched_) {
    for (; k < old.size() && old[k].index < i; ++k) merged_.push_back(old[k]);
    const double as = coverage_[i] / 255.0;
    coverage_[i] = 0;
    const std::uint32_t below = k < old.size() && old[k].index == i ? old[k++].colour : 0;
    // `colour` with the cover as over what lies there ("over" of two
    // colours with cover): the cover of both, and the colours weighted.
    const double ad = (below >> 24) / 255.0;
    const double ao = as + ad * (1 - as);
    if (!(ao > 0)) continue;  // nothing covers the pixel
    std::uint32_t over = static_cast<std::uint32_t>(ao * 255 + 0.5) << 24;
    for (int c = 0; c < 24; c += 8) {
      const double cs = (colour >> c) & 0xFF, cd = (below >> c) & 0xFF;
      over |= static_cast<std::uint32_t>((cs * as + cd * ad * (1 - as)) / ao + 0.5) << c;
    }
    merged_.push_back({i, over});
  }
  for (; k < old.size(); ++k) merged_.push_back(old[k]);
  layer.entries_.swap(merged_);
  touched_.clear();
}

}  // namespace welvaro
