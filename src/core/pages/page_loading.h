#pragma once
// How a page is loaded (its file looked for, decoded, its top-right corner
// searched), which page the image window loads next, and what happens to the
// calibration store when a page of another volume comes: the rules of paging
// that do not depend on how the page is drawn.

#include <functional>
#include <string>
#include <string_view>

#include "core/pages/page_view.h"
#include "core/pages/vol_shift.h"
#include "core/prompts.h"
#include "core/settings/settings.h"

namespace zorvel {

inline constexpr std::string_view kRightTopNotFound = "本頁右上角定位失敗!";
inline constexpr std::string_view kPageUnknown = "我怎麼知道這是哪一張 ?";

// True when a page of volume takes the store to another volume: a volume
// outside 1 to 999 has no file, so the store keeps what it holds.
bool SwitchesVolume(const CVolShift& store, int volume);

// Shows a page of volume. When the volume changes, the store's unsaved values
// are saved first (or given up when the operator agrees); if the operator keeps
// them, nothing is shown and the result is Cancelled. Then show() puts the page
// on the screen and the store takes the new volume's values, telling the
// operator when their file cannot be read.
PictureLoad ShowPageOfVolume(CVolShift& store, Prompts& prompts, int volume,
                             const std::function<void()>& show);

// Where the image window stands: the numbers of the page on display, or of the
// page that could not be shown.
struct PagePlace {
  int Volume = 0;
  int Sutra = 0;
  int Page = 0;
};

// What became of a page asked for. Cancelled: the operator kept calibration
// values that could not be saved rather than switch to the page's volume;
// nothing changed. Unchanged: the file is there and the window shows it
// already (or there is no window to load it into), so it was not loaded again.
enum class PageOutcome { Loaded, FileMissing, BadFormat, RightTopFailed, Cancelled, Unchanged };

struct PageLoadResult {
  PageOutcome Outcome = PageOutcome::Loaded;
  std::string FileName;  // Big5, as the file-name template gave it
  std::string Reason;    // why a BadFormat page did not decode (UTF-8)
  // The page asked for is on display, so a marker may be placed on it.
  bool Shown() const {
    return Outcome == PageOutcome::Loaded || Outcome == PageOutcome::RightTopFailed ||
           Outcome == PageOutcome::Unchanged;
  }
};

// Whether a page that the window already shows is loaded again.
enum class PageReload { Always, UnlessShown };

// The one way a page is loaded: its file name from the template; a missing
// file goes no further; then the view loads it (a file the view shows already
// is left as it is under UnlessShown); after a load, with AutoSetRightTop on,
// the top-right corner is searched. Nothing is said to the operator: see
// TellPageLoad.
PageLoadResult LoadPage(const Settings& settings, PageView& view, const PagePlace& place,
                        PageReload reload = PageReload::Always);
// Only the file: FileMissing or Unchanged.
PageLoadResult FindPageFile(const Settings& settings, const PagePlace& place);

// "錯誤 : 檔案 <name> 不存在 !" (UTF-8) for a Big5 file name.
std::string PageFileMissingMessage(std::string_view big5FileName);
// Tells the operator what went wrong: the missing file, the page that did not
// decode ("開啟圖檔失敗!" with the name and the reason), the corner not found.
// The other outcomes say nothing.
void TellPageLoad(Prompts& prompts, const PageLoadResult& result);

enum class PageStep {
  Unknown,   // no page yet: the operator is told, nothing changes
  Stayed,    // a step of 0
  Loaded,    // the page was loaded and shown
  NotShown,  // missing or not decodable: told, and the window stands on it
  Kept,      // the operator kept unsaved calibration values: nothing changes
};

// Steps from the page at `at` by step pages (-1 previous, +1 next). A page
// that cannot be shown is stood on without a picture, so that the next step
// goes past it and the step back returns. After a load the top-right corner is
// searched when AutoSetRightTop is on.
PageStep StepPicture(const Settings& settings, PageView& view, Prompts& prompts, const PagePlace& at,
                     int step);

}  // namespace zorvel
