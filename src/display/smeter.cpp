#include "display/smeter.h"

#include <algorithm>

namespace welvaro {

namespace {

constexpr int kFull = 108;  // SmeterWert of a full bar (-19 dBm)

}  // namespace

double smeterPosition(int value, int width) {
  return std::clamp(value, 0, kFull) * static_cast<double>(std::max(0, width)) / kFull;
}

std::vector<SmeterMark> smeterMarks(int width) {
  // S-unit s is -73 - 6 (9 - s) dBm, that is SmeterWert 6 s.
  struct Value {
    int value;
    const char* text;
  };
  static constexpr Value kValues[] = {{6, "1"}, {18, "3"}, {30, "5"}, {42, "7"}, {54, "S9"}, {74, "+20"}, {94, "+40"}};
  std::vector<SmeterMark> m;
  for (const Value& v : kValues) m.push_back({v.value, v.text, smeterPosition(v.value, width)});
  return m;
}

}  // namespace welvaro
