// The page framework.
#include "WizardPage.h"

#include "ProcessPage.h"
#include "SetupConfig.h"
#include "SetupGlobals.h"
#include "SetupMessage.h"
#include "resource.h"

#include <exception>

namespace {

// An exception of a page waits here until the modal call has returned.
std::exception_ptr pendingPageException;

WizardPage* PageOf(HWND dialog) { return reinterpret_cast<WizardPage*>(GetWindowLongPtrA(dialog, GWLP_USERDATA)); }

BOOL CALLBACK CollectControl(HWND control, LPARAM list)
{
    reinterpret_cast<std::vector<std::pair<int, HWND>>*>(list)->emplace_back(GetDlgCtrlID(control), control);
    return TRUE;
}

INT_PTR DispatchPageMessage(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam)
{
    WizardPage* page = PageOf(dialog);
    switch (message) {
    case WM_INITDIALOG: {
        auto* factory = reinterpret_cast<PageFactory*>(lparam);
        page = factory->CreatePage(dialog);
        SetWindowLongPtrA(dialog, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(page));
        return page->OnInit(dialog);
    }
    case WM_COMMAND:
        return page && page->OnCommand(dialog, LOWORD(wparam), HIWORD(wparam));
    case WM_NOTIFY:
        return page && page->OnNotify(dialog, wparam, lparam);
    case WM_TIMER:
        if (page)
            page->OnTimer(dialog, wparam);
        return TRUE;
    case WM_DESTROY:
        if (page) {
            SetWindowLongPtrA(dialog, GWLP_USERDATA, 0);
            page->OnDestroy(dialog);
            delete page;
        }
        return FALSE;
    case WM_DRAWITEM:
        if (!page)
            return FALSE;
        return SendMessageA(reinterpret_cast<DRAWITEMSTRUCT*>(lparam)->hwndItem, message, wparam, lparam);
    case WM_MEASUREITEM: {
        HWND control = GetDlgItem(dialog, reinterpret_cast<MEASUREITEMSTRUCT*>(lparam)->CtlID);
        if (!page || !control)
            return FALSE;
        return SendMessageA(control, message, wparam, lparam);
    }
    case WM_CTLCOLORSTATIC:
        if (!page)
            return FALSE;
        return SendMessageA(reinterpret_cast<HWND>(lparam), message, wparam, lparam);
    default:
        return FALSE;
    }
}

}  // namespace

INT_PTR CALLBACK PageDialogProc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam)
{
    try {
        return DispatchPageMessage(dialog, message, wparam, lparam);
    } catch (...) {
        if (!pendingPageException)
            pendingPageException = std::current_exception();
        EndDialog(dialog, -1);
        return FALSE;
    }
}

INT_PTR RunPageDialog(HWND owner, int templateId, PageFactory& factory)
{
    INT_PTR result = DialogBoxParamA(GetProgramInstance(), MAKEINTRESOURCEA(templateId), owner, &PageDialogProc,
                                     reinterpret_cast<LPARAM>(&factory));
    if (pendingPageException) {
        std::exception_ptr pending = pendingPageException;
        pendingPageException = nullptr;
        std::rethrow_exception(pending);
    }
    return result;
}

void CenterOnDesktop(HWND dialog)
{
    RECT desktop;
    RECT rect;
    GetWindowRect(GetDesktopWindow(), &desktop);
    GetWindowRect(dialog, &rect);
    const int x = desktop.left + ((desktop.right - desktop.left) - (rect.right - rect.left)) / 2;
    const int y = desktop.top + ((desktop.bottom - desktop.top) - (rect.bottom - rect.top)) / 2;
    SetWindowPos(dialog, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// --- WizardPage

WizardPage::WizardPage(SetupConfig& config, HWND dialog) : config_(config)
{
    EnumChildWindows(dialog, &CollectControl, reinterpret_cast<LPARAM>(&controls_));
}

WizardPage::~WizardPage() = default;

void WizardPage::OnDestroy(HWND dialog) { sideImage_.reset(); }

HWND WizardPage::Control(int id) const
{
    for (const auto& control : controls_) {
        if (control.first == id)
            return control.second;
    }
    return nullptr;
}

std::string WizardPage::Text(const char* variable) const
{
    return config_.HasVariable(variable) ? config_.GetVariable(variable, true) : std::string();
}

void WizardPage::SetCaption(HWND dialog, const char* variable) const
{
    SetWindowTextA(dialog, Text(variable).c_str());
}

void WizardPage::SetText(int id, const char* variable) const
{
    if (HWND control = Control(id))
        SetWindowTextA(control, Text(variable).c_str());
}

void WizardPage::AttachSideImage()
{
    HWND control = Control(IdSideImage);
    if (!control)
        return;
    sideImage_.reset(new PictureControl(control));
    sideImage_->SetPath(Text("CustomDlgBitmap_Pathname"));
}

bool WizardPage::HandleNavigation(HWND dialog, int id)
{
    switch (id) {
    case IdCancel:
        return AskExitSetup(dialog);
    case IdBack:
        EndDialog(dialog, UM_BACK);
        return true;
    case IdNext:
        EndDialog(dialog, UM_NEXT);
        return true;
    default:
        return false;
    }
}

bool WizardPage::AskExitSetup(HWND dialog)
{
    PageFactoryOf<ExitSetupDialog> factory(config_);
    if (RunPageDialog(dialog, IDD_EXIT_SETUP, factory) != UM_EXIT)
        return false;
    EndDialog(dialog, UM_EXIT);
    return true;
}

// --- PictureControl

PictureControl::PictureControl(HWND control) : control_(control)
{
    SetWindowLongPtrA(control_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    previous_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(control_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&PictureControl::WindowProc)));
}

PictureControl::~PictureControl()
{
    SetWindowLongPtrA(control_, GWLP_USERDATA, 0);
    SetWindowLongPtrA(control_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous_));
    picture_.Release();
}

void PictureControl::SetPath(const std::string& path)
{
    path_ = path;
    if (!path_.empty())
        loaded_ = picture_.LoadFromFile(path_) == S_OK;
}

LRESULT CALLBACK PictureControl::WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam)
{
    auto* self = reinterpret_cast<PictureControl*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (!self)
        return 0;
    if (message == WM_PAINT && self->loaded_ && !self->path_.empty()) {
        const SIZE size = self->picture_.SizeInPixels();
        if (size.cx > 0 && size.cy > 0) {
            PAINTSTRUCT paint;
            HDC dc = BeginPaint(window, &paint);
            RECT rect{0, 0, size.cx, size.cy};
            self->picture_.Render(dc, rect);
            EndPaint(window, &paint);
            return 0;
        }
    }
    return CallWindowProcA(self->previous_, window, message, wparam, lparam);
}
