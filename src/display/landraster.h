// Which points of a longitude/latitude grid lie on land, from the land
// rings (files/landareas.h) by the even-odd rule: the rectangular map takes
// its own pixel grid (land as runs of columns per row, so a frame fills a
// row at the speed of memory), the azimuthal map a grid about as fine as
// its centre and asks it point by point.
#pragma once

#include <cstdint>
#include <vector>

#include "files/landareas.h"

namespace welvaro {

class LandRaster {
 public:
  /// The grid: column x at longitude lonFirst + x * lonStep, row y at
  /// latitude latFirst - y * latStep (north first), each point land when a
  /// ray from it crosses the rings an odd number of times. With `points`
  /// the grid is also kept as bits for at().
  void build(const LandAreas& land, int columns, int rows, double lonFirst, double lonStep, double latFirst,
             double latStep, bool points);
  void clear();
  bool empty() const { return rowStart_.empty(); }
  int columns() const { return columns_; }
  int rows() const { return rows_; }

  /// Writes `sea` into row[0 .. columns), then `land` into the land runs of
  /// grid row y.
  void fillRow(int y, std::uint16_t* row, std::uint16_t land, std::uint16_t sea) const;
  /// Whether the grid point nearest a position is land (longitudes wrap;
  /// needs build with `points`).
  bool at(double latitude, double longitude) const;
  /// Whether grid point (x, y) is land.
  bool cell(int x, int y) const;

 private:
  int columns_ = 0, rows_ = 0;
  double lonFirst_ = 0, lonStep_ = 1, latFirst_ = 0, latStep_ = 1;
  std::vector<std::int32_t> runs_;       // per row pairs [from, to) of columns
  std::vector<std::uint32_t> rowStart_;  // row y: runs_[rowStart_[y] .. rowStart_[y + 1])
  std::vector<std::uint64_t> bits_;
};

}  // namespace welvaro
