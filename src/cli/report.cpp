// welvaro-cli report: the printed report of the link A-B at the six memory
// frequencies, as plain text or as the PDF page the printer would get. The
// report is made as the desktop program makes it after a display
// generation: the point result runs first (it cuts the station names and
// takes the positions to the tenth of a degree), then the report's table.
#include <optional>
#include <ostream>

#include "cli/commands.h"
#include "display/point.h"
#include "files/fileio.h"
#include "lang/sprachtext.h"
#include "report/pdf.h"
#include "report/report.h"
#include "state/fault.h"

namespace welvaro::cli {

namespace {

// Exactly one of the two output forms.
void checkOutput(const Invocation& a) {
  if (a.has("--text") == a.has("--pdf")) throw BadArgument{"give one of --text or --pdf FILE"};
}

int runReport(Invocation& a, const Context& k) {
  setNames(a);
  State& s = *a.s;
  // The footer carries the moment of the call (--date sets the forecast day only).
  const DateTime now = k.clock.now();
  s.Darstellung = 2.0f;
  s.Zeitpunkt = s.Jetzt;
  s.JahrText = std::to_string(s.Jetzt.year);
  fillMonthNames(s);

  // The point result leaves the link as the report prints it; its own
  // value at the display frequency plays no part here.
  prgPointErgebnis(s);
  int rc = prgDruckTabelle(s);
  std::vector<PrintLine> page;
  if (rc == 0) rc = guarded([&] { page = printPage(s, now); });
  if (rc != 0) {
    k.err << "welvaro-cli report: model fault: " << faultName(rc) << " (run-time error " << rc
        << "); no report made\n";
    return kExitModelFault;
  }

  if (a.has("--text")) {
    k.out << printText(page);
    return kExitOk;
  }
  const std::string pdf = printPdf(page);
  // Replaced whole: a run killed while writing leaves the old report.
  if (const FileStatus st = replaceFile(a.pdf, pdf); !st.ok()) {
    k.err << "welvaro-cli report: cannot write '" << a.pdf << "': " << reasonOf(st, a.pdf) << "\n";
    return kExitFileError;
  }
  k.out << a.pdf << ": " << pdf.size() << " bytes\n";
  return kExitOk;
}

}  // namespace

Command reportCommand() {
  return {.name = "report",
          .options = withCommon(
              {"--memories", "--level", "--field", "--lang", "--name-a", "--name-b", "--text", "--pdf"}),
          .check = checkOutput,
          .run = runReport,
          .outputs = [](const Invocation& a) {
            return a.pdf.empty() ? std::vector<std::filesystem::path>{} : std::vector{std::filesystem::path(a.pdf)};
          }};
}

}  // namespace welvaro::cli
