// Station A as the user entered it and as the forecast computes it.
//
// The point result cuts X1/Y1 to a tenth of a degree, and every forecast
// after it computes from that tenth, as it always has. A locator's centre
// (IO91WM is 51.5208 N 0.125 W) or a place's own position would so become
// another square (IO91VM) in the dialog, the read-out and the settings
// file. StationALatitude/StationALongitude keep the position as entered
// for everything that shows or stores station A.
#pragma once

#include "state/state.h"

namespace welvaro {

struct StationAPosition {
  double latitude = 0;  ///< [deg], north positive
  float longitude = 0;  ///< [deg], east positive
};

/// floor(10 v + 0.001) / 10: the tenth of a degree the point result cuts a
/// station coordinate to (the small guard keeps -3.7 held as a single,
/// -3.70000005, on its tenth).
double cutToTenth(double degrees);

/// Station A is set to a new latitude or longitude: the forecast's
/// coordinate and the one entered.
void setStationALatitude(State& s, double latitude);
void setStationALongitude(State& s, float longitude);

/// Station A as entered. Each coordinate is the entered one while the
/// forecast's (X1, Y1) is that value or its tenth; when X1 or Y1 was set
/// on its own (from a table header, by an older caller), it is X1 or Y1.
StationAPosition enteredStationA(const State& s);

}  // namespace welvaro
