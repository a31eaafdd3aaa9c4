// Explorer and Classic listings, find, column order, folder outline and tree lookup.
#include "Listing.h"
#include "Paths.h"
#include "Platform.h"
#include <algorithm>
#include <cstring>
#include <list>
#include <unordered_map>
#include <unordered_set>

namespace {

// Date texts by day: a listing shows thousands of records of few distinct days, and each
// text costs a locale call.
class DateTexts {
public:
    explicit DateTexts(TListText& text) : Text(text) {}
    std::string_view Get(uint32_t dosDate) {
        const uint32_t time = dosDate & 0xFFFF;
        if ((time >> 11) > 23 || ((time >> 5) & 63) > 59 || (time & 31) > 29) return {};
        auto it = ByDay.find(dosDate >> 16);
        if (it == ByDay.end()) it = ByDay.emplace(dosDate >> 16, Text.Keep(FileDateToStr(dosDate & 0xFFFF0000u))).first;
        return it->second;
    }
private:
    TListText& Text;
    std::unordered_map<uint32_t, std::string_view> ByDay;
};

// The entries of one listing, their texts kept in one shared TListText.
class EntryMaker {
public:
    EntryMaker() : Text(std::make_shared<TListText>()), Dates(*Text) {}
    TListEntry Make(std::string_view name, std::string_view url, std::string_view date, std::string_view type,
                    std::string_view path) {
        TListEntry e;
        e.Name = Text->Keep(name);
        e.Url = Text->Keep(url);
        e.Date = date;  // already kept by Dates
        e.ItemType = KeepRepeated(type, LastType);
        e.Path = KeepRepeated(path, LastPath);
        e.Text = Text;
        return e;
    }
    TListEntry Make(std::string_view name, const TLinkRecord& r, std::string_view path) {
        return Make(name, r.GetUrl(), Dates.Get(r.Date), r.GetItemType(), path);
    }
    std::string_view Date(uint32_t dosDate) { return Dates.Get(dosDate); }
private:
    // Types and paths repeat from one entry to the next: a text equal to the last one is
    // not kept again.
    std::string_view KeepRepeated(std::string_view s, std::string_view& last) {
        if (s != last) last = Text->Keep(s);
        return last;
    }
    std::shared_ptr<TListText> Text;
    DateTexts Dates;
    std::string_view LastType, LastPath;
};

}  // namespace

std::string_view TListText::Keep(std::string_view s) {
    if (s.empty()) return {};
    if (size_ - used_ < s.size()) {
        size_ = std::max<size_t>(64 * 1024, s.size());
        blocks_.push_back(std::make_unique<char[]>(size_));
        used_ = 0;
    }
    char* at = blocks_.back().get() + used_;
    std::memcpy(at, s.data(), s.size());
    used_ += s.size();
    return {at, s.size()};
}

TRecordRefs AllRecords(const TLinkList& list) {
    TRecordRefs refs;
    refs.reserve(list.Count());
    for (const TLinkRecord& r : list) refs.push_back(&r);
    return refs;
}

TListing ListFolder(const TRecordRefs& records, const std::string& currentFolder) {
    // Folder entries are only ever inserted next to the last placed folder entry and link
    // entries only appended, so the two parts are kept apart and joined at the end.
    std::list<TListEntry> folders;
    TListing links;
    if (!SubPathOf(currentFolder).empty()) {
        TListEntry up;
        up.Name = "..";
        up.ItemType = FolderType;
        folders.push_back(up);
    }
    auto placed = folders.begin();  // the entry at position P
    std::unordered_set<std::string> seen;
    std::string lastChild;
    bool haveLast = false;
    EntryMaker make;

    for (const TLinkRecord* r : records) {
        std::string_view path = r->GetPath();
        if (!StartsWith(path, currentFolder)) continue;
        std::string_view rest = path.substr(currentFolder.size());
        size_t slash = rest.find('\\');
        if (slash == std::string_view::npos || slash == 0) {
            // Directly in the folder (an empty first component counts as no component).
            std::string_view name = ExtractFileName(path);
            if (!name.empty()) links.push_back(make.Make(name, *r, ExtractFilePath(path)));
            continue;
        }
        std::string_view child = rest.substr(0, slash);
        if (haveLast && child == lastChild) continue;
        lastChild.assign(child.data(), child.size());
        haveLast = true;
        if (!seen.insert(UpperCaseAscii(child)).second) continue;

        TListEntry e;
        if (slash + 1 == rest.size()) {
            e = make.Make(child, *r, path);  // the folder's own record
        } else {
            // A folder without a record of its own: give it its own folder entry so that
            // deleting, copying and entering it work on the folder, not on the record found.
            e = make.Make(lastChild, "", make.Date(r->Date), FolderType, currentFolder + lastChild + "\\");
        }
        if (folders.empty())
            placed = folders.insert(folders.begin(), std::move(e));
        else if (AnsiCompareStr(lastChild, placed->Name) > 0)
            placed = folders.insert(std::next(placed), std::move(e));
        else
            placed = folders.insert(placed, std::move(e));
    }
    TListing result;
    result.reserve(folders.size() + links.size());
    for (TListEntry& e : folders) result.push_back(std::move(e));
    for (TListEntry& e : links) result.push_back(std::move(e));
    return result;
}

TListing ListSubtree(const TRecordRefs& records, const std::string& currentFolder) {
    auto listed = [&](const TLinkRecord* r) {
        if (r->GetItemType() != UrlType) return false;
        std::string_view path = r->GetPath();
        return !ExtractFileName(path).empty() && StartsWithAscii(ExtractFilePath(path), currentFolder);
    };
    TListing result;
    result.reserve(records.size());  // most records are usually listed
    EntryMaker make;
    for (const TLinkRecord* r : records) {
        if (!listed(r)) continue;
        std::string_view path = r->GetPath();
        result.push_back(make.Make(ExtractFileName(path), *r, ExtractFilePath(path)));
    }
    if (result.size() < result.capacity() / 2) result.shrink_to_fit();  // a small subtree of a big file
    return result;
}

TRecordRefs FindMatches(const TLinkList& list, const std::string& text) {
    const std::string upper = UpperCaseAscii(text);
    TRecordRefs matches;
    for (const TLinkRecord& r : list) {
        if (ContainsAscii(ExtractFileName(r.GetPath()), upper) || ContainsAscii(r.GetUrl(), upper))
            matches.push_back(&r);
    }
    return matches;
}

int CompareEntries(const TListEntry& a, const TListEntry& b, int column, bool descending) {
    if (a.IsFolder()) return -1;
    if (b.IsFolder()) return 1;
    const TListEntry& x = descending ? b : a;
    const TListEntry& y = descending ? a : b;
    switch (column) {
    case 0: return AnsiCompareText(x.Name, y.Name);
    case 1: return AnsiCompareText(x.Url, y.Url);
    case 2: return CompareFloat(StrToDate(std::string(x.Date)), StrToDate(std::string(y.Date)));
    case 3: return x.ItemType.compare(y.ItemType);
    case 4: return AnsiCompareText(x.Path, y.Path);
    default: return 0;
    }
}

TEntryOrder::TEntryOrder(const TListing& listing, int column, bool descending)
    : Listing(listing), Column(column), Descending(descending), Made(listing.size()) {
    if (column == 2) Dates.resize(listing.size());
    else Keys.resize(listing.size());
    if (listing.size() >= 1000) PrepareFastSortKeys();
}

const std::string& TEntryOrder::Key(size_t i) {
    if (!Made[i]) {
        const TListEntry& e = Listing[i];
        Keys[i] = AnsiSortKey(Column == 0 ? e.Name : Column == 1 ? e.Url : e.Path);
        Made[i] = true;
    }
    return Keys[i];
}

double TEntryOrder::Date(size_t i) {
    if (!Made[i]) {
        Dates[i] = StrToDate(std::string(Listing[i].Date));
        Made[i] = true;
    }
    return Dates[i];
}

int TEntryOrder::Compare(size_t a, size_t b) {
    if (Listing[a].IsFolder()) return -1;
    if (Listing[b].IsFolder()) return 1;
    if (Descending) std::swap(a, b);
    switch (Column) {
    case 0:
    case 1:
    case 4: {
        int c = Key(a).compare(Key(b));
        return (c > 0) - (c < 0);
    }
    case 2: return CompareFloat(Date(a), Date(b));
    default: return CompareEntries(Listing[a], Listing[b], Column, false);
    }
}

std::string FolderOutline(const TLinkList& list) {
    std::string out = "Favorites\r\n";
    for (const TLinkRecord& r : list) {
        if (!r.IsFolder()) continue;
        std::string p = Trim(r.GetPath());
        int tabs = CountBackslashes(p) - 1;
        if (tabs > 0) out.append(tabs, '\t');
        out += LastPathComponent(p);
        out += "\r\n";
    }
    return out;
}

std::vector<TOutlineLine> ReadOutline(const std::string& outline) {
    std::vector<TOutlineLine> lines;
    std::vector<int> open;  // indexes of the lines that can still receive children
    size_t pos = 0;
    while (pos < outline.size()) {
        size_t end = outline.find('\n', pos);
        if (end == std::string::npos) end = outline.size();
        size_t stop = end > pos && outline[end - 1] == '\r' ? end - 1 : end;
        std::string_view line(outline.data() + pos, stop - pos);
        pos = end + 1;
        size_t level = 0;
        while (level < line.size() && line[level] == '\t') ++level;
        if (line.empty()) continue;
        while (!open.empty() && lines[open.back()].Level >= static_cast<int>(level)) open.pop_back();
        int parent = open.empty() ? -1 : open.back();
        lines.push_back({std::string(line.substr(level)), static_cast<int>(level), parent});
        open.push_back(static_cast<int>(lines.size()) - 1);
    }
    return lines;
}

TFolderTree::Node FindFolderNode(const TFolderTree& tree, const std::string& path) {
    TFolderTree::Node root = tree.Root();
    if (path == RootFolder) return root;
    size_t first = path.find('\\');
    if (first == std::string::npos || !root) return nullptr;
    TFolderTree::Node current = root, found = nullptr;
    size_t pos = first + 1;
    while (pos < path.size()) {
        size_t end = path.find('\\', pos);
        if (end == std::string::npos) end = path.size();
        const std::string name = path.substr(pos, end - pos);
        pos = end + 1;
        TFolderTree::Node child = tree.FirstChild(current);
        while (child && tree.NodeText(child) != name) child = tree.NextSibling(child);
        if (!child) break;
        current = found = child;
    }
    return found;
}
