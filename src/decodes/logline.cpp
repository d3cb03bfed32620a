#include "decodes/logline.h"

#include <array>
#include <cmath>

#include "state/bands.h"
#include "state/datetime.h"

namespace welvaro {

namespace {

bool digit(char c) { return c >= '0' && c <= '9'; }
bool letter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
char upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

// The next word of `t` from `pos` on (blanks and tabs between words).
std::string_view nextWord(std::string_view t, std::size_t& pos) {
  while (pos < t.size() && (t[pos] == ' ' || t[pos] == '\t')) ++pos;
  const std::size_t from = pos;
  while (pos < t.size() && t[pos] != ' ' && t[pos] != '\t') ++pos;
  return t.substr(from, pos - from);
}

// A whole number of up to 9 digits with an optional sign.
bool readInt(std::string_view w, int& v) {
  std::size_t i = 0;
  bool neg = false;
  if (i < w.size() && (w[i] == '-' || w[i] == '+')) neg = w[i++] == '-';
  if (i == w.size() || w.size() - i > 9) return false;
  int r = 0;
  for (; i < w.size(); ++i) {
    if (!digit(w[i])) return false;
    r = r * 10 + (w[i] - '0');
  }
  v = neg ? -r : r;
  return true;
}

// A decimal number with an optional sign, digits and at most one point.
bool isDecimal(std::string_view w) {
  std::size_t i = 0;
  if (i < w.size() && (w[i] == '-' || w[i] == '+')) ++i;
  bool digits = false, point = false;
  for (; i < w.size(); ++i) {
    if (digit(w[i]))
      digits = true;
    else if (w[i] == '.' && !point)
      point = true;
    else
      return false;
  }
  return digits;
}

// MHz with up to 6 decimals as whole Hz (no floating point: 14.074 is
// exactly 14074000 Hz). At most 5 digits before the point.
bool readMhz(std::string_view w, std::int64_t& hz) {
  std::size_t i = 0;
  std::int64_t whole = 0;
  int n = 0;
  for (; i < w.size() && digit(w[i]); ++i, ++n) {
    if (n == 5) return false;
    whole = whole * 10 + (w[i] - '0');
  }
  if (n == 0) return false;
  std::int64_t frac = 0;
  int places = 0;
  if (i < w.size() && w[i] == '.') {
    for (++i; i < w.size() && digit(w[i]); ++i) {
      if (places < 6) {
        frac = frac * 10 + (w[i] - '0');
        ++places;
      }
    }
  }
  if (i != w.size()) return false;
  while (places < 6) frac *= 10, ++places;
  hz = whole * 1'000'000 + frac;
  return true;
}

int two(std::string_view w, std::size_t at) { return (w[at] - '0') * 10 + (w[at + 1] - '0'); }

// YYMMDD_HHMMSS or YYMMDD_HHMM as ms since 1970 (UTC, years 2000..2099).
bool readTime(std::string_view w, std::int64_t& ms, bool& minuteOnly) {
  if ((w.size() != 13 && w.size() != 11) || w[6] != '_') return false;
  for (std::size_t i = 0; i < w.size(); ++i)
    if (i != 6 && !digit(w[i])) return false;
  const int y = 2000 + two(w, 0), mo = two(w, 2), d = two(w, 4), h = two(w, 7), mi = two(w, 9);
  const int s = w.size() == 13 ? two(w, 11) : 0;
  if (mo < 1 || mo > 12 || d < 1 || d > daysInMonth(y, mo) || h > 23 || mi > 59 || s > 59) return false;
  ms = (daysFromCivil(y, mo, d) * 86400 + h * 3600 + mi * 60 + s) * 1000;
  minuteOnly = w.size() == 11;
  return true;
}

bool isCqWord(std::string_view w) { return w == "CQ" || w == "cq"; }

// A word after CQ that is no call: letters only (DX, NA, POTA, TEST), or a
// 3-digit number.
bool isCqModifier(std::string_view w) {
  if (w.empty()) return false;
  bool letters = true, digits = w.size() == 3;
  for (const char c : w) {
    letters = letters && letter(c);
    digits = digits && digit(c);
  }
  return letters || digits;
}

std::string_view stripBrackets(std::string_view w) {
  if (w.size() >= 2 && w.front() == '<' && w.back() == '>') w = w.substr(1, w.size() - 2);
  return w;
}

}  // namespace

bool isGrid(std::string_view w) {
  if (w.size() != 4 && w.size() != 6) return false;
  const char a = upper(w[0]), b = upper(w[1]);
  if (a < 'A' || a > 'R' || b < 'A' || b > 'R' || !digit(w[2]) || !digit(w[3])) return false;
  if (w.size() == 6) {
    const char c = upper(w[4]), d = upper(w[5]);
    if (c < 'A' || c > 'X' || d < 'A' || d > 'X') return false;
  }
  return !(w.size() == 4 && a == 'R' && b == 'R' && w[2] == '7' && w[3] == '3');
}

bool isCall(std::string_view w) {
  if (w.size() < 3 || w.size() > 13) return false;
  bool l = false, d = false;
  for (const char c : w) {
    if (letter(c))
      l = true;
    else if (digit(c))
      d = true;
    else if (c != '/')
      return false;
  }
  return l && d;
}

Sender senderOf(std::string_view message, bool wspr) {
  std::array<std::string_view, 6> w{};
  std::size_t n = 0, pos = 0;
  while (n < w.size()) {
    const std::string_view x = nextWord(message, pos);
    if (x.empty()) break;
    w[n++] = x;
  }
  std::size_t at = 0;  // index of the sender's call
  if (wspr) {
    at = 0;
  } else if (n >= 2 && isCqWord(w[0])) {
    at = 1;
    if (n >= 3 && isCqModifier(w[1])) at = 2;
  } else if (n >= 2) {
    at = 1;
  } else {
    return {};
  }
  if (at >= n) return {};
  Sender s;
  const std::string_view c = stripBrackets(w[at]);
  if (!isCall(c)) return {};
  s.call = c;
  std::size_t g = at + 1;
  if (g < n && w[g] == "R") ++g;
  if (g < n && isGrid(w[g])) s.grid = w[g];
  return s;
}

LogLineKind parseLogLine(std::string_view line, Decode& out) {
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  std::size_t pos = 0;
  const std::string_view time = nextWord(line, pos);
  const std::string_view freq = nextWord(line, pos);
  const std::string_view dir = nextWord(line, pos);
  const std::string_view mode = nextWord(line, pos);
  const std::string_view snr = nextWord(line, pos);
  const std::string_view dt = nextWord(line, pos);
  const std::string_view audio = nextWord(line, pos);
  if (!readTime(time, out.utcMs, out.minuteOnly) || !readMhz(freq, out.dialHz)) return LogLineKind::Unreadable;
  if (dir == "Tx") return LogLineKind::Transmit;
  if (dir != "Rx" || mode.empty() || mode.size() > 12) return LogLineKind::Unreadable;
  if (!readInt(snr, out.snr) || out.snr < -99 || out.snr > 99 || !isDecimal(dt) || dt.size() > 12 ||
      !readInt(audio, out.audioHz) || out.audioHz < -9999 || out.audioHz > 99999)
    return LogLineKind::Unreadable;
  while (pos < line.size() && (line[pos] == ' ' || line[pos] == '\t')) ++pos;
  std::string_view msg = line.substr(pos);
  while (!msg.empty() && (msg.back() == ' ' || msg.back() == '\t')) msg.remove_suffix(1);
  if (msg.empty()) return LogLineKind::Unreadable;
  out.mode.assign(mode);
  const Sender s = senderOf(msg, out.mode == "WSPR" || out.mode == "FST4W");
  out.message.assign(msg);
  out.call.clear();
  for (const char c : s.call) out.call += upper(c);
  out.grid.clear();
  for (const char c : s.grid) out.grid += upper(c);
  out.band = hfBandOfHz(out.dialHz);
  out.source = DecodeSource::Log;
  return s.call.empty() ? LogLineKind::NoStation : LogLineKind::Decode;
}

std::int64_t periodMs(std::string_view mode) {
  if (mode == "FT4") return 7500;
  if (mode == "WSPR" || mode == "FST4W") return 120000;
  if (mode == "JT65" || mode == "JT9" || mode == "JT4" || mode == "Q65" || mode == "FST4") return 60000;
  return 15000;
}

std::string_view modeOfCode(std::string_view code) {
  if (code == "~") return "FT8";
  if (code == "+") return "FT4";
  if (code == "#") return "JT65";
  if (code == "@") return "JT9";
  if (code == "$") return "JT4";
  if (code == ":") return "Q65";
  if (code == "&") return "MSK144";
  if (code == "`") return "FST4";
  return {};
}

}  // namespace welvaro
