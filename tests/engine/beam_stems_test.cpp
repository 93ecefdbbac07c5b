// The stems under a beam: which notes are under it, the stem lengths that
// reach it, the refusals, and the flip of a beam with its notes.

#include "engine/beam_stems.h"

#include <gtest/gtest.h>

#include <map>

#include "engine/engine_messages.h"
#include "support/page_items.h"

namespace ts {
namespace {

using testing::addItem;


// P1 1, P2 staff, P3 position, P4 step, P5 stem (10 up, 20 down), P6 head, P7 rhythm, P8 stem length.
int note(PageStore& page, float position, float step, float stem, float rhythm = 0.5f, float p8 = 0) {
  return addItem(page, {1, 1, position, step, stem, 0, rhythm, p8});
}

std::map<std::pair<int, int>, float> changesOf(const BeamPlan& plan) {
  std::map<std::pair<int, int>, float> changes;
  for (const ParameterChange& c : plan.changes) changes[{c.item, c.parameter}] = c.value;
  return changes;
}

TEST(StemCodes, TensOfP5FlipBetweenUpAndDown) {
  struct Case { float p5, flipped; int tens; };
  for (const Case& c : {Case{10, 20, 1}, Case{22, 12, 2}, Case{12.5f, 22.5f, 1}, Case{-12, -22, 1},
                        Case{3, 3, 0}, Case{102, 102, 0}, Case{121, 111, 2}}) {
    EXPECT_FLOAT_EQ(flippedStemCode(c.p5), c.flipped) << c.p5;
    EXPECT_EQ(stemTens(c.p5), c.tens) << c.p5;
  }
}

TEST(StemLength, ReachesTheBeamFromEitherSide) {
  struct Case { float noteY, beamY; bool up; float scale; int flags; float p8; };
  for (const Case& c : {Case{0, 49 * 25, true, 25, 0, 0}, Case{0, 63 * 25, true, 25, 0, 2},
                        Case{175, 49 * 25, true, 25, 0, -1}, Case{0, -49 * 25, false, 25, 0, 0},
                        Case{0, -49 * 15, false, 15, 0, 0}, Case{0, 63 * 25, true, 25, 2, 0.5f}}) {
    EXPECT_NEAR(stemLengthToReach(c.noteY, c.beamY, c.up, c.scale, c.flags), c.p8, 1e-5f) << c.beamY;
  }
}

TEST(StemAdjustment, StemsEndOnASlopedBeam) {
  PageStore page;
  addItem(page, {8, 1, 0, 0});
  const int first = note(page, 10, 5, 10);
  const int middle = note(page, 20, 6, 10, 0.25f, 3);
  const int last = note(page, 30, 9, 10);
  const int other = note(page, 20, 2, 20);       // stem down: not toward the beam
  addItem(page, {1, 2, 20, 6, 10, 0, 0.5f});         // another staff
  const int beam = addItem(page, {6, 1, 10, 5, 9, 30, 11});
  EXPECT_EQ(stemmedNotesUnderBeam(page, beam), (std::vector<int>{first, middle, last, other}));
  const BeamPlan plan = planStemAdjustment(page, beam);
  ASSERT_TRUE(plan.refusal.empty()) << plan.refusal;
  const auto changes = changesOf(plan);
  // The beam runs from step 12 to step 16: at the middle stem step 14,
  // eight steps above the note at step 6.
  ASSERT_EQ(changes.size(), 1u);
  EXPECT_FLOAT_EQ(changes.at({middle, 8}), 1);
}

TEST(StemAdjustment, RefusedForMissingEndsTremolosAndLongNotes) {
  struct Case { float lastP7, lastP8, lastPosition; bool refusedAtBeam; };
  for (const Case& c : {Case{1, 0, 30, false}, Case{0.5f, 102, 30, false}, Case{0.5f, 0, 25, true}}) {
    PageStore page;
    note(page, 10, 5, 10);
    const int last = note(page, c.lastPosition, 5, 10, c.lastP7, c.lastP8);
    const int beam = addItem(page, {6, 1, 10, 5, 5, 30, 11});
    const BeamPlan plan = planStemAdjustment(page, beam);
    EXPECT_TRUE(plan.changes.empty());
    const int named = c.refusedAtBeam ? beam : last;
    EXPECT_EQ(plan.refusal, std::string(messages::kBeamOutOfRange) + "    " + std::to_string(named)) << c.lastP7;
  }
}

TEST(BeamFlip, BeamAndStemsGoToTheOtherSide) {
  PageStore page;
  const int low = note(page, 10, 3, 10);
  const int chordTop = note(page, 10, 7, 0);  // chord member without a stem
  const int last = note(page, 30, 5, 10);
  const int beam = addItem(page, {6, 1, 10, 3, 5, 30, 12});
  const BeamPlan plan = planBeamFlip(page, beam);
  ASSERT_TRUE(plan.refusal.empty()) << plan.refusal;
  const auto changes = changesOf(plan);
  EXPECT_FLOAT_EQ(changes.at({beam, 7}), 22);
  EXPECT_FLOAT_EQ(changes.at({low, 5}), 20);
  EXPECT_FLOAT_EQ(changes.at({last, 5}), 20);
  EXPECT_FALSE(changes.count({chordTop, 5}));
  EXPECT_FLOAT_EQ(changes.at({beam, 4}), 3);  // stems down hang from the lowest note of the chord
  EXPECT_FLOAT_EQ(changes.at({beam, 5}), 5);
  ASSERT_TRUE(applyChanges(page, plan.changes));
  EXPECT_TRUE(planStemAdjustment(page, beam).changes.empty());  // the stems already reach it
  const BeamPlan back = planBeamFlip(page, beam);
  ASSERT_TRUE(back.refusal.empty());
  EXPECT_FLOAT_EQ(changesOf(back).at({beam, 4}), 7);  // stems up stand on the chord's top
  EXPECT_FLOAT_EQ(changesOf(back).at({beam, 7}), 12);
}

TEST(BeamFlip, MismatchedStemIsRefused) {
  PageStore page;
  note(page, 10, 5, 10);
  note(page, 20, 5, 20);
  note(page, 30, 5, 10);
  const int beam = addItem(page, {6, 1, 10, 5, 5, 30, 11});
  const BeamPlan plan = planBeamFlip(page, beam);
  EXPECT_TRUE(plan.changes.empty());
  EXPECT_EQ(plan.refusal, std::string(messages::kBeamMismatch) + "    4");
}

TEST(ApplyChanges, GrowsShortItemsOrChangesNothing) {
  PageStore page;
  const int short3 = addItem(page, {1, 1, 10});
  ASSERT_TRUE(applyChanges(page, {{short3, 8, 2.5f}}));
  EXPECT_EQ(page.paramCount(short3), 8);
  EXPECT_FLOAT_EQ(page.param(short3, 8), 2.5f);
  EXPECT_FALSE(applyChanges(page, {{short3, 8, 1}, {9, 8, 1}}));  // no item 9
  EXPECT_FLOAT_EQ(page.param(short3, 8), 2.5f);
  EXPECT_FALSE(applyChanges(page, {{short3, 99, 1}}));
}

}  // namespace
}  // namespace ts
