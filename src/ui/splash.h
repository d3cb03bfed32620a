// The start window: a 460 x 300 picture with the product title, the version
// and the framed request to wait while the forecast data are computed.
#pragma once

#include <QPixmap>
#include <QWidget>

namespace welvaro::ui {

QPixmap splashPicture();

class StartWindow : public QWidget {
 public:
  StartWindow();

 protected:
  void paintEvent(QPaintEvent*) override;

 private:
  QPixmap picture_;
};

}  // namespace welvaro::ui
