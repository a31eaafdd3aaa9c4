// Reading members of the installation archive (setup.zip) onto files.
#include "ZipReader.h"

#include "Handles.h"

#include <windows.h>

#include <unzip.h>

namespace {

const unsigned kBufferSize = 16 * 1024;
const int kIgnoreCase = 2;

HANDLE OpenForWriting(const std::string& path) {
    return CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
}

// Member time is a local DOS date and time.
bool SetEntryTime(HANDLE file, unsigned long dosDate) {
    FILETIME local, utc;
    if (!DosDateTimeToFileTime(HIWORD(dosDate), LOWORD(dosDate), &local)) return false;
    if (!LocalFileTimeToFileTime(&local, &utc)) return false;
    return SetFileTime(file, &utc, nullptr, &utc) != 0;
}

}  // namespace

ZipReader::ZipReader(const std::string& archivePath)
    : zip_(unzOpen(archivePath.c_str())), buffer_(kBufferSize) {}

ZipReader::~ZipReader() {
    if (zip_) unzClose(static_cast<unzFile>(zip_));
}

bool ZipReader::ExtractEntry(const std::string& entry, const std::string& path) {
    if (!zip_) return false;
    unzFile zip = static_cast<unzFile>(zip_);

    DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
        SetFileAttributesA(path.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY);

    // minizip refuses names of 256 characters or more itself.
    if (unzLocateFile(zip, entry.c_str(), kIgnoreCase) != UNZ_OK) return false;
    unz_file_info info;
    if (unzGetCurrentFileInfo(zip, &info, nullptr, 0, nullptr, 0, nullptr, 0) != UNZ_OK) return false;

    ScopedHandle handle(OpenForWriting(path));
    if (!handle.IsValid()) handle.Reset(OpenForWriting(path));
    if (!handle.IsValid()) return false;
    HANDLE file = handle.Get();

    bool ok = unzOpenCurrentFile(zip) == UNZ_OK;
    if (ok) {
        for (;;) {
            int read = unzReadCurrentFile(zip, buffer_.data(), kBufferSize);
            if (read < 0) { ok = false; break; }
            if (read == 0) break;
            DWORD written = 0;
            if (!WriteFile(file, buffer_.data(), static_cast<DWORD>(read), &written, nullptr) ||
                written != static_cast<DWORD>(read)) {
                ok = false;
                break;
            }
        }
        // Reports a CRC mismatch once the whole member was read.
        if (unzCloseCurrentFile(zip) != UNZ_OK) ok = false;
    }
    return ok && SetEntryTime(file, info.dosDate);
}
