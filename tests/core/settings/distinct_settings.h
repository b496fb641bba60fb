#pragma once
// Settings whose every number differs from every other and from its default,
// and whose texts and switches differ from theirs, so that a value taken into
// or written from the wrong member shows.

#include "core/settings/settings.h"
#include "core/settings/settings_entry.h"

namespace zorvel::test {

inline Settings Distinct() {
  Settings s;
  for (int i = 0; i < kEntryFieldCount; ++i) EntryFieldValue(s, EntryField(i)) = 1000 + i;
  s.PictureRatio = 999;  // the largest scale is 1000
  s.Sign1 = "<<";
  s.Sign2 = "\xA1\x40";
  s.Sign3 = ">>";
  s.UserString = "\xB3\x5C";  // Big5 whose second byte is a backslash
  s.PictureFileNameFormat = "X:<V>\\<P>.tif";
  s.IgnoreShift = false;
  s.AutoSetRightTop = false;
  s.CoverRightTop = true;
  s.ShowWay = 1;
  return s;
}

}  // namespace zorvel::test
