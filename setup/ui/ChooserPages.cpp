// The target directory and program group pages.
#include "ChooserPages.h"

#include "Exceptions.h"
#include "Pages.h"
#include "SetupConfig.h"
#include "SetupMessage.h"

#include <shlobj.h>

namespace {

const int kEdit = 1005;
const int kBrowse = 1006;
const int kRequiredLabel = 1013;
const int kRequired = 1037;
const int kAvailableLabel = 1015;
const int kAvailable = 1038;
const int kGroupList = 1017;
const size_t kTakenChars = 511;

std::string EditText(HWND edit)
{
    char text[kTakenChars + 1] = {};
    GetWindowTextA(edit, text, sizeof text);
    return text;
}

using FreeSpaceEx = BOOL(WINAPI*)(LPCSTR, PULARGE_INTEGER, PULARGE_INTEGER, PULARGE_INTEGER);

// Sets the dialog caption once the browser is up.
int CALLBACK BrowseCallback(HWND window, UINT message, LPARAM, LPARAM data)
{
    if (message == BFFM_INITIALIZED)
        SetWindowTextA(window, reinterpret_cast<const char*>(data));
    return 0;
}

struct ShellMalloc {
    IMalloc* malloc = nullptr;
    ~ShellMalloc()
    {
        if (malloc)
            malloc->Release();
    }
};

struct ItemList {
    IMalloc* malloc;
    LPITEMIDLIST items = nullptr;
    ~ItemList()
    {
        if (items)
            malloc->Free(items);
    }
};

}  // namespace

unsigned long FreeDiskSpaceKb(const std::string& path)
{
    std::string where = path;
    if (path.size() >= 2 && path[1] == ':')
        where = path.substr(0, 2) + "\\";
    auto extended = reinterpret_cast<FreeSpaceEx>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "GetDiskFreeSpaceExA")));
    if (extended) {
        ULARGE_INTEGER available{};
        ULARGE_INTEGER total{};
        ULARGE_INTEGER free{};
        if (!extended(where.c_str(), &available, &total, &free))
            return 0;
        return static_cast<unsigned long>(available.QuadPart / 1024);
    }
    DWORD sectorsPerCluster = 0, bytesPerSector = 0, freeClusters = 0, clusters = 0;
    if (!GetDiskFreeSpaceA(where.c_str(), &sectorsPerCluster, &bytesPerSector, &freeClusters, &clusters))
        return 0;
    return static_cast<unsigned long>(static_cast<unsigned long long>(sectorsPerCluster) * bytesPerSector *
                                      freeClusters / 1024);
}

bool FolderBrowser::Choose(HWND owner, SetupConfig& config, std::string& folder)
{
    IShellFolder* desktop = nullptr;
    if (FAILED(SHGetDesktopFolder(&desktop)) || !desktop)
        throw WinException("SHGetDesktopFolder failed");
    ShellMalloc shell;
    if (FAILED(SHGetMalloc(&shell.malloc)) || !shell.malloc) {
        desktop->Release();
        throw WinException("Couldn't obtain Shell Malloc");
    }
    ItemList root{shell.malloc};
    wchar_t empty[1] = {0};
    HRESULT parsed = desktop->ParseDisplayName(owner, nullptr, empty, nullptr, &root.items, nullptr);
    desktop->Release();
    if (FAILED(parsed))
        return false;

    const std::string title = config.GetVariable("ChooseDirTitle", true);
    const std::string instruction = config.GetVariable("ChooseDirText1", true);
    char displayName[MAX_PATH] = {};
    BROWSEINFOA browse{};
    browse.hwndOwner = owner;
    browse.pidlRoot = root.items;
    browse.pszDisplayName = displayName;
    browse.lpszTitle = instruction.c_str();
    browse.ulFlags = BIF_RETURNONLYFSDIRS;
    browse.lpfn = &BrowseCallback;
    browse.lParam = reinterpret_cast<LPARAM>(title.c_str());
    ItemList chosen{shell.malloc, SHBrowseForFolderA(&browse)};
    if (!chosen.items)
        return false;
    char path[MAX_PATH] = {};
    if (!SHGetPathFromIDListA(chosen.items, path))
        return false;
    folder = path;
    return true;
}

// --- TargetDirPage

bool TargetDirPage::OnInit(HWND dialog)
{
    AttachSideImage();
    SetCaption(dialog, "TargetDirTitle");
    SetText(1009, "TargetDirText1");
    SetText(1010, "TargetDirText2");
    SetText(1011, "TargetDirText3");
    SetText(1012, "TargetDirText4");
    SetText(kBrowse, "TargetDirBrowse");
    SetText(IdBack, "TargetDirBack");
    SetText(IdNext, "TargetDirNext");
    SetText(IdCancel, "TargetDirCancel");
    SetWindowTextA(Control(kEdit), Text("AppDir").c_str());
    required_ = config_.HasVariable("RequiredDiskSpace") ? config_.GetVariableNumber("RequiredDiskSpace", 10) : 0;
    if (required_ != 0) {
        SetText(kRequiredLabel, "TargetDirText5");
        SetText(kAvailableLabel, "TargetDirText7");
        SetWindowTextA(Control(kRequired), (std::to_string(required_) + " KB").c_str());
        UpdateFreeSpace(Text("AppDir"));
    } else {
        for (int id : {kRequiredLabel, kRequired, kAvailableLabel, kAvailable})
            ShowWindow(Control(id), SW_HIDE);
    }
    CenterOnDesktop(dialog);
    return true;
}

void TargetDirPage::UpdateFreeSpace(const std::string& path)
{
    if (required_ == 0)
        return;
    const unsigned long free = FreeDiskSpaceKb(path);
    EnableWindow(Control(IdNext), free >= required_);
    SetWindowTextA(Control(kAvailable), (std::to_string(free) + " KB").c_str());
}

bool TargetDirPage::OnCommand(HWND dialog, int id, int code)
{
    switch (id) {
    case IdNext: {
        const std::string text = EditText(Control(kEdit));
        if (text.empty())
            return true;
        config_.SetVariable("AppDir", text);
        EndDialog(dialog, UM_NEXT);
        return true;
    }
    case IdBack:
        config_.SetVariable("AppDir", Text("DefaultInstallationPath"));
        EndDialog(dialog, UM_BACK);
        return true;
    case IdCancel:
        return AskExitSetup(dialog);
    case kBrowse: {
        std::string folder;
        if (FolderBrowser().Choose(dialog, config_, folder)) {
            if (folder.empty() || folder.back() != '\\')
                folder += '\\';
            folder += Text("DefaultDirectoryName");
            SetWindowTextA(Control(kEdit), folder.c_str());
            UpdateFreeSpace(folder);
        }
        return false;
    }
    default:
        return false;
    }
}

// --- ProgramGroupPage

bool ProgramGroupPage::OnInit(HWND dialog)
{
    AttachSideImage();
    SetCaption(dialog, "ProgmanTitle");
    SetText(1009, "ProgmanText1");
    SetText(1010, "ProgmanText2");
    SetText(1011, "ProgmanText3");
    SetText(IdBack, "ProgmanBack");
    SetText(IdNext, "ProgmanNext");
    SetText(IdCancel, "ProgmanCancel");
    SetWindowTextA(Control(kEdit), Text("OutputProgramGroup").c_str());

    HWND list = Control(kGroupList);
    char programs[MAX_PATH] = {};
    if (SHGetSpecialFolderPathA(dialog, programs, CSIDL_PROGRAMS, FALSE)) {
        const std::string folder = programs;
        WIN32_FIND_DATAA found;
        HANDLE search = FindFirstFileA((folder + "\\*.*").c_str(), &found);
        if (search != INVALID_HANDLE_VALUE) {
            do {
                const std::string name = found.cFileName;
                if (name.empty() || name[0] == '.')
                    continue;
                const DWORD attributes = GetFileAttributesA((folder + "\\" + name).c_str());
                if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
                    SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
            } while (FindNextFileA(search, &found));
            FindClose(search);
        }
    }
    SelectByPrefix(list, Text("DefaultShortcutFolderName"));
    CenterOnDesktop(dialog);
    return true;
}

bool ProgramGroupPage::OnCommand(HWND dialog, int id, int code)
{
    switch (id) {
    case IdNext: {
        const std::string text = EditText(Control(kEdit));
        if (text.empty())
            return true;
        config_.SetVariable("OutputProgramGroup", text);
        EndDialog(dialog, UM_NEXT);
        return true;
    }
    case IdBack:
        config_.SetVariable("OutputProgramGroup", Text("DefaultShortcutFolderName"));
        EndDialog(dialog, UM_BACK);
        return true;
    case IdCancel:
        return AskExitSetup(dialog);
    case kGroupList:
        if (code == LBN_SELCHANGE) {
            HWND list = Control(kGroupList);
            const int selected = static_cast<int>(SendMessageA(list, LB_GETCURSEL, 0, 0));
            if (selected != LB_ERR) {
                char name[MAX_PATH] = {};
                if (SendMessageA(list, LB_GETTEXTLEN, selected, 0) < MAX_PATH)
                    SendMessageA(list, LB_GETTEXT, selected, reinterpret_cast<LPARAM>(name));
                SetWindowTextA(Control(kEdit), name);
            }
        }
        return false;
    default:
        return false;
    }
}
