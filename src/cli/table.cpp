// welvaro-cli table: generates the world forecast table from station A and
// writes it as DIR/Welvaro.tab.
#include <filesystem>
#include <ostream>

#include "cli/commands.h"
#include "files/programdir.h"
#include "forecast/table.h"
#include "state/fault.h"

namespace welvaro::cli {

namespace {

int runTable(Invocation& a, const Context& k) {
  State& s = *a.s;
  std::ostream& out = k.out;
  std::ostream& err = k.err;
  GenTabInfo info;
  if (const int rc = prgGenTabPlus(s, &info); rc != 0) {
    err << "welvaro-cli table: model fault: " << faultName(rc) << " (run-time error " << rc << ") at "
        << info.filled << " grid point(s), the first at latitude " << tabLat(info.faultLat)
        << ", longitude " << tabLon(info.faultLon) << "; no table written\n";
    return kExitModelFault;
  }
  const std::filesystem::path file = std::filesystem::path(a.dir) / kTableFile;
  if (const TableFileStatus w = writeTableFile(file, s.TabText); !w.ok()) {
    err << "welvaro-cli table: " << w.message << "\n";
    return kExitFileError;
  }
  out << file.string() << ": " << s.TabText.size() << " bytes\n";
  out << "header: " << s.TabText.substr(0, kTabHeaderLength) << "\n";
  if (info.moved > 0)
    out << info.moved << " grid point(s) on station A or its antipode computed 0.1 degree off the grid\n";
  return kExitOk;
}

}  // namespace

Command tableCommand() {
  return {.name = "table",
          .options = withCommon({"--dir"}),
          .required = {"--dir"},
          .run = runTable,
          .outputs = [](const Invocation& a) { return std::vector{std::filesystem::path(a.dir) / kTableFile}; }};
}

}  // namespace welvaro::cli
