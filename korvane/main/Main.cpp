// The main window TFMainKvKorvane.
#include "Main.h"

#include "About.h"
#include "AddItem.h"
#include "Browser.h"
#include "Favorites.h"
#include "Options.h"
#include "Paths.h"
#include "Platform.h"
#include "System.h"

#include <shellapi.h>
#include <commdlg.h>

#include <cmath>

TFMainKvKorvane* FMainKvKorvane = nullptr;

using namespace forms;

namespace {

const COLORREF kFindFocusColor = 16769732;  // light blue
const COLORREF kWhite = RGB(255, 255, 255);
const int kHeaderHeight = 22;

bool FileExists(const std::string& path) {
    DWORD a = GetFileAttributesA(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

std::string NameOfFile(const std::string& path) {
    size_t p = path.find_last_of("\\/:");
    return p == std::string::npos ? path : path.substr(p + 1);
}

// Half of n rounded to the nearest whole number, halves to the even one.
int HalfRoundedToEven(int n) {
    int half = n / 2;
    if (n % 2 != 0 && half % 2 != 0) ++half;
    return half;
}

// ---- pictures (their looks are free; their positions are fixed)

void Fill(HDC dc, int l, int t, int r, int b, COLORREF c) {
    RECT rc{l, t, r, b};
    HBRUSH br = CreateSolidBrush(c);
    FillRect(dc, &rc, br);
    DeleteObject(br);
}

void DrawFolder(HDC dc, int w, int h, COLORREF body, bool open) {
    int u = w / 16 ? w / 16 : 1;
    Fill(dc, 1 * u, 3 * u, 7 * u, 5 * u, RGB(200, 160, 40));
    Fill(dc, 1 * u, 4 * u, 15 * u, 14 * u, RGB(160, 120, 20));
    Fill(dc, 2 * u, 5 * u, 14 * u, 13 * u, body);
    if (open) Fill(dc, 3 * u, 8 * u, 15 * u, 13 * u, RGB(255, 235, 150));
    (void)h;
}

void DrawLink(HDC dc, int w, int h) {
    int u = w / 16 ? w / 16 : 1;
    Fill(dc, 3 * u, 1 * u, 13 * u, 15 * u, RGB(100, 100, 100));
    Fill(dc, 4 * u, 2 * u, 12 * u, 14 * u, RGB(255, 255, 255));
    HBRUSH br = CreateSolidBrush(RGB(30, 110, 210));
    HGDIOBJ old = SelectObject(dc, br);
    HGDIOBJ oldPen = SelectObject(dc, GetStockObject(NULL_PEN));
    Ellipse(dc, 5 * u, 5 * u, 12 * u, 12 * u);
    SelectObject(dc, oldPen);
    SelectObject(dc, old);
    DeleteObject(br);
    Fill(dc, 8 * u, 5 * u, 9 * u, 12 * u, RGB(140, 200, 255));
    Fill(dc, 5 * u, 8 * u, 12 * u, 9 * u, RGB(140, 200, 255));
    (void)h;
}

void DrawPolygon(HDC dc, const POINT (&pts)[3], COLORREF c) {
    HBRUSH br = CreateSolidBrush(c);
    HGDIOBJ old = SelectObject(dc, br);
    HGDIOBJ oldPen = SelectObject(dc, GetStockObject(NULL_PEN));
    Polygon(dc, pts, 3);
    SelectObject(dc, oldPen);
    SelectObject(dc, old);
    DeleteObject(br);
}

void DrawTriangle(HDC dc, int w, int h, bool up, COLORREF c) {
    if (up) DrawPolygon(dc, {{w / 2, h / 4}, {w / 4, h * 3 / 4}, {w * 3 / 4, h * 3 / 4}}, c);
    else DrawPolygon(dc, {{w / 4, h / 4}, {w * 3 / 4, h / 4}, {w / 2, h * 3 / 4}}, c);
}

void DrawSideTriangle(HDC dc, int w, int h, bool left) {
    if (left) DrawPolygon(dc, {{w / 4, h / 2}, {w * 3 / 4, h / 4}, {w * 3 / 4, h * 3 / 4}}, RGB(60, 60, 60));
    else DrawPolygon(dc, {{w * 3 / 4, h / 2}, {w / 4, h / 4}, {w / 4, h * 3 / 4}}, RGB(60, 60, 60));
}

}  // namespace

// ---- TStorePrompter, TTreeAdapter

TModalResult TStorePrompter::MessageDlgBeep(const std::string& text, TMsgDlgType kind, TMsgDlgButtons buttons) {
    MsgDlgType type = kind == TMsgDlgType::Warning       ? MsgDlgType::Warning
                      : kind == TMsgDlgType::Error       ? MsgDlgType::Error
                      : kind == TMsgDlgType::Information ? MsgDlgType::Information
                                                         : MsgDlgType::Confirmation;
    unsigned set = buttons == TMsgDlgButtons::OK            ? mbOK
                   : buttons == TMsgDlgButtons::YesNo       ? mbYesNo
                   : buttons == TMsgDlgButtons::YesNoCancel ? mbYesNoCancel
                                                            : mbYesNoAll;
    switch (prompter_->Ask(text, type, set, true)) {
    case mrOk: return TModalResult::OK;
    case mrCancel: return TModalResult::Cancel;
    case mrYes: return TModalResult::Yes;
    case mrNo: return TModalResult::No;
    case mrNoToAll: return TModalResult::NoToAll;
    case mrYesToAll: return TModalResult::YesToAll;
    default: return TModalResult::None;
    }
}

TFolderTree::Node TTreeAdapter::Root() const { return tree_.Root().Handle(); }

TFolderTree::Node TTreeAdapter::FirstChild(Node n) const {
    return TreeNode(&tree_, static_cast<HTREEITEM>(const_cast<void*>(n))).FirstChild().Handle();
}

TFolderTree::Node TTreeAdapter::NextSibling(Node n) const {
    return TreeNode(&tree_, static_cast<HTREEITEM>(const_cast<void*>(n))).NextSibling().Handle();
}

std::string TTreeAdapter::NodeText(Node n) const {
    return TreeNode(&tree_, static_cast<HTREEITEM>(const_cast<void*>(n))).Text();
}

// ---- creation

TFMainKvKorvane::TFMainKvKorvane(const std::string& programFolder)
    : Form("TFMainKvKorvane", "Korvane", 696, 510),
      Prompter(&dialogPrompter_),
      storePrompter_(Prompter),
      Store(storePrompter_),
      programFolder_(programFolder) {
    Application::Instance().SetMainForm(this);
    treeAdapter_ = std::make_unique<TTreeAdapter>(TreeLinks);
    ChooseFolderFn = [](const std::string& title, const std::string& initial) { return ChooseFolder(title, initial); };
    ShellOpen = [this](const std::string& file) {
        ShellExecuteA(hwnd_, "open", file.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    };
    AskSaveFileName = [this]() -> std::string {
        char name[MAX_PATH] = "";
        OPENFILENAMEA ofn{};
        ofn.lStructSize = sizeof(ofn);
        ofn.hwndOwner = hwnd_;
        ofn.lpstrFilter = "Link files (*.ldb)\0*.ldb\0All Files(*.*)\0*.*\0";
        ofn.lpstrFile = name;
        ofn.nMaxFile = MAX_PATH;
        ofn.lpstrDefExt = "ldb";
        ofn.Flags = OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY;
        return GetSaveFileNameA(&ofn) ? name : "";
    };

    BuildImages();
    BuildMenus();
    BuildToolBars();
    BuildLayout();

    Store.OnUpdateCommandStates = [this] { UpdateCommandStates(); };
    FavoritesFolder = GetFavoritesFolderPath();
    Store.SetCurrentFolder(RootFolder);
    Store.Modified = false;

    OnShow = [this] {
        if (shownOnce_) return;
        shownOnce_ = true;
        FirstShow();
    };
    OnCloseQuery = [this](bool& can) { FormCloseQuery(can); };
    OnClose = [this](CloseAction& a) { FormClose(a); };
    OnActivate = [this] {
        if (IsIconic(hwnd_)) ShowWindow(hwnd_, SW_RESTORE);
    };
    SetMinMax([](MINMAXINFO& mm) {
        RECT wa{};
        SystemParametersInfoA(SPI_GETWORKAREA, 0, &wa, 0);
        mm.ptMaxSize = {wa.right - wa.left, wa.bottom - wa.top};
        mm.ptMaxTrackSize = mm.ptMaxSize;
        mm.ptMaxPosition = {0, 0};
    });

    TrayIcon1.SetHint("Korvane");
    TrayIcon1.PopupMenu = &PopupTray;
    TrayIcon1.SetSeparateIcon(true);
    TrayIcon1.OnClick = [this] { TrayRestoreClick(); };
    UpdateCommandStates();
}

TFMainKvKorvane::~TFMainKvKorvane() {
    Application& app = Application::Instance();
    app.OnActiveFormChange = nullptr;
    if (app.MainForm() == this) app.SetMainForm(nullptr);
    if (FMainKvKorvane == this) FMainKvKorvane = nullptr;
}

std::string TFMainKvKorvane::SettingsKey() const {
    return "\\SOFTWARE\\" + Application::Instance().Title() + "\\Settings";
}

void TFMainKvKorvane::BuildImages() {
    // small: 0 folder, 1 link, 2 root, 3 ascending arrow, 4 descending arrow, 5 open folder
    SmallImages.AddDrawn([](HDC dc, int w, int h) { DrawFolder(dc, w, h, RGB(250, 210, 80), false); });
    SmallImages.AddDrawn([](HDC dc, int w, int h) { DrawLink(dc, w, h); });
    SmallImages.AddDrawn([](HDC dc, int w, int h) {
        DrawFolder(dc, w, h, RGB(250, 210, 80), false);
        DrawTriangle(dc, w, h, true, RGB(200, 40, 40));
    });
    SmallImages.AddDrawn([](HDC dc, int w, int h) { DrawTriangle(dc, w, h, true, RGB(90, 90, 90)); });
    SmallImages.AddDrawn([](HDC dc, int w, int h) { DrawTriangle(dc, w, h, false, RGB(90, 90, 90)); });
    SmallImages.AddDrawn([](HDC dc, int w, int h) { DrawFolder(dc, w, h, RGB(250, 210, 80), true); });
    LargeImages.AddDrawn([](HDC dc, int w, int h) { DrawFolder(dc, w, h, RGB(250, 210, 80), false); });
    LargeImages.AddDrawn([](HDC dc, int w, int h) { DrawLink(dc, w, h); });
    // panel buttons: 0 hide tree, 1 show tree, 2 show preview, 3 hide preview
    PanelImages.AddDrawn([](HDC dc, int w, int h) { DrawSideTriangle(dc, w, h, true); });
    PanelImages.AddDrawn([](HDC dc, int w, int h) { DrawSideTriangle(dc, w, h, false); });
    PanelImages.AddDrawn([](HDC dc, int w, int h) { DrawTriangle(dc, w, h, true, RGB(60, 60, 60)); });
    PanelImages.AddDrawn([](HDC dc, int w, int h) { DrawTriangle(dc, w, h, false, RGB(60, 60, 60)); });
}

void TFMainKvKorvane::BuildMenus() {
    MFile = MainMenu1.Add("&File");
    MFile->Add("&New", Ctrl('N'));
    MFile->Add("&Open");
    MReOpen = MFile->Add("&ReOpen");
    MReOpen->SetEnabled(false);
    MFile->Add("&Save", Ctrl('S'))->SetAction(&ActSave);
    MFile->Add("Save &as");
    MFile->AddSeparator();
    MenuItem* import = MFile->Add("&Import");
    import->Add("Favorites Links from Internet Explorer");
    import->Add("Favorites Links from Netscape")->SetEnabled(false);
    MFile->Add("&Export")->SetEnabled(false);
    MFile->AddSeparator();
    MFile->Add("E&xit", Ctrl('X'), [this] { ExitClick(); });

    MEdit = MainMenu1.Add("&Edit");
    MEdit->Add("&Edit", Key(VK_F4))->SetAction(&ActEdit);
    MEdit->AddSeparator();
    MEdit->Add("&Delete", Ctrl('X'))->SetAction(&ActDelete);
    MEdit->Add("&Copy", Ctrl('C'))->SetAction(&ActCopy);
    MEdit->Add("&Paste", Ctrl('V'))->SetAction(&ActPaste);
    MEdit->Add("Select &All", Ctrl('A'), [this] { SelectAllClick(); });
    MEdit->AddSeparator();
    MEdit->Add("&Settings", {}, [this] { SettingsClick(); });

    MView = MainMenu1.Add("&View");
    MStatusbar = MView->Add("&Statusbar", {}, [this] { StatusbarClick(); });
    MStatusbar->SetChecked(true);
    MToolbar = MView->Add("&Toolbar", {}, [this] { ToolbarClick(); });
    MToolbar->SetChecked(true);
    MView->AddSeparator();
    MClassic = MView->Add("&Classic Style", {}, [this] { ViewStyleClick(true); });
    MExplorer = MView->Add("&Explorer Style", {}, [this] { ViewStyleClick(false); });
    for (MenuItem* m : {MClassic, MExplorer}) m->RadioItem = true, m->GroupIndex = 1;
    MExplorer->SetChecked(true);
    MView->AddSeparator();
    MLargeIcons = MView->Add("Lar&ge Icons", {}, [this] { ViewModeClick(ViewStyle::Icon); });
    MList = MView->Add("&List", {}, [this] { ViewModeClick(ViewStyle::List); });
    MDetails = MView->Add("&Details", {}, [this] { ViewModeClick(ViewStyle::Report); });
    for (MenuItem* m : {MLargeIcons, MList, MDetails}) m->RadioItem = true, m->GroupIndex = 2;
    MDetails->SetChecked(true);
    MView->AddSeparator();
    MPreview = MView->Add("&Preview", {}, [this] { PreviewClick(); });
    MView->AddSeparator();
    MView->Add("&Refresh", {}, [this] { RefreshClick(); });

    MHelp = MainMenu1.Add("&Help");
    MHelp->Add("&Help", {}, [this] { HelpClick(); });
    MHelp->AddSeparator();
    MHelp->Add("&About...", {}, [this] { AboutClick(); });

    PopupList.Add("Browse in new window")->SetAction(&ActBrowseNew);
    PopupList.Add("Browse in active window")->SetAction(&ActBrowseActive);
    PopupList.Items().AddSeparator();
    PopupList.Add("New Folder", Key(VK_F7));
    PopupList.Items().AddSeparator();
    PopupList.Add("Edit", Ctrl('E'))->SetAction(&ActEdit);
    PopupList.Items().AddSeparator();
    PopupList.Add("Delete", Ctrl('X'))->SetAction(&ActDelete);
    PopupList.Add("Copy", Ctrl('C'))->SetAction(&ActCopy);
    PopupList.Add("Paste", Ctrl('V'))->SetAction(&ActPaste);
    PopupList.Items().AddSeparator();
    PopupList.Add("Copy URL", Ctrl('U'))->SetAction(&ActCopyUrl);
    PopupList.Items().AddSeparator();
    PopupList.Add("Select All", Ctrl('A'), [this] { SelectAllClick(); });

    PopupTree.Add("New Folder", Key(VK_F7));
    MTreeEdit = PopupTree.Add("Edit", Key(VK_F4));
    PopupTree.Items().AddSeparator();
    MTreeDelete = PopupTree.Add("Delete", Ctrl('X'));
    PopupTree.OnPopup = [this] { UpdateCommandStates(); };

    PopupTray.Add("Restore", {}, [this] { TrayRestoreClick(); });
    PopupTray.Items().AddSeparator();
    PopupTray.Add("Exit", {}, [this] { ExitClick(); });

    ActSave.OnExecute = [this] { FileSave(); };
    SetMenu(&MainMenu1);
}

void TFMainKvKorvane::BuildToolBars() {
    int std = ToolBar.LoadStandardImages(IDB_STD_SMALL_COLOR);
    BNew = ToolBar.AddButton("New", std + STD_FILENEW);
    BOpen = ToolBar.AddButton("Open", std + STD_FILEOPEN, ButtonStyle::DropDown);
    BOpen->DropdownMenu = &PopFile;
    BSave = ToolBar.AddButton("Save", std + STD_FILESAVE);
    BSave->SetAction(&ActSave);
    ToolBar.AddSeparator();
    BCut = ToolBar.AddButton("", std + STD_CUT);
    BCut->SetHint("Delete an item or a group of selected items");
    BCut->SetAction(&ActDelete);
    BCopy = ToolBar.AddButton("", std + STD_COPY);
    BCopy->SetHint("Copy an item or a group of selected items");
    BCopy->SetAction(&ActCopy);
    BPaste = ToolBar.AddButton("", std + STD_PASTE);
    BPaste->SetHint("Paste an item or a group of selected items");
    BPaste->SetAction(&ActPaste);
    ToolBar.AddSeparator();
    BEdit = ToolBar.AddButton("", std + STD_PROPERTIES);
    BEdit->SetHint("Edit current URL or folder");
    BEdit->SetAction(&ActEdit);
    BAdd = ToolBar.AddButton("", std + STD_FILENEW);
    BAdd->SetHint("Add a new URL");
    BRefresh = ToolBar.AddButton("Refresh", std + STD_REDOW, ButtonStyle::Button, [this] { RefreshClick(); });

    EditFind.SetHint("Find");
    SetWindowLongA(EditFind.Handle(), GWL_STYLE, GetWindowLongA(EditFind.Handle(), GWL_STYLE) | WS_BORDER);
    EditFind.SetColor(kWhite);
    ToolBar2.AddControl(&EditFind, 150);
    EditFind.OnEnter = [this] { EditFindEnter(); };
    EditFind.OnExit = [this] { EditFindExit(); };
    EditFind.OnChange = [this] { EditFindChange(); };

    int view = ToolBar3.LoadStandardImages(IDB_VIEW_SMALL_COLOR);
    int std3 = ToolBar3.LoadStandardImages(IDB_STD_SMALL_COLOR);
    BLargeIcons = ToolBar3.AddButton("Large icons", view + VIEW_LARGEICONS, ButtonStyle::Check,
                                     [this] { ViewModeClick(ViewStyle::Icon); });
    BList = ToolBar3.AddButton("List", view + VIEW_LIST, ButtonStyle::Check, [this] { ViewModeClick(ViewStyle::List); });
    BReport = ToolBar3.AddButton("Report", view + VIEW_DETAILS, ButtonStyle::Check,
                                 [this] { ViewModeClick(ViewStyle::Report); });
    ToolBar3.AddSeparator();
    BClassic = ToolBar3.AddButton("Classic style", view + VIEW_SORTNAME, ButtonStyle::Check,
                                  [this] { ViewStyleClick(true); });
    BExplorer = ToolBar3.AddButton("Explorer style", view + VIEW_PARENTFOLDER, ButtonStyle::Check,
                                   [this] { ViewStyleClick(false); });
    ToolBar3.AddSeparator();
    BExit = ToolBar3.AddButton("Exit", std3 + STD_DELETE, ButtonStyle::Button, [this] { ExitClick(); });
    for (ToolButton* b : {BLargeIcons, BList, BReport, BClassic, BExplorer}) b->Grouped = true;
    BReport->SetDown(true);
    BExplorer->SetDown(true);
    ControlBar.Arrange();
}

void TFMainKvKorvane::BuildLayout() {
    KvStatusBar.SetPanels({201, 50});
    KvStatusBar.PlaceOver(prgbar, 0);
    prgbar.SetRange(0, 100);
    KvStatusBar.OnResize = [this] { KvStatusBar.PlaceOver(prgbar, 0); };

    Panel2.SetWidth(201);
    Panel2.BevelOuter = Bevel::None;
    Panel2.SetAlign(Align::Left);
    Panel5.SetHeight(kHeaderHeight);
    Panel5.SetAlign(Align::Top);
    TreeTopText.SetAlign(Align::Client);
    TreeToolBar.SetImages(&PanelImages);
    ToolButton2 = TreeToolBar.AddButton("", 0, ButtonStyle::Button, [this] { TreePanelClick(); });
    ToolButton2->SetHint("Hide/Show treeview panel");
    TreeToolBar.SetWidth(TreeToolBar.IdealSize().cx);
    TreeToolBar.SetHeight(kHeaderHeight - 2);
    TreeToolBar.SetAlign(Align::Right);
    TreeLinks.SetAlign(Align::Client);
    TreeLinks.SetIndent(19);
    TreeLinks.SortByText = true;
    TreeLinks.ChangeDelay = 50;
    TreeLinks.SetImages(&SmallImages);
    TreeLinks.SetPopupMenu(&PopupTree);
    TreeLinks.OnChange = [this](TreeNode n) { TreeLinksChange(n); };
    TreeLinks.OnChanging = [this](TreeNode n, bool& allow) { TreeLinksChanging(n, allow); };
    TreeLinks.OnEnter = [this] { TreeLinksEnter(); };
    TreeLinks.OnMouseDown = [this](MouseButton b, unsigned s, int x, int y) { TreeLinksMouseDown(b, s, x, y); };
    TreeLinks.OnEditing = [this](TreeNode n, bool& allow) { allow = n != TreeLinks.Root(); };
    TreeLinks.OnEdited = [this](TreeNode n, std::string& text) {
        std::string old = n.Text();
        if (Store.RenameCurrentFolder(old, text)) {
            TPath.SetCaption(" " + Store.CurrentFolder());
            FillLinkList();
        } else {
            text = old;
        }
    };

    Splitter1.MinSize = 30;
    Panel3.BevelOuter = Bevel::None;
    Panel3.SetAlign(Align::Client);
    Panel6.SetHeight(kHeaderHeight);
    Panel6.SetAlign(Align::Top);
    TPath.SetAlign(Align::Client);
    PathToolBar.SetImages(&PanelImages);
    ToolButton3 = PathToolBar.AddButton("", 2, ButtonStyle::Button, [this] { PreviewClick(); });
    ToolButton3->SetHint("Show/Hide preview browser");
    PathToolBar.SetWidth(PathToolBar.IdealSize().cx);
    PathToolBar.SetHeight(kHeaderHeight - 2);
    PathToolBar.SetAlign(Align::Right);

    Panel10.SetHeight(107);
    Panel10.BevelOuter = Bevel::None;
    Panel10.SetAlign(Align::Bottom);
    Panel10.SetVisible(false);
    Splitter2.SetVisible(false);
    Splitter2.OnMoved = [this] { Splitter2Moved(); };

    ListLinks.SetAlign(Align::Client);
    ListLinks.MinHeight = 50;
    SendMessageA(ListLinks.Handle(), LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT,
                 LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
    ListLinks.AddColumn("Description", 300);
    ListLinks.AddColumn("URL", 200);
    ListLinks.AddColumn("Date", 70);
    ListLinks.AddColumn("Type", 45);
    ListLinks.AddColumn("Path", 300);
    ListLinks.SetSmallImages(&SmallImages);
    ListLinks.SetLargeImages(&LargeImages);
    ListLinks.ColumnImageIndexUp = 4;
    ListLinks.ColumnImageIndexDown = 3;
    ListLinks.SortDirection = sdAscending;
    ListLinks.SetPopupMenu(&PopupList);
    ListLinks.OnSelectItem = [this](int i, bool s) { ListLinksSelectItem(i, s); };
    ListLinks.OnMouseDown = [this](MouseButton b, unsigned s, int x, int y) { ListLinksMouseDown(b, s, x, y); };
    ListLinks.OnClick = [this] { FollowFolderInTree(); };
    ListLinks.OnKeyUp = [this](WORD& k, unsigned s) { ListLinksKeyUp(k, s); };
    ListLinks.OnEnter = [this] { ListLinksEnter(); };
    ListLinks.OnExit = [this] { ListLinksExit(); };
    ListLinks.OnColumnClick = [this](int c) { ListLinksColumnClick(c); };
    ListLinks.OnItemText = [this](const ListItem& row, int column) -> std::string_view {
        const TListEntry& e = shown_[row.Data];
        switch (column) {
        case 0: return e.Name;
        case 1: return e.Url;
        case 2: return e.Date;
        case 3: return e.ItemType;
        case 4: return e.Path;
        default: return {};
        }
    };
    Realign();
}

// ---- first show and close

void TFMainKvKorvane::FirstShow() {
    std::string candidate = programFolder_ + "\\default.ldb";
    RECT wa{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &wa, 0);
    int left = 0, top = 0, height = wa.bottom - wa.top, width = wa.right - wa.left;
    {
        Registry reg;
        if (reg.OpenKey(SettingsKey(), true)) {
            if (reg.ValueExists("LastOpenFile")) candidate = reg.ReadString("LastOpenFile");
            if (reg.ValueExists("Left")) left = reg.ReadInteger("Left");
            if (reg.ValueExists("Top")) top = reg.ReadInteger("Top");
            if (reg.ValueExists("Height")) height = reg.ReadInteger("Height");
            if (reg.ValueExists("Width")) width = reg.ReadInteger("Width");
        }
    }
    SetBounds(left, top, width, height);

    if (FileExists(candidate)) {
        bool complete = true;
        try {
            Store.LoadLinkFile(candidate);
        } catch (const std::exception& e) {
            // Shown once; the window goes on with the records read so far, untitled, so that a
            // save cannot overwrite the unreadable file with part of its contents.
            complete = false;
            Application::Instance().HandleException(e);
        }
        FillLinkList();
        BuildFolderTree();
        if (complete) {
            SetCaption("Korvane - " + NameOfFile(candidate));
            Store.CurrentFileName = candidate;
        } else {
            SetCaption("Korvane - untitled.ldb");
            Store.CurrentFileName.clear();
        }
    } else {
        int answer = Prompter->Ask("Do you want to import favorites links from Internet Explorer ?",
                                   MsgDlgType::Information, mbYesNo, false);
        if (answer == mrYes) {
            Store.Modified = false;
            std::string chosen = ChooseFolderFn("Choose favorites folder:", FavoritesFolder);
            if (!chosen.empty()) {
                FavoritesFolder = chosen;
                ScanFavoritesFolder(Store.LinkList, FavoritesFolder);
                Store.Modified = true;
            }
        }
        Store.SetCurrentFolder(RootFolder);
        FillLinkList();
        BuildFolderTree();
        UpdateCommandStates();
        SetCaption("Korvane - untitled.ldb");
        Store.CurrentFileName.clear();
    }

    Application::Instance().OnActiveFormChange = [this] { UpdateCommandStates(); };
    // After the window has appeared, so that a shell without a notification area reports its
    // error over a visible window.
    PostMessageA(hwnd_, UM_SHOWTRAY, 0, 0);
    if (!StartArgs.empty()) {
        handOver_ = {StartArgs[0], StartArgs.size() > 1 ? StartArgs[1] : ""};
        PostMessageA(hwnd_, UM_HANDOVER, 0, 0);
    }
    if (Browser) {
        Browser->DockInto(Panel10, Align::Left);
        Browser->SetVisible(true);
    }
    if (TreeNode root = TreeLinks.Root()) root.Select();
    ListLinks.SetFocus();
}

void TFMainKvKorvane::FormCloseQuery(bool& canClose) {
    if (!Store.Modified) return;
    int answer = Prompter->Ask("Save the new modification ?", MsgDlgType::Information, mbYesNoCancel, true);
    if (answer == mrCancel || answer == mrNone) {
        canClose = false;
        return;
    }
    if (answer == mrYes) FileSave();
}

void TFMainKvKorvane::FormClose(CloseAction&) {
    Application::Instance().OnActiveFormChange = nullptr;
    ListLinks.Clear();
    shown_.clear();
    Store.LinkList.Clear();
    Store.CopyBuffer.clear();
    Store.CopyNames.clear();
    Store.DragBuffer.clear();
    Store.DragNames.clear();
    SaveWindowState();
}

void TFMainKvKorvane::SaveWindowState() {
    Registry reg;
    if (!reg.KeyExists("\\SOFTWARE\\" + Application::Instance().Title())) return;
    if (!reg.OpenKey(SettingsKey(), true)) return;
    if (!Store.CurrentFileName.empty()) reg.WriteString("LastOpenFile", Store.CurrentFileName);
    RECT r = Bounds();
    reg.WriteInteger("Left", r.left);
    reg.WriteInteger("Top", r.top);
    reg.WriteInteger("Height", r.bottom - r.top);
    reg.WriteInteger("Width", r.right - r.left);
}

void TFMainKvKorvane::FileSave() {
    std::string name = Store.CurrentFileName;
    if (name.empty()) {
        name = AskSaveFileName();
        if (name.empty()) return;
    }
    Store.SaveLinkFile(name);
    if (Store.CurrentFileName != name) {
        Store.CurrentFileName = name;
        SetCaption("Korvane - " + NameOfFile(name));
        Registry reg;
        if (reg.OpenKey(SettingsKey(), true)) reg.WriteString("LastOpenFile", name);
    }
    UpdateCommandStates();
}

// ---- filling

const TListEntry& TFMainKvKorvane::Entry(int row) const { return shown_[ListLinks.Item(row).Data]; }

void TFMainKvKorvane::FillLinkList(const TRecordRefs& records) {
    ListLinks.BeginUpdate();
    prgbar.SetRange(0, Store.LinkList.Count());
    prgbar.SetStep(1);
    ListLinks.Clear();
    bool finding = EditFind.Focused() && EditFind.Text().size() > 2;
    bool subtree = MClassic->Checked() || finding;
    findShown_ = finding;
    shown_ = subtree ? ListSubtree(records, Store.CurrentFolder()) : ListFolder(records, Store.CurrentFolder());
    prgbar.SetPosition(static_cast<int>(records.size()));
    for (size_t i = 0; i < shown_.size(); ++i)  // the texts come from shown_ through OnItemText
        ListLinks.Add(ListItem{{}, {}, shown_[i].IsFolder() ? 0 : 1, static_cast<int>(i)});
    prgbar.SetPosition(0);
    ListLinks.EndUpdate();
}

void TFMainKvKorvane::BuildFolderTree() {
    TreeLinks.BeginUpdate();
    TreeLinks.Clear();
    bool sorted = TreeLinks.SortByText;
    TreeLinks.SortByText = false;  // placed in outline order, sorted once below
    std::vector<TOutlineLine> lines = ReadOutline(Store.FolderOutline());
    std::vector<TreeNode> nodes;
    nodes.reserve(lines.size());
    for (const TOutlineLine& line : lines)
        nodes.push_back(TreeLinks.Add(line.Parent >= 0 ? nodes[line.Parent] : TreeNode(), line.Text));
    TreeLinks.SortByText = sorted;
    TreeNode root = TreeLinks.Root();
    if (root) {
        if (sorted) SendMessageA(TreeLinks.Handle(), TVM_SORTCHILDREN, TRUE, reinterpret_cast<LPARAM>(root.Handle()));
        // Only the root's children show. The nodes were just created collapsed, so
        // expanding the root is all it takes; a full expand and collapse walk costs
        // a third of a second on 1,000 folders.
        root.Expand(false);
        root.SetImageIndex(2);
        root.SetSelectedIndex(2);
        root.SetStateIndex(-1);
        root.Select();
    }
    TreeLinks.EndUpdate();
}

// ---- command states

void TFMainKvKorvane::UpdateCommandStates() {
    bool itemChosen = ListLinks.Count() > 0 && ListLinks.Focused() && CurrentEntryValid() &&
                      Entry(CurrentItemIndex).Name != "..";
    bool linkChosen = itemChosen && Entry(CurrentItemIndex).ItemType == UrlType;
    ActDelete.SetEnabled(itemChosen);
    ActCopy.SetEnabled(itemChosen);
    ActEdit.SetEnabled(itemChosen);
    ActPaste.SetEnabled(!Store.CopyBuffer.empty());
    ActSave.SetEnabled(Store.Modified);
    ActBrowseNew.SetEnabled(linkChosen);
    ActBrowseActive.SetEnabled(linkChosen);
    ActCopyUrl.SetEnabled(linkChosen);
    TreeNode sel = TreeLinks.Selected();
    bool notRoot = sel && sel != TreeLinks.Root();
    MTreeEdit->SetEnabled(notRoot);
    MTreeDelete->SetEnabled(notRoot);
}

// ---- tree

void TFMainKvKorvane::SelectFolderFromTree(bool selectionChanged) {
    TreeNode node = TreeLinks.Selected();
    if (!node) return;
    if (selectionChanged) CurrentItemIndex = 0;
    std::string sub;
    for (TreeNode n = node; n && n.Parent(); n = n.Parent()) sub = n.Text() + "\\" + sub;
    Store.SetCurrentFolder(RootFolder + sub);
    TPath.SetCaption(" " + Store.CurrentFolder());
    FillLinkList();
}

void TFMainKvKorvane::TreeLinksChange(TreeNode) {
    if (TreeLinks.Focused()) SelectFolderFromTree(true);
}

void TFMainKvKorvane::TreeLinksChanging(TreeNode node, bool&) {
    if (node && node != TreeLinks.Root() && TreeLinks.Focused()) node.SetSelectedIndex(5);
}

void TFMainKvKorvane::TreeLinksEnter() { SelectFolderFromTree(false); }

void TFMainKvKorvane::TreeLinksMouseDown(MouseButton, unsigned, int x, int y) {
    TreeNode node = TreeLinks.NodeAt(x, y);
    if (!node) return;
    node.Select();
    clickedNode_ = node;
    if (node == TreeLinks.Root()) {
        Store.SetCurrentFolder(RootFolder);
        TPath.SetCaption(std::string(" ") + RootFolder);
    }
}

// ---- list

void TFMainKvKorvane::ListLinksSelectItem(int index, bool selected) {
    if (!selected) return;
    CurrentItemIndex = index;
    if ((MClassic->Checked() || findShown_) && CurrentEntryValid())
        TPath.SetCaption(Concat(" ", Entry(CurrentItemIndex).Path));
    UpdateCommandStates();
}

void TFMainKvKorvane::ListLinksMouseDown(MouseButton, unsigned, int x, int y) {
    int i = ListLinks.ItemAt(x, y);
    if (i >= 0 && i == ListLinks.FocusedIndex()) CurrentItemIndex = i;
}

void TFMainKvKorvane::ListLinksKeyUp(WORD&, unsigned) { FollowFolderInTree(); }

void TFMainKvKorvane::FollowFolderInTree() {
    if (!CurrentEntryValid() || !Entry(CurrentItemIndex).IsFolder()) return;
    auto node = FindFolderNode(*treeAdapter_, Concat(Store.CurrentFolder(), Entry(CurrentItemIndex).Name, "\\"));
    if (node) TreeNode(&TreeLinks, static_cast<HTREEITEM>(const_cast<void*>(node))).Select();
}

void TFMainKvKorvane::ListLinksEnter() {
    int count = ListLinks.Count();
    if (count > 0) {
        int sel = ListLinks.SelectedIndex();
        int next = sel < 0 ? 0 : std::min(sel + 1, count - 1);
        ListLinks.SetSelected(-1, false);
        ListLinks.SetSelected(next, true);
        ListLinks.SetFocused(next);
    }
    UpdateCommandStates();
}

void TFMainKvKorvane::ListLinksExit() { UpdateCommandStates(); }

void TFMainKvKorvane::ListLinksColumnClick(int column) {
    SortColumn = column;
    bool descending = ListLinks.SortDirection == sdDescending;
    TEntryOrder order(shown_, column, descending);
    ListLinks.OnCompare = [this, &order](const ListItem& a, const ListItem& b) {
        // Folder entries keep their listed order above the links (the sort is stable).
        if (shown_[a.Data].IsFolder() && shown_[b.Data].IsFolder()) return 0;
        return order.Compare(a.Data, b.Data);
    };
    // The keys belong to this listing: the comparison goes with the sort, even when the sort throws.
    struct ClearCompare {
        ListView& List;
        ~ClearCompare() { List.OnCompare = nullptr; }
    } clear{ListLinks};
    ListLinks.CustomSort();
}

void TFMainKvKorvane::SelectAllClick() { ListLinks.SelectAll(); }

// ---- find box

void TFMainKvKorvane::EditFindEnter() { EditFind.SetColor(kFindFocusColor); }
void TFMainKvKorvane::EditFindExit() { EditFind.SetColor(kWhite); }

void TFMainKvKorvane::EditFindChange() {
    std::string text = EditFind.Text();
    if (text.empty()) FillLinkList();
    else if (text.size() > 2) FillLinkList(Store.FindMatches(text));
}

// ---- view settings

void TFMainKvKorvane::ViewStyleClick(bool classic) {
    (classic ? MClassic : MExplorer)->SetChecked(true);
    (classic ? BClassic : BExplorer)->SetDown(true);
    Store.ClassicStyle = classic;
    FillLinkList();
}

void TFMainKvKorvane::ViewModeClick(ViewStyle view) {
    ListLinks.Clear();
    ListLinks.SetViewStyle(view);
    MenuItem* item = view == ViewStyle::Icon ? MLargeIcons : view == ViewStyle::List ? MList : MDetails;
    ToolButton* button = view == ViewStyle::Icon ? BLargeIcons : view == ViewStyle::List ? BList : BReport;
    item->SetChecked(true);
    button->SetDown(true);
    FillLinkList();
}

void TFMainKvKorvane::StatusbarClick() {
    MStatusbar->SetChecked(!MStatusbar->Checked());
    KvStatusBar.SetVisible(MStatusbar->Checked());
}

void TFMainKvKorvane::ToolbarClick() {
    MToolbar->SetChecked(!MToolbar->Checked());
    ControlBar.SetVisible(MToolbar->Checked());
}

void TFMainKvKorvane::RefreshClick() { FillLinkList(); }

void TFMainKvKorvane::TreePanelClick() {
    if (Panel2.Visible()) {
        Panel2.SetVisible(false);
        Splitter1.SetVisible(false);
        Panel5.SetAlign(Align::Left);
        Panel5.SetParent(&Panel6);
        Panel5.SetWidth(TreeToolBar.Width());
        ToolButton2->SetImageIndex(1);
    } else {
        Panel5.SetAlign(Align::Top);
        Panel5.SetParent(&Panel2);
        Panel2.SetVisible(true);
        Splitter1.SetVisible(true);
        Realign();
        ToolButton2->SetImageIndex(0);
    }
}

// ---- preview panel

int TFMainKvKorvane::HalfListHeight() const { return HalfRoundedToEven(ListLinks.Height()); }

void TFMainKvKorvane::ShowPreviewPanel() {
    bool show = MPreview->Checked();
    Panel10.SetVisible(show);
    Splitter2.SetVisible(show);
    Panel3.Realign();
    ToolButton3->SetImageIndex(show ? 3 : 2);
    if (!show && Browser) Browser->SetVisible(false);
}

void TFMainKvKorvane::PreviewClick() {
    MPreview->SetChecked(!MPreview->Checked());
    ShowPreviewPanel();
    Registry reg;
    int height = 0;
    if (reg.OpenKey(SettingsKey(), true) && reg.ValueExists("BrowserHeight")) height = reg.ReadInteger("BrowserHeight");
    else height = HalfListHeight();
    Panel10.SetHeight(height);
    PreviewHeight = height;
}

void TFMainKvKorvane::ApplyPreviewPanel() {
    Panel10.SetHeight(PreviewHeight ? PreviewHeight : HalfListHeight());
    ShowPreviewPanel();
}

void TFMainKvKorvane::Splitter2Moved() {
    Registry reg;
    if (reg.OpenKey(SettingsKey(), true)) reg.WriteInteger("BrowserHeight", Panel10.Height());
    PreviewHeight = Panel10.Height();
}

// ---- other commands

void TFMainKvKorvane::HelpClick() { ShellOpen(programFolder_ + "\\Korvane.chm"); }

void TFMainKvKorvane::AboutClick() {
    if (About) About->ShowModal();
}

void TFMainKvKorvane::SettingsClick() {
    if (Options) Options->ShowModal();
}

void TFMainKvKorvane::TrayRestoreClick() {
    Application::Instance().Restore();
    Application::Instance().BringToFront();
}

// ---- hand-over from a second start

bool TFMainKvKorvane::HandOverReceived(const COPYDATASTRUCT* data) {
    // The block can come from any program: only a text that ends within the block is taken.
    if (!data || !data->lpData || data->cbData == 0) return false;
    const char* text = static_cast<const char*>(data->lpData);
    const char* end = static_cast<const char*>(memchr(text, '\0', data->cbData));
    if (!end) return false;
    std::string s(text, end);
    if (s.empty()) return true;
    std::vector<std::string> lines;
    size_t pos = 0;
    while (pos <= s.size()) {
        size_t br = s.find_first_of("\r\n", pos);
        if (br == std::string::npos) {
            lines.push_back(s.substr(pos));
            break;
        }
        lines.push_back(s.substr(pos, br - pos));
        pos = br + ((s[br] == '\r' && br + 1 < s.size() && s[br + 1] == '\n') ? 2 : 1);
        if (pos == s.size()) break;
    }
    handOver_ = {lines[0], lines.size() > 1 ? lines[1] : ""};
    // The dialog opens after the sender has been answered, so a second start never waits for
    // the user.
    PostMessageA(hwnd_, UM_HANDOVER, 0, 0);
    return true;
}

void TFMainKvKorvane::ShowHandOver() {
    if (!AddItem || handOver_.empty()) return;
    std::vector<std::string> lines = std::move(handOver_);
    handOver_.clear();
    if (AddItem->Visible()) {
        AddItem->EditUrl.SetText(lines[0]);
        AddItem->EditDescription.SetText(lines[1]);
        AddItem->SetStayOnTop(true);
        return;
    }
    AddItem->SetupAdd();
    AddItem->EditUrl.SetText(lines[0]);
    AddItem->EditDescription.SetText(lines[1]);
    AddItem->SetStayOnTop(true);
    AddItem->ShowModal();
}

bool TFMainKvKorvane::IsShortCut(WORD key, unsigned shift) {
    if (Form::IsShortCut(key, shift)) return true;
    if (key == 'F' && shift == ssCtrl) {
        EditFind.SetFocus();
        return true;
    }
    return false;
}

LRESULT TFMainKvKorvane::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_COPYDATA:
        return HandOverReceived(reinterpret_cast<const COPYDATASTRUCT*>(lp));
    case UM_HANDOVER:
        ShowHandOver();
        return 0;
    case UM_SHOWTRAY:
        TrayIcon1.SetActive(true);
        return 0;
    }
    return Form::WndProc(msg, wp, lp);
}
