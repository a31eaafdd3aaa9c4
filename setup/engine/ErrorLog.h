// The error lines of one installation run, written to error.log in the target folder.
#pragma once
#include <functional>
#include <string>
#include <vector>

class ErrorLog {
public:
    // recordFile is called with the path of error.log after it was written, so that
    // the install log lists it as an application file (may be empty).
    ErrorLog(const std::string& appDir, std::function<void(const std::string&)> recordFile);

    // One line: the message followed directly by the failing text.
    void Add(const std::string& message, const std::string& text);

    // With lines: writes them with CR LF (replacing an earlier file), empties the list
    // and records the file. Throws FileException code 5 when the file cannot be created.
    void Close();

    const std::string& GetPath() const { return path_; }
    const std::vector<std::string>& GetLines() const { return lines_; }

private:
    std::string path_;
    std::vector<std::string> lines_;
    std::function<void(const std::string&)> recordFile_;
};
