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

std::unique_ptr<State> neu(float darstellung = 1.0f) {
  auto s = std::make_unique<State>();
  s->Darstellung = darstellung;
  s->Jetzt = {2026, 5, 20, 14, 0, 0};
  s->Zeitpunkt = {2026, 5, 20, 12, 0, 0};
  s->Monat = 5;
  s->JahrText = "2026";
  fuelleMonatsNamen(*s);
  return s;
}

// Twips of the world map for a position in degrees.
double xVon(double laenge) { return 4050 + 22.5 * laenge; }
double yVon(double breite) { return 2025 - 22.5 * breite; }

// Places in the list: identifier:name:longitude:latitude, in the list's
// Windows-1252 code page.
void orte(State& s, const char* liste) {
  readPlacesText(s, liste);
  buildOrtRaster(s);
  s.OrtFlag = 1;
}

}  // namespace

TEST(CursorColour, EveryColourOfTheScaleReadsAsItsOwnValue) {
  auto s = neu();
  const std::string palette = bmpPalette();
  ASSERT_EQ(palette.size(), kBmpPaletteLaenge);
  for (int i = 0; i <= 127; ++i) {
    SCOPED_TRACE(i);
    const auto* e = reinterpret_cast<const unsigned char*>(palette.data()) + 4 * i;
    ASSERT_TRUE(prgFarbWert(*s, e[2], e[1], e[0]));
    EXPECT_EQ(s->FarbWert, static_cast<float>(std::min(i, 108)));
  }
}

TEST(CursorColour, TextIsBlueGreenRedAndDrawingGreysShowNoValue) {
  auto s = neu();
  struct Fall {
    int r, g, b;
    const char* text;
    bool wert;
  } faelle[] = {
      {255, 0, 0, "0000FF", true},      // pure red is the value -37 dBm
      {0, 0, 255, "FF0000", true},      // pure blue
      {1, 2, 3, "030201", true},        // two digits each, leading zeros kept
      {132, 132, 132, "848484", false}, // greys of the map drawing
      {90, 90, 90, "5A5A5A", false},
      {224, 224, 224, "E0E0E0", false},
  };
  for (const Fall& f : faelle) {
    SCOPED_TRACE(f.text);
    s->FarbWert = 77;
    EXPECT_EQ(prgFarbWert(*s, f.r, f.g, f.b), f.wert);
    EXPECT_EQ(s->FarbText, f.text);
    if (!f.wert) {
      EXPECT_EQ(s->FarbWert, 77.0f);  // the label keeps the last value
    }
  }
  ASSERT_TRUE(prgFarbWert(*s, 255, 0, 0));
  EXPECT_EQ(s->FarbWert, 90.0f);
}

TEST(CursorValue, LevelAndFieldStrengthTexts) {
  auto s = neu();
  struct Fall {
    float wert;
    bool pegel;
    int sprache;
    const char* text;
  } faelle[] = {
      {54, true, 0, "Pegel: -73 dBm"},
      {0, true, 0, "Pegel: <-127 dBm"},
      {108, true, 0, "Pegel: -19 dBm"},
      {54, false, 0, "Feldstärke:  0 dB [µV/m]"},
      {0, false, 0, "Feldstärke: <-54 dB [µV/m]"},
      {100, false, 1, "Field-Strength:  46 dB [µV/m]"},
      {54, true, 1, "Level: -73 dBm"},
  };
  for (const Fall& f : faelle) {
    SCOPED_TRACE(f.text);
    s->L = static_cast<int16>(f.sprache);
    s->FarbWert = f.wert;
    EXPECT_EQ(wertText(*s, f.pegel), f.text);
  }
}

TEST(CursorPosition, DegreesOnTheWorldMap) {
  auto s = neu();
  struct Fall {
    double x, y;
    float breite, laenge;
    const char* text;
  } faelle[] = {
      {xVon(11.55), yVon(48.15), 48.1f, 11.5f, "Position:  48.1°N  11.5°E"},
      {xVon(-3.75), yVon(-40.45), -40.5f, -3.8f, "Position:  40.5°S  3.8°W"},
      {4050, 2025, 0, 0, "Position:  0°N  0°E"},
      // The last pixel row and column lie beyond the poles and 180 deg:
      // the read-out stays on the earth.
      {8115, 4065, -90, 180, "Position:  90°S  180°E"},
      {0, 0, 90, -180, "Position:  90°N  180°W"},
  };
  for (const Fall& f : faelle) {
    SCOPED_TRACE(f.text);
    const CursorAnzeige a = prgCursor(*s, f.x, f.y, 0, 255, 0, true, true);
    EXPECT_FLOAT_EQ(s->Px2, f.breite);
    EXPECT_FLOAT_EQ(s->Py2, f.laenge);
    EXPECT_EQ(a.locator, f.text);
    EXPECT_TRUE(a.pegelNeu);
    EXPECT_EQ(a.pegel, "Pegel: -73 dBm");
    EXPECT_FALSE(a.frequenzNeu);
  }
}

TEST(CursorPosition, Locators) {
  struct Fall {
    double x, hoehe;
    const char* locator;
  } faelle[] = {
      {0, 0, "AA00AA"},                                // lower left corner
      {8100, 4050, "RR99XW"},                          // right and top edge held one twip inside
      {8114, 4064, "RR99XW"},                          // and beyond them
      {xVon(11.5), 4050 - yVon(48.1), "JN58SC"},        // Munich
      {xVon(-3.7), 4050 - yVon(40.4), "IN80DJ"},        // Madrid
      {xVon(139.7), 4050 - yVon(35.7), "PM95UQ"},       // Tokyo
      {xVon(-74.1), 4050 - yVon(40.7), "FN20WQ"},       // New York
  };
  for (const Fall& f : faelle) {
    SCOPED_TRACE(f.locator);
    EXPECT_EQ(locatorAus(f.x, f.hoehe), f.locator);
  }
  auto s = neu();
  const CursorAnzeige a = prgCursor(*s, xVon(11.5), yVon(48.1), 0, 0, 0, true, false);
  EXPECT_EQ(a.locator, "Position: JN58SC");
  EXPECT_EQ(s->LocatorText, "JN58SC");
  EXPECT_FLOAT_EQ(s->CursorX, static_cast<float>(xVon(11.5)));
  EXPECT_FLOAT_EQ(s->CursorHoehe, static_cast<float>(4050 - yVon(48.1)));
  EXPECT_EQ(a.pegel, "Pegel: <-127 dBm");
}

TEST(CursorPosition, DegreeModeLeavesTheCursorHeightAlone) {
  auto s = neu();
  s->CursorHoehe = 1234;
  prgCursor(*s, 100, 100, 0, 0, 0, true, true);
  EXPECT_EQ(s->CursorHoehe, 1234.0f);
}

TEST(NearestPlace, ClosestPlaceOfTheCellBlock) {
  auto s = neu();
  orte(*s,
       "1:M\xFCnchen:11.5:48.1\n"
       "2:Augsburg:10.9:48.4\n"
       "3:Madrid:-3.7:40.4\n"
       "4:Tokio:139.7:35.7\n");
  struct Fall {
    double breite, laenge;
    bool gefunden;
    int ort;
    const char* label;
  } faelle[] = {
      {48.0, 11.3, true, 1, "Stadt: München"},
      {48.4, 10.8, true, 2, "Stadt: Augsburg"},
      {41.0, -4.0, true, 3, "Stadt: Madrid"},
      {35.0, 140.0, true, 4, "Stadt: Tokio"},
      {-60.0, -120.0, false, 0, ""},  // nothing in the block around the cursor
  };
  for (const Fall& f : faelle) {
    SCOPED_TRACE(f.label);
    const CursorAnzeige a = prgCursor(*s, xVon(f.laenge), yVon(f.breite), 0, 0, 0, true, true);
    EXPECT_TRUE(a.ortNeu);
    EXPECT_EQ(a.ortB, f.label);
    EXPECT_EQ(a.markeNeu, f.gefunden);
    if (f.gefunden) {
      EXPECT_EQ(s->NahOrt, static_cast<float>(f.ort));
      EXPECT_LT(s->NahAbstand, 1000000.0f);
      EXPECT_DOUBLE_EQ(a.markeLinks, 3990 + 22.5 * s->OrtLaenge[f.ort]);
      EXPECT_DOUBLE_EQ(a.markeOben, 1965 - 22.5 * s->OrtBreite[f.ort]);
    } else {
      EXPECT_EQ(s->NahAbstand, 1000000.0f);
    }
  }
}

TEST(NearestPlace, OfTwoEquallyNearPlacesTheHigherNumberStays) {
  auto s = neu();
  // Both one degree from the cursor at 10 N 10 E; the cell text lists the
  // higher number first.
  orte(*s, "1:Nord:10:11\n2:Sued:10:9\n");
  s->Px2 = 10;
  s->Py2 = 10;
  ASSERT_TRUE(prgNaechsterOrt(*s));
  EXPECT_EQ(s->NahOrt, 2.0f);
  EXPECT_EQ(s->NahAbstand, 1.0f);
}

TEST(NearestPlace, NoListOrABadCellTextFindsNothing) {
  auto s = neu();
  orte(*s, "1:M\xFCnchen:11.5:48.1\n");
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
  auto s = neu(2.0f);
  struct Fall {
    double x, y;
    const char* frequenz;
    const char* zeit;
  } faelle[] = {
      {0, 4050, "Frequenz:  0 MHz", "Zeit [UTC]:  0:00 Uhr"},
      {330 * 14.5, 4050 - 135 * 14.2, "Frequenz:  14.2 MHz", "Zeit [UTC]:  14:30 Uhr"},
      {330 * 23 + 30, 0, "Frequenz:  30 MHz", "Zeit [UTC]:  23:05 Uhr"},
      {7920, 15, "Frequenz:  29.8 MHz", "Zeit [UTC]:  24:00 Uhr"},
  };
  for (const Fall& f : faelle) {
    SCOPED_TRACE(f.zeit);
    const CursorAnzeige a = prgCursor(*s, f.x, f.y, 0, 255, 0, false, true);
    EXPECT_TRUE(a.frequenzNeu);
    EXPECT_EQ(a.frequenz, f.frequenz);
    EXPECT_EQ(a.locator, f.zeit);
    EXPECT_FALSE(a.ortNeu);
    EXPECT_EQ(a.pegel, "Feldstärke:  0 dB [µV/m]");
    EXPECT_FLOAT_EQ(s->CursorHoehe, static_cast<float>(4050 - f.y));
  }
}

TEST(CursorClick, ChartSetsTheFrequencyWithinItsRange) {
  auto s = neu(2.0f);
  struct Fall {
    double y;
    float frequenz;
    double linie;
    const char* text;
  } faelle[] = {
      {4050 - 135 * 14.2, 14.2f, 4050 - 135 * static_cast<double>(14.2f), " 14.2 MHz"},
      {4050, 1.5f, 4050 - 135 * 1.5, "  1.5 MHz"},  // below 1.5 MHz
      {0, 29.9f, 4050 - 135 * static_cast<double>(29.9f), " 29.9 MHz"},
      {4050 - 135 * 7.0, 7.0f, 4050 - 135 * 7.0, "    7 MHz"},
  };
  for (const Fall& f : faelle) {
    SCOPED_TRACE(f.text);
    prgCursor(*s, 1000, f.y, 0, 0, 0, true, true);
    const KlickErgebnis k = prgKlick(*s, true);
    EXPECT_EQ(k.art, KlickErgebnis::Art::Frequenz);
    EXPECT_FLOAT_EQ(s->AktFrequenz, f.frequenz);
    EXPECT_NEAR(k.frequenzLinieY, f.linie, 1e-3);
    EXPECT_EQ(s->FrequenzText, f.text);
  }
}

TEST(CursorClick, WorldMapCursorPositionBecomesPointB) {
  auto s = neu();
  prgCursor(*s, xVon(139.75), yVon(35.75), 0, 0, 0, true, true);
  const KlickErgebnis k = prgKlick(*s, true);
  EXPECT_EQ(k.art, KlickErgebnis::Art::PunktB);
  EXPECT_FALSE(k.zurueckZurCursorposition);
  EXPECT_FLOAT_EQ(s->OrtX2, 35.7f);
  EXPECT_FLOAT_EQ(s->OrtY2, 139.7f);
  EXPECT_EQ(s->OrtB, "Station");
  EXPECT_DOUBLE_EQ(k.punktLinks, 3990 + 22.5 * s->OrtY2);
  EXPECT_DOUBLE_EQ(k.punktOben, 1965 - 22.5 * s->OrtX2);
  // The point result follows the new point.
  EXPECT_EQ(s->GeoAuswertung.find("Station (B: 35.7 N"), s->GeoAuswertung.find("\n\r") + 2);
}

TEST(CursorClick, NearestPlaceModeTakesThePlaceOnlyWhenOneIsNear) {
  auto s = neu();
  orte(*s, "1:Tokio:139.7:35.7\n");
  const float altX = s->OrtX2;
  const std::string altB = s->OrtB;
  // A click with no place near the cursor changes nothing, even though a
  // place was found at an earlier cursor position.
  prgCursor(*s, xVon(139), yVon(35), 0, 0, 0, true, true);
  prgCursor(*s, xVon(-120), yVon(-60), 0, 0, 0, true, true);
  KlickErgebnis k = prgKlick(*s, false);
  EXPECT_EQ(k.art, KlickErgebnis::Art::Nichts);
  EXPECT_EQ(s->OrtX2, altX);
  EXPECT_EQ(s->OrtB, altB);

  prgCursor(*s, xVon(139), yVon(35), 0, 0, 0, true, true);
  k = prgKlick(*s, false);
  EXPECT_EQ(k.art, KlickErgebnis::Art::PunktB);
  EXPECT_TRUE(k.zurueckZurCursorposition);
  EXPECT_EQ(s->OrtB, "Tokio");
  EXPECT_FLOAT_EQ(s->OrtX2, 35.7f);
  EXPECT_FLOAT_EQ(s->OrtY2, 139.7f);
  EXPECT_DOUBLE_EQ(k.punktLinks, 3990 + 22.5 * 139.7f);
}

TEST(CursorTooltips, ChartButtonAndSunspotButton) {
  auto s = neu();
  EXPECT_EQ(ortTooltip(*s), "Orts-Welvaro für Madrid <--> München");
  s->OrtB = "Station";
  EXPECT_EQ(ortTooltip(*s), "Orts-Welvaro für Station B <--> München");
  s->L = 1;
  s->OrtB = "Tokyo";
  EXPECT_EQ(ortTooltip(*s), "HF-Propagation Point to Point for Tokyo <--> München");
  EXPECT_EQ(sonnenfleckenTooltip(*s), "Sunspot-Number (Ri = 128)");
  s->L = 0;
  s->Ssna = 7.5;
  EXPECT_EQ(sonnenfleckenTooltip(*s), "Sonnenfleckenzahl (Ri = 7.5)");
}
