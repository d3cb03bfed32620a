// welvaro-cli bands: the link A-B in the ten amateur bands at a UTC time and
// the hours after it, each value the point result's at the band's
// frequency and time.
#include <ostream>

#include "cli/commands.h"
#include "cli/json.h"
#include "display/bands.h"
#include "state/fault.h"
#include "state/datetime.h"
#include "state/numtext.h"

namespace welvaro::cli {

namespace {

int runBands(Invocation& a, const Context& k) {
  State& s = *a.s;
  std::vector<BandRow> lines;
  const int rc = prgBandWerte(s, a.hour, a.minute, a.hours, lines);
  if (rc != 0) {
    k.err << "welvaro-cli bands: model fault: " << faultName(rc) << " (run-time error " << rc
          << "); the link has no values\n";
    return kExitModelFault;
  }
  const bool level = s.PegelFlag == 1;
  auto value = [level](const BandValue& w) { return PlainText(level ? w.level : w.field); };
  if (a.format == "json") {
    Json bands = Json::array();
    for (const BandRow& z : lines) {
      Json hours = Json::array();
      for (const BandValue& w : z.values)
        hours.push_back({{"utc", clockText(w.hour, w.minute)},
                         {"level_dbm", plainNumber(w.level)},
                         {"field_dbuv", plainNumber(w.field)}});
      bands.push_back({{"band", z.band.name}, {"mhz", plainNumber(z.band.mhz)}, {"hours", std::move(hours)}});
    }
    k.out << jsonLine(Json{{"bands", std::move(bands)}});
  } else if (a.format == "csv") {
    k.out << "band,mhz,utc," << (level ? "level_dbm" : "field_dbuv") << "\n";
    for (const BandRow& z : lines)
      for (const BandValue& w : z.values)
        k.out << z.band.name << "," << PlainText(z.band.mhz) << "," << clockText(w.hour, w.minute) << ","
              << value(w) << "\n";
  } else {
    k.out << (level ? "Level [dBm]" : "Field strength [dB(µV/m)]") << " of the link, UTC\n";
    k.out << "band    MHz  ";
    for (const BandValue& w : lines.front().values) k.out << "  " << clockText(w.hour, w.minute);
    k.out << "\n";
    for (const BandRow& z : lines) {
      std::string head = std::string(z.band.name) + "       ";
      head = head.substr(0, 5);
      std::string mhz = "      " + PlainText(z.band.mhz);
      k.out << head << mhz.substr(mhz.size() - 6) << "  ";
      for (const BandValue& w : z.values) {
        std::string v = "       " + value(w);
        k.out << v.substr(v.size() - 7);
      }
      k.out << "\n";
    }
  }
  return kExitOk;
}

}  // namespace

Command bandsCommand() {
  return {.name = "bands",
          .options = withCommon({"--utc", "--hours", "--level", "--field", "--format"}),
          .required = {"--utc"},
          .formats = {"text", "csv", "json"},
          .run = runBands};
}

}  // namespace welvaro::cli
