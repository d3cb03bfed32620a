// The program directory: where the program reads the data files that come
// with it and where it keeps the files it writes.
//
// Data files are read from beside the executable when they are there, else
// from the data folder of an installation, found relative to the
// executable (<prefix>/bin -> <prefix>/share/welvaro), so a copy installed
// under any prefix finds them. A copy run from a folder it may write to
// that is not such an installation (a build tree, an unpacked copy) keeps
// its own files beside its executable; an installed copy, or one whose
// folder it may not write, keeps them in the per-user data folder
// $XDG_DATA_HOME/welvaro (by default ~/.local/share/welvaro).
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "state/state.h"

namespace welvaro {

// Data files that come with the program (read only).
inline constexpr std::string_view kPlaceListFile = "Ortsvorg.txt";
inline constexpr std::string_view kWorldOverlayFile = "MapWelt.dat";
inline constexpr std::string_view kChartOverlayFile = "MapOrt.dat";
inline constexpr std::string_view kHelpFile = "Welvaro.hlp";
// Files the program writes (and reads back).
inline constexpr std::string_view kSettingsFile = "Welvaro.dat";
inline constexpr std::string_view kTableFile = "Welvaro.tab";
inline constexpr std::string_view kWorldBitmapFile = "WelvDar1.bmp";
inline constexpr std::string_view kChartBitmapFile = "WelvDar2.bmp";

/// What the choice of folders depends on; systemProgramDirInputs() fills it
/// from the running system, tests fill it by hand.
struct ProgramDirInputs {
  std::filesystem::path exeDir;            ///< folder of the executable
  bool exeDirWritable = true;              ///< whether the program may create files there
  std::filesystem::path installedDataDir;  ///< <prefix>/share/welvaro beside <prefix>/bin, empty when absent
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

/// The data folder of an installation whose program folder is `exeDir`
/// (`exeDir`/../share/welvaro), when that folder exists; else empty.
std::filesystem::path installedDataDirOf(const std::filesystem::path& exeDir);

/// The situation of this process: the folder of /proc/self/exe, whether it
/// is writable, the installation's data folder beside it, XDG_DATA_HOME
/// and HOME.
ProgramDirInputs systemProgramDirInputs();

/// Creates the folder for written files when it does not exist yet and sets
/// Pfad to it. Returns an empty text on success, else what went wrong.
std::string prepareProgramDir(State& s, const ProgramDirs& dirs);

/// Where to read a data file that comes with the program: the first data
/// folder that holds it as a regular file, or the first data folder when
/// none does (the readers then find no file and apply their defaults).
std::filesystem::path dataFile(const ProgramDirs& dirs, std::string_view name);

/// Where to read and write a file of the program's own ("Welvaro.dat",
/// "Welvaro.tab", "WelvDar1.bmp", "WelvDar2.bmp").
std::filesystem::path ownFile(const ProgramDirs& dirs, std::string_view name);
/// The same from Pfad.
std::filesystem::path ownFile(const State& s, std::string_view name);

}  // namespace welvaro
