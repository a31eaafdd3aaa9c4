// The installation run: a worker thread that applies the record sections of
// Setup.ini in their fixed order and reports to the progress page.
#include "InstallWorker.h"

#include "ErrorLog.h"
#include "Exceptions.h"
#include "FileHandler.h"
#include "IniFileHandler.h"
#include "InstallLog.h"
#include "RegistryHandler.h"
#include "SetupConfig.h"
#include "ShortcutHandler.h"

#include <commctrl.h>

#include <memory>

// A benchmark may build this unit with its own pause; setup keeps 50 ms.
#ifndef INSTALL_RECORD_PAUSE_MS
#define INSTALL_RECORD_PAUSE_MS 50
#endif
const DWORD kRecordPauseMs = INSTALL_RECORD_PAUSE_MS;

namespace {

// The command the progress page waits for (UM_INSTALL_DONE).
const WORD kInstallDoneCommand = 1048;

std::atomic<bool> restartNeeded{false};

// Thrown between records when a stop was requested.
struct StopRequested {};

const char* const kSections[] = {
    "APPLICATION_FOLDERS", "APPLICATION_FILES", "SHARED_FOLDERS", "SHARED_FILES", "SYSTEM_FOLDERS",
    "SYSTEM_FILES",        "REGISTRY_ENTRIES",  "FILE_TYPES",     "SHORTCUTS",    "INI_FILES"};

const char* const kUninstallRecords[] = {
    "key,HKLM,SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\%ProductName%",
    "value,HKLM,SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\%ProductName%,DisplayName,S,"
    "%AddRemoveProgramsDescription%",
    "value,HKLM,SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\%ProductName%,UninstallString,S,"
    "\"%AppDir%\\uninstall.exe\"",
};

}  // namespace

bool IsRestartNeeded() { return restartNeeded; }
void SetRestartNeeded(bool needed) { restartNeeded = needed; }

InstallWorker::InstallWorker(HWND page, SetupConfig& config, HWND progressBar, HWND statusText)
    : page_(page), config_(config), progressBar_(progressBar), statusText_(statusText) {}

bool InstallWorker::Wait(DWORD milliseconds) const {
    HANDLE thread = static_cast<HANDLE>(GetHandle());
    DWORD start = GetTickCount();
    for (;;) {
        DWORD passed = GetTickCount() - start;
        DWORD left = milliseconds == INFINITE ? INFINITE : (passed >= milliseconds ? 0 : milliseconds - passed);
        DWORD woke = MsgWaitForMultipleObjects(1, &thread, FALSE, left, QS_SENDMESSAGE);
        if (woke == WAIT_OBJECT_0) return true;
        if (woke != WAIT_OBJECT_0 + 1) return false;
        // The worker may be inside a send to a control of this thread: answer
        // it, or neither thread would go on.
        MSG message;
        PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    }
}

void InstallWorker::SetStatus(const char* text) const {
    if (statusText_) SendMessageA(statusText_, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
}

void InstallWorker::run() {
    try {
        Install();
    } catch (...) {
        // A failed run ends where it is; the page moves on all the same.
    }
    PostMessageA(page_, WM_COMMAND, MAKEWPARAM(kInstallDoneCommand, 0), 0);
}

void InstallWorker::ProcessSection(const char* section, RecordHandler& handler) {
    int count = config_.GetLineCount(section);
    for (int n = 0; n < count; ++n) {
        if (stopRequested_) throw StopRequested();
        std::string line;
        if (!imitation_ && config_.GetLine(section, n, line)) {
            config_.ExpandVariables(line);
            handler.Apply(line);
        }
        Sleep(kRecordPauseMs);
        SendMessageA(progressBar_, PBM_STEPIT, 0, 0);
    }
}

void InstallWorker::Install() {
    int total = 0;
    for (const char* section : kSections) total += config_.GetLineCount(section);
    SendMessageA(progressBar_, PBM_SETRANGE32, 0, total);
    SendMessageA(progressBar_, PBM_SETSTEP, 1, 0);
    SetStatus("");

    imitation_ = config_.IsVariableTrue("Imitation");
    InstallLog& log = config_.CreateInstallLog(imitation_);
    ErrorLog errors(config_.GetAppDir(), [&log](const std::string& path) {
        log.SetCategory(CategoryApplication);
        log.RecordFile(path);
    });

    auto files = std::make_unique<FileHandler>(log, statusText_);
    if (!files->ArchiveOpen()) throw FileException("setup.zip", FileErrorNotFound);
    FolderHandler folders(log);
    const InstallCategory categories[] = {CategoryApplication, CategoryShared, CategorySystem};
    for (int group = 0; group < 3; ++group) {
        log.SetCategory(categories[group]);
        ProcessSection(kSections[group * 2], folders);
        ProcessSection(kSections[group * 2 + 1], *files);
    }
    SetRestartNeeded(files->RestartNeeded());

    SetStatus("Create registry keys");
    auto registry = std::make_unique<RegistryHandler>(log, errors);
    ProcessSection("REGISTRY_ENTRIES", *registry);
    FileTypeHandler fileTypes(*registry);
    ProcessSection("FILE_TYPES", fileTypes);
    {
        ShortcutHandler shortcuts([this](std::string& text) { config_.ExpandVariables(text); }, log, errors,
                                  statusText_);
        ProcessSection("SHORTCUTS", shortcuts);
    }
    IniFileHandler ini;
    ProcessSection("INI_FILES", ini);
    if (stopRequested_) throw StopRequested();

    if (!imitation_) {
        registry->SetRecordAllKeys(true);
        if (config_.IsVariableTrue("EnableUninstaller")) {
            for (const char* record : kUninstallRecords) {
                std::string line = record;
                config_.ExpandVariables(line);
                registry->Apply(line);
            }
        }
        WriteUserDataKey(*registry, config_.GetCompanyName(), config_.GetProductName(),
                         config_.GetProductVersion(), config_.GetAppDir(), config_.GetProgramGroup(),
                         SetupProgramFolder());
        registry->SetRecordAllKeys(false);
    }

    SetStatus("");
    ShowWindow(page_, SW_HIDE);
    config_.RunAfterInstall();

    registry.reset();
    files.reset();
    errors.Close();
}
