// welvaro-cli sun: where the sun stands at a UTC moment (the sub-solar
// point) and sunrise and sunset at station A and point B on that UTC date.
#include <cmath>
#include <cstdio>
#include <nlohmann/json.hpp>
#include <optional>
#include <ostream>

#include "cli/commands.h"
#include "display/sun.h"

namespace welvaro::cli {

namespace {

// "YYYY-MM-DD".
std::string isoDate(const DateTime& t) {
  char d[16];
  std::snprintf(d, sizeof d, "%04d-%02d-%02d", t.year, t.month, t.day);
  return d;
}

// Degrees to a hundredth, as they are printed.
double hundredths(double v) { return std::round(v * 100.0) / 100.0; }

int runSun(Invocation& a, const Context& k) {
  const State& s = *a.s;
  const DateTime& t = s.Zeitpunkt;
  const SolarPosition sun = solarPosition(t);
  const SunEvents ea = sunEvents(t.year, t.month, t.day, s.X1, s.Y1);
  const SunEvents eb = sunEvents(t.year, t.month, t.day, s.OrtX2, s.OrtY2);
  const auto clock = [](const std::optional<double>& m) {
    return m ? nlohmann::json(minuteText(*m)) : nlohmann::json(nullptr);
  };
  nlohmann::ordered_json j;
  j["date"] = isoDate(t);
  j["utc"] = clockText(t.hour, t.minute);
  j["sun_lat"] = hundredths(sun.subsolarLatitude);
  j["sun_lon"] = hundredths(sun.subsolarLongitude);
  j["sunrise_a"] = clock(ea.sunrise);
  j["sunset_a"] = clock(ea.sunset);
  j["sunrise_b"] = clock(eb.sunrise);
  j["sunset_b"] = clock(eb.sunset);
  if (a.format == "json") {
    k.out << j.dump() << "\n";
    return kExitOk;
  }
  // One name and value a line; "-" where the sun does not rise or set.
  for (const auto& [name, value] : j.items()) {
    k.out << name << ": ";
    if (value.is_null())
      k.out << "-";
    else if (value.is_string())
      k.out << value.get<std::string>();
    else
      k.out << value.dump();
    k.out << "\n";
  }
  return kExitOk;
}

}  // namespace

Command sunCommand() {
  return {.name = "sun",
          .options = withCommon({"--utc", "--format"}),
          .required = {"--utc"},
          .formats = {"text", "json"},
          .run = runSun};
}

}  // namespace welvaro::cli
