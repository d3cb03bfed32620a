// The language table: every window text that follows the user's language,
// by text key (0..55) and language slot (0..5). The six slots of one key lie
// next to each other: entry number 6 * key + slot.
//
// Slots: 0 German, 1 English, 2 German (key 0 empty, key 28 "&Darstellung"),
// 3 Spanish, 4 French, 5 German (key 0 empty). Only slots 0 and 1 carry a
// language-menu caption in key 0. Texts are UTF-8; a line break inside a
// text is carriage return + line feed.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "state/state.h"

namespace welvaro {

inline constexpr int kSprachSchluessel = 56;  ///< text keys 0..55
inline constexpr int kSprachSlots = 6;        ///< language slots 0..5
inline constexpr int kSprachEintraege = kSprachSchluessel * kSprachSlots;

/// The table itself, constant for the whole run, indexed by entry number.
extern const std::array<std::string_view, kSprachEintraege> SprachText;

/// Entry `nummer` (0..335) of the table. Another number raises the
/// subscript fault, as every array of the program state does.
std::string SprachEintrag(int nummer);

/// Text of key `schluessel` (0..55) in the current language `s.L` (0..5),
/// that is entry 6 * key + L. A key or language outside its range raises
/// the subscript fault instead of returning a neighbouring key's text.
std::string T(const State& s, int schluessel);

/// Month names of the current language: MonatsName(m) = T(m) for m = 1..12
/// (keys 1..12). Entry 0 stays as it is.
void fuelleMonatsNamen(State& s);

}  // namespace welvaro
