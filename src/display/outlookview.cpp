#include "display/outlookview.h"

#include <algorithm>

#include "display/bitmap.h"
#include "display/point.h"
#include "display/font.h"
#include "forecast/availability.h"
#include "outlook/bestband.h"
#include "outlook/grids.h"
#include "state/fault.h"
#include "state/numtext.h"

namespace welvaro {

PointOutlook prgPointOutlook(State& s) {
  PointOutlook p;
  p.availability = availabilityIndex(s.Iproz);
  // The point result's far point and path values (truncated for its
  // captions) are what the printed report and the read-out go on with.
  const double x2 = s.X2, distance = s.Distanz, from = s.RichtungAB, ba = s.RichtungBA;
  const float y2 = s.Y2;
  s.X2 = s.OrtX2;
  s.Y2 = s.OrtY2;
  p.fault = forecastAvailabilities(s);
  if (p.fault == 0)
    p.fault = guarded([&] {
      const int minute = shownMinute(s);
      p.value = linkOutlook(s, s.AktFrequenz, minute / 60, minute % 60);
    });
  s.X2 = x2;
  s.Y2 = y2;
  s.Distanz = distance;
  s.RichtungAB = from;
  s.RichtungBA = ba;
  std::string line;
  guarded([&] { line = p.fault == 0 ? outlookLine(s, p.value, p.availability) : outlookNoneLine(s); });
  s.OutlookLine = line;
  return p;
}

std::string bandName(const Band& b) {
  const std::string_view n = b.name;
  if (n.size() > 1 && n.back() == 'm') return std::string(n.substr(0, n.size() - 1)) + " m";
  return std::string(n);
}

int prgBandOutlook(State& s, int hour, int minute, int hours, std::vector<BandOutlookRow>& rows) {
  s.X2 = s.OrtX2;
  s.Y2 = s.OrtY2;
  const int rc = forecastAvailabilities(s);
  const int a = availabilityIndex(s.Iproz);
  const auto value = [&](const Band& b, int h, int m) {
    BandOutlookValue v;
    v.hour = h;
    v.minute = m;
    if (rc == 0) v.known = guarded([&] { v.value = linkOutlook(s, b.mhz, h, m); }) == 0;
    return v;
  };
  rows.clear();
  for (const Band& b : kBands) {
    BandOutlookRow r{b, {}};
    for (int k = 0; k < hours; ++k) r.values.push_back(value(b, (hour + k) % 24, minute));
    rows.push_back(std::move(r));
  }
  // The best band at the time shown, and the whole hours of the day after it.
  const auto moment = [&](int h, int m) {
    BandMoment bm{h, m, {}};
    for (const Band& b : kBands) {
      const BandOutlookValue v = value(b, h, m);
      bm.bands.push_back({bandName(b), v.known, v.value.outlook, v.value.marginDb[static_cast<std::size_t>(a)]});
    }
    return bm;
  };
  const BandMoment shown = moment(hour, minute);
  std::vector<BandMoment> later;
  for (int k = 1; k <= 24; ++k) later.push_back(moment((hour + k) % 24, 0));
  std::string line;
  guarded([&] { line = bestBandLine(s, shown, later, s.AnzeigeMinute < 0); });
  s.BestBandLine = line;
  return rc;
}

FollowUp chooseOutlook(State& s, bool outlook) {
  s.OutlookFlag = outlook ? 1 : 0;
  s.GenZaehler = 0;
  FollowUp f;
  f.redraw = true;
  f.restartCycle = true;
  return f;
}

namespace {

// A box's number: blanks first, then a sign or a point, and a digit where
// the number begins; read by the number-reading rule.
bool boxNumber(std::string_view text, double& v) {
  std::size_t i = text.find_first_not_of(' ');
  if (i == std::string_view::npos) return false;
  if (text[i] == '-' || text[i] == '+') ++i;
  if (i < text.size() && text[i] == '.') ++i;
  if (i >= text.size() || text[i] < '0' || text[i] > '9') return false;
  v = ReadNumber(text);
  return true;
}

}  // namespace

OutlookChoiceResult applyOutlookChoice(State& s, int mode, std::string_view needText, int noise,
                                       std::string_view floorText) {
  OutlookChoiceResult r;
  const int16 mode0 = s.OutlookMode, noise0 = s.NoiseEnvironment;
  const double need0 = s.CustomSnr, floor0 = s.NoiseFloor;
  const bool custom = mode == static_cast<int>(Mode::Custom), own = noise == static_cast<int>(Noise::MyNoiseFloor);
  double need = need0, floor = floor0;
  if ((custom && !boxNumber(needText, need)) || !chooseMode(s, mode, need)) r.failed = 1;
  else if ((own && !boxNumber(floorText, floor)) || !chooseNoise(s, noise, floor)) r.failed = 2;
  if (r.failed != 0) {
    // Both choices or neither.
    s.OutlookMode = mode0;
    s.CustomSnr = need0;
    s.NoiseEnvironment = noise0;
    s.NoiseFloor = floor0;
    return r;
  }
  r.changed = s.OutlookMode != mode0 || s.CustomSnr != need0 || s.NoiseEnvironment != noise0 || s.NoiseFloor != floor0;
  r.follow.redraw = r.changed;
  return r;
}

std::string outlookCursorText(const State& s, int colourIndex) {
  const Outlook o = outlookOfIndex(colourIndex);
  return std::string(outlookSymbol(o)) + " " + outlookText(s, o);
}

// ---- Pictures --------------------------------------------------------------

namespace {

Colour classColour(int index) {
  const OutlookColour c = outlookColour(outlookOfIndex(index));
  return {c.red, c.green, c.blue};
}

}  // namespace

const std::string& outlookPalette() {
  static const std::string palette = [] {
    std::string b;
    for (int i = 0; i < 256; ++i) {
      const Colour f = i < 128 ? classColour(i) : paletteColour(i);
      b += static_cast<char>(f.blue);
      b += static_cast<char>(f.green);
      b += static_cast<char>(f.red);
      b += '\0';
    }
    return b;
  }();
  return palette;
}

const std::uint32_t* outlookColours() {
  static const std::array<std::uint32_t, 129> colours = [] {
    std::array<std::uint32_t, 129> c{};
    for (int i = 0; i <= 128; ++i) {
      const Colour f = i < 128 ? classColour(i) : paletteColour(i);
      c[static_cast<std::size_t>(i)] = rgb(f.red, f.green, f.blue);
    }
    return c;
  }();
  return colours.data();
}

std::array<std::string, 5> outlookLegend(const State& s) {
  const std::string mode = outlookMode(s) == Mode::Custom ? PlainText(s.CustomSnr) + " dB-Hz" : modeName(s);
  return {mode, legendWord(s, Outlook::Good), legendWord(s, Outlook::Fair), legendWord(s, Outlook::Poor),
          legendWord(s, Outlook::Closed)};
}

namespace {

// Sizes in font dots: the colour patch, the gaps, the symbol, the rows.
constexpr int kPatch = 4, kGap = 2, kSymbol = 5, kWordGap = 4, kRowGap = 3;

}  // namespace

int outlookLegendWidth(const std::array<std::string, 5>& legend) {
  int w = textWidth(legend[0]);
  for (std::size_t k = 1; k < legend.size(); ++k)
    w = std::max(w, kPatch + kGap + kSymbol + kWordGap + textWidth(legend[k]));
  return w + kGap;
}

void drawOutlookLegend(Canvas& w, StrokeMask& m, const Layout& t, std::uint32_t background,
                       const std::array<std::string, 5>& legend) {
  if (!t.scales || t.bar.width <= 0) return;
  const Rect& b = t.bar;
  w.fill({b.x, 0, w.width - b.x, w.height}, background);
  const std::uint32_t font = textColour(background);
  const int n = t.point, gh = kFontHeight * n;
  writeText(m, legend[0], b.x, b.y - gh / 2 - kGap * n - gh, n);
  static constexpr Outlook kOrder[] = {Outlook::Good, Outlook::Fair, Outlook::Poor, Outlook::Closed};
  for (int k = 0; k < 4; ++k) {
    const Outlook o = kOrder[k];
    const int y = b.y + k * (gh + kRowGap * n);
    const OutlookColour c = outlookColour(o);
    w.fill({b.x, y, kPatch * n, gh}, rgb(c.red, c.green, c.blue));
    writeText(m, outlookSymbol(o), b.x + (kPatch + kGap) * n, y, n);
    writeText(m, legend[static_cast<std::size_t>(k) + 1], b.x + (kPatch + kGap + kSymbol + kWordGap) * n, y, n);
  }
  m.apply(w, font);
}

}  // namespace welvaro
