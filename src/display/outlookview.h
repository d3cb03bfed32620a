// The outlook in the displays: the point result's outlook line, the bands
// with symbol and margin per band and hour and the best-band line, the
// colour table of the outlook pictures and the legend that takes the colour
// bar's place.
//
// For the window: after prgPointErgebnis, prgPointOutlook(s) leaves the line
// in OutlookLine; the bands panel takes prgBandOutlook's rows (symbol
// outlookSymbol(), margin at the chosen availability) and shows BestBandLine.
// With OutlookFlag = 1 the world map and the chart (bitmaps and the scaled
// pictures with Ansicht::outlook / ChartView::outlook) show the outlook;
// a view drawing the chart from a copy of the record needs the copy's
// AvailabilityResults (and the mode and noise fields) as well as ErgFeld.
// The cursor read-out's colour index names the class by outlookOfIndex.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "display/window_state.h"
#include "display/bands.h"
#include "display/canvas.h"
#include "display/layout.h"
#include "outlook/outlook.h"
#include "state/state.h"

namespace welvaro {

/// The outlook of the point result: the link A -> B (OrtX2, OrtY2) at the
/// display frequency and the time shown (shownMinute).
struct PointOutlook {
  int fault = 0;     ///< 0, or the model fault that left the link without an outlook
  OutlookValue value;
  int availability = 1;  ///< index 0..2 of the chosen availability Iproz
};

/// Runs the forecast at the three availabilities for the link and sets
/// OutlookLine ("FT8: good, 14 dB to spare", the margin at the chosen
/// availability; "FT8: no outlook" without a forecast). X2, Y2 and the path
/// values Distanz, RichtungAB, RichtungBA are left as the point result
/// left them; ErgFeld holds the same forecast.
PointOutlook prgPointOutlook(State& s);

/// A band's name in a line: "40m" -> "40 m".
std::string bandName(const Band& b);

/// One value of a band: the outlook at the band's frequency and a time.
struct BandOutlookValue {
  int hour = 0, minute = 0;  ///< UTC
  bool known = false;  ///< false: the link has no forecast
  OutlookValue value;
};

struct BandOutlookRow {
  Band band;
  std::vector<BandOutlookValue> values;
};

/// The link A -> B in every band (kBands) at stunde:minute UTC and the
/// `hours` - 1 whole hours after it, as prgBandWerte, each value the
/// outlook at the band's frequency; sets BestBandLine for stunde:minute
/// (the time shown; "now" when AnzeigeMinute < 0), looking ahead to the
/// next 24 whole hours. Runs the forecast at the three availabilities once.
/// Returns 0 or the model's fault code (the values then have no value).
int prgBandOutlook(State& s, int hour, int minute, int hours, std::vector<BandOutlookRow>& rows);

// ---- The quantity switch ----------------------------------------------------

/// The third display quantity on (true) or off: sets OutlookFlag and starts
/// the display cycle anew, as chooseLevel does for level and field strength
/// (whose choice turns the outlook off: call chooseOutlook(s, false) with it).
/// Menu checks: the outlook's while OutlookFlag = 1, level's and field
/// strength's (PegelFlag) only while it is 0.
FollowUp chooseOutlook(State& s, bool outlook);

/// What the conditions dialog's or the tool bar's choice of mode and noise
/// did: the list entries `mode` (0..5) and `noise` (0..4) and the texts of
/// the two boxes, the custom need [dB-Hz] (read only for the custom mode)
/// and my noise floor [dBm in 2500 Hz] (read only for that noise). A box
/// that is empty, does not begin with a number or lies outside its range
/// fails: nothing of that choice is written. Otherwise the record takes both
/// choices; a change redraws the displays, the point result's line and the
/// bands (the availabilities themselves do not depend on mode or noise, so
/// no forecast is computed anew).
struct OutlookChoiceResult {
  int failed = 0;  ///< 0, 1 the custom need's box, 2 the noise floor's box
  bool changed = false;
  FollowUp follow;
};
OutlookChoiceResult applyOutlookChoice(State& s, int mode, std::string_view needText, int noise,
                                       std::string_view floorText);

/// The cursor read-out over an outlook picture: the class of the colour
/// index under the cursor with its symbol, "● good" in the current language.
std::string outlookCursorText(const State& s, int colourIndex);

// ---- Pictures --------------------------------------------------------------

/// The bitmaps' colour table (1024 bytes) for the outlook: indices 0..127
/// the class colours by outlookOfIndex, 128..255 the greys of the drawings
/// as in the value table.
const std::string& outlookPalette();

/// The scaled pictures' colours of the indices 0..128 for the outlook
/// (0xFFRRGGBB), as valueColours() for the values.
const std::uint32_t* outlookColours();

/// The legend's texts: the mode ("FT8", "20 dB-Hz") and the four classes
/// from good to closed, in capitals in the current language.
std::array<std::string, 5> outlookLegend(const State& s);

/// Width [font dots] the legend needs beside the picture.
int outlookLegendWidth(const std::array<std::string, 5>& legend);

/// Draws the legend in the colour bar's place (the bar, its labels and the
/// unit above it are covered with `background`): the mode on top, then for each
/// class from good to closed a patch of its colour, its symbol and its word.
void drawOutlookLegend(Canvas& w, StrokeMask& m, const Layout& t, std::uint32_t background,
                       const std::array<std::string, 5>& legend);

}  // namespace welvaro
