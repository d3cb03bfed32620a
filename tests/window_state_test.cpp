// What the window shows, decided without a window: the controls of both
// display modes, the read-out options, the month other than the current
// one, the greyline rule and the three-minute cycle.
#include <gtest/gtest.h>

#include <memory>

#include "display/window_state.h"

using namespace welvaro;

namespace {

std::unique_ptr<State> fresh() {
  auto s = std::make_unique<State>();
  s->OrtZahl = 2000;  // a place list was read
  return s;
}

}  // namespace

TEST(WindowState, ModesDecideButtonsMenusAndDrawings) {
  auto s = fresh();
  WindowState a = windowStateOf(*s);
  EXPECT_TRUE(a.world);
  EXPECT_FALSE(a.cmdWeltEnabled);
  EXPECT_TRUE(a.cmdOrtEnabled && a.cmdGreylineEnabled && a.pointMarker);
  EXPECT_FALSE(a.cmdDruckerEnabled || a.chartLines || a.lblFrequenzVisible);
  EXPECT_EQ(a.title, "Welt-Welvaro");
  EXPECT_TRUE(a.mnuDarstellung1Checked && !a.mnuDarstellung2Checked && a.readoutMenusEnabled);

  s->GreylineFlag = 1;
  const FollowUp f = chooseDisplay(*s, 2);
  EXPECT_TRUE(f.redraw && f.restartCycle && f.clearReadout);
  EXPECT_EQ(s->GreylineFlag, 0);  // the chart has no greyline
  a = windowStateOf(*s);
  EXPECT_FALSE(a.world || a.cmdOrtEnabled || a.cmdGreylineEnabled || a.pointMarker || a.readoutMenusEnabled || a.greyline);
  EXPECT_TRUE(a.cmdWeltEnabled && a.cmdDruckerEnabled && a.chartLines && a.lblFrequenzVisible);
  EXPECT_EQ(a.title, "Orts-Welvaro");
  s->L = 1;
  EXPECT_EQ(windowStateOf(*s).title, "Point-to-point forecast");
}

TEST(WindowState, ReadOutLabelsFollowInfoAndNearestPlace) {
  struct Case {
    float display;
    int16 infoAus, nearest;
    bool placeB, frequency, locator, placeMarker;
  } cases[] = {
      {1, 0, 0, false, false, true, false},
      {1, 0, 1, true, false, true, true},
      {1, 1, 1, false, false, false, false},  // info off hides every read-out
      {2, 0, 1, false, true, true, false},    // the chart names no place
      {2, 1, 0, false, false, false, false},
  };
  for (const Case& f : cases) {
    SCOPED_TRACE(testing::Message() << f.display << " " << f.infoAus << " " << f.nearest);
    auto s = fresh();
    s->Darstellung = f.display;
    s->InfoAus = f.infoAus;
    s->NaechsteStadtFlag = f.nearest;
    const WindowState a = windowStateOf(*s);
    EXPECT_EQ(a.lblOrtBVisible, f.placeB);
    EXPECT_EQ(a.lblFrequenzVisible, f.frequency);
    EXPECT_EQ(a.lblLocatorVisible, f.locator);
    EXPECT_EQ(a.lblPegelVisible, f.locator);
    EXPECT_EQ(a.placeMarker, f.placeMarker);
    EXPECT_EQ(a.readoutMenusVisible, f.infoAus == 0);
    EXPECT_EQ(a.mnuNaechsteStadtChecked, f.nearest == 1);
    EXPECT_EQ(a.mnuCursorpositionChecked, f.nearest == 0);
  }
  auto noPlaces = std::make_unique<State>();
  EXPECT_FALSE(windowStateOf(*noPlaces).mnuNaechsteStadtEnabled);  // no place list, no nearest place
}

TEST(WindowState, GreylineOnlyOnTheMapOfTheCurrentMonth) {
  auto s = fresh();
  EXPECT_FALSE(greylineShown(*s));
  EXPECT_TRUE(toggleGreyline(*s).redrawGreyline);
  EXPECT_TRUE(greylineShown(*s));
  EXPECT_TRUE(windowStateOf(*s).greyline);

  s->MonatFremd = 1;  // another month: today's day and night do not belong to it
  EXPECT_FALSE(greylineShown(*s));
  EXPECT_FALSE(windowStateOf(*s).cmdGreylineEnabled);
  EXPECT_TRUE(windowStateOf(*s).monthRed);
  s->MonatFremd = 0;

  // Hiding the read-out redraws the greyline; showing it does not need to.
  EXPECT_TRUE(toggleInfo(*s).redrawGreyline);
  EXPECT_FALSE(toggleInfo(*s).redrawGreyline);
  EXPECT_TRUE(toggleForecastPeriod(*s).redrawGreyline);
  EXPECT_TRUE(windowStateOf(*s).frmMonatVisible);
  EXPECT_EQ(windowStateOf(*s).welvarozeitTip, "Welvarozeit-\xC3\x84nderung Aus");
}

TEST(WindowState, CycleRegeneratesEveryThirdMinuteAndRestartsOnAChoice) {
  auto s = fresh();
  EXPECT_FALSE(cycleTick(*s));
  EXPECT_FALSE(cycleTick(*s));
  EXPECT_TRUE(cycleTick(*s));
  EXPECT_FALSE(cycleTick(*s));
  // Level or field strength: drawn at once, and the count starts again.
  const FollowUp f = chooseLevel(*s, false);
  EXPECT_TRUE(f.redraw && f.restartCycle);
  EXPECT_EQ(s->GenZaehler, 0);
  EXPECT_EQ(s->PegelFlag, 0);
  EXPECT_TRUE(windowStateOf(*s).mnuFeldstaerkeChecked);
  EXPECT_FALSE(windowStateOf(*s).mnuPegelChecked);
  EXPECT_FALSE(cycleTick(*s));
  EXPECT_FALSE(cycleTick(*s));
  EXPECT_TRUE(cycleTick(*s));
}

TEST(WindowState, TimeShownWrapsRoundTheDayAndSaysWhenItIsNotNow) {
  auto s = fresh();
  s->Zeitpunkt = DateTime{2026, 12, 8, 15, 5, 0};
  EXPECT_EQ(windowStateOf(*s).timeText, "15:05 UTC");
  EXPECT_TRUE(windowStateOf(*s).now);
  EXPECT_TRUE(stepTime(*s, 60).timeChanged);  // from now
  EXPECT_EQ(s->AnzeigeMinute, 16 * 60 + 5);
  const WindowState a = windowStateOf(*s);
  EXPECT_FALSE(a.now);
  EXPECT_EQ(a.timeText, "Vorhersage f\xC3\xBCr 16:05 UTC");
  showTime(*s, 23 * 60 + 50);
  stepTime(*s, 20);
  EXPECT_EQ(s->AnzeigeMinute, 10);
  stepTime(*s, -20);
  EXPECT_EQ(s->AnzeigeMinute, 1430);
  showTime(*s, 1440);  // 24:00 is 00:00
  EXPECT_EQ(s->AnzeigeMinute, 0);
  timeNow(*s);
  EXPECT_EQ(s->AnzeigeMinute, -1);
}

TEST(WindowState, BandsAndFrequencyStepsStayOnTheScale) {
  auto s = fresh();
  EXPECT_TRUE(chooseBand(*s, 2).frequencyChanged);
  EXPECT_EQ(s->AktFrequenz, 5.36f);  // the band's own frequency, not rounded to 0.1 MHz
  EXPECT_EQ(s->FrequenzText, " 5.36 MHz");
  stepBand(*s, -1);
  EXPECT_EQ(s->AktFrequenz, 3.65f);
  s->AktFrequenz = 35;  // a memory beyond the scale
  stepBand(*s, -1);
  EXPECT_EQ(s->AktFrequenz, 28.5f);
  stepFrequency(*s, 20);
  EXPECT_EQ(s->AktFrequenz, 29.9f);  // held to the top of the display range
  s->AktFrequenz = 1.55f;
  stepFrequency(*s, -1);
  EXPECT_EQ(s->AktFrequenz, 1.5f);
}

// What follows a confirmed frequency, a memory step and the clock: the map
// is generated anew at a new frequency, the chart only moves its line; a
// stored memory leaves the picture; live displays follow a new minute, a
// chosen time or a stopped cycle does not.
TEST(WindowState, FrequencyMemoryAndClockDecideWhatIsDrawn) {
  auto s = std::make_unique<State>();
  s->Darstellung = 1;
  EXPECT_TRUE(confirmFrequency(*s).redraw);
  EXPECT_FALSE(memoryStepDone(*s, true).redraw);
  EXPECT_TRUE(memoryStepDone(*s, true).redrawGreyline);
  EXPECT_TRUE(memoryStepDone(*s, false).redraw);
  s->Darstellung = 2;
  EXPECT_FALSE(confirmFrequency(*s).redraw);
  EXPECT_TRUE(confirmFrequency(*s).frequencyChanged);
  EXPECT_TRUE(memoryStepDone(*s, true).timeChanged);
  EXPECT_TRUE(memoryStepDone(*s, false).frequencyChanged);

  s->Zeitpunkt = {2026, 12, 9, 10, 31, 0};
  s->AnzeigeMinute = -1;
  struct Case {
    const char* name;
    int before, chosen;
    bool running, follows;
  } cases[] = {
      {"a new minute, live", 630, -1, true, true},
      {"the same minute", 631, -1, true, false},
      {"a chosen time", 630, 600, true, false},
      {"the cycle stopped", 630, -1, false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    s->AnzeigeMinute = static_cast<int16>(c.chosen);
    EXPECT_EQ(clockTicked(*s, c.before, c.running).timeChanged, c.follows);
  }
}

// Each input dialog sets its own regeneration going: the stations and the
// conditions a new forecast (station B only placing the point anew), the
// time zone the display at once after the clock.
TEST(WindowState, EachDialogSetsItsRegenerationGoing) {
  using R = DialogFollowUp::Recompute;
  EXPECT_EQ(dialogFollowUp(InputDialogKind::StationA).recompute, R::NewData);
  EXPECT_TRUE(dialogFollowUp(InputDialogKind::StationA).closesConditions);
  EXPECT_EQ(dialogFollowUp(InputDialogKind::StationB).recompute, R::PointB);
  EXPECT_TRUE(dialogFollowUp(InputDialogKind::StationB).closesConditions);
  EXPECT_EQ(dialogFollowUp(InputDialogKind::Conditions).recompute, R::NewData);
  EXPECT_FALSE(dialogFollowUp(InputDialogKind::Conditions).closesConditions);
  EXPECT_EQ(dialogFollowUp(InputDialogKind::TimeZone).recompute, R::Immediate);
  EXPECT_TRUE(dialogFollowUp(InputDialogKind::TimeZone).clockFirst);
}
