// The form layer on real windows under the null display driver: layout, menus and keys,
// commands, tool bars, views, the message dialog, the registry, timers.
#include "Dialogs.h"
#include "PressKey.h"
#include "System.h"
#include "Views.h"

#include <gtest/gtest.h>

using namespace forms;

namespace {

class FormsTest : public ::testing::Test {
protected:
    void SetUp() override {
        Application::Instance().Initialize();
        Application::Instance().OnException = [this](const std::string& e) { errors.push_back(e); };
    }
    std::vector<std::string> errors;
};


std::string MenuText(HMENU menu, UINT id) {
    char buf[256] = "";
    GetMenuStringA(menu, id, buf, sizeof buf, MF_BYCOMMAND);
    return buf;
}

UINT MenuState(const MenuItem* item) { return GetMenuState(item->OwnerMenu(), item->Id(), MF_BYCOMMAND); }

TEST_F(FormsTest, AlignedChildrenFillTheClientAreaInLayoutOrder) {
    Form form("TLayoutTest", "Layout", 400, 300);
    Panel top(&form), bottom(&form), left(&form), client(&form);
    top.SetHeight(30);
    top.SetAlign(Align::Top);
    bottom.SetHeight(20);
    bottom.SetAlign(Align::Bottom);
    left.SetWidth(100);
    left.SetAlign(Align::Left);
    Splitter split(&form, Align::Left);
    client.SetAlign(Align::Client);
    RECT c = form.ClientRect();
    auto expect = [](const Control& ctl, int l, int t, int r, int b) {
        RECT got = ctl.Bounds();
        EXPECT_EQ(got.left, l);
        EXPECT_EQ(got.top, t);
        EXPECT_EQ(got.right, r);
        EXPECT_EQ(got.bottom, b);
    };
    expect(top, 0, 0, c.right, 30);
    expect(bottom, 0, c.bottom - 20, c.right, c.bottom);
    expect(left, 0, 30, 100, c.bottom - 20);
    expect(split, 100, 30, 103, c.bottom - 20);
    expect(client, 103, 30, c.right, c.bottom - 20);

    split.MoveBy(50);  // the splitter resizes the panel before it
    EXPECT_EQ(left.Width(), 150);
    EXPECT_EQ(client.Left(), 153);
    split.MoveBy(-1000);
    EXPECT_EQ(left.Width(), split.MinSize);

    top.SetVisible(false);
    EXPECT_EQ(left.Top(), 0);
    EXPECT_EQ(client.Top(), 0);
}

TEST_F(FormsTest, FocusedControlsPopupKeysComeBeforeTheMainMenus) {
    Form form("TKeyTest", "Keys", 300, 200);
    Edit edit(&form), other(&form);
    other.SetBounds(0, 40, 100, 20);
    MainMenu menu;
    PopupMenu popup;
    std::vector<std::string> ran;
    MenuItem* file = menu.Add("File");
    file->Add("Exit", Ctrl('X'), [&] { ran.push_back("exit"); });
    MenuItem* del = popup.Add("Delete", Ctrl('X'), [&] { ran.push_back("delete"); });
    popup.Add("Copy", Ctrl('C'), [&] { ran.push_back("copy"); });
    form.SetMenu(&menu);
    edit.SetPopupMenu(&popup);
    form.Show();

    edit.SetFocus();
    PressKey(edit.Handle(), 'X', true);
    del->SetEnabled(false);
    PressKey(edit.Handle(), 'X', true);  // a disabled item still owns its key
    PressKey(edit.Handle(), 'C', true);
    PressKey(edit.Handle(), 'X', false);  // no Ctrl: no shortcut
    other.SetFocus();
    PressKey(other.Handle(), 'X', true);
    EXPECT_EQ(ran, (std::vector<std::string>{"delete", "copy", "exit"}));
    EXPECT_EQ(MenuText(file->Handle(), file->Item(0)->Id()), "Exit\tCtrl+X");
    form.Hide();
}

TEST_F(FormsTest, MenuCommandsRadioGroupsAndActionsMirrorTheirState) {
    Form form("TMenuTest", "Menus", 300, 200);
    MainMenu menu;
    MenuItem* view = menu.Add("View");
    MenuItem* big = view->Add("Large Icons");
    MenuItem* list = view->Add("List");
    MenuItem* details = view->Add("Details");
    for (MenuItem* m : {big, list, details}) m->RadioItem = true;
    details->SetChecked(true);
    list->SetChecked(true);
    EXPECT_FALSE(MenuState(details) & MF_CHECKED);
    EXPECT_TRUE(MenuState(list) & MF_CHECKED);

    int executed = 0;
    Action del([&] { ++executed; });
    MenuItem* delItem = view->Add("Delete");
    delItem->SetAction(&del);
    ToolBar bar(&form);
    ToolButton* delButton = bar.AddButton("Delete", 0);
    delButton->SetAction(&del);
    form.SetMenu(&menu);

    SendMessageA(form.Handle(), WM_COMMAND, delItem->Id(), 0);
    del.SetEnabled(false);
    EXPECT_TRUE(MenuState(delItem) & MF_GRAYED);
    EXPECT_FALSE(delButton->Enabled());
    SendMessageA(form.Handle(), WM_COMMAND, delItem->Id(), 0);
    delButton->Click();
    del.SetEnabled(true);
    EXPECT_FALSE(MenuState(delItem) & MF_GRAYED);
    EXPECT_TRUE(delButton->Enabled());
    SendMessageA(form.Handle(), WM_COMMAND, MAKEWPARAM(delButton->Id(), BN_CLICKED),
                 reinterpret_cast<LPARAM>(bar.Handle()));
    EXPECT_EQ(executed, 2);
}

TEST_F(FormsTest, GroupedCheckButtonsReleaseEachOtherAndGiveHints) {
    Form form("TToolTest", "Tools", 300, 200);
    ToolBar bar(&form);
    ToolButton* a = bar.AddButton("Large icons", 0, ButtonStyle::Check);
    ToolButton* b = bar.AddButton("List", 1, ButtonStyle::Check);
    ToolButton* c = bar.AddButton("Report", 2, ButtonStyle::Check);
    bar.AddSeparator();
    ToolButton* d = bar.AddButton("Other", 3, ButtonStyle::Check);
    for (ToolButton* t : {a, b, c}) t->Grouped = true;
    d->SetHint("An independent one");
    c->SetDown(true);
    d->SetDown(true);
    a->Click();
    EXPECT_TRUE(a->Down());
    EXPECT_FALSE(c->Down());
    EXPECT_TRUE(d->Down());  // the separator ends the group
    d->Click();
    EXPECT_FALSE(d->Down());

    char text[80] = "";
    NMTBGETINFOTIPA tip{};
    tip.hdr = {bar.Handle(), 0, static_cast<UINT>(TBN_GETINFOTIPA)};
    tip.pszText = text;
    tip.cchTextMax = sizeof text;
    tip.iItem = d->Id();
    SendMessageA(form.Handle(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&tip));
    EXPECT_STREQ(text, "An independent one");
    tip.iItem = b->Id();
    SendMessageA(form.Handle(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&tip));
    EXPECT_STREQ(text, "List");  // without a hint the caption serves
}

TEST_F(FormsTest, VirtualListShowsItsRowsAndSortsKeepingTheSelection) {
    Form form("TListTest", "List", 400, 300);
    ListView list(&form);
    list.SetAlign(Align::Client);
    list.AddColumn("Name", 100);
    list.AddColumn("Url", 100);
    list.BeginUpdate();
    for (const char* n : {"delta", "alpha", "charlie", "bravo"}) list.Add({n, {std::string("http://") + n}, 1});
    list.EndUpdate();
    EXPECT_EQ(SendMessageA(list.Handle(), LVM_GETITEMCOUNT, 0, 0), 4);
    EXPECT_EQ(list.ItemText(2, 0), "charlie");
    EXPECT_EQ(list.ItemText(2, 1), "http://charlie");

    std::vector<int> selections;
    list.OnSelectItem = [&](int i, bool sel) { if (sel) selections.push_back(i); };
    list.SetSelected(0, true);  // delta
    list.SetSelected(2, true);  // charlie
    EXPECT_EQ(selections, (std::vector<int>{0, 2}));
    list.OnCompare = [](const ListItem& a, const ListItem& b) { return a.Caption.compare(b.Caption); };
    list.CustomSort();
    EXPECT_EQ(list.ItemText(0, 0), "alpha");
    EXPECT_EQ(list.ItemText(3, 0), "delta");
    EXPECT_EQ(list.SelectedIndices(), (std::vector<int>{2, 3}));
    EXPECT_EQ(selections.size(), 2u);  // sorting raises no selection events

    for (ViewStyle v : {ViewStyle::Icon, ViewStyle::List, ViewStyle::Report}) {
        list.SetViewStyle(v);
        LONG type = GetWindowLongA(list.Handle(), GWL_STYLE) & LVS_TYPEMASK;
        EXPECT_EQ(type, v == ViewStyle::Icon ? LVS_ICON : v == ViewStyle::List ? LVS_LIST : LVS_REPORT);
        EXPECT_EQ(list.ItemText(1, 0), "bravo");
    }

    // Texts supplied by the owner, cut to the size the list asks for in both character sets.
    std::vector<std::string> owned = {"one", "a text longer than the buffer"};
    list.Clear();
    list.OnItemText = [&](const ListItem& row, int column) -> std::string_view {
        return column == 0 ? std::string_view(owned[row.Data]) : std::string_view("sub");
    };
    list.Add({"", {}, 1, 0});
    list.Add({"", {}, 1, 1});
    EXPECT_EQ(list.ItemText(0, 0), "one");
    EXPECT_EQ(list.ItemText(1, 1), "sub");
    char narrow[7];
    wchar_t wide[7];
    LVITEMA a{};
    a.pszText = narrow, a.cchTextMax = 7;
    SendMessageA(list.Handle(), LVM_GETITEMTEXTA, 1, reinterpret_cast<LPARAM>(&a));
    EXPECT_STREQ(narrow, "a text");
    LVITEMW w{};
    w.pszText = wide, w.cchTextMax = 7;
    SendMessageW(list.Handle(), LVM_GETITEMTEXTW, 1, reinterpret_cast<LPARAM>(&w));
    EXPECT_STREQ(wide, L"a text");
    list.Clear();
    EXPECT_EQ(SendMessageA(list.Handle(), LVM_GETITEMCOUNT, 0, 0), 0);
}

TEST_F(FormsTest, OutlineBuildsTheTreeAndAttachesSkippedLevelsToTheNearestAncestor) {
    Form form("TTreeTest", "Tree", 300, 300);
    TreeView tree(&form);
    tree.LoadOutline("Favorites\r\n\tNews\r\n\t\tSport\r\n\tArt\r\n\t\t\t\tOrphan\r\n\tZoo\r\n");
    TreeNode root = tree.Root();
    ASSERT_TRUE(root);
    EXPECT_EQ(root.Text(), "Favorites");
    std::vector<std::string> top;
    for (TreeNode n : root.Children()) top.push_back(n.Text());
    EXPECT_EQ(top, (std::vector<std::string>{"News", "Art", "Zoo"}));
    EXPECT_EQ(root.Children()[0].FirstChild().Text(), "Sport");
    EXPECT_EQ(root.Children()[1].FirstChild().Text(), "Orphan");
    EXPECT_EQ(tree.Count(), 6);

    std::vector<std::string> changes;
    tree.ChangeDelay = 50;
    tree.OnChange = [&](TreeNode n) { changes.push_back(n.Text()); };
    root.Children()[2].Select();
    EXPECT_TRUE(changes.empty());  // not before the delay
    PumpMessages(2000, [&] { return !changes.empty(); });
    EXPECT_EQ(changes, (std::vector<std::string>{"Zoo"}));
}

struct DialogCase {
    MsgDlgType type;
    unsigned buttons;
    std::string caption;
    std::vector<std::string> labels;
    int press;  // index of the button clicked
    int result;
};

TEST_F(FormsTest, MessageDialogShowsEveryButtonSetWithTheKindsCaption) {
    const DialogCase cases[] = {
        {MsgDlgType::Warning, mbYesNoAll, "Warning", {"&Yes", "&No", "N&o to All", "Yes to &All"}, 2, mrNoToAll},
        {MsgDlgType::Warning, mbYesNoAll, "Warning", {"&Yes", "&No", "N&o to All", "Yes to &All"}, 3, mrYesToAll},
        {MsgDlgType::Error, mbOK, "Error", {"OK"}, 0, mrOk},
        {MsgDlgType::Information, mbYesNoCancel, "Information", {"&Yes", "&No", "Cancel"}, 2, mrCancel},
        {MsgDlgType::Confirmation, mbYesNo, "Confirmation", {"&Yes", "&No"}, 1, mrNo},
    };
    for (const DialogCase& c : cases) {
        MessageForm dlg("Line one\r\nLine two", c.type, c.buttons);
        EXPECT_EQ(dlg.Caption(), c.caption);
        EXPECT_EQ(dlg.Text(), "Line one\r\nLine two");
        std::vector<std::string> labels;
        for (auto& b : dlg.Buttons()) labels.push_back(b->Caption());
        EXPECT_EQ(labels, c.labels);
        PostMessageA(dlg.Buttons()[c.press]->Handle(), BM_CLICK, 0, 0);
        EXPECT_EQ(dlg.ShowModal(), c.result) << c.caption;
        EXPECT_FALSE(dlg.Visible());
    }
}

TEST_F(FormsTest, TextPromptReturnsTheEditedTextOrRefuses) {
    for (int result : {mrOk, mrCancel}) {
        InputForm prompt("New Folder", "Name:", "old");
        prompt.Value().SetText("typed");
        PostMessageA(prompt.Handle(), WM_COMMAND, MAKEWPARAM(result, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(prompt.Handle(), result)));
        EXPECT_EQ(prompt.ShowModal(), result);
        EXPECT_EQ(prompt.Value().Text(), "typed");
    }
}

TEST_F(FormsTest, CloseRequestCanBeRefused) {
    Form form("TCloseTest", "Close", 200, 100);
    bool allow = false;
    int closed = 0;
    form.OnCloseQuery = [&](bool& can) { can = allow; };
    form.OnClose = [&](CloseAction&) { ++closed; };
    form.Show();
    SendMessageA(form.Handle(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(form.Visible());
    allow = true;
    SendMessageA(form.Handle(), WM_CLOSE, 0, 0);
    EXPECT_FALSE(form.Visible());
    EXPECT_EQ(closed, 1);
}

TEST_F(FormsTest, ExceptionsInHandlersReachTheErrorReport) {
    Form form("TErrorTest", "Errors", 200, 100);
    MainMenu menu;
    MenuItem* item = menu.Add("Fail", {}, [] { throw EOSError(ERROR_ACCESS_DENIED); });
    form.SetMenu(&menu);
    SendMessageA(form.Handle(), WM_COMMAND, item->Id(), 0);
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0], SystemErrorText(ERROR_ACCESS_DENIED));
}

TEST_F(FormsTest, RegistryReadsWritesAndDeletesUnderItsKey) {
    const std::string key = "\\SOFTWARE\\KorvaneFormsTest";
    Registry reg;
    reg.DeleteKey(key);
    EXPECT_FALSE(reg.OpenKey(key + "\\Settings", false));
    ASSERT_TRUE(reg.OpenKey(key + "\\Settings", true));
    reg.WriteInteger("Left", -12);
    reg.WriteBool("OnlyOne", true);
    reg.WriteString("LastOpenFile", "C:\\links\\a.ldb");
    EXPECT_EQ(reg.ReadInteger("Left"), -12);
    EXPECT_TRUE(reg.ReadBool("OnlyOne"));
    EXPECT_EQ(reg.ReadString("LastOpenFile"), "C:\\links\\a.ldb");
    EXPECT_FALSE(reg.ValueExists("Top"));
    EXPECT_THROW(reg.ReadInteger("Top"), ERegistryException);
    EXPECT_THROW(reg.ReadInteger("LastOpenFile"), ERegistryException);
    reg.CloseKey();
    EXPECT_TRUE(reg.KeyExists(key + "\\Settings"));
    EXPECT_TRUE(reg.DeleteKey(key));
    EXPECT_FALSE(reg.KeyExists(key));
}

TEST_F(FormsTest, TimerTicksThroughTheMessageLoopAndClipboardKeepsText) {
    Timer timer;
    int ticks = 0;
    timer.SetInterval(10);
    timer.OnTimer = [&] { if (++ticks == 2) timer.SetEnabled(false); };
    timer.SetEnabled(true);
    PumpMessages(3000, [&] { return !timer.Enabled(); });
    EXPECT_EQ(ticks, 2);

    SetClipboardText("http://example.org/a?b=c");
    EXPECT_EQ(GetClipboardText(), "http://example.org/a?b=c");
}

}  // namespace
