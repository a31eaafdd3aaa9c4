// The real main window, created headless over link files written by the tests, driven with its
// own messages and read back through its native controls and the registry.
#include "Main.h"

#include "About.h"
#include "AddItem.h"
#include "Start.h"
#include "System.h"
#include "../forms/PressKey.h"

#include <gtest/gtest.h>

#include <deque>
#include <fstream>

using namespace forms;

namespace {

struct Question {
    std::string text;
    MsgDlgType type;
    unsigned buttons;
    bool beep;
};

class ScriptedPrompter : public Prompter {
public:
    std::deque<int> answers;
    std::vector<Question> asked;
    int Ask(const std::string& text, MsgDlgType type, unsigned buttons, bool beep) override {
        asked.push_back({text, type, buttons, beep});
        if (answers.empty()) {
            ADD_FAILURE() << "unexpected question: " << text;
            return mrCancel;
        }
        int a = answers.front();
        answers.pop_front();
        return a;
    }
};

uint32_t Dos(int y, int m, int d) { return (static_cast<uint32_t>(y - 1980) << 25) | (m << 21) | (d << 16); }

struct Rec {
    const char* path;
    const char* url;
    uint32_t date;
};

// Sorted by path, as the program keeps its files.
const Rec kLinks[] = {
    {"Favorites\\Archive site", "http://archive.example/", Dos(2002, 3, 3)},
    {"Favorites\\Art\\", "", Dos(2000, 1, 1)},
    {"Favorites\\Art\\Gallery", "http://gallery.example/", Dos(2000, 2, 2)},
    {"Favorites\\Blog", "http://blog.example/", Dos(2003, 4, 4)},
    {"Favorites\\News\\", "", Dos(2000, 1, 1)},
    {"Favorites\\News\\Daily paper", "http://daily.example/", Dos(2004, 5, 5)},
    {"Favorites\\News\\Sport\\", "", Dos(2000, 1, 1)},
    {"Favorites\\News\\Sport\\Scores", "http://scores.example/news", Dos(2005, 6, 6)},
    {"Favorites\\Search", "http://search.example/", Dos(2001, 7, 7)},
};

class MainTest : public ::testing::Test {
protected:
    std::string title = "KorvaneTest" + std::to_string(GetCurrentProcessId());
    std::string dir;
    ScriptedPrompter prompter;
    std::vector<std::string> errors;
    std::vector<std::string> opened;
    std::unique_ptr<TFMainKvKorvane> main;
    std::unique_ptr<TFAddItem> addItem;
    std::unique_ptr<TFAbout> about;

    void SetUp() override {
        Application& app = Application::Instance();
        app.SetTitle(title);
        app.Initialize();
        app.ClearTerminated();
        app.OnException = [this](const std::string& e) { errors.push_back(e); };
        char tmp[MAX_PATH];
        GetTempPathA(MAX_PATH, tmp);
        dir = std::string(tmp) + "kvmain" + std::to_string(GetCurrentProcessId()) + "_" + std::to_string(GetTickCount());
        CreateDirectoryA(dir.c_str(), nullptr);
        Registry reg;
        reg.DeleteKey(Key());
        ASSERT_TRUE(reg.OpenKey(SettingsKey(), true));
    }

    void TearDown() override {
        main.reset();
        addItem.reset();
        about.reset();
        Application::Instance().ProcessMessages();
        Application::Instance().ClearTerminated();
        Registry reg;
        reg.DeleteKey(Key());
        WIN32_FIND_DATAA fd;
        HANDLE h = FindFirstFileA((dir + "\\*").c_str(), &fd);
        if (h != INVALID_HANDLE_VALUE) {
            do DeleteFileA((dir + "\\" + fd.cFileName).c_str());
            while (FindNextFileA(h, &fd));
            FindClose(h);
        }
        RemoveDirectoryA(dir.c_str());
    }

    std::string Key() const { return "\\SOFTWARE\\" + title; }
    std::string SettingsKey() const { return Key() + "\\Settings"; }

    std::string WriteLinks(const std::string& name) {
        std::string path = dir + "\\" + name;
        std::ofstream out(path, std::ios::binary);
        for (const Rec& r : kLinks) {
            std::string p = r.path;
            TLinkRecord rec = MakeLinkRecord(p, r.url, r.date, p.back() == '\\' ? FolderType : UrlType);
            out.write(reinterpret_cast<const char*>(&rec), sizeof rec);
        }
        return path;
    }

    void SetSetting(const std::string& name, const std::string& value) {
        Registry reg;
        reg.OpenKey(SettingsKey(), true);
        reg.WriteString(name, value);
    }
    void SetSetting(const std::string& name, int value) {
        Registry reg;
        reg.OpenKey(SettingsKey(), true);
        reg.WriteInteger(name, value);
    }

    void Create() {
        main = std::make_unique<TFMainKvKorvane>(dir);
        main->Prompter = &prompter;
        main->TrayIcon1.NotifyIcon = [](DWORD, NOTIFYICONDATAA*) { return TRUE; };
        main->ShellOpen = [this](const std::string& f) { opened.push_back(f); };
        main->AskSaveFileName = [] { return std::string(); };
        addItem = std::make_unique<TFAddItem>();
        about = std::make_unique<TFAbout>();
        main->AddItem = addItem.get();
        main->About = about.get();
    }

    // Opens the sample file as the last one used and shows the window.
    void OpenSample() {
        SetSetting("LastOpenFile", WriteLinks("links.ldb"));
        Create();
        main->Show();
        PumpMessages(100);
    }

    std::vector<std::string> Rows(int column = 0) const {
        std::vector<std::string> rows;
        int n = static_cast<int>(SendMessageA(main->ListLinks.Handle(), LVM_GETITEMCOUNT, 0, 0));
        for (int i = 0; i < n; ++i) rows.push_back(main->ListLinks.ItemText(i, column));
        return rows;
    }

    TreeNode Node(const std::string& path) const {
        TreeNode n = main->TreeLinks.Root();
        size_t pos = 0;
        while (n && pos < path.size()) {
            size_t end = path.find('/', pos);
            std::string name = path.substr(pos, end == std::string::npos ? std::string::npos : end - pos);
            TreeNode found;
            for (TreeNode c : n.Children())
                if (c.Text() == name) found = c;
            n = found;
            pos = end == std::string::npos ? path.size() : end + 1;
        }
        return n;
    }

    // Gives a control the keyboard focus; another test program on the same desktop may hold
    // the activation for a moment.
    void Focus(Control& c) {
        for (int i = 0; i < 100 && !c.Focused(); ++i) {
            SetForegroundWindow(main->Handle());
            SetActiveWindow(main->Handle());
            c.SetFocus();
            if (!c.Focused()) PumpMessages(10);
        }
        ASSERT_TRUE(c.Focused());
    }

    // Selects a tree node with the tree focused and waits for the delayed change. The change
    // only counts while the tree keeps the focus, which another test program on the desktop may
    // take for a moment: then it is tried again.
    void ChooseFolder(const std::string& path) {
        const std::string want = std::string(RootFolder) + (path.empty() ? "" : Replace(path) + "\\");
        for (int attempt = 0; attempt < 5 && main->Store.CurrentFolder() != want; ++attempt) {
            Focus(main->TreeLinks);
            if (Node(path).Selected()) {
                for (TreeNode c : Node("").Children())
                    if (c != Node(path)) { c.Select(); break; }
                PumpMessages(200);
                Focus(main->TreeLinks);
            }
            Node(path).Select();
            PumpMessages(1000, [&] { return main->Store.CurrentFolder() == want; });
        }
        ASSERT_EQ(main->Store.CurrentFolder(), want);
    }
    static std::string Replace(std::string s) {
        for (char& c : s)
            if (c == '/') c = '\\';
        return s;
    }

    void Command(MenuItem* item) { SendMessageA(main->Handle(), WM_COMMAND, item->Id(), 0); }
    static bool Checked(MenuItem* item) {
        return GetMenuState(item->OwnerMenu(), item->Id(), MF_BYCOMMAND) & MF_CHECKED;
    }
    static bool Grayed(MenuItem* item) {
        return GetMenuState(item->OwnerMenu(), item->Id(), MF_BYCOMMAND) & MF_GRAYED;
    }
    MenuItem* MenuByCaption(MenuItem* parent, const std::string& caption) const {
        for (int i = 0; i < parent->Count(); ++i)
            if (parent->Item(i)->Caption() == caption) return parent->Item(i);
        return nullptr;
    }
    void ClickHeader(int column) {
        NMLISTVIEW nm{};
        nm.hdr = {main->ListLinks.Handle(), 0, static_cast<UINT>(LVN_COLUMNCLICK)};
        nm.iItem = -1;
        nm.iSubItem = column;
        SendMessageA(main->Panel3.Handle(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&nm));
    }
    void SelectRow(int row) {
        main->ListLinks.SetSelected(-1, false);
        main->ListLinks.SetSelected(row, true);
    }
};

TEST_F(MainTest, FirstShowOpensTheLastFileWithTheStoredBounds) {
    SetSetting("Left", 10);
    SetSetting("Top", 20);
    SetSetting("Width", 640);
    SetSetting("Height", 480);
    OpenSample();
    EXPECT_TRUE(prompter.asked.empty());
    EXPECT_TRUE(errors.empty());
    EXPECT_EQ(main->Caption(), "Korvane - links.ldb");
    EXPECT_EQ(main->Store.CurrentFileName, dir + "\\links.ldb");
    RECT r = main->Bounds();
    EXPECT_EQ(r.left, 10);
    EXPECT_EQ(r.top, 20);
    EXPECT_EQ(r.right - r.left, 640);
    EXPECT_EQ(r.bottom - r.top, 480);

    TreeNode root = main->TreeLinks.Root();
    EXPECT_EQ(root.Text(), "Favorites");
    EXPECT_TRUE(root.Selected());
    EXPECT_TRUE(root.Expanded());
    EXPECT_EQ(root.ImageIndex(), 2);
    EXPECT_EQ(root.SelectedIndex(), 2);
    std::vector<std::string> top;
    for (TreeNode c : root.Children()) top.push_back(c.Text());
    EXPECT_EQ(top, (std::vector<std::string>{"Art", "News"}));
    EXPECT_FALSE(Node("News").Expanded());
    EXPECT_TRUE(Node("News/Sport"));
    EXPECT_EQ(main->TreeLinks.Count(), 4);

    EXPECT_EQ(Rows(), (std::vector<std::string>{"Art", "News", "Archive site", "Blog", "Search"}));
    EXPECT_EQ(Rows(1)[3], "http://blog.example/");
    EXPECT_EQ(Rows(3)[0], "Folder");
    EXPECT_EQ(main->TPath.Caption(), " Favorites\\");
    EXPECT_EQ(main->ListLinks.Item(0).ImageIndex, 0);
    EXPECT_EQ(main->ListLinks.Item(3).ImageIndex, 1);
    // The list starts with the keyboard focus (when no other program on the desktop took the
    // activation meanwhile).
    if (GetActiveWindow() == main->Handle()) {
        EXPECT_TRUE(main->ListLinks.Focused());
    }
    EXPECT_FALSE(main->ActSave.Enabled());
}

struct ImportCase {
    int answer;
    bool choose;  // the chooser returns the fixture folder (else it is cancelled)
    int records;
};

TEST_F(MainTest, FirstRunWithoutAFileOffersTheFavoritesImport) {
    const ImportCase cases[] = {{mrNo, false, 0}, {mrYes, false, 0}, {mrYes, true, 3}};
    std::string fav = dir + "\\fav";
    CreateDirectoryA(fav.c_str(), nullptr);
    std::ofstream(fav + "\\Top.url") << "[InternetShortcut]\r\nURL=http://top.example/\r\n";
    CreateDirectoryA((fav + "\\Sub").c_str(), nullptr);
    std::ofstream(fav + "\\Sub\\Inner.url") << "[InternetShortcut]\r\nURL=http://inner.example/\r\n";
    for (const ImportCase& c : cases) {
        prompter.asked.clear();
        prompter.answers = {c.answer};
        Create();
        std::vector<std::string> chooserCalls;
        main->ChooseFolderFn = [&](const std::string& t, const std::string& initial) {
            chooserCalls.push_back(t + "|" + initial);
            return c.choose ? fav : std::string();
        };
        main->FavoritesFolder = "C:\\Favorites here";
        main->Show();
        PumpMessages(50);
        ASSERT_EQ(prompter.asked.size(), 1u);
        EXPECT_EQ(prompter.asked[0].text, "Do you want to import favorites links from Internet Explorer ?");
        EXPECT_EQ(prompter.asked[0].type, MsgDlgType::Information);
        EXPECT_EQ(prompter.asked[0].buttons, mbYesNo);
        EXPECT_FALSE(prompter.asked[0].beep);
        EXPECT_EQ(chooserCalls.size(), c.answer == mrYes ? 1u : 0u);
        if (!chooserCalls.empty()) {
            EXPECT_EQ(chooserCalls[0], "Choose favorites folder:|C:\\Favorites here");
        }
        EXPECT_EQ(main->Caption(), "Korvane - untitled.ldb");
        EXPECT_EQ(main->Store.CurrentFileName, "");
        EXPECT_EQ(main->Store.LinkList.Count(), c.records);
        EXPECT_EQ(main->Store.Modified, c.choose);
        EXPECT_EQ(main->ActSave.Enabled(), c.choose);
        EXPECT_EQ(main->TreeLinks.Count(), c.choose ? 2 : 1);
        EXPECT_EQ(main->TreeLinks.Root().Text(), "Favorites");
        if (c.choose) {
            EXPECT_EQ(main->FavoritesFolder, fav);
            EXPECT_EQ(Rows(), (std::vector<std::string>{"Sub", "Top.url"}));
        }
        main->Store.Modified = false;
        main.reset();
    }
}

TEST_F(MainTest, AnUnreadableFileIsReportedOnceAndLeftUntitled) {
    std::string file = WriteLinks("locked.ldb");
    SetSetting("LastOpenFile", file);
    HANDLE lock = CreateFileA(file.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);
    Create();
    main->Show();
    CloseHandle(lock);
    EXPECT_EQ(errors.size(), 1u);
    EXPECT_EQ(main->Caption(), "Korvane - untitled.ldb");
    EXPECT_EQ(main->Store.CurrentFileName, "");
    EXPECT_EQ(main->TreeLinks.Root().Text(), "Favorites");
}

TEST_F(MainTest, TreeSelectionMovesTheCurrentFolder) {
    OpenSample();
    main->CurrentItemIndex = 3;
    ChooseFolder("News");
    EXPECT_EQ(main->Store.CurrentFolder(), "Favorites\\News\\");
    EXPECT_EQ(main->Store.SubPath(), "News\\");
    EXPECT_EQ(main->TPath.Caption(), " Favorites\\News\\");
    EXPECT_EQ(main->CurrentItemIndex, 0);
    EXPECT_EQ(Rows(), (std::vector<std::string>{"..", "Sport", "Daily paper"}));
    EXPECT_EQ(Node("News").SelectedIndex(), 5);
    ChooseFolder("News/Sport");
    EXPECT_EQ(main->Store.CurrentFolder(), "Favorites\\News\\Sport\\");
    EXPECT_EQ(Rows(), (std::vector<std::string>{"..", "Scores"}));

    // A folder chosen in the list is followed by the tree.
    ChooseFolder("News");
    Focus(main->ListLinks);
    SelectRow(1);
    NMHDR click{main->ListLinks.Handle(), 0, static_cast<UINT>(NM_CLICK)};
    SendMessageA(main->Panel3.Handle(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&click));
    EXPECT_EQ(main->TreeLinks.Selected().Text(), "Sport");
}

struct StateCase {
    const char* row;  // the entry chosen in the News folder, nullptr: the tree has the focus
    bool item, link;
};

TEST_F(MainTest, CommandStatesFollowTheChosenEntry) {
    OpenSample();
    ChooseFolder("News");
    const StateCase cases[] = {{"Daily paper", true, true}, {"..", false, false}, {"Sport", true, false},
                               {nullptr, false, false}};
    MenuItem* del = MenuByCaption(main->MEdit, "&Delete");
    for (const StateCase& c : cases) {
        if (c.row) {
            Focus(main->ListLinks);
            auto rows = Rows();
            SelectRow(static_cast<int>(std::find(rows.begin(), rows.end(), c.row) - rows.begin()));
        } else {
            Focus(main->TreeLinks);
        }
        SCOPED_TRACE(c.row ? c.row : "tree");
        for (Action* a : {&main->ActDelete, &main->ActCopy, &main->ActEdit}) EXPECT_EQ(a->Enabled(), c.item);
        for (Action* a : {&main->ActBrowseNew, &main->ActBrowseActive, &main->ActCopyUrl}) EXPECT_EQ(a->Enabled(), c.link);
        EXPECT_EQ(main->BCut->Enabled(), c.item);
        EXPECT_EQ(main->BCopy->Enabled(), c.item);
        EXPECT_EQ(main->BEdit->Enabled(), c.item);
        EXPECT_EQ(Grayed(del), !c.item);
        EXPECT_FALSE(main->ActPaste.Enabled());
    }
    // The tree's menu offers Edit and Delete below the root only.
    EXPECT_TRUE(main->MTreeDelete->Enabled());
    ChooseFolder("");
    main->UpdateCommandStates();
    EXPECT_FALSE(main->MTreeDelete->Enabled());
    EXPECT_FALSE(main->MTreeEdit->Enabled());

    main->Store.Modified = true;
    main->UpdateCommandStates();
    EXPECT_TRUE(main->ActSave.Enabled());
    EXPECT_TRUE(main->BSave->Enabled());
    main->Store.Modified = false;
}

TEST_F(MainTest, ViewMenuAndToolButtonsMirrorEachOther) {
    OpenSample();
    struct ViewCase {
        MenuItem* item;
        ViewStyle style;
        ToolButton* button;
    };
    const ViewCase views[] = {{main->MLargeIcons, ViewStyle::Icon, main->BLargeIcons},
                              {main->MList, ViewStyle::List, main->BList},
                              {main->MDetails, ViewStyle::Report, main->BReport}};
    EXPECT_TRUE(Checked(main->MDetails));
    EXPECT_TRUE(main->BReport->Down());
    for (const ViewCase& v : views) {
        Command(v.item);
        LONG type = GetWindowLongA(main->ListLinks.Handle(), GWL_STYLE) & LVS_TYPEMASK;
        EXPECT_EQ(type, v.style == ViewStyle::Icon ? LVS_ICON : v.style == ViewStyle::List ? LVS_LIST : LVS_REPORT);
        for (const ViewCase& o : views) {
            EXPECT_EQ(Checked(o.item), o.item == v.item);
            EXPECT_EQ(o.button->Down(), o.button == v.button);
        }
        EXPECT_EQ(Rows().size(), 5u);
    }
    main->BList->Click();
    EXPECT_TRUE(Checked(main->MList));

    EXPECT_TRUE(Checked(main->MExplorer));
    Command(main->MClassic);
    EXPECT_TRUE(Checked(main->MClassic));
    EXPECT_FALSE(Checked(main->MExplorer));
    EXPECT_TRUE(main->BClassic->Down());
    EXPECT_FALSE(main->BExplorer->Down());
    EXPECT_EQ(Rows(), (std::vector<std::string>{"Archive site", "Gallery", "Blog", "Daily paper", "Scores", "Search"}));
    Focus(main->ListLinks);
    SelectRow(4);
    EXPECT_EQ(main->TPath.Caption(), " Favorites\\News\\Sport\\");
    main->BExplorer->Click();
    EXPECT_TRUE(Checked(main->MExplorer));
    EXPECT_EQ(Rows().size(), 5u);

    for (MenuItem* m : {main->MStatusbar, main->MToolbar}) {
        Control& bar = m == main->MStatusbar ? static_cast<Control&>(main->KvStatusBar) : main->ControlBar;
        EXPECT_TRUE(Checked(m));
        Command(m);
        EXPECT_FALSE(Checked(m));
        EXPECT_FALSE(bar.Visible());
        Command(m);
        EXPECT_TRUE(bar.Visible());
    }
}

TEST_F(MainTest, HeaderClicksSortLinksBelowTheFoldersInAlternatingDirections) {
    OpenSample();
    struct SortCase {
        int column;
        std::vector<std::string> rows;
    };
    const SortCase cases[] = {
        {0, {"Art", "News", "Search", "Blog", "Archive site"}},  // first click: descending
        {0, {"Art", "News", "Archive site", "Blog", "Search"}},
        {2, {"Art", "News", "Blog", "Archive site", "Search"}},  // by date, not by text
        {2, {"Art", "News", "Search", "Archive site", "Blog"}},
    };
    for (const SortCase& c : cases) {
        ClickHeader(c.column);
        EXPECT_EQ(main->SortColumn, c.column);
        EXPECT_EQ(Rows(), c.rows);
    }
    main->RefreshClick();  // a refill lists in listing order again
    EXPECT_EQ(Rows(), (std::vector<std::string>{"Art", "News", "Archive site", "Blog", "Search"}));
}

TEST_F(MainTest, FindBoxColoursAndFindRules) {
    OpenSample();
    Focus(main->EditFind);
    EXPECT_EQ(main->EditFind.Color(), 16769732u);
    struct FindCase {
        const char* text;
        std::vector<std::string> rows;
    };
    const std::vector<std::string> root = {"Art", "News", "Archive site", "Blog", "Search"};
    const FindCase cases[] = {
        {"pap", {"Daily paper"}},
        {"pa", {"Daily paper"}},  // one or two characters change nothing
        {"", root},
        {"NEWS", {"Scores"}},  // the address matches too, ignoring case
        {"EXAMPLE", {"Archive site", "Gallery", "Blog", "Daily paper", "Scores", "Search"}},
    };
    for (const FindCase& c : cases) {
        main->EditFind.SetText(c.text);
        EXPECT_EQ(Rows(), c.rows) << c.text;
    }
    EXPECT_TRUE(main->FindResultShown());
    Focus(main->ListLinks);
    EXPECT_EQ(main->EditFind.Color(), RGB(255, 255, 255));
}

TEST_F(MainTest, ShortcutsOfTheFocusedListComeBeforeTheMainMenu) {
    OpenSample();
    main->Store.Modified = true;
    prompter.answers = {mrCancel};
    Focus(main->ListLinks);
    PressKey(main->ListLinks.Handle(), 'X', true);  // the list's Delete, not Exit
    EXPECT_TRUE(prompter.asked.empty());
    PressKey(main->ListLinks.Handle(), 'F', true);
    EXPECT_TRUE(main->EditFind.Focused());
    PressKey(main->EditFind.Handle(), 'X', true);  // Exit: the save question
    ASSERT_EQ(prompter.asked.size(), 1u);
    EXPECT_EQ(prompter.asked[0].text, "Save the new modification ?");
    EXPECT_TRUE(main->Visible());
    main->Store.Modified = false;
}

TEST_F(MainTest, ClosingAsksToSaveAndKeepsTheWindowState) {
    OpenSample();
    main->SetBounds(30, 40, 600, 400);
    main->Store.Modified = true;
    prompter.answers = {mrCancel, mrYes};
    SendMessageA(main->Handle(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(main->Visible());
    EXPECT_EQ(main->Store.LinkList.Count(), 9);
    main->Store.LinkList.Delete(0);
    SendMessageA(main->Handle(), WM_CLOSE, 0, 0);
    EXPECT_FALSE(main->Visible());
    ASSERT_EQ(prompter.asked.size(), 2u);
    EXPECT_EQ(prompter.asked[1].buttons, mbYesNoCancel);
    EXPECT_EQ(prompter.asked[1].type, MsgDlgType::Information);
    WIN32_FILE_ATTRIBUTE_DATA fa;
    GetFileAttributesExA((dir + "\\links.ldb").c_str(), GetFileExInfoStandard, &fa);
    EXPECT_EQ(fa.nFileSizeLow, 8u * 528u);  // Yes saved the file

    Registry reg;
    ASSERT_TRUE(reg.OpenKey(SettingsKey(), false));
    EXPECT_EQ(reg.ReadString("LastOpenFile"), dir + "\\links.ldb");
    EXPECT_EQ(reg.ReadInteger("Left"), 30);
    EXPECT_EQ(reg.ReadInteger("Top"), 40);
    EXPECT_EQ(reg.ReadInteger("Width"), 600);
    EXPECT_EQ(reg.ReadInteger("Height"), 400);
}

TEST_F(MainTest, HandOverFillsTheAddDialogAndIgnoresMalformedBlocks) {
    OpenSample();
    struct HandCase {
        std::string block;
        bool accepted;
        const char* url;
        const char* description;
    };
    const HandCase cases[] = {
        {BuildHandOverText({"http://one.example/", "One"}), true, "http://one.example/", "One"},
        {BuildHandOverText({"http://two.example/"}), true, "http://two.example/", "blank"},
        {std::string("http://three.example/\r\nno end"), false, "", ""},  // no zero within the block
        {std::string("\0", 1), true, "", ""},
    };
    for (const HandCase& c : cases) {
        addItem->EditUrl.SetText("");
        addItem->EditDescription.SetText("");
        COPYDATASTRUCT cds{0, static_cast<DWORD>(c.block.size()), const_cast<char*>(c.block.data())};
        std::string padded = c.block + "\r\nbeyond";  // text after the block must stay unread
        cds.lpData = padded.data();
        EXPECT_EQ(SendMessageA(main->Handle(), WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&cds)) != 0, c.accepted);
        PostMessageA(addItem->Handle(), WM_CLOSE, 0, 0);
        PumpMessages(100);
        EXPECT_EQ(addItem->EditUrl.Text(), c.url);
        EXPECT_EQ(addItem->EditDescription.Text(), c.description);
    }
    // While the dialog shows, a hand-over only replaces its fields.
    addItem->Show();
    std::string text = BuildHandOverText({"http://four.example/", "Four"});
    COPYDATASTRUCT cds{0, static_cast<DWORD>(text.size()), text.data()};
    SendMessageA(main->Handle(), WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&cds));
    PumpMessages(50);
    EXPECT_EQ(addItem->EditUrl.Text(), "http://four.example/");
    EXPECT_TRUE(addItem->StayOnTop());
    EXPECT_FALSE(addItem->Modal());
}

TEST_F(MainTest, PreviewPanelShowsWithItsRememberedHeight) {
    OpenSample();
    int listHeight = main->ListLinks.Height();
    Command(main->MPreview);
    EXPECT_TRUE(Checked(main->MPreview));
    EXPECT_TRUE(main->Panel10.Visible());
    EXPECT_TRUE(main->Splitter2.Visible());
    EXPECT_EQ(main->ToolButton3->ImageIndex(), 3);
    // Half the list's height once the panel has taken its place, halves rounded to even.
    int shown = listHeight - 107 - main->Splitter2.Height();
    int half = shown / 2 + ((shown % 2 && (shown / 2) % 2) ? 1 : 0);
    EXPECT_EQ(main->Panel10.Height(), half);
    EXPECT_EQ(main->PreviewHeight, half);

    main->Splitter2.MoveBy(-20);
    main->Splitter2Moved();
    Registry reg;
    ASSERT_TRUE(reg.OpenKey(SettingsKey(), false));
    EXPECT_EQ(reg.ReadInteger("BrowserHeight"), half + 20);

    main->ToolButton3->Click();
    EXPECT_FALSE(Checked(main->MPreview));
    EXPECT_FALSE(main->Panel10.Visible());
    EXPECT_FALSE(main->Splitter2.Visible());
    EXPECT_EQ(main->ToolButton3->ImageIndex(), 2);
    reg.WriteInteger("BrowserHeight", 150);
    Command(main->MPreview);
    EXPECT_EQ(main->Panel10.Height(), 150);

    main->PreviewHeight = 0;
    int now = main->ListLinks.Height();
    main->ApplyPreviewPanel();
    EXPECT_EQ(main->Panel10.Height(), now / 2 + ((now % 2 && (now / 2) % 2) ? 1 : 0));
}

TEST_F(MainTest, TreePanelHidesIntoThePathLineAndComesBack) {
    OpenSample();
    main->ToolButton2->Click();
    EXPECT_FALSE(main->Panel2.Visible());
    EXPECT_EQ(main->Panel5.Parent(), &main->Panel6);
    EXPECT_EQ(main->Panel5.Left(), 0);
    EXPECT_EQ(main->Panel5.Width(), main->TreeToolBar.Width());
    EXPECT_EQ(main->ToolButton2->ImageIndex(), 1);
    EXPECT_EQ(main->Panel3.Left(), 0);
    main->ToolButton2->Click();
    EXPECT_TRUE(main->Panel2.Visible());
    EXPECT_EQ(main->Panel5.Parent(), &main->Panel2);
    EXPECT_EQ(main->Panel5.Width(), main->Panel2.ClientRect().right);
    EXPECT_EQ(main->ToolButton2->ImageIndex(), 0);
    EXPECT_EQ(main->Panel3.Left(), 201 + main->Splitter1.Width());
}

TEST_F(MainTest, SizeLimitsHelpAndAbout) {
    OpenSample();
    MINMAXINFO mm{};
    SendMessageA(main->Handle(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&mm));
    RECT wa;
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &wa, 0);
    EXPECT_EQ(mm.ptMaxSize.x, wa.right - wa.left);
    EXPECT_EQ(mm.ptMaxSize.y, wa.bottom - wa.top);
    EXPECT_EQ(mm.ptMaxTrackSize.x, wa.right - wa.left);
    EXPECT_EQ(mm.ptMaxPosition.x, 0);
    EXPECT_EQ(mm.ptMaxPosition.y, 0);

    Command(MenuByCaption(main->MHelp, "&Help"));
    EXPECT_EQ(opened, (std::vector<std::string>{dir + "\\Korvane.chm"}));
    PostMessageA(about->Handle(), WM_CLOSE, 0, 0);
    Command(MenuByCaption(main->MHelp, "&About..."));
    EXPECT_EQ(about->GetModalResult(), mrCancel);
    EXPECT_FALSE(about->Visible());
}

}  // namespace
