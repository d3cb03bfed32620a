#include "ui/menues.h"
#include "ui/qtext.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <algorithm>

#include "display/point.h"
#include "lang/sprachtext.h"
#include "ui/bandtafel.h"
#include "ui/bildansicht.h"
#include "ui/dialogs.h"
#include "ui/frequenzfeld.h"
#include "ui/mainwindow.h"
#include "ui/symbole.h"
#include "ui/zeitleiste.h"

namespace welvaro::ui {

namespace {

QAction* eintrag(QMenu* menu, const char* name, bool haken = false) {
  QAction* a = menu->addAction(QString());
  a->setObjectName(name);
  a->setCheckable(haken);
  return a;
}

}  // namespace

Menues::Menues(QMenuBar* leiste) : QObject(leiste) {
  mnuAbst = leiste->addAction(QString());
  mnuAbst->setObjectName("mnuAbst");
  mnuAbst->setEnabled(false);

  mnuDatei = leiste->addMenu(QString());
  mnuDatei->setObjectName("mnuDatei");
  mnuDrucker = eintrag(mnuDatei, "mnuDrucker");
  mnuBildSpeichern = eintrag(mnuDatei, "mnuBildSpeichern");
  mnuBildSpeichern->setShortcut(QKeySequence::Save);
  mnuBildKopieren = eintrag(mnuDatei, "mnuBildKopieren");
  mnuBildKopieren->setShortcut(QKeySequence::Copy);
  mnuDatei->addSeparator()->setObjectName("mnuDum00");
  mnuEnde = eintrag(mnuDatei, "mnuEnde");

  mnuVorgaben = leiste->addMenu(QString());
  mnuVorgaben->setObjectName("mnuVorgaben");
  mnuStationA = eintrag(mnuVorgaben, "mnuStationA");
  mnuStationB = eintrag(mnuVorgaben, "mnuStationB");
  mnuVorgaben->addSeparator()->setObjectName("mnuDum01");
  mnuSendeweg = eintrag(mnuVorgaben, "mnuSendeweg");
  mnuWahrscheinlichkeit = eintrag(mnuVorgaben, "mnuWahrscheinlichkeit");
  mnuUTCZeitkorrektur = eintrag(mnuVorgaben, "mnuUTCZeitkorrektur");
  mnuSonnenfleckenzahl = eintrag(mnuVorgaben, "mnuSonnenfleckenzahl");

  mnuAnzeige = leiste->addMenu(QString());
  mnuAnzeige->setObjectName("mnuAnzeige");
  mnuDarstellung1 = eintrag(mnuAnzeige, "mnuDarstellung1", true);
  mnuDarstellung2 = eintrag(mnuAnzeige, "mnuDarstellung2", true);
  mnuAzimutal = eintrag(mnuAnzeige, "mnuAzimutal", true);
  mnuAnzeige->addSeparator()->setObjectName("mnuDum02");
  mnuPegel = eintrag(mnuAnzeige, "mnuPegel", true);
  mnuFeldstaerke = eintrag(mnuAnzeige, "mnuFeldstaerke", true);

  // The time and frequency shown, from the keyboard.
  mnuZeit = leiste->addMenu(QString());
  mnuZeit->setObjectName("mnuZeit");
  auto taste = [this](const char* name, QKeySequence k) {
    QAction* a = eintrag(mnuZeit, name);
    a->setShortcut(k);
    a->setShortcutContext(Qt::WindowShortcut);
    return a;
  };
  mnuStundeVor = taste("mnuStundeVor", Qt::Key_Right);
  mnuStundeZurueck = taste("mnuStundeZurueck", Qt::Key_Left);
  mnuMinutenVor = taste("mnuMinutenVor", Qt::SHIFT | Qt::Key_Right);
  mnuMinutenZurueck = taste("mnuMinutenZurueck", Qt::SHIFT | Qt::Key_Left);
  mnuZeit->addSeparator();
  mnuFrequenzHoch = taste("mnuFrequenzHoch", Qt::Key_Up);
  mnuFrequenzRunter = taste("mnuFrequenzRunter", Qt::Key_Down);
  mnuBandHoch = taste("mnuBandHoch", Qt::Key_PageUp);
  mnuBandRunter = taste("mnuBandRunter", Qt::Key_PageDown);
  mnuZeit->addSeparator();
  mnuJetzt = taste("mnuJetzt", Qt::Key_Home);
  mnuAbspielen = taste("mnuAbspielen", Qt::Key_Space);

  mnuExtras = leiste->addMenu(QString());
  mnuExtras->setObjectName("mnuExtras");
  for (int n = 0; n < 6; ++n) {
    mnuBeschriftung[n] = eintrag(mnuExtras, QString("mnuBeschriftung%1").arg(n).toLatin1().constData(), true);
    mnuBeschriftung[n]->setVisible(false);
  }
  mnuExtras->addSeparator()->setObjectName("mnuDum03");
  mnuInfoEinblendung = eintrag(mnuExtras, "mnuInfoEinblendung", true);
  mnuDum4 = mnuExtras->addSeparator();
  mnuDum4->setObjectName("mnuDum4");
  mnuOrtsEingabe = new QMenu(leiste);
  mnuOrtsEingabe->setObjectName("mnuOrtsEingabe");
  mnuOrtsEingabeAction = mnuExtras->addMenu(mnuOrtsEingabe);
  mnuCursorposition = eintrag(mnuOrtsEingabe, "mnuCursorposition", true);
  mnuNaechsteStadt = eintrag(mnuOrtsEingabe, "mnuNaechsteStadt", true);
  mnuPositionsAnzeige = new QMenu(leiste);
  mnuPositionsAnzeige->setObjectName("mnuPositionsAnzeige");
  mnuPositionsAnzeigeAction = mnuExtras->addMenu(mnuPositionsAnzeige);
  mnuGrad = eintrag(mnuPositionsAnzeige, "mnuGrad", true);
  mnuLocator = eintrag(mnuPositionsAnzeige, "mnuLocator", true);

  mnuHilfe = leiste->addMenu(QString());
  mnuHilfe->setObjectName("mnuHilfe");
  mnuInfo = eintrag(mnuHilfe, "mnuInfo");
  mnuWelvaroHilfe = eintrag(mnuHilfe, "mnuWelvaroHilfe");
  mnuWelvaroHilfe->setShortcut(QKeySequence(Qt::Key_F1));
  mnuWelvaroHilfe->setShortcutContext(Qt::ApplicationShortcut);
}

void Menues::sprache(const State& s) {
  auto t = [&s](int key) { return q(T(s, key)); };
  mnuDatei->setTitle(t(kTxDatei));
  mnuDrucker->setText(t(kTxDrucken));
  mnuBildSpeichern->setText(t(kTxBildSpeichern));
  mnuBildKopieren->setText(t(kTxBildKopieren));
  mnuAzimutal->setText(t(kTxAzimutal));
  mnuEnde->setText(t(kTxBeenden));
  mnuVorgaben->setTitle(t(kTxVorgaben));
  mnuStationA->setText(t(kTxStation) + " (A)");
  mnuStationB->setText(t(kTxStation) + " (B)");
  mnuSendeweg->setText(t(kTxSendeweg));
  mnuWahrscheinlichkeit->setText(t(kTxWahrscheinlichkeit));
  mnuUTCZeitkorrektur->setText(t(kTxUTCZeitkorrektur));
  mnuSonnenfleckenzahl->setText(t(kTxSonnenflecken));
  mnuAnzeige->setTitle(t(kTxDarstellung));
  mnuDarstellung1->setText(t(kTxWeltWelvaro));
  mnuDarstellung2->setText(t(kTxOrtsWelvaro));
  mnuPegel->setText(t(kTxPegel));
  mnuFeldstaerke->setText(t(kTxFeldstaerke));
  mnuZeit->setTitle(t(kTxZeitMenu));
  mnuStundeVor->setText(t(kTxStundeVor));
  mnuStundeZurueck->setText(t(kTxStundeZurueck));
  mnuMinutenVor->setText(t(kTxMinutenVor));
  mnuMinutenZurueck->setText(t(kTxMinutenZurueck));
  mnuFrequenzHoch->setText(t(kTxFrequenzHoch));
  mnuFrequenzRunter->setText(t(kTxFrequenzRunter));
  mnuBandHoch->setText(t(kTxBandHoch));
  mnuBandRunter->setText(t(kTxBandRunter));
  mnuJetzt->setText(t(kTxJetzt));
  mnuAbspielen->setText(t(kTxAbspielen));
  mnuExtras->setTitle(t(kTxExtras));
  for (int n = 0; n < 6; ++n) {
    const std::string text = SprachMenuText(n);
    mnuBeschriftung[n]->setText(q(text));
    mnuBeschriftung[n]->setVisible(!text.empty());
  }
  mnuInfoEinblendung->setText(t(kTxInfoEinblendung));
  mnuOrtsEingabe->setTitle(t(kTxOrtsEingabe));
  mnuCursorposition->setText("Cursor-" + t(kTxPosition));
  mnuNaechsteStadt->setText(t(kTxNaechsteStadt));
  mnuPositionsAnzeige->setTitle(t(kTxPositionsAnzeige));
  mnuGrad->setText(t(kTxKoordinaten));
  mnuLocator->setText(t(kTxLocator));
  mnuHilfe->setTitle(t(kTxHilfe));
  mnuInfo->setText(t(kTxInfo));
  mnuWelvaroHilfe->setText(t(kTxWelvaroHilfe));
}

void Menues::zeige(const Anzeige& a) {
  mnuDrucker->setEnabled(a.cmdDruckerAn);
  mnuDarstellung1->setChecked(a.mnuDarstellung1Haken);
  mnuDarstellung2->setChecked(a.mnuDarstellung2Haken);
  mnuPegel->setChecked(a.mnuPegelHaken);
  mnuFeldstaerke->setChecked(a.mnuFeldstaerkeHaken);
  for (int n = 0; n < 6; ++n) mnuBeschriftung[n]->setChecked(a.sprachHaken[static_cast<std::size_t>(n)]);
  mnuInfoEinblendung->setChecked(a.mnuInfoEinblendungHaken);
  for (QAction* x : {mnuDum4, mnuOrtsEingabeAction, mnuPositionsAnzeigeAction}) x->setVisible(a.leseMenuesSichtbar);
  mnuOrtsEingabeAction->setEnabled(a.leseMenuesAn);
  mnuPositionsAnzeigeAction->setEnabled(a.leseMenuesAn);
  mnuCursorposition->setChecked(a.mnuCursorpositionHaken);
  mnuNaechsteStadt->setChecked(a.mnuNaechsteStadtHaken);
  mnuNaechsteStadt->setEnabled(a.mnuNaechsteStadtAn);
  mnuGrad->setChecked(a.mnuGradHaken);
  mnuLocator->setChecked(a.mnuLocatorHaken);
}

// ---- The language switch of the whole window ----------------------------------

void MainWindow::setzeQtSprache() {
  // Qt's own texts (Yes/No, Cancel, the file dialog) follow the program's
  // language, not the system's.
  static const char* const kQtSprache[] = {"de", "en", "de", "es", "fr", "de"};
  QCoreApplication::removeTranslator(&qtTexte_);
  const int l = std::clamp<int>(s_->L, 0, 5);
  if (qtTexte_.load(QString("qtbase_") + kQtSprache[l], QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    QCoreApplication::installTranslator(&qtTexte_);
}

void MainWindow::prgLandessprache() {
  State& s = *s_;
  auto t = [&s](int key) { return q(T(s, key)); };
  fuelleMonatsNamen(s);
  setzeQtSprache();
  menues_->sprache(s);
  {
    // The month list names the months in the user's language; entry n - 1
    // stays month n.
    const QSignalBlocker sperre(cmbMonat);
    for (int m = 1; m <= 12; ++m) cmbMonat->setItemText(m - 1, q(s.MonatsName[m]));
  }
  cmdWelt->setToolTip(t(kTxWeltWelvaro));
  cmdOrt->setToolTip(t(kTxOrtsWelvaro));
  cmdGreyline->setToolTip(t(kTxGreyline));
  cmdDrucker->setToolTip(t(kTxDrucken));
  cmdAzimutal->setToolTip(t(kTxAzimutal));
  cmdEnde->setToolTip(t(kTxBeenden));
  imgWarten->setPixmap(wartenBild(t(kTxBerechnung)));
  imgWarten->adjustSize();
  lblFunkverbindung->setText(t(kTxFunkverbindung));
  frequenz_->sprache();
  zeitleiste_->sprache(s);
  baender_->sprache(s);
  picDarstellung->neu();
  s.WelvaroAnzeige = WelvaroAnzeigeText(s);
  s.PegelAnzeige = PegelAnzeigeText(s);
  if (s.SprachLauf == 1) prgPointErgebnis(s);
  prgPointErgebnisZeigen();
  for (EingabeDialog* d : findChildren<EingabeDialog*>()) d->sprachWechsel();
  zeige();
}

}  // namespace welvaro::ui
