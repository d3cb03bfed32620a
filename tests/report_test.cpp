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

const DateTime kPrintTime{2026, 5, 20, 14, 0, 5};

// Munich to Madrid on 20 May 2026 (a day-corrected month), after a display
// generation: the point result has run.
std::unique_ptr<State> afterPoint(int language = 0, bool level = true) {
  auto s = std::make_unique<State>();
  s->Jetzt = {2026, 5, 20, 14, 0, 0};
  s->Zeitpunkt = {2026, 5, 20, 12, 0, 0};
  s->Monat = 5;
  s->JahrText = "2026";
  s->L = static_cast<int16>(language);
  s->PegelFlag = level ? 1 : 0;
  s->Darstellung = 2;
  fillMonthNames(*s);
  EXPECT_EQ(prgPointErgebnis(*s), 0);
  return s;
}

std::vector<std::string> items(const std::string& text) {
  std::vector<std::string> v;
  std::istringstream in(text);
  for (std::string z; std::getline(in, z);) v.push_back(z);
  return v;
}

std::string rtrim(std::string t) {
  while (!t.empty() && t.back() == ' ') t.pop_back();
  return t;
}

// The text of a right-aligned table cell that ends in column `end`: the
// characters back to the previous blank.
std::string cell(const std::string& line, int end) {
  if (static_cast<int>(line.size()) < end) return "";
  int from = end - 1;
  while (from > 0 && line[static_cast<std::size_t>(from - 1)] != ' ') --from;
  return line.substr(static_cast<std::size_t>(from), static_cast<std::size_t>(end - from));
}

// The values of the link at the memory frequencies, computed without the
// report: the day-corrected forecast with the memories in the list.
Arr<Arr<double, 0, 7>, 0, 24> fieldAtMemories(const State& afterPoint) {
  auto s = std::make_unique<State>(afterPoint);
  s->DruckFlag = 1;
  EXPECT_EQ(prgTageskorr(*s), 0);
  Arr<Arr<double, 0, 7>, 0, 24> e;
  for (int h = 1; h <= 24; ++h)
    for (int c = 2; c <= 7; ++c) e[h][c] = s->ErgFeld[0][h][c];
  return e;
}

// Position of the first occurrence of `what`, failing the test without one.
std::size_t find(const std::string& in, const std::string& what) {
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
  for (const bool level : {true, false}) {
    SCOPED_TRACE(level ? "level" : "field strength");
    auto s = afterPoint(0, level);
    const auto field = fieldAtMemories(*s);
    ASSERT_EQ(prgDruckTabelle(*s), 0);
    EXPECT_EQ(s->DruckFlag, 0);

    const float memory[6] = {1.8f, 3.7f, 7.0f, 14.2f, 21.3f, 29.1f};
    int bottom = 0;
    for (int k = 1; k <= 6; ++k) EXPECT_EQ(s->DruckTabelle[0][k], memory[k - 1]);
    for (int h = 1; h <= 24; ++h) {
      SCOPED_TRACE(h);
      EXPECT_EQ(s->DruckTabelle[h][0], h);
      for (int k = 1; k <= 6; ++k) {
        const double e = field[h][k + 1];
        double expected;
        if (level) {
          // Level of the unclamped field strength at the memory frequency, in Hz.
          const double p = std::floor(45 - 20 * std::log10(static_cast<double>(memory[k - 1]) * 1e6 + 0.1) + e);
          expected = std::min(std::max(p, -127.0), -13.0);
        } else {
          expected = std::min(std::max(e, -52.0), 52.0);
        }
        EXPECT_EQ(s->DruckTabelle[h][k], expected) << "memory " << k;
        // The held value is also what the forecast grid keeps.
        EXPECT_EQ(s->ErgFeld[0][h][k + 1], expected);
        bottom += s->DruckTabelle[h][k] == (level ? -127 : -52);
      }
    }
    EXPECT_GT(bottom, 0);  // the weak hours reach the bottom of the scale
  }
}

TEST(DruckTabelle, StrongSignalsAreHeldAtTheTop) {
  // 1000 kW, 20 dBi over a short path: the field strength goes beyond 52 dB
  // and the level beyond -13 dBm at some hour.
  for (const bool level : {true, false}) {
    SCOPED_TRACE(level ? "level" : "field strength");
    auto s = std::make_unique<State>(*afterPoint(0, level));
    s->OrtX2 = 48.2f;
    s->OrtY2 = 11.6f;
    s->Zkw = 1000;
    s->Sag = 20;
    s->Speicher1 = 1.8f;
    ASSERT_EQ(prgPointErgebnis(*s), 0);
    const auto field = fieldAtMemories(*s);
    ASSERT_EQ(prgDruckTabelle(*s), 0);
    const double top = level ? -13 : 52;
    int held = 0;
    for (int h = 1; h <= 24; ++h)
      for (int k = 1; k <= 6; ++k) {
        EXPECT_LE(s->DruckTabelle[h][k], top);
        const double f = static_cast<double>(s->DruckTabelle[0][k]);
        const double raw = level ? 45 - 20 * std::log10(f * 1e6 + 0.1) + field[h][k + 1] : field[h][k + 1];
        if (raw >= top + 1) {
          EXPECT_EQ(s->DruckTabelle[h][k], top);
          ++held;
        }
      }
    EXPECT_GT(held, 0);
  }
}

TEST(DruckTabelle, MemoriesOfWholeMegahertzGiveTheForecastColumns) {
  // With the memories at 1..6 MHz the table repeats the ordinary forecast's
  // columns for 1..6 MHz.
  auto s = afterPoint(0, false);
  auto normal = std::make_unique<State>(*s);
  ASSERT_EQ(prgTageskorr(*normal), 0);
  s->Speicher1 = 1, s->Speicher2 = 2, s->Speicher3 = 3, s->Speicher4 = 4, s->Speicher5 = 5, s->Speicher6 = 6;
  ASSERT_EQ(prgDruckTabelle(*s), 0);
  for (int h = 1; h <= 24; ++h)
    for (int k = 1; k <= 6; ++k)
      EXPECT_EQ(s->DruckTabelle[h][k], std::clamp(normal->ErgFeld[0][h][k + 1], -52.0, 52.0)) << h << " " << k;
}

TEST(DruckTabelle, AModelFaultIsReportedAndThePrintFlagCleared) {
  auto s = afterPoint();
  s->X1 = 0, s->Y1 = 0, s->X2 = 0, s->Y2 = 180;  // antipodes: no great circle
  EXPECT_EQ(prgDruckTabelle(*s), 11);
  EXPECT_EQ(s->DruckFlag, 0);
}

// ---- The page --------------------------------------------------------------

TEST(PrintPage, PageTextInBothUnitsAndTwoLanguages) {
  struct Case {
    int language;
    bool level;
    std::vector<std::string> head;  // lines 1..28, blanks at the end removed
    std::string points;             // the weakest value
  };
  const std::string r7(7, ' '), r27(27, ' ');
  const std::vector<std::string> geoDe = {
      r7 + "Sonnenfleckenzahl: 128",      r7 + "(eingegeben)",
      r7 + "Sendeleistung: 0.1 kW",         r7 + "Antennengewinn:  2.15 dBi",
      r7 + "Funkverbindung:",             r7 + "München (A: 48.1 N 11.5 E)",   r7 + "Madrid (B: 40.4 N 3.7 W)",
      r7 + "Distanz: 1478 km (kurzer Weg)", r7 + "Richtung (A-B): 240",         r7 + "Richtung (B-A): 49"};
  const std::vector<std::string> geoEn = {
      r7 + "Sunspot number: 128",          r7 + "(typed)",
      r7 + "Transmitter power: 0.1 kW",     r7 + "Antenna gain:  2.15 dBi",
      r7 + "Radio link:",                  r7 + "München (A: 48.1 N 11.5 E)",   r7 + "Madrid (B: 40.4 N 3.7 W)",
      r7 + "Distance: 1478 km (short path)", r7 + "Bearing (A-B): 240",         r7 + "Bearing (B-A): 49"};
  auto head = [&](const std::string& title, const std::string& welvaro, const std::vector<std::string>& geo,
                  const std::string& unit, const std::string& columns) {
    std::vector<std::string> k = {"", "", "", "", r27 + title, "", r27 + welvaro, "", ""};
    k.insert(k.end(), geo.begin(), geo.end());
    k.insert(k.end(), {"", "", "", "", r7 + unit, "", r7 + columns,
                       r7 + "+---------+-------+-------+-------+-------+-------+-------+",
                       "                     1.8     3.7       7    14.2    21.3    29.1",
                       r7 + "+---------+-------+-------+-------+-------+-------+-------+"});
    return k;
  };
  const std::string timeDe = "Zeit(UTC)" + std::string(18, ' ') + "Frequenz(MHz)";
  const std::string timeEn = "Time(UTC)" + std::string(18, ' ') + "Frequency(MHz)";
  const Case cases[] = {
      {0, true, head("Orts-Welvaro", "Welvaro (50%) für Mai 2026", geoDe, "Auswertung: Pegel in dBm", timeDe), "...."},
      {0, false,
       head("Orts-Welvaro", "Welvaro (50%) für Mai 2026", geoDe, "Auswertung: Feldstärke in dB(µV/m)", timeDe),
       "..."},
      {1, true,
       head("Point-to-point forecast", "Forecast (50%) for May 2026", geoEn, "Values: level in dBm", timeEn),
       "...."},
      {1, false,
       head("Point-to-point forecast", "Forecast (50%) for May 2026", geoEn, "Values: field strength in dB(µV/m)",
            timeEn),
       "..."},
  };
  for (const Case& f : cases) {
    SCOPED_TRACE(std::to_string(f.language) + (f.level ? " level" : " field strength"));
    auto s = afterPoint(f.language, f.level);
    ASSERT_EQ(prgDruckTabelle(*s), 0);
    const auto page = printPage(*s, kPrintTime);
    const auto z = items(printText(page));
    ASSERT_EQ(z.size(), 57u);
    ASSERT_EQ(page.size(), 57u);
    for (std::size_t i = 0; i < f.head.size(); ++i) EXPECT_EQ(rtrim(z[i]), f.head[i]) << "line " << i + 1;
    // The bearings keep the blank after them.
    EXPECT_EQ(z[17].back(), ' ');
    EXPECT_EQ(z[18].back(), ' ');

    // 24 data rows: the hour ending in column 14, the values in columns 24,
    // 32, .., 64; the weakest value as dots, never as its number.
    int points = 0;
    for (int h = 1; h <= 24; ++h) {
      SCOPED_TRACE(h);
      const std::string& line = z[static_cast<std::size_t>(28 + h)];
      EXPECT_EQ(cell(line, 14), PlainText(static_cast<double>(h)));
      EXPECT_EQ(line.find_first_not_of(' '), static_cast<std::size_t>(h < 10 ? 13 : 12));
      EXPECT_EQ(static_cast<int>(line.size()), 64);
      for (int k = 1; k <= 6; ++k) {
        const std::string t = cell(line, 8 * k + 16);
        const float v = s->DruckTabelle[h][k];
        const bool weak = v == (f.level ? -127.0f : -52.0f);
        EXPECT_EQ(t, weak ? f.points : PlainText(v)) << "memory " << k;
        EXPECT_EQ(line[static_cast<std::size_t>(8 * k + 16 - static_cast<int>(t.size()) - 1)], ' ');
        points += weak;
      }
      EXPECT_EQ(line.find(f.level ? "-127" : "-52"), std::string::npos);
    }
    EXPECT_GT(points, 0);
    EXPECT_EQ(z[53], "");
    EXPECT_EQ(z[54], "");
    EXPECT_EQ(z[55], "");
    EXPECT_EQ(z[56], std::string(11, ' ') + "QX9QQ.DOC/20.05.2026 14:00:05");

    // Font sizes: the footer small, everything else at 12 pt.
    for (std::size_t i = 0; i + 1 < page.size(); ++i) EXPECT_EQ(page[i].size, 12) << i;
    EXPECT_EQ(page.back().size, 8);
    ASSERT_EQ(page.back().items.size(), 1u);
    EXPECT_EQ(page.back().items[0].column, 12);
  }
}

TEST(PrintPage, FrequencyRowEndsInTheValueColumns) {
  struct Case {
    float m[6];
    std::string line;
  };
  const Case cases[] = {
      {{1.8f, 3.7f, 7.0f, 14.2f, 21.3f, 29.1f}, "                     1.8     3.7       7    14.2    21.3    29.1"},
      {{10.125f, 2.5f, 0.5f, 28.0f, 3.55f, 18.068f},
       "                  10.125     2.5      .5      28    3.55  18.068"},
      // Numbers wider than their column move right rather than overwrite
      // the one before them.
      {{1.234567f, 2.345678f, 7, 14, 21, 28}, "                1.234567 2.345678      7      14      21      28"},
  };
  for (const Case& f : cases) {
    SCOPED_TRACE(f.line);
    auto s = afterPoint();
    s->Speicher1 = f.m[0], s->Speicher2 = f.m[1], s->Speicher3 = f.m[2];
    s->Speicher4 = f.m[3], s->Speicher5 = f.m[4], s->Speicher6 = f.m[5];
    ASSERT_EQ(prgDruckTabelle(*s), 0);
    const auto page = printPage(*s, kPrintTime);
    EXPECT_EQ(items(printText(page))[27], f.line);
    // As items: one per memory, none starting inside the one before.
    const auto& lineItems = page[27].items;
    ASSERT_EQ(lineItems.size(), 6u);
    for (std::size_t k = 1; k < 6; ++k)
      EXPECT_GT(lineItems[k].column, lineItems[k - 1].column + printChars(lineItems[k - 1].text) - 1);
  }
}

TEST(PrintPage, GeographyOfSouthernWesternAndLongPaths) {
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
  fillMonthNames(*s);
  ASSERT_EQ(prgPointErgebnis(*s), 0);
  ASSERT_EQ(prgDruckTabelle(*s), 0);
  const auto z = items(printText(printPage(*s, kPrintTime)));
  EXPECT_EQ(z[6], std::string(27, ' ') + "Welvaro (90%) für November 2026");
  EXPECT_EQ(z[9], "       Sonnenfleckenzahl: 12");
  EXPECT_EQ(z[10], "       (eingegeben)");
  EXPECT_EQ(z[11], "       Sendeleistung: 1.5 kW");
  EXPECT_EQ(z[12], "       Antennengewinn: -3 dBi");
  EXPECT_EQ(z[14], "       Buenos Aires, A (A: 34.6 S 58.4 W)");
  EXPECT_EQ(z[15], "       Station (B: 35.7 N 139.7 E)");
  EXPECT_EQ(z[16].rfind("       Distanz:", 0), 0u);
  EXPECT_NE(z[16].find(" km (langer Weg)"), std::string::npos);
  // The distance as the long path has it: more than half the circumference.
  EXPECT_GT(ReadNumber(z[16].substr(15)), 20015);
}

TEST(PrintPage, FooterTimeIsZeroPadded) {
  EXPECT_EQ(printTimeText({2026, 1, 2, 3, 4, 5}), "02.01.2026 03:04:05");
  EXPECT_EQ(printTimeText({1999, 12, 31, 23, 59, 59}), "31.12.1999 23:59:59");
}

TEST(PrintText, ColumnsCountCharactersNotBytes) {
  const std::vector<PrintLine> page = {
      {12, {{3, "für"}, {8, "x"}}},
      {12, {}},
      {8, {{1, "(µ)"}}},
  };
  EXPECT_EQ(printText(page), "  für  x\n\n(µ)\n");
  EXPECT_EQ(printChars("München"), 7);
}

// ---- The PDF page --------------------------------------------------------------

TEST(PrintPdf, OnePageWithTextsAtTheirColumns) {
  auto s = afterPoint();
  s->OrtB = "Málaga (Spain) \\1";
  ASSERT_EQ(prgDruckTabelle(*s), 0);
  const std::string pdf = printPdf(printPage(*s, kPrintTime));

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
  int first = 0, count = 0;
  tab >> first >> count;
  ASSERT_EQ(first, 0);
  ASSERT_EQ(count, 7);
  std::string line;
  std::getline(tab, line);
  std::getline(tab, line);
  EXPECT_EQ(line, "0000000000 65535 f ");
  for (int i = 1; i < count; ++i) {
    std::getline(tab, line);
    ASSERT_EQ(line.size(), 19u);  // 20 bytes with the line feed
    const std::size_t position = std::stoul(line.substr(0, 10));
    EXPECT_EQ(pdf.compare(position, std::to_string(i).size() + 6, std::to_string(i) + " 0 obj"), 0) << i;
  }

  // The stream length is the stream's.
  const auto length = pdf.find("/Length ");
  const auto begin = pdf.find("stream\n", length) + 7;
  const auto end = pdf.find("endstream", begin);
  EXPECT_EQ(std::stoul(pdf.substr(length + 8)), end - begin);
  const std::string content = pdf.substr(begin, end - begin);

  // Column n of a 12 pt line starts 40 + (n - 1) * 7.2 pt from the left;
  // the footer's column 12 at 8 pt lies at 40 + 11 * 4.8 pt.
  EXPECT_NE(content.find("1 0 0 1 90.40 "), std::string::npos);  // column 8
  EXPECT_NE(content.find("1 0 0 1 234.40 "), std::string::npos);  // column 28, the title
  const auto fuss = find(content, "(QX9QQ.DOC/20.05.2026 14:00:05) Tj");
  const auto footerLine = content.rfind("1 0 0 1 ", fuss);
  EXPECT_EQ(content.compare(footerLine, 14, "1 0 0 1 92.80 "), 0);
  EXPECT_EQ(content.find("/F1 8 Tf"), content.rfind("/F1 8 Tf"));
  EXPECT_LT(find(content, "/F1 12 Tf"), find(content, "/F1 8 Tf"));

  // Windows-1252 text with escaped parentheses and backslash.
  find(content, "(M\\374nchen \\(A: 48.1 N 11.5 E\\)) Tj");
  find(content, "(M\\341laga \\(Spain\\) \\\\1 \\(B: 40.4 N 3.7 W\\)) Tj");
  find(content, "(Auswertung: Pegel in dBm) Tj");

  // The lowest line stays on the page.
  double y = 1e9;
  for (std::size_t p = content.find("1 0 0 1 "); p != std::string::npos; p = content.find("1 0 0 1 ", p + 1)) {
    std::istringstream numbers(content.substr(p + 8, 30));
    double x = 0, yy = 0;
    numbers >> x >> yy;
    EXPECT_LT(x, kSheetWidth);
    y = std::min(y, yy);
  }
  EXPECT_GT(y, 20);
}

// ---- welvaro-cli report -------------------------------------------------------------

TEST(CliReport, TextIsThePageOfTheCore) {
  CliRun r = runTool({"--text", "--date", "2026-05-20"});
  ASSERT_EQ(r.rc, 0) << r.err;
  auto s = afterPoint();
  ASSERT_EQ(prgDruckTabelle(*s), 0);
  EXPECT_EQ(r.out, printText(printPage(*s, kPrintTime)));

  r = runTool({"--text", "--field", "--lang", "1", "--date", "2026-05-20", "--memories", "2,4,6,8,10,12"});
  ASSERT_EQ(r.rc, 0) << r.err;
  const auto z = items(r.out);
  ASSERT_EQ(z.size(), 57u);
  EXPECT_EQ(z[23], "       Values: field strength in dB(µV/m)");
  EXPECT_EQ(z[27], "                       2       4       6       8      10      12");

  // Names hold whatever their order with the positions.
  r = runTool({"--text", "--name-b", "Lisboa", "--b", "38.7,-9.1", "--a", "52.5,13.4", "--date", "2026-05-20"});
  ASSERT_EQ(r.rc, 0) << r.err;
  EXPECT_EQ(items(r.out)[14], "       Station (A: 52.5 N 13.4 E)");
  EXPECT_EQ(items(r.out)[15], "       Lisboa (B: 38.7 N 9.1 W)");
}

TEST(CliReport, PdfFileAndItsFaults) {
  const auto dir = std::filesystem::temp_directory_path() / ("welvaro-report-" + std::to_string(::getpid()));
  std::filesystem::create_directories(dir);
  const auto file = dir / "report.pdf";
  CliRun r = runTool({"--pdf", file.string(), "--date", "2026-05-20"});
  ASSERT_EQ(r.rc, 0) << r.err;
  std::ifstream in(file, std::ios::binary);
  const std::string pdf((std::istreambuf_iterator<char>(in)), {});
  auto s = afterPoint();
  ASSERT_EQ(prgDruckTabelle(*s), 0);
  EXPECT_EQ(pdf, printPdf(printPage(*s, kPrintTime)));

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

