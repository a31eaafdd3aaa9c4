// Splitting of installation records into their comma-separated fields.
#pragma once

#include <string>
#include <vector>

// The fields of one record, taken as they stand (no trimming). A record
// without a comma has one field; a field asked for beyond the last is empty.
class RecordFields {
public:
    // decodeCommas turns every "&comma;" inside a field into a comma after
    // the split, so a field can carry commas.
    explicit RecordFields(const std::string& record, bool decodeCommas = false);

    const std::string& operator[](size_t index) const;
    size_t Count() const { return fields_.size(); }

private:
    std::vector<std::string> fields_;
};

// Decimal number at the start of text, 0 when there is none (leading blanks
// skipped, optional sign, stops at the first non-digit).
int ToDecimal(const std::string& text);
