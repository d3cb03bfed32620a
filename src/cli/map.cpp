// welvaro-cli map: the world-map picture for a display frequency and a UTC
// time, from the forecast table DIR/Welvaro.tab, written as DIR/WelvDar1.bmp,
// with the map drawing DIR/MapWelt.dat, or the one that comes with the
// program when DIR has none.
#include <filesystem>
#include <ostream>

#include "cli/bild.h"
#include "cli/commands.h"
#include "display/bitmap.h"
#include "display/worldmap.h"
#include "files/kartenlinien.h"
#include "files/overlay.h"
#include "files/programdir.h"
#include "forecast/table.h"

namespace welvaro::cli {

namespace {

int runMap(Aufruf& a, const Kontext& k) {
  State& s = *a.s;
  s.Pfad = a.dir;
  const std::filesystem::path tabelle = ownFile(s, kTabelleDatei);
  if (const TableFileStatus r = readTableFile(tabelle, s.TabText); !r.ok()) {
    k.err << "welvaro-cli map: " << r.message;
    if (r.kind == TableFileStatus::kMissing) k.err << " (make it with welvaro-cli table --dir DIR)";
    k.err << "\n";
    return kExitFileError;
  }
  prgTabPlus(s);

  BildOptionen bild = bildOptionen(a);
  DarstStatus st;
  if (bild.png.empty()) {
    readOverlay(datenDatei(a, k, kMapWeltDatei), kWeltkarteLaenge, s.Weltkarte);
    conBitmaps(s);
    st = prgAktDarst1(s);
  } else {
    st = kartePng(s, bild, datenDatei(a, k, kMapLinienDatei));
  }
  if (!st.ok()) {
    k.err << "welvaro-cli map: " << st.meldung << "\n";
    return kExitFileError;
  }
  if (!bild.png.empty())
    k.out << pngMeldung(bild);
  else
    k.out << ownFile(s, kWeltBildDatei).string() << ": " << kWeltBildLaenge << " bytes\n";
  return kExitOk;
}

}  // namespace

Befehl mapBefehl() {
  return {.name = "map",
          .optionen = {"--dir", "--freq", "--utc", "--level", "--field", "--png", "--size", "--projection",
                       "--greyline", "--b", "--path"},
          .pflicht = {"--dir", "--freq", "--utc"},
          .pruefe = pruefeBild,
          .run = runMap};
}

}  // namespace welvaro::cli
