#include "display/layout.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <numbers>
#include <vector>

#include "display/bitmap.h"
#include "display/font.h"

namespace welvaro {

namespace {

// Sizes in font dots.
constexpr int kTick = 3;   // tick length
constexpr int kGap = 2;   // gap between tick and label, and around
constexpr int kBar = 4;   // width of the colour bar
constexpr int kBarGap = 3;  // between the picture and the S-units left of the bar
constexpr int kPointer = 2;   // length of the triangle that marks a value on the colour bar

// The S-units beside the level scale: S9 is -73 dBm, 6 dB per S-unit below
// it, and above it S9+10, S9+20 ... in steps of 10 dB, written "+10",
// "+20" ... over the "S9" as on the S-meter's own scale. The widest label.
constexpr std::string_view kWidestSUnit = "+50";

int tb(std::string_view text, int n) { return textWidth(text) * n; }

const char* unit(bool level) { return level ? "dBm" : "dB(\u00B5V/m)"; }

// Text centred on (x, y).
void centredText(StrokeMask& m, std::string_view text, double x, double y, int n) {
  writeText(m, text, static_cast<int>(std::lround(x - tb(text, n) / 2.0)),
           static_cast<int>(std::lround(y - kFontHeight * n / 2.0)), n);
}

// A tick one dot wide (at least one pixel) whose middle pixel is the
// column (waagrecht false) or row (true) `position`.
void tick(Canvas& w, int position, int from, int to, bool horizontal, int n, std::uint32_t colour) {
  const int thickness = std::max(1, n / 2), a = position - (thickness - 1) / 2;
  const int lo = std::min(from, to), len = std::abs(to - from) + 1;
  w.fill(horizontal ? Rect{lo, a, len, thickness} : Rect{a, lo, thickness, len}, colour);
}

// The step of the labels: the first of `steps` whose labels, `distance`
// pixels apart per unit, leave room for the widest label.
int stepFor(std::initializer_list<int> steps, double distance, int widest) {
  for (int s : steps)
    if (s * distance >= widest) return s;
  return *(steps.end() - 1);
}

// A tick of a scale: its place (column or row in pixel coordinates) and its
// label; an unlabelled tick is half as long.
struct Mark {
  double position;
  std::string text;
};

// Ticks and labels below the picture (`bottom`, columns) and left of it
// (`left`, rows). A tick stands on the picture's own pixel of its value:
// the nearest whole pixel to the place the projection gives.
void axes(Canvas& w, StrokeMask& m, const Layout& t, std::uint32_t font, const std::vector<Mark>& bottom,
            const std::vector<Mark>& left) {
  const int n = t.point, gh = kFontHeight * n;
  const Rect& r = t.picture;
  const int row = r.y + r.height;  // first row below the picture
  for (const Mark& k : bottom) {
    const int x = static_cast<int>(std::lround(k.position));
    tick(w, x, row, row + (k.text.empty() ? kTick * n / 2 : kTick * n) - 1, false, n, font);
    if (!k.text.empty()) centredText(m, k.text, x, row + kTick * n + kGap * n + gh / 2.0, n);
  }
  for (const Mark& k : left) {
    const int y = static_cast<int>(std::lround(k.position));
    tick(w, y, r.x - 1, r.x - (k.text.empty() ? kTick * n / 2 : kTick * n), true, n, font);
    if (!k.text.empty()) writeText(m, k.text, r.x - kTick * n - kGap * n - tb(k.text, n), y - gh / 2, n);
  }
  m.apply(w, font);
}

// A mark of the colour bar: a small triangle whose tip touches the bar at
// row y, pointing left (from the bar's right edge, `direction` -1: its tip
// at column x, its base to the right) or right (+1: its tip at x, its base
// to the left). Unlike a short dash it cannot be taken for a minus sign.
void valuePointer(Canvas& w, int x, int y, int direction, int n, std::uint32_t colour) {
  const int half = n, length = kPointer * n;
  for (int dy = -half; dy <= half; ++dy) {
    const int width = std::max(1, static_cast<int>(std::lround(length * (half + 0.5 - std::abs(dy)) / (half + 0.5))));
    w.fill(direction < 0 ? Rect{x, y + dy, width, 1} : Rect{x - width + 1, y + dy, width, 1}, colour);
  }
}

// Room left of the colour bar for the S-units and their marks.
int sUnitRoom(int n) { return tb(kWidestSUnit, n) + kPointer * n + n; }

}  // namespace

std::vector<SUnitMark> sUnitMarks(int barHeight, int labelHeight) {
  // Every S-unit (and every 10 dB above S9) when the labels fit, else every
  // second or fourth.
  const double perIndex = barHeight > 1 ? (barHeight - 1) / static_cast<double>(kColourMax) : 0.0;
  int k = 1;
  while (k < 8 && 6 * k * perIndex < labelHeight) k *= 2;
  std::vector<SUnitMark> m;
  for (int s = 9; s >= 1; s -= k) m.insert(m.begin(), {6 * s, "S" + std::to_string(s)});
  for (int d = 10 * k; 54 + d <= kColourMax; d += 10 * k) m.push_back({54 + d, "+" + std::to_string(d)});
  return m;
}

LayoutKey layoutKey(int width, int height, bool lines, bool scales, bool level, double scale,
                                std::uint32_t background, int captionLines) {
  return {std::max(1, width), std::max(1, height), lines, scales, level && scales, scale, background,
          std::max(0, captionLines), {}};
}

int fontDot(double scale) { return std::max(1, static_cast<int>(std::lround(2 * scale))); }

const std::uint32_t* valueColours() {
  static const std::array<std::uint32_t, 129> colours = [] {
    std::array<std::uint32_t, 129> f{};
    for (int i = 0; i <= 128; ++i) {
      const Colour c = paletteColour(i);
      f[static_cast<std::size_t>(i)] = rgb(c.red, c.green, c.blue);
    }
    return f;
  }();
  return colours.data();
}

std::uint32_t textColour(std::uint32_t background) {
  const int r = (background >> 16) & 0xFF, g = (background >> 8) & 0xFF, b = background & 0xFF;
  return 299 * r + 587 * g + 114 * b > 128000 ? rgb(0, 0, 0) : rgb(255, 255, 255);
}

std::string degreeLabel(int degrees, bool lon) {
  if (degrees == 0) return "0\u00B0";
  const char* hemisphere = lon ? (degrees < 0 ? "W" : "E") : (degrees < 0 ? "S" : "N");
  return std::to_string(std::abs(degrees)) + "\u00B0" + hemisphere;
}

int platePoint(int width, int height, bool scales, int point) {
  int n = std::max(1, point);
  // Small plates take a smaller font.
  while (scales && n > 1 && (width < 240 * n || height < 120 * n)) --n;
  return n;
}

int captionWidth(int width, int point) { return std::max(1, width - 2 * kGap * std::max(1, point)); }

Layout planLayout(LayoutKind kind, int width, int height, bool scales, int n, int captionLines, int legendWidth) {
  // A legend in the colour bar's place has no S-units beside it.
  const int sRoom = legendWidth > 0 ? 0 : sUnitRoom(n);
  Layout t;
  t.width = std::max(0, width);
  t.height = std::max(0, height);
  t.point = platePoint(t.width, t.height, scales, n);
  t.scales = scales;
  n = t.point;
  const int gh = kFontHeight * n, gap = kGap * n;
  int left = 0, right = 0, top = 0, bottom = 0;
  if (scales) {
    // The colour bar with the S-units left of it, its values right of it
    // and, above it, the unit.
    const int bar = kBarGap * n + sRoom + kBar * n + kPointer * n + n + tb("-127", n) + gap;
    const int unitWidth = std::max(tb(unit(true), n), tb(unit(false), n));
    right = std::max(bar, kBarGap * n + sRoom + unitWidth + gap);
    if (legendWidth > 0) right = std::max(right, kBarGap * n + legendWidth * n + gap);
    if (kind == LayoutKind::Map) {
      left = std::max(gap + tb("90\u00B0S", n) + gap + kTick * n, tb("180\u00B0W", n) / 2 + gap);
      right = std::max(right, tb("180\u00B0E", n) / 2 + gap);
      top = gh / 2 + gap;
      bottom = kTick * n + gap + gh + gap;
    } else if (kind == LayoutKind::Azimuthal) {
      const int edge = gap + kTick * n + gap;
      left = edge + tb("300\u00B0", n) + gap;
      right += edge + tb("300\u00B0", n);
      top = bottom = edge + gh + gap;
    } else {
      left = gap + tb("MHz", n) + gap + kTick * n;
      right = std::max(right, tb("24", n) / 2 + gap);
      top = gh / 2 + gap + gh + gap;  // "MHz" above the frequency labels
      bottom = kTick * n + gap + gh + gap;
    }
  }
  // The caption's lines above everything: a glyph with its descenders and
  // a dot between lines.
  const int lineHeight = (kGlyphRows + 1) * n, captionHeight = std::max(0, captionLines) * lineHeight;
  const int topWithoutCaption = top;
  if (captionHeight > 0) top += captionHeight + gap;
  // A buffer too small for the margins gets the picture alone.
  if ((scales || captionHeight > 0) && (t.width - left - right < 16 || t.height - top - bottom < 8))
    return planLayout(kind, width, height, false, n, 0, legendWidth);
  const int aw = std::max(1, t.width - left - right), ah = std::max(1, t.height - top - bottom);
  int pw = aw, ph = ah;
  if (kind == LayoutKind::Map) {
    ph = std::min(ah, (aw - 1) / 2 + 1);
    pw = 2 * (ph - 1) + 1;
  } else if (kind == LayoutKind::Azimuthal) {
    pw = ph = std::min(aw, ah);
  }
  const int x0 = (t.width - (left + pw + right)) / 2 + left;
  const int y0 = (t.height - (top + ph + bottom)) / 2 + top;
  t.picture = {x0, y0, pw, ph};
  if (captionHeight > 0) {
    t.caption = {gap, y0 - topWithoutCaption - gap - captionHeight, captionWidth(t.width, n), captionHeight};
    t.captionLineHeight = lineHeight;
  }
  if (scales) {
    const int barTop = y0 + gh + gap + gh / 2;  // below the unit and the top value's label
    t.bar = {x0 + pw + (kind == LayoutKind::Azimuthal ? left - gap : 0) + kBarGap * n + sRoom, barTop,
                kBar * n, std::max(1, y0 + ph - barTop)};
  }
  return t;
}

void drawFrame(Canvas& w, StrokeMask& m, const Layout& t, std::uint32_t background, bool level) {
  w.fill({0, 0, w.width, w.height}, background);
  if (!t.scales || t.bar.width <= 0) return;
  const std::uint32_t font = textColour(background);
  const int n = t.point;
  const Rect& b = t.bar;
  const std::uint32_t* colours = valueColours();
  // Index 0 on the bottom row, 108 on the top row.
  const int bottom = b.y + b.height - 1;
  for (int y = b.y; y <= bottom; ++y) {
    const int v = b.height > 1 ? static_cast<int>((bottom - y) * static_cast<double>(kColourMax) / (b.height - 1) + 1e-9)
                              : 0;
    w.fill({b.x, y, b.width, 1}, colours[v]);
  }
  // Values every 18 steps (a ramp of the colour table), fewer on a short
  // bar, each marked by a triangle pointing at its row; on the level scale
  // the S-units on the other side.
  const int step = stepFor({18, 36, 54, 108}, (b.height - 1) / static_cast<double>(kColourMax),
                                  kFontHeight * n + n);
  const auto rowOf = [&](int v) {
    return static_cast<int>(std::lround(bottom - v * (b.height - 1) / static_cast<double>(kColourMax)));
  };
  for (int v = 0; v <= kColourMax; v += step) {
    const int y = rowOf(v), x = b.x + b.width;
    valuePointer(w, x, y, -1, n, font);
    writeText(m, std::to_string(valueOfIndex(v, level)), x + kPointer * n + n, y - kFontHeight * n / 2, n);
  }
  if (level) {
    for (const SUnitMark& s : sUnitMarks(b.height, kFontHeight * n + n)) {
      const int y = rowOf(s.index);
      valuePointer(w, b.x - 1, y, 1, n, font);
      writeText(m, s.text, b.x - 1 - kPointer * n - n - tb(s.text, n), y - kFontHeight * n / 2, n);
    }
  }
  writeText(m, unit(level), b.x, b.y - kFontHeight * n / 2 - kGap * n - kFontHeight * n, n);
  m.apply(w, font);
}

void drawCaption(Canvas& w, StrokeMask& m, const Layout& t, const std::vector<std::string>& lines,
                 std::uint32_t background) {
  if (t.caption.height <= 0) return;
  w.fill(t.caption, background);
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const int y = t.caption.y + static_cast<int>(i) * t.captionLineHeight;
    if (y + t.captionLineHeight > t.caption.y + t.caption.height) break;
    writeText(m, lines[i], t.caption.x, y, t.point);
  }
  m.apply(w, textColour(background));
}

void drawMapScales(Canvas& w, StrokeMask& m, const Layout& t, const MapProjection& p,
                         std::uint32_t background) {
  if (!t.scales) return;
  const int n = t.point;
  const Rect& r = t.picture;
  std::vector<Mark> bottom, left;
  const int sl = stepFor({30, 60, 90, 180}, (r.width - 1) / 360.0, tb("120\u00B0W", n) + 2 * n);
  for (int l = -180; l <= 180; l += sl) bottom.push_back({p.column(l), degreeLabel(l, true)});
  const int sb = stepFor({30, 60, 90}, (r.height - 1) / 180.0, kFontHeight * n + 2 * n);
  for (int b = -90; b <= 90; b += sb) left.push_back({p.row(b), degreeLabel(b, false)});
  axes(w, m, t, textColour(background), bottom, left);
}

bool overlaps(const Rect& a, const Rect& b) {
  return a.x < b.x + b.width && b.x < a.x + a.width && a.y < b.y + b.height && b.y < a.y + a.height;
}

std::vector<LabelBox> bearingLabels(const Layout& t, const MapProjection& p) {
  std::vector<LabelBox> labels;
  if (!t.scales) return labels;
  const int n = t.point, gh = kFontHeight * n;
  const Point c = p.discCentre();
  const double r = p.radius();
  // Every 30 degrees, or every 60 or 90 when neighbours would touch (a
  // small disc under a long caption).
  for (const int step : {30, 60, 90}) {
    labels.clear();
    for (int degrees = 0; degrees < 360; degrees += step) {
      const double th = degrees * std::numbers::pi / 180, s = std::sin(th), k = -std::cos(th);
      const std::string text = std::to_string(degrees) + "\u00B0";
      const int w = tb(text, n);
      const double d = r + (kTick + kGap) * n + 0.5 * (std::fabs(s) * w + std::fabs(k) * gh);
      // Centred on its place, as centredText writes it.
      const int x = static_cast<int>(std::lround(c.x + s * d - w / 2.0));
      const int y = static_cast<int>(std::lround(c.y + k * d - gh / 2.0));
      labels.push_back({{x, y, w, gh}, x, y, n, text});
    }
    bool apart = true;
    for (std::size_t i = 0; i < labels.size(); ++i)
      apart = apart && !overlaps(labels[i].box, labels[(i + 1) % labels.size()].box);
    if (apart) break;
  }
  return labels;
}

void drawAzimuthalScales(Canvas& w, StrokeMask& m, const Layout& t, const MapProjection& p,
                           std::uint32_t background) {
  if (!t.scales) return;
  const std::uint32_t font = textColour(background);
  const int n = t.point;
  const Point c = p.discCentre();
  const double r = p.radius();
  for (int degrees = 0; degrees < 360; degrees += 30) {
    const double th = degrees * std::numbers::pi / 180, s = std::sin(th), k = -std::cos(th);
    m.segment({c.x + s * (r + 1), c.y + k * (r + 1)}, {c.x + s * (r + kTick * n), c.y + k * (r + kTick * n)},
              std::max(1.0, n / 2.0));
  }
  for (const LabelBox& l : bearingLabels(t, p)) writeText(m, l.text, l.x, l.y, l.point);
  m.apply(w, font);
}

void drawChartScales(Canvas& w, StrokeMask& m, const Layout& t, const ChartProjection& p,
                        std::uint32_t background) {
  if (!t.scales) return;
  const std::uint32_t font = textColour(background);
  const int n = t.point, gh = kFontHeight * n;
  const Rect& r = t.picture;
  std::vector<Mark> bottom, left;
  const int sh = stepFor({1, 2, 3, 4, 6, 12}, (r.width - 1) / 24.0, tb("00", n) + 3 * n);
  for (int h = 0; h <= 24; ++h) bottom.push_back({p.column(h), h % sh == 0 ? std::to_string(h) : std::string()});
  const int sm = stepFor({5, 10, 15, 30}, (r.height - 1) / 30.0, gh + 2 * n);
  for (int f = 0; f <= 30; ++f) left.push_back({p.row(f), f % sm == 0 ? std::to_string(f) : std::string()});
  axes(w, m, t, font, bottom, left);
  writeText(m, "UTC", static_cast<int>(std::lround(p.column(24))) + tb("24", n) / 2 + 2 * kGap * n,
           r.y + r.height + kTick * n + kGap * n, n);
  writeText(m, "MHz", r.x - kTick * n - kGap * n - tb("MHz", n), r.y - gh / 2 - kGap * n - gh, n);
  m.apply(w, font);
}

}  // namespace welvaro
