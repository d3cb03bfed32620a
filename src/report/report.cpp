#include "report/report.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "forecast/point_result.h"
#include "forecast/tageskorr.h"
#include "lang/sprachtext.h"
#include "solar/sunspot_choice.h"
#include "state/fault.h"
#include "state/numtext.h"
#include "state/level.h"

namespace welvaro {

namespace {

// Limits of the printed values; the lower ones print as dots.
constexpr double kFieldMin = -52, kFieldMax = 52, kLevelMin = -127, kLevelMax = -13;

// Column where the text block of the page starts, and where the title starts.
constexpr int kMargin = 8, kTitle = 28;

constexpr std::string_view kTickLine = "+---------+-------+-------+-------+-------+-------+-------+";

float memory(const State& s, int k) {
  const float m[6] = {s.Speicher1, s.Speicher2, s.Speicher3, s.Speicher4, s.Speicher5, s.Speicher6};
  return m[k - 1];
}

// "48.1 N11.5 E)": magnitude, blank, hemisphere letter, as the point
// result shows a station.
std::string position(double lat, float lon) {
  return NumberText(std::fabs(lat)) + " " + (lat >= 0 ? "N" : "S") + NumberText(std::fabs(lon)) + " " +
         (lon >= 0 ? "E)" : "W)");
}

// Builds one printed line. A text is placed at its column, but never over
// the text before it: a number too wide for its column of the table (a
// memory of 1.234567 MHz) moves right instead of overwriting its
// neighbour, with a blank between them.
class Row {
 public:
  explicit Row(int size = kPrintSize) { z_.size = size; }
  Row& set(int column, std::string text) {
    if (column <= end_) column = end_ + (text.starts_with(' ') ? 1 : 2);
    end_ = column + printChars(text) - 1;
    z_.items.push_back({column, std::move(text)});
    return *this;
  }
  // Right-aligned: the text ends in column `end`.
  Row& right(int end, std::string text) {
    const int column = end + 1 - printChars(text);
    return set(column, std::move(text));
  }
  PrintLine finished() const { return z_; }

 private:
  PrintLine z_;
  int end_ = 0;
};

}  // namespace

int printChars(std::string_view utf8) {
  int n = 0;
  for (const char c : utf8)
    if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++n;
  return n;
}

int prgDruckTabelle(State& s) {
  s.DruckFlag = 1;
  for (int k = 1; k <= 6; ++k) s.DruckTabelle[0][k] = memory(s, k);

  int rc = prgTageskorr(s);
  if (rc == 0) {
    rc = guarded([&] {
      const bool level = s.PegelFlag == 1;
      for (int c = 2; c <= 7; ++c) {
        // The memory frequency as the record holds it (a single).
        const double mhz = static_cast<double>(s.DruckTabelle[0][c - 1]);
        for (int h = 1; h <= 24; ++h) {
          double e = fin(s.ErgFeld[0][h][c]);
          if (level)
            e = std::clamp(std::floor(fin(levelFromField(e, mhz))), kLevelMin, kLevelMax);
          else
            e = std::clamp(e, kFieldMin, kFieldMax);
          s.ErgFeld[0][h][c] = e;
          s.DruckTabelle[h][c - 1] = static_cast<float>(e);
          s.DruckTabelle[h][0] = static_cast<float>(h);
        }
      }
    });
  }
  s.DruckFlag = 0;
  return rc;
}

std::string printTimeText(const DateTime& t) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%02d.%02d.%04d %02d:%02d:%02d", t.day % 100, t.month % 100, t.year % 10000,
                t.hour % 100, t.minute % 100, t.second % 100);
  return buf;
}

std::vector<PrintLine> printPage(const State& s, const DateTime& now) {
  std::vector<PrintLine> page;
  auto blank = [&](int n) {
    for (int i = 0; i < n; ++i) page.push_back({});
  };
  auto text = [&](int column, std::string t) { page.push_back(Row().set(column, std::move(t)).finished()); };
  const bool level = s.PegelFlag == 1;

  // Title: the name of the chart the report is printed from, and the
  // forecast caption.
  blank(4);
  text(kTitle, T(s, kTxOrtsWelvaro));
  blank(1);
  text(kTitle, forecastCaption(s));
  blank(2);

  // Conditions and geography of the link.
  text(kMargin, T(s, kTxSonnenflecken) + labelColon(s) + " " + s.Ssn);
  text(kMargin, "(" + ssnSourceText(s) + ")");
  text(kMargin, T(s, kTxSendeleistung) + labelColon(s) + " " + s.Zkwa + " kW");
  text(kMargin, T(s, kTxAntennengewinn) + labelColon(s) + " " + NumberText(s.Sag) + " dBi");
  text(kMargin, T(s, kTxFunkverbindung));
  text(kMargin, s.OrtA + " (A" + labelColon(s) + position(s.X1, s.Y1));
  text(kMargin, s.OrtB + " (B" + labelColon(s) + position(s.X2, s.Y2));
  // The calculation takes the long path for "L" alone, so any other path
  // text is named short, as the point result names it.
  text(kMargin, T(s, kTxDistanz) + labelColon(s) + NumberText(std::floor(s.Distanz)) + " km (" +
                  T(s, s.P != "L" ? kTxShortPath : kTxLongPath) + ")");
  text(kMargin, T(s, kTxRichtung) + " (A-B)" + labelColon(s) + NumberText(std::floor(s.RichtungAB)) + " ");
  text(kMargin, T(s, kTxRichtung) + " (B-A)" + labelColon(s) + NumberText(std::floor(s.RichtungBA)) + " ");
  blank(4);

  // The table: unit, heading, memory frequencies, 24 hours.
  text(kMargin, T(s, kTxAuswertung) + T(s, level ? kTxUnitLevel : kTxUnitFieldStrength));
  blank(1);
  text(kMargin, T(s, kTxZeit) + "(UTC)" + std::string(18, ' ') + T(s, kTxFrequenz) + "(MHz)");
  text(kMargin, std::string(kTickLine));
  {
    Row z;
    for (int k = 1; k <= 6; ++k) z.right(8 * k + 16, NumberText(s.DruckTabelle[0][k]));
    page.push_back(z.finished());
  }
  text(kMargin, std::string(kTickLine));
  for (int h = 1; h <= 24; ++h) {
    Row z;
    for (int c = 0; c <= 6; ++c) {
      std::string t = NumberText(s.DruckTabelle[h][c]);
      if (c > 0 && level && t == "-127") t = "....";
      if (c > 0 && !level && t == "-52") t = "...";
      z.right(8 * c + (c == 0 ? 14 : 16), std::move(t));
    }
    page.push_back(z.finished());
  }
  blank(3);

  // Footer in the small font.
  page.push_back(Row(kPrintFooterSize).set(12, std::string(kPrintFooterTag) + printTimeText(now)).finished());
  return page;
}

std::string printText(const std::vector<PrintLine>& page) {
  std::string out;
  for (const PrintLine& z : page) {
    std::string line;
    int lon = 0;
    for (const PrintItem& t : z.items) {
      if (t.column - 1 > lon) {
        line.append(static_cast<std::size_t>(t.column - 1 - lon), ' ');
        lon = t.column - 1;
      }
      line += t.text;
      lon += printChars(t.text);
    }
    out += line;
    out += '\n';
  }
  return out;
}

}  // namespace welvaro
