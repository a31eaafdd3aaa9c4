// The Favorites folder on disk, the shell's folder chooser, and the scan of .URL shortcuts into
// link and folder records.
#pragma once
#include <windows.h>
#include <string>

#include "LinkRecord.h"

// The current user's Favorites folder, without a trailing "\"; empty when the shell has none.
std::string GetFavoritesFolderPath();

// The folder the chooser preselects; set by ChooseFolder on every call.
extern std::string ChooserInitialFolder;

// Shows the shell's folder browser over the whole namespace, centred, with the initial folder
// preselected and the selected folder's path on its status line. Returns the chosen folder's
// path, or an empty text when cancelled or when the item has no file-system path.
std::string ChooseFolder(const std::string& title, const std::string& initialFolder);
int CALLBACK BrowseFolderCallback(HWND wnd, UINT msg, LPARAM param, LPARAM data);

// Appends a record for every shortcut and sub-folder in and below folder, in pre-order (a
// folder's shortcuts, then each sub-folder followed by its contents). Paths are "Favorites"
// followed by the folder's place below favoritesFolder. Neither empties nor sorts the list.
TLinkList& ScanFavoritesFolder(TLinkList& list, const std::string& favoritesFolder, const std::string& folder);
inline TLinkList& ScanFavoritesFolder(TLinkList& list, const std::string& favoritesFolder) {
    return ScanFavoritesFolder(list, favoritesFolder, favoritesFolder);
}
