// New, rename and delete of folders and links, with the folder name rules and their notices.
#include "LinkStore.h"
#include "Paths.h"
#include "Platform.h"
#include "PrefixSet.h"
#include <unordered_set>

namespace {

const char* const NameTakenText = "The Folder name you have entered already exist !";

bool NameRefused(const std::string& name) {
    return name.find_first_of(":|/\\*\"><?") != std::string::npos || name[0] == '.' || name[0] == ' ';
}

}  // namespace

bool LinkStore::CheckFolderName(const std::string& name, bool emptyIsRefused) {
    if (name.empty() && !emptyIsRefused) return false;
    if (!name.empty() && !NameRefused(name)) return true;
    MessageDlgBeep(name + "\r\nThe above folder name is invalid.\r\n"
                          "Please do not include special characters :\r\n/ \\ * \" < > ? | .",
                   TMsgDlgType::Warning, TMsgDlgButtons::OK);
    return false;
}

bool LinkStore::FolderTaken(const std::string& folderPath) const {
    for (const TLinkRecord& r : LinkList)
        if (StartsWithAscii(r.GetPath(), folderPath)) return true;
    return false;
}

void LinkStore::ReplacePrefix(const std::string& oldPrefix, const std::string& newPrefix) {
    std::string path;
    for (int i = 0; i < LinkList.Count(); ++i) {
        std::string_view p = LinkList[i].GetPath();
        if (!StartsWithAscii(p, oldPrefix)) continue;
        path.assign(newPrefix);
        path.append(p.substr(oldPrefix.size()));
        LinkList.Edit(i).SetPath(path);
    }
}

void LinkStore::RemoveRecords(const std::vector<std::string>& folderPrefixes,
                              const std::vector<std::string>& linkPaths) {
    PrefixSet folders;
    for (const std::string& prefix : folderPrefixes) folders.Add(prefix, 0);
    const std::unordered_set<std::string_view> links(linkPaths.begin(), linkPaths.end());
    std::vector<bool> keep(LinkList.Count(), true);
    for (int i = 0; i < LinkList.Count(); ++i) {
        std::string_view p = LinkList[i].GetPath();
        if (links.count(p)) keep[i] = false;
        else folders.ForEachMatch(p, [&](int) { keep[i] = false; });
    }
    LinkList.Compact(keep);
}

bool LinkStore::NewFolder(const std::string& name) {
    if (!CheckFolderName(name, false)) return false;
    const std::string path = Folder + name + "\\";
    if (FolderTaken(path)) {
        MessageDlgBeep(NameTakenText, TMsgDlgType::Warning, TMsgDlgButtons::OK);
        return false;
    }
    LinkList.Add(path, "", NowFileDate(), FolderType);
    LinkList.Sort();
    Changed();
    return true;
}

bool LinkStore::RenameFolder(const std::string& oldName, const std::string& newName) {
    if (UpperCaseAscii(Trim(newName)) == UpperCaseAscii(Trim(oldName))) return false;
    if (!CheckFolderName(newName, false)) return false;
    const std::string newPath = Folder + newName + "\\";
    if (FolderTaken(newPath)) {
        MessageDlgBeep(NameTakenText, TMsgDlgType::Warning, TMsgDlgButtons::OK);
        return false;
    }
    ReplacePrefix(Folder + oldName + "\\", newPath);
    LinkList.Sort();
    Changed();
    return true;
}

bool LinkStore::RenameCurrentFolder(const std::string& nodeName, const std::string& newName) {
    const std::string name = Trim(newName);
    if (!CheckFolderName(name, true)) return false;
    // The root has no parent and cannot be renamed.
    if (Folder.size() <= nodeName.size() + 1) return false;
    const std::string parent = Folder.substr(0, Folder.size() - nodeName.size() - 1);
    const std::string newPath = parent + name + "\\";
    if (FolderTaken(newPath)) {
        MessageDlgBeep(NameTakenText, TMsgDlgType::Warning, TMsgDlgButtons::OK);
        return false;
    }
    ReplacePrefix(Folder, newPath);
    SetCurrentFolder(newPath);
    LinkList.Sort();
    Changed();
    return true;
}

bool LinkStore::DeleteFolder(const std::string& folderPath, const std::string& nodeName) {
    if (MessageDlgBeep("Are you sure you want to delete the folder '" + nodeName +
                           "' and all its contents ?",
                       TMsgDlgType::Warning, TMsgDlgButtons::YesNo) != TModalResult::Yes)
        return false;
    // An empty path would be a prefix of every record.
    if (!folderPath.empty()) RemoveRecords({folderPath}, {});
    Changed();
    return true;
}

bool LinkStore::DeleteEntries(const TListing& entries) {
    TListing chosen;
    for (const TListEntry& e : entries)
        if (!e.IsUp()) chosen.push_back(e);
    if (chosen.empty()) {
        MessageDlgBeep("Incorrect selection !", TMsgDlgType::Error, TMsgDlgButtons::OK);
        return false;
    }
    std::string question;
    if (chosen.size() > 1)
        question = "Are you sure you want to delete the selected items ?";
    else if (chosen[0].IsFolder())
        question = Concat("Are you sure you want to delete the folder '", chosen[0].Name, "' and all its contents ?");
    else
        question = Concat("Are you sure you want to delete the item '", chosen[0].Name, "' ?");
    if (MessageDlgBeep(question, TMsgDlgType::Warning, TMsgDlgButtons::YesNo) != TModalResult::Yes)
        return false;

    std::vector<std::string> folderPaths, linkPaths;
    for (const TListEntry& e : chosen) {
        if (e.IsFolder()) folderPaths.emplace_back(e.Path);
        else linkPaths.push_back(Concat(e.Path, e.Name));
    }
    RemoveRecords(folderPaths, linkPaths);
    Changed();
    return true;
}
