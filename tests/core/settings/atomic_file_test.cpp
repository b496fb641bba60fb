// The safe write: where the folder allows it a renamed temporary file, where
// only the file is writable the file itself; the system's reason on failure;
// and temporary files left by a killed run removed at the next save.
#include "core/settings/atomic_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <set>

#include "support/test_support.h"

namespace zorvel::test {
namespace {

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
