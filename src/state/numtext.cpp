#include "state/numtext.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>

namespace welvaro {

namespace {

// Shortest decimal form of |v| with at most `digits` significant digits,
// the way %G does it (exponent form below 1E-4 and from 10^digits on),
// without a zero before the point.
std::string magnitudeText(double v, int digits) {
  char buf[64];
  auto r = std::to_chars(buf, buf + sizeof buf, std::fabs(v), std::chars_format::general, digits);
  std::string s(buf, r.ptr);
  for (char& c : s)
    if (c == 'e') c = 'E';
  if (s.size() > 1 && s[0] == '0' && s[1] == '.') s.erase(0, 1);
  return s;
}

std::string numberText(double v, int digits) {
  if (v == 0.0 || std::isnan(v)) return " 0";
  if (std::isinf(v)) return v < 0 ? "-1.#INF" : " 1.#INF";
  return (v < 0 ? "-" : " ") + magnitudeText(v, digits);
}

}  // namespace

std::string NumberText(double v) { return numberText(v, 15); }
std::string NumberText(float v) { return numberText(static_cast<double>(v), 7); }
std::string PlainText(double v) {
  std::string s = NumberText(v);
  return s[0] == ' ' ? s.substr(1) : s;
}
std::string PlainText(float v) {
  std::string s = NumberText(v);
  return s[0] == ' ' ? s.substr(1) : s;
}

double ReadNumber(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  std::string num;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
    if (text[i] == '-') num += '-';
    ++i;
  }
  bool anyDigit = false;
  while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
    num += text[i++];
    anyDigit = true;
  }
  if (i < text.size() && text[i] == '.') {
    num += text[i++];
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
      num += text[i++];
      anyDigit = true;
    }
  }
  if (!anyDigit) return 0.0;
  // from_chars wants a digit before the point.
  std::string clean;
  std::size_t p = 0;
  if (!num.empty() && num[0] == '-') {
    clean = "-";
    p = 1;
  }
  if (p < num.size() && num[p] == '.') clean += '0';
  clean.append(num, p, std::string::npos);
  if (clean.back() == '.') clean.pop_back();
  double v = 0.0;
  auto r = std::from_chars(clean.data(), clean.data() + clean.size(), v);
  if (r.ec == std::errc::result_out_of_range) {
    // Out of range with no whole part (".000...1" with hundreds of zeros) is
    // an underflow and reads as 0; with one, the number is too large.
    const std::size_t wholePrefix = clean[0] == '-' ? 1 : 0;
    const std::size_t point = std::min(clean.find('.'), clean.size());
    if (clean.find_first_not_of('0', wholePrefix) >= point) return 0.0;
    return clean[0] == '-' ? -HUGE_VAL : HUGE_VAL;
  }
  if (r.ec != std::errc()) return 0.0;
  return v == 0.0 ? 0.0 : v;
}

}  // namespace welvaro
