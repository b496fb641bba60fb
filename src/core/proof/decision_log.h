#pragma once
// The decision log: one line per choice that replaced a difference mark (the
// choice window) or a string (the replacement table's run), appended to
// NAME.log.tsv beside the text, so that a second proofreader can review the
// first one's decisions and check that they still stand in the saved text.
//
// The file is UTF-8, one decision per line, fields split by TAB:
//   time  line_head  offset  mark  reading  chosen
// time is the local time "YYYY-MM-DD hh:mm:ss"; line_head the head of the
// mark's line; offset the byte position of the mark in the text at the moment
// of the decision; mark the whole mark (or table source) as it was; reading
// what was written in its place; chosen one of first, second, third, user,
// table. Big5 fields go through the lossless mapping, so every byte comes back.
// A backslash, TAB, CR or LF inside a field is written \\, \t, \r, \n, so a
// line always stays one line. A new file starts with a header line of the
// field names.
//
// Each line is appended and flushed on its own: a kill loses at most the line
// being written, and nothing already logged is ever rewritten.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace zorvel {

enum class DecisionSource { First, Second, Third, User, Table };

// "first", "second", "third", "user", "table".
std::string_view DecisionSourceName(DecisionSource source);

struct Decision {
  std::string LineHead;  // Big5
  int Offset = 0;        // bytes, in the text as it was just before the decision
  std::string Mark;      // Big5: the bytes replaced
  std::string Reading;   // Big5: the bytes written in their place
  DecisionSource Source = DecisionSource::First;
};

// Whoever keeps the decisions. The proofreading loop and the replacement run
// take a pointer to one; null keeps no log.
class DecisionSink {
 public:
  virtual ~DecisionSink() = default;
  virtual void Record(const Decision& decision) = 0;
};

inline constexpr std::string_view kDecisionLogHeader = "time\tline_head\toffset\tmark\treading\tchosen\n";

// NAME.log.tsv beside the text NAME.txt (the text's extension, if any, replaced).
std::string DecisionLogPath(std::string_view textPath);

// The escaping of one field, and the way back (false for a backslash that
// starts no known escape).
std::string EscapeLogField(std::string_view utf8);
bool UnescapeLogField(std::string_view field, std::string& utf8);

// One log line, ending in LF, for the decision made at time.
std::string FormatDecisionLine(const Decision& decision, std::string_view time);

// The local time now as the log writes it.
std::string LogTimeNow();

// "警告 : 選擇記錄檔 PATH 無法寫入, 選擇照常寫入文字, 但不會記錄." (UTF-8)
std::string DecisionLogFailedMessage(std::string_view path);

// Appends to the file at path (the system's bytes). A line that cannot be
// written does not stop the choice that was made: the failure is told once
// through onFailure, and again only after a line has been written since.
class DecisionLog : public DecisionSink {
 public:
  using FailureReport = std::function<void(const std::string& message)>;
  using Clock = std::function<std::string()>;
  DecisionLog(std::string path, FailureReport onFailure, Clock clock = LogTimeNow);

  void Record(const Decision& decision) override;

  const std::string& Path() const { return path_; }
  // Whether the last line could not be written.
  bool Failing() const { return failing_; }

 private:
  bool Append(std::string_view line);

  std::string path_;
  FailureReport onFailure_;
  Clock clock_;
  bool failing_ = false;
};

// The check of a log against a text: does every logged reading still stand at
// its place? A decision's offset holds for the text as it was then; each later
// logged decision before it moves it by the change of length it made, and one
// that replaced bytes of it leaves it no longer standing. Edits that were not
// logged are not known, so a reading moved by them counts as no longer standing.
struct LogFinding {
  int LogLine = 0;       // 1-based line of the log
  std::string LineHead;  // UTF-8, as logged
  int Offset = 0;        // as logged
  long long Now = -1;    // where the reading should stand in the text
  std::string Reading;   // UTF-8, as logged
  std::string Found;     // UTF-8: what the text holds there instead
  int ReplacedBy = 0;    // the log line of a later decision that replaced it, or 0
};
struct LogCheck {
  int Decisions = 0;
  int Standing = 0;
  std::vector<LogFinding> Changed;
  std::vector<std::string> Unreadable;  // a message for each log line that cannot be read
};
LogCheck CheckDecisionLog(std::string_view logUtf8, std::string_view textBig5);

// One line of the report for a finding (UTF-8, no line break).
std::string DescribeLogFinding(const LogFinding& finding);

}  // namespace zorvel
