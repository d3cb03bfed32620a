// The picture area of the main window: shows the world map or the chart
// bitmap at its pixel size, draws the run-time drawings over it (greyline,
// point markers, time and frequency lines) and reports the cursor in twips.
#pragma once

#include <QImage>
#include <QLineF>
#include <QPointF>
#include <QVector>
#include <QWidget>

namespace welvaro::ui {

class PictureArea : public QWidget {
  Q_OBJECT

 public:
  explicit PictureArea(QWidget* parent = nullptr);

  static constexpr double kTwipsProPixel = 15.0;

  void setPicture(const QImage& image);
  const QImage& picture() const { return picture_; }

  // Run-time drawings: lines in twips, drawn in black over the picture.
  void clearDrawings();
  void addLines(const QVector<QLineF>& twipLines);
  const QVector<QLineF>& drawings() const { return lines_; }

  // A marker: a small square placed by its top-left corner in twips.
  struct Marker {
    bool visible = false;
    QPointF topLeftTwips;
    QColor color;
  };
  Marker& marker(int i) { return markers_[i]; }
  void updateMarkers() { update(); }

  // Horizontal / vertical chart lines, in twips.
  struct ChartLine {
    bool visible = false;
    double twips = 0;
  };
  ChartLine zeitlinie, frequenzlinie;

  // The colour the user sees at a point (picture plus drawings), as the
  // cursor read-out decodes it.
  QRgb colourAt(QPoint pixel) const;

  QSize sizeHint() const override;

 signals:
  void cursorMoved(double xTwips, double yTwips);
  void clicked(double xTwips, double yTwips);
  // The picture changed its size (world map and chart differ in width).
  void groesseGeaendert();

 protected:
  void paintEvent(QPaintEvent*) override;
  void mouseMoveEvent(QMouseEvent* e) override;
  void mousePressEvent(QMouseEvent* e) override;

 private:
  void paintContent(QPainter& p, bool withMarkers) const;

  QImage picture_;
  QVector<QLineF> lines_;
  Marker markers_[2];
};

}  // namespace welvaro::ui
