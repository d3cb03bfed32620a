// welvaro-cli bands: the link A-B in the ten amateur bands at a UTC time and
// the hours after it, each value the point result's at the band's
// frequency and time.
#include <ostream>

#include "cli/commands.h"
#include "display/baender.h"
#include "state/fault.h"
#include "state/datetime.h"
#include "state/numtext.h"

namespace welvaro::cli {

namespace {

int runBands(Aufruf& a, const Kontext& k) {
  State& s = *a.s;
  std::vector<BandZeile> zeilen;
  const int rc = prgBandWerte(s, a.stunde, a.minute, a.stunden, zeilen);
  if (rc != 0) {
    k.err << "welvaro-cli bands: model fault: " << faultName(rc) << " (run-time error " << rc
          << "); the link has no values\n";
    return kExitModelFault;
  }
  const bool pegel = s.PegelFlag == 1;
  auto wert = [pegel](const BandWert& w) { return PlainText(pegel ? w.pegel : w.feld); };
  if (a.format == "json") {
    k.out << "{\"bands\": [";
    for (std::size_t i = 0; i < zeilen.size(); ++i) {
      const BandZeile& z = zeilen[i];
      k.out << (i ? ", " : "") << "{\"band\": \"" << z.band.name << "\", \"mhz\": " << PlainText(z.band.mhz)
            << ", \"hours\": [";
      for (std::size_t j = 0; j < z.werte.size(); ++j) {
        const BandWert& w = z.werte[j];
        k.out << (j ? ", " : "") << "{\"utc\": \"" << uhrText(w.stunde, w.minute) << "\", \"level_dbm\": "
              << PlainText(w.pegel) << ", \"field_dbuv\": " << PlainText(w.feld) << "}";
      }
      k.out << "]}";
    }
    k.out << "]}\n";
  } else if (a.format == "csv") {
    k.out << "band,mhz,utc," << (pegel ? "level_dbm" : "field_dbuv") << "\n";
    for (const BandZeile& z : zeilen)
      for (const BandWert& w : z.werte)
        k.out << z.band.name << "," << PlainText(z.band.mhz) << "," << uhrText(w.stunde, w.minute) << ","
              << wert(w) << "\n";
  } else {
    k.out << (pegel ? "Level [dBm]" : "Field strength [dB(uV/m)]") << " of the link, UTC\n";
    k.out << "band    MHz  ";
    for (const BandWert& w : zeilen.front().werte) k.out << "  " << uhrText(w.stunde, w.minute);
    k.out << "\n";
    for (const BandZeile& z : zeilen) {
      std::string kopf = std::string(z.band.name) + "       ";
      kopf = kopf.substr(0, 5);
      std::string mhz = "      " + PlainText(z.band.mhz);
      k.out << kopf << mhz.substr(mhz.size() - 6) << "  ";
      for (const BandWert& w : z.werte) {
        std::string v = "       " + wert(w);
        k.out << v.substr(v.size() - 7);
      }
      k.out << "\n";
    }
  }
  return kExitOk;
}

}  // namespace

Befehl bandsBefehl() {
  return {.name = "bands",
          .optionen = mitGemeinsamen({"--utc", "--hours", "--level", "--field", "--format"}),
          .pflicht = {"--utc"},
          .formate = {"text", "csv", "json"},
          .run = runBands};
}

}  // namespace welvaro::cli
