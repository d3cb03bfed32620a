// The JSON outputs of welvaro-cli (--format json), written with the JSON
// library: objects keep their keys in the order they are set, numbers are
// JSON numbers, and a text that is no valid UTF-8 (a station name typed in
// another code page) has each bad byte replaced by U+FFFD.
#pragma once

#include <string>

#include <nlohmann/json.hpp>

namespace welvaro::cli {

using Json = nlohmann::ordered_json;

/// A value as its number text shows it (7 significant digits for a single,
/// 15 for a double), as a JSON number: 0.5 for " .5", 14.2 for the single
/// 14.2; whole numbers without a decimal point.
Json plainNumber(double v);
Json plainNumber(float v);

/// A value as it is, shortest form that reads back exactly (whole numbers
/// without a decimal point).
Json exactNumber(double v);

/// `j` on one line, followed by a line end.
std::string jsonLine(const Json& j);

}  // namespace welvaro::cli
