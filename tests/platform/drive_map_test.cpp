#include "platform/drive_map.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <string>

namespace ts {
namespace {

namespace fs = std::filesystem;

class DriveMapTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "drive_map_XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    root = pattern;
    fs::create_directories(root / "Pages" / "Old");
    touch(root / "Pages" / "page.mus");
    touch(root / "Pages" / "Song.Mus");
  }
  void TearDown() override { fs::remove_all(root); }

  static void touch(const fs::path& path) { std::ofstream(path) << "x"; }

  fs::path root;
};

TEST_F(DriveMapTest, DriveCIsTheRootAndBackslashesSeparateFolders) {
  const DriveMap drives(root);
  struct Case {
    const char* name;
    fs::path host;
  } cases[] = {
      {"C:\\!TMP\\!undo!.tmp", root / "!TMP" / "!undo!.tmp"},
      {"c:/a/b.mus", root / "a" / "b.mus"},
      {"C:a\\\\b", root / "a" / "b"},
      {"C:", root},
      {"C:\\", root},
      {"\\SONGS\\a.mus", root / "SONGS" / "a.mus"},  // rooted in the current drive, C:
      {"page.mus", "page.mus"},
      {"sub\\page.mus", fs::path("sub") / "page.mus"},
      {"/home/ann/p1.mus", "/home/ann/p1.mus"},
  };
  for (const Case& c : cases) EXPECT_EQ(drives.toHost(c.name), c.host) << c.name;
}

TEST_F(DriveMapTest, UnmappedDrivesStandForNothing) {
  DriveMap drives(root);
  EXPECT_TRUE(drives.toHost("D:\\PAGES\\PAGE.MUS").empty());
  EXPECT_FALSE(drives.findExisting("D:\\PAGES\\PAGE.MUS"));
  EXPECT_TRUE(drives.forWriting("D:\\NEW.MUS").empty());
  drives.mapDrive('d', root / "Pages");
  EXPECT_EQ(drives.findExisting("D:\\PAGE.MUS"), root / "Pages" / "page.mus");
  EXPECT_EQ(drives.toHost("d:\\x"), root / "Pages" / "x");
}

TEST_F(DriveMapTest, FindsNamesWithoutRegardToCase) {
  const DriveMap drives(root);
  EXPECT_EQ(drives.findExisting("C:\\PAGES\\PAGE.MUS"), root / "Pages" / "page.mus");
  EXPECT_EQ(drives.findExisting("c:\\pages\\song.mus"), root / "Pages" / "Song.Mus");
  EXPECT_EQ(drives.findExisting("C:\\PAGES\\OLD"), root / "Pages" / "Old");
  EXPECT_EQ(drives.findExisting("C:\\Pages\\page.mus"), root / "Pages" / "page.mus");
  EXPECT_EQ(drives.findExisting("\\PAGES\\PAGE.MUS"), root / "Pages" / "page.mus");
  EXPECT_FALSE(drives.findExisting("C:\\PAGES\\MISSING.MUS"));
  EXPECT_FALSE(drives.findExisting("C:\\NOPE\\PAGE.MUS"));
  EXPECT_FALSE(drives.findExisting(""));
  // The absolute host path of the root itself is found through its case too.
  EXPECT_EQ(drives.findExisting((root / "PAGES" / "PAGE.MUS").string()), root / "Pages" / "page.mus");
}

TEST_F(DriveMapTest, ExactNameFirstThenTheFirstInNameOrder) {
  touch(root / "Pages" / "PAGE.MUS");
  touch(root / "Pages" / "Page.mus");
  const DriveMap drives(root);
  EXPECT_EQ(drives.findExisting("C:\\Pages\\PAGE.MUS"), root / "Pages" / "PAGE.MUS");
  EXPECT_EQ(drives.findExisting("C:\\Pages\\page.MUS"), root / "Pages" / "PAGE.MUS");
  EXPECT_EQ(findInFolder(root / "Pages", "pAGE.mus"), root / "Pages" / "PAGE.MUS");
  EXPECT_EQ(findInFolder(root / "Pages", "page.mus"), root / "Pages" / "page.mus");
  EXPECT_FALSE(findInFolder(root / "Pages" / "page.mus", "x"));  // not a folder
}

TEST_F(DriveMapTest, WritingMatchesExistingFoldersAndKeepsTheRestAsTyped) {
  const DriveMap drives(root);
  EXPECT_EQ(drives.forWriting("C:\\PAGES\\new.mus"), root / "Pages" / "new.mus");
  EXPECT_EQ(drives.forWriting("C:\\PAGES\\PAGE.MUS"), root / "Pages" / "page.mus");
  EXPECT_EQ(drives.forWriting("C:\\pages\\old\\x.mus"), root / "Pages" / "Old" / "x.mus");
  EXPECT_EQ(drives.forWriting("C:\\NewDir\\Sub\\x.MUS"), root / "NewDir" / "Sub" / "x.MUS");
  EXPECT_EQ(drives.forWriting("C:\\NEWDIR\\PAGES\\x.mus"), root / "NEWDIR" / "PAGES" / "x.mus");
  EXPECT_TRUE(drives.forWriting("").empty());
}

TEST_F(DriveMapTest, RelativeNamesAreFoundInTheCurrentFolder) {
  const fs::path before = fs::current_path();
  fs::current_path(root / "Pages");
  const DriveMap drives(root);
  const std::optional<fs::path> found = drives.findExisting("PAGE.MUS");
  const fs::path forWriting = drives.forWriting("OLD\\NEW.MUS");
  fs::current_path(before);
  EXPECT_EQ(found, fs::path("page.mus"));
  EXPECT_EQ(forWriting, fs::path("Old") / "NEW.MUS");
}

TEST_F(DriveMapTest, RootFromOptionThenEnvironment) {
  const char* saved = std::getenv("TONESMITH_ROOT");
  const std::string savedValue = saved ? saved : "";
  setenv("TONESMITH_ROOT", root.c_str(), 1);
  EXPECT_EQ(DriveMap::defaultRoot(""), root);
  EXPECT_EQ(DriveMap::defaultRoot((root / "other").string()), root / "other");
  EXPECT_TRUE(DriveMap::defaultRoot("relative").is_absolute());
  setenv("TONESMITH_DRIVE_E", (root / "Pages").c_str(), 1);
  DriveMap drives(root);
  drives.mapDrivesFromEnvironment();
  unsetenv("TONESMITH_DRIVE_E");
  if (saved) {
    setenv("TONESMITH_ROOT", savedValue.c_str(), 1);
  } else {
    unsetenv("TONESMITH_ROOT");
  }
  EXPECT_EQ(drives.findExisting("E:\\page.mus"), root / "Pages" / "page.mus");
}

}  // namespace
}  // namespace ts
