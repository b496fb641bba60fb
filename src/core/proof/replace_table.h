#pragma once
// The replacement table: pairs of a source and a destination, one per line of
// the table text, split by a split string; and the run that walks the proof text
// from the cursor and asks for every occurrence of a source.
//
// All texts are Big5 bytes. The lookup offers the longest source that matches at
// the scan position. It walks a byte trie built from the sorted table, so a
// lookup costs the length of the longest source at most, whatever the table's
// size.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace zorvel {

class DecisionSink;
class Prompts;
class TextEditor;

inline constexpr std::string_view kNoReplaceTable = "警告 : 沒有輸入字串表!";
inline constexpr std::string_view kReplaceMismatch = "錯誤! 有難以解決的問題, 請中止後再繼續即可!";
inline constexpr std::string_view kReplaceFinished = "字串取代結束了 !";
inline constexpr std::string_view kReplaceTableModified = "原字串表已修改, 是否儲存?";
inline constexpr std::string_view kMissingSplitChar = "您忘了設定分隔字元了 !";
inline constexpr std::string_view kOutOfMemory = "唉唷, 記憶體不夠了, 危險! 危險!...";
// The split string the table window starts with: "＝", Big5 A1 D7.
inline constexpr std::string_view kDefaultSplitChar = "\xA1\xD7";

// One entry, built from one line of the table text.
struct ReplacePair {
  std::string Source;
  std::string Dest;
  int SourceLength = 0;  // 0 marks an empty entry
};

// The lines of a table text: split at CR LF, a lone CR or a lone LF. An empty
// text is one empty line; a line break at the very end starts no further line.
std::vector<std::string_view> SplitTableLines(std::string_view text);

// The pair one line gives: the source ends at the first split string that does
// not begin on the second byte of a double-byte character; the destination is
// the rest of the line. No split string (or an empty one) gives an empty pair.
ReplacePair MakeReplacePair(std::string_view line, std::string_view split);

class ReplaceTable {
 public:
  // Builds the pairs from the table text, one per line, then the sorted table
  // without the empty entries. False (and an empty table) when memory ran out.
  bool BuildReplaceTable(std::string_view text, std::string_view split);
  // Drops the pairs and the table.
  void Clear();

  // One pair per line of the last build, empty ones included.
  const std::vector<ReplacePair>& Pairs() const { return pairs_; }
  // The lookup table: indexes into Pairs(), sorted by Source in unsigned byte
  // order, empty entries removed. Equal sources keep the order of their lines.
  const std::vector<int>& Sorted() const { return sorted_; }
  const ReplacePair& Entry(int i) const { return pairs_[sorted_[i]]; }
  int ReplaceCount() const { return static_cast<int>(sorted_.size()); }
  int SplitLength = 0;

  // The longest source that text holds at pos; nullptr when none does. Of equal
  // sources the one of the first line counts.
  const ReplacePair* Match(std::string_view text, std::size_t pos) const;

 private:
  struct Node {
    std::int32_t Pair = -1;        // the pair whose source ends here
    std::uint32_t FirstChild = 0;  // children sit at [FirstChild, FirstChild + ChildCount) of the edges
    std::uint32_t ChildCount = 0;
  };
  void BuildTrie();
  std::uint32_t Child(const Node& node, unsigned char byte) const;

  std::vector<ReplacePair> pairs_;
  std::vector<int> sorted_;
  std::vector<Node> nodes_;
  // The edges to the children, in byte order per node: their bytes and the
  // nodes they lead to, apart so that the bytes are scanned compactly.
  std::vector<unsigned char> edgeBytes_;
  std::vector<std::uint32_t> edgeNodes_;
  // Node 0 is the root. The nodes one and two bytes below it, by those bytes,
  // so that the first character costs two reads; 0 is none.
  std::uint32_t root_[256] = {};
  std::vector<std::uint32_t> root2_;
};

// What the table window's confirmation does with its text and split field:
// "您忘了設定分隔字元了 !" (false, the previous table stays) when the text is not
// empty and the split field is; otherwise the build. The result tells whether the
// window closes: an empty text closes it with an empty table, a text that gives
// no entry leaves it open, a table with entries closes it.
struct ReplaceConfirm {
  bool Built = false;
  bool Close = false;
};
ReplaceConfirm ConfirmReplaceTable(std::string_view text, std::string_view split, ReplaceTable& table,
                                   Prompts& prompts);

// The run over the editor's text from the selection start to the end. showWord,
// when set, is run for every occurrence before the question (the table window's
// "是否秀圖"); false from it ends the run at once, without the closing message.
// decisions, when set, records every replacement made (lineHeadLength bytes
// of the line's start are its line head).
void RunReplaceTable(const ReplaceTable& table, TextEditor& editor, Prompts& prompts,
                     const std::function<bool()>& showWord = {}, DecisionSink* decisions = nullptr,
                     int lineHeadLength = 0);

}  // namespace zorvel
