#include "input/eingabe.h"

#include <algorithm>
#include <cmath>

#include "display/point.h"
#include "files/codepage.h"
#include "lang/sprachtext.h"
#include "state/fault.h"
#include "state/numtext.h"

namespace welvaro {

namespace {

struct Bereich {
  double min, max;
};

Bereich bereich(Feld f) {
  switch (f) {
    case Feld::Breite: return {-90, 90};
    case Feld::Laenge: return {-180, 180};
    case Feld::Gewinn: return {-40, 20};
    case Feld::Winkel: return {0, 90};
    case Feld::Leistung: return {0.000001, 1000};
    case Feld::Sonnenflecken: return {0, 300};
    case Feld::Wahrscheinlichkeit: return {10, 90};
    case Feld::Zeitzone: return {-12, 12};
    case Feld::Ortsname:
    case Feld::Sendeweg: break;
  }
  return {0, 0};
}

bool istZiffer(char c) { return c >= '0' && c <= '9'; }

std::string ohneRandBlanks(std::string_view t) {
  const auto a = t.find_first_not_of(' ');
  if (a == std::string_view::npos) return {};
  const auto b = t.find_last_not_of(' ');
  return std::string(t.substr(a, b - a + 1));
}

std::string grossbuchstaben(std::string_view t) {
  std::string g(t);
  for (char& c : g)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return g;
}

// Rounded down to a step of 1 / teiler, with the small guard that keeps a
// typed 48.1 at 48.1 although 10 x 48.1 lies just below 481 in binary.
double abgerundet(double v, double teiler) { return std::floor(teiler * v + 0.001) / teiler; }


// One numeric field of an OK: fails (box emptied, marker red, flagge = its
// number) or passes; a passing field whose text changed is written.
template <std::size_t N, class Schreiben>
void zahlFeld(OkErgebnis<N>& e, int nummer, Feld f, std::string& box, const std::string& alt, Schreiben schreiben) {
  box = mitDezimalpunkt(box);
  if (!imBereich(f, box)) {
    box.clear();
    e.rot[nummer - 1] = true;
    e.flagge = nummer;
    return;
  }
  if (box != alt) {
    schreiben(ReadNumber(box));
    e.start = true;
  }
}

}  // namespace

bool zeichenErlaubt(Feld f, int zeichen) {
  if (f == Feld::Ortsname || f == Feld::Sendeweg) return true;
  if (zeichen == kEnter || zeichen == kRueckschritt) return true;
  if (zeichen >= '0' && zeichen <= '9') return true;
  const bool minus = f == Feld::Breite || f == Feld::Laenge || f == Feld::Gewinn || f == Feld::Zeitzone;
  if (zeichen == '-') return minus;
  // Point or comma: the decimal point as the user writes it (half-hour
  // zones such as India's 5.5 included).
  return zeichen == '.' || zeichen == ',';
}

bool textErlaubt(Feld f, std::string_view text) {
  return textErlaubt(text, [f](int c) { return zeichenErlaubt(f, c); });
}

std::string mitDezimalpunkt(std::string_view text) {
  std::string t(text);
  std::replace(t.begin(), t.end(), ',', '.');
  return t;
}

std::string eingabeHinweis(const State& s, Feld f) {
  switch (f) {
    case Feld::Ortsname: return T(s, kTxHinweisName);
    case Feld::Breite: return T(s, kTxHinweisBreite);
    case Feld::Laenge: return T(s, kTxHinweisLaenge);
    case Feld::Gewinn: return T(s, kTxHinweisGewinn);
    case Feld::Winkel: return T(s, kTxHinweisWinkel);
    case Feld::Leistung: return T(s, kTxHinweisLeistung);
    case Feld::Sonnenflecken: return T(s, kTxHinweisSonnenflecken);
    case Feld::Wahrscheinlichkeit: return T(s, kTxHinweisWahrscheinlichkeit);
    case Feld::Sendeweg: return T(s, kTxHinweisSendeweg);
    case Feld::Zeitzone: return T(s, kTxHinweisZeitzone);
  }
  return {};
}

bool haeltZahl(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) ++i;
  if (i < text.size() && istZiffer(text[i])) return true;
  return i + 1 < text.size() && text[i] == '.' && istZiffer(text[i + 1]);
}

bool imBereich(Feld f, std::string_view roh) {
  const std::string text = mitDezimalpunkt(roh);
  if (!haeltZahl(text)) return false;
  const Bereich b = bereich(f);
  const double v = ReadNumber(text);
  return v >= b.min && v <= b.max;
}

std::string schnappeWahrscheinlichkeit(std::string_view text) {
  std::string t(text);
  if (ReadNumber(t) < 50) t = "10";
  if (ReadNumber(t) > 50) t = "90";
  return t;
}

std::string sendewegText(std::string_view text) { return ohneRandBlanks(grossbuchstaben(text)); }

EnterErgebnis enterPruefen(Feld f, std::string_view roh) {
  const std::string text = f == Feld::Ortsname || f == Feld::Sendeweg ? std::string(roh) : mitDezimalpunkt(roh);
  switch (f) {
    case Feld::Ortsname:
      if (ohneRandBlanks(text).empty()) return {false, "Station"};
      return {true, text};
    case Feld::Sendeweg: {
      const std::string g = grossbuchstaben(text);
      if (g == "S" || g == "L") return {true, text};
      return {false, ""};
    }
    case Feld::Wahrscheinlichkeit:
      if (!imBereich(f, text)) return {false, ""};
      return {true, schnappeWahrscheinlichkeit(text)};
    default:
      if (!imBereich(f, text)) return {false, ""};
      return {true, text};
  }
}

// ---- Station A ------------------------------------------------------------------

StationATexte stationAOeffnen(const State& s) {
  return {s.OrtA, NumberText(s.X1), NumberText(s.Y1), NumberText(s.Sag), NumberText(s.Angm), s.Zkwa};
}

namespace {

// A coordinate of a station: as the box shows it when it came from a
// locator or a chosen place, else rounded down to a tenth of a degree.
double koordinate(double v, const std::string& box, const GenauePosition* genau, bool breite) {
  if (genau && box == (breite ? genau->breiteText : genau->laengeText)) return ReadNumber(box);
  return abgerundet(v, 10);
}

}  // namespace

OkErgebnis<6> applyStationA(State& s, StationATexte& boxen, const StationATexte& alt, const GenauePosition* genau) {
  OkErgebnis<6> e;
  // A name of blanks only would be stored empty: it counts as empty.
  if (ohneRandBlanks(boxen[0]).empty()) {
    boxen[0] = "Station";
    e.rot[0] = true;
    e.flagge = 1;
  } else if (boxen[0] != alt[0]) {
    // Stored as the settings file can hold it; the box shows that form.
    s.OrtA = nurCodepageZeichen(ohneRandBlanks(boxen[0]));
    boxen[0] = s.OrtA;
    e.start = true;
  }
  zahlFeld(e, 2, Feld::Breite, boxen[1], alt[1], [&](double v) { s.X1 = koordinate(v, boxen[1], genau, true); });
  zahlFeld(e, 3, Feld::Laenge, boxen[2], alt[2],
           [&](double v) { s.Y1 = static_cast<float>(koordinate(v, boxen[2], genau, false)); });
  zahlFeld(e, 4, Feld::Gewinn, boxen[3], alt[3], [&](double v) { s.Sag = abgerundet(v, 100); });
  zahlFeld(e, 5, Feld::Winkel, boxen[4], alt[4], [&](double v) { s.Angm = abgerundet(v, 1); });
  zahlFeld(e, 6, Feld::Leistung, boxen[5], alt[5], [&](double v) {
    s.Zkw = v;
    s.Zkwa = boxen[5];
  });
  return e;
}

// ---- Station B ------------------------------------------------------------------

StationBTexte stationBOeffnen(const State& s) { return {s.OrtB, NumberText(s.OrtX2), NumberText(s.OrtY2)}; }

OkErgebnis<3> applyStationB(State& s, StationBTexte& boxen, const StationBTexte& alt, const GenauePosition* genau) {
  OkErgebnis<3> e;
  // The name is stored as typed, blanks included; blanks alone are no name.
  if (ohneRandBlanks(boxen[0]).empty()) {
    boxen[0].clear();
    e.rot[0] = true;
    e.flagge = 1;
  } else if (boxen[0] != alt[0]) {
    s.OrtB = nurCodepageZeichen(boxen[0]);
    boxen[0] = s.OrtB;
    e.start = true;
  }
  zahlFeld(e, 2, Feld::Breite, boxen[1], alt[1],
           [&](double v) { s.OrtX2 = static_cast<float>(koordinate(v, boxen[1], genau, true)); });
  zahlFeld(e, 3, Feld::Laenge, boxen[2], alt[2],
           [&](double v) { s.OrtY2 = static_cast<float>(koordinate(v, boxen[2], genau, false)); });
  return e;
}

// ---- Conditions -------------------------------------------------------------------

BedingungenTexte bedingungenOeffnen(const State& s) { return {NumberText(s.Ssna), NumberText(s.Iproz), s.P}; }

OkErgebnis<3> applyBedingungen(State& s, BedingungenTexte& boxen, const BedingungenTexte& alt) {
  OkErgebnis<3> e;
  zahlFeld(e, 1, Feld::Sonnenflecken, boxen[0], alt[0], [&](double v) {
    s.Ssna = v;
    s.Ssn = boxen[0];
  });
  zahlFeld(e, 2, Feld::Wahrscheinlichkeit, boxen[1], alt[1], [&](double) {
    boxen[1] = schnappeWahrscheinlichkeit(boxen[1]);
    s.Iproz = ReadNumber(boxen[1]);
  });
  const std::string gross = grossbuchstaben(boxen[2]);
  if (gross != "S" && gross != "L") {
    boxen[2].clear();
    e.rot[2] = true;
    e.flagge = 3;
  } else if (gross != alt[2]) {
    s.P = sendewegText(gross);
    e.start = true;
  }
  return e;
}

// ---- Time zone ----------------------------------------------------------------------

std::string zeitzoneOeffnen(const State& s) { return PlainText(s.UTCKorr); }

OkErgebnis<1> applyZeitzone(State& s, std::string& box, const std::string& alt) {
  OkErgebnis<1> e;
  zahlFeld(e, 1, Feld::Zeitzone, box, alt, [&](double v) {
    // A zone equal to the system's offset now means the system's zone,
    // which the clock then follows across summer-time changes.
    s.UTCKorr = static_cast<float>(v);
    s.UTCKorrFolgt = s.UTCKorr == s.SystemZone ? 1 : 0;
  });
  return e;
}

// ---- Frequency box and memories --------------------------------------------------------

bool frequenzTextErlaubt(std::string_view text) {
  return text.find_first_not_of("0123456789., MHzEro") == std::string_view::npos;
}

bool prgFrequenzEingabe(State& s, std::string_view text) {
  const float f = static_cast<float>(ReadNumber(mitDezimalpunkt(text)));
  if (!(f >= 1.5f && f <= 29.9f)) return false;
  setzeAnzeigeFrequenz(s, f);
  return true;
}

float& speicher(State& s, int n) {
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

float speicher(const State& s, int n) { return speicher(const_cast<State&>(s), n); }

void prgSpeicherAbruf(State& s, int n) {
  float f = speicher(s, n);
  // A memory edited in the settings file may lie outside the table's
  // frequencies: the display can only show 1.5 .. 29.9 MHz.
  if (!(f >= 1.5f)) f = 1.5f;
  if (f > 29.9f) f = 29.9f;
  setzeAnzeigeFrequenz(s, f);
}

bool prgSpeicher(State& s, int n) {
  if (s.SpeicherModus != 1) return false;
  speicher(s, n) = s.SpeicherFrequenz;
  s.SpeicherModus = 0;
  return true;
}

Speichern prgSpeichern(State& s, bool unbestaetigt) {
  if (s.SpeicherModus == 1) {
    s.SpeicherModus = 0;
  } else {
    s.SpeicherModus = 1;
    s.SpeicherFrequenz = s.AktFrequenz;
  }
  if (unbestaetigt) {
    s.SpeicherModus = 0;
    return Speichern::Warnung;
  }
  return s.SpeicherModus == 1 ? Speichern::An : Speichern::Aus;
}

bool prgBlinker(State& s) {
  const int16 alt = s.BlinkZustand;
  s.BlinkZustand = static_cast<int16>(1 - alt);
  return alt != 1;
}

}  // namespace welvaro
