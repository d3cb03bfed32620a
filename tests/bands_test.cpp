// The link in the ten amateur bands: each value is the point result's at
// the band's frequency and time, hours run on past midnight, and the band
// steps of the keyboard.
#include <gtest/gtest.h>

#include "display/bands.h"
#include "display/point.h"
#include "testutil.h"

using namespace welvaro;

namespace {

// The point result of the link at mhz and hh:mm UTC.
std::pair<float, float> point(const State& templateState, float mhz, int hh, int mm) {
  auto s = std::make_unique<State>(templateState);
  s->AktFrequenz = mhz;
  s->Zeitpunkt = DateTime{s->Jetzt.year, s->Jetzt.month, s->Jetzt.day, hh, mm, 0};
  EXPECT_EQ(prgPointErgebnis(*s), 0);
  return {s->PunktFeld, s->PunktPegel};
}

}  // namespace

TEST(Bands, EveryValueIsThePointResultAtItsFrequencyAndTime) {
  auto s = test::defaultLink();
  std::vector<BandRow> rows;
  ASSERT_EQ(prgBandWerte(*s, 22, 30, 4, rows), 0);
  ASSERT_EQ(rows.size(), 10u);
  EXPECT_EQ(rows[5].band.name, "20m");
  for (const BandRow& z : rows) {
    ASSERT_EQ(z.values.size(), 4u);
    const int hours[] = {22, 23, 0, 1};  // on past midnight
    for (std::size_t k = 0; k < 4; ++k) {
      SCOPED_TRACE(std::string(z.band.name) + " " + std::to_string(k));
      const BandValue& w = z.values[k];
      EXPECT_EQ(w.hour, hours[k]);
      EXPECT_EQ(w.minute, 30);
      ASSERT_TRUE(w.value);
      const auto [field, level] = point(*s, z.band.mhz, w.hour, w.minute);
      EXPECT_EQ(w.field, field);
      EXPECT_EQ(w.level, level);
    }
  }
}

TEST(Bands, NoValuesWhenTheLinkCannotBeComputed) {
  auto s = test::defaultLink();
  s->X1 = 0, s->Y1 = 0, s->OrtX2 = 0, s->OrtY2 = 0;  // point B on station A: no great circle
  std::vector<BandRow> rows;
  EXPECT_NE(prgBandWerte(*s, 12, 0, 2, rows), 0);
  ASSERT_EQ(rows.size(), 10u);
  for (const BandRow& z : rows)
    for (const BandValue& w : z.values) EXPECT_FALSE(w.value);
}

TEST(Bands, StepsToTheNeighbouringBand) {
  struct Case {
    float mhz;
    int direction, band;
  } cases[] = {{14.2f, 1, 6},  {14.2f, -1, 4}, {10.2f, 1, 5}, {10.2f, -1, 4},
                {1.5f, -1, 0},  {1.5f, 1, 0},   {29.9f, 1, 9}, {29.9f, -1, 9}, {35, -1, 9}};
  for (const Case& f : cases) {
    SCOPED_TRACE(testing::Message() << f.mhz << " " << f.direction);
    EXPECT_EQ(neighbourBand(f.mhz, f.direction), f.band);
  }
}
