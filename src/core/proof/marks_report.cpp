#include "core/proof/marks_report.h"

#include <string>
#include <vector>

#include "core/pages/page_view.h"
#include "core/prompts.h"
#include "core/proof/text_proofreader.h"
#include "core/text/big5.h"
#include "core/text/text_editor.h"

namespace zorvel {

namespace {

// Keeps every message and error, and cancels every choice, so that walking the
// marks changes nothing.
class RecordingPrompts : public Prompts {
 public:
  std::vector<std::string> Messages;
  std::vector<std::string> Errors;

  void Clear() {
    Messages.clear();
    Errors.clear();
  }
  void Message(std::string_view text) override { Messages.emplace_back(text); }
  void Error(std::string_view text) override { Errors.emplace_back(text); }
  bool AskYesNo(std::string_view) override { return false; }
  Answer AskYesNoCancel(std::string_view) override { return Answer::Cancel; }
  ChoiceAnswer Choose(const ChoiceRequest&) override { return ChoiceAnswer{}; }
  ReplaceAnswer AskReplace(const ReplaceQuestion&) override { return ReplaceAnswer{}; }
};

// An image window that shows nothing and always succeeds.
class NoPageView : public PageView {
 public:
  std::string PictureFileName() const override { return {}; }
  PictureLoad LoadPicture(int, int, const std::string&, int) override { return PictureLoad::Loaded; }
  bool DetectRightTop() override { return true; }
  void ShowPosition(int, int, int) override {}
  void FormResize() override {}
};

bool IsWarning(const std::string& message) {
  return message.rfind("警告", 0) == 0;
}

}  // namespace

MarksSummary WriteMarksReport(TextEditor& editor, const Settings& settings, bool utf8, std::ostream& out) {
  auto text = [utf8](std::string_view utf8Text) {
    return utf8 ? std::string(utf8Text) : Utf8ToBig5(utf8Text);
  };
  auto name = [utf8](std::string_view big5) { return utf8 ? Big5ToUtf8(big5) : std::string(big5); };

  RecordingPrompts prompts;
  NoPageView pageView;
  TextProofreader proof(editor, settings, prompts, &pageView);
  MarksSummary summary;
  editor.SetSelStart(0);
  for (;;) {
    prompts.Clear();
    if (!proof.FindSign()) break;
    ++summary.Marks;
    const int offset = proof.FoundPos;

    prompts.Clear();
    bool decoded = proof.ShowWord();
    for (const std::string& message : prompts.Messages) {
      if (!IsWarning(message)) continue;
      ++summary.Warnings;
      out << "warning\t" << offset << '\t' << text(message) << '\n';
    }
    if (!decoded) {
      ++summary.Errors;
      for (const std::string& error : prompts.Errors)
        out << "error\t" << offset << '\t' << text(error) << '\n';
      continue;
    }
    if (!proof.PictureFileExists) ++summary.MissingPages;

    prompts.Clear();
    proof.SelectOneWord();
    const DifferenceMark& mark = proof.LastMark;
    int readings = mark.Status != MarkStatus::Ok ? 0 : (mark.ThreeReadings ? 3 : 2);
    if (readings == 0) ++summary.Unparsed;
    if (readings == 2) ++summary.Readings2;
    if (readings == 3) ++summary.Readings3;

    const LineRef& ref = proof.LineRef;
    out << offset << '\t' << proof.CaretLine << '\t' << ref.Vol << '\t' << ref.Sutra << '\t' << ref.Page
        << '\t' << ref.Field << '\t' << ref.Line << '\t' << ref.Char << '\t' << readings << '\t'
        << name(proof.PictureFile) << '\t' << (proof.PictureFileExists ? 1 : 0);
    if (readings == 0) out << '\t' << text(MarkStatusMessage(mark.Status));
    out << '\n';
  }
  editor.SetSelStart(0);
  out << "marks=" << summary.Marks << " readings2=" << summary.Readings2 << " readings3=" << summary.Readings3
      << " unparsed=" << summary.Unparsed << " missing_pages=" << summary.MissingPages
      << " warnings=" << summary.Warnings << " errors=" << summary.Errors << '\n';
  return summary;
}

}  // namespace zorvel
