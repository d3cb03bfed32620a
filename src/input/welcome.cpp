#include "input/welcome.h"

#include <charconv>
#include <cmath>
#include <cstdio>

#include "files/codepage.h"
#include "input/station.h"
#include "state/locator.h"
#include "state/numtext.h"
#include "state/station_a.h"

namespace welvaro {

namespace {

std::string trim(std::string_view t) { return std::string(trimmed(t)); }

// The whole text is one number (a decimal comma read as the point): no
// letters or other signs after it, as "48.1x" would be read by the
// number-reading rule.
bool wholeNumber(std::string_view raw, double& v) {
  const std::string t = withDecimalPoint(trim(raw));
  if (!holdsNumber(t)) return false;
  if (t.find_first_not_of("0123456789.+-") != std::string::npos) return false;
  v = ReadNumber(t);
  return true;
}

// "LAT, LON", "LAT; LON" or "LAT LON" in two parts; a comma counts as the
// separator only where it is not a decimal comma ("48,1, 11,6" or "48,1 11,6").
bool splitDegrees(std::string_view t, std::string_view& a, std::string_view& b) {
  auto at = [&](std::size_t p, std::size_t len) {
    a = t.substr(0, p);
    b = t.substr(p + len);
    return true;
  };
  if (const auto p = t.find(';'); p != std::string_view::npos) return at(p, 1);
  if (const auto p = t.find(", "); p != std::string_view::npos) return at(p, 2);
  if (const auto p = t.find(' '); p != std::string_view::npos) return at(p, 1);
  if (const auto p = t.find(','); p != std::string_view::npos && t.find(',', p + 1) == std::string_view::npos)
    return at(p, 1);
  return false;
}

}  // namespace

std::string kilowattText(std::string_view watts) {
  double w = 0;
  if (!wholeNumber(watts, w) || !(w >= kWattsMin && w <= kWattsMax)) return {};
  char buf[64];
  const auto r = std::to_chars(buf, buf + sizeof buf, w / 1000, std::chars_format::fixed);
  return std::string(buf, r.ptr);
}

std::string wattText(double kilowatts) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.9g", kilowatts * 1000);
  return buf;
}

WelcomeTexts openWelcome(const State& s) {
  return {s.OrtA, wattText(s.Zkw), PlainText(s.Sag), PlainText(s.Angm)};
}

WelcomeStation readWelcomeStation(std::string_view text, const Gazetteer& placeList, const Gazetteer& places) {
  WelcomeStation w;
  const std::string_view t = trimmed(text);
  if (t.empty()) return w;
  if (std::string_view("0123456789+-.").find(t.front()) != std::string_view::npos) {
    std::string_view a, b;
    double lat = 0, lon = 0;
    if (!splitDegrees(t, a, b) || !wholeNumber(a, lat) || !wholeNumber(b, lon) || lat < -90 || lat > 90 ||
        lon < -180 || lon > 180) {
      w.kind = WelcomeStation::Kind::BadDegrees;
      return w;
    }
    w.kind = WelcomeStation::Kind::Found;
    w.lat = lat;
    w.lon = lon;
    w.name = locatorOf(lat, lon);
    return w;
  }
  const StationLookup r = resolveStation(t, placeList, places);
  switch (r.kind) {
    case StationLookup::Kind::Found:
      w.kind = WelcomeStation::Kind::Found;
      w.lat = r.lat;
      w.lon = r.lon;
      w.takenAmong = r.takenAmong;
      w.country = r.country;
      if (r.name.empty()) {
        // A locator names the station itself, in its usual capitals.
        for (const char c : t) w.name += static_cast<char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
      } else {
        w.name = r.name;
      }
      break;
    case StationLookup::Kind::BadLocator: w.kind = WelcomeStation::Kind::BadLocator; break;
    case StationLookup::Kind::Unknown: w.kind = WelcomeStation::Kind::Unknown; break;
    case StationLookup::Kind::Ambiguous:
      w.kind = WelcomeStation::Kind::Ambiguous;
      w.candidates = r.candidates;
      break;
  }
  return w;
}

WelcomeResult applyWelcome(State& s, const WelcomeTexts& boxes, const WelcomeTexts& old, const Gazetteer& placeList,
                           const Gazetteer& places) {
  WelcomeResult e;
  auto fail = [&e](int number) {
    e.red[static_cast<std::size_t>(number - 1)] = true;
    e.flag = number;
  };
  if (trimmed(boxes[0]) != trimmed(old[0])) {
    e.station = readWelcomeStation(boxes[0], placeList, places);
    if (e.station.kind == WelcomeStation::Kind::Found) {
      s.OrtA = keptStationName(codepageOnly(e.station.name)).text;
      setStationALatitude(s, e.station.lat);
      setStationALongitude(s, static_cast<float>(e.station.lon));
      e.start = true;
    } else {
      fail(1);
    }
  }
  if (boxes[1] != old[1]) {
    const std::string kw = kilowattText(boxes[1]);
    if (kw.empty()) {
      fail(2);
    } else {
      s.Zkwa = kw;
      s.Zkw = ReadNumber(kw);
      e.start = true;
    }
  }
  double v = 0;
  if (boxes[2] != old[2]) {
    if (!wholeNumber(boxes[2], v) || !inRange(Field::Gain, withDecimalPoint(trim(boxes[2])))) {
      fail(3);
    } else {
      s.Sag = std::floor(100 * v + 0.001) / 100;
      e.start = true;
    }
  }
  if (boxes[3] != old[3]) {
    if (!wholeNumber(boxes[3], v) || !inRange(Field::Angle, withDecimalPoint(trim(boxes[3])))) {
      fail(4);
    } else {
      s.Angm = std::floor(v + 0.001);
      e.start = true;
    }
  }
  return e;
}

}  // namespace welvaro
