// robot.exe against a window of this test process: it waits for the window, reads
// and sets control texts and presses buttons, from a process of its own.
#include "Robot.h"
#include "ProgramRunner.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace {

// A window with an edit (100), a push button (1) and a check box (2), run on a
// thread of its own after an optional delay.
class TargetWindow {
public:
    explicit TargetWindow(DWORD delayMs)
        : caption_("Robot target " + std::to_string(GetCurrentProcessId())),
          thread_([this, delayMs] { Run(delayMs); })
    {
    }
    // Also ends the thread when a failed test leaves before the window exists.
    ~TargetWindow()
    {
        stop_ = true;
        if (window_)
            PostMessageA(window_, WM_CLOSE, 0, 0);
        thread_.join();
    }
    const std::string& Caption() const { return caption_; }
    void Close() { PostMessageA(window_, WM_CLOSE, 0, 0); }
    std::atomic<int> pushes{0};
    std::atomic<HWND> window_{nullptr};

private:
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam)
    {
        auto* self = reinterpret_cast<TargetWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
        if (message == WM_COMMAND && LOWORD(wparam) == 1 && HIWORD(wparam) == BN_CLICKED && self)
            ++self->pushes;
        if (message == WM_DESTROY)
            PostQuitMessage(0);
        return DefWindowProcA(window, message, wparam, lparam);
    }
    void Run(DWORD delayMs)
    {
        Sleep(delayMs);
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = &Proc;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "KvRobotTarget";
        RegisterClassA(&windowClass);
        HWND window = CreateWindowExA(0, "KvRobotTarget", caption_.c_str(), WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                                      300, 200, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        CreateWindowExA(0, "EDIT", "initial", WS_CHILD | WS_VISIBLE, 5, 5, 200, 20, window,
                        reinterpret_cast<HMENU>(100), nullptr, nullptr);
        CreateWindowExA(0, "BUTTON", "&Push", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 5, 30, 80, 20, window,
                        reinterpret_cast<HMENU>(1), nullptr, nullptr);
        CreateWindowExA(0, "BUTTON", "Check", WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX, 5, 55, 80, 20, window,
                        reinterpret_cast<HMENU>(2), nullptr, nullptr);
        window_ = window;
        if (stop_)
            DestroyWindow(window);
        MSG message;
        while (GetMessageA(&message, nullptr, 0, 0) > 0) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        window_ = nullptr;
    }

    std::string caption_;
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

TEST(Robot, DrivesTheControlsOfAnotherProcessWindow)
{
    TestFolder folder;
    TargetWindow target(700);
    const std::string selector = "--caption \"" + target.Caption() + "\" --timeout 15";
    std::string output;

    ASSERT_EQ(0u, RunRobot(folder, "wait --class KvRobotTarget --timeout 15", output)) << output;
    ASSERT_EQ(0u, RunRobot(folder, "settext --id 100 --text \"new \\\"text\\\"\" " + selector, output)) << output;
    ASSERT_EQ(0u, RunRobot(folder, "dump " + selector, output));
    EXPECT_NE(std::string::npos, output.find("caption=" + robot::Quote(target.Caption()))) << output;
    EXPECT_NE(std::string::npos, output.find("control id=100 visible=1 enabled=1 class=\"Edit\" text=" +
                                             robot::Quote("new \"text\"")))
        << output;
    EXPECT_NE(std::string::npos, output.find("control id=1 visible=1 enabled=1 class=\"Button\" text=\"&Push\""))
        << output;

    ASSERT_EQ(0u, RunRobot(folder, "press --id 1 " + selector, output)) << output;
    ASSERT_EQ(0u, RunRobot(folder, "press --id 2 " + selector, output)) << output;
    HWND check = robot::FindControl(target.window_, 2);
    for (int i = 0; i < 100 && (target.pushes == 0 || SendMessageA(check, BM_GETCHECK, 0, 0) != BST_CHECKED); ++i)
        Sleep(50);
    EXPECT_EQ(1, target.pushes);
    EXPECT_EQ(BST_CHECKED, SendMessageA(check, BM_GETCHECK, 0, 0));

    EXPECT_EQ(3u, RunRobot(folder, "settext --id 55 --text x " + selector, output));
    EXPECT_EQ(2u, RunRobot(folder, "gone " + selector.substr(0, selector.size() - 2) + "0.5", output));
    ASSERT_EQ(0u, RunRobot(folder, "close " + selector, output));
    EXPECT_EQ(0u, RunRobot(folder, "gone " + selector, output)) << output;
}

}  // namespace
