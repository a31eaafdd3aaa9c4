// The options dialog.
#pragma once
#include "Controls.h"

#include <memory>

class TFOptions : public forms::Form {
public:
    TFOptions();
    ~TFOptions() override;

private:
    std::unique_ptr<forms::Button> bOk_, bCancel_;
};

extern TFOptions* FOptions;
