// The frequency/time chart of the link A-B drawn at any size into a 32-bit
// pixel buffer (0xAARRGGBB per pixel), by the bitmap's value rules: the
// grid of colour indices per hour and whole MHz (ortsRaster), linear in
// between, the day closing on itself at 24 h, cut to the whole index. An
// hour and 5 MHz grid, optional time and frequency lines, and on request the
// scales and the colour bar.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "display/chart.h"
#include "display/leinwand.h"
#include "display/projection.h"
#include "display/tafel.h"
#include "state/state.h"

namespace welvaro {

struct ChartAnsicht {
  bool pegel = true;           ///< level [dBm], else field strength [dB(uV/m)]
  bool linien = true;          ///< grid every hour and every 5 MHz
  bool skalen = false;         ///< scales and colour bar around the picture
  bool zeitlinie = false;      ///< a line at utcMinute
  int utcMinute = 0;           ///< minute of the UTC day 0..1439
  bool frequenzlinie = false;  ///< a line at `frequenz`
  float frequenz = 10.2f;      ///< [MHz]
  double skala = 1.0;          ///< device pixels per logical pixel
  std::uint32_t grund = 0xFFFFFFFFu;
};

struct ChartAblesung {
  ChartOrt ort;       ///< hour and frequency
  int farbIndex = 0;  ///< colour index 0..108 of the value shown there
  double wert = 0;    ///< level [dBm] or field strength [dB(uV/m)]
};

class Chartbild {
 public:
  /// Draws the chart from ErgFeld slice 0 (the day-corrected forecast of the
  /// link, which the caller has run). The buffer is valid until the next call.
  const std::uint32_t* render(const State& s, const ChartAnsicht& a, int breite, int hoehe);
  const std::uint32_t* pixel() const { return puffer_.data(); }
  int breite() const { return tafel_.breite; }
  int hoehe() const { return tafel_.hoehe; }
  const Chartprojektion& projektion() const { return proj_; }
  const Tafel& tafel() const { return tafel_; }
  /// Read-out at a pixel coordinate over the last frame; none outside.
  std::optional<ChartAblesung> ablesen(Punkt p) const;

 private:
  void aufbauen(const ChartAnsicht& a, const Tafelschluessel& k);

  Tafelschluessel schluessel_;
  Tafel tafel_;
  Chartprojektion proj_;
  std::vector<std::uint32_t> puffer_, sammel_;
  Strichmaske maske_;
  Deckschicht gitterSchicht_;
  std::vector<std::uint16_t> spalteJ_;
  std::vector<float> spalteU_;
  float werte_[31][25] = {};  // [MHz][hour 0..24] of the last frame
  bool pegel_ = true;
};

}  // namespace welvaro
