// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where the game's resources are read from and where it writes its own files.
//
// Resources ("data.dat", or a loose "Dat/" folder) are looked up next to the
// executable first, then in the data folder of the tree the executable is installed
// in (<exe dir>/../share/games/ostrel-trains, so that an installed tree unpacked
// anywhere finds its data), then in the data folder of the configured install
// prefix. The writable working
// folder (save/, savep/, the log files) is $OSTREL_TRAINS_HOME when set; else
// the executable's folder when the resources are there and it is writable;
// else $XDG_DATA_HOME/ostrel-trains (by default ~/.local/share/ostrel-trains).
#include <string>
#include <vector>

namespace platform {

// Name of the resource archive inside a resource folder.
extern const char kArchiveName[];

// The folder that holds the running executable (from /proc/self/exe); empty
// when it cannot be read.
std::string ExecutableFolder();

// The installed data folder (<prefix>/share/games/ostrel-trains).
std::string InstalledDataFolder();

// The data folder of the tree a program in executableFolder (<root>/games) is
// installed in: <root>/share/games/ostrel-trains. Empty when executableFolder is.
std::string InstalledDataFolderBeside(const std::string& executableFolder);

// True when folder holds "data.dat" or a "Dat" folder.
bool HasResources(const std::string& folder);

// The first of the executable's folder, the data folder beside it and the installed
// data folder that holds resources; the executable's folder when none does.
std::string FindResourceFolder();
// The same choice among given folders: the first that holds resources, else the
// first one.
std::string FindResourceFolder(const std::vector<std::string>& folders);

// What the choice of the working folder depends on.
struct FolderFacts {
  bool homeOverrideSet = false;  // $OSTREL_TRAINS_HOME is set (and not empty)
  std::string homeOverride;
  std::string executableFolder;
  std::string resourceFolder;
  bool executableHasResources = false;  // "data.dat" or "Dat/" beside the program
  bool executableFolderWritable = false;
  std::string xdgDataHome;  // empty when unset
  std::string home;         // $HOME
};

// The working folder the facts call for.
std::string ChooseWorkingFolder(const FolderFacts& facts);

// The facts of this process and machine.
FolderFacts CurrentFolderFacts(const std::string& resourceFolder);

// Creates the folder and any missing parents (new ones with the given mode).
bool CreateFolderPath(const std::string& path, unsigned mode);

// Creates the working folder when missing (mode 0700) and makes it the current
// directory. False (with the reason on standard error) when that failed.
bool EnterWorkingFolder(const std::string& folder);

// path joined to name with exactly one '/' between them.
std::string JoinPath(const std::string& folder, const std::string& name);

}  // namespace platform
