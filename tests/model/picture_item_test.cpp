#include "model/picture_item.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

namespace ts {
namespace {

TEST(PictureItem, NamesRoundTripThroughThePackedWords) {
  for (const std::string& name : std::vector<std::string>{"a", "ab", "abc", "abcd", "C:\\PICS\\LOGO.EPS", "name with blanks ~!.eps",
                                 std::string(kPictureNameMaxLength, '~')}) {
    const std::optional<PictureNameWords> words = packPictureName(name);
    ASSERT_TRUE(words) << name;
    EXPECT_EQ(unpackPictureName(*words), name);
    for (const float word : *words) {
      // A page file stores each word as a float: it must be whole and exact.
      EXPECT_EQ(word, std::floor(word));
      EXPECT_LT(word, 1.0e7f);
    }
  }
}

TEST(PictureItem, NamesThatCannotBeKeptAreRefused) {
  for (const std::string& name : {std::string(), std::string(kPictureNameMaxLength + 1, 'a'), std::string("tab\there"),
                                 std::string("caf\xe9.eps"), std::string("nul\0x", 5)}) {
    EXPECT_FALSE(packPictureName(name)) << name;
  }
}

TEST(PictureItem, DamagedWordsEndTheName) {
  PictureNameWords words = *packPictureName("abcdef");
  const float damaged[] = {std::numeric_limits<float>::quiet_NaN(), -1.0f, 2.5f, 3.0e7f, 0.0f,
                           std::numeric_limits<float>::infinity()};
  for (const float bad : damaged) {
    words[1] = bad;
    EXPECT_EQ(unpackPictureName(words), "abc") << bad;
  }
  words[1] = 'd';  // one character then a zero byte
  EXPECT_EQ(unpackPictureName(words), "abcd");
}

}  // namespace
}  // namespace ts
