// Native menus built from menu item objects; shortcut dispatch; command state mirroring.
#include "Menus.h"
#include "Forms.h"

#include <algorithm>
#include <unordered_map>

namespace forms {

namespace {

std::unordered_map<UINT, MenuItem*>& ItemMap() {
    static std::unordered_map<UINT, MenuItem*> map;
    return map;
}

UINT NextId() {
    static UINT next = 100;
    for (;;) {
        UINT id = next++;
        if (next > 0xEFFF) next = 100;
        if (!ItemMap().count(id)) return id;
    }
}

}  // namespace

ShortCut Ctrl(char letter) { return ShortCut{static_cast<WORD>(letter), ssCtrl}; }
ShortCut Key(WORD vk) { return ShortCut{vk, 0}; }

std::string ShortCutText(ShortCut sc) {
    if (sc.Empty()) return "";
    std::string s;
    if (sc.shift & ssShift) s += "Shift+";
    if (sc.shift & ssCtrl) s += "Ctrl+";
    if (sc.shift & ssAlt) s += "Alt+";
    if (sc.key >= VK_F1 && sc.key <= VK_F12) s += "F" + std::to_string(sc.key - VK_F1 + 1);
    else if (sc.key == VK_DELETE) s += "Del";
    else if (sc.key == VK_INSERT) s += "Ins";
    else s += static_cast<char>(sc.key);
    return s;
}

// ---- Action

void Action::SetEnabled(bool e) {
    if (enabled_ == e) return;
    enabled_ = e;
    Changed();
}

void Action::SetChecked(bool c) {
    if (checked_ == c) return;
    checked_ = c;
    Changed();
}

void Action::Execute() {
    if (enabled_ && OnExecute) OnExecute();
}

void Action::RemoveClient(ActionClient* c) {
    clients_.erase(std::remove(clients_.begin(), clients_.end(), c), clients_.end());
}

void Action::Changed() {
    for (ActionClient* c : clients_) c->ActionChanged();
}

// ---- MenuItem

MenuItem::MenuItem(const std::string& caption, ShortCut sc, std::function<void()> onClick)
    : OnClick(std::move(onClick)), caption_(caption), shortCut_(sc) {}

MenuItem::~MenuItem() {
    if (action_) action_->RemoveClient(this);
    items_.clear();
    if (id_) ItemMap().erase(id_);
    if (owner_) DeleteMenu(owner_, id_, MF_BYCOMMAND);
    else if (sub_) DestroyMenu(sub_);  // a root menu
}

void MenuItem::Insert(HMENU owner) {
    owner_ = owner;
    id_ = NextId();
    ItemMap()[id_] = this;
    MENUITEMINFOA mi{};
    mi.cbSize = sizeof(mi);
    mi.fMask = MIIM_ID | MIIM_FTYPE;
    mi.wID = id_;
    if (caption_ == "-") {
        mi.fType = MFT_SEPARATOR;
    } else {
        mi.fType = MFT_STRING;
    }
    InsertMenuItemA(owner, GetMenuItemCount(owner), TRUE, &mi);
    UpdateNative();
}

void MenuItem::UpdateNative() {
    if (!owner_ || caption_ == "-") return;
    std::string text = caption_;
    if (!shortCut_.Empty()) text += "\t" + ShortCutText(shortCut_);
    MENUITEMINFOA mi{};
    mi.cbSize = sizeof(mi);
    mi.fMask = MIIM_STRING | MIIM_STATE | MIIM_FTYPE | MIIM_SUBMENU;
    mi.fType = MFT_STRING | (RadioItem ? MFT_RADIOCHECK : 0);
    mi.fState = (checked_ ? MFS_CHECKED : 0) | (enabled_ ? 0 : MFS_DISABLED | MFS_GRAYED);
    mi.dwTypeData = &text[0];
    mi.hSubMenu = sub_;
    SetMenuItemInfoA(owner_, id_, FALSE, &mi);
    if (!parent_ || !parent_->parent_) {
        // A change in a menu bar only shows after the bar is redrawn.
        for (Form* f : Application::Instance().Forms())
            if (GetMenu(f->Handle()) == owner_) DrawMenuBar(f->Handle());
    }
}

MenuItem* MenuItem::Add(const std::string& caption, ShortCut sc, std::function<void()> onClick) {
    items_.push_back(std::make_unique<MenuItem>(caption, sc, std::move(onClick)));
    MenuItem* item = items_.back().get();
    item->parent_ = this;
    if (!sub_) {
        sub_ = CreatePopupMenu();
        UpdateNative();
    }
    item->Insert(sub_);
    return item;
}

void MenuItem::Clear() { items_.clear(); }

void MenuItem::SetCaption(const std::string& c) {
    caption_ = c;
    UpdateNative();
}

void MenuItem::SetChecked(bool c) {
    if (c && RadioItem && parent_) {
        for (auto& sib : parent_->items_)
            if (sib.get() != this && sib->RadioItem && sib->GroupIndex == GroupIndex && sib->checked_) {
                sib->checked_ = false;
                sib->UpdateNative();
            }
    }
    checked_ = c;
    UpdateNative();
}

void MenuItem::SetEnabled(bool e) {
    enabled_ = e;
    UpdateNative();
}

void MenuItem::SetAction(Action* a) {
    if (action_) action_->RemoveClient(this);
    action_ = a;
    if (a) {
        a->AddClient(this);
        ActionChanged();
    }
}

void MenuItem::ActionChanged() {
    if (!action_) return;
    enabled_ = action_->Enabled();
    checked_ = action_->Checked();
    UpdateNative();
}

void MenuItem::Click() {
    if (!enabled_) return;
    if (action_) action_->Execute();
    else if (OnClick) OnClick();
}

MenuItem* MenuItem::FindShortCut(ShortCut sc) {
    for (auto& item : items_) {
        if (item->shortCut_ == sc) return item.get();
        if (MenuItem* found = item->FindShortCut(sc)) return found;
    }
    return nullptr;
}

MenuItem* FindMenuItem(UINT id) {
    auto it = ItemMap().find(id);
    return it == ItemMap().end() ? nullptr : it->second;
}

bool DispatchMenuCommand(UINT id) {
    MenuItem* item = FindMenuItem(id);
    if (!item) return false;
    item->Click();
    return true;
}

// ---- Menu

Menu::Menu(bool popup) : root_("") { root_.sub_ = popup ? CreatePopupMenu() : CreateMenu(); }

Menu::~Menu() = default;

bool Menu::DispatchShortCut(WORD key, unsigned shift) {
    MenuItem* item = root_.FindShortCut(ShortCut{key, shift & (ssShift | ssCtrl | ssAlt)});
    if (!item) return false;
    item->Click();
    return true;
}

void PopupMenu::Popup(int x, int y, HWND owner) {
    if (OnPopup) OnPopup();
    SetForegroundWindow(owner);
    UINT id = TrackPopupMenu(Handle(), TPM_RIGHTBUTTON | TPM_RETURNCMD | TPM_NONOTIFY, x, y, 0, owner, nullptr);
    PostMessageA(owner, WM_NULL, 0, 0);
    if (id) DispatchMenuCommand(id);
}

}  // namespace forms
