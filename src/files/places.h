// The place list "Ortsvorg.txt" and its spatial index OrtRaster.
//
// The file holds items separated by line ends or commas (an item in double
// quotes may contain commas; the quotes are removed), one place per item:
//   identifier:name:longitude:latitude
// in the Windows-1252 code page. OrtRaster gives for every 10-degree cell
// the numbers of the places in the 3 x 3 cells around it, so the cursor
// read-out compares only a handful of places.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "state/state.h"

namespace welvaro {

inline constexpr int kPlacesMax = 2000;  ///< most places the list holds

/// Splits the text of a place list into its items: separated by line ends
/// (LF, CR LF or CR) and commas; leading blanks and tabs of an item are
/// skipped, trailing ones of an unquoted item dropped; a quoted item runs to
/// its closing quote, whatever follows up to the next separator is dropped.
std::vector<std::string> placeItems(std::string_view text);

/// Reads places from the text of a place list (Windows-1252) into OrtKennung,
/// OrtName (as UTF-8), OrtLaenge and OrtBreite from entry 1 on and sets
/// OrtZahl. Items with fewer than three colons are skipped; reading stops
/// after kPlacesMax places. Entries above OrtZahl are cleared.
void readPlacesText(State& s, std::string_view text);

/// Builds OrtRaster from the places read: every cell's text lists, as
/// four-digit numbers in descending order, the places whose cell lies
/// within one cell of it in both directions, and ends with "0000".
void buildOrtRaster(State& s);

/// The place-list reader of the start-up: when `file` can be read and is a
/// place list, OrtFlag = 1, the places are read and OrtRaster is built;
/// otherwise OrtFlag = 0, no places, OrtRaster empty. Returns whether the
/// list was read; `problem` (when given) receives why not, for a file that
/// exists but is damaged or cannot be read (loadPlaceList in
/// files/datafiles.h tells which).
bool readPlaceFile(State& s, const std::filesystem::path& file, std::string* problem = nullptr);

/// Longitude cell of a place: floor(longitude / 10 + 18) (may lie outside 0..35).
double placeCellLon(float lon);
/// Latitude cell of a place: floor(latitude / 10 + 9) (may lie outside 0..17).
double placeCellLat(float lat);

}  // namespace welvaro
