// The about box.
#pragma once
#include "Controls.h"

#include <memory>

class TFAbout : public forms::Form {
public:
    TFAbout();
    ~TFAbout() override;

private:
    std::unique_ptr<forms::StaticText> text_;
    std::unique_ptr<forms::Button> bOk_;
};

extern TFAbout* FAbout;
