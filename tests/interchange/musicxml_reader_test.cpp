#include "interchange/musicxml_reader.h"

#include <gtest/gtest.h>

#include "interchange/interchange_messages.h"

namespace ts::interchange {
namespace {

std::string scoreWith(const std::string& measures, const std::string& divisions = "<divisions>2</divisions>") {
  return "<score-partwise version='4.0'><part-list><score-part id='P1'><part-name>One</part-name></score-part>"
         "</part-list><part id='P1'><measure number='1'><attributes>" + divisions +
         "</attributes>" + measures + "</measure></part></score-partwise>";
}

std::string note(const std::string& inside) { return "<note>" + inside + "</note>"; }
const std::string kC4 = "<pitch><step>C</step><octave>4</octave></pitch>";

ReadOutcome read(const std::string& text) {
  UnmappedLog unmapped;
  return readMusicXml(text, unmapped);
}

TEST(MusicXmlReader, HostileFilesAreRefusedWithAReason) {
  std::string billionLaughs = "<?xml version='1.0'?><!DOCTYPE lolz [<!ENTITY lol 'lol'>";
  for (int i = 1; i < 10; ++i)
    billionLaughs += "<!ENTITY lol" + std::to_string(i) + " '" + std::string(10, '&') + "lol" + std::to_string(i - 1) + ";'>";
  billionLaughs += "]><score-partwise><work><work-title>&lol9;</work-title></work></score-partwise>";
  std::string deep = "<score-partwise>";
  for (int i = 0; i < 100000; ++i) deep += "<a>";
  struct Case {
    std::string text;
    std::string error;
  };
  const Case cases[] = {
      {"<score-partwise><part></score-partwise>", messages::kNotXml},
      {scoreWith(note(kC4)).substr(0, 120), messages::kNotXml},
      {deep, messages::kNotXml},
      {billionLaughs, messages::kNoParts},
      {"<score-timewise/>", messages::kTimewise},
      {"<opus/>", messages::kNotPartwise},
      {scoreWith(note(kC4 + "<duration>1</duration>"), "<divisions>0</divisions>"), std::string(messages::kBadDivisions) + "1"},
      {scoreWith(note(kC4 + "<duration>1</duration>"), "<divisions>2000000</divisions>"), std::string(messages::kBadDivisions) + "1"},
      {scoreWith(note(kC4 + "<duration>1e300</duration>")), std::string(messages::kBadDuration) + "1"},
      {scoreWith(note(kC4 + "<duration>-4</duration>")), std::string(messages::kBadDuration) + "1"},
      {scoreWith(note(kC4 + "<duration>nan</duration>")), std::string(messages::kBadDuration) + "1"},
      {scoreWith(note(kC4 + "<duration>1</duration>"), ""), std::string(messages::kNoDivisions) + "1"},
      {scoreWith(std::string("<forward><duration>100</duration></forward>") + "<forward><duration>100</duration></forward>" +
                 "<forward><duration>100</duration></forward><forward><duration>100</duration></forward>" +
                 "<forward><duration>100</duration></forward><forward><duration>100</duration></forward>"),
       std::string(messages::kMeasureTooLong) + "1"},
      {scoreWith(note("<pitch><step>H</step><octave>4</octave></pitch><duration>1</duration>")), std::string(messages::kBadPitch) + "1"},
      {scoreWith(note(kC4 + "<duration>1</duration><time-modification><actual-notes>0</actual-notes><normal-notes>2</normal-notes></time-modification>")),
       std::string(messages::kBadTuplet) + "1"},
      {scoreWith("<attributes><staves>99</staves></attributes>"), messages::kBadStaves},
      {std::string(kMaxFileBytes + 1, ' '), messages::kTooLarge},
  };
  for (const Case& c : cases) {
    const ReadOutcome outcome = read(c.text);
    EXPECT_FALSE(outcome.score) << c.error;
    EXPECT_EQ(outcome.error.substr(0, c.error.size()), c.error) << outcome.error;
  }
}

TEST(MusicXmlReader, EntitiesOfADocumentTypeAreNeverExpanded) {
  const std::string text = "<!DOCTYPE s [<!ENTITY big 'xxxxxxxxxx'>]><score-partwise><work><work-title>&big;</work-title>"
                           "</work><part-list><score-part id='P1'/></part-list><part id='P1'/></score-partwise>";
  const ReadOutcome outcome = read(text);
  ASSERT_TRUE(outcome.score) << outcome.error;
  EXPECT_EQ(outcome.score->title.find("xxxxxxxxxx"), std::string::npos);
}

TEST(MusicXmlReader, TooManyPartsAndMeasuresAreRefused) {
  std::string parts = "<score-partwise><part-list/>";
  for (int i = 0; i < 65; ++i) parts += "<part id='P'/>";
  EXPECT_EQ(read(parts + "</score-partwise>").error, messages::kTooManyParts);
  std::string measures;
  for (int i = 0; i < 5001; ++i) measures += "</measure><measure>";
  EXPECT_EQ(read(scoreWith(measures)).error, messages::kTooManyMeasures);
}

TEST(MusicXmlReader, TimesFollowBackupForwardAndChords) {
  const std::string measure = note(kC4 + "<duration>2</duration><voice>1</voice>") +
                              note("<chord/>" + kC4 + "<duration>2</duration><voice>1</voice>") +
                              note(kC4 + "<duration>1</duration><voice>1</voice>") +
                              "<backup><duration>9</duration></backup>" +  // past the start: the start
                              "<forward><duration>1</duration></forward>" +
                              note("<rest/><duration>3</duration><voice>2</voice><dot/>") +
                              note("<grace/>" + kC4 + "<voice>2</voice>");
  const ReadOutcome outcome = read(scoreWith(measure));
  ASSERT_TRUE(outcome.score) << outcome.error;
  const Measure& m = outcome.score->parts[0].measures[0];
  ASSERT_EQ(m.notes.size(), 5u);
  const std::pair<Rational, Rational> expected[] = {
      {Rational::of(0, 1), Rational::of(1, 1)}, {Rational::of(0, 1), Rational::of(1, 1)},
      {Rational::of(1, 1), Rational::of(1, 2)}, {Rational::of(1, 2), Rational::of(3, 2)},
      {Rational::of(2, 1), Rational::of(0, 1)},
  };
  for (size_t i = 0; i < m.notes.size(); ++i) {
    EXPECT_EQ(m.notes[i].offset, expected[i].first) << i;
    EXPECT_EQ(m.notes[i].duration, expected[i].second) << i;
  }
  EXPECT_TRUE(m.notes[1].chord);
  EXPECT_EQ(m.notes[3].dots, 1);
  EXPECT_TRUE(m.notes[4].grace);
  EXPECT_EQ(m.length, Rational::of(2, 1));
}

TEST(MusicXmlReader, PitchesTypesAndMarks) {
  const std::string measure =
      note("<pitch><step>B</step><alter>-1</alter><octave>3</octave></pitch><duration>1</duration><type>eighth</type>"
           "<accidental>flat</accidental><tie type='start'/><beam number='1'>begin</beam>"
           "<notations><slur type='start'/><articulations><staccato/></articulations></notations><lyric><text>la</text></lyric>") +
      note("<pitch><step>F</step><alter>0.5</alter><octave>4</octave></pitch><duration>1</duration><type>breve</type>");
  UnmappedLog unmapped;
  const ReadOutcome outcome = readMusicXml(scoreWith(measure), unmapped);
  ASSERT_TRUE(outcome.score) << outcome.error;
  const Note& first = outcome.score->parts[0].measures[0].notes[0];
  EXPECT_EQ(first.pitch, (Pitch{6, -1, 3}));
  EXPECT_EQ(first.noteValue, 8);
  EXPECT_EQ(first.shownAccidental, -1);
  EXPECT_TRUE(first.tieStart);
  EXPECT_EQ(first.beam, BeamMark::Begin);
  EXPECT_EQ(first.slurStarts, 1);
  EXPECT_EQ(first.articulations, std::vector<std::string>{"staccato"});
  EXPECT_EQ(first.lyric, "la");
  const Note& second = outcome.score->parts[0].measures[0].notes[1];
  EXPECT_EQ(second.pitch.alter, 1);  // a quarter tone sharp rounds to a sharp, and is said
  EXPECT_EQ(second.noteValue, -2);
  ASSERT_EQ(unmapped.messages().size(), 1u);
  EXPECT_NE(unmapped.messages()[0].find("microtones"), std::string::npos);
}

}  // namespace
}  // namespace ts::interchange
