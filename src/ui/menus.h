// The menu bar of the main window: the menu tree with its mnemonics,
// separators and check marks, its captions in the user's language, and the
// check marks and enabled items as the core's Anzeige decides them. The
// main window connects the items to what they do.
#pragma once

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QObject>
#include <array>

#include "display/window_state.h"
#include "state/state.h"

namespace welvaro::ui {

class Menus : public QObject {
  Q_OBJECT

 public:
  explicit Menus(QMenuBar* bar);

  /// Every caption from the language table in the language of `s`; the
  /// language items offer the four languages.
  void retranslate(const State& s);
  /// Check marks, enabled and visible items.
  void present(const WindowState& a);

  QMenu *mnuDatei, *mnuVorgaben, *mnuAnzeige, *mnuZeit, *mnuExtras, *mnuHilfe, *mnuOrtsEingabe, *mnuPositionsAnzeige;
  QAction *mnuAbst, *mnuDrucker, *mnuEnde, *mnuStationA, *mnuStationB, *mnuSendeweg, *mnuWahrscheinlichkeit,
      *mnuUTCZeitkorrektur, *mnuSonnenfleckenzahl, *mnuSonnendaten, *mnuDarstellung1, *mnuDarstellung2, *mnuPegel, *mnuFeldstaerke,
      *mnuInfoEinblendung, *mnuDum4, *mnuOrtsEingabeAction, *mnuPositionsAnzeigeAction, *mnuCursorposition,
      *mnuNaechsteStadt, *mnuGrad, *mnuLocator, *mnuInfo, *mnuWelvaroHilfe, *mnuAzimutal, *mnuBildSpeichern,
      *mnuBildKopieren, *mnuStundeVor, *mnuStundeZurueck, *mnuMinutenVor, *mnuMinutenZurueck, *mnuFrequenzHoch,
      *mnuFrequenzRunter, *mnuBandHoch, *mnuBandRunter, *mnuJetzt, *mnuAbspielen;
  std::array<QAction*, 6> mnuBeschriftung{};
};

}  // namespace welvaro::ui
