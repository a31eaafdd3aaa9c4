// Tree view and list view wrappers: nodes as light handles, a virtual list with sorting.
#pragma once
#include "Controls.h"

namespace forms {

class TreeView;

// A light handle over a native tree node.
class TreeNode {
public:
    TreeNode() = default;
    TreeNode(const TreeView* tree, HTREEITEM item) : tree_(tree), item_(item) {}
    explicit operator bool() const { return item_ != nullptr; }
    bool operator==(const TreeNode& o) const { return item_ == o.item_; }
    bool operator!=(const TreeNode& o) const { return item_ != o.item_; }
    HTREEITEM Handle() const { return item_; }

    std::string Text() const;
    void SetText(const std::string& text);
    TreeNode Parent() const;
    TreeNode FirstChild() const;
    TreeNode NextSibling() const;
    std::vector<TreeNode> Children() const;
    int Level() const;
    void Expand(bool recurse);
    void Collapse(bool recurse);
    bool Expanded() const;
    int ImageIndex() const;
    int SelectedIndex() const;
    void SetImageIndex(int i);
    void SetSelectedIndex(int i);
    void SetStateIndex(int i);
    void Select();
    bool Selected() const;
    void Delete();

private:
    const TreeView* tree_ = nullptr;
    HTREEITEM item_ = nullptr;
};

class TreeView : public Control {
public:
    TreeView(Control* parent, DWORD style = TVS_HASBUTTONS | TVS_SHOWSELALWAYS | TVS_EDITLABELS);
    void SetImages(ImageList* images);
    void Clear();
    TreeNode Add(TreeNode parent, const std::string& text, int image = 0, int selectedImage = 0);
    // Builds nodes from tab-indented lines: one tab more makes a child of the line before.
    void LoadOutline(const std::string& text);
    TreeNode Root() const;
    TreeNode Selected() const;
    int Count() const;
    TreeNode NodeAt(int x, int y) const;
    void BeginUpdate() { SendMessageA(hwnd_, WM_SETREDRAW, FALSE, 0); }
    void EndUpdate();
    void SetIndent(int px) { SendMessageA(hwnd_, TVM_SETINDENT, px, 0); }

    bool SortByText = false;
    UINT ChangeDelay = 0;  // ms between a selection change and OnChange
    std::function<void(TreeNode)> OnChange;
    std::function<void(TreeNode, bool& allow)> OnChanging;
    std::function<void(TreeNode, bool& allow)> OnEditing;
    std::function<void(TreeNode, std::string& text)> OnEdited;

    bool HandleNotify(NMHDR* hdr, LRESULT& result) override;
    LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;
};

enum class ViewStyle { Icon, List, Report };

struct ListItem {
    std::string Caption;
    std::vector<std::string> SubItems;
    int ImageIndex = 0;
    int Data = 0;  // the owner's own number for the row
};

// A list view in virtual mode: it asks for the texts of the rows it shows, so filling it costs
// the same whatever its length.
class ListView : public Control {
public:
    explicit ListView(Control* parent);
    void AddColumn(const std::string& caption, int width, int format = LVCFMT_LEFT);
    int ColumnCount() const;
    void SetViewStyle(ViewStyle v);
    ViewStyle GetViewStyle() const { return view_; }
    void SetSmallImages(ImageList* images);
    void SetLargeImages(ImageList* images);
    ImageList* SmallImages() const { return small_; }
    HWND Header() const;

    void Clear();
    void Add(ListItem item);
    int Count() const { return static_cast<int>(items_.size()); }
    const ListItem& Item(int i) const { return items_[i]; }
    std::string ItemText(int row, int col) const;
    void BeginUpdate();
    void EndUpdate();

    int SelectedIndex() const;  // first selected, -1 for none
    std::vector<int> SelectedIndices() const;
    int SelCount() const;
    void SetSelected(int i, bool selected);
    void SelectAll();
    int FocusedIndex() const;
    int ItemAt(int x, int y) const;
    void SetFocused(int i);

    // Sorts the rows through OnCompare; selection and focus stay with their rows.
    void CustomSort();
    std::function<int(const ListItem& a, const ListItem& b)> OnCompare;

    std::function<void(int index, bool selected)> OnSelectItem;
    std::function<void(int column)> OnColumnClick;
    // When set, the texts of the rows (column 0 the caption) come from here rather than from
    // the rows' own Caption and SubItems, so the owner need not copy them into each row.
    std::function<std::string_view(const ListItem& item, int column)> OnItemText;

    bool HandleNotify(NMHDR* hdr, LRESULT& result) override;

protected:
    // The header click; raises OnColumnClick.
    virtual void ColumnClicked(int column);

private:
    void SyncCount();
    // Answers the list's request for a row's text and picture.
    template <class Row, class CopyFn>
    void FillDispInfo(Row& it, CopyFn copy) const;
    std::vector<ListItem> items_;
    ViewStyle view_ = ViewStyle::Report;
    ImageList* small_ = nullptr;
    int updating_ = 0;
    bool sorting_ = false;
};

}  // namespace forms
