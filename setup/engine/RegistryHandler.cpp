// Handlers of the registry and file type sections.
#include "RegistryHandler.h"

#include "Handles.h"
#include "RecordFields.h"

#include <cctype>
#include <cstdlib>
#include <vector>

const char kUserDataKey[] = "SOFTWARE\\Oltrane\\Instorra\\UserData\\";

namespace {

// The fields of a registry or file type record: "&comma;" inside a field
// stands for a comma.
std::vector<std::string> DecodedFields(const std::string& record, size_t count) {
    std::vector<std::string> all = SplitRecord(record);
    std::vector<std::string> fields(count);
    static const std::string token = "&comma;";
    for (size_t i = 0; i < count; ++i) {
        fields[i] = RecordField(all, i);
        for (size_t at = fields[i].find(token); at != std::string::npos; at = fields[i].find(token, at + 1))
            fields[i].replace(at, token.size(), ",");
    }
    return fields;
}

bool KeyExists(HKEY root, const std::string& path) {
    ScopedKey key;
    return RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, key.Receive()) == ERROR_SUCCESS;
}

bool CreateKey(HKEY root, const std::string& path) {
    ScopedKey key;
    return RegCreateKeyExA(root, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr,
                           key.Receive(), nullptr) == ERROR_SUCCESS;
}

bool CreateKeyWithDefault(HKEY root, const std::string& path, const std::string& data) {
    ScopedKey key;
    if (RegCreateKeyExA(root, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, key.Receive(),
                        nullptr) != ERROR_SUCCESS)
        return false;
    RegSetValueExA(key.Get(), nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                   static_cast<DWORD>(data.size() + 1));
    return true;
}

bool WriteValue(HKEY key, const char* name, char type, const std::string& data) {
    switch (type) {
    case 'S':
        return RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                              static_cast<DWORD>(data.size() + 1)) == ERROR_SUCCESS;
    case 'D': {
        DWORD number = std::strtoul(data.c_str(), nullptr, 16);
        return RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), sizeof(number)) ==
               ERROR_SUCCESS;
    }
    case 'B': {
        std::vector<BYTE> bytes;
        const char* p = data.c_str();
        for (;;) {
            while (*p == ' ' || *p == '\t' || *p == '\r' || *p == '\n') ++p;
            if (!*p) break;
            char* end = nullptr;
            bytes.push_back(static_cast<BYTE>(std::strtoul(p, &end, 16) & 0xFF));
            if (end == p) {  // not a hex digit: skip the word
                while (*p && *p != ' ' && *p != '\t' && *p != '\r' && *p != '\n') ++p;
            } else {
                p = end;
            }
        }
        return RegSetValueExA(key, name, 0, REG_BINARY, bytes.empty() ? nullptr : bytes.data(),
                              static_cast<DWORD>(bytes.size())) == ERROR_SUCCESS;
    }
    default:
        return false;
    }
}

}  // namespace

HKEY RegistryRoot(const std::string& text) {
    if (text == "HKCR") return HKEY_CLASSES_ROOT;
    if (text == "HKCU") return HKEY_CURRENT_USER;
    if (text == "HKLM") return HKEY_LOCAL_MACHINE;
    if (text == "HKU") return HKEY_USERS;
    return nullptr;
}

void RegistryHandler::Apply(const std::string& record) {
    std::vector<std::string> fields = DecodedFields(record, 6);
    HKEY root = RegistryRoot(fields[1]);
    if (!root) {
        errors_.Add("Invalid major key:", fields[1]);
        return;
    }
    if (fields[0] == "key")
        ApplyKey(root, fields[1], fields[2]);
    else if (fields[0] == "value")
        ApplyValue(root, fields[2], fields[3], fields[4], fields[5]);
    else
        errors_.Add("Invalid record type(need key or value):", fields[0]);
}

void RegistryHandler::ApplyKey(HKEY root, const std::string& rootText, const std::string& path) {
    bool created = false;
    if (!KeyExists(root, path)) {
        created = CreateKey(root, path);
        if (!created) errors_.Add("Cannot create key:", path);
    }
    if (recordAllKeys_ || created) log_.RecordKey(rootText + "," + path);
}

void RegistryHandler::ApplyValue(HKEY root, const std::string& path, const std::string& name,
                                 const std::string& type, const std::string& data) {
    bool ok = false;
    ScopedKey key;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_SET_VALUE, key.Receive()) == ERROR_SUCCESS) {
        if (type.empty() || data.empty()) return;
        char letter = static_cast<char>(std::toupper(static_cast<unsigned char>(type[0])));
        ok = WriteValue(key.Get(), name == "(Default)" ? nullptr : name.c_str(), letter, data);
    }
    if (!ok)
        errors_.Add("Cannot create value:", "key='" + path + "' value name='" + name + "' value type='" + type +
                        "' value='" + data);
}

void RegistryHandler::Undo(const std::string& entry) {
    HKEY root = RegistryRoot(RecordField(SplitRecord(entry), 0));
    size_t comma = entry.find(',');
    if (root && comma != std::string::npos) RegDeleteKeyA(root, entry.substr(comma + 1).c_str());
}

bool RegistryHandler::EnsureKey(HKEY root, const std::string& path) {
    if (KeyExists(root, path)) return true;
    if (CreateKey(root, path)) return true;
    errors_.Add("Cannot create key:", path);
    return false;
}

bool RegistryHandler::SetStringValue(HKEY root, const std::string& path, const std::string& name,
                                     const std::string& data) {
    if (data.empty()) return true;
    ScopedKey key;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_SET_VALUE, key.Receive()) != ERROR_SUCCESS) return false;
    return WriteValue(key.Get(), name.c_str(), 'S', data);
}

void FileTypeHandler::Apply(const std::string& record) {
    std::vector<std::string> fields = DecodedFields(record, 6);
    const std::string& extension = fields[0];
    const std::string& className = fields[1];
    if (KeyExists(HKEY_CLASSES_ROOT, extension)) return;

    if (!CreateKeyWithDefault(HKEY_CLASSES_ROOT, extension, className)) return;
    log_.RecordKey("HKCR," + extension);
    if (!CreateKeyWithDefault(HKEY_CLASSES_ROOT, className, fields[2])) return;
    log_.RecordKey("HKCR," + className);
    std::string command = className + "\\shell\\open\\command";
    if (!CreateKeyWithDefault(HKEY_CLASSES_ROOT, command, fields[3])) return;
    log_.RecordKey("HKCR," + command);
    if (fields[4].empty()) return;
    std::string icon = fields[4];
    if (!fields[5].empty()) icon += "," + fields[5];
    std::string iconKey = className + "\\DefaultIcon";
    if (!CreateKeyWithDefault(HKEY_CLASSES_ROOT, iconKey, icon)) return;
    log_.RecordKey("HKCR," + iconKey);
}

void WriteUserDataKey(RegistryHandler& registry, const std::string& company, const std::string& product,
                      const std::string& version, const std::string& appDir, const std::string& shortcutFolder,
                      const std::string& installSource) {
    std::string path = kUserDataKey + company;
    bool exists = registry.EnsureKey(HKEY_LOCAL_MACHINE, path);
    registry.Log().RecordKey("HKLM," + path);
    for (const std::string* level : {&product, &version}) {
        path += "\\" + *level;
        exists = registry.EnsureKey(HKEY_LOCAL_MACHINE, path);
        registry.Log().RecordKey("HKLM," + path);
    }
    if (!exists) return;
    registry.SetStringValue(HKEY_LOCAL_MACHINE, path, "AppDir", appDir);
    registry.SetStringValue(HKEY_LOCAL_MACHINE, path, "AppShortcutFolder", shortcutFolder);
    registry.SetStringValue(HKEY_LOCAL_MACHINE, path, "InstallSource", installSource);
    registry.SetStringValue(HKEY_LOCAL_MACHINE, path, "InstallerVersion", "1.5");
}
