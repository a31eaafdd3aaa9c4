// The exceptions that end setup, and the texts the program entry shows for them.
#pragma once
#include <cstdint>
#include <string>

// A failed system call. The last-error value is taken when the exception is built,
// and the message is a constant text, so building one never allocates (it is also
// what a failed allocation throws).
class WinException {
public:
    explicit WinException(const char* message);
    WinException(const char* message, uint32_t errorCode) : errorCode_(errorCode), message_(message) {}

    uint32_t GetErrorCode() const { return errorCode_; }
    const char* GetMessageText() const { return message_; }
    // "<message>, Error <code>" as the error report shows it.
    std::string Describe() const;

private:
    uint32_t errorCode_;
    const char* message_;
};

using FileErrorCode = int32_t;
enum : FileErrorCode {
    FileErrorNone = 0,
    FileErrorNotFound = 1,
    FileErrorCanNotOpen = 2,
    FileErrorRead = 3,
    FileErrorSeek = 4,
    FileErrorDiskFull = 5,
    FileErrorEndOfFile = 6,
};

// The text of a file error code ("Unknown error" for codes outside the table).
const char* FileErrorText(FileErrorCode code);

// A file that is missing, cannot be opened or cannot be written.
class FileException {
public:
    FileException(std::string fileName, FileErrorCode code) : fileName_(std::move(fileName)), code_(code) {}

    const std::string& GetFileName() const { return fileName_; }
    FileErrorCode GetCode() const { return code_; }
    // The code's text, ": " and the file name in double quotes.
    std::string Describe() const;

private:
    std::string fileName_;
    FileErrorCode code_;
};
