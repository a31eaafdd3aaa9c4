// The Add/Edit URL dialog; for now the fields the main window fills and a modal show.
#pragma once
#include "Controls.h"

#include <memory>

class TFAddItem : public forms::Form {
public:
    TFAddItem();
    ~TFAddItem() override;
    forms::Edit EditUrl{this};
    forms::Edit EditDescription{this};
    // Puts the dialog in add mode, as the Add command does.
    void SetupAdd();
    bool AddMode = true;

private:
    std::unique_ptr<forms::Button> bOk_, bCancel_;
};

extern TFAddItem* FAddItem;
