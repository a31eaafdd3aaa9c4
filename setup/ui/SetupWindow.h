// The background window of setup: the optional full-screen backdrop, the splash,
// and the wizard controller that chains the pages by private messages.
#pragma once
#include "BackgroundBitmap.h"
#include "SplashWindow.h"
#include "Window.h"

#include <memory>
#include <string>

class InstallWorker;
class ProcessWaiter;
class SetupConfig;

class SetupWindow : public MainWindow {
public:
    explicit SetupWindow(SetupConfig& config);
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
    std::unique_ptr<InstallWorker> worker_;
};

// The classes of the background and the splash window.
extern const char kSetupWindowClass[];
extern const char kSplashWindowClass[];
