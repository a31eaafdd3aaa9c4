// Splitting of comma-separated records.
#include "RecordFields.h"

#include <cstdlib>

std::vector<std::string> SplitRecord(const std::string& record)
{
    std::vector<std::string> fields;
    size_t start = 0;
    for (;;) {
        size_t comma = record.find(',', start);
        if (comma == std::string::npos) {
            fields.push_back(record.substr(start));
            return fields;
        }
        fields.push_back(record.substr(start, comma - start));
        start = comma + 1;
    }
}

std::string RecordField(const std::vector<std::string>& fields, size_t index)
{
    return index < fields.size() ? fields[index] : std::string();
}

int RecordNumber(const std::vector<std::string>& fields, size_t index)
{
    return static_cast<int>(std::strtol(RecordField(fields, index).c_str(), nullptr, 10));
}
