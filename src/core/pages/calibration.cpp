#include "core/pages/calibration.h"

#include "core/pages/marker_geometry.h"

namespace zorvel {

CalibrationScope PageCalibrationScope(const CVolShift& store, bool pageShown, int pictureVolume,
                                      int picturePage) {
  if (!pageShown) return CalibrationScope::NoPage;
  if (!CVolShift::HasVolume(pictureVolume)) return CalibrationScope::VolumeOutOfRange;
  if (!CVolShift::HasSlot(picturePage)) return CalibrationScope::PageOutOfRange;
  if (store.Volume() != pictureVolume) return CalibrationScope::OtherVolume;
  return CalibrationScope::Ok;
}

PageCalibration ShownPageCalibration(const CVolShift& store, bool pageShown, int pictureVolume,
                                     int picturePage) {
  return PageCalibrationScope(store, pageShown, pictureVolume, picturePage) == CalibrationScope::Ok
             ? store.Get(picturePage)
             : PageCalibration{};
}

std::string_view CalibrationScopeMessage(CalibrationScope scope) {
  switch (scope) {
    case CalibrationScope::Ok:
      break;
    case CalibrationScope::NoPage:
      return "沒有顯示圖檔, 無法設定圖形偏移資訊";
    case CalibrationScope::VolumeOutOfRange:
      return "冊別須在 1 至 999 之間, 本頁沒有圖形偏移資訊可以設定";
    case CalibrationScope::PageOutOfRange:
      return "頁數須在 0 至 1499 之間, 本頁沒有圖形偏移資訊可以設定";
    case CalibrationScope::OtherVolume:
      return "圖形偏移資訊屬於另一冊, 本頁無法設定";
  }
  return {};
}

bool SetRightTop(CVolShift& store, int page, int pictureRatio, int shownWidth, int x, int y) {
  if (!CVolShift::HasSlot(page)) return false;
  store.Set(page, ComputeRightTop(store.Get(page), pictureRatio, shownWidth, x, y));
  store.Dirty = true;
  return true;
}

bool SetRegisterShift(CVolShift& store, int page, Register field, int lines) {
  if (!CVolShift::HasSlot(page)) return false;
  PageCalibration values = store.Get(page);
  switch (field) {
    case Register::Upper:
      values.UpperShift = lines;
      break;
    case Register::Middle:
      values.MiddleShift = lines;
      break;
    case Register::Lower:
      values.LowerShift = lines;
      break;
  }
  store.Set(page, values);
  store.Dirty = true;
  return true;
}

bool CanSetRegisterShift(int storeVolume, int pictureVolume, int picturePage) {
  return storeVolume != 0 && pictureVolume != 0 && picturePage != 0;
}

}  // namespace zorvel
