// Handler of the INI file section: entries in private profile files.
#pragma once

#include "RecordHandler.h"

// INI entries are neither recorded for the uninstaller nor reported when
// they fail, so the handler needs neither log.
class IniFileHandler : public RecordHandler {
public:
    // file,section,key,value; an empty value writes the key with no value.
    void Apply(const std::string& record) override;
};
