// The record's bytes, the cuts of its texts, and the sorted LinkList.
#include "LinkRecord.h"
#include "Platform.h"
#include <gtest/gtest.h>
#include <cstddef>
#include <cstring>
#include <algorithm>
#include <string>
#include <vector>

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

namespace {

// Paths of mixed case and accents, many sharing folders, some equal but for case.
std::vector<std::string> MixedPaths(int count, uint32_t seed) {
    const char* words[] = {"News", "news", "N\xe9ws", "caf\xe9", "Caf\xc9", "cafe", "co-op", "coop", "it's",
                           "\xc9t\xe9", "ete", "stra\xdf" "e", "Strasse", "\xe6on", "Aeon", "a b", "ab", "A.B",
                           "10", "9", "Z", "\xff", "na\xefve", "Naive"};
    const int n = sizeof words / sizeof *words;
    std::vector<std::string> paths;
    for (int i = 0; i < count; ++i) {
        std::string p = "Favorites\\";
        const int depth = seed % 3;
        seed = seed * 1103515245u + 12345u;
        for (int d = 0; d <= depth; ++d) {
            p += words[(seed >> 8) % n];
            seed = seed * 1103515245u + 12345u;
            p += d < depth || seed % 4 == 0 ? "\\" : " x";
        }
        paths.push_back(p);
    }
    return paths;
}

std::vector<std::string> ByCompareString(const TLinkList& list) {
    std::vector<const TLinkRecord*> refs;
    for (const TLinkRecord& r : list) refs.push_back(&r);
    std::stable_sort(refs.begin(), refs.end(),
                     [](const TLinkRecord* a, const TLinkRecord* b) { return CompareRecordPaths(*a, *b) < 0; });
    std::vector<std::string> paths;
    for (const TLinkRecord* r : refs) paths.emplace_back(r->GetPath());
    return paths;
}

std::vector<std::string> InList(const TLinkList& list) {
    std::vector<std::string> paths;
    for (const TLinkRecord& r : list) paths.emplace_back(r.GetPath());
    return paths;
}

}  // namespace

TEST(LinkList, SortAgreesWithCompareStringOnALargeMixedList) {
    TLinkList list;
    for (const std::string& p : MixedPaths(3000, 1)) list.Add(p, "", 0, "Url");
    std::vector<std::string> expected = ByCompareString(list);
    list.Sort();  // all keys new: the full sort
    EXPECT_EQ(InList(list), expected);

    // A few changed and added records: merged into the records still in order.
    const std::vector<std::string> more = MixedPaths(60, 99);
    for (int i = 0; i < 30; ++i) list.Edit(i * 97).SetPath(more[i]);
    for (int i = 30; i < 60; ++i) list.Add(more[i], "", 0, "Url");
    expected = ByCompareString(list);
    list.Sort();
    EXPECT_EQ(InList(list), expected);
}
