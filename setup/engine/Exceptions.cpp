// The exceptions that end setup and their report texts.
#include "Exceptions.h"

#include <windows.h>

#include <cstdio>

WinException::WinException(const char* message) : errorCode_(GetLastError()), message_(message) {}

std::string WinException::Describe() const
{
    char text[512];
    std::snprintf(text, sizeof text, "%s, Error %d", message_ ? message_ : "", static_cast<int>(errorCode_));
    return text;
}

const char* FileErrorText(FileErrorCode code)
{
    switch (code) {
    case FileErrorNone: return "No error occurred";
    case FileErrorNotFound: return "File not found";
    case FileErrorCanNotOpen: return "Can not open file";
    case FileErrorRead: return "There was an error in read operation";
    case FileErrorSeek: return "There was an error trying to set the file pointer";
    case FileErrorDiskFull: return "The disk is full";
    case FileErrorEndOfFile: return "The end of file was reached";
    default: return "Unknown error";
    }
}

std::string FileException::Describe() const
{
    return std::string(FileErrorText(code_)) + ": \"" + fileName_ + "\"";
}
