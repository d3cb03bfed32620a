// The plate a picture is shown on: the picture itself and, when asked for,
// its scales (longitude and latitude, bearings around the azimuthal map, or
// UTC hours and MHz for the chart) and the colour bar beside it. The tick
// of a value is placed with the same projection that places the picture, so
// a tick lies on the picture's own pixel of that value.
#pragma once

#include <cstdint>
#include <string>

#include "display/leinwand.h"
#include "display/projection.h"

namespace welvaro {

enum class Tafelart { Karte, Azimutal, Chart };

/// Where the parts of a plate lie, in device pixels.
struct Tafel {
  int breite = 0, hoehe = 0;  ///< the whole buffer
  Rahmen bild;                ///< the picture
  Rahmen balken;              ///< the colour bar (empty without scales)
  int punkt = 1;              ///< size of a font dot [px]
  bool skalen = false;
};

/// What the still parts of a plate (ground, scales, colour bar, the lines
/// over the picture) depend on: a frame with other values rebuilds them.
struct Tafelschluessel {
  int breite = -1, hoehe = -1;
  bool linien = false, skalen = false, pegel = false;
  double skala = 0;
  std::uint32_t grund = 0;
  bool operator==(const Tafelschluessel&) const = default;
};
/// The key of a frame: the size held to at least 1 x 1; the unit counts
/// only with scales (it labels the colour bar).
Tafelschluessel tafelschluessel(int breite, int hoehe, bool linien, bool skalen, bool pegel, double skala,
                                std::uint32_t grund);

/// Dot size of the scale font for a plate shown at `skala` device pixels
/// per logical pixel: two pixels per dot at 100 %.
int schriftPunkt(double skala);

/// Divides a buffer of breite x hoehe. Without scales the picture is the
/// largest one of its shape centred in the buffer: the rectangular map keeps
/// 2 : 1 between its outer pixel centres (so 1081 x 541 holds it exactly),
/// the azimuthal map is a square, the chart takes the whole buffer. With
/// scales, margins for the labels and the colour bar come off first.
Tafel tafelAufteilen(Tafelart art, int breite, int hoehe, bool skalen, int punkt);

/// Colours of the value scale: entry v (0..128) is the colour of the display
/// pictures' colour table for index v, as 0xFFRRGGBB.
const std::uint32_t* wertFarben();

/// The colour index a value of the scale shows: its whole part, held to the
/// colour table (0..128).
inline int wertIndex(float v) { return v <= 0.0f ? 0 : (v >= 128.0f ? 128 : static_cast<int>(v)); }

/// The value a colour index stands for: dBm (level) or dB(uV/m) (field).
inline int wertVonIndex(int index, bool pegel) { return pegel ? index - 127 : index - 54; }

/// Value between grid points: first along the rows `unten` and `oben`
/// (weight t), then between columns j and j + 1 (weight u), in single
/// precision and in this order, as every picture computes it.
inline float bilinear(const float* unten, const float* oben, int j, float t, float u) {
  const float a = unten[j] + t * (oben[j] - unten[j]);
  const float b = unten[j + 1] + t * (oben[j + 1] - unten[j + 1]);
  return a + u * (b - a);
}

/// The colour a text or tick is drawn in on `grund`: black on a light
/// ground, white on a dark one.
std::uint32_t schriftFarbe(std::uint32_t grund);

/// Everything of the plate but the picture: the ground around it, the colour
/// bar with its values (level in dBm or field strength in dB(uV/m)). Draws
/// into `w` through `m` (its cover is left clear).
void zeichneRand(Leinwand& w, Strichmaske& m, const Tafel& t, std::uint32_t grund, bool pegel);

/// Ticks and labels of the rectangular map: longitudes below, latitudes on
/// the left, every 30 degrees (60 or 90 when the labels would touch).
void zeichneKartenskalen(Leinwand& w, Strichmaske& m, const Tafel& t, const Kartenprojektion& p,
                         std::uint32_t grund);
/// Bearing labels around the azimuthal map, every 30 degrees.
void zeichneAzimutalskalen(Leinwand& w, Strichmaske& m, const Tafel& t, const Kartenprojektion& p,
                           std::uint32_t grund);
/// Ticks and labels of the chart: UTC hours below, MHz on the left.
void zeichneChartskalen(Leinwand& w, Strichmaske& m, const Tafel& t, const Chartprojektion& p,
                        std::uint32_t grund);

/// Label text of a longitude or latitude: "30°E", "0°", "60°S".
std::string gradBeschriftung(int grad, bool laenge);

}  // namespace welvaro
