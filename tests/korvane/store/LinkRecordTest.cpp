// The record's bytes, the cuts of its texts, and the sorted LinkList.
#include "LinkRecord.h"
#include "Platform.h"
#include <gtest/gtest.h>
#include <cstddef>
#include <cstring>

TEST(LinkRecord, LayoutAndFolderBytes) {
    EXPECT_EQ(offsetof(TLinkRecord, Url), 256u);
    EXPECT_EQ(offsetof(TLinkRecord, Date), 512u);
    EXPECT_EQ(offsetof(TLinkRecord, ItemType), 516u);
    TLinkRecord folder = MakeLinkRecord("Favorites\\News\\", "", 0x11223344, "Folder");
    const uint8_t* b = reinterpret_cast<const uint8_t*>(&folder);
    const uint8_t folderType[] = {6, 'F', 'o', 'l', 'd', 'e', 'r'};
    EXPECT_EQ(0, std::memcmp(b + 516, folderType, sizeof folderType));
    const uint8_t date[] = {0x44, 0x33, 0x22, 0x11};  // little-endian
    EXPECT_EQ(0, std::memcmp(b + 512, date, 4));
    EXPECT_EQ(15, b[0]);
    EXPECT_EQ(0, b[256]);
    TLinkRecord link = MakeLinkRecord("Favorites\\Daily", "http://x/", 0, "Url");
    const uint8_t urlType[] = {3, 'U', 'r', 'l'};
    EXPECT_EQ(0, std::memcmp(reinterpret_cast<const uint8_t*>(&link) + 516, urlType, 4));
}

TEST(LinkRecord, TextsAreCutToTheirFields) {
    const std::string longPath = "Favorites\\" + std::string(300, 'd');
    TLinkRecord r = MakeLinkRecord(longPath, std::string(256, 'u'), 0, "Hyperlinkage");
    EXPECT_EQ(r.GetPath(), longPath.substr(0, 255));
    EXPECT_EQ(r.GetUrl().size(), 255u);
    EXPECT_EQ(r.GetItemType(), "Hyperlinka");
}

TEST(LinkRecord, LyingItemTypeLengthReadsOnlyTheField) {
    TLinkRecord r = MakeLinkRecord("Favorites\\x", "", 0, "Url");
    std::memcpy(r.ItemType + 1, "0123456789", 10);
    r.ItemType[0] = 200;
    r.Padding = 'P';
    EXPECT_EQ(r.GetItemType(), "0123456789");
    EXPECT_FALSE(r.IsFolder());
}

TEST(LinkList, SortOrdersByPathIgnoringCaseAndKeepsEqualOnesInOrder) {
    TLinkList list;
    for (const char* p : {"Favorites\\b", "Favorites\\A\\", "Favorites\\a\\x", "Favorites\\B", "Favorites\\a\\"})
        list.Add(p, "", 0, "Url");
    list.Sort();
    std::vector<std::string> got;
    for (const TLinkRecord& r : list) got.emplace_back(r.GetPath());
    EXPECT_EQ(got, (std::vector<std::string>{"Favorites\\A\\", "Favorites\\a\\", "Favorites\\a\\x",
                                             "Favorites\\b", "Favorites\\B"}));
    // A changed path is sorted by its new text, not by a stale key.
    list.Edit(0).SetPath("Favorites\\z");
    list.Sort();
    EXPECT_EQ(list[list.Count() - 1].GetPath(), "Favorites\\z");
    for (int i = 1; i < list.Count(); ++i) EXPECT_LE(CompareRecordPaths(list[i - 1], list[i]), 0);
}
