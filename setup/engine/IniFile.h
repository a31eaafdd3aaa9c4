// setup's reader of CR LF text files made of [SECTION] headers and key=value lines.
//
// The rules are deliberately not those of the system's profile functions: lines end
// only with CR LF (text after the last CR LF is never read), blank lines are skipped,
// a section starts at the first "[Name]" anywhere in the text, keys and values are
// taken untrimmed and case-sensitively, and the first matching key wins.
#pragma once
#include <cstddef>
#include <string>
#include <vector>

class IniFile {
public:
    IniFile() = default;
    // Reads the whole file at path; throws FileException (code 2, reportName) when it
    // cannot be opened.
    IniFile(const std::string& path, const std::string& reportName);

    // Builds the reader over text already in memory.
    static IniFile FromText(std::string text);

    // The value of the first key line of the section whose key is exactly key (may be
    // empty); def when the section or key is missing. Returns whether value is non-empty.
    bool GetValue(const std::string& section, const std::string& key, const std::string& def,
                  std::string& value) const;
    std::string GetValue(const std::string& section, const std::string& key,
                         const std::string& def = std::string()) const;

    // "yes" or "true" (any case, whole value) or a value starting with '1' is true; any
    // other non-empty value false; def for a missing or empty value.
    bool GetBool(const std::string& section, const std::string& key, bool def) const;

    // Non-blank lines of the section; 0 when it is missing.
    int GetLineCount(const std::string& section) const;
    // The n-th (from 0) non-blank line of the section, raw; false and empty text when
    // there is no such line.
    bool GetLine(const std::string& section, int n, std::string& line) const;

private:
    struct Line {
        size_t start;
        size_t length;
    };
    struct Range {
        size_t first;  // index into lines_
        size_t end;
    };

    void SplitLines();
    bool FindSection(const std::string& section, Range& range) const;

    std::string text_;
    std::vector<Line> lines_;  // only the non-blank lines, in file order
};
