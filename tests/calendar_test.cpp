// Summer-time window and the year values of the start-up day.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "state/calendar.h"

using namespace welvaro;

TEST(SummerTime, LastSundaysOfMarchAndOctober) {
  struct Case {
    int year, month, day;
  } cases[] = {
      {2023, 3, 26}, {2023, 10, 29}, {2024, 3, 31}, {2024, 10, 27}, {2025, 3, 30},
      {2025, 10, 26}, {2026, 3, 29}, {2026, 10, 25}, {2027, 3, 28}, {2027, 10, 31},
  };
  for (auto c : cases) {
    SCOPED_TRACE(testing::Message() << c.year << "-" << c.month);
    EXPECT_EQ(lastSunday(c.year, c.month), (DateTime{c.year, c.month, c.day, 0, 0, 0}));
  }
}

TEST(SummerTime, WindowStartsAndEndsAtMidnightOfTheLastSundays) {
  auto s = std::make_unique<State>();
  struct Case {
    DateTime now;
    int flag;
  } cases[] = {
      {{2024, 1, 15, 12, 0, 0}, 0},
      {{2024, 3, 30, 23, 59, 59}, 0},  // Saturday before
      {{2024, 3, 31, 0, 0, 0}, 1},     // last Sunday of March, from 00:00
      {{2024, 7, 1, 8, 0, 0}, 1},
      {{2024, 10, 26, 23, 59, 59}, 1},
      {{2024, 10, 27, 0, 0, 0}, 0},    // last Sunday of October
      {{2027, 10, 31, 0, 0, 0}, 0},    // the 31st itself is the Sunday
      {{2027, 10, 30, 12, 0, 0}, 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(shortDate(c.now) + " " + std::to_string(c.now.hour) + ":" + std::to_string(c.now.minute));
    s->SoZeitFlag = 7;
    setSummerTime(*s, c.now);
    EXPECT_EQ(s->SoZeitFlag, c.flag);
    EXPECT_EQ(inSummerTime(*s, c.now), c.flag == 1);
    EXPECT_EQ(s->SoZeitBeginn, lastSunday(c.now.year, 3));
    EXPECT_EQ(s->SoZeitEnde, lastSunday(c.now.year, 10));
  }
}

TEST(YearValues, DaysOfTheYearAndDeclinationDay) {
  auto s = std::make_unique<State>();
  struct Case {
    DateTime today;
    float yearDays;
    int declDay;
  } cases[] = {
      {{2023, 1, 1, 0, 0, 0}, 365, 12},
      {{2023, 12, 31, 23, 0, 0}, 365, 376},  // counted on past the year's end
      {{2024, 3, 1, 0, 0, 0}, 366, 72},      // leap year: 29 February counts
      {{2024, 12, 31, 0, 0, 0}, 366, 377},
      {{2000, 6, 1, 0, 0, 0}, 366, 164},
      {{2100, 6, 1, 0, 0, 0}, 365, 163},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(shortDate(c.today));
    setYearValues(*s, c.today);
    EXPECT_EQ(s->Jahrestage, c.yearDays);
    EXPECT_EQ(s->DeklTag, c.declDay);
  }
}

TEST(YearValues, DeclinationPeaksAtTheSolsticesAndCrossesZeroBetween) {
  auto s = std::make_unique<State>();
  // 20 June 2024: day 172, DeklTag 183 = half of 366 -> northern maximum.
  setYearValues(*s, {2024, 6, 20, 0, 0, 0});
  EXPECT_NEAR(s->Dekl, 0.39954f, 1e-6f);
  // 20 December 2024: DeklTag 366 = full turn -> southern maximum.
  setYearValues(*s, {2024, 12, 20, 0, 0, 0});
  EXPECT_NEAR(s->Dekl, -0.39954f, 1e-6f);
  // Quarter turns (DeklTag 91.5 and 274.5 in a leap year): the sign
  // changes between 20 and 21 March and between 19 and 20 September.
  setYearValues(*s, {2024, 3, 20, 0, 0, 0});
  EXPECT_LT(s->Dekl, 0.0f);
  EXPECT_GT(s->Dekl, -0.005f);
  setYearValues(*s, {2024, 3, 21, 0, 0, 0});
  EXPECT_GT(s->Dekl, 0.0f);
  EXPECT_LT(s->Dekl, 0.005f);
  setYearValues(*s, {2024, 9, 19, 0, 0, 0});
  EXPECT_GT(s->Dekl, 0.0f);
  setYearValues(*s, {2024, 9, 20, 0, 0, 0});
  EXPECT_LT(s->Dekl, 0.0f);
}
