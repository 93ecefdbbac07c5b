// "PR" through an engine: the printer kind goes to the print queue (or is
// refused plainly without one), and batch printing works through
// "PRINT.SCR", naming the entries it cannot open.

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "engine/engine.h"
#include "engine/engine_session.h"
#include "engine/print_messages.h"
#include "engine/print_option_list.h"
#include "model/print_queue.h"
#include "support/fake_host.h"
#include "support/folder_files.h"

namespace ts {
namespace {

namespace fs = std::filesystem;

class FakeQueue : public PrintQueue {
 public:
  mutable std::vector<std::string> documents;
  PrintQueueResult submit(std::span<const uint8_t> postScript, std::string_view title) const override {
    documents.emplace_back(postScript.begin(), postScript.end());
    return {true, "job 1 " + std::string(title)};
  }
};

struct PrintFixture : ::testing::Test {
  fs::path dir = fs::temp_directory_path() / ("print_command_test_" + std::to_string(::getpid()));
  void SetUp() override { fs::create_directories(dir); }
  void TearDown() override { fs::remove_all(dir); }
  std::string read(const std::string& name) {
    std::ifstream in(dir / name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
  }
};

TEST_F(PrintFixture, PrinterKindGoesToTheQueueOrIsRefused) {
  testing::FakeHost host;
  testing::FolderFiles files(dir);
  Engine engine(host, files);
  EngineSession session(engine);
  host.answers = {"1"};  // PRINT at once: the printer kind is the first
  CallResult result = session.typeLine("PR");
  EXPECT_TRUE(result.failed);
  EXPECT_EQ(result.message, print_messages::kNoPrinter);

  FakeQueue queue;
  engine.setPrintQueue(&queue);
  host.answers = {"1"};
  result = session.typeLine("PR");
  EXPECT_FALSE(result.failed);
  ASSERT_EQ(queue.documents.size(), 1u);
  EXPECT_TRUE(queue.documents[0].starts_with("%!PS-Adobe-2.0\n"));
  EXPECT_NE(queue.documents[0].find(" erasepage initgraphics\n save\n statusdict begin /waittimeout 0 def end\n"),
            std::string::npos);
  EXPECT_EQ(result.message, std::string(print_messages::kSentToPrinter) + " job 1 CANTO.MUS");
}

TEST_F(PrintFixture, BatchPrintsEachListedPageAndNamesTheMissing) {
  testing::FakeHost host;
  testing::FolderFiles files(dir);
  Engine engine(host, files);
  EngineSession session(engine);
  ASSERT_FALSE(session.typeLine("X").failed);
  ASSERT_FALSE(session.savePage((dir / "ONE.MUS").string()).failed);
  std::ofstream(dir / "PRINT.SCR") << "ONE.MUS\r\n\nMISSING.MUS\n";
  // OUT twice (LPT, NET, EPS), BATCH, then PRINT.
  host.answers = {"2", "2", "12", "1"};
  const CallResult result = session.typeLine("PR");
  EXPECT_TRUE(result.failed);
  EXPECT_EQ(result.message, print_messages::kLeavingBatch);
  EXPECT_TRUE(read("ONE.EPS").starts_with("%!PS-Adobe-2.0 EPSF-1.2\n"));
  const auto said = [&](const std::string& text) {
    return std::find(host.shown.begin(), host.shown.end(), text) != host.shown.end();
  };
  EXPECT_TRUE(said(std::string(print_messages::kFileNotFound) + " MISSING.MUS"));
  EXPECT_TRUE(said(std::string(print_messages::kEpsWritten) + " ONE.EPS"));
}

TEST_F(PrintFixture, BatchWithoutItsListFails) {
  testing::FakeHost host;
  testing::FolderFiles files(dir);
  Engine engine(host, files);
  EngineSession session(engine);
  host.answers = {"12", "1"};
  const CallResult result = session.typeLine("PR");
  EXPECT_TRUE(result.failed);
  EXPECT_EQ(result.message, std::string(print_messages::kFileNotFound) + " PRINT.SCR");
}

TEST(PrintOptionList, EveryKeyIsListed) {
  const std::vector<std::string> lines = printOptionLines({});
  const char* keys[] = {"OUT", "SIZ", "PAP", "OFF", "FRE", "RES", "LIN", "HEA",
                        "ROT", "MIR", "BAT", "REV", "INC", "MET", "EPS", "NET"};
  ASSERT_EQ(lines.size(), std::size(keys) + 1);
  for (size_t i = 0; i < std::size(keys); ++i) EXPECT_TRUE(lines[i + 1].starts_with(keys[i])) << lines[i + 1];
  EXPECT_EQ(lines[1], "OUT = OUTPUT TO LPT");
  EXPECT_EQ(lines[8], "HEA HEADER/FOOTER None");
}

}  // namespace
}  // namespace ts
