#include <gtest/gtest.h>

#include "layout/page_layout.h"

namespace ts {
namespace {

struct ParseCase {
  const char* text;
  BarListForm form;
  std::vector<int> entries;
};

TEST(ParseBarList, FormsAsTheUserTypesThem) {
  const ParseCase cases[] = {
      {"4", BarListForm::Lines, {4}},
      {"  12  ", BarListForm::Lines, {12}},
      {"2,5", BarListForm::PagesAndLines, {2, 5}},
      {"4, 10", BarListForm::PagesAndLines, {4, 10}},
      {"2 5", BarListForm::PerLine, {2, 5}},
      {"4 4 4 0 4 4", BarListForm::PerLine, {4, 4, 4, 0, 4, 4}},
      {"3, 3, 3, 0, 4, 4, 4, 4, 0", BarListForm::PerLine, {3, 3, 3, 0, 4, 4, 4, 4, 0}},
      {"4 -4 4", BarListForm::PerLine, {4, -4, 4}},
      {"40 208", BarListForm::Paired, {40, 208}},
      {"40 208 64 304", BarListForm::Paired, {40, 208, 64, 304}},
      {"-40 208 64 304", BarListForm::Paired, {-40, 208, 64, 304}},
      {"40 208 64 3", BarListForm::PerLine, {40, 208, 64, 3}},
      {"+3", BarListForm::Lines, {3}},
      {"99999999999999999999", BarListForm::Lines, {1000000}},
  };
  for (const ParseCase& c : cases) {
    const BarList list = parseBarList(c.text);
    EXPECT_EQ(list.form, c.form) << c.text;
    EXPECT_EQ(list.entries, c.entries) << c.text;
  }
}

TEST(ParseBarList, AnythingButNumbersIsRefusedWhole) {
  for (const char* text : {"", "   ", ",", "X", "4 x", "4-", "- 4", "4.5", "2;5", "--3"}) {
    const BarList list = parseBarList(text);
    EXPECT_EQ(list.form, BarListForm::Invalid) << text;
    EXPECT_TRUE(list.entries.empty()) << text;
  }
}

TEST(ParseBarList, ReadsAtMostAThousandEntries) {
  std::string text;
  for (int i = 0; i < 1500; ++i) text += "1 ";
  EXPECT_EQ(parseBarList(text).entries.size(), static_cast<size_t>(kMaxBarListEntries));
}

}  // namespace
}  // namespace ts
