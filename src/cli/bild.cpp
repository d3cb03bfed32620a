#include "cli/bild.h"

#include <algorithm>
#include <cstdio>
#include <vector>
#include <filesystem>
#include <memory>

#include "display/chartbild.h"
#include "display/kartenbild.h"
#include "files/fileio.h"
#include "files/kartenlinien.h"
#include "files/png.h"
#include "forecast/tageskorr.h"
#include "state/calendar.h"
#include "state/numtext.h"

namespace welvaro::cli {

namespace {

// Default sizes of the whole picture: the rectangular map then is 1081 x 541
// pixels (three per degree), the azimuthal one a disc of 721 pixels.
constexpr int kBreite = 1240, kHoehe = 580;
constexpr int kAzBreite = 960, kAzHoehe = 800;

// Lines and font grow with the picture beyond its default size.
double skalaFuer(int w, int h, int w0, int h0) {
  return std::max(1.0, std::floor(std::min(static_cast<double>(w) / w0, static_cast<double>(h) / h0) * 2) / 2);
}

// Station A and the day of the table, from its header: the third and fourth
// items and the date dd.mm.yyyy (the twelfth). The day gives the sun's
// declination for the greyline; without it the day of Zeitpunkt is taken.
void ausKopf(State& s) {
  std::vector<std::string> teile;
  for (std::size_t von = 0, bis; (bis = s.TabText.find(':', von)) != std::string::npos; von = bis + 1)
    teile.push_back(s.TabText.substr(von, bis - von));
  DateTime tag = s.Zeitpunkt;
  if (teile.size() >= 12) {
    s.X1 = std::clamp(ReadNumber(teile[2]), -90.0, 90.0);
    s.Y1 = static_cast<float>(std::clamp(ReadNumber(teile[3]), -180.0, 180.0));
    const std::string& d = teile[11];
    int t = 0, m = 0, j = 0;
    if (d.size() == 10 && std::sscanf(d.c_str(), "%2d.%2d.%4d", &t, &m, &j) == 3 && m >= 1 && m <= 12 && t >= 1 &&
        j >= 1601 && t <= daysInMonth(j, m))
      tag = {j, m, t, 12, 0, 0};
  }
  setzeJahreswerte(s, tag);
}

std::string schreibe(const std::uint32_t* pixel, int w, int h, BildOptionen& b) {
  const std::string png = pngBild(pixel, w, h);
  if (png.empty()) return b.png + ": cannot compress the picture";
  b.bytes = png.size();
  const FileStatus st = replaceFile(b.png, png);
  return st.ok() ? std::string() : st.message;
}

}  // namespace

BildOptionen bildOptionen(const Aufruf& a) {
  BildOptionen b;
  b.png = a.png;
  b.breite = a.bildBreite;
  b.hoehe = a.bildHoehe;
  b.projektion = a.azimutal ? Projektion::Azimutal : Projektion::Rechteck;
  b.greyline = a.hat("--greyline");
  b.pfad = a.hat("--b");
  return b;
}

void pruefeBild(const Aufruf& a) {
  if (a.png.empty() && (a.hat("--size") || a.hat("--projection") || a.hat("--greyline")))
    throw BadArgument{"--size, --projection and --greyline need --png FILE"};
}

DarstStatus kartePng(State& s, BildOptionen& b, const std::filesystem::path& linienDatei) {
  ausKopf(s);
  const bool az = b.projektion == Projektion::Azimutal;
  const int w = b.breite ? b.breite : (az ? kAzBreite : kBreite);
  const int h = b.hoehe ? b.hoehe : (az ? kAzHoehe : kHoehe);
  b.breite = w;
  b.hoehe = h;

  Kartenlinien linien;
  leseKartenlinien(linienDatei, linien);
  auto bild = std::make_unique<Kartenbild>();
  bild->setzeLinien(&linien);
  Ansicht a;
  a.projektion = b.projektion;
  a.frequenz = s.AktFrequenz;
  a.utcMinute = s.Zeitpunkt.hour * 60 + s.Zeitpunkt.minute;
  a.pegel = s.PegelFlag == 1;
  a.greyline = b.greyline;
  a.pfad = b.pfad;
  a.skalen = true;
  a.skala = az ? skalaFuer(w, h, kAzBreite, kAzHoehe) : skalaFuer(w, h, kBreite, kHoehe);
  const std::uint32_t* pixel = bild->render(s, a, w, h);
  DarstStatus st;
  st.meldung = schreibe(pixel, w, h, b);
  return st;
}

DarstStatus chartPng(State& s, BildOptionen& b) {
  DarstStatus st;
  s.X2 = s.OrtX2;
  s.Y2 = s.OrtY2;
  st.fehler = prgTageskorr(s);
  if (st.fehler != 0) return st;
  const int w = b.breite ? b.breite : kBreite, h = b.hoehe ? b.hoehe : kHoehe;
  b.breite = w;
  b.hoehe = h;
  auto bild = std::make_unique<Chartbild>();
  ChartAnsicht a;
  a.pegel = s.PegelFlag == 1;
  a.skalen = true;
  a.skala = skalaFuer(w, h, kBreite, kHoehe);
  st.meldung = schreibe(bild->render(s, a, w, h), w, h, b);
  return st;
}

std::string pngMeldung(const BildOptionen& b) {
  return b.png + ": " + std::to_string(b.breite) + " x " + std::to_string(b.hoehe) + " pixels, " +
         std::to_string(b.bytes) + " bytes\n";
}

}  // namespace welvaro::cli
