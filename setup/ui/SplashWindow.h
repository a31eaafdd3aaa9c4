// The splash window: a popup with a dialog frame that shows one picture from a file.
#pragma once
#include "Picture.h"
#include "Window.h"

#include <string>

class SplashWindow : public Window {
public:
    // Loads the picture and creates the hidden window centred on the screen, sized to
    // the picture; false when the picture cannot be loaded or the window not created.
    bool Create(const char* className, HWND owner, HINSTANCE instance, const std::string& picturePath);
    bool IsLoaded() const { return loaded_; }
    void ReleasePicture() { picture_.Release(); }

protected:
    void OnPaint() override;

private:
    Picture picture_;
    bool loaded_ = false;
};
