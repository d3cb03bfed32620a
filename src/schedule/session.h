// The program's run as the clock and the user drive it, without any window:
// the start-up sequence, the clock and the day check, the month choice and
// the renewal after new inputs, and the saving at the confirmed end. The
// desktop window calls these from its timers and menus and then shows what
// they left in the state; tests call them directly.
#pragma once

#include <string>
#include <vector>

#include "files/programdir.h"
#include "files/settings.h"
#include "forecast/startup_table.h"
#include "lang/system_language.h"
#include "state/datetime.h"
#include "state/message.h"
#include "state/state.h"

namespace welvaro {

struct StartReport {
  SettingsSource settings = SettingsSource::Missing;
  bool places = false;             ///< the place list was read
  TableRun table;              ///< how the forecast table came about
  std::vector<Message> problems;      ///< files that could not be used, one message each
  std::vector<std::string> leftovers;     ///< leftovers of interrupted writes, removed from the program's folder
};

/// The start-up sequence up to the display timers: program directory (and
/// the removal of leftovers of interrupted writes there), calendar and
/// summer-time window, declination and greyline template, place list,
/// settings, the sunspot number's source (NOAA's table for a user without a
/// settings file, see startSunspotChoice), display frequency, marker, first
/// point result,
/// forecast table (read, or generated and written) and overlays. A settings
/// file that is refused is kept aside as "Welvaro.dat.bak" (or, when copies
/// of earlier refused files are kept, ".bak.1" .. ".bak.4"; see keepAside),
/// and the report names the copy, so the confirmed end cannot overwrite the
/// settings in it.
/// `clock` is the clock's reading at the start. Without a settings file the
/// language is the one the system's locale asks for, read through `env`;
/// a settings file (or one refused) keeps its own.
StartReport prgStart(State& s, const ClockReading& clock, const ProgramDirs& dirs,
                      const EnvironmentReader& env = systemEnvironment);


/// Whether the window offers the welcome (the user's own station, power,
/// gain and angle) after this start: only at a first start, when there was
/// no settings file at all. A settings file that was refused is a user's
/// own all the same (kept aside, its problem reported) and gets no welcome.
bool welcomeDue(const StartReport& r);

/// The language the start window speaks before the start-up runs: the one
/// prgStart will take (the settings file's, the start language for a refused
/// file, the system's without a settings file).
int16 startLanguage(const ProgramDirs& dirs, const EnvironmentReader& env = systemEnvironment);

/// The clock tick: Jetzt = the local time and the system's zone from the
/// reading; UTCKorr follows the system's zone unless the user set another
/// one (UTCKorrFolgt = 0); Zeitpunkt = Jetzt - UTCKorr hours.
void prgUhr(State& s, const ClockReading& clock);

/// The day-check tick (every minute): every tenth tick, when the table is
/// not of today, renews it. Returns whether it was renewed.
bool prgTagesaktualisierung(State& s, const ProgramDirs& dirs);

/// Month n (1..12) chosen in the month list. Returns false when n is the
/// month shown already (nothing recomputed); else sets Monat and MonatFremd
/// (1 for a month other than the current one), ZeitModus = 0 for the
/// current month, takes the sunspot number of that month from NOAA's table
/// when the user chose the table, and renews the table and the point result.
bool prgMonat(State& s, int n, const ProgramDirs& dirs);

/// New station-A or condition inputs: renews the table and the point result.
TableRun prgNeueDaten(State& s, const ProgramDirs& dirs);

/// The confirmed program end: writes the settings file, the time zone's and
/// the sunspot number's choices beside it, and the table header (the latter
/// only onto a table file this run wrote or read as today's; otherwise the
/// problems say the forecast was not saved).
/// Returns the problems met (empty when all was saved).
std::vector<Message> prgSpeicherDaten(const State& s, const ProgramDirs& dirs, const DateTime& now);

}  // namespace welvaro
