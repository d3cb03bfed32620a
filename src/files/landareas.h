// The land areas "MapLand.dat": Natural Earth's 1:50 million land polygons
// as closed rings of geographic positions, filled by the even-odd rule in
// longitude and latitude (the rings closed along 180 degrees and along the
// South Pole close the land there; a ring inside another is water). The
// world map shows land and sea under its colours where no signal arrives.
// The file comes with the program; without it those places stay black.
//
// Layout (little-endian): "WVLAND00", version 1 (4 bytes), the number of
// rings and the number of points in all rings (4 bytes each); then every
// ring: a varint point count (at least 3; the last point is joined to the
// first) and the points as zigzag varints, longitude then latitude in
// hundredths of a degree, the first point whole and every further one as
// the change from the point before. The file ends after the last ring.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string_view>
#include <vector>

namespace welvaro {

inline constexpr std::string_view kLandFile = "MapLand.dat";

/// The rings, their points one after the other.
struct LandAreas {
  std::vector<std::uint32_t> ringStart;  ///< ring i: points ringStart[i] .. ringStart[i + 1] - 1
  std::vector<std::int16_t> longitude;   ///< [1/100 deg], -18000..18000
  std::vector<std::int16_t> latitude;    ///< [1/100 deg], -9000..9000
  std::size_t rings() const { return ringStart.empty() ? 0 : ringStart.size() - 1; }
  bool empty() const { return rings() == 0; }
};

enum class LandStatus {
  kRead,         ///< read whole
  kMissing,      ///< no such file, or not a regular file
  kWrongLength,  ///< shorter or longer than its own counts say, or too large to be one
  kBad,          ///< a wrong tag or version, a count or position out of range
  kUnreadable,   ///< the file could not be read
};

/// Decodes a file image. On any fault `land` is left empty.
LandStatus decodeLandAreas(std::string_view bytes, LandAreas& land);

/// Reads and decodes the file. On any fault `land` is left empty, so the
/// map is drawn without land and sea.
LandStatus readLandAreas(const std::filesystem::path& file, LandAreas& land);

}  // namespace welvaro
