#pragma once
// The proofreading loop of the text window: find the next difference mark (F2),
// show the cursor's character on the page image (F3), choose the reading of the
// mark at the cursor (F4), and all three in a row (F1). The workbench's text
// session holds one over the Qt editor; tools drive it over a MemoryEditor.

#include <string>

#include "core/pages/page_loading.h"
#include "core/prompts.h"
#include "core/proof/difference_mark.h"
#include "core/proof/enter_guard.h"
#include "core/proof/line_ref.h"

namespace zorvel {

class DecisionSink;
class MarkCounter;
class TextEditor;
struct Settings;

inline constexpr std::string_view kNoPreviousMark = "我沒有找到上一個差異起始符號耶.";
// Shown when the text under a mark changed while the choice window waited
// (other commands stay usable then), so that the answer no longer fits it.
inline constexpr std::string_view kMarkChangedWhileChoosing = "錯誤 : 選擇時差異符號已被更動, 文字沒有替換.";

class TextProofreader {
 public:
  // pageView may be null: no image window, ShowWord only looks for the page's
  // file and says when it is missing.
  TextProofreader(TextEditor& editor, const Settings& settings, Prompts& prompts, PageView* pageView);

  // F2: selects the next opening token after the cursor; false when there is none.
  // Right after a choice replaced a mark, the cursor's own position counts too.
  bool FindSign();
  // "上一個差異": selects the nearest opening token before the cursor, as F2
  // selects the next one; false (with its message) when there is none. counter,
  // when it counts the current opening token, finds the line without reading
  // the lines in between.
  bool FindPreviousSign(const MarkCounter* counter = nullptr);
  // CaretLine from FoundPos, CaretColumn from the selection start.
  void UpdateCaretLine();
  // F4: chooses the mark at the cursor, then the next marks while the operator
  // answers cancel and next.
  void SelectWord();
  // Parses the mark at the cursor and runs the choice window once.
  void SelectOneWord();
  // F1: FindSign; if it found a mark, ShowWord and, unless that stopped the
  // chain, SelectWord.
  void RunLoop();
  // F3: decodes the line head, counts the characters before the cursor and
  // has the image window show the page (LoadPage; a page on display is not
  // loaded again) and the marker. False, ending whatever chain called this,
  // when a line-head field is not a number (the error is shown) or when the
  // operator kept unsaved calibration rather than load the page.
  bool ShowWord();

  void SetPageView(PageView* pageView) { pageView_ = pageView; }
  // Where each choice that replaces a mark is recorded; null records nothing.
  void SetDecisionSink(DecisionSink* decisions) { decisions_ = decisions; }

  // Working fields.
  int FoundPos = 0;
  int CaretLine = 0;
  int CaretColumn = 0;
  int LastScrollLine = 0;
  std::string FirstStr, SecondStr, ThirdStr;  // Big5
  bool GoNext = false;
  Selection SelectResult = Selection::Cancel;
  // What the last ShowWord found.
  zorvel::LineRef LineRef;
  std::string CaretLineText;  // Big5
  std::string PictureFile;    // Big5, the page image file name
  bool PictureFileExists = false;
  // What the last SelectOneWord parsed (its Status tells whether it parsed).
  DifferenceMark LastMark;
  // When the choice window last gave its answer: an Enter that follows at once
  // was meant for that window, not for the text.
  zorvel::EnterGuard EnterGuard;

 private:
  bool SelectOpeningToken(int at, std::string_view notFound);

  TextEditor& editor_;
  const Settings& settings_;
  Prompts& prompts_;
  PageView* pageView_;
  DecisionSink* decisions_ = nullptr;
  // Where the last choice replaced a mark, and the text length after it. The
  // next FindSign from exactly there also looks at the cursor itself, so that a
  // mark right after an empty reading is not skipped.
  int replacedAt_ = -1;
  int lengthAfterReplace_ = -1;
};

}  // namespace zorvel
