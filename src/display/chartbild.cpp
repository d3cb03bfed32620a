#include "display/chartbild.h"

#include <algorithm>
#include <cmath>

#include "display/bitmap.h"

namespace welvaro {

namespace {

constexpr std::uint32_t kGitterGrau = rgb(0x84, 0x84, 0x84);

}  // namespace

void Chartbild::aufbauen(const ChartAnsicht& a, const Tafelschluessel& k) {
  schluessel_ = k;
  tafel_ = tafelAufteilen(Tafelart::Chart, k.breite, k.hoehe, a.skalen, schriftPunkt(a.skala));
  const std::size_t flaeche = static_cast<std::size_t>(k.breite) * k.hoehe;
  puffer_.assign(flaeche, a.grund);
  sammel_.assign(flaeche, 0);
  maske_.setzeGroesse(k.breite, k.hoehe);
  proj_ = Chartprojektion(tafel_.bild);
  Leinwand w{puffer_.data(), k.breite, k.hoehe};
  zeichneRand(w, maske_, tafel_, a.grund, a.pegel);
  zeichneChartskalen(w, maske_, tafel_, proj_, a.grund);

  const Rahmen& r = tafel_.bild;
  spalteJ_.clear();
  spalteU_.clear();
  for (int x = 0; x < r.breite; ++x) {
    const double h = r.breite > 1 ? x * 24.0 / (r.breite - 1) : 0.0;
    const int j = std::min(23, static_cast<int>(h));
    spalteJ_.push_back(static_cast<std::uint16_t>(j));
    spalteU_.push_back(static_cast<float>(h - j));
  }

  gitterSchicht_.leeren();
  if (a.linien) {
    maske_.setzeClip(r);
    const double d = a.skala;  // one pixel: the middle of a line shows the grey itself
    for (int h = 1; h < 24; ++h)
      maske_.strecke({proj_.spalte(h), proj_.zeile(0)}, {proj_.spalte(h), proj_.zeile(30)}, d);
    for (int f = 5; f < 30; f += 5)
      maske_.strecke({proj_.spalte(0), proj_.zeile(f)}, {proj_.spalte(24), proj_.zeile(f)}, d);
    maske_.sammeln(sammel_, kGitterGrau);
    Strichmaske::verdichten(sammel_, gitterSchicht_);
    maske_.setzeClip({0, 0, k.breite, k.hoehe});
  }
}

const std::uint32_t* Chartbild::render(const State& s, const ChartAnsicht& a, int breite, int hoehe) {
  const Tafelschluessel k = tafelschluessel(breite, hoehe, a.linien, a.skalen, a.pegel, a.skala, a.grund);
  if (!(k == schluessel_)) aufbauen(a, k);
  pegel_ = a.pegel;

  Ortsgitter gitter;
  ortsRaster(s, a.pegel, gitter);
  for (int f = 0; f <= 30; ++f)
    for (int h = 0; h <= 24; ++h) werte_[f][h] = gitter[h][f];  // hour 24 = 00 UTC again

  const Rahmen& r = tafel_.bild;
  const std::uint32_t* farben = wertFarben();
  for (int y = 0; y < r.hoehe; ++y) {
    const double z = r.hoehe > 1 ? 30.0 - y * 30.0 / (r.hoehe - 1) : 15.0;
    const int b = std::min(29, static_cast<int>(z));
    const float t = static_cast<float>(z - b);
    float zeile[25], schritt[24];
    for (int h = 0; h <= 24; ++h) zeile[h] = werte_[b][h] + t * (werte_[b + 1][h] - werte_[b][h]);
    for (int h = 0; h < 24; ++h) schritt[h] = zeile[h + 1] - zeile[h];
    std::uint32_t* out = puffer_.data() + static_cast<std::size_t>(r.y + y) * tafel_.breite + r.x;
    for (std::size_t x = 0; x < spalteJ_.size(); ++x) {
      const int j = spalteJ_[x];
      out[x] = farben[wertIndex(zeile[j] + spalteU_[x] * schritt[j])];
    }
  }
  std::size_t pos = 0;
  gitterSchicht_.auftragenBis(puffer_.data(), pos, static_cast<std::uint32_t>(puffer_.size()));

  Leinwand w{puffer_.data(), tafel_.breite, tafel_.hoehe};
  maske_.setzeClip(r);
  for (int pass = 0; pass < 2; ++pass) {
    if (a.zeitlinie) {
      const double x = proj_.spalte(std::clamp(a.utcMinute, 0, 1439) / 60.0);
      maske_.strecke({x, proj_.zeile(0)}, {x, proj_.zeile(30)}, (pass == 0 ? 3.0 : 1.0) * a.skala);
    }
    if (a.frequenzlinie) {
      const double y = proj_.zeile(std::clamp(static_cast<double>(a.frequenz), 0.0, 30.0));
      maske_.strecke({proj_.spalte(0), y}, {proj_.spalte(24), y}, (pass == 0 ? 3.0 : 1.0) * a.skala);
    }
    maske_.auftragen(w, pass == 0 ? rgb(0, 0, 0) : rgb(255, 255, 255));
  }
  maske_.setzeClip({0, 0, tafel_.breite, tafel_.hoehe});
  return puffer_.data();
}

std::optional<ChartAblesung> Chartbild::ablesen(Punkt p) const {
  const std::optional<ChartOrt> o = proj_.zuOrt(p);
  if (!o || schluessel_.breite < 0) return std::nullopt;
  ChartAblesung a;
  a.ort = *o;
  const int b = std::min(29, static_cast<int>(o->mhz)), j = std::min(23, static_cast<int>(o->stunden));
  const float t = static_cast<float>(o->mhz - b), u = static_cast<float>(o->stunden - j);
  a.farbIndex = std::min(kFarbMax, wertIndex(bilinear(werte_[b], werte_[b + 1], j, t, u)));
  a.wert = wertVonIndex(a.farbIndex, pegel_);
  return a;
}

}  // namespace welvaro
