// The painted symbols of the main window, drawn in code so that they stay
// sharp at any scaling: the tool-bar icons, the wait picture and the scale
// under the S-meter.
#pragma once

#include <QIcon>
#include <QPixmap>
#include <QString>

namespace welvaro::ui {

QIcon symbolWelt();       ///< world map (cmdWelt)
QIcon symbolOrt();        ///< chart of the link (cmdOrt)
QIcon symbolGreyline();   ///< day and night (cmdGreyline)
QIcon symbolUhr();        ///< forecast period (cmdWelvarozeit)
QIcon symbolDrucker();    ///< printed report (cmdDrucker)
QIcon symbolSonne();      ///< conditions (cmdSonnenflecken)
QIcon symbolEnde();       ///< program end (cmdEnde)
QIcon symbolAzimutal();   ///< azimuthal map around station A (cmdAzimutal)

/// The wait picture: an hourglass on a dark plate with its word.
QPixmap wartenBild(const QString& text);

/// The scale under the S-meter bar: S1 .. S9 (6 dB apart, S9 = -73 dBm) and
/// 20 and 40 dB above S9, on the bar's 0..108 range (index = dBm + 127).
QPixmap smeterSkala(int breite);

}  // namespace welvaro::ui
