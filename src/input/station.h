// Stations as radio amateurs name them: by a Maidenhead locator or by the
// name of a place. welvaro-cli --a/--b and the station dialogs share these
// rules; the dialogs only bind them to their boxes.
//
// A name is looked up in the place list first (the places the map names,
// Ortsvorg.txt) and then in the gazetteer (Orte.dat, the larger list for
// searching). A name that only one place of the place list bears is that
// place, so "Paris" is the capital and "Tokyo" has exactly the position the
// place list gives it, whatever smaller places of the same name the
// gazetteer knows. A name the place list does not settle is looked up in
// the gazetteer. A country code after a comma narrows the search:
// "Paris, US".
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "files/programdir.h"
#include "input/eingabe.h"
#include "state/ortsuche.h"
#include "state/state.h"

namespace welvaro {

/// Most candidates a message lists.
inline constexpr std::size_t kKandidatenMax = 10;

/// The place list of the state (places 1..OrtZahl: OrtName, OrtKennung as
/// the country, OrtBreite, OrtLaenge) as a searchable list in its order.
/// Each single-precision position is taken as the shortest decimal that
/// gives it back, the number the file holds (35.6895, not 35.6894989).
Gazetteer ortslistenGazetteer(const State& s);

/// The two lists a name is looked up in.
struct Ortsverzeichnis {
  Gazetteer ortsliste;  ///< the place list ("Ortsvorg.txt")
  Gazetteer orte;       ///< the gazetteer ("Orte.dat"); empty when there is none
};

/// The place list of `s` and the gazetteer of the data folders.
Ortsverzeichnis ortsverzeichnis(const State& s, const ProgramDirs& dirs);
/// The same with the place list read from the data folders as well.
Ortsverzeichnis ortsverzeichnisAusDateien(const ProgramDirs& dirs);

/// A station given by a locator or a place name.
struct StationsOrt {
  enum class Art {
    Gefunden,    ///< breite, laenge (and name when it was a place)
    KeinLocator, ///< a malformed locator ("JN58TZZ")
    Unbekannt,   ///< no place bears the name
    Mehrdeutig,  ///< several places fit: kandidaten
  };
  Art art = Art::Unbekannt;
  double breite = 0;
  double laenge = 0;
  std::string name;     ///< the place's name as found ("München" for "munchen"); empty for a locator
  std::string meldung;  ///< what went wrong, in English; empty when found
  std::vector<Treffer> kandidaten;  ///< up to kKandidatenMax places that fit, exact names first, by rank
  std::size_t kandidatenZahl = 0;   ///< how many places fit in all
};

/// Reads a station from text: a Maidenhead locator (the centre of its
/// square), or a place name, optionally followed by ", CC" (country code):
/// exactly one place bearing the name (in the place list, else in the
/// gazetteer), or - with `eindeutigerAnfang` - the only place whose name or
/// one of its words begins with the text. Names are compared in their
/// search form (case, accents, apostrophes and hyphens do not count).
/// Numbers are not read here.
StationsOrt resolveStation(std::string_view text, const Gazetteer& ortsliste, const Gazetteer& orte,
                           bool eindeutigerAnfang = true);

/// The message for a station that was not found, in English: what is wrong,
/// what may be given instead and, when several places fit, the candidates
/// one per line ("  Valencia, ES (39.46975, -0.37739)").
std::string stationsMeldung(const StationsOrt& r);

// ---- The station dialogs ------------------------------------------------------

/// Like zeichenErlaubt, with the letters of a locator (A..X in either case)
/// also allowed in the latitude and longitude boxes.
bool zeichenErlaubtMitLocator(Feld f, int zeichen);
/// Whether every character of `text` (typed or pasted) may stand in such a box.
bool textErlaubtMitLocator(Feld f, std::string_view text);

/// What a latitude or longitude box holds.
struct PositionsFeld {
  enum class Art {
    Leer,     ///< nothing typed
    Zahl,     ///< a number in the box's range: wert
    Locator,  ///< a locator: breite, laenge of its centre, and the texts for both boxes
    Falsch,   ///< a malformed locator or a number out of range: meldung for the tool tip
  };
  Art art = Art::Leer;
  double wert = 0;
  double breite = 0, laenge = 0;
  std::string breiteText, laengeText;  ///< Locator: number texts of the centre for the two boxes
  std::string meldung;
};
/// Reads the latitude box (Feld::Breite) or the longitude box (Feld::Laenge):
/// a locator when the text looks like one (istLocatorVersuch), else a number
/// by the box's check (imBereich).
PositionsFeld lesePositionsfeld(Feld f, std::string_view text);

/// The six-character locator of the position the two boxes give as they are
/// typed: from the numbers of both, or from a locator in either; empty while
/// they give no position.
std::string locatorZuFeldern(std::string_view breiteText, std::string_view laengeText);

/// Completion of a typed name: up to `hoechstens` places from the gazetteer
/// (from the place list when there is no gazetteer), as Gazetteer::suche
/// orders them. Show them with trefferText.
std::vector<Treffer> ortsVorschlaege(std::string_view getippt, const Gazetteer& ortsliste, const Gazetteer& orte,
                                     std::size_t hoechstens = kKandidatenMax);

/// The texts of the name, latitude and longitude boxes for a place chosen
/// from the completion (positions as number texts).
struct OrtsFelder {
  std::string name, breite, laenge;
};
OrtsFelder ortsFelder(const Treffer& t);

/// OK of a station dialog, before its boxes are checked: when the name was
/// changed while both coordinate boxes still show their texts at opening,
/// and the name is a locator or the exact name of a place, the boxes are to
/// get that position.
struct NameBeimOk {
  enum class Art {
    Nichts,       ///< nothing to do: the name is only a label
    Position,     ///< felder: the name box (place's own spelling) and the two coordinate boxes
    KeinLocator,  ///< the name is a malformed locator (red marker, tool tip)
    Mehrdeutig,   ///< several places bear the name: kandidaten (red marker, tool tip)
  };
  Art art = Art::Nichts;
  OrtsFelder felder;
  std::vector<Treffer> kandidaten;
};

NameBeimOk nameBeimOk(std::string_view name, std::string_view nameBeimOeffnen, bool koordinatenWieBeimOeffnen,
                      const Gazetteer& ortsliste, const Gazetteer& orte);

}  // namespace welvaro
