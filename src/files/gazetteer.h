// The gazetteer "Orte.dat": the places of 15000 inhabitants or more, most
// populous first, with the names they are searched by, their country and
// position. It comes with the program beside the place list, only for
// finding stations by name; the place list stays what the map names.
//
// Layout (integers little-endian):
//   8 bytes  "WelvOrte"
//   1 byte   version, 1 or 2
//   4 bytes  number of places (version 2: at least 1)
//   per place:
//     2 bytes  country code, letters A..Z
//     4 bytes  latitude, signed, in 1/100000 degree (-9000000 .. 9000000)
//     4 bytes  longitude, signed, in 1/100000 degree (-18000000 .. 18000000)
//     4 bytes  version 2 only: number of inhabitants, at least 1
//     1 byte   number of names, 1 .. 8 (the place's own name first)
//     per name: 1 byte length 1 .. 255, then the name in UTF-8
// and nothing after the last place. A file of version 1 knows no
// populations: names several places bear are then never settled by size.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "files/programdir.h"
#include "files/read_limits.h"
#include "state/place_search.h"

namespace welvaro {

inline constexpr std::string_view kGazetteerFile = "Orte.dat";

/// Most places and bytes a gazetteer may have; a file beyond them is refused
/// before anything is read into memory.
inline constexpr std::uint32_t kGazetteerMax = 1000000;
inline constexpr std::uintmax_t kGazetteerFileMax = kGazetteerReadLimit;

/// The places of a gazetteer file's bytes, or nothing when the bytes do not
/// follow the layout (wrong mark or version, cut short, a count the bytes
/// cannot hold, a name that is empty, not UTF-8 or holds control
/// characters, a country that is not two capitals, a position off the
/// earth, a population of 0 or no places in a file of version 2, bytes
/// after the last place); `problem` then says what is wrong.
std::optional<std::vector<PlaceEntry>> parseGazetteer(std::string_view bytes, std::string* problem = nullptr);

/// The bytes of a gazetteer file holding `places` (positions rounded to
/// 1/100000 degree). Places without a name, with a country that is not two
/// capitals, more than 8 names or a name longer than 255 bytes are left out.
/// Version 2 with the populations when every place written has one,
/// otherwise version 1 without them.
std::string gazetteerBytes(const std::vector<PlaceEntry>& places);

/// Reads a gazetteer file. A missing file, one that is not a regular file,
/// is larger than kGazetteerFileMax or does not follow the layout gives an
/// empty gazetteer: names are then looked up in the place list only.
/// `problem` (when given) receives why a file that exists was not used.
Gazetteer readGazetteerFile(const std::filesystem::path& file, std::string* problem = nullptr);

}  // namespace welvaro
