// The thread object of setup's workers.
#include "Thread.h"

#include <windows.h>
#include <process.h>

namespace thread {

Thread::Thread(Runnable* runnable) : runnable_(runnable), started_(false), priority_(2), handle_(nullptr)
{
    // The runtime's thread creation sets up its per-thread state.
    uintptr_t handle = _beginthreadex(nullptr, 0, &Thread::Entry, this, CREATE_SUSPENDED, nullptr);
    if (handle == 0)
        throw Error("Can't create thread.");
    handle_ = reinterpret_cast<void*>(handle);
}

Thread::~Thread()
{
    CloseHandle(static_cast<HANDLE>(handle_));
}

void Thread::start()
{
    if (started_)
        throw Error("Thread can be started only once.");
    started_ = true;
    if (ResumeThread(static_cast<HANDLE>(handle_)) == static_cast<DWORD>(-1))
        throw Error("Thread can not be started.");
}

void Thread::run()
{
    if (runnable_)
        runnable_->run();
}

unsigned __stdcall Thread::Entry(void* self)
{
    // Nothing may leave the thread; the run operation reports its own end.
    try {
        static_cast<Thread*>(self)->run();
    } catch (...) {
    }
    _endthreadex(0);
    return 0;
}

}  // namespace thread
