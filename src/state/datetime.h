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

// Source of the current local date and time.
class Clock {
 public:
  virtual ~Clock() = default;
  virtual DateTime now() const = 0;
};

// The system clock, local time.
class SystemClock final : public Clock {
 public:
  DateTime now() const override;
};

// A clock standing at a set moment; tests move it by hand.
class FixedClock final : public Clock {
 public:
  explicit FixedClock(DateTime t) : t_(t) {}
  DateTime now() const override { return t_; }
  void set(DateTime t) { t_ = t; }
  void advance(std::int64_t seconds) { t_ = addSeconds(t_, seconds); }

 private:
  DateTime t_;
};

}  // namespace welvaro
