// A score made into pages: how notes, chords, rests, graces, voices and
// accidentals become items.

#include "interchange/score_to_pages.h"

#include <gtest/gtest.h>

#include "interchange/musicxml_reader.h"
#include "model/preferences.h"

namespace ts::interchange {
namespace {

PagesOutcome pagesOf(const std::string& measures, int staves = 1) {
  const std::string text =
      "<score-partwise><part-list><score-part id='P1'/></part-list><part id='P1'><measure number='1'>"
      "<attributes><divisions>2</divisions><key><fifths>-1</fifths></key><staves>" + std::to_string(staves) +
      "</staves></attributes>" + measures + "</measure></part></score-partwise>";
  UnmappedLog unmapped;
  const ReadOutcome read = readMusicXml(text, unmapped);
  EXPECT_TRUE(read.score) << read.error;
  return scoreToPages(*read.score, Preferences{}, unmapped);
}

std::string note(const std::string& step, int octave, int duration, const std::string& more = "") {
  return "<note>" + more + "<pitch><step>" + step + "</step><octave>" + std::to_string(octave) + "</octave></pitch>" +
         "<duration>" + std::to_string(duration) + "</duration></note>";
}

std::vector<ItemRecord> itemsOf(const PageStore& page, int code) {
  std::vector<ItemRecord> items;
  for (int k = 1; k <= page.itemCount(); ++k)
    if (page.code(k) == code) items.push_back(page.record(k));
  std::stable_sort(items.begin(), items.end(), [](const ItemRecord& a, const ItemRecord& b) { return a.p(3) < b.p(3); });
  return items;
}

TEST(ScoreToPages, NotesTakeTheirStepAccidentalStemAndValue) {
  // F major: B natural shows a natural, B flat then shows a flat again.
  const PagesOutcome pages = pagesOf(note("B", 4, 2) + "<note><pitch><step>B</step><alter>-1</alter><octave>4</octave></pitch>"
                                     "<duration>3</duration><dot/></note>" + note("E", 5, 1));
  ASSERT_EQ(pages.error, "");
  ASSERT_EQ(pages.pages.size(), 1u);
  const std::vector<ItemRecord> notes = itemsOf(pages.pages[0], kCodeNote);
  ASSERT_EQ(notes.size(), 3u);
  struct Expected {
    float p4, p5, p6, p7, p9;
  };
  const Expected expected[] = {{7, 23, 0, 1, 0}, {7, 21, 0, 1.5f, 10}, {10, 20, 0, 0.5f, 1}};
  for (size_t i = 0; i < notes.size(); ++i) {
    EXPECT_EQ(notes[i].p(4), expected[i].p4) << i;
    EXPECT_EQ(notes[i].p(5), expected[i].p5) << i;
    EXPECT_EQ(notes[i].p(6), expected[i].p6) << i;
    EXPECT_EQ(notes[i].p(7), expected[i].p7) << i;
    EXPECT_EQ(notes[i].p(9), expected[i].p9) << i;
  }
  EXPECT_LT(notes[0].p(3), notes[1].p(3));
}

TEST(ScoreToPages, ChordsGraceNotesAndGapsOfAVoice) {
  const PagesOutcome pages = pagesOf(note("C", 5, 2, "<grace/>").replace(note("C", 5, 2, "<grace/>").find("<duration>"), 22, "") +
                                     note("A", 4, 2) + note("C", 5, 2, "<chord/>") +
                                     "<forward><duration>2</duration></forward>" + note("G", 4, 4));
  ASSERT_EQ(pages.error, "");
  const std::vector<ItemRecord> notes = itemsOf(pages.pages[0], kCodeNote);
  ASSERT_EQ(notes.size(), 4u);
  EXPECT_EQ(notes[0].p(7), 64.0f);                  // the grace note, small and before the chord
  EXPECT_GE(notes[0].p(4), 100.0f);
  EXPECT_EQ(notes[1].p(3), notes[2].p(3));          // the chord stands together
  EXPECT_EQ(notes[1].p(15) + notes[2].p(15), -1.0f);  // one of them is the member
  const std::vector<ItemRecord> rests = itemsOf(pages.pages[0], kCodeRest);
  ASSERT_EQ(rests.size(), 1u);
  EXPECT_EQ(rests[0].p(6), -1.0f);                  // the gap is an invisible rest holding a quarter
  EXPECT_EQ(rests[0].p(7), 1.0f);
  EXPECT_LT(rests[0].p(3), notes[3].p(3));
}

TEST(ScoreToPages, TwoVoicesOnAStaffTurnTheirStemsApart) {
  const PagesOutcome pages = pagesOf(note("C", 5, 4, "<voice>1</voice>").replace(0, 6, "<note>") +
                                     "<backup><duration>4</duration></backup>" +
                                     "<note><rest/><duration>2</duration><voice>2</voice></note>" +
                                     "<note><pitch><step>C</step><octave>5</octave></pitch><duration>2</duration><voice>2</voice></note>");
  ASSERT_EQ(pages.error, "");
  const std::vector<ItemRecord> notes = itemsOf(pages.pages[0], kCodeNote);
  const std::vector<ItemRecord> rests = itemsOf(pages.pages[0], kCodeRest);
  ASSERT_EQ(notes.size(), 2u);
  ASSERT_EQ(rests.size(), 1u);
  EXPECT_EQ(truncToInt(notes[0].p(5)) / 10, 1);  // voice 1 up, even where the automatic rule says down
  EXPECT_EQ(truncToInt(notes[1].p(5)) / 10, 2);
  EXPECT_LT(rests[0].p(4), 0.0f);                 // voice 2's rest lowered
}

TEST(ScoreToPages, ScoresTooWideForASystemAreRefused) {
  EXPECT_FALSE(pagesOf(note("C", 4, 2), 11).error.empty());
}

}  // namespace
}  // namespace ts::interchange
