#include "files/programdir.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <system_error>

#include "files/fileio.h"

// The data folder of an installation relative to its program folder
// ("../share/welvaro"), given by the build (src/files/CMakeLists.txt).
#ifndef WELVARO_DATA_FROM_BIN
#error "the build must define WELVARO_DATA_FROM_BIN"
#endif

namespace welvaro {

namespace fs = std::filesystem;

namespace {

bool sameFolder(const fs::path& a, const fs::path& b) {
  if (a.empty() || b.empty()) return false;
  std::error_code ec1, ec2;
  const fs::path ca = fs::weakly_canonical(a, ec1), cb = fs::weakly_canonical(b, ec2);
  if (ec1 || ec2) return a.lexically_normal() == b.lexically_normal();
  return ca == cb;
}

}  // namespace

ProgramDirs resolveProgramDirs(const ProgramDirInputs& in) {
  ProgramDirs d;
  d.installed = !in.exeDirWritable || !in.installedDataDir.empty();
  // Data files beside the executable come first whenever they are there.
  d.dataDirs = {in.exeDir};
  if (!in.installedDataDir.empty() && !sameFolder(in.exeDir, in.installedDataDir))
    d.dataDirs.push_back(in.installedDataDir);
  if (!d.installed) {
    d.writeDir = in.exeDir;
    return d;
  }
  // A relative XDG_DATA_HOME is invalid and ignored, as the base-directory rules say.
  fs::path basis;
  if (!in.xdgDataHome.empty() && fs::path(in.xdgDataHome).is_absolute())
    basis = in.xdgDataHome;
  else if (!in.home.empty())
    basis = fs::path(in.home) / ".local" / "share";
  if (!basis.empty()) d.writeDir = basis / "welvaro";
  return d;
}

fs::path installedDataDirOf(const fs::path& exeDir) {
  std::error_code ec;
  const fs::path data = (exeDir / WELVARO_DATA_FROM_BIN).lexically_normal();
  return fs::is_directory(data, ec) ? data : fs::path();
}

ProgramDirInputs systemProgramDirInputs() {
  ProgramDirInputs in;
  std::error_code ec;
  const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
  in.exeDir = ec ? fs::current_path(ec) : exe.parent_path();
  in.exeDirWritable = ::access(in.exeDir.c_str(), W_OK) == 0;
  in.installedDataDir = installedDataDirOf(in.exeDir);
  if (const char* x = std::getenv("XDG_DATA_HOME")) in.xdgDataHome = x;
  if (const char* h = std::getenv("HOME"); h && *h) {
    in.home = h;
  } else if (const passwd* pw = ::getpwuid(::getuid()); pw && pw->pw_dir) {
    in.home = pw->pw_dir;
  }
  return in;
}

std::string prepareProgramDir(State& s, const ProgramDirs& dirs) {
  if (dirs.writeDir.empty()) return "no folder for the program's files (HOME is not set)";
  std::error_code ec;
  fs::create_directories(dirs.writeDir, ec);
  if (ec) return dirs.writeDir.string() + ": cannot create the folder: " + ec.message();
  if (!fs::is_directory(dirs.writeDir, ec)) return dirs.writeDir.string() + ": not a folder";
  s.Pfad = dirs.writeDir.string();
  return {};
}

fs::path dataFile(const ProgramDirs& dirs, std::string_view name) {
  for (const fs::path& dir : dirs.dataDirs)
    if (!dir.empty() && isRegularFile(dir / name)) return dir / name;
  return dirs.dataDirs.empty() ? fs::path(name) : dirs.dataDirs.front() / name;
}

fs::path ownFile(const ProgramDirs& dirs, std::string_view name) { return dirs.writeDir / name; }

fs::path ownFile(const State& s, std::string_view name) { return fs::path(s.Pfad) / name; }

}  // namespace welvaro
