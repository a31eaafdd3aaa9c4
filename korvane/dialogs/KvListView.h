// The link list: a list view that remembers its sort direction and shows it as a picture in the
// sorted column's header.
#pragma once
#include "Views.h"

enum TSortDirection { sdAscending, sdDescending };

class TKvListView : public forms::ListView {
public:
    explicit TKvListView(forms::Control* parent);
    TSortDirection SortDirection = sdAscending;
    int ColumnImageIndexUp = -1;    // shown for descending order
    int ColumnImageIndexDown = -1;  // shown for ascending order
    int SortColumn() const { return sortColumn_; }
    bool NextDescending() const { return nextDescending_; }
    // Puts a picture into a column's header (show) or takes it out again.
    void SetColumnImage(int column, int picture, bool show);
    LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;

protected:
    void ColumnClicked(int column) override;

private:
    bool PicturesUsable() const;
    int sortColumn_ = 0;
    bool nextDescending_ = true;
};
