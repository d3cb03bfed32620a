#include "display/picture_cursor.h"

#include <cmath>

#include "display/bitmap.h"
#include "display/twips.h"
#include "lang/sprachtext.h"
#include "state/numtext.h"

namespace welvaro {

namespace {

// prgCursor with the colour the picture shows for `index` (the read-out
// decodes every colour of the value scale back to its index).
CursorReadout withColour(State& s, double x, double y, int index, bool level, bool degrees) {
  const Colour f = paletteColour(index);
  return prgCursor(s, x, y, f.red, f.green, f.blue, level, degrees);
}

}  // namespace

CursorReadout prgKartenCursor(State& s, const MapReading& a, bool level, bool degrees) {
  // The bitmap's twips of the position.
  return withColour(s, worldX(a.place.lon), worldY(a.place.lat), a.colourIndex, level, degrees);
}

std::string bearingText(const State& s, const MapReading& a) {
  return T(s, kTxRichtung) + " (A):" + NumberText(std::floor(a.bearing)) + "\u00B0  " + T(s, kTxDistanz) + ":" +
         NumberText(std::floor(a.distanceKm)) + " km";
}

CursorReadout prgChartCursor(State& s, const ChartReading& a, bool level) {
  // The chart's twips.
  return withColour(s, chartX(a.place.hours), chartY(a.place.mhz), a.colourIndex, level, false);
}

}  // namespace welvaro
