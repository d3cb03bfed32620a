#include "display/point.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "display/geometrie.h"
#include "forecast/tageskorr.h"
#include "lang/sprachtext.h"
#include "state/fault.h"
#include "state/numtext.h"
#include "state/pegel.h"

namespace welvaro {

namespace {

// Scale ends of the point values.
constexpr float kFeldMin = -54, kFeldMax = 54, kPegelMin = -127, kPegelMax = -19;

// Shown in place of a number the point result could not compute.
constexpr std::string_view kKeinWert = " --";

// The first `n` characters of a UTF-8 text; a character is never split.
std::string ersteZeichen(const std::string& text, std::size_t n) {
  std::size_t i = 0, zeichen = 0;
  while (i < text.size() && zeichen < n) {
    ++i;
    while (i < text.size() && (static_cast<unsigned char>(text[i]) & 0xC0) == 0x80) ++i;
    ++zeichen;
  }
  return text.substr(0, i);
}

// A tenth of a degree, truncated downwards. The small guard keeps a value
// stored as a single just below its tenth (-3.7 is -3.70000005) on that
// tenth instead of dropping it to the next one.
double zehntel(double grad) { return std::floor(grad * 10 + 0.001) / 10; }

// "48.1 N11.5 E)": magnitude, blank, hemisphere letter; the closing
// parenthesis is part of the east-west word.
std::string lage(double breite, float laenge) {
  return NumberText(std::fabs(breite)) + " " + (breite >= 0 ? "N" : "S") + NumberText(std::fabs(laenge)) + " " +
         (laenge >= 0 ? "E)" : "W)");
}

// Lines 3 to 5 of the geography caption. The path values are cut to whole
// numbers in the state. When the calculation ended before the path geometry
// was done they are unknown: they are set to 0 and shown as "--".
std::string wegZeilen(State& s) {
  const bool bekannt = std::isfinite(s.Distanz) && std::isfinite(s.RichtungAB) && std::isfinite(s.RichtungBA);
  std::string distanz, ab, ba;
  if (bekannt) {
    s.Distanz = std::floor(s.Distanz);
    s.RichtungAB = std::floor(s.RichtungAB);
    s.RichtungBA = std::floor(s.RichtungBA);
    distanz = NumberText(s.Distanz);
    ab = NumberText(s.RichtungAB);
    ba = NumberText(s.RichtungBA);
  } else {
    s.Distanz = s.RichtungAB = s.RichtungBA = 0;
    distanz = ab = ba = kKeinWert;
  }
  // The caption names the path the calculation took, and the calculation
  // takes the long path for "L" alone: any other text (a lower-case "l"
  // from an edited settings file) was computed, and is named, short.
  const bool kurz = s.P != "L";
  std::string t = T(s, kTxDistanz) + ":" + distanz + " km (" + (kurz ? "Short Path)" : "Long Path)");
  t += kPunktUmbruch;
  t += T(s, kTxRichtung) + " (A-B):" + ab + " ";
  t += kPunktUmbruch;
  t += T(s, kTxRichtung) + " (B-A):" + ba + " ";
  return t;
}

// The geography caption, five lines; truncates the stations in the state.
std::string geographie(State& s) {
  s.OrtA = ersteZeichen(s.OrtA, 15);
  s.OrtB = ersteZeichen(s.OrtB, 15);

  s.X1 = zehntel(s.X1);
  s.Y1 = static_cast<float>(zehntel(s.Y1));
  if (s.OrtA.empty()) s.OrtA = T(s, kTxStation);
  std::string t = s.OrtA + " (A:" + lage(s.X1, s.Y1);
  t += kPunktUmbruch;

  // The far point with the same guard as station A: without it a longitude
  // of -3.7 would be shown, and then computed by the printed report, as
  // -3.8. A pole stays just off the pole, as the calculation keeps it.
  s.X2 = zehntel(s.X2);
  if (s.X2 == 90.0) s.X2 = 89.9;
  if (s.X2 == -90.0) s.X2 = -89.9;
  s.Y2 = static_cast<float>(zehntel(s.Y2));
  if (s.OrtB.empty()) s.OrtB = T(s, kTxStation);
  t += s.OrtB + " (B:" + lage(s.X2, s.Y2);
  t += kPunktUmbruch;

  t += wegZeilen(s);
  return t;
}

PunktWerte interpoliere(const State& s) {
  const int minute = gezeigteMinute(s);
  return punktWerte(s, s.AktFrequenz, minute / 60, minute % 60);
}

}  // namespace

int gezeigteMinute(const State& s) {
  if (s.AnzeigeMinute >= 0 && s.AnzeigeMinute < 1440) return s.AnzeigeMinute;
  return s.Zeitpunkt.hour * 60 + s.Zeitpunkt.minute;
}

PunktWerte punktWerte(const State& s, double mhz, int stunde, int minute) {
  const int h = stunde;
  const double m = minute / 60.0;
  const int unten = h == 0 ? 24 : h;  // row 24 is 00 UTC
  const int oben = h + 1;

  // The table holds 1 .. 30 MHz; beyond it (a memory may hold 35 MHz) the
  // point has no value rather than one interpolated towards an empty column.
  const double f = mhz;
  if (!(f >= 1 && f <= 30) || h < 0 || h > 23) raise(kFaultSubscript);
  const double fGanz = std::floor(f);
  const int spalte = static_cast<int>(fGanz) + 1;  // column c holds c - 1 MHz

  const auto& e = s.ErgFeld[0];
  auto imZeitpunkt = [&](int c) {
    const double v1 = e[unten][c], v2 = e[oben][c];
    return v1 + (v2 - v1) * m;
  };
  const double a = imZeitpunkt(spalte);
  const double b = imZeitpunkt(spalte + 1);
  const double feld = std::floor(fin(a + (b - a) * (f - fGanz)));
  const double pegel = std::floor(fin(pegelAusFeld(feld, f)));

  PunktWerte w;
  w.feld = static_cast<float>(std::clamp<double>(feld, kFeldMin, kFeldMax));
  w.pegel = static_cast<float>(std::clamp<double>(pegel, kPegelMin, kPegelMax));
  return w;
}

std::string PegelAnzeigeText(const State& s) {
  const bool wert = s.PunktFehler == 0;
  std::string t = T(s, kTxFeldstaerke) + " =" + (wert ? NumberText(s.PunktFeld) : std::string(kKeinWert)) +
                  " dB (" + "µ" + "V/m)";
  t += kPunktUmbruch;
  t += T(s, kTxPegel) + " =" + (wert ? NumberText(s.PunktPegel) : std::string(kKeinWert)) + " dBm";
  return t;
}

std::string WelvaroAnzeigeText(const State& s) {
  const std::string prozent = NumberText(s.Iproz);
  const std::string zwei = prozent.size() > 2 ? prozent.substr(prozent.size() - 2) : prozent;
  return T(s, kTxWelvaro) + " (" + zwei + "%) " + T(s, kTxFuer) + " " + s.MonatsName[static_cast<double>(s.Monat)] +
         " " + s.JahrText;
}

int prgPointErgebnis(State& s) {
  s.X2 = s.OrtX2;
  s.Y2 = s.OrtY2;
  // The path values are marked unknown, so that a calculation that ends
  // before its geometry is done cannot leave the previous link's distance.
  s.Distanz = s.RichtungAB = s.RichtungBA = std::numeric_limits<double>::quiet_NaN();
  int rc = prgTageskorr(s);

  // Every step below only reads tables with checked indices; a fault there
  // (a frequency outside the table, a language or month out of range) is
  // shown as a missing value, never carried out of the panel.
  std::string geo;
  if (const int g = guarded([&] { geo = geographie(s); }); g != 0 && rc == 0) rc = g;
  s.GeoAuswertung = geo;

  PunktWerte w;
  if (rc == 0) rc = guarded([&] { w = interpoliere(s); });
  if (rc == 0) {
    s.PunktFeld = w.feld;
    s.PunktPegel = w.pegel;
  } else {
    s.PunktFeld = kFeldMin;
    s.PunktPegel = kPegelMin;
  }
  s.PunktFehler = static_cast<int16>(rc);
  s.SmeterWert = static_cast<int16>(s.PunktPegel - kPegelMin);

  std::string pegel, welvaro;
  guarded([&] { pegel = PegelAnzeigeText(s); });
  guarded([&] { welvaro = WelvaroAnzeigeText(s); });
  s.PegelAnzeige = pegel;
  s.WelvaroAnzeige = welvaro;
  return rc;
}

std::string FrequenzBoxText(float mhz) {
  const std::string t = "      " + NumberText(mhz);
  return t.substr(t.size() - 5) + " MHz";
}

void setzeAnzeigeFrequenz(State& s, float mhz) {
  s.FrequenzEin = static_cast<float>(std::floor(static_cast<double>(mhz) * 10 + 0.5) / 10);
  s.AktFrequenz = s.FrequenzEin;
  s.FrequenzText = FrequenzBoxText(s.FrequenzEin);
}

PunktLage prgSetzePunkt(State& s) {
  PunktLage lage;
  lage.punktLinks = markeLinks(s.OrtY2);
  lage.punktOben = markeOben(s.OrtX2);

  float f = static_cast<float>(std::floor(static_cast<double>(s.CursorHoehe) * 0.074075) / 10);
  f = std::clamp(f, 1.5f, 29.9f);
  s.AktFrequenz = f;
  lage.frequenzLinieY = ortY(static_cast<double>(s.AktFrequenz));

  setzeAnzeigeFrequenz(s, s.AktFrequenz);
  prgPointErgebnis(s);
  return lage;
}

}  // namespace welvaro
