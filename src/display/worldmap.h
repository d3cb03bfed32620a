// The world-map display: the field strength or receive level that station
// A produces everywhere on earth at the display frequency and the current
// UTC minute, interpolated from the 10-degree forecast table and coloured
// over a 541 x 271 map (1.5 pixels per degree, longitude -180 at the left
// edge, latitude 90 at the top), with the map drawing laid over it.
#pragma once

#include <string>

#include "display/bitmap.h"
#include "state/state.h"

namespace welvaro {

/// Colour indices 0..108 of the 19 x 36 table points, [latitude index
/// 0..18][longitude index 0..35], for the display frequency `frequency` at
/// UTC `hour`:`minute`, from Weltpegel (`level`) or Weltfeld, by the rules
/// of buildWorldRaster below.
using WorldGrid = int16[19][36];
void worldGrid(const State& s, double frequency, int hour, int minute, bool level, WorldGrid& grid);

/// Fills WeltRaster, the colour index 0..108 of every table point, for the
/// display frequency AktFrequenz and the hour and minute of Zeitpunkt (UTC),
/// from Weltpegel when PegelFlag is 1, else from Weltfeld; with OutlookFlag
/// = 1 the outlook (outlookWorldGrid), which the picture shows in the
/// outlook's colour table.
///
/// Interpolation is linear in time between the hour rows (hour 0 read from
/// row 24, 00 UTC; 23 h running towards row 24) and then in frequency
/// between the whole-MHz columns below and above AktFrequenz. A display
/// frequency is held within 1..30 MHz; at exactly 30 MHz only the 30 MHz
/// column is read.
void buildWorldRaster(State& s);

/// The picture file (148502 bytes) from WeltRaster, the map drawing
/// Weltkarte and the start-up header and colour table.
void worldBitmapFromRaster(const State& s, std::string& picture);

/// Both steps: the picture the world-map display shows now.
void worldBitmap(State& s, std::string& picture);

/// Generates the world-map picture and writes it as "WelvDar1.bmp" in the
/// program directory Pfad. When `picture` is given it receives the picture
/// too, so a window can show it without reading the file back. The point
/// result is refreshed by the display cycle after this.
DisplayStatus prgAktDarst1(State& s, std::string* picture = nullptr);

}  // namespace welvaro
