// The check at setup's start for an installation of the same product
// version, which offers to remove it or to install over it.
#pragma once

#include <string>

class SetupConfig;

enum class ReinstallAnswer { Yes, No, Cancel };

// The questions the check asks; the reinstall dialog and a message box in
// setup, answers of their own in tests.
class ReinstallPrompter {
public:
    virtual ~ReinstallPrompter() = default;
    // Yes: remove the earlier installation; No: install over it; Cancel: end.
    virtual ReinstallAnswer Ask() = 0;
    // The earlier installation's uninstaller could not be started.
    virtual void ShowError(const std::string& text) = 0;
};

// True when setup goes on; false when it ends (Cancel, or the earlier
// uninstaller was started).
bool ReinstallCheck(SetupConfig& config, ReinstallPrompter& prompter);
