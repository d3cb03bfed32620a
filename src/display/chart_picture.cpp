#include "display/chart_picture.h"

#include <algorithm>
#include <cmath>

#include "display/bitmap.h"
#include "display/caption.h"
#include "display/outlookview.h"
#include "outlook/grids.h"

namespace welvaro {

namespace {

constexpr std::uint32_t kGridGrey = rgb(0x84, 0x84, 0x84);

}  // namespace

void ChartPicture::build(const State& s, const ChartView& a, const LayoutKey& k) {
  key_ = k;
  const std::array<std::string, 5> legend = a.outlook ? outlookLegend(s) : std::array<std::string, 5>{};
  layout_ = planLayout(LayoutKind::Chart, k.width, k.height, a.scales, fontDot(a.scale), k.captionLines,
                          a.outlook ? outlookLegendWidth(legend) : 0);
  const std::size_t area = static_cast<std::size_t>(k.width) * k.height;
  buffer_.assign(area, a.background);
  mask_.setSize(k.width, k.height);
  proj_ = ChartProjection(layout_.picture);
  Canvas w{buffer_.data(), k.width, k.height};
  drawFrame(w, mask_, layout_, a.background, a.level && !a.outlook);
  if (a.outlook) drawOutlookLegend(w, mask_, layout_, a.background, legend);
  drawChartScales(w, mask_, layout_, proj_, a.background);

  const Rect& r = layout_.picture;
  columnJ_.clear();
  columnU_.clear();
  for (int x = 0; x < r.width; ++x) {
    const double h = r.width > 1 ? x * 24.0 / (r.width - 1) : 0.0;
    const int j = std::min(23, static_cast<int>(h));
    columnJ_.push_back(static_cast<std::uint16_t>(j));
    columnU_.push_back(static_cast<float>(h - j));
  }

  gridLayer_.clear();
  if (a.lines) {
    mask_.setClip(r);
    const double d = a.scale;  // one pixel: the middle of a line shows the grey itself
    for (int h = 1; h < 24; ++h)
      mask_.segment({proj_.column(h), proj_.row(0)}, {proj_.column(h), proj_.row(30)}, d);
    for (int f = 5; f < 30; f += 5)
      mask_.segment({proj_.column(0), proj_.row(f)}, {proj_.column(24), proj_.row(f)}, d);
    mask_.collect(gridLayer_, kGridGrey);
    mask_.setClip({0, 0, k.width, k.height});
  }
}

const std::uint32_t* ChartPicture::render(const State& s, const ChartView& a, int width, int height) {
  const int n = platePoint(std::max(1, width), std::max(1, height), a.scales, fontDot(a.scale));
  captionLines_ = captionLines(a.caption, captionWidth(std::max(1, width), n), n);
  LayoutKey k = layoutKey(width, height, a.lines, a.scales, a.level, a.scale, a.background,
                                      static_cast<int>(captionLines_.size()));
  if (a.outlook)
    for (const std::string& text : outlookLegend(s)) k.legend += text + '\n';
  if (!(k == key_)) build(s, a, k);
  level_ = a.level;
  outlook_ = a.outlook;

  ChartGrid grid;
  if (a.outlook)
    outlookChartGrid(s, grid);
  else
    chartGrid(s, a.level, grid);
  for (int f = 0; f <= 30; ++f)
    for (int h = 0; h <= 24; ++h) values_[f][h] = grid[h][f];  // hour 24 = 00 UTC again

  const Rect& r = layout_.picture;
  const std::uint32_t* colours = a.outlook ? outlookColours() : valueColours();
  for (int y = 0; y < r.height; ++y) {
    const double z = r.height > 1 ? 30.0 - y * 30.0 / (r.height - 1) : 15.0;
    const int b = std::min(29, static_cast<int>(z));
    const float t = static_cast<float>(z - b);
    float row[25], step[24];
    for (int h = 0; h <= 24; ++h) row[h] = values_[b][h] + t * (values_[b + 1][h] - values_[b][h]);
    for (int h = 0; h < 24; ++h) step[h] = row[h + 1] - row[h];
    std::uint32_t* out = buffer_.data() + static_cast<std::size_t>(r.y + y) * layout_.width + r.x;
    for (std::size_t x = 0; x < columnJ_.size(); ++x) {
      const int j = columnJ_[x];
      out[x] = colours[valueIndex(row[j] + columnU_[x] * step[j])];
    }
  }
  std::size_t pos = 0;
  gridLayer_.applyUntil(buffer_.data(), pos, static_cast<std::uint32_t>(buffer_.size()));

  Canvas w{buffer_.data(), layout_.width, layout_.height};
  mask_.setClip(r);
  for (int pass = 0; pass < 2; ++pass) {
    if (a.timeLine) {
      const double x = proj_.column(std::clamp(a.utcMinute, 0, 1439) / 60.0);
      mask_.segment({x, proj_.row(0)}, {x, proj_.row(30)}, (pass == 0 ? 3.0 : 1.0) * a.scale);
    }
    if (a.frequencyLine) {
      const double y = proj_.row(std::clamp(static_cast<double>(a.frequency), 0.0, 30.0));
      mask_.segment({proj_.column(0), y}, {proj_.column(24), y}, (pass == 0 ? 3.0 : 1.0) * a.scale);
    }
    mask_.apply(w, pass == 0 ? rgb(0, 0, 0) : rgb(255, 255, 255));
  }
  mask_.setClip({0, 0, layout_.width, layout_.height});
  drawCaption(w, mask_, layout_, captionLines_, a.background);
  return buffer_.data();
}

std::optional<ChartReading> ChartPicture::readAt(Point p) const {
  const std::optional<ChartPoint> o = proj_.toGeo(p);
  if (!o || key_.width < 0) return std::nullopt;
  ChartReading a;
  a.place = *o;
  const int b = std::min(29, static_cast<int>(o->mhz)), j = std::min(23, static_cast<int>(o->hours));
  const float t = static_cast<float>(o->mhz - b), u = static_cast<float>(o->hours - j);
  a.colourIndex = std::min(kColourMax, valueIndex(bilinear(values_[b], values_[b + 1], j, t, u)));
  a.value = outlook_ ? static_cast<int>(outlookOfIndex(a.colourIndex)) : valueOfIndex(a.colourIndex, level_);
  return a;
}

}  // namespace welvaro
