#include "core/settings/ini_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <climits>
#include <set>

#include "core/settings/atomic_file.h"
#include "core/settings/settings_file.h"
#include "support/test_support.h"

namespace zorvel::test {
namespace {

namespace fs = std::filesystem;

TEST_F(SettingsFile, IniNamesIgnoreCaseTheFirstMatchWinsAndValuesAreBytes) {
  EXPECT_EQ(ini.ReadString("CheckSign", "Sign1", "{{"), "{{");
  EXPECT_FALSE(fs::exists(path)) << "reading must not create the file";

  // Big5 whose second bytes are "\\" and "|" passes through unchanged.
  const std::string big5 = "\xB3\x5C\xA5\x7C";
  WriteFile(path, "; x=1\n[picture]\r\nFIELDSPACE = 900 \r\nfieldspace=1\r\nEmpty=\r\nSign=" + big5 +
                      "\r\nLong=" + std::string(3000, 'x') + "\r\nNoValue\r\n[Picture]\r\nLineSpace=80\r\n");
  EXPECT_EQ(ini.ReadInteger("Picture", "FieldSpace", 882), 900);
  EXPECT_EQ(ini.ReadInteger("Picture", "LineSpace", 70), 70) << "only the first [Picture] counts";
  EXPECT_EQ(ini.ReadString("Picture", "Empty", "d"), "") << "an empty value is not a missing key";
  EXPECT_FALSE(ini.HasKey("Picture", "NoValue"));
  EXPECT_EQ(ini.ReadString("Picture", "Sign", ""), big5);
  EXPECT_EQ(ini.ReadString("Picture", "Long", ""), std::string(2047, 'x'));

  // Edits made by others are seen by the next read.
  WriteFile(path, "[Picture]\r\nFieldSpace=-1\r\n");
  EXPECT_EQ(ini.ReadInteger("Picture", "FieldSpace", 882), -1);
}

TEST(ParseProfileInt, FollowsTheIntegerReadingRule) {
  const std::pair<const char*, int> good[] = {{"0X372", 882},     {"-$10", -16},
                                              {"+5", 5},          {"-2147483648", INT_MIN},
                                              {"0xFFFFFFFF", -1}, {"0x00000000ff", 255}};
  int value = 0;
  for (auto [text, expected] : good) EXPECT_TRUE(ParseProfileInt(text, value) && value == expected) << text;
  for (const char* text : {"", "-", "0x", "12a", " 12", "2147483648", "0x100000000", "-0x10"})
    EXPECT_TRUE(!ParseProfileInt(text, value) && value == 255) << text;  // the value stays
}

TEST_F(SettingsFile, AnIniWriteChangesOnlyItsOwnLineAndKeepsEveryOtherByte) {
  // Keys before any section, comments, blank lines, mixed line ends, an empty
  // section and a last line without an ending.
  WriteFile(path,
            "TopKey=1\n; Zorvel\r\n\r\n[Screen]\r\nMainTop = 10\n  mainleft=20\r\n\r\n; toolbars\r\n"
            "[Empty]\n[tbMain]\r\nVisible=1");
  ASSERT_TRUE(ini.WriteInteger("screen", "MAINTOP", 300));
  ASSERT_TRUE(ini.WriteInteger("Screen", "MainLeft", -4));
  ASSERT_TRUE(ini.WriteInteger("Screen", "MainWidth", 400));  // after the section's last key
  ASSERT_TRUE(ini.WriteString("Empty", "k", ""));
  ASSERT_TRUE(ini.WriteString("tbMain", "DockedTo", "Dock971"));
  ASSERT_TRUE(ini.WriteBool("Picture", "IgnoreShift", true));  // a new section at the end
  EXPECT_EQ(ReadFile(path),
            "TopKey=1\n; Zorvel\r\n\r\n[Screen]\r\nMainTop = 300\n  mainleft=-4\r\nMainWidth=400\r\n\r\n"
            "; toolbars\r\n[Empty]\nk=\r\n[tbMain]\r\nVisible=1\r\nDockedTo=Dock971\r\n"
            "[Picture]\r\nIgnoreShift=1\r\n");
}

TEST_F(SettingsFile, AnIniBatchIsAllOrNothingAndNothingBreaksTheFile) {
  WriteFile(path, "[BookMark]\r\nCount=1\r\n");
  ASSERT_TRUE(ini.WriteStrings(
      {{"BookMark", "Count", "2"}, {"BookMark1", "Title", "a"}, {"BookMark1", "Title", "c"}}));
  const std::string kept = "[BookMark]\r\nCount=2\r\n[BookMark1]\r\nTitle=c\r\n";
  EXPECT_EQ(ReadFile(path), kept);

  // A line break would smuggle a section in; such names and values are refused
  // and the file stays as it was.
  EXPECT_FALSE(ini.WriteStrings({{"BookMark", "Count", "3"}, {"BookMark3", "Title", "x\r\n[Screen]"}}));
  for (auto [section, key] : {std::pair{"A]", "k"}, {"", "k"}, {"A", "k=j"}, {"A", ";k"}})
    EXPECT_FALSE(ini.WriteString(section, key, "1")) << section << "/" << key;
  EXPECT_EQ(ReadFile(path), kept);
}

// A file that is there but cannot be read (a disk error; root reads through
// any permission, so the reader fails instead) is never replaced by a write:
// the keys it holds would be lost.
TEST_F(SettingsFile, AFileThatCannotBeReadIsNotWrittenOver) {
  WriteFile(path, "[Screen]\r\nMainTop=5\r\n");
  IniFile unreadable(path, [](const std::string&, std::string&) { return ReadResult::Failed; });
  EXPECT_FALSE(unreadable.WriteString("Screen", "MainLeft", "1"));
  EXPECT_FALSE(unreadable.IsWritable());
  EXPECT_EQ(WriteSettingsFile(unreadable, {.Screen = ScreenLayout{}}), IniWrite::NotWritable);
  EXPECT_EQ(ReadFile(path), "[Screen]\r\nMainTop=5\r\n");
  EXPECT_TRUE(ini.IsWritable());
}

// The safe write: where the folder allows it a renamed temporary file, where
// only the file is writable the file itself; the system's reason on failure;
// and temporary files left by a killed run removed at the next save.
namespace fs = std::filesystem;

ino_t InodeOf(const std::string& path) {
  struct stat st;
  EXPECT_EQ(stat(path.c_str(), &st), 0);
  return st.st_ino;
}

std::set<std::string> Names(const fs::path& folder) {
  std::set<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) names.insert(entry.path().filename().string());
  return names;
}

// A process id that no process has any longer.
pid_t DeadProcess() {
  const pid_t child = fork();
  if (child == 0) _exit(0);
  int status = 0;
  waitpid(child, &status, 0);
  return child;
}

TEST(WriteFileAtomically, WhereTheFolderOrOnlyTheFileAllowsIt) {
  TempDir dir;
  const std::string path = dir.File("a.txt");
  std::string error;

  WriteFile(path, "old contents, longer than the new");
  const ino_t before = InodeOf(path);
  ASSERT_TRUE(WriteFileAtomically(path, "new", error)) << error;
  EXPECT_NE(InodeOf(path), before) << "replaced by a renamed file";

  // Folder read-only, file writable: the same file, cut to its new length.
  WriteFile(path, "old contents, longer than the new");
  const ino_t standing = InodeOf(path);
  ASSERT_EQ(chmod(dir.Path().c_str(), 0555), 0);
  const bool inPlace = WriteFileAtomically(path, "in place", error);
  EXPECT_FALSE(WriteFileAtomically(dir.File("b.txt"), "x", error));
  const std::string createError = error;
  ASSERT_EQ(chmod(dir.Path().c_str(), 0755), 0);
  EXPECT_TRUE(inPlace);
  EXPECT_EQ(InodeOf(path), standing);
  EXPECT_EQ(ReadFile(path), "in place");
  EXPECT_EQ(createError, "Permission denied") << "no new file in a read-only folder";

  // A read-only file stays as it is, whatever the folder allows.
  ASSERT_EQ(chmod(path.c_str(), 0444), 0);
  EXPECT_FALSE(WriteFileAtomically(path, "refused", error));
  EXPECT_EQ(ReadFile(path), "in place");
  EXPECT_EQ(Names(dir.Path()), (std::set<std::string>{"a.txt"}));
}

TEST(WriteFileAtomically, KeepsALinkAndThePermissions) {
  TempDir dir;
  fs::create_directory(dir.Path() / "real");
  const std::string target = (dir.Path() / "real" / "zorvel.ini").string();
  const std::string link = dir.File("zorvel.ini");
  WriteFile(target, "old");
  ASSERT_EQ(chmod(target.c_str(), 0640), 0);
  fs::create_symlink(target, link);
  std::string error;
  ASSERT_TRUE(WriteFileAtomically(link, "new", error)) << error;
  EXPECT_TRUE(fs::is_symlink(link));
  EXPECT_EQ(ReadFile(target), "new");
  EXPECT_EQ(fs::status(target).permissions(), fs::perms(0640));
  EXPECT_EQ(Names(dir.Path() / "real"), (std::set<std::string>{"zorvel.ini"}));
}

TEST(WriteFileAtomically, RemovesTheTemporaryFilesOfAKilledRunOnly) {
  TempDir dir;
  const std::string dead = std::to_string(DeadProcess());
  const std::string alive = std::to_string(getppid());
  for (const std::string& name :
       {".zorvel.ini.zorvel-tmp-" + dead + "-0", ".Vol001.vps.zorvel-tmp-" + dead + "-12",
        ".zorvel.ini.zorvel-tmp-" + alive + "-0", ".zorvel.ini.tmp-" + dead + "-0",
        "notes.zorvel-tmp-" + dead + "-0"})
    WriteFile(dir.File(name), std::string(1000, 'x'));
  std::string error;
  ASSERT_TRUE(WriteFileAtomically(dir.File("zorvel.ini"), "[A]\r\n", error)) << error;
  EXPECT_EQ(Names(dir.Path()),
            (std::set<std::string>{"zorvel.ini", ".zorvel.ini.zorvel-tmp-" + alive + "-0",
                                   ".zorvel.ini.tmp-" + dead + "-0", "notes.zorvel-tmp-" + dead + "-0"}));
}

}  // namespace
}  // namespace zorvel::test
