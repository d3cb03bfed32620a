// The cursor read-out of the picture area: the value under the cursor
// (decoded from the colour the user sees), the position as degrees or as a
// Maidenhead locator, the nearest place of the place list on the world map,
// frequency and UTC time in the chart; the effect of a click (new point B
// or new display frequency) and the tool tips built from the state.
//
// Positions are twips of the picture area (15 per pixel): world map
// longitude 0 at x = 4050, latitude 0 at y = 2025, 22.5 twips per degree;
// chart 330 twips per hour from 00 UTC and y = 4050 - 135 x MHz.
#pragma once

#include <string>

#include "display/twips.h"
#include "state/state.h"

namespace welvaro {

/// The colour as the read-out writes it: red + 256 x green + 65536 x blue in
/// hexadecimal, upper case, six digits ("0000FF" is pure red).
std::string colourText(int red, int green, int blue);

/// Decodes the colour under the cursor into FarbText and FarbWert (colour
/// index 0..108, inverting the six colour ramps of the displays). Returns
/// false, leaving FarbWert as it was, for the greys of the map and chart
/// drawings (84 84 84, 5A 5A 5A, E0 E0 E0): they show no value.
bool prgFarbWert(State& s, int red, int green, int blue);

/// The value label of FarbWert: level "Pegel: -73 dBm" or field strength
/// "Feldstärke:  0 dB(µV/m)"; the lowest index reads "<-127 dBm" / "<-54".
std::string valueText(const State& s, bool level);

/// Position text in degrees: "Position:  48.1°N  11.5°E".
std::string degreeText(const State& s, float lat, float lon);

/// The six-character locator of a point CursorX twips from the left edge
/// and CursorHoehe twips above the bottom edge of the world map ("JN58SC").
/// Positions are held inside the map (0..8099, 0..4049) so that the field
/// letters stay within A..R.
std::string locatorAtTwips(double x, double height);

/// Looks up the nearest place to (Px2, Py2) in the 3 x 3 cells around the
/// cursor's cell: NahAbstand is set to 1000000, then lowered to the squared
/// degree distance of every closer place, whose number goes to NahOrt (the
/// first of equally near places stays). Returns whether a place was found.
bool prgNaechsterOrt(State& s);

/// The frequency and UTC minute of the chart at x twips from its left edge
/// and `height` twips above its bottom edge, as the read-out names them and
/// a click takes them (before the click holds the frequency to 1.5 .. 29.9
/// MHz): a tenth of a MHz cut, single precision as AktFrequenz holds it; the
/// minute cut and taken round the day (24:00 at the right edge is 00:00).
struct ChartSpot {
  float mhz = 0;
  int minute = 0;
};
ChartSpot chartSpotAt(double x, double height);

/// What one cursor movement changes in the window.
struct CursorReadout {
  bool levelChanged = false;  ///< lblPegel gets `level` (unchanged over drawing greys)
  std::string level;
  std::string locator;  ///< lblLocator: position (world map) or UTC time (chart)
  bool frequencyChanged = false;  ///< chart: lblFrequenz gets `frequency`
  std::string frequency;
  bool placeChanged = false;  ///< world map: lblOrtB gets `placeB` (empty when no place is near)
  std::string placeB;
  bool markerChanged = false;  ///< world map: shpPunktX moves to the place found
  double markerLeft = 0, markerTop = 0;
};

/// The read-out for the cursor at (x, y) twips over the current display
/// (Darstellung 1 world map, 2 chart) showing the colour (rot, gruen, blau).
/// `level`: level read-out (mnuPegel checked); `degrees`: position in degrees
/// (mnuGrad checked), else as locator. Sets Px2/Py2 (world map, limited to
/// the earth), CursorX/CursorHoehe (chart and locator mode), FarbText,
/// FarbWert, LocatorText, NahOrt and NahAbstand as described above.
CursorReadout prgCursor(State& s, double x, double y, int red, int green, int blue, bool level, bool degrees);

/// What a click changes in the window.
struct ClickResult {
  enum class Kind {
    None,    ///< nearest-place mode with no place near the cursor: nothing changes
    PointB,    ///< world map: new point B, marker shpPunkt at markerLeft/markerTop
    Frequency,  ///< chart: new display frequency, line at frequencyLineY, FrequenzText for the box
  };
  Kind kind = Kind::None;
  double markerLeft = 0, markerTop = 0;
  double frequencyLineY = 0;
  /// Nearest-place mode took a place: check mnuCursorposition, uncheck
  /// mnuNaechsteStadt, hide lblOrtB and shpPunktX.
  bool backToCursorPosition = false;
};

/// A click where the last cursor movement was read out. World map: with
/// `cursorPosition` (mnuCursorposition checked) point B becomes (Px2, Py2)
/// named with the word for "Station"; otherwise the nearest place found
/// (OrtName, OrtBreite, OrtLaenge of NahOrt). Chart: AktFrequenz from
/// CursorHoehe, limited to 1.5..29.9 MHz and rounded to 0.1 MHz, with
/// FrequenzText, and the time shown from CursorX (the clicked minute).
/// Then the point result is refreshed (prgPointErgebnis).
ClickResult prgKlick(State& s, bool cursorPosition);

/// Tool tip of cmdOrt: "Orts-Welvaro für Madrid <--> München", or with the
/// word for "Station" as point B name "Orts-Welvaro für Station B <--> München".
std::string linkTooltip(const State& s);

/// Tool tip of cmdSonnenflecken: "Sonnenfleckenzahl (Ri = 128)".
std::string sunspotTooltip(const State& s);

}  // namespace welvaro
