// The cursor read-out over the pictures drawn at any size gives the texts
// and state changes the read-out over the bitmaps gives at the same place,
// and a click chooses point B or the display frequency from there.
#include <gtest/gtest.h>

#include "display/bildcursor.h"
#include "display/bitmap.h"
#include "display/point.h"
#include "testutil.h"

using namespace welvaro;
using namespace welvaro::test;

TEST(Bildcursor, WorldMapReadOutAsOverTheBitmap) {
  for (const bool grad : {true, false}) {
    SCOPED_TRACE(grad);
    auto s = defaultLink();
    s->Darstellung = 1;
    KartenAblesung a;
    a.ort = {40.4, -3.7};
    a.farbIndex = 37;
    a.peilung = 240.7;
    a.abstandKm = 1478.6;
    const CursorAnzeige c = prgKartenCursor(*s, a, true, grad);
    EXPECT_EQ(c.pegel, "Pegel: -90 dBm");
    EXPECT_EQ(c.locator, grad ? "Position:  40.4°N  3.7°W" : "Position: IN80DJ");
    EXPECT_FLOAT_EQ(s->Px2, 40.4f);
    EXPECT_FLOAT_EQ(s->Py2, -3.7f);
    EXPECT_EQ(peilungText(*s, a), "Richtung (A): 240°  Distanz: 1478 km");
    // A click in cursor-position mode makes the place point B.
    s->OrtX2 = s->OrtY2 = 0;
    EXPECT_EQ(prgKlick(*s, true).art, KlickErgebnis::Art::PunktB);
    EXPECT_FLOAT_EQ(s->OrtX2, 40.4f);
    EXPECT_FLOAT_EQ(s->OrtY2, -3.7f);
  }
}

TEST(Bildcursor, ChartReadOutAndClickTakeTheFrequency) {
  auto s = defaultLink();
  s->Darstellung = 2;
  ChartAblesung a;
  a.ort = {12.5, 15.02};
  a.farbIndex = 0;
  const CursorAnzeige c = prgChartCursor(*s, a, false);
  EXPECT_EQ(c.locator, "Zeit [UTC]:  12:30 Uhr");
  EXPECT_EQ(c.frequenz, "Frequenz:  15 MHz");
  EXPECT_EQ(c.pegel, "Feldstärke: <-54 dB [µV/m]");
  EXPECT_EQ(prgKlick(*s, true).art, KlickErgebnis::Art::Frequenz);
  EXPECT_FLOAT_EQ(s->AktFrequenz, 15.0f);
  EXPECT_EQ(gezeigteMinute(*s), 12 * 60 + 30);  // the chart click sets the time shown too
}
