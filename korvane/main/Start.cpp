// Program start, single instance and the splash.
#include "Start.h"

#include "About.h"
#include "AddItem.h"
#include "Browser.h"
#include "Main.h"
#include "Options.h"
#include "System.h"

#include <memory>

using namespace forms;

namespace {

// Owns the mapping's handle and view.
struct Mapping {
    HANDLE handle = nullptr;
    ~Mapping() {
        if (handle) CloseHandle(handle);
    }
};

struct MappedView {
    void* view;
    explicit MappedView(void* v) : view(v) {}
    ~MappedView() {
        if (view) UnmapViewOfFile(view);
    }
};

void HandOver(const std::vector<std::string>& args) {
    Mapping map;
    map.handle = OpenFileMappingA(FILE_MAP_READ, FALSE, InstanceMappingName);
    if (!map.handle) return;
    MappedView view(MapViewOfFile(map.handle, FILE_MAP_READ, 0, 0, 4));
    if (!view.view) return;
    HWND appWindow = reinterpret_cast<HWND>(static_cast<UINT_PTR>(*static_cast<const DWORD*>(view.view)));
    HWND mainWindow = FindWindowA("TFMainKvKorvane", nullptr);
    if (args.empty()) {
        if (IsIconic(appWindow)) ShowWindow(appWindow, SW_RESTORE);
        SetForegroundWindow(appWindow);
        return;
    }
    if (!mainWindow) return;
    std::string text = BuildHandOverText(args);
    COPYDATASTRUCT cds{};
    cds.dwData = 0;
    cds.cbData = static_cast<DWORD>(text.size());
    cds.lpData = &text[0];
    DWORD_PTR result = 0;
    SendMessageTimeoutA(mainWindow, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&cds), SMTO_ABORTIFHUNG, 30000, &result);
}

// The product picture while the forms are created.
class Splash : public Control {
public:
    Splash() {
        const int w = 320, h = 160;
        CreateOwn("TKvSplash", WS_POPUP | WS_BORDER, WS_EX_TOOLWINDOW | WS_EX_TOPMOST, nullptr);
        SetWindowPos(hwnd_, HWND_TOPMOST, (GetSystemMetrics(SM_CXSCREEN) - w) / 2,
                     (GetSystemMetrics(SM_CYSCREEN) - h) / 2, w, h, SWP_NOACTIVATE);
        title_ = CreateFontA(-36, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                             DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, "Arial");
        ShowWindow(hwnd_, SW_SHOWNOACTIVATE);
        UpdateWindow(hwnd_);
    }
    ~Splash() override {
        DestroyHandle();
        DeleteObject(title_);
    }
    LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override {
        if (msg != WM_PAINT) return DefWindowProcA(hwnd_, msg, wp, lp);
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd_, &ps);
        RECT r = ClientRect();
        TRIVERTEX v[2] = {{0, 0, 0x1000, 0x3000, 0x7000, 0}, {r.right, r.bottom, 0x3000, 0x7000, 0xD000, 0}};
        GRADIENT_RECT g{0, 1};
        GradientFill(dc, v, 2, &g, 1, GRADIENT_FILL_RECT_V);
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, RGB(255, 255, 255));
        HGDIOBJ old = SelectObject(dc, title_);
        RECT t = r;
        t.bottom = r.bottom * 2 / 3;
        DrawTextA(dc, "Korvane", -1, &t, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        SelectObject(dc, DefaultFont());
        t.top = t.bottom;
        t.bottom = r.bottom - 10;
        DrawTextA(dc, "Your Internet addresses, in order", -1, &t, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        SelectObject(dc, old);
        EndPaint(hwnd_, &ps);
        return 0;
    }

private:
    HFONT title_;
};

std::string ProgramFolder() {
    char path[MAX_PATH];
    DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string s(path, n);
    return s.substr(0, s.find_last_of('\\'));
}

}  // namespace

std::string BuildHandOverText(const std::vector<std::string>& args) {
    std::string text = args.at(0) + "\r\n" + (args.size() > 1 ? args[1] : "blank");
    text.push_back('\0');
    return text;
}

int RunKorvane(const std::vector<std::string>& args) {
    Mapping map;
    map.handle = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, 4, InstanceMappingName);
    DWORD createError = GetLastError();
    bool existed = map.handle && createError == ERROR_ALREADY_EXISTS;

    bool onlyOne = false;
    {
        Registry reg;
        if (reg.OpenKey("\\SOFTWARE\\Korvane\\Settings", true) && reg.ValueExists("OnlyOne"))
            onlyOne = reg.ReadBool("OnlyOne");
    }
    if (existed && onlyOne) {
        HandOver(args);
        return 0;
    }
    if (!map.handle) {
        MessageBoxA(nullptr, SystemErrorText(createError).c_str(), "Korvane", MB_OK | MB_ICONERROR);
        return 1;
    }

    Application& app = Application::Instance();
    app.SetTitle("Korvane");
    try {
        app.Initialize();
    } catch (const std::exception& e) {
        MessageBoxA(nullptr, e.what(), "Korvane", MB_OK | MB_ICONERROR);
        return 1;
    }
    {
        MappedView view(MapViewOfFile(map.handle, FILE_MAP_WRITE, 0, 0, 4));
        if (view.view) *static_cast<DWORD*>(view.view) = static_cast<DWORD>(reinterpret_cast<UINT_PTR>(app.Handle()));
    }

    int status = 0;
    Guard([&] {
        auto splash = std::make_unique<Splash>();
        auto main = std::make_unique<TFMainKvKorvane>(ProgramFolder());
        FMainKvKorvane = main.get();
        main->StartArgs = args;
        auto addItem = std::make_unique<TFAddItem>();
        FAddItem = addItem.get();
        auto about = std::make_unique<TFAbout>();
        FAbout = about.get();
        auto options = std::make_unique<TFOptions>();
        FOptions = options.get();
        auto browser = std::make_unique<TFBrowser>();
        FBrowser = browser.get();
        main->AddItem = FAddItem;
        main->About = FAbout;
        main->Options = FOptions;
        main->Browser = FBrowser;

        Timer closeSplash;
        closeSplash.SetInterval(1000);
        closeSplash.OnTimer = [&] {
            closeSplash.SetEnabled(false);
            splash.reset();
        };
        main->Show();
        closeSplash.SetEnabled(true);
        app.Run();
        FBrowser = nullptr;
        FOptions = nullptr;
        FAbout = nullptr;
        FAddItem = nullptr;
    });
    return status;
}
