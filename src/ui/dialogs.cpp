#include "ui/dialogs.h"
#include "ui/qtext.h"
#include "ui/sunspot_source.h"

#include <QAbstractItemView>
#include <QCompleter>
#include <QKeyEvent>
#include <QStringListModel>
#include <QTimer>
#include <QToolTip>
#include <QVBoxLayout>
#include <algorithm>

#include "lang/sprachtext.h"
#include "state/locator.h"
#include "ui/outlook_controls.h"
#include "state/numtext.h"

namespace welvaro::ui {

// ---- Common part ------------------------------------------------------------------

InputDialog::InputDialog(State& s, const char* name, int title, QWidget* parent)
    : QDialog(parent), s_(s), title_(title) {
  setObjectName(name);
  setWindowTitle(q(T(s_, title_)));
  setModal(false);
  auto* mainLayout = new QVBoxLayout(this);
  grid_ = new QGridLayout;
  grid_->setHorizontalSpacing(8);
  grid_->setVerticalSpacing(6);
  mainLayout->addLayout(grid_);
  lblHinweis = new QLabel(this);
  lblHinweis->setObjectName("lblHinweis");
  lblHinweis->setStyleSheet("color: rgb(200,0,0);");
  lblHinweis->setWordWrap(true);
  mainLayout->addWidget(lblHinweis);
}

bool InputDialog::isGreen(const QLabel* marker) { return marker->property("gruen").toBool(); }

QLineEdit* InputDialog::row(Field field, const char* boxName, const char* markerName, QLabel*& label,
                                const char* labelName, const char* labelText, QLabel*& marker) {
  const int r = static_cast<int>(rows_.size());
  label = new QLabel(QString::fromUtf8(labelText), this);
  label->setObjectName(labelName);
  auto* box = new QLineEdit(this);
  box->setObjectName(boxName);
  box->setMinimumWidth(160);
  marker = new QLabel(this);
  marker->setObjectName(markerName);
  marker->setFixedSize(12, 12);
  grid_->addWidget(label, r, 0);
  grid_->addWidget(box, r, 1);
  grid_->addWidget(marker, r, 2);
  label->setBuddy(box);
  rows_.push_back({field, box, marker, label});
  const std::size_t i = rows_.size() - 1;
  box->installEventFilter(new EventFilter(box, [this, i](QObject*, QEvent* e) {
    return e->type() == QEvent::KeyPress && key(i, static_cast<QKeyEvent*>(e));
  }));
  if (field != Field::PlaceName && field != Field::Path) {
    box->setValidator(new TextValidator([field](std::string_view text) { return textAllowed(field, text); }, box));
    connect(box, &QLineEdit::inputRejected, this, [this, i] {
      setMarker(i, false);
      showHint(i);
    });
  }
  setMarker(i, true);
  return box;
}

void InputDialog::replaceBox(std::size_t i, QWidget* choice) {
  QLineEdit* box = rows_[i].box;
  const int index = grid_->indexOf(box);
  int row = 0, column = 0, rowSpan = 0, columnSpan = 0;
  grid_->getItemPosition(index, &row, &column, &rowSpan, &columnSpan);
  box->hide();
  grid_->addWidget(choice, row, column);
  rows_[i].label->setBuddy(choice);
}

QPushButton* InputDialog::okButton(const char* name) {
  ok_ = new QPushButton("OK", this);
  ok_->setObjectName(name);
  // Enter in a box checks that box (the box takes the key); Enter on the
  // focused OK button presses it.
  ok_->setAutoDefault(true);
  ok_->setDefault(false);
  cancel_ = new QPushButton(this);
  cancel_->setObjectName("cmdAbbrechen");
  cancel_->setAutoDefault(false);
  connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
  auto* okRow = new QHBoxLayout;
  okRow->addStretch(1);
  okRow->addWidget(cancel_);
  okRow->addWidget(ok_);
  static_cast<QVBoxLayout*>(layout())->addLayout(okRow);
  QWidget* before = ok_;
  for (const Row& z : rows_) {
    setTabOrder(before, z.box);
    before = z.box;
  }
  setTabOrder(before, cancel_);
  connect(ok_, &QPushButton::clicked, this, [this] { ok(); });
  return ok_;
}

void InputDialog::setMarker(std::size_t i, bool green) {
  QLabel* m = rows_[i].marker;
  m->setProperty("gruen", green);
  m->setStyleSheet(green ? "background: rgb(0,255,0); border: 1px solid #444;"
                         : "background: rgb(255,0,0); border: 1px solid #444;");
}

void InputDialog::retranslate() {
  setWindowTitle(q(T(s_, title_)));
  if (cancel_) cancel_->setText(q(T(s_, kTxCancel)));
  for (std::size_t i = 0; i < rows_.size(); ++i) rows_[i].box->setToolTip(hint(i));
}

QString InputDialog::hint(std::size_t i) const { return q(inputHint(s_, rows_[i].field)); }

void InputDialog::showTexts(const std::vector<std::string>& texts) {
  retranslate();
  lblHinweis->clear();
  for (std::size_t i = 0; i < rows_.size(); ++i) {
    rows_[i].box->setText(q(texts[i]));
    setMarker(i, true);
  }
  flag_ = 0;
  show();
  raise();
  activateWindow();
  ok_->setFocus();
}

bool InputDialog::key(std::size_t i, QKeyEvent* e) {
  if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
    enter(i);
    return true;
  }
  return false;  // the box's validator refuses what may not stand there
}

void InputDialog::showHint(std::size_t i) { showHintText(i, hint(i)); }

void InputDialog::showHintText(std::size_t i, const QString& text) {
  setMarker(i, false);
  lblHinweis->setText(text);
  QLineEdit* box = rows_[i].box;
  if (box->isVisible()) QToolTip::showText(box->mapToGlobal(QPoint(0, box->height())), text, box);
}

void InputDialog::enter(std::size_t i) {
  if (specialEnter(i)) return;
  Row& z = rows_[i];
  const EnterResult r = checkEnter(z.field, z.box->text().toStdString());
  const QString t = q(r.text);
  if (z.box->text() != t) z.box->setText(t);
  setMarker(i, r.green);
  if (r.green) {
    lblHinweis->clear();
    ok_->setFocus();
  } else {
    showHint(i);
    z.box->setFocus();
  }
}

void InputDialog::finishOk(int flag, bool start) {
  flag_ = flag;
  written_ = written_ || start;
  if (flag != 0) {
    rows_[static_cast<std::size_t>(flag - 1)].box->setFocus();
    return;
  }
  const bool changed = written_;
  written_ = false;
  okCloses_ = true;
  emit confirmed(changed);
  accept();
  okCloses_ = false;
}

void InputDialog::done(int r) {
  if (!okCloses_ && written_) {
    written_ = false;
    emit leftAfterChange();
  }
  QDialog::done(r);
}

// ---- What the station dialogs share ----------------------------------------------------

StationDialog::StationDialog(State& s, const char* name, int title, PlaceSource places, QWidget* parent)
    : InputDialog(s, name, title, parent), places_(std::move(places)) {}

void StationDialog::bindStation() {
  QLineEdit* name = rows_[0].box;
  // A locator's letters may stand in the position boxes too.
  for (std::size_t i : {std::size_t{1}, std::size_t{2}}) {
    QLineEdit* box = rows_[i].box;
    const Field field = rows_[i].field;
    box->setValidator(
        new TextValidator([field](std::string_view text) { return textAllowedWithLocator(field, text); }, box));
    connect(box, &QLineEdit::textEdited, this, [this] {
      exact_ = {};  // typed by hand: rounded as typed numbers are
      showLocator();
    });
  }
  lblLocatorAnzeige = new QLabel(this);
  lblLocatorAnzeige->setObjectName("lblLocatorAnzeige");
  static_cast<QVBoxLayout*>(layout())->insertWidget(1, lblLocatorAnzeige);

  // Place names completed as they are typed, without regard to case or
  // accents; choosing one fills its position.
  suggestionModel_ = new QStringListModel(this);
  auto* completer = new QCompleter(suggestionModel_, this);
  completer->setCompletionMode(QCompleter::UnfilteredPopupCompletion);
  completer->setMaxVisibleItems(10);
  // Wide enough for "Garching bei München, DE (48.24896, 11.65101)".
  completer->popup()->setMinimumWidth(name->fontMetrics().horizontalAdvance(QString(44, 'x')));
  name->setCompleter(completer);
  connect(name, &QLineEdit::textEdited, this, [this](const QString& text) {
    const PlaceIndex& p = places_();
    suggestions_ = placeSuggestions(text.toStdString(), p.placeList, p.places);
    QStringList rows;
    for (const std::string& line : suggestionTexts(suggestions_, p.places.empty() ? p.placeList : p.places,
                                                   T(s_, kTxNear)))
      rows << q(line);
    suggestionModel_->setStringList(rows);
    if (!rows.isEmpty()) qobject_cast<QLineEdit*>(sender())->completer()->complete();
  });
  connect(completer, qOverload<const QModelIndex&>(&QCompleter::activated), this,
          [this](const QModelIndex& index) {
            if (index.row() < 0 || static_cast<std::size_t>(index.row()) >= suggestions_.size()) return;
            const PlaceBoxes f = placeBoxes(suggestions_[static_cast<std::size_t>(index.row())]);
            // After the completer has put its line into the box.
            QTimer::singleShot(0, this, [this, f] {
              rows_[0].box->setText(q(f.name));
              setMarker(0, true);
              setPosition(f.lat, f.lon);
            });
          });
}

void StationDialog::openStation(const std::string& name) {
  nameAtOpening_ = name;
  exact_ = {};
  suggestions_.clear();
  if (suggestionModel_) suggestionModel_->setStringList({});
  QTimer::singleShot(0, this, [this] { showLocator(); });
}

void StationDialog::setPosition(const std::string& lat, const std::string& lon) {
  rows_[1].box->setText(q(lat));
  rows_[2].box->setText(q(lon));
  setMarker(1, true);
  setMarker(2, true);
  exact_ = {lat, lon};
  lblHinweis->clear();
  showLocator();
}

void StationDialog::showLocator() {
  const std::string l =
      locatorOfBoxes(rows_[1].box->text().toStdString(), rows_[2].box->text().toStdString());
  lblLocatorAnzeige->setText(l.empty() ? QString() : q(T(s_, kTxLocator) + labelColon(s_) + " " + l));
}

bool StationDialog::specialEnter(std::size_t i) {
  if (i != 1 && i != 2) return false;
  const PositionBox p = readPositionBox(rows_[i].field, rows_[i].box->text().toStdString());
  if (p.kind == PositionBox::Kind::Locator) {
    // The old station's name does not stay on the new position.
    const QString name = q(nameAfterLocator(rows_[0].box->text().toStdString(), nameAtOpening_,
                                            rows_[i].box->text().toStdString()));
    if (rows_[0].box->text() != name) rows_[0].box->setText(name);
    setPosition(p.latText, p.lonText);
    ok_->setFocus();
    return true;
  }
  if (p.kind == PositionBox::Kind::Invalid && looksLikeLocator(rows_[i].box->text().toStdString())) {
    showHintText(i, q(T(s_, kTxLocatorFalsch)));
    rows_[i].box->setFocus();
    return true;
  }
  return false;
}

QString StationDialog::hint(std::size_t i) const {
  QString h = InputDialog::hint(i);
  if (i == 1 || i == 2) h += q(T(s_, kTxOderLocator));
  return h;
}

bool StationDialog::nameBeforeOk(const std::string& name0, const std::string& lat0, const std::string& lon0) {
  const bool asOpened =
      rows_[1].box->text().toStdString() == lat0 && rows_[2].box->text().toStdString() == lon0;
  // A name longer than the settings file keeps is cut here, where the user
  // sees it and the note says so; the next OK keeps it.
  const StationName kept = keptStationName(rows_[0].box->text().toStdString());
  if (kept.cut) {
    rows_[0].box->setText(q(kept.text));
    lblHinweis->setText(q(T(s_, kTxNameCut)).replace("%1", QString::number(kStationNameMax)));
    rows_[0].box->setFocus();
    return false;
  }
  const NameAtOk n =
      nameAtOk(rows_[0].box->text().toStdString(), name0, asOpened, places_().placeList, places_().places);
  switch (n.kind) {
    case NameAtOk::Kind::None:
      return true;
    case NameAtOk::Kind::Position:
      rows_[0].box->setText(q(n.fields.name));
      setPosition(n.fields.lat, n.fields.lon);
      if (n.takenAmong < 2) return true;
      // Several places bear the name: the dialog stays open and says which
      // one was taken; the next OK keeps it.
      lblHinweis->setText(q(T(s_, kTxPlaceTaken))
                              .replace("%1", q(n.taken))
                              .replace("%2", QString::number(n.takenAmong)));
      ok_->setFocus();
      return false;
    case NameAtOk::Kind::BadLocator:
      showHintText(0, q(T(s_, kTxLocatorFalsch)));
      break;
    case NameAtOk::Kind::Ambiguous: {
      QString text = q(T(s_, kTxOrtMehrdeutig));
      for (const Match& t : n.candidates) text += "\n" + q(matchText(t));
      showHintText(0, text);
      break;
    }
  }
  rows_[0].box->setFocus();
  return false;
}

// ---- Station A ------------------------------------------------------------------------

StationADialog::StationADialog(State& s, PlaceSource places, QWidget* parent)
    : StationDialog(s, "frmForm_StationA", kTxTitelStationA, std::move(places), parent) {
  txtOrt = row(Field::PlaceName, "txtOrt", "shpOrt", lblStationsort, "lblStationsort", "Stationsort [A]", shpOrt);
  txtBreite = row(Field::Latitude, "txtBreite", "shpBreite", lblBreitengrad, "lblBreitengrad",
                    "Breitengrad [-90 bis 90]", shpBreite);
  txtLaenge = row(Field::Longitude, "txtLaenge", "shpLaenge", lblLaengengrad, "lblLaengengrad",
                    "Längengrad [-180 bis 180]", shpLaenge);
  txtGewinn = row(Field::Gain, "txtGewinn", "shpGewinn", lblAntennengewinn, "lblAntennengewinn",
                    "Antennengewinn [dBi]", shpGewinn);
  txtWinkel = row(Field::Angle, "txtWinkel", "shpWinkel", lblAbstrahlwinkel, "lblAbstrahlwinkel",
                    "Abstrahlwinkel [0 bis 90]", shpWinkel);
  txtLeistung = row(Field::Power, "txtLeistung", "shpLeistung", lblSendeleistung, "lblSendeleistung",
                      "Sendeleistung [kW]", shpLeistung);
  bindStation();
  cmdStationA = okButton("cmdStationA");
  retranslate();
}

void StationADialog::retranslate() {
  InputDialog::retranslate();
  auto t = [this](int key, const char* suffix) { return q(T(s_, key) + suffix); };
  lblStationsort->setText(t(kTxStation, " (A)"));
  lblBreitengrad->setText(t(kTxBreitengrad, " [-90-90]"));
  lblLaengengrad->setText(t(kTxLaengengrad, " [-180-180]"));
  lblAntennengewinn->setText(t(kTxAntennengewinn, " [dBi]"));
  lblAbstrahlwinkel->setText(t(kTxAbstrahlwinkel, " [0-90]"));
  lblSendeleistung->setText(t(kTxSendeleistung, " [kW]"));
}

void StationADialog::showFromState() {
  openedTexts_ = openStationA(s_);
  openStation(openedTexts_[0]);
  showTexts({openedTexts_.begin(), openedTexts_.end()});
}

void StationADialog::ok() {
  if (!nameBeforeOk(openedTexts_[0], openedTexts_[1], openedTexts_[2])) return;
  StationATexts boxes = texts<6>();
  const OkResult<6> e = applyStationA(s_, boxes, openedTexts_, exact());
  showOk(boxes, e);
}

// ---- Station B ------------------------------------------------------------------------

StationBDialog::StationBDialog(State& s, PlaceSource places, QWidget* parent)
    : StationDialog(s, "frmForm_StationB", kTxTitelStationB, std::move(places), parent) {
  txtOrt = row(Field::PlaceName, "txtOrt", "shpOrt", lblOrt, "lblOrt", "Station [B]", shpOrt);
  txtBreite = row(Field::Latitude, "txtBreite", "shpBreite", lblBreite, "lblBreite", "Breitengrad [-90 bis 90]",
                    shpBreite);
  txtLaenge = row(Field::Longitude, "txtLaenge", "shpLaenge", lblLaenge, "lblLaenge", "Längengrad [-180 bis 180]",
                    shpLaenge);
  bindStation();
  cmdStationB = okButton("cmdStationB");
  retranslate();
}

void StationBDialog::retranslate() {
  InputDialog::retranslate();
  lblOrt->setText(q(T(s_, kTxStation) + " (B)"));
  lblBreite->setText(q(T(s_, kTxBreitengrad) + " [-90-90]"));
  lblLaenge->setText(q(T(s_, kTxLaengengrad) + " [-180-180]"));
}

void StationBDialog::showFromState() {
  openedTexts_ = openStationB(s_);
  openStation(openedTexts_[0]);
  showTexts({openedTexts_.begin(), openedTexts_.end()});
}

void StationBDialog::ok() {
  if (!nameBeforeOk(openedTexts_[0], openedTexts_[1], openedTexts_[2])) return;
  StationBTexts boxes = texts<3>();
  const OkResult<3> e = applyStationB(s_, boxes, openedTexts_, exact());
  showOk(boxes, e);
}

// ---- Conditions ---------------------------------------------------------------------------

ConditionsDialog::ConditionsDialog(State& s, const ProgramDirs& dirs, QWidget* parent)
    : InputDialog(s, "frmForm_Rest", kTxTitelBedingungen, parent) {
  txtSsn = row(Field::Sunspots, "txtSsn", "shpSsn", lblSsn, "lblSsn", "Sonnenfleckenzahl [0 - 300]", shpSsn);
  txtWahrscheinlichkeit = row(Field::Availability, "txtWahrscheinlichkeit", "shpWahrscheinlichkeit",
                                lblWahrscheinlichkeit, "lblWahrscheinlichkeit", "Wahrscheinlichkeit [10,50,90]",
                                shpWahrscheinlichkeit);
  txtSendeweg = row(Field::Path, "txtSendeweg", "shpSendeweg", lblSendeweg, "lblSendeweg", "Sendeweg [S,L]",
                      shpSendeweg);
  fraSsnQuelle = new SunspotSource(s, dirs, this);
  static_cast<QVBoxLayout*>(layout())->insertWidget(1, fraSsnQuelle);
  outlookChoices = new OutlookChoices(s, this);
  static_cast<QVBoxLayout*>(layout())->insertWidget(2, outlookChoices);
  cmbWahrscheinlichkeit = new QComboBox(this);
  cmbWahrscheinlichkeit->setObjectName("cmbWahrscheinlichkeit");
  for (const char* v : {"10", "50", "90"}) cmbWahrscheinlichkeit->addItem(QString("%1 %").arg(v), QString(v));
  cmbSendeweg = new QComboBox(this);
  cmbSendeweg->setObjectName("cmbSendeweg");
  cmbSendeweg->addItem(QString(), QString("S"));
  cmbSendeweg->addItem(QString(), QString("L"));
  replaceBox(1, cmbWahrscheinlichkeit);
  replaceBox(2, cmbSendeweg);
  // The choice goes into its hidden box; the text the box was opened with
  // when the choice is that value again, so an unchanged choice is no change.
  auto bind = [this](QComboBox* choice, QLineEdit* box, std::size_t i) {
    connect(choice, &QComboBox::currentIndexChanged, this, [this, choice, box, i] {
      const std::string v = choice->currentData().toString().toStdString();
      const std::string opened = openedTexts_[i];
      const bool same = i == 1 ? ReadNumber(opened) == ReadNumber(v) : pathText(opened) == v;
      box->setText(q(same ? opened : v));
    });
  };
  bind(cmbWahrscheinlichkeit, txtWahrscheinlichkeit, 1);
  bind(cmbSendeweg, txtSendeweg, 2);
  setTabOrder(txtSsn, cmbWahrscheinlichkeit);
  setTabOrder(cmbWahrscheinlichkeit, cmbSendeweg);
  cmdRest = okButton("cmdRest");
  setTabOrder(cmbSendeweg, outlookChoices->cmbBetriebsart);
}

void ConditionsDialog::retranslate() {
  InputDialog::retranslate();
  outlookChoices->retranslate();
  cmbSendeweg->setItemText(0, q(T(s_, kTxShortPath) + " (S)"));
  cmbSendeweg->setItemText(1, q(T(s_, kTxLongPath) + " (L)"));
}

void ConditionsDialog::showFromState() {
  openedTexts_ = openConditions(s_);
  openedTexts_[0] = fraSsnQuelle->boxText();
  fraSsnQuelle->showFromState();
  lblSsn->setText(q(T(s_, kTxSonnenflecken) + " [0-300]"));
  lblWahrscheinlichkeit->setText(q(T(s_, kTxWahrscheinlichkeit)));
  lblSendeweg->setText(q(T(s_, kTxSendeweg)));
  outlookChoices->showFromState();
  showTexts({openedTexts_.begin(), openedTexts_.end()});
  // The choices of the state; an availability from an edited settings file
  // stands at the value it is computed with.
  const QSignalBlocker b1(cmbWahrscheinlichkeit), b2(cmbSendeweg);
  cmbWahrscheinlichkeit->setCurrentIndex(
      std::max(0, cmbWahrscheinlichkeit->findData(q(PlainText(ReadNumber(snapAvailability(openedTexts_[1])))))));
  cmbSendeweg->setCurrentIndex(pathText(openedTexts_[2]) == "L" ? 1 : 0);
}

void ConditionsDialog::ok() {
  // The mode and noise first: a box of theirs that fails keeps the dialog
  // open with the focus in it.
  if (!outlookChoices->apply(lblHinweis)) return;
  if (const QString wrong = fraSsnQuelle->addressProblem(); !wrong.isEmpty()) {
    lblHinweis->setText(wrong);
    fraSsnQuelle->txtAdresse->setFocus();
    return;
  }
  ConditionsTexts boxes = texts<3>();
  OkResult<3> e = applyConditions(s_, boxes, openedTexts_);
  if (fraSsnQuelle->confirm(boxes[0], !e.red[0])) e.start = true;
  showOk(boxes, e);
}

// ---- Time zone ------------------------------------------------------------------------------

TimeZoneDialog::TimeZoneDialog(State& s, QWidget* parent)
    : InputDialog(s, "frmForm_UTC", kTxUTCZeitkorrektur, parent) {
  txtUTCZeitkorrektur = row(Field::TimeZone, "txtUTCZeitkorrektur", "shpUTC", lblZeitkorrektur, "lblZeitkorrektur",
                              "Zeitzone (-12 bis 14)", shpUTC);
  cmdZeitkorrektur = okButton("cmdZeitkorrektur");
}

void TimeZoneDialog::showFromState() {
  openedTexts_ = openTimeZone(s_);
  lblZeitkorrektur->setText(q(T(s_, kTxZeitzone)));
  showTexts({openedTexts_});
}

void TimeZoneDialog::ok() {
  std::array<std::string, 1> boxes = texts<1>();
  const OkResult<1> e = applyTimeZone(s_, boxes[0], openedTexts_);
  showOk(boxes, e);
}

}  // namespace welvaro::ui
