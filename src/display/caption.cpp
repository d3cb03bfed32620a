#include "display/caption.h"

#include <algorithm>
#include <cstdio>

#include "display/font.h"
#include "lang/sprachtext.h"
#include "outlook/outlook.h"
#include "state/locator.h"
#include "state/numtext.h"

namespace welvaro {

namespace {

constexpr std::string_view kSeparator = "  \u00B7  ";

// "2026-12-08 14:05 UTC", or the date alone for a minute below 0.
std::string dateAndTime(const DateTime& d, int utcMinute) {
  char t[40];
  if (utcMinute < 0) {
    std::snprintf(t, sizeof t, "%04d-%02d-%02d", d.year, d.month, d.day);
  } else {
    const int m = std::min(utcMinute, 1439);
    std::snprintf(t, sizeof t, "%04d-%02d-%02d %02d:%02d UTC", d.year, d.month, d.day, m / 60, m % 60);
  }
  return t;
}

// "A: München JN58TD": the name when there is one, and the locator.
std::string station(const State& s, const char* letter, const std::string& name, double latitude, double longitude) {
  std::string t = std::string(letter) + labelColon(s) + " ";
  if (!name.empty()) t += name + " ";
  return t + locatorOf(latitude, longitude);
}

// Frequency (none below 0), date and time, the month when another one is
// shown, sunspot number, availability and the quantity (the outlook names
// the mode).
std::vector<std::string> conditions(const State& s, float frequency, int utcMinute, bool level, bool outlook) {
  std::vector<std::string> items;
  if (frequency >= 0) items.push_back(PlainText(frequency) + " MHz");
  items.push_back(dateAndTime(s.Zeitpunkt, utcMinute));
  // The month of the forecast when it is not that of the date.
  if ((s.MonatFremd != 0 || static_cast<int>(s.Monat) != s.Jetzt.month) && s.Monat >= 1 && s.Monat <= 12)
    items.push_back(T(s, kTxVorhersageFuer) + " " + T(s, kTxJanuar + static_cast<int>(s.Monat) - 1));
  items.push_back(T(s, kTxSonnenflecken) + " " + PlainText(s.Ssna));
  items.push_back(T(s, kTxWahrscheinlichkeit) + " " + PlainText(s.Iproz) + " %");
  if (outlook)
    items.push_back(quantityText(s));
  else
    items.push_back(level ? T(s, kTxPegel) + " (dBm)" : T(s, kTxFeldstaerke) + " (dB(\u00B5V/m))");
  return items;
}

}  // namespace

std::vector<std::string> mapCaption(const State& s, const MapCaptionFacts& f) {
  std::vector<std::string> items = conditions(s, f.frequency, std::clamp(f.utcMinute, 0, 1439), f.level, f.outlook);
  items.push_back(station(s, "A", s.OrtA, s.X1, s.Y1));
  if (f.pointB) items.push_back(station(s, "B", s.OrtB, s.OrtX2, s.OrtY2));
  items.push_back(T(s, f.projection == Projection::Azimuthal ? kTxAzimutal : kTxRectangularMap));
  if (f.night) items.push_back(T(s, kTxCaptionNight));
  if (f.land && !f.outlook) items.push_back(T(s, kTxCaptionNoSignal));
  return items;
}

std::vector<std::string> chartCaption(const State& s, const ChartCaptionFacts& f) {
  std::vector<std::string> items = conditions(s, f.frequencyLine ? f.frequency : -1.0f,
                                              f.timeLine ? std::clamp(f.utcMinute, 0, 1439) : -1, f.level, f.outlook);
  items.push_back(station(s, "A", s.OrtA, s.X1, s.Y1));
  items.push_back(station(s, "B", s.OrtB, s.OrtX2, s.OrtY2));
  items.push_back(T(s, kTxOrtsWelvaro));
  return items;
}

std::vector<std::string> captionLines(const std::vector<std::string>& items, int width, int n) {
  std::vector<std::string> lines;
  const auto pixels = [n](std::string_view t) { return textWidth(t) * std::max(1, n); };
  for (const std::string& item : items) {
    if (!lines.empty() && pixels(lines.back()) + pixels(kSeparator) + pixels(item) + 2 * n <= width) {
      lines.back() += std::string(kSeparator) + item;
    } else {
      lines.push_back(item);
    }
  }
  return lines;
}

}  // namespace welvaro
