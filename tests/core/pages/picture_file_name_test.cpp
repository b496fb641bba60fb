#include "core/pages/picture_file_name.h"

#include <gtest/gtest.h>

#include "core/pages/wildcard.h"
#include "core/text/big5.h"
#include "support/test_support.h"

namespace zorvel::test {
namespace {

namespace fs = std::filesystem;

std::string Expand(std::string_view format, int volume, int sutra, int page, bool* opened = nullptr) {
  std::string name;
  bool ok = ExpandPictureFileName(format, VolumeText(volume), SutraText(sutra), PageText(page), name);
  if (opened != nullptr) *opened = ok;
  return name;
}

TEST(PageTexts, NumbersAreFormattedAsThePageImagesAreNamed) {
  EXPECT_EQ(VolumeText(1) + VolumeText(100), "01100");
  EXPECT_EQ(SutraText(1) + "|" + SutraText(12345), "0001|12345");
  EXPECT_EQ(PageText(0) + "|" + PageText(5) + "|" + PageText(1024), "000|005|1024");
  EXPECT_EQ(PageText(-1), "-001");  // keeps its sign and is not shortened
}

TEST(ExpandPictureFileName, ReplacesEveryTokenInBothCases) {
  EXPECT_EQ(Expand("T<V>_<S>_<P>.TIF", 7, 12, 56), "T07_0012_056.TIF");
  // Both forms in one template, and tokens used several times.
  EXPECT_EQ(Expand("<V><v>/<S><s>/<P><p>/<V>-<P>", 3, 4, 5), "0303/00040004/005005/03-005");
  // Near misses stay as they are.
  EXPECT_EQ(Expand("<X><V<P>>", 1, 2, 3), "<X><V003>");
}

TEST(WildcardMatch, FollowsTheFileSearchRule) {
  const struct {
    const char* pattern;
    const char* name;
    bool match;
  } cases[] = {
      // clang-format off
      {"301-*.*", "301-400", true},  // a trailing ".*" also means no extension
      {"301-*.*", "3010-400", false}, {"301-*.*", "1301-400", false},
      {"ab*.tif", "AB12.TIF", true},  // letters in either case
      {"ab*.tif", "ab12", false},  // only ".*" stands for no extension
      {"a?c", "a\xA5\xD2" "c", true},  // a double-byte character is one character for "?"
      {"a??c", "a\xA5\xD2" "c", false},
      {"\xA5\xF2*", "\xA5\xD2\xA4\x41", false},  // bytes match exactly
      {"*b*b*", "abxz", false},
      // clang-format on
  };
  for (const auto& c : cases)
    EXPECT_EQ(WildcardMatch(c.pattern, c.name), c.match) << c.pattern << " " << c.name;
}

// A volume folder as the scans are delivered: one folder per hundred pages,
// named after its first and last page.
class GroupFolderSearch : public ::testing::Test {
 protected:
  void SetUp() override {
    volume_ = dir_.Path() / "T01";
    for (const char* group : {"001-100", "101-200", "301-400", "1201-1300"})
      fs::create_directories(volume_ / group);
    // A later folder and a file that also match a group pattern: name order decides.
    fs::create_directories(volume_ / "301-400x");
    fs::create_directories(volume_ / "001-100/01-000.TIF");  // a folder is no page file
    WriteFile((volume_ / "1201-1300.lst").string(), "list");
    for (const char* page : {"001-100/01-005.TIF", "001-100/01-100.TIF", "101-200/01-101.TIF",
                             "301-400/01-306.TIF", "1201-1300/01-1234.TIF"}) {
      WriteFile((volume_ / page).string(), "II*");
    }
  }

  // The template written as for the original platform, with backslashes.
  std::string Template() const { return dir_.Path().string() + "\\T<V>\\<@>\\<V>-<P>.TIF"; }

  TempDir dir_;
  fs::path volume_;
};

TEST_F(GroupFolderSearch, FindsTheFolderOfEachHundredPages) {
  const std::string root = dir_.Path().string();
  const struct {
    int page;
    const char* group;
    const char* file;
    bool exists;
  } cases[] = {
      {100, "001-100", "01-100.TIF", true},     {101, "101-200", "01-101.TIF", true},
      {1234, "1201-1300", "01-1234.TIF", true}, {250, "", "01-250.TIF", false},
      {0, "001-100", "01-000.TIF", false},
  };
  for (const auto& c : cases) {
    bool opened = false;
    // The name keeps the template's separators so that callers compare it byte for byte.
    EXPECT_EQ(Expand(Template(), 1, 0, c.page, &opened), root + "\\T01\\" + c.group + "\\" + c.file);
    EXPECT_EQ(opened, c.exists) << c.page;
  }
}

TEST_F(GroupFolderSearch, TakesTheFirstMatchInNameOrderFilesAndFoldersAlike) {
  EXPECT_EQ(FindFirstMatchingEntry(volume_.string() + "/1201-*.lst"), "1201-1300.lst");
  // Only the text before the first "<@>" is searched; the rest plays no part.
  EXPECT_EQ(Expand(dir_.Path().string() + "/T<V>/<@>/<@>.<P>", 1, 0, 306),
            dir_.Path().string() + "/T01/301-400/301-400.306");
}

TEST_F(GroupFolderSearch, Big5FolderNamesWithABackslashByteAreNoSeparators) {
  // 功 is A5 5C in Big5: its second byte is a backslash and must not split the path.
  const std::string big5Folder = "\xA5\x5C";
  fs::path folder = dir_.Path() / fs::path(u8"功");
  fs::create_directories(folder / "001-100");
  WriteFile((folder / "001-100" / "01-005.TIF").string(), "II*");
  std::string format = dir_.Path().string() + "\\" + big5Folder + "\\<@>\\<V>-<P>.TIF";
  bool opened = false;
  EXPECT_EQ(Expand(format, 1, 0, 5, &opened),
            dir_.Path().string() + "\\" + big5Folder + "\\001-100\\01-005.TIF");
  EXPECT_TRUE(opened);
}

TEST_F(GroupFolderSearch, FilesCopiedFromACaseBlindPlatformAreFoundIgnoringCase) {
  // The scans of volume 2 came as t02/001-100/02-005.tif; two names that
  // differ only in case: the first in byte order wins.
  fs::create_directories(dir_.Path() / "t02" / "001-100");
  WriteFile((dir_.Path() / "t02/001-100/02-005.tif").string(), "II*");
  WriteFile((dir_.Path() / "t02/001-100/02-005.Tif").string(), "II*");
  const std::string root = dir_.Path().string();
  bool opened = false;
  EXPECT_EQ(Expand(Template(), 2, 0, 5, &opened), root + "\\t02\\001-100\\02-005.Tif");
  EXPECT_TRUE(opened);
  Expand(Template(), 2, 0, 6, &opened);
  EXPECT_FALSE(opened);
  // A Big5 character whose second byte is an ASCII letter is not folded:
  // A4 41 and A4 61 are two different characters.
  WriteFile((dir_.Path() / Big5ToUtf8("\xA4\x41.TIF")).string(), "II*");
  EXPECT_EQ(FindPathIgnoringCase(root + "/\xA4\x61.TIF"), std::nullopt);
  EXPECT_EQ(FindPathIgnoringCase(root + "/\xA4\x41.tif"), root + "/\xA4\x41.TIF");
}

}  // namespace
}  // namespace zorvel::test
