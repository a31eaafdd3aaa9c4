// Helpers of the store tests.
#include "StoreTestSupport.h"
#include <windows.h>
#include <gtest/gtest.h>
#include <stdexcept>

TempFolder::TempFolder() {
    char base[MAX_PATH];
    GetTempPathA(MAX_PATH, base);
    static int counter = 0;
    Dir = std::string(base) + "kvstore_" + std::to_string(GetCurrentProcessId()) + "_" +
          std::to_string(GetTickCount()) + "_" + std::to_string(++counter);
    if (!CreateDirectoryA(Dir.c_str(), nullptr)) throw std::runtime_error("cannot create " + Dir);
}

TempFolder::~TempFolder() {
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA((Dir + "\\*").c_str(), &fd);
    if (h != INVALID_HANDLE_VALUE) {
        do {
            std::string name = fd.cFileName;
            if (name == "." || name == "..") continue;
            std::string full = Dir + "\\" + name;
            SetFileAttributesA(full.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) RemoveDirectoryA(full.c_str());
            else DeleteFileA(full.c_str());
        } while (FindNextFileA(h, &fd));
        FindClose(h);
    }
    RemoveDirectoryA(Dir.c_str());
}

std::string ReadBytes(const std::string& file) {
    HANDLE h = CreateFileA(file.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) throw std::runtime_error("cannot read " + file);
    std::string bytes(GetFileSize(h, nullptr), '\0');
    DWORD got = 0;
    if (!bytes.empty()) ReadFile(h, &bytes[0], static_cast<DWORD>(bytes.size()), &got, nullptr);
    CloseHandle(h);
    bytes.resize(got);
    return bytes;
}

void WriteBytes(const std::string& file, const std::string& bytes) {
    HANDLE h = CreateFileA(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) throw std::runtime_error("cannot write " + file);
    DWORD put = 0;
    WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &put, nullptr);
    CloseHandle(h);
}

OutlineTree::OutlineTree(const std::string& outline) {
    for (const TOutlineLine& line : ReadOutline(outline)) {
        Items.push_back({line.Text, line.Parent, {}});
        if (line.Parent >= 0) Items[line.Parent].Children.push_back(static_cast<int>(Items.size()) - 1);
    }
}

int OutlineTree::IndexOf(Node n) const {
    return static_cast<int>(static_cast<const Item*>(n) - Items.data());
}

TFolderTree::Node OutlineTree::Root() const { return Items.empty() ? nullptr : &Items[0]; }

TFolderTree::Node OutlineTree::FirstChild(Node n) const {
    const Item& it = Items[IndexOf(n)];
    return it.Children.empty() ? nullptr : &Items[it.Children[0]];
}

TFolderTree::Node OutlineTree::NextSibling(Node n) const {
    int i = IndexOf(n);
    int parent = Items[i].Parent;
    if (parent < 0) {
        for (size_t k = i + 1; k < Items.size(); ++k)
            if (Items[k].Parent < 0) return &Items[k];
        return nullptr;
    }
    const std::vector<int>& sib = Items[parent].Children;
    for (size_t k = 0; k + 1 < sib.size(); ++k)
        if (sib[k] == i) return &Items[sib[k + 1]];
    return nullptr;
}

std::string OutlineTree::NodeText(Node n) const { return Items[IndexOf(n)].Text; }

std::string OutlineTree::PathOf(Node n) const {
    if (!n) return "(none)";
    std::string path;
    for (int i = IndexOf(n); i >= 0; i = Items[i].Parent)
        path = Items[i].Text + (path.empty() ? "" : "\\" + path);
    return path;
}

void Fill(LinkStore& store, const std::vector<Rec>& records) {
    for (const Rec& r : records) {
        bool folder = r.Path.compare(0, 2, "F:") == 0;
        store.LinkList.Add(folder ? r.Path.substr(2) : r.Path, r.Url, r.Date,
                           folder ? "Folder" : r.Type);
    }
}

std::vector<std::string> Paths(const TLinkList& list) {
    std::vector<std::string> v;
    for (const TLinkRecord& r : list) v.emplace_back(r.GetPath());
    return v;
}

std::vector<std::string> Names(const TListing& listing) {
    std::vector<std::string> v;
    for (const TListEntry& e : listing) v.emplace_back(e.Name);
    return v;
}

TListEntry EntryNamed(const TListing& listing, const std::string& name) {
    for (const TListEntry& e : listing)
        if (e.Name == name) return e;
    ADD_FAILURE() << "no entry " << name;
    return TListEntry();
}
