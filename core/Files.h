// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Folder and file operations the game needs from the operating system.
#include <cstddef>
#include <cstdio>
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

// Opens path for reading only when it names a regular file. Opening does not wait: a
// FIFO or a device left in the file's place must not block the game. nullptr otherwise.
FILE* OpenRegularFile(const std::string& path);

// The whole content of a regular file opened for reading. False when it cannot be read
// or is longer than maxBytes (nothing is read then).
bool ReadWhole(FILE* f, std::string& data, size_t maxBytes);

// True when path is missing or names a regular file: a writer replaces nothing else.
bool ReplaceableFile(const std::string& path);

// Creates path anew for writing. Whatever has the name already (the leftover of a killed
// writer, or a FIFO that would block an open), a folder aside, is unlinked first.
// nullptr when the file cannot be made.
FILE* CreateFreshFile(const std::string& path);

// Pushes what was written to f through to the disk. False when that failed.
bool FlushToDisk(FILE* f);

// Makes a finished rename durable by syncing the folder that holds path.
void SyncFolderOf(const std::string& path);

// Replaces the file at path by data so that a crash at any moment leaves either the
// previous file or the new one whole: data goes to path + ".tmp", is synced to the disk
// and renamed over path, then the folder is synced. False when a step failed (path
// names something other than a regular file, the temporary file cannot be made or
// written, the rename fails); the previous file is then left as it was and the
// temporary file removed.
bool ReplaceFile(const std::string& path, const std::string& data);

// The path made absolute: resolved when it exists, else joined to the current folder.
std::string AbsolutePath(const std::string& path);

}  // namespace core
