// welvaro-cli map: the world-map picture for a display frequency and a UTC
// time, from the forecast table DIR/Welvaro.tab, written as DIR/WelvDar1.bmp,
// with the map drawing DIR/MapWelt.dat, or the one that comes with the
// program when DIR has none; with --outlook the outlook of the mode
// (--mode, --noise; the PNG's legend in the language --lang).
#include <cstdio>
#include <filesystem>
#include <ostream>

#include "cli/picture.h"
#include "cli/commands.h"
#include "display/bitmap.h"
#include "display/worldmap.h"
#include "files/datafiles.h"
#include "files/map_lines.h"
#include "files/landareas.h"
#include "files/overlay.h"
#include "files/programdir.h"
#include "forecast/availability.h"
#include "forecast/table.h"
#include "state/calendar.h"
#include "state/numtext.h"

namespace welvaro::cli {

namespace {

// The outlook needs the table at its three availabilities, which the file
// does not hold: they are made from the inputs in the table's header (month,
// date, station A and the conditions), and the table made with them must be
// the file's, byte for byte. Returns what went wrong, empty when made.
std::string availabilitiesOfTable(State& s, const std::filesystem::path& file) {
  const std::string image = s.TabText;
  std::vector<std::string> items;
  for (std::size_t from = 0, to; (to = image.find(':', from)) != std::string::npos && to < kTabHeaderLength;
       from = to + 1)
    items.push_back(image.substr(from, to - from));
  const auto text = [&](std::size_t i) { return items[i].starts_with(' ') ? items[i].substr(1) : items[i]; };
  int day = 0, month = 0, year = 0;
  if (items.size() < 12 || std::sscanf(items[11].c_str(), "%2d.%2d.%4d", &day, &month, &year) != 3 || month < 1 ||
      month > 12 || day < 1 || year < 1601 || year > 9999 || day > daysInMonth(year, month))
    return file.string() + ": the table's header does not name its inputs";
  s.Jetzt = {year, month, day, 12, 0, 0};
  s.Monat = static_cast<float>(ReadNumber(items[0]));
  s.X1 = ReadNumber(items[2]);
  s.Y1 = static_cast<float>(ReadNumber(items[3]));
  s.Sag = ReadNumber(items[4]);
  s.Angm = ReadNumber(items[5]);
  s.Zkwa = text(6);
  s.Zkw = ReadNumber(s.Zkwa);
  s.P = text(7);
  s.Iproz = ReadNumber(items[8]);
  s.Ssn = text(9);
  s.Ssna = ReadNumber(s.Ssn);
  generateTableAndAvailabilities(s);
  if (s.TabText != image)
    return file.string() +
           ": the table does not follow from the inputs in its header; make it anew with welvaro-cli table";
  return {};
}

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
  if (s.OutlookFlag == 1) {
    if (const std::string problem = availabilitiesOfTable(s, table); !problem.empty()) {
      k.err << "welvaro-cli map: " << problem << "\n";
      return kExitFileError;
    }
  }
  prgTabPlus(s);

  setNames(a);
  PictureOptions picture = pictureOptions(a);
  DisplayStatus st;
  if (picture.png.empty()) {
    // A missing drawing leaves the colours alone; a damaged one is an error.
    if (const DataFileStatus o = loadOverlay(dataFileFor(a, k, kWorldOverlayFile), kWorldOverlayLength, s.Weltkarte);
        o.broken()) {
      k.err << "welvaro-cli map: " << o.message() << "\n";
      return kExitFileError;
    }
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
                       "--greyline", "--b", "--path", "--name-b", "--mode", "--noise", "--outlook", "--lang"},
          .required = {"--dir", "--freq", "--utc"},
          .check = checkPicture,
          .run = runMap,
          .outputs = [](const Invocation& a) {
            return std::vector{a.png.empty() ? std::filesystem::path(a.dir) / kWorldBitmapFile
                                             : std::filesystem::path(a.png)};
          }};
}

}  // namespace welvaro::cli
