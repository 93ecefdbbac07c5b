// Long work asks the host before each step and stops when told: a layout's
// page files are put back as they were, a batch print keeps the pages it
// printed whole and prints no more.

#include "engine/long_work.h"

#include <gtest/gtest.h>

#include <climits>
#include <filesystem>
#include <fstream>
#include <unistd.h>

#include "engine/engine.h"
#include "engine/engine_session.h"
#include "engine/layout_output.h"
#include "model/page_file.h"
#include "support/fake_host.h"
#include "support/folder_files.h"
#include "support/page_items.h"

namespace ts {
namespace {

namespace fs = std::filesystem;

// Records each step it is told of and stops the work at step `stopAt`.
class StoppingHost : public testing::FakeHost {
 public:
  int stopAt = -1;
  std::vector<std::pair<int, int>> steps;  // done, total
  bool progress(int done, int total, std::string_view) override {
    steps.emplace_back(done, total);
    return done != stopAt;
  }
};

struct LongWorkFixture : ::testing::Test {
  fs::path dir = fs::temp_directory_path() / ("long_work_test_" + std::to_string(::getpid()));
  void SetUp() override { fs::create_directories(dir); }
  void TearDown() override { fs::remove_all(dir); }
  std::string read(const std::string& name) {
    std::ifstream in(dir / name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
  }
};

TEST(LongWork, TheHostIsAskedWithCountsItCanCarry) {
  struct Case {
    size_t done, total;
    std::pair<int, int> told;
  };
  const Case cases[] = {
      {0, 3, {0, 3}},
      {2, 3, {2, 3}},
      {5, 3, {3, 3}},  // never past the end
      {size_t{1} << 40, size_t{1} << 41, {INT_MAX, INT_MAX}},
  };
  for (const Case& c : cases) {
    StoppingHost host;
    EXPECT_TRUE(goOnWithWork(&host, c.done, c.total, "x"));
    ASSERT_EQ(host.steps.size(), 1u);
    EXPECT_EQ(host.steps[0], c.told) << c.done << " of " << c.total;
  }
  EXPECT_TRUE(goOnWithWork(nullptr, 1, 2, "no host goes on"));
  StoppingHost stopping;
  stopping.stopAt = 1;
  EXPECT_FALSE(goOnWithWork(&stopping, 1, 2, "told to stop"));
}

TEST_F(LongWorkFixture, AStoppedLayoutPutsThePageFilesBack) {
  std::ofstream(dir / "p1.PAG", std::ios::binary) << "old page one";
  PageStore page;
  testing::addItem(page, {8, 1, 0, 0});
  const std::vector<PageStore> pages{page, page, page};
  const std::vector<std::string> names{"p1.PAG", "p2.PAG", "p3.PAG"};
  StoppingHost host;
  host.stopAt = 2;
  const PagesWritten written = writeLayoutPages(testing::FolderFiles(dir), names, pages, kUnitInches, &host);
  EXPECT_FALSE(written.ok);
  EXPECT_EQ(written.message, long_work_messages::kLayoutCancelled);
  EXPECT_EQ(read("p1.PAG"), "old page one");
  EXPECT_FALSE(fs::exists(dir / "p3.PAG"));
  EXPECT_EQ(host.steps, (std::vector<std::pair<int, int>>{{0, 3}, {1, 3}, {2, 3}}));

  StoppingHost patient;
  EXPECT_TRUE(writeLayoutPages(testing::FolderFiles(dir), names, pages, kUnitInches, &patient).ok);
  const std::vector<uint8_t> image = encodePageFile(page, kUnitInches);
  EXPECT_EQ(read("p1.PAG"), std::string(image.begin(), image.end()));
}

TEST_F(LongWorkFixture, AStoppedBatchPrintKeepsWhatItPrintedAndPrintsNoMore) {
  StoppingHost host;
  testing::FolderFiles files(dir);
  Engine engine(host, files);
  EngineSession session(engine);
  ASSERT_FALSE(session.typeLine("X").failed);
  ASSERT_FALSE(session.savePage((dir / "ONE.MUS").string()).failed);
  ASSERT_FALSE(session.savePage((dir / "TWO.MUS").string()).failed);
  std::ofstream(dir / "PRINT.SCR") << "ONE.MUS\nTWO.MUS\n";
  host.stopAt = 1;
  host.answers = {"2", "2", "12", "1"};  // OUT twice (LPT, NET, EPS), BATCH, then PRINT
  const CallResult result = session.typeLine("PR");
  EXPECT_TRUE(result.failed);
  EXPECT_EQ(result.message, long_work_messages::kBatchCancelled);
  const std::string first = read("ONE.EPS");
  EXPECT_TRUE(first.starts_with("%!PS-Adobe-2.0 EPSF-1.2\n"));
  EXPECT_NE(first.find("showpage"), std::string::npos) << "the page printed before the stop is whole";
  EXPECT_FALSE(fs::exists(dir / "TWO.EPS"));
  EXPECT_EQ(host.steps, (std::vector<std::pair<int, int>>{{0, 2}, {1, 2}}));
}

}  // namespace
}  // namespace ts
