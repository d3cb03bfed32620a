// welvaro-cli link: the day-corrected forecast of the link A-B; with --outlook
// also the outlook of the mode (--mode, --noise) per hour and MHz.
#include <array>
#include <charconv>
#include <cmath>
#include <iomanip>
#include <memory>
#include <ostream>

#include "cli/commands.h"
#include "cli/json.h"
#include "cli/outlook.h"
#include "forecast/availability.h"
#include "forecast/tageskorr.h"
#include "outlook/grids.h"
#include "state/fault.h"
#include "state/numtext.h"

namespace welvaro::cli {

namespace {

std::string whole(double v) { return std::to_string(static_cast<long long>(v)); }

void printCsv(const State& s, std::ostream& out) {
  out << "hour,muf";
  for (int f = 1; f <= 30; ++f) out << ",f" << f;
  out << '\n';
  for (int h = 1; h <= 24; ++h) {
    out << h;
    for (int k = 1; k <= 31; ++k) out << ',' << whole(s.ErgFeld[0][h][k]);
    out << '\n';
  }
}

void printJson(const State& s, std::ostream& out, const Json* outlook) {
  Json j;
  j["distance_km"] = exactNumber(s.Distanz);
  j["bearing_ab"] = exactNumber(s.RichtungAB);
  j["bearing_ba"] = exactNumber(s.RichtungBA);
  j["hops_e"] = static_cast<long long>(s.HopsE);
  j["hops_f"] = static_cast<long long>(s.HopsF);
  j["hops_d"] = static_cast<long long>(s.HopsD);
  Json columns = Json::array({"hour", "muf"});
  for (int f = 1; f <= 30; ++f) columns.push_back("f" + std::to_string(f));
  j["columns"] = std::move(columns);
  Json grid = Json::array();
  for (int h = 1; h <= 24; ++h) {
    Json row = Json::array({h});
    for (int k = 1; k <= 31; ++k) row.push_back(static_cast<long long>(s.ErgFeld[0][h][k]));
    grid.push_back(std::move(row));
  }
  j["grid"] = std::move(grid);
  if (outlook) j["outlook"] = *outlook;
  out << jsonLine(j);
}

void printText(const State& s, std::ostream& out) {
  // Point B is held in single fields (OrtX2, OrtY2): written as singles,
  // 40.4 reads "40.4", not the double "40.4000015258789".
  out << "Link " << s.OrtA << " (" << PlainText(s.X1) << ", " << PlainText(s.Y1) << ") -> "
      << PlainText(static_cast<float>(s.X2)) << ", " << PlainText(static_cast<float>(s.Y2)) << "\n";
  out << std::fixed << std::setprecision(1) << "Distance " << s.Distanz << " km, bearing A->B " << s.RichtungAB
      << " deg, B->A " << s.RichtungBA << " deg, hops E " << whole(s.HopsE) << ", F " << whole(s.HopsF) << ", D "
      << whole(s.HopsD) << "\n";
  out << "Month " << whole(s.Monat) << ", sunspot number " << s.Ssn << ", " << s.Zkwa << " kW, " << PlainText(s.Sag)
      << " dBi, " << whole(s.Iproz) << " %, " << (s.P == "L" ? "long" : "short") << " path\n";
  out << "Field strength in dB(µV/m); MUF = at the path MUF of the hour\n\n";
  out << "UTC  MUF";
  for (int f = 1; f <= 30; ++f) out << std::setw(5) << f;
  out << "\n";
  for (int h = 1; h <= 24; ++h) {
    out << std::setw(2) << std::setfill('0') << (h % 24) << std::setfill(' ') << std::setw(5)
        << whole(s.ErgFeld[0][h][1]);
    for (int k = 2; k <= 31; ++k) out << std::setw(5) << whole(s.ErgFeld[0][h][k]);
    out << "\n";
  }
}

}  // namespace

namespace {

// The outlook of every hour 1..24 (24 = 00 UTC) at 1..30 MHz.
using OutlookGrid = std::array<std::array<Outlook, 31>, 25>;
OutlookGrid outlookGrid(const State& s) {
  OutlookGrid g{};
  for (int h = 1; h <= 24; ++h)
    for (int f = 1; f <= 30; ++f)
      g[static_cast<std::size_t>(h)][static_cast<std::size_t>(f)] = linkOutlook(s, f, h % 24, 0).outlook;
  return g;
}

// --outlook: the outlook after the field strengths (text), in their place
// (CSV: the outlook words per hour and MHz) or as the member "outlook" (JSON).
void printOutlookText(const State& s, const OutlookGrid& g, std::ostream& out) {
  out << "\n" << outlookHeading(s) << "\n\nUTC";
  for (int f = 1; f <= 30; ++f) out << std::setw(3) << f;
  out << "\n";
  for (int h = 1; h <= 24; ++h) {
    out << std::setw(2) << std::setfill('0') << (h % 24) << std::setfill(' ') << " ";
    for (int f = 1; f <= 30; ++f)
      out << "  " << outlookSymbol(g[static_cast<std::size_t>(h)][static_cast<std::size_t>(f)]);
    out << "\n";
  }
}

void printOutlookCsv(const OutlookGrid& g, std::ostream& out) {
  out << "hour";
  for (int f = 1; f <= 30; ++f) out << ",f" << f;
  out << '\n';
  for (int h = 1; h <= 24; ++h) {
    out << h;
    for (int f = 1; f <= 30; ++f) out << ',' << outlookWord(g[static_cast<std::size_t>(h)][static_cast<std::size_t>(f)]);
    out << '\n';
  }
}

Json outlookJson(const State& s, const OutlookGrid& g) {
  Json j;
  j["mode"] = modeName(s);
  j["required_db_hz"] = requiredSnr(s);
  j["noise"] = noiseWord(s);
  j["columns"] = Json::array({"hour"});
  for (int f = 1; f <= 30; ++f) j["columns"].push_back("f" + std::to_string(f));
  j["grid"] = Json::array();
  for (int h = 1; h <= 24; ++h) {
    Json row = Json::array({h});
    for (int f = 1; f <= 30; ++f)
      row.push_back(std::string(outlookWord(g[static_cast<std::size_t>(h)][static_cast<std::size_t>(f)])));
    j["grid"].push_back(row);
  }
  return j;
}

int runLink(Invocation& a, const Context& k) {
  State& s = *a.s;
  s.X2 = s.OrtX2;
  s.Y2 = s.OrtY2;
  // The six memories go into the calculation only when they were given.
  if (a.has("--memories")) s.DruckFlag = 1;
  const bool outlook = s.OutlookFlag == 1;
  if (int rc = outlook ? forecastAvailabilities(s) : prgTageskorr(s); rc != 0) {
    k.err << "welvaro-cli link: model fault: " << faultName(rc) << " (run-time error " << rc << ")\n";
    return kExitModelFault;
  }
  const OutlookGrid g = outlook ? outlookGrid(s) : OutlookGrid{};
  if (a.format == "csv") {
    if (outlook)
      printOutlookCsv(g, k.out);
    else
      printCsv(s, k.out);
  } else if (a.format == "json") {
    const Json grid = outlook ? outlookJson(s, g) : Json();
    printJson(s, k.out, outlook ? &grid : nullptr);
  } else {
    printText(s, k.out);
    if (outlook) printOutlookText(s, g, k.out);
  }
  return kExitOk;
}

}  // namespace

Command linkCommand() {
  return {.name = "link",
          .options = withCommon({"--memories", "--format", "--mode", "--noise", "--outlook"}),
          .formats = {"text", "csv", "json"},
          .check =
              [](const Invocation& a) {
                // The memories take the place of 1..6 MHz, which the outlook's columns are.
                if (a.has("--outlook") && a.has("--memories")) throw BadArgument{"--outlook excludes --memories"};
              },
          .run = runLink};
}

}  // namespace welvaro::cli
