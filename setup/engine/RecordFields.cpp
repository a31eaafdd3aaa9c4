// Splitting of installation records into their comma-separated fields.
#include "RecordFields.h"

#include <cstdlib>

RecordFields::RecordFields(const std::string& record, bool decodeCommas) {
    size_t start = 0;
    for (;;) {
        size_t comma = record.find(',', start);
        fields_.push_back(record.substr(start, comma == std::string::npos ? std::string::npos : comma - start));
        if (comma == std::string::npos) break;
        start = comma + 1;
    }
    if (!decodeCommas) return;
    static const std::string token = "&comma;";
    for (std::string& field : fields_) {
        for (size_t at = field.find(token); at != std::string::npos; at = field.find(token, at + 1))
            field.replace(at, token.size(), ",");
    }
}

const std::string& RecordFields::operator[](size_t index) const {
    static const std::string empty;
    return index < fields_.size() ? fields_[index] : empty;
}

int ToDecimal(const std::string& text) {
    return static_cast<int>(std::strtol(text.c_str(), nullptr, 10));
}
