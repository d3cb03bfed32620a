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
  /// Opens `file` at the contents anchor `anchor` of the user's language;
  /// `title` is the window title, `missing` the text shown when the file is
  /// missing (with %1 for its name).
  bool showContents(const QString& file, const QString& anchor, const QString& title, const QString& missing);
  QString shownSource() const;

 private:
  QTextBrowser* browser_;
};

}  // namespace welvaro::ui
