// Copy, paste and move: buffers, conflict questions with their exact texts, and every answer.
#include "StoreTestSupport.h"
#include <gtest/gtest.h>
#include <algorithm>

namespace {

const TModalResult Yes = TModalResult::Yes, No = TModalResult::No, NoToAll = TModalResult::NoToAll,
                   YesToAll = TModalResult::YesToAll;

std::string FolderClash(const std::string& name, const char* verb) {
    return "The Folder already contains a folder named '" + name + "'.\n\r\n\r"
           "If the links in the existing folder have the same URL as links in the\n\r"
           "the folder you are copying, they will be replaced.\n\r"
           "Do you still want to " + verb + " the folder ?";
}
std::string LinkClash(const std::string& name) {
    return "This folder already contains a link with URL :\n\r" + name +
           "\n\r\n\rWould you like to replace the existing link ?";
}

class CopyPaste : public ::testing::Test {
protected:
    ScriptedPrompter Prompter;
    LinkStore Store{Prompter};
    void SetUp() override {
        Fill(Store, {
            {"F:Favorites\\News\\", "", "Folder", 0x21210000}, {"Favorites\\News\\Daily", "http://new-daily/", "Url", 0x21220000},
            {"F:Favorites\\News\\Sport\\"}, {"Favorites\\News\\Sport\\Scores", "http://scores/"},
            {"F:Favorites\\Tech\\"}, {"Favorites\\Tech\\Gadgets", "http://gadgets/"},
            {"F:Favorites\\Archive\\"}, {"Favorites\\Archive\\Daily", "http://old-daily/"},
            {"Favorites\\Archive\\Kept", "http://kept/"},
            {"F:Favorites\\Archive\\News\\"}, {"Favorites\\Archive\\News\\Older", "http://older/"},
            {"F:Favorites\\Archive\\Tech\\"},
            {"F:Favorites\\Other\\"},
        });
        Store.LinkList.Sort();
    }
    TListing Pick(const std::vector<std::string>& names) {
        TListing all = Store.CurrentListing(), picked;
        for (const std::string& n : names) picked.push_back(EntryNamed(all, n));
        return picked;
    }
    std::vector<std::string> Asked() {
        std::vector<std::string> texts;
        for (const AskedQuestion& q : Prompter.Asked) {
            const bool refusal = q.Text.compare(0, 7, "Cannot ") == 0;
            EXPECT_EQ(q.Kind, refusal ? TMsgDlgType::Error : TMsgDlgType::Warning);
            EXPECT_EQ(q.Buttons, refusal ? TMsgDlgButtons::OK : TMsgDlgButtons::YesNoNoToAllYesToAll);
            texts.push_back(q.Text);
        }
        Prompter.Asked.clear();
        return texts;
    }
    std::vector<std::string> Below(const std::string& folder) {
        std::vector<std::string> v;
        for (const std::string& p : Paths(Store.LinkList))
            if (p.compare(0, folder.size(), folder) == 0) v.push_back(p.substr(folder.size()));
        return v;
    }
    const TLinkRecord* Find(const std::string& path) {
        for (const TLinkRecord& r : Store.LinkList)
            if (r.GetPath() == path) return &r;
        return nullptr;
    }
};

}  // namespace

TEST_F(CopyPaste, CopyCapturesRelativePathsAndNames) {
    EXPECT_FALSE(Store.CopyEntries({}));
    ASSERT_EQ(Prompter.Asked.size(), 1u);
    EXPECT_EQ(Prompter.Asked[0].Text, "Incorect selection !");
    EXPECT_EQ(Prompter.Asked[0].Kind, TMsgDlgType::Information);
    Store.SetCurrentFolder("Favorites\\News\\");
    ASSERT_TRUE(Store.CopyEntries(Pick({"..", "Daily", "Sport"})));
    EXPECT_EQ(Store.CopyNames, (std::vector<std::string>{"Daily=Url", "Sport=Folder"}));
    EXPECT_EQ(Store.CopySource, "Favorites\\News\\");
    std::vector<std::string> buffer;
    for (const TLinkRecord& r : Store.CopyBuffer) buffer.emplace_back(r.GetPath());
    EXPECT_EQ(buffer, (std::vector<std::string>{"Daily", "Sport\\", "Sport\\Scores"}));
    EXPECT_FALSE(Store.Modified);
}

TEST_F(CopyPaste, PasteIntoTheSourceFolderIsRefused) {
    ASSERT_TRUE(Store.CopyEntries(Pick({"Tech"})));
    EXPECT_FALSE(Store.PasteEntries());
    EXPECT_EQ(Asked(), std::vector<std::string>{"Cannot move: the destination folder is the same as the source folder !"});
    EXPECT_EQ(Store.LinkList.Count(), 13);
    EXPECT_FALSE(Store.Modified);
}

TEST_F(CopyPaste, PasteAFolderWithoutClashCopiesEverythingWithDates) {
    Store.SetCurrentFolder("Favorites\\");
    ASSERT_TRUE(Store.CopyEntries(Pick({"News"})));
    Store.SetCurrentFolder("Favorites\\Other\\");
    ASSERT_TRUE(Store.PasteEntries());
    EXPECT_TRUE(Asked().empty());
    EXPECT_EQ(Below("Favorites\\Other\\"),
              (std::vector<std::string>{"", "News\\", "News\\Daily", "News\\Sport\\", "News\\Sport\\Scores"}));
    EXPECT_EQ(Find("Favorites\\Other\\News\\")->Date, 0x21210000u);
    EXPECT_EQ(Find("Favorites\\Other\\News\\Daily")->Date, 0x21220000u);
    EXPECT_EQ(Find("Favorites\\Other\\News\\Daily")->GetUrl(), "http://new-daily/");
    EXPECT_TRUE(Store.Modified);
    EXPECT_EQ(Store.LinkList.Count(), 17);
}

TEST_F(CopyPaste, LinkClashAnswers) {
    struct Case { TModalResult Answer; const char* DailyUrl; int Count; } cases[] = {
        {Yes, "http://new-daily/", 8}, {No, "http://old-daily/", 8}, {NoToAll, "http://old-daily/", 6},
    };
    for (const Case& c : cases) {
        Store.LinkList.Clear();
        Fill(Store, {{"F:Favorites\\News\\"}, {"Favorites\\News\\Daily", "http://new-daily/"},
                     {"F:Favorites\\News\\Sport\\"}, {"Favorites\\News\\Sport\\Scores", "http://scores/"},
                     {"F:Favorites\\Archive\\"}, {"Favorites\\Archive\\Daily", "http://old-daily/"}});
        Store.LinkList.Sort();
        Store.Modified = false;
        Store.SetCurrentFolder("Favorites\\News\\");
        ASSERT_TRUE(Store.CopyEntries(Pick({"Daily", "Sport"})));
        Store.SetCurrentFolder("Favorites\\Archive\\");
        Prompter.Answers = {c.Answer};
        EXPECT_EQ(Store.PasteEntries(), c.Answer != NoToAll);
        EXPECT_EQ(Asked(), std::vector<std::string>{LinkClash("Daily")});
        EXPECT_EQ(Find("Favorites\\Archive\\Daily")->GetUrl(), c.DailyUrl);
        EXPECT_EQ(Store.Modified, c.Answer != NoToAll);
        EXPECT_EQ(Store.LinkList.Count(), c.Count);
        EXPECT_EQ(Find("Favorites\\Archive\\Sport\\Scores") != nullptr, c.Answer != NoToAll);
    }
}

TEST_F(CopyPaste, YesToAllMergesLaterFoldersAndNoDropsAFolderForGood) {
    Store.SetCurrentFolder("Favorites\\");
    ASSERT_TRUE(Store.CopyEntries(Pick({"News", "Tech"})));
    Store.SetCurrentFolder("Favorites\\Archive\\");
    Prompter.Answers = {YesToAll};
    ASSERT_TRUE(Store.PasteEntries());
    EXPECT_EQ(Asked(), std::vector<std::string>{FolderClash("News", "copy")});
    EXPECT_EQ(Below("Favorites\\Archive\\"),
              (std::vector<std::string>{"", "Daily", "Kept", "News\\", "News\\Daily", "News\\Older", "News\\Sport\\",
                                        "News\\Sport\\Scores", "Tech\\", "Tech\\Gadgets"}));

    // No to the first folder: it is gone from the copy, also for the next paste.
    Store.SetCurrentFolder("Favorites\\Archive\\");
    Prompter.Answers = {No, Yes};
    ASSERT_TRUE(Store.PasteEntries());
    EXPECT_EQ(Asked(), (std::vector<std::string>{FolderClash("News", "copy"), FolderClash("Tech", "copy")}));
    Store.SetCurrentFolder("Favorites\\Other\\");
    ASSERT_TRUE(Store.PasteEntries());
    EXPECT_EQ(Below("Favorites\\Other\\"), (std::vector<std::string>{"", "Tech\\", "Tech\\Gadgets"}));
}

TEST_F(CopyPaste, NoToAllPastesNothingAndAllNoChangesNothing) {
    Store.SetCurrentFolder("Favorites\\");
    ASSERT_TRUE(Store.CopyEntries(Pick({"News", "Tech"})));
    const std::vector<std::string> before = Paths(Store.LinkList);
    Store.SetCurrentFolder("Favorites\\Archive\\");
    Prompter.Answers = {Yes, NoToAll};
    EXPECT_FALSE(Store.PasteEntries());
    Prompter.Answers = {No, No};
    EXPECT_FALSE(Store.PasteEntries());
    EXPECT_EQ(Paths(Store.LinkList), before);
    EXPECT_FALSE(Store.Modified);
    EXPECT_TRUE(Store.CopyBuffer.empty());
}

TEST_F(CopyPaste, ANameWithAnEqualsSignStillFindsItsClash) {
    Store.LinkList.Add("Favorites\\News\\a=b", "http://new/", 0, "Url");
    Store.LinkList.Add("Favorites\\Archive\\A=B", "http://old/", 0, "Url");
    Store.LinkList.Sort();
    Store.SetCurrentFolder("Favorites\\News\\");
    ASSERT_TRUE(Store.CopyEntries(Pick({"a=b"})));
    Store.SetCurrentFolder("Favorites\\Archive\\");
    Prompter.Answers = {No};
    EXPECT_FALSE(Store.PasteEntries());
    EXPECT_EQ(Asked(), std::vector<std::string>{LinkClash("a=b")});
    EXPECT_EQ(Find("Favorites\\Archive\\a=b"), nullptr);
}

TEST_F(CopyPaste, MoveRefusesTheSourceAndItsInside) {
    Store.SetCurrentFolder("Favorites\\");
    Store.CaptureDragEntries(Pick({"News"}));
    EXPECT_EQ(Store.DragNames, std::vector<std::string>{"News=Folder"});
    const std::vector<std::string> before = Paths(Store.LinkList);
    for (const char* target : {"Favorites\\", "Favorites\\News\\Sport\\", "Favorites\\News\\"}) {
        OutlineTree tree(Store.FolderOutline());
        EXPECT_FALSE(Store.MoveEntries(target, tree, tree.Find(target)));
        EXPECT_EQ(Asked(), std::vector<std::string>{"Cannot move: the destination folder is the same as are the source folder !"});
    }
    EXPECT_EQ(Paths(Store.LinkList), before);
    EXPECT_FALSE(Store.Modified);
}

TEST_F(CopyPaste, MoveAFolderMergesOnYesAndFollowsTheTarget) {
    Store.SetCurrentFolder("Favorites\\");
    Store.CaptureDragEntries(Pick({"News", "Tech"}));
    OutlineTree tree(Store.FolderOutline());
    const std::string target = "Favorites\\Archive\\";
    Prompter.Answers = {No, No};
    EXPECT_FALSE(Store.MoveEntries(target, tree, tree.Find(target)));
    EXPECT_FALSE(Store.Modified);

    Store.CaptureDragEntries(Pick({"News", "Tech"}));
    Prompter.Answers = {YesToAll};
    ASSERT_TRUE(Store.MoveEntries(target, tree, tree.Find(target)));
    EXPECT_EQ(Asked(), (std::vector<std::string>{FolderClash("News", "move"), FolderClash("Tech", "move"),
                                                 FolderClash("News", "move")}));
    EXPECT_EQ(Below("Favorites\\News"), std::vector<std::string>{});
    EXPECT_EQ(Below("Favorites\\Tech"), std::vector<std::string>{});
    EXPECT_EQ(Below(target), (std::vector<std::string>{"", "Daily", "Kept", "News\\", "News\\Daily", "News\\Older",
                                                       "News\\Sport\\", "News\\Sport\\Scores", "Tech\\", "Tech\\Gadgets"}));
    EXPECT_EQ(Store.CurrentFolder(), target);
    EXPECT_TRUE(Store.Modified);
}

TEST_F(CopyPaste, ClassicMoveTakesLinksOfSeveralFoldersIntoTheTarget) {
    Store.ClassicStyle = true;
    Store.SetCurrentFolder("Favorites\\");
    Store.CaptureDragEntries(Pick({"Scores", "Gadgets", "Kept"}));
    EXPECT_EQ(Store.DragNames, (std::vector<std::string>{"Favorites\\News\\Sport\\Scores=Url",
                                                         "Favorites\\Tech\\Gadgets=Url", "Favorites\\Archive\\Kept=Url"}));
    OutlineTree tree(Store.FolderOutline());
    ASSERT_TRUE(Store.MoveEntries("Favorites\\Archive\\", tree, tree.Find("Favorites\\Archive\\")));
    EXPECT_TRUE(Asked().empty());
    EXPECT_EQ(Below("Favorites\\Archive\\"),
              (std::vector<std::string>{"", "Daily", "Gadgets", "Kept", "News\\", "News\\Older", "Scores", "Tech\\"}));
    EXPECT_EQ(Find("Favorites\\News\\Sport\\Scores"), nullptr);
    EXPECT_EQ(Find("Favorites\\Tech\\Gadgets"), nullptr);
    EXPECT_EQ(Store.LinkList.Count(), 13);
}
