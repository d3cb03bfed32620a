// The caption of the pictures: what it says in two languages, for the map
// and the chart; its lines at a given width; its place above the picture;
// and the letters of place names in the picture font.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "display/caption.h"
#include "display/chart_picture.h"
#include "display/map_picture.h"
#include "display/font.h"
#include "state/state.h"

using namespace welvaro;

namespace {

std::string all(const std::vector<std::string>& items) {
  std::string t;
  for (const std::string& i : items) t += i + "|";
  return t;
}

}  // namespace

TEST(Caption, SaysWhatTheMapShows) {
  auto s = std::make_unique<State>();
  s->Zeitpunkt = {2026, 12, 8, 16, 5, 0};
  s->Jetzt = {2026, 12, 8, 17, 5, 0};
  s->Monat = 12;
  MapCaptionFacts f;
  f.frequency = 14.2f;
  f.utcMinute = 18 * 60 + 30;
  EXPECT_EQ(all(mapCaption(*s, f)), "14.2 MHz|2026-12-08 18:30 UTC|Sonnenfleckenzahl 128|Wahrscheinlichkeit 50 %|"
                                     "Pegel (dBm)|A: M\u00FCnchen JN58SC|Weltkarte nach L\u00E4nge und Breite|");
  s->L = 1;
  s->OrtA.clear();
  f.level = false;
  f.projection = Projection::Azimuthal;
  f.pointB = f.night = f.land = true;
  s->Monat = 6;  // another month than that of the date
  const std::string en = all(mapCaption(*s, f));
  for (const char* item : {"|Forecast for June|", "|Field strength (dB(\u00B5V/m))|", "|A: JN58SC|", "|B: Madrid IN80DJ|",
                           "|Azimuthal map centred on station A|hatched: night|grey: no signal|"})
    EXPECT_NE(en.find(item), std::string::npos) << item << " in " << en;
}

TEST(Caption, SaysWhatTheChartShows) {
  auto s = std::make_unique<State>();
  s->Zeitpunkt = {2026, 12, 8, 0, 0, 0};
  s->Jetzt = {2026, 12, 8, 0, 0, 0};
  s->Monat = 12;
  s->L = 1;
  ChartCaptionFacts f;
  EXPECT_EQ(all(chartCaption(*s, f)), "2026-12-08|Sunspot number 128|Probability 50 %|Level (dBm)|A: M\u00FCnchen JN58SC|"
                                       "B: Madrid IN80DJ|Point-to-point forecast|");
  f.frequencyLine = f.timeLine = true;
  f.frequency = 7.1f;
  f.utcMinute = 605;
  EXPECT_EQ(chartCaption(*s, f).front(), "7.1 MHz");
  EXPECT_EQ(chartCaption(*s, f)[1], "2026-12-08 10:05 UTC");
  // The outlook names its mode in place of the unit.
  f.outlook = true;
  s->OutlookMode = 1;
  EXPECT_EQ(chartCaption(*s, f)[4], "Outlook (SSB)");
}

TEST(Caption, ItemsFillLinesOfTheWidth) {
  const std::vector<std::string> items = {"14.2 MHz", "2026-12-08 18:30 UTC", "A: JN58SC"};
  // One line when all fit, a line each when none fit together; an item
  // never breaks.
  EXPECT_EQ(captionLines(items, 10000, 1), (std::vector<std::string>{"14.2 MHz  \u00B7  2026-12-08 18:30 UTC  \u00B7  A: JN58SC"}));
  EXPECT_EQ(captionLines(items, 20, 1), items);
  const int two = textWidth("14.2 MHz  \u00B7  2026-12-08 18:30 UTC") * 2;
  EXPECT_EQ(captionLines(items, two, 2).size(), 2u);
  EXPECT_EQ(captionLines(items, two - 1, 2).size(), 3u);
  EXPECT_TRUE(captionLines({}, 100, 1).empty());
}

// The caption stands above the picture and its scales, on the ground
// colour, in the text colour; the picture keeps its shape below it.
TEST(Caption, StandsAboveThePicture) {
  auto s = std::make_unique<State>();
  MapPicture map;
  MapView a;
  a.scales = true;
  a.lines = false;
  a.caption = mapCaption(*s, {});
  map.render(*s, a, 1280, 660);
  const Layout& t = map.layout();
  ASSERT_GT(t.caption.height, 0);
  EXPECT_LE(t.caption.y + t.caption.height, t.picture.y);
  EXPECT_EQ(t.picture.width - 1, 2 * (t.picture.height - 1));
  EXPECT_GE(t.picture.width, 1081);
  int ink = 0;
  for (int y = t.caption.y; y < t.caption.y + t.caption.height; ++y)
    for (int x = t.caption.x; x < t.caption.x + t.caption.width; ++x)
      ink += map.pixel()[static_cast<std::size_t>(y) * 1280 + x] == rgb(0, 0, 0);
  EXPECT_GT(ink, 500);
  // Without a caption the picture moves up; a plate too small keeps the
  // picture alone.
  a.caption.clear();
  map.render(*s, a, 1280, 660);
  EXPECT_EQ(map.layout().caption.height, 0);
  a.caption = mapCaption(*s, {});
  map.render(*s, a, 40, 30);
  EXPECT_EQ(map.layout().caption.height, 0);
  ChartPicture chart;
  ChartView c;
  c.scales = true;
  c.caption = chartCaption(*s, {});
  chart.render(*s, c, 900, 500);
  EXPECT_GT(chart.layout().caption.height, 0);
  EXPECT_LE(chart.layout().caption.y + chart.layout().caption.height, chart.layout().picture.y);
}

// Place names in the picture font: accents over the letters, descenders
// below the line, a sign the font lacks as "?".
TEST(Caption, LettersOfPlaceNames) {
  const auto rows = [](std::string_view text) {
    StrokeMask m;
    m.setSize(60, 12);
    writeText(m, text, 0, 0, 1);
    std::vector<std::uint32_t> picture(60 * 12, 0);
    Canvas w{picture.data(), 60, 12};
    m.apply(w, rgb(255, 255, 255));
    std::vector<int> withInk;
    for (int y = 0; y < 12; ++y)
      if (std::any_of(picture.begin() + y * 60, picture.begin() + (y + 1) * 60, [](std::uint32_t c) { return c != 0; }))
        withInk.push_back(y);
    return withInk;
  };
  EXPECT_EQ(rows("u"), (std::vector<int>{2, 3, 4, 5, 6}));
  EXPECT_EQ(rows("\u00FC").front(), 0);  // the dots above
  EXPECT_EQ(rows("g").back(), 8);        // the descender
  EXPECT_EQ(rows("\u00C7").back(), 8);   // the cedilla
  EXPECT_EQ(rows("\u00C9"), (std::vector<int>{0, 1, 2, 3, 4, 5, 6}));  // the accent over a smaller capital
  EXPECT_EQ(textWidth("M\u00FCnchen"), textWidth("Munchen"));
  EXPECT_EQ(textWidth("\u041C"), textWidth("?"));  // Cyrillic: not in the font
  EXPECT_EQ(rows("\u041C"), rows("?"));
}
