#include "ui/dialogs.h"
#include "ui/qtext.h"

#include <QAbstractItemView>
#include <QCompleter>
#include <QKeyEvent>
#include <QStringListModel>
#include <QTimer>
#include <QToolTip>
#include <QVBoxLayout>

#include "lang/sprachtext.h"
#include "state/locator.h"

namespace welvaro::ui {

// ---- Common part ------------------------------------------------------------------

EingabeDialog::EingabeDialog(State& s, const char* name, int titel, QWidget* parent)
    : QDialog(parent), s_(s), titel_(titel) {
  setObjectName(name);
  setWindowTitle(q(T(s_, titel_)));
  setModal(false);
  auto* haupt = new QVBoxLayout(this);
  raster_ = new QGridLayout;
  raster_->setHorizontalSpacing(8);
  raster_->setVerticalSpacing(6);
  haupt->addLayout(raster_);
  lblHinweis = new QLabel(this);
  lblHinweis->setObjectName("lblHinweis");
  lblHinweis->setStyleSheet("color: rgb(200,0,0);");
  lblHinweis->setWordWrap(true);
  haupt->addWidget(lblHinweis);
}

bool EingabeDialog::istGruen(const QLabel* marker) { return marker->property("gruen").toBool(); }

QLineEdit* EingabeDialog::zeile(Feld feld, const char* boxName, const char* markerName, QLabel*& label,
                                const char* labelName, const char* labelText, QLabel*& marker) {
  const int r = static_cast<int>(zeilen_.size());
  label = new QLabel(QString::fromUtf8(labelText), this);
  label->setObjectName(labelName);
  auto* box = new QLineEdit(this);
  box->setObjectName(boxName);
  box->setMinimumWidth(160);
  marker = new QLabel(this);
  marker->setObjectName(markerName);
  marker->setFixedSize(12, 12);
  raster_->addWidget(label, r, 0);
  raster_->addWidget(box, r, 1);
  raster_->addWidget(marker, r, 2);
  label->setBuddy(box);
  zeilen_.push_back({feld, box, marker, label});
  const std::size_t i = zeilen_.size() - 1;
  box->installEventFilter(new Ereignisfilter(box, [this, i](QObject*, QEvent* e) {
    return e->type() == QEvent::KeyPress && taste(i, static_cast<QKeyEvent*>(e));
  }));
  if (feld != Feld::Ortsname && feld != Feld::Sendeweg) {
    box->setValidator(new TextPruefer([feld](std::string_view text) { return textErlaubt(feld, text); }, box));
    connect(box, &QLineEdit::inputRejected, this, [this, i] {
      setzeMarker(i, false);
      zeigeHinweis(i);
    });
  }
  setzeMarker(i, true);
  return box;
}

QPushButton* EingabeDialog::okKnopf(const char* name) {
  ok_ = new QPushButton("OK", this);
  ok_->setObjectName(name);
  // Enter in a box checks that box (the box takes the key); Enter on the
  // focused OK button presses it.
  ok_->setAutoDefault(true);
  ok_->setDefault(false);
  auto* zeileOk = new QHBoxLayout;
  zeileOk->addStretch(1);
  zeileOk->addWidget(ok_);
  static_cast<QVBoxLayout*>(layout())->addLayout(zeileOk);
  QWidget* vorher = ok_;
  for (const Zeile& z : zeilen_) {
    setTabOrder(vorher, z.box);
    vorher = z.box;
  }
  connect(ok_, &QPushButton::clicked, this, [this] { ok(); });
  return ok_;
}

void EingabeDialog::setzeMarker(std::size_t i, bool gruen) {
  QLabel* m = zeilen_[i].marker;
  m->setProperty("gruen", gruen);
  m->setStyleSheet(gruen ? "background: rgb(0,255,0); border: 1px solid #444;"
                         : "background: rgb(255,0,0); border: 1px solid #444;");
}

void EingabeDialog::sprachWechsel() {
  setWindowTitle(q(T(s_, titel_)));
  for (std::size_t i = 0; i < zeilen_.size(); ++i) zeilen_[i].box->setToolTip(hinweis(i));
}

QString EingabeDialog::hinweis(std::size_t i) const { return q(eingabeHinweis(s_, zeilen_[i].feld)); }

void EingabeDialog::zeigeMitTexten(const std::vector<std::string>& texte) {
  sprachWechsel();
  lblHinweis->clear();
  for (std::size_t i = 0; i < zeilen_.size(); ++i) {
    zeilen_[i].box->setText(q(texte[i]));
    setzeMarker(i, true);
  }
  flagge_ = 0;
  show();
  raise();
  activateWindow();
  ok_->setFocus();
}

bool EingabeDialog::taste(std::size_t i, QKeyEvent* e) {
  if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
    enter(i);
    return true;
  }
  return false;  // the box's validator refuses what may not stand there
}

void EingabeDialog::zeigeHinweis(std::size_t i) { zeigeHinweisText(i, hinweis(i)); }

void EingabeDialog::zeigeHinweisText(std::size_t i, const QString& text) {
  setzeMarker(i, false);
  lblHinweis->setText(text);
  QLineEdit* box = zeilen_[i].box;
  if (box->isVisible()) QToolTip::showText(box->mapToGlobal(QPoint(0, box->height())), text, box);
}

void EingabeDialog::enter(std::size_t i) {
  if (enterSonder(i)) return;
  Zeile& z = zeilen_[i];
  const EnterErgebnis r = enterPruefen(z.feld, z.box->text().toStdString());
  const QString t = q(r.text);
  if (z.box->text() != t) z.box->setText(t);
  setzeMarker(i, r.gruen);
  if (r.gruen) {
    lblHinweis->clear();
    ok_->setFocus();
  } else {
    zeigeHinweis(i);
    z.box->setFocus();
  }
}

void EingabeDialog::okEnde(int flagge, bool start) {
  flagge_ = flagge;
  geschrieben_ = geschrieben_ || start;
  if (flagge != 0) {
    zeilen_[static_cast<std::size_t>(flagge - 1)].box->setFocus();
    return;
  }
  const bool neu = geschrieben_;
  geschrieben_ = false;
  okSchliesst_ = true;
  emit bestaetigt(neu);
  accept();
  okSchliesst_ = false;
}

void EingabeDialog::done(int r) {
  if (!okSchliesst_ && geschrieben_) {
    geschrieben_ = false;
    emit verlassenNachAenderung();
  }
  QDialog::done(r);
}

// ---- What the station dialogs share ----------------------------------------------------

StationsDialog::StationsDialog(State& s, const char* name, int titel, Ortsquelle orte, QWidget* parent)
    : EingabeDialog(s, name, titel, parent), orte_(std::move(orte)) {}

void StationsDialog::bindeStation() {
  QLineEdit* name = zeilen_[0].box;
  // A locator's letters may stand in the position boxes too.
  for (std::size_t i : {std::size_t{1}, std::size_t{2}}) {
    QLineEdit* box = zeilen_[i].box;
    const Feld feld = zeilen_[i].feld;
    box->setValidator(
        new TextPruefer([feld](std::string_view text) { return textErlaubtMitLocator(feld, text); }, box));
    connect(box, &QLineEdit::textEdited, this, [this] {
      genau_ = {};  // typed by hand: rounded as typed numbers are
      zeigeLocator();
    });
  }
  lblLocatorAnzeige = new QLabel(this);
  lblLocatorAnzeige->setObjectName("lblLocatorAnzeige");
  static_cast<QVBoxLayout*>(layout())->insertWidget(1, lblLocatorAnzeige);

  // Place names completed as they are typed, without regard to case or
  // accents; choosing one fills its position.
  vorschlagListe_ = new QStringListModel(this);
  auto* vervollstaendigen = new QCompleter(vorschlagListe_, this);
  vervollstaendigen->setCompletionMode(QCompleter::UnfilteredPopupCompletion);
  vervollstaendigen->setMaxVisibleItems(10);
  // Wide enough for "Garching bei München, DE (48.24896, 11.65101)".
  vervollstaendigen->popup()->setMinimumWidth(name->fontMetrics().horizontalAdvance(QString(44, 'x')));
  name->setCompleter(vervollstaendigen);
  connect(name, &QLineEdit::textEdited, this, [this](const QString& text) {
    vorschlaege_ = ortsVorschlaege(text.toStdString(), orte_().ortsliste, orte_().orte);
    QStringList zeilen;
    for (const Treffer& t : vorschlaege_) zeilen << q(trefferText(t));
    vorschlagListe_->setStringList(zeilen);
    if (!zeilen.isEmpty()) qobject_cast<QLineEdit*>(sender())->completer()->complete();
  });
  connect(vervollstaendigen, qOverload<const QModelIndex&>(&QCompleter::activated), this,
          [this](const QModelIndex& index) {
            if (index.row() < 0 || static_cast<std::size_t>(index.row()) >= vorschlaege_.size()) return;
            const OrtsFelder f = ortsFelder(vorschlaege_[static_cast<std::size_t>(index.row())]);
            // After the completer has put its line into the box.
            QTimer::singleShot(0, this, [this, f] {
              zeilen_[0].box->setText(q(f.name));
              setzeMarker(0, true);
              setzePosition(f.breite, f.laenge);
            });
          });
}

void StationsDialog::oeffnenStation() {
  genau_ = {};
  vorschlaege_.clear();
  if (vorschlagListe_) vorschlagListe_->setStringList({});
  QTimer::singleShot(0, this, [this] { zeigeLocator(); });
}

void StationsDialog::setzePosition(const std::string& breite, const std::string& laenge) {
  zeilen_[1].box->setText(q(breite));
  zeilen_[2].box->setText(q(laenge));
  setzeMarker(1, true);
  setzeMarker(2, true);
  genau_ = {breite, laenge};
  lblHinweis->clear();
  zeigeLocator();
}

void StationsDialog::zeigeLocator() {
  const std::string l =
      locatorZuFeldern(zeilen_[1].box->text().toStdString(), zeilen_[2].box->text().toStdString());
  lblLocatorAnzeige->setText(l.empty() ? QString() : q(T(s_, kTxLocator) + ": " + l));
}

bool StationsDialog::enterSonder(std::size_t i) {
  if (i != 1 && i != 2) return false;
  const PositionsFeld p = lesePositionsfeld(zeilen_[i].feld, zeilen_[i].box->text().toStdString());
  if (p.art == PositionsFeld::Art::Locator) {
    setzePosition(p.breiteText, p.laengeText);
    ok_->setFocus();
    return true;
  }
  if (p.art == PositionsFeld::Art::Falsch && istLocatorVersuch(zeilen_[i].box->text().toStdString())) {
    zeigeHinweisText(i, q(T(s_, kTxLocatorFalsch)));
    zeilen_[i].box->setFocus();
    return true;
  }
  return false;
}

QString StationsDialog::hinweis(std::size_t i) const {
  QString h = EingabeDialog::hinweis(i);
  if (i == 1 || i == 2) h += q(T(s_, kTxOderLocator));
  return h;
}

bool StationsDialog::nameVorOk(const std::string& name0, const std::string& breite0, const std::string& laenge0) {
  const bool wieBeimOeffnen =
      zeilen_[1].box->text().toStdString() == breite0 && zeilen_[2].box->text().toStdString() == laenge0;
  const NameBeimOk n =
      nameBeimOk(zeilen_[0].box->text().toStdString(), name0, wieBeimOeffnen, orte_().ortsliste, orte_().orte);
  switch (n.art) {
    case NameBeimOk::Art::Nichts:
      return true;
    case NameBeimOk::Art::Position:
      zeilen_[0].box->setText(q(n.felder.name));
      setzePosition(n.felder.breite, n.felder.laenge);
      return true;
    case NameBeimOk::Art::KeinLocator:
      zeigeHinweisText(0, q(T(s_, kTxLocatorFalsch)));
      break;
    case NameBeimOk::Art::Mehrdeutig: {
      QString text = q(T(s_, kTxOrtMehrdeutig));
      for (const Treffer& t : n.kandidaten) text += "\n" + q(trefferText(t));
      zeigeHinweisText(0, text);
      break;
    }
  }
  zeilen_[0].box->setFocus();
  return false;
}

// ---- Station A ------------------------------------------------------------------------

StationADialog::StationADialog(State& s, Ortsquelle orte, QWidget* parent)
    : StationsDialog(s, "frmForm_StationA", kTxTitelStationA, std::move(orte), parent) {
  txtOrt = zeile(Feld::Ortsname, "txtOrt", "shpOrt", lblStationsort, "lblStationsort", "Stationsort [A]", shpOrt);
  txtBreite = zeile(Feld::Breite, "txtBreite", "shpBreite", lblBreitengrad, "lblBreitengrad",
                    "Breitengrad [-90 bis 90]", shpBreite);
  txtLaenge = zeile(Feld::Laenge, "txtLaenge", "shpLaenge", lblLaengengrad, "lblLaengengrad",
                    "Längengrad [-180 bis 180]", shpLaenge);
  txtGewinn = zeile(Feld::Gewinn, "txtGewinn", "shpGewinn", lblAntennengewinn, "lblAntennengewinn",
                    "Antennengewinn [dBi]", shpGewinn);
  txtWinkel = zeile(Feld::Winkel, "txtWinkel", "shpWinkel", lblAbstrahlwinkel, "lblAbstrahlwinkel",
                    "Abstrahlwinkel [0 bis 90]", shpWinkel);
  txtLeistung = zeile(Feld::Leistung, "txtLeistung", "shpLeistung", lblSendeleistung, "lblSendeleistung",
                      "Sendeleistung [kW]", shpLeistung);
  bindeStation();
  cmdStationA = okKnopf("cmdStationA");
  sprachWechsel();
}

void StationADialog::sprachWechsel() {
  EingabeDialog::sprachWechsel();
  auto t = [this](int key, const char* zusatz) { return q(T(s_, key) + zusatz); };
  lblStationsort->setText(t(kTxStation, " (A)"));
  lblBreitengrad->setText(t(kTxBreitengrad, " [-90-90]"));
  lblLaengengrad->setText(t(kTxLaengengrad, " [-180-180]"));
  lblAntennengewinn->setText(t(kTxAntennengewinn, " [dBi]"));
  lblAbstrahlwinkel->setText(t(kTxAbstrahlwinkel, " [0-90]"));
  lblSendeleistung->setText(t(kTxSendeleistung, " [kW]"));
}

void StationADialog::oeffnen() {
  textS_ = stationAOeffnen(s_);
  oeffnenStation();
  zeigeMitTexten({textS_.begin(), textS_.end()});
}

void StationADialog::ok() {
  if (!nameVorOk(textS_[0], textS_[1], textS_[2])) return;
  StationATexte boxen = texte<6>();
  const OkErgebnis<6> e = applyStationA(s_, boxen, textS_, genau());
  okZeigen(boxen, e);
}

// ---- Station B ------------------------------------------------------------------------

StationBDialog::StationBDialog(State& s, Ortsquelle orte, QWidget* parent)
    : StationsDialog(s, "frmForm_StationB", kTxTitelStationB, std::move(orte), parent) {
  txtOrt = zeile(Feld::Ortsname, "txtOrt", "shpOrt", lblOrt, "lblOrt", "Station [B]", shpOrt);
  txtBreite = zeile(Feld::Breite, "txtBreite", "shpBreite", lblBreite, "lblBreite", "Breitengrad [-90 bis 90]",
                    shpBreite);
  txtLaenge = zeile(Feld::Laenge, "txtLaenge", "shpLaenge", lblLaenge, "lblLaenge", "Längengrad [-180 bis 180]",
                    shpLaenge);
  bindeStation();
  cmdStationB = okKnopf("cmdStationB");
  sprachWechsel();
}

void StationBDialog::sprachWechsel() {
  EingabeDialog::sprachWechsel();
  lblOrt->setText(q(T(s_, kTxStation) + " (B)"));
  lblBreite->setText(q(T(s_, kTxBreitengrad) + " [-90-90]"));
  lblLaenge->setText(q(T(s_, kTxLaengengrad) + " [-180-180]"));
}

void StationBDialog::oeffnen() {
  textS_ = stationBOeffnen(s_);
  oeffnenStation();
  zeigeMitTexten({textS_.begin(), textS_.end()});
}

void StationBDialog::ok() {
  if (!nameVorOk(textS_[0], textS_[1], textS_[2])) return;
  StationBTexte boxen = texte<3>();
  const OkErgebnis<3> e = applyStationB(s_, boxen, textS_, genau());
  okZeigen(boxen, e);
}

// ---- Conditions ---------------------------------------------------------------------------

BedingungenDialog::BedingungenDialog(State& s, QWidget* parent)
    : EingabeDialog(s, "frmForm_Rest", kTxTitelBedingungen, parent) {
  txtSsn = zeile(Feld::Sonnenflecken, "txtSsn", "shpSsn", lblSsn, "lblSsn", "Sonnenfleckenzahl [0 - 300]", shpSsn);
  txtWahrscheinlichkeit = zeile(Feld::Wahrscheinlichkeit, "txtWahrscheinlichkeit", "shpWahrscheinlichkeit",
                                lblWahrscheinlichkeit, "lblWahrscheinlichkeit", "Wahrscheinlichkeit [10,50,90]",
                                shpWahrscheinlichkeit);
  txtSendeweg = zeile(Feld::Sendeweg, "txtSendeweg", "shpSendeweg", lblSendeweg, "lblSendeweg", "Sendeweg [S,L]",
                      shpSendeweg);
  cmdRest = okKnopf("cmdRest");
}

void BedingungenDialog::oeffnen() {
  textS_ = bedingungenOeffnen(s_);
  lblSsn->setText(q(T(s_, kTxSonnenflecken) + " [0-300]"));
  lblWahrscheinlichkeit->setText(q(T(s_, kTxWahrscheinlichkeit) + " [10,50,90]"));
  lblSendeweg->setText(q(T(s_, kTxSendeweg) + " [S,L]"));
  zeigeMitTexten({textS_.begin(), textS_.end()});
}

void BedingungenDialog::ok() {
  BedingungenTexte boxen = texte<3>();
  const OkErgebnis<3> e = applyBedingungen(s_, boxen, textS_);
  okZeigen(boxen, e);
}

// ---- Time zone ------------------------------------------------------------------------------

ZeitzoneDialog::ZeitzoneDialog(State& s, QWidget* parent)
    : EingabeDialog(s, "frmForm_UTC", kTxUTCZeitkorrektur, parent) {
  txtUTCZeitkorrektur = zeile(Feld::Zeitzone, "txtUTCZeitkorrektur", "shpUTC", lblZeitkorrektur, "lblZeitkorrektur",
                              "Zeitzone (-12 bis 12)", shpUTC);
  cmdZeitkorrektur = okKnopf("cmdZeitkorrektur");
}

void ZeitzoneDialog::oeffnen() {
  textS_ = zeitzoneOeffnen(s_);
  lblZeitkorrektur->setText(q(T(s_, kTxZeitzone)));
  zeigeMitTexten({textS_});
}

void ZeitzoneDialog::ok() {
  std::array<std::string, 1> boxen = texte<1>();
  const OkErgebnis<1> e = applyZeitzone(s_, boxen[0], textS_);
  okZeigen(boxen, e);
}

}  // namespace welvaro::ui
