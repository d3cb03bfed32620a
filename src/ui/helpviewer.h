// The help viewer: shows the program's help file (HTML) at its contents page.
#pragma once

#include <QDialog>
#include <QString>

#include "schedule/datafile_messages.h"

namespace welvaro::ui {

class HelpBrowser;

class HelpViewer : public QDialog {
  Q_OBJECT

 public:
  explicit HelpViewer(QWidget* parent = nullptr);
  /// Shows the help read by the core (readHelp) at the contents anchor
  /// `anchor` of the user's language, or what readHelp says instead;
  /// `title` is the window title. Returns whether the help is shown.
  bool showContents(const HelpText& help, const QString& anchor, const QString& title);
  QString shownSource() const;
  QString shownText() const;

 private:
  HelpBrowser* browser_;
};

}  // namespace welvaro::ui
