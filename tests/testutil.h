// Helpers shared by the core tests: a temporary folder, whole files as
// bytes, the start state on the link München - Madrid, and a welvaro-cli run
// with a fixed clock.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <initializer_list>
#include <fstream>
#include <iterator>
#include <memory>
#include <sstream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "cli/commands.h"
#include "files/programdir.h"
#include "state/datetime.h"
#include "state/state.h"

namespace welvaro::test {

namespace fs = std::filesystem;

// The folder of the data files that come with the program (in the sources).
inline fs::path shippedData() { return fs::path(WELVARO_TEST_DATA "/../../data").lexically_normal(); }

// A fresh folder, removed with all it holds at the end of the scope (also
// after a test took its write permission away).
struct TempDir {
  fs::path path;
  TempDir() {
    std::string t = (fs::temp_directory_path() / "welvaro-test-XXXXXX").string();
    if (::mkdtemp(t.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    path = t;
  }
  ~TempDir() {
    std::error_code ec;
    fs::permissions(path, fs::perms::owner_all, fs::perm_options::add, ec);
    fs::remove_all(path, ec);
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  fs::path operator/(const fs::path& name) const { return path / name; }
  std::string str() const { return path.string(); }
};

// The program folder `d`, for writing and as the only data folder.
inline ProgramDirs programDirs(const TempDir& d) {
  ProgramDirs dirs;
  dirs.writeDir = d.path;
  dirs.dataDirs = {d.path};
  return dirs;
}

// A place of the place list: country code, name, position [deg].
struct ListedPlace {
  const char* country;
  const char* name;
  float lat, lon;
};
// The places in the state's place list, numbered from 1 in the order given.
inline void fillPlaceList(State& s, std::initializer_list<ListedPlace> places) {
  int g = 0;
  for (const ListedPlace& o : places) {
    ++g;
    s.OrtKennung[g] = o.country;
    s.OrtName[g] = o.name;
    s.OrtBreite[g] = o.lat;
    s.OrtLaenge[g] = o.lon;
  }
  s.OrtZahl = static_cast<float>(g);
}

inline std::string readFile(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void writeFile(const fs::path& p, const std::string& bytes) {
  std::ofstream out(p, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// The start state with the far end on station B (München - Madrid), the
// clock at `today` and the forecast month that of `today`.
inline std::unique_ptr<State> defaultLink(const DateTime& today = {2026, 12, 15, 12, 0, 0}) {
  auto s = std::make_unique<State>();
  s->X2 = s->OrtX2;
  s->Y2 = s->OrtY2;
  s->Jetzt = today;
  s->Monat = static_cast<float>(today.month);
  return s;
}

// `text` cut at every `sep`; the piece after the last one is kept, so a text
// ending in `sep` gives an empty last piece.
inline std::vector<std::string> split(const std::string& text, std::string_view sep = "\n") {
  std::vector<std::string> v;
  for (std::size_t from = 0;;) {
    const auto to = text.find(sep, from);
    v.push_back(text.substr(from, to - from));
    if (to == std::string::npos) return v;
    from = to + sep.size();
  }
}

struct CliRun {
  int rc;
  std::string out, err;
};

// welvaro-cli with `args` after the program name, its clock at `now`;
// shipped data files only from `dataFolders` (none by default).
inline CliRun runCli(std::vector<std::string> args, const DateTime& now = {2026, 12, 8, 15, 4, 0},
                     std::vector<fs::path> dataFolders = {}) {
  args.insert(args.begin(), "welvaro-cli");
  FixedClock clock(now);
  std::ostringstream out, err;
  const int rc = cli::runCli(args, cli::Context{clock, std::move(dataFolders), out, err, {}});
  return {rc, out.str(), err.str()};
}

}  // namespace welvaro::test
