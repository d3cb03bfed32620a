// The painted symbols of the main window, drawn in code so that they stay
// sharp at any scaling: the tool-bar icons and the wait picture.
#pragma once

#include <QIcon>
#include <QPixmap>
#include <QString>

namespace welvaro::ui {

QIcon worldIcon();       ///< world map (cmdWelt)
QIcon chartIcon();        ///< chart of the link (cmdOrt)
QIcon greylineIcon();   ///< day and night (cmdGreyline)
QIcon clockIcon();        ///< forecast period (cmdWelvarozeit)
QIcon printerIcon();    ///< printed report (cmdDrucker)
QIcon sunIcon();      ///< conditions (cmdSonnenflecken)
QIcon endIcon();       ///< program end (cmdEnde)
QIcon azimuthalIcon();   ///< azimuthal map around station A (cmdAzimutal)
QIcon outlookIcon();     ///< the outlook of the chosen mode (its four classes' colours)

/// The wait picture: an hourglass on a dark plate with its word.
QPixmap waitPicture(const QString& text);

}  // namespace welvaro::ui
