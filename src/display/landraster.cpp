#include "display/landraster.h"

#include <algorithm>
#include <cmath>

namespace welvaro {

namespace {

// An edge of a ring in grid coordinates (columns across, rows down), from
// its upper end: the rows first .. last it crosses, its column at row
// `first` and the change of column per row.
struct Edge {
  int first, last;
  double column, slope;
};

}  // namespace

void LandRaster::clear() {
  columns_ = rows_ = 0;
  runs_.clear();
  rowStart_.clear();
  bits_.clear();
}

void LandRaster::build(const LandAreas& land, int columns, int rows, double lonFirst, double lonStep,
                       double latFirst, double latStep, bool points) {
  clear();
  if (columns <= 0 || rows <= 0 || !(lonStep > 0) || !(latStep > 0)) return;
  columns_ = columns;
  rows_ = rows;
  lonFirst_ = lonFirst;
  lonStep_ = lonStep;
  latFirst_ = latFirst;
  latStep_ = latStep;

  // Row y crosses an edge when it lies in [upper end, lower end): each
  // crossing of a horizontal ray counted once, also at a ring's corners.
  std::vector<Edge> edges;
  edges.reserve(land.longitude.size());
  for (std::size_t r = 0; r < land.rings(); ++r) {
    const std::uint32_t from = land.ringStart[r], to = land.ringStart[r + 1];
    for (std::uint32_t i = from; i < to; ++i) {
      const std::uint32_t k = i + 1 < to ? i + 1 : from;
      double ya = (latFirst - land.latitude[i] / 100.0) / latStep, yb = (latFirst - land.latitude[k] / 100.0) / latStep;
      double xa = (land.longitude[i] / 100.0 - lonFirst) / lonStep;
      double xb = (land.longitude[k] / 100.0 - lonFirst) / lonStep;
      if (ya == yb) continue;
      if (ya > yb) {
        std::swap(ya, yb);
        std::swap(xa, xb);
      }
      // The last row is the pole itself: an edge that reaches down to it
      // counts there too, so that land around the pole covers it.
      const double first = std::max(0.0, std::ceil(ya));
      const double last = yb >= rows - 1.0 ? rows - 1.0 : std::min(rows - 1.0, std::ceil(yb) - 1);
      if (first > last) continue;
      const double slope = (xb - xa) / (yb - ya);
      edges.push_back({static_cast<int>(first), static_cast<int>(last), xa + (first - ya) * slope, slope});
    }
  }
  std::sort(edges.begin(), edges.end(), [](const Edge& a, const Edge& b) { return a.first < b.first; });

  rowStart_.assign(static_cast<std::size_t>(rows) + 1, 0);
  std::vector<const Edge*> active;
  std::vector<double> crossings;
  std::size_t next = 0;
  for (int y = 0; y < rows; ++y) {
    for (; next < edges.size() && edges[next].first == y; ++next) active.push_back(&edges[next]);
    std::erase_if(active, [y](const Edge* e) { return e->last < y; });
    crossings.clear();
    for (const Edge* e : active) crossings.push_back(e->column + (y - e->first) * e->slope);
    std::sort(crossings.begin(), crossings.end());
    // Inside between the first and second crossing, the third and fourth ...:
    // the columns x with c0 < x <= c1, and the first column with land
    // that begins at the map's left edge (180 W is 180 E).
    for (std::size_t i = 0; i + 1 < crossings.size(); i += 2) {
      if (!(crossings[i + 1] > crossings[i])) continue;  // an edge led there and back
      const double a =
          crossings[i] <= 0 ? 0.0 : std::clamp(std::floor(crossings[i]) + 1, 0.0, double(columns));
      const double b = std::clamp(std::floor(crossings[i + 1]) + 1, 0.0, double(columns));
      if (a < b) {
        runs_.push_back(static_cast<std::int32_t>(a));
        runs_.push_back(static_cast<std::int32_t>(b));
      }
    }
    rowStart_[static_cast<std::size_t>(y) + 1] = static_cast<std::uint32_t>(runs_.size());
  }

  if (points) {
    const std::size_t n = static_cast<std::size_t>(columns) * rows;
    bits_.assign((n + 63) / 64, 0);
    for (int y = 0; y < rows; ++y)
      for (std::uint32_t i = rowStart_[static_cast<std::size_t>(y)]; i < rowStart_[static_cast<std::size_t>(y) + 1];
           i += 2)
        for (std::size_t b = static_cast<std::size_t>(y) * columns + runs_[i];
             b < static_cast<std::size_t>(y) * columns + runs_[i + 1]; ++b)
          bits_[b / 64] |= std::uint64_t{1} << (b % 64);
  }
}

void LandRaster::fillRow(int y, std::uint16_t* row, std::uint16_t land, std::uint16_t sea) const {
  std::fill(row, row + columns_, sea);
  if (y < 0 || y >= rows_) return;
  for (std::uint32_t i = rowStart_[static_cast<std::size_t>(y)]; i < rowStart_[static_cast<std::size_t>(y) + 1]; i += 2)
    std::fill(row + runs_[i], row + runs_[i + 1], land);
}

bool LandRaster::cell(int x, int y) const {
  if (bits_.empty() || x < 0 || y < 0 || x >= columns_ || y >= rows_) return false;
  const std::size_t b = static_cast<std::size_t>(y) * columns_ + x;
  return (bits_[b / 64] >> (b % 64)) & 1;
}

bool LandRaster::at(double latitude, double longitude) const {
  if (bits_.empty()) return false;
  const long y = std::lround((latFirst_ - latitude) / latStep_);
  long x = std::lround((longitude - lonFirst_) / lonStep_);
  const long wrap = std::lround(360.0 / lonStep_);
  if (wrap > 0 && (x < 0 || x >= columns_)) x = ((x % wrap) + wrap) % wrap;
  return cell(static_cast<int>(x), static_cast<int>(std::clamp(y, 0L, rows_ - 1L)));
}

}  // namespace welvaro
