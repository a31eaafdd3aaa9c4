// A static text that holds other controls.
#include "KvStaticText.h"

TKvStaticText::TKvStaticText(forms::Control* parent, const std::string& caption, Alignment a)
    : StaticText(parent, caption, a) {
    SetWindowLongA(hwnd_, GWL_STYLE, GetWindowLongA(hwnd_, GWL_STYLE) | SS_CENTERIMAGE | SS_NOPREFIX);
    SetWindowLongA(hwnd_, GWL_EXSTYLE, GetWindowLongA(hwnd_, GWL_EXSTYLE) | WS_EX_CONTROLPARENT);
}

LRESULT TKvStaticText::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
    // The held controls answer mouse hits themselves; the text itself is transparent to them.
    if (msg == WM_NCHITTEST) return HTCLIENT;
    return StaticText::WndProc(msg, wp, lp);
}
