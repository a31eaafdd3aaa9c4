// Handler of the shortcut section: shell links (.lnk) and Internet
// shortcuts (.url) made through the system's COM objects.
#include "ShortcutHandler.h"

#include "FolderCreation.h"
#include "RecordFields.h"

#include <cstdlib>

#include <objbase.h>
#include <objidl.h>
#include <shlobj.h>
#include <intshcut.h>

namespace {

// Owns one COM interface pointer.
template <class T>
class ComPtr {
public:
    ComPtr() = default;
    ~ComPtr() { if (p_) p_->Release(); }
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;
    T* operator->() const { return p_; }
    T* Get() const { return p_; }
    void** Out() { return reinterpret_cast<void**>(&p_); }

private:
    T* p_ = nullptr;
};

void SetStatus(HWND status, const char* text) {
    if (status) SendMessageA(status, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
}

// Saves without making the file the object's current file.
bool Save(IPersistFile* file, const std::string& path) {
    wchar_t wide[MAX_PATH];
    if (!MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide, MAX_PATH)) return false;
    return SUCCEEDED(file->Save(wide, FALSE));
}

}  // namespace

ShortcutHandler::ShortcutHandler(Expander expand, InstallLog& log, ErrorLog& errors, HWND statusText)
    : expand_(std::move(expand)), log_(log), errors_(errors), statusText_(statusText) {
    CoInitialize(nullptr);
    SetStatus(statusText_, "Create shortcuts");
}

ShortcutHandler::~ShortcutHandler() {
    CoUninitialize();
    SetStatus(statusText_, "");
}

void ShortcutHandler::Apply(const std::string& record) {
    std::vector<std::string> all = SplitRecord(record);
    std::vector<std::string> fields(8);
    for (size_t i = 0; i < fields.size(); ++i) fields[i] = RecordField(all, i);
    const std::string& type = fields[0];
    std::string path = fields[1];
    expand_(path);
    if (path.empty()) {
        errors_.Add("bad format Shortcut record:link path is empty", "");
        return;
    }
    size_t slash = path.rfind('\\');
    std::string folder = slash == std::string::npos ? std::string() : path.substr(0, slash);
    if (!EnsureFolder(folder)) errors_.Add("can't make dir for shortcut:", folder);

    char kind = type.empty() ? '\0' : type[0];
    if (kind == 's') {
        std::string target = fields[2];
        expand_(target);
        MakeShellLink(path, target, fields[3], fields[4], fields[5], fields[6], fields[7]);
    } else if (kind == 'i' || kind == 'w') {
        MakeInternetShortcut(path, fields[2]);
    } else {
        errors_.Add("Unknown link type:", type);
    }
}

bool ShortcutHandler::EnsureFolder(const std::string& folder) {
    bool drivePath = folder.size() >= 2 && folder[1] == ':';
    if (folder.empty() || (drivePath && folder.size() < 4)) return true;
    if (drivePath) {
        std::string root = folder.substr(0, 2) + "\\";
        UINT driveType = GetDriveTypeA(root.c_str());
        if (driveType == DRIVE_UNKNOWN || driveType == DRIVE_NO_ROOT_DIR) return false;
    }
    if (FolderExists(folder)) return true;
    size_t at = FirstLevelStart(folder);
    if (at == std::string::npos) at = 0;
    for (size_t slash = folder.find('\\', at);; slash = folder.find('\\', slash + 1)) {
        std::string level = folder.substr(0, slash);
        if (CreateDirectoryA(level.c_str(), nullptr)) log_.RecordFolder(level);
        if (slash == std::string::npos) break;
    }
    return FolderExists(folder);
}

void ShortcutHandler::MakeShellLink(const std::string& path, const std::string& target,
                                    const std::string& arguments, const std::string& iconFile,
                                    const std::string& iconIndex, const std::string& show,
                                    const std::string& workingFolder) {
    ComPtr<IShellLinkA> link;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA, link.Out()))) {
        errors_.Add("can't get IShellLink interface", "");
        return;
    }
    link->SetPath(target.c_str());
    if (!arguments.empty()) link->SetArguments(arguments.c_str());
    if (!iconFile.empty()) link->SetIconLocation(iconFile.c_str(), std::atoi(iconIndex.c_str()));
    if (!show.empty()) link->SetShowCmd(std::atoi(show.c_str()));
    if (!workingFolder.empty()) link->SetWorkingDirectory(workingFolder.c_str());
    ComPtr<IPersistFile> file;
    if (FAILED(link->QueryInterface(IID_IPersistFile, file.Out()))) {
        errors_.Add("can't get IPersistFile interface", "");
        return;
    }
    std::string name = path + ".lnk";
    if (!Save(file.Get(), name)) {
        errors_.Add("can't save shortcut:", name);
        return;
    }
    log_.RecordApplicationFile(name);
}

void ShortcutHandler::MakeInternetShortcut(const std::string& path, const std::string& address) {
    ComPtr<IUniformResourceLocatorA> url;
    if (FAILED(CoCreateInstance(CLSID_InternetShortcut, nullptr, CLSCTX_INPROC_SERVER, IID_IUniformResourceLocatorA,
                                url.Out())))
        return;
    if (FAILED(url->SetURL(address.c_str(), IURL_SETURL_FL_GUESS_PROTOCOL))) return;
    ComPtr<IPersistFile> file;
    if (FAILED(url->QueryInterface(IID_IPersistFile, file.Out()))) return;
    std::string name = path + ".url";
    if (!Save(file.Get(), name)) {
        errors_.Add("can't save shortcut:", name);
        return;
    }
    log_.RecordApplicationFile(name);
}
