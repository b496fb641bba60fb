#include "core/proof/text_proofreader.h"

#include <algorithm>
#include <vector>

#include "core/pages/page_view.h"
#include "core/prompts.h"
#include "core/proof/decision_log.h"
#include "core/proof/line_head.h"
#include "core/proof/mark_counter.h"
#include "core/settings/settings.h"
#include "core/text/big5.h"
#include "core/text/text_editor.h"

namespace zorvel {

namespace {

DecisionSource DecisionSourceOf(Selection selection) {
  switch (selection) {
    case Selection::Second:
      return DecisionSource::Second;
    case Selection::Third:
      return DecisionSource::Third;
    case Selection::UserString:
      return DecisionSource::User;
    default:
      return DecisionSource::First;
  }
}

}  // namespace

TextProofreader::TextProofreader(TextEditor& editor, const Settings& settings, Prompts& prompts,
                                 PageView* pageView)
    : editor_(editor), settings_(settings), prompts_(prompts), pageView_(pageView) {}

void TextProofreader::UpdateCaretLine() {
  CaretLine = editor_.LineFromPos(FoundPos);
  CaretColumn = editor_.SelStart() - editor_.LineStart(CaretLine);
}

bool TextProofreader::FindSign() {
  editor_.ScrollFullyLeft();
  const std::string& sign1 = settings_.Sign1;
  int start = editor_.SelStart() + 1;
  int end = editor_.TextLength();
  if (replacedAt_ == editor_.SelStart() && editor_.SelLength() == 0 && lengthAfterReplace_ == end) --start;
  replacedAt_ = -1;
  int at = (sign1.empty() || start > end) ? -1 : editor_.Find(sign1, start, end, FindOptions{});
  const bool found = SelectOpeningToken(at, kNoMarkFound);
  if (editor_.VerticalScrollPos() > 0 && CaretLine != LastScrollLine) {
    editor_.ScrollLineDown();
    LastScrollLine = CaretLine;
  }
  editor_.SetFocus();
  return found;
}

bool TextProofreader::FindPreviousSign(const MarkCounter* counter) {
  editor_.ScrollFullyLeft();
  replacedAt_ = -1;
  const std::string& sign1 = settings_.Sign1;
  const int from = editor_.SelStart();
  const int at = counter != nullptr && counter->Sign() == sign1 ? counter->PreviousMark(editor_, from)
                                                                : FindPreviousMark(editor_, sign1, from);
  const bool found = SelectOpeningToken(at, kNoPreviousMark);
  editor_.SetFocus();
  return found;
}

// Selects the opening token at `at` and notes it in FoundPos; at -1 says
// `notFound` and leaves the cursor where it is.
bool TextProofreader::SelectOpeningToken(int at, std::string_view notFound) {
  if (at < 0) {
    prompts_.Message(notFound);
    FoundPos = editor_.SelStart();
  } else {
    editor_.SetSelStart(at);
    editor_.SetSelLength(static_cast<int>(settings_.Sign1.size()));
    FoundPos = at;
  }
  UpdateCaretLine();
  return at >= 0;
}

void TextProofreader::SelectOneWord() {
  replacedAt_ = -1;
  FoundPos = editor_.SelStart();
  UpdateCaretLine();
  const int p0 = editor_.SelStart();

  std::string line = editor_.LineBytes(CaretLine);
  std::string_view rest = CaretColumn >= 0 && CaretColumn <= static_cast<int>(line.size())
                              ? std::string_view(line).substr(static_cast<std::size_t>(CaretColumn))
                              : std::string_view();
  LastMark = ParseDifferenceMark(rest, settings_.Sign1, settings_.Sign2, settings_.Sign3);
  if (LastMark.Status != MarkStatus::Ok) {
    prompts_.Message(MarkStatusMessage(LastMark.Status));
    editor_.SetFocus();
    return;
  }
  if (editor_.IsReadOnly()) {
    prompts_.Message(kReadOnlyText);
    editor_.SetFocus();
    return;
  }
  FirstStr = LastMark.FirstStr;
  SecondStr = LastMark.SecondStr;
  ThirdStr = LastMark.ThirdStr;

  ChoiceRequest request;
  request.FirstStr = FirstStr;
  request.SecondStr = SecondStr;
  request.ThirdStr = ThirdStr;
  request.ThreeReadings = LastMark.ThreeReadings;
  for (int i = 0; i < 3; ++i) request.Agree[i] = LastMark.Agree[i];
  request.DefaultButton = LastMark.DefaultButton;
  request.UserString = settings_.UserString;
  for (int i = 0; i < 3; ++i) request.Writable[i] = LastMark.Writable[i];
  if (LastMark.ThreeReadings && !LastMark.Writable[2]) request.Note = kThirdHoldsSeparator;

  editor_.SetSelStart(p0);
  editor_.SetSelLength(LastMark.Length);
  const std::string markBytes(rest.substr(0, static_cast<std::size_t>(LastMark.Length)));

  SelectResult = Selection::Waiting;
  editor_.SetEnabled(false);
  ChoiceAnswer answer = prompts_.Choose(request);
  EnterGuard.ChoiceClosed(std::chrono::steady_clock::now());
  editor_.SetEnabled(true);
  SelectResult = answer.SelectResult;
  if (answer.GoNext) GoNext = true;
  // A reading that is not offered, or that still holds a separator, is never
  // written: the answer counts as a cancel.
  if (!AnswerWritable(LastMark, SelectResult)) SelectResult = Selection::Cancel;

  const std::string* replacement = nullptr;
  switch (SelectResult) {
    case Selection::First:
      replacement = &FirstStr;
      break;
    case Selection::Second:
      replacement = &SecondStr;
      break;
    case Selection::Third:
      replacement = &ThirdStr;
      break;
    case Selection::UserString:
      replacement = &answer.UserStr;
      break;
    case Selection::Waiting:
    case Selection::Cancel:
      break;
  }
  if (replacement != nullptr) {
    // Other commands stay usable while the choice window waits: select the mark
    // again, and replace it only if it is still there as it was.
    editor_.SetSelStart(p0);
    editor_.SetSelLength(LastMark.Length);
    if (editor_.SelectedBytes() == markBytes) {
      editor_.ReplaceSelection(*replacement);
      replacedAt_ = p0;
      lengthAfterReplace_ = editor_.TextLength();
      if (decisions_ != nullptr) {
        Decision decision;
        decision.LineHead = line.substr(0, static_cast<std::size_t>(std::max(0, settings_.LineHeadLength)));
        decision.Offset = p0;
        decision.Mark = markBytes;
        decision.Reading = *replacement;
        decision.Source = DecisionSourceOf(SelectResult);
        decisions_->Record(decision);
      }
    } else {
      prompts_.Message(kMarkChangedWhileChoosing);
    }
  }
  editor_.SetSelStart(p0);
  FoundPos = p0;
  UpdateCaretLine();
  editor_.SetFocus();
}

void TextProofreader::SelectWord() {
  GoNext = false;
  SelectOneWord();
  while (GoNext) {
    GoNext = false;
    if (!FindSign()) break;
    if (!ShowWord()) break;
    SelectOneWord();
  }
}

void TextProofreader::RunLoop() {
  if (!FindSign()) return;
  if (!ShowWord()) return;
  SelectWord();
}

bool TextProofreader::ShowWord() {
  FoundPos = editor_.SelStart();
  UpdateCaretLine();
  CaretLineText = editor_.LineBytes(CaretLine);

  std::string badField;
  if (!DecodeLineHead(CaretLineText, settings_, LineRef, badField)) {
    prompts_.Error(LineHeadErrorMessage(CaretLine, CaretLineText, settings_, badField));
    return false;
  }
  std::vector<std::string> warnings;
  LineRef.Char = CountCharsBeforeCursor(CaretLineText, CaretColumn, settings_, warnings);
  for (const std::string& warning : warnings) prompts_.Message(warning);

  const PagePlace place{LineRef.Vol, LineRef.Sutra, LineRef.Page};
  const PageLoadResult loaded = pageView_ != nullptr
                                    ? LoadPage(settings_, *pageView_, place, PageReload::UnlessShown)
                                    : FindPageFile(settings_, place);
  PictureFile = loaded.FileName;
  PictureFileExists = loaded.Outcome != PageOutcome::FileMissing;
  TellPageLoad(prompts_, loaded);
  if (pageView_ != nullptr) {
    switch (loaded.Outcome) {
      case PageOutcome::FileMissing:
        pageView_->FormResize();
        break;
      case PageOutcome::Cancelled:
        // The operator kept the unsaved calibration: the page and its marker
        // stay, and F1 stops here.
        editor_.SetFocus();
        return false;
      case PageOutcome::BadFormat:
        // The old page's marker would point at the wrong page: show that the
        // page asked for is not there.
        pageView_->ShowPageNotShown(place.Volume, place.Sutra, place.Page, PictureFile);
        break;
      case PageOutcome::Loaded:
      case PageOutcome::RightTopFailed:
      case PageOutcome::Unchanged:
        pageView_->ShowPosition(LineRef.Field, LineRef.Line, LineRef.Char);
        break;
    }
  }
  editor_.SetFocus();
  return true;
}

}  // namespace zorvel
