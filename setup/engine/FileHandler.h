// Handlers of the folder and file sections: folders with their parents, and
// files unpacked from setup.zip under the overwrite rules.
#pragma once

#include "InstallLog.h"
#include "RecordHandler.h"
#include "ReplaceFile.h"
#include "ZipReader.h"

#include <windows.h>

#include <string>

class FolderHandler : public RecordHandler {
public:
    explicit FolderHandler(InstallLog& log) : log_(log) {}
    // Field 1: the folder; it is created level by level and every level
    // created is recorded, parents first.
    void Apply(const std::string& record) override;

private:
    InstallLog& log_;
};

// FileFlags bits of field 4.
enum FileFlag {
    FileFlagRegister = 2,
    FileFlagShared = 4,
    FileFlagNoLog = 8,
};

class FileHandler : public RecordHandler {
public:
    // Opens the archive (normally "setup.zip" in the current folder).
    // statusText may be null.
    FileHandler(InstallLog& log, HWND statusText, const std::string& archive = "setup.zip");

    bool ArchiveOpen() const { return zip_.IsOpen(); }

    // Fields: unused, archive entry, target path, FileFlags, OverwriteMode.
    void Apply(const std::string& record) override;

    // A file in use was replaced, or scheduled to be, on the NT family.
    bool RestartNeeded() const { return restartNeeded_; }

private:
    bool Install(const std::string& entry, const std::string& target, int mode);
    bool Overwrite(const std::string& entry, const std::string& target, int mode);

    ZipReader zip_;
    InstallLog& log_;
    HWND statusText_;
    WindowsFamily family_;
    bool restartNeeded_ = false;
};

// The folder that holds the running program, without a trailing backslash.
std::string SetupProgramFolder();

// Runs Regsvr32.exe /s "target" from the program's folder, hidden, and waits
// for it; failures are ignored.
void RegisterLibrary(const std::string& target);
