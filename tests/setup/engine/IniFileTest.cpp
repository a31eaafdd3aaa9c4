// The rules of setup's own INI reader.
#include "Exceptions.h"
#include "IniFile.h"
#include "TestFolder.h"

#include <gtest/gtest.h>

namespace {

const char kSample[] =
    "[GENERAL_INFO]\r\n"
    "ProductName=Tool\r\n"
    "ProductName=Second\r\n"
    "Company Name = Acme \r\n"
    "Formula=a=b=c\r\n"
    "Empty=\r\n"
    "   \t \r\n"
    "\r\n"
    ";Comment=yes\r\n"
    "NoEquals\r\n"
    "[SETUP_INFO]\r\n"
    "SetupType=1\r\n"
    "Text [OTHER] inside\r\n"
    "Later=1\r\n"
    "[OTHER]\r\n"
    "Ignored=1\r\n"
    "[GENERAL_INFO]\r\n"
    "Hidden=1\r\n"
    "Tail=unterminated";

struct ValueCase {
    const char* section;
    const char* key;
    const char* expected;  // null: the default comes back
};

TEST(IniFile, ValueLookupFollowsTheReadersOwnRules)
{
    const ValueCase cases[] = {
        {"GENERAL_INFO", "ProductName", "Tool"},          // first match wins
        {"GENERAL_INFO", "Company Name ", " Acme "},      // untrimmed key and value
        {"GENERAL_INFO", "Company Name", nullptr},
        {"GENERAL_INFO", "productname", nullptr},         // keys are case-sensitive
        {"GENERAL_INFO", "Formula", "a=b=c"},             // value may hold '='
        {"GENERAL_INFO", "Empty", ""},                    // present but empty: not the default
        {"GENERAL_INFO", ";Comment", "yes"},              // no comment syntax
        {"GENERAL_INFO", "SetupType", nullptr},           // ends at the next '[' line
        {"GENERAL_INFO", "Hidden", nullptr},              // second header never reached
        {"general_info", "ProductName", nullptr},         // section names are case-sensitive
        {"SETUP_INFO", "SetupType", "1"},
        {"OTHER", "Later", "1"},                          // "[OTHER]" inside a line starts the section
        {"OTHER", "Ignored", nullptr},
        {"MISSING", "Key", nullptr},
        {"GENERAL_INFO", "Tail", nullptr},                // after the last CR LF nothing is read
    };
    IniFile ini = IniFile::FromText(kSample);
    for (const ValueCase& c : cases) {
        SCOPED_TRACE(std::string(c.section) + "/" + c.key);
        std::string value;
        bool nonEmpty = ini.GetValue(c.section, c.key, "<default>", value);
        std::string expected = c.expected ? c.expected : "<default>";
        EXPECT_EQ(expected, value);
        EXPECT_EQ(!expected.empty(), nonEmpty);
    }
}

TEST(IniFile, LinesOfASectionSkipBlankLinesAndKeepRawText)
{
    IniFile ini = IniFile::FromText(kSample);
    EXPECT_EQ(7, ini.GetLineCount("GENERAL_INFO"));
    EXPECT_EQ(1, ini.GetLineCount("OTHER"));  // the real [OTHER] header ends it
    EXPECT_EQ(0, ini.GetLineCount("MISSING"));
    std::string line;
    ASSERT_TRUE(ini.GetLine("GENERAL_INFO", 2, line));
    EXPECT_EQ("Company Name = Acme ", line);
    ASSERT_TRUE(ini.GetLine("GENERAL_INFO", 5, line));
    EXPECT_EQ(";Comment=yes", line);
    EXPECT_FALSE(ini.GetLine("GENERAL_INFO", 7, line));
    EXPECT_EQ("", line);
    EXPECT_FALSE(ini.GetLine("GENERAL_INFO", -1, line));
    EXPECT_FALSE(ini.GetLine("MISSING", 0, line));
}

TEST(IniFile, BooleansAcceptYesTrueAndALeadingOne)
{
    struct {
        const char* value;
        bool def;
        bool expected;
    } cases[] = {
        {"yes", false, true}, {"YES", false, true}, {"True", false, true}, {"1", false, true},
        {"10", false, true},  {"yes ", false, false}, {"y", false, false}, {"0", true, false},
        {"no", true, false},  {"", true, true},       {"", false, false},  {nullptr, true, true},
    };
    for (const auto& c : cases) {
        std::string text = "[S]\r\n";
        if (c.value)
            text += std::string("Flag=") + c.value + "\r\n";
        SCOPED_TRACE(text);
        EXPECT_EQ(c.expected, IniFile::FromText(text).GetBool("S", "Flag", c.def));
    }
}

TEST(IniFile, FilesWithoutCrLfOrWithLoneCrYieldNothingOrStayInOneLine)
{
    EXPECT_EQ("", IniFile::FromText("[S]\nKey=1\n").GetValue("S", "Key"));
    EXPECT_EQ("a\rb", IniFile::FromText("[S]\r\nKey=a\rb\r\n").GetValue("S", "Key"));
    EXPECT_EQ(0, IniFile::FromText("").GetLineCount("S"));
}

TEST(IniFile, ReadsFilesOfAnyContentFromDisk)
{
    TestFolder folder;
    std::string binary;
    for (int i = 0; i < 70000; ++i)
        binary += static_cast<char>(i * 7919 % 256);
    std::string longLine = "[S]\r\nLong=" + std::string(3 * 1024 * 1024, 'x') + "\r\nAfter=2\r\n";
    std::string manyLines = "[S]\r\n";
    for (int i = 0; i < 100000; ++i)
        manyLines += "K" + std::to_string(i) + "=" + std::to_string(i) + "\r\n";
    folder.WriteRaw("binary.ini", binary);
    folder.WriteRaw("long.ini", longLine);
    folder.WriteRaw("many.ini", manyLines);
    folder.WriteRaw("nocrlf.ini", std::string(200000, 'z'));
    folder.WriteRaw("empty.ini", "");

    IniFile(folder / "binary.ini", "binary.ini").GetValue("S", "K");
    IniFile longFile(folder / "long.ini", "long.ini");
    EXPECT_EQ(3u * 1024 * 1024, longFile.GetValue("S", "Long").size());
    EXPECT_EQ("2", longFile.GetValue("S", "After"));
    IniFile many(folder / "many.ini", "many.ini");
    EXPECT_EQ(100000, many.GetLineCount("S"));
    EXPECT_EQ("99999", many.GetValue("S", "K99999"));
    EXPECT_EQ(0, IniFile(folder / "nocrlf.ini", "nocrlf.ini").GetLineCount("S"));
    EXPECT_EQ(0, IniFile(folder / "empty.ini", "empty.ini").GetLineCount("S"));
}

TEST(IniFile, MissingFileThrowsCanNotOpenWithTheReportedName)
{
    TestFolder folder;
    try {
        IniFile(folder / "Setup.ini", "Setup.ini");
        FAIL() << "no exception";
    } catch (const FileException& e) {
        EXPECT_EQ(FileErrorCanNotOpen, e.GetCode());
        EXPECT_EQ("Can not open file: \"Setup.ini\"", e.Describe());
    }
}

}  // namespace
