#include "ui/helpviewer.h"

#include "display/window_state.h"

#include <QDialogButtonBox>
#include <QScreen>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace welvaro::ui {

// A text browser that never opens a file itself: the help comes from the
// core's reader, which refuses FIFOs, devices and oversized files, and so
// does anything else of the program's folder a page of the help names.
class HelpBrowser : public QTextBrowser {
 public:
  using QTextBrowser::QTextBrowser;
  void setHelp(const HelpText& help) {
    file_ = QUrl::fromLocalFile(QString::fromStdString(help.file.string()));
    html_ = QString::fromStdString(help.html);
  }
  QVariant loadResource(int type, const QUrl& name) override {
    if (!name.isLocalFile()) return QTextBrowser::loadResource(type, name);
    if (name.adjusted(QUrl::RemoveFragment) == file_) return html_;
    std::string bytes;
    if (!loadHelpFile(name.toLocalFile().toStdString(), bytes).read()) return {};
    return QByteArray::fromStdString(bytes);
  }

 private:
  QUrl file_;
  QString html_;
};

HelpViewer::HelpViewer(QWidget* parent) : QDialog(parent), browser_(new HelpBrowser(this)) {
  setObjectName("frmHilfe");
  setWindowTitle("Welvaro Hilfe");
  browser_->setOpenExternalLinks(true);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::close);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(browser_);
  layout->addWidget(buttons);
  // As large as it reads well, and never beyond the screen.
  const QSize area = screen() ? screen()->availableGeometry().size() : QSize(720, 620);
  const WindowPlace p = fittedWindow(720, 620, area.width(), area.height());
  resize(p.width, p.height);
}

bool HelpViewer::showContents(const HelpText& help, const QString& anchor, const QString& title) {
  setWindowTitle(title);
  if (!help.ok) {
    browser_->setHtml("<h2>Welvaro</h2><p>" + QString::fromStdString(help.message).toHtmlEscaped() + "</p>");
    show();
    raise();
    return false;
  }
  browser_->setHelp(help);
  QUrl url = QUrl::fromLocalFile(QString::fromStdString(help.file.string()));
  url.setFragment(anchor);
  browser_->setSource(url, QTextDocument::HtmlResource);
  show();
  raise();
  activateWindow();
  return true;
}

QString HelpViewer::shownSource() const { return browser_->source().toString(); }
QString HelpViewer::shownText() const { return browser_->toPlainText(); }

}  // namespace welvaro::ui
