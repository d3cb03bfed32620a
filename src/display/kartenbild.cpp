#include "display/kartenbild.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <string>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "display/schrift.h"
#include "model/constants.h"

namespace welvaro {

namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kRad = kPi / 180.0;

// Greys of the drawings, as in the map's overlay.
constexpr std::uint32_t kKuesteGrau = rgb(0x5A, 0x5A, 0x5A);
constexpr std::uint32_t kGrenzGrau = rgb(0x84, 0x84, 0x84);
constexpr std::uint32_t kGitterGrau = rgb(0xE0, 0xE0, 0xE0);
constexpr std::uint32_t kSchwarz = rgb(0, 0, 0);
constexpr std::uint32_t kWeiss = rgb(255, 255, 255);

// Night shading: from the terminator the colours darken over a twilight band
// (the sun down to about 6 degrees below the horizon) in kStufen steps to
// half their brightness.
constexpr int kStufen = 32;
constexpr double kDaemmerung = 0.1;  // sine of the sun's depth where full night begins
constexpr double kNacht = 0.5;       // share of the brightness the night takes away

// Rings of the azimuthal map every 5000 km, bearing lines every 30 degrees.
constexpr double kRingKm = 5000;


// Grid coordinates of a position: band b (0..17) and weight t, column j
// (0..35) and weight u, 180 E being column 36 = -180 again.
struct Zelle {
  int b, j;
  float t, u;
};
Zelle zelleVon(Ort o) {
  const double z = (std::clamp(o.breite, -90.0, 90.0) + 90.0) / 10.0;
  const double s = (std::clamp(o.laenge, -180.0, 180.0) + 180.0) / 10.0;
  const int b = std::min(17, static_cast<int>(z)), j = std::min(35, static_cast<int>(s));
  return {b, j, static_cast<float>(z - b), static_cast<float>(s - j)};
}

// A polyline of positions `punkt(i)`, i < n, stroked into `m`; with
// `strich` > 0 dashed, `strich` pixels drawn and as many left out. Pieces
// that jump are not joined: on the rectangular map a piece crossing the date
// line is drawn to both edges; on the azimuthal map a piece passing by the
// antipode (spread over the rim) is left out.
template <class Punkte>
void polylinie(const Kartenprojektion& p, Strichmaske& m, std::size_t n, Punkte punkt, double dicke,
               double strich = 0) {
  if (n < 2) return;
  double lauf = 0;  // length drawn so far, for the dashes
  const auto stueck = [&](Punkt a, Punkt b) {
    if (strich <= 0) return m.strecke(a, b, dicke);
    const double len = std::hypot(b.x - a.x, b.y - a.y);
    for (double t0 = 0; t0 < len;) {
      const double phase = std::fmod(lauf, 2 * strich);
      const double t1 = std::min(len, t0 + (phase < strich ? strich - phase : 2 * strich - phase));
      if (phase < strich)
        m.strecke({a.x + (b.x - a.x) * t0 / len, a.y + (b.y - a.y) * t0 / len},
                  {a.x + (b.x - a.x) * t1 / len, a.y + (b.y - a.y) * t1 / len}, dicke);
      lauf += t1 - t0;
      t0 = t1;
    }
  };
  Ort a = punkt(0);
  Punkt pa = p.zuPixel(a);
  const double sprung = p.radius() / 4;
  for (std::size_t i = 1; i < n; ++i) {
    const Ort b = punkt(i);
    const Punkt pb = p.zuPixel(b);
    if (p.art() == Projektion::Rechteck && std::fabs(b.laenge - a.laenge) > 180) {
      const double rand = a.laenge > 0 ? 180.0 : -180.0;
      const double lb = b.laenge + (b.laenge < a.laenge ? 360.0 : -360.0);
      const double t = (rand - a.laenge) / (lb - a.laenge);
      const double breite = a.breite + t * (b.breite - a.breite);
      stueck(pa, {p.spalte(rand), p.zeile(breite)});
      stueck({p.spalte(-rand), p.zeile(breite)}, pb);
    } else if (p.art() == Projektion::Rechteck || std::hypot(pb.x - pa.x, pb.y - pa.y) <= sprung) {
      stueck(pa, pb);
    }
    a = b;
    pa = pb;
  }
}

// Colour indices of the pixels von..bis-1 of a row lying between two grid
// columns: a + u d, u the pixel's weight. The values lie within 0..108 (an
// interpolation between indices of the table), so the whole part is the
// index; four pixels at a time where the processor has SSE2, with the same
// single-precision operations as one at a time.
void indexLauf(std::uint16_t* ziel, const float* u, int von, int bis, float a, float d) {
  int x = von;
#if defined(__SSE2__)
  const __m128 va = _mm_set1_ps(a), vd = _mm_set1_ps(d);
  for (; x + 8 <= bis; x += 8) {
    const __m128i i0 = _mm_cvttps_epi32(_mm_add_ps(va, _mm_mul_ps(_mm_loadu_ps(u + x), vd)));
    const __m128i i1 = _mm_cvttps_epi32(_mm_add_ps(va, _mm_mul_ps(_mm_loadu_ps(u + x + 4), vd)));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(ziel + x), _mm_packs_epi32(i0, i1));
  }
#endif
  for (; x < bis; ++x) ziel[x] = static_cast<std::uint16_t>(static_cast<int>(a + u[x] * d));
}

// Adds to each index 129 times the pixel's night step sa + sb cos, held to
// 0..kStufen: the entry of the colour table darkened by that step.
void nachtLauf(std::uint16_t* ziel, const float* cosL, std::size_t n, float sa, float sb) {
  std::size_t x = 0;
#if defined(__SSE2__)
  const __m128 va = _mm_set1_ps(sa), vb = _mm_set1_ps(sb), null = _mm_setzero_ps(),
               voll = _mm_set1_ps(float{kStufen});
  const __m128i zeilen = _mm_set1_epi16(129);
  for (; x + 8 <= n; x += 8) {
    const __m128 s0 = _mm_min_ps(_mm_max_ps(_mm_add_ps(va, _mm_mul_ps(vb, _mm_loadu_ps(cosL + x))), null), voll);
    const __m128 s1 = _mm_min_ps(_mm_max_ps(_mm_add_ps(va, _mm_mul_ps(vb, _mm_loadu_ps(cosL + x + 4))), null), voll);
    const __m128i st = _mm_packs_epi32(_mm_cvttps_epi32(s0), _mm_cvttps_epi32(s1));
    __m128i* p = reinterpret_cast<__m128i*>(ziel + x);
    _mm_storeu_si128(p, _mm_add_epi16(_mm_loadu_si128(p), _mm_mullo_epi16(st, zeilen)));
  }
#endif
  for (; x < n; ++x)
    ziel[x] = static_cast<std::uint16_t>(
        ziel[x] + 129 * static_cast<int>(std::min(std::max(sa + sb * cosL[x], 0.0f), float{kStufen})));
}

// Points of the great circle from `a` along `peilungGrad` over `winkel`
// [rad], one every half degree at most.
void bogenPunkte(Ort a, double peilungGrad, double winkel, std::vector<Ort>& out) {
  out.clear();
  const int n = std::max(2, static_cast<int>(std::ceil(winkel / kRad * 2)) + 1);
  for (int i = 0; i < n; ++i) out.push_back(zielpunkt(a, peilungGrad, winkel * i / (n - 1)));
}

}  // namespace

void Kartenbild::setzeLinien(const Kartenlinien* linien) { daten_ = linien; }

void Kartenbild::aufbauen(const State& s, const Ansicht& a, const Schluessel& k) {
  schluessel_ = k;
  const bool azimutal = a.projektion == Projektion::Azimutal;
  tafel_ = tafelAufteilen(azimutal ? Tafelart::Azimutal : Tafelart::Karte, k.tafel.breite, k.tafel.hoehe, a.skalen,
                          schriftPunkt(a.skala));
  const std::size_t flaeche = static_cast<std::size_t>(k.tafel.breite) * k.tafel.hoehe;
  puffer_.assign(flaeche, a.grund);
  sammel_.assign(flaeche, 0);
  maske_.setzeGroesse(k.tafel.breite, k.tafel.hoehe);
  const Rahmen& r = tafel_.bild;
  proj_ = azimutal ? Kartenprojektion::azimutal(r, {s.X1, s.Y1}) : Kartenprojektion::rechteck(r);

  Leinwand w = leinwand();
  zeichneRand(w, maske_, tafel_, a.grund, a.pegel);
  if (azimutal)
    zeichneAzimutalskalen(w, maske_, tafel_, proj_, a.grund);
  else
    zeichneKartenskalen(w, maske_, tafel_, proj_, a.grund);

  // The colours, darkened step by step for the night side.
  farben_.resize(static_cast<std::size_t>(kStufen + 1) * 129);
  const std::uint32_t* werte = wertFarben();
  for (int st = 0; st <= kStufen; ++st) {
    const auto deckung = static_cast<std::uint32_t>(std::lround(255 * kNacht * st / kStufen));
    for (int i = 0; i <= 128; ++i) farben_[static_cast<std::size_t>(st) * 129 + i] = mische(werte[i], kSchwarz, deckung);
  }

  spalteU_.clear();
  spalteLaenge_.clear();
  scheibe_.clear();
  rand_.clear();
  zeileVon_.assign(static_cast<std::size_t>(std::max(0, r.hoehe)), 0);
  zeileBis_.assign(static_cast<std::size_t>(std::max(0, r.hoehe)), 0);
  zeileX0_.assign(static_cast<std::size_t>(std::max(0, r.hoehe)), 0);
  if (!azimutal) {
    // Per picture column its weight between its grid columns; the columns
    // of each grid segment follow each other.
    segment_.assign(37, r.breite);
    for (int x = r.breite - 1; x >= 0; --x) {
      const double sp = r.breite > 1 ? x * 36.0 / (r.breite - 1) : 0.0;  // grid columns from -180
      segment_[static_cast<std::size_t>(std::min(35, static_cast<int>(sp)))] = x;
    }
    // A grid column without a pixel (a picture narrower than 36 pixels)
    // starts where the next one does.
    for (int j = 35; j >= 0; --j)
      segment_[static_cast<std::size_t>(j)] =
          std::min(segment_[static_cast<std::size_t>(j)], segment_[static_cast<std::size_t>(j) + 1]);
    for (int x = 0; x < r.breite; ++x) {
      const double sp = r.breite > 1 ? x * 36.0 / (r.breite - 1) : 0.0;
      spalteU_.push_back(static_cast<float>(sp - std::min(35, static_cast<int>(sp))));
      spalteLaenge_.push_back(-180.0 + sp * 10.0);
    }
    spalteCos_.assign(spalteU_.size(), 0.0f);
    zeileFarbe_.assign(spalteU_.size(), 0);
  } else {
    const Punkt c = proj_.scheibenMitte();
    const double rad = proj_.radius();
    for (int y = 0; y < r.hoehe; ++y) {
      const double dy = r.y + y - c.y;
      const double halb = (rad + 0.5) * (rad + 0.5) - dy * dy;
      if (halb < 0) continue;
      const int von = std::max(0, static_cast<int>(std::ceil(c.x - std::sqrt(halb))) - r.x);
      const int bis = std::min(r.breite, static_cast<int>(std::floor(c.x + std::sqrt(halb))) - r.x + 1);
      zeileVon_[static_cast<std::size_t>(y)] = static_cast<std::uint32_t>(scheibe_.size());
      zeileX0_[static_cast<std::size_t>(y)] = von;
      for (int x = von; x < bis; ++x) {
        const double dx = r.x + x - c.x, rho = std::sqrt(dx * dx + dy * dy);
        // Pixels just beyond the rim show the antipode, partly covered.
        const double f = rho > rad * (1 - 1e-12) ? rad * (1 - 1e-12) / rho : 1.0;
        const std::array<double, 3> v = proj_.zuVektor({c.x + dx * f, c.y + dy * f}).value_or(std::array<double, 3>{1, 0, 0});
        const Zelle z = zelleVon({std::asin(std::clamp(v[2], -1.0, 1.0)) / kRad,
                                  v[0] == 0 && v[1] == 0 ? proj_.mitte().laenge : std::atan2(v[1], v[0]) / kRad});
        const auto e = [](double w) { return static_cast<std::int16_t>(w * 32767 + (w < 0 ? -0.5 : 0.5)); };
        scheibe_.push_back({static_cast<std::uint16_t>(z.b * 37 + z.j), e(v[0]), e(v[1]), e(v[2]), z.t, z.u});
        const double deckung = std::clamp(rad + 0.5 - rho, 0.0, 1.0);
        if (deckung < 1)
          rand_.push_back({static_cast<std::uint32_t>((r.y + y) * k.tafel.breite + r.x + x),
                           static_cast<std::uint8_t>(deckung * 255 + 0.5)});
      }
      zeileBis_[static_cast<std::size_t>(y)] = static_cast<std::uint32_t>(scheibe_.size());
    }
  }
  statischeLinien(a);
  if (azimutal)
    grundbild_ = puffer_;
  else
    grundbild_.clear();
}

void Kartenbild::statischeLinien(const Ansicht& a) {
  linienSchicht_.leeren();
  if (!a.linien) return;
  const Rahmen& r = tafel_.bild;
  maske_.setzeClip(r);
  // One pixel wide: the middle of a line shows its grey itself.
  const double breite = a.skala;
  if (proj_.art() == Projektion::Rechteck) {
    // Graticule every 30 degrees.
    for (int b = -60; b <= 60; b += 30)
      maske_.strecke({proj_.spalte(-180), proj_.zeile(b)}, {proj_.spalte(180), proj_.zeile(b)}, breite);
    for (int l = -180; l <= 180; l += 30)
      maske_.strecke({proj_.spalte(l), proj_.zeile(90)}, {proj_.spalte(l), proj_.zeile(-90)}, breite);
  } else {
    // Rings every 5000 km short of the rim, bearing lines every 30 degrees.
    const Punkt c = proj_.scheibenMitte();
    const double proKm = proj_.radius() / (kPi * k::Erdradius);
    for (double km = kRingKm; km * proKm < proj_.radius() - 2; km += kRingKm) {
      const double rho = km * proKm;
      const int n = std::max(36, static_cast<int>(rho));
      Punkt alt{c.x, c.y - rho};
      for (int i = 1; i <= n; ++i) {
        const Punkt neu{c.x + rho * std::sin(2 * kPi * i / n), c.y - rho * std::cos(2 * kPi * i / n)};
        maske_.strecke(alt, neu, breite);
        alt = neu;
      }
    }
    for (int g = 0; g < 360; g += 30)
      maske_.strecke(c, {c.x + proj_.radius() * std::sin(g * kRad), c.y - proj_.radius() * std::cos(g * kRad)},
                     breite);
  }
  maske_.sammeln(sammel_, kGitterGrau);
  if (daten_ != nullptr) {
    for (const Linienart art : {Linienart::Grenze, Linienart::Kueste}) {
      for (const Kartenlinien::Linie& l : daten_->linien) {
        if (l.art != art) continue;
        const float* b = daten_->breite.data() + l.anfang;
        const float* g = daten_->laenge.data() + l.anfang;
        polylinie(proj_, maske_, l.anzahl, [&](std::size_t i) { return Ort{b[i], g[i]}; }, breite);
      }
      maske_.sammeln(sammel_, art == Linienart::Kueste ? kKuesteGrau : kGrenzGrau);
    }
  }
  if (proj_.art() == Projektion::Azimutal) {
    // The distance of each ring, on a dark plate beside the north line.
    const int n = tafel_.punkt, gh = kSchriftHoehe * n;
    const Punkt c = proj_.scheibenMitte();
    const double proKm = proj_.radius() / (kPi * k::Erdradius);
    for (double km = kRingKm; km * proKm < proj_.radius() - 2; km += kRingKm) {
      const std::string text = std::to_string(static_cast<int>(km)) + " km";
      const int x = static_cast<int>(std::lround(c.x)) + 2 * n;
      const int y = static_cast<int>(std::lround(c.y - km * proKm)) - gh - 2 * n;
      for (int yy = y - n; yy < y + gh + n; ++yy)
        for (int xx = x - n; xx < x + textBreite(text) * n + n; ++xx) maske_.pixel(xx, yy);
      maske_.sammeln(sammel_, rgb(0x20, 0x20, 0x20));
      schreibe(maske_, text, x, y, n);
      maske_.sammeln(sammel_, kWeiss);
    }
  }
  Strichmaske::verdichten(sammel_, linienSchicht_);
  maske_.setzeClip({0, 0, maske_.breite(), maske_.hoehe()});
}

Ort sonnenpunkt(float dekl, int utcMinute) {
  const double stunden = std::clamp(utcMinute, 0, 1439) / 60.0;
  return {dekl / kRad, normLaenge(-15.0 * (stunden - 12.0))};
}

void Kartenbild::setzeSonne(const State& s, const Ansicht& a) {
  sonne_ = sonnenpunkt(s.Dekl, a.utcMinute);
  sinDekl_ = std::sin(sonne_.breite * kRad);
  cosDekl_ = std::cos(sonne_.breite * kRad);
  sonneXYZ_[0] = cosDekl_ * std::cos(sonne_.laenge * kRad);
  sonneXYZ_[1] = cosDekl_ * std::sin(sonne_.laenge * kRad);
  sonneXYZ_[2] = sinDekl_;
}

const std::uint32_t* Kartenbild::render(const State& s, const Ansicht& a, int breite, int hoehe) {
  Schluessel k;
  k.tafel = tafelschluessel(breite, hoehe, a.linien, a.skalen, a.pegel, a.skala, a.grund);
  k.projektion = a.projektion;
  if (a.projektion == Projektion::Azimutal) {
    k.mitteB = s.X1;
    k.mitteL = s.Y1;
  }
  k.daten = daten_;
  k.datenPunkte = daten_ ? daten_->breite.size() : 0;
  if (!(k == schluessel_)) aufbauen(s, a, k);
  pegel_ = a.pegel;

  const int minute = std::clamp(a.utcMinute, 0, 1439);
  weltRaster(s, a.frequenz, minute / 60, minute % 60, a.pegel, gitter_);
  for (int i = 0; i <= 18; ++i) {
    for (int j = 0; j <= 35; ++j) werte_[i][j] = gitter_[i][j];
    werte_[i][36] = werte_[i][0];  // east of 170 E towards -180 again
  }
  if (a.greyline) setzeSonne(s, a);
  // Both lay the lines over each row as soon as it is made.
  if (proj_.art() == Projektion::Rechteck)
    rendereRechteck(a, werte_);
  else
    rendereAzimutal(a, werte_);
  maske_.setzeClip(tafel_.bild);
  if (a.greyline) zeichneTerminator(a);
  if (a.pfad) zeichnePfad(s, a);
  maske_.setzeClip({0, 0, maske_.breite(), maske_.hoehe()});
  return puffer_.data();
}

void Kartenbild::rendereRechteck(const Ansicht& a, const float (&werte)[19][37]) {
  const Rahmen& r = tafel_.bild;
  const std::size_t w = spalteU_.size();
  if (a.greyline)
    for (std::size_t x = 0; x < w; ++x)
      spalteCos_[x] = static_cast<float>(std::cos((spalteLaenge_[x] - sonne_.laenge) * kRad));
  const float stufeJeZ = static_cast<float>(-kStufen / kDaemmerung);
  std::uint16_t* farbe = zeileFarbe_.data();
  std::size_t linie = 0;
  // Per row: the colour index per grid column segment, the night step, the
  // colour; then the lines over it while the row is in the cache.
  for (int y = 0; y < r.hoehe; ++y) {
    const double z = r.hoehe > 1 ? 18.0 - y * 18.0 / (r.hoehe - 1) : 9.0;  // grid rows from the south pole
    const int b = std::min(17, static_cast<int>(z));
    const float t = static_cast<float>(z - b);
    float zeile[37];
    for (int j = 0; j <= 36; ++j) zeile[j] = werte[b][j] + t * (werte[b + 1][j] - werte[b][j]);
    for (std::size_t j = 0; j < 36; ++j)
      indexLauf(farbe, spalteU_.data(), segment_[j], segment_[j + 1], zeile[j], zeile[j + 1] - zeile[j]);
    if (a.greyline) {
      // Height of the sun: sin(lat) sin(decl) + cos(lat) cos(decl) cos(longitude from the sun).
      const double breite = (z * 10.0 - 90.0) * kRad;
      const float sa = static_cast<float>(std::sin(breite) * sinDekl_) * stufeJeZ;
      const float sb = static_cast<float>(std::cos(breite) * cosDekl_) * stufeJeZ;
      if (sa + std::fabs(sb) > 0) nachtLauf(farbe, spalteCos_.data(), w, sa, sb);  // else all in daylight
    }
    std::uint32_t* out = puffer_.data() + static_cast<std::size_t>(r.y + y) * tafel_.breite + r.x;
    const std::uint32_t* f = farben_.data();
    for (std::size_t x = 0; x < w; ++x) out[x] = f[farbe[x]];
    linienSchicht_.auftragenBis(puffer_.data(), linie, static_cast<std::uint32_t>((r.y + y + 1) * tafel_.breite));
  }
}

void Kartenbild::rendereAzimutal(const Ansicht& a, const float (&werte)[19][37]) {
  const Rahmen& r = tafel_.bild;
  const float stufeJeZ = static_cast<float>(-kStufen / kDaemmerung / 32767.0);
  const float sx = static_cast<float>(sonneXYZ_[0]) * stufeJeZ, sy = static_cast<float>(sonneXYZ_[1]) * stufeJeZ,
              sz = static_cast<float>(sonneXYZ_[2]) * stufeJeZ;
  const float* w = &werte[0][0];
  std::size_t linie = 0, randPos = 0;
  for (int y = 0; y < r.hoehe; ++y) {
    std::uint32_t* zeile = puffer_.data() + static_cast<std::size_t>(r.y + y) * tafel_.breite + r.x;
    const std::size_t von = zeileVon_[static_cast<std::size_t>(y)], bis = zeileBis_[static_cast<std::size_t>(y)];
    // Around the disc the plate as it was drawn, also where last frame's
    // lines reached out.
    const int x0 = zeileX0_[static_cast<std::size_t>(y)];
    const int x1 = x0 + static_cast<int>(bis - von);
    const std::uint32_t* still = grundbild_.data() + (zeile - puffer_.data());
    std::copy(still, still + x0, zeile);
    std::copy(still + x1, still + r.breite, zeile + x1);
    for (std::size_t i = von; i < bis; ++i) {
      const Scheibenpixel& p = scheibe_[i];
      const int band = p.zelle / 37, j = p.zelle % 37;
      const int index = wertIndex(bilinear(w + band * 37, w + (band + 1) * 37, j, p.t, p.u));
      int stufe = 0;
      if (a.greyline) stufe = static_cast<int>(std::clamp(sx * p.ex + sy * p.ey + sz * p.ez, 0.0f, float{kStufen}));
      zeile[x0 + static_cast<int>(i - von)] = farben_[static_cast<std::size_t>(stufe) * 129 + index];
    }
    const auto ende = static_cast<std::uint32_t>((r.y + y + 1) * tafel_.breite);
    for (; randPos < rand_.size() && rand_[randPos].index < ende; ++randPos) {
      const Randpixel& p = rand_[randPos];
      puffer_[p.index] = mische(grundbild_[p.index], puffer_[p.index], p.deckung);
    }
    linienSchicht_.auftragenBis(puffer_.data(), linie, ende);
  }
}

void Kartenbild::zeichneTerminator(const Ansicht& a) {
  // The great circle a quarter turn from the sub-solar point: from the point
  // on the equator 90 degrees east of the sun, through the pole-near points.
  bogen_.clear();
  for (int i = 0; i <= 360; ++i) bogen_.push_back(zielpunkt(sonne_, i, kPi / 2));
  Leinwand w = leinwand();
  const auto punkt = [&](std::size_t i) { return bogen_[i]; };
  // Dashed, so that it is not taken for the path; white on a black edge, so
  // that it shows on every colour.
  polylinie(proj_, maske_, bogen_.size(), punkt, 3.5 * a.skala, 8 * a.skala);
  maske_.auftragen(w, kSchwarz);
  polylinie(proj_, maske_, bogen_.size(), punkt, 1.5 * a.skala, 8 * a.skala);
  maske_.auftragen(w, kWeiss);
}

void Kartenbild::zeichneMarke(Ort o, const char* name, const Ansicht& a) {
  Leinwand w = leinwand();
  const Punkt p = proj_.zuPixel(o);
  const double r = 3.5 * a.skala;
  maske_.scheibe(p, r + 1.5 * a.skala);
  maske_.auftragen(w, kSchwarz);
  maske_.scheibe(p, r);
  maske_.auftragen(w, kWeiss);
  // The letter on a dark plate to the upper right of the mark.
  const int n = std::max(1, tafel_.punkt), gh = kSchriftHoehe * n;
  const int x = static_cast<int>(std::lround(p.x + r + 2 * a.skala)) + n;
  const int y = static_cast<int>(std::lround(p.y - r - 2 * a.skala)) - gh;
  for (int yy = y - n; yy < y + gh + n; ++yy)
    for (int xx = x - n; xx < x + textBreite(name) * n + n; ++xx) maske_.pixel(xx, yy);
  maske_.auftragen(w, kSchwarz);
  schreibe(maske_, name, x, y, n);
  maske_.auftragen(w, kWeiss);
}

void Kartenbild::zeichnePfad(const State& s, const Ansicht& a) {
  const Ort oa{s.X1, s.Y1}, ob{s.OrtX2, s.OrtY2};
  const double winkel = zentriwinkel(oa, ob);
  const bool lang = s.P == "L";  // the calculation takes the long path only for "L"
  if (winkel > 0 || lang) {
    bogenPunkte(oa, peilung(oa, ob) + (lang ? 180.0 : 0.0), lang ? 2 * kPi - winkel : winkel, bogen_);
    Leinwand w = leinwand();
    const auto punkt = [&](std::size_t i) { return bogen_[i]; };
    polylinie(proj_, maske_, bogen_.size(), punkt, 4.0 * a.skala);
    maske_.auftragen(w, kSchwarz);
    polylinie(proj_, maske_, bogen_.size(), punkt, 2.0 * a.skala);
    maske_.auftragen(w, kWeiss);
  }
  zeichneMarke(ob, "B", a);
  zeichneMarke(oa, "A", a);
}

std::optional<KartenAblesung> Kartenbild::ablesen(const State& s, Punkt p) const {
  const std::optional<Ort> o = proj_.zuOrt(p);
  if (!o || schluessel_.tafel.breite < 0) return std::nullopt;
  KartenAblesung a;
  a.ort = *o;
  const Ort station{s.X1, s.Y1};
  a.peilung = peilung(station, a.ort);
  a.abstandKm = abstandKm(station, a.ort);
  const Zelle z = zelleVon(a.ort);
  a.farbIndex = std::min(kFarbMax, wertIndex(bilinear(werte_[z.b], werte_[z.b + 1], z.j, z.t, z.u)));
  a.wert = wertVonIndex(a.farbIndex, pegel_);
  return a;
}

}  // namespace welvaro
