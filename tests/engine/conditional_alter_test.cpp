#include "engine/conditional_alter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <string>
#include <vector>

namespace ts {
namespace {

namespace msg = if_messages;

ConditionalAlter compile(std::string_view line) {
  auto result = parseConditionalAlter(line);
  if (auto* error = std::get_if<std::string>(&result)) {
    ADD_FAILURE() << line << " -> " << *error;
    return {};
  }
  return std::get<ConditionalAlter>(result);
}

std::string errorOf(std::string_view line) {
  auto result = parseConditionalAlter(line);
  auto* error = std::get_if<std::string>(&result);
  return error ? *error : std::string("(parsed)");
}

TEST(ConditionalAlterNormalise, FollowsTheCharacterRules) {
  struct Case {
    std::string_view line, expected;
  } cases[] = {
      {"IF P2=1 and P1=1", "IFP2=1andP1=1"},
      {"if p3>=10 \\ p3<=20 ; p4=p4+2", "ifp3}10ANDp3{20THENp4=p4+2"},
      {"P1<>2", "P1~2"},
      {"P1 > = 2\t<  =", "P1}2{"},  // blanks go before the pairs are read
      {"<>=", "~="},
      {"<<=", "<{"},
      {"IF \"a ; b>=\" x", "IF\"a ; b>=\"x"},  // quoted text copied unchanged
      {"\"open ;", "\"open ;"},
  };
  for (const Case& c : cases) EXPECT_EQ(normaliseConditionalLine(c.line), c.expected) << c.line;
}

TEST(ConditionalAlterHelpers, StoredFloatAndRemainder) {
  EXPECT_EQ(toStoredFloat(0.1), 0.1f);
  EXPECT_EQ(toStoredFloat(-3.0e38), -3.0e38f);
  EXPECT_EQ(toStoredFloat(1.0e39), std::nullopt);
  EXPECT_EQ(toStoredFloat(std::nan("")), std::nullopt);
  struct Case {
    double a, b, expected;
  } cases[] = {{30, 10, 0}, {25, 10, 5}, {-7, 3, -1}, {7, -3, 1}, {7.5, 2, 1.5}};
  for (const Case& c : cases)
    EXPECT_EQ(truncatedRemainder(c.a, c.b), c.expected) << c.a << " " << c.b;
  EXPECT_EQ(truncatedRemainder(5, 0), std::nullopt);
}

TEST(ConditionalAlterCondition, PrecedenceFunctionsAndComparisons) {
  struct Case {
    std::string_view condition;
    std::vector<float> params;
    bool holds;
  } cases[] = {
      {"P1=1 OR P1=2 AND P2=5", {1, 0}, true},  // AND binds tighter
      {"(P1=1 OR P1=2) AND P2=5", {1, 0}, false},
      {"P1+2*3=7", {1}, true},
      {"(P1+2)*3=9", {1}, true},
      {"-P1*2=-4", {2}, true},
      {"P1-P2-P3=5", {10, 3, 2}, true},
      {"P1/P2/P3=2", {8, 2, 2}, true},
      {"--P1=P1", {4}, true},
      {"MOD(P3,10)=0", {1, 1, 30}, true},
      {"MOD(P3,10)=0", {1, 1, 25}, false},
      {"mod(-7,3)=-1", {}, true},
      {"ABS(-3)=3 AND INT(-2.7)=-2 AND INT(2.7)=2", {}, true},
      {"NOT P1=1", {1}, false},
      {"NOT P1=1 AND P2=1", {2, 1}, true},
      {"P1~2 and P1<3 and P1>0 and P1{1 and P1}1", {1}, true},
      {"P1<>1", {1}, false},
      {"P7=0", {5, 5, 5}, true},  // unstored parameters read 0
      {"P1=0.1", {0.1f}, true},   // equality on float32 as stored
      {"P1=.5 and P2=1e3", {0.5f, 1000}, true},
      {"p6<0", {1, 1, 1, 1, 1, -1}, true},
      {"((P1=1))", {1}, true},
  };
  for (const Case& c : cases) {
    const std::string line = "IF " + std::string(c.condition) + " THEN P5=1";
    EXPECT_EQ(conditionHolds(compile(line), c.params), c.holds) << line;
  }
}

TEST(ConditionalAlterLines, TypedExamplesSelectAndAlter) {
  const ConditionalAlter menu = compile("IF P2=1 and P1=1 and p6<0 then P20=1");
  std::vector<float> note{1, 1, 50, 0, 0, -1};
  EXPECT_TRUE(alterIfConditionHolds(menu, note));
  ASSERT_EQ(note.size(), 20u);
  EXPECT_EQ(note[19], 1.0f);
  std::vector<float> other{1, 2, 50, 0, 0, -1};
  EXPECT_FALSE(alterIfConditionHolds(menu, other));
  EXPECT_EQ(other.size(), 6u);

  const ConditionalAlter range = compile("if p3>=10 \\ p3<=20 ; p4=p4+2, p11=-99");
  std::vector<float> inside{1, 1, 20, 3};
  EXPECT_TRUE(alterIfConditionHolds(range, inside));
  EXPECT_EQ(inside[3], 5.0f);
  EXPECT_EQ(inside[10], -99.0f);
  std::vector<float> outside{1, 1, 21, 3};
  EXPECT_FALSE(alterIfConditionHolds(range, outside));

  const ConditionalAlter grouped = compile("IF (P1=1 OR P1=2) AND MOD(P3,10)=0 THEN P5=P5*2");
  std::vector<float> rest{2, 1, 40, 0, 3};
  EXPECT_TRUE(alterIfConditionHolds(grouped, rest));
  EXPECT_EQ(rest[4], 6.0f);
}

TEST(ConditionalAlterAssignments, ReadTheItemAsItWasBeforeTheLine) {
  std::vector<float> item{1, 1, 10, 4, 5};
  applyAssignments(compile("IF P1=1 THEN P4=P5, P5=P4"), item);
  EXPECT_EQ(item[3], 5.0f);
  EXPECT_EQ(item[4], 4.0f);
  applyAssignments(compile("IF P1=1 THEN P5=1, P5=2, P1=7"), item);
  EXPECT_EQ(item[4], 2.0f);
  EXPECT_EQ(item[0], 7.0f);  // the code may change
  applyAssignments(compile("IF P1=7 THEN P50=0.1"), item);
  ASSERT_EQ(item.size(), 50u);
  EXPECT_EQ(item[49], 0.1f);
}

TEST(ConditionalAlterUndefined, DivisionByZeroIsUnknownNeverACrash) {
  struct Case {
    std::string_view condition;
    bool holds;
  } cases[] = {
      {"P1/P2=0", false},
      {"NOT P1/P2>1", false},               // NOT unknown stays unknown
      {"MOD(P1,P2)=0 OR P1=1", true},      // true OR unknown
      {"MOD(P1,P2)=0 AND P1=2", false},    // false AND unknown
      {"NOT (P1/P2=0 AND P1=2)", true},
      {"NOT (P1/P2=0 OR P1=2)", false},
      {"P3*1e30*1e30=0 OR P1=2", false},  // beyond float32
  };
  const std::vector<float> zero{1, 0, 10};
  for (const Case& c : cases) {
    const std::string line = "IF " + std::string(c.condition) + " THEN P5=1";
    EXPECT_EQ(conditionHolds(compile(line), zero), c.holds) << line;
  }

  std::vector<float> item{1, 0, 10, 4};
  applyAssignments(compile("IF P1=1 THEN P4=P3/P2, P3=P3*1e38, P9=MOD(P3,P2), P1=2"), item);
  EXPECT_EQ(item, (std::vector<float>{2, 0, 10, 4}));  // only the defined one applied

  std::vector<float> damaged{1, std::numeric_limits<float>::quiet_NaN()};
  EXPECT_FALSE(conditionHolds(compile("IF P2~0 AND P1=1 THEN P5=1"), damaged));
  EXPECT_TRUE(conditionHolds(compile("IF P2~0 OR P1=1 THEN P5=1"), damaged));
}

TEST(ConditionalAlterErrors, MalformedLinesGiveTheirMessage) {
  struct Case {
    std::string_view line, stem;
  } cases[] = {
      {"", msg::kNotIfLine},
      {"P1=1 THEN P5=1", msg::kNotIfLine},
      {"\"IF\" P1=1 THEN P5=1", msg::kNotIfLine},
      {"IF", msg::kConditionMissing},
      {"IF THEN P5=1", msg::kConditionMissing},
      {"IF ; P5=1", msg::kConditionMissing},
      {"IF P1=1", msg::kExpectedThen},
      {"IF P1=1 P5=1", msg::kExpectedThen},
      {"IF P1=1 THEN", msg::kExpectedAssignment},
      {"IF P1=1 THEN 5=1", msg::kExpectedAssignment},
      {"IF P1=1 THEN P5=1,", msg::kExpectedAssignment},
      {"IF P1=1 THEN P5", msg::kExpectedEquals},
      {"IF P1=1 THEN P5=", msg::kExpectedValue},
      {"IF P1==1 THEN P5=1", msg::kExpectedValue},
      {"IF P2=     and P1=1 and p6<0 then P20=1", msg::kExpectedValue},  // staff not filled in
      {"IF P1=1 THEN P0=1", msg::kBadParameter},
      {"IF P1=1 THEN P51=1", msg::kBadParameter},
      {"IF P99999999999999=1 THEN P5=1", msg::kBadParameter},
      {"IF P1 THEN P5=1", msg::kExpectedComparison},
      {"IF P1=1 AND P2 THEN P5=1", msg::kExpectedComparison},
      {"IF NOT P2 THEN P5=1", msg::kExpectedComparison},
      {"IF (P1=1)+1=2 THEN P5=1", msg::kConditionAsValue},
      {"IF P1=1 THEN P5=P1>2", msg::kConditionAsValue},
      {"IF (P1=1 THEN P5=1", msg::kExpectedCloseParen},
      {"IF ABS(P1 THEN P5=1", msg::kExpectedCloseParen},
      {"IF MOD P1,2)=0 THEN P5=1", msg::kExpectedOpenParen},
      {"IF MOD(P1)=0 THEN P5=1", msg::kExpectedComma},
      {"IF P1=1 THEN P5=1 P6=2", msg::kExpectedEnd},
      {"IF P1=1 ; P5=1 ; P6=2", msg::kExpectedEnd},
      {"IF P1=1e99 THEN P5=1", msg::kBadNumber},
      {"IF P1=\"x\" THEN P5=1", msg::kQuotedText},
      {"IF P1=1 THEN P5=1#", msg::kUnexpectedCharacter},
      {"IF P1=1 THEN P5=1@", msg::kUnexpectedCharacter},
      {"IF X=1 THEN P5=1", msg::kUnexpectedCharacter},
  };
  for (const Case& c : cases) {
    std::string error;
    EXPECT_NO_THROW(error = errorOf(c.line)) << c.line;
    EXPECT_TRUE(error.starts_with(c.stem)) << c.line << " -> " << error;
  }
}

TEST(ConditionalAlterErrors, PointAtTheColumnAsTyped) {
  EXPECT_EQ(errorOf("IF P1=1 THEN P0=1"), std::string(msg::kBadParameter) + " at column 14");
  EXPECT_EQ(errorOf("IF P1 ; P5=1"), std::string(msg::kExpectedComparison) + " at column 7");
  EXPECT_EQ(errorOf("IF P1=1"), std::string(msg::kExpectedThen) + " at column 8");
}

TEST(ConditionalAlterHostile, LimitsHold) {
  EXPECT_EQ(errorOf("IF P1=1 THEN P5=1" + std::string(kIfMaxLineLength, ' ')), msg::kLineTooLong);
  const auto nested = [](int depth, std::string_view open, std::string_view close) {
    std::string line = "IF ";
    for (int k = 0; k < depth; ++k) line += open;
    line += "P1=1";
    for (int k = 0; k < depth; ++k) line += close;
    return line + " THEN P5=1";
  };
  EXPECT_TRUE(conditionHolds(compile(nested(kIfMaxNesting, "(", ")")), std::vector<float>{1}));
  EXPECT_TRUE(errorOf(nested(kIfMaxNesting + 1, "(", ")")).starts_with(msg::kTooDeep));
  EXPECT_TRUE(errorOf(nested(kIfMaxNesting + 1, "NOT ", "")).starts_with(msg::kTooDeep));
  const std::string signs(200, '-');
  EXPECT_TRUE(errorOf("IF P1=" + signs + "1 THEN P5=1").starts_with(msg::kTooDeep));
  EXPECT_TRUE(errorOf("IF " + std::string(500, '(')).starts_with(msg::kTooDeep));
}

// Random bytes, random runs of the language's own words, and valid lines with
// a few characters changed: every line either compiles to something that runs
// or is refused with a message.
std::string randomLine(std::mt19937& random, int round) {
  static const std::vector<std::string> words = {
      "IF", "P1", "P7", "P50", "(", ")", "=", "<>", ">=", "<", ">", "<=", "AND", "OR", "NOT",
      "THEN", ";", "\\", ",", "+", "-", "*", "/", "MOD(", "ABS(", "INT(", "0", ".5", "1e3", "\"",
  };
  static const std::string valid =
      "IF (P1=1 OR P1=2) AND MOD(P3,10)=0 THEN P5=-P5*2/P4, P7=ABS(P6)";
  std::string line = "IF ";
  const int length = static_cast<int>(random() % 80);
  switch (round % 3) {
    case 0:
      for (int k = 0; k < length; ++k) line += static_cast<char>(random() % 256);
      return line;
    case 1:
      for (int k = 0; k < length; ++k) line += words[random() % words.size()];
      return line;
    default:
      line = valid;
      for (int k = 0; k < 1 + length % 3; ++k)
        line[random() % line.size()] = valid[random() % valid.size()];
      return line;
  }
}

TEST(ConditionalAlterHostile, RandomLinesNeverCrash) {
  std::mt19937 random(20240521);
  int compiled = 0;
  for (int round = 0; round < 6000; ++round) {
    const std::string line = randomLine(random, round);
    std::variant<ConditionalAlter, std::string> result;
    ASSERT_NO_THROW(result = parseConditionalAlter(line));
    if (auto* error = std::get_if<std::string>(&result)) {
      EXPECT_TRUE(error->starts_with("*** IF: ")) << *error;
      continue;
    }
    ++compiled;
    std::vector<float> item{1, 0, 30, 0, 1, -2};
    alterIfConditionHolds(std::get<ConditionalAlter>(result), item);
    EXPECT_LE(item.size(), static_cast<std::size_t>(kIfHighestParameter));
  }
  EXPECT_GT(compiled, 100);  // the mutated lines do reach the evaluator
}

}  // namespace
}  // namespace ts
