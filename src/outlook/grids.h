// The outlook of a link and of the world: the three availabilities' levels
// at a frequency and time, read from the forecast in memory the way the
// level displays read it, and the grids of colour indices the pictures are
// painted from (see outlookIndex in outlook/outlook.h).
#pragma once

#include "outlook/outlook.h"
#include "state/state.h"

namespace welvaro {

/// The outlook of the link at `mhz` (1..30) and UTC stunde:minute, from
/// AvailabilityResults slice 0 (after forecastAvailabilities): each level
/// interpolated as the point result interpolates ErgFeld (in time between
/// the whole hours, then in frequency between the whole MHz) and turned
/// into a level at `mhz`, but neither rounded down nor held to the
/// S-meter's scale. The noise is the record's at `mhz`. Raises the
/// subscript fault for a frequency outside 1..30 MHz or an hour outside 0..23.
OutlookValue linkOutlook(const State& s, double mhz, int hour, int minute);

/// Colour indices (outlookIndex) of the 19 x 36 table points, [latitude
/// index 0..18][longitude index 0..35], at the display frequency
/// `frequency` and UTC stunde:minute: every point a receiving station with
/// the record's noise and mode, its levels from the three tables in
/// AvailabilityTables, interpolated as the level map interpolates (the
/// frequency held to 1..30 MHz). The table bytes are the model's whole dB
/// of field strength (b - 128), read without the level table's limit of
/// -64..64 and turned into levels at `frequency` without rounding. Returns
/// false, with every point closed (0), when the tables are not there.
bool outlookWorldGrid(const State& s, double frequency, int hour, int minute, int16 (&grid)[19][36]);

/// Colour indices of the chart's grid, [hour 0..24][MHz 0..30], from
/// AvailabilityResults slice 0 (the link after forecastAvailabilities):
/// each whole MHz 1..30 with its own noise; 0 MHz closed; row 0 repeats
/// hour 24 (00 UTC).
void outlookChartGrid(const State& s, int16 (&grid)[25][31]);

}  // namespace welvaro
