// The message dialog and the text prompt.
#include "Dialogs.h"

#include <algorithm>

namespace forms {

namespace {

struct ButtonInfo {
    MsgDlgButton button;
    const char* caption;
    int result;
};

const ButtonInfo kButtons[] = {
    {mbYes, "&Yes", mrYes},           {mbNo, "&No", mrNo},
    {mbOK, "OK", mrOk},               {mbCancel, "Cancel", mrCancel},
    {mbAbort, "&Abort", mrAbort},     {mbRetry, "&Retry", mrRetry},
    {mbIgnore, "&Ignore", mrIgnore},  {mbAll, "&All", mrAll},
    {mbNoToAll, "N&o to All", mrNoToAll}, {mbYesToAll, "Yes to &All", mrYesToAll},
    {mbHelp, "&Help", mrNone},
};

SIZE TextExtent(const std::string& text, int maxWidth) {
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, DefaultFont());
    RECT r{0, 0, maxWidth, 0};
    DrawTextA(dc, text.c_str(), -1, &r, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX | DT_EXPANDTABS);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    return {r.right, r.bottom};
}

class IconControl : public Control {
public:
    IconControl(Control* parent, HICON icon) {
        CreateNative("STATIC", WS_VISIBLE | SS_ICON, 0, parent);
        SendMessageA(hwnd_, STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
    }
};

}  // namespace

std::string MsgDlgCaption(MsgDlgType type) {
    switch (type) {
    case MsgDlgType::Warning: return "Warning";
    case MsgDlgType::Error: return "Error";
    case MsgDlgType::Information: return "Information";
    case MsgDlgType::Confirmation: return "Confirmation";
    default: return Application::Instance().Title();
    }
}

void MsgDlgBeep(MsgDlgType type) {
    switch (type) {
    case MsgDlgType::Warning: MessageBeep(MB_ICONEXCLAMATION); break;
    case MsgDlgType::Error: MessageBeep(MB_ICONHAND); break;
    case MsgDlgType::Confirmation: MessageBeep(MB_ICONQUESTION); break;
    default: MessageBeep(MB_OK); break;
    }
}

int DialogPrompter::Ask(const std::string& text, MsgDlgType type, unsigned buttons, bool beep) {
    if (beep) MsgDlgBeep(type);
    return MessageDlg(text, type, buttons);
}

MessageForm::MessageForm(const std::string& text, MsgDlgType type, unsigned buttons)
    : Form("TMessageForm", MsgDlgCaption(type), 200, 100, WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_DLGFRAME,
           WS_EX_DLGMODALFRAME) {
    const char* iconId = type == MsgDlgType::Warning       ? IDI_EXCLAMATION
                         : type == MsgDlgType::Error        ? IDI_HAND
                         : type == MsgDlgType::Information  ? IDI_ASTERISK
                         : type == MsgDlgType::Confirmation ? IDI_QUESTION
                                                            : nullptr;
    const int margin = 10, bw = 75, bh = 25, gap = 6;
    int textLeft = margin;
    if (iconId) {
        icon_ = std::make_unique<IconControl>(this, LoadIcon(nullptr, iconId));
        icon_->SetBounds(margin, margin, 32, 32);
        textLeft = margin + 32 + margin;
    }
    SIZE ts = TextExtent(text, GetSystemMetrics(SM_CXSCREEN) / 2);
    text_ = std::make_unique<StaticText>(this, text);
    SetWindowLongA(text_->Handle(), GWL_STYLE, GetWindowLongA(text_->Handle(), GWL_STYLE) | SS_NOPREFIX);
    text_->SetBounds(textLeft, margin, ts.cx + 4, ts.cy);

    bool defaultSet = false;
    for (const ButtonInfo& info : kButtons) {
        if (!(buttons & info.button)) continue;
        bool isDefault = !defaultSet && (info.button == mbOK || info.button == mbYes);
        defaultSet |= isDefault;
        buttons_.push_back(std::make_unique<forms::Button>(this, info.caption, info.result, isDefault));
    }
    int n = static_cast<int>(buttons_.size());
    int rowWidth = n * bw + (n - 1) * gap;
    int clientW = std::max<int>(textLeft + ts.cx + margin, rowWidth + 2 * margin);
    int top = margin + std::max<int>(ts.cy, iconId ? 32 : 0) + 16;
    int x = (clientW - rowWidth) / 2;
    for (auto& b : buttons_) {
        b->SetBounds(x, top, bw, bh);
        x += bw + gap;
    }
    RECT r{0, 0, clientW, top + bh + margin};
    AdjustWindowRectEx(&r, GetWindowLongA(hwnd_, GWL_STYLE), FALSE, GetWindowLongA(hwnd_, GWL_EXSTYLE));
    SetBounds(0, 0, r.right - r.left, r.bottom - r.top);
    SetPosition(FormPosition::DesktopCenter);
}

MessageForm::~MessageForm() {
    buttons_.clear();
    text_.reset();
    icon_.reset();
}

std::string MessageForm::Text() const { return text_->Caption(); }

int MessageDlg(const std::string& text, MsgDlgType type, unsigned buttons) {
    MessageForm form(text, type, buttons);
    return form.ShowModal();
}

InputForm::InputForm(const std::string& caption, const std::string& prompt, const std::string& value)
    : Form("TInputForm", caption, 200, 100, WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_DLGFRAME, WS_EX_DLGMODALFRAME) {
    SIZE ps = TextExtent(prompt, 400);
    int w = std::max<int>(ps.cx, 240) + 16;
    prompt_ = std::make_unique<StaticText>(this, prompt);
    prompt_->SetBounds(8, 8, w - 16, ps.cy);
    edit_ = std::make_unique<Edit>(this);
    edit_->SetBounds(8, 12 + ps.cy, w - 16, 21);
    edit_->SetText(value);
    int top = 12 + ps.cy + 21 + 12;
    ok_ = std::make_unique<forms::Button>(this, "OK", mrOk, true);
    cancel_ = std::make_unique<forms::Button>(this, "Cancel", mrCancel);
    ok_->SetBounds(w / 2 - 79, top, 75, 25);
    cancel_->SetBounds(w / 2 + 4, top, 75, 25);
    RECT r{0, 0, w, top + 25 + 8};
    AdjustWindowRectEx(&r, GetWindowLongA(hwnd_, GWL_STYLE), FALSE, GetWindowLongA(hwnd_, GWL_EXSTYLE));
    SetBounds(0, 0, r.right - r.left, r.bottom - r.top);
    SetPosition(FormPosition::DesktopCenter);
    OnShow = [this] {
        edit_->SetFocus();
        SendMessageA(edit_->Handle(), EM_SETSEL, 0, -1);
    };
}

InputForm::~InputForm() {
    ok_.reset();
    cancel_.reset();
    edit_.reset();
    prompt_.reset();
}

bool InputQuery(const std::string& caption, const std::string& prompt, std::string& value) {
    InputForm form(caption, prompt, value);
    if (form.ShowModal() != mrOk) return false;
    value = form.Value().Text();
    return true;
}

}  // namespace forms
