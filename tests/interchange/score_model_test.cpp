#include "interchange/score_model.h"

#include <gtest/gtest.h>

#include <limits>

namespace ts::interchange {
namespace {

TEST(ScoreModel, RationalsStayReducedAndExact) {
  EXPECT_EQ(Rational::of(2, 4), (Rational{1, 2, true}));
  EXPECT_EQ(Rational::of(3, -6), (Rational{-1, 2, true}));
  EXPECT_EQ(Rational::of(1, 3) + Rational::of(1, 6), Rational::of(1, 2));
  EXPECT_EQ(Rational::of(1, 3) - Rational::of(1, 2), Rational::of(-1, 6));
  EXPECT_TRUE(Rational::of(1, 3) < Rational::of(1, 2));
  EXPECT_FALSE(Rational::of(1, 2) < Rational::of(2, 4));
}

TEST(ScoreModel, RationalsRefuseToOverflow) {
  EXPECT_FALSE(Rational::of(1, 0).valid);
  const int64_t large = std::numeric_limits<int64_t>::max() / 2;
  EXPECT_FALSE(Rational::of(large, 1).valid);
  EXPECT_FALSE((Rational::of(1, 999'999'937) + Rational::of(1, 999'999'929)).valid);
  EXPECT_FALSE((Rational{0, 1, false} + Rational::of(1, 2)).valid);
}

TEST(ScoreModel, NearestRationalReadsDurationsBackFromReals) {
  const std::pair<float, Rational> cases[] = {
      {1.0f / 3.0f, Rational::of(1, 3)}, {0.2f, Rational::of(1, 5)}, {1.5f, Rational::of(3, 2)},
      {2.0f / 7.0f, Rational::of(2, 7)}, {4.0f, Rational::of(4, 1)}, {0.0625f, Rational::of(1, 16)},
  };
  for (const auto& [real, exact] : cases) EXPECT_EQ(nearestRational(real, 96), exact) << real;
  EXPECT_FALSE(nearestRational(std::numeric_limits<double>::infinity(), 96).valid);
}

TEST(ScoreModel, VoicesAreNumberedOnTheirStaff) {
  Part part;
  part.measures.resize(1);
  for (const auto& [staff, voice] : {std::pair{1, 1}, {1, 2}, {2, 5}, {2, 6}, {2, 5}}) {
    Note note;
    note.staff = staff;
    note.voice = voice;
    part.measures[0].notes.push_back(note);
  }
  const auto ordinals = voiceOrdinals(part);
  EXPECT_EQ(ordinals.at({1, 1}), 1);
  EXPECT_EQ(ordinals.at({1, 2}), 2);
  EXPECT_EQ(ordinals.at({2, 5}), 1);
  EXPECT_EQ(ordinals.at({2, 6}), 2);
}

}  // namespace
}  // namespace ts::interchange
