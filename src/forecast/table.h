// The world forecast table: the day-corrected forecast from station A to
// every point of a 10-degree grid (19 latitudes x 36 longitudes), for 1..30
// MHz and the 24 UTC hours, as a 492580-byte file image and as the two
// arrays Weltfeld / Weltpegel the world map interpolates.
//
// File image "Welvaro.tab": a 100-byte header, then 684 grid blocks of 720
// bytes (latitude index outermost, then longitude index; inside a block 30
// frequency runs of 24 hours). A byte b stores the value b - 128.
#pragma once

#include <array>
#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

#include "files/table_file.h"
#include "state/state.h"

namespace welvaro {

/// Latitude [deg] at which grid row i is computed: (i - 9) x 10, the poles
/// replaced by -89.5 and 89.5.
double tabLat(int i);
/// Longitude [deg] of grid column j: (j - 18) x 10, -180..170.
float tabLon(int j);

/// The 100-character header of a table generated now from the state:
/// month, day of year of `Jetzt`, the station-A and condition inputs, the
/// date of `Jetzt` as dd.mm.yyyy, padded with dots.
std::string tableHeader(const State& s);

/// Byte stored for a calculated field strength: floor(v + 128), held in 0..255.
unsigned char tabByte(double field);

/// What happened to grid points whose forecast ended in a model fault.
/// A grid point that lies on station A or on its antipode makes the model
/// divide by zero; such a point is computed 0.1 degree of latitude towards
/// the equator instead (then 0.1 degree away from it). A point that fails
/// there too gets the block of "no signal" bytes (0, read back as -64).
struct GenTabInfo {
  int moved = 0;    ///< grid points computed 0.1 deg off the grid
  int filled = 0;      ///< grid points that could not be computed at all
  int firstFault = 0;  ///< fault code of the first such point, 0 if none
  int faultLat = 0;  ///< its latitude index
  int faultLon = 0;  ///< its longitude index
};

/// Forecast to the grid point (X2, Y2) already set; when it fails, the same
/// point moved 0.1 degree of latitude towards the equator, then away from
/// it. X2 is set back to the grid latitude in every case. Returns 0 or the
/// fault of the last attempt; `moved` tells whether the moved point
/// served. Every table generation computes its grid points with this.
int forecastAtPoint(State& s, bool& moved);

/// Builds the whole file image into TabText from the current state (station
/// A, conditions, Monat, Jetzt). Leaves X2/Y2 at the last grid point and
/// ErgFeld with its forecast. The image is always complete; returns 0 when
/// every grid point could be computed, else the fault code of the first
/// point that could not (its block and any other such blocks hold "no
/// signal").
///
/// The grid points are shared out over `threads` threads (tabThreadCount()
/// when not given), each with its own copy of the state record; the image
/// is byte for byte the one a single thread makes.
int prgGenTabPlus(State& s, GenTabInfo* info = nullptr);
int prgGenTabPlus(State& s, int threads, GenTabInfo* info = nullptr);

/// Threads of a table generation: the processor's hardware threads, at
/// most 8 (the 684 grid points give too little work for more).
int tabThreadCount();

/// Parses the file image in TabText into Weltfeld (limited to -64..64) and
/// Weltpegel, sets TabMonat and TabTag and cuts TabText to its header.
/// Returns false, changing nothing, when TabText is not a whole image.
bool prgTabPlus(State& s);

/// The level term 45 - 20 x ln(f x 1000000) / 2.3025851 of f = 1..30 MHz.
using LevelTerms = std::array<double, 31>;
LevelTerms levelTerms();

/// The two steps of prgTabPlus: one grid block (720 bytes at `block`) into
/// Weltfeld[i][j] and Weltpegel[i][j]; and the header, TabText cut (or
/// padded with dots) to 100 bytes, TabMonat and TabTag taken from it.
void readTabBlock(State& s, int i, int j, const unsigned char* block, const LevelTerms& terms);
void keepTabHeader(State& s);

/// Receive level [dBm] of field strength v [dB(uV/m)] at f MHz:
/// 45 - 20 x ln(f x 1000000) / 2.3025851 + v, rounded half to even.
int16 worldLevel(int f, int v);

}  // namespace welvaro
