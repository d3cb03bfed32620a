// The two display pictures "WelvDar1.bmp" (world map, 541 x 271) and
// "WelvDar2.bmp" (frequency/time chart, 529 x 271): uncompressed 8-bit
// indexed Windows bitmaps with rows stored bottom-up, each row padded to a
// multiple of four bytes. Both share one 256-entry colour table:
//
//   index v = 0..108   the value scale: level v - 127 dBm or field strength
//                      v - 54 dB(uV/m), black -> blue -> cyan -> green ->
//                      yellow -> red -> magenta in six ramps of 18 steps
//   109..127           magenta
//   128..255           greys 2 x (v - 128) for the map and chart drawings
//
// The pictures are assembled in memory and written in one piece
// (files/bitmap_file.h), so a reader (the window loading the file) never
// sees half a picture.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "files/bitmap_file.h"
#include "state/state.h"

namespace welvaro {

/// Highest colour index of the value scale (magenta).
inline constexpr int kColourMax = 108;

struct Colour {
  std::uint8_t red = 0, green = 0, blue = 0;
  friend bool operator==(const Colour&, const Colour&) = default;
};

/// Colour of table entry `index` (0..255).
Colour paletteColour(int index);

/// The 1024-byte colour table: 256 entries of blue, green, red, 0.
std::string bmpPalette();

/// Builds BmpKopf1 (world map), BmpKopf2 (chart) and BmpPalette. Part of the
/// constant tables the program sets up once at start-up.
void conBitmaps(State& s);

/// Whether the three start-up byte strings are there (the display
/// generators build them when a caller skipped the start-up step).
bool bitmapsReady(const State& s);

/// Puts the header and the colour table at the start of `picture` (at least
/// 1078 bytes): `head` and `palette` as built at start-up, or built here
/// for a picture `width` pixels wide when they are not.
void setHeader(std::string& picture, const std::string& head, int width, const std::string& palette);

/// Colour index of a drawing byte above 16 inside a row: floor(byte / 2 + 128).
inline std::uint8_t overlayIndexWhole(std::uint8_t byte) { return static_cast<std::uint8_t>(128 + byte / 2); }

/// Colour index of a drawing byte above 16 in the last column and the top
/// row: byte / 2 + 128 to the nearest integer, halves to even; 256 (from
/// bytes 254 and 255) is held at the table's last entry 255.
std::uint8_t overlayIndexRounded(std::uint8_t byte);

/// Shape of a picture's value grid: `bands` bands of `rowsPerBand` pixel
/// rows, bottom-up, between grid rows b and b + 1; across, `sections`
/// segments of `pixelsPerSection` pixels, the last one running towards the
/// first grid column again; then one pixel for the drawing only and three
/// padding bytes. Above the bands lies one more row (the top row).
struct BitmapGrid {
  int bands;
  int rowsPerBand;
  int sections;
  int pixelsPerSection;
  std::size_t row;  ///< bytes per row, padding included
};
inline constexpr BitmapGrid kWorldBitmapGrid{18, 15, 36, 15, kWorldRowBytes};
inline constexpr BitmapGrid kChartBitmapGrid{30, 9, 24, 22, kChartRowBytes};

/// Paints the 271 rows of a picture into `pixel` (271 x g.row bytes).
/// `values` holds the colour indices of the grid, (g.bands + 1) grid rows
/// of g.sections values, bottom grid row first. `map` is the drawing
/// laid over the picture (271 x g.row bytes, bottom row first; a byte
/// above 16 is a drawn pixel); one of any other length counts as no drawing.
///
/// Per band the start of each grid column moves up by a single-precision
/// step of one band-row's share (the first row of a band already one step
/// up); along a row the value runs as a double from a column's start
/// towards the next column's start and is cut to its whole part.
void paintRows(const BitmapGrid& g, const int16* values, std::string_view map, char* pixel);

/// Outcome of a display generation.
struct DisplayStatus {
  int fault = 0;       ///< fault code of the forecast behind the picture, 0 if none
  std::string message;  ///< what went wrong writing the picture file; empty when written
  bool ok() const { return fault == 0 && message.empty(); }
};

}  // namespace welvaro
