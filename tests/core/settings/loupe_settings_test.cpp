// Section "Loupe" of zorvel.ini as a hand-edited file gives it, and back.
#include "core/settings/loupe_settings.h"

#include <gtest/gtest.h>

#include "core/settings/settings_file.h"
#include "support/test_support.h"

namespace zorvel::test {
namespace {

TEST_F(SettingsFile, LoupeSettingsReadLenientlyAndRoundTrip) {
  EXPECT_EQ(ReadLoupeSettings(ini), LoupeSettings{}) << "no file: shown at 200 %";

  // A zoom the loupe does not have, or no number, keeps the default; a place
  // needs both numbers.
  for (const auto& [file, expected] :
       {std::pair(
            "[loupe]\r\nshowloupe=0\r\nloupezoom=300\r\nloupefloating=0\r\nloupeleft=-5\r\nloupetop=7\r\n",
            LoupeSettings{false, 300, false, true, -5, 7}),
        {"[Loupe]\r\nShowLoupe=no\r\nLoupeZoom=250\r\nLoupeLeft=-1\r\nLoupeTop=x\r\n", {true, 200}}}) {
    WriteFile(path, file);
    EXPECT_EQ(ReadLoupeSettings(ini), expected) << file;
  }

  WriteFile(path, "[Screen]\r\nMainTop=3\r\n");
  ASSERT_EQ(WriteSettingsFile(ini, {.Loupe = LoupeSettings{false, 100}}), IniWrite::Written);
  EXPECT_EQ(ReadFile(path),
            "[Screen]\r\nMainTop=3\r\n[Loupe]\r\nShowLoupe=0\r\nLoupeZoom=100\r\nLoupeFloating=1\r\n");
  const LoupeSettings placed{true, 300, true, true, -1, 40};
  ASSERT_EQ(WriteSettingsFile(ini, {.Loupe = placed}), IniWrite::Written);
  EXPECT_EQ(ReadLoupeSettings(ini), placed);
}

}  // namespace
}  // namespace zorvel::test
