// welvaro-cli point: the point result of the link A-B at one frequency and
// one UTC minute, as the main window's text panel shows it, with the
// outlook of the mode (--mode, --noise).
#include <ostream>

#include "cli/commands.h"
#include "cli/outlook.h"
#include "display/outlookview.h"
#include "display/point.h"
#include "lang/sprachtext.h"
#include "state/fault.h"
#include "state/datetime.h"
#include "state/numtext.h"

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
    auto number = [rc](double v) { return rc == 0 ? PlainText(v) : std::string("null"); };
    k.out << "{\"a\": {\"name\": \"" << jsonText(s.OrtA) << "\", \"lat\": " << PlainText(s.X1) << ", \"lon\": "
          << PlainText(s.Y1) << "}, \"b\": {\"name\": \"" << jsonText(s.OrtB) << "\", \"lat\": " << PlainText(s.OrtX2)
          << ", \"lon\": " << PlainText(s.OrtY2) << "}, \"mhz\": " << PlainText(s.AktFrequenz) << ", \"utc\": \""
          << clockText(s.Zeitpunkt.hour, s.Zeitpunkt.minute) << "\", \"level_dbm\": " << number(s.PunktPegel) << ", \"field_dbuv\": "
          << number(s.PunktFeld) << ", \"s_meter\": " << s.SmeterWert << ", \"distance_km\": " << number(s.Distanz)
          << ", \"bearing_ab\": " << number(s.RichtungAB) << ", \"bearing_ba\": " << number(s.RichtungBA)
          << jsonMembers(outlookMembers(outlook.value, outlook.availability, outlook.fault == 0, requiredSnr(s)))
          << "}\n";
  } else {
    lines(k.out, s.GeoAuswertung);
    lines(k.out, s.PegelAnzeige);
    lines(k.out, s.WelvaroAnzeige);
    k.out << "S-meter: " << s.SmeterWert << "\n";
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
