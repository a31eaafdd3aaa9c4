// Pictures from files through a stream over a global memory block.
#include "Picture.h"

#include <ole2.h>

namespace {

HRESULT LastErrorStatus()
{
    DWORD error = GetLastError();
    return error == 0 ? S_OK : static_cast<HRESULT>(0x80070000u | (error & 0xFFFFu));
}

struct FileHandle {
    HANDLE h;
    ~FileHandle()
    {
        if (h != INVALID_HANDLE_VALUE)
            CloseHandle(h);
    }
};

}  // namespace

HRESULT Picture::LoadFromFile(const std::string& path)
{
    Release();
    FileHandle file{CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr)};
    if (file.h == INVALID_HANDLE_VALUE)
        return LastErrorStatus();
    DWORD size = GetFileSize(file.h, nullptr);
    if (size == INVALID_FILE_SIZE)
        return LastErrorStatus();
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size);
    if (!block)
        return E_OUTOFMEMORY;
    void* data = GlobalLock(block);
    DWORD got = 0;
    BOOL read = data && ReadFile(file.h, data, size, &got, nullptr);
    if (data)
        GlobalUnlock(block);
    if (!read || got < size) {
        GlobalFree(block);
        return E_FAIL;
    }
    IStream* stream = nullptr;
    HRESULT status = CreateStreamOnHGlobal(block, TRUE, &stream);
    if (FAILED(status)) {
        GlobalFree(block);
        return status;
    }
    status = OleLoadPicture(stream, static_cast<LONG>(size), FALSE, IID_IPicture,
                            reinterpret_cast<void**>(&picture_));
    stream->Release();
    if (FAILED(status))
        picture_ = nullptr;
    return status;
}

SIZE Picture::SizeInPixels() const
{
    SIZE size{0, 0};
    if (!picture_)
        return size;
    OLE_XSIZE_HIMETRIC width = 0;
    OLE_YSIZE_HIMETRIC height = 0;
    picture_->get_Width(&width);
    picture_->get_Height(&height);
    HDC screen = CreateCompatibleDC(nullptr);
    size.cx = MulDiv(width, GetDeviceCaps(screen, LOGPIXELSX), 2540);
    size.cy = MulDiv(height, GetDeviceCaps(screen, LOGPIXELSY), 2540);
    DeleteDC(screen);
    return size;
}

void Picture::Render(HDC dc, const RECT& rect) const
{
    if (!picture_)
        return;
    OLE_XSIZE_HIMETRIC width = 0;
    OLE_YSIZE_HIMETRIC height = 0;
    picture_->get_Width(&width);
    picture_->get_Height(&height);
    picture_->Render(dc, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, 0, height, width,
                     -height, nullptr);
}

void Picture::Release()
{
    if (picture_) {
        picture_->Release();
        picture_ = nullptr;
    }
}
