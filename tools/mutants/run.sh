#!/usr/bin/env bash
# Mutation check of the core tests: each mutation in the table below is made
# alone in a scratch copy of the tree, core_tests is built and run, and the
# mutation counts as caught when a test fails (or the run hangs past the
# time limit). The files of the working tree are never touched.
#
#   tools/mutants/run.sh            every mutation
#   tools/mutants/run.sh --named    the group that once went unnoticed
#   tools/mutants/run.sh NAME ...   only these (names or patterns: 'prefs-*')
#   tools/mutants/run.sh --list     names, groups and files
#   tools/mutants/run.sh --check    only whether every text is still found once
#
# The scratch copy lives in build/mutants (ignored by git; another folder
# with WELVARO_MUTANTS_DIR) and is kept between runs, so a second run only
# compiles what changed. The copy is of the working tree as it is, committed
# or not. Exit status: 0 when every mutation was caught; 1 when one was
# missed, did not build or no longer finds its text; 2 when the unmutated
# tree does not build or pass.
set -euo pipefail

root=$(git -C "$(dirname "$0")" rev-parse --show-toplevel)
scratch=${WELVARO_MUTANTS_DIR:-$root/build/mutants}
limit=${WELVARO_MUTANTS_TIMEOUT:-600}  # seconds for one run of the tests
jobs=${WELVARO_MUTANTS_JOBS:-2}        # compile jobs
shards=${WELVARO_MUTANTS_SHARDS:-3}    # test processes side by side

# ---- The mutations: name, file, text (exactly once in the file), replacement.
# Each is made alone. A pattern that no longer matches (after a rename) is
# reported as such, not as caught. The first group holds the mutations that
# once went unnoticed and must stay caught; the second further single
# mutations that the tests now catch (the test that does is named above
# each).
names=() files=() patterns=() replacements=() groups=()
group=named
mutant() { names+=("$1") files+=("$2") patterns+=("$3") replacements+=("$4") groups+=("$group"); }

# The band of the monthly F2 factors held to band 10 (90 degrees).
mutant f2-band-clamp src/model/muf.cpp 'if (c2 > 10) c2 = 10;' 'if (c2 > 9) c2 = 9;'
# The foF2 band held to the four bands of the table.
mutant f2-band-clamp-dropped src/model/muf.cpp 'if (b > 4) b = 4;' ''
# The guard that keeps a typed gain at its hundredth (0.29 x 100 < 29 in binary).
mutant gain-rounding-guard src/input/input_rules.cpp 'std::floor(divisor * v + 0.001)' 'std::floor(divisor * v)'
# "Paris, U1": the second character of a country code must be a letter.
mutant country-second-letter src/input/station.cpp '!asciiLetter(cc[1])' '!asciiLetter(cc[0])'
# A country filter compares both letters ("Paris, UA" is not Paris, US).
mutant country-filter-second-letter src/state/place_search.cpp 'for (std::size_t i = 0; i < a.size(); ++i) {' 'for (std::size_t i = 0; i < 1; ++i) {'
# The gazetteer file's latitude limits.
mutant gazetteer-latitude-south src/files/gazetteer.cpp 'lat < -90 * kParts' 'lat < -91 * kParts'
mutant gazetteer-latitude-north src/files/gazetteer.cpp 'lat > 90 * kParts' 'lat > 91 * kParts'
# A number on the command line has at most one decimal point.
mutant cli-two-points src/cli/options.cpp 't[i] == '\''.'\'' && !point' 't[i] == '\''.'\'''
# 0xDF leads a two-byte UTF-8 sequence (U+07C0..U+07FF) in place search.
mutant utf8-lead-df src/state/place_search.cpp 'b >= 0xC2 && b <= 0xDF' 'b >= 0xC2 && b < 0xDF'
# The window preferences: CR LF line ends, the time-zone flag 0 written,
# the projection 0 or 1.
mutant prefs-crlf src/files/window_prefs.cpp 'if (!line.empty() && line.back() == '\''\r'\'') line.remove_suffix(1);' ''
mutant prefs-zone-flag-0 src/files/window_prefs.cpp 'if (f.zoneFollows >= 0)' 'if (f.zoneFollows > 0)'
mutant prefs-projection-range src/files/window_prefs.cpp 'number(v, 0, 1, f.projection)' 'number(v, 0, 2, f.projection)'

group=further
# MufPoints.EachPointGetsItsOwnGeomagneticLatitude
mutant muf-kept-latitude src/model/muf.cpp 'if (memo.lat == latDeg && memo.lon == lonDeg) {' 'if (memo.lat == latDeg || memo.lon == lonDeg) {'
# MufPoints.LocalTimeStaysBelowTwentyFourHours
mutant muf-local-time-24 src/model/muf.cpp 'if (localTime >= 24) localTime -= 24;' 'if (localTime > 24) localTime -= 24;'
# WindowPreferences.EachKeyWithinItsRangeAndBeyond
mutant prefs-lower-end src/files/window_prefs.cpp 'v >= lo && v <= hi' 'v > lo && v <= hi'
mutant prefs-position-range src/files/window_prefs.cpp 'number(v, kWindowPlaceMin, kWindowPlaceMax, f.x)' 'number(v, kWindowPlaceMin - 1, kWindowPlaceMax, f.x)'
# WindowPreferences.FailuresOnDisk
mutant prefs-write-error src/files/window_prefs.cpp '(st.err != 0 ? st.err : EIO)' '(st.err == 0 ? st.err : EIO)'
mutant prefs-size-limit src/files/window_prefs.cpp 'readWholeFile(file, text, kWindowPrefsReadLimit)' 'readWholeFile(file, text, 2 * kWindowPrefsReadLimit)'
# GazetteerFile.EachLimitOfAPlaceAtItsEndAndJustBeyond
mutant gazetteer-longitude-west src/files/gazetteer.cpp 'lon < -180 * kParts' 'lon < -181 * kParts'
mutant gazetteer-country-letters src/files/gazetteer.cpp 't[1] >= '\''A'\'' && t[1] <= '\''Z'\''' 't[1] >= '\''A'\'' || t[1] <= '\''Z'\'''
mutant gazetteer-eight-names src/files/gazetteer.cpp 'names > kNamesMax' 'names >= kNamesMax'
mutant gazetteer-unit-separator src/files/gazetteer.cpp 'static_cast<unsigned char>(c) < 0x20' 'static_cast<unsigned char>(c) < 0x1F'
mutant gazetteer-place-size src/files/gazetteer.cpp 'kPlaceMinBytes = 2 + 4 + 4 + 1 + 1 + 1;' 'kPlaceMinBytes = 2 + 4 + 4 + 1 + 1;'
# GazetteerFile.WritingLeavesOutPlacesTheFileCannotHold
mutant gazetteer-write-255 src/files/gazetteer.cpp 'n.size() <= 255' 'n.size() < 255'
mutant gazetteer-write-eight src/files/gazetteer.cpp 'o.names.size() <= kNamesMax' 'o.names.size() < kNamesMax'
# SearchForm.Utf8SequencesAtTheEndsOfTheirRanges
mutant utf8-lead-ef src/state/place_search.cpp 'b >= 0xE0 && b <= 0xEF' 'b >= 0xE0 && b < 0xEF'
mutant utf8-lead-f4 src/state/place_search.cpp 'b >= 0xF0 && b <= 0xF4' 'b >= 0xF0 || b <= 0xF4'
mutant utf8-continuation src/state/place_search.cpp 'if (b < 0x80) {' 'if (b <= 0x80) {'
mutant utf8-last-surrogate src/state/place_search.cpp '(cp >= 0xD800 && cp <= 0xDFFF)' '(cp >= 0xD800 && cp < 0xDFFF)'
mutant utf8-cut-short src/state/place_search.cpp 'const auto f = i + k < t.size()' 'const auto f = i + k <= t.size()'
# SearchForm.CharactersAtTheEndsOfEachClass
mutant search-latin-first src/state/place_search.cpp 'cp >= 0xC0 && cp <= 0x24F' 'cp > 0xC0 && cp <= 0x24F'
mutant search-okina src/state/place_search.cpp 'cp == 0x2BB ||' 'cp == 0x2BA ||'
mutant search-only-umlauts src/state/place_search.cpp 'umlautE && (cp == 0xDC || cp == 0xFC)' 'umlautE && (cp != 0xDC || cp == 0xFC)'
mutant search-ascii-nine src/state/place_search.cpp '(b >= '\''0'\'' && b <= '\''9'\'')' '(b >= '\''0'\'' && b < '\''9'\'')'
# Gazetteer.CountryFilterComparesBothLetters
mutant search-country-case src/state/place_search.cpp 'return (c >= '\''a'\'' && c <= '\''z'\'') ?' 'return (c > '\''a'\'' && c <= '\''z'\'') ?'
# Gazetteer.WordsBeginAfterApostrophesAndBlanks
mutant search-blank-after-name src/state/place_search.cpp 'q.separatorAtEnd && r.size() > q.text.size()' 'q.separatorAtEnd && r.size() >= q.text.size()'
# InputBoxes.WhatHoldsANumber
mutant input-digit-after-point src/input/input_rules.cpp 'text[i] == '\''.'\'' && isDigit(text[i + 1]);' 'text[i] == '\''.'\'' || isDigit(text[i + 1]);'
# InputBoxes.EnterChecks (a comma in a place name)
mutant input-name-comma src/input/input_rules.cpp 'f == Field::PlaceName || f == Field::Path ? std::string(raw)' 'f == Field::PlaceName && f == Field::Path ? std::string(raw)'
# FrequencyBox.AllowedTexts
mutant input-frequency-texts src/input/input_rules.cpp '"0123456789., MHz") == std::string_view::npos' '"0123456789., MHz") != std::string_view::npos'
# InputBoxes.BothEndsOfEveryRange
mutant input-gain-range src/input/input_rules.cpp 'case Field::Gain: return {-40, 20};' 'case Field::Gain: return {-41, 20};'
mutant input-power-range src/input/input_rules.cpp 'case Field::Power: return {0.000001, 1000};' 'case Field::Power: return {0.0000001, 1000};'
mutant input-availability-snap src/input/input_rules.cpp 'if (ReadNumber(t) < 50) t = "10";' 'if (ReadNumber(t) < 49) t = "10";'
# StationDialog.LocatorLettersAndMessagesOfThePositionBoxes
mutant station-locator-x src/input/station.cpp '(character >= '\''a'\'' && character <= '\''x'\'')' '(character >= '\''a'\'' && character < '\''x'\'')'
mutant station-box-message src/input/station.cpp 'p.message = f == Field::Latitude ?' 'p.message = f != Field::Latitude ?'
# Station.CandidatesFromBothListsEachPlaceOnce
mutant station-candidates src/input/place_names.cpp 'if (!inPlaceList) {' 'if (false) {'
# Station.CountryCodeAfterTheComma / Gazetteer.CountryFilterComparesBothLetters
mutant station-country-z src/input/station.cpp '(c >= '\''a'\'' && c <= '\''z'\'')' '(c >= '\''a'\'' && c < '\''z'\'')'
# PlaceItems.EmptyItemsBetweenBlanks
mutant places-empty-item src/files/places.cpp 'while (end > start &&' 'while (end >= start &&'
# PlaceList.ShorterListAfterAFullOneClearsTheLastEntry
mutant places-clear-last src/files/places.cpp 'for (; g <= kPlacesMax; ++g) {' 'for (; g < kPlacesMax; ++g) {'
# PlaceFile.MissingFileEmptiesEveryCell
mutant places-clear-cells src/files/places.cpp 'for (int m = 0; m <= 17; ++m) {' 'for (int m = 0; m < 17; ++m) {'
# Settings.MissingOrBrokenFileGivesTheDefaultsForTheWholeRecord
mutant settings-lf-blank-line src/files/settings.cpp 'if (text[i] == '\''\r'\'' && i + 1 < text.size()' 'if (text[i] == '\''\r'\'' || i + 1 < text.size()'
mutant settings-del src/files/settings.cpp '|| c == 0x7F; }' '; }'
mutant settings-language-line src/files/settings.cpp 'for (int i = 1; i <= kSettingsLines; ++i) s.DatZeile[i].clear();' 'for (int i = 1; i < kSettingsLines; ++i) s.DatZeile[i].clear();'
# Settings.IndentedLinesAndEveryLineEnd
mutant settings-indent src/files/settings.cpp '(line[i] == '\'' '\'' || line[i] == '\''\t'\'')) ++i;' '(line[i] == '\'' '\'' && line[i] == '\''\t'\'')) ++i;'
# Settings.EveryNumberMustFitItsField
mutant settings-finite-angle src/files/settings.cpp 'for (int i : {2, 8, 9, 10, 12})' 'for (int i : {2, 8, 9, 10})'
mutant settings-single-memory src/files/settings.cpp '17, 18, 19, 20, 21})' '17, 18, 19, 20})'
# Settings.LongTailIsReadButNoFileBeyondAMegabyte
mutant settings-size-limit src/files/read_limits.h 'kSettingsReadLimit = std::size_t{1} << 20;' 'kSettingsReadLimit = std::size_t{1} << 10;'
# Codepage.Utf8SequencesAtTheEndsOfTheirRanges
mutant codepage-lead-df src/files/codepage.cpp 'if (b0 >= 0xC2 && b0 <= 0xDF) {' 'if (b0 >= 0xC2 && b0 < 0xDF) {'
mutant codepage-continuation src/files/codepage.cpp 'if (b0 < 0x80) {' 'if (b0 <= 0x80) {'
mutant codepage-lead-f4 src/files/codepage.cpp 'b0 >= 0xF0 && b0 <= 0xF4' 'b0 >= 0xF0 || b0 <= 0xF4'
mutant codepage-cut-short src/files/codepage.cpp 'if (i + n > s.size()) return 1;' ''
mutant codepage-last-surrogate src/files/codepage.cpp '(c >= 0xD800 && c <= 0xDFFF)' '(c >= 0xD800 && c < 0xDFFF)'
# MapLines.LimitsOfTheLayoutAtTheirEnds
mutant lines-header-only src/files/map_lines.cpp 'if (b.size() < kHeaderBytes)' 'if (b.size() <= kHeaderBytes)'
mutant lines-32-bits src/files/varint_reader.h 'if (shift == 28 && c > 0x0F)' 'if (shift == 28 && c >= 0x0F)'
mutant lines-33-bits src/files/varint_reader.h 'if (shift == 28 && c > 0x0F) return false;' ''
mutant lines-version-0 src/files/map_lines.cpp 'word32(b, 8) != 1' 'word32(b, 8) > 1'
# RemoveLeftovers.OtherNamesOfTheSameLengthStay / LinksAndFifosStay
mutant leftovers-other-names src/files/fileio.cpp 'entry[0] == '\''.'\'' && entry.substr(1, name.size()) == name' 'entry[0] == '\''.'\'' && entry.substr(1, name.size()) != name'
mutant leftovers-links src/files/fileio.cpp 'O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC' 'O_RDONLY | O_NONBLOCK | O_CLOEXEC'
# FileStatusText.MessageAndReason
mutant file-reason src/files/fileio.cpp 'return st.message.rfind(head, 0) == 0 ?' 'return st.message.rfind(head, 0) != 0 ?'
mutant file-error-text src/files/fileio.cpp 'if (err != 0) st.message +=' 'if (err == 0) st.message +='
# ReadWholeFile.PathsTheSystemRefuses
mutant file-stat-errors src/files/fileio.cpp 'if (err == ENOENT || err == ENOTDIR)' 'if (err == ENOENT || err != ENOTDIR)'
# ProgramDir.TheSystemsInputs
mutant programdir-writable src/files/programdir.cpp 'W_OK) == 0;' 'W_OK) != 0;'
mutant programdir-empty-home src/files/programdir.cpp 'getenv("HOME"); h && *h)' 'getenv("HOME"); h || *h)'
# Png.PaethTiesAreSettledAsReadersDo
mutant png-paeth-left src/files/png.cpp 'if (pa <= pb && pa <= pc) return a;' 'if (pa <= pb && pa < pc) return a;'
mutant png-paeth-above src/files/png.cpp 'return pb <= pc ? b : c;' 'return pb < pc ? b : c;'
mutant png-no-rows src/files/png.cpp 'width <= 0 || height <= 0' 'width <= 0 || height < 0'

# ---- Running them.
# Occurrences of text $2 in file $1.
occurrences() { PAT=$2 perl -0777 -ne 'my $n = () = /\Q$ENV{PAT}\E/g; print $n' "$1"; }

# The mutations asked for: --named, --further, names or shell patterns
# ("prefs-*"); all when none is given.
chosen=()
for i in "${!names[@]}"; do
  if (($# == 0)); then chosen+=("$i"); continue; fi
  for w in "$@"; do
    case $w in
      --list | --check) ;;
      --named | --further) [[ ${groups[$i]} == "${w#--}" ]] && { chosen+=("$i"); break; } ;;
      # shellcheck disable=SC2053  # $w is a pattern
      *) [[ ${names[$i]} == $w ]] && { chosen+=("$i"); break; } ;;
    esac
  done
done
if [[ " $* " == *" --list "* ]]; then
  for i in "${!names[@]}"; do printf '%-30s %-8s %s\n' "${names[$i]}" "${groups[$i]}" "${files[$i]}"; done
  exit 0
fi
if [[ " $* " == *" --check "* ]]; then
  # Only that every text is found exactly once in the working tree.
  bad=0
  for i in "${!names[@]}"; do
    n=$(occurrences "$root/${files[$i]}" "${patterns[$i]}" 2>/dev/null || echo 0)
    if [[ $n != 1 ]]; then
      echo "${names[$i]}: found $n times in ${files[$i]}"
      bad=1
    fi
  done
  ((bad == 0)) && echo "every text found once"
  exit "$bad"
fi
if ((${#chosen[@]} == 0)); then
  echo "no mutation matches '$*' (see --list)" >&2
  exit 2
fi

# The tree is copied with the build folder inside it, as in the working
# tree, so a compiler cache that rewrites paths under a common base finds
# the objects of the working tree's own build.
tree=$scratch/tree build=$scratch/tree/build/release log=$scratch/log
mkdir -p "$log"
# The working tree's files (committed or not, without the ignored ones) with
# their times, so the build in the copy stays incremental.
find "$tree" -mindepth 1 -maxdepth 1 ! -name build -exec rm -rf {} + 2>/dev/null || true
mkdir -p "$tree"
(cd "$root" && git ls-files -z --cached --others --exclude-standard |
  while IFS= read -r -d '' f; do if [[ -e $f ]]; then printf '%s\0' "$f"; fi; done |
  tar --null -T - -cf -) | tar -xf - -C "$tree"
# A file an interrupted run left mutated may be older than its object file.
for f in "${files[@]}"; do if [[ -e $tree/$f ]]; then touch "$tree/$f"; fi; done

launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
if [[ ! -f $build/build.ninja ]]; then
  cmake -S "$tree" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DWELVARO_BUILD_GUI=OFF \
    -DWELVARO_BUILD_BENCH=OFF "${launcher[@]}" >"$log/configure.txt"
fi

# Builds and runs the tests in $shards processes; prints no-build, missed,
# caught or caught-timeout. $1 names the logs.
build_and_test() {
  # A second try, should something else have disturbed the first.
  if ! cmake --build "$build" --target core_tests -j "$jobs" >"$log/$1.build.txt" 2>&1 &&
    ! cmake --build "$build" --target core_tests -j "$jobs" >>"$log/$1.build.txt" 2>&1; then
    echo no-build
    return
  fi
  local k pids=() rc=0 timeout=0
  for ((k = 0; k < shards; k++)); do
    (cd "$build/tests" && GTEST_TOTAL_SHARDS=$shards GTEST_SHARD_INDEX=$k timeout "$limit" ./core_tests \
      --gtest_brief=1) >"$log/$1.test$k.txt" 2>&1 &
    pids+=($!)
  done
  for k in "${pids[@]}"; do
    wait "$k" || { rc=$?; ((rc == 124)) && timeout=1; }
  done
  if ((timeout)); then echo caught-timeout; elif ((rc)); then echo caught; else echo missed; fi
}

# Replaces the one occurrence of text $2 in file $1 by $3; fails unless
# the text occurs exactly once.
replace_once() {
  local n
  n=$(occurrences "$1" "$2")
  if [[ $n != 1 ]]; then
    echo "found $n times" >&2
    return 1
  fi
  PAT=$2 REP=$3 perl -0777 -i -pe 's/\Q$ENV{PAT}\E/$ENV{REP}/' "$1"
}

echo "unmutated tree ..."
base=$(build_and_test unmutated)
if [[ $base != missed ]]; then
  echo "the unmutated tree does not pass ($base): see $log/unmutated.*" >&2
  exit 2
fi

current=""
restore() { if [[ -n $current ]]; then cp "$scratch/original" "$tree/$current"; current=""; fi; }
trap restore EXIT

bad=0 total=0
for i in "${chosen[@]}"; do
  name=${names[$i]} file=${files[$i]}
  total=$((total + 1))
  rm -f "$log/$name".*
  cp "$tree/$file" "$scratch/original"
  current=$file
  if ! replace_once "$tree/$file" "${patterns[$i]}" "${replacements[$i]}" 2>"$log/$name.pattern.txt"; then
    result="text-not-found ($file: $(cat "$log/$name.pattern.txt"))"
  else
    result=$(build_and_test "$name")
  fi
  restore  # a fresh copy, newer than the mutant's object file
  if [[ $result == caught* ]]; then
    failed=$(cat "$log/$name".test*.txt | grep -o '^\[  FAILED  \] [A-Za-z0-9_./]*' | cut -c14- | sort -u |
      head -3 | paste -sd ' ' || true)
    printf '%-30s %s  %s\n' "$name" "$result" "$failed"
  else
    printf '%-30s %s\n' "$name" "$result"
    bad=$((bad + 1))
  fi
done
echo "$((total - bad)) of $total caught"
# The copy's build back at the unmutated tree for the next run.
cmake --build "$build" --target core_tests -j "$jobs" >/dev/null 2>&1 || true
((bad == 0))
