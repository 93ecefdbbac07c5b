#include "layout/page_layout_settings.h"

#include <gtest/gtest.h>

namespace ts {
namespace {

TEST(LayoutSettingsFile, WhatIsWrittenReadsBackTheSame) {
  LayoutSettings s;
  s.americanRests = false;
  s.measureNumbers = true;
  s.firstMeasureNumber = 17;
  s.firstIndent = 15;
  s.otherIndent = 3;
  s.pageNumbersCentered = false;
  s.pageHeight = 24.5f;
  s.staffSize = 80;
  s.unit = LengthUnit::Centimeters;
  const LayoutSettingsRead read = readLayoutSettings(writeLayoutSettings(s));
  EXPECT_TRUE(read.problems.empty());
  EXPECT_EQ(writeLayoutSettings(read.settings), writeLayoutSettings(s));
  EXPECT_EQ(read.settings.unit, LengthUnit::Centimeters);
  EXPECT_FLOAT_EQ(read.settings.pageHeight, 24.5f);
}

TEST(LayoutSettingsFile, DamagedLinesKeepTheirSettingAndAreReported) {
  const LayoutSettings defaults;
  const LayoutSettingsRead read = readLayoutSettings(
      "STAFFSIZE 5000\nFIRSTINDENT -3\nPAGEHEIGHT nan\nUNIT furlongs\nCOLOUR 3\nFIRSTINDENT\n"
      "staffsize   75  \r\nWHOLERESTS e\n");
  EXPECT_EQ(read.problems.size(), 6u);
  EXPECT_EQ(read.settings.staffSize, 75);  // keys are read without regard to case
  EXPECT_EQ(read.settings.firstIndent, defaults.firstIndent);
  EXPECT_EQ(read.settings.pageHeight, defaults.pageHeight);
  EXPECT_FALSE(read.settings.americanRests);
}

TEST(LayoutSettingsDialog, AnswersAreTakenFieldByField) {
  LayoutSettings s;
  const std::vector<std::string> labels = layoutFieldLabels();
  ASSERT_EQ(labels.size(), layoutFieldValues(s).size());
  struct Answer {
    const char* label;
    const char* text;
    bool taken;
  } answers[] = {
      {"StaffSize", "120", true}, {"StaffSize", "12x", false}, {"Page Height", "0", false},
      {"Page Height", "250", true}, {"Inches, Centimeters or Points", "p", true}, {"Centered or At Sides", "a", true},
  };
  for (const Answer& a : answers) {
    const size_t index = std::find(labels.begin(), labels.end(), a.label) - labels.begin();
    EXPECT_EQ(takeLayoutField(s, index, a.text), a.taken) << a.label << " " << a.text;
  }
  EXPECT_EQ(s.staffSize, 120);
  EXPECT_FLOAT_EQ(s.pageHeight, 250.0f);
  EXPECT_EQ(s.unit, LengthUnit::Points);
  EXPECT_FALSE(s.pageNumbersCentered);
  EXPECT_FALSE(takeLayoutField(s, labels.size(), "1"));
}

}  // namespace
}  // namespace ts
