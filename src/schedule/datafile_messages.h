// What the user is told about the data files that come with the program:
// a damaged or unreadable file in a message of its own, in the user's
// language; the help file as the help viewer shows it.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "files/datafiles.h"
#include "files/programdir.h"
#include "state/message.h"
#include "state/state.h"

namespace welvaro {

/// The message for a data file: "The file %1 is damaged and is not used:
/// %2" or "The file %1 could not be read: %2"; for a missing one the
/// message `missingKey` (with %1 the file) when one is given, else none
/// (missing data files are named together at the start); none for a file
/// that was read.
std::optional<Message> dataFileMessage(const DataFileStatus& st, int missingKey = -1);

/// The help file as the help viewer shows it.
struct HelpText {
  bool ok = false;
  std::filesystem::path file;  ///< the help file of the data folders
  std::string html;            ///< its text when ok
  std::string message;         ///< otherwise what the viewer says instead, in the user's language
};

/// Reads the help file (files/datafiles.h: never waits, never more than a
/// help file holds). A missing one says "The help file ... is missing", a
/// damaged or unreadable one says so with the reason.
HelpText readHelp(const State& s, const ProgramDirs& dirs);

}  // namespace welvaro
