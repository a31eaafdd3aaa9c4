// Loading and saving link files: bytes kept as they are, and the failures of a real file system.
#include "Platform.h"
#include "StoreTestSupport.h"
#include <windows.h>
#include <gtest/gtest.h>
#include <cstring>

namespace {

class LinkFile : public ::testing::Test {
protected:
    ScriptedPrompter Prompter;
    LinkStore Store{Prompter};
    TempFolder Dir;
    int Updates = 0;
    void SetUp() override { Store.OnUpdateCommandStates = [this] { ++Updates; }; }

    // Records whose non-significant bytes are not zero, out of path order; the last one's type
    // length byte claims more than its field holds.
    std::string SampleBytes() {
        std::string bytes;
        for (const char* path : {"Favorites\\Zeta", "Favorites\\News\\", "Favorites\\alpha"}) {
            TLinkRecord r;
            std::memset(&r, 0xA5, sizeof r);
            r.SetPath(path);
            r.SetUrl("http://x/");
            r.SetItemType(path[std::strlen(path) - 1] == '\\' ? "Folder" : "Url");
            r.Date = 0x5A2C6000;
            if (path[10] == 'a') r.ItemType[0] = 200;
            bytes.append(reinterpret_cast<const char*>(&r), sizeof r);
        }
        return bytes;
    }

    std::vector<std::string> FilesInDir() {
        std::vector<std::string> names;
        WIN32_FIND_DATAA fd;
        HANDLE h = FindFirstFileA((Dir.Path() + "\\*").c_str(), &fd);
        do {
            if (std::strcmp(fd.cFileName, ".") && std::strcmp(fd.cFileName, "..")) names.push_back(fd.cFileName);
        } while (FindNextFileA(h, &fd));
        FindClose(h);
        return names;
    }
};

}  // namespace

TEST_F(LinkFile, SaveAndLoadKeepEveryByteAndTheFileOrder) {
    const std::string bytes = SampleBytes();
    WriteBytes(Dir.File("in.ldb"), bytes);
    Store.SetCurrentFolder("Favorites\\News\\");
    Store.LoadLinkFile(Dir.File("in.ldb"));
    EXPECT_EQ(Paths(Store.LinkList),
              (std::vector<std::string>{"Favorites\\Zeta", "Favorites\\News\\", "Favorites\\alpha"}));
    EXPECT_EQ(Store.CurrentFolder(), "Favorites\\");
    EXPECT_EQ(Store.SubPath(), "");
    EXPECT_EQ(Store.LinkList[2].GetItemType(), std::string("Url") + std::string(7, '\xA5'));
    Store.Modified = true;
    Store.SaveLinkFile(Dir.File("out.ldb"));
    EXPECT_EQ(ReadBytes(Dir.File("out.ldb")), bytes);
    EXPECT_FALSE(Store.Modified);
    EXPECT_GE(Updates, 1);
    EXPECT_EQ(FilesInDir(), (std::vector<std::string>{"in.ldb", "out.ldb"}));
}

TEST_F(LinkFile, IncompleteAndEmptyFiles) {
    struct Case { size_t Size; int Records; } cases[] = {{0, 0}, {527, 0}, {528, 1}, {1000, 1}, {1056, 2}};
    const std::string bytes = SampleBytes() + std::string(1000, 'x');
    for (const Case& c : cases) {
        WriteBytes(Dir.File("f.ldb"), bytes.substr(0, c.Size));
        Store.LoadLinkFile(Dir.File("f.ldb"));
        EXPECT_EQ(Store.LinkList.Count(), c.Records) << c.Size;
        Store.SaveLinkFile(Dir.File("f.ldb"));
        EXPECT_EQ(ReadBytes(Dir.File("f.ldb")), bytes.substr(0, c.Records * 528)) << c.Size;
    }
}

TEST_F(LinkFile, LoadFailuresLeaveTheListAndReportTheSystemText) {
    Fill(Store, {{"Favorites\\kept"}});
    WriteBytes(Dir.File("locked.ldb"), SampleBytes());
    HANDLE lock = CreateFileA(Dir.File("locked.ldb").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);
    struct Case { std::string File; DWORD Code; } cases[] = {
        {Dir.File("missing.ldb"), ERROR_FILE_NOT_FOUND},
        {Dir.File("no folder\\x.ldb"), ERROR_PATH_NOT_FOUND},
        {Dir.File("locked.ldb"), ERROR_SHARING_VIOLATION},
    };
    for (const Case& c : cases) {
        try {
            Store.LoadLinkFile(c.File);
            ADD_FAILURE() << c.File << " loaded";
        } catch (const EInOutError& e) {
            EXPECT_EQ(e.ErrorCode, c.Code) << c.File;
            EXPECT_EQ(std::string(e.what()), SystemErrorMessage(c.Code));
            EXPECT_FALSE(std::string(e.what()).empty());
        }
        EXPECT_EQ(Paths(Store.LinkList), std::vector<std::string>{"Favorites\\kept"});
    }
    CloseHandle(lock);
    EXPECT_EQ(SystemErrorMessage(ERROR_ACCESS_DENIED), "Access denied.") << "Wine's text";
}

TEST_F(LinkFile, FailedSaveKeepsTheOldFileAndModified) {
    const std::string old = SampleBytes();
    Fill(Store, {{"Favorites\\new one"}});
    WriteBytes(Dir.File("ro.ldb"), old);
    ASSERT_TRUE(SetFileAttributesA(Dir.File("ro.ldb").c_str(), FILE_ATTRIBUTE_READONLY));
    WriteBytes(Dir.File("open.ldb"), old);
    // Held open without delete sharing: the new file is written but cannot replace it.
    HANDLE holder = CreateFileA(Dir.File("open.ldb").c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    struct Case { std::string File; DWORD Code; } cases[] = {
        {Dir.File("ro.ldb"), ERROR_ACCESS_DENIED},
        {Dir.File("open.ldb"), 0},  // whichever refusal the platform gives
        {Dir.File("no folder\\x.ldb"), ERROR_PATH_NOT_FOUND},
    };
    for (const Case& c : cases) {
        Store.Modified = true;
        Updates = 0;
        try {
            Store.SaveLinkFile(c.File);
            ADD_FAILURE() << c.File << " saved";
        } catch (const EInOutError& e) {
            if (c.Code) {
                EXPECT_EQ(e.ErrorCode, c.Code) << c.File << ": " << e.what();
            }
            EXPECT_NE(e.ErrorCode, 0u);
            EXPECT_EQ(std::string(e.what()), SystemErrorMessage(e.ErrorCode));
        }
        EXPECT_TRUE(Store.Modified);
        EXPECT_EQ(Updates, 0);
    }
    CloseHandle(holder);
    EXPECT_EQ(ReadBytes(Dir.File("ro.ldb")), old);
    EXPECT_EQ(ReadBytes(Dir.File("open.ldb")), old);
    EXPECT_EQ(FilesInDir(), (std::vector<std::string>{"open.ldb", "ro.ldb"})) << "no half-written file left";
}
