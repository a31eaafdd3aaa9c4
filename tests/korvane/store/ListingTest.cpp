// Explorer and Classic listings, find, column order, outline and the tree lookup.
#include "Platform.h"
#include "Paths.h"
#include "StoreTestSupport.h"
#include <gtest/gtest.h>
#include <algorithm>

namespace {

class Listing : public ::testing::Test {
protected:
    ScriptedPrompter Prompter;
    LinkStore Store{Prompter};
    void SetUp() override {
        Fill(Store, {
            {"F:Favorites\\News\\"}, {"Favorites\\News\\Daily paper", "http://daily/"},
            {"F:Favorites\\News\\Sport\\"}, {"Favorites\\News\\Sport\\Scores", "http://NEWS.example/"},
            {"F:Favorites\\NEWS\\"}, {"F:Favorites\\Only subs\\"}, {"F:Favorites\\Only subs\\A\\"},
            {"Favorites\\Only subs\\A\\x"}, {"Favorites\\Only subs\\A\\y"}, {"F:Favorites\\Only subs\\B\\"},
            {"Favorites\\Orphan\\link", "http://orphan/"}, {"Favorites\\Orphan\\other"},
            {"Favorites\\news today", "http://t/"}, {"Favorites\\odd", "", "Weird"},
            {"Favorites\\Apple", "http://a/"},
        });
        Store.LinkList.Sort();
    }
    TListing At(const std::string& folder) {
        Store.SetCurrentFolder(folder);
        return Store.ListFolder();
    }
};

}  // namespace

TEST_F(Listing, ExplorerListsFoldersOnceThenLinks) {
    TListing root = At("Favorites\\");
    EXPECT_EQ(Names(root), (std::vector<std::string>{"News", "Only subs", "Orphan", "Apple", "news today", "odd"}));
    TListEntry news = root[0];
    EXPECT_EQ(news.ItemType, "Folder");
    EXPECT_EQ(news.Path, "Favorites\\News\\");
    EXPECT_EQ(news.Date, FileDateToStr(0x5A2C6000));
    TListEntry apple = EntryNamed(root, "Apple");
    EXPECT_EQ(apple.Url, "http://a/");
    EXPECT_EQ(apple.Path, "Favorites\\");
    EXPECT_EQ(apple.ItemType, "Url");
    // A folder that has no record of its own is still a folder entry with its own path.
    TListEntry orphan = EntryNamed(root, "Orphan");
    EXPECT_TRUE(orphan.IsFolder());
    EXPECT_EQ(orphan.Path, "Favorites\\Orphan\\");
    EXPECT_EQ(orphan.Url, "");

    EXPECT_EQ(Names(At("Favorites\\Only subs\\")), (std::vector<std::string>{"..", "A", "B"}));
    TListing news2 = At("Favorites\\News\\");
    EXPECT_EQ(Names(news2), (std::vector<std::string>{"..", "Sport", "Daily paper"}));
    EXPECT_EQ(news2[0].Path, "");
    EXPECT_EQ(news2[0].Date, "");
    EXPECT_TRUE(news2[0].IsFolder());
}

TEST_F(Listing, ExplorerPlacesFoldersBesideTheLastPlacedOne) {
    // Unsorted records: each folder goes after the last placed folder when greater
    // (case-sensitive locale order), else before it.
    Store.LinkList.Clear();
    Fill(Store, {{"Favorites\\z"}, {"F:Favorites\\B\\"}, {"F:Favorites\\A\\"}, {"F:Favorites\\C\\"}, {"Favorites\\y"}});
    EXPECT_EQ(Names(At("Favorites\\")), (std::vector<std::string>{"A", "C", "B", "z", "y"}));
}

TEST_F(Listing, ClassicListsEveryLinkBelowTheFolder) {
    Store.SetCurrentFolder("Favorites\\");
    TListing all = Store.ListSubtree();
    EXPECT_EQ(Names(all), (std::vector<std::string>{"Apple", "news today", "Daily paper", "Scores", "x", "y",
                                                    "link", "other"}));
    EXPECT_EQ(EntryNamed(all, "Scores").Path, "Favorites\\News\\Sport\\");
    EXPECT_TRUE(std::none_of(all.begin(), all.end(), [](const TListEntry& e) { return e.IsFolder(); }));
    Store.SetCurrentFolder("Favorites\\news\\");  // folder part compared ignoring ASCII case
    EXPECT_EQ(Names(Store.ListSubtree()), (std::vector<std::string>{"Daily paper", "Scores"}));
}

TEST_F(Listing, FindMatchesNamesAndUrlsIgnoringAsciiCase) {
    Store.SetCurrentFolder("Favorites\\");
    EXPECT_EQ(Names(Store.ListSubtree(Store.FindMatches("new"))), (std::vector<std::string>{"news today", "Scores"}));
    EXPECT_EQ(Names(Store.ListSubtree(Store.FindMatches("orp"))), (std::vector<std::string>{"link"}));
    Store.SetCurrentFolder("Favorites\\News\\");
    EXPECT_EQ(Names(Store.ListSubtree(Store.FindMatches("NEW"))), (std::vector<std::string>{"Scores"}));
    EXPECT_TRUE(Store.FindMatches("Folder").empty());
}

TEST(CompareEntries, FoldersFirstThenByColumnInEitherDirection) {
    const std::string early = FileDateToStr(0x21210000), late = FileDateToStr(0x5A2C0000);
    TListEntry folder{"zz", "", "", "Folder", "Favorites\\zz\\", {}}, up{"..", "", "", "Folder", "", {}};
    TListEntry a{"apple", "http://B/", late, "Url", "Favorites\\b\\", {}};
    TListEntry b{"Banana", "http://a/", early, "Link", "Favorites\\A\\", {}};
    for (bool descending : {false, true}) {
        EXPECT_LT(CompareEntries(folder, a, 0, descending), 0);
        EXPECT_GT(CompareEntries(b, up, 0, descending), 0);
        EXPECT_LT(CompareEntries(up, folder, 0, descending), 0);  // listing order stays
        EXPECT_LT(CompareEntries(folder, up, 0, descending), 0);
    }
    struct Case { int Column; int Sign; } cases[] = {{0, -1}, {1, 1}, {2, 1}, {3, 1}, {4, 1}};
    for (const Case& c : cases) {
        int asc = CompareEntries(a, b, c.Column, false), desc = CompareEntries(a, b, c.Column, true);
        EXPECT_EQ((asc > 0) - (asc < 0), c.Sign) << c.Column;
        EXPECT_EQ((desc > 0) - (desc < 0), -c.Sign) << c.Column;
    }
    TListEntry bad = a;
    bad.Date = "not a date";
    EXPECT_THROW(CompareEntries(a, bad, 2, false), EConvertError);
}

TEST(EntryOrder, KeysOrderEveryPairAsCompareEntriesDoes) {
    const std::string d1 = FileDateToStr(0x21210000), d2 = FileDateToStr(0x5A2C0000), d3 = FileDateToStr(0x4A2C0000);
    TListing listing = {
        {"..", "", "", "Folder", "", {}},
        {"Sub", "", d1, "Folder", "Favorites\\Sub\\", {}},
        {"apple", "http://B/", d2, "Url", "Favorites\\b\\", {}},
        {"Apple", "http://b/", d1, "Url", "Favorites\\B\\", {}},
        {"\xC4pfel", "http://\xE4/", d3, "Url", "Favorites\\\xC4\\", {}},
        {"Banana", "http://a/", d2, "Link", "Favorites\\A\\", {}},
        {"co-op", "http://co-op/", d3, "Url", "Favorites\\coop\\", {}},
        {"coop", "http://coop/", d1, "Url", "Favorites\\co-op\\", {}},
        {"", "", d2, "Url", "Favorites\\", {}},
    };
    auto sign = [](int c) { return (c > 0) - (c < 0); };
    for (int column = 0; column < 5; ++column)
        for (bool descending : {false, true}) {
            TEntryOrder order(listing, column, descending);
            for (size_t i = 0; i < listing.size(); ++i)
                for (size_t j = 0; j < listing.size(); ++j)
                    ASSERT_EQ(sign(order.Compare(i, j)), sign(CompareEntries(listing[i], listing[j], column, descending)))
                        << "column " << column << (descending ? " descending " : " ") << i << " " << j;
        }
    // A date that is no date throws when its entry is compared by date, and only then.
    listing[3].Date = "not a date";
    TEntryOrder byDate(listing, 2, false), byName(listing, 0, false);
    EXPECT_EQ(byDate.Compare(2, 6), 1);
    EXPECT_THROW(byDate.Compare(2, 3), EConvertError);
    EXPECT_EQ(byDate.Compare(1, 3), -1);  // a folder is never parsed
    EXPECT_EQ(byName.Compare(2, 3), 0);
}

TEST_F(Listing, OutlineAndTreeLookup) {
    EXPECT_EQ(Store.FolderOutline(),
              "Favorites\r\n\tNews\r\n\tNEWS\r\n\t\tSport\r\n\tOnly subs\r\n\t\tA\r\n\t\tB\r\n");
    TLinkList blanks;
    blanks.Add(" Favorites\\X\\ ", "", 0, "Folder");
    EXPECT_EQ(FolderOutline(blanks), "Favorites\r\n\tX\r\n");
    // A folder whose parent has no record hangs on the nearest shallower line.
    Store.LinkList.Add("Favorites\\Lost\\Deep\\", "", 0, "Folder");
    Store.LinkList.Sort();
    EXPECT_EQ(Store.FolderOutline().substr(0, 21), "Favorites\r\n\t\tDeep\r\n\tN");
    OutlineTree tree(Store.FolderOutline());
    EXPECT_EQ(tree.PathOf(tree.Find("Favorites\\Deep\\")), "Favorites\\Deep");
    struct Case { const char* Path; const char* Node; } cases[] = {
        {"Favorites\\", "Favorites"},
        {"Favorites\\Only subs\\B\\", "Favorites\\Only subs\\B"},
        {"Favorites\\NEWS\\Sport\\", "Favorites\\NEWS\\Sport"},
        {"Favorites\\News\\Missing\\Deeper\\", "Favorites\\News"},
        {"Favorites\\Only subs\\A", "Favorites\\Only subs\\A"},
        {"Favorites\\news\\", "(none)"},
        {"Favorites\\Nothing\\A\\", "(none)"},
    };
    for (const Case& c : cases) EXPECT_EQ(tree.PathOf(tree.Find(c.Path)), c.Node) << c.Path;
}

TEST(ReadOutline, IndentsMakeChildrenAndSkippedLevelsAttachToTheNearestAncestor) {
    std::vector<TOutlineLine> lines = ReadOutline("Favorites\r\n\tA\r\n\t\tB\r\n\t\t\t\tDeep\r\n\tC\r\n\t\t\tSkip\r\n");
    std::vector<int> parents;
    for (const TOutlineLine& l : lines) parents.push_back(l.Parent);
    EXPECT_EQ(parents, (std::vector<int>{-1, 0, 1, 2, 0, 4}));
    EXPECT_EQ(lines[3].Text, "Deep");
    EXPECT_EQ(lines[3].Level, 4);
}

TEST(ListingText, EntriesOfABigListingKeepTheirTextsAfterTheListingIsGone) {
    // 3,000 long names and URLs fill several of the listing's text blocks.
    ScriptedPrompter prompter;
    LinkStore store{prompter};
    std::vector<Rec> records;
    for (int i = 0; i < 3000; ++i) {
        std::string path = "Favorites\\Folder " + std::to_string(i / 100) + "\\" + std::string(60, 'n') + std::to_string(i);
        records.emplace_back(path.c_str(), "http://example.com/" + std::string(40, 'u') + std::to_string(i));
    }
    Fill(store, records);
    TListEntry first, last;
    for (bool classic : {true, false}) {
        store.SetCurrentFolder(classic ? "Favorites\\" : "Favorites\\Folder 29\\");
        TListing listing = classic ? store.ListSubtree() : store.ListFolder();
        if (!classic) {
            ASSERT_TRUE(listing.front().IsUp());
            listing.erase(listing.begin());
        }
        ASSERT_EQ(listing.size(), classic ? 3000u : 100u);
        const size_t base = classic ? 0 : 2900;
        for (size_t i = 0; i < listing.size(); ++i) {
            const Rec& r = records[base + i];
            ASSERT_EQ(Concat(listing[i].Path, listing[i].Name), r.Path) << i;
            ASSERT_EQ(listing[i].Url, r.Url) << i;
            ASSERT_EQ(listing[i].ItemType, "Url");
        }
        first = listing.front();
        last = listing.back();
    }
    // The listing is gone; the copies still read their own texts.
    EXPECT_EQ(Concat(first.Path, first.Name), records[2900].Path);
    EXPECT_EQ(last.Url, records[2999].Url);
}
