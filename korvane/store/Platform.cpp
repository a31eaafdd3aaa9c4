// Locale comparisons, sort keys, short dates and DOS dates through Win32; system error texts.
#include "Platform.h"
#include <windows.h>
#include <algorithm>
#include <cctype>
#include <cstring>
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

namespace {

const DWORD SortKeyFlags = LCMAP_SORTKEY | NORM_IGNORECASE;

std::string PlatformSortKey(std::string_view s) {
    const char* src = s.empty() ? "" : s.data();
    const int len = s.empty() ? -1 : static_cast<int>(s.size());
    char buf[1024];
    int n = LCMapStringA(LOCALE_USER_DEFAULT, SortKeyFlags, src, len, buf, sizeof buf);
    if (n > 0) return std::string(buf, n);
    n = LCMapStringA(LOCALE_USER_DEFAULT, SortKeyFlags, src, len, nullptr, 0);
    if (n <= 0) return std::string();
    std::string key(n, '\0');
    n = LCMapStringA(LOCALE_USER_DEFAULT, SortKeyFlags, src, len, &key[0], n);
    key.resize(n > 0 ? n : 0);
    return key;
}

// A sort key is sections separated by 01: primary weights (two bytes per unit), diacritic
// weights and case weights (one byte per unit, 02 meaning none, trailing 02s left out), an
// extra section, then the special weights of punctuation, and a final 00. For characters whose
// key has no special or extra part the key of a text is the composition of theirs.
class SortKeyComposer {
public:
    SortKeyComposer() {
        for (int c = 1; c < 256; ++c) Learn(static_cast<unsigned char>(c));
        std::vector<std::pair<int, int>> failing;
        for (int a = 1; a < 256; ++a) {
            if (!Chars[a].Composable) continue;
            for (int b = 1; b < 256; ++b) {
                if (!Chars[b].Composable) continue;
                const char pair[2] = {static_cast<char>(a), static_cast<char>(b)};
                std::string composed;
                if (!Compose(std::string_view(pair, 2), composed) ||
                    composed != PlatformSortKey(std::string_view(pair, 2)))
                    failing.emplace_back(a, b);
            }
        }
        // A pair that combines (a letter and a spacing accent, say) is the fault of the rarer
        // character: leave out, one at a time, the character in most failing pairs.
        for (;;) {
            int count[256] = {};
            for (const auto& f : failing)
                if (Chars[f.first].Composable && Chars[f.second].Composable) {
                    ++count[f.first];
                    if (f.second != f.first) ++count[f.second];
                }
            const int worst = static_cast<int>(std::max_element(count, count + 256) - count);
            if (count[worst] == 0) break;
            Chars[worst].Composable = false;
        }
        for (int c = 1; c < 256; ++c) Usable = Usable || Chars[c].Composable;
    }

    bool Compose(std::string_view s, std::string& key) const {
        size_t units = 0;
        bool marked = false;
        for (unsigned char c : s) {
            const Char& ch = Chars[c];
            if (!ch.Composable) return false;
            units += ch.PrimaryLength / 2;
            marked = marked || ch.Diacritic || ch.Case;
        }
        key.resize(units * (marked ? 4 : 2) + 5);
        char* out = &key[0];
        for (unsigned char c : s) {
            const Char& ch = Chars[c];
            std::memcpy(out, ch.Primary, 4);  // the key has room: four bytes per unit or the tail
            out += ch.PrimaryLength;
        }
        *out++ = '\x01';
        if (marked) {
            out = Weights(s, &Char::Diacritic, out);
            *out++ = '\x01';
            out = Weights(s, &Char::Case, out);
        } else {
            *out++ = '\x01';
        }
        *out++ = '\x01';
        *out++ = '\x01';
        *out++ = '\0';
        key.resize(out - key.data());
        return true;
    }

    bool Usable = false;

private:
    struct Char {
        bool Composable = false;
        char Primary[4] = {};
        size_t PrimaryLength = 0;
        char Diacritic = 0, Case = 0;
    };

    // One weight per unit, 02 for none, trailing 02s left out.
    char* Weights(std::string_view s, char Char::*weight, char* out) const {
        char* lastMark = out;
        for (unsigned char c : s) {
            const Char& ch = Chars[c];
            for (size_t u = 0; u < ch.PrimaryLength / 2; ++u) {
                const char w = ch.*weight;
                *out++ = w ? w : '\x02';
                if (w && w != '\x02') lastMark = out;
            }
        }
        return lastMark;
    }

    void Learn(unsigned char c) {
        const std::string key = PlatformSortKey(std::string_view(reinterpret_cast<const char*>(&c), 1));
        std::string part[4];
        size_t pos = 0;
        for (int k = 0; k < 4; ++k) {
            size_t end = key.find('\x01', pos);
            if (end == std::string::npos) return;
            part[k] = key.substr(pos, end - pos);
            pos = end + 1;
        }
        if (key.substr(pos) != std::string(1, '\0')) return;  // special weights
        const std::string& primary = part[0];
        if (primary.empty() || primary.size() % 2 || primary.size() > 4 || !part[3].empty()) return;
        if (part[1].size() > 1 || part[2].size() > 1) return;
        if (primary.size() > 2 && (!part[1].empty() || !part[2].empty())) return;
        Char& ch = Chars[c];
        std::memcpy(ch.Primary, primary.data(), primary.size());
        ch.PrimaryLength = primary.size();
        ch.Diacritic = part[1].empty() ? 0 : part[1][0];
        ch.Case = part[2].empty() ? 0 : part[2][0];
        std::string composed;
        ch.Composable = true;
        ch.Composable = Compose(std::string_view(reinterpret_cast<const char*>(&c), 1), composed) && composed == key;
    }

    Char Chars[256];
};

// Built on first use for the user's locale and unchanged afterwards; the keys it composes
// are those the platform gives, so mixing composed and asked-for keys keeps one order.
const SortKeyComposer*& Composer() {
    static const SortKeyComposer* composer = nullptr;
    return composer;
}

}  // namespace

void PrepareFastSortKeys() {
    static const SortKeyComposer composer;
    Composer() = composer.Usable ? &composer : nullptr;
}

bool FastSortKeysReady() { return Composer() != nullptr; }

std::string AnsiSortKey(std::string_view s) {
    if (const SortKeyComposer* composer = Composer()) {
        std::string key;
        if (!s.empty() && composer->Compose(s, key)) return key;
    }
    return PlatformSortKey(s);
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
