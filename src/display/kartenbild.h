// The world map drawn at any size into a 32-bit pixel buffer (0xAARRGGBB
// per pixel, the layout of a 32-bit RGB picture): the forecast colours from
// the table in memory by the bitmap's rules, the coastlines, borders and
// graticule as antialiased lines, the night side shaded with its terminator,
// the path A-B as a great circle, and on request the scales and the colour
// bar around it. Rectangular (longitude/latitude) or azimuthal equidistant
// around station A.
//
// Values: the table is interpolated to the 19 x 36 grid of colour indices
// for the frequency and minute shown, exactly as the bitmap does
// (weltRaster); between grid points the index runs linearly in latitude and
// longitude (towards -180 again east of 170 E) and is cut to its whole
// part. The bitmap samples this same surface at its pixels.
//
// A Kartenbild keeps what depends only on the picture size and the
// projection (per-column weights, the per-pixel positions of the azimuthal
// map, the lines projected and rasterised); a frame only recolours.
//
// Use in a window: render at the widget's size in device pixels, wrap the
// buffer as a 32-bit RGB picture of breite() x hoehe() (4 x breite() bytes
// per row) and draw it; forward the mouse as ablesen(mouse x dpr - 0.5) and
// then prgKartenCursor / prgKlick (display/bildcursor.h).
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "display/leinwand.h"
#include "display/projection.h"
#include "display/tafel.h"
#include "display/worldmap.h"
#include "files/kartenlinien.h"
#include "state/state.h"

namespace welvaro {

/// What a frame of the world map shows.
struct Ansicht {
  Projektion projektion = Projektion::Rechteck;
  float frequenz = 10.2f;  ///< display frequency [MHz]
  int utcMinute = 0;       ///< UTC time shown, minute of the day 0..1439
  bool pegel = true;       ///< level [dBm], else field strength [dB(uV/m)]
  bool greyline = false;   ///< night side shaded, terminator drawn
  bool pfad = false;       ///< path A-B as its great circle, A and B marked
  bool linien = true;      ///< coastlines, borders, graticule (rings and bearings)
  bool skalen = false;     ///< scales and colour bar around the picture
  double skala = 1.0;      ///< device pixels per logical pixel: line widths, marks, font
  std::uint32_t grund = 0xFFFFFFFFu;  ///< colour around the picture
};

/// What lies under a point of the picture.
struct KartenAblesung {
  Ort ort;                 ///< position
  double peilung = 0;      ///< bearing from station A [deg], 0..360
  double abstandKm = 0;    ///< distance from station A [km]
  int farbIndex = 0;       ///< colour index 0..108 of the value shown there
  double wert = 0;         ///< that value: level [dBm] or field strength [dB(uV/m)]
};

/// The sub-solar point at minute `utcMinute` of the UTC day: latitude the
/// solar declination `dekl` [rad], longitude 0 at 12:00 UTC moving 15
/// degrees west per hour, as the greyline is shifted. The night side is the
/// half of the earth more than a quarter turn from it.
Ort sonnenpunkt(float dekl, int utcMinute);

class Kartenbild {
 public:
  /// The lines to draw; they must outlive the Kartenbild. Null or empty:
  /// the map is drawn without coastlines and borders.
  void setzeLinien(const Kartenlinien* linien);

  /// Draws a frame of breite x hoehe device pixels (at least 1 x 1) from the
  /// table (Weltfeld/Weltpegel), station A (X1, Y1), point B (OrtX2, OrtY2),
  /// the path setting P and the solar declination Dekl. Returns the buffer,
  /// valid until the next call; no allocation unless the size, projection,
  /// station A, scales or line data changed.
  const std::uint32_t* render(const State& s, const Ansicht& a, int breite, int hoehe);

  const std::uint32_t* pixel() const { return puffer_.data(); }
  int breite() const { return tafel_.breite; }
  int hoehe() const { return tafel_.hoehe; }
  /// Placement of the last frame: the projection (positions <-> pixels) and
  /// the plate (picture, colour bar).
  const Kartenprojektion& projektion() const { return proj_; }
  const Tafel& tafel() const { return tafel_; }
  /// The colour indices of the last frame's grid.
  const Weltgitter& gitter() const { return gitter_; }

  /// The read-out at a pixel coordinate (mouse position - 0.5) over the last
  /// frame; none outside the map. The value is the one whose colour the
  /// picture shows there.
  std::optional<KartenAblesung> ablesen(const State& s, Punkt p) const;

 private:
  struct Schluessel {
    Tafelschluessel tafel;
    Projektion projektion = Projektion::Rechteck;
    double mitteB = 0, mitteL = 0;  // station A, the centre of the azimuthal map
    const Kartenlinien* daten = nullptr;
    std::size_t datenPunkte = 0;
    bool operator==(const Schluessel&) const = default;
  };
  // Per disc pixel of the azimuthal map: its grid cell, the weights in it and
  // its direction from the earth's centre (for the night shading).
  struct Scheibenpixel {
    std::uint16_t zelle;  // band x 37 + column
    std::int16_t ex, ey, ez;
    float t, u;
  };
  struct Randpixel {
    std::uint32_t index;
    std::uint8_t deckung;
  };

  void aufbauen(const State& s, const Ansicht& a, const Schluessel& k);
  void statischeLinien(const Ansicht& a);
  void rendereRechteck(const Ansicht& a, const float (&werte)[19][37]);
  void rendereAzimutal(const Ansicht& a, const float (&werte)[19][37]);
  void setzeSonne(const State& s, const Ansicht& a);
  void zeichneTerminator(const Ansicht& a);
  void zeichnePfad(const State& s, const Ansicht& a);
  void zeichneMarke(Ort o, const char* name, const Ansicht& a);
  Leinwand leinwand() { return {puffer_.data(), tafel_.breite, tafel_.hoehe}; }

  const Kartenlinien* daten_ = nullptr;
  Schluessel schluessel_;
  Tafel tafel_;
  Kartenprojektion proj_;
  std::vector<std::uint32_t> puffer_;
  std::vector<std::uint32_t> grundbild_;  // the plate without a frame (azimuthal: around the disc)
  Strichmaske maske_;
  Deckschicht linienSchicht_;
  std::vector<std::uint32_t> sammel_;
  // Rectangular map: the first picture column of each grid column's segment
  // (37: the end), per picture column the weight in its segment, its
  // longitude and the cosine of its distance from the sub-solar longitude;
  // the colour table entries of the row being made.
  std::vector<int> segment_;
  std::vector<float> spalteU_, spalteCos_;
  std::vector<double> spalteLaenge_;
  std::vector<std::uint16_t> zeileFarbe_;
  // Azimuthal map.
  std::vector<Scheibenpixel> scheibe_;
  std::vector<std::uint32_t> zeileVon_, zeileBis_;  // a row's disc pixels: [von, bis) of scheibe_
  std::vector<std::int32_t> zeileX0_;               // and the picture column of the first
  std::vector<Randpixel> rand_;
  // Colours of the 129 indices, darkened in 33 steps towards the night.
  std::vector<std::uint32_t> farben_;
  std::vector<Ort> bogen_;  // scratch points of a great circle
  Weltgitter gitter_{};
  float werte_[19][37]{};  // gitter_ with 180 E (= 180 W) as column 36
  Ort sonne_;                           // the sub-solar point
  double sonneXYZ_[3] = {0, 0, 0};      // its direction from the earth's centre
  double sinDekl_ = 0, cosDekl_ = 1;
  bool pegel_ = true;  // unit of the last frame's values
};

}  // namespace welvaro
