#include "support/test_support.h"

#include <gtest/gtest.h>

#include <fstream>
#include <random>
#include <sstream>

#include "core/settings/settings_entry.h"

namespace zorvel::test {

TempDir::TempDir() {
  std::random_device rd;
  for (;;) {
    auto candidate = std::filesystem::temp_directory_path() / ("zorvel-test-" + std::to_string(rd()));
    std::error_code ec;
    if (std::filesystem::create_directory(candidate, ec)) {
      path_ = candidate;
      return;
    }
  }
}

TempDir::~TempDir() {
  std::error_code ec;
  // Undo any permission a test took away, so the folder can go.
  for (auto it = std::filesystem::recursive_directory_iterator(path_, ec);
       !ec && it != std::filesystem::recursive_directory_iterator(); it.increment(ec)) {
    std::filesystem::permissions(it->path(), std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ec);
  }
  std::filesystem::permissions(path_, std::filesystem::perms::owner_all, std::filesystem::perm_options::add,
                               ec);
  std::filesystem::remove_all(path_, ec);
}

Settings DistinctSettings() {
  Settings s;
  for (int i = 0; i < kEntryFieldCount; ++i) EntryFieldValue(s, EntryField(i)) = 1000 + i;
  s.PictureRatio = 999;  // the largest scale is 1000
  s.Sign1 = "<<";
  s.Sign2 = "\xA1\x40";
  s.Sign3 = ">>";
  s.UserString = "\xB3\x5C";  // Big5 whose second byte is a backslash
  s.PictureFileNameFormat = "X:<V>\\<P>.tif";
  s.IgnoreShift = false;
  s.AutoSetRightTop = false;
  s.CoverRightTop = true;
  s.ShowWay = 1;
  return s;
}

void WriteFile(const std::string& path, std::string_view bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  ASSERT_TRUE(out.good()) << "cannot write " << path;
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

namespace {

// The next scripted answer; a question nobody scripted fails the test and gets `none`.
template <typename T>
T Next(std::deque<T>& queue, std::string_view what, T none = {}) {
  if (queue.empty()) {
    ADD_FAILURE() << "unexpected " << what;
    return none;
  }
  T a = queue.front();
  queue.pop_front();
  return a;
}

}  // namespace

Answer ScriptedPrompts::Ask(std::string_view text, Answer none) {
  Shown.emplace_back(text);
  return Next(Answers, "question: " + std::string(text), none);
}

ChoiceAnswer ScriptedPrompts::Choose(const ChoiceRequest& request) {
  ChoiceRequests.push_back(request);
  return Next(Choices, "choice window");
}

ReplaceAnswer ScriptedPrompts::AskReplace(const ReplaceQuestion& question) {
  ReplaceQuestions.push_back(question);
  if (Replies.empty() && UseDefaultReply) {
    ReplaceAnswer a = DefaultReply;
    if (a.AskResult == ReplaceDecision::Replace && a.Dest.empty()) a.Dest = question.Dest;
    return a;
  }
  return Next(Replies, "replace question");
}

}  // namespace zorvel::test
