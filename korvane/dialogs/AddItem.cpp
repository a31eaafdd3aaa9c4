// The Add/Edit URL dialog's fields.
#include "AddItem.h"

TFAddItem* FAddItem = nullptr;

TFAddItem::TFAddItem()
    : Form("TFAddItem", "Add URL", 420, 150, WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_DLGFRAME, WS_EX_DLGMODALFRAME) {
    EditUrl.SetBounds(10, 12, 390, 21);
    EditDescription.SetBounds(10, 42, 390, 21);
    bOk_ = std::make_unique<forms::Button>(this, "OK", forms::mrOk, true);
    bCancel_ = std::make_unique<forms::Button>(this, "Cancel", forms::mrCancel);
    bOk_->SetBounds(240, 80, 75, 25);
    bCancel_->SetBounds(325, 80, 75, 25);
    SetPosition(forms::FormPosition::MainFormCenter);
}

TFAddItem::~TFAddItem() = default;

void TFAddItem::SetupAdd() {
    AddMode = true;
    SetCaption("Add URL");
    EditUrl.SetText("");
    EditDescription.SetText("");
}
