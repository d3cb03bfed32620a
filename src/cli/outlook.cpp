#include "cli/outlook.h"

#include <cmath>

#include "state/numtext.h"

namespace welvaro::cli {

double tenth(double db) { return std::round(db * 10) / 10 + 0.0; }  // + 0.0: never "-0"

nlohmann::ordered_json outlookMembers(const OutlookValue& v, int a, bool valid, double requiredDbHz) {
  nlohmann::ordered_json j;
  const auto k = static_cast<std::size_t>(a);
  j["snr_db_hz"] = valid ? nlohmann::ordered_json(tenth(v.snrDbHz.at(k))) : nlohmann::ordered_json();
  j["required_db_hz"] = requiredDbHz;
  j["margin_db"] = valid ? nlohmann::ordered_json(tenth(v.marginDb.at(k))) : nlohmann::ordered_json();
  j["outlook"] = valid ? nlohmann::ordered_json(std::string(outlookWord(v.outlook))) : nlohmann::ordered_json();
  return j;
}

std::string jsonMembers(const nlohmann::ordered_json& object) {
  std::string t;
  for (const auto& [key, value] : object.items()) t += ", " + nlohmann::ordered_json(key).dump() + ": " + value.dump();
  return t;
}

std::string outlookHeading(const State& s) {
  const Noise n = noiseEnvironment(s);
  const std::string noise = n == Noise::MyNoiseFloor ? "noise floor " + PlainText(s.NoiseFloor) + " dBm in 2500 Hz"
                                                     : noiseWord(s) + " noise";
  std::string t = "Outlook for " + std::string(outlookMode(s) == Mode::Custom ? "the custom mode" : modeName(s)) +
                  " (" + PlainText(requiredSnr(s)) + " dB-Hz needed), " + noise + ";";
  for (const Outlook o : {Outlook::Good, Outlook::Fair, Outlook::Poor, Outlook::Closed})
    t += "  " + std::string(outlookSymbol(o)) + " " + std::string(outlookWord(o));
  return t;
}

}  // namespace welvaro::cli
