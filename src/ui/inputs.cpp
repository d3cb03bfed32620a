// The main window's input: the cursor read-out and clicks in the picture
// area, the frequency box and the memories, and the four input dialogs.
#include <QEvent>
#include <QMessageBox>
#include <cmath>
#include <functional>

#include "display/window_state.h"
#include "display/picture_cursor.h"
#include "display/cursor.h"
#include "display/twips.h"
#include "display/point.h"
#include "files/gazetteer.h"
#include "lang/sprachtext.h"
#include "schedule/datafile_messages.h"
#include "input/input_rules.h"
#include "ui/dialogs.h"
#include "ui/qtext.h"
#include "ui/frequency_box.h"
#include "ui/heard_binder.h"
#include "ui/mainwindow.h"
#include "ui/menus.h"
#include "ui/outlook_controls.h"
#include "display/outlookview.h"
#include "ui/picture_view.h"
#include "ui/welcome_dialog.h"

namespace welvaro::ui {

void MainWindow::connectInputs() {
  connect(picDarstellung, &PictureView::cursorMoved, this, &MainWindow::prgCursorBewegt);
  connect(picDarstellung, &PictureView::clicked, this, &MainWindow::prgKlickDarstellung);

  // Tool tips built from the state when the mouse comes over the button.
  auto tip = [this](QToolButton* button, std::function<std::string()> text) {
    button->installEventFilter(new EventFilter(button, [button, text](QObject*, QEvent* e) {
      if (e->type() == QEvent::Enter) button->setToolTip(q(text()));
      return false;
    }));
  };
  tip(cmdOrt, [this] { return linkTooltip(*s_); });
  tip(cmdSonnenflecken, [this] { return sunspotTooltip(*s_); });

  connect(frequencyBox_, &FrequencyBox::confirmed, this, &MainWindow::frequencyConfirmed);
  connect(frequencyBox_, &FrequencyBox::memoryButton, this, &MainWindow::prgSpeicherTaste);
  connect(frequencyBox_, &FrequencyBox::finished, this, [this] { picDarstellung->setFocus(); });
  connect(frequencyBox_, &FrequencyBox::warning, this, [this] {
    QMessageBox box(QMessageBox::Warning, q(T(*s_, kTxFehler)), q(T(*s_, kTxFrequenzWarnung)).replace("\r\n", "\n"),
                    QMessageBox::Ok, this);
    dialogs_->ask(box);
  });

  const Menus& m = *menus_;
  connect(m.mnuStationA, &QAction::triggered, this, [this] { stationADialog()->showFromState(); });
  connect(m.mnuStationB, &QAction::triggered, this, [this] { stationBDialog()->showFromState(); });
  for (QAction* a : {m.mnuSendeweg, m.mnuWahrscheinlichkeit, m.mnuSonnenfleckenzahl})
    connect(a, &QAction::triggered, this, [this] { conditionsDialog()->showFromState(); });
  connect(cmdSonnenflecken, &QToolButton::clicked, this, [this] { conditionsDialog()->showFromState(); });
  connect(m.mnuUTCZeitkorrektur, &QAction::triggered, this, [this] { timeZoneDialog()->showFromState(); });
}

// ---- Cursor read-out and clicks ---------------------------------------------------

bool MainWindow::prgCursorBewegt(QPointF p) {
  State& s = *s_;
  CursorReadout a;
  if (s.Darstellung == 1.0f) {
    const std::optional<MapReading> l = picDarstellung->readMap(p);
    if (!l) return false;
    a = prgKartenCursor(s, *l, s.PegelFlag == 1, s.LocatorFlag != 1);
    const QString heard = heard_->readOutAt(p);
    lblPeilung->setText(q(bearingText(s, *l)) + (heard.isEmpty() ? QString() : "   " + heard));
    if (a.markerChanged) {
      const int g = static_cast<int>(s.NahOrt);
      picDarstellung->setPlaceMarker(windowStateOf(s).placeMarker ? std::optional<GeoPoint>(GeoPoint{s.OrtBreite[g], s.OrtLaenge[g]})
                                                           : std::nullopt);
    }
  } else {
    const std::optional<ChartReading> l = picDarstellung->readChart(p);
    if (!l) return false;
    a = prgChartCursor(s, picDarstellung->chartLink(), *l, s.PegelFlag == 1);
  }
  // Over the outlook the read-out names the class under the cursor.
  if (a.levelChanged && s.OutlookFlag == 1)
    a.level = outlookCursorText(s, s.Darstellung == 1.0f ? picDarstellung->readMap(p)->colourIndex
                                                         : picDarstellung->readChart(p)->colourIndex);
  if (a.levelChanged) lblPegel->setText(q(a.level));
  lblLocator->setText(q(a.locator));
  if (a.frequencyChanged) lblFrequenz->setText(q(a.frequency));
  if (a.placeChanged) lblOrtB->setText(q(a.placeB));
  return true;
}

void MainWindow::prgKlickDarstellung(QPointF p) {
  // The click takes the position it happened at, even without a movement
  // before it; beside the picture (scales, colour bar) it does nothing.
  if (!prgCursorBewegt(p)) return;
  const ClickResult k = prgKlick(*s_, s_->NaechsteStadtFlag != 1);
  switch (k.kind) {
    case ClickResult::Kind::None:
      return;
    case ClickResult::Kind::PointB:
      if (k.backToCursorPosition) chooseNearestPlace(*s_, false);
      break;
    case ClickResult::Kind::Frequency:
      // The chart sets the time shown as well: the map shows that hour at
      // that frequency.
      frequencyBox_->showText();
      break;
  }
  present();
  picDarstellung->refresh();
  prgPointErgebnisZeigen();
}

// ---- Frequency box and memories ---------------------------------------------------

void MainWindow::frequencyConfirmed() { follow(confirmFrequency(*s_)); }

void MainWindow::prgSpeicherTaste(int n) {
  State& s = *s_;
  showWait(true);
  if (s.SpeicherModus != 1) {
    prgSpeicherAbruf(s, n);
    frequencyBox_->showText();
  }
  s.SpeicherWahl = static_cast<int16>(n);
  tmrSpeicher.start();
}

void MainWindow::tickSpeicher() {
  State& s = *s_;
  tmrSpeicher.stop();
  const bool stored = prgSpeicher(s, s.SpeicherWahl);
  if (stored) {
    frequencyBox_->stopBlinking();
    frequencyBox_->retranslate();  // the memory buttons say their new frequencies
  }
  follow(memoryStepDone(s, stored));
  showWait(false);
  picDarstellung->setFocus();
}

// ---- The input dialogs -----------------------------------------------------------

// After a passing OK: the main window in front, the greyline drawn anew.
void MainWindow::afterDialog() {
  show();
  raise();
  activateWindow();
  picDarstellung->refresh();
}

template <class D, class... More>
D* MainWindow::dialog(D*& d, InputDialogKind kind, More... more) {
  if (d) return d;
  d = new D(*s_, more..., this);
  const DialogFollowUp f = dialogFollowUp(kind);
  QTimer* follow = f.recompute == DialogFollowUp::Recompute::NewData  ? &tmrNeueDaten
                   : f.recompute == DialogFollowUp::Recompute::PointB ? &tmrSetzePunkt
                                                                      : &tmrSofort;
  const bool clockFirst = f.clockFirst, closesConditions = f.closesConditions;
  auto advance = [this, follow, clockFirst] {
    // The clock shows the new UTC time at once; the displays follow.
    if (clockFirst) tickAktZeit();
    showWait(true);
    follow->start();
  };
  connect(d, &InputDialog::confirmed, this, [this, advance, closesConditions](bool refresh) {
    if (refresh) advance();
    if (closesConditions && frmForm_Rest && frmForm_Rest->isVisible()) frmForm_Rest->close();
    afterDialog();
  });
  connect(d, &InputDialog::leftAfterChange, this, advance);
  return d;
}

const PlaceIndex& MainWindow::placeIndex() {
  if (!places_) {
    places_ = std::make_unique<PlaceIndex>(welvaro::placeIndex(*s_, dirs_));
    if (const auto m = dataFileMessage(places_->gazetteerStatus)) notify(q(messageText(s_->L, *m)));
  }
  return *places_;
}

StationADialog* MainWindow::stationADialog() {
  return dialog(frmForm_StationA, InputDialogKind::StationA, PlaceSource([this]() -> const PlaceIndex& {
                  return placeIndex();
                }));
}
StationBDialog* MainWindow::stationBDialog() {
  return dialog(frmForm_StationB, InputDialogKind::StationB, PlaceSource([this]() -> const PlaceIndex& {
                  return placeIndex();
                }));
}
ConditionsDialog* MainWindow::conditionsDialog() {
  const bool first = frmForm_Rest == nullptr;
  ConditionsDialog* d = dialog(frmForm_Rest, InputDialogKind::Conditions, dirs_);
  if (first) connect(d->outlookChoices, &OutlookChoices::changed, this, &MainWindow::follow);
  return d;
}
TimeZoneDialog* MainWindow::timeZoneDialog() { return dialog(frmForm_UTC, InputDialogKind::TimeZone); }

void MainWindow::offerWelcome() {
  if (!welcomeDue_ || frmWelcome) return;
  frmWelcome = new WelcomeDialog(*s_, PlaceSource([this]() -> const PlaceIndex& { return placeIndex(); }), this);
  connect(frmWelcome, &WelcomeDialog::welcomeDone, this, [this](bool changed) {
    // The forecast for the user's own station, as after the station A dialog.
    if (!changed) return;
    showWait(true);
    tmrNeueDaten.start();
  });
  frmWelcome->showFromState();
}

}  // namespace welvaro::ui
