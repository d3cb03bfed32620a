#include "ui/drucken.h"

#include <QDir>
#include <QFileDialog>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QMarginsF>
#include <QPageLayout>
#include <QMessageBox>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QStatusBar>

#include "lang/sprachtext.h"
#include "report/pdf.h"
#include "state/fault.h"
#include "ui/mainwindow.h"

namespace welvaro::ui {

QFont druckSchrift(int groesse) {
  QFont f(QString::fromLatin1(kDruckSchrift.data(), static_cast<qsizetype>(kDruckSchrift.size())));
  f.setStyleHint(QFont::TypeWriter);
  f.setFixedPitch(true);
  f.setPointSize(groesse);
  if (QFontInfo(f).fixedPitch()) return f;
  QFont fest = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  fest.setPointSize(groesse);
  return fest;
}

bool druckeSeite(QPagedPaintDevice& geraet, const std::vector<DruckZeile>& seite) {
  // The core's margins; a printer that cannot print so near the edge keeps
  // its own.
  geraet.setPageMargins(QMarginsF(kBlattRandLinks, kBlattRandOben, 36, 36), QPageLayout::Point);

  QPainter p;
  if (!p.begin(&geraet)) return false;
  const double proPunktY = geraet.logicalDpiY() / 72.0;

  double hoehe = 0;
  for (const DruckZeile& z : seite) hoehe += kZeilenFaktor * z.groesse * proPunktY;
  const double platz = geraet.height();
  if (hoehe > platz && hoehe > 0) {
    const double f = platz / hoehe;
    p.scale(f, f);
  }

  double oben = 0;
  for (const DruckZeile& z : seite) {
    const QFont schrift = druckSchrift(z.groesse);
    p.setFont(schrift);
    const QFontMetricsF fm(schrift, &geraet);
    const double spalte = fm.horizontalAdvance(QLatin1Char('0'));
    const double grundlinie = oben + 0.9 * z.groesse * proPunktY;
    for (const DruckTeil& t : z.teile)
      p.drawText(QPointF((t.spalte - 1) * spalte, grundlinie), QString::fromStdString(t.text));
    oben += kZeilenFaktor * z.groesse * proPunktY;
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
  std::vector<DruckZeile> seite;
  if (rc == 0) rc = guarded([&] { seite = druckSeite(s, clock_.now()); });

  // Every way out tells the user what became of the report: in the status
  // bar, and a failure also in a message box.
  auto melde = [&](const QString& meldung, bool fehler) {
    letzteDruckMeldung = meldung;
    statusBar()->showMessage(meldung, 15000);
    if (fehler && testPdfDatei.isEmpty()) QMessageBox::warning(this, "Welvaro", meldung);
  };
  if (rc != 0) {
    melde(text(s, kTxBerichtFehler)
              .arg(rc),
          true);
    return;
  }

  // The default printer; where there is none, the print dialog lets the
  // user pick one of the printers set up.
  QString grund;
  const QPrinterInfo standard = testKeinDrucker ? QPrinterInfo() : QPrinterInfo::defaultPrinter();
  if (!standard.isNull()) {
    QPrinter drucker(standard, QPrinter::HighResolution);
    drucker.setDocName("Welvaro");
    if (druckeSeite(drucker, seite)) {
      melde(text(s, kTxBerichtGesendet).arg(standard.printerName()), false);
      return;
    }
    grund = text(s, kTxDruckerAbgelehnt)
                .arg(standard.printerName());
  } else if (!testKeinDrucker && !QPrinterInfo::availablePrinters().isEmpty()) {
    QPrinter drucker(QPrinter::HighResolution);
    drucker.setDocName("Welvaro");
    QPrintDialog dialog(&drucker, this);
    if (dialog.exec() != QDialog::Accepted) {
      melde(text(s, kTxDruckAbgebrochen), false);
      return;
    }
    if (druckeSeite(drucker, seite)) {
      melde(text(s, kTxBerichtGesendet).arg(drucker.printerName()), false);
      return;
    }
    grund = text(s, kTxDruckerAbgelehnt)
                .arg(drucker.printerName());
  } else {
    grund = text(s, kTxKeinDrucker);
  }

  // No printer took the page: offer to save it as a PDF file, painted as
  // the printer would have got it.
  QString datei = testPdfDatei;
  if (datei.isEmpty()) {
    const auto antwort =
        QMessageBox::question(this, "Welvaro",
                              grund + "\n\n" + text(s, kTxAlsPdfFrage),
                              QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes);
    if (antwort == QMessageBox::Yes)
      datei = QFileDialog::getSaveFileName(this, text(s, kTxBerichtSpeichern),
                                           QDir::home().filePath("Welvaro.pdf"), "PDF (*.pdf)");
    if (datei.isEmpty()) {
      melde(grund + " " + text(s, kTxNichtGedruckt), false);
      return;
    }
  }
  QPrinter pdf(QPrinter::HighResolution);
  pdf.setOutputFormat(QPrinter::PdfFormat);
  pdf.setOutputFileName(datei);
  pdf.setPageSize(QPageSize(QPageSize::A4));
  pdf.setDocName("Welvaro");
  if (druckeSeite(pdf, seite))
    melde(text(s, kTxAlsPdfGespeichert).arg(QDir::toNativeSeparators(datei)), false);
  else
    melde(text(s, kTxPdfFehler)
              .arg(QDir::toNativeSeparators(datei)),
          true);
}

}  // namespace welvaro::ui
