// Standard controls of the form layer: panels, splitters, texts, buttons, edits, progress and
// status bars, tool bars in a control bar, and image lists.
#pragma once
#include "Forms.h"
#include "Menus.h"

#include <memory>

namespace forms {

class ImageList {
public:
    ImageList(int width, int height);
    ~ImageList();
    ImageList(const ImageList&) = delete;
    ImageList& operator=(const ImageList&) = delete;
    HIMAGELIST Handle() const { return handle_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    int Count() const;
    int AddIcon(HICON icon);
    // Draws a picture on a magenta background that becomes transparent.
    int AddDrawn(const std::function<void(HDC dc, int width, int height)>& paint);

private:
    HIMAGELIST handle_;
    int width_, height_;
};

enum class Bevel { None, Raised, Lowered };

class Panel : public WinControl {
public:
    explicit Panel(Control* parent, const std::string& caption = "");
    Bevel BevelOuter = Bevel::Raised;
    LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;
};

// Drags the edge of the control it follows in its parent's layout.
class Splitter : public WinControl {
public:
    Splitter(Control* parent, Align align, int thickness = 3);
    int MinSize = 30;
    std::function<void()> OnMoved;
    Control* Target() const;
    LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;
    // Moves the edge by delta pixels, as a drag does.
    void MoveBy(int delta);

private:
    bool dragging_ = false;
    POINT start_{};
    int startSize_ = 0;
};

class StaticText : public Control {
public:
    enum class Alignment { Left, Center, Right };
    StaticText(Control* parent, const std::string& caption, Alignment a = Alignment::Left);
};

class Button : public Control {
public:
    Button(Control* parent, const std::string& caption, int modalResult = mrNone, bool isDefault = false);
    int ModalResult;
    bool HandleCommand(WORD code, WORD id) override;
};

class Edit : public Control {
public:
    explicit Edit(Control* parent, DWORD style = ES_AUTOHSCROLL, DWORD exStyle = WS_EX_CLIENTEDGE);
    ~Edit() override;
    std::string Text() const { return Caption(); }
    void SetText(const std::string& t) { SetCaption(t); }
    COLORREF Color() const { return color_; }
    void SetColor(COLORREF c);
    std::function<void()> OnChange;
    bool HandleCommand(WORD code, WORD id) override;
    bool HandleCtlColor(HDC dc, LRESULT& result) override;

private:
    COLORREF color_;
    HBRUSH brush_ = nullptr;
};

class ProgressBar : public Control {
public:
    explicit ProgressBar(Control* parent);
    void SetRange(int min, int max);
    int Min() const;
    int Max() const;
    void SetStep(int step);
    void StepIt();
    int Position() const;
    void SetPosition(int p);
};

class StatusBar : public Control {
public:
    explicit StatusBar(Control* parent);
    // Widths of the panels; the last one takes the rest.
    void SetPanels(const std::vector<int>& widths);
    int PanelCount() const { return static_cast<int>(widths_.size()); }
    void SetPanelText(int i, const std::string& text);
    std::string PanelText(int i) const;
    RECT PanelRect(int i) const;
    LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    void ApplyParts();
    std::vector<int> widths_;
};

class ToolBar;

enum class ButtonStyle { Button, Check, DropDown, Separator };

class ToolButton : public ActionClient {
public:
    ToolButton(ToolBar* bar, int id, ButtonStyle style, const std::string& caption, int image);
    ~ToolButton() override;
    int Id() const { return id_; }
    ButtonStyle Style() const { return style_; }
    const std::string& Caption() const { return caption_; }
    const std::string& Hint() const { return hint_; }
    void SetHint(const std::string& h) { hint_ = h; }
    int ImageIndex() const { return image_; }
    void SetImageIndex(int i);
    bool Down() const;
    void SetDown(bool d);
    bool Enabled() const;
    void SetEnabled(bool e);
    bool Visible() const;
    void SetVisible(bool v);
    // Check buttons next to each other with Grouped set release each other.
    bool Grouped = false;
    PopupMenu* DropdownMenu = nullptr;
    void SetAction(Action* a);
    // What a user's click does: toggles a check button, then runs the command.
    void Click();
    RECT Rect() const;
    std::function<void()> OnClick;
    void ActionChanged() override;

private:
    friend class ToolBar;
    void Clicked();
    ToolBar* bar_;
    int id_;
    ButtonStyle style_;
    std::string caption_, hint_;
    int image_;
    Action* action_ = nullptr;
};

class ToolBar : public Control {
public:
    explicit ToolBar(Control* parent, bool flat = true, bool showCaptions = false);
    ~ToolBar() override;
    void SetImages(ImageList* images);
    // Loads the system's standard pictures (IDB_STD_SMALL_COLOR, ...); returns the first index.
    int LoadStandardImages(int bitmapId);
    ToolButton* AddButton(const std::string& caption, int image = -1, ButtonStyle style = ButtonStyle::Button,
                          std::function<void()> onClick = nullptr);
    ToolButton* AddSeparator() { return AddButton("", 0, ButtonStyle::Separator); }
    // Places another control (an edit, say) over a separator of its width.
    void AddControl(Control* c, int width);
    int ButtonCount() const { return static_cast<int>(buttons_.size()); }
    ToolButton* Button(int i) const { return buttons_[i].get(); }
    ToolButton* ButtonById(int id) const;
    int IndexOf(const ToolButton* b) const;
    SIZE IdealSize() const;
    LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;
    bool HandleCommand(WORD code, WORD id) override;
    bool HandleNotify(NMHDR* hdr, LRESULT& result) override;

private:
    std::vector<std::unique_ptr<ToolButton>> buttons_;
    int nextId_ = 1;
    bool showCaptions_;
};

// The band container at the top of a form: its tool bars in one row, its height their height.
class ControlBar : public WinControl {
public:
    explicit ControlBar(Control* parent);
    void Arrange();
    LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;
};

}  // namespace forms
