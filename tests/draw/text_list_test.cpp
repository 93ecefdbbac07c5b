// Text list blocks: one block per run of the same font, read back whole.

#include "draw/text_list.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace ts {
namespace {

TEST(TextList, BlocksOpenOnlyForANewFont) {
  std::vector<char> bytes(400);
  int32_t used = 0;
  TextListWriter writer(bytes.data(), 400, used);
  const TextFont times{"Times New Roman", 12, 3, 900, 255, 700, true, false};
  TextFont courier = times;
  courier.face = "Courier New";
  ASSERT_TRUE(writer.append(times, 1, 2, "one"));
  ASSERT_TRUE(writer.append(times, 3, 4, "two"));
  ASSERT_TRUE(writer.append(courier, 5, 6, "three"));
  // Block: face + NUL, 6 words, 2 flag words, then strings of 8 bytes + text + NUL.
  EXPECT_EQ(used, (16 + 32 + 12 + 12) + (12 + 32 + 14));
  const std::vector<TextBlock> blocks = readTextList({bytes.data(), static_cast<size_t>(used)});
  ASSERT_EQ(blocks.size(), 2u);
  EXPECT_EQ(blocks[0].font, times);
  ASSERT_EQ(blocks[0].strings.size(), 2u);
  EXPECT_EQ(blocks[0].strings[1].text, "two");
  EXPECT_EQ(blocks[1].strings[0].x, 5);
  // The width is stored doubled and read back as given.
  float stored = 0;
  std::memcpy(&stored, bytes.data() + 16 + 4, 4);
  EXPECT_FLOAT_EQ(stored, 6);
}

TEST(TextList, RefusesWhatDoesNotFitAndReadsDamagedListsSafely) {
  std::vector<char> bytes(50);
  int32_t used = 0;
  TextListWriter writer(bytes.data(), 50, used);
  const TextFont font{"F", 1, 0, 0, 0, 400, false, false};
  EXPECT_TRUE(writer.append(font, 0, 0, "ab"));
  const int32_t before = used;
  EXPECT_FALSE(writer.append(font, 0, 0, std::string(20, 'z')));
  EXPECT_EQ(used, before);
  EXPECT_TRUE(writer.full());
  for (size_t cut = 0; cut < static_cast<size_t>(before); ++cut) {
    EXPECT_TRUE(readTextList({bytes.data(), cut}).empty()) << cut;
  }
}

}  // namespace
}  // namespace ts
