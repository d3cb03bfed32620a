#include "lang/system_language.h"

#include <array>
#include <cstdlib>

namespace welvaro {

namespace {

constexpr int16 kGerman = 0, kEnglish = 1, kSpanish = 3, kFrench = 4;

char lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

}  // namespace

const char* systemEnvironment(const char* name) { return std::getenv(name); }

int16 languageOfLocale(std::string_view locale) {
  // "fr_FR.UTF-8@euro": the language is what stands before the territory,
  // the code set or the modifier ("fr-CA" as some systems write it).
  const std::size_t end = locale.find_first_of("_.@-");
  const std::string_view part = locale.substr(0, end);
  if (part.size() != 2) return kEnglish;
  const char a = lower(part[0]), b = lower(part[1]);
  if (a == 'd' && b == 'e') return kGerman;
  if (a == 'e' && b == 's') return kSpanish;
  if (a == 'f' && b == 'r') return kFrench;
  return kEnglish;
}

int16 systemLanguage(const EnvironmentReader& env) {
  for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
    const char* value = env ? env(name) : nullptr;
    if (value && *value) return languageOfLocale(value);
  }
  return kEnglish;
}

std::string_view languageCode(int slot) {
  static constexpr std::array<std::string_view, 6> kCodes = {"de", "en", "de", "es", "fr", "de"};
  return slot >= 0 && slot < 6 ? kCodes[static_cast<std::size_t>(slot)] : kCodes[0];
}

}  // namespace welvaro
