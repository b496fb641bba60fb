#include "core/settings/settings_file.h"

#include <gtest/gtest.h>

#include <vector>

#include "support/test_support.h"

namespace zorvel::test {
namespace {

// Every part in one rewrite: the sections of a new file in their order, a
// toolbar's keys as its section holds them, and the bookmarks kept.
TEST_F(SettingsFile, EveryPartGoesIntoOneWriteAndOtherSectionsStay) {
  WriteFile(path, "; mine\r\n[BookMark]\r\nCount=0\r\n");
  const std::vector<ToolbarSection> bars{{"tbMain"}, {"tbBigOne", false, "nil", 2, 30, -5, 7, 95, 40}};
  ASSERT_EQ(WriteSettingsFile(
                ini, {Settings{}, KeyBindings{}, ScreenLayout{}, RecentTexts{}, LoupeSettings{}, bars}),
            IniWrite::Written);
  EXPECT_EQ(ini.SectionNames(),
            (std::vector<std::string>{"BookMark", "CheckSign", "LineHead", "Picture", "RightTop", "HotKey",
                                      "Screen", "Recent", "Loupe", "tbMain", "tbBigOne"}));
  const std::string text = ReadFile(path);
  EXPECT_EQ(text.rfind("; mine\r\n[BookMark]\r\nCount=0\r\n[CheckSign]\r\n", 0), 0u);
  EXPECT_NE(text.find("[tbBigOne]\r\nVisible=0\r\nDockedTo=nil\r\nDockRow=2\r\nDockPos=30\r\nFloatLeft=-5\r\n"
                      "FloatTop=7\r\nFloatRight=95\r\nFloatBottom=40\r\nFloatRightX=95\r\n"),
            std::string::npos);
}

}  // namespace
}  // namespace zorvel::test
