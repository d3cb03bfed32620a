// Number text, number reading and the rounding rules.
#include <gtest/gtest.h>

#include <clocale>

#include "state/arith.h"
#include "state/datetime.h"
#include "state/numtext.h"

using namespace welvaro;

TEST(Rounding, IntFixAndHalfToEven) {
  EXPECT_EQ(Int(-3.5), -4);
  EXPECT_EQ(Int(3.5), 3);
  EXPECT_EQ(Fix(-3.5), -3);
  EXPECT_EQ(Fix(3.9), 3);
  struct Case {
    double in, out;
  } cases[] = {{2.5, 2}, {3.5, 4}, {-2.5, -2}, {-3.5, -4}, {0.5, 0}, {1.5, 2}, {2.4999, 2}, {2.5001, 3}, {-0.5, 0}};
  for (auto c : cases) {
    SCOPED_TRACE(c.in);
    EXPECT_EQ(RoundEven(c.in), c.out);
  }
}

TEST(NumberText, LeadingBlankShortestFormNoLeadingZero) {
  EXPECT_EQ(NumberText(0.5), " .5");
  EXPECT_EQ(NumberText(7.0), " 7");
  EXPECT_EQ(NumberText(-3.7), "-3.7");
  EXPECT_EQ(NumberText(0.0), " 0");
  EXPECT_EQ(NumberText(-0.0), " 0");
  EXPECT_EQ(NumberText(48.1), " 48.1");
  EXPECT_EQ(NumberText(2.15), " 2.15");
  EXPECT_EQ(NumberText(-0.25), "-.25");
  EXPECT_EQ(NumberText(0.0001), " .0001");
  EXPECT_EQ(NumberText(0.00001), " 1E-05");
  EXPECT_EQ(NumberText(123456789012345.0), " 123456789012345");
  EXPECT_EQ(NumberText(1e15), " 1E+15");
  // Singles show 7 significant digits: the stored -3.70000005 reads -3.7.
  EXPECT_EQ(NumberText(-3.7f), "-3.7");
  EXPECT_EQ(NumberText(40.4f), " 40.4");
  EXPECT_EQ(NumberText(10.2f), " 10.2");
  EXPECT_EQ(NumberText(1234567.0f), " 1234567");
  EXPECT_EQ(NumberText(12345678.0f), " 1.234568E+07");
  // The same value as a double shows its binary tail.
  EXPECT_EQ(NumberText(static_cast<double>(40.4f)), " 40.4000015258789");
  EXPECT_EQ(PlainText(0.5), ".5");
  EXPECT_EQ(PlainText(-3.7), "-3.7");
}

TEST(NumberText, IgnoresTheUserLocale) {
  const char* old = std::setlocale(LC_ALL, nullptr);
  std::string saved = old ? old : "C";
  if (std::setlocale(LC_ALL, "de_DE.UTF-8") == nullptr) std::setlocale(LC_ALL, "C.UTF-8");
  EXPECT_EQ(NumberText(2.15), " 2.15");
  EXPECT_EQ(ReadNumber("2.15"), 2.15);
  std::setlocale(LC_ALL, saved.c_str());
}

TEST(ReadNumber, FollowsTheReadingRule) {
  struct Case {
    const char* text;
    double value;
  } cases[] = {
      {"48.1", 48.1}, {"  -3.7", -3.7}, {".5", 0.5},   {"-.5", -0.5}, {"5,5", 5},       {"12abc", 12},
      {"abc", 0},     {"", 0},          {"-", 0},      {".", 0},      {"+7", 7},        {"1.2.3", 1.2},
      {" 0", 0},      {"10.", 10},      {"1e5", 1},    {"- 5", 0},    {"007.50", 7.5},  {"\t5", 0},
  };
  for (auto c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(ReadNumber(c.text), c.value);
  }
}

TEST(ReadNumber, RoundTripsNumberText) {
  for (double v : {48.1, -3.7, 0.1, 2.15, 128.0, 1e-3, 123.456789, -179.99}) {
    SCOPED_TRACE(v);
    EXPECT_EQ(ReadNumber(NumberText(v)), v);
  }
}

TEST(Calendar, DayOfYearWeekdayAndLeapYears) {
  EXPECT_EQ(dayOfYear({2026, 12, 7}), 341);
  EXPECT_EQ(dayOfYear({2024, 12, 31}), 366);
  EXPECT_EQ(weekday({2026, 3, 29}), 1);  // a Sunday
  EXPECT_EQ(weekday({2026, 12, 8}), 3);  // a Tuesday
  EXPECT_TRUE(isLeapYear(2000));
  EXPECT_FALSE(isLeapYear(1900));
  EXPECT_EQ(addDays({2026, 12, 31}, 1), (DateTime{2027, 1, 1}));
  EXPECT_EQ(addSeconds({2026, 3, 1, 1, 30, 0}, -2 * 3600), (DateTime{2026, 2, 28, 23, 30, 0}));
  EXPECT_EQ(shortDate({2026, 12, 7}), "07.12.2026");
}
