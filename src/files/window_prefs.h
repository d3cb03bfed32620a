// The preferences the settings file has no line for: the window's size and
// place on the screen, the map projection chosen, whether the time zone
// follows the system's, the receiver's logs and UDP listening, the sunspot
// number's source and the solar-data update, and the outlook's mode and
// noise. They live in a file of their own beside the settings file
// ("WelvaroFenster.ini", lines of key=value), so the settings file keeps its
// layout. A missing or damaged file gives the start values.
#pragma once

#include <filesystem>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

namespace welvaro {

inline constexpr std::string_view kWindowPrefsFile = "WelvaroFenster.ini";

/// What a stored window size and place may be; anything else in the file
/// gives the start value (a file edited by hand, or from another machine,
/// cannot make the window ask for a picture no memory holds). The window
/// still fits the size to the screen it is shown on.
inline constexpr int kWindowMinWidth = 200;    ///< [logical px]
inline constexpr int kWindowMinHeight = 150;   ///< [logical px]
inline constexpr int kWindowSizeMax = 16384;   ///< width and height [logical px]
inline constexpr int kWindowPlaceMin = -32768; ///< x and y of the top-left corner [logical px]
inline constexpr int kWindowPlaceMax = 32767;

struct WindowPrefs {
  int x = 0, y = 0;                ///< top-left corner on the screen [logical px]
  int width = 0, height = 0;       ///< 200..16384 and 150..16384; 0: the window's own start size
  bool maximized = false;
  int projection = 0;              ///< 0 rectangular, 1 azimuthal around station A
  int zoneFollows = -1;              ///< 1: the time zone follows the system's, 0: the user chose one, -1: not known

  // What a digital-mode receiver heard (keys heard_*).
  struct HeardLog {
    std::string path;                  ///< the receiver's log file (ALL.TXT)
    bool ownPosition = false;          ///< false: the receiver stands at station A
    double lat = 0, lon = 0;           ///< else its position [deg]
  };
  std::vector<HeardLog> heardLogs{};   ///< heard_log=LAT;LON;PATH (LAT and LON empty: station A), one line each
  bool heardListen = false;            ///< heard_listen=0|1: listen for the receiver's UDP messages
  std::string heardUdp = "127.0.0.1:2237";  ///< heard_udp=ADDR:PORT
  int heardKeepDays = 90;              ///< heard_keep_days: retention of the stored decodes [days], 1..36500
  int heardSpan = 60;                  ///< heard_span: span of the dots and the bands panel [min]: 15, 60, 360, 1440; 0 none shown
  // The sunspot number's choice and the solar-data update (keys ssnfromtable,
  // ssntyped, solarurl, solarmonthly, solarlastcheck).
  int ssnFromTable = -1;           ///< 1: the number from NOAA's table, 0: the typed number, -1: not known
  std::string ssnTyped{};          ///< the number typed last ("120", 0..300); empty: not known
  std::string solarUrl{};          ///< address of the solar data up to "/json/..."; empty: the default
  int solarMonthly = 0;            ///< 1: check for new solar data once a month
  std::string solarLastCheck{};    ///< "YYYY-MM-DD" of the last finished update; empty: never
  // The outlook's mode and the noise at the receiving station (outlook/outlook.h
  // reads and checks them): words as written, empty when not given; numbers
  // NaN when not given.
  std::string mode{};              ///< key mode: CW, SSB, FT8, FT4, WSPR or custom
  double modeDbHz = std::numeric_limits<double>::quiet_NaN();  ///< key mode_dbhz: the custom need [dB-Hz]
  std::string noise{};             ///< key noise: city, residential, rural, quiet or floor
  double noiseDbm = std::numeric_limits<double>::quiet_NaN();  ///< key noise_dbm: my noise floor [dBm in 2500 Hz]
  int outlook = -1;                ///< key outlook: 1 the displays show the outlook, 0 level or field strength, -1 not known
};

/// The preferences in a file's text: unknown keys and lines that are not
/// key=value are passed over; a value that is no whole number in its range
/// (sizes and places: the limits above) keeps the start value.
WindowPrefs windowPrefsFromText(std::string_view text);
std::string windowPrefsText(const WindowPrefs& f);

/// Reads the file (missing or not a regular file: the start values).
WindowPrefs readWindowPrefs(const std::filesystem::path& file);
/// Writes the file, replacing it whole. Returns 0 or the system error number.
int writeWindowPrefs(const std::filesystem::path& file, const WindowPrefs& f);

}  // namespace welvaro
