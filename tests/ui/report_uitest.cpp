// The printed report from the desktop window, run offscreen: without a
// printer the page is offered as a PDF file (the test hook takes the offer),
// and the page painted on a printer keeps its columns and stays one page.
#include <QStatusBar>
#include <QtTest>

#include <QFile>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QPrinter>
#include <QTemporaryDir>
#include <filesystem>
#include <sys/stat.h>

#include "files/programdir.h"
#include "report/report.h"
#include "ui/printing.h"
#include "ui/mainwindow.h"
#include "uitest.h"

using namespace welvaro;
using welvaro::ui::MainWindow;

namespace {

ProgramDirs folder(const QTemporaryDir& d) {
  return test::programFolder(d);
}

QByteArray read(const QString& file) {
  QFile f(file);
  if (!f.open(QIODevice::ReadOnly)) return {};
  return f.readAll();
}

// Pages of a PDF file written by Qt: its page objects.
int pages(const QByteArray& pdf) {
  return static_cast<int>(pdf.count("/Type /Page\n") + pdf.count("/Type /Page ") + pdf.count("/Type /Page/") +
                          pdf.count("/Type /Page>"));
}

}  // namespace

class ReportUiTest : public QObject {
  Q_OBJECT

 private slots:
  void withoutPrinterThePageIsSavedAsPdf();
  void savedPdfReplacesTheOldFileWholeAndRefusesAFifo();
  void failuresAreToldNotSwallowed();
  void pageOnAPrinterKeepsColumnsAndOnePage();
};

void ReportUiTest::withoutPrinterThePageIsSavedAsPdf() {
  QTemporaryDir dir;
  FixedClock clock({2026, 5, 20, 14, 0, 5});
  MainWindow w(clock, folder(dir));
  w.start();
  w.show();
  test::ctl<QToolButton>(w, "cmdOrt")->click();  // the report belongs to the chart
  QVERIFY(test::ctl<QToolButton>(w, "cmdDrucker")->isEnabled());
  QVERIFY(test::ctl<QAction>(w, "mnuDrucker")->isEnabled());

  test::ScriptedDialogs& answers = test::scriptDialogs(w);
  answers.accept = true;
  const QString file = dir.filePath("bericht.pdf");
  answers.file = file;
  test::ctl<QToolButton>(w, "cmdDrucker")->click();
  QByteArray pdf = read(file);
  QVERIFY(pdf.startsWith("%PDF-"));
  QCOMPARE(pages(pdf), 1);
  QCOMPARE(w.statusBar()->currentMessage(), "Bericht als " + QDir::toNativeSeparators(file) + " gespeichert.");
  QCOMPARE(w.state().DruckFlag, int16{0});
  // The table the page was made from: 24 hours at the six memories.
  QCOMPARE(w.state().DruckTabelle[0][6], 29.1f);
  QCOMPARE(w.state().DruckTabelle[24][0], 24.0f);

  // The menu item does the same, here in English.
  QFile::remove(file);
  test::ctl<QAction>(w, QString("mnuBeschriftung%1").arg(1))->trigger();
  test::ctl<QAction>(w, "mnuDrucker")->trigger();
  QVERIFY(read(file).startsWith("%PDF-"));
  QCOMPARE(w.statusBar()->currentMessage(), "Report saved as " + QDir::toNativeSeparators(file) + ".");
}

// The report saved as PDF goes through the program's one writer: an old
// report is replaced by a new file (a second name of the old one keeps its
// bytes), and a FIFO of that name is refused instead of waited on.
void ReportUiTest::savedPdfReplacesTheOldFileWholeAndRefusesAFifo() {
  QTemporaryDir dir;
  FixedClock clock({2026, 5, 20, 14, 0, 5});
  MainWindow w(clock, folder(dir));
  w.start();
  test::ctl<QToolButton>(w, "cmdOrt")->click();
  test::ScriptedDialogs& answers = test::scriptDialogs(w);
  answers.accept = true;

  const QString file = dir.filePath("report.pdf");
  QFile old(file);
  QVERIFY(old.open(QIODevice::WriteOnly));
  old.write("the report of yesterday");
  old.close();
  std::filesystem::create_hard_link(file.toStdString(), dir.filePath("yesterday.pdf").toStdString());
  answers.file = file;
  test::ctl<QAction>(w, "mnuDrucker")->trigger();
  QVERIFY(read(file).startsWith("%PDF-"));
  QCOMPARE(read(dir.filePath("yesterday.pdf")), QByteArray("the report of yesterday"));

  const QString fifo = dir.filePath("fifo.pdf");
  QCOMPARE(::mkfifo(fifo.toLocal8Bit().constData(), 0600), 0);
  answers.file = fifo;
  test::ctl<QAction>(w, "mnuDrucker")->trigger();  // would wait for a reader for good
  QVERIFY(w.statusBar()->currentMessage().startsWith("Der Bericht konnte nicht als "));
  QVERIFY(std::filesystem::is_fifo(fifo.toStdString()));
}

void ReportUiTest::failuresAreToldNotSwallowed() {
  QTemporaryDir dir;
  FixedClock clock({2026, 5, 20, 14, 0, 5});
  MainWindow w(clock, folder(dir));
  w.start();
  test::ctl<QToolButton>(w, "cmdOrt")->click();
  test::ScriptedDialogs& answers = test::scriptDialogs(w);
  answers.accept = true;

  // A file that cannot be written.
  answers.file = dir.filePath("no-such-folder/bericht.pdf");
  test::ctl<QAction>(w, "mnuDrucker")->trigger();
  QVERIFY(w.statusBar()->currentMessage().startsWith("Der Bericht konnte nicht als "));
  QVERIFY(!QFile::exists(answers.file));

  // A link the model cannot compute: nothing is printed or written.
  answers.file = dir.filePath("bericht.pdf");
  State& s = w.state();
  s.X1 = 0, s.Y1 = 0, s.OrtX2 = 0, s.OrtY2 = 180;
  s.X2 = 0, s.Y2 = 180;
  test::ctl<QAction>(w, "mnuDrucker")->trigger();
  QCOMPARE(w.statusBar()->currentMessage(), QString("Der Bericht konnte nicht berechnet werden (Laufzeitfehler 11)."));
  QVERIFY(!QFile::exists(answers.file));
  QCOMPARE(s.DruckFlag, int16{0});
}

void ReportUiTest::pageOnAPrinterKeepsColumnsAndOnePage() {
  // The fixed-pitch font: the dots of the weakest value are as wide as its
  // number, so the table's columns line up.
  for (int size : {kPrintSize, kPrintFooterSize}) {
    const QFont f = ui::printFont(size);
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
  const auto page = printPage(s, {2026, 5, 20, 14, 0, 5});
  QTemporaryDir dir;
  for (const auto size : {QPageSize::A4, QPageSize::Letter}) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    const QString file = dir.filePath(QString("seite-%1.pdf").arg(static_cast<int>(size)));
    printer.setOutputFileName(file);
    printer.setPageSize(QPageSize(size));
    QVERIFY(ui::paintPage(printer, page));
    QCOMPARE(pages(read(file)), 1);
  }
}

QTEST_MAIN(ReportUiTest)
#include "report_uitest.moc"
