// welvaro-cli chart: the frequency/time chart of the link A-B, written as
// DIR/WelvDar2.bmp with the chart drawing DIR/MapOrt.dat, or the one that
// comes with the program when DIR has none; with --outlook the outlook of
// the mode (--mode, --noise; the PNG's legend in the language --lang).
#include <filesystem>
#include <ostream>

#include "cli/picture.h"
#include "cli/commands.h"
#include "display/bitmap.h"
#include "display/chart.h"
#include "files/datafiles.h"
#include "files/overlay.h"
#include "files/programdir.h"
#include "state/fault.h"

namespace welvaro::cli {

namespace {

int runChart(Invocation& a, const Context& k) {
  State& s = *a.s;
  s.Pfad = a.dir;
  setNames(a);
  PictureOptions picture = pictureOptions(a);
  DisplayStatus st;
  if (picture.png.empty()) {
    // A missing drawing leaves the colours alone; a damaged one is an error.
    if (const DataFileStatus o = loadOverlay(dataFileFor(a, k, kChartOverlayFile), kChartOverlayLength, s.Ortskarte);
        o.broken()) {
      k.err << "welvaro-cli chart: " << o.message() << "\n";
      return kExitFileError;
    }
    conBitmaps(s);
    st = prgAktDarst2(s);
  } else {
    st = chartPng(s, picture);
  }
  if (st.fault != 0) {
    k.err << "welvaro-cli chart: model fault: " << faultName(st.fault) << " (run-time error " << st.fault
          << "); no picture written\n";
    return kExitModelFault;
  }
  if (!st.message.empty()) {
    k.err << "welvaro-cli chart: " << st.message << "\n";
    return kExitFileError;
  }
  if (!picture.png.empty())
    k.out << pngMessage(picture);
  else
    k.out << ownFile(s, kChartBitmapFile).string() << ": " << kChartBitmapLength << " bytes\n";
  return kExitOk;
}

}  // namespace

Command chartCommand() {
  return {.name = "chart",
          .options = withCommon({"--dir", "--level", "--field", "--png", "--size", "--mode", "--noise", "--outlook",
                                      "--lang", "--name-a", "--name-b"}),
          .required = {"--dir"},
          .check = checkPicture,
          .run = runChart,
          .outputs = [](const Invocation& a) {
            return std::vector{a.png.empty() ? std::filesystem::path(a.dir) / kChartBitmapFile
                                             : std::filesystem::path(a.png)};
          }};
}

}  // namespace welvaro::cli
