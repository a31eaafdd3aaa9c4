// Handlers of the registry and file type sections.
#pragma once

#include "ErrorLog.h"
#include "InstallLog.h"
#include "RecordHandler.h"

#include <windows.h>

#include <string>

// Root texts HKCR, HKCU, HKLM, HKU (exact case); null for any other text.
HKEY RegistryRoot(const std::string& text);

class RegistryHandler : public RecordHandler {
public:
    RegistryHandler(InstallLog& log, ErrorLog& errors) : log_(log), errors_(errors) {}

    // key,ROOT,path  or  value,ROOT,path,name,type,data
    void Apply(const std::string& record) override;
    // entry: ROOT,path as recorded; deletes that key.
    void Undo(const std::string& entry) override;

    // By default only keys that a key record created are recorded; in
    // RecordAllKeys mode every key record is.
    void SetRecordAllKeys(bool all) { recordAllKeys_ = all; }

    // Creates the key when it does not exist ("Cannot create key:" on
    // failure). True when the key exists afterwards.
    bool EnsureKey(HKEY root, const std::string& path);
    // Writes a string value into an existing key; empty data writes nothing.
    bool SetStringValue(HKEY root, const std::string& path, const std::string& name, const std::string& data);

    InstallLog& Log() { return log_; }

private:
    void ApplyKey(HKEY root, const std::string& rootText, const std::string& path);
    void ApplyValue(HKEY root, const std::string& path, const std::string& name, const std::string& type,
                    const std::string& data);

    InstallLog& log_;
    ErrorLog& errors_;
    bool recordAllKeys_ = false;
};

class FileTypeHandler : public RecordHandler {
public:
    explicit FileTypeHandler(RegistryHandler& registry) : log_(registry.Log()) {}
    // .ext,class,description,open command[,icon file[,icon index]]; an
    // extension that already exists is left alone.
    void Apply(const std::string& record) override;

private:
    InstallLog& log_;
};

// Writes the product's key below HKLM SOFTWARE\Oltrane\Instorra\UserData
// (company, product, version, each level recorded) with its four values.
void WriteUserDataKey(RegistryHandler& registry, const std::string& company, const std::string& product,
                      const std::string& version, const std::string& appDir, const std::string& shortcutFolder,
                      const std::string& installSource);

extern const char kUserDataKey[];
