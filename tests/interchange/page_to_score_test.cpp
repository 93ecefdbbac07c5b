// Pages read back as a score: pitches from the clef, key and the bar's
// accidentals, chords, two voices on a staff, durations with and without
// P7, invisible rests as time, ties, and the systems' parts.

#include "interchange/page_to_score.h"

#include <gtest/gtest.h>

#include "interchange/page_systems.h"

namespace ts::interchange {
namespace {

void add(PageStore& page, std::initializer_list<float> params) { page.append({params, {}}); }

// Staff 2 (treble) over staff 1 (bass), joined by a system bar and a
// brace on the lower staff reaching up: one part of two staves.
PageStore pianoPage() {
  PageStore page;
  add(page, {8, 1, 0, -80});
  add(page, {8, 2, 0, -80});
  add(page, {14, 1, 0, 2, 0});
  add(page, {14, 1, 0, 2, 8});
  add(page, {3, 2, 2, 0, 0});
  add(page, {3, 1, 2, 0, 1});
  add(page, {17, 2, 8, 0, 2, 0});
  add(page, {17, 1, 8, 0, 2, 1});
  add(page, {18, 2, 14, 0, 3, 4});
  return page;
}

Score scoreOf(const PageStore& page) {
  const PageStore* pages[] = {&page};
  ScoreFromPages read = pagesToScore(pages);
  EXPECT_EQ(read.error, "");
  return read.score;
}

TEST(PageSystems, BarsAndBracesMakeSystemsAndParts) {
  PageStore page = pianoPage();
  add(page, {8, 3, 0, -150});  // a staff of its own further down
  const std::vector<PageSystem> systems = pageSystems(page);
  ASSERT_EQ(systems.size(), 2u);
  ASSERT_EQ(systems[0].parts.size(), 1u);
  EXPECT_EQ(systems[0].parts[0].staves, (std::vector<int>{2, 1}));
  EXPECT_EQ(systems[1].parts[0].staves, (std::vector<int>{3}));
}

TEST(PageToScore, PitchesComeFromClefKeyAndTheBarsAccidentals) {
  PageStore page = pianoPage();
  // Treble staff, D major: F (step 4) sharp by the key, then natural, then again natural in the bar.
  add(page, {1, 2, 20, 4, 10, 0, 1});
  add(page, {1, 2, 30, 4, 13, 0, 1});
  add(page, {1, 2, 40, 4, 10, 0, 1});
  add(page, {14, 1, 50, 2, 0});
  add(page, {1, 2, 60, 4, 10, 2, 4});  // the next bar: sharp again
  // Bass staff: G2 on its bottom line, with a chord member B2 marked by P15.
  add(page, {1, 1, 20, 3, 10, 1, 3});
  add(page, {1, 1, 20, 5, 0, 1, 3, 0, 0, 0, 0, 0, 0, 0, -1});
  const Score score = scoreOf(page);
  ASSERT_EQ(score.parts.size(), 1u);
  const Part& part = score.parts[0];
  EXPECT_EQ(part.staves, 2);
  ASSERT_EQ(part.measures.size(), 2u);
  EXPECT_EQ(part.measures[0].fifths, 2);
  ASSERT_TRUE(part.measures[0].meter);
  EXPECT_EQ(part.measures[0].meter->beats, 3);
  const auto& notes = part.measures[0].notes;
  ASSERT_EQ(notes.size(), 5u);
  const Pitch expected[] = {{3, 1, 4}, {3, 0, 4}, {3, 0, 4}, {4, 0, 2}, {6, 0, 2}};
  for (size_t i = 0; i < notes.size(); ++i) EXPECT_EQ(notes[i].pitch, expected[i]) << i;
  EXPECT_TRUE(notes[4].chord);
  EXPECT_EQ(notes[3].duration, Rational::of(3, 1));
  EXPECT_EQ(notes[3].staff, 2);
  EXPECT_EQ(part.measures[1].notes[0].pitch, (Pitch{3, 1, 4}));
  EXPECT_EQ(part.measures[1].notes[0].duration, Rational::of(4, 1));
}

TEST(PageToScore, TwoVoicesOnAStaffAndInvisibleRests) {
  PageStore page = pianoPage();
  add(page, {1, 2, 20, 9, 10, 1, 2});    // voice 1: a half note, stem up
  add(page, {1, 2, 20, 2, 20, 0, 1});    // voice 2: a quarter, stem down
  add(page, {2, 2, 30, -4, 0, 0, 1});    // voice 2: a lowered quarter rest
  add(page, {2, 2, 40, 0, 0, -1, 1});    // voice 1: an invisible quarter
  add(page, {1, 2, 50, 8, 10, 0, 1});    // voice 1 again, after the gap
  const Part part = scoreOf(page).parts[0];
  const auto& notes = part.measures[0].notes;
  ASSERT_EQ(notes.size(), 4u);
  const std::tuple<int, Rational, bool> expected[] = {
      {1, Rational::of(0, 1), false}, {2, Rational::of(0, 1), false}, {2, Rational::of(1, 1), true},
      {1, Rational::of(3, 1), false}};
  for (size_t i = 0; i < notes.size(); ++i) {
    EXPECT_EQ(notes[i].voice, std::get<0>(expected[i])) << i;
    EXPECT_EQ(notes[i].offset, std::get<1>(expected[i])) << i;
    EXPECT_EQ(notes[i].rest, std::get<2>(expected[i])) << i;
  }
}

TEST(PageToScore, DurationsWithoutP7ComeFromHeadsFlagsAndDots) {
  PageStore page = pianoPage();
  add(page, {1, 2, 20, 5, 10, 1, 0, 0, 10});  // a dotted half
  add(page, {1, 2, 30, 5, 10, 0, 0, 0, 2});   // a sixteenth
  add(page, {2, 2, 40, 0, -2, 0});            // a whole rest
  add(page, {2, 2, 50, 0, 1, 1});             // a dotted eighth rest
  add(page, {1, 2, 60, 5, 10, 0, 64, 0, 1});  // a grace note
  const Score score = scoreOf(page);  // kept: the notes are read from it
  const auto& notes = score.parts[0].measures[0].notes;
  ASSERT_EQ(notes.size(), 5u);
  const Rational expected[] = {Rational::of(3, 1), Rational::of(1, 4), Rational::of(4, 1), Rational::of(3, 4), {}};
  for (size_t i = 0; i < notes.size(); ++i) EXPECT_EQ(notes[i].duration, expected[i]) << i;
  EXPECT_TRUE(notes[4].grace);
  EXPECT_EQ(notes[0].dots, 1);
}

TEST(PageToScore, TiesAndSlursJoinTheNotesAtTheirEnds) {
  PageStore page = pianoPage();
  add(page, {1, 2, 20, 5, 10, 0, 1});
  add(page, {1, 2, 30, 5, 10, 0, 1});
  add(page, {1, 2, 40, 7, 10, 0, 1});
  add(page, {5, 2, 20, 4, 4, 30, -1, 0.5f});  // a tie
  add(page, {5, 2, 20, 12, 14, 40, 2});       // a slur
  const Score score = scoreOf(page);  // kept: the notes are read from it
  const auto& notes = score.parts[0].measures[0].notes;
  ASSERT_EQ(notes.size(), 3u);
  EXPECT_TRUE(notes[0].tieStart);
  EXPECT_TRUE(notes[1].tieStop);
  EXPECT_EQ(notes[0].slurStarts, 1);
  EXPECT_EQ(notes[2].slurStops, 1);
  EXPECT_FALSE(notes[2].tieStop);
}

TEST(PageToScore, PagesWithoutStavesCannotBeExported) {
  PageStore empty;
  const PageStore* pages[] = {&empty};
  EXPECT_FALSE(pagesToScore(pages).error.empty());
}

}  // namespace
}  // namespace ts::interchange
