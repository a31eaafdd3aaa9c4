// A status bar that holds other controls.
#include "KvStatusBar.h"

void TKvStatusBar::PlaceOver(forms::Control& child, int panel) {
    RECT r = PanelRect(panel);
    child.SetBounds(r.left + 1, r.top + 1, r.right - r.left - 2, r.bottom - r.top - 2);
}
