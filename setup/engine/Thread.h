// A small thread library: a thread object created suspended and started once.
#pragma once

namespace thread {

// An error of one of the library's classes: the class that failed and a message.
class GenericError {
public:
    GenericError(const char* className, const char* message) : className_(className), message_(message) {}
    const char* GetClassText() const { return className_; }
    const char* GetMessageText() const { return message_; }

private:
    const char* className_;
    const char* message_;
};

class Runnable {
public:
    virtual ~Runnable() = default;
    virtual void run() = 0;
};

// Either override run() or pass a runnable object whose run() the base calls. The
// object must stay alive until run() has returned; destroying it only closes the
// handle and neither waits for nor stops the thread.
class Thread {
public:
    class Error : public GenericError {
    public:
        explicit Error(const char* message) : GenericError("class Thread", message) {}
    };

    // Creates the system thread suspended; throws Error "Can't create thread.".
    explicit Thread(Runnable* runnable = nullptr);
    virtual ~Thread();
    Thread(const Thread&) = delete;
    Thread& operator=(const Thread&) = delete;

    // Throws Error "Thread can be started only once." on a second call and
    // "Thread can not be started." when the system refuses to resume the thread.
    void start();
    virtual void run();

    void* GetHandle() const { return handle_; }
    int GetPriority() const { return priority_; }

private:
    static unsigned __stdcall Entry(void* self);

    Runnable* runnable_;
    bool started_;
    int priority_;
    void* handle_;
};

}  // namespace thread
