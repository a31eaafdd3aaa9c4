// Registry keys and the clipboard's text.
#include "System.h"
#include "Forms.h"

#include <vector>

namespace forms {

HKEY Registry::Base(const std::string& key, std::string& rel) const {
    if (!key.empty() && key[0] == '\\') {
        rel = key.substr(1);
        return root_;
    }
    rel = key;
    return key_ ? key_ : root_;
}

bool Registry::OpenKey(const std::string& key, bool canCreate) {
    std::string rel;
    HKEY base = Base(key, rel);
    HKEY opened = nullptr;
    LONG rc = canCreate ? RegCreateKeyExA(base, rel.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &opened, nullptr)
                        : RegOpenKeyExA(base, rel.c_str(), 0, KEY_ALL_ACCESS, &opened);
    if (rc != ERROR_SUCCESS) return false;
    CloseKey();
    key_ = opened;
    return true;
}

void Registry::CloseKey() {
    if (key_) RegCloseKey(key_);
    key_ = nullptr;
}

bool Registry::KeyExists(const std::string& key) const {
    std::string rel;
    HKEY base = Base(key, rel);
    HKEY k;
    if (RegOpenKeyExA(base, rel.c_str(), 0, KEY_READ, &k) != ERROR_SUCCESS) return false;
    RegCloseKey(k);
    return true;
}

bool Registry::ValueExists(const std::string& name) const {
    return key_ && RegQueryValueExA(key_, name.c_str(), nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

namespace {
LONG DeleteTree(HKEY base, const std::string& rel) {
    HKEY k;
    LONG rc = RegOpenKeyExA(base, rel.c_str(), 0, KEY_ALL_ACCESS, &k);
    if (rc != ERROR_SUCCESS) return rc;
    char name[256];
    for (;;) {
        DWORD len = sizeof name;
        if (RegEnumKeyExA(k, 0, name, &len, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
        if (DeleteTree(k, name) != ERROR_SUCCESS) break;
    }
    RegCloseKey(k);
    return RegDeleteKeyA(base, rel.c_str());
}
}  // namespace

bool Registry::DeleteKey(const std::string& key) {
    std::string rel;
    HKEY base = Base(key, rel);
    return DeleteTree(base, rel) == ERROR_SUCCESS;
}

bool Registry::DeleteValue(const std::string& name) {
    return key_ && RegDeleteValueA(key_, name.c_str()) == ERROR_SUCCESS;
}

int Registry::ReadInteger(const std::string& name) const {
    DWORD type = 0, value = 0, size = sizeof value;
    if (!key_ || RegQueryValueExA(key_, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) !=
                     ERROR_SUCCESS ||
        type != REG_DWORD)
        throw ERegistryException("Invalid data type for '" + name + "'");
    return static_cast<int>(value);
}

std::string Registry::ReadString(const std::string& name) const {
    DWORD type = 0, size = 0;
    if (!key_ || RegQueryValueExA(key_, name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS) return "";
    if (type != REG_SZ && type != REG_EXPAND_SZ) throw ERegistryException("Invalid data type for '" + name + "'");
    std::vector<char> buf(size + 1, '\0');
    RegQueryValueExA(key_, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(buf.data()), &size);
    return std::string(buf.data());
}

void Registry::WriteInteger(const std::string& name, int value) {
    DWORD v = static_cast<DWORD>(value);
    if (!key_ || RegSetValueExA(key_, name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&v), sizeof v) !=
                     ERROR_SUCCESS)
        throw ERegistryException("Failed to set data for '" + name + "'");
}

void Registry::WriteString(const std::string& name, const std::string& value) {
    if (!key_ || RegSetValueExA(key_, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                                static_cast<DWORD>(value.size() + 1)) != ERROR_SUCCESS)
        throw ERegistryException("Failed to set data for '" + name + "'");
}

namespace {
struct ClipboardLock {
    ClipboardLock() {
        if (!OpenClipboard(Application::Instance().Handle())) RaiseLastOSError();
    }
    ~ClipboardLock() { CloseClipboard(); }
};
}  // namespace

void SetClipboardText(const std::string& text) {
    ClipboardLock lock;
    EmptyClipboard();
    HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    if (!mem) RaiseLastOSError();
    memcpy(GlobalLock(mem), text.c_str(), text.size() + 1);
    GlobalUnlock(mem);
    if (!SetClipboardData(CF_TEXT, mem)) {
        GlobalFree(mem);
        RaiseLastOSError();
    }
}

std::string GetClipboardText() {
    ClipboardLock lock;
    HANDLE h = GetClipboardData(CF_TEXT);
    if (!h) return "";
    const char* p = static_cast<const char*>(GlobalLock(h));
    std::string s = p ? p : "";
    GlobalUnlock(h);
    return s;
}

}  // namespace forms
