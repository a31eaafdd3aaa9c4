// Shortcut records: shell links and Internet shortcuts made and read back
// through the system's COM objects.
#include "ErrorLog.h"
#include "InstallLog.h"
#include "ShortcutHandler.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <objbase.h>
#include <objidl.h>
#include <shlobj.h>
#include <intshcut.h>

namespace {

using Lines = std::vector<std::string>;

template <class T>
struct Com {
    T* p = nullptr;
    ~Com() { if (p) p->Release(); }
    void** Out() { return reinterpret_cast<void**>(&p); }
};

std::wstring Wide(const std::string& text) {
    wchar_t buffer[MAX_PATH];
    MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, buffer, MAX_PATH);
    return buffer;
}

class Shortcuts : public ::testing::Test {
protected:
    void SetUp() override { CoInitialize(nullptr); }
    void TearDown() override { CoUninitialize(); }

    // %Group% stands for the program group folder.
    ShortcutHandler::Expander Expand() {
        return [this](std::string& text) {
            size_t at = text.find("%Group%");
            if (at != std::string::npos) text.replace(at, 7, temp_ / "Programs\\Group");
        };
    }

    TempFolder temp_;
    InstallLog log_{"unused", false};
    ErrorLog errors_{temp_.Path(), nullptr};
};

TEST_F(Shortcuts, ShellLinkCarriesEveryFieldAndItsNewFolderIsRecorded) {
    CreateDirectoryA((temp_ / "Programs").c_str(), nullptr);
    std::string target = temp_ / "tool.exe";
    WriteFileText(target, "MZ");
    log_.SetCategory(CategorySystem);
    {
        ShortcutHandler handler(Expand(), log_, errors_, nullptr);
        handler.Apply("s,%Group%\\Tool," + target + ",-a -b," + temp_ / "tool.ico" + ",3,7," + temp_.Path());
        handler.Apply("s,%Group%\\Max," + target + ",,,,3");
    }
    std::string link = temp_ / "Programs\\Group\\Tool.lnk";
    ASSERT_TRUE(FileExists(link));

    Com<IShellLinkA> shell;
    ASSERT_TRUE(SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                           shell.Out())));
    Com<IPersistFile> file;
    ASSERT_TRUE(SUCCEEDED(shell.p->QueryInterface(IID_IPersistFile, file.Out())));
    ASSERT_TRUE(SUCCEEDED(file.p->Load(Wide(link).c_str(), STGM_READ)));
    char text[MAX_PATH];
    int index = -1, show = -1;
    shell.p->GetPath(text, MAX_PATH, nullptr, 0);
    EXPECT_STRCASEEQ(text, target.c_str());
    shell.p->GetArguments(text, MAX_PATH);
    EXPECT_STREQ(text, "-a -b");
    shell.p->GetIconLocation(text, MAX_PATH, &index);
    EXPECT_STRCASEEQ(text, (temp_ / "tool.ico").c_str());
    EXPECT_EQ(index, 3);
    shell.p->GetShowCmd(&show);
    std::string bytes = ReadFileText(link);
    ASSERT_GE(bytes.size(), 0x40u);
    // The link file keeps the show command in its header. Wine's shell link
    // object reads every show command back as 1 (normal) where Windows gives
    // the stored one, so the header is what is checked.
    EXPECT_EQ(bytes[0x3C], 7);
    EXPECT_TRUE(show == 7 || show == SW_SHOWNORMAL) << show;
    shell.p->GetWorkingDirectory(text, MAX_PATH);
    EXPECT_STRCASEEQ(text, temp_.Path().c_str());

    Com<IPersistFile> maxFile;
    ASSERT_TRUE(SUCCEEDED(shell.p->QueryInterface(IID_IPersistFile, maxFile.Out())));
    std::string maxLink = temp_ / "Programs\\Group\\Max.lnk";
    ASSERT_TRUE(SUCCEEDED(maxFile.p->Load(Wide(maxLink).c_str(), STGM_READ)));
    EXPECT_EQ(ReadFileText(maxLink).at(0x3C), SW_SHOWMAXIMIZED);
    shell.p->GetArguments(text, MAX_PATH);
    EXPECT_STREQ(text, "");

    EXPECT_TRUE(errors_.GetLines().empty());
    InstallLog recorded("unused", false);
    recorded.SetCategory(CategorySystem);
    recorded.RecordFolder(temp_ / "Programs\\Group");
    recorded.RecordApplicationFile(link);
    recorded.RecordApplicationFile(maxLink);
    EXPECT_EQ(log_.Text(), recorded.Text());
}

TEST_F(Shortcuts, InternetShortcutGetsItsAddressWithTheDefaultProtocol) {
    {
        ShortcutHandler handler(Expand(), log_, errors_, nullptr);
        handler.Apply("i," + temp_ / "Site,http://example.com/page");
        handler.Apply("w," + temp_ / "Bare,www.example.org");
    }
    struct Case { const char* name; const char* address; };
    // Wine's Internet shortcut object keeps a bare address as given where
    // Windows would add "http://"; the file and its object agree either way.
    for (const Case& c : {Case{"Site.url", "http://example.com/page"}, Case{"Bare.url", nullptr}}) {
        std::string path = temp_ / c.name;
        ASSERT_TRUE(FileExists(path)) << c.name;
        Com<IUniformResourceLocatorA> url;
        ASSERT_TRUE(SUCCEEDED(CoCreateInstance(CLSID_InternetShortcut, nullptr, CLSCTX_INPROC_SERVER,
                                               IID_IUniformResourceLocatorA, url.Out())));
        Com<IPersistFile> file;
        ASSERT_TRUE(SUCCEEDED(url.p->QueryInterface(IID_IPersistFile, file.Out())));
        ASSERT_TRUE(SUCCEEDED(file.p->Load(Wide(path).c_str(), STGM_READ)));
        char* address = nullptr;
        ASSERT_TRUE(SUCCEEDED(url.p->GetURL(&address)));
        std::string got = address ? address : "";
        CoTaskMemFree(address);
        char fromFile[MAX_PATH];
        GetPrivateProfileStringA("InternetShortcut", "URL", "", fromFile, MAX_PATH, path.c_str());
        EXPECT_EQ(got, fromFile);
        if (c.address) EXPECT_EQ(got, c.address);
        else EXPECT_NE(got.find("www.example.org"), std::string::npos) << got;
    }
    EXPECT_TRUE(errors_.GetLines().empty());
}

TEST_F(Shortcuts, BadRecordsLeaveTheirErrorLines) {
    {
        ShortcutHandler handler(Expand(), log_, errors_, nullptr);
        handler.Apply("S," + temp_ / "Upper,x");
        handler.Apply("s,,x");
        handler.Apply("s");
        handler.Apply("s,Q:\\kvnone\\Tool,x");  // a drive that does not exist
    }
    EXPECT_EQ(errors_.GetLines(),
              (Lines{"Unknown link type:S", "bad format Shortcut record:link path is empty",
                     "bad format Shortcut record:link path is empty", "can't make dir for shortcut:Q:\\kvnone",
                     "can't save shortcut:Q:\\kvnone\\Tool.lnk"}));
}

TEST_F(Shortcuts, StatusTextShowsTheSectionWhileTheHandlerLives) {
    HWND status = CreateWindowA("STATIC", "", WS_POPUP, 0, 0, 100, 20, nullptr, nullptr, nullptr, nullptr);
    char text[64];
    {
        ShortcutHandler handler(Expand(), log_, errors_, status);
        GetWindowTextA(status, text, sizeof(text));
        EXPECT_STREQ(text, "Create shortcuts");
    }
    GetWindowTextA(status, text, sizeof(text));
    EXPECT_STREQ(text, "");
    DestroyWindow(status);
}

}  // namespace
