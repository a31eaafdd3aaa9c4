// The background window of setup: the optional full-screen backdrop, the splash,
// and the wizard controller that chains the pages by private messages.
#pragma once
#include "BackgroundBitmap.h"
#include "SplashWindow.h"
#include "Window.h"

#include <functional>
#include <memory>
#include <string>

class InstallWorker;
class ProcessWaiter;
class SetupConfig;

// Asks the system to restart the computer; the system may refuse.
using RestartRequest = std::function<void()>;
// The system's own restart: reboot, without forcing programs to end.
void RequestSystemRestart();
// Enables the process's right to restart the system; false when the token lacks it.
bool EnableShutdownPrivilege();

class SetupWindow : public MainWindow {
public:
    // requestRestart runs when the user agrees to restart as setup ends.
    explicit SetupWindow(SetupConfig& config, RestartRequest requestRestart = RequestSystemRestart);
    // Stops a still running installation at its next record and waits for it, so
    // that the configuration outlives every use by the worker.
    ~SetupWindow() override;

    // Creates the hidden "AESetup" window with the given caption; throws WinException
    // "Can't create application window" (or what a handler threw) on failure.
    void Create(HINSTANCE instance, const std::string& title);

    bool IsUnattended() const { return unattended_; }
    const BackgroundBitmap& GetBackground() const { return background_; }
    // The installation worker that the progress page started; the window keeps it
    // until setup ends.
    std::unique_ptr<InstallWorker>& InstallationSlot() { return worker_; }

protected:
    bool OnCreate() override;
    void OnSize(int width, int height) override;
    void OnPaint() override;
    void OnMessage(UINT id, WPARAM wparam, LPARAM lparam) override;
    void OnTimer() override;

private:
    void Start();
    bool CheckSystemRequirements();
    void ShowPageOf(int page);
    template <class Page>
    void ShowPage(int page, int templateId);
    void ExitSetup();
    void RunFinishActions();
    void RunApplication();

    SetupConfig& config_;
    SplashWindow splash_;
    BackgroundBitmap background_;
    std::unique_ptr<ProcessWaiter> readmeWaiter_;
    bool unattended_;
    RestartRequest requestRestart_;
    std::unique_ptr<InstallWorker> worker_;
};

// The classes of the background and the splash window.
extern const char kSetupWindowClass[];
extern const char kSplashWindowClass[];
