#include "schedule/session.h"

#include <cmath>
#include <cstring>

#include "display/greyline.h"
#include "files/fenster.h"
#include "files/fileio.h"
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
  if (std::string problem = prepareProgramDir(s, dirs); !problem.empty())
    bericht.probleme.push_back({kTxOrdnerFehler, dirs.writeDir.string(), problem});
  else
    bericht.reste = removeLeftovers(dirs.writeDir);

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

  // The data files that come with the program: a copy that finds none of
  // them still runs, but the user is told where they were looked for.
  std::string fehlen;
  for (const std::string_view name : {kOrtsvorgDatei, kMapWeltDatei, kMapOrtDatei, kHilfeDatei})
    if (!isRegularFile(dataFile(dirs, name))) fehlen += (fehlen.empty() ? "" : ", ") + std::string(name);
  if (!fehlen.empty()) {
    std::string ordner;
    for (const auto& d : dirs.dataDirs) ordner += (ordner.empty() ? "" : ", ") + d.string();
    bericht.probleme.push_back({kTxDatenFehlen, ordner, fehlen});
  }

  std::string problem;
  const std::filesystem::path ortsvorgaben = dataFile(dirs, kOrtsvorgDatei);
  bericht.orte = readPlaceFile(s, ortsvorgaben, &problem);
  if (!problem.empty()) bericht.probleme.push_back({kTxDateiFehler, ortsvorgaben.string(), problem});

  const std::string einst = datei(dirs, kEinstellungDatei);
  std::string abgelehnt;
  bericht.einstellungen = leseEinstellungen(s, einst, &abgelehnt);
  if (bericht.einstellungen == EinstellungsQuelle::Unbrauchbar) {
    // The confirmed end would overwrite the refused file with the start
    // values: keep it aside, and say so in the language it was written in.
    const std::string bak = einst + ".bak";
    if (const FileStatus m = moveFile(einst, bak); m.ok())
      bericht.probleme.push_back({kTxEinstellungenAufbewahrt, einst, bak, spracheDerDatei(abgelehnt).value_or(-1)});
    else
      bericht.probleme.push_back({kTxEinstellungenUnbrauchbar, einst, m.message});
  }

  // Whether the time zone follows the system's was kept beside the settings:
  // a zone saved while following the system in one zone means the same in
  // another (a computer set to a new zone, a journey).
  if (const int folgt = leseFenster(ownFile(dirs, kFensterDatei)).zoneFolgt;
      folgt >= 0 && bericht.einstellungen == EinstellungsQuelle::Datei)
    s.UTCKorrFolgt = static_cast<int16>(folgt);

  setzeAnzeigeFrequenz(s, s.AktFrequenz);
  s.Px2 = s.OrtX2;
  s.Py2 = s.OrtY2;

  // The point result needs the clock: take the start moment.
  prgUhr(s, uhr);
  s.SprachLauf = 1;
  fuelleMonatsNamen(s);
  prgPointErgebnis(s);

  bericht.tabelle = tableAtStartUp(s, ownFile(dirs, kTabelleDatei));
  for (const Meldung& p : bericht.tabelle.problems) bericht.probleme.push_back(p);

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

std::vector<Meldung> prgSpeicherDaten(const State& s, const ProgramDirs& dirs, const DateTime& jetzt) {
  std::vector<Meldung> probleme;
  const std::string einst = datei(dirs, kEinstellungDatei);
  if (const FileStatus st = schreibeEinstellungen(s, einst, jetzt); !st.ok())
    probleme.push_back({kTxEinstellungenNichtGespeichert, einst, st.err ? std::strerror(st.err) : grundVon(st, einst)});
  // The time zone's choice beside the settings, the window's part as it was.
  const std::filesystem::path vorgaben = ownFile(dirs, kFensterDatei);
  Fenstervorgaben v = leseFenster(vorgaben);
  v.zoneFolgt = s.UTCKorrFolgt != 0 ? 1 : 0;
  if (const int fehler = schreibeFenster(vorgaben, v); fehler != 0)
    probleme.push_back({kTxEinstellungenNichtGespeichert, vorgaben.string(), std::strerror(fehler)});
  const std::filesystem::path tabelle = ownFile(dirs, kTabelleDatei);
  const TableFileStatus tab = tableAtEnd(s, tabelle);
  if (!tab.ok() && tab.kind != TableFileStatus::kMissing)
    probleme.push_back({kTxTabelleNichtGeschrieben, tabelle.string(), grundVon(tab, tabelle)});
  return probleme;
}

}  // namespace welvaro
