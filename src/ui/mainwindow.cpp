#include "ui/mainwindow.h"
#include "ui/qtext.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDateTime>
#include <QFontDatabase>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLocale>
#include <QMenuBar>
#include <QMessageBox>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusBar>
#include <QVBoxLayout>
#include <cstdio>

#include "display/bitmap.h"
#include "display/chart.h"
#include "display/point.h"
#include "display/worldmap.h"
#include "lang/sprachtext.h"
#include "lang/system_language.h"
#include "schedule/datafile_messages.h"
#include "schedule/session.h"
#include "ui/dialogs.h"
#include "ui/frequency_box.h"
#include "ui/helpviewer.h"
#include "ui/message_bar.h"
#include "ui/menus.h"
#include "ui/outlook_controls.h"
#include "display/outlookview.h"
#include "forecast/availability.h"
#include "display/bands.h"
#include "ui/band_panel.h"
#include "ui/heard_binder.h"
#include "ui/heard_panel.h"
#include "ui/picture_view.h"
#include "display/sun.h"
#include "ui/smeterscale.h"
#include "ui/icons.h"
#include "ui/version.h"
#include "ui/time_bar.h"
#include "ui/solar_data.h"
#include "solar/sunspot_choice.h"

namespace welvaro::ui {

namespace {

// Captions carry the two-character line break of the texts; a label shows
// one line break for it.
QString rows(const std::string& s) {
  QString t = q(s);
  t.replace("\n\r", "\n");
  t.replace("\r\n", "\n");
  t.replace('\r', '\n');
  return t;
}

// A message box wide enough to show its whole title: the window system
// would otherwise cut a title longer than the box's text.
void wholeTitle(QMessageBox& box) {
  auto* grid = qobject_cast<QGridLayout*>(box.layout());
  if (!grid) return;
  QFont titleFont = box.font();
  titleFont.setBold(true);
  const int width = QFontMetrics(titleFont).horizontalAdvance(box.windowTitle()) + 140;
  grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Minimum), grid->rowCount(), 0, 1,
                  grid->columnCount());
}

}  // namespace

MainWindow::MainWindow(const Clock& clock, ProgramDirs dirs, QWidget* parent)
    : QMainWindow(parent), clock_(clock), dirs_(std::move(dirs)), s_(std::make_unique<State>()) {
  setObjectName("frmWelvaro");
  setWindowTitle("Welvaro");
  buildWindow();
  menus_ = new Menus(menuBar());
  connectMenus();
  connectTimers();
  connectInputs();
  solar_ = new SolarData(this, *s_, dirs_, clock_,
                         {[this]() -> UserDialogs& { return *dialogs_; }, [this](const QString& t) { notify(t); },
                          [this](bool changed) {
                            if (!changed) return prgPointErgebnisZeigen();  // the table's date in the panel
                            showWait(true);
                            tmrNeueDaten.start();
                          }});
  connect(menus_->mnuSonnendaten, &QAction::triggered, solar_, &SolarData::update);
  heard_->wire(menus_->mnuVorgaben, [this]() -> UserDialogs& { return *dialogs_; }, [this](const QString& t) { notify(t); });
  // The clock and the day check run from the creation of the window.
  tmrAktZeit.start();
  tmrTagesaktualisieren.start();
  tickAktZeit();
}

MainWindow::~MainWindow() = default;

// ---- The window's parts ------------------------------------------------------------

void MainWindow::buildWindow() {
  auto* central = new QWidget(this);
  setCentralWidget(central);
  outlook_ = new OutlookControls(*s_, this);
  auto* mainLayout = new QVBoxLayout(central);
  mainLayout->setContentsMargins(8, 4, 8, 4);
  mainLayout->setSpacing(6);
  buildToolBar(mainLayout);
  auto* line = new QFrame(this);
  line->setFrameShape(QFrame::HLine);
  line->setFrameShadow(QFrame::Sunken);
  mainLayout->addWidget(line);
  frmMeldungen = new MessageBar(this);
  mainLayout->addWidget(frmMeldungen);

  // The picture with its scales, and the text panel.
  auto* centre = new QHBoxLayout;
  centre->setSpacing(10);
  picDarstellung = new PictureView(*s_, this);
  timeBar_ = new TimeBar(this);
  auto* pictureColumn = new QVBoxLayout;
  pictureColumn->addWidget(picDarstellung, 1);
  pictureColumn->addWidget(timeBar_);
  centre->addLayout(pictureColumn, 1);
  imgWarten = picDarstellung->imgWarten;
  imgWarten->setPixmap(waitPicture(q(T(*s_, kTxBerechnung))));
  imgWarten->adjustSize();
  buildPanel(centre);
  mainLayout->addLayout(centre, 1);

  // Cursor read-out.
  auto* readout = new QHBoxLayout;
  readout->setSpacing(16);
  for (auto [pointer, name] : {std::pair{&lblPegel, "lblPegel"}, std::pair{&lblLocator, "lblLocator"},
                              std::pair{&lblFrequenz, "lblFrequenz"}, std::pair{&lblOrtB, "lblOrtB"},
                              std::pair{&lblPeilung, "lblPeilung"}}) {
    *pointer = new QLabel(this);
    (*pointer)->setObjectName(name);
    (*pointer)->setMinimumWidth(150);
    readout->addWidget(*pointer);
  }
  readout->addStretch(1);
  mainLayout->addLayout(readout);
  statusBar()->setSizeGripEnabled(true);
}

void MainWindow::buildToolBar(QVBoxLayout* mainLayout) {
  auto* bar = new QHBoxLayout;
  bar->setSpacing(4);
  auto button = [this](const char* name, const QIcon& icon) {
    auto* b = new QToolButton(this);
    b->setObjectName(name);
    b->setIcon(icon);
    b->setIconSize(QSize(24, 24));
    b->setAutoRaise(true);
    return b;
  };
  cmdWelt = button("cmdWelt", worldIcon());
  cmdOrt = button("cmdOrt", chartIcon());
  cmdGreyline = button("cmdGreyline", greylineIcon());
  cmdWelvarozeit = button("cmdWelvarozeit", clockIcon());
  cmdSonnenflecken = button("cmdSonnenflecken", sunIcon());
  cmdDrucker = button("cmdDrucker", printerIcon());
  cmdEnde = button("cmdEnde", endIcon());
  cmdAzimutal = button("cmdAzimutal", azimuthalIcon());
  cmdAzimutal->setCheckable(true);
  frmMonat = new QFrame(this);
  frmMonat->setObjectName("frmMonat");
  auto* monthLayout = new QHBoxLayout(frmMonat);
  monthLayout->setContentsMargins(0, 0, 0, 0);
  cmbMonat = new QComboBox(frmMonat);
  cmbMonat->setObjectName("cmbMonat");
  for (int m = 1; m <= 12; ++m) cmbMonat->addItem(q(s_->MonatsName[m]));
  monthLayout->addWidget(cmbMonat);
  frmMonat->hide();
  lblAnzeige = new QLabel(this);
  lblAnzeige->setObjectName("lblAnzeige");
  QFont title = lblAnzeige->font();
  title.setPointSizeF(title.pointSizeF() * 1.3);
  title.setBold(true);
  lblAnzeige->setFont(title);
  lblZeitanzeige = new QLabel(this);
  lblZeitanzeige->setObjectName("lblZeitanzeige");
  QFont clock = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  clock.setPointSizeF(clock.pointSizeF() * 1.2);
  lblZeitanzeige->setFont(clock);
  lblZeitanzeige->setStyleSheet("QLabel { padding: 2px 6px; border: 1px solid #888; border-radius: 3px; }");
  auto separator = [this] {
    auto* f = new QFrame(this);
    f->setFrameShape(QFrame::VLine);
    f->setFrameShadow(QFrame::Sunken);
    return f;
  };
  for (QWidget* w : std::initializer_list<QWidget*>{cmdWelt, cmdOrt, cmdAzimutal, separator(), outlook_->cmdAussicht,
                                                     outlook_->cmbModus, separator(), cmdGreyline, cmdWelvarozeit,
                                                     frmMonat, separator(), cmdSonnenflecken, cmdDrucker})
    bar->addWidget(w);
  bar->addStretch(1);
  bar->addWidget(lblAnzeige);
  bar->addStretch(1);
  bar->addWidget(lblZeitanzeige);
  bar->addWidget(separator());
  bar->addWidget(cmdEnde);
  mainLayout->addLayout(bar);
}

void MainWindow::buildPanel(QHBoxLayout* centre) {
  // The text panel scrolls when the window is lower than it (a small
  // screen), so the picture keeps its room.
  auto* scroll = new QScrollArea(this);
  scroll->setObjectName("frmPanel");
  scroll->setWidgetResizable(true);
  scroll->setFrameShape(QFrame::NoFrame);
  scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  auto* content = new QWidget(scroll);
  auto* panel = new QVBoxLayout(content);
  panel->setContentsMargins(0, 0, 4, 0);
  panel->setSpacing(6);
  lblFunkverbindung = new QLabel(this);
  lblFunkverbindung->setObjectName("lblFunkverbindung");
  QFont bold = lblFunkverbindung->font();
  bold.setBold(true);
  lblFunkverbindung->setFont(bold);
  lblGeoAuswertung = new QLabel(this);
  lblGeoAuswertung->setObjectName("lblGeoAuswertung");
  lblGeoAuswertung->setTextInteractionFlags(Qt::TextSelectableByMouse);
  lblGeoAuswertung->setMinimumWidth(250);
  lblStationsLocator = new QLabel(this);
  lblStationsLocator->setObjectName("lblStationsLocator");
  lblStationsLocator->setTextInteractionFlags(Qt::TextSelectableByMouse);
  lblSunTimes = new QLabel(this);
  lblSunTimes->setObjectName("lblSunTimes");
  lblSunTimes->setTextInteractionFlags(Qt::TextSelectableByMouse);
  lblSunTimes->setWordWrap(true);  // never wider than the panel
  lblSonnenflecken = new QLabel(this);
  lblSonnenflecken->setObjectName("lblSonnenflecken");
  lblSonnenflecken->setTextInteractionFlags(Qt::TextSelectableByMouse);
  lblSonnenflecken->setWordWrap(true);
  lblPegelAnzeige = new QLabel(this);
  lblPegelAnzeige->setObjectName("lblPegelAnzeige");
  pobSmeter = new QProgressBar(this);
  pobSmeter->setObjectName("pobSmeter");
  pobSmeter->setRange(0, 108);
  pobSmeter->setTextVisible(false);
  pobSmeter->setFixedHeight(14);
  pobSmeter->setStyleSheet(
      "QProgressBar { border: 1px solid #666; background: #202020; }"
      "QProgressBar::chunk { background: qlineargradient(x1:0,y1:0,x2:1,y2:0, stop:0 #00c000, stop:0.5 #e0e000, "
      "stop:1 #ff2000); }");
  auto* scale = new SmeterScale(pobSmeter, this);
  scale->setObjectName("smeterScale");
  lblWelvaroAnzeige = new QLabel(this);
  lblWelvaroAnzeige->setObjectName("lblWelvaroAnzeige");
  lblWelvaroAnzeige->setWordWrap(true);
  for (QWidget* w :
       std::initializer_list<QWidget*>{lblFunkverbindung, lblGeoAuswertung, lblStationsLocator, lblSunTimes,
                                      lblSonnenflecken})
    panel->addWidget(w);
  panel->addSpacing(4);
  for (QWidget* w : std::initializer_list<QWidget*>{lblPegelAnzeige, pobSmeter, scale, outlook_->lblAussicht,
                                                    lblWelvaroAnzeige})
    panel->addWidget(w);
  panel->addStretch(1);
  bandPanel_ = new BandPanel(this);
  panel->addSpacing(6);
  panel->addWidget(bandPanel_);
  heard_ = new HeardBinder(*s_, clock_, dirs_, this, picDarstellung);
  panel->addWidget(heard_->panel());
  panel->addSpacing(6);
  frequencyBox_ = new FrequencyBox(*s_, this);
  scroll->setWidget(content);
  scroll->setMinimumWidth(content->sizeHint().width() + scroll->verticalScrollBar()->sizeHint().width() + 4);
  // The frequency box and its memories stay in sight under the panel,
  // however low the window (1024 x 600).
  auto* column = new QVBoxLayout;
  column->addWidget(scroll, 1);
  column->addWidget(frequencyBox_);
  centre->addLayout(column, 0);
}

void MainWindow::connectMenus() {
  const Menus& m = *menus_;
  auto withFocus = [this](auto f) {
    return [this, f] {
      f();
      if (!ended_) picDarstellung->setFocus();
    };
  };
  connect(cmdWelt, &QToolButton::clicked, this, withFocus([this] { prgDarstellung1(); }));
  connect(cmdOrt, &QToolButton::clicked, this, withFocus([this] { prgDarstellung2(); }));
  connect(cmdGreyline, &QToolButton::clicked, this, withFocus([this] { follow(toggleGreyline(*s_)); }));
  connect(cmdWelvarozeit, &QToolButton::clicked, this, withFocus([this] { follow(toggleForecastPeriod(*s_)); }));
  connect(cmdEnde, &QToolButton::clicked, this, withFocus([this] { prgEnde(); }));
  connect(cmdDrucker, &QToolButton::clicked, this, withFocus([this] { prgDrucken(); }));
  connect(cmdAzimutal, &QToolButton::toggled, this, &MainWindow::chooseProjection);
  connect(m.mnuAzimutal, &QAction::triggered, this, &MainWindow::chooseProjection);
  connect(m.mnuBildSpeichern, &QAction::triggered, this, &MainWindow::savePicture);
  connect(m.mnuBildKopieren, &QAction::triggered, this, &MainWindow::copyPicture);
  connect(cmbMonat, &QComboBox::activated, this, [this](int) {
    showWait(true);
    tmrMonat.start();
  });
  connect(m.mnuDrucker, &QAction::triggered, this, &MainWindow::prgDrucken);
  connect(m.mnuEnde, &QAction::triggered, this, &MainWindow::prgEnde);
  connect(m.mnuDarstellung1, &QAction::triggered, this, &MainWindow::prgDarstellung1);
  connect(m.mnuDarstellung2, &QAction::triggered, this, &MainWindow::prgDarstellung2);
  outlook_->addMenuItem(m.mnuAnzeige);
  connect(outlook_, &OutlookControls::outlookChosen, this, [this] { follow(chooseOutlook(*s_, true)); });
  connect(outlook_, &OutlookControls::choiceMade, this, &MainWindow::follow);
  connect(m.mnuPegel, &QAction::triggered, this, [this] { follow(chooseLevel(*s_, true)); });
  connect(m.mnuFeldstaerke, &QAction::triggered, this, [this] { follow(chooseLevel(*s_, false)); });
  for (int n = 0; n < 6; ++n)
    connect(m.mnuBeschriftung[n], &QAction::triggered, this, [this, n] {
      s_->L = static_cast<int16>(n);
      prgLandessprache();
    });
  connect(m.mnuInfoEinblendung, &QAction::triggered, this, [this] { follow(toggleInfo(*s_)); });
  connect(m.mnuCursorposition, &QAction::triggered, this, [this] { follow(chooseNearestPlace(*s_, false)); });
  connect(m.mnuNaechsteStadt, &QAction::triggered, this, [this] { follow(chooseNearestPlace(*s_, true)); });
  connect(m.mnuGrad, &QAction::triggered, this, [this] { follow(chooseLocator(*s_, false)); });
  connect(m.mnuLocator, &QAction::triggered, this, [this] { follow(chooseLocator(*s_, true)); });
  connect(m.mnuStundeVor, &QAction::triggered, this, [this] { follow(stepTime(*s_, 60)); });
  connect(m.mnuStundeZurueck, &QAction::triggered, this, [this] { follow(stepTime(*s_, -60)); });
  connect(m.mnuMinutenVor, &QAction::triggered, this, [this] { follow(stepTime(*s_, 10)); });
  connect(m.mnuMinutenZurueck, &QAction::triggered, this, [this] { follow(stepTime(*s_, -10)); });
  connect(m.mnuFrequenzHoch, &QAction::triggered, this, [this] { follow(stepFrequency(*s_, 1)); });
  connect(m.mnuFrequenzRunter, &QAction::triggered, this, [this] { follow(stepFrequency(*s_, -1)); });
  connect(m.mnuBandHoch, &QAction::triggered, this, [this] { follow(stepBand(*s_, 1)); });
  connect(m.mnuBandRunter, &QAction::triggered, this, [this] { follow(stepBand(*s_, -1)); });
  connect(m.mnuJetzt, &QAction::triggered, this, [this] {
    timeBar_->pause();
    follow(timeNow(*s_));
  });
  connect(m.mnuAbspielen, &QAction::triggered, timeBar_, &TimeBar::togglePlay);
  connect(timeBar_, &TimeBar::minuteChosen, this, [this](int m) { follow(showTime(*s_, m)); });
  connect(timeBar_, &TimeBar::nowChosen, this, [this] { follow(timeNow(*s_)); });
  connect(timeBar_, &TimeBar::advance, this, [this](int n) { follow(stepTime(*s_, n)); });
  connect(bandPanel_, &BandPanel::bandChosen, this, [this](int n) { follow(chooseBand(*s_, n)); });
  connect(m.mnuInfo, &QAction::triggered, this, &MainWindow::showAbout);
  connect(m.mnuWelvaroHilfe, &QAction::triggered, this, &MainWindow::showHelp);
}

void MainWindow::connectTimers() {
  struct TimerDef {
    QTimer* timer;
    int ms;
    bool once;
    const char* name;
    void (MainWindow::*tick)();
  } timer[] = {
      {&tmrAktZeit, 1000, false, "tmrAktZeit", &MainWindow::tickAktZeit},
      {&tmrTagesaktualisieren, 60000, false, "tmrTagesaktualisieren", &MainWindow::tickTagesaktualisieren},
      {&tmrMonat, 100, true, "tmrMonat", &MainWindow::tickMonat},
      {&tmrNeueDaten, 500, true, "tmrNeueDaten", &MainWindow::tickNeueDaten},
      {&tmrSetzePunkt, 500, true, "tmrSetzePunkt", &MainWindow::tickSetzePunkt},
      {&tmrSofort, 2000, true, "tmrSofort", &MainWindow::tickSofort},
      {&tmrSpeicher, 50, true, "tmrSpeicher", &MainWindow::tickSpeicher},
      {&tmrAnpassen, 4000, true, "tmrAnpassen", &MainWindow::tickAnpassen},
      {&tmrGenDarst, 60000, false, "tmrGenDarst", &MainWindow::tickGenDarst},
  };
  for (const TimerDef& z : timer) {
    z.timer->setParent(this);  // found by name like every control
    z.timer->setInterval(z.ms);
    z.timer->setSingleShot(z.once);
    z.timer->setObjectName(z.name);
    connect(z.timer, &QTimer::timeout, this, z.tick);
  }
}

// ---- Start-up -------------------------------------------------------------

void MainWindow::start() {
  State& s = *s_;
  // Constant tables: bitmap headers and colour table.
  conBitmaps(s);
  showWait(true);

  const StartReport report = prgStart(s, clock_.read(), dirs_);
  welcomeDue_ = welcomeDue(report);
  for (const Message& m : report.problems) notify(q(messageText(s.L, m)));
  {
    const QSignalBlocker blocker(cmbMonat);
    cmbMonat->setCurrentIndex(static_cast<int>(s.Monat) - 1);
  }
  frequencyBox_->showText();
  if (const auto m = dataFileMessage(loadMapLines(dataFile(dirs_, kMapLinesFile), lines_), kTxZeichnungFehlt))
    notify(q(messageText(s.L, *m)));
  picDarstellung->setLines(&lines_);
  // Land and sea under a closed band; without the file those places stay black.
  readLandAreas(dataFile(dirs_, kLandFile), land_);
  picDarstellung->setLandAreas(&land_);
  applyWindowPrefs();
  heard_->start();
  prgLandessprache();

  // The first picture as soon as its data is ready; the three-minute cycle
  // runs from here.
  tickAnpassen();
  tmrGenDarst.start();
  solar_->checkIfDue();  // online only when the user ticked the monthly check
}

// ---- What the window shows --------------------------------------------------------

void MainWindow::present() {
  const WindowState a = windowStateOf(*s_);
  cmdWelt->setEnabled(a.cmdWeltEnabled);
  cmdOrt->setEnabled(a.cmdOrtEnabled);
  cmdGreyline->setEnabled(a.cmdGreylineEnabled);
  cmdDrucker->setEnabled(a.cmdDruckerEnabled);
  cmdWelvarozeit->setToolTip(q(a.welvarozeitTip));
  lblAnzeige->setText(q(a.title));
  frmMonat->setVisible(a.frmMonatVisible);
  timeBar_->present(a.minute, a.now, q(a.timeText));
  menus_->present(a);
  outlook_->present(a);
  lblOrtB->setVisible(a.lblOrtBVisible);
  lblFrequenz->setVisible(a.lblFrequenzVisible);
  lblLocator->setVisible(a.lblLocatorVisible);
  lblPegel->setVisible(a.lblPegelVisible);
  if (!a.placeMarker) picDarstellung->setPlaceMarker(std::nullopt);
  lblPeilung->setVisible(a.world && a.lblLocatorVisible);
  cmdAzimutal->setEnabled(a.world);
  {
    const QSignalBlocker blocker(cmdAzimutal);
    cmdAzimutal->setChecked(picDarstellung->projection() == Projection::Azimuthal);
  }
  menus_->mnuAzimutal->setChecked(picDarstellung->projection() == Projection::Azimuthal);
  menus_->mnuAzimutal->setEnabled(a.world);
  setMonthColours(a.monthRed);
}

void MainWindow::follow(const FollowUp& f) {
  if (f.clearReadout)
    for (QLabel* l : {lblOrtB, lblFrequenz, lblLocator, lblPegel}) l->clear();
  present();
  if (f.restartCycle) {
    tmrAnpassen.stop();
    tmrGenDarst.start();  // starts the minute anew
  }
  if (f.month != 0) {
    // Back to the current month, as if chosen from the list.
    const QSignalBlocker blocker(cmbMonat);
    cmbMonat->setCurrentIndex(f.month - 1);
    showWait(true);
    tmrMonat.start();
  }
  if (f.redraw) {
    prgGenDarst();
  } else {
    if (f.frequencyChanged) frequencyBox_->showText();
    if (f.timeChanged || f.frequencyChanged) {
      showDataInMemory();
    } else if (f.redrawGreyline) {
      picDarstellung->refresh();
    }
  }
}

void MainWindow::showDataInMemory() {
  // A time or frequency of the data in memory: drawn anew, no new forecast.
  picDarstellung->refresh();
  prgPointErgebnis(*s_);
  prgPointErgebnisZeigen();
}

void MainWindow::chooseProjection(bool azimuthal) {
  picDarstellung->setProjection(azimuthal ? Projection::Azimuthal : Projection::Rectangular);
  present();
}

void MainWindow::showWait(bool an) {
  // Something is computed anew: a day being played stops here.
  if (an) timeBar_->pause();
  imgWarten->setVisible(an);
  if (an) {
    imgWarten->raise();
    imgWarten->repaint();
  }
}

void MainWindow::showBands() {
  State& s = *s_;
  const int minute = shownMinute(s);
  // The outlook per band in the outlook quantity; the best band always.
  std::vector<BandOutlookRow> outlook;
  prgBandOutlook(s, minute / 60, minute % 60, BandPanel::kHours, outlook);
  bandPanel_->showBestBand(q(s.BestBandLine));
  if (s.OutlookFlag == 1) {
    bandPanel_->presentOutlook(outlook, availabilityIndex(s.Iproz), bandOf(s.AktFrequenz));
  } else {
    std::vector<BandRow> rows;
    prgBandWerte(s, minute / 60, minute % 60, BandPanel::kHours, rows);
    bandPanel_->present(rows, s.PegelFlag == 1, bandOf(s.AktFrequenz));
  }
  heard_->shownChanged();
}

void MainWindow::prgGenDarst() {
  State& s = *s_;
  // The pictures are written as bitmap files as always; the view draws the
  // same data at its own size.
  DisplayStatus status;
  if (s.Darstellung != 1.0f) {
    status = prgAktDarst2(s, nullptr);
    picDarstellung->takeLink(status.fault == 0);
  } else {
    status = prgAktDarst1(s, nullptr);
  }
  picDarstellung->refresh();
  if (!status.message.empty()) notify(q(status.message));
  prgPointErgebnis(s);
  prgPointErgebnisZeigen();
  showWait(false);
}

void MainWindow::prgDarstellung1() { switchDisplay(1); }
void MainWindow::prgDarstellung2() { switchDisplay(2); }

void MainWindow::switchDisplay(int mode) {
  showWait(true);
  follow(chooseDisplay(*s_, mode));
}

void MainWindow::prgPointErgebnisZeigen() {
  const State& s = *s_;
  lblGeoAuswertung->setText(rows(s.GeoAuswertung));
  lblStationsLocator->setText(q(stationLocators(s)));
  lblSunTimes->setText(q(sunPanelText(s)));
  lblSonnenflecken->setText(q(ssnPanelText(s)));
  lblPegelAnzeige->setText(rows(s.PegelAnzeige));
  lblWelvaroAnzeige->setText(rows(s.WelvaroAnzeige));
  pobSmeter->setValue(s.SmeterWert);
  setMonthColours(windowStateOf(s).monthRed);
  outlook_->showPoint();
  showBands();
}

void MainWindow::setMonthColours(bool foreign) {
  setStyleIfChanged(lblPegelAnzeige, foreign ? "color: rgb(255,0,0);" : "color: rgb(128,128,128);");
  setStyleIfChanged(lblWelvaroAnzeige, foreign ? "color: rgb(255,0,0);" : "color: rgb(64,64,64);");
}

void MainWindow::notify(const QString& text) { frmMeldungen->present(text, q(T(*s_, kTxMeldungSchliessen))); }

// ---- Timers -------------------------------------------------------------------

void MainWindow::tickAktZeit() {
  State& s = *s_;
  const int before = s.Zeitpunkt.hour * 60 + s.Zeitpunkt.minute;
  prgUhr(s, clock_.read());
  // Live, the displays follow the clock from minute to minute.
  if (const FollowUp f = clockTicked(s, before, tmrGenDarst.isActive()); f.timeChanged) follow(f);
  const QDateTime utc(QDate(s.Zeitpunkt.year, s.Zeitpunkt.month, s.Zeitpunkt.day),
                      QTime(s.Zeitpunkt.hour, s.Zeitpunkt.minute, s.Zeitpunkt.second));
  lblZeitanzeige->setText(utc.time().toString("HH:mm:ss") + " UTC");
  lblZeitanzeige->setToolTip(QLocale(q(std::string(languageCode(s.L)))).toString(utc.date(), QLocale::LongFormat));
}

void MainWindow::tickTagesaktualisieren() { prgTagesaktualisierung(*s_, dirs_); }

void MainWindow::tickMonat() {
  tmrMonat.stop();
  if (prgMonat(*s_, cmbMonat->currentIndex() + 1, dirs_)) {
    picDarstellung->setFocus();
    present();
    prgGenDarst();
  }
  showWait(false);
}

void MainWindow::tickNeueDaten() {
  tmrNeueDaten.stop();
  prgNeueDaten(*s_, dirs_);
  prgGenDarst();
  picDarstellung->setFocus();
}

void MainWindow::tickSetzePunkt() {
  tmrSetzePunkt.stop();
  // The marker moves to the new point B; the display frequency stays the
  // one the user chose (it is not taken from the last cursor height).
  prgGenDarst();
}

void MainWindow::tickSofort() {
  tmrSofort.stop();
  prgGenDarst();
}

void MainWindow::tickAnpassen() {
  tmrAnpassen.stop();
  prgGenDarst();
}

void MainWindow::tickGenDarst() {
  if (cycleTick(*s_)) prgGenDarst();
}

// ---- Help, about, end -----------------------------------------------------------

void MainWindow::showAbout() {
  QMessageBox box(QMessageBox::Information, q(T(*s_, kTxInfo)),
                  QString("Welvaro %1\n\n").arg(kVersion) + q(T(*s_, kTxInfoText)) + "\n\n" +
                      q(T(*s_, kTxCopyright)) + "\n" + q(T(*s_, kTxDataSources)) + "\n" +
                      q(T(*s_, kTxSolarCredit)),
                  QMessageBox::Ok, this);
  dialogs_->ask(box);
  picDarstellung->refresh();
}

void MainWindow::showHelp() {
  if (!help_) help_ = new HelpViewer(this);
  help_->showContents(readHelp(*s_, dirs_), q(T(*s_, kTxHilfeAnker)), q(T(*s_, kTxWelvaroHilfe)));
}

void MainWindow::prgEnde() {
  QMessageBox box(QMessageBox::Question, q(T(*s_, kTxProgramTitle)), "    " + q(T(*s_, kTxProgrammEnde)) + "  ",
                  QMessageBox::Ok | QMessageBox::Cancel, this);
  box.setDefaultButton(QMessageBox::Cancel);
  wholeTitle(box);
  if (dialogs_->ask(box) != QMessageBox::Ok) return;
  for (const Message& m : prgSpeicherDaten(*s_, dirs_, clock_.now())) {
    QMessageBox warning(QMessageBox::Warning, q(T(*s_, kTxProgramTitle)), q(messageText(s_->L, m)), QMessageBox::Ok,
                        this);
    wholeTitle(warning);
    dialogs_->ask(warning);
  }
  if (help_) help_->close();
  ended_ = true;
  close();
  QApplication::closeAllWindows();
}

void MainWindow::endSession() {
  sessionEnding_ = true;
  close();
}

void MainWindow::saveWithoutWindow() {
  if (ended_) return;
  ended_ = true;
  for (const Message& m : prgSpeicherDaten(*s_, dirs_, clock_.now()))
    std::fprintf(stderr, "welvaro: %s\n", messageText(s_->L, m).c_str());
}

void MainWindow::closeEvent(QCloseEvent* e) {
  // The close box and the end of the session save as the confirmed end
  // does, without the exit question, so no change is lost. When the save
  // fails the user may keep the program open (the session's end cannot
  // wait for an answer: it reports to the error output).
  if (!ended_) {
    const std::vector<Message> problems = prgSpeicherDaten(*s_, dirs_, clock_.now());
    if (!problems.empty()) {
      QString text;
      for (const Message& m : problems) text += q(messageText(s_->L, m)) + "\n";
      if (sessionEnding_) {
        std::fprintf(stderr, "welvaro: %s", text.toLocal8Bit().constData());
      } else {
        QMessageBox box(QMessageBox::Warning, q(T(*s_, kTxProgramTitle)), text + "\n" + q(T(*s_, kTxTrotzdemBeenden)),
                        QMessageBox::Yes | QMessageBox::No, this);
        box.setDefaultButton(QMessageBox::No);
        wholeTitle(box);
        if (dialogs_->ask(box) != QMessageBox::Yes) {
          e->ignore();
          return;
        }
      }
    }
    ended_ = true;
  }
  saveWindowPrefs();
  heard_->stop();
  // The input dialogs, the help and every timer go with the window.
  for (InputDialog* d : findChildren<InputDialog*>()) d->hide();
  for (QTimer* t : findChildren<QTimer*>()) t->stop();
  if (help_) help_->close();
  e->accept();
}

}  // namespace welvaro::ui
