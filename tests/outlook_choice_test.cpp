// The choice of mode and noise as the window gives it (list entries and the
// texts of two boxes), the three display quantities with one check mark,
// and the quantity kept in the window preferences.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "display/outlookview.h"
#include "display/window_state.h"
#include "files/window_prefs.h"
#include "outlook/outlook.h"

using namespace welvaro;

namespace {

// The record's four outlook choices, to compare in one step.
struct Choices {
  int mode, noise;
  double need, floor;
  bool operator==(const Choices&) const = default;
};
Choices choicesOf(const State& s) { return {s.OutlookMode, s.NoiseEnvironment, s.CustomSnr, s.NoiseFloor}; }

}  // namespace

TEST(OutlookChoice, ListEntriesAndBoxesReachTheRecordOrNothingDoes) {
  struct Row {
    const char* name;
    int mode;
    const char* need;
    int noise;
    const char* floor;
    int failed;
    Choices after;  // start: FT8 (2), residential (1), 20 dB-Hz, -100 dBm
  };
  const Row rows[] = {
      {"the start values again", 2, "20", 1, "-100", 0, {2, 1, 20, -100}},
      {"FT4 in a city", 3, "", 0, "", 0, {3, 0, 20, -100}},
      {"boxes of entries not chosen are not read", 0, "abc", 3, "xyz", 0, {0, 3, 20, -100}},
      {"custom need with a fraction", 5, "20.5", 1, "", 0, {5, 1, 20.5, -100}},
      {"custom need at its limits", 5, "0", 1, "", 0, {5, 1, 0, -100}},
      {"custom need at its upper limit, blanks before", 5, "  80", 1, "", 0, {5, 1, 80, -100}},
      {"custom need above 80", 5, "80.5", 1, "", 1, {2, 1, 20, -100}},
      {"custom need below 0", 5, "-1", 1, "", 1, {2, 1, 20, -100}},
      {"custom need empty", 5, "", 1, "", 1, {2, 1, 20, -100}},
      {"custom need not a number", 5, "abc", 1, "", 1, {2, 1, 20, -100}},
      {"custom need a lone point", 5, ".", 1, "", 1, {2, 1, 20, -100}},
      {"custom need from .5", 5, ".5", 1, "", 0, {5, 1, 0.5, -100}},
      {"my noise floor", 2, "", 4, "-120", 0, {2, 4, 20, -120}},
      {"my noise floor at -160", 2, "", 4, "-160", 0, {2, 4, 20, -160}},
      {"my noise floor below -160", 2, "", 4, "-160.5", 2, {2, 1, 20, -100}},
      {"my noise floor above 0", 2, "", 4, "+5", 2, {2, 1, 20, -100}},
      {"my noise floor empty", 2, "", 4, "", 2, {2, 1, 20, -100}},
      // A failing noise box leaves a good mode unwritten as well.
      {"good mode, bad floor", 4, "", 4, "dBm", 2, {2, 1, 20, -100}},
      {"good need, bad floor", 5, "30", 4, "1", 2, {2, 1, 20, -100}},
      {"mode outside the list", 6, "", 1, "", 1, {2, 1, 20, -100}},
      {"noise outside the list", 2, "", 5, "", 2, {2, 1, 20, -100}},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    auto s = std::make_unique<State>();
    const Choices before = choicesOf(*s);
    const OutlookChoiceResult e = applyOutlookChoice(*s, r.mode, r.need, r.noise, r.floor);
    EXPECT_EQ(e.failed, r.failed);
    EXPECT_EQ(choicesOf(*s), r.after);
    // A change redraws; no change and a failure draw nothing anew.
    EXPECT_EQ(e.changed, !(r.after == before));
    EXPECT_EQ(e.follow.redraw, e.changed);
    EXPECT_FALSE(e.follow.restartCycle);
  }
}

TEST(OutlookChoice, ThreeQuantitiesOneCheckMark) {
  auto s = std::make_unique<State>();
  struct Step {
    const char* name;
    int choice;  // 0 level, 1 field strength, 2 outlook
    bool level, field, outlook;
  };
  const Step steps[] = {
      {"outlook from level", 2, false, false, true},   {"level again", 0, true, false, false},
      {"field strength", 1, false, true, false},       {"outlook from field strength", 2, false, false, true},
      {"field strength again", 1, false, true, false}, {"outlook twice", 2, false, false, true},
      {"outlook twice, second", 2, false, false, true},
  };
  for (const Step& st : steps) {
    SCOPED_TRACE(st.name);
    const FollowUp f = st.choice == 2 ? chooseOutlook(*s, true) : chooseLevel(*s, st.choice == 0);
    EXPECT_TRUE(f.redraw && f.restartCycle);
    const WindowState a = windowStateOf(*s);
    EXPECT_EQ(a.mnuPegelChecked, st.level);
    EXPECT_EQ(a.mnuFeldstaerkeChecked, st.field);
    EXPECT_EQ(a.outlookChecked, st.outlook);
    EXPECT_EQ(s->OutlookFlag, st.outlook ? 1 : 0);
  }
}

TEST(OutlookChoice, QuantityKeptInTheWindowPreferences) {
  struct Row {
    const char* name;
    const char* text;
    int16 start, expected;
  };
  const Row rows[] = {
      {"on", "outlook=1\n", 0, 1},
      {"off", "outlook=0\n", 1, 0},
      {"not given: as it was", "mode=FT8\n", 1, 1},
      {"out of range: as it was", "outlook=2\n", 0, 0},
      {"not a number: as it was", "outlook=yes\n", 1, 1},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    auto s = std::make_unique<State>();
    s->OutlookFlag = r.start;
    outlookFromPreferences(*s, windowPrefsFromText(r.text));
    EXPECT_EQ(s->OutlookFlag, r.expected);
  }
  // Written and read back, beside the other keys.
  for (const int16 flag : {int16{0}, int16{1}}) {
    SCOPED_TRACE(flag);
    auto s = std::make_unique<State>();
    s->OutlookFlag = flag;
    WindowPrefs f;
    f.zoneFollows = 1;
    outlookToPreferences(*s, f);
    const std::string text = windowPrefsText(f);
    EXPECT_NE(text.find("outlook=" + std::to_string(flag) + "\n"), std::string::npos);
    auto back = std::make_unique<State>();
    back->OutlookFlag = static_cast<int16>(1 - flag);
    const WindowPrefs read = windowPrefsFromText(text);
    outlookFromPreferences(*back, read);
    EXPECT_EQ(back->OutlookFlag, flag);
    EXPECT_EQ(read.zoneFollows, 1);
  }
  // A file that never had the key does not write one.
  EXPECT_EQ(windowPrefsText(WindowPrefs{}).find("outlook="), std::string::npos);
}
