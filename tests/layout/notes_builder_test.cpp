#include "layout/notes_builder.h"

#include <gtest/gtest.h>

#include "layout/notes_line.h"

namespace ts {
namespace {

NotesBuild build(PageStore& page, const char* typed, float left = 2.0f, float right = 200.0f) {
  InputState state;
  const NotesLine line = readNotesLine(prepareLine(typed, InputStage::Notes, {}).text, state);
  EXPECT_FALSE(line.error) << typed;
  return buildNotes(page, line.codes, 1, left, right);
}

std::vector<float> paramsOf(const PageStore& page, int k, int upTo) {
  std::vector<float> p;
  for (int i = 1; i <= upTo; ++i) p.push_back(page.param(k, i));
  return p;
}

TEST(NotesBuilder, NotesTakeTheirStepFromTheClefAndTheirStemFromTheStep) {
  struct Case {
    const char* typed;
    std::vector<float> note;  // P1 .. P8 of the last item, P3 left out (0)
  };
  const Case cases[] = {
      {"C", {1, 1, 0, 1, 10, 0, 0, 0}},            // middle C under treble: step 1, stem up
      {"C6", {1, 1, 0, 15, 20, 0, 0, 1}},          // stem down above step 14 is lengthened
      {"C2", {1, 1, 0, -13, 10, 0, 0, 13}},        // stem up below step 0 is lengthened
      {"BA/C", {1, 1, 0, 13, 20, 0, 0, 0}},
      {"AL/C", {1, 1, 0, 7, 20, 0, 0, 0}},
      {"TE/C", {1, 1, 0, 9, 20, 0, 0, 0}},
      {"CS", {1, 1, 0, 1, 12, 0, 0, 0}},
      {"C(F", {1, 1, 0, 1, 111, 0, 0, 0}},
      {"SD/C", {1, 1, 0, 1, 20, 0, 0, 0}},
      {"Q+/C6", {1, 1, 0, 115, 10, 0, 0, 0}},
      {"Q+/Q/C6", {1, 1, 0, 15, 20, 0, 0, 1}},
  };
  for (const Case& c : cases) {
    PageStore page;
    const NotesBuild made = build(page, c.typed);
    std::vector<float> got = paramsOf(page, made.items.back(), 8);
    got[2] = 0;
    EXPECT_EQ(got, c.note) << c.typed;
  }
}

TEST(NotesBuilder, ChordsStoreTheirFirstNoteByTheStem) {
  PageStore page;
  const NotesBuild up = build(page, "E:C:G");
  ASSERT_EQ(up.notes.size(), 1u);
  ASSERT_EQ(up.notes[0].chord.size(), 3u);
  EXPECT_EQ(page.param(up.notes[0].chord[0], 4), 1.0f);   // lowest first, stem up
  EXPECT_EQ(page.param(up.notes[0].chord[0], 15), 0.0f);
  EXPECT_EQ(page.param(up.notes[0].chord[2], 4), 5.0f);
  EXPECT_EQ(page.param(up.notes[0].chord[2], 15), -1.0f);
  const NotesBuild down = build(page, "C5:E");
  EXPECT_EQ(page.param(down.notes[0].item, 4), 10.0f);     // highest first, stem down
  EXPECT_EQ(page.param(down.notes[0].item, 5), 20.0f);
  EXPECT_EQ(page.param(down.notes[0].chord[1], 3), page.param(down.notes[0].item, 3));
}

TEST(NotesBuilder, RestsClefsBarsKeysAndMeters) {
  struct Case {
    const char* typed;
    std::vector<float> item;  // P1, P2, P4 .. P8 of the last item
  };
  const Case cases[] = {
      {"R", {2, 1, 0, 0, 0, 0, 0}},
      {"RI", {2, 1, 0, 0, -1, 0, 0}},
      {"RW", {2, 1, 0, -2, 0, 0, 0}},
      {"RWU", {2, 1, 6, -2, 0, 0, 0}},
      {"RP", {2, 1, 0, -4, 0, 0, 0}},
      {"RD", {2, 1, -6, 0, 0, 0, 0}},
      {"RFU", {2, 1, 6, 0, 0, 0, -1}},
      {"R12", {2, 1, 0, -2, 0, 0, 12}},
      {"C/TR", {3, 1, 100, 0}},       // a clef inside the line is small
      {"C/M/BA", {3, 1, 0, 1}},       // after a bar, the first clef of the line is not
      {"M2", {14, 1, 2, 0}},
      {"MRD", {14, 1, 1, 5}},
      {"MI3", {14, 1, -3, 0}},
      {"BA/K3F", {17, 1, 0, -3, 1}},
      {"K2SN", {17, 1, 0, 102, 0}},
      {"6 8", {18, 1, 0, 6, 8}},
      {"COM", {18, 1, 0, 99, 4}},
  };
  for (const Case& c : cases) {
    PageStore page;
    const NotesBuild made = build(page, c.typed);
    const int k = made.items.back();
    std::vector<float> got = {page.param(k, 1), page.param(k, 2)};
    for (size_t i = 4; i < c.item.size() + 2; ++i) got.push_back(page.param(k, static_cast<int>(i)));
    EXPECT_EQ(got, c.item) << c.typed;
  }
  PageStore page;
  EXPECT_TRUE(build(page, "K0S/-BA").items.empty());  // no key of nothing, a clef change without an item
}

TEST(NotesBuilder, ProvisionalPositionsShareTheRangeAndStartAtOneAndAHalf) {
  PageStore page;
  const NotesBuild made = build(page, "C/D:F/E/M", 0.0f, 100.0f);
  ASSERT_EQ(made.items.size(), 5u);
  const float expected[] = {1.5f, 26.125f, 26.125f, 50.75f, 75.375f};
  for (size_t i = 0; i < 5; ++i) EXPECT_FLOAT_EQ(page.param(made.items[i], 3), expected[i]);
  EXPECT_EQ(made.notes.size(), 3u);
}

TEST(NotesBuilder, TheStaffsClefAndKeyAreThoseInForceAtTheStretch) {
  PageStore page;
  page.append({{8, 1, 0, 0}, {}});
  page.append({{3, 1, 0, 0, 1}, {}});
  page.append({{17, 1, 0, 0, -2, 1}, {}});
  page.append({{3, 1, 150, 0, 0}, {}});
  EXPECT_EQ(clefInForce(page, 1, 100.0f), 1);
  EXPECT_EQ(clefInForce(page, 1, 160.0f), 0);
  EXPECT_EQ(clefInForce(page, 2, 100.0f), 0);
  const NotesBuild made = build(page, "C/K", 10.0f, 100.0f);
  EXPECT_EQ(page.param(made.items[0], 4), 13.0f);
  EXPECT_EQ(page.param(made.items[1], 5), -2.0f);
}

}  // namespace
}  // namespace ts
