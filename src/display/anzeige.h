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
struct Anzeige {
  bool welt = true;  ///< world map (else the chart of the link A-B)

  // Tool buttons.
  bool cmdWeltAn = false, cmdOrtAn = true, cmdGreylineAn = true, cmdDruckerAn = false;
  std::string welvarozeitTipp;  ///< tool tip of cmdWelvarozeit
  std::string titel;            ///< lblAnzeige
  bool frmMonatSichtbar = false;
  bool monatRot = false;  ///< point-result labels red: a month other than the current one

  // Menus.
  bool mnuDarstellung1Haken = true, mnuDarstellung2Haken = false;
  bool mnuPegelHaken = true, mnuFeldstaerkeHaken = false;
  bool mnuInfoEinblendungHaken = true;
  bool leseMenuesSichtbar = true;  ///< mnuDum4, mnuOrtsEingabe, mnuPositionsAnzeige
  bool leseMenuesAn = true;        ///< mnuOrtsEingabe, mnuPositionsAnzeige enabled (world map only)
  bool mnuCursorpositionHaken = true, mnuNaechsteStadtHaken = false, mnuNaechsteStadtAn = false;
  bool mnuGradHaken = true, mnuLocatorHaken = false;
  std::array<bool, 6> sprachHaken{};  ///< mnuBeschriftung0..5

  // Read-out labels and the drawings over the picture.
  bool lblOrtBSichtbar = false, lblFrequenzSichtbar = false, lblLocatorSichtbar = true, lblPegelSichtbar = true;
  bool punktMarke = true;   ///< the marker of point B (world map)
  bool ortMarke = false;    ///< the marker of the nearest place
  bool chartLinien = false; ///< the time and frequency lines of the chart
  bool greyline = false;    ///< the greyline drawn over the map

  // The time shown.
  int minute = 0;           ///< UTC minute of the day the displays show
  bool jetzt = true;        ///< it is now (the displays follow the clock)
  std::string zeitText;     ///< "12:30 UTC", or "forecast for 18:00 UTC" when it is not now
};

/// The window's controls for the record as it is.
Anzeige anzeigeVon(const State& s);

/// The six-character locators of both stations for the panel:
/// "Locator: JN58SC (A)  IN80DK (B)".
std::string stationsLocator(const State& s);

/// Whether the greyline is drawn: world map, greyline on, and the current
/// month (the greyline shows today's day and night).
bool greylineZeichnen(const State& s);

/// What the window does after a choice, besides showing anzeigeVon().
struct Folge {
  bool neuZeichnen = false;   ///< generate the display now
  bool zyklusNeu = false;     ///< the three-minute cycle starts again from here
  bool greylineNeu = false;   ///< clear the drawings and draw the greyline anew when it is on
  bool leseLeeren = false;    ///< empty the read-out labels (another display)
  bool zeitNeu = false;       ///< the time shown changed: pictures and point result follow
  bool frequenzNeu = false;   ///< the display frequency changed: box, map, lines and point result follow
};

/// Display mode 1 (world map) or 2 (chart). The chart has no greyline.
Folge waehleDarstellung(State& s, int modus);
/// The greyline button.
Folge schalteGreyline(State& s);
/// The forecast-period button: shows or hides the month list.
Folge schalteWelvarozeit(State& s);
/// Level (true) or field strength (false) in the displays.
Folge waehlePegel(State& s, bool pegel);
/// Info display on or off (the read-out labels).
Folge schalteInfo(State& s);
/// The read-out names the nearest place (true) or not.
Folge waehleNaechsteStadt(State& s, bool naechste);
/// The read-out gives the position as a locator (true) or in degrees.
Folge waehleLocator(State& s, bool locator);

/// The displays show `minute` (UTC, minute of the day; wraps round the day).
Folge zeigeZeit(State& s, int minute);
/// A step of the time shown by `minuten` (from now, when it is now).
Folge zeitSchritt(State& s, int minuten);
/// The displays follow the clock again.
Folge zeitJetzt(State& s);
/// The display frequency becomes band n's (kBaender), as it is, not rounded.
Folge waehleBand(State& s, int n);
/// The next band above (richtung +1) or below (-1) the display frequency.
Folge bandSchritt(State& s, int richtung);
/// The display frequency up or down by 0.1 MHz, held to 1.5..29.9 MHz.
Folge frequenzSchritt(State& s, int zehntel);

/// One minute of the display cycle: every third tick regenerates the display
/// (with the greyline); returns whether this tick does.
bool zyklusTick(State& s);

}  // namespace welvaro
