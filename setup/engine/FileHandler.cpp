// Handlers of the folder and file sections: folders with their parents, and
// files unpacked from setup.zip under the overwrite rules.
#include "FileHandler.h"

#include "FileVersion.h"
#include "FolderCreation.h"
#include "Handles.h"
#include "RecordFields.h"

#include <optional>

namespace {

std::optional<FILETIME> LastWriteTime(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return std::nullopt;
    return data.ftLastWriteTime;
}

std::string NewTemporaryFile() {
    char folder[MAX_PATH], name[MAX_PATH];
    DWORD length = GetTempPathA(MAX_PATH, folder);
    if (length == 0 || length >= MAX_PATH) return std::string();
    if (!GetTempFileNameA(folder, "tmp", 0, name)) return std::string();
    return name;
}

// Whether the archived file (version and time given) should replace the
// installed one under modes 1 to 6.
bool ShouldReplace(int mode, const std::string& archived, const std::string& installed) {
    if (mode == 1 || mode == 2 || mode == 5 || mode == 6) {
        std::optional<FileVersion> ours = ReadFileVersion(archived);
        std::optional<FileVersion> theirs = ReadFileVersion(installed);
        if (ours && theirs) {
            bool orEqual = mode == 1 || mode == 5;
            if (*theirs < *ours || (orEqual && *ours == *theirs)) return true;
        }
    }
    if (mode >= 3 && mode <= 6) {
        std::optional<FILETIME> ours = LastWriteTime(archived);
        std::optional<FILETIME> theirs = LastWriteTime(installed);
        if (ours && theirs) {
            long order = CompareFileTime(&*ours, &*theirs);
            bool orEqual = mode == 3 || mode == 5;
            return order > 0 || (orEqual && order == 0);
        }
    }
    return false;
}

}  // namespace

void FolderHandler::Apply(const std::string& record) {
    std::string path = RecordField(SplitRecord(record), 0);
    if (!path.empty() && path.back() == '\\') path.pop_back();
    CreateFolderLevels(path, [this](const std::string& folder) { log_.RecordFolder(folder); });
}

FileHandler::FileHandler(InstallLog& log, HWND statusText, const std::string& archive)
    : zip_(archive), log_(log), statusText_(statusText), family_(CurrentWindowsFamily()) {}

void FileHandler::Apply(const std::string& record) {
    std::vector<std::string> fields = SplitRecord(record);
    if (fields.size() < 3) return;
    const std::string& entry = fields[1];
    const std::string& target = fields[2];
    int flags = RecordNumber(fields, 3);
    int mode = RecordNumber(fields, 4);
    if (statusText_) SendMessageA(statusText_, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(target.c_str()));

    size_t slash = target.rfind('\\');
    std::string folder = slash == std::string::npos ? std::string() : target.substr(0, slash);
    unsigned long error = CreateFolderLevels(folder, [this, &folder](const std::string& created) {
        if (created == folder) log_.RecordFolder(created);
    });
    if (error != 0 && error != ERROR_ALREADY_EXISTS) return;

    if (!Install(entry, target, mode)) return;
    if (!(flags & FileFlagNoLog)) log_.RecordFile(target);
    if (flags & FileFlagShared) IncrementSharedDllCount(target);
    if (flags & FileFlagRegister) {
        RegisterLibrary(target);
        if (!(flags & FileFlagNoLog)) log_.RecordLibrary(target);
    }
}

bool FileHandler::Install(const std::string& entry, const std::string& target, int mode) {
    if (GetFileAttributesA(target.c_str()) == INVALID_FILE_ATTRIBUTES || mode == 0)
        return zip_.ExtractEntry(entry, target);
    if (mode < 0 || mode > 6) return true;
    return Overwrite(entry, target, mode);
}

bool FileHandler::Overwrite(const std::string& entry, const std::string& target, int mode) {
    std::string temporary = NewTemporaryFile();
    if (temporary.empty()) return false;
    if (!zip_.ExtractEntry(entry, temporary)) {
        DeleteFileA(temporary.c_str());
        return false;
    }
    ReplaceResult result = ReplaceResult::NotReplaced;
    if (ShouldReplace(mode, temporary, target)) result = ReplaceFile(temporary, target, family_, restartNeeded_);
    if (result != ReplaceResult::ScheduledAtRestart) DeleteFileA(temporary.c_str());
    return true;
}

std::string SetupProgramFolder() {
    char path[MAX_PATH];
    DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return std::string();
    std::string folder(path, length);
    size_t slash = folder.rfind('\\');
    return slash == std::string::npos ? std::string() : folder.substr(0, slash);
}

void RegisterLibrary(const std::string& target) {
    std::string command = SetupProgramFolder() + "\\Regsvr32.exe /s \"" + target + "\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_HIDE;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return;
    ScopedHandle thread(process.hThread), running(process.hProcess);
    WaitForSingleObject(running.Get(), INFINITE);
}
