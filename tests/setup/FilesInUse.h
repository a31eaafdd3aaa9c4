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
// the test prefix does not act on them at its next boot. Only the pairs that name the
// test's own folder go: test programs running at the same time keep theirs.
class PendingRenames {
public:
    explicit PendingRenames(std::string folder) : folder_(Lower(std::move(folder))) {}
    ~PendingRenames()
    {
        // The value holds pairs of strings (from, to), each ended by a NUL.
        std::string now = Read(), kept;
        bool removed = false;
        size_t at = 0;
        while (at < now.size() && now[at]) {
            size_t fromEnd = now.find('\0', at);
            if (fromEnd == std::string::npos) break;
            size_t toEnd = now.find('\0', fromEnd + 1);
            if (toEnd == std::string::npos) break;
            std::string pair = now.substr(at, toEnd + 1 - at);
            if (Lower(pair).find(folder_) == std::string::npos) kept += pair;
            else removed = true;
            at = toEnd + 1;
        }
        if (!removed) return;
        HKEY key;
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kSessionManager, 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS)
            return;
        if (kept.empty()) {
            RegDeleteValueA(key, kValue);
        } else {
            kept += '\0';
            RegSetValueExA(key, kValue, 0, REG_MULTI_SZ, reinterpret_cast<const BYTE*>(kept.data()),
                           static_cast<DWORD>(kept.size()));
        }
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
    static std::string Lower(std::string text)
    {
        for (char& c : text)
            if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        return text;
    }
    std::string folder_;
};
