#include "core/pages/wildcard.h"

#include <filesystem>
#include <functional>
#include <vector>

#include "core/text/big5.h"

namespace zorvel {

namespace {

// A name split into characters: a lead byte and the byte after it make one
// double-byte character; every other byte stands alone.
std::vector<std::string_view> SplitCharacters(std::string_view s) {
  std::vector<std::string_view> chars;
  chars.reserve(s.size());
  for (std::size_t i = 0; i < s.size();) {
    std::size_t n = (IsBig5LeadByte(static_cast<unsigned char>(s[i])) && i + 1 < s.size()) ? 2 : 1;
    chars.push_back(s.substr(i, n));
    i += n;
  }
  return chars;
}

char FoldAscii(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool SameCharacter(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  if (a.size() == 1) return FoldAscii(a[0]) == FoldAscii(b[0]);
  return a == b;
}

bool MatchCharacters(const std::vector<std::string_view>& pattern,
                     const std::vector<std::string_view>& name) {
  // Greedy matching with one backtrack point for the last "*" seen.
  std::size_t p = 0, n = 0;
  std::size_t starP = std::string_view::npos, starN = 0;
  while (n < name.size()) {
    if (p < pattern.size() && pattern[p] == "*") {
      starP = p++;
      starN = n;
    } else if (p < pattern.size() && (pattern[p] == "?" || SameCharacter(pattern[p], name[n]))) {
      ++p;
      ++n;
    } else if (starP != std::string_view::npos) {
      p = starP + 1;
      n = ++starN;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == "*") ++p;
  return p == pattern.size();
}

// Positions of the folder separators of a Big5 path: "/" and a backslash that
// is a character of its own.
std::vector<std::size_t> SeparatorPositions(std::string_view path) {
  std::vector<std::size_t> at;
  for (std::size_t i = 0; i < path.size();) {
    unsigned char b = static_cast<unsigned char>(path[i]);
    if (IsBig5LeadByte(b) && i + 1 < path.size()) {
      i += 2;
      continue;
    }
    if (b == '/' || b == '\\') at.push_back(i);
    ++i;
  }
  return at;
}

// Of the entries of folder whose names Big5 can hold and that `accepts` takes,
// the first in byte order of the system's name, as its Big5 name; nullopt when
// none is taken or the folder cannot be read. Linux lists a folder in no
// particular order, so the byte order makes the choice repeatable.
std::optional<std::string> FirstEntryInByteOrder(const std::string& folder,
                                                 const std::function<bool(const std::string&)>& accepts) {
  std::error_code ec;
  std::filesystem::directory_iterator it(folder, ec);
  if (ec) return std::nullopt;
  std::optional<std::string> bestNative;
  std::string bestBig5;
  for (; it != std::filesystem::directory_iterator(); it.increment(ec)) {
    if (ec) break;
    std::string native = it->path().filename().string();
    int replaced = 0;
    std::string big5 = Utf8ToBig5(native, &replaced);
    if (replaced != 0 || Big5ToUtf8(big5) != native) continue;
    if (!accepts(big5)) continue;
    if (!bestNative || native < *bestNative) {
      bestNative = std::move(native);
      bestBig5 = std::move(big5);
    }
  }
  if (!bestNative) return std::nullopt;
  return bestBig5;
}

}  // namespace

bool WildcardMatch(std::string_view pattern, std::string_view name) {
  std::vector<std::string_view> p = SplitCharacters(pattern);
  std::vector<std::string_view> n = SplitCharacters(name);
  if (MatchCharacters(p, n)) return true;
  // The original platform lets a trailing ".*" stand for "no extension" too.
  bool endsInDotStar = p.size() >= 2 && p[p.size() - 2] == "." && p.back() == "*";
  if (endsInDotStar && name.find('.') == std::string_view::npos) {
    p.resize(p.size() - 2);
    return MatchCharacters(p, n);
  }
  return false;
}

std::string Big5PathToNative(std::string_view big5Path) {
  std::string path(big5Path);
  for (std::size_t at : SeparatorPositions(path)) path[at] = '/';
  return Big5ToUtf8(path);
}

std::optional<std::string> FindFirstMatchingEntry(std::string_view big5Pattern) {
  std::vector<std::size_t> separators = SeparatorPositions(big5Pattern);
  std::string folder = ".";
  std::string_view namePattern = big5Pattern;
  if (!separators.empty()) {
    std::size_t last = separators.back();
    folder = Big5PathToNative(big5Pattern.substr(0, last + 1));
    namePattern = big5Pattern.substr(last + 1);
  }
  if (namePattern.empty()) return std::nullopt;

  return FirstEntryInByteOrder(folder,
                               [&](const std::string& big5) { return WildcardMatch(namePattern, big5); });
}

std::optional<std::string> FindPathIgnoringCase(std::string_view big5Path) {
  std::vector<std::size_t> separators = SeparatorPositions(big5Path);
  std::string result;
  std::size_t from = 0;
  separators.push_back(big5Path.size());
  for (std::size_t end : separators) {
    std::string_view component = big5Path.substr(from, end - from);
    const std::string separator = end < big5Path.size() ? std::string(1, big5Path[end]) : std::string();
    from = end + 1;
    if (component.empty() || component == "." || component == "..") {
      result.append(component).append(separator);
      continue;
    }
    const std::string folder = result.empty() ? std::string(".") : Big5PathToNative(result);
    std::error_code ec;
    if (std::filesystem::exists(std::filesystem::path(folder) / Big5PathToNative(component), ec)) {
      result.append(component).append(separator);
      continue;
    }
    const std::vector<std::string_view> wanted = SplitCharacters(component);
    const std::optional<std::string> found = FirstEntryInByteOrder(folder, [&](const std::string& big5) {
      const std::vector<std::string_view> name = SplitCharacters(big5);
      if (name.size() != wanted.size()) return false;
      for (std::size_t i = 0; i < name.size(); ++i)
        if (!SameCharacter(name[i], wanted[i])) return false;
      return true;
    });
    if (!found) return std::nullopt;
    result.append(*found).append(separator);
  }
  return result;
}

}  // namespace zorvel
