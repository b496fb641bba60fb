#include "core/pages/calibration_save.h"

namespace zorvel {

namespace {

std::string WithReason(std::string text, const std::string& reason) {
  if (!reason.empty()) text += " (" + reason + ")";
  return text;
}

}  // namespace

std::string CalibrationNotWrittenText(const CVolShift& store) {
  return WithReason("錯誤 : 圖形偏移資訊檔 " + store.FileName(store.Volume()) + " 無法寫入 !",
                    store.LastError());
}

std::string CalibrationNotReadText(const CVolShift& store, int volume) {
  return WithReason("錯誤 : 圖形偏移資訊檔 " + store.FileName(volume) + " 無法讀取 !", store.LastError()) +
         "\n這次執行不會覆寫這個檔案.";
}

bool SaveCalibrationOrAsk(CVolShift& store, Prompts& prompts, CalibrationSaveOccasion occasion) {
  if (!store.Dirty) return true;
  // A store without a volume has nowhere to go; nothing of a volume is lost.
  if (!CVolShift::HasVolume(store.Volume())) return true;
  if (store.SaveCalibration()) return true;
  const std::string failed = CalibrationNotWrittenText(store);
  switch (occasion) {
    case CalibrationSaveOccasion::Command:
      prompts.Message(failed);
      return false;
    case CalibrationSaveOccasion::VolumeChange:
      return prompts.AskYesNo(failed + "\n是否放棄第 " + std::to_string(store.Volume()) +
                              " 冊尚未儲存的圖形偏移資訊?");
    case CalibrationSaveOccasion::Closing:
      return prompts.AskYesNo(failed + "\n第 " + std::to_string(store.Volume()) +
                              " 冊的圖形偏移資訊尚未儲存, 是否確定結束?");
  }
  return false;
}

}  // namespace zorvel
