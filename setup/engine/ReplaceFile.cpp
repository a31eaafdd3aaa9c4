// Replacing an installed file with a newer one, also when it is in use, and
// the SharedDLLs use counts.
#include "ReplaceFile.h"

#include "Handles.h"

#include <cstdio>

namespace {

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

ReplaceResult ReplaceInUse(const std::string& source, const std::string& target) {
    std::string renamed = FreeInUseName(target);
    if (!renamed.empty() && MoveFileExA(target.c_str(), renamed.c_str(), MOVEFILE_COPY_ALLOWED)) {
        if (CopyFileA(source.c_str(), target.c_str(), TRUE)) {
            if (MoveFileExA(renamed.c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT)) return ReplaceResult::Replaced;
        } else {
            // Put the old file back rather than leave no file until the restart.
            MoveFileExA(renamed.c_str(), target.c_str(), MOVEFILE_COPY_ALLOWED);
        }
    }
    if (MoveFileExA(source.c_str(), target.c_str(), MOVEFILE_DELAY_UNTIL_REBOOT | MOVEFILE_REPLACE_EXISTING))
        return ReplaceResult::ScheduledAtRestart;
    return ReplaceResult::NotReplaced;
}

}  // namespace

WindowsFamily CurrentWindowsFamily() {
    OSVERSIONINFOA info = {};
    info.dwOSVersionInfoSize = sizeof(info);
    if (GetVersionExA(&info) && info.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS) return WindowsFamily::Win9x;
    return WindowsFamily::NT;
}

std::string FreeInUseName(const std::string& target) {
    size_t name = target.find_last_of('\\');
    name = name == std::string::npos ? 0 : name + 1;
    // Only the file name: a "dll" in a folder name would move the file into
    // another folder that need not exist.
    size_t dll = target.rfind("dll");
    bool inName = dll != std::string::npos && dll >= name;
    for (int n = 1; n <= 998; ++n) {
        char digits[4];
        std::snprintf(digits, sizeof(digits), "%03d", n);
        std::string candidate = inName ? target.substr(0, dll) + digits + target.substr(dll + 3)
                                       : target + "." + digits;
        if (!Exists(candidate)) return candidate;
    }
    return std::string();
}

bool ScheduleWinInitRename(const std::string& source, const std::string& target) {
    char windows[MAX_PATH];
    UINT length = GetWindowsDirectoryA(windows, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return false;
    std::string path = std::string(windows) + "\\WinInit.Ini";
    ScopedHandle handle(CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!handle.IsValid()) return false;
    HANDLE file = handle.Get();

    bool ok = true;
    std::string text;
    DWORD size = GetFileSize(file, nullptr);
    if (size == INVALID_FILE_SIZE) ok = false;
    if (ok && size > 0) {
        text.resize(size);
        DWORD read = 0;
        ok = ReadFile(file, &text[0], size, &read, nullptr) && read == size;
    }
    if (ok) {
        const std::string header = "[Rename]\r\n";
        const std::string line = (target.empty() ? std::string("NUL") : target) + "=" + source + "\r\n";
        size_t at = text.find(header);
        if (at != std::string::npos)
            text.insert(at + header.size(), line);
        else
            text += header + line;
        DWORD written = 0;
        ok = SetFilePointer(file, 0, nullptr, FILE_BEGIN) == 0 &&
             WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) &&
             written == text.size() && SetEndOfFile(file);
    }
    return ok;
}

ReplaceResult ReplaceFile(const std::string& source, const std::string& target, WindowsFamily family,
                          bool& restartNeeded) {
    if (CopyFileA(source.c_str(), target.c_str(), FALSE)) return ReplaceResult::Replaced;
    if (GetLastError() != ERROR_ACCESS_DENIED) return ReplaceResult::NotReplaced;

    DWORD attributes = GetFileAttributesA(target.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
        SetFileAttributesA(target.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY);
    if (CopyFileA(source.c_str(), target.c_str(), FALSE)) return ReplaceResult::Replaced;
    DWORD error = GetLastError();

    if (family == WindowsFamily::NT) {
        if (error != ERROR_ACCESS_DENIED && error != ERROR_SHARING_VIOLATION) return ReplaceResult::NotReplaced;
        restartNeeded = true;
        return ReplaceInUse(source, target);
    }
    return ScheduleWinInitRename(source, target) ? ReplaceResult::ScheduledAtRestart : ReplaceResult::NotReplaced;
}

void IncrementSharedDllCount(const std::string& target) {
    ScopedKey key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\SharedDLLs", 0,
                      KEY_QUERY_VALUE | KEY_SET_VALUE, key.Receive()) != ERROR_SUCCESS)
        return;
    DWORD count = 0, type = 0, size = sizeof(count);
    if (RegQueryValueExA(key.Get(), target.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&count), &size) !=
            ERROR_SUCCESS ||
        size != sizeof(count))
        count = 0;
    ++count;
    RegSetValueExA(key.Get(), target.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&count), sizeof(count));
}
