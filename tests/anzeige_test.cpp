// What the window shows, decided without a window: the controls of both
// display modes, the read-out options, the month other than the current
// one, the greyline rule and the three-minute cycle.
#include <gtest/gtest.h>

#include <memory>

#include "display/anzeige.h"

using namespace welvaro;

namespace {

std::unique_ptr<State> neu() {
  auto s = std::make_unique<State>();
  s->OrtZahl = 2000;  // a place list was read
  return s;
}

}  // namespace

TEST(Anzeige, ModesDecideButtonsMenusAndDrawings) {
  auto s = neu();
  Anzeige a = anzeigeVon(*s);
  EXPECT_TRUE(a.welt);
  EXPECT_FALSE(a.cmdWeltAn);
  EXPECT_TRUE(a.cmdOrtAn && a.cmdGreylineAn && a.punktMarke);
  EXPECT_FALSE(a.cmdDruckerAn || a.chartLinien || a.lblFrequenzSichtbar);
  EXPECT_EQ(a.titel, "Welt-Welvaro");
  EXPECT_TRUE(a.mnuDarstellung1Haken && !a.mnuDarstellung2Haken && a.leseMenuesAn);

  s->GreylineFlag = 1;
  const Folge f = waehleDarstellung(*s, 2);
  EXPECT_TRUE(f.neuZeichnen && f.zyklusNeu && f.leseLeeren);
  EXPECT_EQ(s->GreylineFlag, 0);  // the chart has no greyline
  a = anzeigeVon(*s);
  EXPECT_FALSE(a.welt || a.cmdOrtAn || a.cmdGreylineAn || a.punktMarke || a.leseMenuesAn || a.greyline);
  EXPECT_TRUE(a.cmdWeltAn && a.cmdDruckerAn && a.chartLinien && a.lblFrequenzSichtbar);
  EXPECT_EQ(a.titel, "Orts-Welvaro");
  s->L = 1;
  EXPECT_EQ(anzeigeVon(*s).titel, "HF-Propagation Point to Point");
}

TEST(Anzeige, ReadOutLabelsFollowInfoAndNearestPlace) {
  struct Fall {
    float darstellung;
    int16 infoAus, naechste;
    bool ortB, frequenz, locator, ortMarke;
  } faelle[] = {
      {1, 0, 0, false, false, true, false},
      {1, 0, 1, true, false, true, true},
      {1, 1, 1, false, false, false, false},  // info off hides every read-out
      {2, 0, 1, false, true, true, false},    // the chart names no place
      {2, 1, 0, false, false, false, false},
  };
  for (const Fall& f : faelle) {
    SCOPED_TRACE(testing::Message() << f.darstellung << " " << f.infoAus << " " << f.naechste);
    auto s = neu();
    s->Darstellung = f.darstellung;
    s->InfoAus = f.infoAus;
    s->NaechsteStadtFlag = f.naechste;
    const Anzeige a = anzeigeVon(*s);
    EXPECT_EQ(a.lblOrtBSichtbar, f.ortB);
    EXPECT_EQ(a.lblFrequenzSichtbar, f.frequenz);
    EXPECT_EQ(a.lblLocatorSichtbar, f.locator);
    EXPECT_EQ(a.lblPegelSichtbar, f.locator);
    EXPECT_EQ(a.ortMarke, f.ortMarke);
    EXPECT_EQ(a.leseMenuesSichtbar, f.infoAus == 0);
    EXPECT_EQ(a.mnuNaechsteStadtHaken, f.naechste == 1);
    EXPECT_EQ(a.mnuCursorpositionHaken, f.naechste == 0);
  }
  auto ohneOrte = std::make_unique<State>();
  EXPECT_FALSE(anzeigeVon(*ohneOrte).mnuNaechsteStadtAn);  // no place list, no nearest place
}

TEST(Anzeige, GreylineOnlyOnTheMapOfTheCurrentMonth) {
  auto s = neu();
  EXPECT_FALSE(greylineZeichnen(*s));
  EXPECT_TRUE(schalteGreyline(*s).greylineNeu);
  EXPECT_TRUE(greylineZeichnen(*s));
  EXPECT_TRUE(anzeigeVon(*s).greyline);

  s->MonatFremd = 1;  // another month: today's day and night do not belong to it
  EXPECT_FALSE(greylineZeichnen(*s));
  EXPECT_FALSE(anzeigeVon(*s).cmdGreylineAn);
  EXPECT_TRUE(anzeigeVon(*s).monatRot);
  s->MonatFremd = 0;

  // Hiding the read-out redraws the greyline; showing it does not need to.
  EXPECT_TRUE(schalteInfo(*s).greylineNeu);
  EXPECT_FALSE(schalteInfo(*s).greylineNeu);
  EXPECT_TRUE(schalteWelvarozeit(*s).greylineNeu);
  EXPECT_TRUE(anzeigeVon(*s).frmMonatSichtbar);
  EXPECT_EQ(anzeigeVon(*s).welvarozeitTipp, "Welvarozeit-\xC3\x84nderung Aus");
}

TEST(Anzeige, CycleRegeneratesEveryThirdMinuteAndRestartsOnAChoice) {
  auto s = neu();
  EXPECT_FALSE(zyklusTick(*s));
  EXPECT_FALSE(zyklusTick(*s));
  EXPECT_TRUE(zyklusTick(*s));
  EXPECT_FALSE(zyklusTick(*s));
  // Level or field strength: drawn at once, and the count starts again.
  const Folge f = waehlePegel(*s, false);
  EXPECT_TRUE(f.neuZeichnen && f.zyklusNeu);
  EXPECT_EQ(s->GenZaehler, 0);
  EXPECT_EQ(s->PegelFlag, 0);
  EXPECT_TRUE(anzeigeVon(*s).mnuFeldstaerkeHaken);
  EXPECT_FALSE(anzeigeVon(*s).mnuPegelHaken);
  EXPECT_FALSE(zyklusTick(*s));
  EXPECT_FALSE(zyklusTick(*s));
  EXPECT_TRUE(zyklusTick(*s));
}

TEST(Anzeige, TimeShownWrapsRoundTheDayAndSaysWhenItIsNotNow) {
  auto s = neu();
  s->Zeitpunkt = DateTime{2026, 12, 8, 15, 5, 0};
  EXPECT_EQ(anzeigeVon(*s).zeitText, "15:05 UTC");
  EXPECT_TRUE(anzeigeVon(*s).jetzt);
  EXPECT_TRUE(zeitSchritt(*s, 60).zeitNeu);  // from now
  EXPECT_EQ(s->AnzeigeMinute, 16 * 60 + 5);
  const Anzeige a = anzeigeVon(*s);
  EXPECT_FALSE(a.jetzt);
  EXPECT_EQ(a.zeitText, "Vorhersage f\xC3\xBCr 16:05 UTC");
  zeigeZeit(*s, 23 * 60 + 50);
  zeitSchritt(*s, 20);
  EXPECT_EQ(s->AnzeigeMinute, 10);
  zeitSchritt(*s, -20);
  EXPECT_EQ(s->AnzeigeMinute, 1430);
  zeigeZeit(*s, 1440);  // 24:00 is 00:00
  EXPECT_EQ(s->AnzeigeMinute, 0);
  zeitJetzt(*s);
  EXPECT_EQ(s->AnzeigeMinute, -1);
}

TEST(Anzeige, BandsAndFrequencyStepsStayOnTheScale) {
  auto s = neu();
  EXPECT_TRUE(waehleBand(*s, 2).frequenzNeu);
  EXPECT_EQ(s->AktFrequenz, 5.36f);  // the band's own frequency, not rounded to 0.1 MHz
  EXPECT_EQ(s->FrequenzText, " 5.36 MHz");
  bandSchritt(*s, -1);
  EXPECT_EQ(s->AktFrequenz, 3.65f);
  s->AktFrequenz = 35;  // a memory beyond the scale
  bandSchritt(*s, -1);
  EXPECT_EQ(s->AktFrequenz, 28.5f);
  frequenzSchritt(*s, 20);
  EXPECT_EQ(s->AktFrequenz, 29.9f);  // held to the top of the display range
  s->AktFrequenz = 1.55f;
  frequenzSchritt(*s, -1);
  EXPECT_EQ(s->AktFrequenz, 1.5f);
}
