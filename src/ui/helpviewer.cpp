#include "ui/helpviewer.h"

#include <QDialogButtonBox>
#include <QFileInfo>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace welvaro::ui {

HelpViewer::HelpViewer(QWidget* parent) : QDialog(parent), browser_(new QTextBrowser(this)) {
  setObjectName("frmHilfe");
  setWindowTitle("Welvaro Hilfe");
  browser_->setOpenExternalLinks(true);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::close);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(browser_);
  layout->addWidget(buttons);
  resize(720, 620);
}

bool HelpViewer::showContents(const QString& file, const QString& anchor, const QString& title,
                              const QString& missing) {
  setWindowTitle(title);
  QFileInfo info(file);
  if (!info.isReadable()) {
    browser_->setHtml("<h2>Welvaro</h2><p>" + missing.toHtmlEscaped().arg("<b>" + file.toHtmlEscaped() + "</b>") +
                      "</p>");
    show();
    raise();
    return false;
  }
  QUrl url = QUrl::fromLocalFile(info.absoluteFilePath());
  url.setFragment(anchor);
  browser_->setSource(url, QTextDocument::HtmlResource);
  show();
  raise();
  activateWindow();
  return true;
}

QString HelpViewer::shownSource() const { return browser_->source().toString(); }

}  // namespace welvaro::ui
