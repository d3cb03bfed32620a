// The printed report from the desktop window, run offscreen: without a
// printer the page is offered as a PDF file (the test hook takes the offer),
// and the page painted on a printer keeps its columns and stays one page.
#include <QtTest>

#include <QFile>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QPrinter>
#include <QTemporaryDir>
#include <filesystem>

#include "files/programdir.h"
#include "report/report.h"
#include "ui/drucken.h"
#include "ui/mainwindow.h"
#include "uitest.h"

using namespace welvaro;
using welvaro::ui::MainWindow;

namespace {

ProgramDirs ordner(const QTemporaryDir& d) {
  ProgramDirs dirs;
  dirs.writeDir = d.path().toStdString();
  dirs.dataDirs = {d.path().toStdString()};
  return dirs;
}

QByteArray lies(const QString& datei) {
  QFile f(datei);
  if (!f.open(QIODevice::ReadOnly)) return {};
  return f.readAll();
}

// Pages of a PDF file written by Qt: its page objects.
int seiten(const QByteArray& pdf) {
  return static_cast<int>(pdf.count("/Type /Page\n") + pdf.count("/Type /Page ") + pdf.count("/Type /Page/") +
                          pdf.count("/Type /Page>"));
}

}  // namespace

class ReportUiTest : public QObject {
  Q_OBJECT

 private slots:
  void withoutPrinterThePageIsSavedAsPdf();
  void failuresAreToldNotSwallowed();
  void pageOnAPrinterKeepsColumnsAndOnePage();
};

void ReportUiTest::withoutPrinterThePageIsSavedAsPdf() {
  QTemporaryDir dir;
  FixedClock uhr({2026, 5, 20, 14, 0, 5});
  MainWindow w(uhr, ordner(dir));
  w.starten();
  w.show();
  test::ctl<QToolButton>(w, "cmdOrt")->click();  // the report belongs to the chart
  QVERIFY(test::ctl<QToolButton>(w, "cmdDrucker")->isEnabled());
  QVERIFY(test::ctl<QAction>(w, "mnuDrucker")->isEnabled());

  w.testKeinDrucker = true;
  const QString datei = dir.filePath("bericht.pdf");
  w.testPdfDatei = datei;
  test::ctl<QToolButton>(w, "cmdDrucker")->click();
  QByteArray pdf = lies(datei);
  QVERIFY(pdf.startsWith("%PDF-"));
  QCOMPARE(seiten(pdf), 1);
  QCOMPARE(w.letzteDruckMeldung, "Bericht als " + QDir::toNativeSeparators(datei) + " gespeichert.");
  QCOMPARE(w.state().DruckFlag, int16{0});
  // The table the page was made from: 24 hours at the six memories.
  QCOMPARE(w.state().DruckTabelle[0][6], 29.1f);
  QCOMPARE(w.state().DruckTabelle[24][0], 24.0f);

  // The menu item does the same, here in English.
  QFile::remove(datei);
  test::ctl<QAction>(w, QString("mnuBeschriftung%1").arg(1))->trigger();
  test::ctl<QAction>(w, "mnuDrucker")->trigger();
  QVERIFY(lies(datei).startsWith("%PDF-"));
  QCOMPARE(w.letzteDruckMeldung, "Report saved as " + QDir::toNativeSeparators(datei) + ".");
}

void ReportUiTest::failuresAreToldNotSwallowed() {
  QTemporaryDir dir;
  FixedClock uhr({2026, 5, 20, 14, 0, 5});
  MainWindow w(uhr, ordner(dir));
  w.starten();
  test::ctl<QToolButton>(w, "cmdOrt")->click();
  w.testKeinDrucker = true;

  // A file that cannot be written.
  w.testPdfDatei = dir.filePath("no-such-folder/bericht.pdf");
  test::ctl<QAction>(w, "mnuDrucker")->trigger();
  QVERIFY(w.letzteDruckMeldung.startsWith("Der Bericht konnte nicht als "));
  QVERIFY(!QFile::exists(w.testPdfDatei));

  // A link the model cannot compute: nothing is printed or written.
  w.testPdfDatei = dir.filePath("bericht.pdf");
  State& s = w.state();
  s.X1 = 0, s.Y1 = 0, s.OrtX2 = 0, s.OrtY2 = 180;
  s.X2 = 0, s.Y2 = 180;
  test::ctl<QAction>(w, "mnuDrucker")->trigger();
  QCOMPARE(w.letzteDruckMeldung, QString("Der Bericht konnte nicht berechnet werden (Laufzeitfehler 11)."));
  QVERIFY(!QFile::exists(w.testPdfDatei));
  QCOMPARE(s.DruckFlag, int16{0});
}

void ReportUiTest::pageOnAPrinterKeepsColumnsAndOnePage() {
  // The fixed-pitch font: the dots of the weakest value are as wide as its
  // number, so the table's columns line up.
  for (int groesse : {kDruckGroesse, kDruckFussGroesse}) {
    const QFont f = ui::druckSchrift(groesse);
    QVERIFY(QFontInfo(f).fixedPitch());
    const QFontMetricsF fm(f);
    QCOMPARE(fm.horizontalAdvance("...."), fm.horizontalAdvance("-127"));
    QCOMPARE(fm.horizontalAdvance(" ..."), fm.horizontalAdvance(" -52"));
  }

  // A page on A4 and on the shorter Letter paper: one page each.
  State s;
  s.Jetzt = {2026, 5, 20, 14, 0, 0};
  s.Monat = 5;
  s.JahrText = "2026";
  const auto seite = druckSeite(s, {2026, 5, 20, 14, 0, 5});
  QTemporaryDir dir;
  for (const auto groesse : {QPageSize::A4, QPageSize::Letter}) {
    QPrinter drucker(QPrinter::HighResolution);
    drucker.setOutputFormat(QPrinter::PdfFormat);
    const QString datei = dir.filePath(QString("seite-%1.pdf").arg(static_cast<int>(groesse)));
    drucker.setOutputFileName(datei);
    drucker.setPageSize(QPageSize(groesse));
    QVERIFY(ui::druckeSeite(drucker, seite));
    QCOMPARE(seiten(lies(datei)), 1);
  }
}

QTEST_MAIN(ReportUiTest)
#include "report_uitest.moc"
