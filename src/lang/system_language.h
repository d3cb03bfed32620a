// The user's language as the system names it, for a first start without a
// settings file: the locale variables LC_ALL, LC_MESSAGES and LANG, in that
// order, the first that is set and not empty. Its language part (the letters
// before "_", ".", "@" or "-") chooses German, English, Spanish or French;
// any other language, "C" and "POSIX" choose English.
#pragma once

#include <functional>
#include <string_view>

#include "state/state.h"

namespace welvaro {

/// Reads one environment variable: its value, or nullptr when it is not
/// set (the contract of std::getenv). Tests pass their own table.
using EnvironmentReader = std::function<const char*(const char*)>;

/// The process's own environment (std::getenv).
const char* systemEnvironment(const char* name);

/// The language slot (0 German, 1 English, 3 Spanish, 4 French) of one
/// locale value such as "fr_FR.UTF-8", "de", "es_MX" or "C.UTF-8". Upper or
/// lower case does not matter; anything not German, Spanish or French is
/// English.
int16 languageOfLocale(std::string_view locale);

/// The language slot the system's locale asks for: the first of LC_ALL,
/// LC_MESSAGES and LANG that is set and not empty decides; none of them set
/// means English.
int16 systemLanguage(const EnvironmentReader& env);

/// The two-letter code of language slot `slot` ("de", "en", "de", "es",
/// "fr", "de"); a slot outside 0..5 gives "de", the program's start language.
std::string_view languageCode(int slot);

}  // namespace welvaro
