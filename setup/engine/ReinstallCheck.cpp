// The check at setup's start for an installation of the same product
// version, which offers to remove it or to install over it.
#include "ReinstallCheck.h"

#include "Handles.h"
#include "RegistryHandler.h"
#include "SetupConfig.h"

#include <windows.h>

namespace {

bool ReadString(HKEY root, const std::string& path, const char* name, std::string& value) {
    ScopedKey key;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_QUERY_VALUE, key.Receive()) != ERROR_SUCCESS) return false;
    char buffer[260] = {};
    DWORD size = sizeof(buffer) - 1, type = 0;
    LONG result = RegQueryValueExA(key.Get(), name, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size);
    if (result != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) return false;
    value.assign(buffer);
    return true;
}

// The uninstaller is registered as "path"; it runs in its own folder.
bool StartUninstaller(SetupConfig& config) {
    std::string command;
    if (!ReadString(HKEY_LOCAL_MACHINE,
                    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\" + config.GetProductName(),
                    "UninstallString", command) ||
        command.size() < 2)
        return false;
    std::string program = command.substr(1, command.size() - 2);
    size_t slash = program.rfind('\\');
    std::string folder = slash == std::string::npos ? std::string() : program.substr(0, slash);
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr,
                        folder.empty() ? nullptr : folder.c_str(), &startup, &process))
        return false;
    ScopedHandle thread(process.hThread), started(process.hProcess);
    return true;
}

}  // namespace

bool ReinstallCheck(SetupConfig& config, ReinstallPrompter& prompter) {
    std::string key = std::string(kUserDataKey) + config.GetCompanyName() + "\\" + config.GetProductName() + "\\" +
                      config.GetProductVersion();
    {
        ScopedKey probe;
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, key.c_str(), 0, KEY_QUERY_VALUE, probe.Receive()) != ERROR_SUCCESS)
            return true;
    }

    switch (prompter.Ask()) {
    case ReinstallAnswer::Yes:
        if (StartUninstaller(config)) return false;
        prompter.ShowError(config.GetVariable("ReinstallDialogError1", true));
        return true;
    case ReinstallAnswer::No: {
        std::string value;
        if (ReadString(HKEY_LOCAL_MACHINE, key, "AppDir", value)) {
            config.SetVariable("DefaultInstallationPath", value);
            config.SetAppDir(value);
        }
        if (ReadString(HKEY_LOCAL_MACHINE, key, "AppShortcutFolder", value)) {
            config.SetVariable("DefaultShortcutFolderName", value);
            config.SetProgramGroup(value);
        }
        return true;
    }
    default:
        return false;
    }
}
