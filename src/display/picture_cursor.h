// The cursor read-out and the clicks over the pictures drawn at any size:
// the same texts and state changes as over the bitmaps (prgCursor,
// prgKlick), from a read-out of the scaled picture instead of a pixel
// colour and a twips position, plus the bearing and distance from station A
// on the world map.
//
// For the window: on a mouse movement at device pixel position m over the
// picture, readAt(p) with p = m - 0.5 (x and y), then one of the two
// functions below; on a click the same, then prgKlick as before (world map:
// point B from Px2/Py2 or the nearest place; chart: the display frequency).
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "display/chart_picture.h"
#include "display/cursor.h"
#include "display/map_picture.h"
#include "forecast/point_result.h"
#include "state/state.h"

namespace welvaro {

/// World map (Darstellung 1): value label, position (degrees or locator),
/// nearest place as prgCursor gives them for the position and colour index
/// of `a`. Sets Px2/Py2, LocatorText, FarbWert, NahOrt ... as prgCursor does.
/// The nearest place's marker goes to projection().toPixel of the place
/// (OrtBreite/OrtLaenge of NahOrt), not to the twips in the result.
CursorReadout prgKartenCursor(State& s, const MapReading& a, bool level, bool degrees);

/// "Richtung (A): 245°  Distanz: 1234 km" in the current language: bearing
/// and distance from station A, cut to whole numbers.
std::string bearingText(const State& s, const MapReading& a);

/// The spot of the chart a click at the reading takes (chartSpotAt of the
/// twips prgCursor keeps for it).
ChartSpot chartSpot(const ChartReading& a);

/// The link's values at a spot by the point result's own rule (pointValues
/// on `link`'s ErgFeld slice 0, the forecast the chart shows), so the
/// read-out and the text panel cannot differ at the same frequency and
/// minute; none where the table has no value (below 1 MHz).
std::optional<PointValues> chartSpotValues(const State& link, ChartSpot p);

/// Chart (Darstellung 2): value, frequency and UTC time labels as prgCursor
/// gives them; sets CursorX/CursorHoehe, so a following prgKlick takes the
/// frequency under the cursor. The value is the link's at the spot
/// (chartSpotValues on `link`), not the colour's band of values; FarbWert
/// becomes its colour index.
CursorReadout prgChartCursor(State& s, const State& link, const ChartReading& a, bool level);

/// The cross-hair over the chart: its lines cross at the spot read (not at
/// the pointer, so they stand where the value is taken), and its label says
/// frequency, UTC time and the value with its S-units (level) in the
/// current language, for example {"14.2 MHz  13:20 UTC", "-73 dBm  S9"}.
/// Over the outlook the second line names the class (outlookCursorText).
struct ChartCrosshair {
  ChartPoint at;
  std::vector<std::string> lines;
};
ChartCrosshair chartCrosshair(const State& s, const State& link, const ChartReading& a, bool level);

/// The S-meter reading of a level: "S9" at -73 dBm, 6 dB per S-unit below
/// it down to "S0", "S9+12" above it.
std::string sUnitText(float levelDbm);

/// Where a label of `width` x `height` pixels goes beside a cross-hair at
/// `at`: `gap` pixels right of and below the crossing, on the other side
/// where that leaves `area`, and held inside `area` when it is smaller.
Rect crosshairLabelPlace(Rect area, Point at, int width, int height, int gap);

}  // namespace welvaro
