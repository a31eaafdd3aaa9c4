// The readme waiter.
#include "ProcessWaiter.h"

#include "SetupMessage.h"

void ProcessWaiter::run()
{
    WaitForSingleObject(process_, INFINITE);
    CloseHandle(process_);
    PostMessageA(target_, WM_COMMAND, MAKEWPARAM(UM_RUN_APPLICATION, 0), 0);
}
