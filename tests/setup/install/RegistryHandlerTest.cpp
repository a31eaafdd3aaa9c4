// Registry, file type and INI records against the real registry and real
// profile files, with every error line read back from the ErrorLog.
#include "ErrorLog.h"
#include "IniFileHandler.h"
#include "InstallLog.h"
#include "RegistryHandler.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

namespace {

using Lines = std::vector<std::string>;

std::string Text(const std::string& data) { return data.substr(0, data.find('\0')); }

class RegistryRecords : public ::testing::Test {
protected:
    TempFolder temp_;
    OwnedKey user_{HKEY_CURRENT_USER, "Software\\KvInstallTest"};
    OwnedKey machine_{HKEY_LOCAL_MACHINE, "Software\\KvInstallTest"};
    InstallLog log_{"unused", false};
    ErrorLog errors_{temp_.Path(), nullptr};
    RegistryHandler registry_{log_, errors_};
};

TEST_F(RegistryRecords, KeyRecordsCreateAndRecordOnlyNewKeysUnlessAllAreRecorded) {
    registry_.Apply("key,HKCU,Software\\KvInstallTest\\Tool");
    registry_.Apply("key,HKCU,Software\\KvInstallTest\\Tool");  // exists: nothing
    registry_.SetRecordAllKeys(true);
    registry_.Apply("key,HKCU,Software\\KvInstallTest\\Tool");
    registry_.SetRecordAllKeys(false);
    HKEY key;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\KvInstallTest\\Tool", 0, KEY_READ, &key), ERROR_SUCCESS);
    RegCloseKey(key);
    EXPECT_TRUE(errors_.GetLines().empty());
    InstallLog expected("unused", false);
    expected.RecordKey("HKCU,Software\\KvInstallTest\\Tool");
    expected.RecordKey("HKCU,Software\\KvInstallTest\\Tool");
    EXPECT_EQ(log_.Text(), expected.Text());

    registry_.Undo("HKCU,Software\\KvInstallTest\\Tool");
    EXPECT_NE(RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\KvInstallTest\\Tool", 0, KEY_READ, &key), ERROR_SUCCESS);
}

TEST_F(RegistryRecords, ValueRecordsWriteTheirTypesAndReportFailuresCharacterForCharacter) {
    registry_.Apply("key,HKLM,Software\\KvInstallTest");
    struct Case { const char* record; const char* name; DWORD type; std::string data; };
    const Case cases[] = {
        {"value,HKLM,Software\\KvInstallTest,Count,D,10", "Count", REG_DWORD, std::string("\x10\0\0\0", 4)},
        {"value,HKLM,Software\\KvInstallTest,(Default),S,Hello", "", REG_SZ, std::string("Hello\0", 6)},
        {"value,HKLM,Software\\KvInstallTest,Path,string,a&comma;b", "Path", REG_SZ, std::string("a,b\0", 4)},
        {"value,HKLM,Software\\KvInstallTest,Bytes,b,01 ff\t10\r\n1FF", "Bytes", REG_BINARY, "\x01\xff\x10\xff"},
        {"value,HKLM,Software\\KvInstallTest,NoBytes,B, ", "NoBytes", REG_BINARY, ""},
    };
    for (const Case& c : cases) {
        registry_.Apply(c.record);
        DWORD type = 0;
        std::string data;
        ASSERT_TRUE(ReadValue(HKEY_LOCAL_MACHINE, "Software\\KvInstallTest", c.name, type, data)) << c.record;
        EXPECT_EQ(type, c.type) << c.record;
        EXPECT_EQ(data, c.data) << c.record;
    }

    registry_.Apply("value,HKLM,Software\\KvInstallTest,Empty,S");  // no data: nothing, no error
    DWORD type;
    std::string data;
    EXPECT_FALSE(ReadValue(HKEY_LOCAL_MACHINE, "Software\\KvInstallTest", "Empty", type, data));
    EXPECT_TRUE(errors_.GetLines().empty());

    registry_.Apply("value,HKLM,Software\\KvInstallTest\\Missing,Name,S,x");
    registry_.Apply("value,HKLM,Software\\KvInstallTest,Odd,X,1");
    registry_.Apply("value,HKXX,Software,Name,S,x");
    registry_.Apply("value,hklm,Software,Name,S,x");
    registry_.Apply("Key,HKLM,Software\\KvInstallTest");
    registry_.Apply(std::string(400, ','));
    EXPECT_EQ(errors_.GetLines(),
              (Lines{"Cannot create value:key='Software\\KvInstallTest\\Missing' value name='Name' value type='S' "
                     "value='x",
                     "Cannot create value:key='Software\\KvInstallTest' value name='Odd' value type='X' value='1",
                     "Invalid major key:HKXX", "Invalid major key:hklm",
                     "Invalid record type(need key or value):Key", "Invalid major key:"}));
}

TEST_F(RegistryRecords, UserDataKeyRecordsItsThreeLevelsAndWritesNonEmptyValues) {
    OwnedKey company(HKEY_LOCAL_MACHINE, std::string(kUserDataKey) + "KvTestCo");
    WriteUserDataKey(registry_, "KvTestCo", "Tool", "1.0", "C:\\Apps\\Tool", "", "Z:\\cd");
    std::string key = std::string(kUserDataKey) + "KvTestCo\\Tool\\1.0";
    DWORD type;
    std::string data;
    ASSERT_TRUE(ReadValue(HKEY_LOCAL_MACHINE, key, "AppDir", type, data));
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(Text(data), "C:\\Apps\\Tool");
    EXPECT_FALSE(ReadValue(HKEY_LOCAL_MACHINE, key, "AppShortcutFolder", type, data));
    ASSERT_TRUE(ReadValue(HKEY_LOCAL_MACHINE, key, "InstallSource", type, data));
    EXPECT_EQ(Text(data), "Z:\\cd");
    ASSERT_TRUE(ReadValue(HKEY_LOCAL_MACHINE, key, "InstallerVersion", type, data));
    EXPECT_EQ(Text(data), "1.5");

    InstallLog expected("unused", false);
    expected.RecordKey("HKLM," + std::string(kUserDataKey) + "KvTestCo");
    expected.RecordKey("HKLM," + std::string(kUserDataKey) + "KvTestCo\\Tool");
    expected.RecordKey("HKLM," + key);
    EXPECT_EQ(log_.Text(), expected.Text());
}

TEST_F(RegistryRecords, FileTypeCreatesItsKeysOnceAndRecordsThem) {
    OwnedKey extension(HKEY_CLASSES_ROOT, ".kvinsttest");
    OwnedKey type(HKEY_CLASSES_ROOT, "KvInstTest.Document");
    OwnedKey plainExtension(HKEY_CLASSES_ROOT, ".kvinstplain");
    OwnedKey plainType(HKEY_CLASSES_ROOT, "KvInstPlain");
    FileTypeHandler fileTypes(registry_);
    fileTypes.Apply(".kvinsttest,KvInstTest.Document,Test&comma; document,\"C:\\Tool.exe\" \"%1\",C:\\Tool.exe,2");
    fileTypes.Apply(".kvinsttest,Other,changed,x");  // exists: nothing at all
    fileTypes.Apply(".kvinstplain,KvInstPlain,Plain,open");

    struct Expect { const char* key; const char* value; };
    const Expect expects[] = {
        {".kvinsttest", "KvInstTest.Document"},
        {"KvInstTest.Document", "Test, document"},
        {"KvInstTest.Document\\shell\\open\\command", "\"C:\\Tool.exe\" \"%1\""},
        {"KvInstTest.Document\\DefaultIcon", "C:\\Tool.exe,2"},
        {".kvinstplain", "KvInstPlain"},
    };
    for (const Expect& e : expects) {
        DWORD kind;
        std::string data;
        ASSERT_TRUE(ReadValue(HKEY_CLASSES_ROOT, e.key, "", kind, data)) << e.key;
        EXPECT_EQ(kind, static_cast<DWORD>(REG_SZ));
        EXPECT_EQ(Text(data), e.value) << e.key;
    }
    HKEY icon;
    EXPECT_NE(RegOpenKeyExA(HKEY_CLASSES_ROOT, "KvInstPlain\\DefaultIcon", 0, KEY_READ, &icon), ERROR_SUCCESS);

    InstallLog expected("unused", false);
    for (const char* key : {".kvinsttest", "KvInstTest.Document", "KvInstTest.Document\\shell\\open\\command",
                            "KvInstTest.Document\\DefaultIcon", ".kvinstplain", "KvInstPlain",
                            "KvInstPlain\\shell\\open\\command"})
        expected.RecordKey(std::string("HKCR,") + key);
    EXPECT_EQ(log_.Text(), expected.Text());
}

TEST(IniRecords, WriteEntriesIncludingEmptyValues) {
    TempFolder temp;
    std::string file = temp / "tool.ini";
    IniFileHandler ini;
    ini.Apply(file + ",Options,Path,C:\\Apps\\Tool");
    ini.Apply(file + ",Options,Empty,");
    ini.Apply(",Options,Lost,x");  // no file: nothing
    char value[MAX_PATH];
    GetPrivateProfileStringA("Options", "Path", "missing", value, MAX_PATH, file.c_str());
    EXPECT_STREQ(value, "C:\\Apps\\Tool");
    GetPrivateProfileStringA("Options", "Empty", "missing", value, MAX_PATH, file.c_str());
    EXPECT_STREQ(value, "");
    EXPECT_EQ(SplitLines(ReadFileText(file)), (Lines{"[Options]", "Path=C:\\Apps\\Tool", "Empty="}));
}

}  // namespace
