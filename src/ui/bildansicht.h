// The picture area picDarstellung: the world map (rectangular or azimuthal
// around station A) or the chart of the link A-B, drawn by the core at the
// widget's size in device pixels with its scales and colour bar, so it is
// sharp at any size and scaling. The bitmap files are written as before;
// this view draws from the same data in memory. It reports the mouse as
// read-outs of what lies under it; the window turns them into labels.
#pragma once

#include <QImage>
#include <QLabel>
#include <QWidget>
#include <memory>
#include <optional>

#include "display/chartbild.h"
#include "display/kartenbild.h"
#include "display/point.h"
#include "state/state.h"

namespace welvaro::ui {

class Bildansicht : public QWidget {
  Q_OBJECT

 public:
  Bildansicht(const State& s, QWidget* parent);

  /// Coastlines and borders (they outlive the view); null draws none.
  void setzeLinien(const Kartenlinien* linien);
  void setzeProjektion(Projektion p);
  Projektion projektion() const { return projektion_; }
  /// The UTC minute of the day the pictures show (now, or a chosen time).
  int minute() const { return gezeigteMinute(s_); }
  /// The link's day-corrected forecast (ErgFeld slice 0) as it is now is
  /// the chart's; `gueltig` false: the link has none, the chart is empty.
  void uebernimmLink(bool gueltig);
  /// The data changed (table, link, frequency, greyline ...): draw anew.
  void neu();

  /// The marker of the nearest place (world map), or none.
  void setzeOrtMarke(std::optional<Ort> ort);
  std::optional<Ort> ortMarke() const { return ortMarke_; }
  /// Where the picture (without scales and colour bar) lies, in device pixels.
  Rahmen bildRahmen();

  /// The picture as shown, in device pixels.
  QImage bild();
  /// The picture at another size in pixels, with its scales (to save it).
  QImage bildInGroesse(QSize groesse) const;

  /// What lies under a point of the widget (logical coordinates).
  std::optional<KartenAblesung> ableseKarte(QPointF p) const;
  std::optional<ChartAblesung> ableseChart(QPointF p) const;
  /// Where a position (world map) or an hour and frequency (chart) is shown
  /// in the widget; none when it is not on the picture.
  std::optional<QPointF> punktVon(Ort ort);
  QPointF chartPunkt(double stunden, double mhz);

  /// The wait picture over the view.
  QLabel* imgWarten = nullptr;

  QSize sizeHint() const override { return {1082, 580}; }
  QSize minimumSizeHint() const override { return {480, 260}; }

 signals:
  void cursorBewegt(QPointF p);
  void geklickt(QPointF p);

 protected:
  void paintEvent(QPaintEvent*) override;
  void resizeEvent(QResizeEvent*) override;
  void mouseMoveEvent(QMouseEvent* e) override;
  void mousePressEvent(QMouseEvent* e) override;

 private:
  bool welt() const { return s_.Darstellung == 1.0f; }
  Ansicht kartenAnsicht(double skala) const;
  ChartAnsicht chartAnsicht(double skala) const;
  void zeichneFallsNoetig();
  Punkt geraetePunkt(QPointF p) const;

  const State& s_;
  const Kartenlinien* linien_ = nullptr;
  Projektion projektion_ = Projektion::Rechteck;
  bool chartGueltig_ = true;
  std::unique_ptr<State> link_;  // the link's forecast the chart shows
  bool veraltet_ = true;
  std::optional<Ort> ortMarke_;
  Kartenbild karte_;
  Chartbild chart_;
  QImage bild_;
};

}  // namespace welvaro::ui
