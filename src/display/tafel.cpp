#include "display/tafel.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <numbers>
#include <vector>

#include "display/bitmap.h"
#include "display/schrift.h"

namespace welvaro {

namespace {

// Sizes in font dots.
constexpr int kStrich = 3;   // tick length
constexpr int kLuecke = 2;   // gap between tick and label, and around
constexpr int kBalken = 4;   // width of the colour bar
constexpr int kBalkenAbstand = 5;

int tb(std::string_view text, int n) { return textBreite(text) * n; }

const char* einheit(bool pegel) { return pegel ? "dBm" : "dB(\u00B5V/m)"; }

// Text centred on (x, y).
void mitteText(Strichmaske& m, std::string_view text, double x, double y, int n) {
  schreibe(m, text, static_cast<int>(std::lround(x - tb(text, n) / 2.0)),
           static_cast<int>(std::lround(y - kSchriftHoehe * n / 2.0)), n);
}

// A tick one dot wide (at least one pixel) whose middle pixel is the
// column (waagrecht false) or row (true) `lage`.
void strich(Leinwand& w, int lage, int von, int bis, bool waagrecht, int n, std::uint32_t farbe) {
  const int dicke = std::max(1, n / 2), a = lage - (dicke - 1) / 2;
  const int lo = std::min(von, bis), len = std::abs(bis - von) + 1;
  w.fuellen(waagrecht ? Rahmen{lo, a, len, dicke} : Rahmen{a, lo, dicke, len}, farbe);
}

// The step of the labels: the first of `schritte` whose labels, `abstand`
// pixels apart per unit, leave room for the widest label.
int schrittFuer(std::initializer_list<int> schritte, double abstand, int breiteste) {
  for (int s : schritte)
    if (s * abstand >= breiteste) return s;
  return *(schritte.end() - 1);
}

// A tick of a scale: its place (column or row in pixel coordinates) and its
// label; an unlabelled tick is half as long.
struct Marke {
  double lage;
  std::string text;
};

// Ticks and labels below the picture (`unten`, columns) and left of it
// (`links`, rows). A tick stands on the picture's own pixel of its value:
// the nearest whole pixel to the place the projection gives.
void achsen(Leinwand& w, Strichmaske& m, const Tafel& t, std::uint32_t schrift, const std::vector<Marke>& unten,
            const std::vector<Marke>& links) {
  const int n = t.punkt, gh = kSchriftHoehe * n;
  const Rahmen& r = t.bild;
  const int zeile = r.y + r.hoehe;  // first row below the picture
  for (const Marke& k : unten) {
    const int x = static_cast<int>(std::lround(k.lage));
    strich(w, x, zeile, zeile + (k.text.empty() ? kStrich * n / 2 : kStrich * n) - 1, false, n, schrift);
    if (!k.text.empty()) mitteText(m, k.text, x, zeile + kStrich * n + kLuecke * n + gh / 2.0, n);
  }
  for (const Marke& k : links) {
    const int y = static_cast<int>(std::lround(k.lage));
    strich(w, y, r.x - 1, r.x - (k.text.empty() ? kStrich * n / 2 : kStrich * n), true, n, schrift);
    if (!k.text.empty()) schreibe(m, k.text, r.x - kStrich * n - kLuecke * n - tb(k.text, n), y - gh / 2, n);
  }
  m.auftragen(w, schrift);
}

}  // namespace

Tafelschluessel tafelschluessel(int breite, int hoehe, bool linien, bool skalen, bool pegel, double skala,
                                std::uint32_t grund) {
  return {std::max(1, breite), std::max(1, hoehe), linien, skalen, pegel && skalen, skala, grund};
}

int schriftPunkt(double skala) { return std::max(1, static_cast<int>(std::lround(2 * skala))); }

const std::uint32_t* wertFarben() {
  static const std::array<std::uint32_t, 129> farben = [] {
    std::array<std::uint32_t, 129> f{};
    for (int i = 0; i <= 128; ++i) {
      const Farbe c = paletteFarbe(i);
      f[static_cast<std::size_t>(i)] = rgb(c.rot, c.gruen, c.blau);
    }
    return f;
  }();
  return farben.data();
}

std::uint32_t schriftFarbe(std::uint32_t grund) {
  const int r = (grund >> 16) & 0xFF, g = (grund >> 8) & 0xFF, b = grund & 0xFF;
  return 299 * r + 587 * g + 114 * b > 128000 ? rgb(0, 0, 0) : rgb(255, 255, 255);
}

std::string gradBeschriftung(int grad, bool laenge) {
  if (grad == 0) return "0\u00B0";
  const char* seite = laenge ? (grad < 0 ? "W" : "E") : (grad < 0 ? "S" : "N");
  return std::to_string(std::abs(grad)) + "\u00B0" + seite;
}

Tafel tafelAufteilen(Tafelart art, int breite, int hoehe, bool skalen, int n) {
  Tafel t;
  t.breite = std::max(0, breite);
  t.hoehe = std::max(0, hoehe);
  t.punkt = std::max(1, n);
  // Small plates take a smaller font.
  while (skalen && t.punkt > 1 && (t.breite < 240 * t.punkt || t.hoehe < 120 * t.punkt)) --t.punkt;
  t.skalen = skalen;
  n = t.punkt;
  const int gh = kSchriftHoehe * n, luecke = kLuecke * n;
  int links = 0, rechts = 0, oben = 0, unten = 0;
  if (skalen) {
    // The colour bar with its values and, above it, the unit.
    const int balken = kBalkenAbstand * n + kBalken * n + kStrich * n / 2 + n + tb("-127", n) + luecke;
    rechts = std::max(balken, kBalkenAbstand * n + std::max(tb(einheit(true), n), tb(einheit(false), n)) + luecke);
    if (art == Tafelart::Karte) {
      links = std::max(luecke + tb("90\u00B0S", n) + luecke + kStrich * n, tb("180\u00B0W", n) / 2 + luecke);
      rechts = std::max(rechts, tb("180\u00B0E", n) / 2 + luecke);
      oben = gh / 2 + luecke;
      unten = kStrich * n + luecke + gh + luecke;
    } else if (art == Tafelart::Azimutal) {
      const int rand = luecke + kStrich * n + luecke;
      links = rand + tb("300\u00B0", n) + luecke;
      rechts += rand + tb("300\u00B0", n);
      oben = unten = rand + gh + luecke;
    } else {
      links = luecke + tb("MHz", n) + luecke + kStrich * n;
      rechts = std::max(rechts, tb("24", n) / 2 + luecke);
      oben = gh / 2 + luecke + gh + luecke;  // "MHz" above the frequency labels
      unten = kStrich * n + luecke + gh + luecke;
    }
  }
  // A buffer too small for the margins gets the picture alone.
  if (skalen && (t.breite - links - rechts < 16 || t.hoehe - oben - unten < 8))
    return tafelAufteilen(art, breite, hoehe, false, n);
  const int aw = std::max(1, t.breite - links - rechts), ah = std::max(1, t.hoehe - oben - unten);
  int pw = aw, ph = ah;
  if (art == Tafelart::Karte) {
    ph = std::min(ah, (aw - 1) / 2 + 1);
    pw = 2 * (ph - 1) + 1;
  } else if (art == Tafelart::Azimutal) {
    pw = ph = std::min(aw, ah);
  }
  const int x0 = (t.breite - (links + pw + rechts)) / 2 + links;
  const int y0 = (t.hoehe - (oben + ph + unten)) / 2 + oben;
  t.bild = {x0, y0, pw, ph};
  if (skalen) {
    const int top = y0 + gh + luecke + gh / 2;  // below the unit and the top value's label
    t.balken = {x0 + pw + (art == Tafelart::Azimutal ? links - luecke : 0) + kBalkenAbstand * n, top, kBalken * n,
                std::max(1, y0 + ph - top)};
  }
  return t;
}

void zeichneRand(Leinwand& w, Strichmaske& m, const Tafel& t, std::uint32_t grund, bool pegel) {
  w.fuellen({0, 0, w.breite, w.hoehe}, grund);
  if (!t.skalen || t.balken.breite <= 0) return;
  const std::uint32_t schrift = schriftFarbe(grund);
  const int n = t.punkt;
  const Rahmen& b = t.balken;
  const std::uint32_t* farben = wertFarben();
  // Index 0 on the bottom row, 108 on the top row.
  const int unten = b.y + b.hoehe - 1;
  for (int y = b.y; y <= unten; ++y) {
    const int v = b.hoehe > 1 ? static_cast<int>((unten - y) * static_cast<double>(kFarbMax) / (b.hoehe - 1) + 1e-9)
                              : 0;
    w.fuellen({b.x, y, b.breite, 1}, farben[v]);
  }
  // Labels every 18 steps (a ramp of the colour table), fewer on a short bar.
  const int schritt = schrittFuer({18, 36, 54, 108}, (b.hoehe - 1) / static_cast<double>(kFarbMax),
                                  kSchriftHoehe * n + n);
  for (int v = 0; v <= kFarbMax; v += schritt) {
    const int y = static_cast<int>(std::lround(unten - v * (b.hoehe - 1) / static_cast<double>(kFarbMax)));
    const int x = b.x + b.breite;
    strich(w, y, x, x + kStrich * n / 2, true, n, schrift);
    schreibe(m, std::to_string(wertVonIndex(v, pegel)), x + kStrich * n / 2 + n, y - kSchriftHoehe * n / 2, n);
  }
  schreibe(m, einheit(pegel), b.x, b.y - kSchriftHoehe * n / 2 - kLuecke * n - kSchriftHoehe * n, n);
  m.auftragen(w, schrift);
}

void zeichneKartenskalen(Leinwand& w, Strichmaske& m, const Tafel& t, const Kartenprojektion& p,
                         std::uint32_t grund) {
  if (!t.skalen) return;
  const int n = t.punkt;
  const Rahmen& r = t.bild;
  std::vector<Marke> unten, links;
  const int sl = schrittFuer({30, 60, 90, 180}, (r.breite - 1) / 360.0, tb("120\u00B0W", n) + 2 * n);
  for (int l = -180; l <= 180; l += sl) unten.push_back({p.spalte(l), gradBeschriftung(l, true)});
  const int sb = schrittFuer({30, 60, 90}, (r.hoehe - 1) / 180.0, kSchriftHoehe * n + 2 * n);
  for (int b = -90; b <= 90; b += sb) links.push_back({p.zeile(b), gradBeschriftung(b, false)});
  achsen(w, m, t, schriftFarbe(grund), unten, links);
}

void zeichneAzimutalskalen(Leinwand& w, Strichmaske& m, const Tafel& t, const Kartenprojektion& p,
                           std::uint32_t grund) {
  if (!t.skalen) return;
  const std::uint32_t schrift = schriftFarbe(grund);
  const int n = t.punkt, gh = kSchriftHoehe * n;
  const Punkt c = p.scheibenMitte();
  const double r = p.radius();
  for (int grad = 0; grad < 360; grad += 30) {
    const double th = grad * std::numbers::pi / 180, s = std::sin(th), k = -std::cos(th);
    m.strecke({c.x + s * (r + 1), c.y + k * (r + 1)}, {c.x + s * (r + kStrich * n), c.y + k * (r + kStrich * n)},
              std::max(1.0, n / 2.0));
    const std::string text = std::to_string(grad) + "\u00B0";
    const double d = r + (kStrich + kLuecke) * n + 0.5 * (std::fabs(s) * tb(text, n) + std::fabs(k) * gh);
    mitteText(m, text, c.x + s * d, c.y + k * d, n);
  }
  m.auftragen(w, schrift);
}

void zeichneChartskalen(Leinwand& w, Strichmaske& m, const Tafel& t, const Chartprojektion& p,
                        std::uint32_t grund) {
  if (!t.skalen) return;
  const std::uint32_t schrift = schriftFarbe(grund);
  const int n = t.punkt, gh = kSchriftHoehe * n;
  const Rahmen& r = t.bild;
  std::vector<Marke> unten, links;
  const int sh = schrittFuer({1, 2, 3, 4, 6, 12}, (r.breite - 1) / 24.0, tb("00", n) + 3 * n);
  for (int h = 0; h <= 24; ++h) unten.push_back({p.spalte(h), h % sh == 0 ? std::to_string(h) : std::string()});
  const int sm = schrittFuer({5, 10, 15, 30}, (r.hoehe - 1) / 30.0, gh + 2 * n);
  for (int f = 0; f <= 30; ++f) links.push_back({p.zeile(f), f % sm == 0 ? std::to_string(f) : std::string()});
  achsen(w, m, t, schrift, unten, links);
  schreibe(m, "UTC", static_cast<int>(std::lround(p.spalte(24))) + tb("24", n) / 2 + 2 * kLuecke * n,
           r.y + r.hoehe + kStrich * n + kLuecke * n, n);
  schreibe(m, "MHz", r.x - kStrich * n - kLuecke * n - tb("MHz", n), r.y - gh / 2 - kLuecke * n - gh, n);
  m.auftragen(w, schrift);
}

}  // namespace welvaro
