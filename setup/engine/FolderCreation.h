// Creating a folder with its missing parents, level by level.
#pragma once

#include <functional>
#include <string>

// Called for every level whose creation succeeded, parents first.
using FolderCreated = std::function<void(const std::string& folder)>;

// Tries the folder itself first; when that fails, creates every level below
// the drive (or below \\server\share\) and finally the folder. Returns the
// system error of the last creation attempt, 0 when it succeeded.
unsigned long CreateFolderLevels(const std::string& folder, const FolderCreated& created);

// Offset of the first level that may be created: the text after the first
// backslash, or after the backslash that ends the share name of a \\ path;
// npos when there is no such backslash.
size_t FirstLevelStart(const std::string& folder);

// True when the path names an existing folder.
bool FolderExists(const std::string& folder);
