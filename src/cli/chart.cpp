// welvaro-cli chart: the frequency/time chart of the link A-B, written as
// DIR/WelvDar2.bmp with the chart drawing DIR/MapOrt.dat when present.
#include <filesystem>
#include <memory>
#include <ostream>
#include <system_error>

#include "cli/bild.h"
#include "cli/commands.h"
#include "cli/options.h"
#include "display/bitmap.h"
#include "display/chart.h"
#include "files/overlay.h"
#include "files/programdir.h"
#include "state/fault.h"

namespace welvaro::cli {

int runChart(const std::vector<std::string>& argv, const Clock& clock, std::ostream& out, std::ostream& err) {
  auto s = std::make_unique<State>();
  s->Jetzt = clock.now();
  Common common;
  std::string dir;
  bool level = false, field = false;
  BildOptionen bild;
  try {
    Arguments args(argv);
    while (!args.done()) {
      const std::string opt = args.next("option");
      if (applyCommon(*s, common, opt, args)) continue;
      if (opt == "--dir")
        dir = args.next(opt);
      else if (opt == "--level")
        level = true;
      else if (opt == "--field")
        field = true;
      else if (bildOption(*s, bild, opt, args, false))
        continue;
      else
        throw BadArgument{"unknown option '" + opt + "'"};
    }
    if (level && field) throw BadArgument{"--level and --field exclude each other"};
    pruefeOrdner(dir);
    pruefeBildOptionen(bild);
    finishCommon(*s, common);
  } catch (const BadArgument& e) {
    err << "welvaro-cli chart: " << e.message << "\n";
    return kExitBadArguments;
  }
  s->PegelFlag = field ? 0 : 1;
  s->Pfad = dir;
  readOverlay(std::filesystem::path(dir) / kMapOrtDatei, kOrtskarteLaenge, s->Ortskarte);
  conBitmaps(*s);

  const DarstStatus st = bild.png.empty() ? prgAktDarst2(*s) : chartPng(*s, bild);
  if (st.fehler != 0) {
    err << "welvaro-cli chart: model fault: " << faultName(st.fehler) << " (run-time error " << st.fehler
        << "); no picture written\n";
    return kExitModelFault;
  }
  if (!st.meldung.empty()) {
    err << "welvaro-cli chart: " << st.meldung << "\n";
    return kExitFileError;
  }
  if (!bild.png.empty()) {
    out << pngMeldung(bild);
    return kExitOk;
  }
  out << ownFile(*s, kOrtBildDatei).string() << ": " << kOrtBildLaenge << " bytes\n";
  return kExitOk;
}

}  // namespace welvaro::cli
