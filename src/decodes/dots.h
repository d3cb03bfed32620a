// The heard stations as dots on the world map: for one band and a span of
// time, one dot per call at the centre of its grid, coloured by its best
// SNR in the span, with a small legend of the colours, and the read-out of
// the dots under the mouse cursor.
//
// Use in a window: after Kartenbild::render, heardDots(store.between(
// spanStartMs(end, span), end, band), ...) (kept until the store, the band,
// the span or the time shown changes), then drawMapDots(canvas,
// bild.projection(), bild.layout().picture, dots.marks, skala) over the frame;
// on a mouse move dotsUnder(dots, bild.projection(), mouse - 0.5, ...) and
// dotReadOut(...) of the first for the cursor read-out; dotLegend() for the
// legend with the title T(kTxHeardLegend).
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "decodes/store.h"
#include "display/dotlayer.h"
#include "display/projection.h"

namespace welvaro {

/// A station heard in the span.
struct HeardStation {
  std::string call;
  std::string grid;
  GridSource gridSource = GridSource::None;  ///< of the grid shown
  GeoPoint position;                ///< centre of the grid
  int snr = 0;                 ///< best SNR in the span [dB]
  std::int64_t utcMs = 0;      ///< time of that best decode [ms since 1970]
  double distanceKm = 0;       ///< from its receiver
  std::string mode;
};

/// The dots of one band: `stations[i]` is drawn as `marks[i]`, in order of
/// SNR (the strongest last, on top).
struct HeardDots {
  std::vector<HeardStation> stations;
  std::vector<MapDot> marks;
};

/// The stations among `decodes` of band `band` (-1: all) with a known
/// grid, one per call: its best SNR (the latest of equal ones), at the grid
/// of its latest located decode.
HeardDots heardDots(const std::vector<StoredDecode>& decodes, int band);

/// The SNR classes of the dots: <= -20, -19..-10, -9..0, +1..+10, > +10 dB.
struct LegendEntry {
  std::string label;  ///< "-19..-10"
  std::uint32_t colour = 0;
};
const std::array<LegendEntry, 5>& dotLegend();
/// The colour of a dot of SNR `snr` [dB].
std::uint32_t snrColour(int snr);

/// The stations whose dot lies within `radiusPx` of the pixel coordinate
/// `p`, the nearest first (the strongest of equally near ones first).
std::vector<const HeardStation*> dotsUnder(const HeardDots& dots, const MapProjection& projection, Point p,
                                           double radiusPx);

/// The read-out of a station: "DL1ABC  -12 dB  14:30 UTC  812 km"; a grid
/// taken from an earlier message is not marked here (see gridSource).
std::string dotReadOut(const HeardStation& station);

}  // namespace welvaro
