// The Favorites scan over real .URL files in a fresh temporary folder, and the folder chooser.
#include "Favorites.h"

#include "Forms.h"

#include <gtest/gtest.h>
#include <shlobj.h>

#include <algorithm>
#include <fstream>
#include <set>
#include <tuple>

namespace {

struct TempFolder {
    std::string path;
    // `base` defaults to the temporary folder.
    explicit TempFolder(std::string base = "") {
        if (base.empty()) {
            char tmp[MAX_PATH];
            GetTempPathA(MAX_PATH, tmp);
            base = tmp;
        }
        path = base + "kvfav" + std::to_string(GetCurrentProcessId()) + "_" + std::to_string(GetTickCount());
        CreateDirectoryA(path.c_str(), nullptr);
    }
    ~TempFolder() { Remove(path); }
    static void Remove(const std::string& dir) {
        WIN32_FIND_DATAA fd;
        HANDLE h = FindFirstFileA((dir + "\\*").c_str(), &fd);
        if (h != INVALID_HANDLE_VALUE) {
            do {
                std::string name = fd.cFileName;
                if (name == "." || name == "..") continue;
                std::string full = dir + "\\" + name;
                SetFileAttributesA(full.c_str(), FILE_ATTRIBUTE_NORMAL);
                if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) Remove(full);
                else DeleteFileA(full.c_str());
            } while (FindNextFileA(h, &fd));
            FindClose(h);
        }
        SetFileAttributesA(dir.c_str(), FILE_ATTRIBUTE_NORMAL);
        RemoveDirectoryA(dir.c_str());
    }
    std::string Dir(const std::string& rel, DWORD attrs = 0) const {
        std::string full = path + "\\" + rel;
        CreateDirectoryA(full.c_str(), nullptr);
        if (attrs) SetFileAttributesA(full.c_str(), attrs);
        return full;
    }
    void File(const std::string& rel, const std::string& text, DWORD attrs = 0) const {
        std::string full = path + "\\" + rel;
        std::ofstream(full, std::ios::binary) << text;
        if (attrs) SetFileAttributesA(full.c_str(), attrs);
    }
};

std::string Shortcut(const std::string& url) { return "[InternetShortcut]\r\nURL=" + url + "\r\n"; }

using Row = std::tuple<std::string, std::string, std::string>;  // path, url, type

std::vector<Row> Rows(const TLinkList& list) {
    std::vector<Row> rows;
    for (const TLinkRecord& r : list)
        rows.emplace_back(std::string(r.GetPath()), std::string(r.GetUrl()), std::string(r.GetItemType()));
    return rows;
}

// Pre-order: within each folder its links come before its sub-folders, and every sub-folder's
// record is followed directly by everything inside it.
void ExpectPreOrder(const std::vector<Row>& rows) {
    for (size_t i = 0; i < rows.size(); ++i) {
        const std::string& p = std::get<0>(rows[i]);
        if (std::get<2>(rows[i]) != "Folder") continue;
        size_t j = i + 1;
        while (j < rows.size() && std::get<0>(rows[j]).compare(0, p.size(), p) == 0) ++j;
        for (size_t k = j; k < rows.size(); ++k)
            EXPECT_NE(std::get<0>(rows[k]).compare(0, p.size(), p), 0) << std::get<0>(rows[k]) << " after " << p;
        std::string parent = p.substr(0, p.rfind('\\', p.size() - 2) + 1);
        for (size_t k = j; k < rows.size(); ++k) {
            const std::string& q = std::get<0>(rows[k]);
            bool linkOfParent = std::get<2>(rows[k]) == "Url" && q.rfind('\\') + 1 == parent.size() &&
                                q.compare(0, parent.size(), parent) == 0;
            EXPECT_FALSE(linkOfParent) << q << " after the sub-folder " << p;
        }
    }
}

TEST(FavoritesScan, ImportsEveryShortcutAndFolderInPreOrder) {
    TempFolder fav;
    fav.File("Daily.URL", Shortcut("http://daily.example/"));
    fav.File("hidden.url", Shortcut("http://hidden.example/"), FILE_ATTRIBUTE_HIDDEN);
    fav.File("system.url", Shortcut("http://system.example/"), FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_READONLY);
    fav.File("notes.txt", "not a shortcut");
    fav.File("nourl.url", "[Other]\r\nURL=http://elsewhere/\r\n");
    fav.Dir("Sport");
    fav.File("Sport\\News.url", Shortcut("http://sport.example/news"));
    fav.Dir("Sport\\Deeper", FILE_ATTRIBUTE_HIDDEN);
    fav.File("Sport\\Deeper\\Deep.url", Shortcut("http://deep.example/"));
    fav.Dir("Empty");
    fav.Dir(".private");
    fav.File(".private\\secret.url", Shortcut("http://secret.example/"));
    fav.Dir("Odd.url");

    TLinkList list;
    ScanFavoritesFolder(list, fav.path);
    std::vector<Row> rows = Rows(list);
    std::set<Row> got(rows.begin(), rows.end());
    std::set<Row> want = {
        {"Favorites\\Daily.URL", "http://daily.example/", "Url"},
        {"Favorites\\hidden.url", "http://hidden.example/", "Url"},
        {"Favorites\\system.url", "http://system.example/", "Url"},
        {"Favorites\\nourl.url", "", "Url"},
        {"Favorites\\Sport\\", "", "Folder"},
        {"Favorites\\Sport\\News.url", "http://sport.example/news", "Url"},
        {"Favorites\\Sport\\Deeper\\", "", "Folder"},
        {"Favorites\\Sport\\Deeper\\Deep.url", "http://deep.example/", "Url"},
        {"Favorites\\Empty\\", "", "Folder"},
        {"Favorites\\Odd.url\\", "", "Folder"},
    };
    EXPECT_EQ(got, want);
    EXPECT_EQ(rows.size(), want.size());
    ExpectPreOrder(rows);

    ScanFavoritesFolder(list, fav.path);  // a second scan appends everything again
    EXPECT_EQ(list.Count(), 2 * static_cast<int>(want.size()));
}

TEST(FavoritesScan, DatesAreTheEntriesLastWriteTimesAndEmptyFoldersAddNothing) {
    TempFolder fav;
    TLinkList list;
    ScanFavoritesFolder(list, fav.path);
    EXPECT_EQ(list.Count(), 0);

    fav.File("Dated.url", Shortcut("http://dated.example/"));
    std::string folder = fav.Dir("Kept");
    SYSTEMTIME st{2004, 7, 0, 15, 13, 45, 30, 0};
    FILETIME local, utc;
    SystemTimeToFileTime(&st, &local);
    LocalFileTimeToFileTime(&local, &utc);
    for (const std::string& p : {fav.path + "\\Dated.url", folder}) {
        HANDLE h = CreateFileA(p.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                               OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
        ASSERT_NE(h, INVALID_HANDLE_VALUE);
        SetFileTime(h, nullptr, nullptr, &utc);
        CloseHandle(h);
    }
    ScanFavoritesFolder(list, fav.path);
    ASSERT_EQ(list.Count(), 2);
    const uint32_t want = (24u << 25) | (7u << 21) | (15u << 16) | (13u << 11) | (45u << 5) | 15u;
    EXPECT_EQ(list[0].Date, want);
    EXPECT_EQ(list[1].Date, want);
}

TEST(FavoritesScan, AFolderGivenWithATrailingSeparatorStillGivesFavoritesPaths) {
    // As for a drive's root, whose path the shell returns with its "\".
    TempFolder fav;
    fav.File("Top.url", Shortcut("http://top.example/"));
    fav.Dir("News");
    fav.File("News\\Daily.url", Shortcut("http://news.example/"));
    TLinkList list;
    ScanFavoritesFolder(list, fav.path + "\\");
    std::vector<Row> rows = Rows(list);
    EXPECT_EQ(rows, (std::vector<Row>{{"Favorites\\Top.url", "http://top.example/", "Url"},
                                      {"Favorites\\News\\", "", "Folder"},
                                      {"Favorites\\News\\Daily.url", "http://news.example/", "Url"}}));
}

TEST(FavoritesScan, LongPathsAndAddressesAreCut) {
    TempFolder fav;
    std::string longName(200, 'n');
    fav.Dir(longName);
    fav.File(longName + "\\" + std::string(100, 'd') + ".url", Shortcut("http://x/"));
    fav.File("long.url", Shortcut("http://x/" + std::string(300, 'u')));
    TLinkList list;
    ScanFavoritesFolder(list, fav.path);
    ASSERT_EQ(list.Count(), 3);
    EXPECT_EQ(list[0].GetUrl().size(), 255u);
    EXPECT_EQ(list[2].GetPath().size(), 255u);
}

class ChooserTest : public ::testing::Test {
protected:
    void SetUp() override { forms::Application::Instance().Initialize(); }
};

TEST_F(ChooserTest, CallbackCentresPreselectsAndShowsTheStatusPath) {
    TempFolder dir;
    std::vector<std::pair<UINT, std::string>> sent;
    forms::Form dialog("TChooserStandIn", "Browse", 300, 200);
    dialog.OnMessage = [&](UINT msg, WPARAM wp, LPARAM lp, LRESULT&) {
        if (msg == BFFM_SETSELECTIONA) {
            EXPECT_EQ(wp, static_cast<WPARAM>(TRUE));
            sent.emplace_back(msg, reinterpret_cast<const char*>(lp));
        } else if (msg == BFFM_SETSTATUSTEXTA) {
            sent.emplace_back(msg, reinterpret_cast<const char*>(lp));
        } else {
            return false;
        }
        return true;
    };
    ChooserInitialFolder = dir.path;
    EXPECT_EQ(BrowseFolderCallback(dialog.Handle(), BFFM_INITIALIZED, 0, 0), 0);
    RECT r = dialog.Bounds();
    EXPECT_EQ(r.left, GetSystemMetrics(SM_CXSCREEN) / 2 - 300 / 2);
    EXPECT_EQ(r.top, GetSystemMetrics(SM_CYSCREEN) / 2 - 200 / 2);
    EXPECT_EQ(r.right - r.left, 300);

    LPITEMIDLIST item = nullptr;
    std::wstring wide(dir.path.begin(), dir.path.end());
    ASSERT_TRUE(SUCCEEDED(SHParseDisplayName(wide.c_str(), nullptr, &item, 0, nullptr)));
    BrowseFolderCallback(dialog.Handle(), BFFM_SELCHANGED, reinterpret_cast<LPARAM>(item), 0);
    CoTaskMemFree(item);
    LPITEMIDLIST printers = nullptr;
    SHGetSpecialFolderLocation(nullptr, CSIDL_PRINTERS, &printers);
    BrowseFolderCallback(dialog.Handle(), BFFM_SELCHANGED, reinterpret_cast<LPARAM>(printers), 0);
    CoTaskMemFree(printers);
    EXPECT_EQ(sent, (std::vector<std::pair<UINT, std::string>>{
                        {BFFM_SETSELECTIONA, dir.path}, {BFFM_SETSTATUSTEXTA, dir.path}, {BFFM_SETSTATUSTEXTA, ""}}));
}

// Presses a button of the folder browser once it is up.
struct DialogPresser {
    static inline int button;
    static inline bool pressed;
    static BOOL CALLBACK Find(HWND wnd, LPARAM) {
        char cls[32];
        GetClassNameA(wnd, cls, sizeof cls);
        if (std::string(cls) == "#32770" && IsWindowVisible(wnd)) {
            PostMessageA(wnd, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(wnd, button)));
            pressed = true;
            return FALSE;
        }
        return TRUE;
    }
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
        if (!pressed) EnumThreadWindows(GetCurrentThreadId(), Find, 0);
    }
};

TEST_F(ChooserTest, TheShellsBrowserReturnsThePreselectedFolderOrNothing) {
    // Wine's browser matches the preselected path level by level, and a level whose
    // modification time changes meanwhile (the temporary folder, while other programs
    // use it) no longer matches. The root of C: stays quiet.
    TempFolder dir("C:\\");
    for (int button : {IDOK, IDCANCEL}) {
        DialogPresser::button = button;
        DialogPresser::pressed = false;
        UINT_PTR timer = SetTimer(nullptr, 0, 200, DialogPresser::Tick);
        std::string chosen = ChooseFolder("Choose favorites folder:", dir.path);
        KillTimer(nullptr, timer);
        EXPECT_TRUE(DialogPresser::pressed);
        EXPECT_EQ(ChooserInitialFolder, dir.path);
        if (button == IDOK) EXPECT_EQ(chosen, dir.path);
        else EXPECT_EQ(chosen, "");
    }
}

}  // namespace
