// The printed report: a one-page forecast of the link A-B at the six memory
// frequencies. The core computes its table and lays out the page as lines of
// text items placed at character columns; the desktop program sends those
// lines to the printer, the command-line tool writes them as plain text or
// as a PDF page.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "state/datetime.h"
#include "state/state.h"

namespace welvaro {

/// Font of the page: a fixed-pitch font, body 12 pt, footer 8 pt.
inline constexpr std::string_view kPrintFont = "Courier";
inline constexpr int kPrintSize = 12;
inline constexpr int kPrintFooterSize = 8;

/// Start of the footer text; the printing date and time follow it directly.
inline constexpr std::string_view kPrintFooterTag = "QX9QQ.DOC/";

/// One text of a printed line, starting at character column `column`
/// (column 1 is the left margin; a column is one character of the line's
/// font).
struct PrintItem {
  int column = 1;
  std::string text;  ///< UTF-8

  friend bool operator==(const PrintItem&, const PrintItem&) = default;
};

/// One printed line: its font size in points and its texts, left to right.
/// A line without texts is an empty line of that font size.
struct PrintLine {
  int size = kPrintSize;
  std::vector<PrintItem> items;
};

/// The report's table, computed before the page is laid out:
///  1. DruckFlag := 1; row 0 of DruckTabelle takes Speicher1 .. Speicher6.
///  2. The day-corrected forecast of the link A-B, which with DruckFlag = 1
///     computes the six memory frequencies into ErgFeld slice 0, columns 2..7.
///  3. Rows 1..24: the hour in column 0, and for each memory the field
///     strength held to -52..52 dB(uV/m) (PegelFlag = 0), or the level
///     floor(45 - 20 log10(f Hz + 0.1) + field strength) held to
///     -127..-13 dBm (PegelFlag = 1). The value is also written back into
///     ErgFeld slice 0.
///  4. DruckFlag := 0, also when the calculation failed.
/// Returns 0, or the model's fault code; after a fault the table rows are
/// not to be printed.
int prgDruckTabelle(State& s);

/// The page as lines, from the state after prgDruckTabelle (and the point
/// result before it, which leaves the stations cut to 15 characters and
/// their positions to the tenth of a degree). `now` is the local date and
/// time printed in the footer. The language is L, the unit PegelFlag.
/// Raises the subscript fault when L or Monat lies outside its range.
std::vector<PrintLine> printPage(const State& s, const DateTime& now);

/// The printing time as the footer shows it: "dd.mm.yyyy hh:mm:ss".
std::string printTimeText(const DateTime& t);

/// The page as plain UTF-8 text, one printed line per text line (each ended
/// by a line feed): a text that starts in column n follows n - 1 characters
/// of blanks and earlier texts. Empty lines are kept, font sizes not shown.
std::string printText(const std::vector<PrintLine>& page);

/// Length of a UTF-8 text in characters (the columns it covers).
int printChars(std::string_view utf8);

}  // namespace welvaro
