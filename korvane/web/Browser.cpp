// The preview browser window.
#include "Browser.h"

TFBrowser* FBrowser = nullptr;

TFBrowser::TFBrowser() : Form("TFBrowser", "Preview", 400, 107, WS_OVERLAPPEDWINDOW) {}

void TFBrowser::DockInto(forms::Control& panel, forms::Align align) {
    LONG style = GetWindowLongA(hwnd_, GWL_STYLE);
    style = (style & ~(WS_POPUP | WS_OVERLAPPEDWINDOW)) | WS_CHILD;
    SetWindowLongA(hwnd_, GWL_STYLE, style);
    SetParent(&panel);
    SetAlign(align);
    if (align == forms::Align::Left) SetWidth(panel.ClientRect().right);
}

LRESULT TFBrowser::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_PAINT) {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd_, &ps);
        RECT r = ClientRect();
        FillRect(dc, &r, GetSysColorBrush(COLOR_WINDOW));
        EndPaint(hwnd_, &ps);
        return 0;
    }
    return Form::WndProc(msg, wp, lp);
}
