#include "engine/layout_output.h"

#include <gtest/gtest.h>

#include <fstream>

#include "model/page_file.h"
#include "support/folder_files.h"
#include "support/page_items.h"

namespace ts {
namespace {

TEST(LayoutOutputNames, ExtensionAddedOnlyWhenThereIsNone) {
  struct Case {
    const char* typed;
    const char* name;
    bool added;
  } cases[] = {
      {"song", "song.PAG", true},           {"song.pag", "song.pag", false},
      {"C:\\OUT.D\\song", "C:\\OUT.D\\song.PAG", true}, {"/tmp/a.b/song", "/tmp/a.b/song.PAG", true},
      {"song.mus", "song.mus", false},
  };
  for (const Case& c : cases) {
    bool added = !c.added;
    EXPECT_EQ(withPageExtension(c.typed, added), c.name);
    EXPECT_EQ(added, c.added) << c.typed;
  }
  EXPECT_EQ(numberedPageNames("C:\\OUT.D\\SONG.PAG", 2), (std::vector<std::string>{"C:\\OUT.D\\SONG1.PAG", "C:\\OUT.D\\SONG2.PAG"}));
  EXPECT_EQ(numberedPageNames("/a.b/song", 1), (std::vector<std::string>{"/a.b/song1"}));
}

// Files of a test folder, of which one name cannot be written.
class RefusingFiles : public testing::FolderFiles {
 public:
  RefusingFiles(std::filesystem::path dir, std::string refused) : FolderFiles(std::move(dir)), m_refused(std::move(refused)) {}
  WriteResult writeWhole(std::string_view name, std::span<const uint8_t> bytes) const override {
    if (name == m_refused) return WriteResult::Failed;
    return FolderFiles::writeWhole(name, bytes);
  }

 private:
  std::string m_refused;
};

std::string contents(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

TEST(WriteLayoutPages, AFailedPageGivesTheEarlierOnesTheirOldContentsBack) {
  const std::filesystem::path dir = std::filesystem::path(::testing::TempDir()) / "layout_output_test";
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir);
  std::ofstream(dir / "p1.PAG", std::ios::binary) << "old page one";
  PageStore page;
  testing::addItem(page, {8, 1, 0, 0});
  const std::vector<PageStore> pages{page, page, page};
  const std::vector<std::string> names{"p1.PAG", "p2.PAG", "p3.PAG"};

  const PagesWritten refused = writeLayoutPages(RefusingFiles(dir, "p3.PAG"), names, pages, kUnitInches);
  EXPECT_FALSE(refused.ok);
  EXPECT_EQ(refused.message, writeErrorMessage("p3.PAG", WriteResult::Failed));
  EXPECT_EQ(contents(dir / "p1.PAG"), "old page one");
  EXPECT_FALSE(std::filesystem::exists(dir / "p3.PAG"));

  const PagesWritten written = writeLayoutPages(RefusingFiles(dir, ""), names, pages, kUnitInches);
  EXPECT_TRUE(written.ok);
  const std::vector<uint8_t> image = encodePageFile(page, kUnitInches);
  EXPECT_EQ(contents(dir / "p3.PAG"), std::string(image.begin(), image.end()));
  EXPECT_FALSE(writeLayoutPages(RefusingFiles(dir, ""), {"p1.PAG"}, pages, kUnitInches).ok);
  std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace ts
