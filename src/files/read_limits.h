// The most bytes each reader takes from its file, all in one place. Every
// reader goes through readWholeFile (files/fileio.h), which refuses
// anything that is not a regular file (a FIFO would block the reader for
// good, a link to /dev/zero would never end) and any file larger than the
// reader's limit before it reads a byte, so no file can make the program
// wait or fill its memory. Each limit is far above what a sound file of
// its kind holds, and far below what would cost memory worth naming.
#pragma once

#include <cstddef>

namespace welvaro {

/// "Welvaro.dat": 22 short lines, a few hundred bytes.
inline constexpr std::size_t kSettingsReadLimit = std::size_t{1} << 20;
/// "Welvaro.tab": exactly its 492580 bytes; a longer file is not read.
inline constexpr std::size_t kTableReadLimit = 492580;
/// "WelvaroFenster.ini": a handful of key=value lines.
inline constexpr std::size_t kWindowPrefsReadLimit = std::size_t{64} << 10;
/// "Ortsvorg.txt": at most 2000 places are read, some 60 kB; room for long
/// names, comments and places beyond the 2000th.
inline constexpr std::size_t kPlaceListReadLimit = std::size_t{4} << 20;
/// "Orte.dat": the shipped gazetteer of 23000 places is some 600 kB.
inline constexpr std::size_t kGazetteerReadLimit = std::size_t{16} << 20;
/// "MapWelt.dat" and "MapOrt.dat": exactly 271 rows of 544 or 532 bytes.
inline constexpr std::size_t kWorldOverlayReadLimit = 147424;
inline constexpr std::size_t kChartOverlayReadLimit = 144172;
/// "MapLinien.dat": the 1:50 million lines are some 170 kB.
inline constexpr std::size_t kMapLinesReadLimit = std::size_t{16} << 20;
/// "Welvaro.hlp": the help in four languages, some 20 kB of HTML.
inline constexpr std::size_t kHelpReadLimit = std::size_t{4} << 20;

}  // namespace welvaro
