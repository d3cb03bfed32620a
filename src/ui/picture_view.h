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
#include <functional>
#include <memory>
#include <optional>

#include "display/chart_picture.h"
#include "display/map_picture.h"
#include "display/picture_cursor.h"
#include "display/point.h"
#include "state/state.h"

namespace welvaro::ui {

class PictureView : public QWidget {
  Q_OBJECT

 public:
  PictureView(const State& s, QWidget* parent);

  /// Coastlines and borders (they outlive the view); null draws none.
  void setLines(const MapLines* lines);
  /// Land and sea under the world map (they outlive the view); null: none.
  void setLandAreas(const LandAreas* land);
  void setProjection(Projection p);
  Projection projection() const { return projection_; }
  /// The UTC minute of the day the pictures show (now, or a chosen time).
  int minute() const { return shownMinute(s_); }
  /// The link's day-corrected forecast (ErgFeld slice 0) as it is now is
  /// the chart's; `valid` false: the link has none, the chart is empty.
  void takeLink(bool valid);
  /// The data changed (table, link, frequency, greyline ...): draw anew.
  void refresh();

  /// The marker of the nearest place (world map), or none.
  void setPlaceMarker(std::optional<GeoPoint> place);
  std::optional<GeoPoint> placeMarker() const { return placeMarker_; }
  /// Where the picture (without scales and colour bar) lies, in device pixels.
  Rect pictureRect();

  /// The picture as shown, in device pixels.
  QImage picture();
  /// The picture at another size in pixels, with its scales (to save it).
  QImage pictureAtSize(QSize size) const;

  /// What lies under a point of the widget (logical coordinates).
  std::optional<MapReading> readMap(QPointF p) const;
  std::optional<ChartReading> readChart(QPointF p) const;
  /// The link's forecast the chart shows (its read-out takes the values from it).
  const State& chartLink() const { return *link_; }
  /// The cross-hair over the chart at the pointer, as drawn; none off the chart.
  std::optional<ChartCrosshair> crosshair() const;
  /// Where a position (world map) or an hour and frequency (chart) is shown
  /// in the widget; none when it is not on the picture.
  std::optional<QPointF> pointOf(GeoPoint place);
  QPointF chartPoint(double hours, double mhz);

  /// Drawn over every world-map frame (the heard stations' dots): into the
  /// frame's pixels, with its projection, the picture's rectangle and the
  /// scale (device pixels per logical pixel). Empty: nothing.
  using MapOverlay = std::function<void(Canvas&, const MapProjection&, Rect picture, double scale)>;
  void setMapOverlay(MapOverlay overlay);
  /// The projection of the last world-map frame (positions <-> device pixels).
  const MapProjection& mapProjection() const { return map_.projection(); }

  /// The wait picture over the view.
  QLabel* imgWarten = nullptr;

  QSize sizeHint() const override { return {1082, 580}; }
  QSize minimumSizeHint() const override { return {480, 260}; }

 signals:
  void cursorMoved(QPointF p);
  void clicked(QPointF p);

 protected:
  void paintEvent(QPaintEvent*) override;
  void resizeEvent(QResizeEvent*) override;
  void mouseMoveEvent(QMouseEvent* e) override;
  void mousePressEvent(QMouseEvent* e) override;
  void leaveEvent(QEvent* e) override;

 private:
  bool world() const { return s_.Darstellung == 1.0f; }
  MapView mapView(double scale) const;
  ChartView chartView(double scale) const;
  void drawIfNeeded();
  void followChoices() const;
  void paintCrosshair(QPainter& p, const ChartCrosshair& c);
  Point devicePoint(QPointF p) const;

  const State& s_;
  const MapLines* lines_ = nullptr;
  const LandAreas* land_ = nullptr;
  Projection projection_ = Projection::Rectangular;
  bool chartValid_ = true;
  std::unique_ptr<State> link_;  // the link's forecast the chart shows
  bool stale_ = true;
  std::optional<GeoPoint> placeMarker_;
  std::optional<QPointF> pointer_;  // over the widget, for the chart's cross-hair
  MapOverlay overlay_;
  MapPicture map_;
  ChartPicture chart_;
  QImage picture_;
};

}  // namespace welvaro::ui
