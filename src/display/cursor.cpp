#include "display/cursor.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "display/anzeige.h"
#include "display/point.h"
#include "lang/sprachtext.h"
#include "state/locator.h"
#include "state/numtext.h"

namespace welvaro {

namespace {

// A colour component 0..255 as a step 0..18 of the colour ramps. The ramps
// hold floor(255 / 18 x n), so the step is the nearest whole number of the
// component over 255 / 18; a plain floor would read most colours one step
// too low.
int stufe(int komponente) { return static_cast<int>(std::floor(komponente / (255.0 / 18.0) + 0.5)); }

// Frequency of a cursor height in the chart, one decimal, not limited.
double chartFrequenz(double hoehe) { return std::floor(hoehe * 0.074075) / 10; }

}  // namespace


std::string farbTextAus(int rot, int gruen, int blau) {
  char puffer[16];
  std::snprintf(puffer, sizeof puffer, "%02X%02X%02X", blau & 0xFF, gruen & 0xFF, rot & 0xFF);
  return puffer;
}

bool prgFarbWert(State& s, int rot, int gruen, int blau) {
  s.FarbText = farbTextAus(rot, gruen, blau);
  // The greys of the map and chart drawings are no values.
  if (s.FarbText == "848484" || s.FarbText == "5A5A5A" || s.FarbText == "E0E0E0") return false;
  const int b = stufe(blau), g = stufe(gruen), r = stufe(rot);
  int wert = b;  // black to blue
  if (g == 18) wert = 54;
  if (r == 18) wert = 90;
  if (b == 18 && g > 0) wert = g + 18;  // blue to cyan
  if (g == 18 && b > 0) wert = 54 - b;  // cyan to green
  if (g == 18 && r > 0) wert = r + 54;  // green to yellow
  if (r == 18 && g > 0) wert = 90 - g;  // yellow to red
  if (r == 18 && b > 0) wert = b + 90;  // red to magenta
  s.FarbWert = static_cast<float>(wert);
  return true;
}

std::string wertText(const State& s, bool pegel) {
  const bool unten = s.FarbWert == 0;
  const std::string trenner = unten ? ": <" : ": ";
  if (pegel) return T(s, kTxPegel) + trenner + NumberText(s.FarbWert - 127.0f) + " dBm";
  return T(s, kTxFeldstaerke) + trenner + NumberText(s.FarbWert - 54.0f) + " dB [" + "µ" + "V/m]";
}

std::string gradText(const State& s, float breite, float laenge) {
  const std::string b = breite < 0 ? NumberText(std::fabs(breite)) + "°S" : NumberText(breite) + "°N";
  const std::string l = laenge < 0 ? NumberText(std::fabs(laenge)) + "°W" : NumberText(laenge) + "°E";
  return T(s, kTxPosition) + ": " + b + " " + l;
}

std::string locatorAus(double x, double hoehe) {
  // The right and top edges are moved one twip inwards.
  return locatorAusEinheiten(std::clamp(x, 0.0, 8099.0), std::clamp(hoehe, 0.0, 4049.0), 6);
}

bool prgNaechsterOrt(State& s) {
  s.NahAbstand = 1000000;
  const int u = std::clamp(static_cast<int>(std::floor(s.Py2 / 10.0 + 18)), 0, 35);
  const int m = std::clamp(static_cast<int>(std::floor(s.Px2 / 10.0 + 9)), 0, 17);
  if (s.OrtFlag != 1) return false;
  const std::string& zelle = s.OrtRaster[u][m];
  if (zelle.size() <= 4) return false;
  bool gefunden = false;
  for (std::size_t i = 0; i + 4 <= zelle.size(); i += 4) {
    const std::string gruppe = zelle.substr(i, 4);
    if (gruppe == "0000") break;
    if (!std::all_of(gruppe.begin(), gruppe.end(), [](char c) { return c >= '0' && c <= '9'; })) break;
    const int g = std::stoi(gruppe);
    if (g < 1 || g > s.OrtZahl) continue;  // a cell index that does not fit the list
    const float db = s.Px2 - s.OrtBreite[g];
    const float dl = s.Py2 - s.OrtLaenge[g];
    const float d = db * db + dl * dl;
    if (d < s.NahAbstand) {
      s.NahAbstand = d;
      s.NahOrt = static_cast<float>(g);
      gefunden = true;
    }
  }
  return gefunden;
}

CursorAnzeige prgCursor(State& s, double x, double y, int rot, int gruen, int blau, bool pegel, bool grad) {
  CursorAnzeige a;
  if (prgFarbWert(s, rot, gruen, blau)) {
    a.pegelNeu = true;
    a.pegel = wertText(s, pegel);
  }

  if (s.Darstellung == 1.0f) {
    // A tenth of a degree, held on the earth: the last pixel row and column
    // of the picture lie beyond 90 deg S and 180 deg E.
    s.Py2 = static_cast<float>(std::clamp(std::floor((x - 4050) / 2.25) / 10, -180.0, 180.0));
    s.Px2 = static_cast<float>(std::clamp(std::floor((2025 - y) / 2.25) / 10, -90.0, 90.0));
    if (!grad) {
      s.CursorX = static_cast<float>(std::clamp(x, 0.0, 8099.0));
      s.CursorHoehe = static_cast<float>(std::clamp(4050 - y, 0.0, 4049.0));
      s.LocatorText = locatorAus(s.CursorX, s.CursorHoehe);
      a.locator = T(s, kTxPosition) + ": " + s.LocatorText;
    } else {
      a.locator = gradText(s, s.Px2, s.Py2);
    }
    a.ortNeu = true;
    if (prgNaechsterOrt(s)) {
      const int g = static_cast<int>(s.NahOrt);
      a.ortB = T(s, kTxStadt) + ": " + s.OrtName[g];
      a.markeNeu = true;
      a.markeLinks = markeLinks(s.OrtLaenge[g]);
      a.markeOben = markeOben(s.OrtBreite[g]);
    }
    return a;
  }

  s.CursorX = static_cast<float>(x);
  s.CursorHoehe = static_cast<float>(4050 - y);
  const double frequenz = chartFrequenz(s.CursorHoehe);
  const double stunden = x / 330;
  const double ganz = std::floor(stunden);
  const std::string minuten = "00" + NumberText(std::floor((stunden - ganz) * 60)).substr(1);
  a.frequenzNeu = true;
  a.frequenz = T(s, kTxFrequenz) + ": " + NumberText(frequenz) + " MHz";
  a.locator = T(s, kTxZeit) + " [UTC]: " + NumberText(ganz) + ":" + minuten.substr(minuten.size() - 2) + T(s, kTxUhr);
  return a;
}

KlickErgebnis prgKlick(State& s, bool cursorposition) {
  KlickErgebnis k;
  if (s.Darstellung == 1.0f) {
    if (cursorposition) {
      s.OrtX2 = s.Px2;
      s.OrtY2 = s.Py2;
      s.OrtB = T(s, kTxStation);
    } else {
      // Only a place found for the cursor where the click is: a click over
      // an empty part of the world takes no place from an earlier position.
      const int g = static_cast<int>(s.NahOrt);
      if (!(s.NahAbstand < 1000000) || g < 1 || g > s.OrtZahl) return k;
      s.OrtX2 = s.OrtBreite[g];
      s.OrtY2 = s.OrtLaenge[g];
      s.OrtB = s.OrtName[g];
      k.zurueckZurCursorposition = true;
    }
    k.art = KlickErgebnis::Art::PunktB;
    k.punktLinks = markeLinks(s.OrtY2);
    k.punktOben = markeOben(s.OrtX2);
  } else {
    float f = static_cast<float>(chartFrequenz(s.CursorHoehe));
    f = std::clamp(f, 1.5f, 29.9f);
    s.AktFrequenz = f;
    k.art = KlickErgebnis::Art::Frequenz;
    k.frequenzLinieY = ortY(static_cast<double>(s.AktFrequenz));
    setzeAnzeigeFrequenz(s, s.AktFrequenz);
    // The chart sets the time shown as well: the map shows that hour at
    // that frequency.
    zeigeZeit(s, static_cast<int>(std::floor(s.CursorX / ortX(1) * 60)));
  }
  prgPointErgebnis(s);
  return k;
}

std::string ortTooltip(const State& s) {
  const std::string station = T(s, kTxStation);
  const std::string anfang = T(s, kTxOrtsWelvaro) + " " + T(s, kTxFuer) + " ";
  if (s.OrtB != station) return anfang + s.OrtB + " <--> " + s.OrtA;
  return anfang + station + " B <--> " + s.OrtA;
}

std::string sonnenfleckenTooltip(const State& s) {
  return T(s, kTxSonnenflecken) + " (Ri =" + NumberText(s.Ssna) + ")";
}

}  // namespace welvaro
