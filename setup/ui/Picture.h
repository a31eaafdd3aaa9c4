// A picture loaded from a file by the system's OLE picture loader (bitmap, JPEG,
// GIF, icon, metafile), measured in screen pixels and rendered into a context.
#pragma once
#include <windows.h>
#include <olectl.h>

#include <string>

class Picture {
public:
    Picture() = default;
    ~Picture() { Release(); }
    Picture(const Picture&) = delete;
    Picture& operator=(const Picture&) = delete;

    // The loader's status: S_OK on success, the file's Win32 error as a COM status,
    // E_OUTOFMEMORY or E_FAIL.
    HRESULT LoadFromFile(const std::string& path);
    // (0, 0) while empty.
    SIZE SizeInPixels() const;
    void Render(HDC dc, const RECT& rect) const;
    void Release();
    bool IsEmpty() const { return picture_ == nullptr; }

private:
    IPicture* picture_ = nullptr;
};
