// The frequency/time chart of the link A-B: field strength or receive
// level over the UTC day (22 pixels per hour, 00 UTC at the left edge) and
// 0..30 MHz (9 pixels per MHz, 0 MHz at the bottom), 529 x 271 pixels,
// with the chart drawing (grid and labels) laid over it.
#pragma once

#include <string>

#include "display/bitmap.h"
#include "state/state.h"

namespace welvaro {

/// Colour indices 0..108 of the chart's grid, [hour 0..24][MHz 0..30], from
/// ErgFeld slice 0 by the rules of buildChartRaster below, the level when
/// `level`, else the field strength.
using ChartGrid = int16[25][31];
void chartGrid(const State& s, bool level, ChartGrid& grid);

/// Fills OrtsRaster from the day-corrected forecast in ErgFeld slice 0: the
/// colour index 0..108 of every whole MHz 0..30 and hour 1..24, the level
/// when PegelFlag is 1, else the field strength; 0 MHz is always black, and
/// row 0 repeats hour 24 (00 UTC) so that the day closes on itself. With
/// OutlookFlag = 1 the outlook from AvailabilityResults (outlookChartGrid),
/// which the picture shows in the outlook's colour table.
void buildChartRaster(State& s);

/// The picture file (145250 bytes) from OrtsRaster, the chart drawing
/// Ortskarte and the start-up header and colour table.
void chartBitmapFromRaster(const State& s, std::string& picture);

/// The chart of the link from station A to point B (OrtX2, OrtY2): sets X2
/// and Y2, runs the day-corrected forecast (with OutlookFlag = 1 at the
/// three availabilities too) and builds the picture. Returns
/// 0, or the model's fault code, in which case no picture is made (`picture`
/// is left as it was).
int chartBitmap(State& s, std::string& picture);

/// Generates the chart and writes it as "WelvDar2.bmp" in the program
/// directory Pfad. When `picture` is given it receives the picture too. When
/// the forecast of the link fails (a point B on station A or on its
/// antipode) nothing is written and the fault code is returned: the old
/// picture would show another link. The point result is refreshed by the
/// display cycle after this.
DisplayStatus prgAktDarst2(State& s, std::string* picture = nullptr);

}  // namespace welvaro
