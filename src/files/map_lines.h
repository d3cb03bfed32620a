// The map lines "MapLinien.dat": coastlines and country borders (Natural
// Earth 1:50 million) as polylines of geographic positions, from which the
// world map is drawn at any size. The file comes with the program; without
// it the map shows its colours only.
//
// Layout (little-endian): "WVLINIEN", version 1 (4 bytes), the number of
// lines and the number of points in all lines (4 bytes each); then every
// line: one byte kind (1 coastline, 2 border), a varint point count (at
// least 2) and the points as zigzag varints, longitude then latitude in
// hundredths of a degree, the first point whole and every further one as
// the change from the point before. The file ends after the last line.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace welvaro {

inline constexpr std::string_view kMapLinesFile = "MapLinien.dat";

enum class LineKind : std::uint8_t { Coast = 1, Border = 2 };

/// The polylines, their points one after the other.
struct MapLines {
  struct Line {
    LineKind kind = LineKind::Coast;
    std::uint32_t start = 0;  ///< index of the first point in `lat` / `lon`
    std::uint32_t count = 0;  ///< number of points, at least 2
  };
  std::vector<Line> lines;
  std::vector<float> lat;  ///< latitude [deg], -90..90
  std::vector<float> lon;  ///< longitude [deg], -180..180
  bool blank() const { return lines.empty(); }
};

enum class LinesStatus {
  kRead,         ///< read whole
  kMissing,      ///< no such file, or not a regular file
  kWrongLength,  ///< shorter or longer than its own counts say, or too large to be one
  kBad,          ///< a wrong tag or version, a kind, count or position out of range
  kUnreadable,   ///< the file could not be read
};

/// Decodes a file image. On any fault `lines` is left empty.
LinesStatus decodeMapLines(std::string_view bytes, MapLines& lines);

/// Reads and decodes the file. On any fault `lines` is left empty, so the
/// map is drawn without lines.
LinesStatus readMapLines(const std::filesystem::path& file, MapLines& lines);

}  // namespace welvaro
