#include "display/cursor.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "display/window_state.h"
#include "display/point.h"
#include "lang/sprachtext.h"
#include "state/locator.h"
#include "state/numtext.h"

namespace welvaro {

namespace {

// A colour component 0..255 as a step 0..18 of the colour ramps. The ramps
// hold floor(255 / 18 x n), so the step is the nearest whole number of the
// component over 255 / 18; a plain floor would read most colours one step
// too low.
int step(int component) { return static_cast<int>(std::floor(component / (255.0 / 18.0) + 0.5)); }

// Frequency of a cursor height in the chart, one decimal, not limited.
double chartFrequency(double height) { return std::floor(height * 0.074075) / 10; }

}  // namespace

ChartSpot chartSpotAt(double x, double height) {
  ChartSpot p;
  p.mhz = static_cast<float>(chartFrequency(height));
  // Minutes beyond the day (the bitmap's last column lies past 24:00) go
  // round into the next one.
  p.minute = ((static_cast<int>(std::floor(x / chartX(1) * 60)) % 1440) + 1440) % 1440;
  return p;
}


std::string colourText(int red, int green, int blue) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "%02X%02X%02X", blue & 0xFF, green & 0xFF, red & 0xFF);
  return buffer;
}

bool prgFarbWert(State& s, int red, int green, int blue) {
  s.FarbText = colourText(red, green, blue);
  // The greys of the map and chart drawings are no values.
  if (s.FarbText == "848484" || s.FarbText == "5A5A5A" || s.FarbText == "E0E0E0") return false;
  const int b = step(blue), g = step(green), r = step(red);
  int value = b;  // black to blue
  if (g == 18) value = 54;
  if (r == 18) value = 90;
  if (b == 18 && g > 0) value = g + 18;  // blue to cyan
  if (g == 18 && b > 0) value = 54 - b;  // cyan to green
  if (g == 18 && r > 0) value = r + 54;  // green to yellow
  if (r == 18 && g > 0) value = 90 - g;  // yellow to red
  if (r == 18 && b > 0) value = b + 90;  // red to magenta
  s.FarbWert = static_cast<float>(value);
  return true;
}

std::string valueText(const State& s, bool level) {
  const bool bottom = s.FarbWert == 0;
  const std::string separator = labelColon(s) + (bottom ? " <" : " ");
  if (level) return T(s, kTxPegel) + separator + NumberText(s.FarbWert - 127.0f) + " dBm";
  return T(s, kTxFeldstaerke) + separator + NumberText(s.FarbWert - 54.0f) + " dB(µV/m)";
}

std::string degreeText(const State& s, float lat, float lon) {
  const std::string b = lat < 0 ? NumberText(std::fabs(lat)) + "°S" : NumberText(lat) + "°N";
  const std::string l = lon < 0 ? NumberText(std::fabs(lon)) + "°W" : NumberText(lon) + "°E";
  return T(s, kTxPosition) + labelColon(s) + " " + b + " " + l;
}

std::string locatorAtTwips(double x, double height) {
  // The right and top edges are moved one twip inwards.
  return locatorFromUnits(std::clamp(x, 0.0, 8099.0), std::clamp(height, 0.0, 4049.0), 6);
}

bool prgNaechsterOrt(State& s) {
  s.NahAbstand = 1000000;
  const int u = std::clamp(static_cast<int>(std::floor(s.Py2 / 10.0 + 18)), 0, 35);
  const int m = std::clamp(static_cast<int>(std::floor(s.Px2 / 10.0 + 9)), 0, 17);
  if (s.OrtFlag != 1) return false;
  const std::string& cell = s.OrtRaster[u][m];
  if (cell.size() <= 4) return false;
  bool found = false;
  for (std::size_t i = 0; i + 4 <= cell.size(); i += 4) {
    const std::string group = cell.substr(i, 4);
    if (group == "0000") break;
    if (!std::all_of(group.begin(), group.end(), [](char c) { return c >= '0' && c <= '9'; })) break;
    const int g = std::stoi(group);
    if (g < 1 || g > s.OrtZahl) continue;  // a cell index that does not fit the list
    const float db = s.Px2 - s.OrtBreite[g];
    const float dl = s.Py2 - s.OrtLaenge[g];
    const float d = db * db + dl * dl;
    if (d < s.NahAbstand) {
      s.NahAbstand = d;
      s.NahOrt = static_cast<float>(g);
      found = true;
    }
  }
  return found;
}

CursorReadout prgCursor(State& s, double x, double y, int red, int green, int blue, bool level, bool degrees) {
  CursorReadout a;
  if (prgFarbWert(s, red, green, blue)) {
    a.levelChanged = true;
    a.level = valueText(s, level);
  }

  if (s.Darstellung == 1.0f) {
    // A tenth of a degree, held on the earth: the last pixel row and column
    // of the picture lie beyond 90 deg S and 180 deg E.
    s.Py2 = static_cast<float>(std::clamp(std::floor((x - 4050) / 2.25) / 10, -180.0, 180.0));
    s.Px2 = static_cast<float>(std::clamp(std::floor((2025 - y) / 2.25) / 10, -90.0, 90.0));
    if (!degrees) {
      s.CursorX = static_cast<float>(std::clamp(x, 0.0, 8099.0));
      s.CursorHoehe = static_cast<float>(std::clamp(4050 - y, 0.0, 4049.0));
      s.LocatorText = locatorAtTwips(s.CursorX, s.CursorHoehe);
      a.locator = T(s, kTxPosition) + labelColon(s) + " " + s.LocatorText;
    } else {
      a.locator = degreeText(s, s.Px2, s.Py2);
    }
    a.placeChanged = true;
    if (prgNaechsterOrt(s)) {
      const int g = static_cast<int>(s.NahOrt);
      a.placeB = T(s, kTxStadt) + labelColon(s) + " " + s.OrtName[g];
      a.markerChanged = true;
      a.markerLeft = markerLeft(s.OrtLaenge[g]);
      a.markerTop = markerTop(s.OrtBreite[g]);
    }
    return a;
  }

  s.CursorX = static_cast<float>(x);
  s.CursorHoehe = static_cast<float>(4050 - y);
  const double frequency = chartFrequency(s.CursorHoehe);
  const double hours = x / 330;
  const double whole = std::floor(hours);
  const std::string minutes = "00" + NumberText(std::floor((hours - whole) * 60)).substr(1);
  a.frequencyChanged = true;
  a.frequency = T(s, kTxFrequenz) + labelColon(s) + " " + NumberText(frequency) + " MHz";
  a.locator = T(s, kTxZeit) + " [UTC]" + labelColon(s) + " " + NumberText(whole) + ":" +
              minutes.substr(minutes.size() - 2) + T(s, kTxUhr);
  return a;
}

ClickResult prgKlick(State& s, bool cursorPosition) {
  ClickResult k;
  if (s.Darstellung == 1.0f) {
    if (cursorPosition) {
      s.OrtX2 = s.Px2;
      s.OrtY2 = s.Py2;
      s.OrtB = T(s, kTxStation);
    } else {
      // Only a place found for the cursor where the click is: a click over
      // an empty part of the world takes no place from an earlier position.
      const int g = static_cast<int>(s.NahOrt);
      if (!(s.NahAbstand < 1000000) || g < 1 || g > s.OrtZahl) return k;
      s.OrtX2 = s.OrtBreite[g];
      s.OrtY2 = s.OrtLaenge[g];
      s.OrtB = s.OrtName[g];
      k.backToCursorPosition = true;
    }
    k.kind = ClickResult::Kind::PointB;
    k.markerLeft = markerLeft(s.OrtY2);
    k.markerTop = markerTop(s.OrtX2);
  } else {
    const ChartSpot spot = chartSpotAt(s.CursorX, s.CursorHoehe);
    s.AktFrequenz = std::clamp(spot.mhz, 1.5f, 29.9f);
    k.kind = ClickResult::Kind::Frequency;
    k.frequencyLineY = chartY(static_cast<double>(s.AktFrequenz));
    setDisplayFrequency(s, s.AktFrequenz);
    // The chart sets the time shown as well: the map shows that hour at
    // that frequency.
    showTime(s, spot.minute);
  }
  prgPointErgebnis(s);
  return k;
}

std::string linkTooltip(const State& s) {
  const std::string station = T(s, kTxStation);
  const std::string start = T(s, kTxOrtsWelvaro) + " " + T(s, kTxFuer) + " ";
  if (s.OrtB != station) return start + s.OrtB + " <--> " + s.OrtA;
  return start + station + " B <--> " + s.OrtA;
}

std::string sunspotTooltip(const State& s) {
  return T(s, kTxSonnenflecken) + " (Ri =" + NumberText(s.Ssna) + ")";
}

}  // namespace welvaro
