// welvaro-cli table: generates the world forecast table from station A and
// writes it as DIR/Welvaro.tab.
#include <filesystem>
#include <memory>
#include <ostream>
#include <system_error>

#include "cli/commands.h"
#include "cli/options.h"
#include "files/programdir.h"
#include "forecast/table.h"
#include "state/fault.h"

namespace welvaro::cli {

int runTable(const std::vector<std::string>& argv, const Clock& clock, std::ostream& out, std::ostream& err) {
  auto s = std::make_unique<State>();
  s->Jetzt = clock.now();
  Common common;
  std::string dir;
  try {
    Arguments args(argv);
    while (!args.done()) {
      const std::string opt = args.next("option");
      if (applyCommon(*s, common, opt, args)) continue;
      if (opt == "--dir")
        dir = args.next(opt);
      else
        throw BadArgument{"unknown option '" + opt + "'"};
    }
    pruefeOrdner(dir);
    finishCommon(*s, common);
  } catch (const BadArgument& e) {
    err << "welvaro-cli table: " << e.message << "\n";
    return kExitBadArguments;
  }

  GenTabInfo info;
  if (const int rc = prgGenTabPlus(*s, &info); rc != 0) {
    err << "welvaro-cli table: model fault: " << faultName(rc) << " (run-time error " << rc << ") at "
        << info.gefuellt << " grid point(s), the first at latitude " << tabBreite(info.fehlerBreite)
        << ", longitude " << tabLaenge(info.fehlerLaenge) << "; no table written\n";
    return kExitModelFault;
  }
  const std::filesystem::path file = std::filesystem::path(dir) / kTabelleDatei;
  if (const TableFileStatus w = writeTableFile(file, s->TabText); !w.ok()) {
    err << "welvaro-cli table: " << w.message << "\n";
    return kExitFileError;
  }
  out << file.string() << ": " << s->TabText.size() << " bytes\n";
  out << "header: " << s->TabText.substr(0, kTabKopfLaenge) << "\n";
  if (info.verschoben > 0)
    out << info.verschoben << " grid point(s) on station A or its antipode computed 0.1 degree off the grid\n";
  return kExitOk;
}

}  // namespace welvaro::cli
