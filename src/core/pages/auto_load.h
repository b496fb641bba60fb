#pragma once
// The run of pages: loads the pages of one volume from a first to a last page,
// one after another, through the image window, and notes each page that could
// not be opened, did not decode, or whose top-right corner was not found.
//
// The window that runs it gives the run a chance to process its events before
// every page; that is where a stop request is noticed, so a stop takes effect
// between two pages and the page being loaded finishes first.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/pages/page_loading.h"
#include "core/pages/page_view.h"
#include "core/prompts.h"
#include "core/settings/settings.h"

namespace zorvel {

// The prefixes of the report lines, followed by the page's file name. The two
// shorter words end with an ideographic space (U+3000) so that all three
// prefixes are equally wide.
inline constexpr std::string_view kReportFileMissing = "檔案不存在 : ";
inline constexpr std::string_view kReportBadFormat = "格式不對\xE3\x80\x80 : ";
inline constexpr std::string_view kReportRightTopFailed = "定位失敗\xE3\x80\x80 : ";

// The three numbers of the run as typed.
struct AutoLoadRange {
  int Volume = 0;
  int FirstPage = 0;
  int LastPage = 0;
};

enum class AutoLoadField { None, Volume, FirstPage, LastPage };

// Reads the three fields in order; the first that is not a whole number is
// returned (range untouched beyond the fields read before it).
AutoLoadField ParseAutoLoadRange(std::string_view volume, std::string_view firstPage,
                                 std::string_view lastPage, AutoLoadRange& range);
// "冊別欄要填入數字!", "起始頁這欄要填入數字!", "結束頁這欄要填入數字!"; empty for None.
std::string_view AutoLoadFieldMessage(AutoLoadField field);

class AutoLoadRun {
 public:
  // settings is read afresh for every page (AutoSetRightTop, the file-name
  // template); it must outlive the run.
  AutoLoadRun(const Settings& settings, PageView& view, AutoLoadRange range);

  // Called after a page loaded and before its first character is shown: the
  // window scrolls to the page's top-right corner there.
  std::function<void()> BeforeShow;
  // Called with every report line as it is added (UTF-8).
  std::function<void(const std::string&)> OnReport;

  // Pages in the range: 0 when the first page is after the last.
  long long PageCount() const { return count_; }
  // Pages handled so far, loaded or not.
  long long PagesDone() const { return done_; }
  bool Finished() const { return done_ >= count_; }

  // Handles the next page of the range (LoadPage); a Cancelled page ends the
  // run. False, doing nothing, when every page has been handled.
  bool LoadNextPage(PageOutcome* outcome = nullptr);

  // The whole run. Before every page, betweenPages runs; when it returns true
  // (the operator asked to stop) the run ends there. False when it was stopped,
  // by the operator or by a cancelled page.
  bool Run(const std::function<bool()>& betweenPages);

  // The report lines so far (UTF-8), in the order of the pages.
  const std::vector<std::string>& Report() const { return report_; }

  // The report line of a page's problem; empty for a page without one.
  // reason (UTF-8), when given, follows the file name in parentheses.
  static std::string ReportLine(PageOutcome outcome, std::string_view big5FileName,
                                std::string_view reason = {});

 private:
  void AddReport(PageOutcome outcome, const std::string& fileName, const std::string& reason = {});

  const Settings& settings_;
  PageView& view_;
  AutoLoadRange range_;
  long long count_ = 0;
  long long done_ = 0;
  std::vector<std::string> report_;
};

// The load-page dialog's confirmation for volume and page (sutra 0): a missing
// file says "錯誤 : 檔案 <name> 不存在 !" and a page that does not decode
// "開啟圖檔失敗!" with the file name and the reason, and both keep the dialog
// open (false), as does a load the operator cancelled. A loaded page whose
// corner is not found (with AutoSetRightTop on) says "本頁右上角定位失敗!";
// then beforeClose runs (the window scrolls to the top right) and the result
// is true: the dialog closes.
bool LoadSinglePage(const Settings& settings, PageView& view, Prompts& prompts, int volume, int page,
                    const std::function<void()>& beforeClose);

}  // namespace zorvel
