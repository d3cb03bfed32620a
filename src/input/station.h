// Stations as radio amateurs name them: by a Maidenhead locator or by the
// name of a place. welvaro-cli --a/--b and the station dialogs share these
// rules; the dialogs only bind them to their boxes.
//
// A name is looked up in the place list (the places the map names,
// Ortsvorg.txt) and the gazetteer (Orte.dat, the larger list for
// searching) together, as input/place_names.h tells: the only place of the
// name, or one with ten times the inhabitants of the next, is the place
// meant, so "Paris" is the capital and "St. Petersburg" the Russian city;
// a place both lists hold has exactly the position the place list gives
// it ("Tokyo"). Common spellings count as one (St./Saint/Sankt,
// Moscow/Moskva/Moskau, Kiev/Kyiv). A country code after a comma narrows
// the search in both lists: "Paris, US", "St. Petersburg, RU".
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "files/datafiles.h"
#include "files/programdir.h"
#include "input/input_rules.h"
#include "state/place_search.h"
#include "state/state.h"

namespace welvaro {

/// Most candidates a message lists.
inline constexpr std::size_t kCandidatesMax = 10;

/// The place list of the state (places 1..OrtZahl: OrtName, OrtKennung as
/// the country, OrtBreite, OrtLaenge) as a searchable list in its order.
/// Each single-precision position is taken as the shortest decimal that
/// gives it back, the number the file holds (35.6895, not 35.6894989).
Gazetteer placeListGazetteer(const State& s);

/// The two lists a name is looked up in.
struct PlaceIndex {
  Gazetteer placeList;  ///< the place list ("Ortsvorg.txt")
  Gazetteer places;       ///< the gazetteer ("Orte.dat"); empty when there is none
  DataFileStatus placeListStatus;  ///< how the place list was read (read: taken from the state)
  DataFileStatus gazetteerStatus;  ///< how the gazetteer was read
  /// The first of the two files that is damaged or unreadable, if any.
  const DataFileStatus* broken() const;
};

/// The place list of `s` and the gazetteer of the data folders.
PlaceIndex placeIndex(const State& s, const ProgramDirs& dirs);
/// The same with the place list read from the data folders as well.
PlaceIndex placeIndexFromFiles(const ProgramDirs& dirs);

/// A station given by a locator or a place name.
struct StationLookup {
  enum class Kind {
    Found,    ///< breite, laenge (and name when it was a place)
    BadLocator, ///< a malformed locator ("JN58TZZ")
    Unknown,   ///< no place bears the name
    Ambiguous,  ///< several places fit: kandidaten
  };
  Kind kind = Kind::Unknown;
  double lat = 0;
  double lon = 0;
  std::string name;     ///< the place's name as found ("München" for "munchen"); empty for a locator
  std::string country;  ///< the place's country (ISO code); empty for a locator
  std::size_t takenAmong = 0;  ///< when several places bear the name: how many (the one taken is by far the largest)
  std::string message;  ///< what went wrong, in English; empty when found
  std::vector<Match> candidates;  ///< up to kCandidatesMax places that fit, exact names first, by rank
  std::size_t candidateCount = 0;   ///< how many places fit in all
};

/// Reads a station from text: a Maidenhead locator (the centre of its
/// square), or a place name, optionally followed by ", CC" (country code):
/// the place of both lists bearing the name, or the one with ten times
/// the inhabitants of any other (takenAmong then says of how many); else
/// the same for the places whose name holds the text as whole words; or -
/// with `uniquePrefix` - the only place whose name or one of its words
/// begins with the text. Names are compared in their search form (case,
/// accents, apostrophes and hyphens do not count) and in their common
/// spellings (input/place_names.h). Numbers are not read here.
StationLookup resolveStation(std::string_view text, const Gazetteer& placeList, const Gazetteer& places,
                           bool uniquePrefix = true);

/// For a station taken as the largest of several places of its name, in
/// English: "taken as Saint Petersburg, RU (59.93863, 30.31413), by far
/// the largest of 3 places of that name (...)"; empty otherwise.
std::string takenNote(const StationLookup& r);

/// The message for a station that was not found, in English: what is wrong,
/// what may be given instead and, when several places fit, the candidates
/// one per line ("  Valencia, ES (39.46975, -0.37739)").
std::string stationMessage(const StationLookup& r);

// ---- The station dialogs ------------------------------------------------------

/// Like charAllowed, with the letters of a locator (A..X in either case)
/// also allowed in the latitude and longitude boxes.
bool charAllowedWithLocator(Field f, int character);
/// Whether every character of `text` (typed or pasted) may stand in such a box.
bool textAllowedWithLocator(Field f, std::string_view text);

/// What a latitude or longitude box holds.
struct PositionBox {
  enum class Kind {
    Empty,     ///< nothing typed
    Number,     ///< a number in the box's range: wert
    Locator,  ///< a locator: breite, laenge of its centre, and the texts for both boxes
    Invalid,   ///< a malformed locator or a number out of range: meldung for the tool tip
  };
  Kind kind = Kind::Empty;
  double value = 0;
  double lat = 0, lon = 0;
  std::string latText, lonText;  ///< Locator: number texts of the centre for the two boxes
  std::string message;
};
/// Reads the latitude box (Feld::Latitude) or the longitude box (Feld::Longitude):
/// a locator when the text looks like one (looksLikeLocator), else a number
/// by the box's check (inRange).
PositionBox readPositionBox(Field f, std::string_view text);

/// The six-character locator of the position the two boxes give as they are
/// typed: from the numbers of both, or from a locator in either; empty while
/// they give no position.
std::string locatorOfBoxes(std::string_view latText, std::string_view lonText);

/// Completion of a typed name: up to `atMost` places from the gazetteer
/// (from the place list when there is no gazetteer), as Gazetteer::search
/// orders them. Show them with matchText.
std::vector<Match> placeSuggestions(std::string_view typed, const Gazetteer& placeList, const Gazetteer& places,
                                     std::size_t atMost = kCandidatesMax);

/// The lines of the completion list for `matches` found in `list`: each
/// place as matchText gives it; a place whose name and country another
/// line bears as well ("Springfield, US" ten times) is told apart by the
/// nearest more populous place of `list` of another name, in `nearFormat`
/// ("near %1"). The gazetteer knows no states or counties.
std::vector<std::string> suggestionTexts(const std::vector<Match>& matches, const Gazetteer& list,
                                         std::string_view nearFormat);

/// The name box after a locator was typed into a position box: a name
/// still as it was at opening belonged to the old position and gives way
/// to the locator (in capitals); a name the user typed stays.
std::string nameAfterLocator(std::string_view nameBox, std::string_view nameAtOpening, std::string_view locator);

/// The texts of the name, latitude and longitude boxes for a place chosen
/// from the completion (positions as number texts).
struct PlaceBoxes {
  std::string name, lat, lon;
};
PlaceBoxes placeBoxes(const Match& t);

/// OK of a station dialog, before its boxes are checked: when the name was
/// changed while both coordinate boxes still show their texts at opening,
/// and the name is a locator or the exact name of a place, the boxes are to
/// get that position.
struct NameAtOk {
  enum class Kind {
    None,       ///< nothing to do: the name is only a label
    Position,     ///< felder: the name box (place's own spelling) and the two coordinate boxes
    BadLocator,  ///< the name is a malformed locator (red marker, tool tip)
    Ambiguous,   ///< several places bear the name: kandidaten (red marker, tool tip)
  };
  Kind kind = Kind::None;
  PlaceBoxes fields;
  std::vector<Match> candidates;
  /// Position taken as the largest of several places of the name: the
  /// place ("Saint Petersburg, RU (59.93863, 30.31413)") and how many bear
  /// the name, for the dialog's hint; empty and 0 otherwise.
  std::string taken;
  std::size_t takenAmong = 0;
};

NameAtOk nameAtOk(std::string_view name, std::string_view nameAtOpening, bool coordinatesAsOpened,
                      const Gazetteer& placeList, const Gazetteer& places);

}  // namespace welvaro
