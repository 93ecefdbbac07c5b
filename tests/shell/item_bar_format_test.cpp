#include "shell/item_bar_format.h"

#include <gtest/gtest.h>

namespace ts::shell {
namespace {

TEST(ItemBarParameter, FormatsByPosition) {
  struct Case {
    int parameter;
    float value;
    const char* text;
  } cases[] = {
      {1, 3.0f, " 3"},       {1, 16.0f, "16"},         {2, 1.0f, "  1.0"},     {2, -2.5f, " -2.5"},
      {3, 10.5f, "  10.500"}, {5, -99989.9f, "-99989.900"}, {5, -99990.0f, ""},  {20, -1e6f, ""},
      {12, 0.0f, "   0.000"},
  };
  for (const Case& c : cases) EXPECT_EQ(formatItemBarParameter(c.parameter, c.value), c.text) << c.parameter;
}

TEST(ItemBarTexts, NoCurrentItemClearsEveryParameter) {
  ItemBarRecord record;
  record.item = 7;
  record.itemCount = 12;
  record.params[2] = 5.0f;  // P1 stays 0: nothing is being edited
  const ItemBarTexts texts = itemBarTexts(record);
  EXPECT_EQ(texts.item, "0/12");
  for (const std::string& text : texts.params) EXPECT_EQ(text, "");
}

TEST(ItemBarTexts, CurrentItemShowsItsParameters) {
  ItemBarRecord record;
  record.item = 3;
  record.itemCount = 9;
  record.params.fill(kAbsentParameter);
  record.params[0] = 1.0f;
  record.params[1] = 2.0f;
  record.params[2] = 12.25f;
  const ItemBarTexts texts = itemBarTexts(record);
  EXPECT_EQ(texts.item, "3/9");
  EXPECT_EQ(texts.params[0], " 1");
  EXPECT_EQ(texts.params[1], "  2.0");
  EXPECT_EQ(texts.params[2], "  12.250");
  EXPECT_EQ(texts.params[3], "");
}

TEST(ParameterDialogValues, ShowAndReadBack) {
  EXPECT_EQ(formatDialogValue(0.8f), "   0.800");
  struct Case {
    const char* typed;
    float old, expected;
  } cases[] = {
      {"2.5", 1.0f, 2.5f}, {"  -3", 1.0f, -3.0f}, {"7abc", 1.0f, 7.0f},
      {"abc", 1.0f, 1.0f}, {"", 4.0f, 4.0f},      {"inf", 4.0f, 4.0f}, {"nan", 4.0f, 4.0f},
  };
  for (const Case& c : cases) EXPECT_EQ(readNewValue(c.typed, c.old), c.expected) << c.typed;
  // Only the first 32 characters are read.
  EXPECT_EQ(readNewValue(std::string(32, ' ') + "5", 9.0f), 9.0f);
}

}  // namespace
}  // namespace ts::shell
