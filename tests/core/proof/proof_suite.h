#pragma once
// The proofreading loop (F2, F3, F4, F1), the line-head watch and the marks
// report on any TextEditor. A suite instantiates it with a factory type that has
//   static std::unique_ptr<zorvel::TextEditor> Make();
// as text_proofreader_test.cpp does for MemoryEditor and ui/proof_qt_test.cpp for
// the Qt editor, so that every editor implementation is held to the same
// positions and results. A widget editor should come sized and shown: a view
// that is not laid out does not scroll.

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "core/proof/line_head.h"
#include "core/proof/line_head_watch.h"
#include "core/proof/marks_report.h"
#include "core/proof/text_proofreader.h"
#include "core/settings/settings.h"
#include "core/text/big5.h"
#include "core/text/text_editor.h"
#include "support/big5_bytes.h"
#include "support/recording_page_view.h"
#include "support/test_support.h"

namespace zorvel::test {

inline std::string B(std::string_view utf8) {
  return Big5Bytes(utf8);
}

// The line head of the examples: 17 ASCII bytes and the double-byte "║".
inline const std::string kHead = B("T10n0289_p0592a05║");

// Scripted answers, plus a look at the editor while the choice window waits.
class ChoicePrompts : public ScriptedPrompts {
 public:
  TextEditor* Editor = nullptr;
  std::vector<bool> EnabledWhileChoosing;
  std::function<void(TextEditor&)> DuringChoice;  // e.g. another command run meanwhile

  ChoiceAnswer Choose(const ChoiceRequest& request) override {
    if (Editor != nullptr) {
      EnabledWhileChoosing.push_back(Editor->IsEnabled());
      if (DuringChoice) DuringChoice(*Editor);
    }
    return ScriptedPrompts::Choose(request);
  }
};

// One line: the head, `body` and CR LF.
inline std::string Line(std::string_view body) {
  return kHead + std::string(body) + "\r\n";
}

inline ChoiceAnswer Pick(Selection result, std::string userStr = {}) {
  return {result, std::move(userStr)};
}

template <typename EditorFactory>
class ProofSuite : public ::testing::Test {
 protected:
  ProofSuite() : editor_(EditorFactory::Make()), proof_(*editor_, settings_, prompts_, &view_) {
    prompts_.Editor = editor_.get();
    settings_.PictureFileNameFormat = dir_.File("T<V>n<S>p<P>.tif");
  }

  void Load(std::string_view bytes, int cursor = 0) {
    editor_->SetText(bytes);
    editor_->SetSelStart(cursor);
  }
  void AddPage(std::string_view name) { WriteFile(dir_.File(name), "II*"); }

  // ShowWord with the cursor after `before` on a line that starts with the head.
  int CharAfter(std::string_view before) {
    Load(kHead + std::string(before) + B("甲") + "\r\n", static_cast<int>(kHead.size() + before.size()));
    prompts_.Shown.clear();
    EXPECT_TRUE(proof_.ShowWord());
    return proof_.LineRef.Char;
  }
  std::vector<std::string> Warnings() const {
    std::vector<std::string> w;
    for (const std::string& s : prompts_.Shown)
      if (s.rfind("警告", 0) == 0) w.push_back(s);
    return w;
  }
  // F4 where the cursor stands, answered by `answer`: the one request made.
  ChoiceRequest ChooseHere(ChoiceAnswer answer) {
    prompts_.ChoiceRequests.clear();
    prompts_.Choices = {std::move(answer)};
    proof_.SelectOneWord();
    EXPECT_EQ(prompts_.ChoiceRequests.size(), 1u);
    return prompts_.ChoiceRequests.empty() ? ChoiceRequest{} : prompts_.ChoiceRequests.back();
  }
  // F4 on `text` with the cursor at `cursor` (by default just after the head).
  ChoiceRequest Choose(std::string_view text, ChoiceAnswer answer,
                       int cursor = static_cast<int>(kHead.size())) {
    Load(text, cursor);
    return ChooseHere(std::move(answer));
  }
  std::string Text() const { return editor_->Text(); }
  std::pair<int, int> Sel() const { return {editor_->SelStart(), editor_->SelLength()}; }

  TempDir dir_;
  Settings settings_;
  ChoicePrompts prompts_;
  RecordingPageView view_;
  std::unique_ptr<TextEditor> editor_;
  TextProofreader proof_;
};

TYPED_TEST_SUITE_P(ProofSuite);

// ---------------------------------------------------------------- FindSign

TYPED_TEST_P(ProofSuite, FindSignWalksForwardSkipsTheMarkAtTheCursorAndStopsAtTheEnd) {
  const std::string line1 = kHead + B("甲{{甲||乙}}丙");
  const std::string line2 = kHead + B("{{丙||丁}}");
  this->Load(line1 + "\r\n" + line2 + "\r\n");
  const int second = static_cast<int>(line1.size() + 2 + kHead.size());
  EXPECT_TRUE(this->proof_.FindSign());
  EXPECT_EQ(this->Sel(), std::pair(static_cast<int>(kHead.size()) + 2, 2));
  EXPECT_TRUE(this->proof_.FindSign());  // the mark at the cursor is skipped
  EXPECT_EQ(this->editor_->SelStart(), second);
  EXPECT_EQ(std::pair(this->proof_.CaretLine, this->proof_.CaretColumn), std::pair(1, int(kHead.size())));

  EXPECT_FALSE(this->proof_.FindSign());  // no wrap-around
  EXPECT_EQ(this->prompts_.Shown, std::vector<std::string>{std::string(kNoMarkFound)});
  EXPECT_EQ(this->editor_->SelStart(), second);
}

TYPED_TEST_P(ProofSuite, TokenBytesInsideBig5CharactersAreNoTokens) {
  // 叻 ends in "{", 四 in "|", 囚 in "}": none of them starts or ends a token.
  this->Load(Line(B("叻{甲 {{四||囚}}")));
  ASSERT_TRUE(this->proof_.FindSign());
  EXPECT_EQ(this->editor_->SelStart(), static_cast<int>(kHead.size() + 6));
  const ChoiceRequest r = this->ChooseHere(Pick(Selection::Second));
  EXPECT_EQ(r.FirstStr + "|" + r.SecondStr, B("四|囚"));
  EXPECT_EQ(this->Text(), Line(B("叻{甲 囚")));

  this->Load(Line(B("叻{甲}")));
  EXPECT_FALSE(this->proof_.FindSign());
}

// ---------------------------------------------------------------- choosing

TYPED_TEST_P(ProofSuite, TwoReadingsAreOfferedAndTheChoiceReplacesTheWholeMark) {
  this->settings_.UserString = B("戊");
  const std::string text = Line(B("丙{{甲||乙}}丁")) + kHead + "\r\n";
  const int p0 = static_cast<int>(kHead.size()) + 2;
  // The third reading is not offered with two: its key does nothing. The user
  // string goes in as typed; an empty one deletes the mark.
  const struct {
    Selection pick;
    std::string user, chosen;
    // clang-format off
  } cases[] = {{Selection::First, "", B("甲")}, {Selection::Second, "", B("乙")},
               {Selection::Third, "", B("{{甲||乙}}")}, {Selection::UserString, B("丙丙"), B("丙丙")},
               {Selection::UserString, "", ""}};
  // clang-format on
  for (const auto& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.pick));
    this->prompts_.EnabledWhileChoosing.clear();
    const ChoiceRequest r = this->Choose(text, Pick(c.pick, c.user), p0);
    EXPECT_EQ(r.FirstStr + "|" + r.SecondStr + "|" + r.ThirdStr, B("甲|乙|"));
    EXPECT_TRUE(r.Writable[0] && r.Writable[1] && !r.Writable[2] && !r.ThreeReadings);
    EXPECT_EQ(r.UserString, B("戊"));
    EXPECT_EQ(this->prompts_.EnabledWhileChoosing, std::vector<bool>{false});
    EXPECT_TRUE(this->editor_->IsEnabled());
    EXPECT_EQ(this->Text(), Line(B("丙") + c.chosen + B("丁")) + kHead + "\r\n");
    EXPECT_EQ(this->Sel(), std::pair(p0, 0));  // the cursor stands before the replacement
  }
}

TYPED_TEST_P(ProofSuite, AgreeingReadingsSetTheDefaultButton) {
  const struct {
    const char* mark;
    int defaultButton;
    bool agree[3];
  } cases[] = {
      {"{{甲||乙||乙}}", 2, {false, true, true}},   {"{{甲||乙||甲}}", 1, {true, false, true}},
      {"{{甲||甲||乙}}", 1, {true, true, false}},   {"{{甲||甲||甲}}", 1, {true, true, true}},
      {"{{甲||乙||丙}}", 1, {false, false, false}}, {"{{||乙||}}", 1, {true, false, true}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.mark);
    // Enter takes the default.
    const ChoiceRequest r = this->Choose(Line(B(c.mark)), Pick(static_cast<Selection>(c.defaultButton)));
    EXPECT_TRUE(r.ThreeReadings && r.DefaultButton == c.defaultButton);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(r.Agree[i], c.agree[i]) << i;
    EXPECT_EQ(this->Text(), Line(c.defaultButton == 1 ? r.FirstStr : r.SecondStr));
  }
}

TYPED_TEST_P(ProofSuite, SeparatorsCountOnlyUpToTheClosingToken) {
  // A fourth reading stays in the third, which is shown but never written:
  // the window says why, and the user string is the way to choose.
  const std::string four = Line(B("{{甲||乙||丙||丁}}甲"));
  const std::pair<ChoiceAnswer, std::string> cases[] = {
      {Pick(Selection::Third), four},
      {Pick(Selection::UserString, B("丙丁")), Line(B("丙丁甲"))},
      {Pick(Selection::Second), Line(B("乙甲"))}};
  for (const auto& [answer, after] : cases) {
    SCOPED_TRACE(static_cast<int>(answer.SelectResult));
    const ChoiceRequest r = this->Choose(four, answer);
    EXPECT_EQ(this->proof_.ThirdStr, B("丙||丁"));
    EXPECT_TRUE(r.ThreeReadings && r.Writable[0] && r.Writable[1] && !r.Writable[2]);
    EXPECT_EQ(r.Note, kThirdHoldsSeparator);
    EXPECT_EQ(this->Text(), after);
  }
  // A second separator in a later mark makes no third reading.
  EXPECT_FALSE(this->Choose(Line(B("{{甲||乙}}丙{{丁||戊}}")), Pick(Selection::Second)).ThreeReadings);
  EXPECT_EQ(this->Text(), Line(B("乙丙{{丁||戊}}")));
}

TYPED_TEST_P(ProofSuite, AMarkThatDoesNotParseIsLeftAlone) {
  const struct {
    const char* line;  // the cursor stands just after the head
    std::string_view message;
  } cases[] = {
      // clang-format off
      // A mark stays on one line.
      {"{{甲}}乙", kNoSeparator}, {"{{甲}}\r\n||乙}}", kNoSeparator}, {"{{甲||乙", kNoClosing},
      {"{{甲||乙\r\n}}", kNoClosing}, {"{甲||乙}}", kCursorNotOnOpening},
      // The first separator belongs to a later mark on the line.
      {"{{甲}}乙{{丙||丁}}", kNoSeparator},
      // The cursor before a mark later on the line: that mark is not taken.
      {"ab{{乙||丙}}", kCursorNotOnOpening},
      // clang-format on
  };
  const int p0 = static_cast<int>(kHead.size());
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    const std::string text = kHead + B(c.line) + "\r\n";
    this->Load(text, p0);
    this->editor_->SetSelLength(1);
    this->prompts_.Shown.clear();
    this->prompts_.ChoiceRequests.clear();
    this->proof_.SelectOneWord();
    EXPECT_EQ(this->prompts_.Shown, std::vector<std::string>{std::string(c.message)});
    EXPECT_TRUE(this->prompts_.ChoiceRequests.empty());
    EXPECT_EQ(this->editor_->Text(), text);
    EXPECT_EQ(this->Sel(), std::pair(p0, 1));  // the selection is unchanged
    EXPECT_TRUE(this->editor_->IsEnabled());
  }
}

TYPED_TEST_P(ProofSuite, CancelKeepsTheMarkAndCancelAndNextGoesOn) {
  this->Load(Line(B("{{甲||乙}}{{丙||丁}}{{甲||丙}}")));
  this->AddPage("T10n0289p592.tif");
  // Cancel and next on the first, cancel and next on the second, second reading
  // on the third: the loop ends without another FindSign.
  const ChoiceAnswer next{Selection::Cancel, {}, true};
  this->prompts_.Choices = {next, next, Pick(Selection::Second)};
  this->proof_.RunLoop();
  EXPECT_EQ(this->prompts_.ChoiceRequests.size(), 3u);
  EXPECT_EQ(this->editor_->Text(), Line(B("{{甲||乙}}{{丙||丁}}丙")));
  EXPECT_EQ(this->editor_->SelStart(), static_cast<int>(kHead.size()) + 20);
  EXPECT_FALSE(this->proof_.GoNext);
  // ShowWord ran for each mark: on the opening token, which is 0, 5 and 10 characters in.
  EXPECT_EQ(this->view_.Calls.back(), "Show 0 4 10");
}

TYPED_TEST_P(ProofSuite, RepeatedF1ReplacesEveryMarkEvenRightAfterAnEmptyReading) {
  // Choosing an empty reading leaves the cursor on the next mark; it is not skipped.
  this->Load(Line(B("{{甲||}}{{乙||丙}}丁{{||甲}}")) + Line(B("{{丙||甲}}")));
  this->prompts_.Choices = {Pick(Selection::Second), Pick(Selection::First), Pick(Selection::First),
                            Pick(Selection::Second)};
  for (int i = 0; i < 5; ++i) this->proof_.RunLoop();
  EXPECT_EQ(this->prompts_.ChoiceRequests.size(), 4u);
  EXPECT_EQ(this->editor_->Text(), Line(B("乙丁")) + Line(B("甲")));
  EXPECT_EQ(this->prompts_.Shown.back(), kNoMarkFound);
}

TYPED_TEST_P(ProofSuite, AMarkChangedWhileTheChoiceWindowWaitsIsNotReplaced) {
  const int p0 = static_cast<int>(kHead.size());
  // The mark itself was edited meanwhile: nothing is replaced.
  this->prompts_.DuringChoice = [p0](TextEditor& e) {
    e.SetSelection(p0 + 2, 2);
    e.ReplaceSelection(B("丙"));
  };
  this->Choose(Line(B("{{甲||乙}}")), Pick(Selection::First));
  EXPECT_EQ(this->editor_->Text(), Line(B("{{丙||乙}}")));
  EXPECT_EQ(this->prompts_.Shown, std::vector<std::string>{std::string(kMarkChangedWhileChoosing)});
  EXPECT_EQ(this->editor_->SelStart(), p0);
}

// Edits of the operator's, as the text window makes them: a selection replaced
// by what was typed or pasted. The third line is empty, without a head; the
// others have one.
TYPED_TEST_P(ProofSuite, SplittingOrJoiningLinesWithALineHeadIsNoticed) {
  const std::string h1 = kHead + B("甲乙丙"), h2 = kHead + B("丁戊");
  const std::string text = h1 + "\r\n" + h2 + "\r\n\r\n" + h2 + "\r\n";
  const int l2 = static_cast<int>(h1.size()) + 2;  // start of line 2
  const int l3 = l2 + static_cast<int>(h2.size()) + 2;
  const struct {
    int start, length;
    std::string insert;
    LineHeadEdit expected;
  } cases[] = {
      {static_cast<int>(kHead.size()) + 2, 0, "\r\n", LineHeadEdit::Split},  // Enter inside a line
      {l2 - 2, 2, "", LineHeadEdit::Join},                                   // Backspace at a line start
      {l3 - 2, 2, "", LineHeadEdit::None},                                   // Delete before the empty line
      {l2, 0, h2 + "\r\n", LineHeadEdit::None},                              // a whole line pasted
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.start);
    this->Load(text);
    this->editor_->SetSelection(c.start, c.length);
    LineHeadWatch watch(*this->editor_, this->settings_);
    this->editor_->ReplaceSelection(c.insert);
    EXPECT_EQ(watch.Check(), c.expected);
  }
}

// ---------------------------------------------------------------- ShowWord

TYPED_TEST_P(ProofSuite, LineHeadIsDecodedAndThePageHandedOn) {
  this->AddPage("T10n0289p592.tif");
  this->Load(Line(B("甲乙{{丙||丁}}")), static_cast<int>(kHead.size()) + 4);
  ASSERT_TRUE(this->proof_.ShowWord());  // the calls are ThePageViewIsCalledInItsOrder's
  EXPECT_TRUE(this->prompts_.Shown.empty());

  // The same page again: no new load, the marker moves.
  this->view_.Calls.clear();
  this->editor_->SetSelStart(static_cast<int>(kHead.size()));
  ASSERT_TRUE(this->proof_.ShowWord());
  EXPECT_EQ(this->view_.Calls, std::vector<std::string>{"Show 0 4 0"});
}

TYPED_TEST_P(ProofSuite, ThePageViewIsCalledInItsOrder) {
  this->AddPage("T10n0289p592.tif");
  const std::string load = "Load 10 289 592";
  // A lost corner is said and the marker still placed; a load that fails says so, names the file
  // and shows no marker; one the operator cancelled ends F1; a missing file is said and redrawn.
  const struct {
    const char* what;
    bool cornerFound;
    PictureLoad load;
    const char* page;
    bool goesOn;
    std::vector<std::string> calls, shown;
  } cases[] = {
      // clang-format off
      {"corner lost", false, PictureLoad::Loaded, "592", true, {load, "DetectRightTop", "Show 0 4 1"},
       {std::string(kRightTopNotFound)}},
      {"load failed", true, PictureLoad::NotLoaded, "592", true, {load, "NotShown 10 289 592"},
       {"開啟圖檔失敗!\n檔案 : " + this->dir_.File("T10n0289p592.tif") + "\n原因 : 不是 TIFF 檔"}},
      {"load cancelled", true, PictureLoad::Cancelled, "592", false, {load}, {}},
      {"missing file", true, PictureLoad::Loaded, "593", true, {"FormResize"},
       {"錯誤 : 檔案 " + this->dir_.File("T10n0289p593.tif") + " 不存在 !"}},
      // clang-format on
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    this->view_ = RecordingPageView{};
    this->view_.RightTopFound = c.cornerFound;
    this->view_.LoadResult = c.load;
    this->prompts_.Shown.clear();
    this->Load(B("T10n0289_p0") + c.page + B("a05║甲") + "\r\n", static_cast<int>(kHead.size()) + 2);
    EXPECT_EQ(this->proof_.ShowWord(), c.goesOn);
    EXPECT_EQ(this->view_.Calls, c.calls);
    EXPECT_EQ(this->prompts_.Shown, c.shown);
    EXPECT_EQ(this->proof_.PictureFileExists, std::string(c.page) == "592");
  }
}

TYPED_TEST_P(ProofSuite, ALineHeadFieldThatIsNoNumberEndsTheChain) {
  // An empty line: the empty volume field is no number either.
  this->Load("\r\n" + kHead + "\r\n");
  EXPECT_FALSE(this->proof_.ShowWord());
  EXPECT_EQ(this->prompts_.Shown,
            std::vector<std::string>{"錯誤 : 第 1 行的行首 \"\" 無法解讀 : '' is not a valid integer value"});
  EXPECT_TRUE(this->view_.Calls.empty());

  // The head as long as the settings make it, without half a character, comes
  // before the field's text; F1 finds the mark but stops before the choice.
  this->Load("T1xn0289_p0592a0\xA5\xD2\xA4\x41" + B("║{{甲||乙}}") + "\r\n");
  this->prompts_.Shown.clear();
  this->proof_.RunLoop();
  EXPECT_EQ(this->prompts_.Shown,
            std::vector<std::string>{"錯誤 : 第 1 行的行首 \"T1xn0289_p0592a0甲\" 無法解讀 : "
                                     "'1x' is not a valid integer value"});
  EXPECT_TRUE(this->prompts_.ChoiceRequests.empty());
  EXPECT_TRUE(this->view_.Calls.empty());
}

TYPED_TEST_P(ProofSuite, CharactersBeforeTheCursorAreCountedWithTheirWarnings) {
  this->AddPage("T10n0289p592.tif");
  const std::string sq(kStrayRightSquareBracket), usq(kUnpairedSquareBracket), uab(kUnpairedAngleBracket),
      gt(kStrayGreaterThan);
  const struct {
    const char* before;
    int count;
    std::vector<std::string> warnings;
  } cases[] = {
      // clang-format off
      // A group counts the bytes between "[" and ">", a mark its bytes; second bytes "[", "]", "|" are none.
      {"甲。乙", 2, {}}, {"[金*本]乙", 2, {}}, {"[甲乙丙>丁]", 3, {}}, {"{{甲||乙}}", 5, {}}, {"加包四", 3, {}},
      // A stray "]" counts its byte, the group one character; an unpaired "[" stops the groups, tags
      // still count; two ">" before the "<": a warning and a byte each.
      {"][甲]", 1, {sq}}, {"<b>[甲", 1, {usq}}, {"<甲", 1, {uab}}, {">>甲<b>", 2, {gt, gt}},
      {"]>[甲<b>", 2, {sq, usq, gt}},
      // Odd byte counts, where one byte too many or too few shows after halving.
      {"a。甲", 1, {}}, {"甲。。乙", 2, {}}, {"a[甲乙>丙]", 2, {}}, {"a<b>甲", 1, {}},
      // clang-format on
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.before);
    EXPECT_EQ(this->CharAfter(B(c.before)), c.count);
    EXPECT_EQ(this->Warnings(), c.warnings);
    EXPECT_EQ(this->view_.Calls.back(), "Show 0 4 " + std::to_string(c.count));  // the marker is still placed
  }
  std::string twenty;
  for (int i = 0; i < 20; ++i) twenty += B("甲");
  EXPECT_EQ(this->CharAfter(twenty), 17);
  this->settings_.MaxLineWord = 0;
  EXPECT_EQ(this->CharAfter(twenty), 20);
}

// ---------------------------------------------------------------- whole-text check

TYPED_TEST_P(ProofSuite, TheMarksReportListsWhatF1WouldCompute) {
  this->AddPage("T10n0289p592.tif");
  const std::string line0 = kHead + B("甲{{甲||乙}}][丙]{{丙||丁||丁}}");
  const std::string line1 = B("T10n0289_p0593b01║{{甲}}乙");
  const std::string line2 = B("T1xn0289_p0593b02║{{甲||乙}}");
  const std::string text = line0 + "\r\n" + line1 + "\r\n" + line2 + "\r\n";
  this->Load(text, 7);
  std::ostringstream out;
  MarksSummary summary = WriteMarksReport(*this->editor_, this->settings_, true, out);

  // One row in full; the others by their kind and the summary line.
  const std::string report = out.str();
  EXPECT_EQ(report.substr(0, report.find('\n')), std::to_string(kHead.size() + 2) +
                                                     "\t0\t10\t289\t592\t0\t4\t1\t2\t" +
                                                     this->dir_.File("T10n0289p592.tif") + "\t1");
  EXPECT_NE(report.find("\t4\t7\t3\t"), std::string::npos);  // the second mark, after the stray "]"
  EXPECT_EQ(summary, (MarksSummary{4, 1, 1, 1, 1, 1, 1}));
  EXPECT_EQ(this->editor_->Text(), text);  // nothing changed
}

// A text opened to be read only: F4 says so, asks nothing and changes nothing, on every editor.
TYPED_TEST_P(ProofSuite, CommandsThatWriteRefuseAReadOnlyText) {
  const std::string text = Line(B("{{甲||乙}}丁"));
  this->editor_->SetReadOnlyText(text);
  this->editor_->SetSelStart(static_cast<int>(kHead.size()));
  this->proof_.SelectOneWord();
  EXPECT_EQ(this->editor_->Text(), text);
  EXPECT_EQ(this->prompts_.Shown, std::vector<std::string>{std::string(kReadOnlyText)});
  EXPECT_TRUE(this->prompts_.ChoiceRequests.empty());
}

REGISTER_TYPED_TEST_SUITE_P(ProofSuite, FindSignWalksForwardSkipsTheMarkAtTheCursorAndStopsAtTheEnd,
                            TokenBytesInsideBig5CharactersAreNoTokens,
                            TwoReadingsAreOfferedAndTheChoiceReplacesTheWholeMark,
                            AgreeingReadingsSetTheDefaultButton, SeparatorsCountOnlyUpToTheClosingToken,
                            AMarkThatDoesNotParseIsLeftAlone, CancelKeepsTheMarkAndCancelAndNextGoesOn,
                            RepeatedF1ReplacesEveryMarkEvenRightAfterAnEmptyReading,
                            AMarkChangedWhileTheChoiceWindowWaitsIsNotReplaced,
                            SplittingOrJoiningLinesWithALineHeadIsNoticed,
                            LineHeadIsDecodedAndThePageHandedOn, ThePageViewIsCalledInItsOrder,
                            ALineHeadFieldThatIsNoNumberEndsTheChain,
                            CharactersBeforeTheCursorAreCountedWithTheirWarnings,
                            TheMarksReportListsWhatF1WouldCompute, CommandsThatWriteRefuseAReadOnlyText);

}  // namespace zorvel::test
