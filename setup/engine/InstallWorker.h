// The installation run: a worker thread that applies the record sections of
// Setup.ini in their fixed order and reports to the progress page.
#pragma once

#include "Thread.h"

#include <windows.h>

#include <atomic>

class SetupConfig;
class RecordHandler;

class InstallWorker : public thread::Thread {
public:
    // page receives WM_COMMAND 1048 when the run ends, whatever happened;
    // progressBar and statusText are the page's controls. Created suspended.
    InstallWorker(HWND page, SetupConfig& config, HWND progressBar, HWND statusText);

    void run() override;

    // Asks the run to stop before its next record; it then skips the
    // registration and the program after installation, but still posts its
    // final notification. Safe from any thread.
    void RequestStop() { stopRequested_ = true; }
    // Waits for the run to end; false on time-out. Messages that the worker
    // sends to controls of the waiting thread are answered meanwhile. Once it
    // returns true the configuration is no longer used by the worker.
    bool Wait(DWORD milliseconds) const;

private:
    void Install();
    void ProcessSection(const char* section, RecordHandler& handler);
    void SetStatus(const char* text) const;

    HWND page_;
    SetupConfig& config_;
    HWND progressBar_;
    HWND statusText_;
    bool imitation_ = false;
    std::atomic<bool> stopRequested_{false};
};

// Set after the file sections when a file in use is replaced at the next
// restart; setup asks to restart Windows when it ends.
bool IsRestartNeeded();
void SetRestartNeeded(bool needed);

// The pause after every record, so that the progress bar moves visibly.
extern const DWORD kRecordPauseMs;
