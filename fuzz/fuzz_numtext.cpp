// The number-reading rule from arbitrary bytes, checked against the C
// library's own decimal reader on the prefix the rule takes, and number
// text of arbitrary doubles and singles read back by the rule.
#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "fuzz_check.h"
#include "state/numtext.h"

using namespace welvaro;

namespace {

bool digit(char c) { return c >= '0' && c <= '9'; }

// The prefix the rule reads, as strtod takes it: blanks, sign, digits,
// point, digits. Empty when the text does not begin with a number.
std::string numberPart(std::string_view t) {
  std::size_t i = 0;
  while (i < t.size() && t[i] == ' ') ++i;
  std::string z;
  if (i < t.size() && (t[i] == '-' || t[i] == '+')) z += t[i++];
  bool digits = false;
  while (i < t.size() && digit(t[i])) z += t[i++], digits = true;
  if (i < t.size() && t[i] == '.') {
    z += t[i++];
    while (i < t.size() && digit(t[i])) z += t[i++], digits = true;
  }
  return digits ? z : std::string();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);

  const double v = ReadNumber(text);
  FUZZ_CHECK(!std::isnan(v));
  const std::string z = numberPart(text);
  if (z.empty()) {
    FUZZ_CHECK(v == 0.0 && !std::signbit(v));
  } else {
    // strtod in the "C" locale: correctly rounded, underflow to (signed)
    // zero or the smallest subnormals, overflow to infinity.
    const double expected = std::strtod(z.c_str(), nullptr);
    FUZZ_CHECK(v == expected);
  }

  // Number text of the first bytes as a double and as a single: no
  // locale, never empty, and read back by the rule to the value it shows
  // (exponent forms are read up to the 'E', so only plain forms are checked).
  if (size >= sizeof(double)) {
    double d;
    std::memcpy(&d, data, sizeof d);
    const std::string t = NumberText(d);
    FUZZ_CHECK(t.size() >= 2 && (t[0] == ' ' || t[0] == '-'));
    FUZZ_CHECK(t.find(',') == std::string::npos);
    if (std::isfinite(d) && t.find('E') == std::string::npos) {
      const double r = ReadNumber(t);
      FUZZ_CHECK(r == d || std::fabs(r - d) <= std::fabs(d) * 1e-14);
    }
  }
  if (size >= sizeof(float)) {
    float f;
    std::memcpy(&f, data + size - sizeof f, sizeof f);
    const std::string t = NumberText(f);
    FUZZ_CHECK(t.size() >= 2 && (t[0] == ' ' || t[0] == '-'));
    if (std::isfinite(f) && t.find('E') == std::string::npos) {
      const double r = ReadNumber(t);
      FUZZ_CHECK(static_cast<float>(r) == f || std::fabs(r - f) <= std::fabs(static_cast<double>(f)) * 1e-6);
    }
  }
  return 0;
}
