// Small bridges between the core's texts and the widgets.
#pragma once

#include <QString>
#include <QWidget>
#include <string>

namespace welvaro::ui {

/// A core text (UTF-8) as Qt text.
inline QString q(const std::string& s) { return QString::fromStdString(s); }

/// Sets a widget's style sheet only when it changes: Qt polishes the widget
/// anew at every call, and some labels are coloured at every step of a day
/// being played.
inline void setStyleIfChanged(QWidget* w, const QString& style) {
  if (w->styleSheet() != style) w->setStyleSheet(style);
}

}  // namespace welvaro::ui
