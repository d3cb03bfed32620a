// The cursor read-out over the pictures drawn at any size gives the texts
// and state changes the read-out over the bitmaps gives at the same place,
// and a click chooses point B or the display frequency from there.
#include <gtest/gtest.h>

#include "display/picture_cursor.h"
#include "display/bitmap.h"
#include "display/point.h"
#include "state/numtext.h"
#include "testutil.h"

using namespace welvaro;
using namespace welvaro::test;

TEST(PictureCursor, WorldMapReadOutAsOverTheBitmap) {
  for (const bool degrees : {true, false}) {
    SCOPED_TRACE(degrees);
    auto s = defaultLink();
    s->Darstellung = 1;
    MapReading a;
    a.place = {40.4, -3.7};
    a.colourIndex = 37;
    a.bearing = 240.7;
    a.distanceKm = 1478.6;
    const CursorReadout c = prgKartenCursor(*s, a, true, degrees);
    EXPECT_EQ(c.level, "Pegel: -90 dBm");
    EXPECT_EQ(c.locator, degrees ? "Position:  40.4°N  3.7°W" : "Position: IN80DJ");
    EXPECT_FLOAT_EQ(s->Px2, 40.4f);
    EXPECT_FLOAT_EQ(s->Py2, -3.7f);
    EXPECT_EQ(bearingText(*s, a), "Richtung (A): 240°  Distanz: 1478 km");
    // A click in cursor-position mode makes the place point B.
    s->OrtX2 = s->OrtY2 = 0;
    EXPECT_EQ(prgKlick(*s, true).kind, ClickResult::Kind::PointB);
    EXPECT_FLOAT_EQ(s->OrtX2, 40.4f);
    EXPECT_FLOAT_EQ(s->OrtY2, -3.7f);
  }
}

TEST(PictureCursor, ChartReadOutAndClickTakeTheFrequency) {
  auto s = defaultLink();
  s->Darstellung = 2;
  ChartReading a;
  a.place = {12.5, 15.02};
  a.colourIndex = 0;
  const CursorReadout c = prgChartCursor(*s, *s, a, false);  // a link whose forecast is all 0 dB(µV/m)
  EXPECT_EQ(c.locator, "Zeit [UTC]:  12:30 Uhr");
  EXPECT_EQ(c.frequency, "Frequenz:  15 MHz");
  EXPECT_EQ(c.level, "Feldstärke:  0 dB(µV/m)");
  EXPECT_EQ(prgKlick(*s, true).kind, ClickResult::Kind::Frequency);
  EXPECT_FLOAT_EQ(s->AktFrequenz, 15.0f);
  EXPECT_EQ(shownMinute(*s), 12 * 60 + 30);  // the chart click sets the time shown too
}

namespace {

// Munich to Madrid on 20 May 2026 with its day-corrected forecast, shown
// on the chart.
std::unique_ptr<State> chartOfLink() {
  auto s = defaultLink({2026, 5, 20, 14, 0, 0});
  s->Zeitpunkt = {2026, 5, 20, 14, 0, 0};
  s->Darstellung = 2;
  EXPECT_EQ(prgPointErgebnis(*s), 0);
  return s;
}

}  // namespace

// Wherever the pointer stands on the chart, the read-out and the cross-hair
// name the value the text panel shows after a click there (the click takes
// that frequency and minute): the colour's band of values used to differ
// by a dB from the panel's interpolation.
TEST(PictureCursor, ChartReadOutAgreesWithThePanelAfterAClick) {
  for (const bool level : {true, false}) {
    SCOPED_TRACE(level);
    auto s = chartOfLink();
    const auto link = std::make_unique<State>(*s);
    ChartPicture picture;
    ChartView view;
    view.level = level;
    view.scales = true;
    picture.render(*link, view, 1082, 580);
    const Rect r = picture.layout().picture;
    int compared = 0;
    for (int y = r.y; y < r.y + r.height; y += 7) {
      for (int x = r.x; x < r.x + r.width; x += 13) {
        const std::optional<ChartReading> a = picture.readAt({double(x), double(y)});
        ASSERT_TRUE(a);
        const CursorReadout c = prgChartCursor(*s, *link, *a, level);
        const ChartCrosshair h = chartCrosshair(*s, *link, *a, level);
        const ChartSpot spot = chartSpot(*a);
        if (spot.mhz < 1.5f || spot.mhz > 29.9f) continue;  // a click holds the frequency to 1.5 .. 29.9 MHz
        ASSERT_EQ(prgKlick(*s, true).kind, ClickResult::Kind::Frequency);
        ASSERT_EQ(s->PunktFehler, 0);
        const float panel = level ? s->PunktPegel : s->PunktFeld;
        const std::string value = NumberText(panel);
        SCOPED_TRACE(c.frequency + " " + c.locator);
        EXPECT_EQ(c.level.substr(c.level.size() - value.size() - (level ? 4 : 10)).substr(0, value.size()), value);
        ASSERT_EQ(h.lines.size(), 2u);
        EXPECT_EQ(h.lines[1].substr(0, h.lines[1].find(' ')), std::to_string(static_cast<int>(panel)));
        EXPECT_FLOAT_EQ(static_cast<float>(h.at.mhz), s->AktFrequenz);
        EXPECT_EQ(static_cast<int>(std::lround(h.at.hours * 60)) % 1440, shownMinute(*s));
        ++compared;
      }
    }
    EXPECT_GT(compared, 4000);
  }
}

TEST(PictureCursor, CrosshairLabelSaysFrequencyTimeAndSUnits) {
  auto s = chartOfLink();
  ChartReading a;
  a.place = {13.34, 14.27};
  const ChartCrosshair h = chartCrosshair(*s, *s, a, true);
  ASSERT_EQ(h.lines.size(), 2u);
  EXPECT_EQ(h.lines[0], "14.2 MHz  13:20 UTC");
  EXPECT_NE(h.lines[1].find(" dBm  S"), std::string::npos) << h.lines[1];
  EXPECT_DOUBLE_EQ(h.at.hours, 13 + 20 / 60.0);
  // Below 1 MHz the table has no value: the label says so, the read-out
  // keeps the colour's.
  a.place = {0.0, 0.5};
  EXPECT_EQ(chartCrosshair(*s, *s, a, true).lines, (std::vector<std::string>{"0.5 MHz  00:00 UTC", "--"}));
  a.colourIndex = 20;
  EXPECT_EQ(prgChartCursor(*s, *s, a, true).level, "Pegel: -107 dBm");
  // The right edge is 24:00, read as 00:00 as a click takes it.
  a.place = {24.0, 10.0};
  EXPECT_EQ(chartSpot(a).minute, 0);
  EXPECT_DOUBLE_EQ(chartCrosshair(*s, *s, a, true).at.hours, 24.0);
}

TEST(PictureCursor, SUnitsOfALevel) {
  const std::pair<float, const char*> cases[] = {{-73, "S9"},  {-73.5f, "S8"}, {-74, "S8"},     {-79, "S8"},
                                                  {-80, "S7"},  {-121, "S1"},   {-122, "S0"},    {-127, "S0"},
                                                  {-72, "S9+1"}, {-53, "S9+20"}, {-19, "S9+54"}};
  for (const auto& [dbm, text] : cases) EXPECT_EQ(sUnitText(dbm), text) << dbm;
}

TEST(PictureCursor, CrosshairLabelStaysInsideThePicture) {
  const Rect area{10, 20, 400, 200};
  // Right of and below the crossing where there is room.
  EXPECT_EQ(crosshairLabelPlace(area, {100, 50}, 120, 40, 8).x, 108);
  EXPECT_EQ(crosshairLabelPlace(area, {100, 50}, 120, 40, 8).y, 58);
  // Left of it near the right edge, above it near the bottom.
  const Rect corner = crosshairLabelPlace(area, {400, 210}, 120, 40, 8);
  EXPECT_EQ(corner.x, 400 - 8 - 120);
  EXPECT_EQ(corner.y, 210 - 8 - 40);
  // In a picture narrower than the label, from its left edge.
  const Rect narrow = crosshairLabelPlace({10, 20, 60, 30}, {40, 30}, 120, 40, 8);
  EXPECT_EQ(narrow.x, 10);
  EXPECT_EQ(narrow.y, 20);
  // Near the top-left corner it stays right and below.
  const Rect top = crosshairLabelPlace(area, {12, 21}, 120, 40, 8);
  EXPECT_GE(top.x, area.x);
  EXPECT_GE(top.y, area.y);
}
