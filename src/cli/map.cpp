// welvaro-cli map: the world-map picture for a display frequency and a UTC
// time, from the forecast table DIR/Welvaro.tab, written as DIR/WelvDar1.bmp,
// with the map drawing DIR/MapWelt.dat, or the one that comes with the
// program when DIR has none.
#include <filesystem>
#include <ostream>

#include "cli/picture.h"
#include "cli/commands.h"
#include "display/bitmap.h"
#include "display/worldmap.h"
#include "files/map_lines.h"
#include "files/landareas.h"
#include "files/overlay.h"
#include "files/programdir.h"
#include "forecast/table.h"

namespace welvaro::cli {

namespace {

int runMap(Invocation& a, const Context& k) {
  State& s = *a.s;
  s.Pfad = a.dir;
  const std::filesystem::path table = ownFile(s, kTableFile);
  if (const TableFileStatus r = readTableFile(table, s.TabText); !r.ok()) {
    k.err << "welvaro-cli map: " << r.message;
    if (r.kind == TableFileStatus::kMissing) k.err << " (make it with welvaro-cli table --dir DIR)";
    k.err << "\n";
    return kExitFileError;
  }
  prgTabPlus(s);

  setNames(a);
  PictureOptions picture = pictureOptions(a);
  DisplayStatus st;
  if (picture.png.empty()) {
    readOverlay(dataFileFor(a, k, kWorldOverlayFile), kWorldOverlayLength, s.Weltkarte);
    conBitmaps(s);
    st = prgAktDarst1(s);
  } else {
    st = mapPng(s, picture, dataFileFor(a, k, kMapLinesFile), dataFileFor(a, k, kLandFile));
  }
  if (!st.ok()) {
    k.err << "welvaro-cli map: " << st.message << "\n";
    return kExitFileError;
  }
  if (!picture.png.empty())
    k.out << pngMessage(picture);
  else
    k.out << ownFile(s, kWorldBitmapFile).string() << ": " << kWorldBitmapLength << " bytes\n";
  return kExitOk;
}

}  // namespace

Command mapCommand() {
  return {.name = "map",
          .options = {"--dir", "--freq", "--utc", "--level", "--field", "--png", "--size", "--projection",
                       "--greyline", "--b", "--path", "--name-b", "--lang"},
          .required = {"--dir", "--freq", "--utc"},
          .check = checkPicture,
          .run = runMap};
}

}  // namespace welvaro::cli
