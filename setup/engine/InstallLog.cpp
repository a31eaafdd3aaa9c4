// The install log: everything an installation run created, written as
// setup.log for the product's uninstaller.
#include "InstallLog.h"

#include "Handles.h"

#include <windows.h>

InstallLog::InstallLog(std::string path, bool imitation) : path_(std::move(path)), imitation_(imitation) {}

InstallLog::~InstallLog() { Close(); }

bool InstallLog::Close() {
    if (closed_) return true;
    closed_ = true;
    return Write();
}

void InstallLog::Add(Section section, const std::string& line) {
    if (!imitation_) sections_[section].push_back(line);
}

void InstallLog::RecordCommon(const std::string& line) { Add(Common, line); }

void InstallLog::RecordFolder(const std::string& path) {
    Add(category_ == CategoryApplication ? AppDir : AppFolders, path);
}

void InstallLog::RecordFile(const std::string& path) {
    switch (category_) {
    case CategorySystem: Add(StdFiles, path); break;
    case CategoryShared: Add(SharedFiles, path); break;
    default: Add(AppFiles, path); break;
    }
}

void InstallLog::RecordApplicationFile(const std::string& path) { Add(AppFiles, path); }
void InstallLog::RecordLibrary(const std::string& path) { Add(RegDlls, path); }
void InstallLog::RecordKey(const std::string& rootAndKey) { Add(RegEntry, rootAndKey); }
void InstallLog::RecordRun(const std::string& line) { Add(RunApps, line); }

std::string InstallLog::Text() const {
    static const char* const headers[SectionCount] = {
        "[COMMON]", "[SHAREDFILES]", "[STDFILES]", "[APPFILES]", "[APPFOLDERS]",
        "[APPDIR]", "[REGENTRY]", "[REGDLLS]", "[RUNAPPS]"};
    std::string text;
    for (int s = 0; s < SectionCount; ++s) {
        text += headers[s];
        text += "\r\n";
        const std::vector<std::string>& lines = sections_[s];
        // The uninstaller reads top to bottom: newest first puts files before
        // the folders that hold them, and inner keys before outer ones.
        if (s == Common) {
            for (const std::string& line : lines) text += line + "\r\n";
        } else {
            for (auto it = lines.rbegin(); it != lines.rend(); ++it) text += *it + "\r\n";
        }
    }
    return text;
}

bool InstallLog::Write() const {
    if (imitation_) return true;
    ScopedHandle file(
        CreateFileA(path_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.IsValid()) return false;
    std::string text = Text();
    DWORD written = 0;
    return WriteFile(file.Get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr) &&
           written == text.size();
}
