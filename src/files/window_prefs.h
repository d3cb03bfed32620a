// The preferences the settings file has no line for: the window's size and
// place on the screen, the map projection chosen, whether the time zone
// follows the system's, and the outlook's mode and noise. They live in a file of their own beside the
// settings file ("WelvaroFenster.ini", lines of key=value), so the settings
// file keeps its layout. A missing or damaged file gives the start values.
#pragma once

#include <filesystem>
#include <limits>
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
  // The outlook's mode and the noise at the receiving station (outlook/outlook.h
  // reads and checks them): words as written, empty when not given; numbers
  // NaN when not given.
  std::string mode;                ///< key mode: CW, SSB, FT8, FT4, WSPR or custom
  double modeDbHz = std::numeric_limits<double>::quiet_NaN();  ///< key mode_dbhz: the custom need [dB-Hz]
  std::string noise;               ///< key noise: city, residential, rural, quiet or floor
  double noiseDbm = std::numeric_limits<double>::quiet_NaN();  ///< key noise_dbm: my noise floor [dBm in 2500 Hz]
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
