#include "engine/input_mode.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "engine/input_mode_messages.h"
#include "model/host_files.h"
#include "support/fake_host.h"

namespace ts {
namespace {

namespace text = input_mode_messages;

struct Fixture {
  testing::FakeHost host;
  NoHostFiles files;
  int waitLevel = 0;
  InputMode mode{host, files, waitLevel};
  PageStore page;
  Preferences preferences;
  int undoCopies = 0;

  Fixture() { page.append({{8, 1, 0, 0}, {}}); }

  InputReply run(std::initializer_list<const char*> answers) {
    for (const char* a : answers) host.answers.emplace_back(a);
    return mode.run(page, preferences, [](int, int) { return 0; }, [this] { ++undoCopies; });
  }
  bool shown(const std::string& line) const {
    return std::find(host.shown.begin(), host.shown.end(), line) != host.shown.end();
  }
  int count(int code) const {
    int n = 0;
    for (int k = 1; k <= page.itemCount(); ++k) n += page.code(k) == code;
    return n;
  }
};

TEST(InputMode, AStretchGoesThroughItsFivePromptsAndLeaves) {
  Fixture f;
  const InputReply reply = f.run({"1", "", "C/D/E/F;", "Q/Q/Q/Q", "S 1", "1 2", "3 4", "N", "X"});
  EXPECT_EQ(reply.message, text::kLeaving);
  EXPECT_TRUE(reply.changed);
  EXPECT_EQ(f.undoCopies, 1);
  const std::vector<std::string> expected = {text::kClickStaff, "Set Input Space for Staff   1", text::kRangePrompt,
                                             text::kNotesPrompt, "Type   4 Rhythms >", text::kMarksPrompt,
                                             text::kBeamsPrompt, text::kSlursPrompt,
                                             "Continue Input on Staff   2 ?", text::kEndMenu};
  EXPECT_EQ(f.host.shown, expected);
  EXPECT_EQ(f.count(kCodeNote), 4);
  EXPECT_EQ(f.count(kCodeBeam), 1);
  EXPECT_EQ(f.count(kCodeSlur), 1);
  EXPECT_EQ(f.count(kCodeLibrary), 1);
  EXPECT_EQ(f.waitLevel, 0);
}

TEST(InputMode, BeamGroupsCountFromTheFirstNoteWhateverTheTypedStart) {
  // "2B0": groups of two eighths from note 0, as good as from note 1.
  for (const char* beams : {"2B0", "2B1"}) {
    Fixture f;
    f.run({"1", "", "C/D/E/F;", "E/E/E/E", "", beams, "", "N", "X"});
    EXPECT_EQ(f.count(kCodeBeam), 2) << beams;
  }
}

TEST(InputMode, LinesThatCannotBeReadAreAskedAgain) {
  Fixture f;
  f.run({"1", "", "MIDI", "C/D/H", "C/D", "Q", "Q/Q", "", "", "", "N", "X"});
  EXPECT_TRUE(f.shown(text::kNoMidi));
  EXPECT_TRUE(f.shown("Mismatch --  1 rhythms,  2 needed."));
  EXPECT_TRUE(std::any_of(f.host.shown.begin(), f.host.shown.end(),
                          [](const std::string& s) { return s.rfind("*** Syntax Error ***  C/D/H;", 0) == 0; }));
  EXPECT_EQ(f.count(kCodeNote), 2);
}

TEST(InputMode, NoNotesPassOverTheRhythms) {
  Fixture f;
  f.run({"1", "", "TR/M", "", "", "", "N", "X"});
  EXPECT_TRUE(f.shown("*** No notes/rests given. ***"));
  EXPECT_FALSE(std::any_of(f.host.shown.begin(), f.host.shown.end(),
                           [](const std::string& s) { return s.find("Rhythms") != std::string::npos; }));
}

TEST(InputMode, CaretLeavesAtOnceAndXOrNoStaffChangeNothing) {
  Fixture f;
  EXPECT_EQ(f.run({"X"}).message, text::kLeaving);
  EXPECT_EQ(f.undoCopies, 0);
  const InputReply reply = f.run({"1", "", "C/D", "^"});
  EXPECT_EQ(reply.message, text::kLeaving);
  EXPECT_EQ(f.count(kCodeNote), 2);  // what the finished stage built stays
}

TEST(InputMode, AbandonGivesThePageBackAndEditRetypesTheStretch) {
  Fixture f;
  const InputReply abandoned = f.run({"1", "", "C/D", "Q/Q", "", "", "", "N", "A"});
  EXPECT_EQ(abandoned.message, text::kAbandoned);
  EXPECT_EQ(f.page.itemCount(), 1);
  EXPECT_FALSE(abandoned.changed);
  Fixture g;
  g.run({"1", "", "C/D", "Q/Q", "", "", "", "N", "E", "E/F/G", "Q/Q/Q", "", "", "", "X"});
  EXPECT_EQ(g.count(kCodeNote), 3);
  EXPECT_TRUE(g.shown("Stored: C/D"));
}

TEST(InputMode, ContinuingGoesToTheStaffAbove) {
  Fixture f;
  f.run({"1", "", "C", "Q", "", "", "", "Y", "10 100", "E", "H", "", "", "", "N", "X"});
  EXPECT_TRUE(f.shown("Set Input Space for Staff   2"));
  EXPECT_EQ(f.page.param(f.page.itemCount(), 2), 2.0f);
  EXPECT_FLOAT_EQ(f.page.param(f.page.itemCount(), 3), 10.0f);
}

}  // namespace
}  // namespace ts
