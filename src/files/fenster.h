// The preferences the settings file has no line for: the window's size and
// place on the screen, the map projection chosen, and whether the time zone
// follows the system's. They live in a file of their own beside the
// settings file ("WelvaroFenster.ini", lines of key=value), so the settings
// file keeps its layout. A missing or damaged file gives the start values.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace welvaro {

inline constexpr std::string_view kFensterDatei = "WelvaroFenster.ini";

struct Fenstervorgaben {
  int x = 0, y = 0;                ///< top-left corner on the screen [logical px]
  int breite = 0, hoehe = 0;       ///< 0: the window's own start size
  bool maximiert = false;
  int projektion = 0;              ///< 0 rectangular, 1 azimuthal around station A
  int zoneFolgt = -1;              ///< 1: the time zone follows the system's, 0: the user chose one, -1: not known
};

/// The preferences in a file's text: unknown keys and lines that are not
/// key=value are passed over; a value that is no whole number in its range
/// keeps the start value.
Fenstervorgaben fensterAusText(std::string_view text);
std::string fensterText(const Fenstervorgaben& f);

/// Reads the file (missing or not a regular file: the start values).
Fenstervorgaben leseFenster(const std::filesystem::path& datei);
/// Writes the file, replacing it whole. Returns 0 or the system error number.
int schreibeFenster(const std::filesystem::path& datei, const Fenstervorgaben& f);

}  // namespace welvaro
