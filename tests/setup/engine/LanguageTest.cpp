// Language files: the language list, the switch, numbered messages and fonts.
#include "ConfigFixture.h"
#include "Exceptions.h"
#include "Fonts.h"

#include <gtest/gtest.h>

namespace {

TEST(Language, NamesAreTheCommaSeparatedEntriesTakenExactly)
{
    const struct {
        const char* list;  // null: SetupLanguages missing
        std::vector<std::string> names;
    } cases[] = {
        {"English,German", {"English", "German"}},
        {"English,,German", {"English", "", "German"}},
        {"English,", {"English"}},
        {" English , German", {" English ", " German"}},
        {nullptr, {""}},
        {"%First%,Dutch", {"French", "Dutch"}},
    };
    for (const auto& c : cases) {
        ConfigFolder setup;
        std::vector<std::string> ini = {"[SETUP_INFO]"};
        if (c.list)
            ini.push_back(std::string("SetupLanguages=") + c.list);
        setup.SetupIni(ini);
        setup.Language("English", {"[STRINGS]"});
        auto config = setup.Load();
        config->SetVariable("First", "French");
        std::vector<std::string> names;
        std::string name;
        for (int n = 0; config->GetLanguageName(n, name) && n < 10; ++n)
            names.push_back(name);
        EXPECT_EQ(c.names, names) << (c.list ? c.list : "(missing)");
        EXPECT_EQ("English", name);
    }
}

TEST(Language, StartReadsTheDefaultLanguageAndTheSwitchKeepsMissingTexts)
{
    ConfigFolder setup;
    setup.SetupIni({"[SETUP_INFO]", "DefaultSetupLanguage=%Lang%", "[DIALOGS]", "WelcomeDialog=yes",
                    "LanguageDialog=yes", "FinishDialog=yes"});
    // %Lang% is unknown at load time, so the file is named literally.
    setup.Language("%Lang%", {"[WELCOME_DIALOG]", "Dialog_Title=Welcome", "Next=Next", "[EXIT_SETUP_DIALOG]",
                              "Dialog_Title=Exit", "[LANGUAGE_DIALOG]", "Dialog_Title=Language",
                              "[FINISH_DIALOG]", "Check1=Readme", "[STRINGS]", "1=Setup", "21=%1 and %1"});
    setup.Language("German", {"[WELCOME_DIALOG]", "Dialog_Title=Willkommen", "Next=", "[LANGUAGE_DIALOG]",
                              "Dialog_Title=Sprache", "[FINISH_DIALOG]", "Check1=Liesmich", "Check2=Starten",
                              "[STRINGS]", "1=Installation"});
    auto config = setup.Load();
    EXPECT_EQ("Welcome", config->GetVariable("WelcomeTitle", false));
    EXPECT_FALSE(config->HasVariable("FinishCheck1"));  // the check box is not shown
    EXPECT_EQ("Setup", config->GetString(1));
    EXPECT_EQ("Windows XP and %1", config->FormatString(21, "Windows XP"));
    EXPECT_EQ("", config->GetString(99));

    ASSERT_TRUE(config->LoadLanguage("German"));
    EXPECT_EQ("German", config->GetVariable("DefaultSetupLanguage", false));
    EXPECT_EQ("Willkommen", config->GetVariable("WelcomeTitle", false));
    EXPECT_EQ("Next", config->GetVariable("WelcomeNext", false));  // empty in German: kept
    EXPECT_EQ("Exit", config->GetVariable("ExitSetupTitle", false));
    EXPECT_EQ("Language", config->GetVariable("LanguageTitle", false));  // not read again
    EXPECT_EQ("Liesmich", config->GetVariable("FinishCheck1", false));
    EXPECT_EQ("Starten", config->GetVariable("FinishCheck2", false));
    EXPECT_EQ("Installation", config->GetString(1));
    EXPECT_EQ("", config->FormatString(21, "x"));

    try {
        config->LoadLanguage("Dutch");
        FAIL() << "no exception";
    } catch (const FileException& e) {
        EXPECT_EQ("Can not open file: \"Dutch.dat\"", e.Describe());
    }
}

TEST(Language, MissingDefaultLanguageOpensEnglish)
{
    ConfigFolder setup;
    setup.SetupIni({"[SETUP_INFO]"});
    setup.Language("English", {"[STRINGS]", "1=English caption"});
    EXPECT_EQ("English caption", setup.Load()->GetString(1));
}

TEST(FontSpec, FieldsAreTakenOnlyWhenACommaFollows)
{
    const struct {
        const char* text;
        const char* face;
        long height;
        long weight;
        int italic;
        int underline;
        int strikeOut;
    } cases[] = {
        {"", "Arial", -12, 400, 0, 0, 0},
        {"Tahoma", "Arial", -12, 400, 0, 0, 0},
        {"Tahoma,", "Tahoma", -12, 400, 0, 0, 0},
        {"Tahoma,-16", "Tahoma", -12, 400, 0, 0, 0},
        {"Tahoma,-16,700", "Tahoma", -16, 400, 0, 0, 0},
        {"Tahoma,-16,700,0,0,0", "Tahoma", -16, 700, 0, 0, 0},
        {"Tahoma,-16,700,1,1,1", "Tahoma", -16, 700, 1, 1, 1},
        {"Tahoma,-16,700,1,1,1,9", "Tahoma", -16, 700, 1, 1, 1},
        {",x,,257,,", "", 0, 0, 1, 0, 0},
        {"An Extremely Long Font Face Name Of More Than Thirty-One,20", "An Extremely Long Font Face Nam", -12, 400,
         0, 0, 0},
    };
    for (const auto& c : cases) {
        LOGFONTA font;
        ParseFontSpec(c.text, font);
        SCOPED_TRACE(c.text);
        EXPECT_STREQ(c.face, font.lfFaceName);
        EXPECT_EQ(c.height, font.lfHeight);
        EXPECT_EQ(c.weight, font.lfWeight);
        EXPECT_EQ(c.italic, font.lfItalic);
        EXPECT_EQ(c.underline, font.lfUnderline);
        EXPECT_EQ(c.strikeOut, font.lfStrikeOut);
        EXPECT_EQ(DEFAULT_CHARSET, font.lfCharSet);
        EXPECT_EQ(PROOF_QUALITY, font.lfQuality);
        EXPECT_EQ(0, font.lfWidth);
    }
}

TEST(FontSpec, ConfigReadsTheExpandedVariable)
{
    ConfigFolder setup;
    setup.SetupIni({"[SETUP_INFO]"});
    setup.Language("English", {"[STRINGS]"});
    auto config = setup.Load();
    config->SetVariable("Face", "Courier New");
    config->SetVariable("SWHeadingFont", "%Face%,-20,700,0,0,0");
    LOGFONTA font;
    config->GetFont("SWHeadingFont", font);
    EXPECT_STREQ("Courier New", font.lfFaceName);
    EXPECT_EQ(-20, font.lfHeight);
}

}  // namespace
