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

// Thrown when a file an option needs is missing, damaged or cannot be
// read or written (exit status 4); the message names the file and what is
// wrong with it.
struct FileProblem {
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
  std::filesystem::path userDir{};  ///< folder of the user's own files (the updated sunspot table); empty: none
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
  std::vector<std::string> logs;             ///< --log FILE... (heard)
  std::string store;                         ///< --store FILE (heard, listen)
  std::string since;                         ///< --since 15m|1h|6h|24h|all (heard)
  int band = -1;                             ///< --band 20m: index into kHfBands, -1 every band
  std::optional<std::pair<double, double>> rx;  ///< --rx LAT,LON|LOCATOR: the receiver's position
  std::string udp;                           ///< --udp ADDR:PORT (listen)
  int seconds = 0;                          ///< --seconds N (listen), 0 until interrupted
  int keepDays = 0;                          ///< --keep-days N (heard, listen), 0 keeps everything
  bool ssnTable = false;                     ///< --ssn table: the sunspot number from NOAA's table
  int forecastYear = 0;                      ///< year of --month YYYY-MM; 0: --month M or none
  bool update = false;                       ///< --update
  std::string url;                           ///< --url BASE
  std::vector<std::filesystem::path> dataFolders;  ///< the Kontext's, for place names
  std::unique_ptr<PlaceIndex> places;           ///< read at the first place name
  std::vector<std::string> notes;  ///< what the user is told beside the output (the place a name was taken as)
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
// takes the common options) and Zeitpunkt from the date and --utc; with
// --ssn table, Ssn and Ssna from NOAA's table (takeSsnFromTable). Throws
// BadArgument, or FileProblem when no sunspot table can be read.
Invocation readOptions(const Command& b, const std::vector<std::string>& args, const Context& k);

// --ssn table: the table's value for the forecast month (the month of
// --month YYYY-MM, else forecastMonth) into Ssn and Ssna, with the record's
// look-up fields. Throws BadArgument when the month is not in the table,
// FileProblem when there is no table. Defined with the ssn subcommand.
void takeSsnFromTable(Invocation& a, const Context& k);

// The name of station A or B: cleared when the station was given by its
// position alone, --name-a / --name-b whatever their place among the options.
void setNames(Invocation& a);

// --dir: the folder must be given and exist.
void checkFolder(const std::string& dir);

}  // namespace welvaro::cli
