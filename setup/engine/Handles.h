// Owners of system handles and registry keys for the engine's short-lived uses.
#pragma once
#include <windows.h>

// Closes a kernel handle; both null and INVALID_HANDLE_VALUE mean none.
class ScopedHandle {
public:
    explicit ScopedHandle(HANDLE handle = nullptr) : handle_(handle) {}
    ~ScopedHandle()
    {
        if (IsValid())
            CloseHandle(handle_);
    }
    ScopedHandle(const ScopedHandle&) = delete;
    ScopedHandle& operator=(const ScopedHandle&) = delete;
    bool IsValid() const { return handle_ && handle_ != INVALID_HANDLE_VALUE; }
    HANDLE Get() const { return handle_; }
    void Reset(HANDLE handle)
    {
        if (IsValid())
            CloseHandle(handle_);
        handle_ = handle;
    }

private:
    HANDLE handle_;
};

// Closes an open registry key.
class ScopedKey {
public:
    ScopedKey() = default;
    ~ScopedKey()
    {
        if (key_)
            RegCloseKey(key_);
    }
    ScopedKey(const ScopedKey&) = delete;
    ScopedKey& operator=(const ScopedKey&) = delete;
    HKEY* Receive() { return &key_; }
    HKEY Get() const { return key_; }

private:
    HKEY key_ = nullptr;
};
