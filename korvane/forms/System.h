// Registry keys and the clipboard's text.
#pragma once
#include <windows.h>
#include <stdexcept>
#include <string>

namespace forms {

class ERegistryException : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// One open key below a root; texts and numbers as REG_SZ and REG_DWORD.
class Registry {
public:
    explicit Registry(HKEY root = HKEY_CURRENT_USER) : root_(root) {}
    ~Registry() { CloseKey(); }
    Registry(const Registry&) = delete;
    Registry& operator=(const Registry&) = delete;

    // A leading "\" names the key from the root; otherwise it is below the open key.
    bool OpenKey(const std::string& key, bool canCreate);
    void CloseKey();
    bool KeyExists(const std::string& key) const;
    bool ValueExists(const std::string& name) const;
    bool DeleteKey(const std::string& key);  // with its subkeys
    bool DeleteValue(const std::string& name);

    int ReadInteger(const std::string& name) const;
    bool ReadBool(const std::string& name) const { return ReadInteger(name) != 0; }
    std::string ReadString(const std::string& name) const;
    void WriteInteger(const std::string& name, int value);
    void WriteBool(const std::string& name, bool value) { WriteInteger(name, value ? 1 : 0); }
    void WriteString(const std::string& name, const std::string& value);

private:
    HKEY Base(const std::string& key, std::string& rel) const;
    HKEY root_;
    HKEY key_ = nullptr;
};

void SetClipboardText(const std::string& text);
std::string GetClipboardText();

}  // namespace forms
