#include "core/proof/replace_table.h"

#include <algorithm>
#include <deque>
#include <new>

#include "core/prompts.h"
#include "core/proof/decision_log.h"
#include "core/text/big5.h"
#include "core/text/text_editor.h"

namespace zorvel {

namespace {

// Bytes of the character at pos, cut as the editors cut the text.
inline int CharLengthAt(std::string_view text, std::size_t pos) {
  const auto b = static_cast<unsigned char>(text[pos]);
  if (b < 0x81 || b > 0xFE || pos + 1 >= text.size()) return 1;
  const char next = text[pos + 1];
  return (next == '\r' || next == '\n') ? 1 : 2;
}

bool LessBytes(std::string_view a, std::string_view b) {
  // std::string_view compares char by char through char_traits<char>, which
  // compares as unsigned char; spelled out here so that the order is plain.
  const std::size_t n = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < n; ++i) {
    const auto x = static_cast<unsigned char>(a[i]);
    const auto y = static_cast<unsigned char>(b[i]);
    if (x != y) return x < y;
  }
  return a.size() < b.size();
}

}  // namespace

std::vector<std::string_view> SplitTableLines(std::string_view text) {
  std::vector<std::string_view> lines;
  std::size_t start = 0;
  std::size_t i = 0;
  while (i < text.size()) {
    const char c = text[i];
    if (c == '\r' || c == '\n') {
      lines.push_back(text.substr(start, i - start));
      i += (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ? 2 : 1;
      start = i;
    } else {
      ++i;
    }
  }
  if (start < text.size() || lines.empty()) lines.push_back(text.substr(start));
  return lines;
}

ReplacePair MakeReplacePair(std::string_view line, std::string_view split) {
  ReplacePair pair;
  if (split.empty()) return pair;
  const int p = Big5Pos(split, line);
  if (p <= 0) return pair;
  pair.Source = std::string(line.substr(0, p - 1));
  pair.Dest = std::string(line.substr(p - 1 + split.size()));
  pair.SourceLength = static_cast<int>(pair.Source.size());
  return pair;
}

void ReplaceTable::Clear() {
  pairs_.clear();
  pairs_.shrink_to_fit();
  sorted_.clear();
  sorted_.shrink_to_fit();
  nodes_.clear();
  nodes_.shrink_to_fit();
  edgeBytes_.clear();
  edgeBytes_.shrink_to_fit();
  edgeNodes_.clear();
  edgeNodes_.shrink_to_fit();
  root2_.clear();
  root2_.shrink_to_fit();
  std::fill(std::begin(root_), std::end(root_), 0u);
}

bool ReplaceTable::BuildReplaceTable(std::string_view text, std::string_view split) {
  Clear();
  try {
    const std::vector<std::string_view> lines = SplitTableLines(text);
    pairs_.reserve(lines.size());
    for (std::string_view line : lines) pairs_.push_back(MakeReplacePair(line, split));
    sorted_.reserve(pairs_.size());
    for (int i = 0; i < static_cast<int>(pairs_.size()); ++i) {
      if (pairs_[i].SourceLength > 0) sorted_.push_back(i);
    }
    std::stable_sort(sorted_.begin(), sorted_.end(),
                     [this](int a, int b) { return LessBytes(pairs_[a].Source, pairs_[b].Source); });
    BuildTrie();
  } catch (const std::bad_alloc&) {
    Clear();
    return false;
  }
  return true;
}

// The trie is laid out from the sorted table: the sources below a node form one
// run of the table, and its children split that run by the next byte, in byte
// order, so every node's children sit side by side in the edge arrays.
void ReplaceTable::BuildTrie() {
  nodes_.push_back(Node{});  // 0: the root, reached through root_
  struct Work {
    std::uint32_t NodeIndex;
    int Lo, Hi;  // run of sorted_ below the node
    std::size_t Depth;
  };
  std::deque<Work> work;

  // Children of a run at depth: one per distinct byte at that depth.
  auto splitRun = [this](int lo, int hi, std::size_t depth, auto&& visit) {
    int i = lo;
    while (i < hi && pairs_[sorted_[i]].Source.size() == depth) ++i;  // those end here
    while (i < hi) {
      const auto b = static_cast<unsigned char>(pairs_[sorted_[i]].Source[depth]);
      int j = i + 1;
      while (j < hi && static_cast<unsigned char>(pairs_[sorted_[j]].Source[depth]) == b) ++j;
      visit(b, i, j);
      i = j;
    }
  };

  const int count = static_cast<int>(sorted_.size());
  splitRun(0, count, 0, [&](unsigned char b, int lo, int hi) {
    const auto index = static_cast<std::uint32_t>(nodes_.size());
    nodes_.push_back(Node{});
    root_[b] = index;
    work.push_back({index, lo, hi, 1});
  });
  while (!work.empty()) {
    const Work w = work.front();
    work.pop_front();
    // The first line's pair wins among equal sources: the stable sort kept them
    // in line order.
    if (pairs_[sorted_[w.Lo]].Source.size() == w.Depth) nodes_[w.NodeIndex].Pair = sorted_[w.Lo];
    const auto first = static_cast<std::uint32_t>(edgeBytes_.size());
    std::uint32_t children = 0;
    splitRun(w.Lo, w.Hi, w.Depth, [&](unsigned char b, int lo, int hi) {
      const auto index = static_cast<std::uint32_t>(nodes_.size());
      nodes_.push_back(Node{});
      edgeBytes_.push_back(b);
      edgeNodes_.push_back(index);
      work.push_back({index, lo, hi, w.Depth + 1});
      ++children;
    });
    nodes_[w.NodeIndex].FirstChild = first;
    nodes_[w.NodeIndex].ChildCount = children;
  }
  root2_.assign(256 * 256, 0u);
  for (int b = 0; b < 256; ++b) {
    if (root_[b] == 0) continue;
    const Node& n = nodes_[root_[b]];
    for (std::uint32_t e = n.FirstChild; e < n.FirstChild + n.ChildCount; ++e) {
      root2_[(static_cast<std::size_t>(b) << 8) | edgeBytes_[e]] = edgeNodes_[e];
    }
  }
}

std::uint32_t ReplaceTable::Child(const Node& node, unsigned char byte) const {
  const unsigned char* first = edgeBytes_.data() + node.FirstChild;
  const unsigned char* last = first + node.ChildCount;
  const unsigned char* at;
  if (node.ChildCount <= 16) {
    at = first;
    while (at != last && *at < byte) ++at;
  } else {
    at = std::lower_bound(first, last, byte);
  }
  return (at != last && *at == byte) ? edgeNodes_[at - edgeBytes_.data()] : 0;
}

const ReplacePair* ReplaceTable::Match(std::string_view text, std::size_t pos) const {
  if (pos >= text.size() || sorted_.empty()) return nullptr;
  const auto b0 = static_cast<unsigned char>(text[pos]);
  const std::uint32_t first = root_[b0];
  if (first == 0) return nullptr;
  const ReplacePair* best = nodes_[first].Pair >= 0 ? &pairs_[nodes_[first].Pair] : nullptr;
  if (++pos >= text.size()) return best;
  std::uint32_t node = root2_[(static_cast<std::size_t>(b0) << 8) | static_cast<unsigned char>(text[pos])];
  while (node != 0) {
    const Node& n = nodes_[node];
    if (n.Pair >= 0) best = &pairs_[n.Pair];
    if (++pos >= text.size() || n.ChildCount == 0) break;
    node = Child(n, static_cast<unsigned char>(text[pos]));
  }
  return best;
}

ReplaceConfirm ConfirmReplaceTable(std::string_view text, std::string_view split, ReplaceTable& table,
                                   Prompts& prompts) {
  if (!text.empty()) {
    if (split.empty()) {
      prompts.Message(kMissingSplitChar);
      return {};
    }
    table.SplitLength = static_cast<int>(split.size());
  }
  if (!table.BuildReplaceTable(text, split)) {
    prompts.Message(kOutOfMemory);
    return {};
  }
  if (text.empty()) return {true, true};
  return {true, table.ReplaceCount() > 0};
}

void RunReplaceTable(const ReplaceTable& table, TextEditor& editor, Prompts& prompts,
                     const std::function<bool()>& showWord, DecisionSink* decisions, int lineHeadLength) {
  if (table.ReplaceCount() == 0) {
    prompts.Message(kNoReplaceTable);
    return;
  }
  if (editor.IsReadOnly()) {
    prompts.Message(kReadOnlyText);
    return;
  }
  // The scan reads a snapshot; replacements go into the document only.
  std::string snapshot;
  try {
    snapshot = editor.Text();
  } catch (const std::bad_alloc&) {
    prompts.Message(kOutOfMemory);
    return;
  }
  const std::size_t end = snapshot.size();
  std::size_t scanPos = static_cast<std::size_t>(std::max(0, editor.SelStart()));
  long long textPos = static_cast<long long>(scanPos);

  while (scanPos < end) {
    if (const ReplacePair* pair = table.Match(snapshot, scanPos)) {
      editor.SetSelection(static_cast<int>(textPos), pair->SourceLength);
      if (showWord && !showWord()) return;
      if (editor.SelStart() != textPos || editor.SelectedBytes() != pair->Source ||
          editor.SelLength() != pair->SourceLength) {
        prompts.Message(kReplaceMismatch);
        break;
      }
      const ReplaceAnswer answer = prompts.AskReplace({pair->Source, pair->Dest});
      if (answer.AskResult == ReplaceDecision::Replace) {
        std::string lineHead;
        if (decisions != nullptr && lineHeadLength > 0) {
          lineHead = editor.LineBytes(editor.LineFromPos(static_cast<int>(textPos)));
          lineHead.resize(std::min(lineHead.size(), static_cast<std::size_t>(lineHeadLength)));
        }
        editor.ReplaceSelection(answer.Dest);
        if (decisions != nullptr) {
          decisions->Record(Decision{std::move(lineHead), static_cast<int>(textPos), pair->Source,
                                     answer.Dest, DecisionSource::Table});
        }
        textPos += static_cast<long long>(answer.Dest.size());
        scanPos += pair->Source.size();
        continue;
      }
      if (answer.AskResult == ReplaceDecision::Abort) break;
    }
    const int step = CharLengthAt(snapshot, scanPos);
    scanPos += step;
    textPos += step;
  }
  std::string().swap(snapshot);
  prompts.Message(kReplaceFinished);
}

}  // namespace zorvel
