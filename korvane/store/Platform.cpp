// Locale comparisons, sort keys, short dates and DOS dates through Win32; system error texts.
#include "Platform.h"
#include <windows.h>
#include <cctype>
#include <vector>

std::string SystemErrorMessage(unsigned long errorCode) {
    char buf[1024];
    DWORD n = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                             errorCode, 0, buf, sizeof buf, nullptr);
    std::string text(buf, n);
    while (!text.empty() && static_cast<unsigned char>(text.back()) <= ' ') text.pop_back();
    if (text.empty()) text = "I/O error " + std::to_string(errorCode);
    return text;
}

EInOutError EInOutError::FromCode(unsigned long errorCode) {
    return EInOutError(errorCode, SystemErrorMessage(errorCode));
}

namespace {

int Compare(DWORD flags, std::string_view a, std::string_view b) {
    int r = CompareStringA(LOCALE_USER_DEFAULT, flags, a.data(), static_cast<int>(a.size()),
                           b.data(), static_cast<int>(b.size()));
    return r == 0 ? 0 : r - CSTR_EQUAL;
}

// Days from 1899-12-30 to the given civil date (proleptic Gregorian).
long DaysFromCivil(int y, unsigned m, unsigned d) {
    y -= m <= 2;
    const long era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<long>(doe) - 719468 + 25569;  // 1970-01-01 is day 25569
}

void CivilFromDays(long z, int& y, unsigned& m, unsigned& d) {
    z += 719468 - 25569;
    const long era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    d = doy - (153 * mp + 2) / 5 + 1;
    m = mp < 10 ? mp + 3 : mp - 9;
    y = static_cast<int>(yoe) + static_cast<int>(era) * 400 + (m <= 2);
}

bool DosToSystemTime(uint32_t dosDate, SYSTEMTIME& st) {
    FILETIME ft;
    return DosDateTimeToFileTime(HIWORD(dosDate), LOWORD(dosDate), &ft) &&
           FileTimeToSystemTime(&ft, &st);
}

uint32_t SystemTimeToDos(const SYSTEMTIME& st) {
    FILETIME ft;
    WORD date = 0, time = 0;
    if (!SystemTimeToFileTime(&st, &ft) || !FileTimeToDosDateTime(&ft, &date, &time)) return 0;
    return (static_cast<uint32_t>(date) << 16) | time;
}

bool ValidDate(int y, int m, int d) {
    static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (y < 1 || y > 9999 || m < 1 || m > 12 || d < 1) return false;
    bool leap = (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
    return d <= days[m - 1] + (m == 2 && leap ? 1 : 0);
}

std::string LocaleText(LCTYPE type) {
    char buf[128];
    int n = GetLocaleInfoA(LOCALE_USER_DEFAULT, type, buf, sizeof buf);
    return n > 0 ? std::string(buf, n - 1) : std::string();
}

// The month whose full or abbreviated name starts the text at pos, 0 if none.
int MatchMonthName(const std::string& s, size_t& pos) {
    for (int m = 12; m >= 1; --m) {
        for (LCTYPE t : {LCTYPE(LOCALE_SMONTHNAME1 + m - 1), LCTYPE(LOCALE_SABBREVMONTHNAME1 + m - 1)}) {
            std::string name = LocaleText(t);
            if (!name.empty() && CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE,
                                                s.data() + pos, static_cast<int>(std::min(name.size(), s.size() - pos)),
                                                name.data(), static_cast<int>(name.size())) == CSTR_EQUAL) {
                pos += name.size();
                return m;
            }
        }
    }
    return 0;
}

}  // namespace

int AnsiCompareText(std::string_view a, std::string_view b) { return Compare(NORM_IGNORECASE, a, b); }
int AnsiCompareStr(std::string_view a, std::string_view b) { return Compare(0, a, b); }

std::string AnsiSortKey(std::string_view s) {
    const DWORD flags = LCMAP_SORTKEY | NORM_IGNORECASE;
    const char* src = s.empty() ? "" : s.data();
    const int len = s.empty() ? -1 : static_cast<int>(s.size());
    char buf[1024];
    int n = LCMapStringA(LOCALE_USER_DEFAULT, flags, src, len, buf, sizeof buf);
    if (n > 0) return std::string(buf, n);
    n = LCMapStringA(LOCALE_USER_DEFAULT, flags, src, len, nullptr, 0);
    if (n <= 0) return std::string();
    std::string key(n, '\0');
    n = LCMapStringA(LOCALE_USER_DEFAULT, flags, src, len, &key[0], n);
    key.resize(n > 0 ? n : 0);
    return key;
}

bool FileDateToDateTime(uint32_t dosDate, TDateTime& result) {
    SYSTEMTIME st;
    if (!DosToSystemTime(dosDate, st) || !ValidDate(st.wYear, st.wMonth, st.wDay)) return false;
    result = DaysFromCivil(st.wYear, st.wMonth, st.wDay) +
             (st.wHour * 3600.0 + st.wMinute * 60.0 + st.wSecond) / 86400.0;
    return true;
}

uint32_t DateTimeToFileDate(TDateTime t) {
    long days = static_cast<long>(t);
    if (t < 0 && days != t) --days;
    long secs = static_cast<long>((t - days) * 86400.0 + 0.5);
    if (secs >= 86400) { ++days; secs -= 86400; }
    int y; unsigned m, d;
    CivilFromDays(days, y, m, d);
    SYSTEMTIME st = {};
    st.wYear = static_cast<WORD>(y);
    st.wMonth = static_cast<WORD>(m);
    st.wDay = static_cast<WORD>(d);
    st.wHour = static_cast<WORD>(secs / 3600);
    st.wMinute = static_cast<WORD>(secs / 60 % 60);
    st.wSecond = static_cast<WORD>(secs % 60);
    return SystemTimeToDos(st);
}

uint32_t NowFileDate() {
    SYSTEMTIME st;
    GetLocalTime(&st);
    return SystemTimeToDos(st);
}

std::string FileDateToStr(uint32_t dosDate) {
    SYSTEMTIME st;
    if (!DosToSystemTime(dosDate, st) || !ValidDate(st.wYear, st.wMonth, st.wDay)) return std::string();
    char buf[128];
    int n = GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &st, nullptr, buf, sizeof buf);
    return n > 0 ? std::string(buf, n - 1) : std::string();
}

std::string DateToStr(TDateTime t) { return FileDateToStr(DateTimeToFileDate(t)); }

TDateTime StrToDate(const std::string& s) {
    // The order of day, month and year comes from the user's short date pattern; the text is
    // read as numbers (or month names) in that order, whatever separates them.
    const std::string pattern = LocaleText(LOCALE_SSHORTDATE);
    std::string order;
    bool monthByName = false, quoted = false;
    for (size_t i = 0; i < pattern.size(); ++i) {
        char c = pattern[i];
        if (c == '\'') { quoted = !quoted; continue; }
        if (quoted || (c != 'd' && c != 'M' && c != 'y')) continue;
        size_t run = 1;
        while (i + run < pattern.size() && pattern[i + run] == c) ++run;
        if (!(c == 'd' && run >= 3)) order += c;  // "ddd" is a weekday name: read past it
        if (c == 'M' && run >= 3) monthByName = true;
        i += run - 1;
    }
    if (order.size() != 3) order = "Mdy";
    int value[3] = {0, 0, 0}, digits[3] = {0, 0, 0};
    size_t pos = 0;
    for (int k = 0; k < 3; ++k) {
        while (pos < s.size() && !std::isdigit(static_cast<unsigned char>(s[pos])) &&
               !(monthByName && order[k] == 'M' && std::isalpha(static_cast<unsigned char>(s[pos]))))
            ++pos;
        if (monthByName && order[k] == 'M') {
            value[k] = MatchMonthName(s, pos);
            digits[k] = value[k] ? 2 : 0;
            if (value[k]) continue;
        }
        while (pos < s.size() && std::isdigit(static_cast<unsigned char>(s[pos])) && digits[k] < 5) {
            value[k] = value[k] * 10 + (s[pos++] - '0');
            ++digits[k];
        }
        if (digits[k] == 0) throw EConvertError("'" + s + "' is not a valid date");
    }
    int y = 0, m = 0, d = 0, yearDigits = 0;
    for (int k = 0; k < 3; ++k) {
        if (order[k] == 'y') { y = value[k]; yearDigits = digits[k]; }
        else if (order[k] == 'M') m = value[k];
        else d = value[k];
    }
    if (yearDigits <= 2) {
        SYSTEMTIME now;
        GetLocalTime(&now);
        const int centuryBase = now.wYear - 50;
        y += centuryBase / 100 * 100;
        if (y < centuryBase) y += 100;
    }
    if (!ValidDate(y, m, d)) throw EConvertError("'" + s + "' is not a valid date");
    return DaysFromCivil(y, m, d);
}
