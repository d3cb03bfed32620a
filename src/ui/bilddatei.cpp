// The main window's picture as a file and on the clipboard, and the
// window's own preferences (size, place, projection).
#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QScreen>
#include <QSpinBox>
#include <QStatusBar>

#include "files/fenster.h"
#include "files/fileio.h"
#include "files/png.h"
#include "lang/sprachtext.h"
#include "ui/bildansicht.h"
#include "ui/qtext.h"
#include "ui/mainwindow.h"

namespace welvaro::ui {

void MainWindow::bildSpeichern() {
  const State& s = *s_;
  QString datei = testBildDatei;
  QSize groesse = picDarstellung->size() * picDarstellung->devicePixelRatioF();
  if (datei.isEmpty()) {
    datei = QFileDialog::getSaveFileName(this, q(T(s, kTxBildSpeichern)), QDir::home().filePath("Welvaro.png"),
                                         "PNG (*.png)");
    if (datei.isEmpty()) return;
    // The size: the window's by default, or one of the user's choosing.
    QDialog frage(this);
    frage.setWindowTitle(q(T(s, kTxBildSpeichern)));
    auto* breite = new QSpinBox(&frage);
    auto* hoehe = new QSpinBox(&frage);
    for (QSpinBox* b : {breite, hoehe}) b->setRange(16, 8192);
    breite->setValue(groesse.width());
    hoehe->setValue(groesse.height());
    auto* zeile = new QHBoxLayout;
    zeile->addWidget(breite);
    zeile->addWidget(hoehe);
    auto* knoepfe = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &frage);
    connect(knoepfe, &QDialogButtonBox::accepted, &frage, &QDialog::accept);
    connect(knoepfe, &QDialogButtonBox::rejected, &frage, &QDialog::reject);
    auto* form = new QFormLayout(&frage);
    form->addRow(q(T(s, kTxBildGroesse)), zeile);
    form->addRow(knoepfe);
    if (frage.exec() != QDialog::Accepted) return;
    groesse = QSize(breite->value(), hoehe->value());
  }
  const QImage bild = picDarstellung->bildInGroesse(groesse).convertToFormat(QImage::Format_RGB32);
  const std::string png = pngBild(reinterpret_cast<const std::uint32_t*>(bild.constBits()), bild.width(), bild.height());
  const bool ok = !png.empty() && replaceFile(datei.toStdString(), png).ok();
  const QString meldung = q(T(s, ok ? kTxBildGespeichert : kTxBildFehler)).arg(QDir::toNativeSeparators(datei));
  statusBar()->showMessage(meldung, 10000);
  if (!ok) melde(meldung);
}

void MainWindow::bildKopieren() { QApplication::clipboard()->setImage(picDarstellung->bild()); }

void MainWindow::fensterVorgabenAnwenden() {
  const Fenstervorgaben f = leseFenster(ownFile(dirs_, kFensterDatei));
  if (f.projektion == 1) picDarstellung->setzeProjektion(Projektion::Azimutal);
  if (f.breite >= 200 && f.hoehe >= 150) {
    // Only a place that still lies on one of the screens.
    const QRect r(f.x, f.y, f.breite, f.hoehe);
    for (QScreen* sc : QGuiApplication::screens())
      if (sc->availableGeometry().intersects(r)) {
        resize(f.breite, f.hoehe);
        move(f.x, f.y);
        break;
      }
  }
  if (f.maximiert) setWindowState(windowState() | Qt::WindowMaximized);
}

void MainWindow::fensterVorgabenSpeichern() {
  // The time zone's choice in the file is the one the settings' save wrote.
  Fenstervorgaben f = leseFenster(ownFile(dirs_, kFensterDatei));
  const QRect r = normalGeometry();
  f.x = pos().x();
  f.y = pos().y();
  f.breite = r.width();
  f.hoehe = r.height();
  f.maximiert = isMaximized();
  f.projektion = picDarstellung->projektion() == Projektion::Azimutal ? 1 : 0;
  schreibeFenster(ownFile(dirs_, kFensterDatei), f);
}

}  // namespace welvaro::ui
