// Calendar date and time of day, and the clock through which the program
// learns the current local time (tests and the command-line tool set it).
#pragma once

#include <cstdint>
#include <string>

namespace welvaro {

struct DateTime {
  int year = 2000;
  int month = 1;  // 1..12
  int day = 1;    // 1..31
  int hour = 0;
  int minute = 0;
  int second = 0;

  friend bool operator==(const DateTime&, const DateTime&) = default;
};

// Days since 1 January 1970 of a calendar date (proleptic Gregorian).
std::int64_t daysFromCivil(int year, int month, int day);
// The calendar date of a day count since 1 January 1970.
DateTime civilFromDays(std::int64_t days);

// Seconds since 1970-01-01 00:00 of the date-time (no time zone implied).
std::int64_t toSerial(const DateTime& t);
DateTime fromSerial(std::int64_t seconds);

bool isLeapYear(int year);
int daysInMonth(int year, int month);
// Day of the year, 1 January = 1.
int dayOfYear(const DateTime& t);
// Weekday with Sunday = 1 .. Saturday = 7.
int weekday(const DateTime& t);
DateTime addDays(const DateTime& t, int days);
DateTime addSeconds(const DateTime& t, std::int64_t seconds);
// Whether a < b.
bool before(const DateTime& a, const DateTime& b);

// "dd.mm.yyyy", the short date form used in the table header.
std::string shortDate(const DateTime& t);

// "hh:mm", a time of day as the read-outs and the command line give it.
std::string clockText(int hour, int minute);

// Last Sunday of `month` of `year`, 00:00: the last day of the month moved
// back to the Sunday on or before it.
DateTime lastSunday(int year, int month);

// What the clock reads at one moment: the local date and time, and the
// offsets of the system's time zone from UTC at that moment and in
// standard time. Taken together, so that a summer-time change between two
// separate questions can never mix them.
struct ClockReading {
  DateTime local;
  int offsetSeconds = 3600;          ///< local time minus UTC now, summer time included
  int standardOffsetSeconds = 3600;  ///< local standard time minus UTC
};

// The reading of the system's time zone (TZ, else /etc/localtime) at the
// UTC moment `utcSeconds` (seconds since 1970-01-01 00:00 UTC). The standard
// offset is the smaller of the offsets in January and in July of that year,
// so it holds for both hemispheres' summer time.
ClockReading zoneReading(std::int64_t utcSeconds);

// Source of the current local date and time and of the time zone's offset.
class Clock {
 public:
  virtual ~Clock() = default;
  virtual ClockReading read() const = 0;
  DateTime now() const { return read().local; }
};

// The system clock in the system's time zone.
class SystemClock final : public Clock {
 public:
  ClockReading read() const override;
};

// A clock standing at a set UTC moment, read in the system's time zone:
// tests set TZ and see what a user in that zone would see.
class ZoneClock final : public Clock {
 public:
  explicit ZoneClock(std::int64_t utcSeconds) : utc_(utcSeconds) {}
  ClockReading read() const override { return zoneReading(utc_); }
  void advance(std::int64_t seconds) { utc_ += seconds; }

 private:
  std::int64_t utc_;
};

// A clock standing at a set local moment; tests move it by hand. Without a
// zone it keeps Central European time: UTC+1, and UTC+2 from the last
// Sunday of March to the last Sunday of October (00:00 local).
class FixedClock final : public Clock {
 public:
  explicit FixedClock(DateTime t) : t_(t) {}
  FixedClock(DateTime t, int offsetSeconds, int standardOffsetSeconds)
      : t_(t), offset_(offsetSeconds), standard_(standardOffsetSeconds) {}
  ClockReading read() const override;
  void set(DateTime t) { t_ = t; }
  void advance(std::int64_t seconds) { t_ = addSeconds(t_, seconds); }

 private:
  DateTime t_;
  int offset_ = -1;  // -1: Central European time
  int standard_ = 3600;
};

}  // namespace welvaro
