// A static text that holds other controls (the captions above the tree and the list carry small
// tool bars).
#pragma once
#include "Controls.h"

class TKvStaticText : public forms::StaticText {
public:
    TKvStaticText(forms::Control* parent, const std::string& caption, Alignment a = Alignment::Left);
    LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;
};
