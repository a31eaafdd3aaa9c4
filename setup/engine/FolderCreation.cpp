// Creating a folder with its missing parents, level by level.
#include "FolderCreation.h"

#include <windows.h>

size_t FirstLevelStart(const std::string& folder) {
    size_t slash;
    if (folder.compare(0, 2, "\\\\") == 0) {
        size_t server = folder.find('\\', 2);
        slash = server == std::string::npos ? std::string::npos : folder.find('\\', server + 1);
    } else {
        slash = folder.find('\\');
    }
    return slash == std::string::npos ? std::string::npos : slash + 1;
}

bool FolderExists(const std::string& folder) {
    DWORD attributes = GetFileAttributesA(folder.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

unsigned long CreateFolderLevels(const std::string& folder, const FolderCreated& created) {
    if (CreateDirectoryA(folder.c_str(), nullptr)) {
        created(folder);
        return 0;
    }
    DWORD error = GetLastError();
    // Every level above an existing folder exists too: nothing to create.
    if (error == ERROR_ALREADY_EXISTS) return error;
    size_t at = FirstLevelStart(folder);
    if (at == std::string::npos) return error;
    for (size_t slash = folder.find('\\', at); slash != std::string::npos; slash = folder.find('\\', slash + 1)) {
        std::string level = folder.substr(0, slash);
        if (CreateDirectoryA(level.c_str(), nullptr)) created(level);
    }
    if (CreateDirectoryA(folder.c_str(), nullptr)) {
        created(folder);
        return 0;
    }
    return GetLastError();
}
