#include "core/settings/settings.h"

#include <string>
#include <vector>

#include "core/prompts.h"
#include "core/settings/ini_file.h"
#include "core/settings/settings_file.h"

namespace zorvel {

namespace {

// Every settings key in the order the file is read and written. Each names its
// section, its key and the field that holds it; the default is the field's
// value in a default-constructed Settings.
enum class FieldType { Text, Integer, Boolean };

struct Field {
  std::string_view Section;
  std::string_view Key;
  FieldType Type;
  std::string Settings::*Text = nullptr;
  int Settings::*Integer = nullptr;
  bool Settings::*Boolean = nullptr;
};

constexpr Field TextField(std::string_view section, std::string_view key, std::string Settings::*member) {
  return Field{section, key, FieldType::Text, member, nullptr, nullptr};
}
constexpr Field IntegerField(std::string_view section, std::string_view key, int Settings::*member) {
  return Field{section, key, FieldType::Integer, nullptr, member, nullptr};
}
constexpr Field BooleanField(std::string_view section, std::string_view key, bool Settings::*member) {
  return Field{section, key, FieldType::Boolean, nullptr, nullptr, member};
}

constexpr std::string_view kCheckSign = "CheckSign";
constexpr std::string_view kLineHead = "LineHead";
constexpr std::string_view kPicture = "Picture";
constexpr std::string_view kRightTop = "RightTop";
constexpr std::string_view kHotKey = "HotKey";

const Field kFields[] = {
    TextField(kCheckSign, "Sign1", &Settings::Sign1),
    TextField(kCheckSign, "Sign2", &Settings::Sign2),
    TextField(kCheckSign, "Sign3", &Settings::Sign3),
    TextField(kCheckSign, "UserString", &Settings::UserString),
    IntegerField(kLineHead, "VolStart", &Settings::VolStart),
    IntegerField(kLineHead, "SutraStart", &Settings::SutraStart),
    IntegerField(kLineHead, "PageStart", &Settings::PageStart),
    IntegerField(kLineHead, "FieldStart", &Settings::FieldStart),
    IntegerField(kLineHead, "LineStart", &Settings::LineStart),
    IntegerField(kLineHead, "VolLength", &Settings::VolLength),
    IntegerField(kLineHead, "SutraLength", &Settings::SutraLength),
    IntegerField(kLineHead, "PageLength", &Settings::PageLength),
    IntegerField(kLineHead, "FieldLength", &Settings::FieldLength),
    IntegerField(kLineHead, "LineLength", &Settings::LineLength),
    IntegerField(kLineHead, "LineHeadLength", &Settings::LineHeadLength),
    IntegerField(kPicture, "FieldSpace", &Settings::FieldSpace),
    IntegerField(kPicture, "LineSpace", &Settings::LineSpace),
    IntegerField(kPicture, "WordSpace", &Settings::WordSpace),
    IntegerField(kPicture, "WordHeight", &Settings::WordHeight),
    IntegerField(kPicture, "WordWidth", &Settings::WordWidth),
    BooleanField(kPicture, "IgnoreShift", &Settings::IgnoreShift),
    IntegerField(kPicture, "PictureRatio", &Settings::PictureRatio),
    IntegerField(kPicture, "MaxLineWord", &Settings::MaxLineWord),
    TextField(kPicture, "PictureFileNameFormat", &Settings::PictureFileNameFormat),
    IntegerField(kRightTop, "RightTopX", &Settings::RightTopX),
    IntegerField(kRightTop, "RightTopY", &Settings::RightTopY),
    BooleanField(kRightTop, "AutoSetRightTop", &Settings::AutoSetRightTop),
    BooleanField(kRightTop, "CoverRightTop", &Settings::CoverRightTop),
    IntegerField(kRightTop, "ShowWay", &Settings::ShowWay),
};

std::string FieldText(const Field& field, const Settings& settings) {
  switch (field.Type) {
    case FieldType::Text:
      return settings.*field.Text;
    case FieldType::Integer:
      return std::to_string(settings.*field.Integer);
    case FieldType::Boolean:
      return settings.*field.Boolean ? "1" : "0";
  }
  return {};
}

}  // namespace

std::vector<std::string> LoadSettings(const IniFile& ini, Settings& settings, HotKeySet& hotKeys) {
  const Settings defaults;
  for (const Field& field : kFields) {
    switch (field.Type) {
      case FieldType::Text:
        settings.*field.Text = ini.ReadString(field.Section, field.Key, defaults.*field.Text);
        break;
      case FieldType::Integer:
        settings.*field.Integer = ini.ReadInteger(field.Section, field.Key, defaults.*field.Integer);
        break;
      case FieldType::Boolean:
        settings.*field.Boolean = ini.ReadBool(field.Section, field.Key, defaults.*field.Boolean);
        break;
    }
  }
  std::array<std::string, kHotKeyCount> texts;
  for (int i = 0; i < kHotKeyCount; ++i) {
    auto command = static_cast<HotKeyCommand>(i);
    texts[static_cast<std::size_t>(i)] =
        ini.ReadString(kHotKey, HotKeyName(command), HotKeyDefaultText(command));
  }
  HotKeyReading reading = ReadHotKeys(texts);
  hotKeys = reading.Keys;
  return std::move(reading.Notes);
}

std::vector<std::string> LoadSettings(const IniFile& ini, Settings& settings, KeyBindings& keys) {
  std::vector<std::string> notes = LoadSettings(ini, settings, keys.HotKeys);
  CommandKeyReading commandKeys = ReadCommandKeys(ini, keys.HotKeys);
  keys.CommandKeys = commandKeys.Keys;
  notes.insert(notes.end(), commandKeys.Notes.begin(), commandKeys.Notes.end());
  return notes;
}

void AppendIniEntries(std::vector<IniEntry>& entries, const Settings& settings) {
  for (const Field& field : kFields)
    entries.push_back({std::string(field.Section), std::string(field.Key), FieldText(field, settings)});
}

bool SaveSettings(IniFile& ini, const Settings& settings, const KeyBindings& keys, Prompts& prompts) {
  switch (WriteSettingsFile(ini, {.Settings = settings, .Keys = keys})) {
    case IniWrite::Written:
      return true;
    case IniWrite::NotWritable:
      prompts.Message("警告 : zorvel.ini 無法寫入!");
      return false;
    case IniWrite::Failed:
      prompts.Error("Unable to write to " + ini.Path());
      return false;
  }
  return false;
}

}  // namespace zorvel
