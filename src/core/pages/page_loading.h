#pragma once
// Which page the image window loads next, and what happens to the calibration
// store when a page of another volume comes: the two rules of paging that do
// not depend on how the page is drawn.

#include <functional>
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
