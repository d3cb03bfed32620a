#include "display/bildcursor.h"

#include <cmath>

#include "display/bitmap.h"
#include "display/geometrie.h"
#include "lang/sprachtext.h"
#include "state/numtext.h"

namespace welvaro {

namespace {

// prgCursor with the colour the picture shows for `index` (the read-out
// decodes every colour of the value scale back to its index).
CursorAnzeige mitFarbe(State& s, double x, double y, int index, bool pegel, bool grad) {
  const Farbe f = paletteFarbe(index);
  return prgCursor(s, x, y, f.rot, f.gruen, f.blau, pegel, grad);
}

}  // namespace

CursorAnzeige prgKartenCursor(State& s, const KartenAblesung& a, bool pegel, bool grad) {
  // The bitmap's twips of the position.
  return mitFarbe(s, weltX(a.ort.laenge), weltY(a.ort.breite), a.farbIndex, pegel, grad);
}

std::string peilungText(const State& s, const KartenAblesung& a) {
  return T(s, kTxRichtung) + " (A):" + NumberText(std::floor(a.peilung)) + "\u00B0  " + T(s, kTxDistanz) + ":" +
         NumberText(std::floor(a.abstandKm)) + " km";
}

CursorAnzeige prgChartCursor(State& s, const ChartAblesung& a, bool pegel) {
  // The chart's twips.
  return mitFarbe(s, ortX(a.ort.stunden), ortY(a.ort.mhz), a.farbIndex, pegel, false);
}

}  // namespace welvaro
