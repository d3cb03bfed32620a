// welvaro-cli map: the world-map picture for a display frequency and a UTC
// time, from the forecast table DIR/Welvaro.tab, written as DIR/WelvDar1.bmp.
#include <filesystem>
#include <memory>
#include <ostream>
#include <system_error>

#include "cli/bild.h"
#include "cli/commands.h"
#include "cli/options.h"
#include "display/bitmap.h"
#include "display/worldmap.h"
#include "files/overlay.h"
#include "files/programdir.h"
#include "forecast/table.h"

namespace welvaro::cli {

namespace {

// "HH:MM" or "H:MM", 00:00 .. 23:59.
bool parseUtc(const std::string& t, int& stunde, int& minute) {
  const auto colon = t.find(':');
  if (colon == std::string::npos || colon == 0 || colon > 2 || t.size() != colon + 3) return false;
  for (std::size_t i = 0; i < t.size(); ++i)
    if (i != colon && (t[i] < '0' || t[i] > '9')) return false;
  stunde = std::stoi(t.substr(0, colon));
  minute = std::stoi(t.substr(colon + 1));
  return stunde <= 23 && minute <= 59;
}

}  // namespace

int runMap(const std::vector<std::string>& argv, const Clock& clock, std::ostream& out, std::ostream& err) {
  auto s = std::make_unique<State>();
  std::string dir;
  bool freqGiven = false, utcGiven = false, level = false, field = false;
  BildOptionen bild;
  try {
    Arguments args(argv);
    while (!args.done()) {
      const std::string opt = args.next("option");
      if (opt == "--dir") {
        dir = args.next(opt);
      } else if (opt == "--freq") {
        const std::string t = args.next(opt);
        const auto v = strictNumber(t);
        if (!v) throw BadArgument{"--freq: '" + t + "' is not a number"};
        if (*v < 1 || *v > 30) throw BadArgument{"--freq: " + t + " is outside 1 .. 30 MHz"};
        s->AktFrequenz = static_cast<float>(*v);
        freqGiven = true;
      } else if (opt == "--utc") {
        const std::string t = args.next(opt);
        int h = 0, m = 0;
        if (!parseUtc(t, h, m)) throw BadArgument{"--utc: '" + t + "' is not a time HH:MM (00:00 .. 23:59)"};
        DateTime z = clock.now();
        z.hour = h;
        z.minute = m;
        z.second = 0;
        s->Zeitpunkt = z;
        utcGiven = true;
      } else if (opt == "--level") {
        level = true;
      } else if (opt == "--field") {
        field = true;
      } else if (bildOption(*s, bild, opt, args, true)) {
      } else {
        throw BadArgument{"unknown option '" + opt + "'"};
      }
    }
    if (dir.empty()) throw BadArgument{"--dir DIR is required"};
    if (!freqGiven) throw BadArgument{"--freq MHZ is required"};
    if (!utcGiven) throw BadArgument{"--utc HH:MM is required"};
    if (level && field) throw BadArgument{"--level and --field exclude each other"};
    pruefeOrdner(dir);
    pruefeBildOptionen(bild);
  } catch (const BadArgument& e) {
    err << "welvaro-cli map: " << e.message << "\n";
    return kExitBadArguments;
  }
  s->PegelFlag = field ? 0 : 1;
  s->Pfad = dir;

  const std::filesystem::path tabelle = ownFile(*s, kTabelleDatei);
  if (const TableFileStatus r = readTableFile(tabelle, s->TabText); !r.ok()) {
    err << "welvaro-cli map: " << r.message;
    if (r.kind == TableFileStatus::kMissing) err << " (make it with welvaro-cli table --dir DIR)";
    err << "\n";
    return kExitFileError;
  }
  prgTabPlus(*s);
  readOverlay(std::filesystem::path(dir) / kMapWeltDatei, kWeltkarteLaenge, s->Weltkarte);
  conBitmaps(*s);

  if (const DarstStatus st = bild.png.empty() ? prgAktDarst1(*s) : kartePng(*s, bild); !st.ok()) {
    err << "welvaro-cli map: " << st.meldung << "\n";
    return kExitFileError;
  }
  if (!bild.png.empty()) {
    out << pngMeldung(bild);
    return kExitOk;
  }
  out << ownFile(*s, kWeltBildDatei).string() << ": " << kWeltBildLaenge << " bytes\n";
  return kExitOk;
}

}  // namespace welvaro::cli
