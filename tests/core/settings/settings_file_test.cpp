// The one rewrite of zorvel.ini with every part the program keeps there.
#include "core/settings/settings_file.h"

#include <gtest/gtest.h>

#include <vector>

#include "core/settings/screen_layout.h"
#include "support/test_support.h"

namespace zorvel::test {
namespace {

// Every part in one rewrite: the sections of a new file in their order, the
// keys of "Screen" and of a toolbar as their sections hold them, and the
// bookmarks kept.
TEST_F(SettingsFile, EveryPartGoesIntoOneWriteAndOtherSectionsStay) {
  WriteFile(path, "; mine\r\n[BookMark]\r\nCount=0\r\n");
  const ScreenLayout screen{1, {1, 2, 3, 4}, {5, 6, 7, 8}, {9, 10, 11, 12}};
  const std::vector<ToolbarSection> bars{{"tbMain"}, {"tbBigOne", false, "nil", 2, 30, -5, 7, 95, 40}};
  ASSERT_EQ(WriteSettingsFile(ini, {Settings{}, KeyBindings{}, screen, RecentTexts{}, LoupeSettings{}, bars}),
            IniWrite::Written);
  EXPECT_EQ(ini.SectionNames(),
            (std::vector<std::string>{"BookMark", "CheckSign", "LineHead", "Picture", "RightTop", "HotKey",
                                      "Screen", "Recent", "Loupe", "tbMain", "tbBigOne"}));
  const std::string text = ReadFile(path);
  EXPECT_EQ(text.rfind("; mine\r\n[BookMark]\r\nCount=0\r\n[CheckSign]\r\n", 0), 0u);
  for (const char* section :
       {"[Screen]\r\nSaveScreen=1\r\nMainTop=2\r\nMainLeft=1\r\nMainWidth=3\r\nMainHeight=4\r\nTextTop=6\r\n"
        "TextLeft=5\r\nTextWidth=7\r\nTextHeight=8\r\nImageTop=10\r\nImageLeft=9\r\nImageWidth=11\r\n"
        "ImageHeight=12\r\n",
        "[tbBigOne]\r\nVisible=0\r\nDockedTo=nil\r\nDockRow=2\r\nDockPos=30\r\nFloatLeft=-5\r\nFloatTop=7\r\n"
        "FloatRight=95\r\nFloatBottom=40\r\nFloatRightX=95\r\n"})
    EXPECT_NE(text.find(section), std::string::npos) << section;
  EXPECT_EQ(ReadScreenLayout(ini), screen);
}

}  // namespace
}  // namespace zorvel::test
