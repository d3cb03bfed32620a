#include "report/report.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "display/point.h"
#include "forecast/tageskorr.h"
#include "lang/sprachtext.h"
#include "state/fault.h"
#include "state/numtext.h"
#include "state/pegel.h"

namespace welvaro {

namespace {

// Limits of the printed values; the lower ones print as dots.
constexpr double kFeldMin = -52, kFeldMax = 52, kPegelMin = -127, kPegelMax = -13;

// Column where the text block of the page starts, and where the title starts.
constexpr int kRand = 8, kTitel = 28;

constexpr std::string_view kStrichLinie = "+---------+-------+-------+-------+-------+-------+-------+";

float speicher(const State& s, int k) {
  const float m[6] = {s.Speicher1, s.Speicher2, s.Speicher3, s.Speicher4, s.Speicher5, s.Speicher6};
  return m[k - 1];
}

// "48.1 N11.5 E)": magnitude, blank, hemisphere letter, as the point
// result shows a station.
std::string lage(double breite, float laenge) {
  return NumberText(std::fabs(breite)) + " " + (breite >= 0 ? "N" : "S") + NumberText(std::fabs(laenge)) + " " +
         (laenge >= 0 ? "E)" : "W)");
}

// Builds one printed line. A text is placed at its column, but never over
// the text before it: a number too wide for its column of the table (a
// memory of 1.234567 MHz) moves right instead of overwriting its
// neighbour, with a blank between them.
class Zeile {
 public:
  explicit Zeile(int groesse = kDruckGroesse) { z_.groesse = groesse; }
  Zeile& setze(int spalte, std::string text) {
    if (spalte <= ende_) spalte = ende_ + (text.starts_with(' ') ? 1 : 2);
    ende_ = spalte + druckZeichen(text) - 1;
    z_.teile.push_back({spalte, std::move(text)});
    return *this;
  }
  // Right-aligned: the text ends in column `ende`.
  Zeile& rechts(int ende, std::string text) {
    const int spalte = ende + 1 - druckZeichen(text);
    return setze(spalte, std::move(text));
  }
  DruckZeile fertig() const { return z_; }

 private:
  DruckZeile z_;
  int ende_ = 0;
};

}  // namespace

int druckZeichen(std::string_view utf8) {
  int n = 0;
  for (const char c : utf8)
    if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++n;
  return n;
}

int prgDruckTabelle(State& s) {
  s.DruckFlag = 1;
  for (int k = 1; k <= 6; ++k) s.DruckTabelle[0][k] = speicher(s, k);

  int rc = prgTageskorr(s);
  if (rc == 0) {
    rc = guarded([&] {
      const bool pegel = s.PegelFlag == 1;
      for (int c = 2; c <= 7; ++c) {
        // The memory frequency as the record holds it (a single).
        const double mhz = static_cast<double>(s.DruckTabelle[0][c - 1]);
        for (int h = 1; h <= 24; ++h) {
          double e = fin(s.ErgFeld[0][h][c]);
          if (pegel)
            e = std::clamp(std::floor(fin(pegelAusFeld(e, mhz))), kPegelMin, kPegelMax);
          else
            e = std::clamp(e, kFeldMin, kFeldMax);
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

std::string druckZeitText(const DateTime& t) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%02d.%02d.%04d %02d:%02d:%02d", t.day % 100, t.month % 100, t.year % 10000,
                t.hour % 100, t.minute % 100, t.second % 100);
  return buf;
}

std::vector<DruckZeile> druckSeite(const State& s, const DateTime& jetzt) {
  std::vector<DruckZeile> seite;
  auto leer = [&](int n) {
    for (int i = 0; i < n; ++i) seite.push_back({});
  };
  auto text = [&](int spalte, std::string t) { seite.push_back(Zeile().setze(spalte, std::move(t)).fertig()); };
  const bool pegel = s.PegelFlag == 1;

  // Title: the display's name and the forecast caption.
  leer(4);
  text(kTitel, T(s, kTxWeltWelvaro));
  leer(1);
  text(kTitel, WelvaroAnzeigeText(s));
  leer(2);

  // Conditions and geography of the link.
  text(kRand, T(s, kTxSonnenflecken) + ": " + s.Ssn);
  text(kRand, T(s, kTxSendeleistung) + ": " + s.Zkwa + " kW");
  text(kRand, T(s, kTxAntennengewinn) + ": " + NumberText(s.Sag) + " dBi");
  text(kRand, T(s, kTxFunkverbindung));
  text(kRand, s.OrtA + " (A:" + lage(s.X1, s.Y1));
  text(kRand, s.OrtB + " (B:" + lage(s.X2, s.Y2));
  // The calculation takes the long path for "L" alone, so any other path
  // text is named short, as the point result names it.
  text(kRand, T(s, kTxDistanz) + ":" + NumberText(std::floor(s.Distanz)) + " km (" +
                  (s.P != "L" ? "Short Path)" : "Long Path)"));
  text(kRand, T(s, kTxRichtung) + " (A-B):" + NumberText(std::floor(s.RichtungAB)) + " ");
  text(kRand, T(s, kTxRichtung) + " (B-A):" + NumberText(std::floor(s.RichtungBA)) + " ");
  leer(4);

  // The table: unit, heading, memory frequencies, 24 hours.
  text(kRand, T(s, kTxAuswertung) + (pegel ? T(s, kTxPegel) + " in dBm" : T(s, kTxFeldstaerkeUeber) + " 1" + "µ" + "V/m"));
  leer(1);
  text(kRand, T(s, kTxZeit) + "(UTC)" + std::string(18, ' ') + T(s, kTxFrequenz) + "(MHz)");
  text(kRand, std::string(kStrichLinie));
  {
    Zeile z;
    for (int k = 1; k <= 6; ++k) z.rechts(8 * k + 16, NumberText(s.DruckTabelle[0][k]));
    seite.push_back(z.fertig());
  }
  text(kRand, std::string(kStrichLinie));
  for (int h = 1; h <= 24; ++h) {
    Zeile z;
    for (int c = 0; c <= 6; ++c) {
      std::string t = NumberText(s.DruckTabelle[h][c]);
      if (c > 0 && pegel && t == "-127") t = "....";
      if (c > 0 && !pegel && t == "-52") t = "...";
      z.rechts(8 * c + (c == 0 ? 14 : 16), std::move(t));
    }
    seite.push_back(z.fertig());
  }
  leer(3);

  // Footer in the small font.
  seite.push_back(Zeile(kDruckFussGroesse).setze(12, std::string(kDruckFussKennung) + druckZeitText(jetzt)).fertig());
  return seite;
}

std::string druckText(const std::vector<DruckZeile>& seite) {
  std::string out;
  for (const DruckZeile& z : seite) {
    std::string zeile;
    int laenge = 0;
    for (const DruckTeil& t : z.teile) {
      if (t.spalte - 1 > laenge) {
        zeile.append(static_cast<std::size_t>(t.spalte - 1 - laenge), ' ');
        laenge = t.spalte - 1;
      }
      zeile += t.text;
      laenge += druckZeichen(t.text);
    }
    out += zeile;
    out += '\n';
  }
  return out;
}

}  // namespace welvaro
