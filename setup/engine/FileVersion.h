// The file version of a file's version resource.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

struct FileVersion {
    uint32_t high = 0;  // major << 16 | minor
    uint32_t low = 0;   // build << 16 | revision

    // High half first; the low halves decide only when the high halves are equal.
    bool operator<(const FileVersion& other) const {
        return high != other.high ? high < other.high : low < other.low;
    }
    bool operator==(const FileVersion& other) const { return high == other.high && low == other.low; }
};

// Reads the version resource as data (the file's code is never run); none
// when the file has no readable version resource.
std::optional<FileVersion> ReadFileVersion(const std::string& path);
