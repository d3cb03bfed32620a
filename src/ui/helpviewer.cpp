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
  auto* knoepfe = new QDialogButtonBox(QDialogButtonBox::Close, this);
  connect(knoepfe, &QDialogButtonBox::rejected, this, &QDialog::close);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(browser_);
  layout->addWidget(knoepfe);
  resize(720, 620);
}

bool HelpViewer::showContents(const QString& file, const QString& anker, const QString& titel,
                              const QString& fehlt) {
  setWindowTitle(titel);
  QFileInfo info(file);
  if (!info.isReadable()) {
    browser_->setHtml("<h2>Welvaro</h2><p>" + fehlt.toHtmlEscaped().arg("<b>" + file.toHtmlEscaped() + "</b>") +
                      "</p>");
    show();
    raise();
    return false;
  }
  QUrl url = QUrl::fromLocalFile(info.absoluteFilePath());
  url.setFragment(anker);
  browser_->setSource(url, QTextDocument::HtmlResource);
  show();
  raise();
  activateWindow();
  return true;
}

QString HelpViewer::shownSource() const { return browser_->source().toString(); }

}  // namespace welvaro::ui
