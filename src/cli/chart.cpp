// welvaro-cli chart: the frequency/time chart of the link A-B, written as
// DIR/WelvDar2.bmp with the chart drawing DIR/MapOrt.dat, or the one that
// comes with the program when DIR has none.
#include <filesystem>
#include <ostream>

#include "cli/bild.h"
#include "cli/commands.h"
#include "display/bitmap.h"
#include "display/chart.h"
#include "files/overlay.h"
#include "files/programdir.h"
#include "state/fault.h"

namespace welvaro::cli {

namespace {

int runChart(Aufruf& a, const Kontext& k) {
  State& s = *a.s;
  s.Pfad = a.dir;
  BildOptionen bild = bildOptionen(a);
  DarstStatus st;
  if (bild.png.empty()) {
    readOverlay(datenDatei(a, k, kMapOrtDatei), kOrtskarteLaenge, s.Ortskarte);
    conBitmaps(s);
    st = prgAktDarst2(s);
  } else {
    st = chartPng(s, bild);
  }
  if (st.fehler != 0) {
    k.err << "welvaro-cli chart: model fault: " << faultName(st.fehler) << " (run-time error " << st.fehler
          << "); no picture written\n";
    return kExitModelFault;
  }
  if (!st.meldung.empty()) {
    k.err << "welvaro-cli chart: " << st.meldung << "\n";
    return kExitFileError;
  }
  if (!bild.png.empty())
    k.out << pngMeldung(bild);
  else
    k.out << ownFile(s, kOrtBildDatei).string() << ": " << kOrtBildLaenge << " bytes\n";
  return kExitOk;
}

}  // namespace

Befehl chartBefehl() {
  return {.name = "chart",
          .optionen = mitGemeinsamen({"--dir", "--level", "--field", "--png", "--size"}),
          .pflicht = {"--dir"},
          .pruefe = pruefeBild,
          .run = runChart};
}

}  // namespace welvaro::cli
