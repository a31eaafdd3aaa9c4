// Helpers of the store tests: a scripted prompter, a fresh temporary folder, an in-memory
// folder tree read from an outline, and a store filled from a table of records.
#pragma once
#include "LinkStore.h"
#include "Listing.h"
#include "Prompter.h"
#include <deque>
#include <memory>
#include <string>
#include <vector>

struct AskedQuestion {
    std::string Text;
    TMsgDlgType Kind;
    TMsgDlgButtons Buttons;
};

// Answers from a script (OK when it runs out) and records every question.
class ScriptedPrompter : public TPrompter {
public:
    std::deque<TModalResult> Answers;
    std::vector<AskedQuestion> Asked;
    TModalResult MessageDlgBeep(const std::string& text, TMsgDlgType kind,
                                TMsgDlgButtons buttons) override {
        Asked.push_back({text, kind, buttons});
        if (Answers.empty()) return TModalResult::OK;
        TModalResult r = Answers.front();
        Answers.pop_front();
        return r;
    }
};

// A unique folder below the system's temporary folder, removed with its files.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    const std::string& Path() const { return Dir; }
    std::string File(const std::string& name) const { return Dir + "\\" + name; }
private:
    std::string Dir;
};

std::string ReadBytes(const std::string& file);
void WriteBytes(const std::string& file, const std::string& bytes);

// The tree the main window builds from FolderOutline().
class OutlineTree : public TFolderTree {
public:
    explicit OutlineTree(const std::string& outline);
    Node Root() const override;
    Node FirstChild(Node n) const override;
    Node NextSibling(Node n) const override;
    std::string NodeText(Node n) const override;
    Node Find(const std::string& path) const { return FindFolderNode(*this, path); }
    // The path of node texts from the root ("Favorites\News\Sport"), for assertions.
    std::string PathOf(Node n) const;
private:
    struct Item { std::string Text; int Parent; std::vector<int> Children; };
    std::vector<Item> Items;
    int IndexOf(Node n) const;
};

// "F:" + path makes a folder record, anything else a link record with the url given.
struct Rec {
    Rec(const char* path, std::string url = "", std::string type = "Url", uint32_t date = 0x5A2C6000)
        : Path(path), Url(std::move(url)), Type(std::move(type)), Date(date) {}  // date 2025-01-12 12:00
    std::string Path, Url, Type;
    uint32_t Date;
};
void Fill(LinkStore& store, const std::vector<Rec>& records);
std::vector<std::string> Paths(const TLinkList& list);
std::vector<std::string> Names(const TListing& listing);
TListEntry EntryNamed(const TListing& listing, const std::string& name);
