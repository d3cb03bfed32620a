// The settings file "Welvaro.dat": the two stations, the link conditions,
// the time-zone correction, the display frequency, the six frequency
// memories and the language, kept across runs.
//
// Layout: exactly 22 lines, each one quoted item `"<label><value>"` ended by
// CR LF, in Windows-1252. Every label ends with ": "; numbers are written as
// number text (" 48.1", "-3.7", " 0"), so a number line shows two blanks
// after the colon. The time-zone line holds local standard time: the
// summer-time hour is taken off when writing inside the summer-time window
// and added back from the start-up flag when reading.
//
// Reading is all-or-nothing: either all 22 settings come from the file, or
// the defaults of the program state apply to all of them.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "files/fileio.h"
#include "state/datetime.h"
#include "state/state.h"

namespace welvaro {

/// File name of the settings file inside the program directory.
inline constexpr const char* kSettingsFileName = "Welvaro.dat";
/// Number of lines (settings) in the file.
inline constexpr int kSettingsLines = 22;

enum class SettingsSource {
  File,        ///< all 22 settings came from the file
  Missing,        ///< no file: defaults applied
  Unusable,  ///< file unreadable or malformed: defaults applied
};

/// Applies the start values of the stored settings (stations "München" and
/// "Madrid", 0.1 kW, 10.2 MHz ...): UTCKorr = 1 + SoZeitFlag following the
/// system's zone (the next clock tick sets it from the system), L = 0, and
/// clears DatZeile[1..22]. Other fields are left alone.
void settingsDefaults(State& s);

/// Sets the stored settings from the bytes of a settings file. Needs
/// s.SoZeitFlag (the start-up summer-time flag) and SystemStandardZone.
/// The time-zone line holds standard time: UTCKorr = value + SoZeitFlag.
/// A value equal to the system's standard zone means "the system's zone"
/// (UTCKorrFolgt = 1, so the clock keeps UTCKorr on the system's offset
/// across summer-time changes); any other value is a zone the user chose
/// (UTCKorrFolgt = 0). Returns false and changes
/// nothing when the content is unusable:
///  - fewer than 22 lines, or one of the first 22 empty (blanks only);
///  - an item of the first 22 without a colon (no label), or holding a
///    control character other than tab (binary garbage);
///  - a number too large for its field.
/// Lines after the 22nd are ignored. The language index is rounded half to
/// even and clamped into 0..5; the time zone of the file is held to -12..14
/// (the time-zone dialog's range) before the summer-time hour is added.
///
/// Content is Windows-1252; a file that is valid UTF-8 with non-ASCII
/// characters, or starts with a UTF-8 byte-order mark, is taken as UTF-8
/// (a file saved from a UTF-8 text editor).
bool readSettingsText(State& s, std::string_view content);

/// Reads the settings file at `filePath` (full path) into DatZeile[1..22]
/// and the fields; a missing, unreadable or malformed file gives the
/// defaults (settingsDefaults) for the whole record. Anything that is
/// not a regular file counts as missing and is not opened. Nothing is
/// reported to the user; the result says what happened. When the file was
/// read but refused, its bytes go to `refused` (when given).
SettingsSource readSettings(State& s, const std::string& filePath, std::string* refused = nullptr);

/// The language index of a settings file that was refused as a whole, when
/// a line "Landessprache: n" is among its first 1000 lines (rounded and
/// held to 0..5 as the reader does), so a message about the file can be
/// given in the user's language.
std::optional<int16> languageOfFile(std::string_view content);

/// The bytes of the settings file for the record, as written at `now`
/// (local date and time). The time-zone line holds standard time: the
/// system's standard zone while UTCKorr follows the system; else UTCKorr,
/// less 1 when `now` lies in [SoZeitBeginn, SoZeitEnde). The record is
/// not changed.
///
/// A double quote inside a text value would end the quoted item early and
/// a line break would shift every following line, so they are written as
/// an apostrophe and a blank; control characters are written as blanks.
/// Characters outside Windows-1252 are written as '?'.
std::string settingsText(const State& s, const DateTime& now);

/// Writes the settings file at `filePath` (full path) through replaceFile:
/// the file is replaced only once the new one is complete on disk; on any
/// error the old file stays as it was and no partial file is left behind.
FileStatus writeSettings(const State& s, const std::string& filePath, const DateTime& now);

}  // namespace welvaro
