#include "layout/typed_placement.h"

#include <gtest/gtest.h>

#include "model/page_store.h"
#include "support/page_items.h"
#include "model/preferences.h"

namespace ts {
namespace {

using testing::addItem;

TEST(TypedPlacement, NotesAdvanceByTheirShareOfTheStretchAndChordsStandTogether) {
  PageStore page;
  TypedStretch stretch{1, 0.0f, 120.0f, {}};
  stretch.items.push_back(addItem(page, {1, 1, 0, 1, 10, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
  stretch.items.push_back(addItem(page, {1, 1, 0, 3, 10, 0, 0, 0, 0, 0, 0, 0, 0, 0, -1}));  // chord member
  stretch.items.push_back(addItem(page, {2, 1, 0, 0, 0, 0, 0}));
  stretch.items.push_back(addItem(page, {1, 1, 0, 5, 20, 0, 0}));
  const float rhythms[] = {2.0f, 1001.5f, 0.5f};  // H, Q., E: 4 quarters
  const PlacementResult result = placeTypedRhythms(page, stretch, rhythms, Preferences{}, 0);
  ASSERT_TRUE(result.placed);
  EXPECT_TRUE(result.messages.empty());
  EXPECT_FLOAT_EQ(page.param(1, 3), 0.0f);
  EXPECT_FLOAT_EQ(page.param(2, 3), 0.0f);
  EXPECT_FLOAT_EQ(page.param(3, 3), 60.0f);
  EXPECT_FLOAT_EQ(page.param(4, 3), 105.0f);
}

TEST(TypedPlacement, ValuesBecomeDurationsHeadsFlagsDotsAndRestTypes) {
  PageStore page;
  TypedStretch stretch{1, 0.0f, 120.0f, {}};
  stretch.items.push_back(addItem(page, {1, 1, 0, 1, 10, 0, 0}));  // H
  stretch.items.push_back(addItem(page, {1, 1, 0, 3, 10, 0, 0, 0, 0, 0, 0, 0, 0, 0, -1}));
  stretch.items.push_back(addItem(page, {2, 1, 0, 0, 0, 0, 0}));   // Q.
  stretch.items.push_back(addItem(page, {1, 1, 0, 5, 20, 10, 0}));  // E, head in parentheses
  stretch.items.push_back(addItem(page, {1, 1, 0, -3, 10, 0, 0}));  // G
  stretch.items.push_back(addItem(page, {2, 1, 0, 0, -2, 0, 0}));   // a whole-bar rest keeps its type
  const float rhythms[] = {2.0f, 1001.5f, 0.5f, 64.0f, 4.0f};
  ASSERT_TRUE(placeTypedRhythms(page, stretch, rhythms, Preferences{}, 0).placed);
  const struct {
    int item, param;
    float value;
  } cases[] = {
      {1, 7, 2}, {1, 6, 1}, {1, 9, 0},     // half: half head, no flags
      {2, 7, 2}, {2, 6, 1},                // the chord member takes its chord's value
      {3, 7, 1.5f}, {3, 5, 0}, {3, 6, 1},  // dotted quarter rest
      {4, 7, 0.5f}, {4, 6, 10}, {4, 9, 1}, // eighth: one flag, parentheses kept
      {5, 7, 64}, {5, 4, -103}, {5, 9, 1}, // grace: small, moved away from 0
      {6, 7, 4}, {6, 5, -2},
  };
  for (const auto& c : cases) EXPECT_FLOAT_EQ(page.param(c.item, c.param), c.value) << c.item << " P" << c.param;
}

TEST(TypedPlacement, ItemsAmongTheMusicTakeTheirRoomAndAClosingMeterStandsAtTheEnd) {
  PageStore page;
  addItem(page, {8, 1, 0, 0});
  TypedStretch stretch{1, 0.0f, 100.0f, {}};
  stretch.items.push_back(addItem(page, {3, 1, 0, 0, 0}));        // clef: 9 as one of the first two
  stretch.items.push_back(addItem(page, {1, 1, 0, 5, 20, 0, 0}));  // Q
  stretch.items.push_back(addItem(page, {14, 1, 0, 1, 0}));       // bar: 3.5
  stretch.items.push_back(addItem(page, {1, 1, 0, 5, 20, 0, 0}));  // H
  stretch.items.push_back(addItem(page, {18, 1, 0, 0, 4, 4}));    // closing meter: 4 wide, 1.5 before it
  const float rhythms[] = {1.0f, 2.0f};
  ASSERT_TRUE(placeTypedRhythms(page, stretch, rhythms, Preferences{}, 0).placed);
  const float room = 100.0f - 4.0f - 1.5f - 9.0f - 3.5f;  // shared out by durations
  const float expected[] = {0.0f, 9.0f, 9.0f + room / 3, 12.5f + room / 3, 96.0f};
  for (int i = 0; i < 5; ++i) EXPECT_NEAR(page.param(i + 2, 3), expected[i], 1e-4) << "item " << i + 2;
}

TEST(TypedPlacementRules, RoomOfItemsAmongTheMusic) {
  using V = std::vector<float>;
  const struct {
    const char* what;
    V item, next;
    bool first;
    float room;
  } cases[] = {
      {"key of 2, note after", {17, 1, 0, 0, 2}, {1}, false, 7.6f},
      {"key of 2, meter after", {17, 1, 0, 0, -102}, {18}, false, 7.3f},
      {"bar", {14}, {1, 1, 0, 0, 20}, false, 3.5f},
      {"bar, clef after", {14}, {3}, false, 1.5f},
      {"bar, note with accidental", {14}, {1, 1, 0, 0, 21}, false, 4.5f},
      {"meter", {18, 1, 0, 0, 3, 4}, {1}, false, 7.0f},
      {"meter of 12/8", {18, 1, 0, 0, 12, 8}, {1}, false, 9.0f},
      {"clef", {3}, {1}, false, 8.0f},
      {"opening clef, key after", {3}, {17}, true, 7.0f},
  };
  for (const auto& c : cases) EXPECT_FLOAT_EQ(roomOfTypedItem(c.item, c.next, c.first), c.room) << c.what;
  EXPECT_FLOAT_EQ(closingRoomOf(V{17, 1, 0, 0, 3}).width, 8.9f);
  EXPECT_FLOAT_EQ(closingRoomOf(V{17, 1, 0, 0, 3}).gap, 2.5f);
  EXPECT_FLOAT_EQ(closingRoomOf(V{18, 1, 0, 0, 6, 16}).width, 7.0f);
}

struct SpacingPage {
  PageStore page;
  TypedStretch stretch{1, 0.0f, 100.0f, {}};
  SpacingPage() {
    addItem(page, {1, 2, 10, 5, 20, 0, 1});  // staff 2: quarter, quarter, half
    addItem(page, {1, 2, 30, 5, 20, 0, 1});
    addItem(page, {1, 2, 50, 5, 20, 0, 2});
    for (int i = 0; i < 3; ++i) stretch.items.push_back(addItem(page, {1, 1, 0, 5, 20, 0, 0}));
  }
};

TEST(TypedPlacement, NotesFollowTheBeatsOfTheSpacingStaff) {
  SpacingPage s;
  const float rhythms[] = {2.0f, 1.0f, 1.0f};  // beats 0, 2, 3
  const PlacementResult result = placeTypedRhythms(s.page, s.stretch, rhythms, Preferences{}, 2);
  ASSERT_TRUE(result.placed);
  EXPECT_TRUE(result.messages.empty());
  EXPECT_FLOAT_EQ(s.page.param(4, 3), 10.0f);
  EXPECT_FLOAT_EQ(s.page.param(5, 3), 50.0f);
  EXPECT_FLOAT_EQ(s.page.param(6, 3), 75.0f);  // halfway from beat 2 to the end of the 4 beats
}

TEST(TypedPlacement, SpacingStaffMismatchAndEmptySpacingStaffAreReported) {
  SpacingPage s;
  const float short_[] = {1.0f, 1.0f, 1.0f};
  const PlacementResult mismatch = placeTypedRhythms(s.page, s.stretch, short_, Preferences{}, 2);
  ASSERT_EQ(mismatch.messages.size(), 1u);
  EXPECT_EQ(mismatch.messages[0],
            " *** Mismatch - Spacing Staff has  4.000 Quarter Notes.\nQuarter Notes on this staff = 3.000");
  const PlacementResult empty = placeTypedRhythms(s.page, s.stretch, short_, Preferences{}, 3);
  ASSERT_FALSE(empty.messages.empty());
  EXPECT_EQ(empty.messages[0], "*** No rhythms on spacing staff.");
  EXPECT_TRUE(empty.spacingStaffCleared);
  EXPECT_TRUE(empty.placed);  // placed by durations instead
}

TEST(TypedPlacement, CountsThatDifferPlaceNothing) {
  PageStore page;
  TypedStretch stretch{1, 2.0f, 200.0f, {addItem(page, {1, 1, 7, 1, 10, 0, 0})}};
  const float rhythms[] = {1.0f, 1.0f};
  const PlacementResult result = placeTypedRhythms(page, stretch, rhythms, Preferences{}, 0);
  EXPECT_FALSE(result.placed);
  ASSERT_EQ(result.messages.size(), 1u);
  EXPECT_EQ(result.messages[0], "Mismatch --  2 rhythms,  1 needed.");
  EXPECT_FLOAT_EQ(page.param(1, 3), 7.0f);
}

}  // namespace
}  // namespace ts
