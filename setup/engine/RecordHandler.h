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
