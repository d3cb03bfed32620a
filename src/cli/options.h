// Command-line options of welvaro-cli: one table of every option (its name,
// the word for its value, how its value is read), and per subcommand the
// list of options it takes. The parser reads the arguments of a call into
// an `Invocation`: the program state the options fill, and what is not a state
// field (folder, output format, names ...).
//
// To add an option: a field in Aufruf when it is not a state field, one
// row in the option table (options.cpp), and its name in the list of each
// subcommand that takes it.
#pragma once

#include <filesystem>
#include <iosfwd>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "input/station.h"
#include "state/datetime.h"
#include "state/state.h"

namespace welvaro::cli {

enum ExitCode : int {
  kExitOk = 0,
  kExitBadArguments = 2,
  kExitModelFault = 3,
  kExitFileError = 4,
};

// Thrown for a bad argument; the message names the option.
struct BadArgument {
  std::string message;
};

// A number by the number-reading rule (leading blanks skipped, an optional
// sign, digits with at most one point), making up the whole argument but
// for blanks after it: "48.1", " -3.7", ".5". Anything else is no number,
// so "14,2" or "12abc" are refused rather than read as 14 and 12.
std::optional<double> strictNumber(std::string_view text);

// Where a subcommand finds the data files that come with the program, and
// where its output goes.
struct Context {
  const Clock& clock;
  std::vector<std::filesystem::path> dataFolders;  ///< folders of the shipped data files, in order
  std::ostream& out;
  std::ostream& err;
};

// What the options of one call settled.
struct Invocation {
  std::unique_ptr<State> s = std::make_unique<State>();  ///< fields set by the options; Jetzt from the clock
  std::vector<std::string> given;  ///< the options given, in order
  int hour = 0, minute = 0;        ///< --utc HH:MM (24:00 is 00:00)
  int hours = 1;                   ///< --hours N
  std::string dir;                   ///< --dir
  std::string format;                ///< --format (the subcommand's first format when not given)
  std::string pdf;                   ///< --pdf FILE
  std::optional<std::string> nameA, nameB;  ///< --name-a, --name-b
  std::string placeNameA, placeNameB;            ///< the place's name when --a / --b named a place
  std::string png;                           ///< --png FILE
  int pictureWidth = 0, pictureHeight = 0;         ///< --size WxH
  bool azimuthal = false;                     ///< --projection azimuthal
  std::vector<std::filesystem::path> dataFolders;  ///< the Kontext's, for place names
  std::unique_ptr<PlaceIndex> places;           ///< read at the first place name
  bool has(std::string_view option) const;
};

using Runner = int (*)(Invocation& a, const Context& k);
using Check = void (*)(const Invocation& a);  // throws BadArgument
// The files a call writes, from its options.
using Outputs = std::vector<std::filesystem::path> (*)(const Invocation& a);

// A subcommand: its name, the options it takes and how it runs.
struct Command {
  std::string_view name;
  std::vector<std::string_view> options = {};  ///< the options it takes
  std::vector<std::string_view> required = {};   ///< those that must be given, checked in this order
  std::vector<std::string_view> formats = {};   ///< values --format takes, the first is the default
  Check check = nullptr;               ///< checks across options, after all were read
  Runner run = nullptr;
  /// The files it writes: each is checked before anything is computed
  /// (one that is no regular file ends the call with exit 4), and what an
  /// interrupted earlier write of it left behind is removed.
  Outputs outputs = nullptr;
};

// The common options: stations, conditions, date and month.
std::vector<std::string_view> withCommon(std::initializer_list<std::string_view> own);

// Reads the arguments after the subcommand's name. Sets Jetzt from the
// clock (or --date), Monat from --month or the date (when the subcommand
// takes the common options) and Zeitpunkt from the date and --utc.
Invocation readOptions(const Command& b, const std::vector<std::string>& args, const Context& k);

// The name of station A or B: cleared when the station was given by its
// position alone, --name-a / --name-b whatever their place among the options.
void setNames(Invocation& a);

// --dir: the folder must be given and exist.
void checkFolder(const std::string& dir);

}  // namespace welvaro::cli
