// Files in use for the tests of replacement at the next restart: a file held open as
// a program that uses it does, and the system's list of renames pending for the
// next restart, put back as it was.
#pragma once
#include <windows.h>

#include <string>

// Holds a file open as a program that uses it does.
class HeldFile {
public:
    HeldFile(const std::string& path, DWORD sharing)
        : handle_(CreateFileA(path.c_str(), GENERIC_READ, sharing, nullptr, OPEN_EXISTING, 0, nullptr))
    {
    }
    ~HeldFile() { Release(); }
    HeldFile(const HeldFile&) = delete;
    HeldFile& operator=(const HeldFile&) = delete;
    void Release()
    {
        if (handle_ != INVALID_HANDLE_VALUE)
            CloseHandle(handle_);
        handle_ = INVALID_HANDLE_VALUE;
    }
    bool Held() const { return handle_ != INVALID_HANDLE_VALUE; }

private:
    HANDLE handle_;
};

// Entries added to the pending renames of the next restart are taken out again, so
// the test prefix does not act on them at its next boot.
class PendingRenames {
public:
    PendingRenames() : before_(Read()) {}
    ~PendingRenames()
    {
        HKEY key;
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kSessionManager, 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS)
            return;
        if (before_.empty())
            RegDeleteValueA(key, kValue);
        else
            RegSetValueExA(key, kValue, 0, REG_MULTI_SZ, reinterpret_cast<const BYTE*>(before_.data()),
                           static_cast<DWORD>(before_.size()));
        RegCloseKey(key);
    }
    PendingRenames(const PendingRenames&) = delete;
    PendingRenames& operator=(const PendingRenames&) = delete;

    // The value as it is now: strings separated by NUL characters; empty when missing.
    static std::string Read()
    {
        HKEY key;
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kSessionManager, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
            return std::string();
        std::string data;
        DWORD size = 0;
        if (RegQueryValueExA(key, kValue, nullptr, nullptr, nullptr, &size) == ERROR_SUCCESS && size > 0) {
            data.resize(size);
            if (RegQueryValueExA(key, kValue, nullptr, nullptr, reinterpret_cast<BYTE*>(&data[0]), &size) !=
                ERROR_SUCCESS)
                size = 0;
            data.resize(size);
        }
        RegCloseKey(key);
        return data;
    }

private:
    static constexpr const char* kSessionManager = "System\\CurrentControlSet\\Control\\Session Manager";
    static constexpr const char* kValue = "PendingFileRenameOperations";
    std::string before_;
};
