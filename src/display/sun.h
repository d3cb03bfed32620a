// The sun's place for the maps and the panel: declination, equation of time
// and the sub-solar point at a UTC moment, and sunrise and sunset at a
// station on a UTC date.
//
// The solar coordinates follow the usual low-precision series of the sun's
// apparent longitude (mean longitude, mean anomaly and equation of centre,
// with nutation and aberration in longitude), good to about 0.01 degree in
// declination and a few seconds in the equation of time for the years
// 1900..2100. Time is UT; the difference to terrestrial time (about a
// minute) moves the sun by less than 0.001 degree and is left out.
//
// Sunrise and sunset are the moments the centre of the sun stands 0.833
// degree below the horizon (refraction 34' and the half diameter 16'), seen
// from sea level, as almanacs give them.
#pragma once

#include <optional>
#include <string>

#include "state/datetime.h"
#include "state/state.h"

namespace welvaro {

/// The sun at one moment.
struct SolarPosition {
  double declination = 0;     ///< [deg], -23.5..23.5
  double equationOfTime = 0;  ///< apparent minus mean solar time [min], -14.3..16.5
  double subsolarLatitude = 0;   ///< where the sun stands in the zenith [deg] (= declination)
  double subsolarLongitude = 0;  ///< [deg], -180..180
};

/// Julian day of a UTC date and a minute of that day (fractions allowed,
/// also outside 0..1440).
double julianDay(int year, int month, int day, double utcMinute);

/// The sun at minute `utcMinute` of the UTC date.
SolarPosition solarPosition(int year, int month, int day, double utcMinute);
/// The sun at a UTC date-time (seconds included).
SolarPosition solarPosition(const DateTime& utc);

/// The sun's altitude above the horizon at a position [deg].
double solarAltitude(const SolarPosition& sun, double latitude, double longitude);

/// The altitude of the sun's centre at sunrise and sunset [deg].
inline constexpr double kSunriseAltitude = -0.833;

/// Sunrise and sunset at a position on a UTC date: the minute of that UTC
/// day (0 <= m < 1440, not rounded) on which the sun's centre rises above
/// or sinks below 0.833 degree under the horizon. The events are those that
/// fall on the UTC date; where the sun stays up all day (polar day) or
/// down all day (polar night) there are none.
struct SunEvents {
  std::optional<double> sunrise;  ///< [min of the UTC day]
  std::optional<double> sunset;   ///< [min of the UTC day]
  bool polarDay = false;          ///< the sun does not set
  bool polarNight = false;        ///< the sun does not rise
};
SunEvents sunEvents(int year, int month, int day, double latitude, double longitude);

/// "HH:MM" of a minute of the day rounded to the nearest minute (23:59.6
/// gives "00:00").
std::string minuteText(double minute);

/// The panel's two lines, sunrise and sunset at station A and at point B
/// (UTC) on the date of Zeitpunkt, in the language of the record:
/// "Sonne bei A: auf 07:46, unter 15:59 UTC" (or the polar day or
/// night), the lines separated by a line feed.
std::string sunPanelText(const State& s);

}  // namespace welvaro
