// The scale pictures beside the display: graduations of the world map
// (longitude, latitude) and of the chart (UTC hour, MHz), and the colour
// bar of the value scale.
#pragma once

#include <QPixmap>
#include <QString>

namespace welvaro::ui {

// Horizontal scales under the picture.
QPixmap scalaLaenge();  // world map: -180 .. 180 degrees, 541 px
QPixmap scalaZeit();    // chart: 0 .. 24 h UTC, 529 px
// Vertical scales left of the picture.
QPixmap scalaBreite();    // world map: 90 N .. 90 S, 271 px
QPixmap scalaFrequenz();  // chart: 30 .. 0 MHz, 271 px
// Axis captions.
QPixmap achseText(const QString& text, bool vertical);
// Colour bar of the 109 value colours, bottom = index 0, labelled in dBm
// (level) or dB(uV/m) (field strength). `palette` holds 256 entries of
// blue, green, red, 0.
QPixmap farbbalken(const unsigned char* palette, bool pegel);

}  // namespace welvaro::ui
