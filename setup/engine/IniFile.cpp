// setup's own reader of CR LF sectioned text files.
#include "IniFile.h"

#include "Exceptions.h"
#include "Handles.h"

#include <windows.h>

#include <algorithm>
#include <cctype>
#include <cstring>

namespace {

bool IsBlankChar(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

bool EqualsIgnoringCase(const std::string& a, const char* b)
{
    size_t n = std::strlen(b);
    if (a.size() != n)
        return false;
    for (size_t i = 0; i < n; ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    }
    return true;
}

}  // namespace

IniFile::IniFile(const std::string& path, const std::string& reportName)
{
    ScopedHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.IsValid())
        throw FileException(reportName, FileErrorCanNotOpen);
    LARGE_INTEGER size{};
    if (GetFileSizeEx(file.Get(), &size) && size.QuadPart > 0) {
        // A short read is not an error: the text is whatever could be read.
        text_.resize(static_cast<size_t>(size.QuadPart));
        size_t done = 0;
        while (done < text_.size()) {
            DWORD chunk = static_cast<DWORD>(std::min<size_t>(text_.size() - done, 1u << 24));
            DWORD got = 0;
            if (!ReadFile(file.Get(), &text_[done], chunk, &got, nullptr) || got == 0)
                break;
            done += got;
        }
        text_.resize(done);
    }
    SplitLines();
}

IniFile IniFile::FromText(std::string text)
{
    IniFile file;
    file.text_ = std::move(text);
    file.SplitLines();
    return file;
}

void IniFile::SplitLines()
{
    lines_.clear();
    size_t start = 0;
    for (;;) {
        size_t cr = text_.find("\r\n", start);
        if (cr == std::string::npos)
            break;  // whatever follows the last CR LF is not a line
        bool blank = std::all_of(text_.begin() + start, text_.begin() + cr, IsBlankChar);
        if (!blank)
            lines_.push_back({start, cr - start});
        start = cr + 2;
    }
}

bool IniFile::FindSection(const std::string& section, Range& range) const
{
    size_t pos = text_.find("[" + section + "]");
    if (pos == std::string::npos)
        return false;
    // The section's lines are those that start after the line holding the header.
    auto first = std::upper_bound(lines_.begin(), lines_.end(), pos,
                                  [](size_t p, const Line& line) { return p < line.start; });
    auto end = std::find_if(first, lines_.end(), [this](const Line& line) { return text_[line.start] == '['; });
    range.first = static_cast<size_t>(first - lines_.begin());
    range.end = static_cast<size_t>(end - lines_.begin());
    return true;
}

bool IniFile::GetValue(const std::string& section, const std::string& key, const std::string& def,
                       std::string& value) const
{
    value = def;
    Range range;
    if (FindSection(section, range)) {
        for (size_t i = range.first; i < range.end; ++i) {
            const Line& line = lines_[i];
            const char* begin = text_.data() + line.start;
            const char* eq = static_cast<const char*>(std::memchr(begin, '=', line.length));
            if (!eq)
                continue;
            size_t keyLength = static_cast<size_t>(eq - begin);
            if (keyLength == key.size() && std::memcmp(begin, key.data(), keyLength) == 0) {
                value.assign(eq + 1, line.length - keyLength - 1);
                break;
            }
        }
    }
    return !value.empty();
}

std::string IniFile::GetValue(const std::string& section, const std::string& key, const std::string& def) const
{
    std::string value;
    GetValue(section, key, def, value);
    return value;
}

bool IniFile::GetBool(const std::string& section, const std::string& key, bool def) const
{
    std::string value;
    if (!GetValue(section, key, std::string(), value))
        return def;
    return EqualsIgnoringCase(value, "yes") || EqualsIgnoringCase(value, "true") || value[0] == '1';
}

int IniFile::GetLineCount(const std::string& section) const
{
    Range range;
    if (!FindSection(section, range))
        return 0;
    return static_cast<int>(range.end - range.first);
}

bool IniFile::GetLine(const std::string& section, int n, std::string& line) const
{
    line.clear();
    Range range;
    if (n < 0 || !FindSection(section, range) || static_cast<size_t>(n) >= range.end - range.first)
        return false;
    const Line& found = lines_[range.first + static_cast<size_t>(n)];
    line.assign(text_, found.start, found.length);
    return true;
}
