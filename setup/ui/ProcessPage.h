// The installation progress page, the exit confirmation and the reinstall question.
#pragma once
#include "ReinstallCheck.h"
#include "WizardPage.h"

#include <memory>

class InstallWorker;

// Runs the installation worker behind a progress bar and a status line.
class ProcessPage : public WizardPage {
public:
    // slot keeps the worker beyond the page, until setup ends.
    ProcessPage(SetupConfig& config, HWND dialog, std::unique_ptr<InstallWorker>& slot);
    bool OnInit(HWND dialog) override;
    bool OnCommand(HWND dialog, int id, int code) override;

private:
    std::unique_ptr<InstallWorker>& worker_;
};

class ProcessPageFactory : public PageFactory {
public:
    ProcessPageFactory(SetupConfig& config, std::unique_ptr<InstallWorker>& slot) : PageFactory(config), slot_(slot) {}
    WizardPage* CreatePage(HWND dialog) override { return new ProcessPage(config_, dialog, slot_); }

private:
    std::unique_ptr<InstallWorker>& slot_;
};

// Ends with UM_EXIT (Exit, Enter, Escape, close box) or UM_RESUME.
class ExitSetupDialog : public WizardPage {
public:
    using WizardPage::WizardPage;
    bool OnInit(HWND dialog) override;
    bool OnCommand(HWND dialog, int id, int code) override;
};

// Ends with UM_REINSTALL_YES, UM_REINSTALL_NO or UM_REINSTALL_CANCEL.
class ReinstallDialog : public WizardPage {
public:
    using WizardPage::WizardPage;
    bool OnInit(HWND dialog) override;
    bool OnCommand(HWND dialog, int id, int code) override;
};

// The reinstall check's questions as setup asks them: the reinstall dialog without
// owner, and a warning box captioned "Setup".
class DialogReinstallPrompter : public ReinstallPrompter {
public:
    explicit DialogReinstallPrompter(SetupConfig& config) : config_(config) {}
    ReinstallAnswer Ask() override;
    void ShowError(const std::string& text) override;

private:
    SetupConfig& config_;
};
