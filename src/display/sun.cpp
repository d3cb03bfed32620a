#include "display/sun.h"

#include <cmath>
#include <cstdio>
#include <numbers>

#include "lang/sprachtext.h"

namespace welvaro {

namespace {

constexpr double kRad = std::numbers::pi / 180.0;

double sinDeg(double d) { return std::sin(d * kRad); }
double cosDeg(double d) { return std::cos(d * kRad); }

// The longitude brought into -180..180.
double wrapLongitude(double l) {
  l = std::fmod(l + 180.0, 360.0);
  if (l < 0) l += 360.0;
  return l - 180.0;
}

// Cosine of the sun's hour angle at sunrise and sunset for a latitude and a
// declination; above 1 the sun stays below the horizon all day, below -1
// above it.
double cosineOfRisingHourAngle(double latitude, double declination) {
  return (sinDeg(kSunriseAltitude) - sinDeg(latitude) * sinDeg(declination)) /
         (cosDeg(latitude) * cosDeg(declination));
}

// Sunrise (side -1) or sunset (side +1) of the solar day whose noon at
// `longitude` falls on the UTC date moved by `dayShift` days: refined from
// the sun's place at the event itself until it moves by less than a
// hundredth of a second. None where the sun does not cross the horizon.
std::optional<double> sunEvent(int year, int month, int day, double latitude, double longitude, int side,
                               int dayShift) {
  double minute = 720.0 + 1440.0 * dayShift;
  for (int i = 0; i < 10; ++i) {
    const SolarPosition sun = solarPosition(year, month, day, minute);
    const double c = cosineOfRisingHourAngle(latitude, sun.declination);
    if (!(c >= -1.0 && c <= 1.0)) return std::nullopt;
    const double noon = 720.0 - 4.0 * longitude - sun.equationOfTime + 1440.0 * dayShift;
    const double next = noon + side * 4.0 * std::acos(c) / kRad;
    const bool settled = std::fabs(next - minute) < 1e-4;
    minute = next;
    if (settled) break;
  }
  return minute;
}

// The event of one side that falls on the UTC date: that of the solar day
// of the date, or when it lies before or after the date, that of the next
// or the day before.
std::optional<double> eventOnDate(int year, int month, int day, double latitude, double longitude, int side) {
  std::optional<double> e = sunEvent(year, month, day, latitude, longitude, side, 0);
  if (e && *e < 0) e = sunEvent(year, month, day, latitude, longitude, side, 1);
  else if (e && *e >= 1440) e = sunEvent(year, month, day, latitude, longitude, side, -1);
  if (e && (*e < 0 || *e >= 1440)) return std::nullopt;
  return e;
}

std::string replaced(std::string text, std::string_view mark, const std::string& value) {
  if (const auto at = text.find(mark); at != std::string::npos) text.replace(at, mark.size(), value);
  return text;
}

std::string stationLine(const State& s, const char* name, double latitude, double longitude) {
  const SunEvents e =
      sunEvents(s.Zeitpunkt.year, s.Zeitpunkt.month, s.Zeitpunkt.day, latitude, longitude);
  std::string t;
  if (e.polarDay)
    t = T(s, kTxSunNoSet);
  else if (e.polarNight)
    t = T(s, kTxSunNoRise);
  else
    t = replaced(replaced(T(s, kTxSunTimes), "%2", e.sunrise ? minuteText(*e.sunrise) : "--:--"), "%3",
                 e.sunset ? minuteText(*e.sunset) : "--:--");
  return replaced(t, "%1", name);
}

}  // namespace

double julianDay(int year, int month, int day, double utcMinute) {
  // 1 January 1970 00:00 UTC is Julian day 2440587.5.
  return 2440587.5 + static_cast<double>(daysFromCivil(year, month, day)) + utcMinute / 1440.0;
}

SolarPosition solarPosition(int year, int month, int day, double utcMinute) {
  // Julian centuries from J2000.0.
  const double t = (julianDay(year, month, day, utcMinute) - 2451545.0) / 36525.0;
  const double meanLongitude = std::fmod(280.46646 + t * (36000.76983 + t * 0.0003032), 360.0);
  const double meanAnomaly = 357.52911 + t * (35999.05029 - 0.0001537 * t);
  const double centre = sinDeg(meanAnomaly) * (1.914602 - t * (0.004817 + 0.000014 * t)) +
                        sinDeg(2 * meanAnomaly) * (0.019993 - 0.000101 * t) + sinDeg(3 * meanAnomaly) * 0.000289;
  const double node = 125.04 - 1934.136 * t;  // longitude of the moon's ascending node
  const double apparentLongitude = meanLongitude + centre - 0.00569 - 0.00478 * sinDeg(node);
  const double meanObliquity =
      23.0 + (26.0 + (21.448 - t * (46.815 + t * (0.00059 - t * 0.001813))) / 60.0) / 60.0;
  const double obliquity = meanObliquity + 0.00256 * cosDeg(node);

  SolarPosition p;
  p.declination = std::asin(sinDeg(obliquity) * sinDeg(apparentLongitude)) / kRad;
  // Equation of time: the mean sun's longitude (less the aberration) minus
  // the true sun's right ascension, with the nutation in right ascension.
  const double rightAscension =
      std::atan2(cosDeg(obliquity) * sinDeg(apparentLongitude), cosDeg(apparentLongitude)) / kRad;
  const double nutationInLongitude = -0.00478 * sinDeg(node);
  double e = meanLongitude - 0.0057183 - rightAscension + nutationInLongitude * cosDeg(obliquity);
  e -= 360.0 * std::round(e / 360.0);
  p.equationOfTime = 4.0 * e;
  p.subsolarLatitude = p.declination;
  // The sun culminates where the apparent solar time is 12:00.
  const double minuteOfDay = utcMinute - 1440.0 * std::floor(utcMinute / 1440.0);
  p.subsolarLongitude = wrapLongitude(-(minuteOfDay - 720.0 + p.equationOfTime) / 4.0);
  return p;
}

SolarPosition solarPosition(const DateTime& utc) {
  return solarPosition(utc.year, utc.month, utc.day, utc.hour * 60.0 + utc.minute + utc.second / 60.0);
}

double solarAltitude(const SolarPosition& sun, double latitude, double longitude) {
  const double s = sinDeg(latitude) * sinDeg(sun.subsolarLatitude) +
                   cosDeg(latitude) * cosDeg(sun.subsolarLatitude) * cosDeg(longitude - sun.subsolarLongitude);
  return std::asin(std::fmax(-1.0, std::fmin(1.0, s))) / kRad;
}

SunEvents sunEvents(int year, int month, int day, double latitude, double longitude) {
  SunEvents e;
  // Polar day or night: at the solar noon of the date the sun does not
  // reach, or does not leave, the altitude of sunrise.
  const double noon = 720.0 - 4.0 * longitude;
  const double c = cosineOfRisingHourAngle(latitude, solarPosition(year, month, day, noon).declination);
  if (c < -1.0) e.polarDay = true;
  if (c > 1.0) e.polarNight = true;
  if (e.polarDay || e.polarNight) return e;
  e.sunrise = eventOnDate(year, month, day, latitude, longitude, -1);
  e.sunset = eventOnDate(year, month, day, latitude, longitude, +1);
  return e;
}

std::string minuteText(double minute) {
  long m = std::lround(minute);
  m = ((m % 1440) + 1440) % 1440;
  char t[8];
  std::snprintf(t, sizeof t, "%02ld:%02ld", m / 60, m % 60);
  return t;
}

std::string sunPanelText(const State& s) {
  return stationLine(s, "A", s.X1, s.Y1) + "\n" + stationLine(s, "B", s.OrtX2, s.OrtY2);
}

}  // namespace welvaro
