// What the user types: the checks and rounding of the input dialogs, the
// frequency box and the frequency memories.
#include <gtest/gtest.h>

#include <memory>

#include "input/input_rules.h"
#include "state/fault.h"

using namespace welvaro;

namespace {

std::unique_ptr<State> fresh() { return std::make_unique<State>(); }

}  // namespace

TEST(InputBoxes, AllowedCharacters) {
  struct Case {
    Field field;
    const char* allowed;
    const char* forbidden;
  } cases[] = {
      {Field::Latitude, "0123456789-.,\b\r", "a+ e"},
      {Field::Longitude, "09-.,\b", "x"},
      {Field::Gain, "5-.,", "d"},
      {Field::Angle, "09.,\b", "-a"},
      {Field::Power, "1.,", "-k"},
      {Field::Sunspots, "1.,", "-r"},
      {Field::Availability, "5.,", "-%"},
      {Field::TimeZone, "0-.,\b", "a+"},  // half-hour zones need the point
      {Field::PlaceName, "aZ -.,\xC3", ""},
      {Field::Path, "sSlL x", ""},
  };
  for (const Case& f : cases) {
    SCOPED_TRACE(static_cast<int>(f.field));
    for (const char* c = f.allowed; *c; ++c) EXPECT_TRUE(charAllowed(f.field, static_cast<unsigned char>(*c))) << *c;
    for (const char* c = f.forbidden; *c; ++c)
      EXPECT_FALSE(charAllowed(f.field, static_cast<unsigned char>(*c))) << *c;
  }
  // Control characters such as Ctrl+V (22) are no digits either.
  EXPECT_FALSE(charAllowed(Field::Latitude, 22));
}

TEST(InputBoxes, EnterChecks) {
  struct Case {
    Field field;
    const char* text;
    bool green;
    const char* afterwards;
  } cases[] = {
      {Field::Latitude, "90", true, "90"},
      {Field::Latitude, "-90", true, "-90"},
      {Field::Latitude, "90.01", false, "90.01"},
      {Field::Latitude, "-90.01", false, "-90.01"},
      {Field::Latitude, "", false, ""},
      {Field::Latitude, "-", false, "-"},  // a sign alone is no number
      {Field::Latitude, ".", false, "."},
      {Field::Latitude, " 48.1", true, " 48.1"},
      {Field::Latitude, ".5", true, ".5"},
      {Field::Latitude, "40,7", true, "40.7"},  // decimal comma, shown as the point
      {Field::Latitude, "90,01", false, "90,01"},
      {Field::TimeZone, "5,5", true, "5.5"},
      {Field::Longitude, "-180", true, "-180"},
      {Field::Longitude, "180.1", false, "180.1"},
      {Field::Gain, "-40", true, "-40"},
      {Field::Gain, "20.5", false, "20.5"},
      {Field::Gain, "   ", false, "   "},
      {Field::Angle, "0", true, "0"},
      {Field::Angle, "91", false, "91"},
      {Field::Power, "0.000001", true, "0.000001"},
      {Field::Power, "0", false, "0"},
      {Field::Power, "1001", false, "1001"},
      {Field::Sunspots, "300", true, "300"},
      {Field::Sunspots, "450", false, "450"},  // beyond the 0-300 of the label
      {Field::Availability, "30", true, "10"},
      {Field::Availability, "10", true, "10"},
      {Field::Availability, "50", true, "50"},
      {Field::Availability, "51", true, "90"},
      {Field::Availability, "9", false, "9"},
      {Field::Availability, "91", false, "91"},
      {Field::Path, "s", true, "s"},
      {Field::Path, "L", true, "L"},
      {Field::Path, "short", false, "short"},
      {Field::Path, " s", false, " s"},
      {Field::PlaceName, "", false, ""},
      {Field::PlaceName, "  ", false, "  "},
      {Field::PlaceName, " Tokio", true, " Tokio"},
      {Field::PlaceName, "Paris, US", true, "Paris, US"},  // a comma in a name stays
      {Field::Path, "l", true, "l"},
      {Field::TimeZone, "-12", true, "-12"},
      {Field::TimeZone, "12", true, "12"},
      {Field::TimeZone, "13", true, "13"},  // Tonga
      {Field::TimeZone, "14", true, "14"},  // Kiribati
      {Field::TimeZone, "15", false, "15"},
      {Field::TimeZone, "-13", false, "-13"},
  };
  for (const Case& f : cases) {
    SCOPED_TRACE(std::string(f.text) + " in box " + std::to_string(static_cast<int>(f.field)));
    const EnterResult e = checkEnter(f.field, f.text);
    EXPECT_EQ(e.green, f.green);
    EXPECT_EQ(e.text, f.afterwards);
  }
}

// Every numeric box at both ends of its range and a little beyond each.
TEST(InputBoxes, BothEndsOfEveryRange) {
  struct Case {
    Field field;
    const char *bottom, *belowBottom, *top, *aboveTop;
  } cases[] = {
      {Field::Latitude, "-90", "-90.001", "90", "90.001"},
      {Field::Longitude, "-180", "-180.001", "180", "180.001"},
      {Field::Gain, "-40", "-40.001", "20", "20.001"},
      {Field::Angle, "0", "-0.001", "90", "90.001"},
      {Field::Power, "0.000001", "0.00000099", "1000", "1000.001"},
      {Field::Sunspots, "0", "-0.001", "300", "300.001"},
      {Field::Availability, "10", "9.999", "90", "90.001"},
      {Field::TimeZone, "-12", "-12.001", "14", "14.001"},
  };
  const auto s = fresh();
  for (const Case& f : cases) {
    SCOPED_TRACE(inputHint(*s, f.field));
    EXPECT_TRUE(inRange(f.field, f.bottom));
    EXPECT_FALSE(inRange(f.field, f.belowBottom));
    EXPECT_TRUE(inRange(f.field, f.top));
    EXPECT_FALSE(inRange(f.field, f.aboveTop));
  }
  // The availability between the three values it snaps to.
  EXPECT_EQ(checkEnter(Field::Availability, "49.99").text, "10");
  EXPECT_EQ(checkEnter(Field::Availability, "50.01").text, "90");
  EXPECT_EQ(checkEnter(Field::Availability, " 50").text, " 50");
}

// A text holds a number when a digit follows the blanks and the sign,
// directly or after one point.
TEST(InputBoxes, WhatHoldsANumber) {
  struct Case {
    const char* text;
    bool number;
  } cases[] = {
      {"5", true},     {" 5", true},    {"-5", true},  {"+5", true},   {".5", true},    {"-.5", true},
      {"5a", true},    {"0", true},     {"9", true},   {"", false},    {"  ", false},   {"-", false},
      {".", false},    {"-.", false},   {"--5", false}, {"+-5", false}, {".-5", false}, {"..5", false},
      {"a5", false},   {" . 5", false}, {"- 5", false}, {".a", false},
  };
  for (const Case& f : cases) {
    SCOPED_TRACE(f.text);
    EXPECT_EQ(holdsNumber(f.text), f.number);
    // A box takes it as a number in its range only when it holds one.
    EXPECT_EQ(checkEnter(Field::Latitude, f.text).green, f.number && inRange(Field::Latitude, f.text));
  }
  EXPECT_FALSE(checkEnter(Field::Latitude, "--5").green);
}

// The frequency box refuses any character that is neither part of a number
// nor of its own texts.
TEST(FrequencyBox, AllowedTexts) {
  struct Case {
    const char* text;
    bool allowed;
  } cases[] = {
      {"", true},          {"14.2", true},  {"14,2", true},      {" 10.2 MHz", true}, {" Error ", false},
      {"0123456789", true}, {"14.2a", false}, {"-5", false},     {"14.2 kHz", false}, {"1e3", false},
      {"14\t2", false},    {"14/2", false}, {"\xC3\xA9", false},
  };
  for (const Case& f : cases) {
    SCOPED_TRACE(f.text);
    EXPECT_EQ(frequencyTextAllowed(f.text), f.allowed);
  }
}

TEST(StationA, OpeningTexts) {
  auto s = fresh();
  const StationATexts t = openStationA(*s);
  EXPECT_EQ(t, (StationATexts{"München", " 48.1", " 11.5", " 2.15", " 20", "0.1"}));
}

TEST(StationA, RoundingOfStoredValues) {
  struct Case {
    const char* lat;
    const char* lon;
    const char* gain;
    const char* angle;
    double x1;
    float y1;
    double sag;
    double angm;
  } cases[] = {
      {"48.15", "11.55", "2.157", "12.9", 48.1, 11.5f, 2.15, 12},
      {"-0.05", "-3.75", "-2.155", "0.99", -0.1, -3.8f, -2.16, 0},
      {"-12.35", "12.35", "3", "90", -12.4, 12.3f, 3, 90},
      {"48.1", "139.7", "0.01", "5", 48.1, 139.7f, 0.01, 5},
  };
  for (const Case& f : cases) {
    SCOPED_TRACE(f.lat);
    auto s = fresh();
    const StationATexts old = openStationA(*s);
    StationATexts boxes{"Tokio", f.lat, f.lon, f.gain, f.angle, "1.5"};
    const OkResult<6> e = applyStationA(*s, boxes, old);
    EXPECT_EQ(e.flag, 0);
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

// The gain is stored rounded down to a hundredth of a dBi. Many hundredths
// times 100 lie just below their whole number in binary (0.29 x 100 =
// 28.999999999999996): a typed gain must still come back as typed, and
// only a value truly below the hundredth is rounded down.
TEST(StationA, GainKeepsTheHundredthTyped) {
  struct Case {
    const char* typed;
    double sag;
  } cases[] = {
      {"2.15", 2.15},   {"0.29", 0.29},   {"1.13", 1.13},     {"4.35", 4.35},     {"19.99", 19.99},
      {"-0.07", -0.07}, {"-2.45", -2.45}, {"-39.95", -39.95}, {"8,03", 8.03},     {"20", 20},
      {"2.14995", 2.14}, {"0.2899", 0.28}, {"-0.0701", -0.08}, {"-2.14995", -2.15}, {"19.9999", 19.99},
  };
  for (const Case& f : cases) {
    SCOPED_TRACE(f.typed);
    auto s = fresh();
    const StationATexts old = openStationA(*s);
    StationATexts boxes = old;
    boxes[3] = f.typed;
    ASSERT_EQ(applyStationA(*s, boxes, old).flag, 0);
    EXPECT_EQ(s->Sag, f.sag);
  }
}

TEST(StationA, UnchangedWritesNothingAndSameValueInOtherFormIsAChange) {
  auto s = fresh();
  const StationATexts old = openStationA(*s);
  StationATexts boxes = old;
  s->X1 = 1;  // a value OK must not touch
  OkResult<6> e = applyStationA(*s, boxes, old);
  EXPECT_EQ(e.flag, 0);
  EXPECT_FALSE(e.start);
  EXPECT_EQ(s->X1, 1.0);

  boxes[1] = "48.10";
  e = applyStationA(*s, boxes, old);
  EXPECT_TRUE(e.start);
  EXPECT_DOUBLE_EQ(s->X1, 48.1);
}

TEST(StationA, FailuresMarkTheirFieldsAndPassingFieldsAreStillWritten) {
  auto s = fresh();
  const StationATexts old = openStationA(*s);
  StationATexts boxes{"  ", "95", " 11.5", " 2.15", "-", "250"};
  const OkResult<6> e = applyStationA(*s, boxes, old);
  EXPECT_EQ(e.flag, 5);  // the last failing field in checking order
  EXPECT_EQ(e.red, (std::array<bool, 6>{true, true, false, false, true, false}));
  // The refused boxes keep what was typed, for the user to correct.
  EXPECT_EQ(boxes[0], "  ");  // not written into OrtA
  EXPECT_EQ(boxes[1], "95");
  EXPECT_EQ(boxes[4], "-");
  EXPECT_EQ(s->OrtA, "München");
  EXPECT_DOUBLE_EQ(s->X1, 48.1);
  EXPECT_EQ(s->Zkw, 250.0);  // the valid power is written all the same
  EXPECT_TRUE(e.start);
}

TEST(StationA, NameIsTrimmed) {
  auto s = fresh();
  const StationATexts old = openStationA(*s);
  StationATexts boxes = old;
  boxes[0] = "  Tokio ";
  ASSERT_EQ(applyStationA(*s, boxes, old).flag, 0);
  EXPECT_EQ(s->OrtA, "Tokio");
}

// A name keeps only letters the settings file can hold, so it survives a
// restart as shown; numbers typed with a decimal comma are stored with the
// point, so the file's own comma rule reads them back.
TEST(StationA, NamesAndNumbersAreStoredAsTheFileHoldsThem) {
  auto s = fresh();
  const StationATexts old = openStationA(*s);
  StationATexts boxes{"\xC5\x81\xC3\xB3" "d\xC5\xBA", "51,7", "19,4", "2,15", "20", "0,5"};  // Łódź
  ASSERT_EQ(applyStationA(*s, boxes, old).flag, 0);
  EXPECT_EQ(s->OrtA, "L\xC3\xB3" "dz");
  EXPECT_EQ(boxes[0], s->OrtA);  // the box shows the stored form at once
  EXPECT_DOUBLE_EQ(s->X1, 51.7);
  EXPECT_FLOAT_EQ(s->Y1, 19.4f);
  EXPECT_EQ(s->Zkwa, "0.5");
  EXPECT_EQ(s->Zkw, 0.5);

  const StationBTexts oldB = openStationB(*s);
  StationBTexts b{"\xD0\x9C\xD0\xBE\xD1\x81\xD0\xBA\xD0\xB2\xD0\xB0", "55,7", "37,6"};  // Москва
  ASSERT_EQ(applyStationB(*s, b, oldB).flag, 0);
  EXPECT_EQ(s->OrtB, "Moskva");
  EXPECT_EQ(b[0], "Moskva");

  ConditionsTexts c = openConditions(*s);
  const ConditionsTexts oldC = c;
  c[0] = "87,5";
  ASSERT_EQ(applyConditions(*s, c, oldC).flag, 0);
  EXPECT_EQ(s->Ssn, "87.5");
  EXPECT_EQ(s->Ssna, 87.5);
}

TEST(StationB, OpeningRoundingAndName) {
  auto s = fresh();
  const StationBTexts old = openStationB(*s);
  EXPECT_EQ(old, (StationBTexts{"Madrid", " 40.4", "-3.7"}));

  StationBTexts boxes{" Lissabon", "40.45", "-3.75"};
  OkResult<3> e = applyStationB(*s, boxes, old);
  EXPECT_EQ(e.flag, 0);
  EXPECT_TRUE(e.start);
  EXPECT_EQ(s->OrtB, " Lissabon");  // stored as typed, unlike station A
  EXPECT_FLOAT_EQ(s->OrtX2, 40.4f);
  EXPECT_FLOAT_EQ(s->OrtY2, -3.8f);

  // Only the name changed: a change all the same.
  s = fresh();
  boxes = old;
  boxes[0] = "Sevilla";
  e = applyStationB(*s, boxes, old);
  EXPECT_TRUE(e.start);
  EXPECT_EQ(s->OrtB, "Sevilla");
}

TEST(StationB, EmptyNameStaysEmptyAndFails) {
  auto s = fresh();
  const StationBTexts old = openStationB(*s);
  StationBTexts boxes{"", "91", " -3.7"};
  const OkResult<3> e = applyStationB(*s, boxes, old);
  EXPECT_EQ(e.flag, 2);
  EXPECT_EQ(e.red, (std::array<bool, 3>{true, true, false}));
  EXPECT_EQ(boxes[0], "");
  EXPECT_EQ(boxes[1], "91");  // the refused latitude stays in its box
  EXPECT_EQ(s->OrtB, "Madrid");
  EXPECT_FLOAT_EQ(s->OrtX2, 40.4f);
}

TEST(Conditions, SnappingPathAndSunspots) {
  struct Case {
    const char* ssn;
    const char* availability;
    const char* path;
    int flag;
    bool start;
    double ssnValue;
    double availabilityAfter;
    const char* p;
  } cases[] = {
      {" 128", "30", "S", 0, true, 128, 10, "S"},
      {" 128", "51", "S", 0, true, 128, 90, "S"},
      {" 128", "50", "S", 0, true, 128, 50, "S"},  // "50" is another text than " 50"
      {" 128", " 50", "s", 0, false, 128, 50, "S"},  // lower-case s: no change
      {" 128", " 50", "l", 0, true, 128, 50, "L"},
      {"450", " 50", "S", 1, false, 128, 50, "S"},
      {"", "9", "short", 3, false, 128, 50, "S"},
      {"75.5", "91", "L", 2, true, 75.5, 50, "L"},
  };
  for (const Case& f : cases) {
    SCOPED_TRACE(std::string(f.ssn) + "/" + f.availability + "/" + f.path);
    auto s = fresh();
    const ConditionsTexts old = openConditions(*s);
    ASSERT_EQ(old, (ConditionsTexts{" 128", " 50", "S"}));
    ConditionsTexts boxes{f.ssn, f.availability, f.path};
    const OkResult<3> e = applyConditions(*s, boxes, old);
    EXPECT_EQ(e.flag, f.flag);
    EXPECT_EQ(e.start, f.start);
    EXPECT_EQ(s->Ssna, f.ssnValue);
    EXPECT_EQ(s->Iproz, f.availabilityAfter);
    EXPECT_EQ(s->P, f.p);
  }
  auto s = fresh();
  const ConditionsTexts old = openConditions(*s);
  ConditionsTexts boxes{"75.50", "30", "l"};
  applyConditions(*s, boxes, old);
  EXPECT_EQ(s->Ssn, "75.50");   // the sunspot number as typed
  EXPECT_EQ(boxes[1], "10");    // the box shows the snapped value
}

TEST(TimeZone, RangeAndUnchangedValues) {
  struct Case {
    float at;
    const char* text;
    int flag;
    bool start;
    float afterwards;
  } cases[] = {
      {1, "1", 0, false, 1},
      {1, "-12", 0, true, -12},
      {1, "12", 0, true, 12},
      {1, "13", 0, true, 13},
      {1, "14", 0, true, 14},
      {1, "15", 1, false, 1},
      {1, "-13", 1, false, 1},
      {1, "-", 1, false, 1},
      {5.5f, "5.5", 0, false, 5.5f},  // opened from the settings file, "." cannot be typed
      {1, "2", 0, true, 2},
  };
  for (const Case& f : cases) {
    SCOPED_TRACE(f.text);
    auto s = fresh();
    s->UTCKorr = f.at;
    const std::string old = openTimeZone(*s);
    std::string box = f.text;
    const OkResult<1> e = applyTimeZone(*s, box, old);
    EXPECT_EQ(e.flag, f.flag);
    EXPECT_EQ(e.start, f.start);
    EXPECT_EQ(s->UTCKorr, f.afterwards);
    if (f.flag) {
      EXPECT_EQ(box, f.text);  // a refused zone stays as typed
    }
  }
}

TEST(FrequencyBox, EnterConfirmsOrRejects) {
  struct Case {
    const char* text;
    bool ok;
    float frequency;
    const char* box;
  } cases[] = {
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
  for (const Case& f : cases) {
    SCOPED_TRACE(f.text);
    auto s = fresh();
    s->FrequenzText = " 10.2 MHz";
    EXPECT_EQ(prgFrequenzEingabe(*s, f.text), f.ok);
    EXPECT_FLOAT_EQ(s->AktFrequenz, f.frequency);
    EXPECT_EQ(s->FrequenzText, f.box);
  }
}

TEST(FrequencyMemories, RecallHeldToTheDisplayRange) {
  struct Case {
    float memory;
    float frequency;
    const char* box;
  } cases[] = {
      {0.5f, 1.5f, "  1.5 MHz"},
      {14.25f, 14.3f, " 14.3 MHz"},
      {35.0f, 29.9f, " 29.9 MHz"},
      {7.0f, 7.0f, "    7 MHz"},
  };
  for (const Case& f : cases) {
    SCOPED_TRACE(f.memory);
    auto s = fresh();
    memory(*s, 4) = f.memory;
    prgSpeicherAbruf(*s, 4);
    EXPECT_FLOAT_EQ(s->AktFrequenz, f.frequency);
    EXPECT_FLOAT_EQ(s->FrequenzEin, f.frequency);
    EXPECT_EQ(s->FrequenzText, f.box);
    EXPECT_EQ(s->Speicher4, f.memory);  // the memory itself stays
  }
  auto s = fresh();
  EXPECT_THROW(memory(*s, 7), ModelFault);
  EXPECT_THROW(memory(*s, 0), ModelFault);
}

TEST(FrequencyMemories, StoreCapturesTheFrequencyOfItsMoment) {
  auto s = fresh();
  s->AktFrequenz = 14.2f;
  EXPECT_EQ(prgSpeichern(*s, false), StoreAction::On);
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
  auto s = fresh();
  EXPECT_EQ(prgSpeichern(*s, false), StoreAction::On);
  EXPECT_EQ(prgSpeichern(*s, false), StoreAction::Off);
  EXPECT_EQ(s->SpeicherModus, 0);
  EXPECT_EQ(prgSpeichern(*s, true), StoreAction::Warning);
  EXPECT_EQ(s->SpeicherModus, 0);
  EXPECT_FALSE(prgSpeicher(*s, 1));
  EXPECT_FLOAT_EQ(s->Speicher1, 1.8f);
}

TEST(FrequencyMemories, BlinkingMarker) {
  auto s = fresh();
  EXPECT_TRUE(prgBlinker(*s));  // phase 0 -> shown
  EXPECT_EQ(s->BlinkZustand, 1);
  EXPECT_FALSE(prgBlinker(*s));  // phase 1 -> hidden
  EXPECT_EQ(s->BlinkZustand, 0);
}

// A position from a locator or a chosen place is stored as it is, while
// the boxes still show it; a coordinate typed by hand is rounded down to a
// tenth of a degree as always.
TEST(StationB, PositionFromALocatorOrPlaceIsKeptExactly) {
  auto s = fresh();
  const StationBTexts old = openStationB(*s);
  const ExactPosition exact{" 48.1458333333333", " 11.625"};
  StationBTexts boxes{"JN58TD", exact.latText, exact.lonText};
  ASSERT_EQ(applyStationB(*s, boxes, old, &exact).flag, 0);
  EXPECT_EQ(s->OrtX2, static_cast<float>(48.1458333333333));
  EXPECT_EQ(s->OrtY2, 11.625f);

  s = fresh();
  boxes = {"JN58TD", exact.latText, " 11.63"};  // the longitude was edited
  ASSERT_EQ(applyStationB(*s, boxes, old, &exact).flag, 0);
  EXPECT_EQ(s->OrtX2, static_cast<float>(48.1458333333333));
  EXPECT_FLOAT_EQ(s->OrtY2, 11.6f);

  auto a = fresh();
  const StationATexts oldA = openStationA(*a);
  StationATexts boxesA = oldA;
  boxesA[1] = exact.latText;
  boxesA[2] = exact.lonText;
  ASSERT_EQ(applyStationA(*a, boxesA, oldA, &exact).flag, 0);
  EXPECT_EQ(a->X1, 48.1458333333333);
  EXPECT_EQ(a->Y1, 11.625f);
}
