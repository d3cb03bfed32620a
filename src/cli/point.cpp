// welvaro-cli point: the point result of the link A-B at one frequency and
// one UTC minute, as the main window's text panel shows it.
#include <ostream>

#include "cli/commands.h"
#include "display/point.h"
#include "lang/sprachtext.h"
#include "state/fault.h"

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
  zeilen(k.out, s.GeoAuswertung);
  zeilen(k.out, s.PegelAnzeige);
  zeilen(k.out, s.WelvaroAnzeige);
  k.out << "S-meter: " << s.SmeterWert << "\n";
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
          .optionen = mitGemeinsamen({"--freq", "--utc", "--lang", "--name-a", "--name-b"}),
          .pflicht = {"--freq", "--utc"},
          .run = runPoint};
}

}  // namespace welvaro::cli
