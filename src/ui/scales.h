// The picture area with its scales: the graduations of the world map
// (longitude, latitude) or of the chart (UTC hour, MHz), the axis titles and
// the colour bar of the value scale. The frame places every mark at the
// picture pixel of its value (the core's geometry says which pixel), so the
// scales cannot drift from the picture.
#pragma once

#include <QLabel>
#include <QString>
#include <QWidget>
#include <string>
#include <vector>

#include "display/geometrie.h"

namespace welvaro::ui {

class PictureArea;

/// One graduation: marks with their labels along the picture's top-to-bottom
/// or left-to-right pixels.
class Skala : public QWidget {
  Q_OBJECT

 public:
  /// Room beyond the picture's two ends, so the labels of the first and the
  /// last mark ("180°", "90N") show whole.
  static constexpr int kUeberstand = 24;

  Skala(Qt::Orientation richtung, const char* name, QWidget* parent);
  void setzeMarken(std::vector<Skalenmarke> marken);
  const std::vector<Skalenmarke>& marken() const { return marken_; }
  /// Where the mark of picture pixel p stands in this widget (x or y).
  static int stelle(int pixel) { return kUeberstand + pixel; }
  /// Thickness across the picture's edge.
  int dicke() const;

 protected:
  void paintEvent(QPaintEvent*) override;

 private:
  Qt::Orientation richtung_;
  std::vector<Skalenmarke> marken_;
};

/// The colour bar: the 109 value colours from the picture's bottom row (the
/// lowest value) to its top row, labelled in dBm or dB(µV/m).
class Farbbalken : public QWidget {
  Q_OBJECT

 public:
  Farbbalken(const char* name, QWidget* parent);
  /// `palette`: 256 entries of blue, green, red, 0.
  void setzeFarben(const std::string& palette, bool pegel);
  /// Height of the picture the bar stands beside.
  void setzeHoehe(int bildHoehe);

 protected:
  void paintEvent(QPaintEvent*) override;

 private:
  std::string palette_;
  bool pegel_ = true;
  int bildHoehe_ = 271;
};

/// The frame around the picture area that lays out the scales, the axis
/// titles and the colour bar at the picture's own pixels.
class Bildrahmen : public QWidget {
  Q_OBJECT

 public:
  Bildrahmen(PictureArea* bild, QWidget* parent);

  /// World map (longitude, latitude) or chart (hours, MHz) scales, with the
  /// axis titles in the user's language.
  void setzeSkalen(bool welt, const QString& titelSenkrecht, const QString& titelWaagrecht);
  Farbbalken* farbbalken() const { return farbbalken_; }
  /// Where the picture area lies in the frame.
  QRect bildRechteck() const;

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override { return sizeHint(); }

  // The parts, named as the window names them.
  Skala* imgScala180_24;        // under the picture
  Skala* imgScala90_30;         // left of the picture
  QLabel* imgBreite_Frequenz;   // title of the vertical scale
  QLabel* imgLaenge_Zeit;       // title of the horizontal scale

 protected:
  void resizeEvent(QResizeEvent*) override;

 private:
  void ordne();
  int links() const;
  int oben() const;

  PictureArea* bild_;
  Farbbalken* farbbalken_;
};

}  // namespace welvaro::ui
