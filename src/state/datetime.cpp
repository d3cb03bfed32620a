#include "state/datetime.h"

#include <algorithm>
#include <cstdio>
#include <ctime>

namespace welvaro {

std::int64_t daysFromCivil(int year, int month, int day) {
  // Howard Hinnant's days_from_civil.
  std::int64_t y = year - (month <= 2 ? 1 : 0);
  const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
  const std::int64_t yoe = y - era * 400;
  const std::int64_t mp = (month + 9) % 12;
  const std::int64_t doy = (153 * mp + 2) / 5 + day - 1;
  const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

DateTime civilFromDays(std::int64_t z) {
  z += 719468;
  const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const std::int64_t doe = z - era * 146097;
  const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const std::int64_t y = yoe + era * 400;
  const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const std::int64_t mp = (5 * doy + 2) / 153;
  const std::int64_t d = doy - (153 * mp + 2) / 5 + 1;
  const std::int64_t m = mp < 10 ? mp + 3 : mp - 9;
  DateTime t;
  t.year = static_cast<int>(y + (m <= 2 ? 1 : 0));
  t.month = static_cast<int>(m);
  t.day = static_cast<int>(d);
  return t;
}

std::int64_t toSerial(const DateTime& t) {
  return daysFromCivil(t.year, t.month, t.day) * 86400 + t.hour * 3600 + t.minute * 60 + t.second;
}

DateTime fromSerial(std::int64_t s) {
  std::int64_t days = s >= 0 ? s / 86400 : -((-s + 86399) / 86400);
  std::int64_t rest = s - days * 86400;
  DateTime t = civilFromDays(days);
  t.hour = static_cast<int>(rest / 3600);
  t.minute = static_cast<int>(rest % 3600 / 60);
  t.second = static_cast<int>(rest % 60);
  return t;
}

bool isLeapYear(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

int daysInMonth(int year, int month) {
  static const int n[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month == 2 && isLeapYear(year)) return 29;
  return n[(month - 1 + 12) % 12];
}

int dayOfYear(const DateTime& t) {
  return static_cast<int>(daysFromCivil(t.year, t.month, t.day) - daysFromCivil(t.year, 1, 1)) + 1;
}

int weekday(const DateTime& t) {
  // 1 January 1970 was a Thursday (5 when Sunday = 1).
  std::int64_t d = daysFromCivil(t.year, t.month, t.day);
  std::int64_t w = ((d % 7) + 7 + 4) % 7;  // 0 = Sunday
  return static_cast<int>(w) + 1;
}

DateTime addDays(const DateTime& t, int days) { return addSeconds(t, std::int64_t{days} * 86400); }

DateTime addSeconds(const DateTime& t, std::int64_t seconds) { return fromSerial(toSerial(t) + seconds); }

bool before(const DateTime& a, const DateTime& b) { return toSerial(a) < toSerial(b); }

std::string shortDate(const DateTime& t) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%02d.%02d.%04d", t.day, t.month, t.year);
  return buf;
}

std::string clockText(int hour, int minute) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%02d:%02d", hour, minute);
  return buf;
}

DateTime lastSunday(int year, int month) {
  DateTime d{year, month, daysInMonth(year, month), 0, 0, 0};
  const int w = weekday(d);  // Sunday = 1
  return addDays(d, -(w - 1));
}

namespace {

// Local time of a UTC moment in the system's zone, and its offset.
std::tm localTm(std::int64_t utcSeconds) {
  const std::time_t raw = static_cast<std::time_t>(utcSeconds);
  std::tm lt{};
  if (localtime_r(&raw, &lt) == nullptr) {
    // Outside what the C library can convert: UTC.
    gmtime_r(&raw, &lt);
    lt.tm_gmtoff = 0;
  }
  return lt;
}

}  // namespace

ClockReading zoneReading(std::int64_t utcSeconds) {
  const std::tm lt = localTm(utcSeconds);
  ClockReading r;
  r.local = DateTime{lt.tm_year + 1900, lt.tm_mon + 1, lt.tm_mday, lt.tm_hour, lt.tm_min, lt.tm_sec};
  r.offsetSeconds = static_cast<int>(lt.tm_gmtoff);
  const int year = lt.tm_year + 1900;
  const std::int64_t january = toSerial(DateTime{year, 1, 15, 12, 0, 0});
  const std::int64_t july = toSerial(DateTime{year, 7, 15, 12, 0, 0});
  r.standardOffsetSeconds = static_cast<int>(std::min(localTm(january).tm_gmtoff, localTm(july).tm_gmtoff));
  return r;
}

ClockReading SystemClock::read() const { return zoneReading(static_cast<std::int64_t>(std::time(nullptr))); }

ClockReading FixedClock::read() const {
  ClockReading r{t_, offset_, standard_};
  if (offset_ < 0) {
    const bool summer = !before(t_, lastSunday(t_.year, 3)) && before(t_, lastSunday(t_.year, 10));
    r.offsetSeconds = summer ? 7200 : 3600;
    r.standardOffsetSeconds = 3600;
  }
  return r;
}

}  // namespace welvaro
