// The outlook in welvaro-cli's outputs: the JSON members of a point or a
// band's hour, and the words and symbols of the text and CSV forms.
#pragma once

#include <string>

#include <nlohmann/json.hpp>

#include "outlook/outlook.h"
#include "state/state.h"

namespace welvaro::cli {

/// The members snr_db_hz, required_db_hz, margin_db (at the availability
/// index `a`, 0..2, the one chosen) and outlook ("good", "fair", "poor",
/// "closed"); decibels to a tenth. Without a value (`valid` false) the
/// numbers and the outlook are null, required_db_hz is still given.
nlohmann::ordered_json outlookMembers(const OutlookValue& v, int a, bool valid, double requiredDbHz);

/// The members of `object` in the layout of the hand-written JSON lines:
/// ", \"key\": value" for each, in order.
std::string jsonMembers(const nlohmann::ordered_json& object);

/// A number of decibels to a tenth, as the outputs give it.
double tenth(double db);

/// The heading of an outlook output: "Outlook for FT8 (13 dB-Hz needed),
/// residential noise; ● good  ◐ fair  ○ poor  – closed".
std::string outlookHeading(const State& s);

}  // namespace welvaro::cli
