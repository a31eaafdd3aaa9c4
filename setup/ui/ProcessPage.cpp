// The progress page, the exit confirmation and the reinstall question.
#include "ProcessPage.h"

#include "InstallWorker.h"
#include "SetupConfig.h"
#include "SetupMessage.h"
#include "resource.h"

namespace {

const int kStatusText = 1033;
const int kProgressBar = 1032;

}  // namespace

// --- ProcessPage

ProcessPage::ProcessPage(SetupConfig& config, HWND dialog, std::unique_ptr<InstallWorker>& slot)
    : WizardPage(config, dialog), worker_(slot)
{
}

bool ProcessPage::OnInit(HWND dialog)
{
    SetCaption(dialog, "ProcessTitle");
    SetText(IdCancel, "ProcessCancel");
    if (worker_) {
        // Only one installation may use the configuration at a time.
        worker_->RequestStop();
        worker_->Wait(INFINITE);
        worker_.reset();
    }
    try {
        worker_.reset(new InstallWorker(dialog, config_, Control(kProgressBar), Control(kStatusText)));
    } catch (const thread::GenericError&) {
        return false;
    }
    worker_->start();
    CenterOnDesktop(dialog);
    return true;
}

bool ProcessPage::OnCommand(HWND dialog, int id, int code)
{
    if (id == IdCancel) {
        if (!AskExitSetup(dialog))
            return false;
        // The worker ends at its next record; setup waits for it before it ends.
        if (worker_)
            worker_->RequestStop();
        return true;
    }
    if (id == UM_INSTALL_DONE) {
        EndDialog(dialog, UM_NEXT);
        return true;
    }
    return false;
}

// --- ExitSetupDialog

bool ExitSetupDialog::OnInit(HWND dialog)
{
    SetCaption(dialog, "ExitSetupTitle");
    SetText(1009, "ExitSetupText1");
    SetText(1010, "ExitSetupText2");
    SetText(1011, "ExitSetupText3");
    SetText(1000, "ExitResume");
    SetText(1001, "ExitExit");
    CenterOnDesktop(dialog);
    return true;
}

bool ExitSetupDialog::OnCommand(HWND dialog, int id, int code)
{
    if (id == 1001 || id == IdCancel) {
        EndDialog(dialog, UM_EXIT);
        return true;
    }
    if (id == 1000) {
        EndDialog(dialog, UM_RESUME);
        return true;
    }
    return false;
}

// --- ReinstallDialog

bool ReinstallDialog::OnInit(HWND dialog)
{
    SetCaption(dialog, "ReinstallDialogTitle");
    SetText(1009, "ReinstallDialogText");
    SetText(1059, "ReinstallDialogYes");
    SetText(1060, "ReinstallDialogNo");
    SetText(1056, "ReinstallDialogCancel");
    CenterOnDesktop(dialog);
    return true;
}

bool ReinstallDialog::OnCommand(HWND dialog, int id, int code)
{
    switch (id) {
    case 1059:
        EndDialog(dialog, UM_REINSTALL_YES);
        return true;
    case 1060:
        EndDialog(dialog, UM_REINSTALL_NO);
        return true;
    case 1056:
    case IdCancel:
        EndDialog(dialog, UM_REINSTALL_CANCEL);
        return true;
    default:
        return false;
    }
}

ReinstallAnswer DialogReinstallPrompter::Ask()
{
    PageFactoryOf<ReinstallDialog> factory(config_);
    switch (RunPageDialog(nullptr, IDD_REINSTALL, factory)) {
    case UM_REINSTALL_YES:
        return ReinstallAnswer::Yes;
    case UM_REINSTALL_NO:
        return ReinstallAnswer::No;
    default:
        return ReinstallAnswer::Cancel;
    }
}

void DialogReinstallPrompter::ShowError(const std::string& text)
{
    MessageBoxA(nullptr, text.c_str(), "Setup", MB_ICONWARNING | MB_OK);
}
