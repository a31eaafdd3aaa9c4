// Collection and writing of error.log.
#include "ErrorLog.h"

#include "Exceptions.h"
#include "Handles.h"

#include <windows.h>

ErrorLog::ErrorLog(const std::string& appDir, std::function<void(const std::string&)> recordFile)
    : path_(appDir + "\\error.log"), recordFile_(std::move(recordFile))
{
}

void ErrorLog::Add(const std::string& message, const std::string& text) { lines_.push_back(message + text); }

void ErrorLog::Close()
{
    if (lines_.empty())
        return;
    std::string text;
    for (const std::string& line : lines_)
        text += line + "\r\n";
    {
        ScopedHandle file(
            CreateFileA(path_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        DWORD written = 0;
        if (!file.IsValid() || !WriteFile(file.Get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr) ||
            written != text.size())
            throw FileException(path_, FileErrorDiskFull);
    }
    lines_.clear();
    if (recordFile_)
        recordFile_(path_);
}
