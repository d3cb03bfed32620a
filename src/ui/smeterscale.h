// The scale under the S-meter bar pobSmeter: a tick and a label for each
// mark of the core (display/smeter.h), standing on the pixel where the
// bar's fill ends for that value, drawn anew at the bar's width whenever
// the window resizes it.
#pragma once

#include <QProgressBar>
#include <QWidget>

namespace welvaro::ui {

class SmeterScale : public QWidget {
  Q_OBJECT

 public:
  SmeterScale(const QProgressBar* bar, QWidget* parent);
  QSize sizeHint() const override { return {bar_->sizeHint().width(), 16}; }
  QSize minimumSizeHint() const override { return {0, 16}; }

  /// Where the bar's fill runs, in this widget's x coordinates: its first
  /// column and its width in pixels (the bar without its border).
  int fillLeft() const;
  int fillWidth() const;

 protected:
  void paintEvent(QPaintEvent*) override;

 private:
  const QProgressBar* bar_;
};

}  // namespace welvaro::ui
