// welvaro-cli point: the point result of the link A-B at one frequency and
// one UTC minute, as the main window's text panel shows it, with the
// outlook of the mode (--mode, --noise).
#include <ostream>

#include "cli/commands.h"
#include "cli/json.h"
#include "cli/outlook.h"
#include "display/outlookview.h"
#include "display/point.h"
#include "lang/sprachtext.h"
#include "state/fault.h"
#include "state/datetime.h"
#include "state/numtext.h"
#include "state/station_a.h"

namespace welvaro::cli {

namespace {

// Writes a caption line by line: its line breaks become the ends of lines.
void lines(std::ostream& out, std::string_view text) {
  for (;;) {
    const auto fraction = text.find(kPointLineBreak);
    out << text.substr(0, fraction) << '\n';
    if (fraction == std::string_view::npos) return;
    text.remove_prefix(fraction + kPointLineBreak.size());
  }
}

int runPoint(Invocation& a, const Context& k) {
  setNames(a);
  State& s = *a.s;
  s.JahrText = std::to_string(s.Jetzt.year);
  fillMonthNames(s);

  const int rc = prgPointErgebnis(s);
  const PointOutlook outlook = prgPointOutlook(s);
  if (a.format == "json") {
    // The values as the panel shows them; null where the point has none.
    auto value = [rc](auto v) { return rc == 0 ? plainNumber(v) : Json(); };
    Json j;
    const StationAPosition pa = enteredStationA(s);  // as given, not the forecast's tenth
    j["a"] = {{"name", s.OrtA}, {"lat", plainNumber(pa.latitude)}, {"lon", plainNumber(pa.longitude)}};
    j["b"] = {{"name", s.OrtB}, {"lat", plainNumber(s.OrtX2)}, {"lon", plainNumber(s.OrtY2)}};
    j["mhz"] = plainNumber(s.AktFrequenz);
    j["utc"] = clockText(s.Zeitpunkt.hour, s.Zeitpunkt.minute);
    j["level_dbm"] = value(s.PunktPegel);
    j["field_dbuv"] = value(s.PunktFeld);
    j["s_meter"] = s.SmeterWert;
    j["distance_km"] = value(s.Distanz);
    j["bearing_ab"] = value(s.RichtungAB);
    j["bearing_ba"] = value(s.RichtungBA);
    j.update(outlookMembers(outlook.value, outlook.availability, outlook.fault == 0, requiredSnr(s)));
    k.out << jsonLine(j);
  } else {
    lines(k.out, s.GeoAuswertung);
    lines(k.out, s.PegelAnzeige);
    lines(k.out, s.WelvaroAnzeige);
    k.out << T(s, kTxSMeter) << ": " << s.SmeterWert << "\n";
    k.out << s.OutlookLine << "\n";
  }
  if (rc != 0) {
    k.err << "welvaro-cli point: model fault: " << faultName(rc) << " (run-time error " << rc
          << "); the point has no value\n";
    return kExitModelFault;
  }
  return kExitOk;
}

}  // namespace

Command pointCommand() {
  return {.name = "point",
          .options = withCommon({"--freq", "--utc", "--lang", "--name-a", "--name-b", "--format", "--mode", "--noise"}),
          .required = {"--freq", "--utc"},
          .formats = {"text", "json"},
          .run = runPoint};
}

}  // namespace welvaro::cli
