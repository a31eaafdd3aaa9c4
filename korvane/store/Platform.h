// The platform services the store relies on: locale comparisons and sort keys, the user's short
// date format, DOS date conversions, and the exceptions that carry the system's error text.
#pragma once
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

// A failed file operation: the text is the system's message for the error code
// ("Access is denied." and the like), which the application's error report shows as it is.
class EInOutError : public std::runtime_error {
public:
    EInOutError(unsigned long errorCode, const std::string& message)
        : std::runtime_error(message), ErrorCode(errorCode) {}
    // Builds the error from a system error code, with FormatMessage's text.
    static EInOutError FromCode(unsigned long errorCode);
    unsigned long ErrorCode;
};

// A text that cannot be read back as a date.
class EConvertError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The system's message text for an error code, without the trailing line break.
std::string SystemErrorMessage(unsigned long errorCode);

// Locale-aware comparisons of ANSI text for the user's locale (CompareStringA):
// negative, zero or positive.
int AnsiCompareText(std::string_view a, std::string_view b);  // case-insensitive
int AnsiCompareStr(std::string_view a, std::string_view b);   // case-sensitive
// The case-insensitive sort key (LCMapStringA, LCMAP_SORTKEY | NORM_IGNORECASE); comparing two
// keys bytewise orders their texts as AnsiCompareText does, and equal keys mean equal texts.
std::string AnsiSortKey(std::string_view s);
// Learns, once per process, the key of every single character and checks that the key of every
// pair of them is composed from those; afterwards AnsiSortKey composes the keys of texts made of
// such characters itself (byte for byte what LCMapStringA gives) instead of asking the platform
// for each text. Costs some milliseconds; worth it before computing thousands of keys.
void PrepareFastSortKeys();
// Whether PrepareFastSortKeys found the platform's keys composable (for the tests).
bool FastSortKeysReady();

// Calendar date-time as a day count from 1899-12-30 with the time as the fraction.
using TDateTime = double;

// DOS packed date and time (local) <-> TDateTime, through DosDateTimeToFileTime and
// FileTimeToDosDateTime. An invalid DOS date gives false / 0.
bool FileDateToDateTime(uint32_t dosDate, TDateTime& result);
uint32_t DateTimeToFileDate(TDateTime t);
// The current local date and time in DOS form.
uint32_t NowFileDate();

// The date part in the user's short date format (GetDateFormatA, DATE_SHORTDATE);
// empty for a DOS date that is no valid date.
std::string FileDateToStr(uint32_t dosDate);
std::string DateToStr(TDateTime t);
// Reads a text written in the user's short date format back; throws EConvertError.
TDateTime StrToDate(const std::string& s);
