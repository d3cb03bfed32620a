// The message bar above the picture: problems with the program's files
// (settings not usable, a table computed anew, a file that could not be
// written) stay in view, one line each, until the user dismisses them; a
// new message never pushes an older one away.
#pragma once

#include <QFrame>
#include <QStringList>

class QVBoxLayout;

namespace welvaro::ui {

class MeldungsLeiste : public QFrame {
  Q_OBJECT

 public:
  explicit MeldungsLeiste(QWidget* parent = nullptr);

  /// Adds a message unless the same text is shown already. `schliessen` is
  /// the tool tip of its close button, in the user's language.
  void zeige(const QString& text, const QString& schliessen);

  /// The messages shown, oldest first.
  QStringList texte() const;

 private:
  QVBoxLayout* zeilen_;
};

}  // namespace welvaro::ui
