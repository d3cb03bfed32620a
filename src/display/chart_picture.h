// The frequency/time chart of the link A-B drawn at any size into a 32-bit
// pixel buffer (0xAARRGGBB per pixel), by the bitmap's value rules: the
// grid of colour indices per hour and whole MHz (chartGrid), linear in
// between, the day closing on itself at 24 h, cut to the whole index. An
// hour and 5 MHz grid, optional time and frequency lines, and on request the
// scales and the colour bar.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "display/chart.h"
#include "display/canvas.h"
#include "display/projection.h"
#include "display/layout.h"
#include "state/state.h"

namespace welvaro {

struct ChartView {
  bool level = true;           ///< level [dBm], else field strength [dB(uV/m)]
  bool outlook = false;        ///< the outlook of the record's mode instead (OutlookFlag), a legend for the colour bar
  bool lines = true;          ///< grid every hour and every 5 MHz
  bool scales = false;         ///< scales and colour bar around the picture
  bool timeLine = false;      ///< a line at utcMinute
  int utcMinute = 0;           ///< minute of the UTC day 0..1439
  bool frequencyLine = false;  ///< a line at `frequency`
  float frequency = 10.2f;      ///< [MHz]
  double scale = 1.0;          ///< device pixels per logical pixel
  std::uint32_t background = 0xFFFFFFFFu;
  /// The caption above the chart (display/caption.h: chartCaption); empty: none.
  std::vector<std::string> caption;
};

struct ChartReading {
  ChartPoint place;       ///< hour and frequency
  int colourIndex = 0;  ///< colour index 0..108 of the value shown there
  double value = 0;    ///< level [dBm] or field strength [dB(uV/m)]; the outlook's class 0..3
};

class ChartPicture {
 public:
  /// Draws the chart from ErgFeld slice 0 (the day-corrected forecast of the
  /// link, which the caller has run), the outlook from AvailabilityResults
  /// slice 0 (forecastAvailabilities). The buffer is valid until the next call.
  const std::uint32_t* render(const State& s, const ChartView& a, int width, int height);
  const std::uint32_t* pixel() const { return buffer_.data(); }
  int width() const { return layout_.width; }
  int height() const { return layout_.height; }
  const ChartProjection& projection() const { return proj_; }
  const Layout& layout() const { return layout_; }
  /// Read-out at a pixel coordinate over the last frame; none outside.
  std::optional<ChartReading> readAt(Point p) const;

 private:
  void build(const State& s, const ChartView& a, const LayoutKey& k);

  LayoutKey key_;
  Layout layout_;
  ChartProjection proj_;
  std::vector<std::uint32_t> buffer_;
  StrokeMask mask_;
  CoverLayer gridLayer_;
  std::vector<std::uint16_t> columnJ_;
  std::vector<float> columnU_;
  float values_[31][25] = {};  // [MHz][hour 0..24] of the last frame
  std::vector<std::string> captionLines_;
  bool level_ = true;
  bool outlook_ = false;
};

}  // namespace welvaro
