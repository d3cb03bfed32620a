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
#include "schedule/session.h"
#include "ui/dialogs.h"
#include "ui/frequenzfeld.h"
#include "ui/helpviewer.h"
#include "ui/meldungsleiste.h"
#include "ui/menues.h"
#include "display/baender.h"
#include "ui/bandtafel.h"
#include "ui/bildansicht.h"
#include "ui/symbole.h"
#include "ui/version.h"
#include "ui/zeitleiste.h"

namespace welvaro::ui {

namespace {

// Captions carry the two-character line break of the texts; a label shows
// one line break for it.
QString zeilen(const std::string& s) {
  QString t = q(s);
  t.replace("\n\r", "\n");
  t.replace("\r\n", "\n");
  t.replace('\r', '\n');
  return t;
}

// A message box wide enough to show its whole title: the window system
// would otherwise cut a title longer than the box's text.
void titelGanz(QMessageBox& box) {
  auto* raster = qobject_cast<QGridLayout*>(box.layout());
  if (!raster) return;
  QFont titelSchrift = box.font();
  titelSchrift.setBold(true);
  const int breite = QFontMetrics(titelSchrift).horizontalAdvance(box.windowTitle()) + 140;
  raster->addItem(new QSpacerItem(breite, 0, QSizePolicy::Minimum, QSizePolicy::Minimum), raster->rowCount(), 0, 1,
                  raster->columnCount());
}

}  // namespace

MainWindow::MainWindow(const Clock& clock, ProgramDirs dirs, QWidget* parent)
    : QMainWindow(parent), clock_(clock), dirs_(std::move(dirs)), s_(std::make_unique<State>()) {
  setObjectName("frmWelvaro");
  setWindowTitle("Welvaro");
  baueFenster();
  menues_ = new Menues(menuBar());
  verbindeMenues();
  verbindeTimer();
  verbindeEingaben();
  // The clock and the day check run from the creation of the window.
  tmrAktZeit.start();
  tmrTagesaktualisieren.start();
  tickAktZeit();
}

MainWindow::~MainWindow() = default;

// ---- The window's parts ------------------------------------------------------------

void MainWindow::baueFenster() {
  auto* zentrum = new QWidget(this);
  setCentralWidget(zentrum);
  auto* haupt = new QVBoxLayout(zentrum);
  haupt->setContentsMargins(8, 4, 8, 4);
  haupt->setSpacing(6);
  baueWerkzeugleiste(haupt);
  auto* linie = new QFrame(this);
  linie->setFrameShape(QFrame::HLine);
  linie->setFrameShadow(QFrame::Sunken);
  haupt->addWidget(linie);
  frmMeldungen = new MeldungsLeiste(this);
  haupt->addWidget(frmMeldungen);

  // The picture with its scales, and the text panel.
  auto* mitte = new QHBoxLayout;
  mitte->setSpacing(10);
  picDarstellung = new Bildansicht(*s_, this);
  zeitleiste_ = new Zeitleiste(this);
  auto* bildSpalte = new QVBoxLayout;
  bildSpalte->addWidget(picDarstellung, 1);
  bildSpalte->addWidget(zeitleiste_);
  mitte->addLayout(bildSpalte, 1);
  imgWarten = picDarstellung->imgWarten;
  imgWarten->setPixmap(wartenBild(q(T(*s_, kTxBerechnung))));
  imgWarten->adjustSize();
  bauePanel(mitte);
  haupt->addLayout(mitte, 1);

  // Cursor read-out.
  auto* lesen = new QHBoxLayout;
  lesen->setSpacing(16);
  for (auto [zeiger, name] : {std::pair{&lblPegel, "lblPegel"}, std::pair{&lblLocator, "lblLocator"},
                              std::pair{&lblFrequenz, "lblFrequenz"}, std::pair{&lblOrtB, "lblOrtB"},
                              std::pair{&lblPeilung, "lblPeilung"}}) {
    *zeiger = new QLabel(this);
    (*zeiger)->setObjectName(name);
    (*zeiger)->setMinimumWidth(150);
    lesen->addWidget(*zeiger);
  }
  lesen->addStretch(1);
  haupt->addLayout(lesen);
  statusBar()->setSizeGripEnabled(true);
}

void MainWindow::baueWerkzeugleiste(QVBoxLayout* haupt) {
  auto* leiste = new QHBoxLayout;
  leiste->setSpacing(4);
  auto knopf = [this](const char* name, const QIcon& icon) {
    auto* b = new QToolButton(this);
    b->setObjectName(name);
    b->setIcon(icon);
    b->setIconSize(QSize(24, 24));
    b->setAutoRaise(true);
    return b;
  };
  cmdWelt = knopf("cmdWelt", symbolWelt());
  cmdOrt = knopf("cmdOrt", symbolOrt());
  cmdGreyline = knopf("cmdGreyline", symbolGreyline());
  cmdWelvarozeit = knopf("cmdWelvarozeit", symbolUhr());
  cmdSonnenflecken = knopf("cmdSonnenflecken", symbolSonne());
  cmdDrucker = knopf("cmdDrucker", symbolDrucker());
  cmdEnde = knopf("cmdEnde", symbolEnde());
  cmdAzimutal = knopf("cmdAzimutal", symbolAzimutal());
  cmdAzimutal->setCheckable(true);
  frmMonat = new QFrame(this);
  frmMonat->setObjectName("frmMonat");
  auto* monatLayout = new QHBoxLayout(frmMonat);
  monatLayout->setContentsMargins(0, 0, 0, 0);
  cmbMonat = new QComboBox(frmMonat);
  cmbMonat->setObjectName("cmbMonat");
  for (int m = 1; m <= 12; ++m) cmbMonat->addItem(q(s_->MonatsName[m]));
  monatLayout->addWidget(cmbMonat);
  frmMonat->hide();
  lblAnzeige = new QLabel(this);
  lblAnzeige->setObjectName("lblAnzeige");
  QFont titel = lblAnzeige->font();
  titel.setPointSizeF(titel.pointSizeF() * 1.3);
  titel.setBold(true);
  lblAnzeige->setFont(titel);
  lblZeitanzeige = new QLabel(this);
  lblZeitanzeige->setObjectName("lblZeitanzeige");
  QFont uhr = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  uhr.setPointSizeF(uhr.pointSizeF() * 1.2);
  lblZeitanzeige->setFont(uhr);
  lblZeitanzeige->setStyleSheet("QLabel { padding: 2px 6px; border: 1px solid #888; border-radius: 3px; }");
  auto trenner = [this] {
    auto* f = new QFrame(this);
    f->setFrameShape(QFrame::VLine);
    f->setFrameShadow(QFrame::Sunken);
    return f;
  };
  for (QWidget* w : std::initializer_list<QWidget*>{cmdWelt, cmdOrt, cmdAzimutal, trenner(), cmdGreyline, cmdWelvarozeit,
                                                     frmMonat, trenner(), cmdSonnenflecken, cmdDrucker})
    leiste->addWidget(w);
  leiste->addStretch(1);
  leiste->addWidget(lblAnzeige);
  leiste->addStretch(1);
  leiste->addWidget(lblZeitanzeige);
  leiste->addWidget(trenner());
  leiste->addWidget(cmdEnde);
  haupt->addLayout(leiste);
}

void MainWindow::bauePanel(QHBoxLayout* mitte) {
  // The text panel scrolls when the window is lower than it (a small
  // screen), so the picture keeps its room.
  auto* rollen = new QScrollArea(this);
  rollen->setObjectName("frmPanel");
  rollen->setWidgetResizable(true);
  rollen->setFrameShape(QFrame::NoFrame);
  rollen->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  auto* inhalt = new QWidget(rollen);
  auto* panel = new QVBoxLayout(inhalt);
  panel->setContentsMargins(0, 0, 4, 0);
  panel->setSpacing(6);
  lblFunkverbindung = new QLabel(this);
  lblFunkverbindung->setObjectName("lblFunkverbindung");
  QFont fett = lblFunkverbindung->font();
  fett.setBold(true);
  lblFunkverbindung->setFont(fett);
  lblGeoAuswertung = new QLabel(this);
  lblGeoAuswertung->setObjectName("lblGeoAuswertung");
  lblGeoAuswertung->setTextInteractionFlags(Qt::TextSelectableByMouse);
  lblGeoAuswertung->setMinimumWidth(250);
  lblStationsLocator = new QLabel(this);
  lblStationsLocator->setObjectName("lblStationsLocator");
  lblStationsLocator->setTextInteractionFlags(Qt::TextSelectableByMouse);
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
  auto* skala = new QLabel(this);
  skala->setPixmap(smeterSkala(250));
  lblWelvaroAnzeige = new QLabel(this);
  lblWelvaroAnzeige->setObjectName("lblWelvaroAnzeige");
  lblWelvaroAnzeige->setWordWrap(true);
  for (QWidget* w : std::initializer_list<QWidget*>{lblFunkverbindung, lblGeoAuswertung, lblStationsLocator})
    panel->addWidget(w);
  panel->addSpacing(4);
  for (QWidget* w : std::initializer_list<QWidget*>{lblPegelAnzeige, pobSmeter, skala, lblWelvaroAnzeige})
    panel->addWidget(w);
  panel->addStretch(1);
  baender_ = new Bandtafel(this);
  panel->addSpacing(6);
  panel->addWidget(baender_);
  panel->addSpacing(6);
  frequenz_ = new FrequenzFeld(*s_, this);
  panel->addWidget(frequenz_);
  rollen->setWidget(inhalt);
  rollen->setMinimumWidth(inhalt->sizeHint().width() + rollen->verticalScrollBar()->sizeHint().width() + 4);
  mitte->addWidget(rollen, 0);
}

void MainWindow::verbindeMenues() {
  const Menues& m = *menues_;
  auto mitFokus = [this](auto f) {
    return [this, f] {
      f();
      if (!beendet_) picDarstellung->setFocus();
    };
  };
  connect(cmdWelt, &QToolButton::clicked, this, mitFokus([this] { prgDarstellung1(); }));
  connect(cmdOrt, &QToolButton::clicked, this, mitFokus([this] { prgDarstellung2(); }));
  connect(cmdGreyline, &QToolButton::clicked, this, mitFokus([this] { folge(schalteGreyline(*s_)); }));
  connect(cmdWelvarozeit, &QToolButton::clicked, this, mitFokus([this] { folge(schalteWelvarozeit(*s_)); }));
  connect(cmdEnde, &QToolButton::clicked, this, mitFokus([this] { prgEnde(); }));
  connect(cmdDrucker, &QToolButton::clicked, this, mitFokus([this] { prgDrucken(); }));
  connect(cmdAzimutal, &QToolButton::toggled, this, &MainWindow::waehleProjektion);
  connect(m.mnuAzimutal, &QAction::triggered, this, &MainWindow::waehleProjektion);
  connect(m.mnuBildSpeichern, &QAction::triggered, this, &MainWindow::bildSpeichern);
  connect(m.mnuBildKopieren, &QAction::triggered, this, &MainWindow::bildKopieren);
  connect(cmbMonat, &QComboBox::activated, this, [this](int) {
    zeigeWarten(true);
    tmrMonat.start();
  });
  connect(m.mnuDrucker, &QAction::triggered, this, &MainWindow::prgDrucken);
  connect(m.mnuEnde, &QAction::triggered, this, &MainWindow::prgEnde);
  connect(m.mnuDarstellung1, &QAction::triggered, this, &MainWindow::prgDarstellung1);
  connect(m.mnuDarstellung2, &QAction::triggered, this, &MainWindow::prgDarstellung2);
  connect(m.mnuPegel, &QAction::triggered, this, [this] { folge(waehlePegel(*s_, true)); });
  connect(m.mnuFeldstaerke, &QAction::triggered, this, [this] { folge(waehlePegel(*s_, false)); });
  for (int n = 0; n < 6; ++n)
    connect(m.mnuBeschriftung[n], &QAction::triggered, this, [this, n] {
      s_->L = static_cast<int16>(n);
      prgLandessprache();
    });
  connect(m.mnuInfoEinblendung, &QAction::triggered, this, [this] { folge(schalteInfo(*s_)); });
  connect(m.mnuCursorposition, &QAction::triggered, this, [this] { folge(waehleNaechsteStadt(*s_, false)); });
  connect(m.mnuNaechsteStadt, &QAction::triggered, this, [this] { folge(waehleNaechsteStadt(*s_, true)); });
  connect(m.mnuGrad, &QAction::triggered, this, [this] { folge(waehleLocator(*s_, false)); });
  connect(m.mnuLocator, &QAction::triggered, this, [this] { folge(waehleLocator(*s_, true)); });
  connect(m.mnuStundeVor, &QAction::triggered, this, [this] { folge(zeitSchritt(*s_, 60)); });
  connect(m.mnuStundeZurueck, &QAction::triggered, this, [this] { folge(zeitSchritt(*s_, -60)); });
  connect(m.mnuMinutenVor, &QAction::triggered, this, [this] { folge(zeitSchritt(*s_, 10)); });
  connect(m.mnuMinutenZurueck, &QAction::triggered, this, [this] { folge(zeitSchritt(*s_, -10)); });
  connect(m.mnuFrequenzHoch, &QAction::triggered, this, [this] { folge(frequenzSchritt(*s_, 1)); });
  connect(m.mnuFrequenzRunter, &QAction::triggered, this, [this] { folge(frequenzSchritt(*s_, -1)); });
  connect(m.mnuBandHoch, &QAction::triggered, this, [this] { folge(bandSchritt(*s_, 1)); });
  connect(m.mnuBandRunter, &QAction::triggered, this, [this] { folge(bandSchritt(*s_, -1)); });
  connect(m.mnuJetzt, &QAction::triggered, this, [this] {
    zeitleiste_->halte();
    folge(zeitJetzt(*s_));
  });
  connect(m.mnuAbspielen, &QAction::triggered, zeitleiste_, &Zeitleiste::schalteSpielen);
  connect(zeitleiste_, &Zeitleiste::minuteGewaehlt, this, [this](int m) { folge(zeigeZeit(*s_, m)); });
  connect(zeitleiste_, &Zeitleiste::jetztGewaehlt, this, [this] { folge(zeitJetzt(*s_)); });
  connect(zeitleiste_, &Zeitleiste::weiter, this, [this](int n) { folge(zeitSchritt(*s_, n)); });
  connect(baender_, &Bandtafel::bandGewaehlt, this, [this](int n) { folge(waehleBand(*s_, n)); });
  connect(m.mnuInfo, &QAction::triggered, this, &MainWindow::zeigeInfo);
  connect(m.mnuWelvaroHilfe, &QAction::triggered, this, &MainWindow::zeigeHilfe);
}

void MainWindow::verbindeTimer() {
  struct Zeitgeber {
    QTimer* timer;
    int ms;
    bool einmal;
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
  for (const Zeitgeber& z : timer) {
    z.timer->setParent(this);  // found by name like every control
    z.timer->setInterval(z.ms);
    z.timer->setSingleShot(z.einmal);
    z.timer->setObjectName(z.name);
    connect(z.timer, &QTimer::timeout, this, z.tick);
  }
}

// ---- Start-up -------------------------------------------------------------

void MainWindow::starten() {
  State& s = *s_;
  // Constant tables: bitmap headers and colour table.
  conBitmaps(s);
  zeigeWarten(true);

  const StartBericht bericht = prgStart(s, clock_.read(), dirs_);
  for (const Meldung& m : bericht.probleme) melde(q(meldungText(s.L, m)));
  {
    const QSignalBlocker sperre(cmbMonat);
    cmbMonat->setCurrentIndex(static_cast<int>(s.Monat) - 1);
  }
  frequenz_->zeigeText();
  const std::filesystem::path linien = dataFile(dirs_, kMapLinienDatei);
  if (leseKartenlinien(linien, linien_) != LinienStatus::kRead)
    melde(q(T(s, kTxZeichnungFehlt)).arg(QString::fromStdString(linien.string())));
  picDarstellung->setzeLinien(&linien_);
  fensterVorgabenAnwenden();
  prgLandessprache();

  // The first picture as soon as its data is ready; the three-minute cycle
  // runs from here.
  tickAnpassen();
  tmrGenDarst.start();
}

// ---- What the window shows --------------------------------------------------------

void MainWindow::zeige() {
  const Anzeige a = anzeigeVon(*s_);
  cmdWelt->setEnabled(a.cmdWeltAn);
  cmdOrt->setEnabled(a.cmdOrtAn);
  cmdGreyline->setEnabled(a.cmdGreylineAn);
  cmdDrucker->setEnabled(a.cmdDruckerAn);
  cmdWelvarozeit->setToolTip(q(a.welvarozeitTipp));
  lblAnzeige->setText(q(a.titel));
  frmMonat->setVisible(a.frmMonatSichtbar);
  zeitleiste_->zeige(a.minute, a.jetzt, q(a.zeitText));
  menues_->zeige(a);
  lblOrtB->setVisible(a.lblOrtBSichtbar);
  lblFrequenz->setVisible(a.lblFrequenzSichtbar);
  lblLocator->setVisible(a.lblLocatorSichtbar);
  lblPegel->setVisible(a.lblPegelSichtbar);
  if (!a.ortMarke) picDarstellung->setzeOrtMarke(std::nullopt);
  lblPeilung->setVisible(a.welt && a.lblLocatorSichtbar);
  cmdAzimutal->setEnabled(a.welt);
  {
    const QSignalBlocker sperre(cmdAzimutal);
    cmdAzimutal->setChecked(picDarstellung->projektion() == Projektion::Azimutal);
  }
  menues_->mnuAzimutal->setChecked(picDarstellung->projektion() == Projektion::Azimutal);
  menues_->mnuAzimutal->setEnabled(a.welt);
  setzeMonatsFarben(a.monatRot);
}

void MainWindow::folge(const Folge& f) {
  if (f.leseLeeren)
    for (QLabel* l : {lblOrtB, lblFrequenz, lblLocator, lblPegel}) l->clear();
  zeige();
  if (f.zyklusNeu) {
    tmrAnpassen.stop();
    tmrGenDarst.start();  // starts the minute anew
  }
  if (f.neuZeichnen) {
    prgGenDarst();
  } else {
    if (f.frequenzNeu) frequenz_->zeigeText();
    if (f.zeitNeu || f.frequenzNeu) {
      zeigeDatenImSpeicher();
    } else if (f.greylineNeu) {
      picDarstellung->neu();
    }
  }
}

void MainWindow::zeigeDatenImSpeicher() {
  // A time or frequency of the data in memory: drawn anew, no new forecast.
  picDarstellung->neu();
  prgPointErgebnis(*s_);
  prgPointErgebnisZeigen();
}

void MainWindow::waehleProjektion(bool azimutal) {
  picDarstellung->setzeProjektion(azimutal ? Projektion::Azimutal : Projektion::Rechteck);
  zeige();
}

void MainWindow::zeigeWarten(bool an) {
  // Something is computed anew: a day being played stops here.
  if (an) zeitleiste_->halte();
  imgWarten->setVisible(an);
  if (an) {
    imgWarten->raise();
    imgWarten->repaint();
  }
}

void MainWindow::zeigeBaender() {
  State& s = *s_;
  const int minute = gezeigteMinute(s);
  std::vector<BandZeile> zeilen;
  prgBandWerte(s, minute / 60, minute % 60, Bandtafel::kStunden, zeilen);
  baender_->zeige(zeilen, s.PegelFlag == 1, bandVon(s.AktFrequenz));
}

void MainWindow::prgGenDarst() {
  State& s = *s_;
  // The pictures are written as bitmap files as always; the view draws the
  // same data at its own size.
  DarstStatus status;
  if (s.Darstellung != 1.0f) {
    status = prgAktDarst2(s, nullptr);
    picDarstellung->uebernimmLink(status.fehler == 0);
  } else {
    status = prgAktDarst1(s, nullptr);
  }
  picDarstellung->neu();
  if (!status.meldung.empty()) melde(q(status.meldung));
  prgPointErgebnis(s);
  prgPointErgebnisZeigen();
  zeigeWarten(false);
}

void MainWindow::prgDarstellung1() { schalteDarstellung(1); }
void MainWindow::prgDarstellung2() { schalteDarstellung(2); }

void MainWindow::schalteDarstellung(int modus) {
  zeigeWarten(true);
  folge(waehleDarstellung(*s_, modus));
}

void MainWindow::prgPointErgebnisZeigen() {
  const State& s = *s_;
  lblGeoAuswertung->setText(zeilen(s.GeoAuswertung));
  lblStationsLocator->setText(q(stationsLocator(s)));
  lblPegelAnzeige->setText(zeilen(s.PegelAnzeige));
  lblWelvaroAnzeige->setText(zeilen(s.WelvaroAnzeige));
  pobSmeter->setValue(s.SmeterWert);
  setzeMonatsFarben(anzeigeVon(s).monatRot);
  zeigeBaender();
}

void MainWindow::setzeMonatsFarben(bool fremd) {
  setzeStil(lblPegelAnzeige, fremd ? "color: rgb(255,0,0);" : "color: rgb(128,128,128);");
  setzeStil(lblWelvaroAnzeige, fremd ? "color: rgb(255,0,0);" : "color: rgb(64,64,64);");
}

void MainWindow::melde(const QString& text) { frmMeldungen->zeige(text, q(T(*s_, kTxMeldungSchliessen))); }

// ---- Timers -------------------------------------------------------------------

void MainWindow::tickAktZeit() {
  State& s = *s_;
  const int vorher = s.Zeitpunkt.hour * 60 + s.Zeitpunkt.minute;
  prgUhr(s, clock_.read());
  // Live, the displays follow the clock from minute to minute.
  if (s.AnzeigeMinute < 0 && tmrGenDarst.isActive() && vorher != s.Zeitpunkt.hour * 60 + s.Zeitpunkt.minute) {
    Folge f;
    f.zeitNeu = true;
    folge(f);
  }
  const QDateTime utc(QDate(s.Zeitpunkt.year, s.Zeitpunkt.month, s.Zeitpunkt.day),
                      QTime(s.Zeitpunkt.hour, s.Zeitpunkt.minute, s.Zeitpunkt.second));
  lblZeitanzeige->setText(utc.time().toString("HH:mm:ss") + " UTC");
  lblZeitanzeige->setToolTip(QLocale().toString(utc.date(), QLocale::LongFormat));
}

void MainWindow::tickTagesaktualisieren() { prgTagesaktualisierung(*s_, dirs_); }

void MainWindow::tickMonat() {
  tmrMonat.stop();
  if (prgMonat(*s_, cmbMonat->currentIndex() + 1, dirs_)) {
    picDarstellung->setFocus();
    zeige();
    prgGenDarst();
  }
  zeigeWarten(false);
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
  if (zyklusTick(*s_)) prgGenDarst();
}

// ---- Help, about, end -----------------------------------------------------------

void MainWindow::zeigeInfo() {
  QMessageBox box(QMessageBox::Information, q(T(*s_, kTxInfo)),
                  QString("Welvaro %1\n\n").arg(kVersion) + q(T(*s_, kTxInfoText)) +
                      QString::fromUtf8("\n\n© 2026 The Welvaro developers\n"
                                        "Map data: Natural Earth. Places: GeoNames (CC BY 4.0)."),
                  QMessageBox::Ok, this);
  if (testAntwort == Antwort::Fragen) box.exec();
  picDarstellung->neu();
}

void MainWindow::zeigeHilfe() {
  if (!hilfe_) hilfe_ = new HelpViewer(this);
  hilfe_->showContents(QString::fromStdString(dataFile(dirs_, kHilfeDatei).string()), q(T(*s_, kTxHilfeAnker)),
                       q(T(*s_, kTxWelvaroHilfe)), q(T(*s_, kTxHilfeFehlt)));
}

void MainWindow::prgEnde() {
  QMessageBox box(QMessageBox::Question, "Welvaro-Programm", "    " + q(T(*s_, kTxProgrammEnde)) + "  ",
                  QMessageBox::Ok | QMessageBox::Cancel, this);
  box.setDefaultButton(QMessageBox::Cancel);
  titelGanz(box);
  const bool ok = testAntwort == Antwort::Fragen ? box.exec() == QMessageBox::Ok : testAntwort == Antwort::Ok;
  if (!ok) return;
  for (const Meldung& m : prgSpeicherDaten(*s_, dirs_, clock_.now())) {
    QMessageBox warnung(QMessageBox::Warning, "Welvaro-Programm", q(meldungText(s_->L, m)), QMessageBox::Ok, this);
    titelGanz(warnung);
    if (testAntwort == Antwort::Fragen) warnung.exec();
  }
  if (hilfe_) hilfe_->close();
  beendet_ = true;
  close();
  QApplication::closeAllWindows();
}

void MainWindow::sitzungsEnde() {
  sitzungsEnde_ = true;
  close();
}

void MainWindow::speichernOhneFenster() {
  if (beendet_) return;
  beendet_ = true;
  for (const Meldung& m : prgSpeicherDaten(*s_, dirs_, clock_.now()))
    std::fprintf(stderr, "welvaro: %s\n", meldungText(s_->L, m).c_str());
}

void MainWindow::closeEvent(QCloseEvent* e) {
  // The close box and the end of the session save as the confirmed end
  // does, without the exit question, so no change is lost. When the save
  // fails the user may keep the program open (the session's end cannot
  // wait for an answer: it reports to the error output).
  if (!beendet_) {
    const std::vector<Meldung> probleme = prgSpeicherDaten(*s_, dirs_, clock_.now());
    if (!probleme.empty()) {
      QString text;
      for (const Meldung& m : probleme) text += q(meldungText(s_->L, m)) + "\n";
      if (sitzungsEnde_) {
        std::fprintf(stderr, "welvaro: %s", text.toLocal8Bit().constData());
      } else {
        QMessageBox box(QMessageBox::Warning, "Welvaro-Programm", text + "\n" + q(T(*s_, kTxTrotzdemBeenden)),
                        QMessageBox::Yes | QMessageBox::No, this);
        box.setDefaultButton(QMessageBox::No);
        titelGanz(box);
        letzteSchliessFrage = box.text();
        const bool schliessen =
            testAntwort == Antwort::Fragen ? box.exec() == QMessageBox::Yes : testAntwort == Antwort::Ok;
        if (!schliessen) {
          e->ignore();
          return;
        }
      }
    }
    beendet_ = true;
  }
  fensterVorgabenSpeichern();
  // The input dialogs, the help and every timer go with the window.
  for (EingabeDialog* d : findChildren<EingabeDialog*>()) d->hide();
  for (QTimer* t : findChildren<QTimer*>()) t->stop();
  if (hilfe_) hilfe_->close();
  e->accept();
}

}  // namespace welvaro::ui
