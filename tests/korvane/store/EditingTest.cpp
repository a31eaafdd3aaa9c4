// New, rename and delete of folders and links: rules, notices and the records they touch.
#include "StoreTestSupport.h"
#include <gtest/gtest.h>
#include <algorithm>
#include <functional>

namespace {

const std::string Taken = "The Folder name you have entered already exist !";
std::string Invalid(const std::string& name) {
    return name + "\r\nThe above folder name is invalid.\r\nPlease do not include special characters :\r\n"
                  "/ \\ * \" < > ? | .";
}

class Editing : public ::testing::Test {
protected:
    ScriptedPrompter Prompter;
    LinkStore Store{Prompter};
    int Updates = 0;
    void SetUp() override {
        Store.OnUpdateCommandStates = [this] { ++Updates; };
        Fill(Store, {
            {"F:Favorites\\A\\"}, {"Favorites\\A\\one"}, {"F:Favorites\\A\\Deep\\"}, {"Favorites\\A\\Deep\\two"},
            {"F:Favorites\\AB\\"}, {"Favorites\\AB\\three"},
            {"F:Favorites\\News\\"}, {"Favorites\\News\\Daily"}, {"Favorites\\News\\Daily paper"},
            {"F:Favorites\\News\\Sport\\"}, {"F:Favorites\\News archive\\"}, {"Favorites\\News archive\\old"},
        });
        Store.LinkList.Sort();
    }
    // Runs op and checks that a refusal left everything as it was.
    void ExpectUnchanged(const std::function<bool()>& op) {
        const std::vector<std::string> before = Paths(Store.LinkList);
        const std::string folder = Store.CurrentFolder();
        EXPECT_FALSE(op());
        EXPECT_EQ(Paths(Store.LinkList), before);
        EXPECT_FALSE(Store.Modified);
        EXPECT_EQ(Store.CurrentFolder(), folder);
    }
    std::vector<std::string> Asked() {
        std::vector<std::string> texts;
        for (const AskedQuestion& q : Prompter.Asked) texts.push_back(q.Text);
        Prompter.Asked.clear();
        return texts;
    }
};

}  // namespace

TEST_F(Editing, FolderNameRules) {
    struct Case { const char* Name; bool Notice; } refused[] = {
        {"", false}, {".hidden", true}, {" lead", true}, {"a:b", true}, {"a|b", true}, {"a/b", true},
        {"a\\b", true}, {"a*b", true}, {"a\"b", true}, {"a>b", true}, {"a<b", true}, {"a?b", true},
    };
    for (const Case& c : refused) {
        ExpectUnchanged([&] { return Store.NewFolder(c.Name); });
        ExpectUnchanged([&] { return Store.RenameFolder("A", c.Name); });
        std::vector<std::string> expected;
        if (c.Notice) expected = {Invalid(c.Name), Invalid(c.Name)};
        EXPECT_EQ(Asked(), expected) << c.Name;
    }
    ASSERT_TRUE(Store.NewFolder("trail "));
    EXPECT_EQ(Store.LinkList[Store.LinkList.Count() - 1].GetPath(), "Favorites\\trail \\");
    EXPECT_TRUE(Store.LinkList[Store.LinkList.Count() - 1].IsFolder());
    EXPECT_TRUE(Store.Modified);
    EXPECT_EQ(Updates, 1);
    EXPECT_TRUE(Asked().empty());
}

TEST_F(Editing, NewFolderGoesIntoTheCurrentFolderSortedUnlessTaken) {
    Store.SetCurrentFolder("Favorites\\News\\");
    ExpectUnchanged([&] { return Store.NewFolder("sport"); });
    EXPECT_EQ(Asked(), std::vector<std::string>{Taken});
    EXPECT_EQ(Prompter.Asked.size(), 0u);
    ASSERT_TRUE(Store.NewFolder("Cinema"));
    std::vector<std::string> paths = Paths(Store.LinkList);
    auto at = std::find(paths.begin(), paths.end(), "Favorites\\News\\Cinema\\");
    ASSERT_NE(at, paths.end());
    EXPECT_EQ(*(at + 1), "Favorites\\News\\Daily");
}

TEST_F(Editing, RenameFolderRewritesTheFolderAndEverythingBelowIt) {
    ExpectUnchanged([&] { return Store.RenameFolder("News", " NEWS "); });
    ExpectUnchanged([&] { return Store.RenameFolder("A", "news"); });
    EXPECT_EQ(Asked(), std::vector<std::string>{Taken});
    ASSERT_TRUE(Store.RenameFolder("A", "B"));
    EXPECT_EQ(Paths(Store.LinkList),
              (std::vector<std::string>{"Favorites\\AB\\", "Favorites\\AB\\three", "Favorites\\B\\",
                                        "Favorites\\B\\Deep\\", "Favorites\\B\\Deep\\two", "Favorites\\B\\one",
                                        "Favorites\\News archive\\", "Favorites\\News archive\\old",
                                        "Favorites\\News\\", "Favorites\\News\\Daily", "Favorites\\News\\Daily paper",
                                        "Favorites\\News\\Sport\\"}));
    EXPECT_TRUE(Store.Modified);
    // A path that grows beyond 255 characters is cut.
    const std::string longName(250, 'L');
    ASSERT_TRUE(Store.RenameFolder("B", longName));
    int cut = 0;
    for (const TLinkRecord& r : Store.LinkList)
        if (r.GetPath().substr(0, 12) == "Favorites\\LL") {
            EXPECT_EQ(r.GetPath().size(), 255u);
            ++cut;
        }
    EXPECT_EQ(cut, 4);
}

TEST_F(Editing, RenameCurrentFolderTrimsAndFollowsTheNewName) {
    Store.SetCurrentFolder("Favorites\\A\\");
    ExpectUnchanged([&] { return Store.RenameCurrentFolder("A", "A"); });
    ExpectUnchanged([&] { return Store.RenameCurrentFolder("A", "  "); });
    ExpectUnchanged([&] { return Store.RenameCurrentFolder("A", "ab"); });
    EXPECT_EQ(Asked(), (std::vector<std::string>{Taken, Invalid(""), Taken}));
    ASSERT_TRUE(Store.RenameCurrentFolder("A", "  Zed "));
    EXPECT_EQ(Store.CurrentFolder(), "Favorites\\Zed\\");
    EXPECT_EQ(Store.SubPath(), "Zed\\");
    std::vector<std::string> paths = Paths(Store.LinkList);
    EXPECT_EQ(std::vector<std::string>(paths.end() - 4, paths.end()),
              (std::vector<std::string>{"Favorites\\Zed\\", "Favorites\\Zed\\Deep\\", "Favorites\\Zed\\Deep\\two",
                                        "Favorites\\Zed\\one"}));
    Store.SetCurrentFolder("Favorites\\");
    Store.Modified = false;
    ExpectUnchanged([&] { return Store.RenameCurrentFolder("Favorites", "Other"); });
}

TEST_F(Editing, DeleteFolderAsksAndRemovesOnlyThatFolder) {
    Prompter.Answers = {TModalResult::No, TModalResult::Yes};
    ExpectUnchanged([&] { return Store.DeleteFolder("Favorites\\News\\", "News"); });
    ASSERT_TRUE(Store.DeleteFolder("Favorites\\News\\", "News"));
    EXPECT_EQ(Asked(), std::vector<std::string>(2, "Are you sure you want to delete the folder 'News' and all its contents ?"));
    EXPECT_EQ(Paths(Store.LinkList),
              (std::vector<std::string>{"Favorites\\A\\", "Favorites\\A\\Deep\\", "Favorites\\A\\Deep\\two",
                                        "Favorites\\A\\one", "Favorites\\AB\\", "Favorites\\AB\\three",
                                        "Favorites\\News archive\\", "Favorites\\News archive\\old"}));
    EXPECT_TRUE(Store.Modified);
}

TEST_F(Editing, DeleteEntriesQuestionsAndWhatGoes) {
    Store.SetCurrentFolder("Favorites\\News\\");
    const TListing listing = Store.ListFolder();  // "..", Sport, Daily, Daily paper
    const TListEntry up = listing[0], sport = EntryNamed(listing, "Sport"), daily = EntryNamed(listing, "Daily");
    ExpectUnchanged([&] { return Store.DeleteEntries({}); });
    ExpectUnchanged([&] { return Store.DeleteEntries({up}); });
    EXPECT_EQ(Prompter.Asked[0].Text, "Incorrect selection !");
    EXPECT_EQ(Prompter.Asked[0].Kind, TMsgDlgType::Error);
    EXPECT_EQ(Prompter.Asked[0].Buttons, TMsgDlgButtons::OK);
    Asked();
    Prompter.Answers = {TModalResult::No, TModalResult::No, TModalResult::No};
    ExpectUnchanged([&] { return Store.DeleteEntries({daily}); });
    ExpectUnchanged([&] { return Store.DeleteEntries({sport}); });
    ExpectUnchanged([&] { return Store.DeleteEntries({up, sport, daily}); });
    EXPECT_EQ(Prompter.Asked[2].Kind, TMsgDlgType::Warning);
    EXPECT_EQ(Prompter.Asked[2].Buttons, TMsgDlgButtons::YesNo);
    EXPECT_EQ(Asked(), (std::vector<std::string>{"Are you sure you want to delete the item 'Daily' ?",
                                                 "Are you sure you want to delete the folder 'Sport' and all its contents ?",
                                                 "Are you sure you want to delete the selected items ?"}));
    Prompter.Answers = {TModalResult::Yes};
    ASSERT_TRUE(Store.DeleteEntries({up, sport, daily}));
    EXPECT_EQ(Asked(), std::vector<std::string>{"Are you sure you want to delete the selected items ?"});
    EXPECT_EQ(Store.ListFolder().size(), 2u);
    EXPECT_EQ(Names(Store.ListFolder()), (std::vector<std::string>{"..", "Daily paper"}));
    EXPECT_EQ(Store.LinkList.Count(), 10);
    EXPECT_TRUE(Store.Modified);
}
