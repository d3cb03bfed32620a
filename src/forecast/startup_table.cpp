#include "forecast/startup_table.h"

#include "forecast/availability.h"
#include "lang/sprachtext.h"
#include "state/numtext.h"

namespace welvaro {

namespace {

// Generates the table, writes it and parses the image it wrote (the bytes
// on disk are the same, so reading them back would change nothing). A
// failed write is recorded; the table is used from memory all the same.
void generate(State& s, const std::filesystem::path& file, TableRun& run) {
  run.generated = true;
  // The table as prgGenTabPlus makes it, with its three availabilities
  // (the outlook's) from the same run.
  run.fault = generateTableAndAvailabilities(s, &run.info);
  const TableFileStatus w = writeTableFile(file, s.TabText);
  if (!w.ok()) run.problems.push_back({kTxTabelleNichtGeschrieben, file.string(), reasonOf(w, file)});
  // The file keeps what it held before: it is not this table.
  s.TableSaved = w.ok() ? 1 : 0;
  prgTabPlus(s);
}

}  // namespace

TableRun tableAtStartUp(State& s, const std::filesystem::path& file) {
  TableRun run;
  const TableFileStatus r = readTableFile(file, s.TabText);
  // A missing file is the normal first start; everything else is worth a line.
  if (!r.ok() && r.kind != TableFileStatus::kMissing) run.problems.push_back({kTxTabelleNeu, file.string(), {}});
  if (r.ok() && s.TabText.compare(0, kTabHeaderLength, tableHeader(s)) == 0) {
    // The file holds the table; its three availabilities are not stored
    // and are made anew.
    std::string image = std::move(s.TabText);
    generateTableAndAvailabilities(s);
    s.TabText = std::move(image);
    prgTabPlus(s);
    s.TableSaved = 1;
    return run;
  }
  generate(s, file, run);
  return run;
}

TableRun tableDayCheck(State& s, const std::filesystem::path& file) {
  TableRun run;
  if (ReadNumber(s.TabTag) != dayOfYear(s.Jetzt)) generate(s, file, run);
  return run;
}

TableRun tableRenew(State& s, const std::filesystem::path& file) {
  TableRun run;
  generate(s, file, run);
  return run;
}

TableFileStatus tableAtEnd(const State& s, const std::filesystem::path& file) {
  if (s.TableSaved == 0)
    return fileStatus(FileStatus::kError, file, "the table of this run was not saved; the file is left as it was");
  return writeTableHeader(file, s.TabText);
}

}  // namespace welvaro
