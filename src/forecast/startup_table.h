// When the world forecast table is read, generated, written and parsed: at
// start-up, at the day check, after new inputs and at the program end. The
// desktop window and welvaro-cli call these; each one leaves Weltfeld and
// Weltpegel filled, and the table's three availabilities of the outlook in
// AvailabilityTables (except tableAtEnd, which only saves the header).
//
// Today's date is taken from `Jetzt`; the caller sets it from its clock.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "forecast/table.h"
#include "state/message.h"
#include "state/state.h"

namespace welvaro {

struct TableRun {
  bool generated = false;  ///< the table was computed anew
  int fault = 0;           ///< fault code from prgGenTabPlus, 0 when every grid point was computed
  GenTabInfo info;         ///< grid points moved off the grid or left at "no signal"
  /// File problems met on the way, one line each (the sequence went on
  /// without the file: a bad file was replaced by a generated table, a
  /// table that could not be written is still used from memory).
  std::vector<Message> problems;
};

/// Start-up: read the table file; generate and write it when it is missing,
/// not a whole table, or stale, then parse it. A table counts as stale when
/// its header differs from the header a table generated now would get:
/// another day, another month, or other station-A or condition inputs.
TableRun tableAtStartUp(State& s, const std::filesystem::path& file);

/// Day check: when the day of year in TabTag is not today's, generate,
/// write and parse the table. Otherwise nothing happens.
TableRun tableDayCheck(State& s, const std::filesystem::path& file);

/// Another month, or new station-A or condition inputs: generate, write and
/// parse the table.
TableRun tableRenew(State& s, const std::filesystem::path& file);

/// Program end: rewrite the header of the table file from the header held
/// in TabText (the file keeps its blocks and its length). Only a file that
/// holds the table in memory gets it (TableSaved, set by the sequences
/// above when they read the table as today's or wrote it): a file that this
/// run could not write keeps its own header, so the next start sees it is
/// not today's table. Such a file is left alone and kError returned.
TableFileStatus tableAtEnd(const State& s, const std::filesystem::path& file);

}  // namespace welvaro
