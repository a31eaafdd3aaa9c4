// Reading members of the installation archive (setup.zip) onto files.
#pragma once

#include <string>
#include <unordered_map>
#include <vector>

class ZipReader {
public:
    // Opens the archive; IsOpen tells whether that worked.
    explicit ZipReader(const std::string& archivePath);
    ~ZipReader();
    ZipReader(const ZipReader&) = delete;
    ZipReader& operator=(const ZipReader&) = delete;

    bool IsOpen() const { return zip_ != nullptr; }

    // Writes the member named entry (ASCII case ignored) onto path, replacing
    // its contents, and gives the file the member's date and time as its
    // creation and last-write times. A read-only path is made writable first.
    // False on any failure; a partly written file stays on disk.
    bool ExtractEntry(const std::string& entry, const std::string& path);

private:
    void* zip_;
    std::vector<char> buffer_;
    // Member names in ASCII lower case to their places in the central
    // directory (first of equal names), read once: finding a member by a
    // scan of the whole directory each time costs a file seek and read per
    // member passed.
    struct Place { unsigned long directoryOffset, fileNumber; };
    std::unordered_map<std::string, Place> places_;
};
