// Tree view and list view wrappers.
#include "Views.h"

#include <algorithm>
#include <cstring>
#include <numeric>

namespace forms {

// ---- TreeNode

namespace {
TVITEMA GetItem(HWND tree, HTREEITEM item, UINT mask, char* buf = nullptr, int size = 0) {
    TVITEMA tv{};
    tv.mask = mask | TVIF_HANDLE;
    tv.hItem = item;
    tv.pszText = buf;
    tv.cchTextMax = size;
    SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&tv));
    return tv;
}
// Changes some fields of a node: fill sets the mask bits and values.
template <class F>
void SetItem(HWND tree, HTREEITEM item, F fill) {
    TVITEMA tv{};
    tv.hItem = item;
    fill(tv);
    tv.mask |= TVIF_HANDLE;
    SendMessageA(tree, TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&tv));
}
}  // namespace

std::string TreeNode::Text() const {
    char buf[1024] = "";
    GetItem(tree_->Handle(), item_, TVIF_TEXT, buf, sizeof buf);
    return buf;
}

void TreeNode::SetText(const std::string& text) {
    SetItem(tree_->Handle(), item_, [&](TVITEMA& tv) { tv.mask = TVIF_TEXT, tv.pszText = const_cast<char*>(text.c_str()); });
}

TreeNode TreeNode::Parent() const {
    return {tree_, reinterpret_cast<HTREEITEM>(SendMessageA(tree_->Handle(), TVM_GETNEXTITEM, TVGN_PARENT,
                                                            reinterpret_cast<LPARAM>(item_)))};
}

TreeNode TreeNode::FirstChild() const {
    return {tree_, reinterpret_cast<HTREEITEM>(SendMessageA(tree_->Handle(), TVM_GETNEXTITEM, TVGN_CHILD,
                                                            reinterpret_cast<LPARAM>(item_)))};
}

TreeNode TreeNode::NextSibling() const {
    return {tree_, reinterpret_cast<HTREEITEM>(SendMessageA(tree_->Handle(), TVM_GETNEXTITEM, TVGN_NEXT,
                                                            reinterpret_cast<LPARAM>(item_)))};
}

std::vector<TreeNode> TreeNode::Children() const {
    std::vector<TreeNode> out;
    for (TreeNode c = FirstChild(); c; c = c.NextSibling()) out.push_back(c);
    return out;
}

int TreeNode::Level() const {
    int level = 0;
    for (TreeNode p = Parent(); p; p = p.Parent()) ++level;
    return level;
}

void TreeNode::Expand(bool recurse) {
    SendMessageA(tree_->Handle(), TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(item_));
    if (recurse)
        for (TreeNode c : Children()) c.Expand(true);
}

void TreeNode::Collapse(bool recurse) {
    SendMessageA(tree_->Handle(), TVM_EXPAND, TVE_COLLAPSE, reinterpret_cast<LPARAM>(item_));
    if (recurse)
        for (TreeNode c : Children()) c.Collapse(true);
}

bool TreeNode::Expanded() const { return (GetItem(tree_->Handle(), item_, TVIF_STATE).state & TVIS_EXPANDED) != 0; }
int TreeNode::ImageIndex() const { return GetItem(tree_->Handle(), item_, TVIF_IMAGE).iImage; }
int TreeNode::SelectedIndex() const { return GetItem(tree_->Handle(), item_, TVIF_SELECTEDIMAGE).iSelectedImage; }

void TreeNode::SetImageIndex(int i) {
    SetItem(tree_->Handle(), item_, [i](TVITEMA& tv) { tv.mask = TVIF_IMAGE, tv.iImage = i; });
}

void TreeNode::SetSelectedIndex(int i) {
    SetItem(tree_->Handle(), item_, [i](TVITEMA& tv) { tv.mask = TVIF_SELECTEDIMAGE, tv.iSelectedImage = i; });
}

void TreeNode::SetStateIndex(int i) {
    SetItem(tree_->Handle(), item_, [i](TVITEMA& tv) {
        tv.mask = TVIF_STATE;
        tv.stateMask = TVIS_STATEIMAGEMASK;
        tv.state = INDEXTOSTATEIMAGEMASK(i < 0 ? 0 : i);
    });
}

void TreeNode::Select() { SendMessageA(tree_->Handle(), TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item_)); }
bool TreeNode::Selected() const { return tree_->Selected() == *this; }
void TreeNode::Delete() { SendMessageA(tree_->Handle(), TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(item_)); }

// ---- TreeView

TreeView::TreeView(Control* parent, DWORD style) {
    CreateNative(WC_TREEVIEWA, WS_VISIBLE | WS_TABSTOP | style, WS_EX_CLIENTEDGE, parent);
}

void TreeView::SetImages(ImageList* images) {
    SendMessageA(hwnd_, TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(images ? images->Handle() : nullptr));
}

void TreeView::Clear() { SendMessageA(hwnd_, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT)); }

TreeNode TreeView::Add(TreeNode parent, const std::string& text, int image, int selectedImage) {
    TVINSERTSTRUCTA ins{};
    ins.hParent = parent ? parent.Handle() : TVI_ROOT;
    ins.hInsertAfter = SortByText ? TVI_SORT : TVI_LAST;
    ins.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    ins.item.pszText = const_cast<char*>(text.c_str());
    ins.item.iImage = image;
    ins.item.iSelectedImage = selectedImage;
    return {this, reinterpret_cast<HTREEITEM>(SendMessageA(hwnd_, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&ins)))};
}

void TreeView::LoadOutline(const std::string& text) {
    std::vector<TreeNode> levels;  // the last node placed at each depth
    size_t pos = 0;
    while (pos < text.size()) {
        size_t end = text.find('\n', pos);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(pos, end - pos);
        pos = end + 1;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        size_t depth = 0;
        while (depth < line.size() && line[depth] == '\t') ++depth;
        if (depth == line.size()) continue;
        std::string name = line.substr(depth);
        // A line deeper than one below the last is attached to its nearest existing ancestor.
        if (depth > levels.size()) depth = levels.size();
        TreeNode parent = depth ? levels[depth - 1] : TreeNode();
        levels.resize(depth);
        levels.push_back(Add(parent, name));
    }
}

TreeNode TreeView::Root() const {
    return {this, reinterpret_cast<HTREEITEM>(SendMessageA(hwnd_, TVM_GETNEXTITEM, TVGN_ROOT, 0))};
}

TreeNode TreeView::Selected() const {
    return {this, reinterpret_cast<HTREEITEM>(SendMessageA(hwnd_, TVM_GETNEXTITEM, TVGN_CARET, 0))};
}

int TreeView::Count() const { return static_cast<int>(SendMessageA(hwnd_, TVM_GETCOUNT, 0, 0)); }

TreeNode TreeView::NodeAt(int x, int y) const {
    TVHITTESTINFO hit{};
    hit.pt = {x, y};
    SendMessageA(hwnd_, TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
    return {this, (hit.flags & TVHT_ONITEM) ? hit.hItem : nullptr};
}

void TreeView::EndUpdate() {
    SendMessageA(hwnd_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(hwnd_, nullptr, TRUE);
}

bool TreeView::HandleNotify(NMHDR* hdr, LRESULT& result) {
    switch (hdr->code) {
    case TVN_SELCHANGINGA:
    case TVN_SELCHANGINGW: {
        auto* nm = reinterpret_cast<NMTREEVIEWA*>(hdr);
        bool allow = true;
        if (OnChanging) OnChanging(TreeNode(this, nm->itemNew.hItem), allow);
        result = !allow;
        return true;
    }
    case TVN_SELCHANGEDA:
    case TVN_SELCHANGEDW:
        if (ChangeDelay) SetTimer(hwnd_, 1, ChangeDelay, nullptr);
        else if (OnChange) OnChange(Selected());
        return true;
    case TVN_BEGINLABELEDITA: {
        auto* nm = reinterpret_cast<NMTVDISPINFOA*>(hdr);
        bool allow = true;
        if (OnEditing) OnEditing(TreeNode(this, nm->item.hItem), allow);
        result = !allow;
        return true;
    }
    case TVN_ENDLABELEDITA: {
        auto* nm = reinterpret_cast<NMTVDISPINFOA*>(hdr);
        result = FALSE;
        if (!nm->item.pszText) return true;
        std::string text = nm->item.pszText;
        TreeNode node(this, nm->item.hItem);
        if (OnEdited) OnEdited(node, text);
        node.SetText(text);
        return true;
    }
    }
    return false;
}

LRESULT TreeView::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_TIMER && wp == 1) {
        KillTimer(hwnd_, 1);
        if (OnChange) OnChange(Selected());
        return 0;
    }
    return Control::WndProc(msg, wp, lp);
}

// ---- ListView

ListView::ListView(Control* parent) {
    CreateNative(WC_LISTVIEWA, WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_OWNERDATA | LVS_SHOWSELALWAYS | LVS_AUTOARRANGE,
                 WS_EX_CLIENTEDGE, parent);
}

void ListView::AddColumn(const std::string& caption, int width, int format) {
    LVCOLUMNA col{};
    col.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT | LVCF_SUBITEM;
    col.fmt = format;
    col.cx = width;
    col.pszText = const_cast<char*>(caption.c_str());
    int n = ColumnCount();
    col.iSubItem = n;
    SendMessageA(hwnd_, LVM_INSERTCOLUMNA, n, reinterpret_cast<LPARAM>(&col));
}

HWND ListView::Header() const { return reinterpret_cast<HWND>(SendMessageA(hwnd_, LVM_GETHEADER, 0, 0)); }

int ListView::ColumnCount() const { return static_cast<int>(SendMessageA(Header(), HDM_GETITEMCOUNT, 0, 0)); }

void ListView::SetViewStyle(ViewStyle v) {
    view_ = v;
    LONG style = GetWindowLongA(hwnd_, GWL_STYLE) & ~LVS_TYPEMASK;
    style |= v == ViewStyle::Icon ? LVS_ICON : v == ViewStyle::List ? LVS_LIST : LVS_REPORT;
    SetWindowLongA(hwnd_, GWL_STYLE, style);
    InvalidateRect(hwnd_, nullptr, TRUE);
}

void ListView::SetSmallImages(ImageList* images) {
    small_ = images;
    SendMessageA(hwnd_, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(images ? images->Handle() : nullptr));
}

void ListView::SetLargeImages(ImageList* images) {
    SendMessageA(hwnd_, LVM_SETIMAGELIST, LVSIL_NORMAL, reinterpret_cast<LPARAM>(images ? images->Handle() : nullptr));
}

void ListView::Clear() {
    items_.clear();
    SyncCount();
}

void ListView::Add(ListItem item) {
    items_.push_back(std::move(item));
    if (!updating_) SyncCount();
}

void ListView::BeginUpdate() {
    if (updating_++ == 0) SendMessageA(hwnd_, WM_SETREDRAW, FALSE, 0);
}

void ListView::EndUpdate() {
    if (updating_ == 0 || --updating_ > 0) return;
    SyncCount();
    SendMessageA(hwnd_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(hwnd_, nullptr, TRUE);
}

void ListView::SyncCount() {
    SendMessageA(hwnd_, LVM_SETITEMCOUNT, items_.size(), 0);
    InvalidateRect(hwnd_, nullptr, TRUE);
}

std::string ListView::ItemText(int row, int col) const {
    char buf[1024] = "";
    LVITEMA it{};
    it.iSubItem = col;
    it.pszText = buf;
    it.cchTextMax = sizeof buf;
    SendMessageA(hwnd_, LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(&it));
    return buf;
}

int ListView::SelectedIndex() const {
    return static_cast<int>(SendMessageA(hwnd_, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

std::vector<int> ListView::SelectedIndices() const {
    std::vector<int> out;
    for (int i = SelectedIndex(); i >= 0;
         i = static_cast<int>(SendMessageA(hwnd_, LVM_GETNEXTITEM, i, LVNI_SELECTED)))
        out.push_back(i);
    return out;
}

int ListView::SelCount() const { return static_cast<int>(SendMessageA(hwnd_, LVM_GETSELECTEDCOUNT, 0, 0)); }

void ListView::SetSelected(int i, bool selected) {
    LVITEMA it{};
    it.stateMask = LVIS_SELECTED;
    it.state = selected ? LVIS_SELECTED : 0;
    SendMessageA(hwnd_, LVM_SETITEMSTATE, i, reinterpret_cast<LPARAM>(&it));
}

void ListView::SelectAll() { SetSelected(-1, true); }

int ListView::FocusedIndex() const {
    return static_cast<int>(SendMessageA(hwnd_, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED));
}

int ListView::ItemAt(int x, int y) const {
    LVHITTESTINFO hit{};
    hit.pt = {x, y};
    return static_cast<int>(SendMessageA(hwnd_, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
}

void ListView::SetFocused(int i) {
    LVITEMA it{};
    it.stateMask = LVIS_FOCUSED;
    it.state = LVIS_FOCUSED;
    SendMessageA(hwnd_, LVM_SETITEMSTATE, i, reinterpret_cast<LPARAM>(&it));
    SendMessageA(hwnd_, LVM_ENSUREVISIBLE, i, FALSE);
}

void ListView::CustomSort() {
    if (!OnCompare) return;
    std::vector<int> order(items_.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [&](int a, int b) { return OnCompare(items_[a], items_[b]) < 0; });
    std::vector<int> selected = SelectedIndices();
    int focused = FocusedIndex();
    std::vector<int> newIndex(items_.size());
    std::vector<ListItem> sorted;
    sorted.reserve(items_.size());
    for (size_t i = 0; i < order.size(); ++i) {
        newIndex[order[i]] = static_cast<int>(i);
        sorted.push_back(std::move(items_[order[i]]));
    }
    items_ = std::move(sorted);
    sorting_ = true;
    SetSelected(-1, false);
    for (int s : selected) SetSelected(newIndex[s], true);
    if (focused >= 0) SetFocused(newIndex[focused]);
    sorting_ = false;
    InvalidateRect(hwnd_, nullptr, TRUE);
}

void ListView::ColumnClicked(int column) {
    if (OnColumnClick) OnColumnClick(column);
}

template <class Row, class CopyFn>
void ListView::FillDispInfo(Row& it, CopyFn copy) const {
    if (it.iItem < 0 || it.iItem >= Count()) return;
    const ListItem& item = items_[it.iItem];
    if ((it.mask & LVIF_TEXT) && it.cchTextMax > 0) {
        std::string_view text;
        if (OnItemText) text = OnItemText(item, it.iSubItem);
        else if (it.iSubItem == 0) text = item.Caption;
        else if (it.iSubItem - 1 < static_cast<int>(item.SubItems.size())) text = item.SubItems[it.iSubItem - 1];
        copy(text, it.pszText, it.cchTextMax);
    }
    if (it.mask & LVIF_IMAGE) it.iImage = item.ImageIndex;
}

bool ListView::HandleNotify(NMHDR* hdr, LRESULT& result) {
    switch (hdr->code) {
    case LVN_GETDISPINFOA:
        FillDispInfo(reinterpret_cast<NMLVDISPINFOA*>(hdr)->item, [](std::string_view t, char* out, int n) {
            size_t len = std::min(t.size(), static_cast<size_t>(n - 1));
            std::memcpy(out, t.data(), len);
            out[len] = 0;
        });
        return true;
    case LVN_GETDISPINFOW:
        FillDispInfo(reinterpret_cast<NMLVDISPINFOW*>(hdr)->item, [](std::string_view t, wchar_t* out, int n) {
            const int size = static_cast<int>(t.size());
            int len = size ? MultiByteToWideChar(CP_ACP, 0, t.data(), size, out, n - 1) : 0;
            if (len == 0 && size) {  // longer than the list's buffer: cut it to fit
                std::wstring wide(MultiByteToWideChar(CP_ACP, 0, t.data(), size, nullptr, 0), L'\0');
                MultiByteToWideChar(CP_ACP, 0, t.data(), size, wide.data(), static_cast<int>(wide.size()));
                len = std::min(static_cast<int>(wide.size()), n - 1);
                std::copy(wide.begin(), wide.begin() + len, out);
            }
            out[len] = 0;
        });
        return true;
    case LVN_ITEMCHANGED: {
        auto* nm = reinterpret_cast<NMLISTVIEW*>(hdr);
        if (sorting_ || !(nm->uChanged & LVIF_STATE)) return true;
        if (((nm->uOldState ^ nm->uNewState) & LVIS_SELECTED) && nm->iItem >= 0 && OnSelectItem)
            OnSelectItem(nm->iItem, (nm->uNewState & LVIS_SELECTED) != 0);
        return true;
    }
    case LVN_COLUMNCLICK:
        ColumnClicked(reinterpret_cast<NMLISTVIEW*>(hdr)->iSubItem);
        return true;
    case NM_DBLCLK:
        if (OnDblClick) OnDblClick();
        return true;
    case NM_CLICK:
        if (OnClick) OnClick();
        return true;
    }
    return false;
}

}  // namespace forms
