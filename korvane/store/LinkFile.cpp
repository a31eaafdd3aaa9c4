// Reading and writing link files: headerless runs of 528-byte records.
#include "LinkStore.h"
#include "Paths.h"
#include "Platform.h"
#include <windows.h>
#include <algorithm>

namespace {

class FileHandle {
public:
    explicit FileHandle(HANDLE h) : H(h) {}
    ~FileHandle() { if (Valid()) CloseHandle(H); }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    bool Valid() const { return H != INVALID_HANDLE_VALUE; }
    HANDLE Get() const { return H; }
    // Closes now and reports whether the close succeeded.
    bool Close() {
        HANDLE h = H;
        H = INVALID_HANDLE_VALUE;
        return CloseHandle(h) != 0;
    }
private:
    HANDLE H;
};

// Removes a half-written file unless it was handed over.
class TempFile {
public:
    explicit TempFile(std::string name) : Name(std::move(name)) {}
    ~TempFile() { if (!Name.empty()) DeleteFileA(Name.c_str()); }
    void Release() { Name.clear(); }
    const std::string& Get() const { return Name; }
private:
    std::string Name;
};

[[noreturn]] void ThrowLastError() { throw EInOutError::FromCode(GetLastError()); }

const DWORD ChunkBytes = 8192 * sizeof(TLinkRecord);

}  // namespace

void LinkStore::LoadLinkFile(const std::string& fileName) {
    FileHandle file(CreateFileA(fileName.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!file.Valid()) ThrowLastError();
    LARGE_INTEGER size;
    if (!GetFileSizeEx(file.Get(), &size)) ThrowLastError();

    LinkList.Clear();
    SetCurrentFolder(RootFolder);
    const int wanted = static_cast<int>(size.QuadPart / sizeof(TLinkRecord));
    char* dest = reinterpret_cast<char*>(LinkList.AppendRaw(wanted));
    const uint64_t total = static_cast<uint64_t>(wanted) * sizeof(TLinkRecord);
    uint64_t done = 0;
    while (done < total) {
        DWORD want = static_cast<DWORD>(std::min<uint64_t>(ChunkBytes, total - done));
        DWORD got = 0;
        if (!ReadFile(file.Get(), dest + done, want, &got, nullptr)) {
            DWORD error = GetLastError();
            LinkList.Truncate(static_cast<int>(done / sizeof(TLinkRecord)));
            throw EInOutError::FromCode(error);
        }
        if (got == 0) break;  // the file shrank while we read it
        done += got;
    }
    LinkList.Truncate(static_cast<int>(done / sizeof(TLinkRecord)));
    UpdateCommandStates();
}

void LinkStore::SaveLinkFile(const std::string& fileName) {
    // A file the user may not write must refuse the save as it would refuse being overwritten,
    // even though the replacement below only needs the right to create files in its folder.
    if (GetFileAttributesA(fileName.c_str()) != INVALID_FILE_ATTRIBUTES) {
        FileHandle probe(CreateFileA(fileName.c_str(), GENERIC_WRITE,
                                     FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                     nullptr, OPEN_EXISTING, 0, nullptr));
        if (!probe.Valid()) ThrowLastError();
    }

    // The new file goes beside the target, so that replacing it is a rename on one volume.
    const std::string base = std::string(ExtractFilePath(fileName)) + "~kv";
    std::string tempName;
    HANDLE created = INVALID_HANDLE_VALUE;
    for (DWORD attempt = 0; created == INVALID_HANDLE_VALUE; ++attempt) {
        char unique[32];
        wsprintfA(unique, "%08lX.tmp", GetTickCount() + GetCurrentProcessId() * 7919 + attempt);
        tempName = base + unique;
        created = CreateFileA(tempName.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
        if (created == INVALID_HANDLE_VALUE && (GetLastError() != ERROR_FILE_EXISTS || attempt > 100))
            ThrowLastError();
    }
    TempFile temp(tempName);
    {
        FileHandle file(created);
        const char* src = reinterpret_cast<const char*>(LinkList.Data());
        const uint64_t total = static_cast<uint64_t>(LinkList.Count()) * sizeof(TLinkRecord);
        uint64_t done = 0;
        while (done < total) {
            DWORD want = static_cast<DWORD>(std::min<uint64_t>(ChunkBytes, total - done));
            DWORD put = 0;
            if (!WriteFile(file.Get(), src + done, want, &put, nullptr)) ThrowLastError();
            if (put != want) throw EInOutError::FromCode(ERROR_DISK_FULL);
            done += put;
        }
        if (!file.Close()) ThrowLastError();
    }
    if (!MoveFileExA(temp.Get().c_str(), fileName.c_str(), MOVEFILE_REPLACE_EXISTING))
        ThrowLastError();
    temp.Release();
    Modified = false;
    UpdateCommandStates();
}
