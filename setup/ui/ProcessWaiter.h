// Waits on its own thread for a process (the readme viewer) and then tells the
// background window by the command UM_RUN_APPLICATION.
#pragma once
#include "Thread.h"

#include <windows.h>

class ProcessWaiter : public thread::Thread {
public:
    // Takes over the process handle.
    ProcessWaiter(HWND target, HANDLE process) : target_(target), process_(process) {}
    void run() override;

private:
    HWND target_;
    HANDLE process_;
};
