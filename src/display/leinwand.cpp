#include "display/leinwand.h"

#include <algorithm>
#include <cmath>

namespace welvaro {

void Leinwand::fuellen(Rahmen r, std::uint32_t farbe) {
  const int x0 = std::max(0, r.x), x1 = std::min(breite, r.x + r.breite);
  const int y0 = std::max(0, r.y), y1 = std::min(hoehe, r.y + r.hoehe);
  for (int y = y0; y < y1; ++y) std::fill(&at(x0, y), &at(x0, y) + std::max(0, x1 - x0), farbe);
}

void Deckschicht::auftragenBis(std::uint32_t* pixel, std::size_t& pos, std::uint32_t ende) const {
  for (; pos < eintraege_.size() && eintraege_[pos].index < ende; ++pos) {
    const Eintrag& e = eintraege_[pos];
    pixel[e.index] = mische(pixel[e.index], e.farbe, e.farbe >> 24);
  }
}

void Strichmaske::setzeGroesse(int breite, int hoehe) {
  breite_ = breite;
  hoehe_ = hoehe;
  clip_ = {0, 0, breite, hoehe};
  deckung_.assign(static_cast<std::size_t>(breite) * hoehe, 0);
  beruehrt_.clear();
}

void Strichmaske::pixel(int x, int y) {
  if (x >= std::max(0, clip_.x) && x < std::min(breite_, clip_.x + clip_.breite) && y >= std::max(0, clip_.y) &&
      y < std::min(hoehe_, clip_.y + clip_.hoehe))
    decke(x, y, 255);
}

void Strichmaske::strecke(Punkt a, Punkt b, double breite) {
  if (!(std::isfinite(a.x) && std::isfinite(a.y) && std::isfinite(b.x) && std::isfinite(b.y) && breite > 0)) return;
  // Cover of a pixel whose centre lies d from the line's middle: the share of
  // a one-pixel box the line crosses, at most the line's own width.
  const double halb = breite / 2, reich = halb + 0.5, voll = std::min(breite, 1.0);
  const int cx0 = std::max(0, clip_.x), cx1 = std::min(breite_, clip_.x + clip_.breite) - 1;
  const int cy0 = std::max(0, clip_.y), cy1 = std::min(hoehe_, clip_.y + clip_.hoehe) - 1;
  const int y0 = std::max(cy0, static_cast<int>(std::ceil(std::min(a.y, b.y) - reich)));
  const int y1 = std::min(cy1, static_cast<int>(std::floor(std::max(a.y, b.y) + reich)));
  const int bx0 = std::max(cx0, static_cast<int>(std::ceil(std::min(a.x, b.x) - reich)));
  const int bx1 = std::min(cx1, static_cast<int>(std::floor(std::max(a.x, b.x) + reich)));
  if (y0 > y1 || bx0 > bx1) return;
  const double dx = b.x - a.x, dy = b.y - a.y, l2 = dx * dx + dy * dy, l = std::sqrt(l2);
  for (int y = y0; y <= y1; ++y) {
    int x0 = bx0, x1 = bx1;
    // Only the pixels near the infinite line: |(x - a.x) dy - (y - a.y) dx| <= reich x l.
    if (std::fabs(dy) > 1e-9 * l) {
      const double m = a.x + (y - a.y) * dx / dy, w = std::fabs(reich * l / dy);
      x0 = std::max(x0, static_cast<int>(std::ceil(m - w)));
      x1 = std::min(x1, static_cast<int>(std::floor(m + w)));
    }
    for (int x = x0; x <= x1; ++x) {
      double px = x - a.x, py = y - a.y;
      if (l2 > 0) {
        const double t = std::clamp((px * dx + py * dy) / l2, 0.0, 1.0);
        px -= t * dx;
        py -= t * dy;
      }
      const double d2 = px * px + py * py;
      if (d2 >= reich * reich) continue;  // no cover, and no root needed
      const double c = std::min(voll, reich - std::sqrt(d2));
      if (c > 0) decke(x, y, static_cast<std::uint8_t>(c * 255 + 0.5));
    }
  }
}

void Strichmaske::auftragen(Leinwand& ziel, std::uint32_t farbe) {
  for (const std::uint32_t i : beruehrt_) {
    ziel.pixel[i] = mische(ziel.pixel[i], farbe, deckung_[i]);
    deckung_[i] = 0;
  }
  beruehrt_.clear();
}

void Strichmaske::sammeln(std::vector<std::uint32_t>& sammel, std::uint32_t farbe) {
  for (const std::uint32_t i : beruehrt_) {
    const double as = deckung_[i] / 255.0;
    const std::uint32_t alt = sammel[i];
    const double ad = (alt >> 24) / 255.0;
    const double ao = as + ad * (1 - as);
    std::uint32_t neu = static_cast<std::uint32_t>(ao * 255 + 0.5) << 24;
    for (int k = 0; k < 24; k += 8) {
      const double cs = (farbe >> k) & 0xFF, cd = (alt >> k) & 0xFF;
      neu |= static_cast<std::uint32_t>((cs * as + cd * ad * (1 - as)) / ao + 0.5) << k;
    }
    sammel[i] = neu;
    deckung_[i] = 0;
  }
  beruehrt_.clear();
}

void Strichmaske::verdichten(std::vector<std::uint32_t>& sammel, Deckschicht& ziel) {
  ziel.eintraege_.clear();
  for (std::size_t i = 0; i < sammel.size(); ++i) {
    if (sammel[i] >> 24) ziel.eintraege_.push_back({static_cast<std::uint32_t>(i), sammel[i]});
    sammel[i] = 0;
  }
}

}  // namespace welvaro
