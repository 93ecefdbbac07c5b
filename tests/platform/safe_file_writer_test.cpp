#include "platform/safe_file_writer.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

namespace ts {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<uint8_t>;

class SafeFileWriterTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "safe_writer_XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    folder = pattern;
  }
  void TearDown() override { fs::remove_all(folder); }

  void put(const fs::path& path, const Bytes& bytes, mode_t mode) {
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                static_cast<std::streamsize>(bytes.size()));
    ASSERT_EQ(::chmod(path.c_str(), mode), 0);
  }
  static Bytes contentOf(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
  }
  static mode_t modeOf(const fs::path& path) {
    struct stat status {};
    ::stat(path.c_str(), &status);
    return status.st_mode & 07777;
  }
  // The names in the folder, to see that no temporary file stays behind.
  std::set<std::string> names() const {
    std::set<std::string> result;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder)) result.insert(entry.path().filename());
    return result;
  }

  fs::path folder;
  const Bytes content = {1, 2, 3, 4, 5};
};

TEST_F(SafeFileWriterTest, ANewFileGetsTheContentAndTheUsualMode) {
  const mode_t mask = ::umask(022);
  ::umask(mask);
  EXPECT_EQ(writeFileSafely(folder / "new.mus", content), WriteResult::Written);
  EXPECT_EQ(contentOf(folder / "new.mus"), content);
  EXPECT_EQ(modeOf(folder / "new.mus"), 0666 & ~mask);
  EXPECT_EQ(names(), (std::set<std::string>{"new.mus"}));
}

TEST_F(SafeFileWriterTest, AReplacedFileKeepsItsMode) {
  for (mode_t mode : {0600, 0640, 0664, 0700}) {
    put(folder / "page.mus", {9, 9}, mode);
    EXPECT_EQ(writeFileSafely(folder / "page.mus", content), WriteResult::Written) << std::oct << mode;
    EXPECT_EQ(contentOf(folder / "page.mus"), content);
    EXPECT_EQ(modeOf(folder / "page.mus"), mode) << std::oct << mode;
  }
  EXPECT_EQ(names(), (std::set<std::string>{"page.mus"}));
}

TEST_F(SafeFileWriterTest, AFileItsOwnerMayNotWriteIsRefusedAndLeftAlone) {
  // Also when the program runs as root, which the permission bits do not stop.
  for (mode_t mode : {0444, 0400, 0464, 0000}) {
    put(folder / "kept.mus", {7, 7, 7}, mode);
    EXPECT_EQ(writeFileSafely(folder / "kept.mus", content), WriteResult::ReadOnly) << std::oct << mode;
    EXPECT_EQ(modeOf(folder / "kept.mus"), mode);
    ::chmod((folder / "kept.mus").c_str(), 0600);
    EXPECT_EQ(contentOf(folder / "kept.mus"), (Bytes{7, 7, 7}));
  }
  EXPECT_EQ(names(), (std::set<std::string>{"kept.mus"}));
}

TEST_F(SafeFileWriterTest, WhatCannotBeWrittenLeavesNothingBehind) {
  fs::create_directory(folder / "dir.mus");
  EXPECT_EQ(writeFileSafely(folder / "dir.mus", content), WriteResult::Failed);
  EXPECT_TRUE(fs::is_directory(folder / "dir.mus"));
  EXPECT_EQ(writeFileSafely(folder / "missing" / "a.mus", content), WriteResult::Failed);
  EXPECT_EQ(writeFileSafely(fs::path(), content), WriteResult::Failed);
  EXPECT_EQ(writeFileSafely(folder / "dir.mus" / "", content), WriteResult::Failed);
  EXPECT_EQ(names(), (std::set<std::string>{"dir.mus"}));
  EXPECT_TRUE(fs::is_empty(folder / "dir.mus"));
}

TEST_F(SafeFileWriterTest, WritingThroughALinkReplacesTheFileItPointsTo) {
  fs::create_directory(folder / "pages");
  put(folder / "pages" / "real.mus", {1}, 0600);
  fs::create_symlink(folder / "pages" / "real.mus", folder / "link.mus");
  EXPECT_EQ(writeFileSafely(folder / "link.mus", content), WriteResult::Written);
  EXPECT_TRUE(fs::is_symlink(folder / "link.mus"));
  EXPECT_EQ(contentOf(folder / "pages" / "real.mus"), content);
  EXPECT_EQ(modeOf(folder / "pages" / "real.mus"), 0600u);
  EXPECT_EQ(names(), (std::set<std::string>{"link.mus", "pages"}));
  // The protection of the file behind the link counts, not the link's own.
  ::chmod((folder / "pages" / "real.mus").c_str(), 0444);
  EXPECT_EQ(writeFileSafely(folder / "link.mus", Bytes{2}), WriteResult::ReadOnly);
  EXPECT_EQ(contentOf(folder / "pages" / "real.mus"), content);
}

}  // namespace
}  // namespace ts
