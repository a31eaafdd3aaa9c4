// Splitting of setup's comma-separated records into fields.
#pragma once
#include <string>
#include <vector>

// Fields are separated by commas and taken as they stand; a record without a comma
// has one field.
std::vector<std::string> SplitRecord(const std::string& record);

// The field at index (from 0), or empty text beyond the last field.
std::string RecordField(const std::vector<std::string>& fields, size_t index);

// A field read as a decimal integer the way the C library reads it: leading blanks
// skipped, optional sign, stops at the first non-digit; 0 when there is no number.
int RecordNumber(const std::vector<std::string>& fields, size_t index);
