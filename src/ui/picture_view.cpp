#include "ui/picture_view.h"

#include <QMouseEvent>
#include <QPainter>

#include "display/window_state.h"
#include "display/caption.h"
#include "ui/qtext.h"

namespace welvaro::ui {

namespace {

std::uint32_t backgroundColour(const QWidget* w) { return w->palette().color(QPalette::Window).rgb() | 0xFF000000u; }

QImage asImage(const std::uint32_t* pixel, int width, int height) {
  return QImage(reinterpret_cast<const uchar*>(pixel), width, height, 4 * width, QImage::Format_RGB32).copy();
}

}  // namespace

PictureView::PictureView(const State& s, QWidget* parent)
    : QWidget(parent), s_(s), link_(std::make_unique<State>()) {
  setObjectName("picDarstellung");
  setMouseTracking(true);
  setFocusPolicy(Qt::StrongFocus);
  setCursor(Qt::CrossCursor);
  setAttribute(Qt::WA_OpaquePaintEvent);
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
  imgWarten = new QLabel(this);
  imgWarten->setObjectName("imgWarten");
  imgWarten->hide();
}

void PictureView::setLines(const MapLines* lines) {
  lines_ = lines;
  map_.setLines(lines);
  refresh();
}

void PictureView::setLandAreas(const LandAreas* land) {
  land_ = land;
  map_.setLandAreas(land);
  refresh();
}

void PictureView::setProjection(Projection p) {
  projection_ = p;
  refresh();
}

void PictureView::takeLink(bool valid) {
  // A copy: later computations (a table renewed after midnight, the printed
  // report) reuse the record's result grid, and a resize must not draw them.
  link_->ErgFeld = s_.ErgFeld;
  link_->AvailabilityResults = s_.AvailabilityResults;  // the outlook's chart
  chartValid_ = valid;
  refresh();
}

void PictureView::followChoices() const {
  // The outlook's legend and colours follow the language, mode and noise
  // chosen since the link's forecast was taken.
  link_->L = s_.L;
  link_->OutlookMode = s_.OutlookMode;
  link_->CustomSnr = s_.CustomSnr;
  link_->NoiseEnvironment = s_.NoiseEnvironment;
  link_->NoiseFloor = s_.NoiseFloor;
}

void PictureView::refresh() {
  stale_ = true;
  update();
}

void PictureView::setMapOverlay(MapOverlay overlay) {
  overlay_ = std::move(overlay);
  refresh();
}

void PictureView::setPlaceMarker(std::optional<GeoPoint> place) {
  placeMarker_ = place;
  update();
}

MapView PictureView::mapView(double scale) const {
  MapView a;
  a.projection = projection_;
  a.frequency = s_.AktFrequenz;
  a.utcMinute = minute();
  a.level = s_.PegelFlag == 1;
  a.outlook = s_.OutlookFlag == 1;
  a.greyline = greylineShown(s_);
  a.path = true;
  a.lines = true;
  a.scales = true;
  a.scale = scale;
  a.background = backgroundColour(this);
  a.caption = mapCaption(s_, {.projection = a.projection, .frequency = a.frequency, .utcMinute = a.utcMinute,
                              .level = a.level, .outlook = a.outlook, .pointB = a.path, .night = a.greyline,
                              .land = land_ != nullptr && !land_->empty()});
  return a;
}

ChartView PictureView::chartView(double scale) const {
  ChartView a;
  a.level = s_.PegelFlag == 1;
  a.outlook = s_.OutlookFlag == 1;
  a.scales = true;
  a.timeLine = true;
  a.utcMinute = minute();
  a.frequencyLine = true;
  a.frequency = s_.AktFrequenz;
  a.scale = scale;
  a.background = backgroundColour(this);
  a.caption = chartCaption(s_, {.level = a.level, .outlook = a.outlook, .frequencyLine = a.frequencyLine, .frequency = a.frequency,
                                .timeLine = a.timeLine, .utcMinute = a.utcMinute});
  return a;
}

void PictureView::drawIfNeeded() {
  const qreal dpr = devicePixelRatioF();
  const int b = std::max(1, static_cast<int>(width() * dpr)), h = std::max(1, static_cast<int>(height() * dpr));
  if (!stale_ && picture_.width() == b && picture_.height() == h) return;
  stale_ = false;
  if (world()) {
    map_.render(s_, mapView(dpr), b, h);
    picture_ = asImage(map_.pixel(), map_.width(), map_.height());
    if (overlay_) {
      Canvas c{reinterpret_cast<std::uint32_t*>(picture_.bits()), picture_.width(), picture_.height()};
      overlay_(c, map_.projection(), map_.layout().picture, dpr);
    }
  } else {
    followChoices();
    chart_.render(*link_, chartView(dpr), b, h);
    picture_ = asImage(chart_.pixel(), chart_.width(), chart_.height());
    if (!chartValid_) {
      // The link has no forecast (point B on station A or its antipode):
      // an empty chart rather than the values of another link.
      const Rect r = chart_.layout().picture;
      QPainter p(&picture_);
      p.fillRect(QRect(r.x, r.y, r.width, r.height), Qt::black);
    }
  }
  picture_.setDevicePixelRatio(dpr);
}

Rect PictureView::pictureRect() {
  drawIfNeeded();
  return world() ? map_.layout().picture : chart_.layout().picture;
}

QImage PictureView::picture() {
  drawIfNeeded();
  return picture_;
}

QImage PictureView::pictureAtSize(QSize size) const {
  const int b = std::max(16, size.width()), h = std::max(16, size.height());
  const double scale = std::max(1.0, std::min(b / 1082.0, h / 580.0));
  if (world()) {
    MapPicture k;
    k.setLines(lines_);
    k.setLandAreas(land_);
    k.render(s_, mapView(scale), b, h);
    QImage image = asImage(k.pixel(), k.width(), k.height());
    if (overlay_) {
      Canvas c{reinterpret_cast<std::uint32_t*>(image.bits()), image.width(), image.height()};
      overlay_(c, k.projection(), k.layout().picture, scale);
    }
    return image;
  }
  ChartPicture c;
  followChoices();
  c.render(*link_, chartView(scale), b, h);
  return asImage(c.pixel(), c.width(), c.height());
}

Point PictureView::devicePoint(QPointF p) const {
  const qreal dpr = devicePixelRatioF();
  return {p.x() * dpr - 0.5, p.y() * dpr - 0.5};
}

std::optional<MapReading> PictureView::readMap(QPointF p) const {
  if (!world() || picture_.isNull()) return std::nullopt;
  return map_.readAt(s_, devicePoint(p));
}

std::optional<ChartReading> PictureView::readChart(QPointF p) const {
  if (world() || picture_.isNull() || !chartValid_) return std::nullopt;
  return chart_.readAt(devicePoint(p));
}

std::optional<QPointF> PictureView::pointOf(GeoPoint place) {
  drawIfNeeded();
  const Point q = map_.projection().toPixel(place);
  if (!map_.projection().toGeo(q)) return std::nullopt;
  const qreal dpr = devicePixelRatioF();
  return QPointF((q.x + 0.5) / dpr, (q.y + 0.5) / dpr);
}

QPointF PictureView::chartPoint(double hours, double mhz) {
  drawIfNeeded();
  const Point q = chart_.projection().toPixel(ChartPoint{hours, mhz});
  const qreal dpr = devicePixelRatioF();
  return QPointF((q.x + 0.5) / dpr, (q.y + 0.5) / dpr);
}

std::optional<ChartCrosshair> PictureView::crosshair() const {
  if (!pointer_) return std::nullopt;
  const std::optional<ChartReading> r = readChart(*pointer_);
  if (!r) return std::nullopt;
  return chartCrosshair(s_, *link_, *r, s_.PegelFlag == 1);
}

void PictureView::paintCrosshair(QPainter& p, const ChartCrosshair& c) {
  // Thin dashed lines over the whole picture, black under white, so they
  // show on every colour of the scale.
  const qreal dpr = devicePixelRatioF();
  const Rect r = chart_.layout().picture;
  const QRectF area(r.x / dpr, r.y / dpr, r.width / dpr, r.height / dpr);
  const QPointF at = chartPoint(c.at.hours, c.at.mhz);
  for (const auto& [colour, dash] : {std::pair{Qt::black, Qt::SolidLine}, std::pair{Qt::white, Qt::DashLine}}) {
    p.setPen(QPen(colour, 1, dash));
    p.drawLine(QPointF(area.left(), at.y()), QPointF(area.right(), at.y()));
    p.drawLine(QPointF(at.x(), area.top()), QPointF(at.x(), area.bottom()));
  }
  // The label on a light plate beside the crossing, inside the picture.
  const QFontMetrics m(font());
  int w = 0;
  for (const std::string& line : c.lines) w = std::max(w, m.horizontalAdvance(q(line)));
  const int pad = 4, h = static_cast<int>(c.lines.size()) * m.height() + 2 * pad;
  const Rect place = crosshairLabelPlace({static_cast<int>(area.x()), static_cast<int>(area.y()),
                                          static_cast<int>(area.width()), static_cast<int>(area.height())},
                                         {at.x(), at.y()}, w + 2 * pad, h, 8);
  const QRect box(place.x, place.y, place.width, place.height);
  p.setPen(QPen(Qt::black, 1));
  p.setBrush(QColor(255, 255, 255, 230));
  p.drawRect(box.adjusted(0, 0, -1, -1));
  for (std::size_t i = 0; i < c.lines.size(); ++i)
    p.drawText(QPoint(box.x() + pad, box.y() + pad + m.ascent() + static_cast<int>(i) * m.height()),
               q(c.lines[i]));
}

void PictureView::paintEvent(QPaintEvent*) {
  drawIfNeeded();
  QPainter p(this);
  p.drawImage(QPointF(0, 0), picture_);
  if (!world()) {
    if (const std::optional<ChartCrosshair> c = crosshair()) paintCrosshair(p, *c);
  }
  if (world() && placeMarker_) {
    const Point q = map_.projection().toPixel(*placeMarker_);
    const qreal dpr = devicePixelRatioF();
    const QPointF m((q.x + 0.5) / dpr, (q.y + 0.5) / dpr);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::black, 1.5));
    p.setBrush(QColor(255, 0, 255));
    p.drawRect(QRectF(m.x() - 4.5, m.y() - 4.5, 9, 9));
  }
}

void PictureView::resizeEvent(QResizeEvent*) {
  stale_ = true;
  imgWarten->move((width() - imgWarten->width()) / 2, (height() - imgWarten->height()) / 2);
}

void PictureView::mouseMoveEvent(QMouseEvent* e) {
  pointer_ = e->position();
  if (!world()) update();
  emit cursorMoved(e->position());
}

void PictureView::leaveEvent(QEvent*) {
  pointer_.reset();
  if (!world()) update();
}

void PictureView::mousePressEvent(QMouseEvent* e) {
  if (e->button() == Qt::LeftButton) emit clicked(e->position());
}

}  // namespace welvaro::ui
