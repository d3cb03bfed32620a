#include <optional>
#include <ostream>

#include "cli/commands.h"
#include "files/programdir.h"

namespace welvaro::cli {

namespace {

const char* kUsage =
    "usage: welvaro-cli <command> [options]\n"
    "\n"
    "commands:\n"
    "  link     day-corrected forecast of the link A-B (--format text|csv|json,\n"
    "           --memories F1,F2,F3,F4,F5,F6)\n"
    "  point    point result of the link A-B as the text panel shows it\n"
    "           (--freq MHZ --utc HH:MM, --lang 0..5, --name-a TEXT, --name-b TEXT,\n"
    "           --format text|json)\n"
    "  bands    the link A-B in the ten amateur bands 160 m .. 10 m at --utc HH:MM\n"
    "           and the hours after it (--hours N, 1..24; --level or --field;\n"
    "           --format text|csv|json)\n"
    "  table    world forecast table from station A, written as DIR/Welvaro.tab\n"
    "           (--dir DIR; the header carries the date of --date)\n"
    "  map      world-map picture DIR/WelvDar1.bmp from DIR/Welvaro.tab and\n"
    "           DIR/MapWelt.dat (--dir DIR --freq MHZ --utc HH:MM, --level or --field)\n"
    "  chart    chart picture of the link A-B, DIR/WelvDar2.bmp, with DIR/MapOrt.dat\n"
    "           (--dir DIR, --level or --field; level is the default)\n"
    "           map and chart with --png FILE: a PNG picture at any size instead,\n"
    "           with coastlines, land and sea, scales, colour bar and a caption\n"
    "           (in the language of --lang 0..5); --size WxH is the size of the\n"
    "           whole PNG (default 1280x660, azimuthal map 980x860); the map also\n"
    "           takes --projection rect|azimuthal (centred on station A),\n"
    "           --greyline (night side hatched) and --b LAT,LON [--path S|L]\n"
    "           (path A-B)\n"
    "  sun      the sub-solar point at --utc HH:MM on the date, and sunrise and\n"
    "           sunset (UTC, the sun's centre 0.833 degrees below the horizon) at\n"
    "           station A and point B on that UTC date (--format text|json; none\n"
    "           in polar day or night)\n"
    "  report   printed report of the link A-B at the six memory frequencies\n"
    "           (--text or --pdf FILE; --memories F1,...,F6, --level or --field,\n"
    "           --lang 0..5, --name-a TEXT, --name-b TEXT)\n"
    "\n"
    "common options:\n"
    "  --a LAT,LON        station A (default 48.1,11.5); also a Maidenhead locator\n"
    "                     (JN58TD) or a place name (Tokyo; Paris, US)\n"
    "  --b LAT,LON        point B (default 40.4,-3.7); also a locator or a place name\n"
    "  --ssn N            sunspot number 0..300 (default 128)\n"
    "  --power KW         transmitter power (default 0.1)\n"
    "  --gain DBI         antenna gain of station A (default 2.15)\n"
    "  --angle DEG        minimum elevation angle 0..90 (default 20)\n"
    "  --avail 10|50|90   required availability in per cent (default 50)\n"
    "  --path S|L         short or long path (default S)\n"
    "  --date YYYY-MM-DD  the day taken as today (default: today)\n"
    "  --month M          month of the forecast 1..12 (default: month of --date)\n"
    "\n"
    "exit status: 0 success, 2 bad arguments, 3 model fault, 4 file error\n";

}  // namespace

std::filesystem::path dataFileFor(const Invocation& a, const Context& k, std::string_view name) {
  ProgramDirs d;
  d.dataDirs.push_back(a.dir);
  d.dataDirs.insert(d.dataDirs.end(), k.dataFolders.begin(), k.dataFolders.end());
  return dataFile(d, name);
}

int runCli(const std::vector<std::string>& argv, const Context& k) {
  if (argv.size() < 2) {
    k.err << kUsage;
    return kExitBadArguments;
  }
  const std::string& cmd = argv[1];
  if (cmd == "--help" || cmd == "-h" || cmd == "help") {
    k.out << kUsage;
    return kExitOk;
  }
  for (const Command& b : {linkCommand(), pointCommand(), tableCommand(), mapCommand(), chartCommand(), reportCommand(),
                          bandsCommand(), sunBefehl()}) {
    if (b.name != cmd) continue;
    std::optional<Invocation> a;
    try {
      a = readOptions(b, std::vector<std::string>(argv.begin() + 2, argv.end()), k);
    } catch (const BadArgument& e) {
      k.err << "welvaro-cli " << b.name << ": " << e.message << "\n";
      return kExitBadArguments;
    }
    return b.run(*a, k);
  }
  k.err << "welvaro-cli: unknown command '" << cmd << "'\n" << kUsage;
  return kExitBadArguments;
}

int runCli(const std::vector<std::string>& argv, const Clock& clock, std::ostream& out, std::ostream& err) {
  const ProgramDirs dirs = resolveProgramDirs(systemProgramDirInputs());
  return runCli(argv, Context{clock, dirs.dataDirs, out, err});
}

}  // namespace welvaro::cli
