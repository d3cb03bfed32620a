#include "ui/mainwindow.h"

#include <QActionGroup>
#include <QFontDatabase>
#include <cmath>
#include <cstdio>
#include <functional>
#include <QApplication>
#include <QCloseEvent>
#include <QDateTime>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLibraryInfo>
#include <QLocale>
#include <QMenuBar>
#include <QMessageBox>
#include <QPainter>
#include <QPainterPath>
#include <QShortcut>
#include <QStatusBar>
#include <QToolTip>
#include <QVBoxLayout>

#include "display/bitmap.h"
#include "display/chart.h"
#include "display/cursor.h"
#include "display/greyline.h"
#include "display/point.h"
#include "display/worldmap.h"
#include "lang/sprachtext.h"
#include "schedule/session.h"
#include "state/eingabe.h"
#include "state/numtext.h"
#include "ui/dialogs.h"
#include "ui/helpviewer.h"
#include "ui/meldungsleiste.h"
#include "ui/scales.h"
#include "ui/version.h"

namespace welvaro::ui {

namespace {

QString q(const std::string& s) { return QString::fromStdString(s); }

// Captions carry the two-character line break of the texts; a label shows
// one line break for it.
QString zeilen(const std::string& s) {
  QString t = q(s);
  t.replace("\n\r", "\n");
  t.replace("\r\n", "\n");
  t.replace('\r', '\n');
  return t;
}

constexpr double kTwips = PictureArea::kTwipsProPixel;

// Small icons for the tool bar, drawn so that they read at any scaling.
QIcon zeichneSymbol(const std::function<void(QPainter&)>& malen) {
  QIcon icon;
  for (int groesse : {24, 48}) {
    QPixmap pm(groesse, groesse);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(groesse / 24.0, groesse / 24.0);
    malen(p);
    icon.addPixmap(pm);
  }
  return icon;
}

QIcon symbolWelt() {
  return zeichneSymbol([](QPainter& p) {
    p.setPen(QPen(QColor(20, 60, 140), 1.5));
    p.setBrush(QColor(120, 180, 240));
    p.drawEllipse(QRectF(3, 3, 18, 18));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QRectF(8, 3, 8, 18));
    p.drawLine(QPointF(3, 12), QPointF(21, 12));
  });
}

QIcon symbolOrt() {
  return zeichneSymbol([](QPainter& p) {
    p.setPen(QPen(QColor(60, 60, 60), 1.5));
    p.drawLine(QPointF(4, 3), QPointF(4, 20));
    p.drawLine(QPointF(4, 20), QPointF(21, 20));
    QPainterPath kurve(QPointF(5, 17));
    kurve.cubicTo(QPointF(9, 17), QPointF(11, 5), QPointF(14, 5));
    kurve.cubicTo(QPointF(17, 5), QPointF(18, 15), QPointF(21, 15));
    p.setPen(QPen(QColor(220, 40, 40), 2));
    p.drawPath(kurve);
  });
}

QIcon symbolGreyline() {
  return zeichneSymbol([](QPainter& p) {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(250, 220, 90));
    p.drawRect(QRectF(3, 4, 9, 16));
    p.setBrush(QColor(30, 40, 80));
    p.drawRect(QRectF(12, 4, 9, 16));
    p.setPen(QPen(Qt::black, 1.5));
    QPainterPath grenze(QPointF(12, 4));
    grenze.cubicTo(QPointF(7, 9), QPointF(17, 15), QPointF(12, 20));
    p.setBrush(Qt::NoBrush);
    p.drawPath(grenze);
  });
}

QIcon symbolUhr() {
  return zeichneSymbol([](QPainter& p) {
    p.setPen(QPen(QColor(60, 60, 60), 1.5));
    p.setBrush(Qt::white);
    p.drawEllipse(QRectF(3, 3, 18, 18));
    p.drawLine(QPointF(12, 12), QPointF(12, 6));
    p.drawLine(QPointF(12, 12), QPointF(16, 14));
  });
}

QIcon symbolDrucker() {
  return zeichneSymbol([](QPainter& p) {
    p.setPen(QPen(QColor(60, 60, 60), 1.2));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(7, 3, 10, 7));
    p.setBrush(QColor(170, 170, 170));
    p.drawRoundedRect(QRectF(3, 9, 18, 8), 2, 2);
    p.setBrush(Qt::white);
    p.drawRect(QRectF(7, 14, 10, 7));
  });
}

QIcon symbolSonne() {
  return zeichneSymbol([](QPainter& p) {
    p.setPen(QPen(QColor(230, 150, 20), 1.5));
    for (int i = 0; i < 8; ++i) {
      const double w = i * M_PI / 4;
      p.drawLine(QPointF(12 + 7 * std::cos(w), 12 + 7 * std::sin(w)), QPointF(12 + 10 * std::cos(w), 12 + 10 * std::sin(w)));
    }
    p.setBrush(QColor(250, 200, 40));
    p.drawEllipse(QRectF(7, 7, 10, 10));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(120, 70, 10));
    p.drawEllipse(QRectF(10, 10, 2.5, 2.5));
    p.drawEllipse(QRectF(13, 12.5, 2, 2));
  });
}

QIcon symbolEnde() {
  return zeichneSymbol([](QPainter& p) {
    p.setPen(QPen(QColor(180, 30, 30), 2.2));
    p.drawArc(QRectF(4, 5, 16, 16), 120 * 16, 300 * 16);
    p.drawLine(QPointF(12, 3), QPointF(12, 12));
  });
}

// The wait picture: an hourglass on a dark plate, with its word in the
// user's language.
QPixmap wartenBild(const QString& text) {
  const int w = 200, h = 64;
  QPixmap pm(w * 2, h * 2);
  pm.setDevicePixelRatio(2);
  pm.fill(Qt::transparent);
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(QColor(255, 220, 120), 2));
  p.setBrush(QColor(0, 0, 0, 200));
  p.drawRoundedRect(QRectF(1, 1, w - 2, h - 2), 8, 8);
  // Hourglass.
  p.setPen(QPen(QColor(255, 220, 120), 2));
  p.drawLine(QPointF(16, 12), QPointF(40, 12));
  p.drawLine(QPointF(16, 52), QPointF(40, 52));
  QPainterPath glas;
  glas.moveTo(19, 12);
  glas.lineTo(37, 12);
  glas.lineTo(28, 32);
  glas.lineTo(37, 52);
  glas.lineTo(19, 52);
  glas.lineTo(28, 32);
  glas.closeSubpath();
  p.setBrush(Qt::NoBrush);
  p.drawPath(glas);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(250, 200, 60));
  QPolygonF sand({QPointF(22, 50), QPointF(34, 50), QPointF(28, 40)});
  p.drawPolygon(sand);
  QFont f = p.font();
  f.setPixelSize(15);
  f.setBold(true);
  p.setFont(f);
  p.setPen(Qt::white);
  p.drawText(QRectF(50, 10, w - 56, h - 20), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap, text);
  return pm;
}

// The scale under the S-meter bar: S1 .. S9 (6 dB apart, S9 = -73 dBm) and
// 20 and 40 dB above S9, on the bar's 0..108 range (index = dBm + 127).
QPixmap smeterSkala(int breite) {
  QPixmap pm(breite, 14);
  pm.fill(Qt::transparent);
  QPainter p(&pm);
  QFont f = p.font();
  f.setPixelSize(10);
  p.setFont(f);
  p.setPen(QColor(60, 60, 60));
  struct Marke {
    int wert;
    const char* text;
  } marken[] = {{6, "1"}, {18, "3"}, {30, "5"}, {42, "7"}, {54, "S9"}, {74, "+20"}, {94, "+40"}};
  for (const Marke& m : marken) {
    const double x = m.wert * (breite - 1) / 108.0;
    const int w = p.fontMetrics().horizontalAdvance(m.text);
    p.drawText(QPointF(std::clamp(x - w / 2.0, 0.0, breite - w * 1.0), 11), m.text);
  }
  return pm;
}

}  // namespace

MainWindow::MainWindow(const Clock& clock, ProgramDirs dirs, QWidget* parent)
    : QMainWindow(parent), clock_(clock), dirs_(std::move(dirs)), s_(std::make_unique<State>()) {
  setObjectName("frmWelvaro");
  setWindowTitle("Welvaro");
  baueFenster();
  baueMenues();
  verbindeTimer();
  verbindeEingaben();
  // The clock and the day check run from the creation of the window.
  tmrAktZeit.start();
  tmrTagesaktualisieren.start();
  tickAktZeit();
}

MainWindow::~MainWindow() = default;

void MainWindow::baueFenster() {
  auto* zentrum = new QWidget(this);
  setCentralWidget(zentrum);
  auto* haupt = new QVBoxLayout(zentrum);
  haupt->setContentsMargins(8, 4, 8, 4);
  haupt->setSpacing(6);

  // Tool bar.
  auto* leiste = new QHBoxLayout;
  leiste->setSpacing(4);
  lblWerkzeugleiste = new QLabel;  // the strip behind the tool bar
  lblWerkzeugleiste->setObjectName("lblWerkzeugleiste");
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
  frmMonat = new QFrame(this);
  frmMonat->setObjectName("frmMonat");
  auto* monatLayout = new QHBoxLayout(frmMonat);
  monatLayout->setContentsMargins(0, 0, 0, 0);
  cmbMonat = new QComboBox(frmMonat);
  cmbMonat->setObjectName("cmbMonat");
  for (const char* name : {"Januar", "Februar", "März", "April", "Mai", "Juni", "Juli", "August", "September",
                           "Oktober", "November", "Dezember"})
    cmbMonat->addItem(QString::fromUtf8(name));
  monatLayout->addWidget(cmbMonat);
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
  leiste->addWidget(cmdWelt);
  leiste->addWidget(cmdOrt);
  leiste->addWidget(trenner());
  leiste->addWidget(cmdGreyline);
  leiste->addWidget(cmdWelvarozeit);
  leiste->addWidget(frmMonat);
  leiste->addWidget(trenner());
  leiste->addWidget(cmdSonnenflecken);
  leiste->addWidget(cmdDrucker);
  leiste->addStretch(1);
  leiste->addWidget(lblAnzeige);
  leiste->addStretch(1);
  leiste->addWidget(lblZeitanzeige);
  leiste->addWidget(trenner());
  leiste->addWidget(cmdEnde);
  haupt->addLayout(leiste);
  auto* linie = new QFrame(this);
  linie->setFrameShape(QFrame::HLine);
  linie->setFrameShadow(QFrame::Sunken);
  haupt->addWidget(linie);
  frmMeldungen = new MeldungsLeiste(this);
  haupt->addWidget(frmMeldungen);

  // Display with its scales, and the text panel.
  auto* mitte = new QHBoxLayout;
  mitte->setSpacing(10);
  picDarstellung = new PictureArea(this);
  picDarstellung->setObjectName("picDarstellung");
  frmBild = new Bildrahmen(picDarstellung, this);
  mitte->addWidget(frmBild, 0, Qt::AlignTop);

  imgWarten = new QLabel(picDarstellung);
  imgWarten->setObjectName("imgWarten");
  imgWarten->setPixmap(wartenBild(q(T(*s_, kTxBerechnung))));
  imgWarten->adjustSize();
  imgWarten->move((541 - imgWarten->width()) / 2, (271 - imgWarten->height()) / 2);
  imgWarten->hide();

  // Text panel.
  auto* panel = new QVBoxLayout;
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
  panel->addWidget(lblFunkverbindung);
  panel->addWidget(lblGeoAuswertung);
  panel->addSpacing(4);
  panel->addWidget(lblPegelAnzeige);
  panel->addWidget(pobSmeter);
  panel->addWidget(skala);
  panel->addWidget(lblWelvaroAnzeige);
  panel->addStretch(1);

  // Frequency box and memories.
  lblFrequenzEingabe = new QLabel(this);
  lblFrequenzEingabe->setObjectName("lblFrequenzEingabe");
  txtAktFrequenz = new QLineEdit(this);
  txtAktFrequenz->setObjectName("txtAktFrequenz");
  txtAktFrequenz->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  txtAktFrequenz->setMaximumWidth(120);
  txtAktFrequenz->setStyleSheet("color: rgb(128,128,128);");
  auto* speicherZeile = new QHBoxLayout;
  speicherZeile->setSpacing(2);
  for (int i = 0; i < 6; ++i) {
    cmdSpeicher[i] = new QPushButton(QString::number(i + 1), this);
    cmdSpeicher[i]->setObjectName(QString("cmdSpeicher%1").arg(i + 1));
    cmdSpeicher[i]->setFixedWidth(30);
    speicherZeile->addWidget(cmdSpeicher[i]);
  }
  cmdSpeichern = new QPushButton(this);
  cmdSpeichern->setObjectName("cmdSpeichern");
  shpSignal = new QLabel(this);
  shpSignal->setObjectName("shpSignal");
  shpSignal->setFixedSize(10, 10);
  shpSignal->setStyleSheet("background: rgb(255,0,0); border-radius: 5px;");
  shpSignal->hide();
  auto* frequenz = new QGridLayout;
  frequenz->addWidget(lblFrequenzEingabe, 0, 0, 1, 2);
  frequenz->addWidget(txtAktFrequenz, 1, 0);
  frequenz->addLayout(speicherZeile, 2, 0, 1, 2);
  auto* speichern = new QHBoxLayout;
  speichern->addWidget(cmdSpeichern);
  speichern->addWidget(shpSignal);
  speichern->addStretch(1);
  frequenz->addLayout(speichern, 3, 0, 1, 2);
  panel->addLayout(frequenz);
  mitte->addLayout(panel, 1);
  haupt->addLayout(mitte);

  // Cursor read-out.
  auto* lesen = new QHBoxLayout;
  lesen->setSpacing(16);
  for (auto [zeiger, name] : {std::pair{&lblPegel, "lblPegel"}, std::pair{&lblLocator, "lblLocator"},
                              std::pair{&lblFrequenz, "lblFrequenz"}, std::pair{&lblOrtB, "lblOrtB"}}) {
    *zeiger = new QLabel(this);
    (*zeiger)->setObjectName(name);
    (*zeiger)->setMinimumWidth(150);
    lesen->addWidget(*zeiger);
  }
  lesen->addStretch(1);
  haupt->addLayout(lesen);
  haupt->addStretch(1);

  statusBar()->setSizeGripEnabled(true);

  connect(cmdWelt, &QToolButton::clicked, this, [this] {
    prgDarstellung1();
    picDarstellung->setFocus();
  });
  connect(cmdOrt, &QToolButton::clicked, this, [this] {
    prgDarstellung2();
    picDarstellung->setFocus();
  });
  connect(cmdGreyline, &QToolButton::clicked, this, &MainWindow::schalteGreyline);
  connect(cmdWelvarozeit, &QToolButton::clicked, this, &MainWindow::schalteWelvarozeit);
  connect(cmdEnde, &QToolButton::clicked, this, [this] {
    prgEnde();
    if (!beendet_) picDarstellung->setFocus();
  });
  connect(cmdDrucker, &QToolButton::clicked, this, [this] {
    prgDrucken();
    picDarstellung->setFocus();
  });
  connect(cmbMonat, &QComboBox::activated, this, [this](int) {
    zeigeWarten(true);
    tmrMonat.start();
  });
}

void MainWindow::baueMenues() {
  QMenuBar* leiste = menuBar();
  mnuAbst = leiste->addAction(QString());
  mnuAbst->setObjectName("mnuAbst");
  mnuAbst->setEnabled(false);

  mnuDatei = leiste->addMenu("&Datei");
  mnuDatei->setObjectName("mnuDatei");
  mnuDrucker = mnuDatei->addAction("Drucken");
  mnuDrucker->setObjectName("mnuDrucker");
  connect(mnuDrucker, &QAction::triggered, this, &MainWindow::prgDrucken);
  mnuDatei->addSeparator()->setObjectName("mnuDum00");
  mnuEnde = mnuDatei->addAction("Beenden");
  mnuEnde->setObjectName("mnuEnde");
  connect(mnuEnde, &QAction::triggered, this, &MainWindow::prgEnde);

  mnuVorgaben = leiste->addMenu("&Vorgaben");
  mnuVorgaben->setObjectName("mnuVorgaben");
  mnuStationA = mnuVorgaben->addAction("Station (A)");
  mnuStationA->setObjectName("mnuStationA");
  mnuStationB = mnuVorgaben->addAction("Station (B)");
  mnuStationB->setObjectName("mnuStationB");
  mnuVorgaben->addSeparator()->setObjectName("mnuDum01");
  mnuSendeweg = mnuVorgaben->addAction("Sendeweg");
  mnuSendeweg->setObjectName("mnuSendeweg");
  mnuWahrscheinlichkeit = mnuVorgaben->addAction("Wahrscheinlichkeit");
  mnuWahrscheinlichkeit->setObjectName("mnuWahrscheinlichkeit");
  mnuUTCZeitkorrektur = mnuVorgaben->addAction("UTC-Zeitkorrektur");
  mnuUTCZeitkorrektur->setObjectName("mnuUTCZeitkorrektur");
  mnuSonnenfleckenzahl = mnuVorgaben->addAction("Sonnenfleckenzahl");
  mnuSonnenfleckenzahl->setObjectName("mnuSonnenfleckenzahl");

  mnuAnzeige = leiste->addMenu("&Darstellung");
  mnuAnzeige->setObjectName("mnuAnzeige");
  mnuDarstellung1 = mnuAnzeige->addAction("Welt-Welvaro");
  mnuDarstellung1->setObjectName("mnuDarstellung1");
  mnuDarstellung1->setCheckable(true);
  mnuDarstellung1->setChecked(true);
  mnuDarstellung2 = mnuAnzeige->addAction("Orts-Welvaro");
  mnuDarstellung2->setObjectName("mnuDarstellung2");
  mnuDarstellung2->setCheckable(true);
  mnuAnzeige->addSeparator()->setObjectName("mnuDum02");
  mnuPegel = mnuAnzeige->addAction("Pegel");
  mnuPegel->setObjectName("mnuPegel");
  mnuPegel->setCheckable(true);
  mnuPegel->setChecked(true);
  mnuFeldstaerke = mnuAnzeige->addAction(QString::fromUtf8("Feldstärke"));
  mnuFeldstaerke->setObjectName("mnuFeldstaerke");
  mnuFeldstaerke->setCheckable(true);
  connect(mnuDarstellung1, &QAction::triggered, this, [this] { prgDarstellung1(); });
  connect(mnuDarstellung2, &QAction::triggered, this, [this] { prgDarstellung2(); });
  connect(mnuPegel, &QAction::triggered, this, [this] { waehlePegel(true); });
  connect(mnuFeldstaerke, &QAction::triggered, this, [this] { waehlePegel(false); });

  mnuExtras = leiste->addMenu("E&xtras");
  mnuExtras->setObjectName("mnuExtras");
  for (int n = 0; n < 6; ++n) {
    mnuBeschriftung[n] = mnuExtras->addAction(QString());
    mnuBeschriftung[n]->setObjectName(QString("mnuBeschriftung%1").arg(n));
    mnuBeschriftung[n]->setCheckable(true);
    mnuBeschriftung[n]->setVisible(false);
    connect(mnuBeschriftung[n], &QAction::triggered, this, [this, n] { waehleSprache(n); });
  }
  mnuBeschriftung[0]->setChecked(true);
  mnuExtras->addSeparator()->setObjectName("mnuDum03");
  mnuInfoEinblendung = mnuExtras->addAction("Info-Einblendung");
  mnuInfoEinblendung->setObjectName("mnuInfoEinblendung");
  mnuInfoEinblendung->setCheckable(true);
  mnuInfoEinblendung->setChecked(true);
  connect(mnuInfoEinblendung, &QAction::triggered, this, &MainWindow::schalteInfo);
  mnuDum4 = mnuExtras->addSeparator();
  mnuDum4->setObjectName("mnuDum4");
  mnuOrtsEingabe = new QMenu("Orts-Eingabeanzeige", this);
  mnuOrtsEingabe->setObjectName("mnuOrtsEingabe");
  mnuOrtsEingabeAction = mnuExtras->addMenu(mnuOrtsEingabe);
  mnuCursorposition = mnuOrtsEingabe->addAction("Cursor-Position");
  mnuCursorposition->setObjectName("mnuCursorposition");
  mnuCursorposition->setCheckable(true);
  mnuCursorposition->setChecked(true);
  mnuNaechsteStadt = mnuOrtsEingabe->addAction(QString::fromUtf8("Nächste Stadt"));
  mnuNaechsteStadt->setObjectName("mnuNaechsteStadt");
  mnuNaechsteStadt->setCheckable(true);
  connect(mnuCursorposition, &QAction::triggered, this, [this] {
    mnuCursorposition->setChecked(true);
    mnuNaechsteStadt->setChecked(false);
    if (s_->Darstellung == 1.0f) {
      lblOrtB->hide();
      picDarstellung->marker(1).visible = false;
      picDarstellung->updateMarkers();
    }
  });
  connect(mnuNaechsteStadt, &QAction::triggered, this, [this] {
    mnuCursorposition->setChecked(false);
    mnuNaechsteStadt->setChecked(true);
    if (s_->Darstellung == 1.0f && s_->InfoAus == 0) {
      lblOrtB->show();
      picDarstellung->marker(1).visible = true;
      picDarstellung->updateMarkers();
    }
  });
  mnuPositionsAnzeige = new QMenu("Cursor-Positionsanzeige", this);
  mnuPositionsAnzeige->setObjectName("mnuPositionsAnzeige");
  mnuPositionsAnzeigeAction = mnuExtras->addMenu(mnuPositionsAnzeige);
  mnuGrad = mnuPositionsAnzeige->addAction("Koordinaten");
  mnuGrad->setObjectName("mnuGrad");
  mnuGrad->setCheckable(true);
  mnuGrad->setChecked(true);
  mnuLocator = mnuPositionsAnzeige->addAction("Locator");
  mnuLocator->setObjectName("mnuLocator");
  mnuLocator->setCheckable(true);
  connect(mnuGrad, &QAction::triggered, this, [this] {
    mnuGrad->setChecked(true);
    mnuLocator->setChecked(false);
  });
  connect(mnuLocator, &QAction::triggered, this, [this] {
    mnuGrad->setChecked(false);
    mnuLocator->setChecked(true);
  });

  mnuHilfe = leiste->addMenu("&Hilfe");
  mnuHilfe->setObjectName("mnuHilfe");
  mnuInfo = mnuHilfe->addAction("Info");
  mnuInfo->setObjectName("mnuInfo");
  mnuWelvaroHilfe = mnuHilfe->addAction("Welvaro Hilfe");
  mnuWelvaroHilfe->setObjectName("mnuWelvaroHilfe");
  mnuWelvaroHilfe->setShortcut(QKeySequence(Qt::Key_F1));
  mnuWelvaroHilfe->setShortcutContext(Qt::ApplicationShortcut);
  connect(mnuInfo, &QAction::triggered, this, &MainWindow::zeigeInfo);
  connect(mnuWelvaroHilfe, &QAction::triggered, this, &MainWindow::zeigeHilfe);
}

void MainWindow::verbindeTimer() {
  struct Zeitgeber {
    QTimer* timer;
    int ms;
    bool einmal;
    const char* name;
  } timer[] = {
      {&tmrAktZeit, 1000, false, "tmrAktZeit"},      {&tmrTagesaktualisieren, 60000, false, "tmrTagesaktualisieren"},
      {&tmrMonat, 100, true, "tmrMonat"},            {&tmrNeueDaten, 500, true, "tmrNeueDaten"},
      {&tmrSetzePunkt, 500, true, "tmrSetzePunkt"},  {&tmrSofort, 2000, true, "tmrSofort"},
      {&tmrSpeicher, 50, true, "tmrSpeicher"},       {&tmrAnpassen, 4000, true, "tmrAnpassen"},
      {&tmrGenDarst, 60000, false, "tmrGenDarst"},   {&tmrBlinker, 250, false, "tmrBlinker"},
  };
  for (const Zeitgeber& z : timer) {
    z.timer->setInterval(z.ms);
    z.timer->setSingleShot(z.einmal);
    z.timer->setObjectName(z.name);
  }
  connect(&tmrAktZeit, &QTimer::timeout, this, &MainWindow::tickAktZeit);
  connect(&tmrTagesaktualisieren, &QTimer::timeout, this, &MainWindow::tickTagesaktualisieren);
  connect(&tmrMonat, &QTimer::timeout, this, &MainWindow::tickMonat);
  connect(&tmrNeueDaten, &QTimer::timeout, this, &MainWindow::tickNeueDaten);
  connect(&tmrSetzePunkt, &QTimer::timeout, this, &MainWindow::tickSetzePunkt);
  connect(&tmrSofort, &QTimer::timeout, this, &MainWindow::tickSofort);
  connect(&tmrAnpassen, &QTimer::timeout, this, &MainWindow::tickAnpassen);
  connect(&tmrGenDarst, &QTimer::timeout, this, &MainWindow::tickGenDarst);
}

// ---- Start-up -------------------------------------------------------------

void MainWindow::starten() {
  State& s = *s_;
  picDarstellung->clearDrawings();
  mnuOrtsEingabeAction->setEnabled(true);
  mnuPositionsAnzeigeAction->setEnabled(true);

  // Constant tables: bitmap headers and colour table; the language menu
  // offers each language slot that has a menu caption.
  conBitmaps(s);
  for (int n = 0; n < 6; ++n) {
    const std::string text = SprachMenuText(n);
    mnuBeschriftung[n]->setText(q(text));
    mnuBeschriftung[n]->setVisible(!text.empty());
  }

  zeigeWarten(true);
  cmdDrucker->setEnabled(false);
  mnuDrucker->setEnabled(false);
  picDarstellung->zeitlinie.visible = false;
  frmMonat->hide();

  const StartBericht bericht = prgStart(s, clock_.read(), dirs_);
  mnuNaechsteStadt->setEnabled(bericht.orte);
  for (const std::string& p : bericht.probleme) melde(q(p));

  {
    const QSignalBlocker sperre(cmbMonat);
    cmbMonat->setCurrentIndex(static_cast<int>(s.Monat) - 1);
  }
  cmbMonat->setEditText(q(s.MonatsName[static_cast<int>(s.Monat)]));
  zeigeFrequenzText();
  picDarstellung->marker(0).topLeftTwips = QPointF(s.Py2 * 22.5 + 3990, -s.Px2 * 22.5 + 1965);
  picDarstellung->marker(0).visible = true;
  prgLandessprache();
  setzeSkalen();
  prgPointErgebnisZeigen();

  // The first picture as soon as its data is ready; the three-minute cycle
  // runs from here.
  tickAnpassen();
  tmrGenDarst.start();
}

// ---- Language ---------------------------------------------------------------

void MainWindow::prgLandessprache() {
  State& s = *s_;
  auto t = [&s](int key) { return q(T(s, key)); };
  fuelleMonatsNamen(s);
  setzeQtSprache();
  {
    // The month list names the months in the user's language; entry n - 1
    // stays month n.
    const QSignalBlocker sperre(cmbMonat);
    for (int m = 1; m <= 12; ++m) cmbMonat->setItemText(m - 1, q(s.MonatsName[m]));
  }
  mnuExtras->setTitle(t(kTxExtras));
  mnuInfo->setText(t(kTxInfo));
  mnuWelvaroHilfe->setText(t(kTxWelvaroHilfe));
  mnuLocator->setText(t(kTxLocator));
  cmdGreyline->setToolTip(t(kTxGreyline));
  txtAktFrequenz->setToolTip(t(kTxHinweisFrequenz));
  imgWarten->setPixmap(wartenBild(t(kTxBerechnung)));
  imgWarten->adjustSize();
  setzeSkalen();
  cmdWelt->setToolTip(t(16));
  cmdOrt->setToolTip(t(14));
  mnuSonnenfleckenzahl->setText(t(19));
  cmdDrucker->setToolTip(t(20));
  mnuDrucker->setText(t(20));
  cmdEnde->setToolTip(t(21));
  mnuEnde->setText(t(21));
  cmdWelvarozeit->setToolTip(s.ZeitModus == 0 ? t(17) : t(18));
  s.WelvaroAnzeige = WelvaroAnzeigeText(s);
  s.PegelAnzeige = PegelAnzeigeText(s);
  lblWelvaroAnzeige->setText(zeilen(s.WelvaroAnzeige));
  lblPegelAnzeige->setText(zeilen(s.PegelAnzeige));
  mnuPegel->setText(t(27));
  mnuFeldstaerke->setText(t(26));
  mnuDarstellung2->setText(t(14));
  mnuDarstellung1->setText(t(16));
  mnuAnzeige->setTitle(t(28));
  cmdSpeichern->setText(t(29));
  mnuHilfe->setTitle(t(30));
  mnuVorgaben->setTitle(t(31));
  mnuDatei->setTitle(t(32));
  mnuSendeweg->setText(t(33));
  mnuWahrscheinlichkeit->setText(t(34));
  mnuUTCZeitkorrektur->setText(t(35));
  if (s.SprachLauf == 1) {
    prgPointErgebnis(s);
    prgPointErgebnisZeigen();
  }
  mnuInfoEinblendung->setText(t(43));
  lblFrequenzEingabe->setText(t(44));
  mnuOrtsEingabe->setTitle(t(45));
  mnuNaechsteStadt->setText(t(46));
  mnuPositionsAnzeige->setTitle(t(47));
  mnuGrad->setText(t(48));
  lblFunkverbindung->setText(t(49));
  mnuStationA->setText(t(15) + " (A)");
  mnuStationB->setText(t(15) + " (B)");
  mnuCursorposition->setText("Cursor-" + t(55));
  for (EingabeDialog* d : findChildren<EingabeDialog*>()) d->sprachWechsel();
  dialogStationA()->lblStationsort->setText(t(15) + " (A)");
  dialogStationB()->lblOrt->setText(t(15) + " (B)");
  lblAnzeige->setText(s.Darstellung == 1.0f ? t(16) : t(14));
  for (int n = 0; n < 6; ++n) mnuBeschriftung[n]->setChecked(n == s.L);
}

void MainWindow::setzeQtSprache() {
  // Qt's own texts (Yes/No, Cancel, the file dialog) follow the program's
  // language, not the system's.
  static const char* const kQtSprache[] = {"de", "en", "de", "es", "fr", "de"};
  QCoreApplication::removeTranslator(&qtTexte_);
  const int l = std::clamp<int>(s_->L, 0, 5);
  if (qtTexte_.load(QString("qtbase_") + kQtSprache[l], QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    QCoreApplication::installTranslator(&qtTexte_);
}

void MainWindow::melde(const QString& text) { frmMeldungen->zeige(text, q(T(*s_, kTxMeldungSchliessen))); }

void MainWindow::waehleSprache(int n) {
  s_->L = static_cast<int16>(n);
  prgLandessprache();
}

// ---- Display cycle ------------------------------------------------------------

void MainWindow::zeigeWarten(bool an) {
  imgWarten->setVisible(an);
  if (an) {
    imgWarten->raise();
    imgWarten->repaint();
  }
}

void MainWindow::ladeBild(const std::string& bild) {
  QImage bildDaten;
  bildDaten.loadFromData(reinterpret_cast<const uchar*>(bild.data()), static_cast<int>(bild.size()), "BMP");
  picDarstellung->setPicture(bildDaten);
}

void MainWindow::prgGenDarst() {
  State& s = *s_;
  std::string bild;
  picDarstellung->clearDrawings();
  DarstStatus status;
  if (s.Darstellung != 1.0f) {
    const double stunden = s.Zeitpunkt.hour + s.Zeitpunkt.minute / 60.0;
    picDarstellung->zeitlinie.twips = stunden * 330;
    picDarstellung->frequenzlinie.twips = 4050 - 135 * static_cast<double>(s.AktFrequenz);
    status = prgAktDarst2(s, &bild);
    if (status.fehler == 0) {
      ladeBild(bild);
    } else {
      // The link has no forecast (point B on station A or its antipode):
      // an empty chart rather than the picture of another link.
      QImage leer(529, 271, QImage::Format_RGB32);
      leer.fill(Qt::black);
      picDarstellung->setPicture(leer);
    }
  } else {
    status = prgAktDarst1(s, &bild);
    ladeBild(bild);
    if (s.GreylineFlag == 1) prgGreyline();
  }
  if (!status.meldung.empty()) melde(q(status.meldung));
  prgPointErgebnis(s);
  prgPointErgebnisZeigen();
  zeigeWarten(false);
}

void MainWindow::prgAnpassen() {
  lblWerkzeugleiste->setFixedWidth(centralWidget()->width());
  zeigeWarten(true);
}

void MainWindow::setzeSkalen() {
  const bool welt = s_->Darstellung == 1.0f;
  frmBild->setzeSkalen(welt, welt ? q(T(*s_, kTxAchseBreite)) : "MHz", welt ? q(T(*s_, kTxAchseLaenge)) : "UTC");
  frmBild->farbbalken()->setzeFarben(s_->BmpPalette.size() == kBmpPaletteLaenge ? s_->BmpPalette : bmpPalette(),
                                     s_->PegelFlag == 1);
}

void MainWindow::prgDarstellung1() { schalteDarstellung(1); }
void MainWindow::prgDarstellung2() { schalteDarstellung(2); }

void MainWindow::schalteDarstellung(int modus) {
  State& s = *s_;
  const bool welt = modus == 1;
  zeigeWarten(true);
  cmdOrt->setEnabled(welt);
  cmdWelt->setEnabled(!welt);
  cmdGreyline->setEnabled(welt);
  if (!welt) {
    s.GreylineFlag = 0;
  }
  mnuOrtsEingabeAction->setEnabled(welt);
  mnuPositionsAnzeigeAction->setEnabled(welt);
  lblAnzeige->setText(q(T(s, welt ? 16 : 14)));
  mnuDarstellung1->setChecked(welt);
  mnuDarstellung2->setChecked(!welt);
  s.Darstellung = static_cast<float>(modus);
  picDarstellung->marker(0).visible = welt;
  const bool naechste = !mnuCursorposition->isChecked();
  picDarstellung->marker(1).visible = welt && naechste;
  lblOrtB->setVisible(welt && naechste);
  for (QLabel* l : {lblOrtB, lblFrequenz, lblLocator, lblPegel}) l->clear();
  picDarstellung->zeitlinie.visible = !welt;
  picDarstellung->frequenzlinie.visible = !welt;
  if (!welt) {
    picDarstellung->zeitlinie.twips = (s.Zeitpunkt.hour + s.Zeitpunkt.minute / 60.0) * 330;
    picDarstellung->frequenzlinie.twips = 4050 - 135 * static_cast<double>(s.AktFrequenz);
  }
  picDarstellung->clearDrawings();
  setzeSkalen();
  if (mnuInfoEinblendung->isChecked())
    lblFrequenz->setVisible(!welt);
  else
    lblOrtB->hide();
  prgAnpassen();
  tmrAnpassen.stop();
  tmrGenDarst.stop();
  tmrGenDarst.start();
  s.GenZaehler = 0;
  prgGenDarst();
  cmdDrucker->setEnabled(!welt);
  mnuDrucker->setEnabled(!welt);
  picDarstellung->marker(0).visible = welt;
  picDarstellung->updateMarkers();
}

void MainWindow::prgGreyline() {
  State& s = *s_;
  if (s.MonatFremd != 0) {
    picDarstellung->clearDrawings();
    cmdGreyline->setEnabled(false);
    return;
  }
  QVector<QLineF> linien;
  for (const GreyStrecke& g : welvaro::prgGreyline(s)) linien.append(QLineF(g.x1, g.y1, g.x2, g.y2));
  picDarstellung->addLines(linien);
}

void MainWindow::schalteGreyline() {
  State& s = *s_;
  const bool warAn = s.GreylineFlag == 1;
  s.GreylineFlag = static_cast<int16>(1 - s.GreylineFlag);
  if (warAn) {
    picDarstellung->clearDrawings();
    if (s.Darstellung == 2.0f) cmdGreyline->setEnabled(false);
  } else if (s.Darstellung == 1.0f) {
    prgGreyline();
  }
  picDarstellung->setFocus();
}

void MainWindow::schalteWelvarozeit() {
  State& s = *s_;
  const bool warAn = s.ZeitModus == 1;
  s.ZeitModus = static_cast<int16>(1 - s.ZeitModus);
  frmMonat->setVisible(!warAn);
  cmdWelvarozeit->setToolTip(q(T(s, warAn ? 17 : 18)));
  if (s.Darstellung == 1.0f && s.GreylineFlag == 1) {
    picDarstellung->clearDrawings();
    prgGreyline();
  }
  picDarstellung->setFocus();
}

void MainWindow::waehlePegel(bool pegel) {
  mnuPegel->setChecked(pegel);
  mnuFeldstaerke->setChecked(!pegel);
  s_->PegelFlag = pegel ? 1 : 0;
  tmrGenDarst.stop();
  tmrGenDarst.start();
  s_->GenZaehler = 0;
  setzeSkalen();
  prgGenDarst();
}

void MainWindow::schalteInfo() {
  State& s = *s_;
  const bool zeigen = s.InfoAus == 1;
  s.InfoAus = zeigen ? 0 : 1;
  mnuDum4->setVisible(zeigen);
  mnuOrtsEingabeAction->setVisible(zeigen);
  mnuPositionsAnzeigeAction->setVisible(zeigen);
  mnuInfoEinblendung->setChecked(zeigen);
  if (zeigen) {
    if (s.Darstellung == 1.0f) {
      lblFrequenz->hide();
      if (mnuCursorposition->isChecked()) {
        lblOrtB->hide();
      } else {
        lblOrtB->show();
        picDarstellung->marker(1).visible = true;
      }
    } else {
      lblFrequenz->show();
      lblOrtB->hide();
    }
    lblLocator->show();
    lblPegel->show();
  } else {
    for (QLabel* l : {lblFrequenz, lblLocator, lblPegel, lblOrtB}) l->hide();
    picDarstellung->marker(1).visible = false;
    if (s.Darstellung == 1.0f && s.GreylineFlag == 1) {
      picDarstellung->clearDrawings();
      prgGreyline();
    }
  }
  picDarstellung->updateMarkers();
}

// ---- Point result -------------------------------------------------------------

void MainWindow::prgPointErgebnisZeigen() {
  const State& s = *s_;
  lblGeoAuswertung->setText(zeilen(s.GeoAuswertung));
  lblPegelAnzeige->setText(zeilen(s.PegelAnzeige));
  lblWelvaroAnzeige->setText(zeilen(s.WelvaroAnzeige));
  pobSmeter->setValue(s.SmeterWert);
  setzeMonatsFarben();
}

void MainWindow::setzeMonatsFarben() {
  const bool fremd = s_->MonatFremd != 0;
  lblPegelAnzeige->setStyleSheet(fremd ? "color: rgb(255,0,0);" : "color: rgb(128,128,128);");
  lblWelvaroAnzeige->setStyleSheet(fremd ? "color: rgb(255,0,0);" : "color: rgb(64,64,64);");
}

void MainWindow::zeigeFrequenzText() {
  const QSignalBlocker sperre(txtAktFrequenz);
  txtAktFrequenz->setText(q(s_->FrequenzText));
  txtAktFrequenz->setStyleSheet("color: rgb(128,128,128);");
  frequenzRot_ = false;
}

// ---- Timers -------------------------------------------------------------------

void MainWindow::tickAktZeit() {
  State& s = *s_;
  prgUhr(s, clock_.read());
  const QDateTime utc(QDate(s.Zeitpunkt.year, s.Zeitpunkt.month, s.Zeitpunkt.day),
                      QTime(s.Zeitpunkt.hour, s.Zeitpunkt.minute, s.Zeitpunkt.second));
  lblZeitanzeige->setText(utc.time().toString("HH:mm:ss") + " UTC");
  lblZeitanzeige->setToolTip(QLocale().toString(utc.date(), QLocale::LongFormat));
}

void MainWindow::tickTagesaktualisieren() { prgTagesaktualisierung(*s_, dirs_); }

void MainWindow::tickMonat() {
  State& s = *s_;
  tmrMonat.stop();
  const int n = cmbMonat->currentIndex() + 1;
  if (static_cast<float>(n) != s.Monat) {
    const bool fremd = n != s.Jetzt.month;
    if (fremd) {
      picDarstellung->clearDrawings();
      cmdGreyline->setEnabled(false);
    } else {
      frmMonat->hide();
      cmdGreyline->setEnabled(true);
    }
    picDarstellung->setFocus();
    prgMonat(s, n, dirs_);
    if (!fremd) cmdWelvarozeit->setToolTip(q(T(s, 17)));
    setzeMonatsFarben();
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
  const State& s = *s_;
  picDarstellung->marker(0).topLeftTwips = QPointF(markeLinks(s.OrtY2), markeOben(s.OrtX2));
  prgGenDarst();
}

void MainWindow::tickSofort() {
  tmrSofort.stop();
  prgGenDarst();
}

void MainWindow::tickAnpassen() {
  tmrAnpassen.stop();
  prgAnpassen();
  prgGenDarst();
}

void MainWindow::tickGenDarst() {
  State& s = *s_;
  s.GenZaehler = static_cast<int16>(s.GenZaehler + 1);
  if (s.GenZaehler > 2) {
    prgGenDarst();
    if (s.GreylineFlag == 1 && s.Darstellung == 1.0f) {
      picDarstellung->clearDrawings();
      prgGreyline();
    }
    s.GenZaehler = 0;
  }
}

// ---- Help, about, end -----------------------------------------------------------

void MainWindow::zeigeInfo() {
  QMessageBox box(QMessageBox::Information, q(T(*s_, kTxInfo)),
                  QString("Welvaro %1\n\n").arg(kVersion) + q(T(*s_, kTxInfoText)) +
                      QString::fromUtf8("\n\n© 2026 The Welvaro developers\n"
                                        "Map data: Natural Earth. Places: GeoNames (CC BY 4.0)."),
                  QMessageBox::Ok, this);
  if (testAntwort == Antwort::Fragen) box.exec();
  if (s_->Darstellung == 1.0f && s_->GreylineFlag == 1) {
    picDarstellung->clearDrawings();
    prgGreyline();
  }
}

void MainWindow::zeigeHilfe() {
  if (!hilfe_) hilfe_ = new HelpViewer(this);
  hilfe_->showContents(QString::fromStdString(dataFile(dirs_, "Welvaro.hlp").string()), q(T(*s_, kTxHilfeAnker)),
                       q(T(*s_, kTxWelvaroHilfe)), q(T(*s_, kTxHilfeFehlt)));
}

namespace {

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

void MainWindow::prgEnde() {
  QMessageBox box(QMessageBox::Question, "Welvaro-Programm", "    " + q(T(*s_, kTxProgrammEnde)) + "  ",
                  QMessageBox::Ok | QMessageBox::Cancel, this);
  box.setDefaultButton(QMessageBox::Cancel);
  titelGanz(box);
  bool ok = false;
  if (testAntwort == Antwort::Fragen)
    ok = box.exec() == QMessageBox::Ok;
  else
    ok = testAntwort == Antwort::Ok;
  if (!ok) return;
  for (const std::string& p : prgSpeicherDaten(*s_, dirs_, clock_.now())) {
    QMessageBox warnung(QMessageBox::Warning, "Welvaro-Programm", q(p), QMessageBox::Ok, this);
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
  for (const std::string& p : prgSpeicherDaten(*s_, dirs_, clock_.now())) std::fprintf(stderr, "welvaro: %s\n", p.c_str());
}

void MainWindow::closeEvent(QCloseEvent* e) {
  // The close box and the end of the session save as the confirmed end
  // does, without the exit question, so no change is lost. When the save
  // fails the user may keep the program open (the session's end cannot
  // wait for an answer: it reports to the error output).
  if (!beendet_) {
    const std::vector<std::string> probleme = prgSpeicherDaten(*s_, dirs_, clock_.now());
    if (!probleme.empty()) {
      QString text;
      for (const std::string& p : probleme) text += q(p) + "\n";
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
  // The input dialogs and the help go with the window.
  for (EingabeDialog* d : findChildren<EingabeDialog*>()) d->hide();
  for (QTimer* t : findChildren<QTimer*>()) t->stop();
  for (QTimer* t : {&tmrAktZeit, &tmrTagesaktualisieren, &tmrMonat, &tmrNeueDaten, &tmrSetzePunkt, &tmrSofort,
                    &tmrSpeicher, &tmrAnpassen, &tmrGenDarst, &tmrBlinker})
    t->stop();
  if (hilfe_) hilfe_->close();
  e->accept();
}

// ---- Cursor read-out, frequency box, memories and input dialogs -----------------

void MainWindow::verbindeEingaben() {
  connect(picDarstellung, &PictureArea::cursorMoved, this, &MainWindow::prgCursorBewegt);
  connect(picDarstellung, &PictureArea::clicked, this, &MainWindow::prgKlickDarstellung);
  // The nearest-place label shows only in nearest-place mode.
  lblOrtB->setVisible(!mnuCursorposition->isChecked());

  // Tool tips built from the state when the mouse comes over the button.
  auto tipp = [this](QToolButton* knopf, std::function<std::string()> text) {
    knopf->installEventFilter(new Ereignisfilter(knopf, [knopf, text](QObject*, QEvent* e) {
      if (e->type() == QEvent::Enter) knopf->setToolTip(q(text()));
      return false;
    }));
  };
  tipp(cmdOrt, [this] { return ortTooltip(*s_); });
  tipp(cmdSonnenflecken, [this] { return sonnenfleckenTooltip(*s_); });

  // Frequency box: a changed text is an entry not yet confirmed (red);
  // Enter confirms it.
  txtAktFrequenz->setValidator(new TextPruefer(frequenzTextErlaubt, txtAktFrequenz));
  connect(txtAktFrequenz, &QLineEdit::inputRejected, this, [this] {
    // A character that cannot belong to a frequency: refused, the box turns
    // red and says what it takes.
    frequenzRot_ = true;
    txtAktFrequenz->setStyleSheet("color: rgb(255,0,0);");
    statusBar()->showMessage(txtAktFrequenz->toolTip(), 5000);
    QToolTip::showText(txtAktFrequenz->mapToGlobal(QPoint(0, txtAktFrequenz->height())), txtAktFrequenz->toolTip(),
                       txtAktFrequenz);
  });
  connect(txtAktFrequenz, &QLineEdit::textEdited, this, [this] {
    frequenzRot_ = true;
    txtAktFrequenz->setStyleSheet("color: rgb(255,0,0);");
  });
  txtAktFrequenz->installEventFilter(new Ereignisfilter(txtAktFrequenz, [this](QObject*, QEvent* e) {
    if (e->type() != QEvent::KeyPress) return false;
    const int taste = static_cast<QKeyEvent*>(e)->key();
    if (taste != Qt::Key_Return && taste != Qt::Key_Enter) return false;
    frequenzEnter();
    return true;
  }));
  for (int i = 0; i < 6; ++i)
    connect(cmdSpeicher[i], &QPushButton::clicked, this, [this, i] { prgSpeicherTaste(i + 1); });
  connect(cmdSpeichern, &QPushButton::clicked, this, &MainWindow::speichernTaste);
  connect(&tmrSpeicher, &QTimer::timeout, this, &MainWindow::tickSpeicher);
  connect(&tmrBlinker, &QTimer::timeout, this, &MainWindow::tickBlinker);

  connect(mnuStationA, &QAction::triggered, this, [this] { dialogStationA()->oeffnen(); });
  connect(mnuStationB, &QAction::triggered, this, [this] { dialogStationB()->oeffnen(); });
  for (QAction* a : {mnuSendeweg, mnuWahrscheinlichkeit, mnuSonnenfleckenzahl})
    connect(a, &QAction::triggered, this, [this] { dialogBedingungen()->oeffnen(); });
  connect(cmdSonnenflecken, &QToolButton::clicked, this, [this] { dialogBedingungen()->oeffnen(); });
  connect(mnuUTCZeitkorrektur, &QAction::triggered, this, [this] { dialogZeitzone()->oeffnen(); });
}

void MainWindow::prgCursorBewegt(double x, double y) {
  State& s = *s_;
  const QPoint pixel(static_cast<int>(std::floor(x / kTwips)), static_cast<int>(std::floor(y / kTwips)));
  const QRgb farbe = picDarstellung->colourAt(pixel);
  const CursorAnzeige a =
      prgCursor(s, x, y, qRed(farbe), qGreen(farbe), qBlue(farbe), mnuPegel->isChecked(), mnuGrad->isChecked());
  if (a.pegelNeu) lblPegel->setText(q(a.pegel));
  lblLocator->setText(q(a.locator));
  if (a.frequenzNeu) lblFrequenz->setText(q(a.frequenz));
  if (a.ortNeu) lblOrtB->setText(q(a.ortB));
  if (a.markeNeu) {
    picDarstellung->marker(1).topLeftTwips = QPointF(a.markeLinks, a.markeOben);
    picDarstellung->updateMarkers();
  }
}

void MainWindow::prgKlickDarstellung(double x, double y) {
  // The click takes the position it happened at, even without a movement
  // before it.
  prgCursorBewegt(x, y);
  const KlickErgebnis k = prgKlick(*s_, mnuCursorposition->isChecked());
  switch (k.art) {
    case KlickErgebnis::Art::Nichts:
      return;
    case KlickErgebnis::Art::PunktB:
      picDarstellung->marker(0).topLeftTwips = QPointF(k.punktLinks, k.punktOben);
      if (k.zurueckZurCursorposition) {
        mnuCursorposition->setChecked(true);
        mnuNaechsteStadt->setChecked(false);
        lblOrtB->hide();
        picDarstellung->marker(1).visible = false;
      }
      break;
    case KlickErgebnis::Art::Frequenz:
      picDarstellung->frequenzlinie.twips = k.frequenzLinieY;
      zeigeFrequenzText();
      break;
  }
  picDarstellung->updateMarkers();
  prgPointErgebnisZeigen();
}

void MainWindow::frequenzEnter() {
  State& s = *s_;
  if (prgFrequenzEingabe(s, txtAktFrequenz->text().toStdString())) {
    zeigeFrequenzText();
    picDarstellung->frequenzlinie.twips = 4050 - 135 * static_cast<double>(s.AktFrequenz);
    if (s.Darstellung == 1.0f) {
      prgGenDarst();
    } else {
      // The chart shows every frequency already: the line moves and the
      // point result follows the new frequency.
      picDarstellung->updateMarkers();
      prgPointErgebnis(s);
      prgPointErgebnisZeigen();
    }
  } else {
    const QSignalBlocker sperre(txtAktFrequenz);
    txtAktFrequenz->setText(q(std::string(kFrequenzFehler)));
    txtAktFrequenz->setStyleSheet("color: rgb(255,0,0);");
    frequenzRot_ = true;
  }
  picDarstellung->setFocus();
}

void MainWindow::prgSpeicherTaste(int n) {
  State& s = *s_;
  zeigeWarten(true);
  if (s.SpeicherModus != 1) {
    prgSpeicherAbruf(s, n);
    zeigeFrequenzText();
  }
  s.SpeicherWahl = static_cast<int16>(n);
  tmrSpeicher.start();
}

void MainWindow::tickSpeicher() {
  State& s = *s_;
  tmrSpeicher.stop();
  if (prgSpeicher(s, s.SpeicherWahl)) {
    tmrBlinker.stop();
    shpSignal->hide();
  } else {
    picDarstellung->frequenzlinie.twips = 4050 - 135 * static_cast<double>(s.AktFrequenz);
    picDarstellung->updateMarkers();
    if (s.Darstellung == 1.0f) prgGenDarst();
  }
  zeigeWarten(false);
  picDarstellung->setFocus();
  if (s.Darstellung == 2.0f) {
    prgPointErgebnis(s);
    prgPointErgebnisZeigen();
  } else if (s.GreylineFlag == 1) {
    picDarstellung->clearDrawings();
    prgGreyline();
  }
}

void MainWindow::speichernTaste() {
  switch (prgSpeichern(*s_, frequenzRot_)) {
    case Speichern::An:
      tmrBlinker.start();
      picDarstellung->setFocus();
      return;
    case Speichern::Aus:
      tmrBlinker.stop();
      shpSignal->hide();
      picDarstellung->setFocus();
      return;
    case Speichern::Warnung: {
      tmrBlinker.stop();
      shpSignal->hide();
      letzteWarnung = zeilen(T(*s_, 23));
      QMessageBox box(QMessageBox::Warning, q(T(*s_, 24)), letzteWarnung, QMessageBox::Ok, this);
      if (testAntwort == Antwort::Fragen) box.exec();
      txtAktFrequenz->setFocus();
      return;
    }
  }
}

void MainWindow::tickBlinker() { shpSignal->setVisible(prgBlinker(*s_)); }

// After a passing OK: the main window in front, the greyline drawn anew.
void MainWindow::nachDialog() {
  show();
  raise();
  activateWindow();
  if (s_->Darstellung == 1.0f && s_->GreylineFlag == 1) {
    picDarstellung->clearDrawings();
    prgGreyline();
  }
}

StationADialog* MainWindow::dialogStationA() {
  if (frmForm_StationA) return frmForm_StationA;
  frmForm_StationA = new StationADialog(*s_, this);
  auto neueDaten = [this] {
    zeigeWarten(true);
    tmrNeueDaten.start();
  };
  connect(frmForm_StationA, &EingabeDialog::bestaetigt, this, [this, neueDaten](bool neu) {
    if (neu) neueDaten();
    if (frmForm_Rest && frmForm_Rest->isVisible()) frmForm_Rest->close();
    nachDialog();
  });
  connect(frmForm_StationA, &EingabeDialog::verlassenNachAenderung, this, neueDaten);
  return frmForm_StationA;
}

StationBDialog* MainWindow::dialogStationB() {
  if (frmForm_StationB) return frmForm_StationB;
  frmForm_StationB = new StationBDialog(*s_, this);
  auto neuerPunkt = [this] {
    zeigeWarten(true);
    tmrSetzePunkt.start();
  };
  connect(frmForm_StationB, &EingabeDialog::bestaetigt, this, [this, neuerPunkt](bool neu) {
    if (neu) neuerPunkt();
    if (frmForm_Rest && frmForm_Rest->isVisible()) frmForm_Rest->close();
    nachDialog();
  });
  connect(frmForm_StationB, &EingabeDialog::verlassenNachAenderung, this, neuerPunkt);
  return frmForm_StationB;
}

BedingungenDialog* MainWindow::dialogBedingungen() {
  if (frmForm_Rest) return frmForm_Rest;
  frmForm_Rest = new BedingungenDialog(*s_, this);
  auto neueDaten = [this] {
    zeigeWarten(true);
    tmrNeueDaten.start();
  };
  connect(frmForm_Rest, &EingabeDialog::bestaetigt, this, [this, neueDaten](bool neu) {
    if (neu) neueDaten();
    nachDialog();
  });
  connect(frmForm_Rest, &EingabeDialog::verlassenNachAenderung, this, neueDaten);
  return frmForm_Rest;
}

ZeitzoneDialog* MainWindow::dialogZeitzone() {
  if (frmForm_UTC) return frmForm_UTC;
  frmForm_UTC = new ZeitzoneDialog(*s_, this);
  connect(frmForm_UTC, &EingabeDialog::bestaetigt, this, [this](bool neu) {
    if (neu) {
      // The clock shows the new UTC time at once; the displays follow.
      tickAktZeit();
      tmrSofort.start();
      zeigeWarten(true);
    }
    nachDialog();
  });
  return frmForm_UTC;
}

}  // namespace welvaro::ui
