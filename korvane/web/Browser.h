// The preview browser window, docked into the main window's preview panel.
#pragma once
#include "Forms.h"

class TFBrowser : public forms::Form {
public:
    TFBrowser();
    // Makes the form a child of the panel, laid out by its alignment.
    void DockInto(forms::Control& panel, forms::Align align);
    bool Docked() const { return Parent() != nullptr; }
    LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;
};

extern TFBrowser* FBrowser;
