#include "display/anzeige.h"

#include "display/baender.h"
#include "display/point.h"
#include "lang/sprachtext.h"
#include "state/datetime.h"
#include "state/locator.h"

#include <algorithm>
#include <cmath>

namespace welvaro {

bool greylineZeichnen(const State& s) { return s.Darstellung == 1.0f && s.GreylineFlag == 1 && s.MonatFremd == 0; }

std::string stationsLocator(const State& s) {
  return T(s, kTxLocator) + ": " + locatorVon(s.X1, s.Y1) + " (A)  " + locatorVon(s.OrtX2, s.OrtY2) + " (B)";
}

Anzeige anzeigeVon(const State& s) {
  Anzeige a;
  const bool welt = s.Darstellung == 1.0f;
  const bool info = s.InfoAus == 0;
  const bool naechste = s.NaechsteStadtFlag == 1;
  a.welt = welt;
  a.cmdWeltAn = !welt;
  a.cmdOrtAn = welt;
  a.cmdGreylineAn = welt && s.MonatFremd == 0;
  a.cmdDruckerAn = !welt;
  a.welvarozeitTipp = T(s, s.ZeitModus == 0 ? kTxWelvarozeitEin : kTxWelvarozeitAus);
  a.titel = T(s, welt ? kTxWeltWelvaro : kTxOrtsWelvaro);
  a.frmMonatSichtbar = s.ZeitModus == 1;
  a.monatRot = s.MonatFremd != 0;

  a.mnuDarstellung1Haken = welt;
  a.mnuDarstellung2Haken = !welt;
  a.mnuPegelHaken = s.PegelFlag == 1;
  a.mnuFeldstaerkeHaken = s.PegelFlag != 1;
  a.mnuInfoEinblendungHaken = info;
  a.leseMenuesSichtbar = info;
  a.leseMenuesAn = welt;
  a.mnuCursorpositionHaken = !naechste;
  a.mnuNaechsteStadtHaken = naechste;
  a.mnuNaechsteStadtAn = s.OrtZahl > 0;
  a.mnuGradHaken = s.LocatorFlag != 1;
  a.mnuLocatorHaken = s.LocatorFlag == 1;
  for (int n = 0; n < 6; ++n) a.sprachHaken[static_cast<std::size_t>(n)] = n == s.L;

  a.lblOrtBSichtbar = welt && naechste && info;
  a.lblFrequenzSichtbar = !welt && info;
  a.lblLocatorSichtbar = info;
  a.lblPegelSichtbar = info;
  a.punktMarke = welt;
  a.ortMarke = welt && naechste && info;
  a.chartLinien = !welt;
  a.greyline = greylineZeichnen(s);
  a.minute = gezeigteMinute(s);
  a.jetzt = s.AnzeigeMinute < 0;
  const std::string uhr = uhrText(a.minute / 60, a.minute % 60) + " UTC";
  a.zeitText = a.jetzt ? uhr : T(s, kTxVorhersageFuer) + " " + uhr;
  return a;
}

Folge zeigeZeit(State& s, int minute) {
  s.AnzeigeMinute = static_cast<int16>(((minute % 1440) + 1440) % 1440);
  Folge f;
  f.zeitNeu = true;
  return f;
}

Folge zeitSchritt(State& s, int minuten) { return zeigeZeit(s, gezeigteMinute(s) + minuten); }

Folge zeitJetzt(State& s) {
  s.AnzeigeMinute = -1;
  Folge f;
  f.zeitNeu = true;
  return f;
}

namespace {

Folge neueFrequenz(State& s, float mhz) {
  s.AktFrequenz = mhz;
  s.FrequenzEin = mhz;
  s.FrequenzText = FrequenzBoxText(mhz);
  Folge f;
  f.frequenzNeu = true;
  return f;
}

}  // namespace

Folge waehleBand(State& s, int n) { return neueFrequenz(s, kBaender.at(static_cast<std::size_t>(n)).mhz); }

Folge bandSchritt(State& s, int richtung) { return waehleBand(s, nachbarBand(s.AktFrequenz, richtung)); }

Folge frequenzSchritt(State& s, int zehntel) {
  const double f = std::round(static_cast<double>(s.AktFrequenz) * 10 + zehntel) / 10;
  setzeAnzeigeFrequenz(s, static_cast<float>(std::clamp(f, 1.5, 29.9)));
  Folge g;
  g.frequenzNeu = true;
  return g;
}

Folge waehleDarstellung(State& s, int modus) {
  s.Darstellung = static_cast<float>(modus);
  if (modus != 1) s.GreylineFlag = 0;
  s.GenZaehler = 0;
  Folge f;
  f.neuZeichnen = true;
  f.zyklusNeu = true;
  f.leseLeeren = true;
  return f;
}

Folge schalteGreyline(State& s) {
  s.GreylineFlag = static_cast<int16>(1 - s.GreylineFlag);
  Folge f;
  f.greylineNeu = true;
  return f;
}

Folge schalteWelvarozeit(State& s) {
  s.ZeitModus = static_cast<int16>(1 - s.ZeitModus);
  Folge f;
  f.greylineNeu = true;
  return f;
}

Folge waehlePegel(State& s, bool pegel) {
  s.PegelFlag = pegel ? 1 : 0;
  s.GenZaehler = 0;
  Folge f;
  f.neuZeichnen = true;
  f.zyklusNeu = true;
  return f;
}

Folge schalteInfo(State& s) {
  s.InfoAus = s.InfoAus == 1 ? 0 : 1;
  Folge f;
  f.greylineNeu = s.InfoAus == 1;
  return f;
}

Folge waehleNaechsteStadt(State& s, bool naechste) {
  s.NaechsteStadtFlag = naechste ? 1 : 0;
  return {};
}

Folge waehleLocator(State& s, bool locator) {
  s.LocatorFlag = locator ? 1 : 0;
  return {};
}

bool zyklusTick(State& s) {
  s.GenZaehler = static_cast<int16>(s.GenZaehler + 1);
  if (s.GenZaehler <= 2) return false;
  s.GenZaehler = 0;
  return true;
}

}  // namespace welvaro
