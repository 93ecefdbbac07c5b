#include "engine/justify_command.h"

#include <gtest/gtest.h>

#include "model/page_store.h"
#include "support/page_items.h"
#include "model/preferences.h"
#include "support/fake_host.h"

namespace ts {
namespace {

using testing::addItem;

TEST(JustifySystem, TypedNumbersBoxesAndRanges) {
  const struct {
    std::vector<double> numbers;
    int first, last;
    float left, right;
  } cases[] = {
      {{1, 1, 2, 150}, 1, 1, 2, 150},
      {{3, 2}, 3, 4, 0, 200},          // no range: 0 to 200
      {{2, 0, 50, 20}, 2, 2, 50, 200},  // a right not greater than the left is 200
      {{1, 3, 10, 10}, 1, 3, 10, 200},
  };
  for (const auto& c : cases) {
    const JustifyRange range = typedRange(systemOfNumbers(c.numbers));
    EXPECT_EQ(range.firstStaff, c.first);
    EXPECT_EQ(range.lastStaff, c.last);
    EXPECT_FLOAT_EQ(range.left, c.left);
    EXPECT_FLOAT_EQ(range.right, c.right);
  }
  const SystemChoice box = systemOfBox(GroupArea{2, 80, 20, 4, {}});
  EXPECT_EQ(box.lowestStaff, 2);
  EXPECT_EQ(box.staffCount, 3);
  EXPECT_FLOAT_EQ(box.left, 20);
  EXPECT_FLOAT_EQ(box.right, 80);
  const SystemChoice click = systemOfBox(GroupArea{1, 30, 0, 0, {}});
  EXPECT_FLOAT_EQ(click.right, 200);  // a click: to the right edge
}

TEST(JustifySystem, LFormsTakeTheStavesOwnExtent) {
  PageStore page;
  addItem(page, {8, 1, 5, 0, 0, 150});
  addItem(page, {8, 2, 2, 0});
  addItem(page, {8, 3, -50, 0});  // not in the system
  const JustifyRange range = staffExtentRange(page, systemOfNumbers({1, 2}));
  EXPECT_FLOAT_EQ(range.left, 2);
  EXPECT_FLOAT_EQ(range.right, 200);
  const JustifyRange none = staffExtentRange(page, systemOfNumbers({7}));
  EXPECT_FLOAT_EQ(none.left, 0);
  EXPECT_FLOAT_EQ(none.right, 200);
}

struct ClickingHost : testing::FakeHost {
  UserEvent waitForInput(WaitKind kind, std::string_view prompt) override {
    FakeHost::waitForInput(kind, prompt);
    UserEvent event;
    event.kind = UserEvent::Kind::Click;
    return event;
  }
};

struct JustifyRun {
  PageStore page;
  ClickingHost host;
  Preferences preferences;
  int waitLevel = 0;
  int undoCopies = 0;
  int picked = 0;
  JustifyCommand command;

  JustifyReply run(std::string_view word, std::vector<double> numbers) {
    JustifyContext context{page, preferences, host, waitLevel, [this] { ++undoCopies; },
                           [this](const UserEvent&) { return picked; }};
    command.begin(word);
    return command.run(systemOfNumbers(numbers), context);
  }
};

TEST(JustifyCommand, JustifiesOnceUndoablySelectsOnlyWithN) {
  JustifyRun r;
  addItem(r.page, {1, 1, 10, 5, 20, 0, 1});
  addItem(r.page, {1, 1, 11, 5, 20, 0, 1});
  addItem(r.page, {1, 1, 100, 5, 20, 0, 1});
  const JustifyReply selected = r.run("JN", {1, 1, 0, 100});
  EXPECT_EQ(selected.message, "3 items selected.");
  EXPECT_EQ(r.undoCopies, 0);
  const JustifyReply justified = r.run("J", {1, 1, 0, 100});
  EXPECT_TRUE(justified.changed);
  EXPECT_EQ(r.undoCopies, 1);
  EXPECT_FLOAT_EQ(r.page.param(2, 3), 14.5f);
}

TEST(JustifyCommand, LineUpReportsEachStaffsBeats) {
  JustifyRun r;
  addItem(r.page, {1, 1, 10, 5, 20, 0, 1});
  addItem(r.page, {1, 2, 10, 5, 20, 0, 2});
  const JustifyReply reply = r.run("LI", {1, 2});
  ASSERT_EQ(reply.boxes.size(), 1u);
  EXPECT_EQ(reply.boxes[0], "Staff   1 has  1.000 beats\r\nStaff   2 has  2.000 beats\r\n\r\nType X to exit.");
}

TEST(JustifyCommand, TextsOfTheClickedRowFollowTheirNotes) {
  JustifyRun r;
  addItem(r.page, {1, 1, 10, 5, 20, 0, 1});
  addItem(r.page, {1, 1, 11, 5, 20, 0, 1});
  addItem(r.page, {1, 1, 100, 5, 20, 0, 1});
  const int lyric = addItem(r.page, {16, 1, 10.9f, -4});
  const int other = addItem(r.page, {16, 1, 10.6f, 20});
  r.picked = 0;
  EXPECT_EQ(r.run("JT", {1, 1, 0, 100}).message, "*** That is not a text: nothing was justified.");
  EXPECT_EQ(r.host.shown.back(), "**** Click on text to be justified. ****");
  r.picked = lyric;
  EXPECT_TRUE(r.run("JT", {1, 1, 0, 100}).changed);
  EXPECT_FLOAT_EQ(r.page.param(lyric, 3), 14.5f - 0.1f);  // just before its note, as it stood
  EXPECT_FLOAT_EQ(r.page.param(other, 3), 10.0f + 0.6f * 4.5f);  // another row is stretched with its gap
}

}  // namespace
}  // namespace ts
