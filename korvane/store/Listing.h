// Listings of a folder (Explorer and Classic style), the find filter, the column order,
// the folder outline and the lookup of a folder's tree node.
#pragma once
#include "LinkRecord.h"
#include <memory>
#include <string>
#include <string_view>
#include <vector>

// The characters of a listing's entries, kept in large blocks: a listing of 100,000 entries
// then costs a few dozen allocations instead of three per entry. Texts never move once kept.
class TListText {
public:
    std::string_view Keep(std::string_view s);
private:
    std::vector<std::unique_ptr<char[]>> blocks_;
    size_t used_ = 0, size_ = 0;
};

// One line of the link list: Description, URL, Date, Type, Path. The texts point into Text,
// which every copy of the entry shares, so an entry stays valid on its own; an entry made of
// string literals needs no Text.
struct TListEntry {
    std::string_view Name, Url, Date, ItemType, Path;
    std::shared_ptr<const TListText> Text;
    bool IsFolder() const { return ItemType == "Folder"; }
    // The ".." entry that leads to the parent folder.
    bool IsUp() const { return Name == ".." && Path.empty() && IsFolder(); }
};
using TListing = std::vector<TListEntry>;
using TRecordRefs = std::vector<const TLinkRecord*>;

// The tree the folders are shown in, seen through opaque node handles (a native tree view
// passes its item handles). A null handle is no node.
class TFolderTree {
public:
    using Node = const void*;
    virtual ~TFolderTree() = default;
    virtual Node Root() const = 0;
    virtual Node FirstChild(Node n) const = 0;
    virtual Node NextSibling(Node n) const = 0;
    virtual std::string NodeText(Node n) const = 0;
};

// The node of a folder path: the whole path's node, else the deepest node found on the way;
// null when not even the first folder below the root exists.
TFolderTree::Node FindFolderNode(const TFolderTree& tree, const std::string& path);

// One line of a folder outline, read as an indented outline: Parent is the index of the
// nearest earlier line with fewer tabs (-1 for a top line). A line more than one level deeper
// than the line before it is thereby attached to its nearest existing ancestor.
struct TOutlineLine {
    std::string Text;
    int Level;
    int Parent;
};
std::vector<TOutlineLine> ReadOutline(const std::string& outline);

// The listings for a given current folder. The store's members of the same names use its
// CurrentFolder and LinkList.
TListing ListFolder(const TRecordRefs& records, const std::string& currentFolder);
TListing ListSubtree(const TRecordRefs& records, const std::string& currentFolder);
TRecordRefs FindMatches(const TLinkList& list, const std::string& text);
std::string FolderOutline(const TLinkList& list);
TRecordRefs AllRecords(const TLinkList& list);

// Negative when a goes first. Column 0 Name, 1 Url, 2 Date, 3 ItemType, 4 Path.
// A Date text that is no date throws EConvertError.
int CompareEntries(const TListEntry& a, const TListEntry& b, int column, bool descending);

// CompareEntries over the entries of one listing by their positions, for sorting long
// listings: instead of a locale call per comparison, each entry's sort key (or date) is made
// once, when the entry is first compared, so the same comparisons throw the same errors.
class TEntryOrder {
public:
    TEntryOrder(const TListing& listing, int column, bool descending);
    int Compare(size_t a, size_t b);
private:
    const std::string& Key(size_t i);
    double Date(size_t i);
    const TListing& Listing;
    const int Column;
    const bool Descending;
    std::vector<std::string> Keys;
    std::vector<double> Dates;
    std::vector<bool> Made;
};
