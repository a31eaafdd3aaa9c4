// The path helpers over a table of texts.
#include "Paths.h"
#include <gtest/gtest.h>

TEST(Paths, Helpers) {
    struct Case { const char* S; int Slashes; const char* First; const char* LastWithSlash; const char* Last; const char* Parent; } cases[] = {
        {"Favorites\\News\\Sport\\", 3, "Favorites", "Sport\\", "Sport", "Favorites\\News\\"},
        {"Favorites\\News\\", 2, "Favorites", "News\\", "News", "Favorites\\"},
        {"Favorites\\", 1, "Favorites", "Favorites\\", "Favorites", ""},
        {"News\\Sport\\", 2, "News", "Sport\\", "Sport", "News\\"},
        {"Favorites\\News\\Daily paper", 2, "Favorites", "News\\", "News", "Favorites\\"},
        {"no slash", 0, "", "", "", ""},
        {"\\", 1, "", "\\", "", ""},
        {"", 0, "", "", "", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CountBackslashes(c.S), c.Slashes) << c.S;
        EXPECT_EQ(FirstPathComponent(c.S), c.First) << c.S;
        EXPECT_EQ(LastComponentWithSlash(c.S), c.LastWithSlash) << c.S;
        EXPECT_EQ(LastPathComponent(c.S), c.Last) << c.S;
        EXPECT_EQ(ParentFolderPath(c.S), c.Parent) << c.S;
    }
    EXPECT_EQ(CompareFloat(2.5, 1), 1);
    EXPECT_EQ(CompareFloat(1, 2.5), -1);
    EXPECT_EQ(CompareFloat(3, 3), 0);
    EXPECT_EQ(ExtractFileName("Favorites\\News\\Daily"), "Daily");
    EXPECT_EQ(ExtractFilePath("Favorites\\News\\Daily"), "Favorites\\News\\");
    EXPECT_EQ(ExtractFileName("Favorites\\News\\"), "");
}

TEST(Paths, AsciiComparisonsLeaveOtherBytesExact) {
    EXPECT_TRUE(StartsWithAscii("FAVORITES\\news\\x", "Favorites\\NEWS\\"));
    EXPECT_FALSE(StartsWithAscii("Favorites\\\xe9t\xe9\\", "Favorites\\\xc9T\xc9\\"));
    EXPECT_FALSE(StartsWith("Favorites\\News", "Favorites\\news"));
    EXPECT_TRUE(ContainsAscii("Latest News today", "NEW"));
    EXPECT_FALSE(ContainsAscii("ne", "NEW"));
    EXPECT_EQ(UpperCaseAscii("caf\xe9 b"), "CAF\xe9 B");
    EXPECT_EQ(Trim(" \t x y \r\n"), "x y");
    EXPECT_EQ(SubPathOf("Favorites\\News\\"), "News\\");
    EXPECT_EQ(SubPathOf("Favorites\\"), "");
}
