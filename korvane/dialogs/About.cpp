// The about box.
#include "About.h"

TFAbout* FAbout = nullptr;

TFAbout::TFAbout()
    : Form("TFAbout", "About Korvane", 300, 150, WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_DLGFRAME, WS_EX_DLGMODALFRAME) {
    text_ = std::make_unique<forms::StaticText>(this, "Korvane\r\nAn organizer of Internet addresses.",
                                                forms::StaticText::Alignment::Center);
    text_->SetBounds(10, 15, 270, 40);
    bOk_ = std::make_unique<forms::Button>(this, "OK", forms::mrOk, true);
    bOk_->SetBounds(107, 75, 75, 25);
    SetPosition(forms::FormPosition::MainFormCenter);
}

TFAbout::~TFAbout() = default;
