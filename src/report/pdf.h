// The printed report as a one-page PDF file: an A4 page in the standard
// Courier font, each text at its character column, as the printer would
// place it. Used where the report goes to a file instead of a printer.
#pragma once

#include <string>
#include <vector>

#include "report/report.h"

namespace welvaro {

/// Layout of the page, in points (1/72 inch).
inline constexpr double kSheetWidth = 595.28;  ///< A4 width
inline constexpr double kSheetHeight = 841.89;   ///< A4 height
inline constexpr double kSheetMarginLeft = 40;   ///< left edge of column 1
inline constexpr double kSheetMarginTop = 36;    ///< top edge of the first line
/// Line height as a multiple of the line's font size.
inline constexpr double kLineFactor = 1.15;
/// Width of one character column as a multiple of the font size (Courier
/// is 600/1000 em wide in every character).
inline constexpr double kColumnFactor = 0.6;

/// The page as the bytes of a PDF 1.4 file: one A4 page, the base-14 font
/// Courier (not embedded) in WinAnsiEncoding. A text item at column n of a
/// line of size g starts kSheetMarginLeft + (n - 1) * 0.6 * g points from
/// the left edge; lines follow each other at 1.15 times their size. Texts
/// are converted to Windows-1252 (a character outside it prints as '?').
std::string printPdf(const std::vector<PrintLine>& page);

}  // namespace welvaro
