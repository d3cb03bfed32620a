// The cursor read-out over the pictures drawn at any size gives the texts
// and state changes the read-out over the bitmaps gives at the same place,
// and a click chooses point B or the display frequency from there.
#include <gtest/gtest.h>

#include "display/picture_cursor.h"
#include "display/bitmap.h"
#include "display/point.h"
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
  const CursorReadout c = prgChartCursor(*s, a, false);
  EXPECT_EQ(c.locator, "Zeit [UTC]:  12:30 Uhr");
  EXPECT_EQ(c.frequency, "Frequenz:  15 MHz");
  EXPECT_EQ(c.level, "Feldstärke: <-54 dB(µV/m)");
  EXPECT_EQ(prgKlick(*s, true).kind, ClickResult::Kind::Frequency);
  EXPECT_FLOAT_EQ(s->AktFrequenz, 15.0f);
  EXPECT_EQ(shownMinute(*s), 12 * 60 + 30);  // the chart click sets the time shown too
}
