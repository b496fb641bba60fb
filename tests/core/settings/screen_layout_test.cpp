// Section "Screen": the order of the keys written, and a file that cannot be
// written.
#include "core/settings/screen_layout.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "support/test_support.h"

namespace zorvel {
namespace {

using test::TempDir;

TEST(ScreenLayout, WritesEveryKeyInOrderAndReadsThemBack) {
  TempDir dir;
  IniFile out(dir.File("zorvel.ini"));
  ScreenLayout layout;
  layout.Main = {1, 2, 3, 4};
  layout.Text = {5, 6, 7, 8};
  layout.Image = {9, 10, 11, 12};
  ASSERT_EQ(WriteScreenLayout(out, layout), LayoutWrite::Written);
  EXPECT_EQ(test::ReadFile(dir.File("zorvel.ini")),
            "[Screen]\r\nSaveScreen=1\r\nMainTop=2\r\nMainLeft=1\r\nMainWidth=3\r\nMainHeight=4\r\n"
            "TextTop=6\r\nTextLeft=5\r\nTextWidth=7\r\nTextHeight=8\r\nImageTop=10\r\nImageLeft=9\r\n"
            "ImageWidth=11\r\nImageHeight=12\r\n");
  EXPECT_EQ(ReadScreenLayout(out), layout);
}

TEST(ScreenLayout, AFileThatCannotBeWrittenIsToldByTheFirstKeyAndStaysAsItWas) {
  TempDir dir;
  const std::string path = dir.File("zorvel.ini");
  test::WriteFile(path, "[Screen]\r\nMainTop=7\r\n");
  ASSERT_EQ(::chmod(path.c_str(), 0444), 0);
  IniFile ini(path);
  EXPECT_EQ(WriteScreenLayout(ini, ScreenLayout{}), LayoutWrite::NotWritable);
  EXPECT_EQ(test::ReadFile(path), "[Screen]\r\nMainTop=7\r\n");
}

}  // namespace
}  // namespace zorvel
