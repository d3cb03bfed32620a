// welvaro-cli ssn: NOAA's smoothed sunspot number of a month from the table
// in use (the user's updated table, else the one that came with the
// program), and the update of that table; and --ssn table of the other
// subcommands.
#include <filesystem>
#include <nlohmann/json.hpp>
#include <ostream>
#include <system_error>

#include "cli/commands.h"
#include "files/window_prefs.h"
#include "lang/sprachtext.h"
#include "solar/solar_update.h"
#include "solar/sunspot_choice.h"
#include "solar/sunspot_table.h"
#include "state/numtext.h"

namespace welvaro::cli {

namespace {

constexpr int kEnglish = 1;  // language slot of the messages on the command line

ProgramDirs tableDirs(const Context& k) {
  ProgramDirs d;
  d.writeDir = k.userDir;
  d.dataDirs = k.dataFolders;
  return d;
}

// The month asked for: --month YYYY-MM as given, else the coming month M
// (or the current month).
YearMonth askedMonth(const Invocation& a) {
  if (a.forecastYear > 0) return {a.forecastYear, static_cast<int>(a.s->Monat)};
  return forecastMonth(*a.s);
}

// The table in use. A refused file on the way is told on stderr; no table
// at all is a file problem.
LoadedSunspotTable tableInUse(const Context& k, std::string_view prefix) {
  LoadedSunspotTable t = loadSunspotTable(tableDirs(k));
  if (t.origin == SunspotOrigin::kNone) {
    if (!t.problems.empty()) throw FileProblem{messageText(kEnglish, t.problems.front())};
    std::string folders;
    for (const auto& d : k.dataFolders) folders += (folders.empty() ? "" : ", ") + d.string();
    throw FileProblem{"no sunspot table: " + std::string(kSunspotShippedFile) + " not found" +
                      (folders.empty() ? std::string() : " in " + folders)};
  }
  for (const Message& m : t.problems)
    k.err << prefix << ": " << messageText(kEnglish, m) << "; the " << sunspotOriginName(t.origin)
          << " table is used\n";
  return t;
}

std::string notInTable(const YearMonth& m, const SunspotTable& t) {
  return yearMonthText(m) + " is not in the sunspot table (" + yearMonthText(t.months.front().month) + " .. " +
         yearMonthText(t.months.back().month) + ")";
}

// No options of the look-up together with --update, and --url only with it.
void checkSsnOptions(const Invocation& a) {
  if (a.update) {
    for (const char* o : {"--month", "--date", "--format"})
      if (a.has(o)) throw BadArgument{std::string(o) + " does not go with --update"};
  } else if (a.has("--url")) {
    throw BadArgument{"--url goes with --update only"};
  }
}

int runUpdate(Invocation& a, const Context& k) {
  if (k.userDir.empty()) {
    k.err << "welvaro-cli ssn: no folder for the user's files (HOME is not set)\n";
    return kExitFileError;
  }
  std::error_code ec;
  std::filesystem::create_directories(k.userDir, ec);
  ProgramDirs dirs = tableDirs(k);
  // The address: --url, else WELVARO_SOLAR_URL, else the window's setting.
  State& s = *a.s;
  s.SolarUrl = readWindowPrefs(ownFile(dirs, kWindowPrefsFile)).solarUrl;
  SolarUpdateRequest r = solarUpdateRequest(s, dirs, k.clock.now());
  if (a.has("--url")) {
    r.base = a.url;
    while (r.base.ends_with('/')) r.base.pop_back();
  }
  const SolarUpdateResult res = updateSunspotTable(r);
  if (!res.ok) {
    k.err << "welvaro-cli ssn: " << solarUpdateMessage(kEnglish, res) << "\n";
    return kExitFileError;
  }
  k.out << solarUpdateMessage(kEnglish, res) << " " << r.target.string() << "\n";
  return kExitOk;
}

int runSsn(Invocation& a, const Context& k) {
  if (a.update) return runUpdate(a, k);
  LoadedSunspotTable t;
  try {
    t = tableInUse(k, "welvaro-cli ssn");
  } catch (const FileProblem& e) {
    k.err << "welvaro-cli ssn: " << e.message << "\n";
    return kExitFileError;
  }
  const YearMonth month = askedMonth(a);
  const auto found = findMonth(t.table, month);
  if (!found) {
    k.err << "welvaro-cli ssn: " << notInTable(month, t.table) << "\n";
    return kExitBadArguments;
  }
  if (a.format == "json") {
    nlohmann::ordered_json j;
    j["month"] = yearMonthText(month);
    j["ssn"] = found->ssn;
    j["kind"] = sunspotKindName(found->kind);
    j["table"] = yearMonthText(t.table.date);
    j["origin"] = sunspotOriginName(t.origin);
    // One line, a blank after every colon and comma.
    std::string line = "{";
    for (const auto& [key, value] : j.items())
      line += (line.size() > 1 ? ", " : "") + nlohmann::json(key).dump() + ": " + value.dump();
    k.out << line << "}\n";
  } else {
    k.out << yearMonthText(month) << ": sunspot number " << PlainText(found->ssn) << " ("
          << sunspotKindName(found->kind) << "; NOAA table of " << yearMonthText(t.table.date) << ", "
          << sunspotOriginName(t.origin) << ")\n";
  }
  return kExitOk;
}

}  // namespace

void takeSsnFromTable(Invocation& a, const Context& k) {
  const LoadedSunspotTable t = tableInUse(k, "welvaro-cli");
  const YearMonth month = askedMonth(a);
  State& s = *a.s;
  s.SsnFromTable = 1;
  applySunspotTable(s, t, month);
  if (s.SsnSource != kSsnObserved && s.SsnSource != kSsnPredicted)
    throw BadArgument{"--ssn table: " + notInTable(month, t.table)};
}

Command ssnCommand() {
  return {.name = "ssn",
          .options = {"--month", "--date", "--format", "--update", "--url"},
          .formats = {"text", "json"},
          .check = checkSsnOptions,
          .run = runSsn};
}

}  // namespace welvaro::cli
