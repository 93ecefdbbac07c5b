#include "engine/transpose_command.h"

#include <gtest/gtest.h>

#include "engine/command_line.h"
#include "model/page_store.h"
#include "model/preferences.h"
#include "support/fake_host.h"
#include "support/page_items.h"

namespace ts {
namespace {

using testing::addItem;
namespace msg = transposition_messages;

TEST(TransposeAnswers, AmountsYesNoAndClefs) {
  EXPECT_EQ(amountOfAnswer("2"), 2);
  EXPECT_EQ(amountOfAnswer(" -12 "), -12);
  EXPECT_EQ(amountOfAnswer("99"), 99);
  EXPECT_EQ(amountOfAnswer("2.5"), std::nullopt);
  EXPECT_EQ(amountOfAnswer("100"), std::nullopt);
  EXPECT_EQ(amountOfAnswer("x"), std::nullopt);
  EXPECT_EQ(yesOfAnswer("y"), true);
  EXPECT_EQ(yesOfAnswer(" No"), false);
  EXPECT_EQ(yesOfAnswer("maybe"), std::nullopt);
  EXPECT_EQ(clefOfAnswer("No Clef Change"), ClefChoice::None);
  EXPECT_EQ(clefOfAnswer("b"), ClefChoice::Bass);
  EXPECT_EQ(clefOfAnswer("TENOR"), ClefChoice::Tenor);
  EXPECT_EQ(clefOfAnswer("t"), ClefChoice::Treble);
  EXPECT_EQ(clefOfAnswer(""), std::nullopt);
  EXPECT_EQ(clefOfAnswer("soprano"), std::nullopt);
}

TEST(TransposeAnswers, AnAreaGivesStavesAndTheWholeWidthWithoutARight) {
  const TransposeRange whole = rangeOfArea(GroupArea{2, 30, 0, 4, {}});
  EXPECT_EQ(whole.firstStaff, 2);
  EXPECT_EQ(whole.lastStaff, 4);
  EXPECT_FLOAT_EQ(whole.left, 30);
  EXPECT_FLOAT_EQ(whole.right, 200);
  const TransposeRange turned = rangeOfArea(GroupArea{3, 90, 10, 0, {}});
  EXPECT_EQ(turned.lastStaff, 3);
  EXPECT_FLOAT_EQ(turned.left, 10);
  EXPECT_FLOAT_EQ(turned.right, 90);
}

TEST(TransposeWords, TheToolBarWordsNeedTheirNumbers) {
  const struct {
    const char* line;
    bool transposes;
  } cases[] = {{"TR", true},   {"TRP2", true},   {"TRM12", true}, {"TRP", false},  {"TRI", true},
               {"TRILL", false}, {"ENH+1", true}, {"ENH-1", true}, {"ENH", false}, {"ENH+2", false},
               {"TRS", false}};
  for (const auto& c : cases) EXPECT_EQ(TransposeCommand::isTransposeWord(splitCommandLine(c.line)), c.transposes) << c.line;
}

// Answers the setup's fields with one line, "|" between the fields.
struct SetupHost : testing::FakeHost {
  std::optional<std::vector<std::string>> askFields(std::string_view title,
                                                    const std::vector<DialogField>& fields) override {
    shown.emplace_back(title);
    defaults.clear();
    for (const DialogField& field : fields) defaults.push_back(field.value);
    if (fieldAnswers.empty()) return std::nullopt;
    return fieldAnswers;
  }
  std::vector<std::string> fieldAnswers;
  std::vector<std::string> defaults;
};

struct TransposeFixture : ::testing::Test {
  PageStore page;
  Preferences preferences;
  SetupHost host;
  int waitLevel = 0;
  int undoCopies = 0;
  TransposeContext context{page, preferences, host, waitLevel, [this] { ++undoCopies; }};
  TransposeCommand command;
  int note = 0;

  void SetUp() override {
    addItem(page, {8, 1, 0, 0});
    addItem(page, {3, 1, 2, 0, 0});
    note = addItem(page, {1, 1, 20, 8, 20, 0, 1});
    addItem(page, {1, 1, 120, 8, 20, 0, 1});
  }
  TransposeReply send(const char* line) {
    const std::vector<double> area = command.begin(splitCommandLine(line));
    EXPECT_TRUE(area.empty());
    return command.run(GroupArea{1, 0, 0, 1, {}}, context);
  }
};

TEST_F(TransposeFixture, AToolBarWordTransposesAtOnceAsOneUndoableStep) {
  const TransposeReply reply = send("TRP2");
  EXPECT_TRUE(reply.changed);
  EXPECT_FALSE(reply.failed);
  EXPECT_EQ(undoCopies, 1);
  EXPECT_EQ(page.param(note, 4), 9.0f);
  EXPECT_TRUE(host.shown.empty());
  send("TRM2");
  EXPECT_EQ(page.param(note, 4), 8.0f);
}

TEST_F(TransposeFixture, ARefusalKeepsThePageAndTheUndoCopy) {
  addItem(page, {2, 1, 60, 0, 1});
  const int before = page.itemCount();
  const TransposeReply reply = send("TRP2");
  EXPECT_TRUE(reply.failed);
  EXPECT_EQ(reply.message, std::string(msg::kMissingRhythm) + "   5");
  EXPECT_EQ(undoCopies, 0);
  EXPECT_EQ(page.param(note, 4), 8.0f);
  EXPECT_EQ(page.itemCount(), before);
}

TEST_F(TransposeFixture, TheSetupTakesItsAnswersAndOffersThemNextTime) {
  host.fieldAnswers = {"-3", "Bass", "N", "Y", "Y"};
  const TransposeReply reply = send("TR");
  EXPECT_TRUE(reply.changed);
  EXPECT_EQ(host.shown.front(), transpose_messages::kSetupTitle);
  EXPECT_EQ(page.param(2, 5), 1.0f);          // now a bass clef
  EXPECT_EQ(page.param(note, 4), 8.0f + 12.0f - 2.0f);  // A4 in the bass clef
  host.fieldAnswers.clear();
  send("TR");
  EXPECT_EQ(host.defaults, (std::vector<std::string>{"-3", "Bass", "N", "Y", "Y"}));
}

TEST_F(TransposeFixture, ACancelledOrMisreadSetupChangesNothing) {
  EXPECT_FALSE(send("TR").changed);
  host.fieldAnswers = {"2", "No Clef Change", "perhaps", "N", "Y"};
  const TransposeReply reply = send("TR");
  EXPECT_TRUE(reply.failed);
  EXPECT_EQ(reply.message, std::string(transpose_messages::kNotYesNo) + "perhaps");
  EXPECT_EQ(page.param(note, 4), 8.0f);
  EXPECT_EQ(undoCopies, 0);
}

TEST_F(TransposeFixture, TheInstrumentKeysAndTheEnharmonicWords) {
  host.answers = {"6"};  // "Bb  (+2 Clar., Trpt.)"
  send("TRI");
  EXPECT_EQ(host.shown.back(), transpose_messages::kInstrumentTitle);
  EXPECT_EQ(page.param(note, 4), 9.0f);
  ASSERT_EQ(page.code(page.itemCount()), kCodeKeySignature);  // the setup adds keys unless told not to
  EXPECT_EQ(page.param(page.itemCount(), 5), 2.0f);
  EXPECT_EQ(send("ENH+1").message, msg::kKeySignatureInRange);
}

TEST_F(TransposeFixture, EnharmonicUpSpellsASharpAsTheFlatAbove) {
  page.setParam(note, 5, 22.0f);  // C sharp
  EXPECT_TRUE(send("ENH+1").changed);
  EXPECT_EQ(page.param(note, 4), 9.0f);
  EXPECT_EQ(page.param(note, 5), 21.0f);
  EXPECT_EQ(send("ENH+1").message, msg::kNoEnharmonicChanges);
  EXPECT_TRUE(send("ENH-1").changed);
  EXPECT_EQ(page.param(note, 5), 22.0f);
}

TEST_F(TransposeFixture, TheStavesOfTheRangeAreJustifiedTogether) {
  addItem(page, {8, 2, 0, 0});
  addItem(page, {3, 2, 2, 0, 0});
  const int lower = addItem(page, {1, 2, 20, 8, 20, 0, 1});
  host.fieldAnswers = {"1", "No Clef Change", "Y", "N", "Y"};
  command.begin(splitCommandLine("TR"));
  const TransposeReply reply = command.run(GroupArea{1, 0, 0, 2, {}}, context);
  EXPECT_TRUE(reply.changed);
  // Five flats need more room than the clef left the notes: they moved, together.
  EXPECT_GT(page.param(note, 3), 20.0f);
  EXPECT_FLOAT_EQ(page.param(lower, 3), page.param(note, 3));
}

}  // namespace
}  // namespace ts
