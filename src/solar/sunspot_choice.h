// The sunspot number in use: the number the user typed, or NOAA's smoothed
// sunspot number of the forecast month from the table (the user's choice
// "from the table"). The choice and the typed number are kept in the window
// preferences file; the settings file keeps its layout and carries the
// number in use in its line, as always.
//
// Record fields (src/state/state.h): SsnFromTable, SsnTyped (the choice);
// SsnMonth, SsnTableValue, SsnTableKind, SsnTableDate, SsnTableUpdated (what
// the table says for the forecast month); SsnSource (where Ssn/Ssna came
// from); SolarUrl, SolarCheckMonthly, SolarLastCheck (the update's settings).
//
// For the window:
//   - conditions dialog, on opening: the table's value to offer beside the
//     typed number is SsnTableValue (-1: none for this month), with
//     ssnTableOfferText(); on OK: chooseTypedSsn() when a number was
//     accepted, chooseTableSsn() when "from the table" was chosen, then
//     prgNeueDaten() when Ssna changed.
//   - panel label: ssnPanelText(), after every start, month choice, update,
//     dialog and language switch.
//   - the month choice (prgMonat) and the start (prgStart) look the table up
//     themselves.
#pragma once

#include <string>
#include <vector>

#include "files/window_prefs.h"
#include "files/programdir.h"
#include "solar/sunspot_table.h"
#include "state/message.h"
#include "state/state.h"

namespace welvaro {

/// SsnSource values.
enum SsnSourceCode : int16 {
  kSsnTyped = 0,       ///< the number the user typed (SsnFromTable = 0)
  kSsnObserved = 1,    ///< the table's observed value
  kSsnPredicted = 2,   ///< the table's predicted value
  kSsnNotInTable = 3,  ///< the table was chosen, but SsnMonth is not in it: the typed number
  kSsnNoTable = 4,     ///< the table was chosen, but there is none: the typed number
};

/// Highest sunspot number the record and the model take (Ssna 0..300); a
/// higher table value is held to it.
inline constexpr double kSsnInputMax = 300;

/// The month the forecast is for: month Monat among the twelve months that
/// begin with the current one (Jetzt): of Jetzt's year when Monat is not
/// before Jetzt's month, else of the next year (in December, March means
/// the coming March).
YearMonth forecastMonth(const State& s);

/// Looks up the forecast month `month` in `table`: sets SsnMonth,
/// SsnTableValue, SsnTableKind, SsnTableDate and SsnTableUpdated. With
/// SsnFromTable = 1 also Ssn (plain number text) and Ssna from the table's
/// value, or from SsnTyped when the month is not in the table or there is
/// no table, and SsnSource accordingly; with SsnFromTable = 0 Ssn and Ssna
/// stay and SsnSource = kSsnTyped. Returns whether Ssna changed.
bool applySunspotTable(State& s, const LoadedSunspotTable& table, const YearMonth& month);

/// The same for forecastMonth(s) with the table in use (loadSunspotTable).
/// Files that were there but refused are added to `problems` when given.
bool applySunspotTable(State& s, const ProgramDirs& dirs, std::vector<Message>* problems = nullptr);

/// The user typed `text` (already checked: a number 0..300) as the sunspot
/// number: SsnFromTable = 0, SsnTyped = Ssn = text, Ssna = its value,
/// SsnSource = kSsnTyped. Returns whether Ssna changed.
bool chooseTypedSsn(State& s, const std::string& text);

/// The user chose the table: SsnFromTable = 1, then applySunspotTable.
/// Returns whether Ssna changed.
bool chooseTableSsn(State& s, const ProgramDirs& dirs);

/// The sunspot number the conditions dialog's box shows at opening: the
/// number in use while the typed number is chosen, else the typed number
/// the table falls back to (number text).
std::string ssnBoxText(const State& s);

/// OK of the conditions dialog for the sunspot number. `fromTable`: the
/// table is chosen; `typed`: the box's text, `typedPassed`: whether it
/// passed OK's check (0..300). With the table, a passing box becomes the
/// typed number it falls back to, then chooseTableSsn. Else, with a passing
/// box: chooseTypedSsn when the table was chosen until now, otherwise the
/// typed number follows the box (the conditions' own check wrote Ssn).
/// The typed number is kept without blanks around it.
/// Returns whether Ssna now differs from `ssnaAtOpening`.
bool confirmSunspotChoice(State& s, const ProgramDirs& dirs, bool fromTable, const std::string& typed,
                          bool typedPassed, double ssnaAtOpening);

/// Where the number came from, in the current language L: "NOAA predicted,
/// table of 2026-10", "typed", "typed; 2031-05 is not in the table" ...
std::string ssnSourceText(const State& s);

/// The panel's line: "SSN 88.7 (NOAA predicted, table of 2026-10)",
/// "SSN 120 (typed)".
std::string ssnPanelText(const State& s);

/// The table's offer for the conditions dialog, in the current language:
/// "From NOAA's table: 88.7 (NOAA predicted, table of 2026-10)", or the
/// choice's caption alone when the table has no value for the month.
std::string ssnTableOfferText(const State& s);

/// Start-up, after the settings file was read: the choice, the typed number
/// and the update's settings from the window preferences `prefs`. A user
/// without a settings file (`settingsRead` false) gets the table's value;
/// one with a settings file but no choice stored keeps the number of the
/// settings file as typed. Then applySunspotTable.
void startSunspotChoice(State& s, const ProgramDirs& dirs, const WindowPrefs& prefs, bool settingsRead,
                        std::vector<Message>* problems = nullptr);

/// Copies the choice, the typed number and the update's settings into the
/// window preferences to be written.
void storeSunspotChoice(const State& s, WindowPrefs& prefs);

}  // namespace welvaro
