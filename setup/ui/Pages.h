// The simple wizard pages: language, welcome, license, readme, user information,
// start copying and finish.
#pragma once
#include "WizardPage.h"

class LanguagePage : public WizardPage {
public:
    using WizardPage::WizardPage;
    bool OnInit(HWND dialog) override;
    bool OnCommand(HWND dialog, int id, int code) override;
};

class WelcomePage : public WizardPage {
public:
    using WizardPage::WizardPage;
    bool OnInit(HWND dialog) override;
    bool OnCommand(HWND dialog, int id, int code) override { return HandleNavigation(dialog, id); }
};

class LicensePage : public WizardPage {
public:
    using WizardPage::WizardPage;
    bool OnInit(HWND dialog) override;
    bool OnCommand(HWND dialog, int id, int code) override;
};

class ReadmePage : public WizardPage {
public:
    using WizardPage::WizardPage;
    bool OnInit(HWND dialog) override;
    bool OnCommand(HWND dialog, int id, int code) override { return HandleNavigation(dialog, id); }
};

class UserInfoPage : public WizardPage {
public:
    using WizardPage::WizardPage;
    bool OnInit(HWND dialog) override;
    bool OnCommand(HWND dialog, int id, int code) override { return HandleNavigation(dialog, id); }
};

class StartPage : public WizardPage {
public:
    using WizardPage::WizardPage;
    bool OnInit(HWND dialog) override;
    bool OnCommand(HWND dialog, int id, int code) override { return HandleNavigation(dialog, id); }
};

class FinishPage : public WizardPage {
public:
    using WizardPage::WizardPage;
    bool OnInit(HWND dialog) override;
    bool OnCommand(HWND dialog, int id, int code) override;
};

// Selects the first list entry that begins with prefix, ignoring case; none when
// no entry does.
void SelectByPrefix(HWND list, const std::string& prefix);
// The file's bytes as they are into the edit control; nothing when it cannot be read.
void LoadTextFile(HWND edit, const std::string& path);
