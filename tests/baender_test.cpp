// The link in the ten amateur bands: each value is the point result's at
// the band's frequency and time, hours run on past midnight, and the band
// steps of the keyboard.
#include <gtest/gtest.h>

#include "display/baender.h"
#include "display/point.h"
#include "testutil.h"

using namespace welvaro;

namespace {

// The point result of the link at mhz and hh:mm UTC.
std::pair<float, float> punkt(const State& vorlage, float mhz, int hh, int mm) {
  auto s = std::make_unique<State>(vorlage);
  s->AktFrequenz = mhz;
  s->Zeitpunkt = DateTime{s->Jetzt.year, s->Jetzt.month, s->Jetzt.day, hh, mm, 0};
  EXPECT_EQ(prgPointErgebnis(*s), 0);
  return {s->PunktFeld, s->PunktPegel};
}

}  // namespace

TEST(Baender, EveryValueIsThePointResultAtItsFrequencyAndTime) {
  auto s = test::defaultLink();
  std::vector<BandZeile> zeilen;
  ASSERT_EQ(prgBandWerte(*s, 22, 30, 4, zeilen), 0);
  ASSERT_EQ(zeilen.size(), 10u);
  EXPECT_EQ(zeilen[5].band.name, "20m");
  for (const BandZeile& z : zeilen) {
    ASSERT_EQ(z.werte.size(), 4u);
    const int stunden[] = {22, 23, 0, 1};  // on past midnight
    for (std::size_t k = 0; k < 4; ++k) {
      SCOPED_TRACE(std::string(z.band.name) + " " + std::to_string(k));
      const BandWert& w = z.werte[k];
      EXPECT_EQ(w.stunde, stunden[k]);
      EXPECT_EQ(w.minute, 30);
      ASSERT_TRUE(w.wert);
      const auto [feld, pegel] = punkt(*s, z.band.mhz, w.stunde, w.minute);
      EXPECT_EQ(w.feld, feld);
      EXPECT_EQ(w.pegel, pegel);
    }
  }
}

TEST(Baender, NoValuesWhenTheLinkCannotBeComputed) {
  auto s = test::defaultLink();
  s->X1 = 0, s->Y1 = 0, s->OrtX2 = 0, s->OrtY2 = 0;  // point B on station A: no great circle
  std::vector<BandZeile> zeilen;
  EXPECT_NE(prgBandWerte(*s, 12, 0, 2, zeilen), 0);
  ASSERT_EQ(zeilen.size(), 10u);
  for (const BandZeile& z : zeilen)
    for (const BandWert& w : z.werte) EXPECT_FALSE(w.wert);
}

TEST(Baender, StepsToTheNeighbouringBand) {
  struct Fall {
    float mhz;
    int richtung, band;
  } faelle[] = {{14.2f, 1, 6},  {14.2f, -1, 4}, {10.2f, 1, 5}, {10.2f, -1, 4},
                {1.5f, -1, 0},  {1.5f, 1, 0},   {29.9f, 1, 9}, {29.9f, -1, 9}, {35, -1, 9}};
  for (const Fall& f : faelle) {
    SCOPED_TRACE(testing::Message() << f.mhz << " " << f.richtung);
    EXPECT_EQ(nachbarBand(f.mhz, f.richtung), f.band);
  }
}
