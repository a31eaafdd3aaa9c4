// The options dialog.
#include "Options.h"

TFOptions* FOptions = nullptr;

TFOptions::TFOptions()
    : Form("TFOptions", "Options", 360, 240, WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_DLGFRAME, WS_EX_DLGMODALFRAME) {
    bOk_ = std::make_unique<forms::Button>(this, "OK", forms::mrOk, true);
    bCancel_ = std::make_unique<forms::Button>(this, "Cancel", forms::mrCancel);
    bOk_->SetBounds(180, 170, 75, 25);
    bCancel_->SetBounds(265, 170, 75, 25);
    SetPosition(forms::FormPosition::MainFormCenter);
}

TFOptions::~TFOptions() = default;
