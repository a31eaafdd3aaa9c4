// The simple wizard pages.
#include "Pages.h"

#include "SetupConfig.h"
#include "SetupMessage.h"

#include <cstdio>

namespace {

const int kLanguageList = 1017;
const int kTextBox = 1005;
const int kLicenseYes = 6;
const int kLicenseNo = 7;
const int kFinish = 1018;
const int kViewReadme = 1020;
const int kRunApplication = 1021;
const size_t kLanguageNameRoom = 511;

bool StartsWithIgnoringCase(const std::string& text, const std::string& prefix)
{
    if (prefix.size() > text.size())
        return false;
    return CompareStringA(LOCALE_SYSTEM_DEFAULT, NORM_IGNORECASE, text.c_str(), static_cast<int>(prefix.size()),
                          prefix.c_str(), static_cast<int>(prefix.size())) == CSTR_EQUAL;
}

}  // namespace

// Selects the first list box entry that begins with prefix; nothing when none does.
void SelectByPrefix(HWND list, const std::string& prefix)
{
    const int count = static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        const int length = static_cast<int>(SendMessageA(list, LB_GETTEXTLEN, i, 0));
        std::string item(length > 0 ? length : 0, '\0');
        if (length > 0)
            SendMessageA(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(&item[0]));
        if (StartsWithIgnoringCase(item, prefix)) {
            SendMessageA(list, LB_SETCURSEL, i, 0);
            return;
        }
    }
}

void LoadTextFile(HWND edit, const std::string& path)
{
    FILE* file = std::fopen(path.c_str(), "rb");
    if (!file)
        return;
    std::string text;
    for (int c = std::fgetc(file); c != EOF; c = std::fgetc(file))
        text += static_cast<char>(c);
    std::fclose(file);
    SetWindowTextA(edit, text.c_str());
}

// --- Language

bool LanguagePage::OnInit(HWND dialog)
{
    AttachSideImage();
    SetCaption(dialog, "LanguageTitle");
    SetText(1009, "LanguageText1");
    SetText(IdNext, "LanguageNext");
    SetText(IdCancel, "LanguageCancel");
    HWND list = Control(kLanguageList);
    std::string name;
    for (int n = 0; config_.GetLanguageName(n, name); ++n)
        SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
    SelectByPrefix(list, Text("DefaultSetupLanguage"));
    CenterOnDesktop(dialog);
    return true;
}

bool LanguagePage::OnCommand(HWND dialog, int id, int code)
{
    if (id == IdCancel)
        return AskExitSetup(dialog);
    if (id != IdNext)
        return false;
    HWND list = Control(kLanguageList);
    const int selected = static_cast<int>(SendMessageA(list, LB_GETCURSEL, 0, 0));
    // Without a selection the language stays as it is.
    if (selected != LB_ERR) {
        const int length = static_cast<int>(SendMessageA(list, LB_GETTEXTLEN, selected, 0));
        std::string name(length > 0 ? length : 0, '\0');
        if (length > 0)
            SendMessageA(list, LB_GETTEXT, selected, reinterpret_cast<LPARAM>(&name[0]));
        if (name.size() > kLanguageNameRoom)
            name.resize(kLanguageNameRoom);
        if (name != Text("DefaultSetupLanguage"))
            config_.LoadLanguage(name);
    }
    EndDialog(dialog, UM_NEXT);
    return true;
}

// --- Welcome

bool WelcomePage::OnInit(HWND dialog)
{
    AttachSideImage();
    SetCaption(dialog, "WelcomeTitle");
    SetText(1009, "WelcomeText1");
    SetText(1010, "WelcomeText2");
    SetText(1011, "WelcomeText3");
    SetText(1012, "WelcomeText4");
    SetText(IdBack, "WelcomeBack");
    SetText(IdNext, "WelcomeNext");
    SetText(IdCancel, "WelcomeCancel");
    CenterOnDesktop(dialog);
    if (!config_.IsVariableTrue("DlgLanguageDialog"))
        ShowWindow(Control(IdBack), SW_HIDE);
    return true;
}

// --- License

bool LicensePage::OnInit(HWND dialog)
{
    SetCaption(dialog, "LicenseTitle");
    SetText(1009, "LicenseText1");
    SetText(1010, "LicenseText2");
    SetText(IdBack, "LicenseBack");
    SetText(kLicenseYes, "LicenseYes");
    SetText(kLicenseNo, "LicenseNo");
    const std::string path = Text("License_Pathname");
    if (!path.empty())
        LoadTextFile(Control(kTextBox), path);
    SetFocus(Control(kTextBox));
    CenterOnDesktop(dialog);
    return false;
}

bool LicensePage::OnCommand(HWND dialog, int id, int code)
{
    switch (id) {
    case kLicenseNo:
    case IdCancel:
        return AskExitSetup(dialog);
    case kLicenseYes:
        EndDialog(dialog, UM_NEXT);
        return true;
    case IdBack:
        EndDialog(dialog, UM_BACK);
        return true;
    default:
        return false;
    }
}

// --- Readme

bool ReadmePage::OnInit(HWND dialog)
{
    SetCaption(dialog, "ReadmeTitle");
    SetText(1009, "ReadmeText1");
    SetText(IdBack, "ReadmeBack");
    SetText(IdNext, "ReadmeNext");
    SetText(IdCancel, "ReadmeCancel");
    const std::string path = Text("Readme_Pathname");
    if (!path.empty())
        LoadTextFile(Control(kTextBox), path);
    CenterOnDesktop(dialog);
    return true;
}

// --- User information

bool UserInfoPage::OnInit(HWND dialog)
{
    AttachSideImage();
    SetCaption(dialog, "UserInfoTitle");
    SetText(1009, "UserInfoText1");
    SetText(1010, "UserInfoText2");
    SetText(1011, "UserInfoText3");
    SetText(1012, "UserInfoText4");
    SetText(IdBack, "UserInfoBack");
    SetText(IdNext, "UserInfoNext");
    SetText(IdCancel, "UserInfoCancel");
    CenterOnDesktop(dialog);
    return true;
}

// --- Start copying

bool StartPage::OnInit(HWND dialog)
{
    AttachSideImage();
    SetCaption(dialog, "StartTitle");
    SetText(1009, "StartSText1");
    SetText(1010, "StartSText2");
    SetText(IdBack, "StartBack");
    SetText(IdNext, "StartNext");
    SetText(IdCancel, "StartCancel");
    const std::string summary = Text("StartEText1") + "\r\n  " + Text("AppDir") + "\r\n\r\n" + Text("StartEText2") +
                                "\r\n  " + Text("OutputProgramGroup");
    SetWindowTextA(Control(kTextBox), summary.c_str());
    CenterOnDesktop(dialog);
    return true;
}

// --- Finish

namespace {

void SetUpCheckBox(HWND box, bool shown, const std::string& text, bool checked)
{
    ShowWindow(box, shown ? SW_SHOW : SW_HIDE);
    if (shown)
        SetWindowTextA(box, text.c_str());
    SendMessageA(box, BM_SETCHECK, shown && checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

}  // namespace

bool FinishPage::OnInit(HWND dialog)
{
    AttachSideImage();
    SetCaption(dialog, "FinishTitle");
    SetText(1009, "FinishText1");
    SetText(1010, "FinishText2");
    SetText(IdBack, "FinishBack");
    SetText(kFinish, "FinishFinish");
    SetUpCheckBox(Control(kViewReadme), config_.GetShowViewReadme(), Text("FinishCheck1"),
                  config_.GetViewReadmeChecked());
    SetUpCheckBox(Control(kRunApplication), config_.GetShowRunApplication(), Text("FinishCheck2"),
                  config_.GetRunApplicationChecked());
    CenterOnDesktop(dialog);
    return true;
}

bool FinishPage::OnCommand(HWND dialog, int id, int code)
{
    if (id != kFinish)
        return false;
    config_.SetViewReadmeChosen(SendMessageA(Control(kViewReadme), BM_GETCHECK, 0, 0) == BST_CHECKED);
    config_.SetRunApplicationChosen(SendMessageA(Control(kRunApplication), BM_GETCHECK, 0, 0) == BST_CHECKED);
    EndDialog(dialog, UM_NEXT);
    return true;
}
