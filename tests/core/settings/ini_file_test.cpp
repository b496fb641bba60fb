#include "core/settings/ini_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "core/settings/atomic_file.h"
#include "support/test_support.h"

namespace zorvel {
namespace {

namespace fs = std::filesystem;
using test::ReadFile;
using test::TempDir;
using test::WriteFile;

// Names of every entry in a folder, to see that no temporary file stays behind.
std::vector<std::string> FolderEntries(const fs::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

mode_t ModeOf(const std::string& path) {
  struct stat st;
  EXPECT_EQ(stat(path.c_str(), &st), 0);
  return st.st_mode & 07777;
}

TEST(IniFileRead, NamesMatchRegardlessOfCaseAndTheFirstMatchCounts) {
  TempDir dir;
  std::string path = dir.File("zorvel.ini");
  WriteFile(path,
            "[picture]\r\n"
            "FIELDSPACE = 900 \r\n"
            "fieldspace=1\r\n"
            "[Picture]\r\n"
            "LineSpace=80\r\n");
  IniFile ini(path);
  EXPECT_EQ(ini.ReadInteger("Picture", "FieldSpace", 882), 900);
  EXPECT_EQ(ini.ReadString("PICTURE", "fieldSpace", "x"), "900");
  // The second [Picture] is never looked at.
  EXPECT_EQ(ini.ReadInteger("Picture", "LineSpace", 70), 70);
  EXPECT_FALSE(ini.HasKey("Picture", "LineSpace"));
}

TEST(IniFileRead, DefaultsEmptyValuesAndLimits) {
  TempDir dir;
  std::string path = dir.File("zorvel.ini");
  IniFile ini(path);
  // No file at all.
  EXPECT_EQ(ini.ReadString("CheckSign", "Sign1", "{{"), "{{");
  EXPECT_FALSE(ini.HasKey("CheckSign", "Sign1"));
  EXPECT_FALSE(fs::exists(path)) << "reading must not create the file";

  std::string longValue(3000, 'x');
  // Big5 text whose second bytes are "\\" and "|" passes through unchanged.
  std::string big5 = "\xB3\x5C\xA5\x7C\xAA\x40";
  WriteFile(path, "; comment=1\n[CheckSign]\nUserString=\nSign1=" + big5 + "\nLong=" + longValue +
                      "\nNoValueLine\n[LineHead]\nVolStart=abc\n");
  EXPECT_EQ(ini.ReadString("CheckSign", "UserString", "default"), "")
      << "an empty value is not a missing key";
  EXPECT_TRUE(ini.HasKey("CheckSign", "UserString"));
  EXPECT_EQ(ini.ReadString("CheckSign", "Sign1", ""), big5);
  EXPECT_EQ(ini.ReadString("CheckSign", "Long", ""), std::string(2047, 'x'));
  EXPECT_EQ(ini.ReadString("CheckSign", "NoValueLine", "d"), "d");
  EXPECT_EQ(ini.ReadInteger("LineHead", "VolStart", 2), 2);
  EXPECT_EQ(ini.ReadInteger("CheckSign", "UserString", 7), 7);
  EXPECT_EQ(ini.ReadString("; comment", "x", "d"), "d");

  // Edits made by others are seen by the next read.
  WriteFile(path, "[LineHead]\r\nVolStart=-1\r\n");
  EXPECT_EQ(ini.ReadInteger("LineHead", "VolStart", 2), -1);
}

TEST(IniFileRead, BooleansAreNonZeroIntegers) {
  TempDir dir;
  std::string path = dir.File("zorvel.ini");
  WriteFile(path, "[Picture]\nA=2\nB=0\nC=yes\nD=0x10\nE=\n");
  IniFile ini(path);
  EXPECT_TRUE(ini.ReadBool("Picture", "A", false));
  EXPECT_FALSE(ini.ReadBool("Picture", "B", true));
  EXPECT_TRUE(ini.ReadBool("Picture", "C", true));
  EXPECT_FALSE(ini.ReadBool("Picture", "C", false));
  EXPECT_TRUE(ini.ReadBool("Picture", "D", false));
  EXPECT_TRUE(ini.ReadBool("Picture", "E", true));
  EXPECT_FALSE(ini.ReadBool("Picture", "Missing", false));
}

TEST(ParseProfileInt, FollowsTheIntegerReadingRule) {
  struct Case {
    const char* Text;
    bool Ok;
    int Value;
  };
  const Case cases[] = {
      {"882", true, 882},
      {"0x372", true, 882},
      {"0X372", true, 882},
      {"$372", true, 882},
      {"$ff", true, 255},
      {"-$10", true, -16},
      {"-1", true, -1},
      {"+5", true, 5},
      {"007", true, 7},
      {"2147483647", true, 2147483647},
      {"-2147483648", true, -2147483647 - 1},
      {"0xFFFFFFFF", true, -1},
      {"0x00000000ff", true, 255},
      {"2147483648", false, 0},
      {"-2147483649", false, 0},
      {"0x100000000", false, 0},
      {"abc", false, 0},
      {"", false, 0},
      {"-", false, 0},
      {"0x", false, 0},
      {"$", false, 0},
      {"0xg1", false, 0},
      {"12a", false, 0},
      {" 12", false, 0},
      {"1.5", false, 0},
      {"-0x10", false, 0},
      {"0x-5", false, 0},
      {"99999999999999999999", false, 0},
  };
  for (const Case& c : cases) {
    int value = 12345;
    EXPECT_EQ(ParseProfileInt(c.Text, value), c.Ok) << c.Text;
    EXPECT_EQ(value, c.Ok ? c.Value : 12345) << c.Text;
  }
}

TEST(IniFileWrite, ChangesOnlyItsOwnLineAndKeepsEveryOtherByte) {
  TempDir dir;
  std::string path = dir.File("zorvel.ini");
  // Keys before any section, comments, blank lines, mixed line ends and a last
  // line without an ending.
  const std::string before =
      "TopKey=1\n"
      "; settings of Zorvel\r\n"
      "\r\n"
      "[Screen]\r\n"
      "MainTop = 10\n"
      "  mainleft=20\r\n"
      "\r\n"
      "; toolbars follow\r\n"
      "[tbMain]\r\n"
      "Visible=1";
  WriteFile(path, before);
  IniFile ini(path);

  ASSERT_TRUE(ini.WriteInteger("screen", "MAINTOP", 300));
  ASSERT_TRUE(ini.WriteInteger("Screen", "MainLeft", -4));
  EXPECT_EQ(ReadFile(path),
            "TopKey=1\n"
            "; settings of Zorvel\r\n"
            "\r\n"
            "[Screen]\r\n"
            "MainTop = 300\n"
            "  mainleft=-4\r\n"
            "\r\n"
            "; toolbars follow\r\n"
            "[tbMain]\r\n"
            "Visible=1");

  // A new key goes after the last key of its section, a new section at the end.
  ASSERT_TRUE(ini.WriteInteger("Screen", "MainWidth", 400));
  ASSERT_TRUE(ini.WriteString("tbMain", "DockedTo", "Dock971"));
  ASSERT_TRUE(ini.WriteBool("Picture", "IgnoreShift", true));
  EXPECT_EQ(ReadFile(path),
            "TopKey=1\n"
            "; settings of Zorvel\r\n"
            "\r\n"
            "[Screen]\r\n"
            "MainTop = 300\n"
            "  mainleft=-4\r\n"
            "MainWidth=400\r\n"
            "\r\n"
            "; toolbars follow\r\n"
            "[tbMain]\r\n"
            "Visible=1\r\n"
            "DockedTo=Dock971\r\n"
            "[Picture]\r\n"
            "IgnoreShift=1\r\n");
  EXPECT_EQ(ini.ReadInteger("Screen", "MainLeft", 0), -4);
  EXPECT_EQ(ini.ReadString("tbMain", "DockedTo", ""), "Dock971");
}

TEST(IniFileWrite, CreatesAMissingFileAndKeyInAnEmptySection) {
  TempDir dir;
  std::string path = dir.File("zorvel.ini");
  IniFile ini(path);
  ASSERT_TRUE(ini.WriteString("CheckSign", "Sign1", "{{"));
  EXPECT_EQ(ReadFile(path), "[CheckSign]\r\nSign1={{\r\n");

  WriteFile(path, "[A]\n[B]\nx=1\n");
  ASSERT_TRUE(ini.WriteString("A", "k", ""));
  EXPECT_EQ(ReadFile(path), "[A]\nk=\r\n[B]\nx=1\n");
  EXPECT_TRUE(ini.HasKey("a", "K"));
  EXPECT_EQ(ini.ReadString("A", "k", "d"), "");
}

TEST(IniFileWrite, BatchIsAllOrNothing) {
  TempDir dir;
  std::string path = dir.File("zorvel.ini");
  WriteFile(path, "[BookMark]\r\nCount=1\r\n");
  IniFile ini(path);
  ASSERT_TRUE(ini.WriteStrings({{"BookMark", "Count", "2"},
                                {"BookMark1", "Title", "a"},
                                {"BookMark2", "Title", "b"},
                                {"BookMark1", "Title", "c"}}));
  EXPECT_EQ(ReadFile(path), "[BookMark]\r\nCount=2\r\n[BookMark1]\r\nTitle=c\r\n[BookMark2]\r\nTitle=b\r\n");

  const std::string kept = ReadFile(path);
  EXPECT_FALSE(ini.WriteStrings({{"BookMark", "Count", "3"}, {"BookMark3", "Title", "x\r\n[Screen]"}}));
  EXPECT_EQ(ReadFile(path), kept);
}

TEST(IniFileWrite, RefusesNamesAndValuesThatWouldBreakTheFile) {
  TempDir dir;
  std::string path = dir.File("zorvel.ini");
  WriteFile(path, "[A]\r\nk=1\r\n");
  IniFile ini(path);
  EXPECT_FALSE(ini.WriteString("A", "k", "2\r\n[B]\r\nk=3"));
  EXPECT_FALSE(ini.WriteString("A", "k", std::string("2\0", 2)));
  EXPECT_FALSE(ini.WriteString("A]", "k", "2"));
  EXPECT_FALSE(ini.WriteString("", "k", "2"));
  EXPECT_FALSE(ini.WriteString("A", "", "2"));
  EXPECT_FALSE(ini.WriteString("A", "k=j", "2"));
  EXPECT_FALSE(ini.WriteString("A", ";k", "2"));
  EXPECT_FALSE(ini.WriteString("A", "[k", "2"));
  EXPECT_FALSE(ini.WriteString("A", " k", "2"));
  EXPECT_FALSE(ini.WriteString(" A", "k", "2"));
  EXPECT_EQ(ReadFile(path), "[A]\r\nk=1\r\n");
  // "=" inside a value is fine: only the first one splits.
  ASSERT_TRUE(ini.WriteString("A", "k", "a=b"));
  EXPECT_EQ(ini.ReadString("A", "k", ""), "a=b");
}

TEST(IniFileWrite, IsAtomicAndKeepsPermissions) {
  TempDir dir;
  std::string path = dir.File("zorvel.ini");
  WriteFile(path, "[A]\r\nk=1\r\n");
  ASSERT_EQ(chmod(path.c_str(), 0640), 0);
  struct stat before;
  ASSERT_EQ(stat(path.c_str(), &before), 0);

  IniFile ini(path);
  ASSERT_TRUE(ini.WriteString("A", "k", "2"));
  struct stat after;
  ASSERT_EQ(stat(path.c_str(), &after), 0);
  // A new file took the old one's place by rename, with the same permissions.
  EXPECT_NE(before.st_ino, after.st_ino);
  EXPECT_EQ(ModeOf(path), 0640u);
  EXPECT_EQ(FolderEntries(dir.Path()), std::vector<std::string>{"zorvel.ini"});

  // A new file gets the usual permissions less the umask.
  mode_t mask = umask(022);
  umask(mask);
  IniFile fresh(dir.File("new.ini"));
  ASSERT_TRUE(fresh.WriteString("A", "k", "1"));
  EXPECT_EQ(ModeOf(dir.File("new.ini")), 0666u & ~mask);
}

TEST(IniFileWrite, FollowsASymbolicLink) {
  TempDir dir;
  fs::create_directory(dir.Path() / "real");
  std::string target = (dir.Path() / "real" / "zorvel.ini").string();
  WriteFile(target, "[A]\r\nk=1\r\n");
  std::string link = dir.File("zorvel.ini");
  fs::create_symlink(target, link);
  IniFile ini(link);
  ASSERT_TRUE(ini.WriteString("A", "k", "2"));
  EXPECT_TRUE(fs::is_symlink(link));
  EXPECT_EQ(ReadFile(target), "[A]\r\nk=2\r\n");
}

TEST(IniFileWrite, ReadOnlyFileOrFolderFailsAndLeavesTheFileAlone) {
  TempDir dir;
  std::string path = dir.File("zorvel.ini");
  const std::string original = "[A]\r\nk=1\r\n";
  WriteFile(path, original);
  IniFile ini(path);

  ASSERT_EQ(chmod(path.c_str(), 0444), 0);
  EXPECT_FALSE(ini.WriteString("A", "k", "2"));
  EXPECT_FALSE(ini.WriteStrings({{"A", "k", "2"}}));
  EXPECT_EQ(ReadFile(path), original);
  EXPECT_EQ(ModeOf(path), 0444u);
  ASSERT_EQ(chmod(path.c_str(), 0644), 0);

  ASSERT_EQ(chmod(dir.Path().c_str(), 0555), 0);
  EXPECT_FALSE(ini.WriteString("A", "k", "2"));
  EXPECT_FALSE(IniFile(dir.File("other.ini")).WriteString("A", "k", "2"));
  ASSERT_EQ(chmod(dir.Path().c_str(), 0755), 0);
  EXPECT_EQ(ReadFile(path), original);
  EXPECT_EQ(FolderEntries(dir.Path()), std::vector<std::string>{"zorvel.ini"});

  // Something that is not a file, or a folder that does not exist.
  fs::create_directory(dir.Path() / "folder.ini");
  EXPECT_FALSE(IniFile(dir.File("folder.ini")).WriteString("A", "k", "2"));
  EXPECT_FALSE(IniFile(dir.File("missing/zorvel.ini")).WriteString("A", "k", "2"));
}

TEST(AtomicFile, ReadsWholeFilesAndTellsMissingFromFailed) {
  TempDir dir;
  std::string bytes = "left over";
  EXPECT_EQ(ReadWholeFile(dir.File("none"), bytes), ReadResult::Missing);
  EXPECT_TRUE(bytes.empty());
  EXPECT_EQ(ReadWholeFile(dir.Path().string(), bytes), ReadResult::Failed);

  std::string big(200000, '\0');
  for (std::size_t i = 0; i < big.size(); ++i) big[i] = static_cast<char>(i * 7);
  ASSERT_TRUE(WriteFileAtomically(dir.File("big"), big));
  EXPECT_EQ(ReadWholeFile(dir.File("big"), bytes), ReadResult::Ok);
  EXPECT_EQ(bytes, big);
  ASSERT_TRUE(WriteFileAtomically(dir.File("big"), ""));
  EXPECT_EQ(ReadWholeFile(dir.File("big"), bytes), ReadResult::Ok);
  EXPECT_TRUE(bytes.empty());
}

}  // namespace
}  // namespace zorvel
