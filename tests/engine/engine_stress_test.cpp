// Thousands of random command lines and clicks through one engine, with a
// fixed seed: after each the page store must be consistent, and an UNDO
// right after a many-item change must give back the page as it was.

#include <gtest/gtest.h>

#include <filesystem>

#include "engine/engine.h"
#include "engine/engine_session.h"
#include "platform/drive_map.h"
#include "support/fake_host.h"
#include "support/random_lines.h"

namespace ts {
namespace {

std::vector<std::vector<float>> snapshot(const PageStore& page) {
  std::vector<std::vector<float>> items;
  for (int k = 1; k <= page.itemCount(); ++k) {
    std::vector<float> words;
    for (int w = page.itemStart(k); w < page.itemStart(k + 1); ++w) words.push_back(page.word(w));
    items.push_back(words);
  }
  return items;
}

void expectConsistent(const PageStore& page, const std::string& after) {
  ASSERT_GE(page.itemCount(), 0) << after;
  ASSERT_LE(page.itemCount(), kMaxItems) << after;
  int position = 1;
  for (int k = 1; k <= page.itemCount(); ++k) {
    ASSERT_EQ(page.itemStart(k), position) << after << " item " << k;
    ASSERT_GE(page.wordCount(k), 3) << after << " item " << k;
    position += page.wordCount(k) + 1;
  }
  ASSERT_EQ(position, page.nextFreeWord()) << after;
  ASSERT_LE(position + kTrailerWords - 1, kStoreWords) << after;
}

TEST(EngineStress, RandomLinesKeepThePageConsistentAndUndoRestoresIt) {
  const std::filesystem::path root = std::filesystem::temp_directory_path() / "tonesmith-stress";
  std::filesystem::remove_all(root);
  std::filesystem::create_directories(root);
  DriveMap drives(root);
  testing::FakeHost host;
  Engine engine(host, drives);
  EngineSession session(engine);
  testing::RandomLines vocabulary(20261206);

  int undoChecks = 0;
  for (int i = 0; i < 3000; ++i) {
    // Prompts and dialogs get a random answer, sometimes a cancel.
    host.answers = {vocabulary.pick(4) == 0 ? "!cancel" : vocabulary.number(0, 3), "Y"};
    const bool click = vocabulary.pick(20) == 0;
    const std::string line = click ? "!click" : vocabulary.line();
    const auto before = snapshot(engine.page());
    const bool wasEditing = engine.editing();
    if (click) {
      session.click(vocabulary.pick(30000), -vocabulary.pick(40000));
    } else {
      session.typeLine(line);
    }
    expectConsistent(engine.page(), line);
    if (HasFatalFailure()) return;
    EXPECT_LE(session.displayUsed(), kDisplayListWords);
    EXPECT_LE(session.textUsed(), kTextListBytes);

    // The order commands are many-item changes that always save an undo copy.
    const bool ordering = line == "OS" || line == "OSR" || line == "OH" || line == "OT";
    if (ordering && !wasEditing && before.size() >= 2) {
      session.typeLine("UNDO");
      const auto after = snapshot(engine.page());
      size_t first = 0;
      while (first < std::min(after.size(), before.size()) && after[first] == before[first]) ++first;
      EXPECT_EQ(after, before) << "UNDO after " << line << " at step " << i << ": items differ from " << first + 1
                            << " (" << (first < before.size() ? before[first].size() : 0) << " words before, "
                            << (first < after.size() ? after[first].size() : 0) << " after; code "
                            << (first < before.size() ? before[first][1] : 0) << ")";
      ++undoChecks;
    }
  }
  EXPECT_GT(undoChecks, 10);
  std::filesystem::remove_all(root);
}

}  // namespace
}  // namespace ts
