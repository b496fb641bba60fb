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

PageStep StepPicture(const Settings& settings, PageView& view, Prompts& prompts, const PagePlace& at,
                     int step) {
  if (static_cast<long long>(at.Volume) + at.Page == 0) {
    prompts.Message(kPageUnknown);
    return PageStep::Unknown;
  }
  if (step == 0) return PageStep::Stayed;
  const int page = at.Page + step;
  std::string fileName;
  if (!CheckPictureFile(settings, at.Volume, at.Sutra, page, fileName)) {
    prompts.Message("錯誤 : 檔案 " + Big5ToUtf8(fileName) + " 不存在 !");
    view.ShowPageNotShown(at.Volume, at.Sutra, page, fileName);
    return PageStep::NotShown;
  }
  switch (view.LoadPicture(at.Volume, at.Sutra, fileName, page)) {
    case PictureLoad::Cancelled:
      return PageStep::Kept;
    case PictureLoad::NotLoaded:
      prompts.Message(PageOpenFailedMessage(Big5ToUtf8(fileName), view.LoadFailure()));
      view.ShowPageNotShown(at.Volume, at.Sutra, page, fileName);
      return PageStep::NotShown;
    case PictureLoad::Loaded:
      break;
  }
  if (settings.AutoSetRightTop && !view.DetectRightTop()) prompts.Message(kRightTopNotFound);
  return PageStep::Loaded;
}

}  // namespace zorvel
