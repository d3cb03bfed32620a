// The forecast at the three availabilities 10, 50 and 90 % at once: the
// value reached on nine days in ten, on half the days and on one day in ten.
// The outlook of a mode is formed from them (outlook/outlook.h).
//
// Everything the driver computes before the decile shift is the same for
// every availability, so one run gives all three (the record field
// AvailabilityRun asks the driver for them, keepAvailabilities keeps them).
// Each value is exactly the one a run with that Iproz gives; where the
// shared run cannot give one (a model fault at one availability only) the
// availabilities are computed one by one.
#pragma once

#include <array>

#include "forecast/table.h"
#include "state/state.h"

namespace welvaro {

/// The availabilities [%] in the order of AvailabilityResults and
/// AvailabilityTables.
inline constexpr std::array<double, 3> kAvailabilities = {10, 50, 90};

/// Index 0..2 of the availability a calculation with `availability` gives: 10 and
/// 50 are their own; the decile step takes every other value as 90 %.
int availabilityIndex(double availability);

/// The day-corrected forecast of the link A -> B (X2, Y2): at Iproz into
/// ErgFeld slice 0, exactly as prgTageskorr leaves it, and at 10, 50 and
/// 90 % into AvailabilityResults[0..2] slice 0. Returns 0, or the first
/// fault code when one of the four could not be computed. Monat, Iproz and
/// AvailabilityRun are as they were afterwards.
int forecastAvailabilities(State& s);

/// The world table and its three availabilities from one generation:
/// TabText byte for byte as prgGenTabPlus makes it (same header, same grid
/// points moved or left at "no signal", same GenTabInfo, same state left
/// behind) and AvailabilityTables[0..2] byte for byte as prgGenTabPlus
/// makes it with Iproz = 10, 50 and 90 (their headers carry that Iproz).
/// The grid points are shared out over `threads` threads (tabThreadCount()
/// when not given), each with its own copy of the state record. Returns
/// prgGenTabPlus's result for TabText.
int generateTableAndAvailabilities(State& s, GenTabInfo* info = nullptr);
int generateTableAndAvailabilities(State& s, int threads, GenTabInfo* info = nullptr);

/// Whether AvailabilityTables hold the three tables a generation from the
/// state now would make: whole images whose headers are the header of
/// tableHeader with that availability. (Iproz is changed and restored.)
bool availabilityTablesCurrent(State& s);

}  // namespace welvaro
