// Reading members of the installation archive (setup.zip) onto files.
#include "ZipReader.h"

#include "Handles.h"

#include <windows.h>

#include <unzip.h>

namespace {

const unsigned kBufferSize = 16 * 1024;
const size_t kMaxNameLength = 255;

std::string AsciiLower(std::string text) {
    for (char& c : text)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return text;
}

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
    : zip_(unzOpen(archivePath.c_str())), buffer_(kBufferSize) {
    if (!zip_) return;
    unzFile zip = static_cast<unzFile>(zip_);
    char name[kMaxNameLength + 1];
    for (int result = unzGoToFirstFile(zip); result == UNZ_OK; result = unzGoToNextFile(zip)) {
        unz_file_info info;
        if (unzGetCurrentFileInfo(zip, &info, name, sizeof(name), nullptr, 0, nullptr, 0) != UNZ_OK) continue;
        // Longer names would be cut here; like every name of 256 characters
        // or more they can never be asked for.
        if (info.size_filename > kMaxNameLength) continue;
        unz_file_pos place;
        if (unzGetFilePos(zip, &place) != UNZ_OK) continue;
        places_.emplace(AsciiLower(std::string(name, info.size_filename)),
                        Place{place.pos_in_zip_directory, place.num_of_file});
    }
}

ZipReader::~ZipReader() {
    if (zip_) unzClose(static_cast<unzFile>(zip_));
}

bool ZipReader::ExtractEntry(const std::string& entry, const std::string& path) {
    if (!zip_) return false;
    unzFile zip = static_cast<unzFile>(zip_);

    DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
        SetFileAttributesA(path.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY);

    // Names are matched ignoring ASCII case; 256 characters or more never match.
    if (entry.size() > kMaxNameLength) return false;
    auto found = places_.find(AsciiLower(entry));
    if (found == places_.end()) return false;
    unz_file_pos place = {found->second.directoryOffset, found->second.fileNumber};
    if (unzGoToFilePos(zip, &place) != UNZ_OK) return false;
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
