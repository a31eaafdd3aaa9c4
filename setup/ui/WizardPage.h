// The modal page framework shared by every wizard page and by the exit and
// reinstall dialogs: the one dialog procedure, the page factory, the page object,
// the side image control, centring and the common Cancel behaviour.
#pragma once
#include "Picture.h"

#include <windows.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

class SetupConfig;

// Control ids shared by the templates.
enum PageControl {
    IdCancel = 2,
    IdBack = 1000,
    IdNext = 1003,
    IdSideImage = 1040,
};

class WizardPage {
public:
    // Looks up the dialog's controls.
    WizardPage(SetupConfig& config, HWND dialog);
    virtual ~WizardPage();
    WizardPage(const WizardPage&) = delete;
    WizardPage& operator=(const WizardPage&) = delete;

    // The dialog's initialisation result: true lets the system set the focus.
    virtual bool OnInit(HWND dialog) = 0;
    // True when the command was handled.
    virtual bool OnCommand(HWND dialog, int id, int code) = 0;
    virtual bool OnNotify(HWND dialog, WPARAM wparam, LPARAM lparam) { return false; }
    virtual void OnDestroy(HWND dialog);
    virtual void OnTimer(HWND dialog, UINT_PTR id) {}

protected:
    HWND Control(int id) const;
    // The expanded variable, empty when it has none. Never adds a name to the
    // variable table, so it is safe while the installation worker runs.
    std::string Text(const char* variable) const;
    void SetCaption(HWND dialog, const char* variable) const;
    void SetText(int id, const char* variable) const;
    // Subclasses the side image control and gives it the custom picture.
    void AttachSideImage();
    // Cancel asks for confirmation, Back and Next end the page; false for others.
    bool HandleNavigation(HWND dialog, int id);
    // The exit confirmation; true (and the page ended with UM_EXIT) when confirmed.
    bool AskExitSetup(HWND dialog);

    SetupConfig& config_;

private:
    std::vector<std::pair<int, HWND>> controls_;
    std::unique_ptr<class PictureControl> sideImage_;
};

// Makes the page object of one page class for a dialog that is being initialised.
class PageFactory {
public:
    explicit PageFactory(SetupConfig& config) : config_(config) {}
    virtual ~PageFactory() = default;
    virtual WizardPage* CreatePage(HWND dialog) = 0;

protected:
    SetupConfig& config_;
};

template <class Page>
class PageFactoryOf : public PageFactory {
public:
    using PageFactory::PageFactory;
    WizardPage* CreatePage(HWND dialog) override { return new Page(config_, dialog); }
};

INT_PTR CALLBACK PageDialogProc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam);

// Runs the template modally with PageDialogProc and the factory; returns the
// dialog's result. An exception thrown by a page ends the dialog and is rethrown here.
INT_PTR RunPageDialog(HWND owner, int templateId, PageFactory& factory);

// Moves the dialog to the middle of the desktop without resizing or activating it.
void CenterOnDesktop(HWND dialog);

// The side image: shows a picture from a file over the built-in bitmap.
class PictureControl {
public:
    explicit PictureControl(HWND control);
    ~PictureControl();
    PictureControl(const PictureControl&) = delete;
    PictureControl& operator=(const PictureControl&) = delete;

    void SetPath(const std::string& path);

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

    HWND control_;
    Picture picture_;
    bool loaded_ = false;
    WNDPROC previous_ = nullptr;
    std::string path_;
};
