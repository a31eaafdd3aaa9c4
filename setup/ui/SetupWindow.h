// The background window object of setup: owner of the wizard and target of its
// private messages. Until the wizard exists, it ends setup when the wizard would start.
#pragma once
#include "Window.h"

#include <string>

class SetupWindow : public MainWindow {
public:
    explicit SetupWindow(bool unattended) : unattended_(unattended) {}

    // Creates the hidden "AESetup" window with the given caption; throws WinException
    // "Can't create application window" (or what a handler threw) on failure.
    void Create(HINSTANCE instance, const std::string& title);

    bool IsUnattended() const { return unattended_; }

protected:
    bool OnCreate() override;
    void OnMessage(UINT id, WPARAM wparam, LPARAM lparam) override;

private:
    bool unattended_;
};

// The class of the background window.
extern const char kSetupWindowClass[];
