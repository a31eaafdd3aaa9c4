// Helpers of the installation tests: fresh temporary folders, test-owned
// registry keys, fixture paths, and small file helpers.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// A fresh folder under the system's temporary folder, removed with all its
// contents (read-only files included) at the end.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const std::string& Path() const { return path_; }
    std::string operator/(const std::string& name) const { return path_ + "\\" + name; }

private:
    std::string path_;
};

void RemoveTree(const std::string& path);

// The folder of the fixtures built beside the test program.
std::string FixtureFolder();
std::string Fixture(const std::string& name);

std::string ReadFileText(const std::string& path);
void WriteFileText(const std::string& path, const std::string& text);
bool FileExists(const std::string& path);
std::vector<std::string> SplitLines(const std::string& text);  // at CR LF

FILETIME LastWrite(const std::string& path);
void SetLastWrite(const std::string& path, const FILETIME& time);
// A local date and time as the UTC file time the file system keeps.
FILETIME LocalTime(int year, int month, int day, int hour, int minute, int second);

// A registry key path the test owns below a root; deleted with its subkeys
// at the start and at the end.
class OwnedKey {
public:
    OwnedKey(HKEY root, std::string path);
    ~OwnedKey();
    OwnedKey(const OwnedKey&) = delete;
    OwnedKey& operator=(const OwnedKey&) = delete;
    const std::string& Path() const { return path_; }

private:
    HKEY root_;
    std::string path_;
};

// Reads a value: false when missing; type and data as stored.
bool ReadValue(HKEY root, const std::string& key, const std::string& name, DWORD& type, std::string& data);
