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

#include <string>

#include "display/chart_picture.h"
#include "display/cursor.h"
#include "display/map_picture.h"
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

/// Chart (Darstellung 2): value, frequency and UTC time labels as prgCursor
/// gives them; sets CursorX/CursorHoehe, so a following prgKlick takes the
/// frequency under the cursor.
CursorReadout prgChartCursor(State& s, const ChartReading& a, bool level);

}  // namespace welvaro
