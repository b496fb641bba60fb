// Section "Loupe": what a hand-edited file gives, and the round trip.
#include "core/settings/loupe_settings.h"

#include <gtest/gtest.h>

#include "support/test_support.h"

namespace zorvel {
namespace {

using test::TempDir;

TEST(LoupeSettings, ReadsLenientlyAndRoundTrips) {
  TempDir dir;
  const std::string path = dir.File("zorvel.ini");
  IniFile ini(path);
  EXPECT_EQ(ReadLoupeSettings(ini), LoupeSettings{}) << "no file: shown at 200 %";

  struct Case {
    const char* file;
    LoupeSettings expected;
  };
  for (const Case& c : {
           Case{"[Loupe]\r\nShowLoupe=0\r\nLoupeZoom=300\r\n", {false, 300}},
           Case{"[loupe]\r\nshowloupe=1\r\nloupezoom=100\r\n", {true, 100}},
           // A zoom the loupe does not have, or no number, keeps the default.
           Case{"[Loupe]\r\nShowLoupe=no\r\nLoupeZoom=250\r\n", {true, 200}},
       }) {
    test::WriteFile(path, c.file);
    EXPECT_EQ(ReadLoupeSettings(ini), c.expected) << c.file;
  }

  test::WriteFile(path, "[Screen]\r\nMainTop=3\r\n");
  ASSERT_TRUE(WriteLoupeSettings(ini, {false, 100}));
  EXPECT_EQ(ReadLoupeSettings(ini), (LoupeSettings{false, 100}));
  EXPECT_EQ(test::ReadFile(path), "[Screen]\r\nMainTop=3\r\n[Loupe]\r\nShowLoupe=0\r\nLoupeZoom=100\r\n");
}

}  // namespace
}  // namespace zorvel
