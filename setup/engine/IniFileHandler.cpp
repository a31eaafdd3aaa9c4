// Handler of the INI file section: entries in private profile files.
#include "IniFileHandler.h"

#include "RecordFields.h"

#include <windows.h>

void IniFileHandler::Apply(const std::string& record) {
    std::vector<std::string> fields = SplitRecord(record);
    std::string file = RecordField(fields, 0);
    if (file.empty()) return;
    WritePrivateProfileStringA(RecordField(fields, 1).c_str(), RecordField(fields, 2).c_str(),
                               RecordField(fields, 3).c_str(), file.c_str());
}
