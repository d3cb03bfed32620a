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
  /// Opens `file` at the contents anchor `anker` of the user's language;
  /// `titel` is the window title, `fehlt` the text shown when the file is
  /// missing (with %1 for its name).
  bool showContents(const QString& file, const QString& anker, const QString& titel, const QString& fehlt);
  QString shownSource() const;

 private:
  QTextBrowser* browser_;
};

}  // namespace welvaro::ui
