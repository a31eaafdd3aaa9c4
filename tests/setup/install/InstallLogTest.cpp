// The install log's sections and the setup.log file.
#include "InstallLog.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

namespace {

using Lines = std::vector<std::string>;

TEST(InstallLog, CategoriesChooseTheSectionsAndAllButCommonAreNewestFirst) {
    TempFolder temp;
    std::string path = temp / "setup.log";
    {
        InstallLog log(path, false);
        log.RecordApplicationFile(path);
        log.RecordCommon("Application_Name=Tool");
        log.RecordCommon("Title=Remove");
        log.RecordFolder("C:\\App");
        log.RecordFile("C:\\App\\a.exe");
        log.RecordFile("C:\\App\\b.exe");
        log.SetCategory(CategoryShared);
        log.RecordFolder("C:\\Common\\Maker");
        log.RecordFile("C:\\Common\\Maker\\s.dll");
        log.SetCategory(CategorySystem);
        log.RecordFile("C:\\Windows\\System\\x.dll");
        log.RecordApplicationFile("C:\\Menu\\Tool.lnk");
        log.RecordLibrary("C:\\Common\\Maker\\s.dll");
        log.RecordKey("HKLM,Software\\Maker");
        log.RecordKey("HKLM,Software\\Maker\\Tool");
        log.RecordRun("BeforeUninstall=C:\\App\\stop.exe");
        EXPECT_FALSE(FileExists(path)) << "written only when the log ends";
    }
    EXPECT_EQ(SplitLines(ReadFileText(path)),
              (Lines{"[COMMON]", "Application_Name=Tool", "Title=Remove",
                     "[SHAREDFILES]", "C:\\Common\\Maker\\s.dll",
                     "[STDFILES]", "C:\\Windows\\System\\x.dll",
                     "[APPFILES]", "C:\\Menu\\Tool.lnk", "C:\\App\\b.exe", "C:\\App\\a.exe", path,
                     "[APPFOLDERS]", "C:\\Common\\Maker",
                     "[APPDIR]", "C:\\App",
                     "[REGENTRY]", "HKLM,Software\\Maker\\Tool", "HKLM,Software\\Maker",
                     "[REGDLLS]", "C:\\Common\\Maker\\s.dll",
                     "[RUNAPPS]", "BeforeUninstall=C:\\App\\stop.exe"}));
    EXPECT_EQ(ReadFileText(path).substr(0, 10), "[COMMON]\r\n");
}

TEST(InstallLog, ImitationRecordsAndWritesNothing) {
    TempFolder temp;
    {
        InstallLog log(temp / "setup.log", true);
        log.RecordFile("C:\\x");
        EXPECT_EQ(SplitLines(log.Text()), (Lines{"[COMMON]", "[SHAREDFILES]", "[STDFILES]", "[APPFILES]",
                                                 "[APPFOLDERS]", "[APPDIR]", "[REGENTRY]", "[REGDLLS]",
                                                 "[RUNAPPS]"}));
    }
    EXPECT_FALSE(FileExists(temp / "setup.log"));
}

TEST(InstallLog, CloseReportsAFileThatCannotBeWritten) {
    TempFolder temp;
    InstallLog log(temp / "missing\\setup.log", false);
    EXPECT_FALSE(log.Close());
    EXPECT_TRUE(log.Close()) << "written once";
}

}  // namespace
