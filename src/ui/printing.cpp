#include "ui/printing.h"

#include <QBuffer>
#include <QDir>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QMarginsF>
#include <QPageLayout>
#include <QMessageBox>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QStatusBar>

#include "files/fileio.h"
#include "lang/sprachtext.h"
#include "report/pdf.h"
#include "state/fault.h"
#include "ui/mainwindow.h"

namespace welvaro::ui {

QFont printFont(int size) {
  QFont f(QString::fromLatin1(kPrintFont.data(), static_cast<qsizetype>(kPrintFont.size())));
  f.setStyleHint(QFont::TypeWriter);
  f.setFixedPitch(true);
  f.setPointSize(size);
  if (QFontInfo(f).fixedPitch()) return f;
  QFont fixedFont = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  fixedFont.setPointSize(size);
  return fixedFont;
}

bool paintPage(QPagedPaintDevice& device, const std::vector<PrintLine>& page) {
  // The core's margins; a printer that cannot print so near the edge keeps
  // its own.
  device.setPageMargins(QMarginsF(kSheetMarginLeft, kSheetMarginTop, 36, 36), QPageLayout::Point);

  QPainter p;
  if (!p.begin(&device)) return false;
  const double perPointY = device.logicalDpiY() / 72.0;

  double height = 0;
  for (const PrintLine& z : page) height += kLineFactor * z.size * perPointY;
  const double room = device.height();
  if (height > room && height > 0) {
    const double f = room / height;
    p.scale(f, f);
  }

  double top = 0;
  for (const PrintLine& z : page) {
    const QFont font = printFont(z.size);
    p.setFont(font);
    const QFontMetricsF fm(font, &device);
    const double column = fm.horizontalAdvance(QLatin1Char('0'));
    const double baseline = top + 0.9 * z.size * perPointY;
    for (const PrintItem& t : z.items)
      p.drawText(QPointF((t.column - 1) * column, baseline), QString::fromStdString(t.text));
    top += kLineFactor * z.size * perPointY;
  }
  return p.end();
}

// ---- The report from the main window ------------------------------------------

namespace {

// A text of the printing path in the current language.
QString text(const State& s, Text key) { return QString::fromStdString(T(s, key)); }

}  // namespace

void MainWindow::prgDrucken() {
  State& s = *s_;
  int rc = prgDruckTabelle(s);
  std::vector<PrintLine> page;
  if (rc == 0) rc = guarded([&] { page = printPage(s, clock_.now()); });

  // Every way out tells the user what became of the report: in the status
  // bar, and a failure also in a message box.
  auto notify = [&](const QString& message, bool fault) {
    statusBar()->showMessage(message, 15000);
    if (fault) {
      QMessageBox box(QMessageBox::Warning, "Welvaro", message, QMessageBox::Ok, this);
      dialogs_->ask(box);
    }
  };
  if (rc != 0) {
    notify(text(s, kTxBerichtFehler)
              .arg(rc),
          true);
    return;
  }

  // The default printer; where there is none, the print dialog lets the
  // user pick one of the printers set up.
  QString background;
  const QPrinterInfo standard = dialogs_->defaultPrinter();
  if (!standard.isNull()) {
    QPrinter printer(standard, QPrinter::HighResolution);
    printer.setDocName("Welvaro");
    if (paintPage(printer, page)) {
      notify(text(s, kTxBerichtGesendet).arg(standard.printerName()), false);
      return;
    }
    background = text(s, kTxDruckerAbgelehnt)
                .arg(standard.printerName());
  } else if (dialogs_->anyPrinter()) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName("Welvaro");
    QPrintDialog dialog(&printer, this);
    if (dialogs_->run(dialog) != QDialog::Accepted) {
      notify(text(s, kTxDruckAbgebrochen), false);
      return;
    }
    if (paintPage(printer, page)) {
      notify(text(s, kTxBerichtGesendet).arg(printer.printerName()), false);
      return;
    }
    background = text(s, kTxDruckerAbgelehnt)
                .arg(printer.printerName());
  } else {
    background = text(s, kTxKeinDrucker);
  }

  // No printer took the page: offer to save it as a PDF file, painted as
  // the printer would have got it.
  QString file;
  QMessageBox question(QMessageBox::Question, "Welvaro", background + "\n\n" + text(s, kTxAlsPdfFrage),
                       QMessageBox::Yes | QMessageBox::No, this);
  question.setDefaultButton(QMessageBox::Yes);
  if (dialogs_->ask(question) == QMessageBox::Yes)
    file = dialogs_->saveFileName(this, text(s, kTxBerichtSpeichern), QDir::home().filePath("Welvaro.pdf"),
                                  "PDF (*.pdf)");
  if (file.isEmpty()) {
    notify(background + " " + text(s, kTxNichtGedruckt), false);
    return;
  }
  // Painted into memory, then replaced whole through the one writer: an
  // old report survives a failed save, and a FIFO or folder of that name is
  // refused.
  QBuffer buffer;
  buffer.open(QIODevice::WriteOnly);
  bool saved = false;
  {
    QPdfWriter pdf(&buffer);
    pdf.setPageSize(QPageSize(QPageSize::A4));
    pdf.setTitle("Welvaro");
    saved = paintPage(pdf, page);
  }
  if (saved) {
    const QByteArray& bytes = buffer.data();
    saved = replaceFile(file.toStdString(), std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())))
                .ok();
  }
  if (saved)
    notify(text(s, kTxAlsPdfGespeichert).arg(QDir::toNativeSeparators(file)), false);
  else
    notify(text(s, kTxPdfFehler)
              .arg(QDir::toNativeSeparators(file)),
          true);
}

}  // namespace welvaro::ui
