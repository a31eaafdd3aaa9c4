// Handler of the INI file section: entries in private profile files.
#pragma once

#include "InstallLog.h"
#include "RecordHandler.h"

class IniFileHandler : public RecordHandler {
public:
    IniFileHandler(InstallLog& log, ErrorSink& errors) {}
    // file,section,key,value; an empty value writes the key with no value.
    void Apply(const std::string& record) override;
};
