// What the window asks the user in boxes, dialogs and file choosers, and
// which printers it finds. The program asks the user; the window tests give
// the window one that answers as the test says and keeps what was asked.
#pragma once

#include <QDialog>
#include <QMessageBox>
#include <QPrinterInfo>
#include <QString>

namespace welvaro::ui {

class UserDialogs {
 public:
  virtual ~UserDialogs() = default;
  /// Shows a message box; the button pressed (QMessageBox::StandardButton).
  virtual int ask(QMessageBox& box) { return box.exec(); }
  /// Runs a dialog (a size question, the print dialog); its result code.
  virtual int run(QDialog& dialog) { return dialog.exec(); }
  /// The file the user chose to save to, or empty when cancelled.
  virtual QString saveFileName(QWidget* parent, const QString& caption, const QString& suggested,
                               const QString& filter);
  /// The file the user chose to open, or empty when cancelled.
  virtual QString openFileName(QWidget* parent, const QString& caption, const QString& folder, const QString& filter);
  /// The system's default printer (null when there is none).
  virtual QPrinterInfo defaultPrinter() { return QPrinterInfo::defaultPrinter(); }
  /// Whether any printer is set up.
  virtual bool anyPrinter() { return !QPrinterInfo::availablePrinters().isEmpty(); }
};

}  // namespace welvaro::ui
