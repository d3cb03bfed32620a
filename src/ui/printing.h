// Sends the printed report's page to a printer (or a PDF file through the
// same printing path): each text at its character column in a fixed-pitch
// font, so that the table's columns line up as on the character page.
#pragma once

#include <QFont>
#include <QPagedPaintDevice>
#include <vector>

#include "report/report.h"

namespace welvaro::ui {

/// The report's font at `size` points: "Courier" where the system has
/// a fixed-pitch font of that name (or one it stands in for it), else the
/// system's fixed-pitch font.
QFont printFont(int size);

/// Paints the page on a printer or PDF writer: margins as the PDF page of
/// the core has them, each text item at its column (one column is the
/// advance of a character of the line's font), each line 1.15 times its
/// font size high. A page taller than the paper's printable area (Letter
/// paper, large printer margins) is scaled down to fit, so that it stays
/// one page. Returns false when the device cannot be painted on or the
/// print job fails.
bool paintPage(QPagedPaintDevice& device, const std::vector<PrintLine>& page);

}  // namespace welvaro::ui
