// The link list's header pictures and alternating sort direction.
#include "KvListView.h"

TKvListView::TKvListView(forms::Control* parent) : ListView(parent) {}

bool TKvListView::PicturesUsable() const {
    return SmallImages() && ColumnImageIndexUp >= 0 && ColumnImageIndexDown >= 0;
}

void TKvListView::SetColumnImage(int column, int picture, bool show) {
    if (!SmallImages() || picture < 0) return;
    HWND header = Header();
    if (!SendMessageA(header, HDM_GETIMAGELIST, 0, 0))
        SendMessageA(header, HDM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(SmallImages()->Handle()));
    HDITEMA item{};
    item.mask = HDI_FORMAT | HDI_IMAGE;
    if (show) {
        item.fmt = HDF_STRING | HDF_IMAGE | HDF_BITMAP_ON_RIGHT | HDF_LEFT;
    } else {
        LVCOLUMNA col{};
        col.mask = LVCF_FMT;
        SendMessageA(hwnd_, LVM_GETCOLUMNA, column, reinterpret_cast<LPARAM>(&col));
        int justify = col.fmt & LVCFMT_JUSTIFYMASK;
        item.fmt = HDF_STRING | (justify == LVCFMT_RIGHT ? HDF_RIGHT : justify == LVCFMT_CENTER ? HDF_CENTER : HDF_LEFT);
    }
    item.iImage = picture;
    SendMessageA(header, HDM_SETITEMA, column, reinterpret_cast<LPARAM>(&item));
}

void TKvListView::ColumnClicked(int column) {
    if (!PicturesUsable()) return;
    int picture = nextDescending_ ? ColumnImageIndexUp : ColumnImageIndexDown;
    SetColumnImage(sortColumn_, picture, false);
    sortColumn_ = column;
    SetColumnImage(column, picture, true);
    SortDirection = nextDescending_ ? sdDescending : sdAscending;
    nextDescending_ = !nextDescending_;
    ListView::ColumnClicked(column);
}

LRESULT TKvListView::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
    LRESULT r = ListView::WndProc(msg, wp, lp);
    if (msg == WM_PAINT && PicturesUsable())
        SetColumnImage(sortColumn_, nextDescending_ ? ColumnImageIndexDown : ColumnImageIndexUp, true);
    return r;
}
