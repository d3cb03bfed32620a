#include "ui/heard_binder.h"
#include "ui/qtext.h"

#include <QDir>
#include <QFileDialog>
#include <QImage>
#include <QMenu>
#include <QPainter>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusBar>
#include <algorithm>

#include "display/outlookview.h"
#include "lang/sprachtext.h"
#include "state/datetime.h"
#include "ui/heard_panel.h"
#include "ui/heard_settings.h"
#include "ui/picture_view.h"
#include "ui/user_dialogs.h"

namespace welvaro::ui {

namespace {

constexpr int kPollMs = 250;             // the listener's decodes into the store
constexpr int kLogPolls = 20;            // new log lines every 20 polls (5 s)
constexpr int kRetainPolls = 4 * 3600;   // the retention once an hour
constexpr int kRefreshMs = 300;          // at most about three redraws a second for arriving decodes
constexpr int kShownMs = 40;             // a new time or frequency shown: soon, several steps taken together
constexpr std::size_t kBatch = 20000;    // decodes per store transaction

QString clockOf(std::int64_t ms) {
  const std::int64_t minute = ((ms / 60000) % 1440 + 1440) % 1440;
  return QString("%1:%2").arg(minute / 60, 2, 10, QChar('0')).arg(minute % 60, 2, 10, QChar('0'));
}

}  // namespace

// ---- The worker thread ------------------------------------------------------

HeardWorker::HeardWorker(const Clock& clock) : clock_(clock) {}

HeardWorker::~HeardWorker() = default;

HeardWorker::Report HeardWorker::take() {
  std::lock_guard lock(mutex_);
  Report r = std::move(report_);
  report_ = {};
  report_.listening = r.listening;
  report_.listenError = r.listenError;
  report_.seen = r.seen;
  return r;
}

void HeardWorker::begin(const HeardSources& sources) {
  end();
  cancel_ = false;
  sources_ = sources;
  reported_.clear();
  polls_ = 0;
  const std::string error = store_.open(sources_.store);
  {
    std::lock_guard lock(mutex_);
    report_.opened = store_.isOpen();
    if (auto m = store_.takeSetAside()) report_.messages.push_back(*m);
    if (!error.empty()) report_.messages.push_back({kTxDateiFehler, sources_.store.string(), error});
    report_.listening = sources_.listen;
    report_.listenError.clear();
    report_.seen = {};
  }
  if (store_.isOpen()) {
    retain();
    readLogs();
  }
  if (sources_.listen) {
    listener_ = std::make_unique<UdpListener>(clock_, sources_.rxLat, sources_.rxLon);
    const std::string failed = listener_->start(sources_.endpoint);
    std::lock_guard lock(mutex_);
    report_.listenError = failed;
  }
  if (!timer_) {
    timer_ = new QTimer(this);
    timer_->setInterval(kPollMs);
    connect(timer_, &QTimer::timeout, this, &HeardWorker::poll);
  }
  timer_->start();
  emit changed();
}

void HeardWorker::end() {
  if (timer_) timer_->stop();
  if (listener_) {
    listener_->stop();
    // What arrived before the stop is still stored.
    std::vector<Decode> rest;
    listener_->take(rest);
    if (!rest.empty() && store_.isOpen()) store_.add(rest);
    listener_.reset();
  }
  store_.close();
}

void HeardWorker::retain() {
  const std::int64_t now = utcMsOf(clock_.read());
  store_.dropOlderThan(now - static_cast<std::int64_t>(std::clamp(sources_.keepDays, 1, 36500)) * 86'400'000);
}

void HeardWorker::readLogs() {
  bool stored = false;
  std::vector<Message> problems;
  for (const LogFile& log : sources_.logs) {
    if (cancel_) break;
    // Batch by batch, each with its log position as one transaction; the
    // window's end stops a long first read between two batches (the next
    // start goes on from there).
    std::string refused;
    LogReadCounts c = readNewLines(
        log, store_.logPosition(log.path),
        [&](std::vector<Decode>& batch, const LogPosition& reached) {
          AddCounts a;
          if (!store_.add(batch, {reached}, &a)) {
            refused = store_.error();
            return false;
          }
          stored = stored || a.added > 0;
          return !cancel_;
        },
        kBatch);
    if (c.error.empty()) c.error = refused;
    // A log that cannot be read is told once; it is tried again all the same.
    const bool told = std::find(reported_.begin(), reported_.end(), log.path) != reported_.end();
    if (!c.error.empty() && !told) {
      reported_.push_back(log.path);
      problems.push_back({kTxHeardLogProblem, log.path, c.error});
    } else if (c.error.empty() && told) {
      reported_.erase(std::find(reported_.begin(), reported_.end(), log.path));
    }
  }
  std::lock_guard lock(mutex_);
  report_.stored = report_.stored || stored;
  if (auto m = store_.takeSetAside()) {
    report_.messages.push_back(*m);
    report_.opened = true;
  }
  for (Message& m : problems) report_.messages.push_back(std::move(m));
}

void HeardWorker::poll() {
  if (!store_.isOpen()) return;
  bool tell = false;
  if (listener_ && listener_->running()) {
    // At most a few batches a poll: under a flood the listener drops what
    // does not fit its queue (and counts it), and this thread still comes
    // back to its events (the window's end waits for it).
    std::vector<Decode> batch;
    for (int n = 0; n < 4 && !cancel_ && listener_->take(batch, kBatch) > 0; ++n) {
      AddCounts counts;
      if (store_.add(batch, {}, &counts) && counts.added > 0) tell = true;
      batch.clear();
    }
    const ListenerSnapshot seen = listener_->snapshot();
    std::lock_guard lock(mutex_);
    if (seen.lastHeardMs != report_.seen.lastHeardMs || seen.counts.datagrams != report_.seen.counts.datagrams)
      tell = true;
    report_.seen = seen;
    report_.stored = report_.stored || tell;
  }
  if (++polls_ % kLogPolls == 0 && !sources_.logs.empty()) {
    readLogs();
    tell = true;
  }
  if (polls_ % kRetainPolls == 0) retain();
  {
    std::lock_guard lock(mutex_);
    if (auto m = store_.takeSetAside()) {
      report_.messages.push_back(*m);
      report_.opened = true;
      tell = true;
    }
    tell = tell || report_.stored || !report_.messages.empty();
  }
  if (tell) emit changed();
}

// ---- The window's side ------------------------------------------------------

HeardBinder::HeardBinder(State& s, const Clock& clock, ProgramDirs dirs, QMainWindow* window, PictureView* view)
    : QObject(window),
      s_(s),
      clock_(clock),
      dirs_(std::move(dirs)),
      window_(window),
      view_(view),
      worker_(new HeardWorker(clock)),
      scratch_(std::make_unique<State>()) {
  setObjectName("heardBinder");
  panel_ = new HeardPanel(window);
  panel_->hide();  // until a source of decodes is set
  lblReceiver = new QLabel(window);
  lblReceiver->setObjectName("lblReceiver");
  window->statusBar()->addPermanentWidget(lblReceiver);
  lblReceiver->hide();
  outlook_.fill(Outlook::Closed);

  worker_->moveToThread(&thread_);
  thread_.setObjectName("heardWorker");
  connect(worker_, &HeardWorker::changed, this, &HeardBinder::workerChanged, Qt::QueuedConnection);
  thread_.start();

  for (auto [timer, name] : {std::pair{&tmrRefresh, "tmrHeardRefresh"}, std::pair{&tmrStatus, "tmrHeardStatus"}}) {
    timer->setParent(this);
    timer->setObjectName(name);
  }
  tmrRefresh.setSingleShot(true);
  connect(&tmrRefresh, &QTimer::timeout, this, &HeardBinder::refresh);
  tmrStatus.setInterval(1000);
  connect(&tmrStatus, &QTimer::timeout, this, &HeardBinder::showStatus);
  view_->setMapOverlay([this](Canvas& c, const MapProjection& p, Rect picture, double scale) {
    drawOverlay(c, p, picture, scale);
  });
}

HeardBinder::~HeardBinder() {
  stop();
  thread_.quit();
  thread_.wait();
  delete worker_;
}

void HeardBinder::stop() {
  if (!thread_.isRunning()) return;
  worker_->cancel();
  QMetaObject::invokeMethod(worker_, [w = worker_] { w->end(); }, Qt::BlockingQueuedConnection);
}

void HeardBinder::wire(QMenu* menu, std::function<UserDialogs&()> dialogs,
                       std::function<void(const QString&)> notify) {
  dialogs_ = std::move(dialogs);
  notify_ = std::move(notify);
  mnuHeard = menu->addAction(QString());
  mnuHeard->setObjectName("mnuHeard");
  connect(mnuHeard, &QAction::triggered, this, [this] {
    HeardSettingsDialog* d = settingsDialog();
    d->showPrefs(readWindowPrefs(ownFile(dirs_, kWindowPrefsFile)), findReceiverLogs(QDir::homePath().toStdString()));
    d->show();
    d->raise();
  });
  retranslate();
}

HeardSettingsDialog* HeardBinder::settingsDialog() {
  if (settings_) return settings_;
  settings_ = new HeardSettingsDialog(
      s_,
      [this] {
        if (!dialogs_) return QString();
        return dialogs_().openFileName(window_, q(T(s_, kTxHeardLogs)), QDir::homePath(), "ALL.TXT (*.TXT *.txt);;* (*)");
      },
      window_);
  connect(settings_, &QDialog::accepted, this, [this] {
    // The other keys as the file has them now; the heard ones as edited.
    const std::filesystem::path file = ownFile(dirs_, kWindowPrefsFile);
    const WindowPrefs f = settings_->edited(readWindowPrefs(file));
    writeWindowPrefs(file, f);
    apply(f);
  });
  return settings_;
}

void HeardBinder::start() { apply(readWindowPrefs(ownFile(dirs_, kWindowPrefsFile))); }

void HeardBinder::apply(const WindowPrefs& f) {
  prefs_ = f;
  on_ = heardSourcesOn(f);
  panel_->setVisible(on_ && heardSpanOf(f).has_value());
  if (panel_->isVisibleTo(window_)) fitSidePanel();
  lblReceiver->setVisible(f.heardListen);
  reader_.close();
  dots_ = {};
  layer_.setDots({});
  view_->refresh();
  worker_->cancel();  // a long read of the former logs stops; begin or end follows
  if (!on_) {
    tmrStatus.stop();
    QMetaObject::invokeMethod(worker_, [w = worker_] { w->end(); }, Qt::QueuedConnection);
    return;
  }
  stationA_ = {s_.X1, s_.Y1};
  HeardSources src;
  src.store = ownFile(dirs_, kHeardStoreFile);
  src.logs = heardLogFiles(f, s_.X1, s_.Y1);
  src.listen = f.heardListen;
  // An address the file holds but that cannot be read (edited by hand):
  // the receiver's default, and the status line names the one listened on.
  src.endpoint = parseEndpoint(f.heardUdp).value_or(UdpEndpoint{});
  endpoint_ = src.endpoint.address + ":" + std::to_string(src.endpoint.port);
  src.rxLat = s_.X1;
  src.rxLon = s_.Y1;
  src.keepDays = f.heardKeepDays;
  QMetaObject::invokeMethod(worker_, [w = worker_, src] { w->begin(src); }, Qt::QueuedConnection);
  if (f.heardListen) tmrStatus.start();
  shownChanged();
}

void HeardBinder::fitSidePanel() {
  // The side panel took its width from its parts when the window was built,
  // without these rows: it widens as far as they need, once.
  for (QWidget* w = panel_->parentWidget(); w; w = w->parentWidget())
    if (auto* scroll = qobject_cast<QScrollArea*>(w)) {
      const int need = scroll->widget()->minimumSizeHint().width() + scroll->verticalScrollBar()->sizeHint().width() + 4;
      if (need > scroll->minimumWidth()) scroll->setMinimumWidth(need);
      return;
    }
}

void HeardBinder::workerChanged() {
  HeardWorker::Report r = worker_->take();
  for (const Message& m : r.messages)
    if (notify_) notify_(q(messageText(s_.L, m)));
  if (r.opened || !reader_.isOpen()) {
    reader_.close();
    if (on_) reader_.open(ownFile(dirs_, kHeardStoreFile));
    if (!tmrRefresh.isActive()) tmrRefresh.start(0);
  }
  last_ = std::move(r);
  if (last_.stored && !tmrRefresh.isActive()) tmrRefresh.start(kRefreshMs);
  showStatus();
}

void HeardBinder::shownChanged() {
  if (!on_) return;
  // A new station A: the receiver heard over UDP, and every log without a
  // position of its own, stand there from now on.
  if (s_.X1 != stationA_.lat || s_.Y1 != stationA_.lon) {
    apply(prefs_);
    return;
  }
  if (panel_->isVisibleTo(window_)) {
    // The forecast's outlook toward B per band at the time shown, on a copy
    // of the record so the point result's grid stays as it is.
    *scratch_ = s_;
    const int minute = shownMinute(s_);
    std::vector<BandOutlookRow> rows;
    if (prgBandOutlook(*scratch_, minute / 60, minute % 60, 1, rows) == 0) outlook_ = outlookPerBand(rows);
    else outlook_.fill(Outlook::Closed);
  }
  if (!tmrRefresh.isActive() || tmrRefresh.remainingTime() > kShownMs) tmrRefresh.start(kShownMs);
}

void HeardBinder::refresh() {
  const std::optional<HeardSpan> span = heardSpanOf(prefs_);
  if (!on_ || !span || !reader_.isOpen()) {
    if (!dots_.stations.empty()) {
      dots_ = {};
      layer_.setDots({});
      view_->refresh();
    }
    return;
  }
  // The span ends at the time the displays show, by the program's own UTC
  // clock (the one the time bar and the captions give).
  const std::int64_t end = heardEndMs(toSerial(s_.Zeitpunkt) * 1000, s_.AnzeigeMinute);
  const std::int64_t start = spanStartMs(end, *span);
  // Every band for the rows, decode by decode; only the band shown is held
  // whole, for its dots.
  HeardSummarizer summarizer(GeoPoint{s_.OrtX2, s_.OrtY2});
  reader_.forEachBetween(start, end, -1, [&](const StoredDecode& d) {
    summarizer.add(d);
    return true;
  });
  const HeardSummary summary = summarizer.result();
  const int spanKey = *span == HeardSpan::Minutes15 ? kTxHeardSpan15
                      : *span == HeardSpan::Hour1   ? kTxHeardSpan60
                      : *span == HeardSpan::Hours6  ? kTxHeardSpan360
                                                    : kTxHeardSpan1440;
  panel_->present(q(T(s_, kTxHeardPanel)).arg(q(T(s_, spanKey)), clockOf(end)), heardPanelRows(s_, summary, outlook_));
  const int band = heardBandOf(s_.AktFrequenz);
  HeardDots dots = band >= 0 ? heardDots(reader_.between(start, end, band), band) : HeardDots{};
  // The map is drawn anew only when its dots changed (a day being played
  // mostly keeps them).
  const auto same = [](const MapDot& a, const MapDot& b) {
    return a.colour == b.colour && a.position.lat == b.position.lat && a.position.lon == b.position.lon;
  };
  const bool changed = !std::equal(dots.marks.begin(), dots.marks.end(), dots_.marks.begin(), dots_.marks.end(), same);
  dots_ = std::move(dots);
  if (changed) {
    layer_.setDots(dots_.marks);
    if (s_.Darstellung == 1.0f) view_->refresh();
  }
}

void HeardBinder::showStatus() {
  if (!prefs_.heardListen) return;
  const std::string text = receiverStatusText(s_, last_.listening, endpoint_, last_.listenError, last_.seen,
                                              utcMsOf(clock_.read()));
  lblReceiver->setText(q(text));
}

void HeardBinder::retranslate() {
  if (mnuHeard) mnuHeard->setText(q(T(s_, kTxHeardMenu)));
  panel_->retranslate(s_);
  showStatus();
  if (on_) tmrRefresh.start(0);
}

QString HeardBinder::readOutAt(QPointF p) const {
  if (dots_.stations.empty() || s_.Darstellung != 1.0f) return {};
  const double dpr = view_->devicePixelRatioF();
  const Point at{p.x() * dpr - 0.5, p.y() * dpr - 0.5};
  const auto under = dotsUnder(dots_, view_->mapProjection(), at, mapDotRadius(dpr) + dpr);
  if (under.empty()) return {};
  QString text = q(dotReadOut(*under.front()));
  if (under.front()->gridSource == GridSource::Earlier) text += " (" + q(under.front()->grid) + "*)";
  if (under.size() > 1) text += QString("  +%1").arg(under.size() - 1);
  return text;
}

void HeardBinder::drawOverlay(Canvas& c, const MapProjection& p, Rect picture, double scale) {
  if (dots_.marks.empty()) return;
  layer_.draw(c, p, picture, scale);
  // The legend in the picture's lower left corner: the title and a disc of
  // each SNR class's colour with its range.
  QImage image(reinterpret_cast<uchar*>(c.pixel), c.width, c.height, 4 * c.width, QImage::Format_RGB32);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  QFont font = view_->font();
  font.setPixelSize(std::max(9, static_cast<int>(std::lround(11 * scale))));
  painter.setFont(font);
  const QFontMetrics m(font);
  const auto& legend = dotLegend();
  const QString title = q(T(s_, kTxHeardLegend));
  const int line = m.height(), disc = std::max(6, line * 2 / 3), pad = std::max(3, line / 3);
  int width = m.horizontalAdvance(title);
  for (const LegendEntry& e : legend) width = std::max(width, disc + pad + m.horizontalAdvance(q(e.label)));
  const QRect box(static_cast<int>(picture.x) + pad, static_cast<int>(picture.y + picture.height) - pad -
                                                         (static_cast<int>(legend.size()) + 1) * line - 2 * pad,
                  width + 2 * pad, (static_cast<int>(legend.size()) + 1) * line + 2 * pad);
  painter.setPen(QColor(80, 80, 80));
  painter.setBrush(QColor(255, 255, 255, 210));
  painter.drawRect(box);
  painter.setPen(Qt::black);
  painter.drawText(QRect(box.x() + pad, box.y() + pad, width, line), Qt::AlignLeft | Qt::AlignVCenter, title);
  for (std::size_t i = 0; i < legend.size(); ++i) {
    const int y = box.y() + pad + static_cast<int>(i + 1) * line;
    painter.setPen(QPen(QColor(40, 40, 40), 1));
    painter.setBrush(QColor::fromRgb(legend[i].colour));
    painter.drawEllipse(QRectF(box.x() + pad, y + (line - disc) / 2.0, disc, disc));
    painter.setPen(Qt::black);
    painter.drawText(QRect(box.x() + pad + disc + pad, y, width, line), Qt::AlignLeft | Qt::AlignVCenter,
                     q(legend[i].label));
  }
}

}  // namespace welvaro::ui
