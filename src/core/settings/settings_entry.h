#pragma once
// The settings as the options dialog shows them for editing: texts as typed,
// and the rule that takes them back into Settings when the operator confirms.
// Numbers are entered strictly: a field that is not a whole number stops the
// confirmation at that field, with the fields before it already taken.

#include <array>
#include <string>
#include <string_view>

#include "core/settings/settings.h"

namespace zorvel {

// The whole-number fields, in the order they are taken on confirmation.
enum class EntryField {
  VolStart,
  SutraStart,
  PageStart,
  FieldStart,
  LineStart,
  VolLength,
  SutraLength,
  PageLength,
  FieldLength,
  LineLength,
  LineHeadLength,
  FieldSpace,
  LineSpace,
  WordSpace,
  WordHeight,
  WordWidth,
  // IgnoreShift and PictureFileNameFormat are taken here, between the two runs.
  PictureRatio,
  MaxLineWord,
  RightTopX,
  RightTopY,
};
constexpr int kEntryFieldCount = 20;

// The name of the setting a field edits ("VolStart"); the dialog's field is
// "ed" followed by it.
std::string_view EntryFieldName(EntryField field);
// What the operator calls the field ("行距"), for messages (UTF-8).
std::string_view EntryFieldCaption(EntryField field);
// The Settings member a field edits.
int& EntryFieldValue(Settings& settings, EntryField field);
int EntryFieldValue(const Settings& settings, EntryField field);

struct SettingsEntry {
  // Texts, Big5 as Settings holds them; taken unchanged.
  std::string Sign1, Sign2, Sign3, UserString;
  std::string PictureFileNameFormat;
  // The whole-number fields as typed, indexed by EntryField.
  std::array<std::string, kEntryFieldCount> Numbers;
  bool IgnoreShift = true;
  bool AutoSetRightTop = true;
  bool CoverRightTop = false;
  int ShowWay = 0;

  std::string& Number(EntryField field) { return Numbers[static_cast<int>(field)]; }
  const std::string& Number(EntryField field) const { return Numbers[static_cast<int>(field)]; }
};

// Every field from the settings: the numbers in decimal.
SettingsEntry EntryFromSettings(const Settings& settings);

// How a confirmation ended.
struct EntryResult {
  enum class Outcome {
    Applied,           // every field was taken
    NotAnInteger,      // Field's text is not a whole number
    RatioNotPositive,  // PictureRatio is a whole number of 0 or less
    RatioTooLarge,     // PictureRatio is above kMaxPictureRatio
    SpacingNegative,   // FieldSpace, LineSpace or WordSpace is below 0
  };
  Outcome Result = Outcome::Applied;
  EntryField Field = EntryField::VolStart;  // the field that stopped it
  std::string Text;                         // that field's text
  bool Ok() const { return Result == Outcome::Applied; }
};

// Takes the fields into settings in this order, each written at once: the four
// texts; VolStart ... WordWidth; IgnoreShift; PictureFileNameFormat;
// PictureRatio, MaxLineWord, RightTopX, RightTopY; AutoSetRightTop,
// CoverRightTop, ShowWay. A number that is not whole stops it at that field:
// the fields before it keep their new values, that field and every later one
// keep their old ones. A PictureRatio of 0 or less, or above kMaxPictureRatio,
// stops it the same way, since a page cannot be shown at such a scale; so does
// a spacing between registers, lines or characters below 0. Other lengths and
// positions of 0 or less are taken: their users guard against them.
EntryResult ApplySettingsEntry(const SettingsEntry& entry, Settings& settings);

// The range of a scale that can be taken, 1 to kMaxPictureRatio, for the
// options and the scale dialogs: Applied, RatioNotPositive or RatioTooLarge.
EntryResult CheckPictureRatio(int ratio);

// A whole number as the dialogs take it: optional sign, decimal digits, or hex
// with "$" or "0x"; nothing else, no blanks, within 32 bits.
bool ParseEnteredInteger(std::string_view text, int& value);

// The options dialog's key fields: a combination pressed without a modifier,
// or with Shift alone, becomes the key by itself (Alone) or Ctrl plus the key
// (Ctrl). Other combinations stay as pressed.
enum class HotKeySubstitute { Alone, Ctrl };
HotKeySubstitute SubstituteOf(HotKeyCommand command);
HotKey SubstituteHotKey(const HotKey& pressed, HotKeySubstitute substitute);

// The scale dialog's items: 0 to 3 for 100, 75, 50 and 25 percent, -1 for any
// other ratio (the custom item); and the ratio of one of the four.
int PresetRatioIndex(int ratio);
int PresetRatio(int index);
inline constexpr int kPresetRatioCount = 4;

// "'%s' is not a valid integer value" with the text in place of %s.
std::string NotValidIntegerMessage(std::string_view text);
// The same, after the name of the field that holds the text (UTF-8):
// "行距欄要填入數字 : '7 0' is not a valid integer value".
std::string FieldNotANumberMessage(std::string_view caption, std::string_view text);
// What the options and scale dialogs say of a scale of 0 or less, or too large.
inline constexpr std::string_view kRatioNotPositive = "錯誤 : 圖形比例必須大於 0 !";
inline constexpr int kMaxPictureRatio = 1000;
inline constexpr std::string_view kRatioTooLarge = "錯誤 : 圖形比例不可大於 1000 !";
// What the options dialog says of a confirmation that stopped at a field.
std::string EntryResultMessage(const EntryResult& result);

}  // namespace zorvel
