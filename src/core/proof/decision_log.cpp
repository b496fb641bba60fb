#include "core/proof/decision_log.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <ctime>
#include <filesystem>

#include "core/text/big5.h"

namespace zorvel {

namespace {

constexpr std::string_view kSourceNames[] = {"first", "second", "third", "user", "table"};

std::vector<std::string_view> SplitFields(std::string_view line) {
  std::vector<std::string_view> fields;
  std::size_t start = 0;
  for (;;) {
    const std::size_t tab = line.find('\t', start);
    if (tab == std::string_view::npos) {
      fields.push_back(line.substr(start));
      return fields;
    }
    fields.push_back(line.substr(start, tab - start));
    start = tab + 1;
  }
}

// A decision as the check keeps it while later ones move it.
struct Placed {
  long long Pos = 0;
  long long Length = 0;
  std::size_t Finding = 0;  // index into the findings kept so far
};

}  // namespace

std::string_view DecisionSourceName(DecisionSource source) {
  return kSourceNames[static_cast<int>(source)];
}

std::string DecisionLogPath(std::string_view textPath) {
  std::filesystem::path path{std::string(textPath)};
  path.replace_extension(".log.tsv");
  return path.string();
}

std::string EscapeLogField(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  for (char c : utf8) {
    switch (c) {
      case '\\':
        out += "\\\\";
        break;
      case '\t':
        out += "\\t";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\n':
        out += "\\n";
        break;
      default:
        out += c;
    }
  }
  return out;
}

bool UnescapeLogField(std::string_view field, std::string& utf8) {
  utf8.clear();
  for (std::size_t i = 0; i < field.size(); ++i) {
    if (field[i] != '\\') {
      utf8 += field[i];
      continue;
    }
    if (++i >= field.size()) return false;
    switch (field[i]) {
      case '\\':
        utf8 += '\\';
        break;
      case 't':
        utf8 += '\t';
        break;
      case 'r':
        utf8 += '\r';
        break;
      case 'n':
        utf8 += '\n';
        break;
      default:
        return false;
    }
  }
  return true;
}

std::string FormatDecisionLine(const Decision& decision, std::string_view time) {
  std::string line = EscapeLogField(time);
  line += '\t';
  line += EscapeLogField(Big5ToUtf8(decision.LineHead));
  line += '\t';
  line += std::to_string(decision.Offset);
  line += '\t';
  line += EscapeLogField(Big5ToUtf8(decision.Mark));
  line += '\t';
  line += EscapeLogField(Big5ToUtf8(decision.Reading));
  line += '\t';
  line += DecisionSourceName(decision.Source);
  line += '\n';
  return line;
}

std::string LogTimeNow() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  char text[32];
  std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &local);
  return text;
}

std::string DecisionLogFailedMessage(std::string_view path) {
  return "警告 : 選擇記錄檔 " + std::string(path) + " 無法寫入, 選擇照常寫入文字, 但不會記錄.";
}

DecisionLog::DecisionLog(std::string path, FailureReport onFailure, Clock clock)
    : path_(std::move(path)), onFailure_(std::move(onFailure)), clock_(std::move(clock)) {}

bool DecisionLog::Append(std::string_view line) {
  std::FILE* file = std::fopen(path_.c_str(), "ab");
  if (file == nullptr) return false;
  bool ok = true;
  // A new (or empty) file begins with the names of the fields.
  if (std::fseek(file, 0, SEEK_END) == 0 && std::ftell(file) == 0) {
    ok = std::fwrite(kDecisionLogHeader.data(), 1, kDecisionLogHeader.size(), file) ==
         kDecisionLogHeader.size();
  }
  ok = ok && std::fwrite(line.data(), 1, line.size(), file) == line.size();
  ok = std::fflush(file) == 0 && ok;
  ok = std::fclose(file) == 0 && ok;
  return ok;
}

void DecisionLog::Record(const Decision& decision) {
  const bool written = Append(FormatDecisionLine(decision, clock_ ? clock_() : LogTimeNow()));
  if (!written && !failing_ && onFailure_) onFailure_(DecisionLogFailedMessage(path_));
  failing_ = !written;
}

LogCheck CheckDecisionLog(std::string_view logUtf8, std::string_view textBig5) {
  LogCheck check;
  std::vector<LogFinding> all;
  std::vector<std::string> readings;  // Big5, by finding
  std::vector<Placed> placed;         // live decisions in text order
  int lineNumber = 0;
  std::size_t start = 0;
  while (start < logUtf8.size()) {
    std::size_t end = logUtf8.find('\n', start);
    if (end == std::string_view::npos) end = logUtf8.size();
    std::string_view line = logUtf8.substr(start, end - start);
    start = end + 1;
    ++lineNumber;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.empty() || (lineNumber == 1 && line.starts_with("time\t"))) continue;

    const std::vector<std::string_view> fields = SplitFields(line);
    LogFinding finding;
    finding.LogLine = lineNumber;
    std::string mark;
    const char* last = fields.size() == 6 ? fields[2].data() + fields[2].size() : nullptr;
    const auto parsed = fields.size() == 6 ? std::from_chars(fields[2].data(), last, finding.Offset)
                                           : std::from_chars_result{nullptr, std::errc::invalid_argument};
    if (fields.size() != 6 || parsed.ec != std::errc() || parsed.ptr != last || finding.Offset < 0 ||
        !UnescapeLogField(fields[1], finding.LineHead) || !UnescapeLogField(fields[3], mark) ||
        !UnescapeLogField(fields[4], finding.Reading) ||
        std::find(std::begin(kSourceNames), std::end(kSourceNames), fields[5]) == std::end(kSourceNames)) {
      check.Unreadable.push_back("log line " + std::to_string(lineNumber) + " cannot be read");
      continue;
    }
    ++check.Decisions;
    const std::string markBytes = Utf8ToBig5(mark);
    std::string readingBytes = Utf8ToBig5(finding.Reading);
    const long long o = finding.Offset;
    const long long m = static_cast<long long>(markBytes.size());
    const long long delta = static_cast<long long>(readingBytes.size()) - m;

    // Earlier decisions this one replaced bytes of, then those it moved. The
    // live ones never overlap, so they stay in text order.
    auto first = std::partition_point(placed.begin(), placed.end(),
                                      [o](const Placed& p) { return p.Pos + p.Length <= o; });
    auto after = first;
    while (after != placed.end() && after->Pos < o + m) {
      all[after->Finding].ReplacedBy = lineNumber;
      ++after;
    }
    for (auto p = after; p != placed.end(); ++p) p->Pos += delta;
    const auto at = placed.erase(first, after);
    placed.insert(at, Placed{o, static_cast<long long>(readingBytes.size()), all.size()});
    all.push_back(std::move(finding));
    readings.push_back(std::move(readingBytes));
  }
  for (const Placed& p : placed) all[p.Finding].Now = p.Pos;

  for (std::size_t i = 0; i < all.size(); ++i) {
    LogFinding& finding = all[i];
    const std::string& reading = readings[i];
    if (finding.ReplacedBy == 0 && finding.Now >= 0 &&
        finding.Now + static_cast<long long>(reading.size()) <= static_cast<long long>(textBig5.size()) &&
        textBig5.substr(static_cast<std::size_t>(finding.Now), reading.size()) == reading) {
      ++check.Standing;
      continue;
    }
    if (finding.ReplacedBy == 0 && finding.Now >= 0 &&
        finding.Now <= static_cast<long long>(textBig5.size())) {
      std::string_view there = textBig5.substr(static_cast<std::size_t>(finding.Now), reading.size());
      there = there.substr(0, std::min(there.find('\r'), there.find('\n')));
      finding.Found = Big5ToUtf8(there);
    }
    check.Changed.push_back(finding);
  }
  return check;
}

std::string DescribeLogFinding(const LogFinding& finding) {
  std::string text = "log line " + std::to_string(finding.LogLine) + ": " + finding.LineHead + " offset " +
                     std::to_string(finding.Offset);
  if (finding.ReplacedBy != 0) {
    return text + ": \"" + EscapeLogField(finding.Reading) + "\" was replaced by the decision of log line " +
           std::to_string(finding.ReplacedBy);
  }
  return text + " (now " + std::to_string(finding.Now) + "): \"" + EscapeLogField(finding.Reading) +
         "\" no longer stands there; the text holds \"" + EscapeLogField(finding.Found) + "\"";
}

}  // namespace zorvel
