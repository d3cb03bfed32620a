// Drawing into a 32-bit pixel buffer: one uint32 per pixel, 0xAARRGGBB
// (alpha always 255), rows top to bottom without padding, the layout of a
// 32-bit RGB picture in memory on a little-endian machine.
//
// Lines are antialiased: a stroke first collects, per pixel, how much of the
// pixel the line covers (the largest cover where pieces of a polyline meet,
// so joints do not darken), then lays its colour over the pixels by that
// cover. Layers that stay the same from frame to frame (coastlines, grid)
// are collected once into a sparse list of covered pixels.
#pragma once

#include <cstdint>
#include <vector>

#include "display/projection.h"

namespace welvaro {

inline constexpr std::uint32_t kDeckend = 0xFF000000u;
inline constexpr std::uint32_t rgb(int r, int g, int b) {
  return kDeckend | (static_cast<std::uint32_t>(r) << 16) | (static_cast<std::uint32_t>(g) << 8) |
         static_cast<std::uint32_t>(b);
}

/// `oben` laid over `unten` with the cover `a` (0..255).
inline std::uint32_t mische(std::uint32_t unten, std::uint32_t oben, std::uint32_t a) {
  const std::uint32_t b = 255 - a;
  std::uint32_t rb = (oben & 0xFF00FFu) * a + (unten & 0xFF00FFu) * b + 0x800080u;
  std::uint32_t g = (oben & 0x00FF00u) * a + (unten & 0x00FF00u) * b + 0x008000u;
  // Division by 255 of both packed channels: (x + (x >> 8)) >> 8.
  rb = ((rb + ((rb >> 8) & 0xFF00FFu)) >> 8) & 0xFF00FFu;
  g = ((g + ((g >> 8) & 0x00FF00u)) >> 8) & 0x00FF00u;
  return kDeckend | rb | g;
}

/// A pixel buffer owned elsewhere.
struct Leinwand {
  std::uint32_t* pixel = nullptr;
  int breite = 0, hoehe = 0;
  std::uint32_t& at(int x, int y) { return pixel[static_cast<std::size_t>(y) * breite + x]; }
  void fuellen(Rahmen r, std::uint32_t farbe);
};

/// A sparse layer: covered pixels with the colour and cover laid over them.
class Deckschicht {
 public:
  struct Eintrag {
    std::uint32_t index;  ///< y x width + x
    std::uint32_t farbe;  ///< colour with its cover in the top byte
  };
  void leeren() { eintraege_.clear(); }
  /// Lays the entries from number `pos` on whose pixel index is below `ende`
  /// (the list is in index order) over `pixel`; `pos` moves past them. A
  /// frame made row by row lays the layer over each row while the row is
  /// still in the cache.
  void auftragenBis(std::uint32_t* pixel, std::size_t& pos, std::uint32_t ende) const;

 private:
  friend class Strichmaske;
  std::vector<Eintrag> eintraege_;
};

/// The cover of strokes being drawn, for one picture size.
class Strichmaske {
 public:
  /// Size of the buffer; strokes are clipped to `clip`.
  void setzeGroesse(int breite, int hoehe);
  void setzeClip(Rahmen clip) { clip_ = clip; }
  int breite() const { return breite_; }
  int hoehe() const { return hoehe_; }

  /// A straight piece of width `breite` [px] with round ends.
  void strecke(Punkt a, Punkt b, double breite);
  /// A filled disc.
  void scheibe(Punkt m, double radius) { strecke(m, m, 2 * radius); }
  /// A single pixel fully covered (text).
  void pixel(int x, int y);

  /// Lays `farbe` over `ziel` by the collected cover and clears the cover.
  void auftragen(Leinwand& ziel, std::uint32_t farbe);
  /// Lays `farbe` by the collected cover over what `sammel` holds so far
  /// (a dense layer being built) and clears the cover.
  void sammeln(std::vector<std::uint32_t>& sammel, std::uint32_t farbe);
  /// The built dense layer as a sparse one; `sammel` is emptied (all 0).
  static void verdichten(std::vector<std::uint32_t>& sammel, Deckschicht& ziel);

 private:
  void decke(int x, int y, std::uint8_t c) {
    std::uint8_t& d = deckung_[static_cast<std::size_t>(y) * breite_ + x];
    if (d == 0) beruehrt_.push_back(static_cast<std::uint32_t>(y) * breite_ + x);
    if (c > d) d = c;
  }
  int breite_ = 0, hoehe_ = 0;
  Rahmen clip_;
  std::vector<std::uint8_t> deckung_;
  std::vector<std::uint32_t> beruehrt_;
};

}  // namespace welvaro
