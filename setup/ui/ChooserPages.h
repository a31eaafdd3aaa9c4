// The target directory page with its disk-space lines and folder browser, and the
// program group page.
#pragma once
#include "WizardPage.h"

#include <string>

// Free space for the user on the drive of path (its root when path starts with a
// drive letter), in KB truncated to 32 bits; 0 when it cannot be read.
unsigned long FreeDiskSpaceKb(const std::string& path);

// The shell's folder browser rooted at the desktop, captioned from the language file.
class FolderBrowser {
public:
    // The chosen folder's file-system path; false when cancelled or none was chosen.
    // Throws WinException when the shell's desktop folder or allocator is missing.
    bool Choose(HWND owner, SetupConfig& config, std::string& folder);
};

class TargetDirPage : public WizardPage {
public:
    using WizardPage::WizardPage;
    bool OnInit(HWND dialog) override;
    bool OnCommand(HWND dialog, int id, int code) override;

private:
    void UpdateFreeSpace(const std::string& path);

    unsigned long required_ = 0;
};

class ProgramGroupPage : public WizardPage {
public:
    using WizardPage::WizardPage;
    bool OnInit(HWND dialog) override;
    bool OnCommand(HWND dialog, int id, int code) override;
};
