// The interface of the handlers of the installation record sections.
#pragma once

#include <string>

class RecordHandler {
public:
    virtual ~RecordHandler() = default;
    // Carries out one record (already expanded). Never throws for a bad record.
    virtual void Apply(const std::string& record) = 0;
    // Reverses one entry of the install log; most handlers undo nothing.
    virtual void Undo(const std::string& entry) {}
};

// Where handlers report failed records, one line each; the run's ErrorLog
// stands behind it.
class ErrorSink {
public:
    virtual ~ErrorSink() = default;
    virtual void AddLine(const std::string& line) = 0;
};
