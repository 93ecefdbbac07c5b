// Import, export and import again: the notes (pitch, duration, voice on
// their staff, staff) come back as the file had them.

#include "interchange/musicxml_interchange.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <tuple>

#include "interchange/musicxml_reader.h"
#include "interchange/mxl_container.h"
#include "model/preferences.h"

namespace ts::interchange {
namespace {

std::vector<uint8_t> dataFile(const std::string& name) {
  std::ifstream in(std::string(TONESMITH_TEST_DATA) + "/interchange/" + name, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

Score scoreOf(std::span<const uint8_t> bytes) {
  std::string text(bytes.begin(), bytes.end());
  if (looksLikeZip(bytes)) text = readMxlContainer(bytes).score;
  UnmappedLog unmapped;
  ReadOutcome read = readMusicXml(text, unmapped);
  EXPECT_TRUE(read.score) << read.error;
  return read.score ? *read.score : Score{};
}

// measure, staff, voice on the staff, time, rest, grace, step, alter, octave, duration
using NoteKey = std::tuple<size_t, int, int, double, bool, bool, int, int, int, double>;

std::vector<std::vector<NoteKey>> notesOf(const Score& score) {
  std::vector<std::vector<NoteKey>> parts;
  for (const Part& part : score.parts) {
    const auto ordinals = voiceOrdinals(part);
    std::vector<NoteKey> keys;
    for (size_t m = 0; m < part.measures.size(); ++m)
      for (const Note& n : part.measures[m].notes)
        keys.emplace_back(m, n.staff, ordinals.at({n.staff, n.voice}), n.offset.value(), n.rest, n.grace,
                          n.rest ? 0 : n.pitch.step, n.rest ? 0 : n.pitch.alter, n.rest ? 0 : n.pitch.octave,
                          n.duration.value());
    std::sort(keys.begin(), keys.end());
    parts.push_back(std::move(keys));
  }
  return parts;
}

struct RoundTrip {
  Score before;
  Score after;
  size_t pages = 0;
};

RoundTrip roundTrip(const std::string& name) {
  const std::vector<uint8_t> bytes = dataFile(name);
  EXPECT_FALSE(bytes.empty()) << name;
  const ImportResult imported = importScore(bytes, Preferences{});
  EXPECT_TRUE(imported.ok) << imported.error;
  std::vector<const PageStore*> pages;
  for (const PageStore& page : imported.pages) pages.push_back(&page);
  const ExportResult exported = exportScore(pages);
  EXPECT_TRUE(exported.ok) << exported.error;
  const std::span<const uint8_t> text(reinterpret_cast<const uint8_t*>(exported.text.data()), exported.text.size());
  return {scoreOf(bytes), scoreOf(text), imported.pages.size()};
}

TEST(MusicXmlRoundTrip, NotesComeBackAsTheFileHadThem) {
  for (const char* name : {"piano32.musicxml", "long400.mxl", "elements.musicxml"}) {
    SCOPED_TRACE(name);
    const RoundTrip trip = roundTrip(name);
    ASSERT_EQ(trip.before.parts.size(), trip.after.parts.size());
    const auto before = notesOf(trip.before);
    const auto after = notesOf(trip.after);
    for (size_t p = 0; p < before.size(); ++p) {
      ASSERT_EQ(before[p].size(), after[p].size()) << "part " << p;
      for (size_t i = 0; i < before[p].size(); ++i) EXPECT_EQ(before[p][i], after[p][i]) << "part " << p << " note " << i;
    }
    EXPECT_EQ(trip.before.title, trip.after.title);
    EXPECT_EQ(trip.before.composer, trip.after.composer);
  }
}

TEST(MusicXmlRoundTrip, SignsBarsAndMarksSurvive) {
  const RoundTrip trip = roundTrip("elements.musicxml");
  ASSERT_EQ(trip.after.parts.size(), 2u);
  const Part& flute = trip.after.parts[0];
  ASSERT_EQ(flute.measures.size(), 3u);
  EXPECT_EQ(flute.measures[0].fifths, 2);
  EXPECT_EQ(flute.measures[2].fifths, -3);
  ASSERT_TRUE(flute.measures[1].meter);
  EXPECT_EQ(flute.measures[1].meter->beats, 3);
  EXPECT_TRUE(flute.measures[1].left.repeatForward);
  EXPECT_TRUE(flute.measures[1].right.repeatBackward);
  EXPECT_EQ(flute.measures[2].right.style, BarStyle::LightHeavy);
  const auto& tied = flute.measures[1].notes;
  ASSERT_EQ(tied.size(), 2u);
  EXPECT_TRUE(tied[0].tieStart);
  EXPECT_TRUE(tied[1].tieStop);
  const auto& first = flute.measures[0].notes;
  EXPECT_EQ(first[1].lyric, "Sing");
  EXPECT_EQ(first[1].slurStarts, 1);
  EXPECT_EQ(first[5].slurStops, 1);
  EXPECT_EQ(first[3].beam, BeamMark::Begin);
  EXPECT_EQ(first[5].beam, BeamMark::End);
  ASSERT_EQ(flute.measures[0].directions.size(), 1u);
  EXPECT_EQ(flute.measures[0].directions[0].dynamics, "mf");
  const Part& piano = trip.after.parts[1];
  EXPECT_EQ(piano.staves, 2);
  ASSERT_EQ(piano.measures[1].clefs.size(), 1u);  // the treble clef in the middle of the bass staff
  EXPECT_EQ(piano.measures[1].clefs[0].clef.sign, 'G');
  EXPECT_TRUE(piano.measures[1].notes[0].wholeMeasure);
  EXPECT_EQ(piano.measures[1].right.style, BarStyle::LightLight);  // each part keeps its own bar lines
}

TEST(MusicXmlImport, LongScoresMakeSeveralPagesNamedFromTheStem) {
  EXPECT_GT(roundTrip("long400.mxl").pages, 5u);
  EXPECT_EQ(importPageNames("out/piece", 2), (std::vector<std::string>{"out/piece1.MUS", "out/piece2.MUS"}));
  EXPECT_EQ(importPageNames("piece.mus", 1), (std::vector<std::string>{"piece1.MUS"}));
}

TEST(MusicXmlImport, UnmappedKindsAreReportedOnceWithTheirMeasure) {
  const std::string text =
      "<score-partwise><part-list><score-part id='P1'/></part-list><part id='P1'>"
      "<measure number='7'><attributes><divisions>1</divisions></attributes>"
      "<harmony/><note><pitch><step>C</step><octave>4</octave></pitch><duration>1</duration>"
      "<notations><ornaments/></notations></note></measure>"
      "<measure number='8'><harmony/><note><rest/><duration>1</duration></note></measure></part></score-partwise>";
  const ImportResult result = importScore({reinterpret_cast<const uint8_t*>(text.data()), text.size()}, Preferences{});
  ASSERT_TRUE(result.ok) << result.error;
  EXPECT_EQ(result.unmapped, (std::vector<std::string>{"cannot map harmony (first in measure 7)",
                                                        "cannot map ornaments (first in measure 7)"}));
}

}  // namespace
}  // namespace ts::interchange
