// Text helpers for the folder paths that make a tree of the flat LinkList.
#pragma once
#include <string>
#include <string_view>

int CountBackslashes(std::string_view s);
std::string FirstPathComponent(std::string_view s);
std::string LastComponentWithSlash(std::string_view s);
std::string LastPathComponent(std::string_view s);
std::string ParentFolderPath(std::string_view s);
int CompareFloat(double a, double b);

// The text after the last "\" (an entry's name) and up to and including it (its folder part).
std::string_view ExtractFileName(std::string_view s);
std::string_view ExtractFilePath(std::string_view s);

// The texts one after another, in one allocation.
template <typename... Texts>
std::string Concat(const Texts&... texts) {
    std::string out;
    out.reserve((std::string_view(texts).size() + ...));
    (out.append(std::string_view(texts)), ...);
    return out;
}

// Letters a to z upper-cased, every other byte unchanged.
std::string UpperCaseAscii(std::string_view s);
bool SameTextAscii(std::string_view a, std::string_view b);
bool StartsWith(std::string_view s, std::string_view prefix);          // exact
bool StartsWithAscii(std::string_view s, std::string_view prefix);     // ASCII case-insensitive
bool ContainsAscii(std::string_view s, std::string_view upperNeedle);  // needle already upper-cased
// Removes characters up to and including the blank at both ends.
std::string Trim(std::string_view s);
// The part of a folder path after the root "Favorites\" (all of it if it lies elsewhere).
std::string SubPathOf(std::string_view folder);
