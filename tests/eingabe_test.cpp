// What the user types: the checks and rounding of the input dialogs, the
// frequency box and the frequency memories.
#include <gtest/gtest.h>

#include <memory>

#include "input/eingabe.h"
#include "state/fault.h"

using namespace welvaro;

namespace {

std::unique_ptr<State> neu() { return std::make_unique<State>(); }

}  // namespace

TEST(InputBoxes, AllowedCharacters) {
  struct Fall {
    Feld feld;
    const char* erlaubt;
    const char* verboten;
  } faelle[] = {
      {Feld::Breite, "0123456789-.,\b\r", "a+ e"},
      {Feld::Laenge, "09-.,\b", "x"},
      {Feld::Gewinn, "5-.,", "d"},
      {Feld::Winkel, "09.,\b", "-a"},
      {Feld::Leistung, "1.,", "-k"},
      {Feld::Sonnenflecken, "1.,", "-r"},
      {Feld::Wahrscheinlichkeit, "5.,", "-%"},
      {Feld::Zeitzone, "0-.,\b", "a+"},  // half-hour zones need the point
      {Feld::Ortsname, "aZ -.,\xC3", ""},
      {Feld::Sendeweg, "sSlL x", ""},
  };
  for (const Fall& f : faelle) {
    SCOPED_TRACE(static_cast<int>(f.feld));
    for (const char* c = f.erlaubt; *c; ++c) EXPECT_TRUE(zeichenErlaubt(f.feld, static_cast<unsigned char>(*c))) << *c;
    for (const char* c = f.verboten; *c; ++c)
      EXPECT_FALSE(zeichenErlaubt(f.feld, static_cast<unsigned char>(*c))) << *c;
  }
  // Control characters such as Ctrl+V (22) are no digits either.
  EXPECT_FALSE(zeichenErlaubt(Feld::Breite, 22));
}

TEST(InputBoxes, EnterChecks) {
  struct Fall {
    Feld feld;
    const char* text;
    bool gruen;
    const char* danach;
  } faelle[] = {
      {Feld::Breite, "90", true, "90"},
      {Feld::Breite, "-90", true, "-90"},
      {Feld::Breite, "90.01", false, ""},
      {Feld::Breite, "-90.01", false, ""},
      {Feld::Breite, "", false, ""},
      {Feld::Breite, "-", false, ""},  // a sign alone is no number
      {Feld::Breite, ".", false, ""},
      {Feld::Breite, " 48.1", true, " 48.1"},
      {Feld::Breite, ".5", true, ".5"},
      {Feld::Breite, "40,7", true, "40.7"},  // decimal comma, shown as the point
      {Feld::Breite, "90,01", false, ""},
      {Feld::Zeitzone, "5,5", true, "5.5"},
      {Feld::Laenge, "-180", true, "-180"},
      {Feld::Laenge, "180.1", false, ""},
      {Feld::Gewinn, "-40", true, "-40"},
      {Feld::Gewinn, "20.5", false, ""},
      {Feld::Gewinn, "   ", false, ""},
      {Feld::Winkel, "0", true, "0"},
      {Feld::Winkel, "91", false, ""},
      {Feld::Leistung, "0.000001", true, "0.000001"},
      {Feld::Leistung, "0", false, ""},
      {Feld::Leistung, "1001", false, ""},
      {Feld::Sonnenflecken, "300", true, "300"},
      {Feld::Sonnenflecken, "450", false, ""},  // beyond the 0-300 of the label
      {Feld::Wahrscheinlichkeit, "30", true, "10"},
      {Feld::Wahrscheinlichkeit, "10", true, "10"},
      {Feld::Wahrscheinlichkeit, "50", true, "50"},
      {Feld::Wahrscheinlichkeit, "51", true, "90"},
      {Feld::Wahrscheinlichkeit, "9", false, ""},
      {Feld::Wahrscheinlichkeit, "91", false, ""},
      {Feld::Sendeweg, "s", true, "s"},
      {Feld::Sendeweg, "L", true, "L"},
      {Feld::Sendeweg, "short", false, ""},
      {Feld::Sendeweg, " s", false, ""},
      {Feld::Ortsname, "", false, "Station"},
      {Feld::Ortsname, "  ", false, "Station"},
      {Feld::Ortsname, " Tokio", true, " Tokio"},
      {Feld::Zeitzone, "-12", true, "-12"},
      {Feld::Zeitzone, "12", true, "12"},
      {Feld::Zeitzone, "13", false, ""},
      {Feld::Zeitzone, "-13", false, ""},
  };
  for (const Fall& f : faelle) {
    SCOPED_TRACE(std::string(f.text) + " in box " + std::to_string(static_cast<int>(f.feld)));
    const EnterErgebnis e = enterPruefen(f.feld, f.text);
    EXPECT_EQ(e.gruen, f.gruen);
    EXPECT_EQ(e.text, f.danach);
  }
}

TEST(StationA, OpeningTexts) {
  auto s = neu();
  const StationATexte t = stationAOeffnen(*s);
  EXPECT_EQ(t, (StationATexte{"München", " 48.1", " 11.5", " 2.15", " 20", "0.1"}));
}

TEST(StationA, RoundingOfStoredValues) {
  struct Fall {
    const char* breite;
    const char* laenge;
    const char* gewinn;
    const char* winkel;
    double x1;
    float y1;
    double sag;
    double angm;
  } faelle[] = {
      {"48.15", "11.55", "2.157", "12.9", 48.1, 11.5f, 2.15, 12},
      {"-0.05", "-3.75", "-2.155", "0.99", -0.1, -3.8f, -2.16, 0},
      {"-12.35", "12.35", "3", "90", -12.4, 12.3f, 3, 90},
      {"48.1", "139.7", "0.01", "5", 48.1, 139.7f, 0.01, 5},
  };
  for (const Fall& f : faelle) {
    SCOPED_TRACE(f.breite);
    auto s = neu();
    const StationATexte alt = stationAOeffnen(*s);
    StationATexte boxen{"Tokio", f.breite, f.laenge, f.gewinn, f.winkel, "1.5"};
    const OkErgebnis<6> e = applyStationA(*s, boxen, alt);
    EXPECT_EQ(e.flagge, 0);
    EXPECT_TRUE(e.start);
    EXPECT_DOUBLE_EQ(s->X1, f.x1);
    EXPECT_FLOAT_EQ(s->Y1, f.y1);
    EXPECT_NEAR(s->Sag, f.sag, 1e-12);
    EXPECT_EQ(s->Angm, f.angm);
    EXPECT_EQ(s->Zkw, 1.5);
    EXPECT_EQ(s->Zkwa, "1.5");
    EXPECT_EQ(s->OrtA, "Tokio");
  }
}

TEST(StationA, UnchangedWritesNothingAndSameValueInOtherFormIsAChange) {
  auto s = neu();
  const StationATexte alt = stationAOeffnen(*s);
  StationATexte boxen = alt;
  s->X1 = 1;  // a value OK must not touch
  OkErgebnis<6> e = applyStationA(*s, boxen, alt);
  EXPECT_EQ(e.flagge, 0);
  EXPECT_FALSE(e.start);
  EXPECT_EQ(s->X1, 1.0);

  boxen[1] = "48.10";
  e = applyStationA(*s, boxen, alt);
  EXPECT_TRUE(e.start);
  EXPECT_DOUBLE_EQ(s->X1, 48.1);
}

TEST(StationA, FailuresMarkTheirFieldsAndPassingFieldsAreStillWritten) {
  auto s = neu();
  const StationATexte alt = stationAOeffnen(*s);
  StationATexte boxen{"  ", "95", " 11.5", " 2.15", "-", "250"};
  const OkErgebnis<6> e = applyStationA(*s, boxen, alt);
  EXPECT_EQ(e.flagge, 5);  // the last failing field in checking order
  EXPECT_EQ(e.rot, (std::array<bool, 6>{true, true, false, false, true, false}));
  EXPECT_EQ(boxen[0], "Station");  // not written into OrtA
  EXPECT_EQ(boxen[1], "");
  EXPECT_EQ(boxen[4], "");
  EXPECT_EQ(s->OrtA, "München");
  EXPECT_DOUBLE_EQ(s->X1, 48.1);
  EXPECT_EQ(s->Zkw, 250.0);  // the valid power is written all the same
  EXPECT_TRUE(e.start);
}

TEST(StationA, NameIsTrimmed) {
  auto s = neu();
  const StationATexte alt = stationAOeffnen(*s);
  StationATexte boxen = alt;
  boxen[0] = "  Tokio ";
  ASSERT_EQ(applyStationA(*s, boxen, alt).flagge, 0);
  EXPECT_EQ(s->OrtA, "Tokio");
}

// A name keeps only letters the settings file can hold, so it survives a
// restart as shown; numbers typed with a decimal comma are stored with the
// point, so the file's own comma rule reads them back.
TEST(StationA, NamesAndNumbersAreStoredAsTheFileHoldsThem) {
  auto s = neu();
  const StationATexte alt = stationAOeffnen(*s);
  StationATexte boxen{"\xC5\x81\xC3\xB3" "d\xC5\xBA", "51,7", "19,4", "2,15", "20", "0,5"};  // Łódź
  ASSERT_EQ(applyStationA(*s, boxen, alt).flagge, 0);
  EXPECT_EQ(s->OrtA, "L\xC3\xB3" "dz");
  EXPECT_EQ(boxen[0], s->OrtA);  // the box shows the stored form at once
  EXPECT_DOUBLE_EQ(s->X1, 51.7);
  EXPECT_FLOAT_EQ(s->Y1, 19.4f);
  EXPECT_EQ(s->Zkwa, "0.5");
  EXPECT_EQ(s->Zkw, 0.5);

  const StationBTexte altB = stationBOeffnen(*s);
  StationBTexte b{"\xD0\x9C\xD0\xBE\xD1\x81\xD0\xBA\xD0\xB2\xD0\xB0", "55,7", "37,6"};  // Москва
  ASSERT_EQ(applyStationB(*s, b, altB).flagge, 0);
  EXPECT_EQ(s->OrtB, "Moskva");
  EXPECT_EQ(b[0], "Moskva");

  BedingungenTexte c = bedingungenOeffnen(*s);
  const BedingungenTexte altC = c;
  c[0] = "87,5";
  ASSERT_EQ(applyBedingungen(*s, c, altC).flagge, 0);
  EXPECT_EQ(s->Ssn, "87.5");
  EXPECT_EQ(s->Ssna, 87.5);
}

TEST(StationB, OpeningRoundingAndName) {
  auto s = neu();
  const StationBTexte alt = stationBOeffnen(*s);
  EXPECT_EQ(alt, (StationBTexte{"Madrid", " 40.4", "-3.7"}));

  StationBTexte boxen{" Lissabon", "40.45", "-3.75"};
  OkErgebnis<3> e = applyStationB(*s, boxen, alt);
  EXPECT_EQ(e.flagge, 0);
  EXPECT_TRUE(e.start);
  EXPECT_EQ(s->OrtB, " Lissabon");  // stored as typed, unlike station A
  EXPECT_FLOAT_EQ(s->OrtX2, 40.4f);
  EXPECT_FLOAT_EQ(s->OrtY2, -3.8f);

  // Only the name changed: a change all the same.
  s = neu();
  boxen = alt;
  boxen[0] = "Sevilla";
  e = applyStationB(*s, boxen, alt);
  EXPECT_TRUE(e.start);
  EXPECT_EQ(s->OrtB, "Sevilla");
}

TEST(StationB, EmptyNameStaysEmptyAndFails) {
  auto s = neu();
  const StationBTexte alt = stationBOeffnen(*s);
  StationBTexte boxen{"", "91", " -3.7"};
  const OkErgebnis<3> e = applyStationB(*s, boxen, alt);
  EXPECT_EQ(e.flagge, 2);
  EXPECT_EQ(e.rot, (std::array<bool, 3>{true, true, false}));
  EXPECT_EQ(boxen[0], "");
  EXPECT_EQ(s->OrtB, "Madrid");
  EXPECT_FLOAT_EQ(s->OrtX2, 40.4f);
}

TEST(Conditions, SnappingPathAndSunspots) {
  struct Fall {
    const char* ssn;
    const char* iproz;
    const char* pfad;
    int flagge;
    bool start;
    double ssna;
    double iprozDanach;
    const char* p;
  } faelle[] = {
      {" 128", "30", "S", 0, true, 128, 10, "S"},
      {" 128", "51", "S", 0, true, 128, 90, "S"},
      {" 128", "50", "S", 0, true, 128, 50, "S"},  // "50" is another text than " 50"
      {" 128", " 50", "s", 0, false, 128, 50, "S"},  // lower-case s: no change
      {" 128", " 50", "l", 0, true, 128, 50, "L"},
      {"450", " 50", "S", 1, false, 128, 50, "S"},
      {"", "9", "short", 3, false, 128, 50, "S"},
      {"75.5", "91", "L", 2, true, 75.5, 50, "L"},
  };
  for (const Fall& f : faelle) {
    SCOPED_TRACE(std::string(f.ssn) + "/" + f.iproz + "/" + f.pfad);
    auto s = neu();
    const BedingungenTexte alt = bedingungenOeffnen(*s);
    ASSERT_EQ(alt, (BedingungenTexte{" 128", " 50", "S"}));
    BedingungenTexte boxen{f.ssn, f.iproz, f.pfad};
    const OkErgebnis<3> e = applyBedingungen(*s, boxen, alt);
    EXPECT_EQ(e.flagge, f.flagge);
    EXPECT_EQ(e.start, f.start);
    EXPECT_EQ(s->Ssna, f.ssna);
    EXPECT_EQ(s->Iproz, f.iprozDanach);
    EXPECT_EQ(s->P, f.p);
  }
  auto s = neu();
  const BedingungenTexte alt = bedingungenOeffnen(*s);
  BedingungenTexte boxen{"75.50", "30", "l"};
  applyBedingungen(*s, boxen, alt);
  EXPECT_EQ(s->Ssn, "75.50");   // the sunspot number as typed
  EXPECT_EQ(boxen[1], "10");    // the box shows the snapped value
}

TEST(TimeZone, RangeAndUnchangedValues) {
  struct Fall {
    float bei;
    const char* text;
    int flagge;
    bool start;
    float danach;
  } faelle[] = {
      {1, "1", 0, false, 1},
      {1, "-12", 0, true, -12},
      {1, "12", 0, true, 12},
      {1, "13", 1, false, 1},
      {1, "-13", 1, false, 1},
      {1, "-", 1, false, 1},
      {5.5f, "5.5", 0, false, 5.5f},  // opened from the settings file, "." cannot be typed
      {1, "2", 0, true, 2},
  };
  for (const Fall& f : faelle) {
    SCOPED_TRACE(f.text);
    auto s = neu();
    s->UTCKorr = f.bei;
    const std::string alt = zeitzoneOeffnen(*s);
    std::string box = f.text;
    const OkErgebnis<1> e = applyZeitzone(*s, box, alt);
    EXPECT_EQ(e.flagge, f.flagge);
    EXPECT_EQ(e.start, f.start);
    EXPECT_EQ(s->UTCKorr, f.danach);
    if (f.flagge) {
      EXPECT_EQ(box, "");
    }
  }
}

TEST(FrequencyBox, EnterConfirmsOrRejects) {
  struct Fall {
    const char* text;
    bool ok;
    float frequenz;
    const char* box;
  } faelle[] = {
      {"14.25", true, 14.3f, " 14.3 MHz"},
      {"14.24", true, 14.2f, " 14.2 MHz"},
      {"1.5", true, 1.5f, "  1.5 MHz"},
      {"29.9", true, 29.9f, " 29.9 MHz"},
      {"7", true, 7.0f, "    7 MHz"},
      {" 21,3", true, 21.3f, " 21.3 MHz"},  // the decimal comma as people type it
      {"14,2", true, 14.2f, " 14.2 MHz"},
      {"1.49", false, 10.2f, " 10.2 MHz"},
      {"29.95", false, 10.2f, " 10.2 MHz"},
      {"abc", false, 10.2f, " 10.2 MHz"},
      {" Error ", false, 10.2f, " 10.2 MHz"},
  };
  for (const Fall& f : faelle) {
    SCOPED_TRACE(f.text);
    auto s = neu();
    s->FrequenzText = " 10.2 MHz";
    EXPECT_EQ(prgFrequenzEingabe(*s, f.text), f.ok);
    EXPECT_FLOAT_EQ(s->AktFrequenz, f.frequenz);
    EXPECT_EQ(s->FrequenzText, f.box);
  }
}

TEST(FrequencyMemories, RecallHeldToTheDisplayRange) {
  struct Fall {
    float speicher;
    float frequenz;
    const char* box;
  } faelle[] = {
      {0.5f, 1.5f, "  1.5 MHz"},
      {14.25f, 14.3f, " 14.3 MHz"},
      {35.0f, 29.9f, " 29.9 MHz"},
      {7.0f, 7.0f, "    7 MHz"},
  };
  for (const Fall& f : faelle) {
    SCOPED_TRACE(f.speicher);
    auto s = neu();
    speicher(*s, 4) = f.speicher;
    prgSpeicherAbruf(*s, 4);
    EXPECT_FLOAT_EQ(s->AktFrequenz, f.frequenz);
    EXPECT_FLOAT_EQ(s->FrequenzEin, f.frequenz);
    EXPECT_EQ(s->FrequenzText, f.box);
    EXPECT_EQ(s->Speicher4, f.speicher);  // the memory itself stays
  }
  auto s = neu();
  EXPECT_THROW(speicher(*s, 7), ModelFault);
  EXPECT_THROW(speicher(*s, 0), ModelFault);
}

TEST(FrequencyMemories, StoreCapturesTheFrequencyOfItsMoment) {
  auto s = neu();
  s->AktFrequenz = 14.2f;
  EXPECT_EQ(prgSpeichern(*s, false), Speichern::An);
  EXPECT_EQ(s->SpeicherModus, 1);
  s->AktFrequenz = 21.1f;  // changed before the memory button
  EXPECT_TRUE(prgSpeicher(*s, 3));
  EXPECT_FLOAT_EQ(s->Speicher3, 14.2f);
  EXPECT_EQ(s->SpeicherModus, 0);
  // With store mode off the memory step stores nothing.
  EXPECT_FALSE(prgSpeicher(*s, 3));
  EXPECT_FLOAT_EQ(s->Speicher3, 14.2f);
}

TEST(FrequencyMemories, StoreTwiceCancelsAndAnUnconfirmedEntryWarns) {
  auto s = neu();
  EXPECT_EQ(prgSpeichern(*s, false), Speichern::An);
  EXPECT_EQ(prgSpeichern(*s, false), Speichern::Aus);
  EXPECT_EQ(s->SpeicherModus, 0);
  EXPECT_EQ(prgSpeichern(*s, true), Speichern::Warnung);
  EXPECT_EQ(s->SpeicherModus, 0);
  EXPECT_FALSE(prgSpeicher(*s, 1));
  EXPECT_FLOAT_EQ(s->Speicher1, 1.8f);
}

TEST(FrequencyMemories, BlinkingMarker) {
  auto s = neu();
  EXPECT_TRUE(prgBlinker(*s));  // phase 0 -> shown
  EXPECT_EQ(s->BlinkZustand, 1);
  EXPECT_FALSE(prgBlinker(*s));  // phase 1 -> hidden
  EXPECT_EQ(s->BlinkZustand, 0);
}

// A position from a locator or a chosen place is stored as it is, while
// the boxes still show it; a coordinate typed by hand is rounded down to a
// tenth of a degree as always.
TEST(StationB, PositionFromALocatorOrPlaceIsKeptExactly) {
  auto s = neu();
  const StationBTexte alt = stationBOeffnen(*s);
  const GenauePosition genau{" 48.1458333333333", " 11.625"};
  StationBTexte boxen{"JN58TD", genau.breiteText, genau.laengeText};
  ASSERT_EQ(applyStationB(*s, boxen, alt, &genau).flagge, 0);
  EXPECT_EQ(s->OrtX2, static_cast<float>(48.1458333333333));
  EXPECT_EQ(s->OrtY2, 11.625f);

  s = neu();
  boxen = {"JN58TD", genau.breiteText, " 11.63"};  // the longitude was edited
  ASSERT_EQ(applyStationB(*s, boxen, alt, &genau).flagge, 0);
  EXPECT_EQ(s->OrtX2, static_cast<float>(48.1458333333333));
  EXPECT_FLOAT_EQ(s->OrtY2, 11.6f);

  auto a = neu();
  const StationATexte altA = stationAOeffnen(*a);
  StationATexte boxenA = altA;
  boxenA[1] = genau.breiteText;
  boxenA[2] = genau.laengeText;
  ASSERT_EQ(applyStationA(*a, boxenA, altA, &genau).flagge, 0);
  EXPECT_EQ(a->X1, 48.1458333333333);
  EXPECT_EQ(a->Y1, 11.625f);
}
