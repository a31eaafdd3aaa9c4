// The main window: folder tree, link list, menus, tool bars, find box, preview panel and status
// bar, with the window state kept in the registry and the hand-over from a second start.
#pragma once
#include "Dialogs.h"
#include "KvListView.h"
#include "KvStaticText.h"
#include "KvStatusBar.h"
#include "LinkStore.h"
#include "TrayIcon.h"
#include "Views.h"

#include <memory>

class TFAddItem;
class TFAbout;
class TFOptions;
class TFBrowser;

// Answers the store's questions with the form layer's prompter (the message dialog).
class TStorePrompter : public TPrompter {
public:
    explicit TStorePrompter(forms::Prompter*& prompter) : prompter_(prompter) {}
    TModalResult MessageDlgBeep(const std::string& text, TMsgDlgType kind, TMsgDlgButtons buttons) override;

private:
    forms::Prompter*& prompter_;
};

// The tree view seen as the store's folder tree.
class TTreeAdapter : public TFolderTree {
public:
    explicit TTreeAdapter(const forms::TreeView& tree) : tree_(tree) {}
    Node Root() const override;
    Node FirstChild(Node n) const override;
    Node NextSibling(Node n) const override;
    std::string NodeText(Node n) const override;

private:
    const forms::TreeView& tree_;
};

// The window's private message that opens the Add dialog after a hand-over has been received.
constexpr UINT UM_HANDOVER = WM_USER + 100;
// Puts the tray icon up once the first show is done.
constexpr UINT UM_SHOWTRAY = WM_USER + 101;

class TFMainKvKorvane : public forms::Form {
public:
    // programFolder: where "default.ldb" and "Korvane.chm" are looked for.
    explicit TFMainKvKorvane(const std::string& programFolder);
    ~TFMainKvKorvane() override;

    // ---- program state
    forms::Prompter* Prompter;  // every question of the window and the store goes through it

private:
    forms::DialogPrompter dialogPrompter_;
    TStorePrompter storePrompter_;

public:
    LinkStore Store;
    std::string FavoritesFolder;
    int CurrentItemIndex = 0;
    int SortColumn = 0;
    int PreviewHeight = 0;
    std::vector<std::string> StartArgs;  // the command line's address and description

    // The other forms (the program creates them; any may be missing in a test).
    TFAddItem* AddItem = nullptr;
    TFAbout* About = nullptr;
    TFOptions* Options = nullptr;
    TFBrowser* Browser = nullptr;

    // Outside services, replaceable by tests.
    std::function<std::string(const std::string& title, const std::string& initial)> ChooseFolderFn;
    std::function<void(const std::string& file)> ShellOpen;
    std::function<std::string()> AskSaveFileName;  // empty when cancelled

    // ---- interfaces
    void FillLinkList(const TRecordRefs& records);
    void FillLinkList() { FillLinkList(AllRecords(Store.LinkList)); }
    void BuildFolderTree();
    void UpdateCommandStates();
    void ApplyPreviewPanel();
    std::string SettingsKey() const;
    // The entry shown in row i of the list.
    const TListEntry& Entry(int row) const;
    bool CurrentEntryValid() const { return CurrentItemIndex >= 0 && CurrentItemIndex < ListLinks.Count(); }

    // ---- controls, in the order they are laid out
    forms::MainMenu MainMenu1;
    forms::PopupMenu PopupList, PopupTree, PopupTray, PopFile;
    forms::ImageList SmallImages{16, 16};
    forms::ImageList LargeImages{50, 50};
    forms::ImageList PanelImages{16, 16};
    forms::ControlBar ControlBar{this};
    forms::ToolBar ToolBar{&ControlBar, true, true};
    forms::ToolBar ToolBar2{&ControlBar, false, false};
    forms::Edit EditFind{&ToolBar2, ES_AUTOHSCROLL, 0};
    forms::ToolBar ToolBar3{&ControlBar, true, false};
    TKvStatusBar KvStatusBar{this};
    forms::ProgressBar prgbar{&KvStatusBar};
    forms::Panel Panel2{this};
    forms::Panel Panel5{&Panel2};
    TKvStaticText TreeTopText{&Panel5, "Folders", forms::StaticText::Alignment::Center};
    forms::ToolBar TreeToolBar{&TreeTopText, true, false};
    forms::TreeView TreeLinks{&Panel2, TVS_HASBUTTONS | TVS_HASLINES | TVS_SHOWSELALWAYS | TVS_EDITLABELS};
    forms::Splitter Splitter1{this, forms::Align::Left};
    forms::Panel Panel3{this};
    forms::Panel Panel6{&Panel3};
    TKvStaticText TPath{&Panel6, " Favorites\\"};
    forms::ToolBar PathToolBar{&TPath, true, false};
    forms::Panel Panel10{&Panel3};
    forms::Splitter Splitter2{&Panel3, forms::Align::Bottom};
    TKvListView ListLinks{&Panel3};
    TTrayIcon TrayIcon1;

    // tool buttons
    forms::ToolButton *BNew, *BOpen, *BSave, *BCut, *BCopy, *BPaste, *BEdit, *BAdd, *BRefresh;
    forms::ToolButton *BLargeIcons, *BList, *BReport, *BClassic, *BExplorer, *BExit;
    forms::ToolButton *ToolButton2, *ToolButton3;

    // menu items the window changes
    forms::MenuItem *MFile, *MReOpen, *MEdit, *MView, *MHelp;
    forms::MenuItem *MStatusbar, *MToolbar, *MClassic, *MExplorer, *MLargeIcons, *MList, *MDetails, *MPreview;
    forms::MenuItem *MTreeEdit, *MTreeDelete;

    // commands whose state is mirrored in menus and buttons
    forms::Action ActDelete, ActCopy, ActEdit, ActPaste, ActSave, ActBrowseNew, ActBrowseActive, ActCopyUrl;

    // ---- handlers
    void FirstShow();
    void FormCloseQuery(bool& canClose);
    void FormClose(forms::CloseAction& action);
    void TreeLinksChange(forms::TreeNode node);
    void TreeLinksChanging(forms::TreeNode node, bool& allow);
    void TreeLinksEnter();
    void TreeLinksMouseDown(forms::MouseButton button, unsigned shift, int x, int y);
    void ListLinksSelectItem(int index, bool selected);
    void ListLinksMouseDown(forms::MouseButton button, unsigned shift, int x, int y);
    void ListLinksKeyUp(WORD& key, unsigned shift);
    void ListLinksEnter();
    void ListLinksExit();
    void ListLinksColumnClick(int column);
    void EditFindEnter();
    void EditFindExit();
    void EditFindChange();
    void ViewStyleClick(bool classic);
    void ViewModeClick(forms::ViewStyle view);
    void StatusbarClick();
    void ToolbarClick();
    void RefreshClick();
    void PreviewClick();
    void Splitter2Moved();
    void TreePanelClick();
    void SelectAllClick();
    void HelpClick();
    void AboutClick();
    void SettingsClick();
    void ExitClick() { Close(); }
    void TrayRestoreClick();
    void FileSave();
    // The hand-over text of a second start; false when the block is malformed.
    bool HandOverReceived(const COPYDATASTRUCT* data);
    void ShowHandOver();

    std::string ClickedNodeText() const { return clickedNode_ ? clickedNode_.Text() : ""; }
    bool FindResultShown() const { return findShown_; }
    bool IsShortCut(WORD key, unsigned shift) override;
    LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    void BuildImages();
    void BuildMenus();
    void BuildToolBars();
    void BuildLayout();
    void SelectFolderFromTree(bool selectionChanged);
    void FollowFolderInTree();
    void ShowPreviewPanel();
    void SaveWindowState();
    int HalfListHeight() const;

    std::string programFolder_;
    TListing shown_;
    bool findShown_ = false;
    bool shownOnce_ = false;
    forms::TreeNode clickedNode_;
    std::vector<std::string> handOver_;
    std::unique_ptr<TTreeAdapter> treeAdapter_;
};

extern TFMainKvKorvane* FMainKvKorvane;
