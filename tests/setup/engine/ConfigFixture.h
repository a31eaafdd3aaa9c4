// A setup folder written by the test: Setup.ini, language files and setup.zip, with
// the current folder set to it while the configuration loads.
#pragma once
#include "SetupConfig.h"
#include "TestFolder.h"

#include <memory>

class ConfigFolder {
public:
    ConfigFolder()
    {
        char current[MAX_PATH];
        GetCurrentDirectoryA(MAX_PATH, current);
        previous_ = current;
        folder_.WriteRaw("setup.zip", "PK");
    }
    ~ConfigFolder() { SetCurrentDirectoryA(previous_.c_str()); }

    TestFolder& Folder() { return folder_; }
    void SetupIni(const std::vector<std::string>& lines) { folder_.WriteLines("Setup.ini", lines); }
    void Language(const std::string& name, const std::vector<std::string>& lines)
    {
        folder_.WriteLines(name + ".dat", lines);
    }

    // Loads with the folder as program folder and current folder.
    std::unique_ptr<SetupConfig> Load()
    {
        SetCurrentDirectoryA(folder_.Path().c_str());
        return std::unique_ptr<SetupConfig>(new SetupConfig(folder_.Path()));
    }

private:
    TestFolder folder_;
    std::string previous_;
};
