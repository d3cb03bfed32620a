// welvaro-cli point: the point result of the link A-B at one frequency and
// one UTC minute, as the main window's text panel shows it.
#include <charconv>
#include <memory>
#include <ostream>

#include "cli/commands.h"
#include "cli/options.h"
#include "display/point.h"
#include "lang/sprachtext.h"
#include "state/fault.h"

namespace welvaro::cli {

namespace {

// "HH:MM" (or "H:MM"), 00:00 .. 23:59.
bool parseUtc(const std::string& t, int& stunde, int& minute) {
  const auto colon = t.find(':');
  if (colon == std::string::npos || colon == 0 || colon > 2 || t.size() != colon + 3) return false;
  auto num = [&](std::size_t from, std::size_t to, int& out) {
    auto r = std::from_chars(t.data() + from, t.data() + to, out);
    return r.ec == std::errc() && r.ptr == t.data() + to;
  };
  return num(0, colon, stunde) && num(colon + 1, t.size(), minute) && stunde >= 0 && stunde <= 23 && minute >= 0 &&
         minute <= 59;
}

// Writes a caption line by line: its line breaks become the ends of lines.
void zeilen(std::ostream& out, std::string_view text) {
  for (;;) {
    const auto bruch = text.find(kPunktUmbruch);
    out << text.substr(0, bruch) << '\n';
    if (bruch == std::string_view::npos) return;
    text.remove_prefix(bruch + kPunktUmbruch.size());
  }
}

}  // namespace

int runPoint(const std::vector<std::string>& argv, const Clock& clock, std::ostream& out, std::ostream& err) {
  auto s = std::make_unique<State>();
  s->Jetzt = clock.now();
  Common common;
  bool freqGiven = false, utcGiven = false;
  int stunde = 0, minute = 0;
  try {
    Arguments args(argv);
    while (!args.done()) {
      const std::string opt = args.next("option");
      // A station given by position alone is no longer the named default.
      if (opt == "--a") s->OrtA.clear();
      if (opt == "--b") s->OrtB.clear();
      if (applyCommon(*s, common, opt, args)) continue;
      if (opt == "--freq") {
        const std::string t = args.next(opt);
        const auto v = strictNumber(t);
        if (!v || *v < 1 || *v > 30) throw BadArgument{"--freq takes a frequency 1 .. 30 MHz, not '" + t + "'"};
        s->AktFrequenz = static_cast<float>(*v);
        freqGiven = true;
      } else if (opt == "--utc") {
        const std::string t = args.next(opt);
        if (!parseUtc(t, stunde, minute)) throw BadArgument{"--utc takes a time HH:MM, not '" + t + "'"};
        utcGiven = true;
      } else if (opt == "--lang") {
        const std::string t = args.next(opt);
        if (t.size() != 1 || t[0] < '0' || t[0] > '5') throw BadArgument{"--lang takes a language index 0..5"};
        s->L = static_cast<int16>(t[0] - '0');
      } else if (opt == "--name-a") {
        s->OrtA = args.next(opt);
      } else if (opt == "--name-b") {
        s->OrtB = args.next(opt);
      } else {
        throw BadArgument{"unknown option '" + opt + "'"};
      }
    }
    if (!freqGiven) throw BadArgument{"--freq MHZ is required"};
    if (!utcGiven) throw BadArgument{"--utc HH:MM is required"};
    finishCommon(*s, common);
  } catch (const BadArgument& e) {
    err << "welvaro-cli point: " << e.message << "\n";
    return kExitBadArguments;
  }

  s->Zeitpunkt = DateTime{s->Jetzt.year, s->Jetzt.month, s->Jetzt.day, stunde, minute, 0};
  s->JahrText = std::to_string(s->Jetzt.year);
  fuelleMonatsNamen(*s);

  const int rc = prgPointErgebnis(*s);
  zeilen(out, s->GeoAuswertung);
  zeilen(out, s->PegelAnzeige);
  zeilen(out, s->WelvaroAnzeige);
  out << "S-meter: " << s->SmeterWert << "\n";
  if (rc != 0) {
    err << "welvaro-cli point: model fault: " << faultName(rc) << " (run-time error " << rc
        << "); the point has no value\n";
    return kExitModelFault;
  }
  return kExitOk;
}

}  // namespace welvaro::cli
