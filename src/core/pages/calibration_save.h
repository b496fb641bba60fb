#pragma once
// Saving the calibration store without ever losing it silently. Every failed
// save says so, with the file's name and the system's reason; where the program
// would go on and drop the unsaved values (a page of another volume, closing)
// the operator decides whether to go on.

#include <string>

#include "core/pages/vol_shift.h"
#include "core/prompts.h"

namespace zorvel {

enum class CalibrationSaveOccasion {
  Command,       // "儲存圖形偏移資訊": a failure is a message
  VolumeChange,  // a page of another volume: ask whether to discard the values
  Closing,       // the program closes: ask whether to exit all the same
};

// Saves the store when it is Dirty and holds a volume. True when the caller
// may go on: nothing to save, saved, or the operator agreed to go on without
// the values. False when the operator chose to keep them (the caller stops and
// changes nothing). For Command the result is whether nothing is left unsaved.
bool SaveCalibrationOrAsk(CVolShift& store, Prompts& prompts, CalibrationSaveOccasion occasion);

// "錯誤 : 圖形偏移資訊檔 <file> 無法寫入 ! (<reason>)"
std::string CalibrationNotWrittenText(const CVolShift& store);
// "錯誤 : 圖形偏移資訊檔 <file> 無法讀取 ! (<reason>)" and the note that the file
// is not overwritten in this run.
std::string CalibrationNotReadText(const CVolShift& store, int volume);

}  // namespace zorvel
