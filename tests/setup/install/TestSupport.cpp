// Helpers of the installation tests.
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace {

// Wine keeps a folder that was the current folder while its shell link
// object saved a link in use until the process ends, so such a folder stays
// behind, empty. Each run removes the empty ones of earlier runs.
void RemoveEmptyLeftovers(const std::string& temp) {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((temp + "kvinst_*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return;
    do RemoveDirectoryA((temp + found.cFileName).c_str());
    while (FindNextFileA(search, &found));
    FindClose(search);
}

}  // namespace

TempFolder::TempFolder() {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    static int counter = 0;
    if (counter == 0) RemoveEmptyLeftovers(temp);
    char name[64];
    std::snprintf(name, sizeof(name), "kvinst_%lu_%d_%lu", GetCurrentProcessId(), ++counter, GetTickCount());
    path_ = std::string(temp) + name;
    CreateDirectoryA(path_.c_str(), nullptr);
}

TempFolder::~TempFolder() { RemoveTree(path_); }

void RemoveTree(const std::string& path) {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((path + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            std::string name = found.cFileName;
            if (name == "." || name == "..") continue;
            std::string child = path + "\\" + name;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(child);
            } else {
                SetFileAttributesA(child.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileA(child.c_str());
            }
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    RemoveDirectoryA(path.c_str());
}

std::string FixtureFolder() {
    // A copy of the test program run elsewhere is told where they are.
    char given[MAX_PATH];
    DWORD length = GetEnvironmentVariableA("KV_FIXTURES", given, MAX_PATH);
    if (length > 0 && length < MAX_PATH) return given;
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder = path;
    return folder.substr(0, folder.rfind('\\')) + "\\fixtures";
}

std::string Fixture(const std::string& name) { return FixtureFolder() + "\\" + name; }

std::string ReadFileText(const std::string& path) {
    std::string text;
    FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return text;
    char buffer[4096];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof(buffer), file)) > 0) text.append(buffer, n);
    std::fclose(file);
    return text;
}

void WriteFileText(const std::string& path, const std::string& text) {
    FILE* file = std::fopen(path.c_str(), "wb");
    ASSERT_NE(file, nullptr) << path;
    std::fwrite(text.data(), 1, text.size(), file);
    std::fclose(file);
}

bool FileExists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", start)) {
        lines.push_back(text.substr(start, at - start));
        start = at + 2;
    }
    if (start < text.size()) lines.push_back(text.substr(start));
    return lines;
}

FILETIME LastWrite(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data = {};
    GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data);
    return data.ftLastWriteTime;
}

void SetLastWrite(const std::string& path, const FILETIME& time) {
    HANDLE file = CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE) << path;
    SetFileTime(file, nullptr, nullptr, &time);
    CloseHandle(file);
}

FILETIME LocalTime(int year, int month, int day, int hour, int minute, int second) {
    SYSTEMTIME system = {};
    system.wYear = static_cast<WORD>(year);
    system.wMonth = static_cast<WORD>(month);
    system.wDay = static_cast<WORD>(day);
    system.wHour = static_cast<WORD>(hour);
    system.wMinute = static_cast<WORD>(minute);
    system.wSecond = static_cast<WORD>(second);
    FILETIME local, utc;
    SystemTimeToFileTime(&system, &local);
    LocalFileTimeToFileTime(&local, &utc);
    return utc;
}

namespace {
void DeleteTree(HKEY root, const std::string& path) {
    HKEY key;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) return;
    char name[256];
    for (;;) {
        DWORD size = sizeof(name);
        if (RegEnumKeyExA(key, 0, name, &size, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
        DeleteTree(key, name);
    }
    RegCloseKey(key);
    RegDeleteKeyA(root, path.c_str());
}
}  // namespace

OwnedKey::OwnedKey(HKEY root, std::string path) : root_(root), path_(std::move(path)) { DeleteTree(root_, path_); }
OwnedKey::~OwnedKey() { DeleteTree(root_, path_); }

bool ReadValue(HKEY root, const std::string& key, const std::string& name, DWORD& type, std::string& data) {
    HKEY handle;
    if (RegOpenKeyExA(root, key.c_str(), 0, KEY_QUERY_VALUE, &handle) != ERROR_SUCCESS) return false;
    char buffer[1024];
    DWORD size = sizeof(buffer);
    LONG result = RegQueryValueExA(handle, name.empty() ? nullptr : name.c_str(), nullptr, &type,
                                   reinterpret_cast<BYTE*>(buffer), &size);
    RegCloseKey(handle);
    if (result != ERROR_SUCCESS) return false;
    data.assign(buffer, size);
    return true;
}
