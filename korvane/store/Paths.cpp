// Folder path helpers: components, parents, names and the comparisons of paths.
#include "Paths.h"
#include <algorithm>

namespace {
inline char UpAscii(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c; }
}  // namespace

int CountBackslashes(std::string_view s) {
    return static_cast<int>(std::count(s.begin(), s.end(), '\\'));
}

std::string FirstPathComponent(std::string_view s) {
    size_t p = s.find('\\');
    return p == std::string_view::npos ? std::string() : std::string(s.substr(0, p));
}

std::string LastComponentWithSlash(std::string_view s) {
    size_t last = s.rfind('\\');
    if (last == std::string_view::npos) return std::string();
    size_t start = last == 0 ? std::string_view::npos : s.rfind('\\', last - 1);
    start = start == std::string_view::npos ? 0 : start + 1;
    return std::string(s.substr(start, last + 1 - start));
}

std::string LastPathComponent(std::string_view s) {
    std::string r = LastComponentWithSlash(s);
    if (!r.empty()) r.pop_back();
    return r;
}

std::string ParentFolderPath(std::string_view s) {
    size_t last = s.rfind('\\');
    if (last == std::string_view::npos || last == 0) return std::string();
    size_t prev = s.rfind('\\', last - 1);
    return prev == std::string_view::npos ? std::string() : std::string(s.substr(0, prev + 1));
}

int CompareFloat(double a, double b) { return a > b ? 1 : (a < b ? -1 : 0); }

std::string_view ExtractFileName(std::string_view s) {
    size_t p = s.rfind('\\');
    return p == std::string_view::npos ? s : s.substr(p + 1);
}

std::string_view ExtractFilePath(std::string_view s) {
    size_t p = s.rfind('\\');
    return p == std::string_view::npos ? std::string_view() : s.substr(0, p + 1);
}

std::string UpperCaseAscii(std::string_view s) {
    std::string r(s);
    for (char& c : r) c = UpAscii(c);
    return r;
}

bool SameTextAscii(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (UpAscii(a[i]) != UpAscii(b[i])) return false;
    return true;
}

bool StartsWith(std::string_view s, std::string_view prefix) {
    return s.size() >= prefix.size() && s.compare(0, prefix.size(), prefix) == 0;
}

bool StartsWithAscii(std::string_view s, std::string_view prefix) {
    return s.size() >= prefix.size() && SameTextAscii(s.substr(0, prefix.size()), prefix);
}

bool ContainsAscii(std::string_view s, std::string_view upperNeedle) {
    if (upperNeedle.empty()) return true;
    if (s.size() < upperNeedle.size()) return false;
    const char upper = upperNeedle[0];
    const char lower = upper >= 'A' && upper <= 'Z' ? static_cast<char>(upper + 32) : upper;
    const size_t last = s.size() - upperNeedle.size();
    for (size_t i = 0; i <= last; ++i) {
        if (s[i] != upper && s[i] != lower) continue;
        size_t k = 1;
        while (k < upperNeedle.size() && UpAscii(s[i + k]) == upperNeedle[k]) ++k;
        if (k == upperNeedle.size()) return true;
    }
    return false;
}

std::string Trim(std::string_view s) {
    size_t b = 0, e = s.size();
    while (b < e && static_cast<unsigned char>(s[b]) <= ' ') ++b;
    while (e > b && static_cast<unsigned char>(s[e - 1]) <= ' ') --e;
    return std::string(s.substr(b, e - b));
}

std::string SubPathOf(std::string_view folder) {
    const std::string_view root = "Favorites\\";
    return std::string(StartsWith(folder, root) ? folder.substr(root.size()) : folder);
}
