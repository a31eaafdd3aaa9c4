// Link records and the owning, sortable LinkList.
#include "LinkRecord.h"
#include "Platform.h"
#include <algorithm>
#include <cstring>
#include <numeric>

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

void TLinkList::Sort() {
    const int n = Count();
    for (int i = 0; i < n; ++i) EnsureKey(i);
    std::vector<int> order(n);
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [this](int a, int b) { return Keys[a] < Keys[b]; });
    bool already = true;
    for (int i = 0; i < n && already; ++i) already = order[i] == i;
    if (already) return;
    std::vector<TLinkRecord> records(n);
    std::vector<std::string> keys(n);
    for (int i = 0; i < n; ++i) {
        records[i] = Records[order[i]];
        keys[i] = std::move(Keys[order[i]]);
    }
    Records.swap(records);
    Keys.swap(keys);
    // Every key is valid after the loop above; KeyValid is all ones already.
}
