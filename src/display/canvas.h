// Drawing into a 32-bit pixel buffer: one uint32 per pixel, 0xAARRGGBB
// (alpha always 255), rows top to bottom without padding, the layout of a
// 32-bit RGB picture in memory on a little-endian machine.
//
// Lines are antialiased: a stroke first collects, per pixel, how much of the
// pixel the line covers (the largest cover where pieces of a polyline meet,
// so joints do not darken), then lays its colour over the pixels by that
// cover. Layers that stay the same from frame to frame (coastlines, grid)
// are collected once into a sparse list of covered pixels, which takes
// memory in proportion to the lines, not to the picture.
#pragma once

#include <cstdint>
#include <vector>

#include "display/projection.h"

namespace welvaro {

inline constexpr std::uint32_t kOpaque = 0xFF000000u;
inline constexpr std::uint32_t rgb(int r, int g, int b) {
  return kOpaque | (static_cast<std::uint32_t>(r) << 16) | (static_cast<std::uint32_t>(g) << 8) |
         static_cast<std::uint32_t>(b);
}

/// `top` laid over `bottom` with the cover `a` (0..255).
inline std::uint32_t blend(std::uint32_t bottom, std::uint32_t top, std::uint32_t a) {
  const std::uint32_t b = 255 - a;
  std::uint32_t rb = (top & 0xFF00FFu) * a + (bottom & 0xFF00FFu) * b + 0x800080u;
  std::uint32_t g = (top & 0x00FF00u) * a + (bottom & 0x00FF00u) * b + 0x008000u;
  // Division by 255 of both packed channels: (x + (x >> 8)) >> 8.
  rb = ((rb + ((rb >> 8) & 0xFF00FFu)) >> 8) & 0xFF00FFu;
  g = ((g + ((g >> 8) & 0x00FF00u)) >> 8) & 0x00FF00u;
  return kOpaque | rb | g;
}

/// A pixel buffer owned elsewhere.
struct Canvas {
  std::uint32_t* pixel = nullptr;
  int width = 0, height = 0;
  std::uint32_t& at(int x, int y) { return pixel[static_cast<std::size_t>(y) * width + x]; }
  void fill(Rect r, std::uint32_t colour);
};

/// A sparse layer: covered pixels with the colour and cover laid over them.
class CoverLayer {
 public:
  struct Entry {
    std::uint32_t index;  ///< y x width + x
    std::uint32_t colour;  ///< colour with its cover in the top byte
  };
  void clear() { entries_.clear(); }
  /// Lays the entries from number `pos` on whose pixel index is below `end`
  /// (the list is in index order) over `pixel`; `pos` moves past them. A
  /// frame made row by row lays the layer over each row while the row is
  /// still in the cache.
  void applyUntil(std::uint32_t* pixel, std::size_t& pos, std::uint32_t end) const;

 private:
  friend class StrokeMask;
  std::vector<Entry> entries_;
};

/// The cover of strokes being drawn, for one picture size.
class StrokeMask {
 public:
  /// Size of the buffer; strokes are clipped to `clip`.
  void setSize(int width, int height);
  void setClip(Rect clip) { clip_ = clip; }
  int width() const { return width_; }
  int height() const { return height_; }

  /// A straight piece of width `width` [px] with round ends.
  void segment(Point a, Point b, double width);
  /// A filled disc.
  void disc(Point m, double radius) { segment(m, m, 2 * radius); }
  /// A single pixel fully covered (text).
  void pixel(int x, int y);

  /// Lays `colour` over `target` by the collected cover and clears the cover.
  void apply(Canvas& target, std::uint32_t colour);
  /// Lays `colour` by the collected cover over what the layer `layer`
  /// holds so far and clears the cover.
  void collect(CoverLayer& layer, std::uint32_t colour);

 private:
  // A cover of 0 (a line grazing the pixel by less than half of 1/255)
  // marks nothing: a touched pixel always has some cover.
  void cover(int x, int y, std::uint8_t c) {
    if (c == 0) return;
    std::uint8_t& d = coverage_[static_cast<std::size_t>(y) * width_ + x];
    if (d == 0) touched_.push_back(static_cast<std::uint32_t>(y) * width_ + x);
    if (c > d) d = c;
  }
  int width_ = 0, height_ = 0;
  Rect clip_;
  std::vector<std::uint8_t> coverage_;
  std::vector<std::uint32_t> touched_;
  std::vector<std::uint32_t> sortScratch_;  // scratch of the sort by index
  std::vector<CoverLayer::Entry> merged_;  // scratch of the merge
};

}  // namespace welvaro
