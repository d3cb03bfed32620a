// Summer-time window and the year values of the start-up day.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "state/calendar.h"

using namespace welvaro;

TEST(Sommerzeit, LastSundaysOfMarchAndOctober) {
  struct Case {
    int jahr, monat, tag;
  } cases[] = {
      {2023, 3, 26}, {2023, 10, 29}, {2024, 3, 31}, {2024, 10, 27}, {2025, 3, 30},
      {2025, 10, 26}, {2026, 3, 29}, {2026, 10, 25}, {2027, 3, 28}, {2027, 10, 31},
  };
  for (auto c : cases) {
    SCOPED_TRACE(testing::Message() << c.jahr << "-" << c.monat);
    EXPECT_EQ(letzterSonntag(c.jahr, c.monat), (DateTime{c.jahr, c.monat, c.tag, 0, 0, 0}));
  }
}

TEST(Sommerzeit, WindowStartsAndEndsAtMidnightOfTheLastSundays) {
  auto s = std::make_unique<State>();
  struct Case {
    DateTime jetzt;
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
    SCOPED_TRACE(shortDate(c.jetzt) + " " + std::to_string(c.jetzt.hour) + ":" + std::to_string(c.jetzt.minute));
    s->SoZeitFlag = 7;
    setzeSommerzeit(*s, c.jetzt);
    EXPECT_EQ(s->SoZeitFlag, c.flag);
    EXPECT_EQ(inSommerzeit(*s, c.jetzt), c.flag == 1);
    EXPECT_EQ(s->SoZeitBeginn, letzterSonntag(c.jetzt.year, 3));
    EXPECT_EQ(s->SoZeitEnde, letzterSonntag(c.jetzt.year, 10));
  }
}

TEST(Jahreswerte, DaysOfTheYearAndDeclinationDay) {
  auto s = std::make_unique<State>();
  struct Case {
    DateTime heute;
    float jahrestage;
    int deklTag;
  } cases[] = {
      {{2023, 1, 1, 0, 0, 0}, 365, 12},
      {{2023, 12, 31, 23, 0, 0}, 365, 376},  // counted on past the year's end
      {{2024, 3, 1, 0, 0, 0}, 366, 72},      // leap year: 29 February counts
      {{2024, 12, 31, 0, 0, 0}, 366, 377},
      {{2000, 6, 1, 0, 0, 0}, 366, 164},
      {{2100, 6, 1, 0, 0, 0}, 365, 163},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(shortDate(c.heute));
    setzeJahreswerte(*s, c.heute);
    EXPECT_EQ(s->Jahrestage, c.jahrestage);
    EXPECT_EQ(s->DeklTag, c.deklTag);
  }
}

TEST(Jahreswerte, DeclinationPeaksAtTheSolsticesAndCrossesZeroBetween) {
  auto s = std::make_unique<State>();
  // 20 June 2024: day 172, DeklTag 183 = half of 366 -> northern maximum.
  setzeJahreswerte(*s, {2024, 6, 20, 0, 0, 0});
  EXPECT_NEAR(s->Dekl, 0.39954f, 1e-6f);
  // 20 December 2024: DeklTag 366 = full turn -> southern maximum.
  setzeJahreswerte(*s, {2024, 12, 20, 0, 0, 0});
  EXPECT_NEAR(s->Dekl, -0.39954f, 1e-6f);
  // Quarter turns (DeklTag 91.5 and 274.5 in a leap year): the sign
  // changes between 20 and 21 March and between 19 and 20 September.
  setzeJahreswerte(*s, {2024, 3, 20, 0, 0, 0});
  EXPECT_LT(s->Dekl, 0.0f);
  EXPECT_GT(s->Dekl, -0.005f);
  setzeJahreswerte(*s, {2024, 3, 21, 0, 0, 0});
  EXPECT_GT(s->Dekl, 0.0f);
  EXPECT_LT(s->Dekl, 0.005f);
  setzeJahreswerte(*s, {2024, 9, 19, 0, 0, 0});
  EXPECT_GT(s->Dekl, 0.0f);
  setzeJahreswerte(*s, {2024, 9, 20, 0, 0, 0});
  EXPECT_LT(s->Dekl, 0.0f);
}
