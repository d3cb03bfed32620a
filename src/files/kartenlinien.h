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

inline constexpr std::string_view kMapLinienDatei = "MapLinien.dat";

enum class Linienart : std::uint8_t { Kueste = 1, Grenze = 2 };

/// The polylines, their points one after the other.
struct Kartenlinien {
  struct Linie {
    Linienart art = Linienart::Kueste;
    std::uint32_t anfang = 0;  ///< index of the first point in `breite` / `laenge`
    std::uint32_t anzahl = 0;  ///< number of points, at least 2
  };
  std::vector<Linie> linien;
  std::vector<float> breite;  ///< latitude [deg], -90..90
  std::vector<float> laenge;  ///< longitude [deg], -180..180
  bool leer() const { return linien.empty(); }
};

enum class LinienStatus {
  kRead,         ///< read whole
  kMissing,      ///< no such file, or not a regular file
  kWrongLength,  ///< shorter or longer than its own counts say, or too large to be one
  kBad,          ///< a wrong tag or version, a kind, count or position out of range
  kUnreadable,   ///< the file could not be read
};

/// Decodes a file image. On any fault `linien` is left empty.
LinienStatus dekodiereKartenlinien(std::string_view bytes, Kartenlinien& linien);

/// Reads and decodes the file. On any fault `linien` is left empty, so the
/// map is drawn without lines.
LinienStatus leseKartenlinien(const std::filesystem::path& file, Kartenlinien& linien);

}  // namespace welvaro
