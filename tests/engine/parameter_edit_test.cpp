#include "engine/parameter_edit.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace ts {
namespace {

// A clef being edited: P1..P5 set, the rest 0.
WorkingRecord clef() {
  WorkingRecord record{};
  record[0] = 3;
  record[1] = 1;
  record[2] = 10;
  record[3] = 2;
  record[4] = 1;
  return record;
}

WorkingRecord edited(const std::vector<double>& numbers, WorkingRecord record = clef()) {
  std::string error;
  const std::vector<ParameterEdit> edits = readParameterEdits(numbers, error);
  EXPECT_EQ(error, "");
  applyParameterEdits(edits, record);
  return record;
}

TEST(ParameterEdit, SetAddAndCopy) {
  EXPECT_EQ(edited({5, .8})[4], 0.8f);
  WorkingRecord twice = edited({800, 1});
  twice = edited({800, 1}, twice);
  EXPECT_EQ(twice[7], 2.0f);
  EXPECT_EQ(edited({800, -1})[7], -1.0f);
  EXPECT_EQ(edited({900, .5})[8], 0.5f);
  EXPECT_EQ(edited({50000, 4})[4], 2.0f);  // P5 = P4
  const WorkingRecord cleared = edited({10, 7, 11, 8, 10, 0, 11, 0});
  EXPECT_EQ(cleared[9], 0.0f);
  EXPECT_EQ(cleared[10], 0.0f);
  EXPECT_EQ(edited({50, 3})[49], 3.0f);
  EXPECT_EQ(edited({5000, 3})[49], 3.0f);
  EXPECT_EQ(edited({500000, 1})[49], 3.0f);
}

TEST(ParameterEdit, PairsApplyFromLeftToRight) {
  // P4 takes P5 (1), then P5 takes the new P4 (1), then P5 grows by 1.
  const WorkingRecord record = edited({40000, 5, 50000, 4, 500, 1});
  EXPECT_EQ(record[3], 1.0f);
  EXPECT_EQ(record[4], 2.0f);
}

TEST(ParameterEdit, BadLinesAreRefusedWhole) {
  const std::vector<std::vector<double>> lines = {
      {5},          {5, 1, 6},   {0, 1},        {51, 1},      {99, 1},       {5.5, 1},     {-5, 1},
      {150, 1},     {5100, 1},   {10050, 1},    {510000, 1},  {50000, 0},    {50000, 51},  {50000, 4.5},
      {5, 1, 150, 2}, {1e20, 1}, {-1e20, 1},    {3e37, 1},    {1e15, 1},
  };
  for (const std::vector<double>& numbers : lines) {
    std::string error;
    const std::vector<ParameterEdit> edits = readParameterEdits(numbers, error);
    EXPECT_NE(error, "") << numbers.front() << " (" << numbers.size() << " numbers)";
    EXPECT_TRUE(edits.empty()) << numbers.front();
  }
  std::string error;
  EXPECT_TRUE(readParameterEdits({}, error).empty());
  EXPECT_EQ(error, "");
}

}  // namespace
}  // namespace ts
