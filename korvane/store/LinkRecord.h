// The 528-byte record of one folder or link, and LinkList, the owning ordered list of them.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#pragma pack(push, 1)
struct TLinkRecord {
    uint8_t Path[256];     // length byte, then up to 255 characters
    uint8_t Url[256];      // length byte, then up to 255 characters
    uint32_t Date;         // DOS packed date and time, local
    uint8_t ItemType[11];  // length byte, then up to 10 characters
    uint8_t Padding;

    // The texts as stored. A length byte larger than its field is read as the field's size,
    // so a damaged record never reads beyond its own bytes.
    std::string_view GetPath() const;
    std::string_view GetUrl() const;
    std::string_view GetItemType() const;
    // Store a text cut to what the field holds (255, 255 and 10 characters).
    void SetPath(std::string_view s);
    void SetUrl(std::string_view s);
    void SetItemType(std::string_view s);
    bool IsFolder() const { return GetItemType() == "Folder"; }
};
#pragma pack(pop)
static_assert(sizeof(TLinkRecord) == 528, "a link record is 528 bytes");

constexpr const char* RootFolder = "Favorites\\";
constexpr const char* FolderType = "Folder";
constexpr const char* UrlType = "Url";

// A new record with every non-significant byte zero.
TLinkRecord MakeLinkRecord(std::string_view path, std::string_view url, uint32_t date,
                           std::string_view itemType);

// The order LinkList is sorted in: the paths under the locale's case-insensitive comparison.
// Negative, zero or positive.
int CompareRecordPaths(const TLinkRecord& a, const TLinkRecord& b);

// The records of the open link file, in list order. The list holds the records by value
// (contiguously, so a file is read and written in one pass); removing a record frees it.
// Sorting uses locale sort keys that are computed once per record and kept until its path
// changes, so a sort after a small change costs no locale calls for the unchanged records.
class TLinkList {
public:
    int Count() const { return static_cast<int>(Records.size()); }
    bool Empty() const { return Records.empty(); }
    const TLinkRecord& operator[](int i) const { return Records[i]; }
    // Mutable access; the record's cached sort key is dropped.
    TLinkRecord& Edit(int i);
    const TLinkRecord* begin() const { return Records.data(); }
    const TLinkRecord* end() const { return Records.data() + Records.size(); }

    void Add(const TLinkRecord& r);
    // Builds a record (texts cut at 255/255/10) and appends it.
    void Add(std::string_view path, std::string_view url, uint32_t date, std::string_view itemType);
    void Delete(int i);
    void Clear();
    void Reserve(int n);
    // Removes, in one pass, every record for which keep[i] is false. keep.size() == Count().
    void Compact(const std::vector<bool>& keep);
    // Sorts with CompareRecordPaths; records that compare equal keep their relative order.
    void Sort();

    // Raw access for the file reader and writer.
    const TLinkRecord* Data() const { return Records.data(); }
    // Appends n uninitialised-by-contract records and returns their storage.
    TLinkRecord* AppendRaw(int n);
    // Drops records from the end down to n (after a failed read).
    void Truncate(int n);

private:
    void EnsureKey(int i);
    std::vector<TLinkRecord> Records;
    std::vector<std::string> Keys;     // locale sort key of each path, valid when KeyValid[i]
    std::vector<uint8_t> KeyValid;
};
