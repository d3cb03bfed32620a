// The layout of the two display pictures "WelvDar1.bmp" and "WelvDar2.bmp":
// uncompressed 8-bit indexed Windows bitmaps of 271 rows stored bottom-up,
// each row padded to a multiple of four bytes, a 54-byte header and a
// 1024-byte colour table before the pixels. What they show is drawn by the
// display; here the header is built and a whole picture written.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "files/fileio.h"
#include "state/state.h"

namespace welvaro {

inline constexpr int kBitmapHeight = 271;             ///< rows of both pictures
inline constexpr int kWorldBitmapWidth = 541;        ///< pixels per world-map row
inline constexpr int kChartBitmapWidth = 529;         ///< pixels per chart row
inline constexpr std::size_t kWorldRowBytes = 544;     ///< bytes per world-map row (with padding)
inline constexpr std::size_t kChartRowBytes = 532;      ///< bytes per chart row (with padding)
inline constexpr std::size_t kBmpHeaderLength = 54;  ///< file header and information header
inline constexpr std::size_t kBmpPaletteLength = 1024;
inline constexpr std::size_t kBmpDataStart = kBmpHeaderLength + kBmpPaletteLength;  ///< 1078
inline constexpr std::size_t kWorldBitmapLength = kBmpDataStart + kWorldRowBytes * kBitmapHeight;  ///< 148502
inline constexpr std::size_t kChartBitmapLength = kBmpDataStart + kChartRowBytes * kBitmapHeight;    ///< 145250

/// The 54-byte header of an 8-bit picture `width` pixels wide and 271 rows
/// high: "BM", file size, pixel data at 1078, 40-byte information header,
/// one plane, 8 bits, no compression, 256 colours used and important.
std::string bmpHeader(int width);

/// Writes a whole picture (`kWorldBitmapLength` or `kChartBitmapLength`
/// bytes, starting "BM") as `name` in the program directory, replaced in
/// one piece; anything else is refused with kWrongLength and nothing is
/// written. The pictures are made anew at every start, so they are not
/// flushed to the disk.
FileStatus writeBitmapFile(const State& s, std::string_view name, std::string_view picture);

}  // namespace welvaro
