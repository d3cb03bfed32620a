// Will my mode get through? The noise at the receiving station, the
// signal-to-noise ratio a mode needs, the margin of a receive level over it
// and the outlook from the forecast's own day-to-day spread.
//
//   noise density N0 [dBm/Hz]  = F_am - 174 (man-made and galactic noise of
//                                the chosen environment), or the user's own
//                                noise floor in 2500 Hz - 34.0
//   signal-to-noise [dB-Hz]    = receive level [dBm] - N0
//   margin [dB]                = signal-to-noise - what the mode needs
//
// The level is the model's value before any rounding or display floor of
// the point result, so a signal far below the scale never looks strong
// against a quiet receiver.
//
// The outlook takes the levels reached on 90, 50 and 10 per cent of the
// days (forecast/availability.h): good when the margin on nine days in ten
// is not negative, fair when on half the days, poor when on one day in ten,
// closed otherwise. Every class has a symbol (so it reads without colour),
// a colour and a word in each language.
//
// For the window: the mode list is modeChoices(), the noise list
// noiseChoices(); a choice goes into OutlookMode / CustomSnr and
// NoiseEnvironment / NoiseFloor (chooseMode, chooseNoise), kept in the
// window preferences file (outlookFromPreferences / outlookToPreferences).
// The quantity switch sets OutlookFlag; its caption is quantityText().
#pragma once

#include <array>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "files/window_prefs.h"
#include "state/state.h"

namespace welvaro {

// ---- Modes ---------------------------------------------------------------

enum class Mode : int { CW = 0, SSB = 1, FT8 = 2, FT4 = 3, WSPR = 4, Custom = 5 };
inline constexpr int kModeCount = 6;

/// A mode with a fixed need: its name (also its command-line word) and the
/// signal-to-noise ratio it needs [dB-Hz], the ratio of the signal power to
/// the noise power in one hertz (a ratio in 2500 Hz is 34.0 dB less).
struct ModeNeed {
  std::string_view name;
  double requiredDbHz;
};

inline constexpr std::array<ModeNeed, 5> kModeNeeds = {{
    // CW: an operator copies by ear in a filter of a few hundred hertz;
    // 24 dB-Hz is about 7 dB above the noise in 50 Hz, where a signal is
    // read comfortably at ordinary speed (a weak one is copied lower).
    {"CW", 24},
    // SSB: speech needs the whole 2.5 kHz channel; 38 dB-Hz is about 4 dB
    // above the noise in 2500 Hz, the point where a voice contact with
    // repeats and phonetics still succeeds.
    {"SSB", 38},
    // FT8: decodes down to about -21 dB in the 2500 Hz reference bandwidth
    // its receiver reports in: -21 + 34 = 13 dB-Hz.
    {"FT8", 13},
    // FT4: faster than FT8 and about 4 dB less sensitive, -17 dB in 2500 Hz.
    {"FT4", 17},
    // WSPR: two-minute beacons decode down to about -28 dB in 2500 Hz.
    {"WSPR", 6},
}};

/// The record's mode: OutlookMode held to 0..5 (another value counts as FT8).
Mode outlookMode(const State& s);
/// What the record's mode needs [dB-Hz]: the table above, or CustomSnr.
double requiredSnr(const State& s);
/// The mode's name in texts: "FT8"; the custom mode as "Custom (20 dB-Hz)"
/// in the current language.
std::string modeName(const State& s);

// ---- Noise at the receiving station --------------------------------------

enum class Noise : int { City = 0, Residential = 1, Rural = 2, QuietRural = 3, MyNoiseFloor = 4 };
inline constexpr int kNoiseCount = 5;

/// Man-made noise of an environment: F_am = c - d log10(f / MHz), dB above
/// kT0 in one hertz; `word` is its command-line word.
struct ManMadeNoise {
  std::string_view word;
  double c, d;
};
inline constexpr std::array<ManMadeNoise, 4> kManMadeNoise = {{
    {"city", 76.8, 27.7},
    {"residential", 72.5, 27.7},
    {"rural", 67.2, 27.7},
    {"quiet", 53.6, 28.6},
}};

/// 10 log10(2500 Hz): a level read in 2500 Hz is the density plus this.
inline constexpr double kNoiseFloorBandwidthDb = 34.0;
/// kT0 in one hertz [dBm/Hz]: a noise figure F_am above it is F_am - 174.
inline constexpr double kThermalDbmHz = -174.0;
/// Limits of the values the user types: the custom need [dB-Hz] and the
/// noise floor [dBm in 2500 Hz].
inline constexpr double kCustomSnrMin = 0, kCustomSnrMax = 80;
inline constexpr double kNoiseFloorMin = -160, kNoiseFloorMax = 0;

/// The record's noise choice: NoiseEnvironment held to 0..4 (another value
/// counts as residential).
Noise noiseEnvironment(const State& s);
/// Man-made noise figure F_am [dB] of environment `env` (0..3) at `mhz`.
double manMadeNoiseFigure(Noise env, double mhz);
/// Galactic noise figure F_am = 52.0 - 23.0 log10(f / MHz) [dB].
double galacticNoiseFigure(double mhz);
/// Total noise figure of an environment (0..3): the man-made and the
/// galactic noise powers added, 10 log10(10^(Fmm/10) + 10^(Fgal/10)).
double noiseFigure(Noise env, double mhz);
/// Noise density N0 [dBm/Hz] at `mhz` for the record's choice: the
/// environment's F_am - 174, or NoiseFloor - 34.0 for "my noise floor".
double noiseDensity(const State& s, double mhz);

// ---- Outlook -------------------------------------------------------------

enum class Outlook : int { Closed = 0, Poor = 1, Fair = 2, Good = 3 };

/// The class of three margins [dB] at 10, 50 and 90 %: good when the one at
/// 90 % is >= 0, else fair when the one at 50 % is, else poor when the one
/// at 10 % is, else closed (also for margins that are not numbers).
Outlook classify(double margin10, double margin50, double margin90);

/// One frequency and time of a link or grid point, at 10, 50 and 90 %.
struct OutlookValue {
  std::array<double, 3> levelDbm{};  ///< receive level, not rounded
  double noiseDbmHz = 0;             ///< N0
  double requiredDbHz = 0;           ///< what the mode needs
  std::array<double, 3> snrDbHz{};   ///< level - N0
  std::array<double, 3> marginDb{};  ///< snr - required
  Outlook outlook = Outlook::Closed;
};
OutlookValue outlookOf(const std::array<double, 3>& levelDbm, double noiseDbmHz, double requiredDbHz);

/// "good", "fair", "poor", "closed": the words of the machine-readable outputs.
std::string_view outlookWord(Outlook o);
/// The symbols: ● good, ◐ fair, ○ poor, – closed (UTF-8).
std::string_view outlookSymbol(Outlook o);
/// The class in the current language L ("gut", "good", "buena", "bonne").
std::string outlookText(const State& s, Outlook o);
/// A margin in the current language, in whole dB: "14 dB to spare" (rounded
/// down, never more than there is), "6 dB short" (rounded up).
std::string marginText(const State& s, double marginDb);
/// The point result's line in the current language, with the margin at the
/// availability `a` (0..2): "FT8: good, 14 dB to spare".
std::string outlookLine(const State& s, const OutlookValue& v, int a);
/// Text of language key `key` in the current language with %1, %2 ...
/// replaced by `values` in order.
std::string textWith(const State& s, int key, std::initializer_list<std::string> values);
/// The line of a link without a forecast: "FT8: no outlook".
std::string outlookNoneLine(const State& s);
/// Caption of the display quantity: "Outlook (FT8)".
std::string quantityText(const State& s);

// ---- The outlook in the pictures -----------------------------------------
// A picture's value grid holds colour indices 0..108, interpolated between
// grid points and cut to whole indices. The outlook gives each class a
// range of 27 indices: closed 0..26, poor 27..53, fair 54..80, good
// 81..108. Inside its range a grid point lies by how close it is to the
// next class (closed and good: one index per dB of margin; poor and fair:
// where the margin crosses 0 between the availabilities), so the class
// borders between grid points run where the margins cross 0.

inline constexpr int kOutlookIndexPoor = 27, kOutlookIndexFair = 54, kOutlookIndexGood = 81;

/// Colour index 0..108 of three margins at 10, 50 and 90 %; its range is
/// the class classify() gives.
int outlookIndex(double margin10, double margin50, double margin90);
/// The class a colour index (0..255, interpolated) shows.
Outlook outlookOfIndex(int index);

struct OutlookColour {
  std::uint8_t red, green, blue;
};
/// The colour of a class, distinct for all four also to colour-blind eyes:
/// good bluish green, fair yellow, poor vermilion, closed dark grey.
OutlookColour outlookColour(Outlook o);

/// The legend's word of a class in capitals, as the pictures' scale font
/// writes it ("GOOD", "MOYENNE", "FERMÉE").
std::string legendWord(const State& s, Outlook o);

// ---- The window's lists ---------------------------------------------------

struct OutlookChoice {
  int value;         ///< OutlookMode or NoiseEnvironment
  std::string text;  ///< as the list shows it
};
/// "CW (24 dB-Hz)" .. "WSPR (6 dB-Hz)", "Custom (20 dB-Hz)".
std::vector<OutlookChoice> modeChoices(const State& s);
/// "City" .. "Quiet rural", "My noise floor (-100 dBm)".
std::vector<OutlookChoice> noiseChoices(const State& s);

/// Chooses mode `mode` (0..5; for the custom mode with the need
/// `customDbHz` when that is a number within 0..80). False, changing
/// nothing, for a value out of range.
bool chooseMode(State& s, int mode, double customDbHz);
/// Chooses the noise `env` (0..4; "my noise floor" with `floorDbm` when
/// that is a number within -160..0). False, changing nothing, out of range.
bool chooseNoise(State& s, int env, double floorDbm);

// ---- Command line and preferences ----------------------------------------

/// --mode: "CW", "SSB", "FT8", "FT4", "WSPR" (any case), or a number, the
/// custom need in dB-Hz. Returns the error text, empty when set.
std::string modeFromText(State& s, std::string_view text);
/// --noise: "city", "residential", "rural", "quiet" (any case), or a
/// number, my noise floor in dBm in 2500 Hz. Returns the error, empty when set.
std::string noiseFromText(State& s, std::string_view text);
/// The noise choice as a word of --noise: "residential", or "-100" for a floor.
std::string noiseWord(const State& s);

/// The mode and noise kept in the window preferences (keys mode, mode_dbhz,
/// noise, noise_dbm) and whether the displays show the outlook (key
/// outlook): taken over where they are given and valid.
void outlookFromPreferences(State& s, const WindowPrefs& f);
void outlookToPreferences(const State& s, WindowPrefs& f);

}  // namespace welvaro
