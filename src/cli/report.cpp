// welvaro-cli report: the printed report of the link A-B at the six memory
// frequencies, as plain text or as the PDF page the printer would get. The
// report is made as the desktop program makes it after a display
// generation: the point result runs first (it cuts the station names and
// takes the positions to the tenth of a degree), then the report's table.
#include <fstream>
#include <memory>
#include <optional>
#include <ostream>

#include "cli/commands.h"
#include "cli/options.h"
#include "display/point.h"
#include "lang/sprachtext.h"
#include "report/pdf.h"
#include "report/report.h"
#include "state/fault.h"

namespace welvaro::cli {

int runReport(const std::vector<std::string>& argv, const Clock& clock, std::ostream& out, std::ostream& err) {
  auto s = std::make_unique<State>();
  const DateTime jetzt = clock.now();
  s->Jetzt = jetzt;
  Common common;
  bool level = false, field = false, text = false;
  std::string pdfDatei;
  std::optional<std::string> nameA, nameB;
  try {
    Arguments args(argv);
    while (!args.done()) {
      const std::string opt = args.next("option");
      // A station given by position alone is no longer the named default.
      if (opt == "--a") s->OrtA.clear();
      if (opt == "--b") s->OrtB.clear();
      if (applyCommon(*s, common, opt, args)) continue;
      if (opt == "--memories") {
        setzeSpeicher(*s, opt, args.next(opt));
      } else if (opt == "--level") {
        level = true;
      } else if (opt == "--field") {
        field = true;
      } else if (opt == "--lang") {
        const std::string t = args.next(opt);
        if (t.size() != 1 || t[0] < '0' || t[0] > '5') throw BadArgument{"--lang takes a language index 0..5"};
        s->L = static_cast<int16>(t[0] - '0');
      } else if (opt == "--name-a") {
        nameA = args.next(opt);
      } else if (opt == "--name-b") {
        nameB = args.next(opt);
      } else if (opt == "--text") {
        text = true;
      } else if (opt == "--pdf") {
        pdfDatei = args.next(opt);
        if (pdfDatei.empty()) throw BadArgument{"--pdf needs a file name"};
      } else {
        throw BadArgument{"unknown option '" + opt + "'"};
      }
    }
    if (level && field) throw BadArgument{"--level and --field exclude each other"};
    if (text == !pdfDatei.empty()) throw BadArgument{"give one of --text or --pdf FILE"};
    finishCommon(*s, common);
    // A name holds whatever the order of --name-a and --a.
    if (nameA) s->OrtA = *nameA;
    if (nameB) s->OrtB = *nameB;
  } catch (const BadArgument& e) {
    err << "welvaro-cli report: " << e.message << "\n";
    return kExitBadArguments;
  }

  s->PegelFlag = field ? 0 : 1;
  s->Darstellung = 2.0f;
  s->Zeitpunkt = s->Jetzt;
  s->JahrText = std::to_string(s->Jetzt.year);
  fuelleMonatsNamen(*s);

  // The point result leaves the link as the report prints it; its own
  // value at the display frequency plays no part here.
  prgPointErgebnis(*s);
  int rc = prgDruckTabelle(*s);
  std::vector<DruckZeile> seite;
  if (rc == 0) rc = guarded([&] { seite = druckSeite(*s, jetzt); });
  if (rc != 0) {
    err << "welvaro-cli report: model fault: " << faultName(rc) << " (run-time error " << rc
        << "); no report made\n";
    return kExitModelFault;
  }

  if (text) {
    out << druckText(seite);
    return kExitOk;
  }
  const std::string pdf = druckPdf(seite);
  std::ofstream datei(pdfDatei, std::ios::binary | std::ios::trunc);
  datei.write(pdf.data(), static_cast<std::streamsize>(pdf.size()));
  datei.close();
  if (!datei) {
    err << "welvaro-cli report: cannot write '" << pdfDatei << "'\n";
    return kExitFileError;
  }
  out << pdfDatei << ": " << pdf.size() << " bytes\n";
  return kExitOk;
}

}  // namespace welvaro::cli
