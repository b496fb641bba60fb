// Section "Screen" of zorvel.ini: the order of the keys written, read back.
#include "core/settings/screen_layout.h"

#include <gtest/gtest.h>

#include "core/settings/settings_file.h"
#include "support/test_support.h"

namespace zorvel::test {
namespace {

TEST_F(SettingsFile, ScreenKeysAreWrittenInOrderAndReadBack) {
  ScreenLayout layout;
  layout.Main = {1, 2, 3, 4};
  layout.Text = {5, 6, 7, 8};
  layout.Image = {9, 10, 11, 12};
  ASSERT_EQ(WriteSettingsFile(ini, {.Screen = layout}), IniWrite::Written);
  EXPECT_EQ(ReadFile(path),
            "[Screen]\r\nSaveScreen=1\r\nMainTop=2\r\nMainLeft=1\r\nMainWidth=3\r\nMainHeight=4\r\n"
            "TextTop=6\r\nTextLeft=5\r\nTextWidth=7\r\nTextHeight=8\r\nImageTop=10\r\nImageLeft=9\r\n"
            "ImageWidth=11\r\nImageHeight=12\r\n");
  EXPECT_EQ(ReadScreenLayout(ini), layout);
}

}  // namespace
}  // namespace zorvel::test
