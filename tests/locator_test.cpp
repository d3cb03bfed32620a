// Maidenhead locators: centres of squares in any case and length, malformed
// locators, the locator of a position at the poles and the date line, and
// round trips over the whole grid.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "state/locator.h"

using namespace welvaro;

TEST(Locator, ReadsTheCentreOfItsSquare) {
  struct Case {
    const char* text;
    double lat, lon;
  } cases[] = {
      {"JN58TD", 48.0 + 3.5 / 24, 11.625},          // 48.145833 N 11.625 E
      {"jn58td", 48.0 + 3.5 / 24, 11.625},
      {" Jn58tD\t", 48.0 + 3.5 / 24, 11.625},
      {"JN58", 48.5, 11},
      {"jn", 45, 10},
      {"JN58TD50", 48.0 + 3.05 / 24, 10.0 + 19.55 / 12},
      {"IO91WM", 51.0 + 12.5 / 24, -2.0 + 22.5 / 12},
      {"AA00AA", -90 + 0.5 / 24, -180 + 0.5 / 12},  // south pole, date line
      {"RR99XX", 90 - 0.5 / 24, 180 - 0.5 / 12},    // north pole, date line
      {"RR99xx99", 90 - 0.05 / 24, 180 - 0.05 / 12},
  };
  for (const Case& f : cases) {
    SCOPED_TRACE(f.text);
    const LocatorReading l = readLocator(f.text);
    ASSERT_TRUE(l.ok()) << l.error;
    EXPECT_NEAR(l.lat, f.lat, 1e-12);
    EXPECT_NEAR(l.lon, f.lon, 1e-12);
    EXPECT_TRUE(l.error.empty());
    EXPECT_TRUE(looksLikeLocator(f.text));
  }
  EXPECT_EQ(readLocator("JN58TD").lon, 11.625);
}

TEST(Locator, MalformedOnesSayWhatIsWrong) {
  using F = LocatorReading::Error;
  struct Case {
    const char* text;
    F kind;
    const char* why;
  } cases[] = {
      {"JN58TZZ", F::Length, "it has 7 characters"},
      {"J", F::Length, "it has 1 characters"},
      {"JN58TD5", F::Length, "2, 4, 6 or 8"},
      {"", F::Length, "it has 0 characters"},
      {"JS58", F::Field, "letters A to R"},
      {"SN58", F::Field, "letters A to R"},
      {"JN5A", F::Square, "3 and 4 are digits"},
      {"JN58TZ", F::Subsquare, "letters A to X"},
      {"JN58TD5X", F::Extended, "7 and 8 are digits"},
  };
  for (const Case& f : cases) {
    SCOPED_TRACE(f.text);
    const LocatorReading l = readLocator(f.text);
    EXPECT_FALSE(l.ok());
    EXPECT_EQ(l.kind, f.kind);
    EXPECT_EQ(l.error.find("'" + std::string(f.text) + "' is no Maidenhead locator"), 0u) << l.error;
    EXPECT_NE(l.error.find(f.why), std::string::npos) << l.error;
  }
}

TEST(Locator, WhatCountsAsMeantForALocator) {
  for (const char* yes : {"jn58tzz", "Jn5", "rr"}) EXPECT_TRUE(looksLikeLocator(yes)) << yes;
  for (const char* no : {"", "J", "JZ", "Tokyo", "N'Djamena", "48.1", "A1"}) EXPECT_FALSE(looksLikeLocator(no)) << no;
}

TEST(Locator, OfAPositionAtThePolesAndTheDateLine) {
  struct Case {
    double lat, lon;
    const char* locator;
  } cases[] = {
      {90, 180, "RR99XX"},          {-90, -180, "AA00AA"},      {90, -180, "AR09AX"},
      {-90, 180, "RA90XA"},         {0, 0, "JJ00AA"},           {-1e-9, -1e-9, "II99XX"},
      {48.145833, 11.625, "JN58TD"}, {48.1, 11.5, "JN58SC"},    {40.4, -3.7, "IN80DJ"},
      {35.6895, 139.69171, "PM95UQ"}, {-33.86785, 151.20732, "QF56OD"},
      {95, 200, "RR99XX"},          {-95, -200, "AA00AA"},      {std::nan(""), std::nan(""), "AA00AA"},
  };
  for (const Case& f : cases) {
    SCOPED_TRACE(f.locator);
    EXPECT_EQ(locatorOf(f.lat, f.lon), f.locator);
  }
}

// Every field and square, three subsquares and extended squares each: the
// centre read from a locator gives the same locator back.
TEST(Locator, RoundTripsOverTheGrid) {
  for (char a = 'A'; a <= 'R'; ++a)
    for (char b = 'A'; b <= 'R'; ++b)
      for (char q = '0'; q <= '9'; ++q)
        for (const char* rest : {"AA00", "LM45", "XX99", "AX90"}) {
          const std::string eight = std::string{a, b, q, static_cast<char>('9' - (q - '0'))} + rest;
          for (const std::string& loc : {eight, eight.substr(0, 6), eight.substr(0, 4), eight.substr(0, 2)}) {
            const LocatorReading l = readLocator(loc);
            ASSERT_TRUE(l.ok()) << loc;
            ASSERT_EQ(locatorFromUnits((l.lon + 180) * 22.5, (l.lat + 90) * 22.5,
                                          static_cast<int>(loc.size())),
                      loc);
            if (loc.size() == 6) {
              ASSERT_EQ(locatorOf(l.lat, l.lon), loc);
            }
          }
        }
}
