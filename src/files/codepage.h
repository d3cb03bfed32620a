// Conversion between the program's in-memory text (UTF-8) and the
// single-byte Windows-1252 code page of its text files (the settings file
// with its labels "Längengrad", "Verfügbarkeit(%)", "min Abstrahlwinkel(°)").
#pragma once

#include <string>
#include <string_view>

namespace welvaro {

/// Windows-1252 bytes -> UTF-8. Every one of the 256 byte values has a
/// character: 0x80..0x9F follow the code page (0x80 is the euro sign), and
/// the five bytes the code page leaves free (0x81, 0x8D, 0x8F, 0x90, 0x9D)
/// become the control characters U+0081, U+008D, U+008F, U+0090, U+009D,
/// so that every byte string survives Cp1252 -> UTF-8 -> Cp1252 unchanged.
std::string cp1252ToUtf8(std::string_view bytes);

/// UTF-8 -> Windows-1252 bytes. A letter the code page cannot hold is
/// written as its nearest plain letters, as a reader would spell it
/// ("Łódź" -> "Lodz", "Ő" -> "O", "ǘ" -> "ü", "Жуков" -> "Zhukov"); a
/// character without such a spelling (CJK, symbols, emoji) becomes a
/// question mark '?', and so does each byte of a malformed UTF-8 sequence
/// (stray continuation byte, truncated or overlong sequence, surrogate).
std::string utf8ToCp1252(std::string_view utf8);

/// The same text, still UTF-8, as the code page's files will hold it: what
/// a name shows once it is stored.
std::string codepageOnly(std::string_view utf8);

/// Replacement written for a character that Windows-1252 cannot hold.
inline constexpr char kCp1252Replacement = '?';

/// Whether `bytes` is well-formed UTF-8 (no overlong forms, no surrogates,
/// nothing above U+10FFFF).
bool isUtf8(std::string_view bytes);

}  // namespace welvaro
