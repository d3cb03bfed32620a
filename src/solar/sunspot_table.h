// NOAA's table of monthly smoothed sunspot numbers: the copy that comes
// with the program ("SunspotNumbers.csv" among the data files) and the
// user's updated copy ("SunspotNumbersUpdated.csv" in the folder of the
// program's own files), which takes precedence when it is there.
//
// File format (UTF-8 text, lines ended by LF or CR LF):
//   line 1   "# <origin and content>, table of YYYY-MM"  the table's date
//   line 2   "month,smoothed_ssn,kind"
//   then     "YYYY-MM,<value>,observed" or "YYYY-MM,<value>,predicted"
// Months strictly ascending (gaps allowed), values 0..500 written with a
// point, at least 12 months. Every line is checked; a file that breaks any
// rule is refused whole, never used in part.
#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "files/programdir.h"
#include "state/message.h"

namespace welvaro {

/// The table that comes with the program (a data file).
inline constexpr std::string_view kSunspotShippedFile = "SunspotNumbers.csv";
/// The user's table written by the update (a file of the program's own).
inline constexpr std::string_view kSunspotUpdatedFile = "SunspotNumbersUpdated.csv";

/// Origin named in the first line of the tables the program writes.
inline constexpr std::string_view kSunspotOrigin =
    "NOAA Space Weather Prediction Center: monthly smoothed sunspot numbers";

/// Limits every table must keep.
inline constexpr double kSunspotMax = 500;          ///< highest value accepted
inline constexpr std::size_t kSunspotMinMonths = 12;  ///< fewest months of a table
inline constexpr std::size_t kSunspotFileMax = 1024 * 1024;  ///< largest table file read [bytes]

/// A calendar month; `index` orders months (year * 12 + month - 1).
struct YearMonth {
  int year = 2000;
  int month = 1;  ///< 1..12
  int index() const { return year * 12 + month - 1; }
  friend bool operator==(const YearMonth&, const YearMonth&) = default;
};

/// "YYYY-MM" (years 1000..9999, months 01..12), else nothing.
std::optional<YearMonth> parseYearMonth(std::string_view text);
/// "YYYY-MM", zero-padded.
std::string yearMonthText(const YearMonth& m);

/// Whether a month's value was observed or is NOAA's prediction.
enum class SunspotKind { kObserved, kPredicted };

/// "observed" / "predicted", as the file and welvaro-cli write them.
std::string_view sunspotKindName(SunspotKind k);

struct SunspotMonth {
  YearMonth month;
  double ssn = 0;  ///< 13-month smoothed sunspot number, 0..500
  SunspotKind kind = SunspotKind::kObserved;
};

struct SunspotTable {
  YearMonth date;                    ///< when NOAA's data were taken (the table's date)
  std::vector<SunspotMonth> months;  ///< strictly ascending
};

/// The value of `m`, or nothing when the table has no line for that month.
std::optional<SunspotMonth> findMonth(const SunspotTable& t, const YearMonth& m);

/// Why a table text was refused: the line (1-based, 0 for the whole text)
/// and what is wrong with it, in English words for logs and welvaro-cli.
struct SunspotTableError {
  int line = 0;
  std::string what;
};

/// Reads a table text. On success fills `table` and returns nothing; else
/// returns what is wrong and leaves `table` as it was.
std::optional<SunspotTableError> parseSunspotTable(std::string_view text, SunspotTable& table);

/// The text of a table in the file format above; `origin` names where the
/// numbers come from in the first line (before ", table of YYYY-MM").
std::string sunspotTableText(const SunspotTable& table, std::string_view origin = kSunspotOrigin);

/// Checks the rules of a table in memory (ascending months, values in
/// range, at least 12 months): the update checks what it is about to write.
std::optional<SunspotTableError> checkSunspotTable(const SunspotTable& table);

/// Where the table in use comes from.
enum class SunspotOrigin { kNone, kShipped, kUpdated };

/// "shipped" / "updated" ("none" when there is no table).
std::string_view sunspotOriginName(SunspotOrigin o);

/// The table in use and what was met on the way to it.
struct LoadedSunspotTable {
  SunspotOrigin origin = SunspotOrigin::kNone;
  SunspotTable table;                ///< empty when origin is kNone
  std::filesystem::path file;        ///< the file read (empty when none)
  std::vector<Message> problems;     ///< a table file that was there but refused, one message each
};

/// Reads one table file: regular file, at most kSunspotFileMax bytes,
/// every line checked. A missing file is kMissing without a message; a
/// refused file gives `problem` (language key kTxDateiFehler: %1 the file,
/// %2 the reason in English).
enum class SunspotRead { kOk, kMissing, kBroken };
SunspotRead readSunspotFile(const std::filesystem::path& file, SunspotTable& table, Message* problem);

/// The table in use: the user's updated table (ownFile(dirs,
/// kSunspotUpdatedFile)) when it is there and sound, else the shipped one
/// (dataFile(dirs, kSunspotShippedFile)). A broken updated table is passed
/// over for the shipped one and reported in `problems`; so is a broken
/// shipped table (then there is none).
LoadedSunspotTable loadSunspotTable(const ProgramDirs& dirs);

}  // namespace welvaro
