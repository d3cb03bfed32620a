#include "schedule/session.h"

#include <cmath>
#include <cstring>

#include "display/greyline.h"
#include "display/point.h"
#include "files/overlay.h"
#include "files/places.h"
#include "lang/sprachtext.h"
#include "state/calendar.h"
#include "state/numtext.h"

namespace welvaro {

namespace {

std::string datei(const ProgramDirs& dirs, std::string_view name) { return ownFile(dirs, name).string(); }

}  // namespace

void setzeAnzeigeFrequenz(State& s) {
  setzeAnzeigeFrequenz(s, s.AktFrequenz);
}

void prgUhr(State& s, const ClockReading& uhr) {
  s.Jetzt = uhr.local;
  s.SystemZone = static_cast<float>(uhr.offsetSeconds / 3600.0);
  s.SystemStandardZone = static_cast<float>(uhr.standardOffsetSeconds / 3600.0);
  if (s.UTCKorrFolgt != 0) s.UTCKorr = s.SystemZone;
  s.Zeitpunkt = addSeconds(s.Jetzt, -std::llround(static_cast<double>(s.UTCKorr) * 3600));
}

StartBericht prgStart(State& s, const ClockReading& uhr, const ProgramDirs& dirs) {
  StartBericht bericht;
  const DateTime& jetzt = uhr.local;
  // The settings reader compares the stored zone with the system's.
  prgUhr(s, uhr);
  if (std::string problem = prepareProgramDir(s, dirs); !problem.empty()) bericht.probleme.push_back(problem);

  s.Darstellung = 1;
  s.L = 0;
  s.SprachLauf = 0;
  fuelleMonatsNamen(s);
  s.MonatFremd = 0;
  s.DruckFlag = 0;

  // Calendar: summer-time window, month, year, declination, greyline.
  setzeSommerzeit(s, jetzt);
  s.Monat = static_cast<float>(jetzt.month);
  s.JahrText = std::to_string(jetzt.year);
  setzeJahreswerte(s, jetzt);
  prgGreyKurve(s);

  std::string problem;
  bericht.orte = readPlaceFile(s, dataFile(dirs, kOrtsvorgDatei), &problem);
  if (!problem.empty()) bericht.probleme.push_back(problem);

  bericht.einstellungen = leseEinstellungen(s, datei(dirs, kEinstellungDatei));
  if (bericht.einstellungen == EinstellungsQuelle::Unbrauchbar)
    bericht.probleme.push_back("The settings file " + datei(dirs, kEinstellungDatei) +
                               " could not be used; the start values apply.");

  setzeAnzeigeFrequenz(s);
  s.Px2 = s.OrtX2;
  s.Py2 = s.OrtY2;

  // The point result needs the clock: take the start moment.
  prgUhr(s, uhr);
  s.SprachLauf = 1;
  fuelleMonatsNamen(s);
  prgPointErgebnis(s);

  bericht.tabelle = tableAtStartUp(s, ownFile(dirs, kTabelleDatei));
  for (const std::string& p : bericht.tabelle.problems) bericht.probleme.push_back(p);

  readOverlays(s, dataFile(dirs, kMapWeltDatei), dataFile(dirs, kMapOrtDatei));
  return bericht;
}

bool prgTagesaktualisierung(State& s, const ProgramDirs& dirs) {
  s.TagZaehler = static_cast<int16>(s.TagZaehler + 1);
  if (s.TagZaehler <= 9) return false;
  s.TagZaehler = 0;
  return tableDayCheck(s, ownFile(dirs, kTabelleDatei)).generated;
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
  tableRenew(s, ownFile(dirs, kTabelleDatei));
  prgPointErgebnis(s);
  return true;
}

TableRun prgNeueDaten(State& s, const ProgramDirs& dirs) {
  TableRun lauf = tableRenew(s, ownFile(dirs, kTabelleDatei));
  prgPointErgebnis(s);
  return lauf;
}

std::vector<std::string> prgSpeicherDaten(const State& s, const ProgramDirs& dirs, const DateTime& jetzt) {
  std::vector<std::string> probleme;
  const std::string einst = datei(dirs, kEinstellungDatei);
  if (int fehler = schreibeEinstellungen(s, einst, jetzt); fehler != 0)
    probleme.push_back("The settings could not be saved to " + einst + ": " + std::strerror(fehler));
  const TableFileStatus tab = tableAtEnd(s, ownFile(dirs, kTabelleDatei));
  if (!tab.ok() && tab.kind != TableFileStatus::kMissing) probleme.push_back(tab.message);
  return probleme;
}

}  // namespace welvaro
