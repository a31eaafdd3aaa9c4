// End to end: the real Korvane.exe started as separate processes under Wine.
#include "System.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

namespace {

std::string KorvaneExe() {
    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string s = self;
    for (int i = 0; i < 4; ++i) s = s.substr(0, s.find_last_of('\\'));  // up to the build folder
    return s + "\\korvane\\main\\Korvane.exe";
}

struct Process {
    PROCESS_INFORMATION pi{};
    explicit Process(const std::string& args) {
        std::string cmd = "\"" + KorvaneExe() + "\" " + args;
        STARTUPINFOA si{};
        si.cb = sizeof si;
        EXPECT_TRUE(CreateProcessA(nullptr, &cmd[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi));
    }
    ~Process() {
        if (!pi.hProcess) return;
        if (WaitForSingleObject(pi.hProcess, 0) == WAIT_TIMEOUT) {
            for (HWND w : Windows("TFAddItem")) PostMessageA(w, WM_CLOSE, 0, 0);
            for (HWND w : Windows("TMessageForm"))
                PostMessageA(w, WM_COMMAND, MAKEWPARAM(IDNO, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(w, IDNO)));
            for (HWND w : Windows("TFMainKvKorvane")) PostMessageA(w, WM_CLOSE, 0, 0);
            if (WaitForSingleObject(pi.hProcess, 10000) == WAIT_TIMEOUT) TerminateProcess(pi.hProcess, 1);
        }
        CloseHandle(pi.hThread);
        CloseHandle(pi.hProcess);
    }
    bool Exited(DWORD ms, DWORD& code) {
        if (WaitForSingleObject(pi.hProcess, ms) != WAIT_OBJECT_0) return false;
        GetExitCodeProcess(pi.hProcess, &code);
        return true;
    }
    struct Ctx {
        DWORD pid;
        const char* cls;
        std::vector<HWND> found;
    };
    static BOOL CALLBACK Collect(HWND w, LPARAM p) {
        auto* c = reinterpret_cast<Ctx*>(p);
        char name[64];
        DWORD pid = 0;
        GetWindowThreadProcessId(w, &pid);
        if (pid == c->pid && GetClassNameA(w, name, sizeof name) && (std::string(name) == c->cls || !*c->cls) &&
            IsWindowVisible(w))
            c->found.push_back(w);
        return TRUE;
    }
    std::vector<HWND> Windows(const char* cls) const {
        Ctx ctx{pi.dwProcessId, cls, {}};
        EnumWindows(Collect, reinterpret_cast<LPARAM>(&ctx));
        return ctx.found;
    }
    // A shell without a notification area makes the program report that its tray icon failed;
    // that report is acknowledged here.
    void DismissErrors() const {
        for (HWND w : Windows("#32770")) {
            for (HWND c = GetWindow(w, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
                char t[512] = "";
                SendMessageTimeoutA(c, WM_GETTEXT, sizeof t, reinterpret_cast<LPARAM>(t), SMTO_ABORTIFHUNG, 2000, nullptr);
                if (*t) std::printf("reported: %s\n", t);
            }
            PostMessageA(w, WM_COMMAND, IDOK, 0);
        }
    }
    HWND WaitWindow(const char* cls, DWORD ms = 20000) const {
        for (DWORD t = 0; t < ms; t += 100, Sleep(100)) {
            DismissErrors();
            auto w = Windows(cls);
            if (!w.empty()) return w[0];
        }
        return nullptr;
    }
};

std::string Text(HWND w) {
    char buf[512] = "";
    SendMessageTimeoutA(w, WM_GETTEXT, sizeof buf, reinterpret_cast<LPARAM>(buf), SMTO_ABORTIFHUNG, 5000, nullptr);
    return buf;
}

std::vector<std::string> EditTexts(HWND dialog) {
    std::vector<std::string> texts;
    for (HWND c = GetWindow(dialog, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
        char cls[32];
        GetClassNameA(c, cls, sizeof cls);
        if (std::string(cls) == "Edit") texts.push_back(Text(c));
    }
    return texts;
}

class StartTest : public ::testing::Test {
protected:
    std::string file;
    void SetUp() override {
        forms::Registry reg;
        reg.DeleteKey("\\SOFTWARE\\Korvane");
        char tmp[MAX_PATH];
        GetTempPathA(MAX_PATH, tmp);
        file = std::string(tmp) + "kvstart" + std::to_string(GetCurrentProcessId()) + ".ldb";
        std::ofstream(file, std::ios::binary).write(std::string(528, '\0').data(), 0);
    }
    void TearDown() override {
        forms::Registry reg;
        reg.DeleteKey("\\SOFTWARE\\Korvane");
        DeleteFileA(file.c_str());
    }
    void Settings(bool onlyOne, bool withFile) {
        forms::Registry reg;
        ASSERT_TRUE(reg.OpenKey("\\SOFTWARE\\Korvane\\Settings", true));
        reg.WriteBool("OnlyOne", onlyOne);
        if (withFile) reg.WriteString("LastOpenFile", file);
    }
};

TEST_F(StartTest, ASecondStartHandsItsAddressToTheRunningCopy) {
    Settings(true, true);
    Process first("");
    HWND main = first.WaitWindow("TFMainKvKorvane");
    ASSERT_TRUE(main);
    struct Case { std::string args; std::vector<std::string> fields; };
    const Case cases[] = {{"http://one.example/", {"http://one.example/", "blank"}},
                          {"http://two.example/ \"Two words\" ignored", {"http://two.example/", "Two words"}}};
    for (const Case& c : cases) {
        DWORD code = 99;
        {
            Process second(c.args);
            ASSERT_TRUE(second.Exited(20000, code));
            EXPECT_TRUE(second.Windows("TFMainKvKorvane").empty());
        }
        EXPECT_EQ(code, 0u);
        HWND dialog = first.WaitWindow("TFAddItem");
        ASSERT_TRUE(dialog);
        EXPECT_EQ(EditTexts(dialog), c.fields);
        PostMessageA(dialog, WM_CLOSE, 0, 0);
        for (int i = 0; i < 100 && !first.Windows("TFAddItem").empty(); ++i) Sleep(100);
    }
    EXPECT_EQ(first.Windows("TFMainKvKorvane").size(), 1u);
}

TEST_F(StartTest, WithoutOnlyOneTwoCopiesRun) {
    Settings(false, true);
    Process first("");
    ASSERT_TRUE(first.WaitWindow("TFMainKvKorvane"));
    Process second("");
    ASSERT_TRUE(second.WaitWindow("TFMainKvKorvane"));
    DWORD code;
    EXPECT_FALSE(first.Exited(0, code));
}

TEST_F(StartTest, AFirstStartOffersTheImportAndShowsAnUntitledList) {
    std::string defaultFile = KorvaneExe().substr(0, KorvaneExe().find_last_of('\\')) + "\\default.ldb";
    ASSERT_EQ(GetFileAttributesA(defaultFile.c_str()), INVALID_FILE_ATTRIBUTES);
    Process first("");
    HWND question = first.WaitWindow("TMessageForm");
    ASSERT_TRUE(question);
    EXPECT_EQ(Text(question), "Information");
    PostMessageA(question, WM_COMMAND, MAKEWPARAM(IDNO, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(question, IDNO)));
    HWND main = first.WaitWindow("TFMainKvKorvane");
    ASSERT_TRUE(main);
    for (int i = 0; i < 50 && Text(main) != "Korvane - untitled.ldb"; ++i) Sleep(100);
    EXPECT_EQ(Text(main), "Korvane - untitled.ldb");
}

}  // namespace
