// What the packed parameters of a note say.

#include "draw/notes.h"

#include <gtest/gtest.h>

namespace ts {
namespace {

TEST(NoteCodes, AccidentalsStemsFlagsAndDots) {
  struct Case { float step, p5, p9; int accidental, stem; bool up; int flags, dots; bool below; };
  for (const Case c : {Case{3, 22, 0, 7, 2, false, 0, 0, false},    // sharp, stem down
                       Case{5, 11, 21, 6, 1, true, 1, 2, false},    // flat, stem up, one flag, two dots
                       Case{5, 11, 121, 6, 1, true, 1, 2, true},    // dots below
                       Case{6, 3, 0, 8, 0, true, 0, 0, false},      // no stem: up at step 6
                       Case{7, 0, 2, 0, 0, false, 2, 0, false},     // ... down at step 7
                       Case{5, 102, 0, 141, 0, true, 0, 0, false},  // second set: bracketed sharp
                       Case{5, 6, 0, 145, 0, true, 0, 0, false}}) { // units above 5: second set
    const NoteCodes codes = noteCodes(c.step, c.p5, c.p9);
    EXPECT_EQ(codes.accidental, c.accidental) << c.p5;
    EXPECT_EQ(codes.stemTens, c.stem) << c.p5;
    EXPECT_EQ(codes.up, c.up) << c.p5;
    EXPECT_EQ(codes.flags, c.flags) << c.p9;
    EXPECT_EQ(codes.dots, c.dots) << c.p9;
    EXPECT_EQ(codes.dotsBelow, c.below) << c.p9;
  }
}

TEST(NoteCodes, FractionsMoveMarks) {
  struct Case { float value, shift; };
  for (const Case c : {Case{22, 0}, Case{22.5f, 0.5f}, Case{22.95f, -0.05f}, Case{-21.25f, 0.25f}}) {
    EXPECT_NEAR(markShift(c.value), c.shift, 1e-5f) << c.value;
  }
  EXPECT_NEAR(noteCodes(5, 22.5f, 0).accidentalShift, 0.5f, 1e-5f);
  EXPECT_NEAR(noteCodes(5, 22, 10.5f).dotShift, -0.5f, 1e-5f);
}

TEST(HeadShape, TypesAndParentheses) {
  struct Case { int p6; HeadSource source; int number; bool parenthesised, stem; };
  for (const Case c : {Case{0, HeadSource::Symbol, 11, false, true}, Case{2, HeadSource::Symbol, 13, false, false},
                       Case{-3, HeadSource::Symbol, 14, false, false}, Case{6, HeadSource::Symbol, 17, false, true},
                       Case{7, HeadSource::None, 0, false, true}, Case{8, HeadSource::Drawing, 95, false, true},
                       Case{9, HeadSource::Drawing, 139, false, true}, Case{12, HeadSource::Symbol, 13, true, false},
                       Case{-1, HeadSource::None, 0, false, true}, Case{150, HeadSource::Drawing, 150, false, false},
                       Case{139, HeadSource::Drawing, 139, false, true}, Case{900, HeadSource::Drawing, 900, false, false}}) {
    const HeadShape head = headShape(c.p6);
    EXPECT_EQ(head.source, c.source) << c.p6;
    if (c.source != HeadSource::None) {
      EXPECT_EQ(head.number, c.number) << c.p6;
    }
    EXPECT_EQ(head.parenthesised, c.parenthesised) << c.p6;
    EXPECT_EQ(head.stem, c.stem) << c.p6;
  }
  EXPECT_FLOAT_EQ(headShape(150).scale, 0.833f);
}

TEST(LedgerLines, StepsBelowAndAbove) {
  using V = std::vector<int>;
  EXPECT_EQ(ledgerSteps(7), V{});
  EXPECT_EQ(ledgerSteps(1), V{1});
  EXPECT_EQ(ledgerSteps(0), V{1});
  EXPECT_EQ(ledgerSteps(-3), (V{1, -1, -3}));
  EXPECT_EQ(ledgerSteps(14), (V{13}));
  EXPECT_EQ(ledgerSteps(17), (V{13, 15, 17}));
  EXPECT_EQ(ledgerSteps(9, 5), (V{5, 7, 9}));
  EXPECT_TRUE(needsLedgerLines(0, 1, 1, false));
  EXPECT_FALSE(needsLedgerLines(0, 1, 2, false));
  EXPECT_FALSE(needsLedgerLines(0, -2, 0, false));
  EXPECT_FALSE(needsLedgerLines(-1, 1, 0, false));
  EXPECT_TRUE(needsLedgerLines(1, -5, 0, false));
  EXPECT_TRUE(needsLedgerLines(0, 1, 7, true));
}

TEST(Stems, LengthAndTremolo) {
  EXPECT_FLOAT_EQ(stemSteps(0, 0), 7);
  EXPECT_FLOAT_EQ(stemSteps(1, 2), 9);
  EXPECT_FLOAT_EQ(stemSteps(2, 0), 8.5f);
  EXPECT_FLOAT_EQ(stemSteps(4, -1), 11.5f);
  bool tremolo = false;
  EXPECT_FLOAT_EQ(stemExtra(103, tremolo), 3);
  EXPECT_TRUE(tremolo);
  EXPECT_FLOAT_EQ(stemExtra(-102, tremolo), -2);
  EXPECT_FLOAT_EQ(stemExtra(4, tremolo), 4);
  EXPECT_FALSE(tremolo);
}

TEST(NoteScale, SizeFactorCueAndChordMembers) {
  EXPECT_FLOAT_EQ(noteScaleFactor(5, 0), 1.0f);
  EXPECT_FLOAT_EQ(noteScaleFactor(105, 0), 0.6f);   // cue
  EXPECT_FLOAT_EQ(noteScaleFactor(105, 1.5f), 1.5f);  // P15 cancels the cue size
  EXPECT_FLOAT_EQ(noteScaleFactor(105, -1), 0.6f);   // a typed chord member keeps its cue size, never mirrored
  EXPECT_FLOAT_EQ(noteScaleFactor(5, -1), 1.0f);
}

TEST(Stems, PrintWeightIsTheHundredsOfP17) {
  const struct {
    float p17;
    int weight;
  } cases[] = {{0, 0}, {3, 0}, {99.5f, 0}, {100, 1}, {3002, 30}, {-300, 0}, {1e7f, 100000}};
  for (const auto& c : cases) EXPECT_EQ(stemPrintWeight(c.p17), c.weight) << c.p17;
}

}  // namespace
}  // namespace ts
