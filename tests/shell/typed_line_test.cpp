#include "shell/typed_line.h"

#include <gtest/gtest.h>

namespace ts::shell {
namespace {

using Capture = TypedLineRule::Capture;

TEST(TypedLineRule, LeadLetterDecidesCapture) {
  struct Case {
    const char* line;
    Capture capture;
  } cases[] = {
      {"X", Capture::Off},           {"x", Capture::Off},
      {"  12 x", Capture::Off},      // blanks and digits before the lead letter are skipped
      {"IN", Capture::OnWithViewFocus}, {"i 5", Capture::OnWithViewFocus},
      {"ED", Capture::OnWithViewFocus}, {"st", Capture::OnWithViewFocus},
      {"E", Capture::Unchanged},     {"SM", Capture::Unchanged},
      {"TREB", Capture::Unchanged},  {"5 .8", Capture::Unchanged},
      {"", Capture::Unchanged},
  };
  for (const Case& c : cases) EXPECT_EQ(typedLineRule(c.line).capture, c.capture) << '"' << c.line << '"';
}

TEST(TypedLineRule, CaretSAsksForTheServerRefresh) {
  EXPECT_TRUE(typedLineRule("^S").refreshesServer);
  EXPECT_TRUE(typedLineRule(" ^s").refreshesServer);
  EXPECT_FALSE(typedLineRule("^X").refreshesServer);
  EXPECT_FALSE(typedLineRule("S^").refreshesServer);
}

TEST(CompletedLine, TakesTheLastLineWhenEnterEndedIt) {
  EXPECT_EQ(completedLine("TREB\n", true), "TREB");
  EXPECT_EQ(completedLine("TREB\nU10\n", true), "U10");
  EXPECT_EQ(completedLine("TREB\n\n", true), "");
  EXPECT_FALSE(completedLine("TREB\n", false));
  EXPECT_FALSE(completedLine("TREB", true));
}

}  // namespace
}  // namespace ts::shell
