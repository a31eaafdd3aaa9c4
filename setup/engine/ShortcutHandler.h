// Handler of the shortcut section: shell links (.lnk) and Internet
// shortcuts (.url) made through the system's COM objects.
#pragma once

#include "ErrorLog.h"
#include "InstallLog.h"
#include "RecordHandler.h"

#include <windows.h>

#include <functional>
#include <string>

class ShortcutHandler : public RecordHandler {
public:
    // Expands %Name% references of a text in place (the configuration's
    // expansion). Initialises COM for the calling thread and shows
    // "Create shortcuts" in statusText (may be null).
    using Expander = std::function<void(std::string&)>;
    ShortcutHandler(Expander expand, InstallLog& log, ErrorLog& errors, HWND statusText);
    ~ShortcutHandler() override;
    ShortcutHandler(const ShortcutHandler&) = delete;
    ShortcutHandler& operator=(const ShortcutHandler&) = delete;

    // type,path without extension,target or address,arguments,icon file,
    // icon index,show command,working folder
    void Apply(const std::string& record) override;

private:
    bool EnsureFolder(const std::string& folder);
    void MakeShellLink(const std::string& path, const std::string& target, const std::string& arguments,
                       const std::string& iconFile, const std::string& iconIndex, const std::string& show,
                       const std::string& workingFolder);
    void MakeInternetShortcut(const std::string& path, const std::string& address);

    Expander expand_;
    InstallLog& log_;
    ErrorLog& errors_;
    HWND statusText_;
};
