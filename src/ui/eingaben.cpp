// The main window's input: the cursor read-out and clicks in the picture
// area, the frequency box and the memories, and the four input dialogs.
#include <QEvent>
#include <QMessageBox>
#include <cmath>
#include <functional>

#include "display/anzeige.h"
#include "display/bildcursor.h"
#include "display/cursor.h"
#include "display/geometrie.h"
#include "display/point.h"
#include "files/gazetteer.h"
#include "lang/sprachtext.h"
#include "input/eingabe.h"
#include "ui/dialogs.h"
#include "ui/qtext.h"
#include "ui/frequenzfeld.h"
#include "ui/mainwindow.h"
#include "ui/menues.h"
#include "ui/bildansicht.h"

namespace welvaro::ui {

void MainWindow::verbindeEingaben() {
  connect(picDarstellung, &Bildansicht::cursorBewegt, this, &MainWindow::prgCursorBewegt);
  connect(picDarstellung, &Bildansicht::geklickt, this, &MainWindow::prgKlickDarstellung);

  // Tool tips built from the state when the mouse comes over the button.
  auto tipp = [this](QToolButton* knopf, std::function<std::string()> text) {
    knopf->installEventFilter(new Ereignisfilter(knopf, [knopf, text](QObject*, QEvent* e) {
      if (e->type() == QEvent::Enter) knopf->setToolTip(q(text()));
      return false;
    }));
  };
  tipp(cmdOrt, [this] { return ortTooltip(*s_); });
  tipp(cmdSonnenflecken, [this] { return sonnenfleckenTooltip(*s_); });

  connect(frequenz_, &FrequenzFeld::bestaetigt, this, &MainWindow::frequenzBestaetigt);
  connect(frequenz_, &FrequenzFeld::speicherTaste, this, &MainWindow::prgSpeicherTaste);
  connect(frequenz_, &FrequenzFeld::fertig, this, [this] { picDarstellung->setFocus(); });
  connect(frequenz_, &FrequenzFeld::warnung, this, [this] {
    letzteWarnung = q(T(*s_, kTxFrequenzWarnung)).replace("\r\n", "\n");
    QMessageBox box(QMessageBox::Warning, q(T(*s_, kTxFehler)), letzteWarnung, QMessageBox::Ok, this);
    if (testAntwort == Antwort::Fragen) box.exec();
  });

  const Menues& m = *menues_;
  connect(m.mnuStationA, &QAction::triggered, this, [this] { dialogStationA()->oeffnen(); });
  connect(m.mnuStationB, &QAction::triggered, this, [this] { dialogStationB()->oeffnen(); });
  for (QAction* a : {m.mnuSendeweg, m.mnuWahrscheinlichkeit, m.mnuSonnenfleckenzahl})
    connect(a, &QAction::triggered, this, [this] { dialogBedingungen()->oeffnen(); });
  connect(cmdSonnenflecken, &QToolButton::clicked, this, [this] { dialogBedingungen()->oeffnen(); });
  connect(m.mnuUTCZeitkorrektur, &QAction::triggered, this, [this] { dialogZeitzone()->oeffnen(); });
}

// ---- Cursor read-out and clicks ---------------------------------------------------

bool MainWindow::prgCursorBewegt(QPointF p) {
  State& s = *s_;
  CursorAnzeige a;
  if (s.Darstellung == 1.0f) {
    const std::optional<KartenAblesung> l = picDarstellung->ableseKarte(p);
    if (!l) return false;
    a = prgKartenCursor(s, *l, s.PegelFlag == 1, s.LocatorFlag != 1);
    lblPeilung->setText(q(peilungText(s, *l)));
    if (a.markeNeu) {
      const int g = static_cast<int>(s.NahOrt);
      picDarstellung->setzeOrtMarke(anzeigeVon(s).ortMarke ? std::optional<Ort>(Ort{s.OrtBreite[g], s.OrtLaenge[g]})
                                                           : std::nullopt);
    }
  } else {
    const std::optional<ChartAblesung> l = picDarstellung->ableseChart(p);
    if (!l) return false;
    a = prgChartCursor(s, *l, s.PegelFlag == 1);
  }
  if (a.pegelNeu) lblPegel->setText(q(a.pegel));
  lblLocator->setText(q(a.locator));
  if (a.frequenzNeu) lblFrequenz->setText(q(a.frequenz));
  if (a.ortNeu) lblOrtB->setText(q(a.ortB));
  return true;
}

void MainWindow::prgKlickDarstellung(QPointF p) {
  // The click takes the position it happened at, even without a movement
  // before it; beside the picture (scales, colour bar) it does nothing.
  if (!prgCursorBewegt(p)) return;
  const KlickErgebnis k = prgKlick(*s_, s_->NaechsteStadtFlag != 1);
  switch (k.art) {
    case KlickErgebnis::Art::Nichts:
      return;
    case KlickErgebnis::Art::PunktB:
      if (k.zurueckZurCursorposition) waehleNaechsteStadt(*s_, false);
      break;
    case KlickErgebnis::Art::Frequenz:
      // The chart sets the time shown as well: the map shows that hour at
      // that frequency.
      frequenz_->zeigeText();
      break;
  }
  zeige();
  picDarstellung->neu();
  prgPointErgebnisZeigen();
}

// ---- Frequency box and memories ---------------------------------------------------

void MainWindow::frequenzBestaetigt() {
  if (s_->Darstellung == 1.0f) {
    prgGenDarst();
  } else {
    // The chart shows every frequency already: the line moves and the
    // point result follows the new frequency.
    zeigeDatenImSpeicher();
  }
}

void MainWindow::prgSpeicherTaste(int n) {
  State& s = *s_;
  zeigeWarten(true);
  if (s.SpeicherModus != 1) {
    prgSpeicherAbruf(s, n);
    frequenz_->zeigeText();
  }
  s.SpeicherWahl = static_cast<int16>(n);
  tmrSpeicher.start();
}

void MainWindow::tickSpeicher() {
  State& s = *s_;
  tmrSpeicher.stop();
  if (prgSpeicher(s, s.SpeicherWahl)) {
    frequenz_->blinkenAus();
    frequenz_->sprache();  // the memory buttons say their new frequencies
    if (s.Darstellung == 2.0f)
      zeigeDatenImSpeicher();
    else
      picDarstellung->neu();
  } else {
    frequenzBestaetigt();
  }
  zeigeWarten(false);
  picDarstellung->setFocus();
}

// ---- The input dialogs -----------------------------------------------------------

// After a passing OK: the main window in front, the greyline drawn anew.
void MainWindow::nachDialog() {
  show();
  raise();
  activateWindow();
  picDarstellung->neu();
}

template <class D, class... Mehr>
D* MainWindow::dialog(D*& d, QTimer* folge, bool uhrZuerst, bool schliesstBedingungen, Mehr... mehr) {
  if (d) return d;
  d = new D(*s_, mehr..., this);
  auto weiter = [this, folge, uhrZuerst] {
    // The clock shows the new UTC time at once; the displays follow.
    if (uhrZuerst) tickAktZeit();
    zeigeWarten(true);
    folge->start();
  };
  connect(d, &EingabeDialog::bestaetigt, this, [this, weiter, schliesstBedingungen](bool neu) {
    if (neu) weiter();
    if (schliesstBedingungen && frmForm_Rest && frmForm_Rest->isVisible()) frmForm_Rest->close();
    nachDialog();
  });
  connect(d, &EingabeDialog::verlassenNachAenderung, this, weiter);
  return d;
}

const Ortsverzeichnis& MainWindow::ortsverzeichnis() {
  if (!orte_) orte_ = std::make_unique<Ortsverzeichnis>(welvaro::ortsverzeichnis(*s_, dirs_));
  return *orte_;
}

StationADialog* MainWindow::dialogStationA() {
  return dialog(frmForm_StationA, &tmrNeueDaten, false, true, Ortsquelle([this]() -> const Ortsverzeichnis& {
                  return ortsverzeichnis();
                }));
}
StationBDialog* MainWindow::dialogStationB() {
  return dialog(frmForm_StationB, &tmrSetzePunkt, false, true, Ortsquelle([this]() -> const Ortsverzeichnis& {
                  return ortsverzeichnis();
                }));
}
BedingungenDialog* MainWindow::dialogBedingungen() { return dialog(frmForm_Rest, &tmrNeueDaten, false, false); }
ZeitzoneDialog* MainWindow::dialogZeitzone() { return dialog(frmForm_UTC, &tmrSofort, true, false); }

}  // namespace welvaro::ui
