#include "display/point.h"

#include <algorithm>
#include <cmath>

#include "display/twips.h"
#include "input/input_rules.h"

namespace welvaro {

PointPlacement prgSetzePunkt(State& s) {
  PointPlacement position;
  position.markerLeft = markerLeft(s.OrtY2);
  position.markerTop = markerTop(s.OrtX2);

  float f = static_cast<float>(std::floor(static_cast<double>(s.CursorHoehe) * 0.074075) / 10);
  f = std::clamp(f, 1.5f, 29.9f);
  s.AktFrequenz = f;
  position.frequencyLineY = chartY(static_cast<double>(s.AktFrequenz));

  setDisplayFrequency(s, s.AktFrequenz);
  prgPointErgebnis(s);
  return position;
}

}  // namespace welvaro
