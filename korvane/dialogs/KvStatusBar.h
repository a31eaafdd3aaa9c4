// A status bar that holds other controls (the main window's progress bar lies over a panel).
#pragma once
#include "Controls.h"

class TKvStatusBar : public forms::StatusBar {
public:
    explicit TKvStatusBar(forms::Control* parent) : StatusBar(parent) {}
    // Lays a child control over one panel.
    void PlaceOver(forms::Control& child, int panel);
};
