// The welcome at the first start: the user's own station in one box (a
// locator, a place name or latitude and longitude in degrees), the
// transmitter power in watts, the antenna gain and the minimum elevation
// angle. The window only shows the boxes; what they mean and what goes into
// the program state is decided here.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "input/input_rules.h"
#include "state/place_search.h"
#include "state/state.h"

namespace welvaro {

/// Transmitter power the welcome accepts, in watts (the station A dialog's
/// 0.000001 .. 1000 kW).
inline constexpr double kWattsMin = 0.001;
inline constexpr double kWattsMax = 1000000;

/// The boxes of the welcome: station, power [W], gain [dBi], angle [deg].
using WelcomeTexts = std::array<std::string, 4>;

/// The texts the welcome shows at opening: OrtA, the power Zkw in watts,
/// the plain texts of Sag and Angm.
WelcomeTexts openWelcome(const State& s);

/// A power in watts as typed ("100", "0,5") in the kilowatt text the
/// settings file keeps ("0.1", "0.0005"); empty when the text holds no
/// power within kWattsMin .. kWattsMax.
std::string kilowattText(std::string_view watts);

/// The power in watts of a kilowatt value, as the welcome shows it
/// ("100" for 0.1 kW, "1500" for 1.5 kW).
std::string wattText(double kilowatts);

/// What the station box of the welcome names.
struct WelcomeStation {
  enum class Kind {
    Found,       ///< lat, lon (exactly as given), name (the place's, or the locator)
    Empty,       ///< nothing typed
    BadLocator,  ///< a malformed locator
    BadDegrees,  ///< "LAT, LON" with a value outside its range or missing
    Unknown,     ///< no place bears the name
    Ambiguous,   ///< several places fit: candidates
  };
  Kind kind = Kind::Empty;
  double lat = 0, lon = 0;
  std::string name;
  std::string country;            ///< the place's country (ISO code); empty for a locator or degrees
  std::size_t takenAmong = 0;    ///< taken as the largest of so many places of the name
  std::vector<Match> candidates;
};

/// Reads the station box: "LAT, LON" (or "LAT LON") in degrees when it
/// begins like a number, else a Maidenhead locator or a place name looked
/// up as the station dialogs do (resolveStation). A position given in
/// degrees is named by its six-character locator.
WelcomeStation readWelcomeStation(std::string_view text, const Gazetteer& placeList, const Gazetteer& places);

/// The outcome of the welcome's OK.
struct WelcomeResult {
  std::array<bool, 4> red{};   ///< the boxes that failed
  int flag = 0;                ///< the last failing box 1..4, 0 when all passed
  bool start = false;          ///< a changed value went into the state: the forecast is renewed
  WelcomeStation station;      ///< what the station box named (when it was changed)
};

/// OK of the welcome: checks the four boxes and writes each that passes and
/// differs from its text at opening: station A's name (as the settings file
/// can hold it) and position, kept exactly as given (X1, Y1 through
/// setStationALatitude/Longitude); Zkw and Zkwa in kW from the watts; Sag
/// (a hundredth, rounded down) and Angm (whole degrees, rounded down) as
/// the station A dialog stores them. A failing box keeps its text.
WelcomeResult applyWelcome(State& s, const WelcomeTexts& boxes, const WelcomeTexts& atOpening,
                           const Gazetteer& placeList, const Gazetteer& places);

}  // namespace welvaro
