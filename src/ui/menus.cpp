#include "ui/menus.h"
#include "ui/qtext.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <algorithm>

#include "display/point.h"
#include "lang/sprachtext.h"
#include "ui/band_panel.h"
#include "ui/heard_binder.h"
#include "ui/picture_view.h"
#include "ui/dialogs.h"
#include "ui/welcome_dialog.h"
#include "ui/frequency_box.h"
#include "ui/mainwindow.h"
#include "ui/icons.h"
#include "ui/time_bar.h"

namespace welvaro::ui {

namespace {

QAction* item(QMenu* menu, const char* name, bool checked = false) {
  QAction* a = menu->addAction(QString());
  a->setObjectName(name);
  a->setCheckable(checked);
  return a;
}

}  // namespace

Menus::Menus(QMenuBar* bar) : QObject(bar) {
  mnuAbst = bar->addAction(QString());
  mnuAbst->setObjectName("mnuAbst");
  mnuAbst->setEnabled(false);

  mnuDatei = bar->addMenu(QString());
  mnuDatei->setObjectName("mnuDatei");
  mnuDrucker = item(mnuDatei, "mnuDrucker");
  mnuBildSpeichern = item(mnuDatei, "mnuBildSpeichern");
  mnuBildSpeichern->setShortcut(QKeySequence::Save);
  mnuBildKopieren = item(mnuDatei, "mnuBildKopieren");
  mnuBildKopieren->setShortcut(QKeySequence::Copy);
  mnuDatei->addSeparator()->setObjectName("mnuDum00");
  mnuEnde = item(mnuDatei, "mnuEnde");

  mnuVorgaben = bar->addMenu(QString());
  mnuVorgaben->setObjectName("mnuVorgaben");
  mnuStationA = item(mnuVorgaben, "mnuStationA");
  mnuStationB = item(mnuVorgaben, "mnuStationB");
  mnuVorgaben->addSeparator()->setObjectName("mnuDum01");
  mnuSendeweg = item(mnuVorgaben, "mnuSendeweg");
  mnuWahrscheinlichkeit = item(mnuVorgaben, "mnuWahrscheinlichkeit");
  mnuUTCZeitkorrektur = item(mnuVorgaben, "mnuUTCZeitkorrektur");
  mnuSonnenfleckenzahl = item(mnuVorgaben, "mnuSonnenfleckenzahl");
  mnuSonnendaten = item(mnuVorgaben, "mnuSonnendaten");

  mnuAnzeige = bar->addMenu(QString());
  mnuAnzeige->setObjectName("mnuAnzeige");
  mnuDarstellung1 = item(mnuAnzeige, "mnuDarstellung1", true);
  mnuDarstellung2 = item(mnuAnzeige, "mnuDarstellung2", true);
  mnuAzimutal = item(mnuAnzeige, "mnuAzimutal", true);
  mnuAnzeige->addSeparator()->setObjectName("mnuDum02");
  mnuPegel = item(mnuAnzeige, "mnuPegel", true);
  mnuFeldstaerke = item(mnuAnzeige, "mnuFeldstaerke", true);

  // The time and frequency shown, from the keyboard.
  mnuZeit = bar->addMenu(QString());
  mnuZeit->setObjectName("mnuZeit");
  auto key = [this](const char* name, QKeySequence k) {
    QAction* a = item(mnuZeit, name);
    a->setShortcut(k);
    a->setShortcutContext(Qt::WindowShortcut);
    return a;
  };
  mnuStundeVor = key("mnuStundeVor", Qt::Key_Right);
  mnuStundeZurueck = key("mnuStundeZurueck", Qt::Key_Left);
  mnuMinutenVor = key("mnuMinutenVor", Qt::SHIFT | Qt::Key_Right);
  mnuMinutenZurueck = key("mnuMinutenZurueck", Qt::SHIFT | Qt::Key_Left);
  mnuZeit->addSeparator();
  mnuFrequenzHoch = key("mnuFrequenzHoch", Qt::Key_Up);
  mnuFrequenzRunter = key("mnuFrequenzRunter", Qt::Key_Down);
  mnuBandHoch = key("mnuBandHoch", Qt::Key_PageUp);
  mnuBandRunter = key("mnuBandRunter", Qt::Key_PageDown);
  mnuZeit->addSeparator();
  mnuJetzt = key("mnuJetzt", Qt::Key_Home);
  mnuAbspielen = key("mnuAbspielen", Qt::Key_Space);

  mnuExtras = bar->addMenu(QString());
  mnuExtras->setObjectName("mnuExtras");
  for (int n = 0; n < 6; ++n) {
    mnuBeschriftung[n] = item(mnuExtras, QString("mnuBeschriftung%1").arg(n).toLatin1().constData(), true);
    mnuBeschriftung[n]->setVisible(false);
  }
  mnuExtras->addSeparator()->setObjectName("mnuDum03");
  mnuInfoEinblendung = item(mnuExtras, "mnuInfoEinblendung", true);
  mnuDum4 = mnuExtras->addSeparator();
  mnuDum4->setObjectName("mnuDum4");
  mnuOrtsEingabe = new QMenu(bar);
  mnuOrtsEingabe->setObjectName("mnuOrtsEingabe");
  mnuOrtsEingabeAction = mnuExtras->addMenu(mnuOrtsEingabe);
  mnuCursorposition = item(mnuOrtsEingabe, "mnuCursorposition", true);
  mnuNaechsteStadt = item(mnuOrtsEingabe, "mnuNaechsteStadt", true);
  mnuPositionsAnzeige = new QMenu(bar);
  mnuPositionsAnzeige->setObjectName("mnuPositionsAnzeige");
  mnuPositionsAnzeigeAction = mnuExtras->addMenu(mnuPositionsAnzeige);
  mnuGrad = item(mnuPositionsAnzeige, "mnuGrad", true);
  mnuLocator = item(mnuPositionsAnzeige, "mnuLocator", true);

  mnuHilfe = bar->addMenu(QString());
  mnuHilfe->setObjectName("mnuHilfe");
  mnuInfo = item(mnuHilfe, "mnuInfo");
  mnuWelvaroHilfe = item(mnuHilfe, "mnuWelvaroHilfe");
  mnuWelvaroHilfe->setShortcut(QKeySequence(Qt::Key_F1));
  mnuWelvaroHilfe->setShortcutContext(Qt::ApplicationShortcut);
}

void Menus::retranslate(const State& s) {
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
  mnuSonnendaten->setText(t(kTxSolarUpdateMenu));
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
    const std::string text = languageMenuText(n);
    mnuBeschriftung[n]->setText(q(text));
    mnuBeschriftung[n]->setVisible(!text.empty());
  }
  mnuInfoEinblendung->setText(t(kTxInfoEinblendung));
  mnuOrtsEingabe->setTitle(t(kTxOrtsEingabe));
  mnuCursorposition->setText(t(kTxCursorPosition));
  mnuNaechsteStadt->setText(t(kTxNaechsteStadt));
  mnuPositionsAnzeige->setTitle(t(kTxPositionsAnzeige));
  mnuGrad->setText(t(kTxKoordinaten));
  mnuLocator->setText(t(kTxLocator));
  mnuHilfe->setTitle(t(kTxHilfe));
  mnuInfo->setText(t(kTxInfo));
  mnuWelvaroHilfe->setText(t(kTxWelvaroHilfe));
}

void Menus::present(const WindowState& a) {
  mnuDrucker->setEnabled(a.cmdDruckerEnabled);
  mnuDarstellung1->setChecked(a.mnuDarstellung1Checked);
  mnuDarstellung2->setChecked(a.mnuDarstellung2Checked);
  mnuPegel->setChecked(a.mnuPegelChecked);
  mnuFeldstaerke->setChecked(a.mnuFeldstaerkeChecked);
  for (int n = 0; n < 6; ++n) mnuBeschriftung[n]->setChecked(a.languageChecked[static_cast<std::size_t>(n)]);
  mnuInfoEinblendung->setChecked(a.mnuInfoEinblendungChecked);
  for (QAction* x : {mnuDum4, mnuOrtsEingabeAction, mnuPositionsAnzeigeAction}) x->setVisible(a.readoutMenusVisible);
  mnuOrtsEingabeAction->setEnabled(a.readoutMenusEnabled);
  mnuPositionsAnzeigeAction->setEnabled(a.readoutMenusEnabled);
  mnuCursorposition->setChecked(a.mnuCursorpositionChecked);
  mnuNaechsteStadt->setChecked(a.mnuNaechsteStadtChecked);
  mnuNaechsteStadt->setEnabled(a.mnuNaechsteStadtEnabled);
  mnuGrad->setChecked(a.mnuGradChecked);
  mnuLocator->setChecked(a.mnuLocatorChecked);
}

// ---- The language switch of the whole window ----------------------------------

void MainWindow::setQtLanguage() {
  // Qt's own texts (Yes/No, Cancel, the file dialog) follow the program's
  // language, not the system's.
  static const char* const kQtLanguage[] = {"de", "en", "de", "es", "fr", "de"};
  QCoreApplication::removeTranslator(&qtTranslator_);
  const int l = std::clamp<int>(s_->L, 0, 5);
  if (qtTranslator_.load(QString("qtbase_") + kQtLanguage[l], QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    QCoreApplication::installTranslator(&qtTranslator_);
}

void MainWindow::prgLandessprache() {
  State& s = *s_;
  auto t = [&s](int key) { return q(T(s, key)); };
  fillMonthNames(s);
  setQtLanguage();
  menus_->retranslate(s);
  {
    // The month list names the months in the user's language; entry n - 1
    // stays month n.
    const QSignalBlocker blocker(cmbMonat);
    for (int m = 1; m <= 12; ++m) cmbMonat->setItemText(m - 1, q(s.MonatsName[m]));
  }
  cmdWelt->setToolTip(t(kTxWeltWelvaro));
  cmdOrt->setToolTip(t(kTxOrtsWelvaro));
  cmdGreyline->setToolTip(t(kTxGreyline));
  cmdDrucker->setToolTip(t(kTxDrucken));
  cmdAzimutal->setToolTip(t(kTxAzimutal));
  cmdEnde->setToolTip(t(kTxBeenden));
  // The tool buttons show only a picture: screen readers read these names.
  for (auto [button, key] : {std::pair{cmdWelt, kTxWeltWelvaro}, std::pair{cmdOrt, kTxOrtsWelvaro},
                            std::pair{cmdAzimutal, kTxAzimutal}, std::pair{cmdGreyline, kTxGreyline},
                            std::pair{cmdWelvarozeit, kTxForecastMonth}, std::pair{cmdSonnenflecken, kTxSonnenflecken},
                            std::pair{cmdDrucker, kTxDrucken}, std::pair{cmdEnde, kTxBeenden}})
    button->setAccessibleName(t(key));
  imgWarten->setPixmap(waitPicture(t(kTxBerechnung)));
  imgWarten->adjustSize();
  lblFunkverbindung->setText(t(kTxFunkverbindung));
  frequencyBox_->retranslate();
  timeBar_->retranslate(s);
  bandPanel_->retranslate(s);
  heard_->retranslate();
  picDarstellung->refresh();
  s.WelvaroAnzeige = forecastCaption(s);
  s.PegelAnzeige = levelCaption(s);
  if (s.SprachLauf == 1) prgPointErgebnis(s);
  prgPointErgebnisZeigen();
  for (InputDialog* d : findChildren<InputDialog*>()) d->retranslate();
  if (frmWelcome) frmWelcome->retranslate();
  present();
}

}  // namespace welvaro::ui
