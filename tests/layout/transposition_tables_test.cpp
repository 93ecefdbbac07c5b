#include "layout/transposition_tables.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace ts {
namespace {

TEST(DiatonicShift, HalfStepsBecomeStepsWithTheSignOfTheAmount) {
  const struct {
    int halfSteps, steps;
  } cases[] = {{0, 0},  {1, 1},   {2, 1},   {3, 2},   {4, 2},   {5, 3},   {6, 3},   {7, 4},   {8, 5},
               {9, 5},  {10, 6},  {11, 6},  {12, 7},  {13, 8},  {14, 8},  {21, 12}, {23, 13}, {24, 14},
               {30, 17}, {-1, -1}, {-7, -4}, {-12, -7}, {-14, -8}, {-24, -14}};
  for (const auto& c : cases) EXPECT_EQ(diatonicShift(c.halfSteps), c.steps) << c.halfSteps;
}

TEST(KeySignatureChange, TheCircleOfFifthsByHalfSteps) {
  const struct {
    int halfSteps;
    std::optional<int> change;
  } cases[] = {{0, 0},   {1, -5},  {2, 2},   {3, -3},  {4, 4},   {5, -1},  {6, 6},    {7, 1},
               {8, -4},  {9, 3},   {10, -2}, {11, 5},  {12, 0},  {13, -5}, {14, 2},   {21, 3},
               {24, 0},  {30, 6},  {-1, 5},  {-2, -2}, {-6, -6}, {-7, -1}, {-12, 0},  {-13, 5},
               {-30, -6}, {31, std::nullopt}, {-31, std::nullopt}, {99, std::nullopt}};
  for (const auto& c : cases) EXPECT_EQ(keySignatureChange(c.halfSteps), c.change) << c.halfSteps;
}

TEST(WrappedKey, KeysPastSevenTakeTheirEnharmonicKey) {
  const struct {
    int key, wrapped;
  } cases[] = {{0, 0}, {7, 7}, {8, -4}, {13, 1}, {-7, -7}, {-8, 4}, {-10, 2}, {-13, -1}};
  for (const auto& c : cases) EXPECT_EQ(wrappedKey(c.key), c.wrapped) << c.key;
}

TEST(KeyAlteration, SharpsEnterFromFAndFlatsFromB) {
  const struct {
    int key, letter, alteration;
  } cases[] = {{0, 4, 0}, {1, 4, 1}, {1, 1, 0}, {2, 1, 1}, {7, 7, 1}, {6, 7, 0},
               {-1, 7, -1}, {-1, 3, 0}, {-2, 3, -1}, {-7, 4, -1}, {-6, 4, 0}, {12, 4, 1}};
  for (const auto& c : cases) EXPECT_EQ(keyAlteration(c.key, c.letter), c.alteration) << c.key << " " << c.letter;
}

TEST(NaturalHalfSteps, OctavesCountFromStepOneBelowAndAboveZero) {
  EXPECT_EQ(naturalHalfSteps(29) - naturalHalfSteps(22), 12);  // C4 over C3
  EXPECT_EQ(naturalHalfSteps(1) - naturalHalfSteps(0), 1);     // C over the B below it
  EXPECT_EQ(naturalHalfSteps(-5) - naturalHalfSteps(-6), 2);   // D over C, below step 0
  EXPECT_EQ(letterOfStep(0), 7);
  EXPECT_EQ(letterOfStep(-6), 1);
}

TEST(TransposedSpelling, TheLetterMovesByTheShiftAndTheAccidentalKeepsThePitch) {
  constexpr int C = 29, D = 30, E = 31, F = 32, G = 33, A = 34, B = 35;
  const struct {
    Spelling note;
    int halfSteps, keyWrap;
    Spelling after;
  } cases[] = {
      {{C, 0}, 1, 0, {D, -1}},    // C up a half step is D flat
      {{C, 0}, 2, 0, {D, 0}},
      {{F, 1}, 2, 0, {G, 1}},     // F sharp to G sharp
      {{B, -1}, 2, 0, {C + 7, 0}},
      {{E, 0}, 6, 0, {A, 1}},     // E up an augmented fourth: A sharp
      {{C, 0}, 12, 0, {C + 7, 0}},
      {{D, 0}, -2, 0, {C, 0}},
      {{C, 0}, -1, 0, {B - 7, 0}},
      {{E, -1}, 1, 12, {E, 0}},   // F flat in a wrapped key: E
      {{D, 0}, 1, 12, {D, 1}},    // E flat in a wrapped key: D sharp
      {{C, 0}, 1, -12, {D, -1}},  // E triple flat falls back to D flat
      {{F, 2}, 1, 0, {G, 1}},     // F double sharp up a minor second: G sharp
      {{E, 2}, 6, 0, {B, 1}},     // A triple sharp falls back to B sharp
  };
  for (const auto& c : cases) {
    const Spelling after = transposedSpelling(c.note, c.halfSteps, c.keyWrap);
    EXPECT_EQ(after.step, c.after.step) << c.note.step << " " << c.halfSteps;
    EXPECT_EQ(after.alteration, c.after.alteration) << c.note.step << " " << c.halfSteps;
  }
}

TEST(EnharmonicSpelling, OneLetterUpOrDownAtTheSamePitch) {
  constexpr int C = 29, D = 30, E = 31, F = 32;
  const auto spelled = [](Spelling note, int direction) {
    const std::optional<Spelling> s = enharmonicSpelling(note, direction);
    return s ? std::to_string(s->step) + ":" + std::to_string(s->alteration) : std::string("none");
  };
  EXPECT_EQ(spelled({C, 1}, 1), std::to_string(D) + ":-1");
  EXPECT_EQ(spelled({D, -1}, -1), std::to_string(C) + ":1");
  EXPECT_EQ(spelled({E, 1}, 1), std::to_string(F) + ":0");
  EXPECT_EQ(spelled({F, -1}, -1), std::to_string(E) + ":0");
  EXPECT_EQ(spelled({D, 2}, 1), std::to_string(E) + ":0");
  EXPECT_EQ(spelled({C, -2}, 1), "none");  // D quadruple flat
}

TEST(AccidentalDigits, DigitsAndAlterationsGoBothWays) {
  for (int alteration = -2; alteration <= 2; ++alteration)
    EXPECT_EQ(alterationOfDigit(accidentalDigit(alteration)), alteration) << alteration;
  EXPECT_EQ(accidentalDigit(0), 3);
  EXPECT_EQ(alterationOfDigit(6), 0);
  EXPECT_EQ(alterationOfDigit(0), std::nullopt);
  EXPECT_EQ(alterationOfDigit(7), std::nullopt);
}

TEST(TransposedChordRoot, RootsAreWrittenInTheirFixedSpelling) {
  const struct {
    int root, halfSteps;
    std::optional<int> after;
  } cases[] = {{42, 1, 50},  {71, -1, 60}, {10, 1, 21},  {10, 3, 31},  {70, 1, 10},  {10, -1, 70},
               {12, 0, 21},  {61, 12, 61}, {40, 30, 70}, {31, -30, 60}, {50, 6, 21},  {11, 0, 70},
               {0, 1, std::nullopt}, {80, 1, std::nullopt}, {13, 1, std::nullopt}, {-42, 1, std::nullopt}};
  for (const auto& c : cases) EXPECT_EQ(transposedChordRoot(c.root, c.halfSteps), c.after) << c.root;
}

TEST(IntervalNames, QualityAndNumberGiveHalfSteps) {
  const struct {
    const char* name;
    std::optional<int> halfSteps;
  } cases[] = {{"+M2", 2},  {"-m3", -3}, {"+P5", 7},  {"-A4", -6}, {"+P8", 12}, {"+d5", 6},
               {"+M9", 14}, {"+P15", 24}, {"+P1", 0}, {"-M7", -11}, {"+d7", 9},
               {"M2", std::nullopt}, {"+P3", std::nullopt}, {"+M5", std::nullopt}, {"+M16", std::nullopt},
               {"+P0", std::nullopt}, {"+x2", std::nullopt}, {"+M", std::nullopt}, {"+M2x", std::nullopt}};
  for (const auto& c : cases) EXPECT_EQ(halfStepsOfInterval(c.name), c.halfSteps) << c.name;
}

TEST(TranspositionAmounts, NumbersIntervalsAndTheEnharmonicWords) {
  const struct {
    const char* text;
    std::optional<int> amount;
  } cases[] = {{"+2", 2}, {"-3", -3}, {"12", 12}, {"+M2", 2}, {"enh+", kEnharmonicUp}, {"enh-", kEnharmonicDown},
               {"40", 40}, {"", std::nullopt}, {"+", std::nullopt}, {"2.5", std::nullopt},
               {"1e3", std::nullopt}, {"99999", std::nullopt}, {"enh", std::nullopt}, {"--2", std::nullopt}};
  for (const auto& c : cases) EXPECT_EQ(transpositionAmountOfText(c.text), c.amount) << c.text;
}

}  // namespace
}  // namespace ts
