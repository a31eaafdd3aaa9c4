// Link records and the owning, sortable LinkList.
#include "LinkRecord.h"
#include "Platform.h"
#include <algorithm>
#include <cstring>


namespace {

std::string_view ReadField(const uint8_t* field, size_t capacity) {
    size_t len = std::min<size_t>(field[0], capacity);
    return std::string_view(reinterpret_cast<const char*>(field + 1), len);
}

void WriteField(uint8_t* field, size_t capacity, std::string_view s) {
    size_t len = std::min(s.size(), capacity);
    field[0] = static_cast<uint8_t>(len);
    std::memcpy(field + 1, s.data(), len);
}

}  // namespace

std::string_view TLinkRecord::GetPath() const { return ReadField(Path, 255); }
std::string_view TLinkRecord::GetUrl() const { return ReadField(Url, 255); }
std::string_view TLinkRecord::GetItemType() const { return ReadField(ItemType, 10); }
void TLinkRecord::SetPath(std::string_view s) { WriteField(Path, 255, s); }
void TLinkRecord::SetUrl(std::string_view s) { WriteField(Url, 255, s); }
void TLinkRecord::SetItemType(std::string_view s) { WriteField(ItemType, 10, s); }

TLinkRecord MakeLinkRecord(std::string_view path, std::string_view url, uint32_t date,
                           std::string_view itemType) {
    TLinkRecord r;
    std::memset(&r, 0, sizeof r);
    r.SetPath(path);
    r.SetUrl(url);
    r.Date = date;
    r.SetItemType(itemType);
    return r;
}

int CompareRecordPaths(const TLinkRecord& a, const TLinkRecord& b) {
    return AnsiCompareText(a.GetPath(), b.GetPath());
}

TLinkRecord& TLinkList::Edit(int i) {
    KeyValid[i] = 0;
    return Records[i];
}

void TLinkList::Add(const TLinkRecord& r) {
    Records.push_back(r);
    Keys.emplace_back();
    KeyValid.push_back(0);
}

void TLinkList::Add(std::string_view path, std::string_view url, uint32_t date,
                    std::string_view itemType) {
    Add(MakeLinkRecord(path, url, date, itemType));
}

void TLinkList::Delete(int i) {
    Records.erase(Records.begin() + i);
    Keys.erase(Keys.begin() + i);
    KeyValid.erase(KeyValid.begin() + i);
}

void TLinkList::Clear() {
    Records.clear();
    Keys.clear();
    KeyValid.clear();
}

void TLinkList::Reserve(int n) {
    Records.reserve(n);
    Keys.reserve(n);
    KeyValid.reserve(n);
}

void TLinkList::Compact(const std::vector<bool>& keep) {
    size_t out = 0;
    for (size_t i = 0; i < Records.size(); ++i) {
        if (!keep[i]) continue;
        if (out != i) {
            Records[out] = Records[i];
            Keys[out] = std::move(Keys[i]);
            KeyValid[out] = KeyValid[i];
        }
        ++out;
    }
    Truncate(static_cast<int>(out));
}

TLinkRecord* TLinkList::AppendRaw(int n) {
    size_t old = Records.size();
    Records.resize(old + n);
    Keys.resize(old + n);
    KeyValid.resize(old + n, 0);
    return Records.data() + old;
}

void TLinkList::Truncate(int n) {
    Records.resize(n);
    Keys.resize(n);
    KeyValid.resize(n);
}

void TLinkList::EnsureKey(int i) {
    if (KeyValid[i]) return;
    Keys[i] = AnsiSortKey(Records[i].GetPath());
    KeyValid[i] = 1;
}

namespace {

// Sorts order by the keys, ties by position, so that equal keys keep their order. Keys of paths
// share long prefixes (the folders), so they are sorted eight bytes at a time, each run of equal
// bytes on its own, instead of by whole-key comparisons that re-read the shared prefix.
struct SortItem {
    uint64_t Chunk;
    int Index;
};

uint64_t ChunkAt(const std::string& key, size_t depth) {
    uint64_t v = 0;
    for (size_t i = 0; i < 8; ++i)
        v = (v << 8) | (depth + i < key.size() ? static_cast<unsigned char>(key[depth + i]) : 0u);
    return v;
}

void SortByKeys(SortItem* items, size_t n, size_t depth, const std::vector<std::string>& keys) {
    for (;;) {
        bool longer = false, allEqual = true;
        for (size_t i = 0; i < n; ++i) {
            const std::string& key = keys[items[i].Index];
            items[i].Chunk = ChunkAt(key, depth);
            longer = longer || key.size() > depth + 8;
            allEqual = allEqual && items[i].Chunk == items[0].Chunk;
        }
        if (!longer) {
            // Every key ends here: whole keys decide (a shorter one, zeros after it, goes
            // first), then the position.
            std::sort(items, items + n, [&](const SortItem& a, const SortItem& b) {
                int c = keys[a.Index].compare(keys[b.Index]);
                return c < 0 || (c == 0 && a.Index < b.Index);
            });
            return;
        }
        if (!allEqual) break;
        // A shared prefix orders nothing: skip all of it in one pass over the keys.
        const std::string& first = keys[items[0].Index];
        size_t common = first.size() > depth ? first.size() - depth : 0;
        for (size_t i = 1; i < n && common >= 8; ++i) {
            const std::string& key = keys[items[i].Index];
            size_t k = 0, limit = std::min(common, key.size() > depth ? key.size() - depth : 0);
            while (k < limit && key[depth + k] == first[depth + k]) ++k;
            common = k;
        }
        depth += std::max<size_t>(common, 8);
    }
    std::sort(items, items + n, [](const SortItem& a, const SortItem& b) { return a.Chunk < b.Chunk; });
    for (size_t lo = 0; lo < n;) {
        size_t hi = lo + 1;
        while (hi < n && items[hi].Chunk == items[lo].Chunk) ++hi;
        if (hi - lo > 1) SortByKeys(items + lo, hi - lo, depth + 8, keys);
        lo = hi;
    }
}

}  // namespace

void TLinkList::Sort() {
    const int n = Count();
    std::vector<SortItem> changed;
    std::vector<int> unchanged;
    unchanged.reserve(n);
    for (int i = 0; i < n; ++i) {
        if (KeyValid[i]) unchanged.push_back(i);
        else changed.push_back({0, i});
    }
    if (changed.size() >= 1000) PrepareFastSortKeys();
    for (const SortItem& c : changed) EnsureKey(c.Index);

    // After an edit most records keep their keys and are still in order: then only the changed
    // ones are sorted and merged in. Equal keys go by position either way, so the result is the
    // full sort's.
    bool inOrder = changed.size() * 4 < static_cast<size_t>(n);
    for (size_t k = 1; inOrder && k < unchanged.size(); ++k)
        inOrder = Keys[unchanged[k - 1]] <= Keys[unchanged[k]];
    std::vector<int> order;
    order.reserve(n);
    if (inOrder) {
        SortByKeys(changed.data(), changed.size(), 0, Keys);
        size_t a = 0, b = 0;
        while (a < unchanged.size() || b < changed.size()) {
            bool takeChanged = a == unchanged.size();
            if (!takeChanged && b < changed.size()) {
                int c = Keys[changed[b].Index].compare(Keys[unchanged[a]]);
                takeChanged = c < 0 || (c == 0 && changed[b].Index < unchanged[a]);
            }
            order.push_back(takeChanged ? changed[b++].Index : unchanged[a++]);
        }
    } else {
        std::vector<SortItem> items(n);
        for (int i = 0; i < n; ++i) items[i].Index = i;
        SortByKeys(items.data(), items.size(), 0, Keys);
        for (const SortItem& it : items) order.push_back(it.Index);
    }
    bool already = true;
    for (int i = 0; i < n && already; ++i) already = order[i] == i;
    if (already) return;
    std::vector<TLinkRecord> records;
    records.reserve(n);
    std::vector<std::string> keys(n);
    for (int i = 0; i < n; ++i) {
        records.push_back(Records[order[i]]);
        keys[i] = std::move(Keys[order[i]]);
    }
    Records.swap(records);
    Keys.swap(keys);
    // Every key is valid now; KeyValid is all ones already.
}
