#include "cli/bild.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <vector>
#include <filesystem>
#include <memory>

#include "display/chartbild.h"
#include "display/kartenbild.h"
#include "files/kartenlinien.h"
#include "files/png.h"
#include "files/programdir.h"
#include "forecast/tageskorr.h"
#include "state/calendar.h"
#include "state/numtext.h"

namespace welvaro::cli {

namespace {

// Default sizes of the whole picture: the rectangular map then is 1081 x 541
// pixels (three per degree), the azimuthal one a disc of 721 pixels.
constexpr int kBreite = 1240, kHoehe = 580;
constexpr int kAzBreite = 960, kAzHoehe = 800;
constexpr int kMin = 16, kMax = 8192;

// "WxH" with whole numbers kMin..kMax.
bool groesse(const std::string& t, int& w, int& h) {
  const auto x = t.find('x');
  if (x == std::string::npos) return false;
  const auto zahl = [](std::string_view z, int& v) {
    const auto r = std::from_chars(z.data(), z.data() + z.size(), v);
    return !z.empty() && r.ec == std::errc() && r.ptr == z.data() + z.size() && v >= kMin && v <= kMax;
  };
  return zahl(std::string_view(t).substr(0, x), w) && zahl(std::string_view(t).substr(x + 1), h);
}

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
  return schreibeBild(b.png, png);
}

}  // namespace

bool bildOption(State& s, BildOptionen& b, const std::string& opt, Arguments& args, bool karte) {
  if (opt == "--png") {
    b.png = args.next(opt);
    if (b.png.empty()) throw BadArgument{"--png needs a file name"};
  } else if (opt == "--size") {
    const std::string t = args.next(opt);
    if (!groesse(t, b.breite, b.hoehe))
      throw BadArgument{"--size: '" + t + "' is not WxH with " + std::to_string(kMin) + " .. " +
                        std::to_string(kMax) + " pixels each"};
  } else if (karte && opt == "--projection") {
    const std::string t = args.next(opt);
    if (t != "rect" && t != "azimuthal") throw BadArgument{"--projection takes rect or azimuthal"};
    b.projektion = t == "rect" ? Projektion::Rechteck : Projektion::Azimutal;
  } else if (karte && opt == "--greyline") {
    b.greyline = true;
  } else if (karte && (opt == "--b" || opt == "--path")) {
    Common unbenutzt;
    applyCommon(s, unbenutzt, opt, args);
    b.pfad = b.pfad || opt == "--b";
  } else {
    return false;
  }
  b.gegeben = b.gegeben || opt != "--png";
  return true;
}

void pruefeBildOptionen(const BildOptionen& b) {
  if (b.png.empty() && b.gegeben)
    throw BadArgument{"--size, --projection, --greyline, --b and --path need --png FILE"};
}

DarstStatus kartePng(State& s, BildOptionen& b) {
  ausKopf(s);
  const bool az = b.projektion == Projektion::Azimutal;
  const int w = b.breite ? b.breite : (az ? kAzBreite : kBreite);
  const int h = b.hoehe ? b.hoehe : (az ? kAzHoehe : kHoehe);
  b.breite = w;
  b.hoehe = h;

  Kartenlinien linien;
  if (leseKartenlinien(std::filesystem::path(s.Pfad) / kMapLinienDatei, linien) != LinienStatus::kRead)
    leseKartenlinien(dataFile(resolveProgramDirs(systemProgramDirInputs()), kMapLinienDatei), linien);
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
