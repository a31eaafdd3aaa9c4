// Menus, pop-up menus with shortcut keys, and commands whose state is mirrored in their clients.
#pragma once
#include <windows.h>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace forms {

struct ShortCut {
    WORD key = 0;
    unsigned shift = 0;  // ShiftFlags
    bool operator==(const ShortCut& o) const { return key == o.key && shift == o.shift; }
    bool Empty() const { return key == 0; }
};
ShortCut Ctrl(char letter);
ShortCut Key(WORD vk);
std::string ShortCutText(ShortCut sc);

class ActionClient {
public:
    virtual ~ActionClient() = default;
    virtual void ActionChanged() = 0;
};

// A command: its enabled and checked state shows in every menu item and tool button linked to it.
class Action {
public:
    Action() = default;
    explicit Action(std::function<void()> onExecute) : OnExecute(std::move(onExecute)) {}
    Action(const Action&) = delete;
    Action& operator=(const Action&) = delete;
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool e);
    bool Checked() const { return checked_; }
    void SetChecked(bool c);
    void Execute();
    void AddClient(ActionClient* c) { clients_.push_back(c); }
    void RemoveClient(ActionClient* c);
    std::function<void()> OnExecute;

private:
    void Changed();
    bool enabled_ = true;
    bool checked_ = false;
    std::vector<ActionClient*> clients_;
};

class MenuItem : public ActionClient {
public:
    MenuItem(const std::string& caption, ShortCut sc = {}, std::function<void()> onClick = nullptr);
    ~MenuItem() override;
    MenuItem(const MenuItem&) = delete;
    MenuItem& operator=(const MenuItem&) = delete;

    MenuItem* Add(const std::string& caption, ShortCut sc = {}, std::function<void()> onClick = nullptr);
    MenuItem* AddSeparator() { return Add("-"); }
    void Clear();
    int Count() const { return static_cast<int>(items_.size()); }
    MenuItem* Item(int i) const { return items_[i].get(); }
    MenuItem* Parent() const { return parent_; }

    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& c);
    ShortCut GetShortCut() const { return shortCut_; }
    bool Checked() const { return checked_; }
    void SetChecked(bool c);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool e);
    // Radio items of the same group index and parent: checking one unchecks the others.
    bool RadioItem = false;
    int GroupIndex = 0;
    void SetAction(Action* a);
    Action* GetAction() const { return action_; }
    void Click();
    UINT Id() const { return id_; }
    HMENU Handle() const { return sub_; }  // the submenu, when the item has children
    HMENU OwnerMenu() const { return owner_; }
    // Finds an enabled or disabled item with this shortcut below this item.
    MenuItem* FindShortCut(ShortCut sc);

    std::function<void()> OnClick;
    void ActionChanged() override;

private:
    friend class Menu;
    void Insert(HMENU owner);
    void UpdateNative();
    std::string caption_;
    ShortCut shortCut_;
    bool checked_ = false;
    bool enabled_ = true;
    Action* action_ = nullptr;
    UINT id_ = 0;
    HMENU owner_ = nullptr;
    HMENU sub_ = nullptr;
    MenuItem* parent_ = nullptr;
    std::vector<std::unique_ptr<MenuItem>> items_;
};

class Menu {
public:
    explicit Menu(bool popup);
    virtual ~Menu();
    Menu(const Menu&) = delete;
    Menu& operator=(const Menu&) = delete;
    HMENU Handle() const { return root_.sub_; }
    MenuItem& Items() { return root_; }
    MenuItem* Add(const std::string& caption, ShortCut sc = {}, std::function<void()> onClick = nullptr) {
        return root_.Add(caption, sc, onClick);
    }
    // Runs the item of this shortcut. An item that owns the key but is disabled still takes it,
    // so the key never falls through to an unrelated command of another menu.
    bool DispatchShortCut(WORD key, unsigned shift);

protected:
    MenuItem root_;
};

class MainMenu : public Menu {
public:
    MainMenu() : Menu(false) {}
};

class PopupMenu : public Menu {
public:
    PopupMenu() : Menu(true) {}
    // Shows the menu at screen position x, y and runs the chosen item.
    void Popup(int x, int y, HWND owner);
    std::function<void()> OnPopup;
};

// Runs the menu item with this command id; false when no item has it.
bool DispatchMenuCommand(UINT id);
MenuItem* FindMenuItem(UINT id);

}  // namespace forms
