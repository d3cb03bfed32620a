// The world forecast table's file "Welvaro.tab": a 100-byte header, then
// 684 grid blocks of 720 bytes (latitude index outermost, then longitude
// index; inside a block 30 frequency runs of 24 hours). A byte b stores the
// value b - 128. Reading it whole, writing it whole, and rewriting the
// header of a table this run made or read as today's.
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

#include "files/fileio.h"

namespace welvaro {

inline constexpr int kTabLats = 19;                                     ///< latitude indices 0..18
inline constexpr int kTabLons = 36;                                     ///< longitude indices 0..35
inline constexpr int kTabBlocks = kTabLats * kTabLons;              ///< 684 grid points
inline constexpr std::size_t kTabHeaderLength = 100;                         ///< header bytes
inline constexpr std::size_t kTabBlockLength = 30 * 24;                    ///< bytes of one grid block
inline constexpr std::size_t kTabLength = kTabHeaderLength + kTabBlocks * kTabBlockLength;  ///< 492580

/// Offset in the file image of the byte for latitude index i (0..18),
/// longitude index j (0..35), f MHz (1..30) and UTC hour 1..24.
constexpr std::size_t tabOffset(int i, int j, int f, int hour) {
  return kTabHeaderLength +
         static_cast<std::size_t>(((i * kTabLons + j) * 30 + (f - 1)) * 24 + (hour - 1));
}

/// Outcome of reading or writing the table file.
using TableFileStatus = FileStatus;

/// Reads the table file whole into `image`. A missing or unreadable file,
/// anything that is not a regular file (not opened at all), or a file that
/// is not exactly kTabLength bytes long is reported as not ok and leaves
/// `image` unchanged; the caller then generates the table.
TableFileStatus readTableFile(const std::filesystem::path& file, std::string& image);

/// Writes a whole file image (exactly kTabLength bytes) through
/// replaceFile, so a failed write never leaves a half-written table behind.
TableFileStatus writeTableFile(const std::filesystem::path& file, std::string_view image);

/// Rewrites only the header (the first 100 bytes of `image`) at offset 0
/// of an existing table file, leaving the rest of the file as it is. A file
/// that is missing or not a whole table is left alone (kMissing /
/// kWrongLength): it will be generated anew at the next start.
TableFileStatus writeTableHeader(const std::filesystem::path& file, std::string_view image);

}  // namespace welvaro
