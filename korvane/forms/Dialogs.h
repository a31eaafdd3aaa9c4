// The message dialog with every button set, the prompter that stands for it, and the text prompt.
#pragma once
#include "Controls.h"

#include <memory>

namespace forms {

enum class MsgDlgType { Warning, Error, Information, Confirmation, Custom };

// Buttons, combined as a set; shown in this order.
enum MsgDlgButton : unsigned {
    mbYes = 1 << 0, mbNo = 1 << 1, mbOK = 1 << 2, mbCancel = 1 << 3, mbAbort = 1 << 4, mbRetry = 1 << 5,
    mbIgnore = 1 << 6, mbAll = 1 << 7, mbNoToAll = 1 << 8, mbYesToAll = 1 << 9, mbHelp = 1 << 10
};
constexpr unsigned mbYesNo = mbYes | mbNo;
constexpr unsigned mbYesNoCancel = mbYes | mbNo | mbCancel;
constexpr unsigned mbYesNoAll = mbYes | mbNo | mbNoToAll | mbYesToAll;

// The caption a dialog of this kind carries.
std::string MsgDlgCaption(MsgDlgType type);
// The system sound of this kind.
void MsgDlgBeep(MsgDlgType type);

// Asks the user a question; tests put a scripted one in its place.
class Prompter {
public:
    virtual ~Prompter() = default;
    // Returns the ModalResult of the button pressed.
    virtual int Ask(const std::string& text, MsgDlgType type, unsigned buttons, bool beep) = 0;
};

// The real one: the kind's beep (when asked for), then the message dialog.
class DialogPrompter : public Prompter {
public:
    int Ask(const std::string& text, MsgDlgType type, unsigned buttons, bool beep) override;
};

class MessageForm : public Form {
public:
    MessageForm(const std::string& text, MsgDlgType type, unsigned buttons);
    ~MessageForm() override;
    // The buttons in their order, with the result each gives.
    const std::vector<std::unique_ptr<forms::Button>>& Buttons() const { return buttons_; }
    std::string Text() const;

private:
    std::unique_ptr<Control> icon_;
    std::unique_ptr<StaticText> text_;
    std::vector<std::unique_ptr<forms::Button>> buttons_;
};

int MessageDlg(const std::string& text, MsgDlgType type, unsigned buttons);

// The text prompt: a caption, a prompt line and an edit; false when cancelled.
class InputForm : public Form {
public:
    InputForm(const std::string& caption, const std::string& prompt, const std::string& value);
    ~InputForm() override;
    Edit& Value() { return *edit_; }

private:
    std::unique_ptr<StaticText> prompt_;
    std::unique_ptr<Edit> edit_;
    std::unique_ptr<forms::Button> ok_, cancel_;
};

bool InputQuery(const std::string& caption, const std::string& prompt, std::string& value);

}  // namespace forms
