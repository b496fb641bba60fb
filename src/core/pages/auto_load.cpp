#include "core/pages/auto_load.h"

#include "core/pages/page_loading.h"
#include "core/settings/settings_entry.h"
#include "core/text/big5.h"

namespace zorvel {

AutoLoadField ParseAutoLoadRange(std::string_view volume, std::string_view firstPage,
                                 std::string_view lastPage, AutoLoadRange& range) {
  if (!ParseEnteredInteger(volume, range.Volume)) return AutoLoadField::Volume;
  if (!ParseEnteredInteger(firstPage, range.FirstPage)) return AutoLoadField::FirstPage;
  if (!ParseEnteredInteger(lastPage, range.LastPage)) return AutoLoadField::LastPage;
  return AutoLoadField::None;
}

std::string_view AutoLoadFieldMessage(AutoLoadField field) {
  switch (field) {
    case AutoLoadField::Volume:
      return "冊別欄要填入數字!";
    case AutoLoadField::FirstPage:
      return "起始頁這欄要填入數字!";
    case AutoLoadField::LastPage:
      return "結束頁這欄要填入數字!";
    case AutoLoadField::None:
      break;
  }
  return {};
}

AutoLoadRun::AutoLoadRun(const Settings& settings, PageView& view, AutoLoadRange range)
    : settings_(settings), view_(view), range_(range) {
  // Counted in 64 bits: a range from INT_MIN to INT_MAX must not wrap.
  const long long first = range.FirstPage;
  const long long last = range.LastPage;
  count_ = first <= last ? last - first + 1 : 0;
}

std::string AutoLoadRun::ReportLine(PageOutcome outcome, std::string_view big5FileName,
                                    std::string_view reason) {
  std::string_view prefix;
  switch (outcome) {
    case PageOutcome::FileMissing:
      prefix = kReportFileMissing;
      break;
    case PageOutcome::BadFormat:
      prefix = kReportBadFormat;
      break;
    case PageOutcome::RightTopFailed:
      prefix = kReportRightTopFailed;
      break;
    case PageOutcome::Loaded:
    case PageOutcome::Cancelled:
    case PageOutcome::Unchanged:
      return {};
  }
  std::string line = std::string(prefix) + Big5ToUtf8(big5FileName);
  if (!reason.empty()) line += " (" + std::string(reason) + ")";
  return line;
}

void AutoLoadRun::AddReport(PageOutcome outcome, const std::string& fileName, const std::string& reason) {
  std::string line = ReportLine(outcome, fileName, reason);
  if (line.empty()) return;
  report_.push_back(std::move(line));
  if (OnReport) OnReport(report_.back());
}

bool AutoLoadRun::LoadNextPage(PageOutcome* outcome) {
  if (Finished()) return false;
  const int page = static_cast<int>(range_.FirstPage + done_);
  ++done_;

  const PageLoadResult loaded = LoadPage(settings_, view_, {range_.Volume, 0, page});
  if (loaded.Outcome == PageOutcome::Cancelled) done_ = count_;
  if (loaded.Shown()) {
    if (BeforeShow) BeforeShow();
    view_.ShowPosition(0, 0, 0);
  }
  AddReport(loaded.Outcome, loaded.FileName, loaded.Reason);
  if (outcome) *outcome = loaded.Outcome;
  return true;
}

bool AutoLoadRun::Run(const std::function<bool()>& betweenPages) {
  while (!Finished()) {
    if (betweenPages && betweenPages()) return false;
    PageOutcome outcome = PageOutcome::Loaded;
    LoadNextPage(&outcome);
    if (outcome == PageOutcome::Cancelled) return false;
  }
  return true;
}

bool LoadSinglePage(const Settings& settings, PageView& view, Prompts& prompts, int volume, int page,
                    const std::function<void()>& beforeClose) {
  const PageLoadResult loaded = LoadPage(settings, view, {volume, 0, page});
  TellPageLoad(prompts, loaded);
  if (!loaded.Shown()) return false;
  if (beforeClose) beforeClose();
  return true;
}

}  // namespace zorvel
