// What the window shows, decided here and applied by the window in one
// place: which controls are visible, enabled or checked, the captions that
// follow the mode, whether the greyline is drawn, and what a user's choice
// (display mode, greyline, forecast period, level or field strength, the
// read-out options) changes in the record and sets going. The window keeps
// no state of its own beyond what it shows.
#pragma once

#include <array>
#include <string>

#include "state/state.h"

namespace welvaro {

/// The state of the window's controls for a record.
struct WindowState {
  bool world = true;  ///< world map (else the chart of the link A-B)

  // Tool buttons.
  bool cmdWeltEnabled = false, cmdOrtEnabled = true, cmdGreylineEnabled = true, cmdDruckerEnabled = false;
  std::string welvarozeitTip;  ///< tool tip of cmdWelvarozeit
  std::string title;            ///< lblAnzeige
  bool frmMonatVisible = false;
  bool monthRed = false;  ///< point-result labels red: a month other than the current one

  // Menus.
  bool mnuDarstellung1Checked = true, mnuDarstellung2Checked = false;
  bool mnuPegelChecked = true, mnuFeldstaerkeChecked = false;
  bool outlookChecked = false;  ///< the third quantity, the outlook of the mode (menu item and tool button)
  bool mnuInfoEinblendungChecked = true;
  bool readoutMenusVisible = true;  ///< mnuDum4, mnuOrtsEingabe, mnuPositionsAnzeige
  bool readoutMenusEnabled = true;        ///< mnuOrtsEingabe, mnuPositionsAnzeige enabled (world map only)
  bool mnuCursorpositionChecked = true, mnuNaechsteStadtChecked = false, mnuNaechsteStadtEnabled = false;
  bool mnuGradChecked = true, mnuLocatorChecked = false;
  std::array<bool, 6> languageChecked{};  ///< mnuBeschriftung0..5

  // Read-out labels and the drawings over the picture.
  bool lblOrtBVisible = false, lblFrequenzVisible = false, lblLocatorVisible = true, lblPegelVisible = true;
  bool pointMarker = true;   ///< the marker of point B (world map)
  bool placeMarker = false;    ///< the marker of the nearest place
  bool chartLines = false; ///< the time and frequency lines of the chart
  bool greyline = false;    ///< the greyline drawn over the map

  // The time shown.
  int minute = 0;           ///< UTC minute of the day the displays show
  bool now = true;        ///< it is now (the displays follow the clock)
  std::string timeText;     ///< "12:30 UTC", or "forecast for 18:00 UTC" when it is not now
};

/// The window's controls for the record as it is.
WindowState windowStateOf(const State& s);

/// The six-character locators of both stations for the panel:
/// "Locator: JN58SC (A)  IN80DK (B)".
std::string stationLocators(const State& s);

/// Whether the greyline is drawn: world map, greyline on, and the current
/// month (the greyline shows today's day and night).
bool greylineShown(const State& s);

/// What the window does after a choice, besides showing windowStateOf().
struct FollowUp {
  bool redraw = false;   ///< generate the display now
  bool restartCycle = false;     ///< the three-minute cycle starts again from here
  bool redrawGreyline = false;   ///< clear the drawings and draw the greyline anew when it is on
  bool clearReadout = false;    ///< empty the read-out labels (another display)
  bool timeChanged = false;       ///< the time shown changed: pictures and point result follow
  bool frequencyChanged = false;   ///< the display frequency changed: box, map, lines and point result follow
  int month = 0;  ///< 1..12: the forecast returns to this month (the current one), as if chosen from the list
};

/// Display mode 1 (world map) or 2 (chart). The chart has no greyline.
FollowUp chooseDisplay(State& s, int mode);
/// The greyline button.
FollowUp toggleGreyline(State& s);
/// The forecast-period button: shows or hides the month list. Hiding it
/// while another month is shown returns to the current month (and so to the
/// greyline, which shows today's day and night).
FollowUp toggleForecastPeriod(State& s);
/// Level (true) or field strength (false) in the displays; either turns
/// the outlook off.
FollowUp chooseLevel(State& s, bool level);
/// Info display on or off (the read-out labels).
FollowUp toggleInfo(State& s);
/// The read-out names the nearest place (true) or not.
FollowUp chooseNearestPlace(State& s, bool nearest);
/// The read-out gives the position as a locator (true) or in degrees.
FollowUp chooseLocator(State& s, bool locator);

/// The displays show `minute` (UTC, minute of the day; wraps round the day).
FollowUp showTime(State& s, int minute);
/// A step of the time shown by `minutes` (from now, when it is now).
FollowUp stepTime(State& s, int minutes);
/// The displays follow the clock again.
FollowUp timeNow(State& s);
/// The display frequency becomes band n's (kBands), as it is, not rounded.
FollowUp chooseBand(State& s, int n);
/// The next band above (richtung +1) or below (-1) the display frequency.
FollowUp stepBand(State& s, int direction);
/// The display frequency up or down by 0.1 MHz, held to 1.5..29.9 MHz.
FollowUp stepFrequency(State& s, int tenths);

/// A frequency confirmed in the frequency box (or a memory recalled): the
/// world map is generated at it; the chart shows every frequency already,
/// so there only its line and the point result follow.
FollowUp confirmFrequency(const State& s);
/// The memory step after a memory button: `stored` when the button stored
/// the display frequency (the memory buttons change, the picture stays:
/// on the chart the point result follows), else the recalled frequency is
/// confirmed.
FollowUp memoryStepDone(const State& s, bool stored);
/// The clock went on from `minuteBefore` (UTC minute of the day) to the
/// record's Zeitpunkt. Live (no time chosen) and with the display cycle
/// running, the displays follow the clock when the minute changed.
FollowUp clockTicked(const State& s, int minuteBefore, bool cycleRunning);

/// The input dialogs, and what their OK sets going.
enum class InputDialogKind { StationA, StationB, Conditions, TimeZone };
struct DialogFollowUp {
  /// The regeneration that follows: a new forecast (new table and display),
  /// point B placed anew, or the display at once.
  enum class Recompute { NewData, PointB, Immediate } recompute = Recompute::NewData;
  bool clockFirst = false;        ///< the clock shows the new time before the displays follow
  bool closesConditions = false;  ///< the conditions dialog, if open, closes (its values are stale)
};
DialogFollowUp dialogFollowUp(InputDialogKind d);

/// A window's place and size on the screen, in pixels.
struct WindowPlace {
  int x = 0, y = 0, width = 0, height = 0;
};

/// The main window at a first start (no stored place) on a screen whose
/// free area is (areaX, areaY, areaWidth, areaHeight): nine tenths of each
/// side of it, centred, never below the window's minimum size nor beyond
/// the area, so the map gets the room the screen has.
WindowPlace firstWindowPlace(int areaX, int areaY, int areaWidth, int areaHeight, int minWidth, int minHeight);

/// A window that asks for wantWidth x wantHeight, held to nine tenths of
/// each side of the screen's free area (the help on a 1024x600 screen).
WindowPlace fittedWindow(int wantWidth, int wantHeight, int areaWidth, int areaHeight);

/// The minute of the UTC day a position of the time slider (0..1440
/// minutes) stands for: to the nearest ten minutes, as the slider steps
/// when it is dragged or clicked; 1440 is 00:00 again.
int sliderMinute(int position);

/// Every how many hours the time slider labels its hour marks, so labels
/// `labelWidth` pixels wide stand apart with `pixelsPerHour`: 1, 2, 3, 4,
/// 6 or 12.
int hourLabelStep(double pixelsPerHour, int labelWidth);

/// One minute of the display cycle: every third tick regenerates the display
/// (with the greyline); returns whether this tick does.
bool cycleTick(State& s);

}  // namespace welvaro
