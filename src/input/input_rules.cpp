#include "input/input_rules.h"

#include <algorithm>
#include <cmath>

#include "files/codepage.h"
#include "lang/sprachtext.h"
#include "state/fault.h"
#include "state/numtext.h"
#include "state/station_a.h"

namespace welvaro {

namespace {

struct Range {
  double min, max;
};

Range range(Field f) {
  switch (f) {
    case Field::Latitude: return {-90, 90};
    case Field::Longitude: return {-180, 180};
    case Field::Gain: return {-40, 20};
    case Field::Angle: return {0, 90};
    case Field::Power: return {0.000001, 1000};
    case Field::Sunspots: return {0, 300};
    case Field::Availability: return {10, 90};
    case Field::TimeZone: return {-12, 14};  // UTC+13 and +14 exist (Tonga, Kiribati)
    case Field::PlaceName:
    case Field::Path: break;
  }
  return {0, 0};
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

std::string trimBlanks(std::string_view t) {
  const auto a = t.find_first_not_of(' ');
  if (a == std::string_view::npos) return {};
  const auto b = t.find_last_not_of(' ');
  return std::string(t.substr(a, b - a + 1));
}

std::string upperCase(std::string_view t) {
  std::string g(t);
  for (char& c : g)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return g;
}

// Rounded down to a step of 1 / teiler, with the small guard that keeps a
// typed 48.1 at 48.1 although 10 x 48.1 lies just below 481 in binary.
double roundedDown(double v, double divisor) { return std::floor(divisor * v + 0.001) / divisor; }


// One numeric field of an OK: fails (the box keeps what was typed, marker
// red, flag = its number) or passes; a passing field whose text changed is
// written.
template <std::size_t N, class Write>
void numberBox(OkResult<N>& e, int number, Field f, std::string& box, const std::string& old, Write write) {
  if (!inRange(f, box)) {
    e.red[number - 1] = true;
    e.flag = number;
    return;
  }
  box = withDecimalPoint(box);
  if (box != old) {
    write(ReadNumber(box));
    e.start = true;
  }
}

}  // namespace

bool charAllowed(Field f, int character) {
  if (f == Field::PlaceName || f == Field::Path) return true;
  if (character == kEnter || character == kBackspace) return true;
  if (character >= '0' && character <= '9') return true;
  const bool minus = f == Field::Latitude || f == Field::Longitude || f == Field::Gain || f == Field::TimeZone;
  if (character == '-') return minus;
  // Point or comma: the decimal point as the user writes it (half-hour
  // zones such as India's 5.5 included).
  return character == '.' || character == ',';
}

bool textAllowed(Field f, std::string_view text) {
  return textAllowed(text, [f](int c) { return charAllowed(f, c); });
}

std::string withDecimalPoint(std::string_view text) {
  std::string t(text);
  std::replace(t.begin(), t.end(), ',', '.');
  return t;
}

std::string inputHint(const State& s, Field f) {
  switch (f) {
    case Field::PlaceName: return T(s, kTxHinweisName);
    case Field::Latitude: return T(s, kTxHinweisBreite);
    case Field::Longitude: return T(s, kTxHinweisLaenge);
    case Field::Gain: return T(s, kTxHinweisGewinn);
    case Field::Angle: return T(s, kTxHinweisWinkel);
    case Field::Power: return T(s, kTxHinweisLeistung);
    case Field::Sunspots: return T(s, kTxHinweisSonnenflecken);
    case Field::Availability: return T(s, kTxHinweisWahrscheinlichkeit);
    case Field::Path: return T(s, kTxHinweisSendeweg);
    case Field::TimeZone: return T(s, kTxHinweisZeitzone);
  }
  return {};
}

bool holdsNumber(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) ++i;
  if (i < text.size() && isDigit(text[i])) return true;
  return i + 1 < text.size() && text[i] == '.' && isDigit(text[i + 1]);
}

bool inRange(Field f, std::string_view raw) {
  const std::string text = withDecimalPoint(raw);
  if (!holdsNumber(text)) return false;
  const Range b = range(f);
  const double v = ReadNumber(text);
  return v >= b.min && v <= b.max;
}

std::string snapAvailability(std::string_view text) {
  std::string t(text);
  if (ReadNumber(t) < 50) t = "10";
  if (ReadNumber(t) > 50) t = "90";
  return t;
}

std::string pathText(std::string_view text) { return trimBlanks(upperCase(text)); }

EnterResult checkEnter(Field f, std::string_view raw) {
  const std::string text = f == Field::PlaceName || f == Field::Path ? std::string(raw) : withDecimalPoint(raw);
  switch (f) {
    case Field::PlaceName:
      return {!trimBlanks(text).empty(), text};
    case Field::Path: {
      const std::string g = upperCase(text);
      return {g == "S" || g == "L", text};
    }
    case Field::Availability:
      if (!inRange(f, text)) return {false, std::string(raw)};
      return {true, snapAvailability(text)};
    default:
      if (!inRange(f, text)) return {false, std::string(raw)};
      return {true, text};
  }
}

StationName keptStationName(std::string_view name) {
  std::size_t characters = 0;
  for (std::size_t i = 0; i < name.size(); ++i) {
    // A character begins at every byte that is not a UTF-8 continuation byte.
    if ((static_cast<unsigned char>(name[i]) & 0xC0) == 0x80) continue;
    if (characters == kStationNameMax) {
      std::string kept(name.substr(0, i));
      while (!kept.empty() && kept.back() == ' ') kept.pop_back();
      return {kept, true};
    }
    ++characters;
  }
  return {std::string(name), false};
}

// ---- Station A ------------------------------------------------------------------

StationATexts openStationA(const State& s) {
  // The position as entered, not the tenth the forecast computes with.
  const StationAPosition a = enteredStationA(s);
  return {s.OrtA, NumberText(a.latitude), NumberText(a.longitude), NumberText(s.Sag), NumberText(s.Angm), s.Zkwa};
}

namespace {

// A coordinate of a station: as the box shows it when it came from a
// locator or a chosen place, else rounded down to a tenth of a degree.
double coordinate(double v, const std::string& box, const ExactPosition* exact, bool lat) {
  if (exact && box == (lat ? exact->latText : exact->lonText)) return ReadNumber(box);
  return roundedDown(v, 10);
}

}  // namespace

OkResult<6> applyStationA(State& s, StationATexts& boxes, const StationATexts& old, const ExactPosition* exact) {
  OkResult<6> e;
  // A name of blanks only would be stored empty: it counts as empty.
  if (trimBlanks(boxes[0]).empty()) {
    e.red[0] = true;
    e.flag = 1;
  } else if (boxes[0] != old[0]) {
    // Stored as the settings file can hold it; the box shows that form.
    s.OrtA = keptStationName(codepageOnly(trimBlanks(boxes[0]))).text;
    boxes[0] = s.OrtA;
    e.start = true;
  }
  numberBox(e, 2, Field::Latitude, boxes[1], old[1],
           [&](double v) { setStationALatitude(s, coordinate(v, boxes[1], exact, true)); });
  numberBox(e, 3, Field::Longitude, boxes[2], old[2],
           [&](double v) { setStationALongitude(s, static_cast<float>(coordinate(v, boxes[2], exact, false))); });
  numberBox(e, 4, Field::Gain, boxes[3], old[3], [&](double v) { s.Sag = roundedDown(v, 100); });
  numberBox(e, 5, Field::Angle, boxes[4], old[4], [&](double v) { s.Angm = roundedDown(v, 1); });
  numberBox(e, 6, Field::Power, boxes[5], old[5], [&](double v) {
    s.Zkw = v;
    s.Zkwa = boxes[5];
  });
  return e;
}

// ---- Station B ------------------------------------------------------------------

StationBTexts openStationB(const State& s) { return {s.OrtB, NumberText(s.OrtX2), NumberText(s.OrtY2)}; }

OkResult<3> applyStationB(State& s, StationBTexts& boxes, const StationBTexts& old, const ExactPosition* exact) {
  OkResult<3> e;
  // The name is stored as typed, blanks included; blanks alone are no name.
  if (trimBlanks(boxes[0]).empty()) {
    e.red[0] = true;
    e.flag = 1;
  } else if (boxes[0] != old[0]) {
    s.OrtB = keptStationName(codepageOnly(boxes[0])).text;
    boxes[0] = s.OrtB;
    e.start = true;
  }
  numberBox(e, 2, Field::Latitude, boxes[1], old[1],
           [&](double v) { s.OrtX2 = static_cast<float>(coordinate(v, boxes[1], exact, true)); });
  numberBox(e, 3, Field::Longitude, boxes[2], old[2],
           [&](double v) { s.OrtY2 = static_cast<float>(coordinate(v, boxes[2], exact, false)); });
  return e;
}

// ---- Conditions -------------------------------------------------------------------

ConditionsTexts openConditions(const State& s) { return {NumberText(s.Ssna), NumberText(s.Iproz), s.P}; }

OkResult<3> applyConditions(State& s, ConditionsTexts& boxes, const ConditionsTexts& old) {
  OkResult<3> e;
  numberBox(e, 1, Field::Sunspots, boxes[0], old[0], [&](double v) {
    s.Ssna = v;
    s.Ssn = boxes[0];
  });
  numberBox(e, 2, Field::Availability, boxes[1], old[1], [&](double) {
    boxes[1] = snapAvailability(boxes[1]);
    s.Iproz = ReadNumber(boxes[1]);
  });
  const std::string upper = upperCase(boxes[2]);
  if (upper != "S" && upper != "L") {
    e.red[2] = true;
    e.flag = 3;
  } else if (upper != old[2]) {
    s.P = pathText(upper);
    e.start = true;
  }
  return e;
}

// ---- Time zone ----------------------------------------------------------------------

std::string openTimeZone(const State& s) { return PlainText(s.UTCKorr); }

OkResult<1> applyTimeZone(State& s, std::string& box, const std::string& old) {
  OkResult<1> e;
  numberBox(e, 1, Field::TimeZone, box, old, [&](double v) {
    // A zone equal to the system's offset now means the system's zone,
    // which the clock then follows across summer-time changes.
    s.UTCKorr = static_cast<float>(v);
    s.UTCKorrFolgt = s.UTCKorr == s.SystemZone ? 1 : 0;
  });
  return e;
}

// ---- Frequency box and memories --------------------------------------------------------

bool frequencyTextAllowed(std::string_view text) {
  return text.find_first_not_of("0123456789., MHz") == std::string_view::npos;
}

bool prgFrequenzEingabe(State& s, std::string_view text) {
  const float f = static_cast<float>(ReadNumber(withDecimalPoint(text)));
  if (!(f >= 1.5f && f <= 29.9f)) return false;
  setDisplayFrequency(s, f);
  return true;
}

float& memory(State& s, int n) {
  switch (n) {
    case 1: return s.Speicher1;
    case 2: return s.Speicher2;
    case 3: return s.Speicher3;
    case 4: return s.Speicher4;
    case 5: return s.Speicher5;
    case 6: return s.Speicher6;
    default: raise(kFaultSubscript);
  }
}

float memory(const State& s, int n) { return memory(const_cast<State&>(s), n); }

void prgSpeicherAbruf(State& s, int n) {
  float f = memory(s, n);
  // A memory edited in the settings file may lie outside the table's
  // frequencies: the display can only show 1.5 .. 29.9 MHz.
  if (!(f >= 1.5f)) f = 1.5f;
  if (f > 29.9f) f = 29.9f;
  setDisplayFrequency(s, f);
}

bool prgSpeicher(State& s, int n) {
  if (s.SpeicherModus != 1) return false;
  memory(s, n) = s.SpeicherFrequenz;
  s.SpeicherModus = 0;
  return true;
}

StoreAction prgSpeichern(State& s, bool unconfirmed) {
  if (s.SpeicherModus == 1) {
    s.SpeicherModus = 0;
  } else {
    s.SpeicherModus = 1;
    s.SpeicherFrequenz = s.AktFrequenz;
  }
  if (unconfirmed) {
    s.SpeicherModus = 0;
    return StoreAction::Warning;
  }
  return s.SpeicherModus == 1 ? StoreAction::On : StoreAction::Off;
}

bool prgBlinker(State& s) {
  const int16 old = s.BlinkZustand;
  s.BlinkZustand = static_cast<int16>(1 - old);
  return old != 1;
}

std::string frequencyBoxText(float mhz) {
  const std::string t = "      " + NumberText(mhz);
  return t.substr(t.size() - 5) + " MHz";
}

void setDisplayFrequency(State& s, float mhz) {
  s.FrequenzEin = static_cast<float>(std::floor(static_cast<double>(mhz) * 10 + 0.5) / 10);
  s.AktFrequenz = s.FrequenzEin;
  s.FrequenzText = frequencyBoxText(s.FrequenzEin);
}

}  // namespace welvaro
