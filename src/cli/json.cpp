#include "cli/json.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <string_view>

#include "state/numtext.h"

namespace welvaro::cli {

Json exactNumber(double v) {
  // Below 2^53 every whole double is an exact integer.
  if (std::isfinite(v) && v == std::floor(v) && std::fabs(v) < 9007199254740992.0)
    return static_cast<std::int64_t>(v);
  return v;  // the library writes the shortest form that reads back exactly; NaN as null
}

namespace {

// The value of a number text: ".5", "-.125", "1E-05".
Json fromText(std::string_view t) {
  const bool negative = !t.empty() && t.front() == '-';
  if (negative) t.remove_prefix(1);
  std::string digits;
  if (!t.empty() && t.front() == '.') digits += '0';  // the reader wants a digit before the point
  digits += t;
  double v = 0;
  std::from_chars(digits.data(), digits.data() + digits.size(), v);
  return exactNumber(negative ? -v : v);
}

}  // namespace

Json plainNumber(double v) { return std::isfinite(v) ? fromText(PlainText(v)) : Json(); }

Json plainNumber(float v) { return std::isfinite(v) ? fromText(PlainText(v)) : Json(); }

std::string jsonLine(const Json& j) {
  return j.dump(-1, ' ', false, Json::error_handler_t::replace) + "\n";
}

}  // namespace welvaro::cli
