// Finds which of many path prefixes a path begins with (exact comparison) without testing each
// prefix: prefixes that end with "\" are looked up at every "\" of the path.
#pragma once
#include "Paths.h"
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

class PrefixSet {
public:
    // Empty prefixes are ignored: they would match every path.
    void Add(const std::string& prefix, int id) {
        if (prefix.empty()) return;
        Prefixes.push_back(prefix);
        Ids.push_back(id);
    }
    bool Empty() const { return Prefixes.empty(); }

    template <class Fn>
    void ForEachMatch(std::string_view s, Fn&& fn) {
        if (Prefixes.size() <= 4) {
            for (size_t i = 0; i < Prefixes.size(); ++i)
                if (StartsWith(s, Prefixes[i])) fn(Ids[i]);
            return;
        }
        Index();
        for (size_t pos = s.find('\\'); pos != std::string_view::npos; pos = s.find('\\', pos + 1)) {
            auto range = BySlash.equal_range(s.substr(0, pos + 1));
            for (auto it = range.first; it != range.second; ++it) fn(it->second);
        }
        for (size_t i : Others)
            if (StartsWith(s, Prefixes[i])) fn(Ids[i]);
    }

private:
    void Index() {
        if (Indexed) return;
        Indexed = true;
        for (size_t i = 0; i < Prefixes.size(); ++i) {
            if (Prefixes[i].back() == '\\') BySlash.emplace(std::string_view(Prefixes[i]), Ids[i]);
            else Others.push_back(i);
        }
    }
    std::vector<std::string> Prefixes;
    std::vector<int> Ids;
    std::unordered_multimap<std::string_view, int> BySlash;
    std::vector<size_t> Others;
    bool Indexed = false;
};
