// NOAA's sunspot table: the shipped file, the reader's checks, the look-up,
// which file is in use, the number of the forecast month in the record, its
// wording, and the choice across a start and a confirmed end.
#include <gtest/gtest.h>

#include "files/window_prefs.h"
#include "files/programdir.h"
#include "lang/sprachtext.h"
#include "schedule/session.h"
#include "solar/sunspot_choice.h"
#include "solar/sunspot_table.h"
#include "state/numtext.h"
#include "testutil.h"

using namespace welvaro;
using namespace welvaro::test;

namespace {

const DateTime kStart{2026, 12, 8, 15, 4, 0};

// A sound table of `n` months from 2020-01, the value of month i being i + 0.5.
std::string tableText(int n, const char* date = "2026-11") {
  std::string t = std::string("# test data, table of ") + date + "\nmonth,smoothed_ssn,kind\n";
  for (int i = 0; i < n; ++i)
    t += yearMonthText({2020 + i / 12, 1 + i % 12}) + "," + std::to_string(i) + ".5," +
         (i < n / 2 ? "observed" : "predicted") + "\n";
  return t;
}

ProgramDirs dirsIn(const TempDir& user, bool shipped = true) {
  ProgramDirs d;
  d.writeDir = user.path;
  if (shipped) d.dataDirs = {shippedData()};
  return d;
}

}  // namespace

TEST(SunspotTable, ShippedFileHoldsNoaasFiguresFrom1990To2030) {
  SunspotTable t;
  Message problem;
  ASSERT_EQ(readSunspotFile(shippedData() / kSunspotShippedFile, t, &problem), SunspotRead::kOk)
      << problem.two;
  EXPECT_EQ(t.date, (YearMonth{2026, 10}));
  ASSERT_EQ(t.months.size(), 41u * 12);
  EXPECT_EQ(t.months.front().month, (YearMonth{1990, 1}));
  EXPECT_EQ(t.months.back().month, (YearMonth{2030, 12}));
  // The maxima and minima of cycles 23 to 25, and where the prediction begins.
  const struct {
    YearMonth m;
    double ssn;
    SunspotKind kind;
  } rows[] = {{{2001, 11}, 180.3, SunspotKind::kObserved},  {{2014, 4}, 116.4, SunspotKind::kObserved},
              {{2024, 10}, 160.9, SunspotKind::kObserved},  {{2008, 12}, 2.2, SunspotKind::kObserved},
              {{2019, 12}, 1.8, SunspotKind::kObserved},    {{2026, 3}, 94.5, SunspotKind::kObserved},
              {{2026, 4}, 92.3, SunspotKind::kPredicted},   {{2026, 12}, 88.7, SunspotKind::kPredicted}};
  for (const auto& r : rows) {
    SCOPED_TRACE(yearMonthText(r.m));
    const auto m = findMonth(t, r.m);
    ASSERT_TRUE(m);
    EXPECT_EQ(m->ssn, r.ssn);
    EXPECT_EQ(m->kind, r.kind);
  }
  EXPECT_FALSE(findMonth(t, {1989, 12}));
  EXPECT_FALSE(findMonth(t, {2031, 1}));
  // Written again, it is the same file.
  EXPECT_EQ(sunspotTableText(t), readFile(shippedData() / kSunspotShippedFile));
}

TEST(SunspotTable, EveryLineIsCheckedAndABrokenTextIsRefusedWhole) {
  const std::string good = tableText(12);
  const auto replaced = [&](const std::string& from, const std::string& to) {
    std::string t = good;
    t.replace(t.find(from), from.size(), to);
    return t;
  };
  const struct {
    const char* name;
    std::string text;
    int line;
  } cases[] = {
      {"no date line", good.substr(good.find('\n') + 1), 1},
      {"date not YYYY-MM", replaced("table of 2026-11", "table of 2026-13"), 1},
      {"other heading", replaced("month,smoothed_ssn,kind", "month,ssn,kind"), 2},
      {"month 13", replaced("2020-03,", "2020-13,"), 5},
      {"month without its zero", replaced("2020-03,", "2020-3,"), 5},
      {"a letter in the value", replaced("2.5,", "2.5x,"), 5},
      {"negative value", replaced("2.5,", "-2.5,"), 5},
      {"exponent", replaced("2.5,", "2e1,"), 5},
      {"above 500", replaced("2.5,", "500.1,"), 5},
      {"unknown kind", replaced("2.5,observed", "2.5,guessed"), 5},
      {"fourth column", replaced("2.5,observed", "2.5,observed,x"), 5},
      {"month twice", replaced("2020-03,", "2020-02,"), 5},
      {"months descending", replaced("2020-03,", "2019-12,"), 5},
      {"empty line", replaced("2020-03,", "\n2020-03,"), 5},
      {"too few months", tableText(11), 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    SunspotTable t;
    t.date = {1999, 9};
    const auto e = parseSunspotTable(c.text, t);
    ASSERT_TRUE(e);
    EXPECT_EQ(e->line, c.line) << e->what;
    EXPECT_EQ(t.date, (YearMonth{1999, 9}));  // left as it was
    EXPECT_TRUE(t.months.empty());
  }
  // Windows line ends, no line end at the end, a value of 500 and a gap pass.
  SunspotTable t;
  std::string crlf;
  for (const char c : replaced("2.5,", "500,")) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
  crlf.resize(crlf.size() - 2);
  ASSERT_FALSE(parseSunspotTable(crlf, t));
  EXPECT_EQ(t.months.size(), 12u);
  EXPECT_EQ(findMonth(t, {2020, 3})->ssn, 500);
  std::string gap = tableText(13);
  gap.erase(gap.find("2020-03,"), gap.find("2020-04,") - gap.find("2020-03,"));
  ASSERT_FALSE(parseSunspotTable(gap, t));
  EXPECT_FALSE(findMonth(t, {2020, 3}));
  EXPECT_EQ(findMonth(t, {2020, 4})->ssn, 3.5);
}

TEST(SunspotTable, TheUpdatedTableComesFirstAndABrokenOneIsPassedOver) {
  TempDir user, data;
  ProgramDirs dirs;
  dirs.writeDir = user.path;
  dirs.dataDirs = {data.path};
  EXPECT_EQ(loadSunspotTable(dirs).origin, SunspotOrigin::kNone);

  writeFile(data / kSunspotShippedFile, tableText(24, "2026-10"));
  LoadedSunspotTable t = loadSunspotTable(dirs);
  EXPECT_EQ(t.origin, SunspotOrigin::kShipped);
  EXPECT_EQ(t.file, data / kSunspotShippedFile);

  writeFile(user / kSunspotUpdatedFile, tableText(36, "2027-02"));
  t = loadSunspotTable(dirs);
  EXPECT_EQ(t.origin, SunspotOrigin::kUpdated);
  EXPECT_EQ(t.table.date, (YearMonth{2027, 2}));
  EXPECT_TRUE(t.problems.empty());

  // A damaged updated table: the shipped one, and the user is told why.
  writeFile(user / kSunspotUpdatedFile, tableText(36, "2027-02").substr(0, 200));
  t = loadSunspotTable(dirs);
  EXPECT_EQ(t.origin, SunspotOrigin::kShipped);
  ASSERT_EQ(t.problems.size(), 1u);
  EXPECT_EQ(t.problems[0].isOne, (user / kSunspotUpdatedFile).string());
  EXPECT_EQ(t.problems[0].text, kTxDateiFehler);
  EXPECT_FALSE(t.problems[0].two.empty());

  // A folder in place of a file is no table; a damaged shipped one neither.
  fs::remove(user / kSunspotUpdatedFile);
  fs::create_directory(user / kSunspotUpdatedFile);
  writeFile(data / kSunspotShippedFile, "# x, table of 2026-10\nmonth,smoothed_ssn,kind\n");
  t = loadSunspotTable(dirs);
  EXPECT_EQ(t.origin, SunspotOrigin::kNone);
  EXPECT_EQ(t.problems.size(), 1u);
}

TEST(SunspotChoice, ForecastMonthIsTheComingOne) {
  auto held = std::make_unique<State>();
  State& s = *held;
  s.Jetzt = {2026, 12, 8, 0, 0, 0};
  for (const auto& [month, expected] : std::vector<std::pair<int, YearMonth>>{
           {12, {2026, 12}}, {1, {2027, 1}}, {3, {2027, 3}}, {11, {2027, 11}}}) {
    s.Monat = static_cast<float>(month);
    EXPECT_EQ(forecastMonth(s), expected) << month;
  }
  s.Jetzt = {2026, 1, 31, 0, 0, 0};
  s.Monat = 1;
  EXPECT_EQ(forecastMonth(s), (YearMonth{2026, 1}));
}

TEST(SunspotChoice, TableValueTypedNumberAndBothFallbacksWithTheirWords) {
  TempDir user;
  const ProgramDirs dirs = dirsIn(user);
  struct Case {
    const char* name;
    int fromTable;
    YearMonth month;
    bool table;
    std::string ssn;
    int source;
    std::string english, german, spanish, french;
  };
  const Case cases[] = {
      {"table, predicted", 1, {2026, 12}, true, "88.7", kSsnPredicted,
       "SSN 88.7 (NOAA predicted, table of 2026-10)", "SSN 88.7 (NOAA vorhergesagt, Tabelle Stand 2026-10)",
       "SSN 88.7 (NOAA previsto, tabla de 2026-10)", "SSN 88.7 (NOAA prévu, table de 2026-10)"},
      {"table, observed", 1, {2024, 10}, true, "160.9", kSsnObserved,
       "SSN 160.9 (NOAA observed, table of 2026-10)", "SSN 160.9 (NOAA beobachtet, Tabelle Stand 2026-10)",
       "SSN 160.9 (NOAA observado, tabla de 2026-10)", "SSN 160.9 (NOAA observé, table de 2026-10)"},
      {"typed", 0, {2026, 12}, true, "120", kSsnTyped, "SSN 120 (typed)", "SSN 120 (eingegeben)",
       "SSN 120 (introducido)", "SSN 120 (saisi)"},
      {"month not in the table", 1, {2031, 5}, true, "120", kSsnNotInTable,
       "SSN 120 (typed; 2031-05 is not in the table)", "SSN 120 (eingegeben; 2031-05 fehlt in der Tabelle)",
       "SSN 120 (introducido; 2031-05 no figura en la tabla)", "SSN 120 (saisi\u00A0; 2031-05 absent de la table)"},
      {"no table", 1, {2026, 12}, false, "120", kSsnNoTable, "SSN 120 (typed; no table available)",
       "SSN 120 (eingegeben; keine Tabelle vorhanden)", "SSN 120 (introducido; no hay tabla)",
       "SSN 120 (saisi\u00A0; aucune table disponible)"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto held = std::make_unique<State>();
    State& s = *held;
    chooseTypedSsn(s, "120");
    s.SsnFromTable = static_cast<int16>(c.fromTable);
    const LoadedSunspotTable t = c.table ? loadSunspotTable(dirs) : LoadedSunspotTable{};
    EXPECT_EQ(applySunspotTable(s, t, c.month), c.ssn != "120");
    EXPECT_EQ(s.Ssn, c.ssn);
    EXPECT_EQ(s.Ssna, ReadNumber(c.ssn));
    EXPECT_EQ(s.SsnSource, c.source);
    EXPECT_EQ(s.SsnMonth, yearMonthText(c.month));
    EXPECT_EQ(s.SsnTableDate, c.table ? "2026-10" : "");
    const std::string texts[] = {c.german, c.english, c.german, c.spanish, c.french, c.german};
    for (int l = 0; l < 6; ++l) {
      s.L = static_cast<int16>(l);
      EXPECT_EQ(ssnPanelText(s), texts[l]) << "language " << l;
    }
  }
}

TEST(SunspotChoice, ChoosingTheTableAndTypingAgain) {
  TempDir user;
  const ProgramDirs dirs = dirsIn(user);
  auto held = std::make_unique<State>();
  State& s = *held;
  s.Jetzt = kStart;
  s.Monat = 12;
  s.L = 1;
  EXPECT_TRUE(chooseTableSsn(s, dirs));
  EXPECT_EQ(s.Ssn, "88.7");
  EXPECT_EQ(s.SsnTyped, "128");  // the typed number stays for a month outside the table
  EXPECT_EQ(ssnTableOfferText(s), "From NOAA's table: 88.7 (NOAA predicted, table of 2026-10)");
  EXPECT_TRUE(chooseTypedSsn(s, "64"));
  EXPECT_EQ(s.SsnFromTable, 0);
  EXPECT_EQ(s.Ssna, 64);
  // The offer stays until the next look-up; the typed number is in use.
  EXPECT_EQ(s.SsnTableValue, 88.7);
  EXPECT_EQ(ssnPanelText(s), "SSN 64 (typed)");
  s.Monat = 1;
  EXPECT_FALSE(applySunspotTable(s, loadSunspotTable(dirs), {2031, 1}));
  EXPECT_EQ(ssnTableOfferText(s), "From NOAA's table");
}

TEST(SunspotChoice, WindowPreferencesKeepTheChoiceAndRefuseBadValues) {
  WindowPrefs f;
  f.ssnFromTable = 1, f.ssnTyped = "120.5", f.solarUrl = "https://127.0.0.1:8443/noaa", f.solarMonthly = 1;
  f.solarLastCheck = "2026-11-30";
  const WindowPrefs r = windowPrefsFromText(windowPrefsText(f));
  EXPECT_EQ(std::tie(r.ssnFromTable, r.ssnTyped, r.solarUrl, r.solarMonthly, r.solarLastCheck),
            std::tie(f.ssnFromTable, f.ssnTyped, f.solarUrl, f.solarMonthly, f.solarLastCheck));
  // A file of before keeps its text: nothing is written for the start values.
  EXPECT_EQ(windowPrefsText(WindowPrefs{}).find("ssn"), std::string::npos);
  EXPECT_EQ(windowPrefsText(WindowPrefs{}).find("solar"), std::string::npos);

  const WindowPrefs d = windowPrefsFromText(
      "ssnfromtable=2\nssntyped=301\nsolarurl=http://127.0.0.1 b\nsolarmonthly=x\nsolarlastcheck=2026-1-30\n");
  EXPECT_EQ(d.ssnFromTable, -1);
  EXPECT_EQ(d.ssnTyped, "");
  EXPECT_EQ(d.solarUrl, "");
  EXPECT_EQ(d.solarMonthly, 0);
  EXPECT_EQ(d.solarLastCheck, "");
}

TEST(SunspotChoice, NewUserGetsTheTableAndTheChoiceOutlivesTheEnd) {
  TempDir user;
  const ProgramDirs dirs = dirsIn(user);
  auto s = std::make_unique<State>();
  StartReport b = prgStart(*s, FixedClock(kStart).read(), dirs);
  EXPECT_EQ(b.settings, SettingsSource::Missing);
  EXPECT_EQ(s->SsnFromTable, 1);
  EXPECT_EQ(s->Ssn, "88.7");
  EXPECT_EQ(s->SsnSource, kSsnPredicted);
  // The forecast table was made with that number.
  EXPECT_NE(s->TabText.find(": 88.7:"), std::string::npos);

  // Another month: its value.
  EXPECT_TRUE(prgMonat(*s, 3, dirs));
  EXPECT_EQ(s->SsnMonth, "2027-03");
  EXPECT_EQ(s->Ssn, "85.6");
  ASSERT_TRUE(prgSpeicherDaten(*s, dirs, kStart).empty());
  EXPECT_NE(readFile(user / kWindowPrefsFile).find("ssnfromtable=1\nssntyped=128\n"), std::string::npos);

  // Next start: still from the table, in the current month again.
  s = std::make_unique<State>();
  b = prgStart(*s, FixedClock(kStart).read(), dirs);
  EXPECT_EQ(b.settings, SettingsSource::File);
  EXPECT_EQ(s->SsnFromTable, 1);
  EXPECT_EQ(s->Ssn, "88.7");

  // A user who typed a number keeps it; so does one whose preferences file
  // predates the choice.
  chooseTypedSsn(*s, "120");
  ASSERT_TRUE(prgSpeicherDaten(*s, dirs, kStart).empty());
  for (const bool withChoice : {true, false}) {
    SCOPED_TRACE(withChoice);
    if (!withChoice) writeFile(user / kWindowPrefsFile, "x=0\n");
    s = std::make_unique<State>();
    prgStart(*s, FixedClock(kStart).read(), dirs);
    EXPECT_EQ(s->SsnFromTable, 0);
    EXPECT_EQ(s->Ssn, "120");
    EXPECT_EQ(s->SsnTyped, "120");
    EXPECT_EQ(s->SsnTableValue, 88.7);  // offered in the dialog
  }
}

TEST(SunspotChoice, ConditionsOkTakesTheChoiceAndTheBox) {
  TempDir user;
  const ProgramDirs dirs = dirsIn(user);
  struct Case {
    const char* name;
    int fromTableBefore;  // the choice at opening
    int month;            // forecast month (12: 2026-12 in the table; the typed number before: "64")
    bool fromTable;       // the choice at OK
    std::string box;      // the box at OK
    bool passed;          // whether the box passed OK's check
    std::string ssn, typed;
    int fromTable_after;
    bool changed;
    bool haveTable = true;  // false: no table file at all
  };
  const Case cases[] = {
      {"typed stays typed, box unchanged", 0, 12, false, "64", true, "64", "64", 0, false},
      {"typed to the table", 0, 12, true, "64", true, "88.7", "64", 1, true},
      {"typed to the table with a new fallback", 0, 12, true, "99", true, "88.7", "99", 1, true},
      {"table to typed", 1, 12, false, "64", true, "64", "64", 0, true},
      {"table to typed with a new number", 1, 12, false, "150", true, "150", "150", 0, true},
      {"table stays, box failed: fallback kept", 1, 12, true, "450", false, "88.7", "64", 1, false},
      {"table to typed, box failed: nothing changes", 1, 12, false, "", false, "88.7", "64", 1, false},
      {"no table: the new fallback", 0, 12, true, "77", true, "77", "77", 1, true, false},
      {"the opening's number text kept without its blank", 1, 12, false, " 64", true, "64", "64", 0, true},
      {"a fallback with blanks kept without them", 1, 12, true, " 70 ", true, "88.7", "70", 1, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto held = std::make_unique<State>();
    State& s = *held;
    s.Jetzt = kStart;
    s.Monat = static_cast<float>(c.month);
    chooseTypedSsn(s, "64");
    if (c.fromTableBefore == 1) chooseTableSsn(s, dirs);
    const double before = s.Ssna;
    // The conditions' own check writes a changed, passing box as typed.
    if (c.passed && c.box != ssnBoxText(s) && c.box != s.Ssn) {
      s.Ssn = c.box;
      s.Ssna = ReadNumber(c.box);
    }
    ProgramDirs use = dirs;
    if (!c.haveTable) use.dataDirs = {};
    EXPECT_EQ(confirmSunspotChoice(s, use, c.fromTable, c.box, c.passed, before), c.changed);
    EXPECT_EQ(s.Ssn, c.ssn);
    EXPECT_EQ(s.Ssna, ReadNumber(c.ssn));
    EXPECT_EQ(s.SsnTyped, c.typed);
    EXPECT_EQ(s.SsnFromTable, c.fromTable_after);
  }
}

TEST(SunspotChoice, BoxShowsTheTypedNumberTheTableFallsBackTo) {
  TempDir user;
  const ProgramDirs dirs = dirsIn(user);
  auto held = std::make_unique<State>();
  State& s = *held;
  s.Jetzt = kStart;
  s.Monat = 12;
  chooseTypedSsn(s, "64");
  EXPECT_EQ(ssnBoxText(s), " 64");
  chooseTableSsn(s, dirs);
  EXPECT_EQ(s.Ssna, 88.7);
  EXPECT_EQ(ssnBoxText(s), " 64");  // not the table's 88.7
  s.SsnTyped = "900";               // held to the input's range
  EXPECT_EQ(ssnBoxText(s), " 300");
}
