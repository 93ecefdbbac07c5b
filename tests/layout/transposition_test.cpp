#include "layout/transposition.h"

#include <gtest/gtest.h>

#include <vector>

#include "model/page_store.h"
#include "support/page_items.h"

namespace ts {
namespace {

using testing::addItem;
namespace msg = transposition_messages;

constexpr float kTreble = 0, kBass = 1;

std::vector<std::vector<float>> itemsOf(const PageStore& page) {
  std::vector<std::vector<float>> items;
  for (int k = 1; k <= page.itemCount(); ++k) items.push_back(page.record(k).params);
  return items;
}

// Staff 1 with a clef at 2 (and a key signature at 10 when given).
PageStore staffPage(float clef = kTreble, std::optional<float> key = std::nullopt) {
  PageStore page;
  addItem(page, {8, 1, 0, 0});
  addItem(page, {3, 1, 2, 0, clef});
  if (key) addItem(page, {17, 1, 10, 0, *key, clef});
  return page;
}

TransposeOptions by(int halfSteps, bool addKey = false) {
  TransposeOptions options;
  options.halfSteps = halfSteps;
  options.addKeySignature = addKey;
  return options;
}

const TransposeRange kStaffOne{1, 1, 0, 200};

TEST(TransposeRange, UpAHalfStepInCAddsFiveFlatsAndLeavesDFlatToTheKey) {
  PageStore page = staffPage();
  const int note = addItem(page, {1, 1, 20, 8, 20, 0, 1});  // C5, stem down
  const TransposeOutcome outcome = transposeRange(page, kStaffOne, by(1, true));
  EXPECT_TRUE(outcome.refusal.empty());
  EXPECT_TRUE(outcome.changed);
  EXPECT_EQ(outcome.staves, std::vector<int>{1});
  EXPECT_EQ(page.param(note, 4), 9.0f);
  EXPECT_EQ(page.param(note, 5), 20.0f);
  const int key = page.itemCount();
  ASSERT_EQ(page.code(key), kCodeKeySignature);
  EXPECT_EQ(page.param(key, 3), 11.0f);  // midway between the clef and the note
  EXPECT_EQ(page.param(key, 5), -5.0f);
  EXPECT_EQ(page.param(key, 6), kTreble);
}

TEST(TransposeRange, WithoutAKeySignatureTheFlatIsWritten) {
  PageStore page = staffPage();
  const int note = addItem(page, {1, 1, 20, 8, 20.25f, 0, 1});
  transposeRange(page, kStaffOne, by(1));
  EXPECT_EQ(page.param(note, 4), 9.0f);
  EXPECT_EQ(page.param(note, 5), 21.25f);  // the accidental's shift stays
  EXPECT_EQ(page.itemCount(), 3);
}

TEST(TransposeRange, AnOctaveMovesSevenStepsAndKeepsTheKey) {
  PageStore page = staffPage(kTreble, 1.0f);
  const int note = addItem(page, {1, 1, 20, 3, 10, 0, 1});
  transposeRange(page, kStaffOne, by(12, true));
  EXPECT_EQ(page.param(note, 4), 10.0f);
  EXPECT_EQ(page.param(3, 5), 1.0f);
  EXPECT_EQ(page.itemCount(), 4);  // no key added: one stands before the note
}

TEST(TransposeRange, AKeyPastSevenFlatsWrapsAndItsNotesAreSpelledInTheNewKey) {
  PageStore page = staffPage(kTreble, -5.0f);
  const int dFlat = addItem(page, {1, 1, 20, 9, 20, 0, 1});
  transposeRange(page, kStaffOne, by(1));
  EXPECT_EQ(page.param(3, 5), 2.0f);  // D flat major up a half step: D major
  EXPECT_EQ(page.param(dFlat, 4), 9.0f);
  EXPECT_EQ(page.param(dFlat, 5), 20.0f);
}

TEST(TransposeRange, ANoteOutsideTheKeyKeepsAWrittenAccidental) {
  PageStore page = staffPage(kTreble, 1.0f);
  const int fNatural = addItem(page, {1, 1, 20, 11, 23, 0, 1});
  const int sharp = addItem(page, {1, 1, 30, 10, 22, 0, 1});  // E sharp
  const int inKey = addItem(page, {1, 1, 40, 11, 20, 0, 1});   // F sharp by the key
  transposeRange(page, kStaffOne, by(2));
  EXPECT_EQ(page.param(3, 5), 3.0f);
  EXPECT_EQ(page.param(fNatural, 4), 12.0f);  // G natural against A major's G sharp
  EXPECT_EQ(page.param(fNatural, 5), 23.0f);
  EXPECT_EQ(page.param(sharp, 4), 11.0f);  // F double sharp
  EXPECT_EQ(page.param(sharp, 5), 25.0f);
  EXPECT_EQ(page.param(inKey, 4), 12.0f);  // G sharp by the new key
  EXPECT_EQ(page.param(inKey, 5), 20.0f);
}

TEST(TransposeRange, NotesOutsideTheRangeStay) {
  PageStore page = staffPage();
  const int inside = addItem(page, {1, 1, 20, 8, 20, 0, 1});
  const int outside = addItem(page, {1, 1, 80, 8, 20, 0, 1});
  const int otherStaff = addItem(page, {1, 2, 20, 8, 20, 0, 1});
  transposeRange(page, {1, 1, 0, 50}, by(2));
  EXPECT_EQ(page.param(inside, 4), 9.0f);
  EXPECT_EQ(page.param(outside, 4), 8.0f);
  EXPECT_EQ(page.param(otherStaff, 4), 8.0f);
}

TEST(TransposeRange, RefusalsLeaveThePageAsItWas) {
  const struct {
    std::vector<float> item;
    int halfSteps;
    std::string refusal;
  } cases[] = {
      {{1, 1, 20, 8, 20, 0}, 2, std::string(msg::kMissingRhythm) + "   3"},
      {{2, 1, 20, 8, 0, 0, 0}, 2, std::string(msg::kMissingRhythm) + "   3"},
      {{1, 1, 20, 8, 20, 0, 1}, 31, msg::kAmountOutOfRange},
      {{1, 1, 20, 8, 20, 0, 1}, -40, msg::kAmountOutOfRange},
  };
  for (const auto& c : cases) {
    PageStore page = staffPage();
    addItem(page, c.item);
    const auto before = itemsOf(page);
    const TransposeOutcome outcome = transposeRange(page, kStaffOne, by(c.halfSteps, true));
    EXPECT_EQ(outcome.refusal, c.refusal);
    EXPECT_FALSE(outcome.changed);
    EXPECT_EQ(itemsOf(page), before);
  }
}

TEST(TransposeRange, APageOfOneItemIsLeftAlone) {
  PageStore page;
  addItem(page, {1, 1, 20, 8, 20, 0, 1});
  const TransposeOutcome outcome = transposeRange(page, kStaffOne, by(2));
  EXPECT_TRUE(outcome.refusal.empty());
  EXPECT_FALSE(outcome.changed);
  EXPECT_EQ(page.param(1, 4), 8.0f);
}

TEST(TransposeRange, BeamsFollowTheirNotesKeepingTheirHundreds) {
  PageStore page = staffPage();
  addItem(page, {1, 1, 20, 8, 10, 0, 0.5f});
  const int beam = addItem(page, {6, 1, 20, 105, 7, 40, 11});
  const int shortBeam = addItem(page, {6, 1, 20, 9, 9});  // no right end: left alone
  transposeRange(page, kStaffOne, by(-2));
  EXPECT_EQ(page.param(beam, 4), 104.0f);
  EXPECT_EQ(page.param(beam, 5), 6.0f);
  EXPECT_EQ(page.param(shortBeam, 4), 9.0f);
}

TEST(TransposeRange, SlurEndsStepOffStaffLinesAndTiesStayLevel) {
  PageStore page = staffPage();
  addItem(page, {1, 1, 20, 8, 10, 0, 1});
  const int tie = addItem(page, {5, 1, 20, 4, 4, 40, 2});
  const int slur = addItem(page, {5, 1, 20, 4, 6, 40, -1});
  const int between = addItem(page, {5, 1, 20, 1, 13, 40, 1});
  const int onLines = addItem(page, {5, 1, 20, 3, 9, 40, 1});
  transposeRange(page, kStaffOne, by(2));
  EXPECT_EQ(page.param(tie, 4), 6.0f);  // 5 is a line; the curve opens upward
  EXPECT_EQ(page.param(tie, 5), 6.0f);
  EXPECT_EQ(page.param(slur, 4), 4.0f);
  EXPECT_EQ(page.param(slur, 5), 6.0f);
  EXPECT_EQ(page.param(between, 4), 2.0f);
  EXPECT_EQ(page.param(between, 5), 14.0f);
  EXPECT_EQ(page.param(onLines, 4), 4.0f);  // placed on lines: moved with the notes only
  EXPECT_EQ(page.param(onLines, 5), 10.0f);
}

TEST(SystemsOfStaves, NeighboursSharingMostColumnsAreJustifiedTogether) {
  PageStore page;
  for (const float x : {10.0f, 20.0f, 30.0f}) addItem(page, {1, 1, x, 5, 10, 0, 1});
  for (const float x : {10.0f, 30.0f}) addItem(page, {2, 2, x, 5, 1, 0, 1});  // rests at staff 1's columns
  for (const float x : {10.0f, 15.0f, 25.0f}) addItem(page, {1, 3, x, 5, 10, 0, 1});  // only a first beat shared
  for (const float x : {15.0f, 25.005f}) addItem(page, {1, 4, x, 5, 10, 0, 1});
  addItem(page, {1, 6, 15, 5, 10, 0, 1});  // not a neighbour of staff 4
  const std::vector<std::vector<int>> systems = systemsOfStaves(page, {1, 2, 3, 4, 6, 7});
  EXPECT_EQ(systems, (std::vector<std::vector<int>>{{1, 2}, {3, 4}, {6}, {7}}));
}

TEST(TransposeRange, GuitarChordRootsMoveAndFingeringGridsAreToldOnce) {
  PageStore page = staffPage();
  addItem(page, {1, 1, 20, 8, 10, 0, 1});
  const int fSharp = addItem(page, {12, 1, 30, 14, -4, 0, 42});
  const int bFlat = addItem(page, {12, 1, 40, 14, -1, 0, 71});
  const int grid = addItem(page, {12, 1, 50, 14, -2, 0, 10});
  const int circle = addItem(page, {12, 1, 60, 14, 2, 0, 42});
  const TransposeOutcome outcome = transposeRange(page, kStaffOne, by(1));
  EXPECT_EQ(page.param(fSharp, 7), 50.0f);
  EXPECT_EQ(page.param(bFlat, 7), 70.0f);
  EXPECT_EQ(page.param(grid, 7), 21.0f);
  EXPECT_EQ(page.param(circle, 7), 42.0f);
  EXPECT_EQ(outcome.messages, std::vector<std::string>{msg::kFingerings});
}

TEST(TransposeRange, AClefChangeKeepsThePitchAndRewritesTheKeyPattern) {
  PageStore page = staffPage(kTreble, 1.0f);
  const int note = addItem(page, {1, 1, 20, 8, 20, 0, 1});  // C5
  const int beam = addItem(page, {6, 1, 20, 8, 8, 30});
  TransposeOptions options = by(0);
  options.clef = ClefChoice::Bass;
  transposeRange(page, kStaffOne, options);
  EXPECT_EQ(page.param(2, 5), kBass);
  EXPECT_EQ(page.param(3, 6), kBass);
  EXPECT_EQ(page.param(note, 4), 20.0f);
  EXPECT_EQ(page.param(beam, 4), 20.0f);
}

TEST(TransposeRange, StemsAreNormalisedWhenAskedAndCueNotesLeftWhenNot) {
  PageStore page = staffPage();
  const int high = addItem(page, {1, 1, 20, 6, 10, 0, 1});
  const int low = addItem(page, {1, 1, 30, 5, 20, 0, 1});
  const int cue = addItem(page, {1, 1, 40, 108, 10, 0, 1});
  TransposeOptions options = by(2);
  options.normalizeStems = true;
  options.cueNotes = false;
  transposeRange(page, kStaffOne, options);
  EXPECT_EQ(page.param(high, 5), 20.0f);
  EXPECT_EQ(page.param(low, 5), 10.0f);
  EXPECT_EQ(page.param(cue, 4), 108.0f);
  options.cueNotes = true;
  transposeRange(page, kStaffOne, options);
  EXPECT_EQ(page.param(cue, 4), 109.0f);
}

TEST(EnharmonicChange, SharpsBecomeFlatsAndFlatsSharps) {
  PageStore page = staffPage();
  const int cSharp = addItem(page, {1, 1, 20, 8, 22, 0, 1});
  const int eSharp = addItem(page, {1, 1, 30, 3, 12, 0, 1});
  const TransposeOutcome up = transposeRange(page, kStaffOne, by(kEnharmonicUp));
  EXPECT_TRUE(up.refusal.empty());
  EXPECT_EQ(page.param(cSharp, 4), 9.0f);
  EXPECT_EQ(page.param(cSharp, 5), 21.0f);
  EXPECT_EQ(page.param(eSharp, 4), 4.0f);  // F, needing no sign
  EXPECT_EQ(page.param(eSharp, 5), 10.0f);
  transposeRange(page, kStaffOne, by(kEnharmonicDown));
  EXPECT_EQ(page.param(cSharp, 4), 8.0f);
  EXPECT_EQ(page.param(cSharp, 5), 22.0f);
}

TEST(EnharmonicChange, RefusalsLeaveThePageAsItWas) {
  const struct {
    std::vector<std::vector<float>> items;
    int halfSteps;
    const char* refusal;
  } cases[] = {
      {{{1, 1, 20, 8, 22, 0, 1}, {1, 1, 30, 8, 21, 0, 1}}, kEnharmonicUp, msg::kMixedSharpsAndFlats},
      {{{17, 1, 10, 0, 1, 0}, {1, 1, 20, 8, 22, 0, 1}}, kEnharmonicUp, msg::kKeySignatureInRange},
      {{{1, 1, 20, 8, 20, 0, 1}, {1, 1, 30, 8, 23, 0, 1}}, kEnharmonicUp, msg::kNoEnharmonicChanges},
      {{{1, 1, 20, 8, 22, 0, 1}}, kEnharmonicDown, msg::kNoEnharmonicChanges},
  };
  for (const auto& c : cases) {
    PageStore page = staffPage();
    for (const auto& item : c.items) addItem(page, item);
    const auto before = itemsOf(page);
    const TransposeOutcome outcome = transposeRange(page, kStaffOne, by(c.halfSteps));
    EXPECT_EQ(outcome.refusal, c.refusal);
    EXPECT_EQ(itemsOf(page), before);
  }
}

TEST(MovedPackedStep, TheHundredsStayAndTakeTheNewStepsSign) {
  const struct {
    float packed;
    int steps;
    float moved;
  } cases[] = {{5, 2, 7}, {-2, 2, 0}, {105, -1, 104}, {100, -1, -101}, {-103, 5, 102}, {-101, 1, 100}, {203, 1, 204}};
  for (const auto& c : cases) EXPECT_EQ(movedPackedStep(c.packed, c.steps), c.moved) << c.packed << " " << c.steps;
}

}  // namespace
}  // namespace ts
