#include "core/pages/page_loading.h"

#include <string>

#include "core/pages/calibration_save.h"
#include "core/pages/page_failure.h"
#include "core/pages/picture_file_name.h"
#include "core/text/big5.h"

namespace zorvel {

bool SwitchesVolume(const CVolShift& store, int volume) {
  return volume != store.Volume() && CVolShift::HasVolume(volume);
}

PictureLoad ShowPageOfVolume(CVolShift& store, Prompts& prompts, int volume,
                             const std::function<void()>& show) {
  const bool switchVolume = SwitchesVolume(store, volume);
  if (switchVolume && !SaveCalibrationOrAsk(store, prompts, CalibrationSaveOccasion::VolumeChange)) {
    return PictureLoad::Cancelled;
  }
  show();
  if (switchVolume && !store.LoadCalibration(volume) &&
      store.LastLoad() == CVolShift::LoadOutcome::Unreadable) {
    prompts.Message(CalibrationNotReadText(store, volume));
  }
  return PictureLoad::Loaded;
}

PageLoadResult FindPageFile(const Settings& settings, const PagePlace& place) {
  PageLoadResult result;
  result.Outcome = CheckPictureFile(settings, place.Volume, place.Sutra, place.Page, result.FileName)
                       ? PageOutcome::Unchanged
                       : PageOutcome::FileMissing;
  return result;
}

PageLoadResult LoadPage(const Settings& settings, PageView& view, const PagePlace& place, PageReload reload) {
  PageLoadResult result = FindPageFile(settings, place);
  if (result.Outcome == PageOutcome::FileMissing) return result;
  if (reload == PageReload::UnlessShown && result.FileName == view.PictureFileName()) return result;
  switch (view.LoadPicture(place.Volume, place.Sutra, result.FileName, place.Page)) {
    case PictureLoad::Cancelled:
      result.Outcome = PageOutcome::Cancelled;
      return result;
    case PictureLoad::NotLoaded:
      result.Outcome = PageOutcome::BadFormat;
      result.Reason = view.LoadFailure();
      return result;
    case PictureLoad::Loaded:
      break;
  }
  result.Outcome =
      settings.AutoSetRightTop && !view.DetectRightTop() ? PageOutcome::RightTopFailed : PageOutcome::Loaded;
  return result;
}

std::string PageFileMissingMessage(std::string_view big5FileName) {
  return "錯誤 : 檔案 " + Big5ToUtf8(big5FileName) + " 不存在 !";
}

void TellPageLoad(Prompts& prompts, const PageLoadResult& result) {
  switch (result.Outcome) {
    case PageOutcome::FileMissing:
      prompts.Message(PageFileMissingMessage(result.FileName));
      break;
    case PageOutcome::BadFormat:
      prompts.Message(PageOpenFailedMessage(Big5ToUtf8(result.FileName), result.Reason));
      break;
    case PageOutcome::RightTopFailed:
      prompts.Message(kRightTopNotFound);
      break;
    case PageOutcome::Loaded:
    case PageOutcome::Cancelled:
    case PageOutcome::Unchanged:
      break;
  }
}

PageStep StepPicture(const Settings& settings, PageView& view, Prompts& prompts, const PagePlace& at,
                     int step) {
  if (static_cast<long long>(at.Volume) + at.Page == 0) {
    prompts.Message(kPageUnknown);
    return PageStep::Unknown;
  }
  if (step == 0) return PageStep::Stayed;
  const PagePlace place{at.Volume, at.Sutra, at.Page + step};
  const PageLoadResult loaded = LoadPage(settings, view, place);
  TellPageLoad(prompts, loaded);
  switch (loaded.Outcome) {
    case PageOutcome::Cancelled:
      return PageStep::Kept;
    case PageOutcome::FileMissing:
    case PageOutcome::BadFormat:
      view.ShowPageNotShown(place.Volume, place.Sutra, place.Page, loaded.FileName);
      return PageStep::NotShown;
    case PageOutcome::Loaded:
    case PageOutcome::RightTopFailed:
    case PageOutcome::Unchanged:
      break;
  }
  return PageStep::Loaded;
}

}  // namespace zorvel
