#include "display/picture_cursor.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "display/bitmap.h"
#include "display/outlookview.h"
#include "state/fault.h"
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
  return T(s, kTxRichtung) + " (A)" + labelColon(s) + NumberText(std::floor(a.bearing)) + "\u00B0  " +
         T(s, kTxDistanz) + labelColon(s) + NumberText(std::floor(a.distanceKm)) + " km";
}

ChartSpot chartSpot(const ChartReading& a) {
  // The twips as prgCursor keeps them in CursorX and CursorHoehe (singles).
  return chartSpotAt(static_cast<float>(chartX(a.place.hours)), static_cast<float>(4050 - chartY(a.place.mhz)));
}

std::optional<PointValues> chartSpotValues(const State& link, ChartSpot p) {
  PointValues v;
  if (guarded([&] { v = pointValues(link, p.mhz, p.minute / 60, p.minute % 60); }) != 0) return std::nullopt;
  return v;
}

CursorReadout prgChartCursor(State& s, const State& link, const ChartReading& a, bool level) {
  // The chart's twips.
  CursorReadout r = withColour(s, chartX(a.place.hours), chartY(a.place.mhz), a.colourIndex, level, false);
  if (const std::optional<PointValues> v = chartSpotValues(link, chartSpot(a))) {
    // The colour index of the value: its scale's bottom is index 0.
    s.FarbWert = level ? v->level + 127.0f : v->field + 54.0f;
    r.levelChanged = true;
    r.level = valueText(s, level);
  }
  return r;
}

std::string sUnitText(float levelDbm) {
  const int dbm = static_cast<int>(std::floor(levelDbm));
  if (dbm >= -73) return dbm == -73 ? "S9" : "S9+" + std::to_string(dbm + 73);
  return "S" + std::to_string(std::max(0, (dbm + 127) / 6));
}

ChartCrosshair chartCrosshair(const State& s, const State& link, const ChartReading& a, bool level) {
  const ChartSpot p = chartSpot(a);
  ChartCrosshair c;
  // The lines stand on the minute read, at the right edge too (24:00).
  c.at = {std::clamp(std::floor(a.place.hours * 60), 0.0, 1440.0) / 60, p.mhz};
  char first[64];
  std::snprintf(first, sizeof first, "%.1f MHz  %02d:%02d UTC", static_cast<double>(p.mhz), p.minute / 60,
                p.minute % 60);
  c.lines.emplace_back(first);
  if (s.OutlookFlag == 1) {
    c.lines.push_back(outlookCursorText(s, a.colourIndex));
  } else if (const std::optional<PointValues> v = chartSpotValues(link, p)) {
    c.lines.push_back(level ? std::to_string(static_cast<int>(v->level)) + " dBm  " + sUnitText(v->level)
                            : std::to_string(static_cast<int>(v->field)) + " dB(\u00B5V/m)");
  } else {
    c.lines.emplace_back("--");
  }
  return c;
}

Rect crosshairLabelPlace(Rect area, Point at, int width, int height, int gap) {
  int x = static_cast<int>(std::lround(at.x)) + gap, y = static_cast<int>(std::lround(at.y)) + gap;
  if (x + width > area.x + area.width) x = static_cast<int>(std::lround(at.x)) - gap - width;
  if (y + height > area.y + area.height) y = static_cast<int>(std::lround(at.y)) - gap - height;
  x = std::max(area.x, std::min(x, area.x + area.width - width));
  y = std::max(area.y, std::min(y, area.y + area.height - height));
  return {x, y, width, height};
}

}  // namespace welvaro
