// welvaro-cli link: the day-corrected forecast of the link A-B.
#include <cmath>
#include <iomanip>
#include <memory>
#include <ostream>

#include "cli/commands.h"
#include "cli/json.h"
#include "forecast/tageskorr.h"
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

void printJson(const State& s, std::ostream& out) {
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

int runLink(Invocation& a, const Context& k) {
  State& s = *a.s;
  s.X2 = s.OrtX2;
  s.Y2 = s.OrtY2;
  // The six memories go into the calculation only when they were given.
  if (a.has("--memories")) s.DruckFlag = 1;
  if (int rc = prgTageskorr(s); rc != 0) {
    k.err << "welvaro-cli link: model fault: " << faultName(rc) << " (run-time error " << rc << ")\n";
    return kExitModelFault;
  }
  if (a.format == "csv")
    printCsv(s, k.out);
  else if (a.format == "json")
    printJson(s, k.out);
  else
    printText(s, k.out);
  return kExitOk;
}

}  // namespace

Command linkCommand() {
  return {.name = "link",
          .options = withCommon({"--memories", "--format"}),
          .formats = {"text", "csv", "json"},
          .run = runLink};
}

}  // namespace welvaro::cli
