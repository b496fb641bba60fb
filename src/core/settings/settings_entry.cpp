#include "core/settings/settings_entry.h"

#include "core/settings/ini_file.h"

namespace zorvel {

namespace {

struct FieldInfo {
  std::string_view Name;
  int Settings::*Member;
  std::string_view Caption;
};

constexpr std::array<FieldInfo, kEntryFieldCount> kFields = {{
    {"VolStart", &Settings::VolStart, "冊數起始位置"},
    {"SutraStart", &Settings::SutraStart, "經號起始位置"},
    {"PageStart", &Settings::PageStart, "頁碼起始位置"},
    {"FieldStart", &Settings::FieldStart, "欄位起始位置"},
    {"LineStart", &Settings::LineStart, "行數起始位置"},
    {"VolLength", &Settings::VolLength, "冊數字數"},
    {"SutraLength", &Settings::SutraLength, "經號字數"},
    {"PageLength", &Settings::PageLength, "頁碼字數"},
    {"FieldLength", &Settings::FieldLength, "欄位字數"},
    {"LineLength", &Settings::LineLength, "行數字數"},
    {"LineHeadLength", &Settings::LineHeadLength, "行首字數"},
    {"FieldSpace", &Settings::FieldSpace, "每一個欄的距離"},
    {"LineSpace", &Settings::LineSpace, "行距"},
    {"WordSpace", &Settings::WordSpace, "字距"},
    {"WordHeight", &Settings::WordHeight, "字高"},
    {"WordWidth", &Settings::WordWidth, "字寬"},
    {"PictureRatio", &Settings::PictureRatio, "圖形比例"},
    {"MaxLineWord", &Settings::MaxLineWord, "秀圖每行最長字數"},
    {"RightTopX", &Settings::RightTopX, "右上角水平距離"},
    {"RightTopY", &Settings::RightTopY, "右上角垂直距離"},
}};

bool IsSpacing(EntryField field) {
  return field == EntryField::FieldSpace || field == EntryField::LineSpace || field == EntryField::WordSpace;
}

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
  EntryResult::Outcome refused = EntryResult::Outcome::Applied;
  if (field == EntryField::PictureRatio) refused = CheckPictureRatio(value).Result;
  if (IsSpacing(field) && value < 0) refused = EntryResult::Outcome::SpacingNegative;
  if (refused != EntryResult::Outcome::Applied) {
    result.Result = refused;
    result.Field = field;
    result.Text = text;
    return false;
  }
  EntryFieldValue(settings, field) = value;
  return true;
}

}  // namespace

EntryResult CheckPictureRatio(int ratio) {
  EntryResult result;
  result.Field = EntryField::PictureRatio;
  if (ratio <= 0) result.Result = EntryResult::Outcome::RatioNotPositive;
  if (ratio > kMaxPictureRatio) result.Result = EntryResult::Outcome::RatioTooLarge;
  return result;
}

std::string_view EntryFieldName(EntryField field) {
  return kFields[static_cast<int>(field)].Name;
}

std::string_view EntryFieldCaption(EntryField field) {
  return kFields[static_cast<int>(field)].Caption;
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

std::string FieldNotANumberMessage(std::string_view caption, std::string_view text) {
  return std::string(caption) + "欄要填入數字 : " + NotValidIntegerMessage(text);
}

std::string EntryResultMessage(const EntryResult& result) {
  switch (result.Result) {
    case EntryResult::Outcome::Applied:
      break;
    case EntryResult::Outcome::NotAnInteger:
      return FieldNotANumberMessage(EntryFieldCaption(result.Field), result.Text);
    case EntryResult::Outcome::RatioNotPositive:
      return std::string(kRatioNotPositive);
    case EntryResult::Outcome::RatioTooLarge:
      return std::string(kRatioTooLarge);
    case EntryResult::Outcome::SpacingNegative:
      return "錯誤 : " + std::string(EntryFieldCaption(result.Field)) + "不可小於 0 !";
  }
  return {};
}

}  // namespace zorvel
