#include "model/history_file.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace ts {
namespace {

using Names = std::vector<std::string>;

TEST(HistoryFile, FortyLinesOf128CharactersMostRecentFirst) {
  const std::string text = formatHistory({"B.MUS", "A.MUS"});
  ASSERT_EQ(text.size(), 40u * 129u);
  EXPECT_EQ(text.substr(0, 6), "B.MUS ");
  EXPECT_EQ(text[128], '\n');
  EXPECT_EQ(text.substr(129, 5), "A.MUS");
  EXPECT_EQ(text.substr(258, 128), std::string(128, ' '));
  EXPECT_EQ(parseHistory(text), (Names{"B.MUS", "A.MUS"}));
  std::string blankLines;
  for (int i = 0; i < 40; ++i) blankLines += std::string(128, ' ') + "\n";
  EXPECT_EQ(formatHistory({}), blankLines);
  EXPECT_TRUE(parseHistory(formatHistory({})).empty());
}

TEST(HistoryFile, ReadsWhatOtherWritersLeave) {
  EXPECT_EQ(parseHistory("A.MUS\r\n\r\n  \r\nC:\\X\\B.MUS   \r\n"), (Names{"A.MUS", "C:\\X\\B.MUS"}));
  EXPECT_EQ(parseHistory("last line without end"), (Names{"last line without end"}));
  EXPECT_EQ(parseHistory(std::string(200, 'x')), (Names{std::string(128, 'x')}));
  std::string many;
  for (int i = 0; i < 45; ++i) many += "P" + std::to_string(i) + ".MUS\n";
  const Names names = parseHistory(many);
  ASSERT_EQ(names.size(), 40u);
  EXPECT_EQ(names.back(), "P39.MUS");
}

TEST(HistoryFile, AddingANameAlreadyKnownChangesNothing) {
  Names names = {"B.MUS", "A.MUS"};
  EXPECT_FALSE(addToHistory(names, "A.MUS"));
  EXPECT_FALSE(addToHistory(names, "B.MUS   "));
  EXPECT_FALSE(addToHistory(names, "   "));
  EXPECT_EQ(names, (Names{"B.MUS", "A.MUS"}));
  EXPECT_TRUE(addToHistory(names, "C.MUS"));
  EXPECT_EQ(names, (Names{"C.MUS", "B.MUS", "A.MUS"}));
}

TEST(HistoryFile, FortyOneNamesLeaveTheLastForty) {
  Names names;
  for (int i = 1; i <= 41; ++i) EXPECT_TRUE(addToHistory(names, "PAGE" + std::to_string(i) + ".MUS"));
  ASSERT_EQ(names.size(), 40u);
  EXPECT_EQ(names.front(), "PAGE41.MUS");
  EXPECT_EQ(names.back(), "PAGE2.MUS");
  EXPECT_EQ(parseHistory(formatHistory(names)), names);
}

}  // namespace
}  // namespace ts
