#include "display/window_state.h"

#include "display/bands.h"
#include "display/point.h"
#include "lang/sprachtext.h"
#include "state/datetime.h"
#include "state/locator.h"
#include "state/station_a.h"

#include <algorithm>
#include <cmath>

namespace welvaro {

bool greylineShown(const State& s) { return s.Darstellung == 1.0f && s.GreylineFlag == 1 && s.MonatFremd == 0; }

std::string stationLocators(const State& s) {
  const StationAPosition a = enteredStationA(s);
  return T(s, kTxLocator) + labelColon(s) + " " + locatorOf(a.latitude, a.longitude) + " (A)  " +
         locatorOf(s.OrtX2, s.OrtY2) + " (B)";
}

WindowState windowStateOf(const State& s) {
  WindowState a;
  const bool world = s.Darstellung == 1.0f;
  const bool info = s.InfoAus == 0;
  const bool nearest = s.NaechsteStadtFlag == 1;
  a.world = world;
  a.cmdWeltEnabled = !world;
  a.cmdOrtEnabled = world;
  a.cmdGreylineEnabled = world && s.MonatFremd == 0;
  a.cmdDruckerEnabled = !world;
  a.welvarozeitTip = T(s, s.ZeitModus == 0 ? kTxWelvarozeitEin : kTxWelvarozeitAus);
  a.title = T(s, world ? kTxWeltWelvaro : kTxOrtsWelvaro);
  a.frmMonatVisible = s.ZeitModus == 1;
  a.monthRed = s.MonatFremd != 0;

  a.mnuDarstellung1Checked = world;
  a.mnuDarstellung2Checked = !world;
  // Three quantities, one checked: the outlook, else level or field strength.
  const bool outlook = s.OutlookFlag == 1;
  a.mnuPegelChecked = !outlook && s.PegelFlag == 1;
  a.mnuFeldstaerkeChecked = !outlook && s.PegelFlag != 1;
  a.outlookChecked = outlook;
  a.mnuInfoEinblendungChecked = info;
  a.readoutMenusVisible = info;
  a.readoutMenusEnabled = world;
  a.mnuCursorpositionChecked = !nearest;
  a.mnuNaechsteStadtChecked = nearest;
  a.mnuNaechsteStadtEnabled = s.OrtZahl > 0;
  a.mnuGradChecked = s.LocatorFlag != 1;
  a.mnuLocatorChecked = s.LocatorFlag == 1;
  for (int n = 0; n < 6; ++n) a.languageChecked[static_cast<std::size_t>(n)] = n == s.L;

  a.lblOrtBVisible = world && nearest && info;
  a.lblFrequenzVisible = !world && info;
  a.lblLocatorVisible = info;
  a.lblPegelVisible = info;
  a.pointMarker = world;
  a.placeMarker = world && nearest && info;
  a.chartLines = !world;
  a.greyline = greylineShown(s);
  a.minute = shownMinute(s);
  a.now = s.AnzeigeMinute < 0;
  const std::string clock = clockText(a.minute / 60, a.minute % 60) + " UTC";
  a.timeText = a.now ? clock : T(s, kTxVorhersageFuer) + " " + clock;
  return a;
}

FollowUp showTime(State& s, int minute) {
  s.AnzeigeMinute = static_cast<int16>(((minute % 1440) + 1440) % 1440);
  FollowUp f;
  f.timeChanged = true;
  return f;
}

FollowUp stepTime(State& s, int minutes) { return showTime(s, shownMinute(s) + minutes); }

FollowUp timeNow(State& s) {
  s.AnzeigeMinute = -1;
  FollowUp f;
  f.timeChanged = true;
  return f;
}

namespace {

FollowUp newFrequency(State& s, float mhz) {
  s.AktFrequenz = mhz;
  s.FrequenzEin = mhz;
  s.FrequenzText = frequencyBoxText(mhz);
  FollowUp f;
  f.frequencyChanged = true;
  return f;
}

}  // namespace

FollowUp chooseBand(State& s, int n) { return newFrequency(s, kBands.at(static_cast<std::size_t>(n)).mhz); }

FollowUp stepBand(State& s, int direction) { return chooseBand(s, neighbourBand(s.AktFrequenz, direction)); }

FollowUp stepFrequency(State& s, int tenths) {
  const double f = std::round(static_cast<double>(s.AktFrequenz) * 10 + tenths) / 10;
  setDisplayFrequency(s, static_cast<float>(std::clamp(f, 1.5, 29.9)));
  FollowUp g;
  g.frequencyChanged = true;
  return g;
}

FollowUp confirmFrequency(const State& s) {
  FollowUp f;
  if (s.Darstellung == 1.0f)
    f.redraw = true;
  else
    f.frequencyChanged = true;
  return f;
}

FollowUp memoryStepDone(const State& s, bool stored) {
  if (!stored) return confirmFrequency(s);
  FollowUp f;
  if (s.Darstellung == 2.0f)
    f.timeChanged = true;  // the data in memory at the stored frequency
  else
    f.redrawGreyline = true;
  return f;
}

FollowUp clockTicked(const State& s, int minuteBefore, bool cycleRunning) {
  FollowUp f;
  f.timeChanged = s.AnzeigeMinute < 0 && cycleRunning && minuteBefore != s.Zeitpunkt.hour * 60 + s.Zeitpunkt.minute;
  return f;
}

DialogFollowUp dialogFollowUp(InputDialogKind d) {
  using R = DialogFollowUp::Recompute;
  switch (d) {
    case InputDialogKind::StationA: return {R::NewData, false, true};
    case InputDialogKind::StationB: return {R::PointB, false, true};
    case InputDialogKind::Conditions: return {R::NewData, false, false};
    case InputDialogKind::TimeZone: return {R::Immediate, true, false};
  }
  return {};
}

FollowUp chooseDisplay(State& s, int mode) {
  s.Darstellung = static_cast<float>(mode);
  if (mode != 1) s.GreylineFlag = 0;
  s.GenZaehler = 0;
  FollowUp f;
  f.redraw = true;
  f.restartCycle = true;
  f.clearReadout = true;
  return f;
}

FollowUp toggleGreyline(State& s) {
  s.GreylineFlag = static_cast<int16>(1 - s.GreylineFlag);
  FollowUp f;
  f.redrawGreyline = true;
  return f;
}

FollowUp toggleForecastPeriod(State& s) {
  s.ZeitModus = static_cast<int16>(1 - s.ZeitModus);
  FollowUp f;
  f.redrawGreyline = true;
  if (s.ZeitModus == 0 && s.MonatFremd == 1 && s.Jetzt.month >= 1 && s.Jetzt.month <= 12) f.month = s.Jetzt.month;
  return f;
}

FollowUp chooseLevel(State& s, bool level) {
  s.PegelFlag = level ? 1 : 0;
  s.OutlookFlag = 0;
  s.GenZaehler = 0;
  FollowUp f;
  f.redraw = true;
  f.restartCycle = true;
  return f;
}

FollowUp toggleInfo(State& s) {
  s.InfoAus = s.InfoAus == 1 ? 0 : 1;
  FollowUp f;
  f.redrawGreyline = s.InfoAus == 1;
  return f;
}

FollowUp chooseNearestPlace(State& s, bool nearest) {
  s.NaechsteStadtFlag = nearest ? 1 : 0;
  return {};
}

FollowUp chooseLocator(State& s, bool locator) {
  s.LocatorFlag = locator ? 1 : 0;
  return {};
}

bool cycleTick(State& s) {
  s.GenZaehler = static_cast<int16>(s.GenZaehler + 1);
  if (s.GenZaehler <= 2) return false;
  s.GenZaehler = 0;
  return true;
}

WindowPlace firstWindowPlace(int areaX, int areaY, int areaWidth, int areaHeight, int minWidth, int minHeight) {
  WindowPlace p;
  p.width = std::min(std::max(areaWidth * 9 / 10, minWidth), areaWidth);
  p.height = std::min(std::max(areaHeight * 9 / 10, minHeight), areaHeight);
  p.x = areaX + (areaWidth - p.width) / 2;
  p.y = areaY + (areaHeight - p.height) / 2;
  return p;
}

WindowPlace fittedWindow(int wantWidth, int wantHeight, int areaWidth, int areaHeight) {
  WindowPlace p;
  p.width = std::min(wantWidth, areaWidth * 9 / 10);
  p.height = std::min(wantHeight, areaHeight * 9 / 10);
  return p;
}

int sliderMinute(int position) {
  const int p = std::clamp(position, 0, 1440);
  return ((p + 5) / 10 * 10) % 1440;
}

int hourLabelStep(double pixelsPerHour, int labelWidth) {
  for (const int step : {1, 2, 3, 4, 6})
    if (step * pixelsPerHour >= labelWidth + 4) return step;
  return 12;
}

}  // namespace welvaro
