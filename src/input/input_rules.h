// What the user types: the checks and rounding of the four input dialogs
// (station A, station B, conditions, time zone), the frequency box and the
// six frequency memories. The windows only bind these rules to their
// controls: a dialog hands over the texts of its boxes and shows what comes
// back (box texts, green or red markers, the failing field).
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "state/state.h"

namespace welvaro {

// ---- Input boxes ------------------------------------------------------------

/// The kinds of input box of the dialogs.
enum class Field {
  PlaceName,            ///< place name of station A or B: every character
  Latitude,              ///< latitude -90..90
  Longitude,              ///< longitude -180..180
  Gain,              ///< antenna gain -40..20 dBi
  Angle,              ///< minimum elevation angle 0..90 deg
  Power,            ///< transmitter power 0.000001..1000 kW
  Sunspots,       ///< sunspot number 0..300
  Availability,  ///< availability 10..90 %, snapped to 10, 50 or 90
  Path,            ///< path "S" or "L", any case
  TimeZone,            ///< local time minus UTC -12..14 h
};

/// Character code of the backspace key, which every numeric box takes.
inline constexpr int kBackspace = 8;
/// Character code of the Enter key, which checks the box.
inline constexpr int kEnter = 13;

/// Whether a typed character (code 1..) may stand in a box of this kind. A
/// character that may not is refused as it is typed, and the rest of the
/// box stays. Digits, backspace, the decimal point and the decimal comma
/// are allowed in every numeric box, "-" where the range has negative
/// values; names and the path take every character.
bool charAllowed(Field f, int character);
/// Whether every character of `text` (typed or pasted) may stand in the box.
/// Blanks before the number stand as well: the boxes show positive numbers
/// as the system writes them (" 48.1"), and they must stay editable.
bool textAllowed(Field f, std::string_view text);
/// The same with a rule of its own for the characters after the blanks.
template <class CharRule>
bool textAllowed(std::string_view text, CharRule allowed) {
  const auto start = text.find_first_not_of(' ');
  if (start == std::string_view::npos) return true;
  for (const char c : text.substr(start))
    if (!allowed(static_cast<unsigned char>(c))) return false;
  return true;
}
/// A number as typed with a decimal comma ("14,2") in the form the
/// number-reading rule reads ("14.2"); the boxes' texts are read this way.
std::string withDecimalPoint(std::string_view text);
/// What a box of this kind accepts, in the current language
/// ("Breitengrad -90 … 90"): shown when it refuses a character or a value.
std::string inputHint(const State& s, Field f);

/// The text holds a number by the number-reading rule: after blanks and an
/// optional sign there is at least one digit ("-", "." or "a5" hold none).
bool holdsNumber(std::string_view text);

/// The range check of a numeric box: the text (a decimal comma read as the
/// point) holds a number and its value lies within the field's range,
/// bounds included.
bool inRange(Field f, std::string_view text);

/// Snapping of the availability: a value below 50 gives "10", one above 50
/// gives "90", and any other text stays as it is.
std::string snapAvailability(std::string_view text);

/// The path in capitals with the blanks at both ends removed.
std::string pathText(std::string_view text);

/// Enter in a box: whether it is accepted (marker green, focus to OK) and
/// the text the box shows afterwards. A rejected entry stays as it was
/// typed (the marker turns red and the hint says what the box takes), so the
/// user sees what was wrong; an accepted number is shown with the decimal
/// point, an accepted availability snapped.
struct EnterResult {
  bool green = false;
  std::string text;
};
EnterResult checkEnter(Field f, std::string_view text);

/// Most characters of a station name the settings file keeps: one line of
/// it, and what the panel, the picture's caption and the printed report
/// have room for.
inline constexpr std::size_t kStationNameMax = 40;

/// A station name as it is kept: at most kStationNameMax characters (UTF-8
/// characters, never cut inside one), trailing blanks of the cut removed.
/// `cut` says that characters were dropped, so the dialog can say so.
struct StationName {
  std::string text;
  bool cut = false;
};
StationName keptStationName(std::string_view name);

// ---- OK of a dialog ---------------------------------------------------------

/// The outcome of OK: the failing fields (marked red, their boxes keeping
/// what was typed), the last failing field 1..n in checking order (0 when all
/// passed; it gets the focus), and whether a changed value was written.
template <std::size_t N>
struct OkResult {
  std::array<bool, N> red{};
  int flag = 0;
  bool start = false;
};

/// The position texts a station dialog's boxes were filled with from a
/// locator or from a chosen place. While a box still shows its text, OK
/// stores that coordinate as it is (the centre of the locator's square, the
/// place's own position) instead of rounding it down to a tenth of a degree.
struct ExactPosition {
  std::string latText, lonText;
};

/// Station A dialog: place name, latitude, longitude, gain, angle, power.
using StationATexts = std::array<std::string, 6>;
/// The texts the dialog shows at opening: OrtA, number texts of X1, Y1,
/// Sag, Angm, and Zkwa.
StationATexts openStationA(const State& s);
/// Checks the six boxes in order and writes each field that passes and
/// differs from its text at opening: OrtA (trimmed, in the letters and the
/// length (keptStationName) the settings file can hold, which the box then shows), X1 and Y1 (a tenth of a
/// degree, rounded down), Sag (a hundredth, rounded down), Angm (whole
/// degrees, rounded down), Zkw and Zkwa. `boxes` receives what the boxes show
/// afterwards (a failing box as it was typed, a passing number with the
/// decimal point).
OkResult<6> applyStationA(State& s, StationATexts& boxes, const StationATexts& atOpening,
                            const ExactPosition* exact = nullptr);

/// Station B dialog: place name, latitude, longitude.
using StationBTexts = std::array<std::string, 3>;
/// OrtB and the number texts of OrtX2, OrtY2.
StationBTexts openStationB(const State& s);
/// Writes OrtB (as typed, in the letters and the length the settings file can hold, which
/// the box then shows), OrtX2 and OrtY2 (a tenth of a degree, rounded
/// down) where they pass and changed. An empty name fails.
OkResult<3> applyStationB(State& s, StationBTexts& boxes, const StationBTexts& atOpening,
                            const ExactPosition* exact = nullptr);

/// Conditions dialog: sunspot number, availability, path.
using ConditionsTexts = std::array<std::string, 3>;
/// Number texts of Ssna and Iproz, and P.
ConditionsTexts openConditions(const State& s);
/// Writes Ssna and Ssn, Iproz (snapped to 10, 50 or 90) and P ("S" or "L")
/// where they pass and changed.
OkResult<3> applyConditions(State& s, ConditionsTexts& boxes, const ConditionsTexts& atOpening);

/// Time-zone dialog: the plain text of UTCKorr.
std::string openTimeZone(const State& s);
/// Writes UTCKorr (not rounded) when the box passes and changed.
OkResult<1> applyTimeZone(State& s, std::string& box, const std::string& atOpening);

// ---- Frequency box and memories ----------------------------------------------

/// Whether `text` may stand in the frequency box: digits, point, comma,
/// blanks, and the letters of its own text (" 10.2 MHz"), so
/// the user can edit them; any other character is refused as it is typed.
bool frequencyTextAllowed(std::string_view text);

/// Enter in the frequency box: a number (point or comma) from 1.5 to 29.9 MHz (compared in
/// single precision) is rounded half up to 0.1 MHz and becomes AktFrequenz,
/// FrequenzEin and FrequenzText; returns true. Anything else changes nothing
/// and returns false (the box keeps the entry, marked red, for the correction).
bool prgFrequenzEingabe(State& s, std::string_view text);

/// Memory n (1..6): Speicher1 .. Speicher6. Another n raises the subscript fault.
float& memory(State& s, int n);
float memory(const State& s, int n);

/// Recall of memory n with store mode off: the memory held to the display
/// range 1.5..29.9 MHz, rounded half up to 0.1 MHz, becomes AktFrequenz,
/// FrequenzEin and FrequenzText.
void prgSpeicherAbruf(State& s, int n);

/// The memory step that finishes a press of memory button n: with store mode
/// on, memory n takes SpeicherFrequenz and store mode ends; returns whether
/// it stored.
bool prgSpeicher(State& s, int n);

/// What the Store button did.
enum class StoreAction {
  On,       ///< store mode on: SpeicherFrequenz holds AktFrequenz, the marker blinks
  Off,      ///< store mode off again, nothing stored
  Warning,  ///< the box holds an unconfirmed entry: warning, store mode off
};
/// The Store button; `unconfirmed` is true while the frequency box shows a
/// typed entry not yet confirmed with Enter.
StoreAction prgSpeichern(State& s, bool unconfirmed);

/// One tick of the blinking store marker: flips BlinkZustand and returns
/// whether the marker is shown now.
bool prgBlinker(State& s);

/// The frequency box text of a display frequency: the number text right-
/// aligned in five characters, then " MHz" (" 14.2 MHz", "    7 MHz").
std::string frequencyBoxText(float mhz);

/// The display frequency becomes `mhz` rounded half up to 0.1 MHz:
/// AktFrequenz, FrequenzEin and the box text FrequenzText.
void setDisplayFrequency(State& s, float mhz);

}  // namespace welvaro
