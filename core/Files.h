// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Folder and file operations the game needs from the operating system.
#include <string>
#include <vector>

namespace core {

// Creates one folder (not its parents). False when it could not be made,
// including when it exists already; callers that only want it to exist ignore that.
bool CreateFolder(const std::string& path, unsigned mode = 0755);

// Names of the entries of a folder, without "." and "..", in the order the
// system lists them. An unreadable folder gives an empty list.
std::vector<std::string> ListFolder(const std::string& path);

// Removes one file. False when it could not be removed.
bool DeleteFile(const std::string& path);

// True when path names an existing directory.
bool IsFolder(const std::string& path);

// True when path names an existing regular file.
bool IsFile(const std::string& path);

// The path made absolute: resolved when it exists, else joined to the current folder.
std::string AbsolutePath(const std::string& path);

}  // namespace core
