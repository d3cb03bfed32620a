#include <optional>
#include <ostream>

#include "cli/commands.h"
#include "files/fileio.h"
#include "files/programdir.h"

namespace welvaro::cli {

namespace {

const char* kUsage =
    "usage: welvaro-cli <command> [options]\n"
    "\n"
    "commands:\n"
    "  link     day-corrected forecast of the link A-B (--format text|csv|json,\n"
    "           --memories F1,F2,F3,F4,F5,F6; --outlook: the outlook per hour and MHz)\n"
    "  point    point result of the link A-B as the text panel shows it, with the\n"
    "           outlook line (--freq MHZ --utc HH:MM, --lang 0..5, --name-a TEXT,\n"
    "           --name-b TEXT, --format text|json)\n"
    "  bands    the link A-B in the ten amateur bands 160 m .. 10 m at --utc HH:MM\n"
    "           and the hours after it (--hours N, 1..24; --level, --field or\n"
    "           --outlook: symbol and margin, and the best band, in --lang 0..5;\n"
    "           --format text|csv|json)\n"
    "  table    world forecast table from station A, written as DIR/Welvaro.tab\n"
    "           (--dir DIR; the header carries the date of --date)\n"
    "  map      world-map picture DIR/WelvDar1.bmp from DIR/Welvaro.tab and\n"
    "           DIR/MapWelt.dat (--dir DIR --freq MHZ --utc HH:MM, --level, --field\n"
    "           or --outlook)\n"
    "  chart    chart picture of the link A-B, DIR/WelvDar2.bmp, with DIR/MapOrt.dat\n"
    "           (--dir DIR, --level, --field or --outlook; level is the default)\n"
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
    "  heard    reads receiver logs (ALL.TXT) into the store of heard decodes and\n"
    "           sums them up per band: --log FILE... [--store FILE]\n"
    "           [--since 15m|1h|6h|24h|all, counted back from the newest decode]\n"
    "           [--band 20m] [--rx LAT,LON|LOCATOR, the receiver; default station A]\n"
    "           [--list] [--keep-days N] [--format text|json]\n"
    "  listen   receives the receiver's UDP messages into the store and sums them\n"
    "           up at the end: [--udp ADDR:PORT, default 127.0.0.1:2237; a group in\n"
    "           224.0.0.0/4 is joined on loopback] [--seconds N, default until\n"
    "           Ctrl-C] [--store FILE] [--rx LAT,LON] [--keep-days N]\n"
    "           [--format text|json]\n"
    "  ssn      NOAA's smoothed sunspot number of a month from the table in use:\n"
    "           value, observed or predicted, the table's date, shipped or updated\n"
    "           (--month M|YYYY-MM, --date YYYY-MM-DD, --format text|json)\n"
    "           ssn --update [--url BASE]: fetch NOAA's current table into the\n"
    "           user's data folder; BASE is the address up to /json/solar-cycle/\n"
    "           (default https://services.swpc.noaa.gov, or WELVARO_SOLAR_URL)\n"
    "\n"
    "common options:\n"
    "  --a LAT,LON        station A (default 48.1,11.5); also a Maidenhead locator\n"
    "                     (JN58TD) or a place name (Tokyo; Paris, US); a name several\n"
    "                     places bear means one with ten times the inhabitants of\n"
    "                     any other (said on stderr); St./Saint/Sankt, Mt./Mount,\n"
    "                     Ft./Fort, Moscow/Moskva/Moskau, Kiev/Kyiv are one name\n"
    "  --b LAT,LON        point B (default 40.4,-3.7); also a locator or a place name\n"
    "  --ssn N|table      sunspot number 0..300 (default 128), or table: NOAA's\n"
    "                     smoothed value of the forecast month from the table in use\n"
    "  --power KW         transmitter power (default 0.1)\n"
    "  --gain DBI         antenna gain of station A (default 2.15)\n"
    "  --angle DEG        minimum elevation angle 0..90 (default 20)\n"
    "  --avail 10|50|90   required availability in per cent (default 50)\n"
    "  --path S|L         short or long path (default S)\n"
    "  --date YYYY-MM-DD  the day taken as today (default: today)\n"
    "  --month M|YYYY-MM  month of the forecast 1..12 (default: month of --date);\n"
    "                     for --ssn table the coming month M, or YYYY-MM exactly\n"
    "\n"
    "outlook (link, point, bands, map, chart): will the mode get through?\n"
    "  --mode CW|SSB|FT8|FT4|WSPR|DBHZ   the mode, or what it needs in dB-Hz\n"
    "                     (default FT8: 13 dB-Hz; CW 24, SSB 38, FT4 17, WSPR 6)\n"
    "  --noise city|residential|rural|quiet|DBM   noise at the receiving station,\n"
    "                     or the noise floor read in 2500 Hz in dBm (default\n"
    "                     residential)\n"
    "  --outlook          show the outlook: good when the margin over what the mode\n"
    "                     needs holds on 90 % of the days, fair on 50 %, poor on\n"
    "                     10 %, else closed; point and bands --format json give\n"
    "                     snr_db_hz, required_db_hz, margin_db and outlook always\n"
    "\n"
    "exit status: 0 success, 2 bad arguments, 3 model fault, 4 file error\n";

// Before a subcommand runs: every file it will write must be one the
// writer may replace (a FIFO, device, socket or folder of that name ends
// the call at once, before any work); then what interrupted runs left
// beside those files, and in --dir, is cleared away, as the window does at
// its start.
int prepareOutputs(const Command& b, const Invocation& a, const Context& k) {
  if (!b.outputs) return kExitOk;
  const std::vector<std::filesystem::path> files = b.outputs(a);
  for (const std::filesystem::path& f : files)
    if (const FileStatus st = checkOutputFile(f); !st.ok()) {
      k.err << "welvaro-cli " << b.name << ": " << st.message << "\n";
      return kExitFileError;
    }
  if (!a.dir.empty()) removeLeftovers(a.dir);
  for (const std::filesystem::path& f : files) removeLeftoversOf(f);
  return kExitOk;
}

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
  for (const Command& b :
       {linkCommand(), pointCommand(), tableCommand(), mapCommand(), chartCommand(), reportCommand(), bandsCommand(),
        heardCommand(), listenCommand(), ssnCommand(), sunCommand()}) {
    if (b.name != cmd) continue;
    std::optional<Invocation> a;
    try {
      a = readOptions(b, std::vector<std::string>(argv.begin() + 2, argv.end()), k);
    } catch (const BadArgument& e) {
      k.err << "welvaro-cli " << b.name << ": " << e.message << "\n";
      return kExitBadArguments;
    } catch (const FileProblem& e) {
      k.err << "welvaro-cli " << b.name << ": " << e.message << "\n";
      return kExitFileError;
    }
    // Which place a name was taken as, beside the output.
    for (const std::string& note : a->notes) k.err << "welvaro-cli " << b.name << ": " << note << "\n";
    if (const int rc = prepareOutputs(b, *a, k); rc != kExitOk) return rc;
    return b.run(*a, k);
  }
  k.err << "welvaro-cli: unknown command '" << cmd << "'\n" << kUsage;
  return kExitBadArguments;
}

int runCli(const std::vector<std::string>& argv, const Clock& clock, std::ostream& out, std::ostream& err) {
  const ProgramDirs dirs = resolveProgramDirs(systemProgramDirInputs());
  return runCli(argv, Context{clock, dirs.dataDirs, out, err, dirs.writeDir});
}

}  // namespace welvaro::cli
