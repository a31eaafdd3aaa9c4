// Handler of the INI file section: entries in private profile files.
#include "IniFileHandler.h"

#include "RecordFields.h"

#include <windows.h>

void IniFileHandler::Apply(const std::string& record) {
    RecordFields fields(record);
    if (fields[0].empty()) return;
    WritePrivateProfileStringA(fields[1].c_str(), fields[2].c_str(), fields[3].c_str(), fields[0].c_str());
}
