#include "core/settings/settings_entry.h"

#include "core/settings/ini_file.h"

namespace zorvel {

namespace {

struct FieldInfo {
  std::string_view Name;
  int Settings::*Member;
};

constexpr std::array<FieldInfo, kEntryFieldCount> kFields = {{
    {"VolStart", &Settings::VolStart},
    {"SutraStart", &Settings::SutraStart},
    {"PageStart", &Settings::PageStart},
    {"FieldStart", &Settings::FieldStart},
    {"LineStart", &Settings::LineStart},
    {"VolLength", &Settings::VolLength},
    {"SutraLength", &Settings::SutraLength},
    {"PageLength", &Settings::PageLength},
    {"FieldLength", &Settings::FieldLength},
    {"LineLength", &Settings::LineLength},
    {"LineHeadLength", &Settings::LineHeadLength},
    {"FieldSpace", &Settings::FieldSpace},
    {"LineSpace", &Settings::LineSpace},
    {"WordSpace", &Settings::WordSpace},
    {"WordHeight", &Settings::WordHeight},
    {"WordWidth", &Settings::WordWidth},
    {"PictureRatio", &Settings::PictureRatio},
    {"MaxLineWord", &Settings::MaxLineWord},
    {"RightTopX", &Settings::RightTopX},
    {"RightTopY", &Settings::RightTopY},
}};

// Takes one number field; false, with the result filled in, when it stops.
bool TakeNumber(const SettingsEntry& entry, EntryField field, Settings& settings, EntryResult& result) {
  const std::string& text = entry.Number(field);
  int value = 0;
  if (!ParseEnteredInteger(text, value)) {
    result.Result = EntryResult::Outcome::NotAnInteger;
    result.Field = field;
    result.Text = text;
    return false;
  }
  if (field == EntryField::PictureRatio && value <= 0) {
    result.Result = EntryResult::Outcome::RatioNotPositive;
    result.Field = field;
    result.Text = text;
    return false;
  }
  EntryFieldValue(settings, field) = value;
  return true;
}

}  // namespace

std::string_view EntryFieldName(EntryField field) {
  return kFields[static_cast<int>(field)].Name;
}

int& EntryFieldValue(Settings& settings, EntryField field) {
  return settings.*(kFields[static_cast<int>(field)].Member);
}

int EntryFieldValue(const Settings& settings, EntryField field) {
  return settings.*(kFields[static_cast<int>(field)].Member);
}

SettingsEntry EntryFromSettings(const Settings& settings) {
  SettingsEntry entry;
  entry.Sign1 = settings.Sign1;
  entry.Sign2 = settings.Sign2;
  entry.Sign3 = settings.Sign3;
  entry.UserString = settings.UserString;
  entry.PictureFileNameFormat = settings.PictureFileNameFormat;
  for (int i = 0; i < kEntryFieldCount; ++i) {
    entry.Numbers[i] = std::to_string(EntryFieldValue(settings, EntryField(i)));
  }
  entry.IgnoreShift = settings.IgnoreShift;
  entry.AutoSetRightTop = settings.AutoSetRightTop;
  entry.CoverRightTop = settings.CoverRightTop;
  entry.ShowWay = settings.ShowWay;
  return entry;
}

EntryResult ApplySettingsEntry(const SettingsEntry& entry, Settings& settings) {
  EntryResult result;
  settings.Sign1 = entry.Sign1;
  settings.Sign2 = entry.Sign2;
  settings.Sign3 = entry.Sign3;
  settings.UserString = entry.UserString;
  for (int i = int(EntryField::VolStart); i <= int(EntryField::WordWidth); ++i) {
    if (!TakeNumber(entry, EntryField(i), settings, result)) return result;
  }
  settings.IgnoreShift = entry.IgnoreShift;
  settings.PictureFileNameFormat = entry.PictureFileNameFormat;
  for (int i = int(EntryField::PictureRatio); i <= int(EntryField::RightTopY); ++i) {
    if (!TakeNumber(entry, EntryField(i), settings, result)) return result;
  }
  settings.AutoSetRightTop = entry.AutoSetRightTop;
  settings.CoverRightTop = entry.CoverRightTop;
  settings.ShowWay = entry.ShowWay;
  return result;
}

bool ParseEnteredInteger(std::string_view text, int& value) {
  return ParseProfileInt(text, value);
}

HotKeySubstitute SubstituteOf(HotKeyCommand command) {
  switch (command) {
    case HotKeyCommand::SelFirstStr:
    case HotKeyCommand::SelSecondStr:
    case HotKeyCommand::SelThirdStr:
    case HotKeyCommand::SelUserStr:
    case HotKeyCommand::CancelToNext:
      return HotKeySubstitute::Ctrl;
    default:
      return HotKeySubstitute::Alone;
  }
}

HotKey SubstituteHotKey(const HotKey& pressed, HotKeySubstitute substitute) {
  if (pressed.IsNone() || pressed.Ctrl || pressed.Alt) return pressed;
  HotKey key;
  key.Key = pressed.Key;
  key.Ctrl = substitute == HotKeySubstitute::Ctrl;
  return key;
}

namespace {
constexpr int kPresetRatios[kPresetRatioCount] = {100, 75, 50, 25};
}

int PresetRatioIndex(int ratio) {
  for (int i = 0; i < kPresetRatioCount; ++i) {
    if (kPresetRatios[i] == ratio) return i;
  }
  return -1;
}

int PresetRatio(int index) {
  return index >= 0 && index < kPresetRatioCount ? kPresetRatios[index] : 0;
}

std::string NotValidIntegerMessage(std::string_view text) {
  return "'" + std::string(text) + "' is not a valid integer value";
}

}  // namespace zorvel
