// The program directory: where the program reads the data files that come
// with it and where it keeps the files it writes.
//
// A copy run from a folder it may write to (a build tree, an unpacked
// copy) keeps everything beside its executable. An installed copy (its
// folder is the installation's program folder or is not writable) writes
// into the per-user data folder $XDG_DATA_HOME/welvaro (by default
// ~/.local/share/welvaro) and reads its data files from the installed
// data folder.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "state/state.h"

namespace welvaro {

// Data files that come with the program (read only).
inline constexpr std::string_view kOrtsvorgDatei = "Ortsvorg.txt";
inline constexpr std::string_view kMapWeltDatei = "MapWelt.dat";
inline constexpr std::string_view kMapOrtDatei = "MapOrt.dat";
// Files the program writes (and reads back).
inline constexpr std::string_view kEinstellungDatei = "Welvaro.dat";
inline constexpr std::string_view kTabelleDatei = "Welvaro.tab";
inline constexpr std::string_view kWeltBildDatei = "WelvDar1.bmp";
inline constexpr std::string_view kOrtBildDatei = "WelvDar2.bmp";

/// What the choice of folders depends on; systemProgramDirInputs() fills it
/// from the running system, tests fill it by hand.
struct ProgramDirInputs {
  std::filesystem::path exeDir;            ///< folder of the executable
  bool exeDirWritable = true;              ///< whether the program may create files there
  std::filesystem::path installedBinDir;   ///< program folder of an installation (may be empty)
  std::filesystem::path installedDataDir;  ///< data folder of an installation
  std::string xdgDataHome;                 ///< $XDG_DATA_HOME, empty when unset
  std::string home;                        ///< the user's home folder
};

struct ProgramDirs {
  bool installed = false;
  std::filesystem::path writeDir;               ///< folder of the files the program writes
  std::vector<std::filesystem::path> dataDirs;  ///< where data files are looked for, in order
};

/// The folders for the given situation (no file-system access).
ProgramDirs resolveProgramDirs(const ProgramDirInputs& in);

/// The situation of this process: the folder of /proc/self/exe, whether it
/// is writable, the installation folders given at build time, XDG_DATA_HOME
/// and HOME.
ProgramDirInputs systemProgramDirInputs();

/// Creates the folder for written files when it does not exist yet and sets
/// Pfad to it. Returns an empty text on success, else what went wrong.
std::string prepareProgramDir(State& s, const ProgramDirs& dirs);

/// Where to read a data file that comes with the program: the first data
/// folder that holds it, or the first data folder when none does (the
/// readers then find no file and apply their defaults).
std::filesystem::path dataFile(const ProgramDirs& dirs, std::string_view name);

/// Where to read and write a file of the program's own ("Welvaro.dat",
/// "Welvaro.tab", "WelvDar1.bmp", "WelvDar2.bmp").
std::filesystem::path ownFile(const ProgramDirs& dirs, std::string_view name);
/// The same from Pfad.
std::filesystem::path ownFile(const State& s, std::string_view name);

}  // namespace welvaro
