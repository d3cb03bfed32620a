// The message bar above the picture: problems with the program's files
// (settings not usable, a table computed anew, a file that could not be
// written) stay in view, one line each, until the user dismisses them; a
// new message never pushes an older one away.
#pragma once

#include <QFrame>
#include <QStringList>

class QVBoxLayout;

namespace welvaro::ui {

class MessageBar : public QFrame {
  Q_OBJECT

 public:
  explicit MessageBar(QWidget* parent = nullptr);

  /// Adds a message unless the same text is shown already. `closeText` is
  /// the tool tip of its close button, in the user's language.
  void present(const QString& text, const QString& closeText);

  /// The messages shown, oldest first.
  QStringList texts() const;

 private:
  QVBoxLayout* lines_;
};

}  // namespace welvaro::ui
