// Copy and paste through the copy buffer, and moving dragged entries onto a folder.
#include "LinkStore.h"
#include "Paths.h"
#include "Platform.h"
#include "PrefixSet.h"
#include <algorithm>
#include <numeric>
#include <unordered_map>
#include <unordered_set>

namespace {

const char* const SameFolderPasteText =
    "Cannot move: the destination folder is the same as the source folder !";
const char* const SameFolderMoveText =
    "Cannot move: the destination folder is the same as are the source folder !";

// "Name=ItemType": the type never holds "=", a description may, so split at the last one.
void SplitNameType(const std::string& text, std::string& name, std::string& type) {
    size_t eq = text.rfind('=');
    name = eq == std::string::npos ? text : text.substr(0, eq);
    type = eq == std::string::npos ? std::string() : text.substr(eq + 1);
}

TLinkRecord WithPath(const TLinkRecord& r, std::string_view path) {
    TLinkRecord c = r;
    c.SetPath(path);
    return c;
}

// Records of the list by exact path; string views into the list, so the list must not grow
// beyond its reserved size while the index lives.
using PathIndex = std::unordered_map<std::string_view, std::vector<int>>;

// Removes from buffer the copies of an entry that is not to be pasted or moved.
void DropFromBuffer(std::vector<TLinkRecord>& buffer, const std::vector<std::pair<std::string, bool>>& drops) {
    if (drops.empty()) return;
    PrefixSet folders;
    std::unordered_set<std::string_view> links;
    for (const auto& d : drops) {
        if (d.second) folders.Add(d.first + "\\", 0);
        else links.insert(d.first);
    }
    buffer.erase(std::remove_if(buffer.begin(), buffer.end(),
                                [&](const TLinkRecord& r) {
                                    std::string_view p = r.GetPath();
                                    bool hit = links.count(p) > 0;
                                    if (!hit) folders.ForEachMatch(p, [&](int) { hit = true; });
                                    return hit;
                                }),
                 buffer.end());
}

// The answers of the conflict questions; anything else (the dialog closed some other way)
// cancels like No to All, which changes nothing.
bool IsCancel(TModalResult r) {
    return r != TModalResult::Yes && r != TModalResult::No && r != TModalResult::YesToAll;
}

// For each entry, the indexes of the records it captures, found in one pass over the list: a
// link entry the records its Path and Name name (only the first one when firstLinkOnly), a
// folder entry every record whose folder part begins with its prefix.
std::vector<std::vector<int>> CaptureRecords(const TLinkList& list, const std::vector<const TListEntry*>& entries,
                                             const std::vector<std::string>& folderPrefixes, bool firstLinkOnly) {
    std::vector<std::vector<int>> found(entries.size());
    std::vector<std::string> linkPaths(entries.size());
    std::unordered_multimap<std::string_view, int> links;
    PrefixSet folders;
    for (size_t k = 0; k < entries.size(); ++k) {
        const TListEntry& e = *entries[k];
        if (e.IsFolder()) folders.Add(folderPrefixes[k], static_cast<int>(k));
        else if (e.Name.find('\\') == std::string::npos) {
            linkPaths[k] = Concat(e.Path, e.Name);
            links.emplace(linkPaths[k], static_cast<int>(k));
        }
    }
    for (int i = 0; i < list.Count(); ++i) {
        std::string_view p = list[i].GetPath();
        auto range = links.equal_range(p);
        for (auto it = range.first; it != range.second; ++it)
            if (!firstLinkOnly || found[it->second].empty()) found[it->second].push_back(i);
        folders.ForEachMatch(ExtractFilePath(p), [&](int k) { found[k].push_back(i); });
    }
    return found;
}

}  // namespace

void LinkStore::PasteRecords(const std::vector<TLinkRecord>& buffer, const std::string& dest) {
    const int existing = LinkList.Count();
    LinkList.Reserve(existing + static_cast<int>(buffer.size()));
    PathIndex byPath;
    for (int i = 0; i < existing; ++i) {
        std::string_view p = LinkList[i].GetPath();
        if (StartsWith(p, dest)) byPath[p].push_back(i);
    }
    std::vector<bool> keep(existing, true);
    std::string path;
    for (const TLinkRecord& c : buffer) {
        path.assign(dest);
        path.append(c.GetPath());
        auto it = byPath.find(path);
        if (it != byPath.end()) {
            // The first record of that path still in the list goes.
            for (int& i : it->second) {
                if (i >= 0 && keep[i]) { keep[i] = false; i = -1; break; }
            }
        }
        LinkList.Add(WithPath(c, path));
        keep.push_back(true);
        const int added = LinkList.Count() - 1;
        byPath[LinkList[added].GetPath()].push_back(added);
    }
    LinkList.Compact(keep);
}

bool LinkStore::CopyEntries(const TListing& selected) {
    if (selected.empty()) {
        MessageDlgBeep("Incorect selection !", TMsgDlgType::Information, TMsgDlgButtons::OK);
        return false;
    }
    CopyBuffer.clear();
    CopyNames.clear();
    CopySource = Folder;

    std::vector<const TListEntry*> entries;
    std::vector<std::string> prefixes;
    for (const TListEntry& e : selected) {
        if (e.IsUp()) continue;
        entries.push_back(&e);
        prefixes.emplace_back(e.Path);
        CopyNames.push_back(Concat(e.Name, "=", e.ItemType));
    }
    const std::vector<std::vector<int>> found = CaptureRecords(LinkList, entries, prefixes, true);
    for (size_t k = 0; k < entries.size(); ++k) {
        const TListEntry& e = *entries[k];
        const size_t cut = e.IsFolder() ? ParentFolderPath(e.Path).size() : 0;
        for (int i : found[k]) {
            std::string_view p = LinkList[i].GetPath();
            CopyBuffer.push_back(WithPath(LinkList[i], e.IsFolder() ? p.substr(std::min(cut, p.size()))
                                                                     : ExtractFileName(p)));
        }
    }
    // CompareRecordFolders: the folder parts, case-insensitively under the locale.
    if (CopyBuffer.size() >= 1000) PrepareFastSortKeys();
    std::vector<std::string> keys(CopyBuffer.size());
    for (size_t i = 0; i < CopyBuffer.size(); ++i)
        keys[i] = AnsiSortKey(ExtractFilePath(CopyBuffer[i].GetPath()));
    std::vector<size_t> order(CopyBuffer.size());
    std::iota(order.begin(), order.end(), size_t(0));
    std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) { return keys[a] < keys[b]; });
    std::vector<TLinkRecord> sorted;
    sorted.reserve(CopyBuffer.size());
    for (size_t i : order) sorted.push_back(CopyBuffer[i]);
    CopyBuffer.swap(sorted);
    UpdateCommandStates();
    return true;
}

bool LinkStore::PasteEntries() { return PasteEntries(CurrentListing()); }

bool LinkStore::PasteEntries(const TListing& shown) {
    if (CopySource == Folder) {
        MessageDlgBeep(SameFolderPasteText, TMsgDlgType::Error, TMsgDlgButtons::OK);
        return false;
    }
    // Which names the listing holds as a folder entry and as a link entry, compared
    // case-insensitively through their sort keys.
    std::unordered_set<std::string> folderNames, linkNames;
    for (const TListEntry& e : shown) {
        if (e.IsFolder()) folderNames.insert(AnsiSortKey(e.Name));
        else if (e.ItemType == UrlType) linkNames.insert(AnsiSortKey(e.Name));
    }
    bool askFolders = true, askLinks = true;
    std::vector<std::pair<std::string, bool>> drops;
    std::string name, type;
    for (const std::string& text : CopyNames) {
        SplitNameType(text, name, type);
        const bool isFolder = type == FolderType;
        if (!isFolder && type != UrlType) continue;
        const std::string key = AnsiSortKey(name);
        if (!(isFolder ? folderNames : linkNames).count(key)) continue;
        bool& ask = isFolder ? askFolders : askLinks;
        if (!ask) continue;
        const std::string question =
            isFolder ? "The Folder already contains a folder named '" + name + "'.\n\r\n\r"
                       "If the links in the existing folder have the same URL as links in the\n\r"
                       "the folder you are copying, they will be replaced.\n\r"
                       "Do you still want to copy the folder ?"
                     : "This folder already contains a link with URL :\n\r" + name +
                       "\n\r\n\rWould you like to replace the existing link ?";
        TModalResult answer = MessageDlgBeep(question, TMsgDlgType::Warning,
                                             TMsgDlgButtons::YesNoNoToAllYesToAll);
        if (IsCancel(answer)) {
            DropFromBuffer(CopyBuffer, drops);
            return false;
        }
        if (answer == TModalResult::YesToAll) ask = false;
        if (answer == TModalResult::No) drops.emplace_back(name, isFolder);
    }
    DropFromBuffer(CopyBuffer, drops);
    if (CopyBuffer.empty()) return false;
    PasteRecords(CopyBuffer, Folder);
    LinkList.Sort();
    Changed();
    return true;
}

void LinkStore::CaptureDragEntries(const TListing& selected) {
    DragBuffer.clear();
    DragNames.clear();
    DragSource = Folder;
    std::vector<const TListEntry*> entries;
    std::vector<std::string> prefixes;
    for (const TListEntry& e : selected) {
        entries.push_back(&e);
        prefixes.push_back(Concat(Folder, e.Name, "\\"));
        DragNames.push_back(ClassicStyle ? Concat(e.Path, e.Name, "=", e.ItemType) : Concat(e.Name, "=", e.ItemType));
    }
    const std::vector<std::vector<int>> found = CaptureRecords(LinkList, entries, prefixes, false);
    for (size_t k = 0; k < selected.size(); ++k) {
        for (int i : found[k]) {
            std::string_view p = LinkList[i].GetPath();
            DragBuffer.push_back(WithPath(LinkList[i], selected[k].IsFolder() ? p.substr(Folder.size())
                                                                               : ExtractFileName(p)));
        }
    }
}

bool LinkStore::MoveEntries(const std::string& target, const TFolderTree& tree,
                            TFolderTree::Node targetNode) {
    if (DragSource == target && !ClassicStyle) {
        MessageDlgBeep(SameFolderMoveText, TMsgDlgType::Error, TMsgDlgButtons::OK);
        return false;
    }
    std::unordered_set<std::string> children;
    if (targetNode)
        for (TFolderTree::Node c = tree.FirstChild(targetNode); c; c = tree.NextSibling(c))
            children.insert(AnsiSortKey(tree.NodeText(c)));

    std::vector<std::pair<std::string, bool>> moved, drops;
    bool ask = true;
    std::string key, type;
    for (const std::string& text : DragNames) {
        SplitNameType(text, key, type);
        const bool isFolder = type == FolderType;
        if (StartsWith(target, DragSource + key + "\\")) {
            MessageDlgBeep(SameFolderMoveText, TMsgDlgType::Error, TMsgDlgButtons::OK);
            return false;
        }
        if (children.count(AnsiSortKey(key))) {
            TModalResult answer = TModalResult::YesToAll;
            if (ask)
                answer = MessageDlgBeep(
                    "The Folder already contains a folder named '" + key + "'.\n\r\n\r"
                    "If the links in the existing folder have the same URL as links in the\n\r"
                    "the folder you are copying, they will be replaced.\n\r"
                    "Do you still want to move the folder ?",
                    TMsgDlgType::Warning, TMsgDlgButtons::YesNoNoToAllYesToAll);
            if (IsCancel(answer)) return false;
            if (answer == TModalResult::No) {
                drops.emplace_back(key, isFolder);
                continue;
            }
            if (answer == TModalResult::YesToAll) ask = false;
        }
        moved.emplace_back(key, isFolder);
    }
    DropFromBuffer(DragBuffer, drops);
    if (DragBuffer.empty()) return false;

    std::vector<std::string> folderPaths, linkPaths;
    for (const auto& m : moved) {
        if (m.second) folderPaths.push_back(DragSource + m.first + "\\");
        else linkPaths.push_back(ClassicStyle ? m.first : DragSource + m.first);
    }
    RemoveRecords(folderPaths, linkPaths);
    PasteRecords(DragBuffer, target);
    LinkList.Sort();
    SetCurrentFolder(target);
    Changed();
    return true;
}
