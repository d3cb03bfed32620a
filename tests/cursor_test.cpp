// The cursor read-out: colour decoding, value, degree and locator texts,
// the nearest place, the chart read-out, clicks and the tool tips.
#include <gtest/gtest.h>

#include <memory>

#include "display/bitmap.h"
#include "display/cursor.h"
#include "files/places.h"
#include "lang/sprachtext.h"

using namespace welvaro;

namespace {

std::unique_ptr<State> fresh(float display = 1.0f) {
  auto s = std::make_unique<State>();
  s->Darstellung = display;
  s->Jetzt = {2026, 5, 20, 14, 0, 0};
  s->Zeitpunkt = {2026, 5, 20, 12, 0, 0};
  s->Monat = 5;
  s->JahrText = "2026";
  fillMonthNames(*s);
  return s;
}

// Twips of the world map for a position in degrees.
double xOf(double lon) { return 4050 + 22.5 * lon; }
double yOf(double lat) { return 2025 - 22.5 * lat; }

// Places in the list: identifier:name:longitude:latitude, in the list's
// Windows-1252 code page.
void places(State& s, const char* list) {
  readPlacesText(s, list);
  buildOrtRaster(s);
  s.OrtFlag = 1;
}

}  // namespace

TEST(CursorColour, EveryColourOfTheScaleReadsAsItsOwnValue) {
  auto s = fresh();
  const std::string palette = bmpPalette();
  ASSERT_EQ(palette.size(), kBmpPaletteLength);
  for (int i = 0; i <= 127; ++i) {
    SCOPED_TRACE(i);
    const auto* e = reinterpret_cast<const unsigned char*>(palette.data()) + 4 * i;
    ASSERT_TRUE(prgFarbWert(*s, e[2], e[1], e[0]));
    EXPECT_EQ(s->FarbWert, static_cast<float>(std::min(i, 108)));
  }
}

TEST(CursorColour, TextIsBlueGreenRedAndDrawingGreysShowNoValue) {
  auto s = fresh();
  struct Case {
    int r, g, b;
    const char* text;
    bool value;
  } cases[] = {
      {255, 0, 0, "0000FF", true},      // pure red is the value -37 dBm
      {0, 0, 255, "FF0000", true},      // pure blue
      {1, 2, 3, "030201", true},        // two digits each, leading zeros kept
      {132, 132, 132, "848484", false}, // greys of the map drawing
      {90, 90, 90, "5A5A5A", false},
      {224, 224, 224, "E0E0E0", false},
  };
  for (const Case& f : cases) {
    SCOPED_TRACE(f.text);
    s->FarbWert = 77;
    EXPECT_EQ(prgFarbWert(*s, f.r, f.g, f.b), f.value);
    EXPECT_EQ(s->FarbText, f.text);
    if (!f.value) {
      EXPECT_EQ(s->FarbWert, 77.0f);  // the label keeps the last value
    }
  }
  ASSERT_TRUE(prgFarbWert(*s, 255, 0, 0));
  EXPECT_EQ(s->FarbWert, 90.0f);
}

TEST(CursorValue, LevelAndFieldStrengthTexts) {
  auto s = fresh();
  struct Case {
    float value;
    bool level;
    int language;
    const char* text;
  } cases[] = {
      {54, true, 0, "Pegel: -73 dBm"},
      {0, true, 0, "Pegel: <-127 dBm"},
      {108, true, 0, "Pegel: -19 dBm"},
      {54, false, 0, "Feldstärke:  0 dB(µV/m)"},
      {0, false, 0, "Feldstärke: <-54 dB(µV/m)"},
      {100, false, 1, "Field strength:  46 dB(µV/m)"},
      {54, true, 1, "Level: -73 dBm"},
  };
  for (const Case& f : cases) {
    SCOPED_TRACE(f.text);
    s->L = static_cast<int16>(f.language);
    s->FarbWert = f.value;
    EXPECT_EQ(valueText(*s, f.level), f.text);
  }
}

TEST(CursorPosition, DegreesOnTheWorldMap) {
  auto s = fresh();
  struct Case {
    double x, y;
    float lat, lon;
    const char* text;
  } cases[] = {
      {xOf(11.55), yOf(48.15), 48.1f, 11.5f, "Position:  48.1°N  11.5°E"},
      {xOf(-3.75), yOf(-40.45), -40.5f, -3.8f, "Position:  40.5°S  3.8°W"},
      {4050, 2025, 0, 0, "Position:  0°N  0°E"},
      // The last pixel row and column lie beyond the poles and 180 deg:
      // the read-out stays on the earth.
      {8115, 4065, -90, 180, "Position:  90°S  180°E"},
      {0, 0, 90, -180, "Position:  90°N  180°W"},
  };
  for (const Case& f : cases) {
    SCOPED_TRACE(f.text);
    const CursorReadout a = prgCursor(*s, f.x, f.y, 0, 255, 0, true, true);
    EXPECT_FLOAT_EQ(s->Px2, f.lat);
    EXPECT_FLOAT_EQ(s->Py2, f.lon);
    EXPECT_EQ(a.locator, f.text);
    EXPECT_TRUE(a.levelChanged);
    EXPECT_EQ(a.level, "Pegel: -73 dBm");
    EXPECT_FALSE(a.frequencyChanged);
  }
}

TEST(CursorPosition, Locators) {
  struct Case {
    double x, height;
    const char* locator;
  } cases[] = {
      {0, 0, "AA00AA"},                                // lower left corner
      {8100, 4050, "RR99XW"},                          // right and top edge held one twip inside
      {8114, 4064, "RR99XW"},                          // and beyond them
      {xOf(11.5), 4050 - yOf(48.1), "JN58SC"},        // Munich
      {xOf(-3.7), 4050 - yOf(40.4), "IN80DJ"},        // Madrid
      {xOf(139.7), 4050 - yOf(35.7), "PM95UQ"},       // Tokyo
      {xOf(-74.1), 4050 - yOf(40.7), "FN20WQ"},       // New York
  };
  for (const Case& f : cases) {
    SCOPED_TRACE(f.locator);
    EXPECT_EQ(locatorAtTwips(f.x, f.height), f.locator);
  }
  auto s = fresh();
  const CursorReadout a = prgCursor(*s, xOf(11.5), yOf(48.1), 0, 0, 0, true, false);
  EXPECT_EQ(a.locator, "Position: JN58SC");
  EXPECT_EQ(s->LocatorText, "JN58SC");
  EXPECT_FLOAT_EQ(s->CursorX, static_cast<float>(xOf(11.5)));
  EXPECT_FLOAT_EQ(s->CursorHoehe, static_cast<float>(4050 - yOf(48.1)));
  EXPECT_EQ(a.level, "Pegel: <-127 dBm");
}

TEST(CursorPosition, DegreeModeLeavesTheCursorHeightAlone) {
  auto s = fresh();
  s->CursorHoehe = 1234;
  prgCursor(*s, 100, 100, 0, 0, 0, true, true);
  EXPECT_EQ(s->CursorHoehe, 1234.0f);
}

TEST(NearestPlace, ClosestPlaceOfTheCellBlock) {
  auto s = fresh();
  places(*s,
       "1:M\xFCnchen:11.5:48.1\n"
       "2:Augsburg:10.9:48.4\n"
       "3:Madrid:-3.7:40.4\n"
       "4:Tokio:139.7:35.7\n");
  struct Case {
    double lat, lon;
    bool found;
    int place;
    const char* label;
  } cases[] = {
      {48.0, 11.3, true, 1, "Stadt: München"},
      {48.4, 10.8, true, 2, "Stadt: Augsburg"},
      {41.0, -4.0, true, 3, "Stadt: Madrid"},
      {35.0, 140.0, true, 4, "Stadt: Tokio"},
      {-60.0, -120.0, false, 0, ""},  // nothing in the block around the cursor
  };
  for (const Case& f : cases) {
    SCOPED_TRACE(f.label);
    const CursorReadout a = prgCursor(*s, xOf(f.lon), yOf(f.lat), 0, 0, 0, true, true);
    EXPECT_TRUE(a.placeChanged);
    EXPECT_EQ(a.placeB, f.label);
    EXPECT_EQ(a.markerChanged, f.found);
    if (f.found) {
      EXPECT_EQ(s->NahOrt, static_cast<float>(f.place));
      EXPECT_LT(s->NahAbstand, 1000000.0f);
      EXPECT_DOUBLE_EQ(a.markerLeft, 3990 + 22.5 * s->OrtLaenge[f.place]);
      EXPECT_DOUBLE_EQ(a.markerTop, 1965 - 22.5 * s->OrtBreite[f.place]);
    } else {
      EXPECT_EQ(s->NahAbstand, 1000000.0f);
    }
  }
}

TEST(NearestPlace, OfTwoEquallyNearPlacesTheHigherNumberStays) {
  auto s = fresh();
  // Both one degree from the cursor at 10 N 10 E; the cell text lists the
  // higher number first.
  places(*s, "1:Nord:10:11\n2:Sued:10:9\n");
  s->Px2 = 10;
  s->Py2 = 10;
  ASSERT_TRUE(prgNaechsterOrt(*s));
  EXPECT_EQ(s->NahOrt, 2.0f);
  EXPECT_EQ(s->NahAbstand, 1.0f);
}

TEST(NearestPlace, NoListOrABadCellTextFindsNothing) {
  auto s = fresh();
  places(*s, "1:M\xFCnchen:11.5:48.1\n");
  s->Px2 = 48;
  s->Py2 = 11;
  s->OrtFlag = 0;
  EXPECT_FALSE(prgNaechsterOrt(*s));
  s->OrtFlag = 1;
  // A cell text naming places the list does not hold is skipped, not read.
  s->OrtRaster[19][13] = "19990000";
  EXPECT_FALSE(prgNaechsterOrt(*s));
  s->OrtRaster[19][13] = "0001zz";
  EXPECT_TRUE(prgNaechsterOrt(*s));
  EXPECT_EQ(s->NahOrt, 1.0f);
}

TEST(CursorChart, FrequencyAndTime) {
  auto s = fresh(2.0f);
  struct Case {
    double x, y;
    const char* frequency;
    const char* time;
  } cases[] = {
      {0, 4050, "Frequenz:  0 MHz", "Zeit [UTC]:  0:00 Uhr"},
      {330 * 14.5, 4050 - 135 * 14.2, "Frequenz:  14.2 MHz", "Zeit [UTC]:  14:30 Uhr"},
      {330 * 23 + 30, 0, "Frequenz:  30 MHz", "Zeit [UTC]:  23:05 Uhr"},
      {7920, 15, "Frequenz:  29.8 MHz", "Zeit [UTC]:  24:00 Uhr"},
  };
  for (const Case& f : cases) {
    SCOPED_TRACE(f.time);
    const CursorReadout a = prgCursor(*s, f.x, f.y, 0, 255, 0, false, true);
    EXPECT_TRUE(a.frequencyChanged);
    EXPECT_EQ(a.frequency, f.frequency);
    EXPECT_EQ(a.locator, f.time);
    EXPECT_FALSE(a.placeChanged);
    EXPECT_EQ(a.level, "Feldstärke:  0 dB(µV/m)");
    EXPECT_FLOAT_EQ(s->CursorHoehe, static_cast<float>(4050 - f.y));
  }
}

TEST(CursorClick, ChartSetsTheFrequencyWithinItsRange) {
  auto s = fresh(2.0f);
  struct Case {
    double y;
    float frequency;
    double line;
    const char* text;
  } cases[] = {
      {4050 - 135 * 14.2, 14.2f, 4050 - 135 * static_cast<double>(14.2f), " 14.2 MHz"},
      {4050, 1.5f, 4050 - 135 * 1.5, "  1.5 MHz"},  // below 1.5 MHz
      {0, 29.9f, 4050 - 135 * static_cast<double>(29.9f), " 29.9 MHz"},
      {4050 - 135 * 7.0, 7.0f, 4050 - 135 * 7.0, "    7 MHz"},
  };
  for (const Case& f : cases) {
    SCOPED_TRACE(f.text);
    prgCursor(*s, 1000, f.y, 0, 0, 0, true, true);
    const ClickResult k = prgKlick(*s, true);
    EXPECT_EQ(k.kind, ClickResult::Kind::Frequency);
    EXPECT_FLOAT_EQ(s->AktFrequenz, f.frequency);
    EXPECT_NEAR(k.frequencyLineY, f.line, 1e-3);
    EXPECT_EQ(s->FrequenzText, f.text);
  }
}

TEST(CursorClick, WorldMapCursorPositionBecomesPointB) {
  auto s = fresh();
  prgCursor(*s, xOf(139.75), yOf(35.75), 0, 0, 0, true, true);
  const ClickResult k = prgKlick(*s, true);
  EXPECT_EQ(k.kind, ClickResult::Kind::PointB);
  EXPECT_FALSE(k.backToCursorPosition);
  EXPECT_FLOAT_EQ(s->OrtX2, 35.7f);
  EXPECT_FLOAT_EQ(s->OrtY2, 139.7f);
  EXPECT_EQ(s->OrtB, "Station");
  EXPECT_DOUBLE_EQ(k.markerLeft, 3990 + 22.5 * s->OrtY2);
  EXPECT_DOUBLE_EQ(k.markerTop, 1965 - 22.5 * s->OrtX2);
  // The point result follows the new point.
  EXPECT_EQ(s->GeoAuswertung.find("Station (B: 35.7 N"), s->GeoAuswertung.find("\n\r") + 2);
}

TEST(CursorClick, NearestPlaceModeTakesThePlaceOnlyWhenOneIsNear) {
  auto s = fresh();
  places(*s, "1:Tokio:139.7:35.7\n");
  const float oldX = s->OrtX2;
  const std::string oldB = s->OrtB;
  // A click with no place near the cursor changes nothing, even though a
  // place was found at an earlier cursor position.
  prgCursor(*s, xOf(139), yOf(35), 0, 0, 0, true, true);
  prgCursor(*s, xOf(-120), yOf(-60), 0, 0, 0, true, true);
  ClickResult k = prgKlick(*s, false);
  EXPECT_EQ(k.kind, ClickResult::Kind::None);
  EXPECT_EQ(s->OrtX2, oldX);
  EXPECT_EQ(s->OrtB, oldB);

  prgCursor(*s, xOf(139), yOf(35), 0, 0, 0, true, true);
  k = prgKlick(*s, false);
  EXPECT_EQ(k.kind, ClickResult::Kind::PointB);
  EXPECT_TRUE(k.backToCursorPosition);
  EXPECT_EQ(s->OrtB, "Tokio");
  EXPECT_FLOAT_EQ(s->OrtX2, 35.7f);
  EXPECT_FLOAT_EQ(s->OrtY2, 139.7f);
  EXPECT_DOUBLE_EQ(k.markerLeft, 3990 + 22.5 * 139.7f);
}

TEST(CursorTooltips, ChartButtonAndSunspotButton) {
  auto s = fresh();
  EXPECT_EQ(linkTooltip(*s), "Orts-Welvaro für Madrid <--> München");
  s->OrtB = "Station";
  EXPECT_EQ(linkTooltip(*s), "Orts-Welvaro für Station B <--> München");
  s->L = 1;
  s->OrtB = "Tokyo";
  EXPECT_EQ(linkTooltip(*s), "Point-to-point forecast for Tokyo <--> München");
  EXPECT_EQ(sunspotTooltip(*s), "Sunspot number (Ri = 128)");
  s->L = 0;
  s->Ssna = 7.5;
  EXPECT_EQ(sunspotTooltip(*s), "Sonnenfleckenzahl (Ri = 7.5)");
}
