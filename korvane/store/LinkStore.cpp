// LinkStore: the browsing position, the listings over LinkList and the shared helpers of the
// editing operations.
#include "LinkStore.h"
#include "Paths.h"

LinkStore::LinkStore(TPrompter& prompter) : Prompter(&prompter) {}

void LinkStore::SetCurrentFolder(const std::string& folder) {
    Folder = folder;
    Sub = SubPathOf(Folder);
}

void LinkStore::EnterFolder(const std::string& name) { SetCurrentFolder(Folder + name + "\\"); }

void LinkStore::GoUp() { SetCurrentFolder(ParentFolderPath(Folder)); }

void LinkStore::NewList() {
    Modified = false;
    SetCurrentFolder(RootFolder);
    CopySource.clear();
    LinkList.Clear();
    CurrentFileName.clear();
    UpdateCommandStates();
}

TListing LinkStore::ListFolder() const { return ::ListFolder(AllRecords(LinkList), Folder); }
TListing LinkStore::ListFolder(const TRecordRefs& records) const { return ::ListFolder(records, Folder); }
TListing LinkStore::ListSubtree() const { return ::ListSubtree(AllRecords(LinkList), Folder); }
TListing LinkStore::ListSubtree(const TRecordRefs& records) const { return ::ListSubtree(records, Folder); }
TListing LinkStore::CurrentListing() const { return ClassicStyle ? ListSubtree() : ListFolder(); }
TRecordRefs LinkStore::FindMatches(const std::string& text) const { return ::FindMatches(LinkList, text); }
std::string LinkStore::FolderOutline() const { return ::FolderOutline(LinkList); }

TModalResult LinkStore::MessageDlgBeep(const std::string& text, TMsgDlgType kind,
                                       TMsgDlgButtons buttons) {
    return Prompter->MessageDlgBeep(text, kind, buttons);
}

void LinkStore::Changed() {
    Modified = true;
    UpdateCommandStates();
}

void LinkStore::UpdateCommandStates() {
    if (OnUpdateCommandStates) OnUpdateCommandStates();
}
