// The main window's picture as a file and on the clipboard, and the
// window's own preferences (size, place, projection).
#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QScreen>
#include <QSpinBox>
#include <QStatusBar>

#include <algorithm>

#include "display/window_state.h"
#include "files/window_prefs.h"
#include "files/fileio.h"
#include "files/png.h"
#include "lang/sprachtext.h"
#include "ui/picture_view.h"
#include "ui/qtext.h"
#include "ui/mainwindow.h"

namespace welvaro::ui {

void MainWindow::savePicture() {
  const State& s = *s_;
  QSize size = picDarstellung->size() * picDarstellung->devicePixelRatioF();
  const QString file =
      dialogs_->saveFileName(this, q(T(s, kTxBildSpeichern)), QDir::home().filePath("Welvaro.png"), "PNG (*.png)");
  if (file.isEmpty()) return;
  {
    // The size: the window's by default, or one of the user's choosing.
    QDialog question(this);
    question.setWindowTitle(q(T(s, kTxBildSpeichern)));
    auto* width = new QSpinBox(&question);
    auto* height = new QSpinBox(&question);
    for (QSpinBox* b : {width, height}) b->setRange(16, 8192);
    width->setValue(size.width());
    height->setValue(size.height());
    auto* row = new QHBoxLayout;
    row->addWidget(width);
    row->addWidget(height);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &question);
    connect(buttons, &QDialogButtonBox::accepted, &question, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, &question, &QDialog::reject);
    auto* form = new QFormLayout(&question);
    form->addRow(q(T(s, kTxBildGroesse)), row);
    form->addRow(buttons);
    if (dialogs_->run(question) != QDialog::Accepted) return;
    size = QSize(width->value(), height->value());
  }
  const QImage picture = picDarstellung->pictureAtSize(size).convertToFormat(QImage::Format_RGB32);
  const std::string png = pngImage(reinterpret_cast<const std::uint32_t*>(picture.constBits()), picture.width(), picture.height());
  const bool ok = !png.empty() && replaceFile(file.toStdString(), png).ok();
  const QString message = q(T(s, ok ? kTxBildGespeichert : kTxBildFehler)).arg(QDir::toNativeSeparators(file));
  statusBar()->showMessage(message, 10000);
  if (!ok) notify(message);
}

void MainWindow::copyPicture() {
  QApplication::clipboard()->setImage(picDarstellung->picture());
  statusBar()->showMessage(q(T(*s_, kTxPictureCopied)), 5000);
}

void MainWindow::applyWindowPrefs() {
  const WindowPrefs f = readWindowPrefs(ownFile(dirs_, kWindowPrefsFile));
  if (f.projection == 1) picDarstellung->setProjection(Projection::Azimuthal);
  if (f.width > 0 && f.height > 0) {
    // Only a place that still lies on one of the screens, and no larger
    // than that screen's free area (a size from a larger screen, or typed
    // by hand, would make every picture that large).
    const QRect r(f.x, f.y, f.width, f.height);
    for (QScreen* sc : QGuiApplication::screens()) {
      const QRect area = sc->availableGeometry();
      if (!area.intersects(r)) continue;
      const QSize size = r.size().boundedTo(area.size());
      resize(size);
      move(std::clamp(f.x, area.left(), area.right() + 1 - size.width()),
           std::clamp(f.y, area.top(), area.bottom() + 1 - size.height()));
      break;
    }
  } else if (QScreen* sc = screen()) {
    // A first start: most of the screen, so the map gets its room.
    const QRect a = sc->availableGeometry();
    const QSize least = minimumSizeHint();
    const WindowPlace p = firstWindowPlace(a.x(), a.y(), a.width(), a.height(), least.width(), least.height());
    resize(p.width, p.height);
    move(p.x, p.y);
  }
  if (f.maximized) setWindowState(windowState() | Qt::WindowMaximized);
}

void MainWindow::saveWindowPrefs() {
  // The time zone's choice in the file is the one the settings' save wrote.
  WindowPrefs f = readWindowPrefs(ownFile(dirs_, kWindowPrefsFile));
  const QRect r = normalGeometry();
  f.x = pos().x();
  f.y = pos().y();
  f.width = r.width();
  f.height = r.height();
  f.maximized = isMaximized();
  f.projection = picDarstellung->projection() == Projection::Azimuthal ? 1 : 0;
  writeWindowPrefs(ownFile(dirs_, kWindowPrefsFile), f);
}

}  // namespace welvaro::ui
