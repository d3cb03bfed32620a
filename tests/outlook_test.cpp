// Will the mode get through: the noise at the receiving station, the class
// boundaries, the symbols, words and lines in every language, the best-band
// line, the choices and their preferences, and the outlook in the point
// result, the bands and the pictures.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>
#include <set>

#include "display/bitmap.h"
#include "display/chart.h"
#include "display/chart_picture.h"
#include "display/map_picture.h"
#include "display/outlookview.h"
#include "display/point.h"
#include "display/worldmap.h"
#include "files/window_prefs.h"
#include "forecast/availability.h"
#include "forecast/table.h"
#include "outlook/bestband.h"
#include "outlook/grids.h"
#include "outlook/outlook.h"
#include "testutil.h"

using namespace welvaro;
using namespace welvaro::test;

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

std::unique_ptr<State> inLanguage(int l) {
  auto s = std::make_unique<State>();
  s->L = static_cast<int16>(l);
  return s;
}

}  // namespace

// ---- Noise -------------------------------------------------------------------

// N0 at the band edges, worked out by hand from F_am = c - d log10(f) and
// the galactic 52 - 23 log10(f), added as powers, less 174.
TEST(OutlookNoise, DensityAtTheBandEdgesOfEveryEnvironment) {
  struct Row {
    int env;
    double mhz, n0;
  } rows[] = {
      {0, 1.8, -104.2521}, {1, 1.8, -108.5203}, {2, 1.8, -113.7015}, {3, 1.8, -124.7749},
      {0, 29.7, -137.9251}, {1, 29.7, -142.1089}, {2, 29.7, -146.9934}, {3, 29.7, -155.0226},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(testing::Message() << "environment " << r.env << " at " << r.mhz << " MHz");
    auto s_ = std::make_unique<State>();
    State& s = *s_;
    s.NoiseEnvironment = static_cast<int16>(r.env);
    EXPECT_NEAR(noiseDensity(s, r.mhz), r.n0, 1e-4);
  }
  // Quiet rural at 29.7 MHz is the galaxy's rather than the neighbours' noise.
  EXPECT_GT(galacticNoiseFigure(29.7), manMadeNoiseFigure(Noise::QuietRural, 29.7));
  auto s_ = std::make_unique<State>();
  State& s = *s_;
  EXPECT_EQ(noiseEnvironment(s), Noise::Residential);  // the default
  s.NoiseEnvironment = 9;
  EXPECT_EQ(noiseEnvironment(s), Noise::Residential);
}

TEST(OutlookNoise, MyNoiseFloorIsTheLevelIn2500HzLess34) {
  auto s_ = std::make_unique<State>();
  State& s = *s_;
  ASSERT_TRUE(chooseNoise(s, 4, -117));
  for (const double mhz : {1.8, 14.2, 29.7}) EXPECT_DOUBLE_EQ(noiseDensity(s, mhz), -151.0);
  EXPECT_FALSE(chooseNoise(s, 4, -161));  // out of range: nothing changes
  EXPECT_FALSE(chooseNoise(s, 5, -100));
  EXPECT_EQ(s.NoiseFloor, -117);
  EXPECT_EQ(noiseWord(s), "-117");
  ASSERT_TRUE(chooseNoise(s, 0, kNaN));
  EXPECT_EQ(noiseWord(s), "city");
  EXPECT_EQ(s.NoiseFloor, -117);  // kept for the next time
}

// ---- Classes -------------------------------------------------------------------

TEST(OutlookClass, EveryBoundaryAtAMarginOfExactlyZero) {
  const double below = -1e-9;
  struct Row {
    const char* name;
    double m10, m50, m90;
    Outlook want;
  } rows[] = {
      {"90 % exactly 0", 20, 10, 0, Outlook::Good},
      {"90 % just short", 20, 10, below, Outlook::Fair},
      {"50 % exactly 0", 10, 0, -10, Outlook::Fair},
      {"50 % just short", 10, below, -10, Outlook::Poor},
      {"10 % exactly 0", 0, -10, -20, Outlook::Poor},
      {"10 % just short", below, -10, -20, Outlook::Closed},
      {"not a number", kNaN, kNaN, kNaN, Outlook::Closed},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    EXPECT_EQ(classify(r.m10, r.m50, r.m90), r.want);
    // The pictures' colour index lies in the range of the same class.
    EXPECT_EQ(outlookOfIndex(outlookIndex(r.m10, r.m50, r.m90)), r.want);
  }
}

TEST(OutlookClass, MarginsFromLevelsNoiseAndNeed) {
  // -100 dBm against N0 -140 dBm/Hz: 40 dB-Hz; SSB needs 38.
  const OutlookValue v = outlookOf({-96, -100, -109}, -140, 38);
  EXPECT_DOUBLE_EQ(v.snrDbHz[1], 40);
  EXPECT_DOUBLE_EQ(v.marginDb[0], 6);
  EXPECT_DOUBLE_EQ(v.marginDb[1], 2);
  EXPECT_DOUBLE_EQ(v.marginDb[2], -7);
  EXPECT_EQ(v.outlook, Outlook::Fair);
}

TEST(OutlookClass, PictureIndexRunsWithinItsClass) {
  // Closed and good: one index per dB from the border; poor and fair: where
  // the margin crosses 0 between the availabilities.
  EXPECT_EQ(outlookIndex(-0.5, -5, -9), 26);
  EXPECT_EQ(outlookIndex(-3.5, -5, -9), 23);
  EXPECT_EQ(outlookIndex(-100, -105, -109), 0);
  EXPECT_EQ(outlookIndex(4, -4, -9), 27 + 13);   // halfway from 10 to 50 %
  EXPECT_EQ(outlookIndex(9, 6, -2), 54 + 20);    // three quarters from 50 to 90 %
  EXPECT_EQ(outlookIndex(20, 10, 2.7), 81 + 2);
  EXPECT_EQ(outlookIndex(60, 50, 40), 108);
  std::set<std::tuple<int, int, int>> colours;
  for (const Outlook o : {Outlook::Closed, Outlook::Poor, Outlook::Fair, Outlook::Good}) {
    const OutlookColour c = outlookColour(o);
    colours.insert({c.red, c.green, c.blue});
  }
  EXPECT_EQ(colours.size(), 4u);
}

// ---- Modes ---------------------------------------------------------------------

TEST(OutlookMode, NeedsAndTheirWords) {
  struct Row {
    const char* word;
    double need;
  } rows[] = {{"CW", 24}, {"ssb", 38}, {"FT8", 13}, {"ft4", 17}, {"WSPR", 6}};
  for (const Row& r : rows) {
    SCOPED_TRACE(r.word);
    auto s_ = std::make_unique<State>();
    State& s = *s_;
    ASSERT_EQ(modeFromText(s, r.word), "");
    EXPECT_EQ(requiredSnr(s), r.need);
  }
  auto s_ = std::make_unique<State>();
  State& s = *s_;
  EXPECT_EQ(modeName(s), "FT8");  // the default
  EXPECT_EQ(modeFromText(s, "21.5"), "");
  EXPECT_EQ(outlookMode(s), Mode::Custom);
  EXPECT_EQ(requiredSnr(s), 21.5);
  s.L = 1;
  EXPECT_EQ(modeName(s), "Custom (21.5 dB-Hz)");
  EXPECT_NE(modeFromText(s, "81"), "");
  EXPECT_NE(modeFromText(s, "PSK31"), "");
  EXPECT_NE(modeFromText(s, "12,5"), "");
  EXPECT_EQ(requiredSnr(s), 21.5);  // unchanged by the refused ones
  const auto list = modeChoices(*inLanguage(1));
  ASSERT_EQ(list.size(), 6u);
  EXPECT_EQ(list[0].text, "CW (24 dB-Hz)");
  EXPECT_EQ(list[5].text, "Custom (20 dB-Hz)");
  EXPECT_EQ(noiseChoices(*inLanguage(0))[4].text, "Mein Rauschpegel (-100 dBm)");
}

TEST(OutlookMode, KeptInTheWindowPreferences) {
  auto s_ = std::make_unique<State>();
  State& s = *s_;
  ASSERT_EQ(modeFromText(s, "33"), "");
  ASSERT_EQ(noiseFromText(s, "-121.5"), "");
  WindowPrefs f;
  f.projection = 1;
  outlookToPreferences(s, f);
  const std::string text = windowPrefsText(f);
  EXPECT_NE(text.find("mode=custom\n"), std::string::npos);
  EXPECT_NE(text.find("noise=floor\n"), std::string::npos);
  auto back_ = std::make_unique<State>();
  State& back = *back_;
  outlookFromPreferences(back, windowPrefsFromText(text));
  EXPECT_EQ(back.OutlookMode, 5);
  EXPECT_EQ(back.CustomSnr, 33);
  EXPECT_EQ(back.NoiseEnvironment, 4);
  EXPECT_EQ(back.NoiseFloor, -121.5);
  EXPECT_EQ(windowPrefsFromText(text).projection, 1);

  // Words of other cases are read; bad values keep the start values.
  auto other_ = std::make_unique<State>();
  State& other = *other_;
  outlookFromPreferences(other, windowPrefsFromText("mode=wspr\nnoise=Quiet\nmode_dbhz=500\nnoise_dbm=abc\n"));
  EXPECT_EQ(outlookMode(other), Mode::WSPR);
  EXPECT_EQ(noiseEnvironment(other), Noise::QuietRural);
  EXPECT_EQ(other.CustomSnr, 20);
  EXPECT_EQ(other.NoiseFloor, -100);
  auto none_ = std::make_unique<State>();
  State& none = *none_;
  outlookFromPreferences(none, windowPrefsFromText("x=10\nmode=PSK31\n"));
  EXPECT_EQ(outlookMode(none), Mode::FT8);
}

// ---- Texts in every language ------------------------------------------------------

TEST(OutlookText, SymbolsWordsAndLinesInEveryLanguage) {
  EXPECT_EQ(outlookSymbol(Outlook::Good), "\u25CF");
  EXPECT_EQ(outlookSymbol(Outlook::Fair), "\u25D0");
  EXPECT_EQ(outlookSymbol(Outlook::Poor), "\u25CB");
  EXPECT_EQ(outlookSymbol(Outlook::Closed), "\u2013");
  struct Row {
    int l;
    const char* good;
    const char* spare;
    const char* shortLine;
  } rows[] = {
      {0, "FT8: gut, 14 dB Reserve", "gut", "SSB: geschlossen, 6 dB zu wenig"},
      {1, "FT8: good, 14 dB to spare", "good", "SSB: closed, 6 dB short"},
      {2, "FT8: gut, 14 dB Reserve", "gut", "SSB: geschlossen, 6 dB zu wenig"},
      {3, "FT8: buena, 14 dB de margen", "buena", "SSB: cerrada, faltan 6 dB"},
      {4, "FT8\u00A0: bonne, 14 dB de marge", "bonne", "SSB\u00A0: fermée, il manque 6 dB"},
      {5, "FT8: gut, 14 dB Reserve", "gut", "SSB: geschlossen, 6 dB zu wenig"},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.l);
    auto s = inLanguage(r.l);
    std::set<std::string> words;
    for (const Outlook o : {Outlook::Closed, Outlook::Poor, Outlook::Fair, Outlook::Good}) words.insert(outlookText(*s, o));
    EXPECT_EQ(words.size(), 4u);
    EXPECT_EQ(outlookText(*s, Outlook::Good), r.spare);
    // 14.9 dB to spare is said as 14; 5.2 dB short as 6: never more than there is.
    EXPECT_EQ(outlookLine(*s, outlookOf({-90, -95, -99.1}, -140, 30.1), 1), r.good);
    s->OutlookMode = 1;
    EXPECT_EQ(outlookLine(*s, outlookOf({-107.2, -107.2, -107.2}, -140, 38), 2), r.shortLine);
    EXPECT_FALSE(quantityText(*s).empty());
    EXPECT_NE(quantityText(*s).find("SSB"), std::string::npos);
  }
  auto en = inLanguage(1);
  EXPECT_EQ(marginText(*en, 0), "0 dB to spare");
  EXPECT_EQ(marginText(*en, -0.2), "1 dB short");
  EXPECT_EQ(outlookNoneLine(*en), "FT8: no outlook");
  EXPECT_EQ(legendWord(*inLanguage(4), Outlook::Closed), "FERMÉE");
  EXPECT_EQ(legendWord(*inLanguage(4), Outlook::Fair), "MOYENNE");
}

// ---- Best band --------------------------------------------------------------------

namespace {

BandOutlook band(const char* name, Outlook o, double margin, bool valid = true) { return {name, valid, o, margin}; }

}  // namespace

TEST(OutlookBestBand, BestClassThenLargestMarginThenTheFirst) {
  EXPECT_EQ(bestBand({band("40 m", Outlook::Fair, 9), band("20 m", Outlook::Good, 1), band("15 m", Outlook::Good, 4)}),
            2);
  EXPECT_EQ(bestBand({band("40 m", Outlook::Good, 4), band("20 m", Outlook::Good, 4)}), 0);  // a full tie: the first
  EXPECT_EQ(bestBand({band("40 m", Outlook::Poor, -3), band("20 m", Outlook::Poor, -1)}), 1);
  EXPECT_EQ(bestBand({band("40 m", Outlook::Closed, 5), band("20 m", Outlook::Good, 9, false)}), -1);
  EXPECT_EQ(bestBand({}), -1);
}

TEST(OutlookBestBand, TheLineNowLaterAndNever) {
  auto en = inLanguage(1);
  en->OutlookMode = 1;  // SSB
  const BandMoment open{14, 20, {band("40 m", Outlook::Fair, 3), band("20 m", Outlook::Good, 14)}};
  const BandMoment shut{14, 20, {band("40 m", Outlook::Closed, -3), band("20 m", Outlook::Closed, -1)}};
  std::vector<BandMoment> later;
  for (int h = 15; h < 15 + 24; ++h)
    later.push_back({h % 24, 0, {band("40 m", Outlook::Closed, -8), band("20 m", Outlook::Closed, -2)}});
  EXPECT_EQ(bestBandLine(*en, open, later, true), "Best band for SSB now: 20 m (good, 14 dB to spare)");
  EXPECT_EQ(bestBandLine(*en, shut, later, true), "No band open for SSB now, nor in the next 24 hours");
  later[2].bands[0] = band("40 m", Outlook::Poor, -2);  // 17:00
  later[3].bands[1] = band("20 m", Outlook::Good, 5);
  EXPECT_EQ(bestBandLine(*en, shut, later, true), "No band open for SSB now; next: 40 m at 17:00 UTC");
  EXPECT_EQ(bestBandLine(*en, shut, later, false), "No band open for SSB at 14:20 UTC; next: 40 m at 17:00 UTC");
  const char* others[] = {"Für SSB jetzt kein Band offen; als Nächstes: 40 m um 17:00 UTC",
                          "Ninguna banda abierta para SSB ahora; la próxima: 40 m a las 17:00 UTC",
                          "Aucune bande ouverte en SSB maintenant\u00A0; prochaine\u00A0: 40 m à 17:00 UTC"};
  for (int k = 0; k < 3; ++k) {
    auto s = inLanguage(k == 0 ? 0 : k + 2);
    s->OutlookMode = 1;
    EXPECT_EQ(bestBandLine(*s, shut, later, true), others[k]);
  }
}

// ---- The point result and the bands ------------------------------------------------

TEST(OutlookPoint, LineAndTheStateThePointResultLeft) {
  auto s = defaultLink({2026, 12, 8, 12, 0, 0});
  s->L = 1;
  s->Zeitpunkt = {2026, 12, 8, 12, 0, 0};
  s->AktFrequenz = 14.2f;
  prgPointErgebnis(*s);
  const double x2 = s->X2, distance = s->Distanz;
  const PointOutlook p = prgPointOutlook(*s);
  ASSERT_EQ(p.fault, 0);
  EXPECT_EQ(s->X2, x2);
  EXPECT_EQ(s->Distanz, distance);
  EXPECT_EQ(s->OutlookLine, outlookLine(*s, p.value, 1));
  EXPECT_EQ(s->OutlookLine.rfind("FT8: ", 0), 0u);
  // The level before the point result's floors: at most two dB above them.
  EXPECT_GE(p.value.levelDbm[1], s->PunktPegel);
  EXPECT_LT(p.value.levelDbm[1], s->PunktPegel + 2);
  EXPECT_GE(p.value.levelDbm[0], p.value.levelDbm[1]);
  EXPECT_LE(p.value.levelDbm[2], p.value.levelDbm[1]);

  s->X1 = 0;  // point B on the antipode of station A: no forecast
  s->Y1 = 0;
  s->OrtX2 = 0;
  s->OrtY2 = 180;
  EXPECT_NE(prgPointOutlook(*s).fault, 0);
  EXPECT_EQ(s->OutlookLine, "FT8: no outlook");
}

TEST(OutlookBands, EveryBandAndHourAndTheBestBandLine) {
  auto s = defaultLink({2026, 12, 8, 12, 0, 0});
  s->L = 1;
  std::vector<BandOutlookRow> rows;
  ASSERT_EQ(prgBandOutlook(*s, 22, 30, 3, rows), 0);
  ASSERT_EQ(rows.size(), kBands.size());
  EXPECT_EQ(rows[3].values[2].hour, 0);  // past midnight
  for (const BandOutlookRow& r : rows) {
    ASSERT_EQ(r.values.size(), 3u);
    const OutlookValue v = linkOutlook(*s, r.band.mhz, 22, 30);
    EXPECT_EQ(r.values[0].value.marginDb, v.marginDb);
  }
  EXPECT_EQ(bandName(kBands[3]), "40 m");
  EXPECT_TRUE(s->BestBandLine.starts_with("Best band for FT8 now: ") || s->BestBandLine.starts_with("No band open"))
      << s->BestBandLine;
}

TEST(OutlookView, QuantitySwitchAndCursorText) {
  auto s = inLanguage(3);
  s->GenZaehler = 2;
  const FollowUp f = chooseOutlook(*s, true);
  EXPECT_EQ(s->OutlookFlag, 1);
  EXPECT_EQ(s->GenZaehler, 0);
  EXPECT_TRUE(f.redraw && f.restartCycle);
  EXPECT_EQ(outlookCursorText(*s, 80), "\u25D0 regular");
  EXPECT_EQ(outlookCursorText(*s, 0), "\u2013 cerrada");
  chooseOutlook(*s, false);
  EXPECT_EQ(s->OutlookFlag, 0);
}

// ---- Pictures ---------------------------------------------------------------------

namespace {

// The world-map state with its three tables, at 14.2 MHz, 12:00 UTC.
std::unique_ptr<State> mapState() {
  auto s = defaultLink({2026, 12, 7, 12, 0, 0});
  generateTableAndAvailabilities(*s);
  prgTabPlus(*s);
  conBitmaps(*s);
  s->AktFrequenz = 14.2f;
  s->Zeitpunkt = {2026, 12, 7, 12, 0, 0};
  return s;
}

// The colour index of grid point (i, j) at 14 MHz and 12:00 UTC worked out
// from the table bytes: field b - 128 plus the level term, less N0 and the need.
int expectedIndex(const State& s, int i, int j) {
  double m[3];
  for (int a = 0; a < 3; ++a) {
    const double field = static_cast<unsigned char>(s.AvailabilityTables[a][tabOffset(i, j, 14, 12)]) - 128.0;
    const double level = field + 45 - 20 * std::log10(14e6);
    m[a] = level - noiseDensity(s, 14) - requiredSnr(s);
  }
  return outlookIndex(m[0], m[1], m[2]);
}

}  // namespace

TEST(OutlookPictures, WorldMapBitmapFromTheThreeTables) {
  auto s = mapState();
  s->AktFrequenz = 14;
  s->OutlookFlag = 1;
  std::string picture;
  worldBitmap(*s, picture);
  std::set<int> classes;
  for (int i = 0; i <= 18; ++i)
    for (int j = 0; j <= 35; ++j) {
      const int want = expectedIndex(*s, i, j);
      if (std::abs(s->WeltRaster[j][i] - want) > 1) ADD_FAILURE() << i << " " << j;
      classes.insert(static_cast<int>(outlookOfIndex(s->WeltRaster[j][i])));
    }
  EXPECT_GE(classes.size(), 3u);  // Europe open at noon, the far side closed
  ASSERT_EQ(picture.size(), kWorldBitmapLength);
  EXPECT_EQ(picture.substr(kBmpHeaderLength, kBmpPaletteLength), outlookPalette());
  // Without the outlook the level map is as before.
  s->OutlookFlag = 0;
  std::string level;
  worldBitmap(*s, level);
  EXPECT_EQ(level.substr(kBmpHeaderLength, kBmpPaletteLength), s->BmpPalette);
}

TEST(OutlookPictures, WithoutTheTablesEverythingIsClosed) {
  auto s = defaultLink();
  int16 grid[19][36];
  EXPECT_FALSE(outlookWorldGrid(*s, 14.2, 12, 0, grid));
  EXPECT_EQ(grid[9][18], 0);
}

TEST(OutlookPictures, ChartFromTheLinkAtTheThreeAvailabilities) {
  auto s = defaultLink({2026, 12, 7, 12, 0, 0});
  conBitmaps(*s);
  s->OutlookFlag = 1;
  s->OutlookMode = 1;  // SSB
  std::string picture;
  ASSERT_EQ(chartBitmap(*s, picture), 0);
  for (int h = 1; h <= 24; ++h)
    for (int f = 1; f <= 30; ++f) {
      double m[3];
      for (int a = 0; a < 3; ++a)
        m[a] = s->AvailabilityResults[a][0][h][f + 1] + 45 - 20 * std::log10(f * 1e6) - noiseDensity(*s, f) - 38;
      EXPECT_EQ(outlookOfIndex(s->OrtsRaster[h][f]), classify(m[0], m[1], m[2])) << h << " " << f;
    }
  EXPECT_EQ(s->OrtsRaster[0][10], s->OrtsRaster[24][10]);
  EXPECT_EQ(s->OrtsRaster[12][0], 0);
  EXPECT_EQ(picture.substr(kBmpHeaderLength, kBmpPaletteLength), outlookPalette());
}

TEST(OutlookPictures, ScaledPicturesInClassColoursWithALegend) {
  auto s = mapState();
  s->L = 1;
  const auto colourOf = [](Outlook o) {
    const OutlookColour c = outlookColour(o);
    return rgb(c.red, c.green, c.blue);
  };
  MapView a;
  a.frequency = 14.2f;
  a.utcMinute = 12 * 60;
  a.outlook = true;
  a.lines = false;
  a.scales = true;
  auto map = std::make_unique<MapPicture>();
  const std::uint32_t* px = map->render(*s, a, 1240, 580);
  // The colour at the picture's pixel of each grid point is its class's.
  const MapProjection& p = map->projection();
  for (int i = 1; i <= 17; i += 4)
    for (int j = 0; j <= 35; j += 5) {
      const Point q = p.toPixel({(i - 9) * 10.0, (j - 18) * 10.0});
      const int x = static_cast<int>(std::lround(q.x)), y = static_cast<int>(std::lround(q.y));
      EXPECT_EQ(px[static_cast<std::size_t>(y) * 1240 + x], colourOf(outlookOfIndex(map->grid()[i][j]))) << i << " " << j;
    }
  // The legend: a patch of each class's colour right of the picture.
  const Rect& bar = map->layout().bar;
  for (const Outlook o : {Outlook::Good, Outlook::Fair, Outlook::Poor, Outlook::Closed}) {
    int n = 0;
    for (int y = 0; y < 580; ++y)
      for (int x = bar.x; x < 1240; ++x) n += px[static_cast<std::size_t>(y) * 1240 + x] == colourOf(o);
    EXPECT_GT(n, 20) << static_cast<int>(o);
  }
  const auto reading = map->readAt(*s, p.toPixel({50, 10}));
  ASSERT_TRUE(reading.has_value());
  EXPECT_EQ(reading->value, static_cast<int>(outlookOfIndex(reading->colourIndex)));

  // The chart likewise, from the link's three availabilities.
  ASSERT_EQ(forecastAvailabilities(*s), 0);
  ChartView c;
  c.outlook = true;
  c.scales = true;
  c.lines = false;
  auto chart = std::make_unique<ChartPicture>();
  const std::uint32_t* cx = chart->render(*s, c, 800, 400);
  const ChartProjection& cp = chart->projection();
  int16 grid[25][31];
  outlookChartGrid(*s, grid);
  // Between grid points the colour is that of one of the four around it.
  for (const auto& [hour, mhz] : {std::pair{12.5, 14.5}, std::pair{3.5, 5.5}, std::pair{20.5, 8.5}}) {
    const Point q = cp.toPixel(ChartPoint{hour, mhz});
    const std::uint32_t got =
        cx[static_cast<std::size_t>(std::lround(q.y)) * 800 + static_cast<std::size_t>(std::lround(q.x))];
    std::set<std::uint32_t> around;
    for (int h : {0, 1})
      for (int f : {0, 1})
        around.insert(colourOf(outlookOfIndex(grid[static_cast<int>(hour) + h][static_cast<int>(mhz) + f])));
    EXPECT_TRUE(around.count(got)) << hour << " h, " << mhz << " MHz";
  }
}
