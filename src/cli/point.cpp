// welvaro-cli point: the point result of the link A-B at one frequency and
// one UTC minute, as the main window's text panel shows it.
#include <ostream>

#include "cli/commands.h"
#include "display/point.h"
#include "lang/sprachtext.h"
#include "state/fault.h"
#include "state/datetime.h"
#include "state/numtext.h"

namespace welvaro::cli {

namespace {

// Writes a caption line by line: its line breaks become the ends of lines.
void zeilen(std::ostream& out, std::string_view text) {
  for (;;) {
    const auto bruch = text.find(kPunktUmbruch);
    out << text.substr(0, bruch) << '\n';
    if (bruch == std::string_view::npos) return;
    text.remove_prefix(bruch + kPunktUmbruch.size());
  }
}

int runPoint(Aufruf& a, const Kontext& k) {
  setzeNamen(a);
  State& s = *a.s;
  s.JahrText = std::to_string(s.Jetzt.year);
  fuelleMonatsNamen(s);

  const int rc = prgPointErgebnis(s);
  if (a.format == "json") {
    // The values as the panel shows them; null where the point has none.
    auto zahl = [rc](double v) { return rc == 0 ? PlainText(v) : std::string("null"); };
    k.out << "{\"a\": {\"name\": \"" << jsonText(s.OrtA) << "\", \"lat\": " << PlainText(s.X1) << ", \"lon\": "
          << PlainText(s.Y1) << "}, \"b\": {\"name\": \"" << jsonText(s.OrtB) << "\", \"lat\": " << PlainText(s.OrtX2)
          << ", \"lon\": " << PlainText(s.OrtY2) << "}, \"mhz\": " << PlainText(s.AktFrequenz) << ", \"utc\": \""
          << uhrText(s.Zeitpunkt.hour, s.Zeitpunkt.minute) << "\", \"level_dbm\": " << zahl(s.PunktPegel) << ", \"field_dbuv\": "
          << zahl(s.PunktFeld) << ", \"s_meter\": " << s.SmeterWert << ", \"distance_km\": " << zahl(s.Distanz)
          << ", \"bearing_ab\": " << zahl(s.RichtungAB) << ", \"bearing_ba\": " << zahl(s.RichtungBA) << "}\n";
  } else {
    zeilen(k.out, s.GeoAuswertung);
    zeilen(k.out, s.PegelAnzeige);
    zeilen(k.out, s.WelvaroAnzeige);
    k.out << "S-meter: " << s.SmeterWert << "\n";
  }
  if (rc != 0) {
    k.err << "welvaro-cli point: model fault: " << faultName(rc) << " (run-time error " << rc
          << "); the point has no value\n";
    return kExitModelFault;
  }
  return kExitOk;
}

}  // namespace

Befehl pointBefehl() {
  return {.name = "point",
          .optionen = mitGemeinsamen({"--freq", "--utc", "--lang", "--name-a", "--name-b", "--format"}),
          .pflicht = {"--freq", "--utc"},
          .formate = {"text", "json"},
          .run = runPoint};
}

}  // namespace welvaro::cli
