// The install log: everything an installation run created, written as
// setup.log for the product's uninstaller.
#pragma once

#include <array>
#include <string>
#include <vector>

enum InstallCategory {
    CategoryApplication = 0,
    CategorySystem = 1,
    CategoryShared = 2,
};

class InstallLog {
public:
    // path is the full name of setup.log; an imitation log records nothing
    // and writes nothing.
    InstallLog(std::string path, bool imitation);
    // Writes setup.log unless Close did already; a failure goes unreported.
    ~InstallLog();
    InstallLog(const InstallLog&) = delete;
    InstallLog& operator=(const InstallLog&) = delete;

    const std::string& Path() const { return path_; }
    bool Imitation() const { return imitation_; }

    void SetCategory(InstallCategory category) { category_ = category; }
    InstallCategory Category() const { return category_; }

    void RecordCommon(const std::string& line);
    // A created folder, in the section of the current category.
    void RecordFolder(const std::string& path);
    // An installed file, in the section of the current category.
    void RecordFile(const std::string& path);
    // A file that belongs to the application whatever the category
    // (shortcuts, error.log).
    void RecordApplicationFile(const std::string& path);
    void RecordLibrary(const std::string& path);
    // rootAndKey: root text, a comma, the key path (HKLM,Software\Maker).
    void RecordKey(const std::string& rootAndKey);
    void RecordRun(const std::string& line);

    // The text of setup.log: nine sections, CR LF line ends, every section
    // but [COMMON] newest first.
    std::string Text() const;

    // Writes setup.log, replacing an earlier one; false when the file cannot
    // be created or written. Nothing happens (true) in imitation.
    bool Write() const;
    // Write once: later calls and the destructor write nothing.
    bool Close();

private:
    enum Section { Common, SharedFiles, StdFiles, AppFiles, AppFolders, AppDir, RegEntry, RegDlls, RunApps, SectionCount };
    void Add(Section section, const std::string& line);

    std::string path_;
    bool imitation_;
    bool closed_ = false;
    InstallCategory category_ = CategoryApplication;
    std::array<std::vector<std::string>, SectionCount> sections_;
};
