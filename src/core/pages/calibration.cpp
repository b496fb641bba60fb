#include "core/pages/calibration.h"

#include "core/pages/marker_geometry.h"

namespace zorvel {

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
