#pragma once
// Every setting except the window layout, the toolbar layout and the keys.
// Fields carry the names of their zorvel.ini keys. Texts are Big5 bytes.

#include <string>
#include <vector>

#include "core/settings/command_keys.h"
#include "core/settings/hot_key.h"

namespace zorvel {

class IniFile;
struct IniEntry;
class Prompts;

struct Settings {
  // [CheckSign]
  std::string Sign1 = "{{";
  std::string Sign2 = "||";
  std::string Sign3 = "}}";
  std::string UserString;
  // [LineHead]
  int VolStart = 2;
  int SutraStart = 5;
  int PageStart = 11;
  int FieldStart = 15;
  int LineStart = 16;
  int VolLength = 2;
  int SutraLength = 4;
  int PageLength = 4;
  int FieldLength = 1;
  int LineLength = 2;
  int LineHeadLength = 19;
  // [Picture]
  int FieldSpace = 882;
  int LineSpace = 70;
  int WordSpace = 0;
  int WordHeight = 49;
  int WordWidth = 46;
  bool IgnoreShift = true;
  int PictureRatio = 100;
  int MaxLineWord = 17;
  std::string PictureFileNameFormat = "D:T<V><@><V>-<P>.TIF";
  // [RightTop]
  int RightTopX = 45;
  int RightTopY = 45;
  bool AutoSetRightTop = true;
  bool CoverRightTop = false;
  int ShowWay = 0;

  friend bool operator==(const Settings&, const Settings&) = default;
};

// Reads sections CheckSign, LineHead, Picture, RightTop and HotKey. Missing or
// bad values give the defaults, silently, except for the hot keys: a key name
// that cannot be read, or a key that another command of the same window has
// already, leaves that command without a key and is told in the notes returned
// (UTF-8, one per command; ReadHotKeys).
std::vector<std::string> LoadSettings(const IniFile& ini, Settings& settings, HotKeySet& hotKeys);
// The same with the other commands' keys (ReadCommandKeys), notes after the
// hot keys' notes.
std::vector<std::string> LoadSettings(const IniFile& ini, Settings& settings, KeyBindings& keys);

// Sections CheckSign, LineHead, Picture and RightTop for WriteSettingsFile,
// every key in the order they are read.
void AppendIniEntries(std::vector<IniEntry>& entries, const Settings& settings);

// Writes the settings and the keys (WriteSettingsFile) and tells what went
// wrong: "警告 : zorvel.ini 無法寫入!" when the file cannot be written at all,
// "Unable to write to %s" in the error box when the write failed. True when
// everything was written.
bool SaveSettings(IniFile& ini, const Settings& settings, const KeyBindings& keys, Prompts& prompts);

}  // namespace zorvel
