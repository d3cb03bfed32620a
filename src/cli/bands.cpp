// welvaro-cli bands: the link A-B in the ten amateur bands at a UTC time and
// the hours after it, each value the point result's at the band's
// frequency and time; with --outlook the outlook of the mode instead.
#include <cmath>
#include <ostream>

#include "cli/commands.h"
#include "cli/json.h"
#include "cli/outlook.h"
#include "display/bands.h"
#include "display/outlookview.h"
#include "forecast/availability.h"
#include "state/fault.h"
#include "state/datetime.h"
#include "state/numtext.h"

namespace welvaro::cli {

namespace {

// bands --outlook: symbol and margin per band and hour (text), the outlook
// columns (CSV) or the outlook members (JSON), and the best-band line.
void printOutlook(const State& s, const Invocation& a, const std::vector<BandOutlookRow>& rows, int chosen,
                  std::ostream& out) {
  const auto k = static_cast<std::size_t>(chosen);
  const double required = requiredSnr(s);
  if (a.format == "json") {
    nlohmann::ordered_json j;
    j["mode"] = modeName(s);
    j["noise"] = noiseWord(s);
    j["bands"] = nlohmann::ordered_json::array();
    for (const BandOutlookRow& r : rows) {
      nlohmann::ordered_json band;
      band["band"] = std::string(r.band.name);
      band["mhz"] = plainNumber(r.band.mhz);
      band["hours"] = nlohmann::ordered_json::array();
      for (const BandOutlookValue& v : r.values) {
        nlohmann::ordered_json h;
        h["utc"] = clockText(v.hour, v.minute);
        h.update(outlookMembers(v.value, chosen, v.known, required));
        band["hours"].push_back(h);
      }
      j["bands"].push_back(band);
    }
    j["best_band"] = s.BestBandLine;
    out << jsonLine(j);
  } else if (a.format == "csv") {
    out << "band,mhz,utc,snr_db_hz,required_db_hz,margin_db,outlook\n";
    for (const BandOutlookRow& r : rows)
      for (const BandOutlookValue& v : r.values) {
        out << r.band.name << "," << PlainText(r.band.mhz) << "," << clockText(v.hour, v.minute) << ",";
        if (v.known)
          out << PlainText(tenth(v.value.snrDbHz[k])) << "," << PlainText(required) << ","
              << PlainText(tenth(v.value.marginDb[k])) << "," << outlookWord(v.value.outlook) << "\n";
        else
          out << "," << PlainText(required) << ",,\n";
      }
  } else {
    out << outlookHeading(s) << "\n";
    out << "margin [dB] at " << PlainText(kAvailabilities[k]) << " % of the days, UTC\n";
    out << "band    MHz  ";
    for (const BandOutlookValue& v : rows.front().values) out << "   " << clockText(v.hour, v.minute);
    out << "\n";
    for (const BandOutlookRow& r : rows) {
      std::string head = std::string(r.band.name) + "       ";
      head = head.substr(0, 5);
      std::string mhz = "      " + PlainText(r.band.mhz);
      out << head << mhz.substr(mhz.size() - 6) << "  ";
      for (const BandOutlookValue& v : r.values) {
        // The symbol and the margin, right-aligned in eight columns.
        // Whole dB as the outlook line gives them: to spare rounded down, short rounded up.
        const double m = v.value.marginDb[k];
        const std::string margin =
            !v.known ? "--" : (m >= 0 ? "+" + PlainText(std::floor(m)) : "-" + PlainText(std::ceil(-m)));
        const std::string symbol(v.known ? outlookSymbol(v.value.outlook) : " ");
        out << std::string(margin.size() < 6 ? 6 - margin.size() : 0, ' ') << symbol << " " << margin;
      }
      out << "\n";
    }
    out << s.BestBandLine << "\n";
  }
}

int runBands(Invocation& a, const Context& k) {
  State& s = *a.s;
  std::vector<BandRow> lines;
  const int rc = prgBandWerte(s, a.hour, a.minute, a.hours, lines);
  if (rc != 0) {
    k.err << "welvaro-cli bands: model fault: " << faultName(rc) << " (run-time error " << rc
          << "); the link has no values\n";
    return kExitModelFault;
  }
  // The outlook of every value, from the forecast at the three availabilities.
  std::vector<BandOutlookRow> outlookRows;
  prgBandOutlook(s, a.hour, a.minute, a.hours, outlookRows);
  const int chosen = availabilityIndex(s.Iproz);
  const double required = requiredSnr(s);
  const auto members = [&](std::size_t i, std::size_t j) {
    const BandOutlookValue& v = outlookRows[i].values[j];
    return outlookMembers(v.value, chosen, v.known, required);
  };
  if (s.OutlookFlag == 1) {
    printOutlook(s, a, outlookRows, chosen, k.out);
    return kExitOk;
  }
  const bool level = s.PegelFlag == 1;
  auto value = [level](const BandValue& w) { return PlainText(level ? w.level : w.field); };
  if (a.format == "json") {
    Json bands = Json::array();
    for (std::size_t i = 0; i < lines.size(); ++i) {
      const BandRow& z = lines[i];
      Json hours = Json::array();
      for (std::size_t j = 0; j < z.values.size(); ++j) {
        const BandValue& w = z.values[j];
        Json h = {{"utc", clockText(w.hour, w.minute)},
                  {"level_dbm", plainNumber(w.level)},
                  {"field_dbuv", plainNumber(w.field)}};
        h.update(members(i, j));
        hours.push_back(std::move(h));
      }
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
          .options = withCommon({"--utc", "--hours", "--level", "--field", "--format", "--mode", "--noise",
                                      "--outlook", "--lang"}),
          .required = {"--utc"},
          .formats = {"text", "csv", "json"},
          .run = runBands};
}

}  // namespace welvaro::cli
