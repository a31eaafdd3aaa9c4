// LinkStore: the program-wide state of Korvane (LinkList, Modified, CurrentFileName,
// CurrentFolder, the copy and drag buffers, the list style) and every operation on it.
// The main form owns the one instance; dialogs reach it through the main form.
#pragma once
#include "LinkRecord.h"
#include "Listing.h"
#include "Prompter.h"
#include <functional>
#include <string>
#include <vector>

class LinkStore {
public:
    explicit LinkStore(TPrompter& prompter);
    void SetPrompter(TPrompter& prompter) { Prompter = &prompter; }

    // --- State the windows read and change directly ---
    TLinkList LinkList;
    bool Modified = false;
    std::string CurrentFileName;   // empty while the list is untitled
    bool ClassicStyle = false;     // list shows every link below CurrentFolder, no folders

    std::vector<TLinkRecord> CopyBuffer;  // paths relative to CopySource
    std::vector<std::string> CopyNames;   // Name + "=" + ItemType per copied entry
    std::string CopySource;
    std::vector<TLinkRecord> DragBuffer;
    std::vector<std::string> DragNames;   // key + "=" + ItemType per dragged entry
    std::string DragSource;

    // Called whenever the enabled state of the commands may have changed (after a save,
    // a load, a copy and every change of LinkList).
    std::function<void()> OnUpdateCommandStates;

    // --- Browsing position ---
    const std::string& CurrentFolder() const { return Folder; }
    const std::string& SubPath() const { return Sub; }   // CurrentFolder after "Favorites\"
    void SetCurrentFolder(const std::string& folder);
    void EnterFolder(const std::string& name);  // appends name + "\"
    void GoUp();                                // ParentFolderPath(CurrentFolder)

    // --- Link file ---
    // Throws EInOutError. On failure to open, LinkList is unchanged; a read failing part-way
    // leaves the records read so far.
    void LoadLinkFile(const std::string& fileName);
    // Writes a new file beside fileName and replaces fileName only when every byte is written.
    // Throws EInOutError; on failure the old file is intact and Modified stays set.
    void SaveLinkFile(const std::string& fileName);
    // The New command's reset: empty list, root folder, no file, not modified, CopySource empty.
    void NewList();

    // --- Listings (over LinkList, or over given records) ---
    TListing ListFolder() const;
    TListing ListFolder(const TRecordRefs& records) const;
    TListing ListSubtree() const;
    TListing ListSubtree(const TRecordRefs& records) const;
    // The listing the window shows for the current style (ListSubtree or ListFolder).
    TListing CurrentListing() const;
    // The window applies the find only to texts of three characters or more.
    TRecordRefs FindMatches(const std::string& text) const;
    std::string FolderOutline() const;

    // --- Editing (each returns true when LinkList changed) ---
    TModalResult MessageDlgBeep(const std::string& text, TMsgDlgType kind, TMsgDlgButtons buttons);
    bool NewFolder(const std::string& name);
    bool RenameFolder(const std::string& oldName, const std::string& newName);
    bool RenameCurrentFolder(const std::string& nodeName, const std::string& newName);
    bool DeleteFolder(const std::string& folderPath, const std::string& nodeName);
    bool DeleteEntries(const TListing& entries);

    // --- Copy, paste and move ---
    bool CopyEntries(const TListing& selected);   // false when refused
    // Conflicts are looked up in the listing shown (CurrentListing() when none is given).
    bool PasteEntries();
    bool PasteEntries(const TListing& shown);
    void CaptureDragEntries(const TListing& selected);
    // Drop on the tree node targetNode of tree, whose folder path is target.
    bool MoveEntries(const std::string& target, const TFolderTree& tree, TFolderTree::Node targetNode);

private:
    bool CheckFolderName(const std::string& name, bool emptyIsRefused);
    bool FolderTaken(const std::string& folderPath) const;
    void ReplacePrefix(const std::string& oldPrefix, const std::string& newPrefix);
    // Removes, in one pass, the records below any of the folder prefixes (exact) and the records
    // whose path is one of linkPaths.
    void RemoveRecords(const std::vector<std::string>& folderPrefixes, const std::vector<std::string>& linkPaths);
    void PasteRecords(const std::vector<TLinkRecord>& buffer, const std::string& dest);
    void Changed();
    void UpdateCommandStates();

    TPrompter* Prompter;
    std::string Folder = RootFolder;
    std::string Sub;
};
