#include "forecast/point_result.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "forecast/tageskorr.h"
#include "lang/sprachtext.h"
#include "state/fault.h"
#include "state/numtext.h"
#include "state/level.h"

namespace welvaro {

namespace {

// Scale ends of the point values.
constexpr float kFieldMin = -54, kFieldMax = 54, kLevelMin = -127, kLevelMax = -19;

// Shown in place of a number the point result could not compute.
constexpr std::string_view kNoValue = " --";

// The first `n` characters of a UTF-8 text; a character is never split.
std::string firstChars(const std::string& text, std::size_t n) {
  std::size_t i = 0, character = 0;
  while (i < text.size() && character < n) {
    ++i;
    while (i < text.size() && (static_cast<unsigned char>(text[i]) & 0xC0) == 0x80) ++i;
    ++character;
  }
  return text.substr(0, i);
}

// A tenth of a degree, truncated downwards. The small guard keeps a value
// stored as a single just below its tenth (-3.7 is -3.70000005) on that
// tenth instead of dropping it to the next one.
double tenths(double degrees) { return std::floor(degrees * 10 + 0.001) / 10; }

// "48.1 N11.5 E)": magnitude, blank, hemisphere letter; the closing
// parenthesis is part of the east-west word.
std::string position(double lat, float lon) {
  return NumberText(std::fabs(lat)) + " " + (lat >= 0 ? "N" : "S") + NumberText(std::fabs(lon)) + " " +
         (lon >= 0 ? "E)" : "W)");
}

// Lines 3 to 5 of the geography caption. The path values are cut to whole
// numbers in the state. When the calculation ended before the path geometry
// was done they are unknown: they are set to 0 and shown as "--".
std::string pathLines(State& s) {
  const bool known = std::isfinite(s.Distanz) && std::isfinite(s.RichtungAB) && std::isfinite(s.RichtungBA);
  std::string distance, from, ba;
  if (known) {
    s.Distanz = std::floor(s.Distanz);
    s.RichtungAB = std::floor(s.RichtungAB);
    s.RichtungBA = std::floor(s.RichtungBA);
    distance = NumberText(s.Distanz);
    from = NumberText(s.RichtungAB);
    ba = NumberText(s.RichtungBA);
  } else {
    s.Distanz = s.RichtungAB = s.RichtungBA = 0;
    distance = from = ba = kNoValue;
  }
  // The caption names the path the calculation took, and the calculation
  // takes the long path for "L" alone: any other text (a lower-case "l"
  // from an edited settings file) was computed, and is named, short.
  const bool shortPath = s.P != "L";
  std::string t =
      T(s, kTxDistanz) + labelColon(s) + distance + " km (" + T(s, shortPath ? kTxShortPath : kTxLongPath) + ")";
  t += kPointLineBreak;
  t += T(s, kTxRichtung) + " (A-B)" + labelColon(s) + from + " ";
  t += kPointLineBreak;
  t += T(s, kTxRichtung) + " (B-A)" + labelColon(s) + ba + " ";
  return t;
}

// The geography caption, five lines; truncates the stations in the state.
std::string geography(State& s) {
  s.OrtA = firstChars(s.OrtA, 15);
  s.OrtB = firstChars(s.OrtB, 15);

  s.X1 = tenths(s.X1);
  s.Y1 = static_cast<float>(tenths(s.Y1));
  if (s.OrtA.empty()) s.OrtA = T(s, kTxStation);
  std::string t = s.OrtA + " (A" + labelColon(s) + position(s.X1, s.Y1);
  t += kPointLineBreak;

  // The far point with the same guard as station A: without it a longitude
  // of -3.7 would be shown, and then computed by the printed report, as
  // -3.8. A pole stays just off the pole, as the calculation keeps it.
  s.X2 = tenths(s.X2);
  if (s.X2 == 90.0) s.X2 = 89.9;
  if (s.X2 == -90.0) s.X2 = -89.9;
  s.Y2 = static_cast<float>(tenths(s.Y2));
  if (s.OrtB.empty()) s.OrtB = T(s, kTxStation);
  t += s.OrtB + " (B" + labelColon(s) + position(s.X2, s.Y2);
  t += kPointLineBreak;

  t += pathLines(s);
  return t;
}

PointValues interpolate(const State& s) {
  const int minute = shownMinute(s);
  return pointValues(s, s.AktFrequenz, minute / 60, minute % 60);
}

}  // namespace

int shownMinute(const State& s) {
  if (s.AnzeigeMinute >= 0 && s.AnzeigeMinute < 1440) return s.AnzeigeMinute;
  return s.Zeitpunkt.hour * 60 + s.Zeitpunkt.minute;
}

PointValues pointValues(const State& s, double mhz, int hour, int minute) {
  const int h = hour;
  const double m = minute / 60.0;
  const int bottom = h == 0 ? 24 : h;  // row 24 is 00 UTC
  const int top = h + 1;

  // The table holds 1 .. 30 MHz; beyond it (a memory may hold 35 MHz) the
  // point has no value rather than one interpolated towards an empty column.
  const double f = mhz;
  if (!(f >= 1 && f <= 30) || h < 0 || h > 23) raise(kFaultSubscript);
  const double fWhole = std::floor(f);
  const int column = static_cast<int>(fWhole) + 1;  // column c holds c - 1 MHz

  const auto& e = s.ErgFeld[0];
  auto atMinute = [&](int c) {
    const double v1 = e[bottom][c], v2 = e[top][c];
    return v1 + (v2 - v1) * m;
  };
  const double a = atMinute(column);
  const double b = atMinute(column + 1);
  const double field = std::floor(fin(a + (b - a) * (f - fWhole)));
  const double level = std::floor(fin(levelFromField(field, f)));

  PointValues w;
  w.field = static_cast<float>(std::clamp<double>(field, kFieldMin, kFieldMax));
  w.level = static_cast<float>(std::clamp<double>(level, kLevelMin, kLevelMax));
  return w;
}

std::string levelCaption(const State& s) {
  const bool value = s.PunktFehler == 0;
  std::string t = T(s, kTxFeldstaerke) + " =" + (value ? NumberText(s.PunktFeld) : std::string(kNoValue)) +
                  " dB(µV/m)";
  t += kPointLineBreak;
  t += T(s, kTxPegel) + " =" + (value ? NumberText(s.PunktPegel) : std::string(kNoValue)) + " dBm";
  return t;
}

std::string forecastCaption(const State& s) {
  const std::string percent = NumberText(s.Iproz);
  const std::string two = percent.size() > 2 ? percent.substr(percent.size() - 2) : percent;
  return T(s, kTxWelvaro) + " (" + two + "%) " + T(s, kTxFuer) + " " + s.MonatsName[static_cast<double>(s.Monat)] +
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
  if (const int g = guarded([&] { geo = geography(s); }); g != 0 && rc == 0) rc = g;
  s.GeoAuswertung = geo;

  PointValues w;
  if (rc == 0) rc = guarded([&] { w = interpolate(s); });
  if (rc == 0) {
    s.PunktFeld = w.field;
    s.PunktPegel = w.level;
  } else {
    s.PunktFeld = kFieldMin;
    s.PunktPegel = kLevelMin;
  }
  s.PunktFehler = static_cast<int16>(rc);
  s.SmeterWert = static_cast<int16>(s.PunktPegel - kLevelMin);

  std::string level, welvaro;
  guarded([&] { level = levelCaption(s); });
  guarded([&] { welvaro = forecastCaption(s); });
  s.PegelAnzeige = level;
  s.WelvaroAnzeige = welvaro;
  return rc;
}

}  // namespace welvaro
