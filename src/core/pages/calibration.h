#pragma once
// The operator's corrections of a page's calibration: the first character's
// top-right corner from a point clicked on the shown picture, and the line
// shift of one register.

#include <string_view>

#include "core/pages/vol_shift.h"

namespace zorvel {

// Whether the page on display has calibration values in the store. Only a
// shown page of a volume from 1 to 999, numbered 0 to 1499, whose volume the
// store holds, has them; for any other page no value is read (it counts as
// uncalibrated) and none is written, so that no page's values land in the
// slots of another volume.
enum class CalibrationScope { Ok, NoPage, VolumeOutOfRange, PageOutOfRange, OtherVolume };
CalibrationScope PageCalibrationScope(const CVolShift& store, bool pageShown, int pictureVolume,
                                      int picturePage);
// The calibration of the page on display: its values in the store when the
// scope is Ok, and none (uncalibrated) for any other page.
PageCalibration ShownPageCalibration(const CVolShift& store, bool pageShown, int pictureVolume,
                                     int picturePage);
// Why a calibration command does nothing, for the status line; empty for Ok.
std::string_view CalibrationScopeMessage(CalibrationScope scope);

// SetRightTop on page `page` of the store: (x, y) is a point of the shown
// picture, shownWidth wide, at pictureRatio percent, taken as the first
// character's top-right corner. A negative coordinate leaves its value alone.
// Dirty is set even when both are negative. A page without a slot changes
// nothing (false).
bool SetRightTop(CVolShift& store, int page, int pictureRatio, int shownWidth, int x, int y);

// The registers of a page.
enum class Register { Upper = 0, Middle = 1, Lower = 2 };

// The line shift of one register of a page; sets Dirty. A page without a slot
// changes nothing (false).
bool SetRegisterShift(CVolShift& store, int page, Register field, int lines);

// The register shift dialog opens only while the store holds a volume and a
// page is on display.
bool CanSetRegisterShift(int storeVolume, int pictureVolume, int picturePage);

}  // namespace zorvel
