#include "display/bildcursor.h"

#include <cmath>

#include "display/bitmap.h"
#include "lang/sprachtext.h"
#include "state/numtext.h"

namespace welvaro {

namespace {

constexpr int kRichtung = 41, kDistanz = 42;

// prgCursor with the colour the picture shows for `index` (the read-out
// decodes every colour of the value scale back to its index).
CursorAnzeige mitFarbe(State& s, double x, double y, int index, bool pegel, bool grad) {
  const Farbe f = paletteFarbe(index);
  return prgCursor(s, x, y, f.rot, f.gruen, f.blau, pegel, grad);
}

}  // namespace

CursorAnzeige prgKartenCursor(State& s, const KartenAblesung& a, bool pegel, bool grad) {
  // The bitmap's twips of the position: 22.5 per degree from (4050, 2025).
  return mitFarbe(s, 4050 + 22.5 * a.ort.laenge, 2025 - 22.5 * a.ort.breite, a.farbIndex, pegel, grad);
}

std::string peilungText(const State& s, const KartenAblesung& a) {
  return T(s, kRichtung) + " (A):" + NumberText(std::floor(a.peilung)) + "\u00B0  " + T(s, kDistanz) + ":" +
         NumberText(std::floor(a.abstandKm)) + " km";
}

CursorAnzeige prgChartCursor(State& s, const ChartAblesung& a, bool pegel) {
  // The chart's twips: 330 per hour, 4050 - 135 per MHz.
  return mitFarbe(s, 330 * a.ort.stunden, 4050 - 135 * a.ort.mhz, a.farbIndex, pegel, false);
}

}  // namespace welvaro
