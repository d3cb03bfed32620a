// The point result: the captions of the text panel, the values at the point
// and the S-meter, and welvaro-cli point.
#include <gtest/gtest.h>

#include <cmath>

#include "display/point.h"
#include "lang/sprachtext.h"
#include "state/numtext.h"
#include "testutil.h"

using namespace welvaro;
using namespace welvaro::test;

namespace {

// Munich to Madrid on 20 May 2026 (a day-corrected month), 10.2 MHz.
std::unique_ptr<State> munichMadrid(int hour = 12, int minute = 0, float mhz = 10.2f) {
  auto s = defaultLink({2026, 5, 20, 14, 0, 0});
  s->Zeitpunkt = {2026, 5, 20, hour, minute, 0};
  s->JahrText = "2026";
  s->AktFrequenz = mhz;
  fillMonthNames(*s);
  return s;
}

std::vector<std::string> items(const std::string& text) { return split(text, kPointLineBreak); }

// welvaro-cli point: exit status, output lines (plain line feeds) and messages.
struct PointRun {
  int rc;
  std::vector<std::string> lines;
  std::string err;
};

PointRun point(std::vector<std::string> args) {
  args.insert(args.begin(), "point");
  const CliRun r = runCli(args);
  EXPECT_EQ(r.out.find('\r'), std::string::npos);
  return {r.rc, split(r.out), r.err};
}

}  // namespace

TEST(PointResult, GeographyOfMunichToMadrid) {
  auto s = munichMadrid();
  ASSERT_EQ(prgPointErgebnis(*s), 0);
  // Lines end in line feed + carriage return.
  EXPECT_EQ(s->GeoAuswertung,
            "München (A: 48.1 N 11.5 E)\n\rMadrid (B: 40.4 N 3.7 W)\n\rDistanz: 1478 km (kurzer Weg)\n\r"
            "Richtung (A-B): 240 \n\rRichtung (B-A): 49 ");
  EXPECT_EQ(s->Distanz, 1478);  // cut to whole numbers in the state
  EXPECT_EQ(s->RichtungAB, 240);
  EXPECT_EQ(s->RichtungBA, 49);
  EXPECT_EQ(s->WelvaroAnzeige, "Welvaro (50%) für Mai 2026");

  s->L = 1;
  s->P = "L";
  ASSERT_EQ(prgPointErgebnis(*s), 0);
  auto z = items(s->GeoAuswertung);
  ASSERT_EQ(z.size(), 5u);
  EXPECT_EQ(z[2], "Distance: 38552 km (long path)");
  EXPECT_EQ(z[3], "Bearing (A-B): 60 ");
  EXPECT_EQ(z[4], "Bearing (B-A): 229 ");
  // The caption names the path the calculation took, which is the long one
  // for "L" alone: a lower-case "l" from a settings file was computed short.
  s->P = "l";
  ASSERT_EQ(prgPointErgebnis(*s), 0);
  EXPECT_EQ(items(s->GeoAuswertung)[2], "Distance: 1478 km (short path)");
}

TEST(PointResult, StationsAreShownToTheTenthTheUserTyped) {
  // Coordinates are held as singles: -3.7 is -3.70000005, 2.3 is 2.29999995.
  // Truncating them to a tenth must not drop them to the next tenth.
  struct Case {
    double x1;
    float y1, x2, y2;
    const char *a, *b;
  };
  const Case cases[] = {
      {-34.6, -58.4f, 2.3f, -2.3f, "(A: 34.6 S 58.4 W)", "(B: 2.3 N 2.3 W)"},
      {48.17, 11.58f, -0.1f, 179.9f, "(A: 48.1 N 11.5 E)", "(B: .1 S 179.9 E)"},
      {48.1, 11.5f, 90.0f, 0.0f, "(A: 48.1 N 11.5 E)", "(B: 89.9 N 0 E)"},
      {48.1, 11.5f, -90.0f, -179.9f, "(A: 48.1 N 11.5 E)", "(B: 89.9 S 179.9 W)"},
      {48.1, 11.5f, -12.35f, 8.75f, "(A: 48.1 N 11.5 E)", "(B: 12.4 S 8.7 E)"},
  };
  for (const Case& f : cases) {
    SCOPED_TRACE(f.b);
    auto s = munichMadrid();
    s->X1 = f.x1;
    s->Y1 = f.y1;
    s->OrtX2 = f.x2;
    s->OrtY2 = f.y2;
    ASSERT_EQ(prgPointErgebnis(*s), 0);
    const auto z = items(s->GeoAuswertung);
    EXPECT_EQ(z[0], std::string("München ") + f.a);
    EXPECT_EQ(z[1], std::string("Madrid ") + f.b);
  }
  // Every tenth around the zero meridian stays as typed, also for the
  // printed report that computes with X2/Y2 afterwards.
  for (int tenths = -50; tenths <= 50; ++tenths) {
    auto s = munichMadrid();
    s->OrtY2 = static_cast<float>(tenths / 10.0);
    ASSERT_EQ(prgPointErgebnis(*s), 0);
    ASSERT_EQ(s->Y2, s->OrtY2) << tenths;
    ASSERT_EQ(static_cast<float>(s->X2), s->OrtX2) << tenths;
  }
}

TEST(PointResult, StationNames) {
  struct Case {
    int16 L;
    std::string placeA, placeB, newA, newB;
  };
  const Case cases[] = {
      {0, "", "", "Station", "Station"},
      {3, "", "Lisboa", "Estación", "Lisboa"},
      {0, "Garmisch-Partenkirchen", "Sankt Peter-Ording", "Garmisch-Parten", "Sankt Peter-Ord"},
      // Fifteen characters, not bytes: umlauts are not split.
      {1, "Größenwahn-Süd-Ost", "ÄÖÜäöüßÄÖÜäöüßÄÖÜ", "Größenwahn-Süd-", "ÄÖÜäöüßÄÖÜäöüßÄ"},
  };
  for (const Case& f : cases) {
    SCOPED_TRACE(f.newA);
    auto s = munichMadrid();
    s->L = f.L;
    s->OrtA = f.placeA;
    s->OrtB = f.placeB;
    ASSERT_EQ(prgPointErgebnis(*s), 0);
    EXPECT_EQ(s->OrtA, f.newA);  // the state keeps the shown names
    EXPECT_EQ(s->OrtB, f.newB);
    const auto z = items(s->GeoAuswertung);
    EXPECT_EQ(z[0].rfind(f.newA + " (A:", 0), 0u);
    EXPECT_EQ(z[1].rfind(f.newB + " (B:", 0), 0u);
  }
}

TEST(PointResult, InterpolatesBetweenHoursAndMegahertz) {
  struct Case {
    int hour, minute;
    float mhz;
    int rowBottom, rowTop, column;
  };
  const Case cases[] = {
      {23, 30, 14.0f, 23, 24, 15},  // between 23 UTC and 00 UTC (row 24)
      {0, 30, 14.0f, 24, 1, 15},    // between 00 UTC (row 24) and 01 UTC
      {12, 0, 29.9f, 12, 13, 30},   // 29.9 MHz: columns 30 and 31
      {7, 45, 10.2f, 7, 8, 11},
  };
  for (const Case& f : cases) {
    SCOPED_TRACE(std::to_string(f.hour) + ":" + std::to_string(f.minute) + " " + std::to_string(f.mhz));
    auto s = munichMadrid(f.hour, f.minute, f.mhz);
    ASSERT_EQ(prgPointErgebnis(*s), 0);
    const auto& e = s->ErgFeld[0];
    auto time = [&](int c) { return e[f.rowBottom][c] + (e[f.rowTop][c] - e[f.rowBottom][c]) * f.minute / 60; };
    const double a = time(f.column), b = time(f.column + 1);
    const double field = std::floor(a + (b - a) * (f.mhz - std::floor(f.mhz)));
    const double level = std::floor(45 - 20 * std::log10(f.mhz * 1e6 + 0.1) + field);
    EXPECT_EQ(s->PunktFeld, std::clamp(field, -54.0, 54.0));
    EXPECT_EQ(s->PunktPegel, std::clamp(level, -127.0, -19.0));
    EXPECT_EQ(s->SmeterWert, s->PunktPegel + 127);
    EXPECT_EQ(s->PegelAnzeige, "Feldstärke =" + NumberText(s->PunktFeld) + " dB(µV/m)\n\rPegel =" +
                                   NumberText(s->PunktPegel) + " dBm");
  }
}

TEST(PointResult, ValuesAreHeldOnTheirScales) {
  // At night 29.9 MHz does not reach Madrid: the bottom of both scales.
  auto weak = munichMadrid(0, 0, 29.9f);
  ASSERT_EQ(prgPointErgebnis(*weak), 0);
  EXPECT_LT(weak->ErgFeld[0][24][30], -54);
  EXPECT_EQ(weak->SmeterWert, 0);
  EXPECT_EQ(weak->PegelAnzeige, "Feldstärke =-54 dB(µV/m)\n\rPegel =-127 dBm");

  // 1000 kW over 111 km at 7 MHz: far above the top of the field scale.
  auto strong = munichMadrid(12, 0, 7.0f);
  strong->OrtX2 = 47.1f;
  strong->OrtY2 = 11.5f;
  strong->Zkw = 1000;
  strong->Sag = 20;
  ASSERT_EQ(prgPointErgebnis(*strong), 0);
  const double field = std::floor(strong->ErgFeld[0][12][8]);
  ASSERT_GT(field, 54);
  EXPECT_EQ(strong->PunktFeld, 54);
  // The level comes from the field strength before it was held at 54.
  EXPECT_EQ(strong->PunktPegel, std::floor(45 - 20 * std::log10(7e6 + 0.1) + field));
  EXPECT_EQ(strong->SmeterWert, strong->PunktPegel + 127);
}

TEST(PointResult, ForecastCaption) {
  struct Case {
    int16 L;
    double availability;
    float month;
    const char* text;
  };
  const Case cases[] = {{0, 50, 5, "Welvaro (50%) für Mai 2003"},
                         {1, 50, 5, "Forecast (50%) for May 2003"},
                         {3, 10, 12, "Pronóstico (10%) para diciembre 2003"},
                         {4, 90, 8, "Prévision (90%) pour août 2003"}};
  for (const Case& f : cases) {
    SCOPED_TRACE(f.text);
    auto s = munichMadrid();
    s->L = f.L;
    s->Iproz = f.availability;
    s->Monat = f.month;
    s->JahrText = "2003";
    fillMonthNames(*s);
    EXPECT_EQ(forecastCaption(*s), f.text);
  }
}

TEST(PointResult, AFaultLeavesThePointWithoutAValue) {
  struct Case {
    const char* what;
    double x1;
    float y1, x2, y2, mhz;
    int code;
    const char* distanceLine;
  };
  const Case cases[] = {
      // Antipodes and a point on station A itself: no great circle.
      {"antipode", 0, 0, 0, 180, 10.2f, 11, "Distanz: -- km (kurzer Weg)"},
      {"same place", 0, 0, 0, 0, 10.2f, 11, "Distanz: -- km (kurzer Weg)"},
      // A frequency memory may hold 35 MHz: outside the forecast table.
      {"35 MHz", 48.1, 11.5f, 40.4f, -3.7f, 35.0f, 9, "Distanz: 1478 km (kurzer Weg)"},
      {"30.5 MHz", 48.1, 11.5f, 40.4f, -3.7f, 30.5f, 9, "Distanz: 1478 km (kurzer Weg)"},
  };
  for (const Case& f : cases) {
    SCOPED_TRACE(f.what);
    auto s = munichMadrid();
    ASSERT_EQ(prgPointErgebnis(*s), 0);  // a good result first: it must not stay
    s->X1 = f.x1;
    s->Y1 = f.y1;
    s->OrtX2 = f.x2;
    s->OrtY2 = f.y2;
    s->AktFrequenz = f.mhz;
    EXPECT_EQ(prgPointErgebnis(*s), f.code);
    EXPECT_EQ(s->PunktFehler, f.code);
    EXPECT_EQ(s->PunktFeld, -54);
    EXPECT_EQ(s->PunktPegel, -127);
    EXPECT_EQ(s->SmeterWert, 0);
    EXPECT_EQ(s->PegelAnzeige, "Feldstärke = -- dB(µV/m)\n\rPegel = -- dBm");
    const auto z = items(s->GeoAuswertung);
    ASSERT_EQ(z.size(), 5u);
    EXPECT_EQ(z[2], f.distanceLine);
    EXPECT_EQ(std::isfinite(s->Distanz), true);
    EXPECT_EQ(s->WelvaroAnzeige, "Welvaro (50%) für Mai 2026");
    // The language switch rebuilds the level caption the same way.
    s->L = 1;
    EXPECT_EQ(levelCaption(*s), "Field strength = -- dB(µV/m)\n\rLevel = -- dBm");
    // The next good point shows values again.
    s->X1 = 48.1;
    s->Y1 = 11.5f;
    s->OrtX2 = 40.4f;
    s->OrtY2 = -3.7f;
    s->AktFrequenz = 10.2f;
    ASSERT_EQ(prgPointErgebnis(*s), 0);
    EXPECT_EQ(s->PegelAnzeige.find("--"), std::string::npos);
  }
}

TEST(PointResult, SettingThePointTakesTheFrequencyFromTheCursorHeight) {
  struct Case {
    float cursorHeight, mhz;
    const char* text;
  };
  const Case cases[] = {{0, 1.5f, "  1.5 MHz"},  // never recorded: the lowest frequency
                         {1918, 14.2f, " 14.2 MHz"},
                         {945, 7.0f, "    7 MHz"},
                         {5000, 29.9f, " 29.9 MHz"}};
  for (const Case& f : cases) {
    SCOPED_TRACE(f.text);
    auto s = munichMadrid();
    s->CursorHoehe = f.cursorHeight;
    const PointPlacement position = prgSetzePunkt(*s);
    EXPECT_EQ(s->AktFrequenz, f.mhz);
    EXPECT_EQ(s->FrequenzText, f.text);
    EXPECT_NEAR(position.frequencyLineY, 4050 - 135 * f.mhz, 0.01);
    EXPECT_NEAR(position.markerLeft, 3990 - 22.5 * 3.7, 0.01);
    EXPECT_NEAR(position.markerTop, 1965 - 22.5 * 40.4, 0.01);
    EXPECT_EQ(s->PunktFehler, 0);  // and the point result ran
    EXPECT_EQ(s->GeoAuswertung.rfind("München (A:", 0), 0u);
  }
}

TEST(CliPoint, PrintsThePanelLineByLine) {
  PointRun r = point({"--freq", "10.2", "--utc", "12:00"});
  ASSERT_EQ(r.rc, 0) << r.err;
  const auto& l = r.lines;
  ASSERT_EQ(l.size(), 11u);  // ten lines and the empty rest after the last
  EXPECT_EQ(l[0], "München (A: 48.1 N 11.5 E)");
  EXPECT_EQ(l[1], "Madrid (B: 40.4 N 3.7 W)");
  EXPECT_EQ(l[2], "Distanz: 1478 km (kurzer Weg)");
  EXPECT_EQ(l[3], "Richtung (A-B): 240 ");
  EXPECT_EQ(l[4], "Richtung (B-A): 49 ");
  EXPECT_EQ(l[5].rfind("Feldstärke =", 0), 0u);
  ASSERT_EQ(l[6].rfind("Pegel =", 0), 0u);
  EXPECT_EQ(l[7], "Welvaro (50%) für Dezember 2026");
  EXPECT_EQ(l[8], "S-Meter: " + std::to_string(static_cast<int>(ReadNumber(l[6].substr(7))) + 127));
  EXPECT_EQ(l[9].rfind("FT8: ", 0), 0u);  // the outlook line of the mode

  r = point({"--freq", "14.2", "--utc", "23:30", "--lang", "1", "--date", "2003-05-10", "--b",
               "38.7,-9.1", "--name-a", "Home"});
  ASSERT_EQ(r.rc, 0) << r.err;
  EXPECT_EQ(r.lines[0], "Home (A: 48.1 N 11.5 E)");
  EXPECT_EQ(r.lines[1], "Station (B: 38.7 N 9.1 W)");  // no longer Madrid
  EXPECT_EQ(r.lines[7], "Forecast (50%) for May 2003");
  r = point({"--freq", "7", "--utc", "6:05", "--b", "38.7,-9.1", "--name-b", "Lisboa"});
  EXPECT_EQ(r.lines[1], "Lisboa (B: 38.7 N 9.1 W)");
}

TEST(CliPoint, AModelFaultStillPrintsThePanel) {
  PointRun r = point({"--freq", "10.2", "--utc", "12:00", "--a", "0,0", "--b", "0,180"});
  EXPECT_EQ(r.rc, 3);
  EXPECT_NE(r.err.find("division by zero"), std::string::npos);
  ASSERT_EQ(r.lines.size(), 11u);
  EXPECT_EQ(r.lines[5], "Feldstärke = -- dB(µV/m)");
  EXPECT_EQ(r.lines[8], "S-Meter: 0");
  EXPECT_EQ(r.lines[9], "FT8: keine Aussicht");
}

