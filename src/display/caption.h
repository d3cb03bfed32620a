// The caption of a picture: what a saved, copied or printed picture must
// say to be understood without the window around it. Frequency, UTC date
// and time, sunspot number, availability and the quantity shown; station A
// (and B) with their locators, the projection or the chart, and what the
// hatching and the grey land mean. In the language of the record, as items
// that the picture sets in as many lines as its width needs.
#pragma once

#include <string>
#include <vector>

#include "display/projection.h"
#include "state/state.h"

namespace welvaro {

/// What a world map shows besides the record: the projection, the
/// frequency and UTC minute of the frame, level or field strength, whether
/// point B and its path, the night side and land and sea are drawn.
struct MapCaptionFacts {
  Projection projection = Projection::Rectangular;
  float frequency = 10.2f;  ///< [MHz]
  int utcMinute = 0;        ///< 0..1439
  bool level = true;        ///< level [dBm], else field strength [dB(uV/m)]
  bool outlook = false;     ///< the outlook of the record's mode instead
  bool pointB = false;
  bool night = false;
  bool land = false;
};
std::vector<std::string> mapCaption(const State& s, const MapCaptionFacts& f);

/// The chart of the link A-B: level or field strength, and its frequency
/// and time lines when they are drawn (else the date alone).
struct ChartCaptionFacts {
  bool level = true;
  bool outlook = false;  ///< the outlook of the record's mode instead
  bool frequencyLine = false;
  float frequency = 10.2f;  ///< [MHz]
  bool timeLine = false;
  int utcMinute = 0;        ///< 0..1439
};
std::vector<std::string> chartCaption(const State& s, const ChartCaptionFacts& f);

/// The items set in lines of at most `width` pixels in the picture font at
/// dot size `n`, separated by a wide middle dot; an item wider than a line
/// stands in a line of its own (and is cut by the picture's edge).
std::vector<std::string> captionLines(const std::vector<std::string>& items, int width, int n);

}  // namespace welvaro
