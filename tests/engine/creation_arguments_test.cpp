// The number typed after a creation keyword lands in the parameter it
// names, however short the keyword's template is.

#include <gtest/gtest.h>

#include "engine/creation_keywords.h"

namespace ts {
namespace {

TEST(CreationArguments, NumberAfterTheKeywordSetsItsParameter) {
  const CreationPlace place{2.0f, 30.0f, 4};
  struct Case {
    const char* word;
    float argument;
    int parameter;
  };
  for (const Case& c : {Case{"LIB", 74, 5}, Case{"NUM", 12, 5}, Case{"END", 3, 8}, Case{"PP", 70, 5}}) {
    const ItemRecord item = makeCreatedItem(*findCreationKeyword(c.word), place, c.argument);
    EXPECT_EQ(item.p(c.parameter), c.argument) << c.word;
    EXPECT_EQ(item.p(2), 2.0f) << c.word;
  }
  // A keyword whose item takes no number ignores it.
  const ItemRecord clef = makeCreatedItem(*findCreationKeyword("TREB"), place, 9.0);
  EXPECT_EQ(clef.p(5), 0.0f);
  EXPECT_EQ(clef.p(3), 40.0f);  // clefs follow the last item
}

}  // namespace
}  // namespace ts
