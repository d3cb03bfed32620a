// A forecast table that could not be written is never made to look
// current: the orderly end writes the table's header only onto a file this
// run wrote or read as today's, and otherwise says the forecast was not
// saved. A full disk is stood in for by a limit on the size of files the
// process may write (the superuser is held to it as well).
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <algorithm>
#include <csignal>

#include "forecast/table.h"
#include "lang/sprachtext.h"
#include "schedule/session.h"
#include "testutil.h"

using namespace welvaro;
using namespace welvaro::test;

namespace {

const DateTime kOldDay{2026, 9, 1, 10, 0, 0};
const DateTime kToday{2026, 12, 8, 15, 4, 0};

ProgramDirs dirsOf(const TempDir& d) { return programDirs(d); }

// While it lives, no file of more than `bytes` bytes can be written (the
// writes fail with EFBIG, as on a full disk).
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    ::getrlimit(RLIMIT_FSIZE, &old_);
    oldAction_ = std::signal(SIGXFSZ, SIG_IGN);
    rlimit r = old_;
    r.rlim_cur = bytes;
    ::setrlimit(RLIMIT_FSIZE, &r);
  }
  ~FileSizeLimit() {
    ::setrlimit(RLIMIT_FSIZE, &old_);
    std::signal(SIGXFSZ, oldAction_);
  }
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;

 private:
  rlimit old_{};
  void (*oldAction_)(int) = nullptr;
};

// A whole table of an earlier day, as an earlier run left it.
std::string oldTable() {
  auto s = defaultLink(kOldDay);
  prgGenTabPlus(*s);
  return s->TabText;
}

bool says(const std::vector<Message>& messages, int key) {
  return std::any_of(messages.begin(), messages.end(), [key](const Message& m) { return m.text == key; });
}

}  // namespace

TEST(TableSaved, AnOldTableIsLeftAloneWhenTodaysCouldNotBeWritten) {
  const std::string old = oldTable();
  ASSERT_EQ(old.size(), kTabLength);
  struct Case {
    const char* name;
    bool failAtStart;    // the table generated at start cannot be written
    bool failAtRenewal;  // the table of new inputs cannot be written
  } cases[] = {
      {"start", true, false},
      {"renewal after new inputs", false, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TempDir d;
    writeFile(d / "Welvaro.tab", old);
    auto s = std::make_unique<State>();
    StartReport b;
    {
      std::optional<FileSizeLimit> full;
      if (c.failAtStart) full.emplace(200000);
      b = prgStart(*s, FixedClock(kToday).read(), dirsOf(d));
    }
    EXPECT_TRUE(b.table.generated);
    EXPECT_EQ(says(b.problems, kTxTabelleNichtGeschrieben), c.failAtStart);
    const std::string atStart = readFile(d / "Welvaro.tab");
    if (c.failAtRenewal) {
      s->Ssn = "42";  // typed by the user, as the conditions dialog writes it
      s->Ssna = 42;
      s->SsnFromTable = 0;
      const FileSizeLimit full(200000);
      EXPECT_FALSE(prgNeueDaten(*s, dirsOf(d)).problems.empty());
    }
    EXPECT_EQ(readFile(d / "Welvaro.tab"), atStart);

    // The orderly end: the settings are saved, the table file keeps its
    // own header, and the user learns that the forecast was not saved.
    const std::vector<Message> end = prgSpeicherDaten(*s, dirsOf(d), kToday);
    ASSERT_TRUE(says(end, kTxForecastNotSaved));
    EXPECT_FALSE(says(end, kTxEinstellungenNichtGespeichert));
    EXPECT_EQ(readFile(d / "Welvaro.tab"), atStart);
    const auto m = std::find_if(end.begin(), end.end(), [](const Message& x) { return x.text == kTxForecastNotSaved; });
    for (int language = 0; language < kLanguageSlots; ++language)
      EXPECT_NE(messageText(language, *m).find((d / "Welvaro.tab").string()), std::string::npos) << language;

    // The next start does not take the old blocks for today's table.
    auto next = std::make_unique<State>();
    EXPECT_TRUE(prgStart(*next, FixedClock(kToday).read(), dirsOf(d)).table.generated);
  }
}

TEST(TableSaved, ATableWrittenOrReadAsTodaysGetsItsHeaderAndNoMessage) {
  TempDir d;
  writeFile(d / "Welvaro.tab", oldTable());
  for (const bool generated : {true, false}) {  // first start generates, the second reads it
    SCOPED_TRACE(generated);
    auto s = std::make_unique<State>();
    const StartReport b = prgStart(*s, FixedClock(kToday).read(), dirsOf(d));
    EXPECT_EQ(b.table.generated, generated);
    EXPECT_EQ(s->TableSaved, 1);
    EXPECT_TRUE(prgSpeicherDaten(*s, dirsOf(d), kToday).empty());
    EXPECT_EQ(readFile(d / "Welvaro.tab").substr(0, kTabHeaderLength), s->TabText.substr(0, kTabHeaderLength));
  }
}
