#include "schedule/session.h"

#include <cmath>
#include <cstring>
#include <memory>

#include "display/greyline.h"
#include "files/backup.h"
#include "files/window_prefs.h"
#include "files/datafiles.h"
#include "files/fileio.h"
#include "forecast/point_result.h"
#include "input/input_rules.h"
#include "files/overlay.h"
#include "files/places.h"
#include "lang/sprachtext.h"
#include "solar/sunspot_choice.h"
#include "schedule/datafile_messages.h"
#include "outlook/outlook.h"
#include "state/calendar.h"
#include "state/numtext.h"

namespace welvaro {

namespace {

std::string file(const ProgramDirs& dirs, std::string_view name) { return ownFile(dirs, name).string(); }

}  // namespace

void prgUhr(State& s, const ClockReading& clock) {
  s.Jetzt = clock.local;
  s.SystemZone = static_cast<float>(clock.offsetSeconds / 3600.0);
  s.SystemStandardZone = static_cast<float>(clock.standardOffsetSeconds / 3600.0);
  if (s.UTCKorrFolgt != 0) s.UTCKorr = s.SystemZone;
  s.Zeitpunkt = addSeconds(s.Jetzt, -std::llround(static_cast<double>(s.UTCKorr) * 3600));
}

StartReport prgStart(State& s, const ClockReading& clock, const ProgramDirs& dirs, const EnvironmentReader& env) {
  StartReport report;
  const DateTime& now = clock.local;
  // The settings reader compares the stored zone with the system's.
  prgUhr(s, clock);
  if (std::string problem = prepareProgramDir(s, dirs); !problem.empty())
    report.problems.push_back({kTxOrdnerFehler, dirs.writeDir.string(), problem});
  else
    report.leftovers = removeLeftovers(dirs.writeDir);

  s.Darstellung = 1;
  s.L = 0;
  s.SprachLauf = 0;
  fillMonthNames(s);
  s.MonatFremd = 0;
  s.DruckFlag = 0;

  // Calendar: summer-time window, month, year, declination, greyline.
  setSummerTime(s, now);
  s.Monat = static_cast<float>(now.month);
  s.JahrText = std::to_string(now.year);
  setYearValues(s, now);
  prgGreyKurve(s);

  // The data files that come with the program: a copy that finds none of
  // them still runs, but the user is told where they were looked for. One
  // that is there but damaged or unreadable is named with what is wrong.
  std::string missingFiles;
  for (const std::string_view name : {kPlaceListFile, kWorldOverlayFile, kChartOverlayFile, kHelpFile}) {
    std::error_code ec;
    if (!std::filesystem::exists(dataFile(dirs, name), ec)) missingFiles += (missingFiles.empty() ? "" : ", ") + std::string(name);
  }
  if (!missingFiles.empty()) {
    std::string folder;
    for (const auto& d : dirs.dataDirs) folder += (folder.empty() ? "" : ", ") + d.string();
    report.problems.push_back({kTxDatenFehlen, folder, missingFiles});
  }
  auto notify = [&](const DataFileStatus& st) {
    if (const auto m = dataFileMessage(st)) report.problems.push_back(*m);
  };

  const DataFileStatus places = loadPlaceList(s, dataFile(dirs, kPlaceListFile));
  report.places = places.read();
  notify(places);
  notify(checkHelpFile(dataFile(dirs, kHelpFile)));

  const std::string settingsFile = file(dirs, kSettingsFile);
  std::string refused;
  report.settings = readSettings(s, settingsFile, &refused);
  // A first start greets the user in the system's language.
  if (report.settings == SettingsSource::Missing) s.L = systemLanguage(env);
  if (report.settings == SettingsSource::Unusable) {
    // The confirmed end would overwrite the refused file with the start
    // values: keep it aside, beside the copies kept before, and say so in
    // the language it was written in.
    std::filesystem::path bak;
    if (const FileStatus m = keepAside(settingsFile, bak); m.ok())
      report.problems.push_back(
          {kTxEinstellungenAufbewahrt, settingsFile, bak.string(), languageOfFile(refused).value_or(-1)});
    else
      report.problems.push_back({kTxEinstellungenUnbrauchbar, settingsFile, m.message});
  }

  // Whether the time zone follows the system's was kept beside the settings:
  // a zone saved while following the system in one zone means the same in
  // another (a computer set to a new zone, a journey).
  const WindowPrefs prefs = readWindowPrefs(ownFile(dirs, kWindowPrefsFile));
  if (const int follows = prefs.zoneFollows; follows >= 0 && report.settings == SettingsSource::File)
    s.UTCKorrFolgt = static_cast<int16>(follows);
  // The outlook's mode and noise are kept there too.
  outlookFromPreferences(s, prefs);

  // The sunspot number: the one typed, or NOAA's table's value for the
  // forecast month, which a new user (no settings file) gets.
  startSunspotChoice(s, dirs, prefs, report.settings == SettingsSource::File, &report.problems);

  setDisplayFrequency(s, s.AktFrequenz);
  s.Px2 = s.OrtX2;
  s.Py2 = s.OrtY2;

  // The point result needs the clock: take the start moment.
  prgUhr(s, clock);
  s.SprachLauf = 1;
  fillMonthNames(s);
  prgPointErgebnis(s);

  report.table = tableAtStartUp(s, ownFile(dirs, kTableFile));
  for (const Message& p : report.table.problems) report.problems.push_back(p);

  notify(loadOverlay(dataFile(dirs, kWorldOverlayFile), kWorldOverlayLength, s.Weltkarte));
  notify(loadOverlay(dataFile(dirs, kChartOverlayFile), kChartOverlayLength, s.Ortskarte));
  return report;
}

bool prgTagesaktualisierung(State& s, const ProgramDirs& dirs) {
  s.TagZaehler = static_cast<int16>(s.TagZaehler + 1);
  if (s.TagZaehler <= 9) return false;
  s.TagZaehler = 0;
  return tableDayCheck(s, ownFile(dirs, kTableFile)).generated;
}

bool prgMonat(State& s, int n, const ProgramDirs& dirs) {
  if (static_cast<float>(n) == s.Monat) return false;
  s.Monat = static_cast<float>(n);
  if (n != s.Jetzt.month) {
    s.MonatFremd = 1;
  } else {
    s.ZeitModus = 0;
    s.MonatFremd = 0;
  }
  applySunspotTable(s, dirs);
  tableRenew(s, ownFile(dirs, kTableFile));
  prgPointErgebnis(s);
  return true;
}

TableRun prgNeueDaten(State& s, const ProgramDirs& dirs) {
  TableRun run = tableRenew(s, ownFile(dirs, kTableFile));
  prgPointErgebnis(s);
  return run;
}

std::vector<Message> prgSpeicherDaten(const State& s, const ProgramDirs& dirs, const DateTime& now) {
  std::vector<Message> problems;
  const std::string settingsFile = file(dirs, kSettingsFile);
  if (const FileStatus st = writeSettings(s, settingsFile, now); !st.ok())
    problems.push_back({kTxEinstellungenNichtGespeichert, settingsFile, st.err ? std::strerror(st.err) : reasonOf(st, settingsFile)});
  // The time zone's choice beside the settings, the window's part as it was.
  const std::filesystem::path prefsFile = ownFile(dirs, kWindowPrefsFile);
  WindowPrefs v = readWindowPrefs(prefsFile);
  v.zoneFollows = s.UTCKorrFolgt != 0 ? 1 : 0;
  storeSunspotChoice(s, v);
  outlookToPreferences(s, v);
  if (const int fault = writeWindowPrefs(prefsFile, v); fault != 0)
    problems.push_back({kTxEinstellungenNichtGespeichert, prefsFile.string(), std::strerror(fault)});
  const std::filesystem::path table = ownFile(dirs, kTableFile);
  if (s.TableSaved == 0) {
    // The file is not this run's table: its header stays, and the user
    // learns that the forecast was not kept.
    problems.push_back({kTxForecastNotSaved, table.string(), {}});
    return problems;
  }
  const TableFileStatus tab = tableAtEnd(s, table);
  if (!tab.ok() && tab.kind != TableFileStatus::kMissing)
    problems.push_back({kTxTabelleNichtGeschrieben, table.string(), reasonOf(tab, table)});
  return problems;
}

bool welcomeDue(const StartReport& r) { return r.settings == SettingsSource::Missing; }

int16 startLanguage(const ProgramDirs& dirs, const EnvironmentReader& env) {
  // The settings reader itself on a scratch record, so the start window
  // speaks exactly what the start-up will take.
  auto scratch = std::make_unique<State>();
  if (readSettings(*scratch, file(dirs, kSettingsFile)) == SettingsSource::Missing) return systemLanguage(env);
  return scratch->L;
}

}  // namespace welvaro
