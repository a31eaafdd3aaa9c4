// The configuration's ownership of the install log: creating and filling it
// at the start of the installation run, writing it at the end of setup.
#include "Exceptions.h"
#include "InstallLog.h"
#include "SetupConfig.h"

InstallLog& SetupConfig::CreateInstallLog(bool imitation) {
    installLog_.reset();
    std::string appDir = GetAppDir();
    if (appDir.empty() || appDir.back() != '\\') appDir += '\\';
    auto log = std::make_shared<InstallLog>(appDir + "setup.log", imitation);
    // Recorded first, so the uninstaller meets it last of [APPFILES].
    log->RecordApplicationFile(log->Path());
    log->RecordCommon("Application_Name=" + GetProductName());
    for (int n = 0; n < 13; ++n) {
        std::string line;
        if (!language_.GetLine("UNINSTALL_DIALOG", n, line)) line.clear();
        log->RecordCommon(line);
    }
    std::string beforeUninstall = GetBeforeUninstallText();
    if (!beforeUninstall.empty()) {
        ExpandVariables(beforeUninstall);
        log->RecordRun("BeforeUninstall=" + beforeUninstall);
    }
    installLog_ = log;
    return *installLog_;
}

void SetupConfig::ReleaseInstallLog() {
    std::shared_ptr<InstallLog> log = std::move(installLog_);
    if (log && !log->Close()) throw FileException(log->Path(), FileErrorDiskFull);
}
