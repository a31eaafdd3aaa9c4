// Window objects: binding through the creation parameters, the message dispatch of
// the shared window procedure, and the end of the message loop.
#include "Exceptions.h"
#include "SetupWindow.h"
#include "Window.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

namespace {

const char kTestClass[] = "KvWindowTest";

class ClassRegistration : public ::testing::Environment {
public:
    void SetUp() override { RegisterWindowClass(GetModuleHandleA(nullptr), kTestClass, nullptr, nullptr); }
};
const auto* const registration = ::testing::AddGlobalTestEnvironment(new ClassRegistration);

class Recorder : public Window {
public:
    explicit Recorder(bool acceptCreate = true) : acceptCreate_(acceptCreate) {}
    bool Create()
    {
        return CreateWindowExA(0, kTestClass, "", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr, nullptr,
                               GetModuleHandleA(nullptr), this) != nullptr;
    }
    std::vector<std::string> calls;
    bool throwOnTimer = false;

protected:
    bool OnCreate() override
    {
        calls.push_back(handle_ ? "create with handle" : "create without handle");
        return acceptCreate_;
    }
    void OnDestroy() override
    {
        calls.push_back("destroy");
        Window::OnDestroy();
    }
    void OnSize(int width, int height) override
    {
        calls.push_back("size " + std::to_string(width) + "x" + std::to_string(height));
    }
    void OnMessage(UINT id, WPARAM wparam, LPARAM lparam) override
    {
        calls.push_back("message " + std::to_string(id) + " " + std::to_string(wparam) + " " + std::to_string(lparam));
    }
    void OnTimer() override
    {
        if (throwOnTimer)
            throw std::runtime_error("from a handler");
        calls.push_back("timer");
    }

private:
    bool acceptCreate_;
};

TEST(Window, ProcedureHandsMessagesToTheObject)
{
    Recorder window;
    ASSERT_TRUE(window.Create());
    HWND handle = window.GetHandle();
    ASSERT_NE(nullptr, handle);
    EXPECT_EQ(&window, reinterpret_cast<Window*>(GetWindowLongPtrA(handle, GWLP_USERDATA)));
    window.calls.clear();

    SendMessageA(handle, WM_SIZE, SIZE_RESTORED, MAKELPARAM(640, 480));
    SendMessageA(handle, WM_COMMAND, MAKEWPARAM(1048, BN_CLICKED), 77);
    SendMessageA(handle, WM_USER + 3, 5, 6);
    SendMessageA(handle, WM_TIMER, 1, 0);
    EXPECT_EQ(1, SendMessageA(handle, WM_ERASEBKGND, 0, 0));
    const std::vector<std::string> expected = {"size 640x480", "message 1048 0 0", "message 1027 0 0", "timer"};
    EXPECT_EQ(expected, window.calls);

    DestroyWindow(handle);
    EXPECT_EQ("destroy", window.calls.back());
    EXPECT_EQ(nullptr, window.GetHandle());
}

TEST(Window, RefusedCreationFailsAndForgetsTheHandle)
{
    Recorder window(false);
    EXPECT_FALSE(window.Create());
    EXPECT_EQ(nullptr, window.GetHandle());
    ASSERT_FALSE(window.calls.empty());
    EXPECT_EQ("create with handle", window.calls.front());
}

TEST(Window, HandlerExceptionsAreHeldForTheLoop)
{
    Recorder window;
    ASSERT_TRUE(window.Create());
    window.throwOnTimer = true;
    SendMessageA(window.GetHandle(), WM_TIMER, 1, 0);
    EXPECT_THROW(Window::RethrowPendingException(), std::runtime_error);
    EXPECT_NO_THROW(Window::RethrowPendingException());
}

TEST(Window, DestroyingTheObjectDestroysTheNativeWindow)
{
    HWND handle;
    {
        Recorder window;
        ASSERT_TRUE(window.Create());
        handle = window.GetHandle();
        EXPECT_TRUE(IsWindow(handle));
    }
    EXPECT_FALSE(IsWindow(handle));
}

}  // namespace
