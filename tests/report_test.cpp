// The printed report: its table at the six memory frequencies, the page as
// lines of column-placed texts, the plain text and PDF forms, and
// welvaro-cli report.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <unistd.h>

#include "cli/commands.h"
#include "display/point.h"
#include "forecast/tageskorr.h"
#include "lang/sprachtext.h"
#include "report/pdf.h"
#include "report/report.h"
#include "state/numtext.h"
#include "testutil.h"

using namespace welvaro;

namespace {

const DateTime kDruckZeit{2026, 5, 20, 14, 0, 5};

// Munich to Madrid on 20 May 2026 (a day-corrected month), after a display
// generation: the point result has run.
std::unique_ptr<State> nachPunkt(int sprache = 0, bool pegel = true) {
  auto s = std::make_unique<State>();
  s->Jetzt = {2026, 5, 20, 14, 0, 0};
  s->Zeitpunkt = {2026, 5, 20, 12, 0, 0};
  s->Monat = 5;
  s->JahrText = "2026";
  s->L = static_cast<int16>(sprache);
  s->PegelFlag = pegel ? 1 : 0;
  s->Darstellung = 2;
  fuelleMonatsNamen(*s);
  EXPECT_EQ(prgPointErgebnis(*s), 0);
  return s;
}

std::vector<std::string> teile(const std::string& text) {
  std::vector<std::string> v;
  std::istringstream in(text);
  for (std::string z; std::getline(in, z);) v.push_back(z);
  return v;
}

std::string rtrim(std::string t) {
  while (!t.empty() && t.back() == ' ') t.pop_back();
  return t;
}

// The text of a right-aligned table cell that ends in column `ende`: the
// characters back to the previous blank.
std::string zelle(const std::string& zeile, int ende) {
  if (static_cast<int>(zeile.size()) < ende) return "";
  int von = ende - 1;
  while (von > 0 && zeile[static_cast<std::size_t>(von - 1)] != ' ') --von;
  return zeile.substr(static_cast<std::size_t>(von), static_cast<std::size_t>(ende - von));
}

// The values of the link at the memory frequencies, computed without the
// report: the day-corrected forecast with the memories in the list.
Arr<Arr<double, 0, 7>, 0, 24> feldBeiSpeichern(const State& nachPunkt) {
  auto s = std::make_unique<State>(nachPunkt);
  s->DruckFlag = 1;
  EXPECT_EQ(prgTageskorr(*s), 0);
  Arr<Arr<double, 0, 7>, 0, 24> e;
  for (int h = 1; h <= 24; ++h)
    for (int c = 2; c <= 7; ++c) e[h][c] = s->ErgFeld[0][h][c];
  return e;
}

// Position of the first occurrence of `what`, failing the test without one.
std::size_t finde(const std::string& in, const std::string& what) {
  const auto p = in.find(what);
  EXPECT_NE(p, std::string::npos) << what;
  return p;
}

using test::CliRun;

CliRun runTool(std::vector<std::string> args) {
  args.insert(args.begin(), "report");
  return test::runCli(args, {2026, 5, 20, 14, 0, 5});
}

}  // namespace

// ---- The table ---------------------------------------------------------------

TEST(DruckTabelle, HoldsTheLinkAtTheMemoriesInBothUnits) {
  for (const bool pegel : {true, false}) {
    SCOPED_TRACE(pegel ? "level" : "field strength");
    auto s = nachPunkt(0, pegel);
    const auto feld = feldBeiSpeichern(*s);
    ASSERT_EQ(prgDruckTabelle(*s), 0);
    EXPECT_EQ(s->DruckFlag, 0);

    const float speicher[6] = {1.8f, 3.7f, 7.0f, 14.2f, 21.3f, 29.1f};
    int unten = 0;
    for (int k = 1; k <= 6; ++k) EXPECT_EQ(s->DruckTabelle[0][k], speicher[k - 1]);
    for (int h = 1; h <= 24; ++h) {
      SCOPED_TRACE(h);
      EXPECT_EQ(s->DruckTabelle[h][0], h);
      for (int k = 1; k <= 6; ++k) {
        const double e = feld[h][k + 1];
        double erwartet;
        if (pegel) {
          // Level of the unclamped field strength at the memory frequency, in Hz.
          const double p = std::floor(45 - 20 * std::log10(static_cast<double>(speicher[k - 1]) * 1e6 + 0.1) + e);
          erwartet = std::min(std::max(p, -127.0), -13.0);
        } else {
          erwartet = std::min(std::max(e, -52.0), 52.0);
        }
        EXPECT_EQ(s->DruckTabelle[h][k], erwartet) << "memory " << k;
        // The held value is also what the forecast grid keeps.
        EXPECT_EQ(s->ErgFeld[0][h][k + 1], erwartet);
        unten += s->DruckTabelle[h][k] == (pegel ? -127 : -52);
      }
    }
    EXPECT_GT(unten, 0);  // the weak hours reach the bottom of the scale
  }
}

TEST(DruckTabelle, StrongSignalsAreHeldAtTheTop) {
  // 1000 kW, 20 dBi over a short path: the field strength goes beyond 52 dB
  // and the level beyond -13 dBm at some hour.
  for (const bool pegel : {true, false}) {
    SCOPED_TRACE(pegel ? "level" : "field strength");
    auto s = std::make_unique<State>(*nachPunkt(0, pegel));
    s->OrtX2 = 48.2f;
    s->OrtY2 = 11.6f;
    s->Zkw = 1000;
    s->Sag = 20;
    s->Speicher1 = 1.8f;
    ASSERT_EQ(prgPointErgebnis(*s), 0);
    const auto feld = feldBeiSpeichern(*s);
    ASSERT_EQ(prgDruckTabelle(*s), 0);
    const double oberste = pegel ? -13 : 52;
    int gehalten = 0;
    for (int h = 1; h <= 24; ++h)
      for (int k = 1; k <= 6; ++k) {
        EXPECT_LE(s->DruckTabelle[h][k], oberste);
        const double f = static_cast<double>(s->DruckTabelle[0][k]);
        const double roh = pegel ? 45 - 20 * std::log10(f * 1e6 + 0.1) + feld[h][k + 1] : feld[h][k + 1];
        if (roh >= oberste + 1) {
          EXPECT_EQ(s->DruckTabelle[h][k], oberste);
          ++gehalten;
        }
      }
    EXPECT_GT(gehalten, 0);
  }
}

TEST(DruckTabelle, MemoriesOfWholeMegahertzGiveTheForecastColumns) {
  // With the memories at 1..6 MHz the table repeats the ordinary forecast's
  // columns for 1..6 MHz.
  auto s = nachPunkt(0, false);
  auto normal = std::make_unique<State>(*s);
  ASSERT_EQ(prgTageskorr(*normal), 0);
  s->Speicher1 = 1, s->Speicher2 = 2, s->Speicher3 = 3, s->Speicher4 = 4, s->Speicher5 = 5, s->Speicher6 = 6;
  ASSERT_EQ(prgDruckTabelle(*s), 0);
  for (int h = 1; h <= 24; ++h)
    for (int k = 1; k <= 6; ++k)
      EXPECT_EQ(s->DruckTabelle[h][k], std::clamp(normal->ErgFeld[0][h][k + 1], -52.0, 52.0)) << h << " " << k;
}

TEST(DruckTabelle, AModelFaultIsReportedAndThePrintFlagCleared) {
  auto s = nachPunkt();
  s->X1 = 0, s->Y1 = 0, s->X2 = 0, s->Y2 = 180;  // antipodes: no great circle
  EXPECT_EQ(prgDruckTabelle(*s), 11);
  EXPECT_EQ(s->DruckFlag, 0);
}

// ---- The page --------------------------------------------------------------

TEST(DruckSeite, PageTextInBothUnitsAndTwoLanguages) {
  struct Fall {
    int sprache;
    bool pegel;
    std::vector<std::string> kopf;  // lines 1..27, blanks at the end removed
    std::string punkte;             // the weakest value
  };
  const std::string r7(7, ' '), r27(27, ' ');
  const std::vector<std::string> geoDe = {
      r7 + "Sonnenfleckenzahl: 128",      r7 + "Sendeleistung: 0.1 kW",         r7 + "Antennengewinn:  2.15 dBi",
      r7 + "Funkverbindung:",             r7 + "München (A: 48.1 N 11.5 E)",   r7 + "Madrid (B: 40.4 N 3.7 W)",
      r7 + "Distanz: 1478 km (Short Path)", r7 + "Richtung (A-B): 240",         r7 + "Richtung (B-A): 49"};
  const std::vector<std::string> geoEn = {
      r7 + "Sunspot-Number: 128",          r7 + "Power: 0.1 kW",                 r7 + "Antenna-Gain:  2.15 dBi",
      r7 + "Radio-Link:",                  r7 + "München (A: 48.1 N 11.5 E)",   r7 + "Madrid (B: 40.4 N 3.7 W)",
      r7 + "Distance: 1478 km (Short Path)", r7 + "Direction (A-B): 240",       r7 + "Direction (B-A): 49"};
  auto kopf = [&](const std::string& titel, const std::string& welvaro, const std::vector<std::string>& geo,
                  const std::string& einheit, const std::string& spalten) {
    std::vector<std::string> k = {"", "", "", "", r27 + titel, "", r27 + welvaro, "", ""};
    k.insert(k.end(), geo.begin(), geo.end());
    k.insert(k.end(), {"", "", "", "", r7 + einheit, "", r7 + spalten,
                       r7 + "+---------+-------+-------+-------+-------+-------+-------+",
                       "                     1.8     3.7       7    14.2    21.3    29.1",
                       r7 + "+---------+-------+-------+-------+-------+-------+-------+"});
    return k;
  };
  const std::string zeitDe = "Zeit(UTC)" + std::string(18, ' ') + "Frequenz(MHz)";
  const std::string zeitEn = "Time(UTC)" + std::string(18, ' ') + "Frequency(MHz)";
  const Fall faelle[] = {
      {0, true, kopf("Welt-Welvaro", "Welvaro (50%) für Mai 2026", geoDe, "Auswertung: Pegel in dBm", zeitDe), "...."},
      {0, false,
       kopf("Welt-Welvaro", "Welvaro (50%) für Mai 2026", geoDe, "Auswertung: Feldstärke in dB über 1µV/m", zeitDe),
       "..."},
      {1, true,
       kopf("HF-Propagation World Wide", "Forecast (50%) for May 2026", geoEn, "Evaluation: Level in dBm", zeitEn),
       "...."},
      {1, false,
       kopf("HF-Propagation World Wide", "Forecast (50%) for May 2026", geoEn,
            "Evaluation: Field-Strength in dB over 1µV/m", zeitEn),
       "..."},
  };
  for (const Fall& f : faelle) {
    SCOPED_TRACE(std::to_string(f.sprache) + (f.pegel ? " level" : " field strength"));
    auto s = nachPunkt(f.sprache, f.pegel);
    ASSERT_EQ(prgDruckTabelle(*s), 0);
    const auto seite = druckSeite(*s, kDruckZeit);
    const auto z = teile(druckText(seite));
    ASSERT_EQ(z.size(), 56u);
    ASSERT_EQ(seite.size(), 56u);
    for (std::size_t i = 0; i < f.kopf.size(); ++i) EXPECT_EQ(rtrim(z[i]), f.kopf[i]) << "line " << i + 1;
    // The bearings keep the blank after them.
    EXPECT_EQ(z[16].back(), ' ');
    EXPECT_EQ(z[17].back(), ' ');

    // 24 data rows: the hour ending in column 14, the values in columns 24,
    // 32, .., 64; the weakest value as dots, never as its number.
    int punkte = 0;
    for (int h = 1; h <= 24; ++h) {
      SCOPED_TRACE(h);
      const std::string& zeile = z[static_cast<std::size_t>(27 + h)];
      EXPECT_EQ(zelle(zeile, 14), PlainText(static_cast<double>(h)));
      EXPECT_EQ(zeile.find_first_not_of(' '), static_cast<std::size_t>(h < 10 ? 13 : 12));
      EXPECT_EQ(static_cast<int>(zeile.size()), 64);
      for (int k = 1; k <= 6; ++k) {
        const std::string t = zelle(zeile, 8 * k + 16);
        const float v = s->DruckTabelle[h][k];
        const bool schwach = v == (f.pegel ? -127.0f : -52.0f);
        EXPECT_EQ(t, schwach ? f.punkte : PlainText(v)) << "memory " << k;
        EXPECT_EQ(zeile[static_cast<std::size_t>(8 * k + 16 - static_cast<int>(t.size()) - 1)], ' ');
        punkte += schwach;
      }
      EXPECT_EQ(zeile.find(f.pegel ? "-127" : "-52"), std::string::npos);
    }
    EXPECT_GT(punkte, 0);
    EXPECT_EQ(z[52], "");
    EXPECT_EQ(z[53], "");
    EXPECT_EQ(z[54], "");
    EXPECT_EQ(z[55], std::string(11, ' ') + "QX9QQ.DOC/20.05.2026 14:00:05");

    // Font sizes: the footer small, everything else at 12 pt.
    for (std::size_t i = 0; i + 1 < seite.size(); ++i) EXPECT_EQ(seite[i].groesse, 12) << i;
    EXPECT_EQ(seite.back().groesse, 8);
    ASSERT_EQ(seite.back().teile.size(), 1u);
    EXPECT_EQ(seite.back().teile[0].spalte, 12);
  }
}

TEST(DruckSeite, FrequencyRowEndsInTheValueColumns) {
  struct Fall {
    float m[6];
    std::string zeile;
  };
  const Fall faelle[] = {
      {{1.8f, 3.7f, 7.0f, 14.2f, 21.3f, 29.1f}, "                     1.8     3.7       7    14.2    21.3    29.1"},
      {{10.125f, 2.5f, 0.5f, 28.0f, 3.55f, 18.068f},
       "                  10.125     2.5      .5      28    3.55  18.068"},
      // Numbers wider than their column move right rather than overwrite
      // the one before them.
      {{1.234567f, 2.345678f, 7, 14, 21, 28}, "                1.234567 2.345678      7      14      21      28"},
  };
  for (const Fall& f : faelle) {
    SCOPED_TRACE(f.zeile);
    auto s = nachPunkt();
    s->Speicher1 = f.m[0], s->Speicher2 = f.m[1], s->Speicher3 = f.m[2];
    s->Speicher4 = f.m[3], s->Speicher5 = f.m[4], s->Speicher6 = f.m[5];
    ASSERT_EQ(prgDruckTabelle(*s), 0);
    const auto seite = druckSeite(*s, kDruckZeit);
    EXPECT_EQ(teile(druckText(seite))[26], f.zeile);
    // As items: one per memory, none starting inside the one before.
    const auto& teileZeile = seite[26].teile;
    ASSERT_EQ(teileZeile.size(), 6u);
    for (std::size_t k = 1; k < 6; ++k)
      EXPECT_GT(teileZeile[k].spalte, teileZeile[k - 1].spalte + druckZeichen(teileZeile[k - 1].text) - 1);
  }
}

TEST(DruckSeite, GeographyOfSouthernWesternAndLongPaths) {
  auto s = std::make_unique<State>();
  s->Jetzt = {2026, 5, 20, 14, 0, 0};
  s->Monat = 11;  // another month than the current one
  s->JahrText = "2026";
  s->OrtA = "Buenos Aires, Argentina";
  s->X1 = -34.6;
  s->Y1 = -58.4f;
  s->OrtB.clear();
  s->OrtX2 = 35.7f;
  s->OrtY2 = 139.7f;
  s->P = "L";
  s->Iproz = 90;
  s->Ssn = "12";
  s->Zkwa = "1.5";
  s->Sag = -3;
  fuelleMonatsNamen(*s);
  ASSERT_EQ(prgPointErgebnis(*s), 0);
  ASSERT_EQ(prgDruckTabelle(*s), 0);
  const auto z = teile(druckText(druckSeite(*s, kDruckZeit)));
  EXPECT_EQ(z[6], std::string(27, ' ') + "Welvaro (90%) für November 2026");
  EXPECT_EQ(z[9], "       Sonnenfleckenzahl: 12");
  EXPECT_EQ(z[10], "       Sendeleistung: 1.5 kW");
  EXPECT_EQ(z[11], "       Antennengewinn: -3 dBi");
  EXPECT_EQ(z[13], "       Buenos Aires, A (A: 34.6 S 58.4 W)");
  EXPECT_EQ(z[14], "       Station (B: 35.7 N 139.7 E)");
  EXPECT_EQ(z[15].rfind("       Distanz:", 0), 0u);
  EXPECT_NE(z[15].find(" km (Long Path)"), std::string::npos);
  // The distance as the long path has it: more than half the circumference.
  EXPECT_GT(ReadNumber(z[15].substr(15)), 20015);
}

TEST(DruckSeite, FooterTimeIsZeroPadded) {
  EXPECT_EQ(druckZeitText({2026, 1, 2, 3, 4, 5}), "02.01.2026 03:04:05");
  EXPECT_EQ(druckZeitText({1999, 12, 31, 23, 59, 59}), "31.12.1999 23:59:59");
}

TEST(DruckText, ColumnsCountCharactersNotBytes) {
  const std::vector<DruckZeile> seite = {
      {12, {{3, "für"}, {8, "x"}}},
      {12, {}},
      {8, {{1, "(µ)"}}},
  };
  EXPECT_EQ(druckText(seite), "  für  x\n\n(µ)\n");
  EXPECT_EQ(druckZeichen("München"), 7);
}

// ---- The PDF page --------------------------------------------------------------

TEST(DruckPdf, OnePageWithTextsAtTheirColumns) {
  auto s = nachPunkt();
  s->OrtB = "Málaga (Spain) \\1";
  ASSERT_EQ(prgDruckTabelle(*s), 0);
  const std::string pdf = druckPdf(druckSeite(*s, kDruckZeit));

  EXPECT_EQ(pdf.rfind("%PDF-1.4\n", 0), 0u);
  EXPECT_EQ(pdf.substr(pdf.size() - 6), "%%EOF\n");
  EXPECT_NE(pdf.find("/Count 1"), std::string::npos);
  EXPECT_NE(pdf.find("/BaseFont /Courier /Encoding /WinAnsiEncoding"), std::string::npos);
  EXPECT_NE(pdf.find("/MediaBox [0 0 595.28 841.89]"), std::string::npos);

  // The cross-reference table points at each object.
  const auto startxref = pdf.rfind("startxref\n");
  ASSERT_NE(startxref, std::string::npos);
  const std::size_t xref = std::stoul(pdf.substr(startxref + 10));
  ASSERT_EQ(pdf.compare(xref, 5, "xref\n"), 0);
  std::istringstream tab(pdf.substr(xref + 5));
  int erstes = 0, anzahl = 0;
  tab >> erstes >> anzahl;
  ASSERT_EQ(erstes, 0);
  ASSERT_EQ(anzahl, 7);
  std::string zeile;
  std::getline(tab, zeile);
  std::getline(tab, zeile);
  EXPECT_EQ(zeile, "0000000000 65535 f ");
  for (int i = 1; i < anzahl; ++i) {
    std::getline(tab, zeile);
    ASSERT_EQ(zeile.size(), 19u);  // 20 bytes with the line feed
    const std::size_t lage = std::stoul(zeile.substr(0, 10));
    EXPECT_EQ(pdf.compare(lage, std::to_string(i).size() + 6, std::to_string(i) + " 0 obj"), 0) << i;
  }

  // The stream length is the stream's.
  const auto laenge = pdf.find("/Length ");
  const auto beginn = pdf.find("stream\n", laenge) + 7;
  const auto ende = pdf.find("endstream", beginn);
  EXPECT_EQ(std::stoul(pdf.substr(laenge + 8)), ende - beginn);
  const std::string inhalt = pdf.substr(beginn, ende - beginn);

  // Column n of a 12 pt line starts 40 + (n - 1) * 7.2 pt from the left;
  // the footer's column 12 at 8 pt lies at 40 + 11 * 4.8 pt.
  EXPECT_NE(inhalt.find("1 0 0 1 90.40 "), std::string::npos);  // column 8
  EXPECT_NE(inhalt.find("1 0 0 1 234.40 "), std::string::npos);  // column 28, the title
  const auto fuss = finde(inhalt, "(QX9QQ.DOC/20.05.2026 14:00:05) Tj");
  const auto fussZeile = inhalt.rfind("1 0 0 1 ", fuss);
  EXPECT_EQ(inhalt.compare(fussZeile, 14, "1 0 0 1 92.80 "), 0);
  EXPECT_EQ(inhalt.find("/F1 8 Tf"), inhalt.rfind("/F1 8 Tf"));
  EXPECT_LT(finde(inhalt, "/F1 12 Tf"), finde(inhalt, "/F1 8 Tf"));

  // Windows-1252 text with escaped parentheses and backslash.
  finde(inhalt, "(M\\374nchen \\(A: 48.1 N 11.5 E\\)) Tj");
  finde(inhalt, "(M\\341laga \\(Spain\\) \\\\1 \\(B: 40.4 N 3.7 W\\)) Tj");
  finde(inhalt, "(Auswertung: Pegel in dBm) Tj");

  // The lowest line stays on the page.
  double y = 1e9;
  for (std::size_t p = inhalt.find("1 0 0 1 "); p != std::string::npos; p = inhalt.find("1 0 0 1 ", p + 1)) {
    std::istringstream zahlen(inhalt.substr(p + 8, 30));
    double x = 0, yy = 0;
    zahlen >> x >> yy;
    EXPECT_LT(x, kBlattBreite);
    y = std::min(y, yy);
  }
  EXPECT_GT(y, 20);
}

// ---- welvaro-cli report -------------------------------------------------------------

TEST(CliReport, TextIsThePageOfTheCore) {
  CliRun r = runTool({"--text", "--date", "2026-05-20"});
  ASSERT_EQ(r.rc, 0) << r.err;
  auto s = nachPunkt();
  ASSERT_EQ(prgDruckTabelle(*s), 0);
  EXPECT_EQ(r.out, druckText(druckSeite(*s, kDruckZeit)));

  r = runTool({"--text", "--field", "--lang", "1", "--date", "2026-05-20", "--memories", "2,4,6,8,10,12"});
  ASSERT_EQ(r.rc, 0) << r.err;
  const auto z = teile(r.out);
  ASSERT_EQ(z.size(), 56u);
  EXPECT_EQ(z[22], "       Evaluation: Field-Strength in dB over 1µV/m");
  EXPECT_EQ(z[26], "                       2       4       6       8      10      12");

  // Names hold whatever their order with the positions.
  r = runTool({"--text", "--name-b", "Lisboa", "--b", "38.7,-9.1", "--a", "52.5,13.4", "--date", "2026-05-20"});
  ASSERT_EQ(r.rc, 0) << r.err;
  EXPECT_EQ(teile(r.out)[13], "       Station (A: 52.5 N 13.4 E)");
  EXPECT_EQ(teile(r.out)[14], "       Lisboa (B: 38.7 N 9.1 W)");
}

TEST(CliReport, PdfFileAndItsFaults) {
  const auto dir = std::filesystem::temp_directory_path() / ("welvaro-report-" + std::to_string(::getpid()));
  std::filesystem::create_directories(dir);
  const auto datei = dir / "report.pdf";
  CliRun r = runTool({"--pdf", datei.string(), "--date", "2026-05-20"});
  ASSERT_EQ(r.rc, 0) << r.err;
  std::ifstream in(datei, std::ios::binary);
  const std::string pdf((std::istreambuf_iterator<char>(in)), {});
  auto s = nachPunkt();
  ASSERT_EQ(prgDruckTabelle(*s), 0);
  EXPECT_EQ(pdf, druckPdf(druckSeite(*s, kDruckZeit)));

  r = runTool({"--pdf", (dir / "no-such-folder" / "r.pdf").string()});
  EXPECT_EQ(r.rc, 4);
  EXPECT_NE(r.err.find("cannot write"), std::string::npos);

  // Antipodes: the model faults, and nothing is printed or written.
  r = runTool({"--pdf", (dir / "fault.pdf").string(), "--a", "0,0", "--b", "0,180"});
  EXPECT_EQ(r.rc, 3);
  EXPECT_NE(r.err.find("division by zero"), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(dir / "fault.pdf"));
  r = runTool({"--text", "--a", "0,0", "--b", "0,180"});
  EXPECT_EQ(r.rc, 3);
  EXPECT_EQ(r.out, "");
  std::filesystem::remove_all(dir);
}

