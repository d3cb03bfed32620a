// The help viewer: shows the program's help file (HTML) at its contents page.
#pragma once

#include <QDialog>
#include <QString>

class QTextBrowser;

namespace welvaro::ui {

class HelpViewer : public QDialog {
  Q_OBJECT

 public:
  explicit HelpViewer(QWidget* parent = nullptr);
  // Opens `file` at its contents page ("Inhalt"); false when it cannot be read.
  bool showContents(const QString& file);
  QString shownSource() const;

 private:
  QTextBrowser* browser_;
};

}  // namespace welvaro::ui
