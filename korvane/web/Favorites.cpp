// The Favorites folder, the folder chooser and the Favorites scan.
#include "Favorites.h"

#include "Forms.h"

#include <shlobj.h>

std::string ChooserInitialFolder;

namespace {

std::string PathOfItem(LPCITEMIDLIST item) {
    char path[261] = "";
    if (!item || !SHGetPathFromIDListA(item, path)) return "";
    // Some shells answer a virtual item with its parsing name ("::{...}"), which is no path.
    bool drive = IsCharAlphaA(path[0]) && path[1] == ':';
    bool unc = path[0] == '\\' && path[1] == '\\';
    return drive || unc ? path : "";
}

uint32_t DosDate(const FILETIME& utc) {
    FILETIME local;
    WORD date = 0, time = 0;
    FileTimeToLocalFileTime(&utc, &local);
    FileTimeToDosDateTime(&local, &date, &time);
    return (static_cast<uint32_t>(date) << 16) | time;
}

// Closes a search handle on every path out.
struct FindHandle {
    HANDLE h;
    ~FindHandle() {
        if (h != INVALID_HANDLE_VALUE) FindClose(h);
    }
};

}  // namespace

std::string GetFavoritesFolderPath() {
    LPITEMIDLIST item = nullptr;
    if (FAILED(SHGetSpecialFolderLocation(nullptr, CSIDL_FAVORITES, &item))) return "";
    std::string path = PathOfItem(item);
    CoTaskMemFree(item);
    return path;
}

int CALLBACK BrowseFolderCallback(HWND wnd, UINT msg, LPARAM param, LPARAM) {
    if (msg == BFFM_INITIALIZED) {
        RECT r;
        GetWindowRect(wnd, &r);
        int left = GetSystemMetrics(SM_CXSCREEN) / 2 - (r.right - r.left) / 2;
        int top = GetSystemMetrics(SM_CYSCREEN) / 2 - (r.bottom - r.top) / 2;
        SetWindowPos(wnd, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        std::string initial = ChooserInitialFolder;  // a zero-terminated copy the dialog may read
        SendMessageA(wnd, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(initial.c_str()));
    } else if (msg == BFFM_SELCHANGED) {
        std::string path = PathOfItem(reinterpret_cast<LPCITEMIDLIST>(param));
        SendMessageA(wnd, BFFM_SETSTATUSTEXTA, 0, reinterpret_cast<LPARAM>(path.c_str()));
    }
    return 0;
}

std::string ChooseFolder(const std::string& title, const std::string& initialFolder) {
    ChooserInitialFolder = initialFolder;
    char displayName[261] = "";
    BROWSEINFOA bi{};
    bi.hwndOwner = forms::Application::Instance().Handle();
    bi.pidlRoot = nullptr;
    bi.pszDisplayName = displayName;
    bi.lpszTitle = title.c_str();
    bi.ulFlags = BIF_STATUSTEXT;
    bi.lpfn = BrowseFolderCallback;
    bi.lParam = 0;
    LPITEMIDLIST item = SHBrowseForFolderA(&bi);
    if (!item) return "";
    std::string path = PathOfItem(item);
    CoTaskMemFree(item);
    return path;
}

TLinkList& ScanFavoritesFolder(TLinkList& list, const std::string& favoritesFolder, const std::string& folder) {
    const std::string base = folder + "\\";
    // Where this folder lies below the favorites folder: "" for itself, "\News" for News.
    const std::string rel = folder.size() >= favoritesFolder.size() ? folder.substr(favoritesFolder.size()) : "";
    const std::string prefix = "Favorites" + rel + "\\";
    WIN32_FIND_DATAA fd;

    {
        FindHandle find{FindFirstFileA((base + "*.URL").c_str(), &fd)};
        if (find.h != INVALID_HANDLE_VALUE) {
            do {
                // A folder whose name ends in .url is no shortcut; the folder search lists it.
                if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
                char url[2048] = "";
                GetPrivateProfileStringA("InternetShortcut", "URL", "", url, sizeof url,
                                         (base + fd.cFileName).c_str());
                list.Add(prefix + fd.cFileName, url, DosDate(fd.ftLastWriteTime), UrlType);
            } while (FindNextFileA(find.h, &fd));
        }
    }
    FindHandle find{FindFirstFileA((base + "\\*.*").c_str(), &fd)};
    if (find.h == INVALID_HANDLE_VALUE) return list;
    do {
        if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) || fd.cFileName[0] == '.') continue;
        list.Add(prefix + fd.cFileName + "\\", "", DosDate(fd.ftLastWriteTime), FolderType);
        ScanFavoritesFolder(list, favoritesFolder, base + fd.cFileName);
    } while (FindNextFileA(find.h, &fd));
    return list;
}
