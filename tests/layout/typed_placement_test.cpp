#include "layout/typed_placement.h"

#include <gtest/gtest.h>

#include "model/page_store.h"
#include "model/preferences.h"

namespace ts {
namespace {

int add(PageStore& page, std::vector<float> params) {
  ItemRecord record;
  record.params = std::move(params);
  return page.append(record);
}

TEST(TypedPlacement, NotesAdvanceByTheirShareOfTheStretchAndChordsStandTogether) {
  PageStore page;
  TypedStretch stretch{1, 0.0f, 120.0f, {}};
  stretch.items.push_back(add(page, {1, 1, 0, 1, 10, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
  stretch.items.push_back(add(page, {1, 1, 0, 3, 10, 0, 0, 0, 0, 0, 0, 0, 0, 0, -1}));  // chord member
  stretch.items.push_back(add(page, {2, 1, 0, 0, 0, 0, 0}));
  stretch.items.push_back(add(page, {1, 1, 0, 5, 20, 0, 0}));
  const float rhythms[] = {2.0f, 1001.5f, 0.5f};  // H, Q., E: 4 quarters
  const PlacementResult result = placeTypedRhythms(page, stretch, rhythms, Preferences{}, 0);
  ASSERT_TRUE(result.placed);
  EXPECT_FLOAT_EQ(page.param(1, 3), 0.0f);
  EXPECT_FLOAT_EQ(page.param(2, 3), 0.0f);
  EXPECT_FLOAT_EQ(page.param(3, 3), 60.0f);
  EXPECT_FLOAT_EQ(page.param(4, 3), 105.0f);
  EXPECT_FLOAT_EQ(page.param(3, 7), 1001.5f);
}

TEST(TypedPlacement, CountsThatDifferPlaceNothing) {
  PageStore page;
  TypedStretch stretch{1, 2.0f, 200.0f, {add(page, {1, 1, 7, 1, 10, 0, 0})}};
  const float rhythms[] = {1.0f, 1.0f};
  const PlacementResult result = placeTypedRhythms(page, stretch, rhythms, Preferences{}, 0);
  EXPECT_FALSE(result.placed);
  ASSERT_EQ(result.messages.size(), 1u);
  EXPECT_EQ(result.messages[0], "Mismatch --  2 rhythms,  1 needed.");
  EXPECT_FLOAT_EQ(page.param(1, 3), 7.0f);
}

}  // namespace
}  // namespace ts
