#include "ui/user_dialogs.h"

#include <QFileDialog>

namespace welvaro::ui {

QString UserDialogs::saveFileName(QWidget* parent, const QString& caption, const QString& suggested,
                                  const QString& filter) {
  return QFileDialog::getSaveFileName(parent, caption, suggested, filter);
}

QString UserDialogs::openFileName(QWidget* parent, const QString& caption, const QString& folder,
                                  const QString& filter) {
  return QFileDialog::getOpenFileName(parent, caption, folder, filter);
}

}  // namespace welvaro::ui
