// The platform's comparisons, sort keys and dates as Win32 gives them.
#include "Platform.h"
#include <windows.h>
#include <gtest/gtest.h>
#include <algorithm>

namespace {

int Sign(int v) { return (v > 0) - (v < 0); }

// Mixed case, accents, punctuation that word sorting treats specially, digits and prefixes.
std::vector<std::string> Corpus() {
    const char* words[] = {
        "News", "news", "NEWS", "N\xe9ws", "n\xe9ws", "Nev", "New", "News today", "News-today",
        "Newstoday", "co-op", "coop", "co op", "Co-Op", "it's", "its", "\xc9t\xe9", "ete", "Ete",
        "\xe9t\xe9", "\xe0 la carte", "a la carte", "A la Carte", "\xc5ngstr\xf6m", "Angstrom",
        "stra\xdf" "e", "strasse", "Strasse", "\xe6on", "aeon", "AEon", "\xd8st", "Ost", "ost",
        "m\xfcller", "Mueller", "Muller", "M\xdcLLER", "caf\xe9", "cafe", "CAF\xc9", "cafes",
        "10", "9", "1 0", "_x", "-x", "x", "X", "~tilde", "#hash", "a.b", "a,b", "ab", "a b",
        "", "Z", "z", "\xff", "y\xff", "y", "na\xefve", "naive", "NA\xcfVE", "\xf1u", "nu", "Nu",
    };
    std::vector<std::string> names;
    for (const char* w : words) {
        names.push_back(w);
        names.push_back(std::string("Favorites\\") + w + "\\");
        names.push_back(std::string("Favorites\\") + w + "\\Daily paper");
    }
    return names;
}

}  // namespace

TEST(Platform, SortKeysOrderAsCompareStringIgnoringCase) {
    const std::vector<std::string> names = Corpus();
    int checked = 0;
    for (const std::string& a : names) {
        const std::string ka = AnsiSortKey(a);
        for (const std::string& b : names) {
            const std::string kb = AnsiSortKey(b);
            int byKey = Sign(ka.compare(kb));
            int byCompare = Sign(AnsiCompareText(a, b));
            ASSERT_EQ(byKey, byCompare) << "'" << a << "' vs '" << b << "'";
            ++checked;
        }
    }
    EXPECT_GT(checked, 1000);
}

TEST(Platform, LocaleComparisonsAreCaseAwareAsAsked) {
    EXPECT_EQ(AnsiCompareText("news", "NEWS"), 0);
    EXPECT_NE(AnsiCompareStr("news", "NEWS"), 0);
    EXPECT_LT(AnsiCompareText("apple", "Banana"), 0);  // not by character codes
    EXPECT_LT(AnsiCompareStr("apple", "Banana"), 0);
}

TEST(Platform, DosDatesRoundTripAndShowInTheShortDateFormat) {
    struct Case { int y, m, d, hh, mm, ss; } cases[] = {
        {1980, 1, 1, 0, 0, 0}, {1999, 12, 31, 23, 59, 58}, {2000, 2, 29, 12, 30, 10}, {2107, 12, 31, 1, 2, 4},
    };
    for (const Case& c : cases) {
        const uint32_t dos = (uint32_t(c.y - 1980) << 25) | (uint32_t(c.m) << 21) | (uint32_t(c.d) << 16) |
                             (c.hh << 11) | (c.mm << 5) | (c.ss / 2);
        TDateTime t;
        ASSERT_TRUE(FileDateToDateTime(dos, t));
        EXPECT_EQ(DateTimeToFileDate(t), dos);
        SYSTEMTIME st = {};
        st.wYear = WORD(c.y); st.wMonth = WORD(c.m); st.wDay = WORD(c.d);
        char expected[64];
        GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &st, nullptr, expected, sizeof expected);
        EXPECT_EQ(FileDateToStr(dos), expected);
        EXPECT_EQ(StrToDate(FileDateToStr(dos)), static_cast<long>(t));
    }
    TDateTime t;
    EXPECT_FALSE(FileDateToDateTime(0, t));  // month 0, day 0
    EXPECT_EQ(FileDateToStr(0), "");
    EXPECT_THROW(StrToDate("no date"), EConvertError);
    EXPECT_THROW(StrToDate(""), EConvertError);
    TDateTime now;
    ASSERT_TRUE(FileDateToDateTime(NowFileDate(), now));
    EXPECT_GT(now, 45000.0);  // after 2023
}

// The user's short date format is read back whatever its order and separators.
struct DateFormatCase { const char* Format; const char* Jan12th2025; };
class ShortDateFormat : public ::testing::TestWithParam<DateFormatCase> {
protected:
    void SetUp() override {
        char buf[80];
        GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SSHORTDATE, buf, sizeof buf);
        Saved = buf;
        ASSERT_TRUE(SetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SSHORTDATE, GetParam().Format));
    }
    void TearDown() override { SetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SSHORTDATE, Saved.c_str()); }
    std::string Saved;
};

TEST_P(ShortDateFormat, ShownDatesReadBack) {
    EXPECT_EQ(FileDateToStr(0x5A2C6000u), GetParam().Jan12th2025);
    for (uint32_t dos : {0x5A2C0000u, 0x21210000u, 0x3D9F0000u}) {  // 2025-01-12, 1996-09-01, 2010-12-31
        TDateTime t;
        ASSERT_TRUE(FileDateToDateTime(dos, t));
        const std::string text = FileDateToStr(dos);
        ASSERT_FALSE(text.empty());
        EXPECT_EQ(StrToDate(text), t) << GetParam().Format << " gives " << text;
    }
}

INSTANTIATE_TEST_SUITE_P(Formats, ShortDateFormat,
                         ::testing::Values(DateFormatCase{"M/d/yyyy", "1/12/2025"},
                                           DateFormatCase{"dd.MM.yyyy", "12.01.2025"},
                                           DateFormatCase{"yyyy-MM-dd", "2025-01-12"},
                                           DateFormatCase{"d/M/yy", "12/1/25"},
                                           DateFormatCase{"dd-MMM-yyyy", "12-Jan-2025"}));

TEST(Platform, ComposedSortKeysAreThePlatformsBytes) {
    PrepareFastSortKeys();
    ASSERT_TRUE(FastSortKeysReady());
    uint32_t seed = 7;
    auto next = [&] { seed = seed * 1103515245u + 12345u; return seed >> 16; };
    const std::vector<std::string> corpus = Corpus();
    for (int i = 0; i < 3000; ++i) {
        std::string s;
        const int len = 1 + next() % 60;
        for (int k = 0; k < len; ++k) {
            // Mostly letters and blanks as in descriptions, with any other byte now and then.
            unsigned r = next();
            s += r % 4 ? "aBcDeFgHiJ kLmNoPqRsTuVwXyZ\xe9\xc9\xe0\xdf\xe6\\"[r % 37] : static_cast<char>(1 + r % 255);
        }
        if (i < static_cast<int>(corpus.size()) && !corpus[i].empty()) s = corpus[i];
        char buf[2048];
        int n = LCMapStringA(LOCALE_USER_DEFAULT, LCMAP_SORTKEY | NORM_IGNORECASE, s.data(),
                             static_cast<int>(s.size()), buf, sizeof buf);
        ASSERT_EQ(AnsiSortKey(s), std::string(buf, n)) << "'" << s << "'";
    }
}
