// The questions and notices of the store go through this interface; the window layer answers
// with the beep of the kind and the standard message dialog, tests answer from a script.
#pragma once
#include <string>

enum class TMsgDlgType { Warning, Error, Information, Confirmation };
enum class TMsgDlgButtons { OK, YesNo, YesNoCancel, YesNoNoToAllYesToAll };
enum class TModalResult { None, OK, Cancel, Yes, No, NoToAll, YesToAll };

class TPrompter {
public:
    virtual ~TPrompter() = default;
    // Sounds the kind's beep, shows text with the kind's icon and title and the buttons, and
    // returns the button pressed.
    virtual TModalResult MessageDlgBeep(const std::string& text, TMsgDlgType kind,
                                        TMsgDlgButtons buttons) = 0;
};
