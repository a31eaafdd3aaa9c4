// Reading setup.zip members onto files, and file versions from real
// version resources.
#include "FileVersion.h"
#include "TestSupport.h"
#include "ZipReader.h"

#include <gtest/gtest.h>

namespace {

std::string Numbers(int last) {
    std::string text;
    for (int n = 1; n <= last; ++n) text += std::to_string(n) + "\n";
    return text;
}

bool SameTime(const FILETIME& a, const FILETIME& b) { return CompareFileTime(&a, &b) == 0; }

TEST(ZipReader, ExtractsMemberIgnoringCaseWithItsDateAsCreationAndWriteTime) {
    TempFolder temp;
    ZipReader zip(Fixture("setup.zip"));
    ASSERT_TRUE(zip.IsOpen());
    std::string target = temp / "readme.txt";
    ASSERT_TRUE(zip.ExtractEntry("README.TXT", target));
    EXPECT_EQ(ReadFileText(target), "Read me\r\n");

    WIN32_FILE_ATTRIBUTE_DATA data;
    ASSERT_TRUE(GetFileAttributesExA(target.c_str(), GetFileExInfoStandard, &data));
    FILETIME expected = LocalTime(2020, 1, 2, 3, 4, 6);
    EXPECT_TRUE(SameTime(data.ftLastWriteTime, expected));
    EXPECT_TRUE(SameTime(data.ftCreationTime, expected));
}

TEST(ZipReader, MemberLargerThanTheBufferArrivesWhole) {
    TempFolder temp;
    ZipReader zip(Fixture("setup.zip"));
    std::string target = temp / "big.txt";
    ASSERT_TRUE(zip.ExtractEntry("Data/Big.txt", target));
    EXPECT_EQ(ReadFileText(target), Numbers(30000));
}

TEST(ZipReader, ReadOnlyTargetIsReplacedAndLeftWritable) {
    TempFolder temp;
    std::string target = temp / "readme.txt";
    WriteFileText(target, "old contents that are longer");
    SetFileAttributesA(target.c_str(), FILE_ATTRIBUTE_READONLY);
    ZipReader zip(Fixture("setup.zip"));
    ASSERT_TRUE(zip.ExtractEntry("readme.txt", target));
    EXPECT_EQ(ReadFileText(target), "Read me\r\n");
    EXPECT_FALSE(GetFileAttributesA(target.c_str()) & FILE_ATTRIBUTE_READONLY);
}

TEST(ZipReader, FailuresLeaveNoFileOrReportFalse) {
    TempFolder temp;
    ZipReader zip(Fixture("setup.zip"));
    EXPECT_FALSE(zip.ExtractEntry("missing.txt", temp / "missing.txt"));
    EXPECT_FALSE(FileExists(temp / "missing.txt"));
    // 255 characters are found; names of 256 characters or more never are.
    EXPECT_TRUE(zip.ExtractEntry(std::string(251, 'N') + ".TXT", temp / "long.txt"));
    EXPECT_EQ(ReadFileText(temp / "long.txt"), "long");
    EXPECT_FALSE(zip.ExtractEntry(std::string(255, 'a') + "b", temp / "long.txt"));
    EXPECT_FALSE(zip.ExtractEntry(std::string(5000, ','), temp / "commas.txt"));
    // A folder that does not exist cannot take the file.
    EXPECT_FALSE(zip.ExtractEntry("readme.txt", temp / "no\\such\\folder\\readme.txt"));

    ZipReader missing(temp / "absent.zip");
    EXPECT_FALSE(missing.IsOpen());
    EXPECT_FALSE(missing.ExtractEntry("readme.txt", temp / "x.txt"));
}

// An archive whose stored data no longer matches its CRC: the extraction
// fails (the partly written file may stay) and nothing crashes.
TEST(ZipReader, DamagedMemberFailsWithoutCrash) {
    TempFolder temp;
    std::string archive = ReadFileText(Fixture("setup.zip"));
    std::string marker = "data/big.txt";
    size_t local = archive.find(marker);  // the local header comes first
    ASSERT_NE(local, std::string::npos);
    size_t data = local + marker.size() + 200;
    for (size_t i = 0; i < 64; ++i) archive[data + i] = static_cast<char>(archive[data + i] ^ 0x5A);
    std::string damaged = temp / "damaged.zip";
    WriteFileText(damaged, archive);

    ZipReader zip(damaged);
    ASSERT_TRUE(zip.IsOpen());
    EXPECT_FALSE(zip.ExtractEntry("data/big.txt", temp / "big.txt"));
    EXPECT_TRUE(zip.ExtractEntry("readme.txt", temp / "readme.txt"));
}

// A central directory that lies about a member: sizes too large or too
// small, or a local header beyond the end of the archive. The member fails;
// the others still arrive.
TEST(ZipReader, LyingCentralDirectoryFailsThatMemberOnly) {
    struct Lie { const char* what; size_t field; uint32_t value; };
    const Lie lies[] = {
        {"compressed size too large", 20, 0x7FFFFFF0u},
        {"uncompressed size too small", 24, 100},
        {"uncompressed size too large", 24, 0x7FFFFFF0u},
        {"local header beyond the end", 42, 0x7FFFFFF0u},
    };
    std::string original = ReadFileText(Fixture("setup.zip"));
    const std::string name = "data/big.txt";
    size_t entry = std::string::npos;
    for (size_t at = original.find("PK\x01\x02"); at != std::string::npos; at = original.find("PK\x01\x02", at + 4))
        if (original.compare(at + 46, name.size(), name) == 0) entry = at;
    ASSERT_NE(entry, std::string::npos);
    for (const Lie& lie : lies) {
        SCOPED_TRACE(lie.what);
        TempFolder temp;
        std::string archive = original;
        for (int i = 0; i < 4; ++i) archive[entry + lie.field + i] = static_cast<char>((lie.value >> (8 * i)) & 0xFF);
        WriteFileText(temp / "lying.zip", archive);
        ZipReader zip(temp / "lying.zip");
        ASSERT_TRUE(zip.IsOpen());
        EXPECT_FALSE(zip.ExtractEntry(name, temp / "big.txt"));
        EXPECT_TRUE(zip.ExtractEntry("readme.txt", temp / "readme.txt"));
        EXPECT_EQ(ReadFileText(temp / "readme.txt"), "Read me\r\n");
    }
}

TEST(ZipReader, GarbageArchiveDoesNotOpen) {
    TempFolder temp;
    std::string archive = temp / "garbage.zip";
    WriteFileText(archive, std::string(3000, 'P') + "PK\x05\x06" + std::string(18, '\xff'));
    ZipReader zip(archive);
    EXPECT_FALSE(zip.IsOpen());
}

TEST(FileVersion, ReadsTheVersionResourceOfRealLibraries) {
    struct Case { const char* file; uint32_t high, low; };
    const Case cases[] = {
        {"v2_0_0_3.dll", 0x00020000, 0x00000003},
        {"v2_0_0_5.dll", 0x00020000, 0x00000005},
        {"v2_1_0_0.dll", 0x00020001, 0x00000000},
        {"v2_0_9_9.dll", 0x00020000, 0x00090009},
    };
    for (const Case& c : cases) {
        std::optional<FileVersion> version = ReadFileVersion(Fixture(c.file));
        ASSERT_TRUE(version.has_value()) << c.file;
        EXPECT_EQ(version->high, c.high) << c.file;
        EXPECT_EQ(version->low, c.low) << c.file;
    }
    EXPECT_FALSE(ReadFileVersion(Fixture("setup.zip")).has_value());
    EXPECT_FALSE(ReadFileVersion(Fixture("absent.dll")).has_value());
}

TEST(FileVersion, ComparesHighHalfFirst) {
    FileVersion v2_0_9_9{0x00020000, 0x00090009}, v2_1_0_0{0x00020001, 0}, v2_0_0_3{0x00020000, 3};
    EXPECT_TRUE(v2_0_9_9 < v2_1_0_0);
    EXPECT_FALSE(v2_1_0_0 < v2_0_9_9);
    EXPECT_TRUE(v2_0_0_3 < v2_0_9_9);
    EXPECT_FALSE(v2_0_0_3 < v2_0_0_3);
}

}  // namespace
