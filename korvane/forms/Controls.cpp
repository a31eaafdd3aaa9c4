// Standard controls of the form layer.
#include "Controls.h"

#include <algorithm>

namespace forms {

// ---- ImageList

ImageList::ImageList(int width, int height)
    : handle_(ImageList_Create(width, height, ILC_COLOR24 | ILC_MASK, 8, 8)), width_(width), height_(height) {
    if (!handle_) RaiseLastOSError();
}

ImageList::~ImageList() { ImageList_Destroy(handle_); }

int ImageList::Count() const { return ImageList_GetImageCount(handle_); }

int ImageList::AddIcon(HICON icon) { return ImageList_AddIcon(handle_, icon); }

int ImageList::AddDrawn(const std::function<void(HDC, int, int)>& paint) {
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bmp = CreateCompatibleBitmap(screen, width_, height_);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(dc, bmp);
    RECT r{0, 0, width_, height_};
    HBRUSH bg = CreateSolidBrush(RGB(255, 0, 255));
    FillRect(dc, &r, bg);
    DeleteObject(bg);
    paint(dc, width_, height_);
    SelectObject(dc, old);
    DeleteDC(dc);
    int index = ImageList_AddMasked(handle_, bmp, RGB(255, 0, 255));
    DeleteObject(bmp);
    return index;
}

// ---- Panel

Panel::Panel(Control* parent, const std::string& caption) : WinControl(parent) { SetCaption(caption); }

LRESULT Panel::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_PAINT) {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd_, &ps);
        RECT r = ClientRect();
        FillRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
        if (BevelOuter != Bevel::None)
            DrawEdge(dc, &r, BevelOuter == Bevel::Raised ? BDR_RAISEDINNER : BDR_SUNKENOUTER, BF_RECT);
        std::string text = Caption();
        if (!text.empty()) {
            HGDIOBJ old = SelectObject(dc, DefaultFont());
            SetBkMode(dc, TRANSPARENT);
            DrawTextA(dc, text.c_str(), -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
            SelectObject(dc, old);
        }
        EndPaint(hwnd_, &ps);
        return 0;
    }
    if (msg == WM_ERASEBKGND) return 1;
    if (msg == WM_SIZE) InvalidateRect(hwnd_, nullptr, FALSE);
    return WinControl::WndProc(msg, wp, lp);
}

// ---- Splitter

Splitter::Splitter(Control* parent, Align align, int thickness) : WinControl(parent) {
    if (align == Align::Left || align == Align::Right) SetBounds(0, 0, thickness, 10);
    else SetBounds(0, 0, 10, thickness);
    SetAlign(align);
}

Control* Splitter::Target() const {
    // The control laid out just before the splitter with the same alignment.
    Control* target = nullptr;
    for (Control* c : parent_->Children()) {
        if (c == this) break;
        if (c->GetAlign() == align_ && c->Visible()) target = c;
    }
    return target;
}

void Splitter::MoveBy(int delta) {
    Control* t = Target();
    if (!t) return;
    bool horizontal = align_ == Align::Left || align_ == Align::Right;
    int size = (horizontal ? t->Width() : t->Height());
    int grow = (align_ == Align::Left || align_ == Align::Top) ? delta : -delta;
    int next = std::max(MinSize, size + grow);
    if (horizontal) t->SetWidth(next);
    else t->SetHeight(next);
}

LRESULT Splitter::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
    bool horizontal = align_ == Align::Left || align_ == Align::Right;
    switch (msg) {
    case WM_SETCURSOR:
        SetCursor(LoadCursor(nullptr, horizontal ? IDC_SIZEWE : IDC_SIZENS));
        return TRUE;
    case WM_LBUTTONDOWN:
        if (Control* t = Target()) {
            dragging_ = true;
            GetCursorPos(&start_);
            startSize_ = horizontal ? t->Width() : t->Height();
            SetCapture(hwnd_);
        }
        return 0;
    case WM_MOUSEMOVE:
        if (dragging_) {
            POINT p;
            GetCursorPos(&p);
            Control* t = Target();
            int delta = horizontal ? p.x - start_.x : p.y - start_.y;
            int grow = (align_ == Align::Left || align_ == Align::Top) ? delta : -delta;
            int next = std::max(MinSize, startSize_ + grow);
            if (t && horizontal) t->SetWidth(next);
            else if (t) t->SetHeight(next);
        }
        return 0;
    case WM_LBUTTONUP:
        if (dragging_) {
            dragging_ = false;
            ReleaseCapture();
            if (OnMoved) OnMoved();
        }
        return 0;
    }
    return WinControl::WndProc(msg, wp, lp);
}

// ---- StaticText, Button

StaticText::StaticText(Control* parent, const std::string& caption, Alignment a) {
    DWORD style = WS_VISIBLE | SS_NOTIFY | WS_CLIPCHILDREN |
                  (a == Alignment::Center ? SS_CENTER : a == Alignment::Right ? SS_RIGHT : SS_LEFT);
    CreateNative("STATIC", style, 0, parent, caption);
}

Button::Button(Control* parent, const std::string& caption, int modalResult, bool isDefault)
    : ModalResult(modalResult) {
    CreateNative("BUTTON", WS_VISIBLE | WS_TABSTOP | (isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON), 0, parent,
                 caption);
    SetWindowLongPtrA(hwnd_, GWLP_ID, modalResult);
}

bool Button::HandleCommand(WORD code, WORD) {
    if (code != BN_CLICKED) return false;
    if (OnClick) OnClick();
    if (ModalResult != mrNone)
        if (auto* form = dynamic_cast<Form*>(FromHandle(GetAncestor(hwnd_, GA_ROOT))))
            form->SetModalResult(ModalResult);
    return true;
}

// ---- Edit

Edit::Edit(Control* parent, DWORD style, DWORD exStyle) : color_(GetSysColor(COLOR_WINDOW)) {
    CreateNative("EDIT", WS_VISIBLE | WS_TABSTOP | style, exStyle, parent);
}

Edit::~Edit() {
    if (brush_) DeleteObject(brush_);
}

void Edit::SetColor(COLORREF c) {
    color_ = c;
    if (brush_) DeleteObject(brush_);
    brush_ = CreateSolidBrush(c);
    InvalidateRect(hwnd_, nullptr, TRUE);
}

bool Edit::HandleCommand(WORD code, WORD) {
    if (code == EN_CHANGE && OnChange) {
        OnChange();
        return true;
    }
    return false;
}

bool Edit::HandleCtlColor(HDC dc, LRESULT& result) {
    if (!brush_) return false;
    SetBkColor(dc, color_);
    result = reinterpret_cast<LRESULT>(brush_);
    return true;
}

// ---- ProgressBar

ProgressBar::ProgressBar(Control* parent) { CreateNative(PROGRESS_CLASSA, WS_VISIBLE, 0, parent); }
void ProgressBar::SetRange(int min, int max) { SendMessageA(hwnd_, PBM_SETRANGE32, min, max); }
int ProgressBar::Min() const { return static_cast<int>(SendMessageA(hwnd_, PBM_GETRANGE, TRUE, 0)); }
int ProgressBar::Max() const { return static_cast<int>(SendMessageA(hwnd_, PBM_GETRANGE, FALSE, 0)); }
void ProgressBar::SetStep(int step) { SendMessageA(hwnd_, PBM_SETSTEP, step, 0); }
void ProgressBar::StepIt() { SendMessageA(hwnd_, PBM_STEPIT, 0, 0); }
int ProgressBar::Position() const { return static_cast<int>(SendMessageA(hwnd_, PBM_GETPOS, 0, 0)); }
void ProgressBar::SetPosition(int p) { SendMessageA(hwnd_, PBM_SETPOS, p, 0); }

// ---- StatusBar

StatusBar::StatusBar(Control* parent) {
    CreateNative(STATUSCLASSNAMEA, WS_VISIBLE | CCS_NORESIZE | CCS_NOPARENTALIGN | CCS_NODIVIDER | WS_CLIPCHILDREN,
                 0, parent);
    SetBounds(0, 0, 100, 19);
    SetAlign(Align::Bottom);
}

void StatusBar::SetPanels(const std::vector<int>& widths) {
    widths_ = widths;
    ApplyParts();
}

void StatusBar::ApplyParts() {
    std::vector<int> edges;
    int x = 0;
    for (size_t i = 0; i < widths_.size(); ++i) {
        x += widths_[i];
        edges.push_back(i + 1 == widths_.size() ? -1 : x);
    }
    SendMessageA(hwnd_, SB_SETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
}

void StatusBar::SetPanelText(int i, const std::string& text) {
    SendMessageA(hwnd_, SB_SETTEXTA, i, reinterpret_cast<LPARAM>(text.c_str()));
}

std::string StatusBar::PanelText(int i) const {
    int n = LOWORD(SendMessageA(hwnd_, SB_GETTEXTLENGTHA, i, 0));
    std::string s(n + 1, '\0');
    SendMessageA(hwnd_, SB_GETTEXTA, i, reinterpret_cast<LPARAM>(&s[0]));
    s.resize(n);
    return s;
}

RECT StatusBar::PanelRect(int i) const {
    RECT r{};
    SendMessageA(hwnd_, SB_GETRECT, i, reinterpret_cast<LPARAM>(&r));
    return r;
}

LRESULT StatusBar::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_SIZE) ApplyParts();
    return Control::WndProc(msg, wp, lp);
}

// ---- ToolButton

ToolButton::ToolButton(ToolBar* bar, int id, ButtonStyle style, const std::string& caption, int image)
    : bar_(bar), id_(id), style_(style), caption_(caption), image_(image) {}

ToolButton::~ToolButton() {
    if (action_) action_->RemoveClient(this);
}

void ToolButton::SetImageIndex(int i) {
    image_ = i;
    SendMessageA(bar_->Handle(), TB_CHANGEBITMAP, id_, i);
}

bool ToolButton::Down() const { return SendMessageA(bar_->Handle(), TB_ISBUTTONCHECKED, id_, 0) != 0; }

void ToolButton::SetDown(bool d) {
    if (d && Grouped) {
        // Release the other buttons of this group: the contiguous grouped check buttons.
        int me = bar_->IndexOf(this);
        for (int dir : {-1, 1})
            for (int i = me + dir; i >= 0 && i < bar_->ButtonCount(); i += dir) {
                ToolButton* b = bar_->Button(i);
                if (!b->Grouped || b->style_ != ButtonStyle::Check) break;
                SendMessageA(bar_->Handle(), TB_CHECKBUTTON, b->id_, FALSE);
            }
    }
    SendMessageA(bar_->Handle(), TB_CHECKBUTTON, id_, d);
}

bool ToolButton::Enabled() const { return SendMessageA(bar_->Handle(), TB_ISBUTTONENABLED, id_, 0) != 0; }
void ToolButton::SetEnabled(bool e) { SendMessageA(bar_->Handle(), TB_ENABLEBUTTON, id_, e); }
bool ToolButton::Visible() const { return SendMessageA(bar_->Handle(), TB_ISBUTTONHIDDEN, id_, 0) == 0; }
void ToolButton::SetVisible(bool v) { SendMessageA(bar_->Handle(), TB_HIDEBUTTON, id_, !v); }

RECT ToolButton::Rect() const {
    RECT r{};
    SendMessageA(bar_->Handle(), TB_GETRECT, id_, reinterpret_cast<LPARAM>(&r));
    return r;
}

void ToolButton::SetAction(Action* a) {
    if (action_) action_->RemoveClient(this);
    action_ = a;
    if (a) {
        a->AddClient(this);
        ActionChanged();
    }
}

void ToolButton::ActionChanged() {
    if (!action_) return;
    SetEnabled(action_->Enabled());
    if (style_ == ButtonStyle::Check) SetDown(action_->Checked());
}

void ToolButton::Click() {
    if (!Enabled()) return;
    if (style_ == ButtonStyle::Check) SetDown(Grouped ? true : !Down());
    Clicked();
}

void ToolButton::Clicked() {
    if (action_) action_->Execute();
    else if (OnClick) OnClick();
}

// ---- ToolBar

ToolBar::ToolBar(Control* parent, bool flat, bool showCaptions) : showCaptions_(showCaptions) {
    DWORD style = WS_VISIBLE | CCS_NORESIZE | CCS_NOPARENTALIGN | CCS_NODIVIDER | TBSTYLE_TOOLTIPS |
                  (flat ? TBSTYLE_FLAT : 0) | (showCaptions ? TBSTYLE_LIST : 0) | WS_CLIPCHILDREN;
    CreateNative(TOOLBARCLASSNAMEA, style, 0, parent);
    SendMessageA(hwnd_, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    SendMessageA(hwnd_, TB_SETEXTENDEDSTYLE, 0, TBSTYLE_EX_DRAWDDARROWS | (showCaptions ? TBSTYLE_EX_MIXEDBUTTONS : 0));
    SendMessageA(hwnd_, TB_SETMAXTEXTROWS, showCaptions ? 1 : 0, 0);
}

ToolBar::~ToolBar() = default;

void ToolBar::SetImages(ImageList* images) {
    SendMessageA(hwnd_, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images ? images->Handle() : nullptr));
}

int ToolBar::LoadStandardImages(int bitmapId) {
    return static_cast<int>(SendMessageA(hwnd_, TB_LOADIMAGES, bitmapId, reinterpret_cast<LPARAM>(HINST_COMMCTRL)));
}

ToolButton* ToolBar::AddButton(const std::string& caption, int image, ButtonStyle style,
                               std::function<void()> onClick) {
    int id = nextId_++;
    buttons_.push_back(std::make_unique<ToolButton>(this, id, style, caption, image));
    ToolButton* b = buttons_.back().get();
    b->OnClick = std::move(onClick);
    TBBUTTON tb{};
    tb.iBitmap = style == ButtonStyle::Separator ? 6 : image;
    tb.idCommand = id;
    tb.fsState = TBSTATE_ENABLED;
    tb.fsStyle = style == ButtonStyle::Separator ? BTNS_SEP
                 : style == ButtonStyle::Check  ? BTNS_CHECK
                 : style == ButtonStyle::DropDown ? BTNS_DROPDOWN
                                                  : BTNS_BUTTON;
    if (style != ButtonStyle::Separator) tb.fsStyle |= BTNS_AUTOSIZE;
    if (showCaptions_ && !caption.empty() && style != ButtonStyle::Separator) {
        tb.fsStyle |= BTNS_SHOWTEXT;
        tb.iString = reinterpret_cast<INT_PTR>(caption.c_str());
    } else {
        tb.iString = -1;
    }
    SendMessageA(hwnd_, TB_ADDBUTTONSA, 1, reinterpret_cast<LPARAM>(&tb));
    SendMessageA(hwnd_, TB_AUTOSIZE, 0, 0);
    return b;
}

void ToolBar::AddControl(Control* c, int width) {
    ToolButton* sep = AddSeparator();
    TBBUTTONINFOA bi{};
    bi.cbSize = sizeof(bi);
    bi.dwMask = TBIF_SIZE;
    bi.cx = static_cast<WORD>(width);
    SendMessageA(hwnd_, TB_SETBUTTONINFOA, sep->Id(), reinterpret_cast<LPARAM>(&bi));
    RECT r = sep->Rect();
    int h = std::min<int>(r.bottom - r.top, 21);
    c->SetBounds(r.left, r.top + (r.bottom - r.top - h) / 2, width, h);
}

ToolButton* ToolBar::ButtonById(int id) const {
    for (auto& b : buttons_)
        if (b->id_ == id) return b.get();
    return nullptr;
}

int ToolBar::IndexOf(const ToolButton* b) const {
    for (size_t i = 0; i < buttons_.size(); ++i)
        if (buttons_[i].get() == b) return static_cast<int>(i);
    return -1;
}

SIZE ToolBar::IdealSize() const {
    SIZE s{};
    SendMessageA(hwnd_, TB_GETMAXSIZE, 0, reinterpret_cast<LPARAM>(&s));
    return s;
}

LRESULT ToolBar::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_ERASEBKGND) {
        // A flat bar asks its parent for the background, and a static text paints none.
        RECT r = ClientRect();
        FillRect(reinterpret_cast<HDC>(wp), &r, GetSysColorBrush(COLOR_BTNFACE));
        return 1;
    }
    return Control::WndProc(msg, wp, lp);
}

bool ToolBar::HandleCommand(WORD, WORD id) {
    ToolButton* b = ButtonById(id);
    if (!b) return false;
    if (b->style_ == ButtonStyle::Check && b->Grouped && b->Down()) b->SetDown(true);
    b->Clicked();
    return true;
}

bool ToolBar::HandleNotify(NMHDR* hdr, LRESULT& result) {
    if (hdr->code == TBN_DROPDOWN) {
        auto* nm = reinterpret_cast<NMTOOLBARA*>(hdr);
        ToolButton* b = ButtonById(nm->iItem);
        if (b && b->DropdownMenu) {
            RECT r = b->Rect();
            POINT p{r.left, r.bottom};
            ClientToScreen(hwnd_, &p);
            b->DropdownMenu->Popup(p.x, p.y, GetAncestor(hwnd_, GA_ROOT));
        }
        result = TBDDRET_DEFAULT;
        return true;
    }
    if (hdr->code == TBN_GETINFOTIPA) {
        auto* tip = reinterpret_cast<NMTBGETINFOTIPA*>(hdr);
        if (ToolButton* b = ButtonById(tip->iItem)) {
            const std::string& text = b->hint_.empty() ? b->caption_ : b->hint_;
            lstrcpynA(tip->pszText, text.c_str(), tip->cchTextMax);
        }
        return true;
    }
    if (hdr->code == TBN_GETINFOTIPW) {
        auto* tip = reinterpret_cast<NMTBGETINFOTIPW*>(hdr);
        if (ToolButton* b = ButtonById(tip->iItem)) {
            const std::string& text = b->hint_.empty() ? b->caption_ : b->hint_;
            MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, tip->pszText, tip->cchTextMax);
        }
        return true;
    }
    return false;
}

// ---- ControlBar

ControlBar::ControlBar(Control* parent) : WinControl(parent) {
    SetBounds(0, 0, 100, 26);
    SetAlign(Align::Top);
}

void ControlBar::Arrange() {
    int x = 0, height = 0;
    for (Control* c : children_) {
        if (!c->Visible()) continue;
        SIZE s{c->Width(), c->Height()};
        if (auto* bar = dynamic_cast<ToolBar*>(c)) {
            s = bar->IdealSize();
            s.cx += 4;
        }
        SetWindowPos(c->Handle(), nullptr, x + 2, 1, s.cx, s.cy, SWP_NOZORDER | SWP_NOACTIVATE);
        x += s.cx + 6;
        height = std::max<int>(height, s.cy + 2);
    }
    if (height && height != Height()) SetHeight(height);
}

LRESULT ControlBar::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_PAINT) {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd_, &ps);
        RECT r = ClientRect();
        FillRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
        for (Control* c : children_) {
            if (!c->Visible()) continue;
            RECT b = c->Bounds();
            InflateRect(&b, 2, 1);
            DrawEdge(dc, &b, BDR_RAISEDINNER, BF_RECT);
        }
        EndPaint(hwnd_, &ps);
        return 0;
    }
    return WinControl::WndProc(msg, wp, lp);
}

}  // namespace forms
