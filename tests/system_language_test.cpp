// The user's language as the system names it: the locale variables in
// their order, the language part of a locale, and the first start that
// takes it while a settings file keeps its own.
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>

#include "files/settings.h"
#include "lang/system_language.h"
#include "schedule/session.h"
#include "testutil.h"

using namespace welvaro;
using namespace welvaro::test;

namespace {

// An environment of a few variables; the others are not set.
EnvironmentReader environment(std::map<std::string, std::string> vars) {
  return [vars = std::move(vars)](const char* name) -> const char* {
    const auto it = vars.find(name);
    return it == vars.end() ? nullptr : it->second.c_str();
  };
}

}  // namespace

TEST(SystemLanguage, LanguagePartOfALocale) {
  struct Case {
    const char* locale;
    int16 slot;
  } cases[] = {
      {"de_DE.UTF-8", 0}, {"de_AT", 0},       {"de", 0},       {"DE_de", 0},        {"de_CH.UTF-8@euro", 0},
      {"en_US.UTF-8", 1}, {"en_GB", 1},       {"es_ES.UTF-8", 3}, {"es_MX", 3},     {"es-419", 3},
      {"fr_FR.UTF-8", 4}, {"fr_CA.UTF-8", 4}, {"fr@euro", 4},  {"C", 1},            {"C.UTF-8", 1},
      {"POSIX", 1},       {"it_IT.UTF-8", 1}, {"pt_BR", 1},    {"nds_DE.UTF-8", 1}, {"d", 1},
      {"", 1},            {"_DE", 1},         {"french", 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.locale);
    EXPECT_EQ(languageOfLocale(c.locale), c.slot);
  }
}

TEST(SystemLanguage, FirstSetOfLcAllLcMessagesLang) {
  struct Case {
    const char* name;
    std::map<std::string, std::string> vars;
    int16 slot;
  } cases[] = {
      {"nothing set", {}, 1},
      {"LANG alone", {{"LANG", "fr_FR.UTF-8"}}, 4},
      {"LC_MESSAGES before LANG", {{"LANG", "fr_FR.UTF-8"}, {"LC_MESSAGES", "es_ES.UTF-8"}}, 3},
      {"LC_ALL before both", {{"LANG", "fr_FR"}, {"LC_MESSAGES", "es_ES"}, {"LC_ALL", "de_DE.UTF-8"}}, 0},
      {"empty LC_ALL is not set", {{"LC_ALL", ""}, {"LANG", "es_AR.UTF-8"}}, 3},
      {"empty LC_ALL and LC_MESSAGES", {{"LC_ALL", ""}, {"LC_MESSAGES", ""}, {"LANG", "de_AT"}}, 0},
      {"C in LC_ALL wins over LANG", {{"LC_ALL", "C"}, {"LANG", "de_DE.UTF-8"}}, 1},
      {"POSIX in LC_MESSAGES", {{"LC_MESSAGES", "POSIX"}, {"LANG", "fr_FR"}}, 1},
      {"other language", {{"LANG", "ja_JP.UTF-8"}}, 1},
      {"all empty", {{"LC_ALL", ""}, {"LC_MESSAGES", ""}, {"LANG", ""}}, 1},
      {"other variables do not count", {{"LANGUAGE", "fr"}, {"LC_CTYPE", "de_DE"}}, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(systemLanguage(environment(c.vars)), c.slot);
  }
  EXPECT_EQ(systemLanguage(nullptr), 1);
}

TEST(SystemLanguage, CodesOfTheSlots) {
  const char* codes[] = {"de", "en", "de", "es", "fr", "de"};
  for (int slot = 0; slot < 6; ++slot) EXPECT_EQ(languageCode(slot), codes[slot]) << slot;
  EXPECT_EQ(languageCode(-1), "de");
  EXPECT_EQ(languageCode(6), "de");
}

// The start-up: without a settings file the system's language; a settings
// file, and one that was refused, keep deciding.
TEST(SystemLanguage, OnlyAFirstStartTakesIt) {
  const auto french = environment({{"LANG", "fr_FR.UTF-8"}});
  const DateTime start{2026, 12, 8, 15, 4, 0};
  auto folder = [](const TempDir& d) { return programDirs(d); };
  {
    SCOPED_TRACE("no settings file");
    TempDir d;
    auto s = std::make_unique<State>();
    EXPECT_EQ(startLanguage(folder(d), french), 4);  // the start window speaks it already
    const StartReport b = prgStart(*s, FixedClock(start).read(), folder(d), french);
    EXPECT_EQ(b.settings, SettingsSource::Missing);
    EXPECT_EQ(s->L, 4);
    EXPECT_EQ(s->MonatsName[12], "d\xC3\xA9" "cembre");
    EXPECT_EQ(s->WelvaroAnzeige, "Pr\xC3\xA9vision (50%) pour d\xC3\xA9" "cembre 2026");
  }
  for (const int16 l : {0, 3}) {
    SCOPED_TRACE(testing::Message() << "settings file with language " << l);
    TempDir d;
    auto saved = std::make_unique<State>();
    saved->L = l;
    ASSERT_TRUE(writeSettings(*saved, (d / "Welvaro.dat").string(), start).ok());
    auto s = std::make_unique<State>();
    EXPECT_EQ(startLanguage(folder(d), french), l);
    EXPECT_EQ(prgStart(*s, FixedClock(start).read(), folder(d), french).settings, SettingsSource::File);
    EXPECT_EQ(s->L, l);
  }
  {
    SCOPED_TRACE("refused settings file");
    TempDir d;
    writeFile(d / "Welvaro.dat", "not a settings file\r\n");
    EXPECT_EQ(startLanguage(folder(d), french), 0);
    auto s = std::make_unique<State>();
    EXPECT_EQ(prgStart(*s, FixedClock(start).read(), folder(d), french).settings,
              SettingsSource::Unusable);
    EXPECT_EQ(s->L, 0);
  }
}
