// The preferences the settings file has no line for: the window's size and
// place on the screen, the map projection chosen, whether the time zone
// follows the system's, and the sunspot number's source and the solar-data
// update. They live in a file of their own beside the
// settings file ("WelvaroFenster.ini", lines of key=value), so the settings
// file keeps its layout. A missing or damaged file gives the start values.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace welvaro {

inline constexpr std::string_view kWindowPrefsFile = "WelvaroFenster.ini";

struct WindowPrefs {
  int x = 0, y = 0;                ///< top-left corner on the screen [logical px]
  int width = 0, height = 0;       ///< 0: the window's own start size
  bool maximized = false;
  int projection = 0;              ///< 0 rectangular, 1 azimuthal around station A
  int zoneFollows = -1;              ///< 1: the time zone follows the system's, 0: the user chose one, -1: not known
  // The sunspot number's choice and the solar-data update (keys ssnfromtable,
  // ssntyped, solarurl, solarmonthly, solarlastcheck).
  int ssnFromTable = -1;           ///< 1: the number from NOAA's table, 0: the typed number, -1: not known
  std::string ssnTyped;            ///< the number typed last ("120", 0..300); empty: not known
  std::string solarUrl;            ///< address of the solar data up to "/json/..."; empty: the default
  int solarMonthly = 0;            ///< 1: check for new solar data once a month
  std::string solarLastCheck;      ///< "YYYY-MM-DD" of the last finished update; empty: never
};

/// The preferences in a file's text: unknown keys and lines that are not
/// key=value are passed over; a value that is no whole number in its range
/// keeps the start value.
WindowPrefs windowPrefsFromText(std::string_view text);
std::string windowPrefsText(const WindowPrefs& f);

/// Reads the file (missing or not a regular file: the start values).
WindowPrefs readWindowPrefs(const std::filesystem::path& file);
/// Writes the file, replacing it whole. Returns 0 or the system error number.
int writeWindowPrefs(const std::filesystem::path& file, const WindowPrefs& f);

}  // namespace welvaro
