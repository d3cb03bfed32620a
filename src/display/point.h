// Placing point B: the marker on the map, the display frequency from the
// cursor's height on the chart, then the point result.
#pragma once

#include "forecast/point_result.h"
#include "input/input_rules.h"
#include "state/state.h"

namespace welvaro {

/// Where the window puts the point marker and the chart's frequency line
/// after prgSetzePunkt, in twips of the picture area.
struct PointPlacement {
  double markerLeft = 0;      ///< left edge of the marker shpPunkt
  double markerTop = 0;       ///< top edge of the marker
  double frequencyLineY = 0;  ///< y of both ends of linFrequenzlinie
};

/// After a station B change: places the marker on point B (OrtX2, OrtY2),
/// takes the display frequency from the last cursor height CursorHoehe
/// (limited to 1.5..29.9 MHz, then rounded to 0.1 MHz), builds FrequenzText
/// for the frequency box and runs prgPointErgebnis. Returns the control
/// positions; the point result's code is in PunktFehler.
PointPlacement prgSetzePunkt(State& s);

}  // namespace welvaro
