// What the tools print, as it reaches a terminal or a pipe: the report's
// encoding, the column header, the output order over many files whatever the
// number of jobs, and the progress line of a run over a folder.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <random>
#include <regex>
#include <string>
#include <thread>
#include <vector>

#include "core/cli/ordered_jobs.h"
#include "core/text/big5.h"
#include "pagegen/page_generator.h"
#include "support/test_support.h"
#include "tool_run.h"

namespace zorvel::test {
namespace {

// A proof text of a few lines: marks of two and three readings, one that does
// not close (its message is Chinese) and one on a page whose scan is missing.
std::string ProofText(int lines) {
  std::string utf8;
  for (int i = 1; i <= lines; ++i) {
    char head[32];
    std::snprintf(head, sizeof head, "T01n0001_p%04da%02d", 1 + i / 3, i % 29 + 1);
    utf8 += std::string(head) + "║如是{{我||于}}聞{{一||壹||一}}時";
    utf8 += i % 4 == 3 ? "佛{{在||于\r\n" : "佛在\r\n";
  }
  return Utf8ToBig5(utf8);
}

ToolRunOptions In(const TempDir& dir, bool outTerminal = false) {
  ToolRunOptions options;
  options.Folder = dir.Path().string();
  options.OutTerminal = outTerminal;
  return options;
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t at = 0;
  while (at < text.size()) {
    const std::size_t end = text.find('\n', at);
    lines.push_back(text.substr(at, end - at));
    if (end == std::string::npos) break;
    at = end + 1;
  }
  return lines;
}

TEST(ZorvelMarks, UnicodeOnATerminalAndBig5IntoAPipeUnlessAsked) {
  TempDir dir;
  WriteFile(dir.File("t.txt"), ProofText(4));
  const ToolResult piped = RunProgram("zorvel-marks", {"t.txt"}, In(dir));
  const ToolResult terminal = RunProgram("zorvel-marks", {"t.txt"}, In(dir, true));
  ASSERT_EQ(piped.Status, 0) << piped.Err;
  ASSERT_EQ(terminal.Status, 0) << terminal.Err;
  ASSERT_NE(piped.Out, terminal.Out) << "the unclosed mark's message is Chinese";
  EXPECT_EQ(terminal.Out, Big5ToUtf8(piped.Out));
  EXPECT_NE(piped.Out.find(Utf8ToBig5("錯誤")), std::string::npos) << piped.Out;

  EXPECT_EQ(RunProgram("zorvel-marks", {"--big5", "t.txt"}, In(dir, true)).Out, piped.Out);
  EXPECT_EQ(RunProgram("zorvel-marks", {"--utf8", "t.txt"}, In(dir)).Out, terminal.Out);
  EXPECT_EQ(RunProgram("zorvel-marks", {"--utf8", "--big5", "t.txt"}, In(dir)).Out, piped.Out)
      << "the last choice counts";
}

TEST(ZorvelMarks, ManyTextsComeInTheOrderGivenWhateverTheJobs) {
  TempDir dir;
  std::vector<std::string> arguments = {"--header"};
  std::string expected;
  const char* const columns =
      "offset\tline\tVol\tSutra\tPage\tField\tLine\tChar\treadings\tfileName\texists\tmessage\n";
  // Long texts first, so that with many jobs the short ones finish earlier.
  for (int i = 0; i < 12; ++i) {
    const std::string name = "t" + std::to_string(i) + ".txt";
    WriteFile(dir.File(name), ProofText(400 - 30 * i));
    arguments.push_back(name);
    const ToolResult one = RunProgram("zorvel-marks", {"--header", name}, In(dir));
    ASSERT_EQ(one.Status, 0) << one.Err;
    ASSERT_EQ(one.Out.rfind(columns, 0), 0u) << one.Out.substr(0, 200);
    for (const std::string& line : Lines(one.Out.substr(std::string(columns).size())))
      expected += name + "\t" + line + "\n";
  }
  for (const char* jobs : {"1", "5"}) {
    std::vector<std::string> withJobs = arguments;
    withJobs.insert(withJobs.begin(), {"--jobs", jobs});
    const ToolResult all = RunProgram("zorvel-marks", withJobs, In(dir));
    EXPECT_EQ(all.Status, 0) << all.Err;
    EXPECT_EQ(all.Out, std::string("text\t") + columns + expected) << "--jobs " << jobs;
  }

  // A text that cannot be read is told, the others are reported, the run fails.
  const ToolResult missing =
      RunProgram("zorvel-marks", {"--jobs", "3", "t0.txt", "none.txt", "t1.txt"}, In(dir));
  EXPECT_EQ(missing.Status, 1);
  EXPECT_NE(missing.Err.find("cannot read none.txt"), std::string::npos) << missing.Err;
  EXPECT_EQ(missing.Out, RunProgram("zorvel-marks", {"t0.txt", "t1.txt"}, In(dir)).Out);
}

// A folder of pages: some decode, one is blank, one is broken.
class ZorvelG4Folder : public ::testing::Test {
 protected:
  void SetUp() override {
    pagegen::PageLayout layout;
    for (int i = 0; i < 9; ++i) {
      const std::string name = dir.File("p" + std::to_string(i) + ".tif");
      if (i == 4) {
        WriteFile(name, std::string_view("II*\0not a page", 15));
      } else {
        ASSERT_TRUE(pagegen::WriteG4Tiff(
            name, i == 6 ? pagegen::Bitmap(1200, 1700) : pagegen::DrawTextPage(layout, 10 + i)));
      }
    }
  }
  TempDir dir;
};

// The page lines without their timings.
std::string Untimed(const std::string& out) {
  return std::regex_replace(out, std::regex("decode_ms=[0-9.]+"), "decode_ms=T");
}

TEST_F(ZorvelG4Folder, JobsGiveTheOutputOfOneJob) {
  ToolRunOptions options = In(dir);
  const ToolResult one = RunProgram("zorvel-g4", {"--jobs", "1", ".", "--corner"}, options);
  ASSERT_EQ(one.Status, 1) << "one page is broken";
  ASSERT_EQ(Lines(one.Out).size(), 9u) << one.Out;
  for (const char* jobs : {"2", "4", "9"}) {
    const ToolResult many = RunProgram("zorvel-g4", {"--jobs", jobs, ".", "--corner"}, options);
    EXPECT_EQ(many.Status, 1);
    EXPECT_EQ(Untimed(many.Out), Untimed(one.Out)) << "--jobs " << jobs;
    EXPECT_EQ(many.Err, one.Err) << "--jobs " << jobs;
  }
}

TEST_F(ZorvelG4Folder, AProgressLineOnATerminalOnly) {
  ToolRunOptions options = In(dir);
  const ToolResult piped = RunProgram("zorvel-g4", {"."}, options);
  EXPECT_EQ(piped.Err.find('\r'), std::string::npos) << piped.Err;
  EXPECT_EQ(piped.Err.find("pages/s"), std::string::npos) << piped.Err;

  options.ErrTerminal = true;
  for (const char* jobs : {"1", "3"}) {
    const ToolResult shown = RunProgram("zorvel-g4", {"--jobs", jobs, "."}, options);
    EXPECT_EQ(Untimed(shown.Out), Untimed(piped.Out)) << "standard output stays as it is";
    EXPECT_TRUE(std::regex_search(shown.Err, std::regex("\r9/9 pages, [0-9]+\\.[0-9] pages/s\x1b\\[K")))
        << shown.Err;
    // The line is taken off before the summary, which stands alone on its line.
    EXPECT_TRUE(shown.Err.ends_with("\r\x1b[K9 pages, 1 failed\n")) << shown.Err;
  }
}

TEST(RunInOrder, ResultsComeInIndexOrderWhateverFinishesFirst) {
  for (int jobs : {1, 2, 7}) {
    std::mt19937 random(static_cast<unsigned>(jobs));
    std::vector<int> delays(40);
    for (int& delay : delays) delay = static_cast<int>(random() % 3000);
    std::atomic<int> running{0};
    std::atomic<int> most{0};
    std::vector<std::size_t> order;
    std::vector<std::size_t> told;
    const std::thread::id caller = std::this_thread::get_id();
    bool emittedOnCaller = true;
    cli::RunInOrder<std::string>(
        delays.size(), jobs,
        [&](std::size_t i) {
          const int now = ++running;
          for (int seen = most; now > seen && !most.compare_exchange_weak(seen, now);) {
          }
          std::this_thread::sleep_for(std::chrono::microseconds(delays[i]));
          --running;
          return "r" + std::to_string(i);
        },
        [&](std::size_t i, std::string& result) {
          emittedOnCaller = emittedOnCaller && std::this_thread::get_id() == caller;
          EXPECT_EQ(result, "r" + std::to_string(i));
          order.push_back(i);
        },
        [&](std::size_t done) { told.push_back(done); });
    std::vector<std::size_t> expected(delays.size());
    for (std::size_t i = 0; i < expected.size(); ++i) expected[i] = i;
    EXPECT_EQ(order, expected) << jobs << " jobs";
    EXPECT_TRUE(emittedOnCaller);
    EXPECT_LE(most, jobs);
    ASSERT_FALSE(told.empty());
    EXPECT_TRUE(std::is_sorted(told.begin(), told.end()));
    EXPECT_EQ(told.back(), delays.size());
  }
  // Nothing to do is no work and no output.
  int calls = 0;
  cli::RunInOrder<int>(
      0, 4, [&](std::size_t) { return ++calls; }, [&](std::size_t, int&) { ++calls; });
  EXPECT_EQ(calls, 0);
}

}  // namespace
}  // namespace zorvel::test
