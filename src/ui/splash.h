// The start window: a 460 x 300 picture with the product title, the version
// and the framed request to wait while the forecast data are computed, in
// the language the program will speak (startLanguage).
#pragma once

#include <QPixmap>
#include <QWidget>

namespace welvaro::ui {

/// The start picture in language slot `language` (0..5).
QPixmap splashPicture(int language);

class StartWindow : public QWidget {
 public:
  explicit StartWindow(int language);

 protected:
  void paintEvent(QPaintEvent*) override;

 private:
  QPixmap picture_;
};

}  // namespace welvaro::ui
