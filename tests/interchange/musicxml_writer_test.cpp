#include "interchange/musicxml_writer.h"

#include <gtest/gtest.h>

namespace ts::interchange {
namespace {

TEST(MusicXmlWriter, WrittenValuesOfDurations) {
  struct Case {
    Rational duration;
    int dots;
    const char* type;
    int actual, normal;
  };
  const Case cases[] = {
      {Rational::of(1, 1), 0, "quarter", 0, 0},   {Rational::of(3, 2), 1, "quarter", 0, 0},
      {Rational::of(7, 4), 2, "quarter", 0, 0},   {Rational::of(8, 1), 0, "breve", 0, 0},
      {Rational::of(1, 3), 0, "eighth", 3, 2},    {Rational::of(1, 5), 0, "16th", 5, 4},
      {Rational::of(2, 3), 0, "quarter", 3, 2},   {Rational::of(1, 16), 0, "64th", 0, 0},
      {Rational::of(4, 1), 0, "whole", 0, 0},     {Rational::of(0, 1), 0, "", 0, 0},
  };
  for (const Case& c : cases) {
    const WrittenValue value = writtenValue(c.duration, c.dots);
    EXPECT_STREQ(typeName(value.noteValue), c.type) << c.duration.num << "/" << c.duration.den;
    EXPECT_EQ(value.actual, c.actual);
    EXPECT_EQ(value.normal, c.normal);
  }
}

TEST(MusicXmlWriter, VoicesFollowEachOtherWithBackups) {
  Score score;
  Part part;
  part.id = "P1";
  part.staves = 2;
  Measure measure;
  measure.number = "1";
  for (const auto& [staff, voice, offset] : {std::tuple{1, 1, 0}, {1, 1, 1}, {2, 5, 1}}) {
    Note note;
    note.staff = staff;
    note.voice = voice;
    note.offset = Rational::of(offset, 1);
    note.duration = Rational::of(1, 1);
    measure.notes.push_back(note);
  }
  part.measures.push_back(measure);
  score.parts.push_back(part);
  const std::string text = writeMusicXml(score);
  // Voice 5 starts a beat in: back to the start, then forward one beat.
  const size_t backup = text.find("<backup>");
  const size_t forward = text.find("<forward>");
  ASSERT_NE(backup, std::string::npos);
  ASSERT_NE(forward, std::string::npos);
  EXPECT_LT(backup, forward);
  EXPECT_NE(text.find("<divisions>1</divisions>"), std::string::npos);
  EXPECT_NE(text.find("<staves>2</staves>"), std::string::npos);
}

}  // namespace
}  // namespace ts::interchange
