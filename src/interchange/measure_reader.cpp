#include "interchange/measure_reader.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <string_view>

#include "interchange/interchange_messages.h"

namespace ts::interchange {
namespace {

constexpr int64_t kMaxDivisions = 1'000'000;
constexpr double kMaxNoteQuarters = 64.0;      // a longa is 16; anything past this is damage
constexpr int64_t kMaxMeasureQuarters = 256;   // how far <forward> and notes may run
constexpr int kMaxStaves = 16;
constexpr int kMaxTupletNotes = 64;
constexpr int kMaxVoice = 64;

struct NamedValue {
  const char* name;
  int value;
};

// [type name] -> note value (4 / quarters); a breve is 0.5 and a long 0.25,
// kept as negative numbers the page reads as the double whole.
constexpr std::array<NamedValue, 12> kNoteTypes{{
    {"long", -4}, {"breve", -2}, {"whole", 1}, {"half", 2}, {"quarter", 4}, {"eighth", 8},
    {"16th", 16}, {"32nd", 32}, {"64th", 64}, {"128th", 128}, {"256th", 256}, {"512th", 512},
}};

constexpr std::array<NamedValue, 5> kAccidentals{{
    {"flat", -1}, {"sharp", 1}, {"natural", 3}, {"flat-flat", -2}, {"double-sharp", 2},
}};

int lookup(const auto& table, std::string_view name, int otherwise) {
  for (const NamedValue& entry : table)
    if (name == entry.name) return entry.value;
  return otherwise;
}

bool named(const pugi::xml_node& node, const char* name) { return std::strcmp(node.name(), name) == 0; }

// A whole number from the text of a child, or `otherwise` when it is absent
// or not a number within the limits.
int64_t wholeNumber(const pugi::xml_node& node, const char* child, int64_t low, int64_t high, int64_t otherwise) {
  const pugi::xml_node found = node.child(child);
  if (!found) return otherwise;
  const double value = found.text().as_double(std::nan(""));
  if (!std::isfinite(value) || value < static_cast<double>(low) || value > static_cast<double>(high)) return otherwise;
  return std::llround(value);
}

Clef clefOf(const pugi::xml_node& node) {
  Clef clef;
  const std::string_view sign = node.child_value("sign");
  clef.sign = sign == "F" ? 'F' : sign == "C" ? 'C' : sign == "percussion" ? 'P' : 'G';
  clef.line = static_cast<int>(wholeNumber(node, "line", 1, 5, clef.sign == 'F' ? 4 : clef.sign == 'C' ? 3 : 2));
  clef.octaveChange = static_cast<int>(wholeNumber(node, "clef-octave-change", -2, 2, 0));
  return clef;
}

BarStyle barStyleOf(std::string_view style) {
  if (style == "light-light") return BarStyle::LightLight;
  if (style == "light-heavy") return BarStyle::LightHeavy;
  if (style == "heavy-light") return BarStyle::HeavyLight;
  if (style == "heavy-heavy") return BarStyle::HeavyHeavy;
  if (style == "dashed") return BarStyle::Dashed;
  if (style == "none") return BarStyle::None;
  return BarStyle::Regular;
}

}  // namespace

bool MeasureReader::read(const pugi::xml_node& element, Measure& measure, std::string& error) {
  m_measure = &measure;
  m_error = &error;
  m_cursor = {};
  m_lastStart = {};
  measure.number = element.attribute("number").as_string("?");
  if (measure.number.size() > 12) measure.number.resize(12);
  for (const pugi::xml_node& node : element.children())
    if (node.type() == pugi::node_element && !child(node)) return false;
  return true;
}

bool MeasureReader::child(const pugi::xml_node& node) {
  if (named(node, "note")) return note(node);
  if (named(node, "attributes")) return attributes(node);
  if (named(node, "backup")) return move(node, -1);
  if (named(node, "forward")) return move(node, 1);
  if (named(node, "direction")) direction(node);
  else if (named(node, "barline")) barline(node);
  // Layout and playback hints: the page makes its own layout.
  else if (!named(node, "print") && !named(node, "sound") && !named(node, "bookmark")) unmapped(node.name());
  return true;
}

bool MeasureReader::attributes(const pugi::xml_node& node) {
  if (node.child("divisions")) {
    m_state.divisions = wholeNumber(node, "divisions", 1, kMaxDivisions, -1);
    if (m_state.divisions < 1) return fail(messages::kBadDivisions);
  }
  if (node.child("staves")) {
    m_state.staves = static_cast<int>(wholeNumber(node, "staves", 1, kMaxStaves, -1));
    if (m_state.staves < 1) return fail(messages::kBadStaves);
  }
  if (const pugi::xml_node key = node.child("key")) {
    if (key.child("fifths")) m_measure->fifths = static_cast<int>(wholeNumber(key, "fifths", -7, 7, 0));
    else unmapped("key signatures other than sharps or flats");
  }
  if (const pugi::xml_node time = node.child("time")) {
    Meter meter;
    meter.beats = static_cast<int>(wholeNumber(time, "beats", 1, 99, 4));
    meter.beatType = static_cast<int>(wholeNumber(time, "beat-type", 1, 99, 4));
    const std::string_view symbol = time.attribute("symbol").as_string();
    meter.symbolCommon = symbol == "common";
    meter.symbolCut = symbol == "cut";
    if (std::strchr(time.child_value("beats"), '+') != nullptr) unmapped("compound meters");
    m_measure->meter = meter;
  }
  for (const pugi::xml_node& clef : node.children("clef")) {
    const int staff = static_cast<int>(clef.attribute("number").as_int(1));
    m_measure->clefs.push_back({m_cursor, std::clamp(staff, 1, m_state.staves), clefOf(clef)});
  }
  for (const char* ignored : {"transpose", "staff-details", "measure-style"})
    if (node.child(ignored)) unmapped(ignored);
  return true;
}

bool MeasureReader::note(const pugi::xml_node& node) {
  if (--m_state.notesLeft < 0) return fail(messages::kTooManyNotes);
  Note note;
  note.chord = static_cast<bool>(node.child("chord"));
  note.grace = static_cast<bool>(node.child("grace"));
  note.rest = static_cast<bool>(node.child("rest"));
  if (note.rest) note.wholeMeasure = std::string_view(node.child("rest").attribute("measure").as_string()) == "yes";
  else if (!pitchOf(node, note)) return false;
  if (!note.grace && !durationOf(node, note.duration)) return false;
  note.staff = static_cast<int>(wholeNumber(node, "staff", 1, kMaxStaves, 1));
  if (note.staff > m_state.staves) {
    unmapped("notes on a staff the part does not have");
    note.staff = m_state.staves;
  }
  note.voice = static_cast<int>(wholeNumber(node, "voice", 1, kMaxVoice, 1));
  note.noteValue = lookup(kNoteTypes, node.child_value("type"), 0);
  const auto dots = node.children("dot");
  note.dots = static_cast<int>(std::min<std::ptrdiff_t>(std::distance(dots.begin(), dots.end()), 3));
  if (const pugi::xml_node accidental = node.child("accidental"))
    note.shownAccidental = lookup(kAccidentals, accidental.child_value(), 0);
  if (!note.shownAccidental && node.child("accidental")) unmapped("accidentals other than flats, sharps and naturals");
  if (!marksOf(node, note)) return false;
  if (note.chord) {
    note.offset = m_lastStart;
    if (!note.grace && !advance({})) return false;  // the chord's first note moved the cursor
  } else {
    note.offset = m_lastStart = m_cursor;
    if (!advance(note.duration)) return false;
  }
  m_measure->notes.push_back(std::move(note));
  return true;
}

// Ties, beams, tuplets, notations and the first lyric of a note.
bool MeasureReader::marksOf(const pugi::xml_node& node, Note& note) {
  for (const pugi::xml_node& tie : node.children("tie")) {
    const std::string_view type = tie.attribute("type").as_string();
    note.tieStart |= type == "start";
    note.tieStop |= type == "stop";
  }
  if (const pugi::xml_node beam = node.child("beam")) {
    const std::string_view value = beam.child_value();
    note.beam = value == "begin" ? BeamMark::Begin : value == "continue" ? BeamMark::Continue
              : value == "end" ? BeamMark::End : BeamMark::None;
  }
  if (const pugi::xml_node modification = node.child("time-modification"))
    if (!timeModification(modification, note)) return false;
  for (const pugi::xml_node& notations : node.children("notations")) this->notations(notations, note);
  if (const pugi::xml_node lyric = node.child("lyric")) note.lyric = lyric.child_value("text");
  if (note.lyric.size() > 60) note.lyric.resize(60);
  return true;
}

bool MeasureReader::pitchOf(const pugi::xml_node& node, Note& note) {
  const pugi::xml_node pitch = node.child("pitch");
  if (!pitch) {
    unmapped(node.child("unpitched") ? "unpitched notes" : "notes without a pitch");
    note.rest = true;
    return true;
  }
  const std::string_view step = pitch.child_value("step");
  const int64_t octave = wholeNumber(pitch, "octave", 0, 9, -1);
  if (step.size() != 1 || step[0] < 'A' || step[0] > 'G' || octave < 0) return fail(messages::kBadPitch);
  note.pitch.step = (step[0] - 'C' + 7) % 7;
  note.pitch.octave = static_cast<int>(octave);
  const double alter = pitch.child("alter").text().as_double(0.0);
  if (!std::isfinite(alter) || alter < -2.0 || alter > 2.0 || alter != std::round(alter)) {
    unmapped("microtones and alterations beyond double sharps and flats");
    note.pitch.alter = std::isfinite(alter) ? static_cast<int>(std::clamp(std::round(alter), -2.0, 2.0)) : 0;
  } else {
    note.pitch.alter = static_cast<int>(alter);
  }
  return true;
}

void MeasureReader::notations(const pugi::xml_node& node, Note& note) {
  for (const pugi::xml_node& mark : node.children()) {
    if (mark.type() != pugi::node_element) continue;
    const std::string_view type = mark.attribute("type").as_string();
    if (named(mark, "slur")) {
      note.slurStarts += type == "start";
      note.slurStops += type == "stop";
    } else if (named(mark, "tied")) {
      note.tieStart |= type == "start";
      note.tieStop |= type == "stop";
    } else if (named(mark, "tuplet")) {
      note.tupletStart |= type == "start";
    } else if (named(mark, "fermata")) {
      note.articulations.emplace_back("fermata");
    } else if (named(mark, "articulations") || named(mark, "dynamics")) {
      for (const pugi::xml_node& each : mark.children())
        if (each.type() == pugi::node_element) note.articulations.emplace_back(each.name());
    } else {
      unmapped(mark.name());
    }
  }
}

bool MeasureReader::timeModification(const pugi::xml_node& node, Note& note) {
  note.tupletActual = static_cast<int>(wholeNumber(node, "actual-notes", 1, kMaxTupletNotes, -1));
  note.tupletNormal = static_cast<int>(wholeNumber(node, "normal-notes", 1, kMaxTupletNotes, -1));
  if (note.tupletActual < 1 || note.tupletNormal < 1) return fail(messages::kBadTuplet);
  return true;
}

void MeasureReader::direction(const pugi::xml_node& node) {
  Direction direction;
  direction.staff = static_cast<int>(wholeNumber(node, "staff", 1, m_state.staves, 1));
  direction.offset = m_cursor;
  if (node.child("offset")) unmapped("direction offsets");
  for (const pugi::xml_node& type : node.children("direction-type")) {
    for (const pugi::xml_node& item : type.children()) {
      if (item.type() != pugi::node_element) continue;
      if (named(item, "dynamics")) {
        for (const pugi::xml_node& each : item.children())
          if (each.type() == pugi::node_element) direction.dynamics = each.name();
      } else if (named(item, "wedge")) {
        const std::string_view kind = item.attribute("type").as_string();
        direction.wedge = kind == "crescendo" ? WedgeKind::Crescendo : kind == "diminuendo" ? WedgeKind::Diminuendo
                                                                                            : WedgeKind::Stop;
      } else if (named(item, "words")) {
        direction.words = item.child_value();
        if (direction.words.size() > 60) direction.words.resize(60);
      } else {
        unmapped(item.name());
      }
    }
  }
  m_measure->directions.push_back(std::move(direction));
}

void MeasureReader::barline(const pugi::xml_node& node) {
  const bool left = std::string_view(node.attribute("location").as_string("right")) == "left";
  Barline& bar = left ? m_measure->left : m_measure->right;
  bar.style = barStyleOf(node.child_value("bar-style"));
  const std::string_view repeat = node.child("repeat").attribute("direction").as_string();
  bar.repeatForward |= repeat == "forward";
  bar.repeatBackward |= repeat == "backward";
  if (node.child("ending")) unmapped("volta endings");
}

bool MeasureReader::move(const pugi::xml_node& node, int sign) {
  Rational by;
  if (!durationOf(node, by)) return false;
  if (sign > 0) return advance(by);
  m_cursor = m_cursor - by;
  // Files that back up past the start of the measure mean its start.
  if (m_cursor < Rational{}) m_cursor = {};
  return true;
}

bool MeasureReader::durationOf(const pugi::xml_node& node, Rational& duration) {
  if (m_state.divisions < 1) return fail(messages::kNoDivisions);
  const double raw = node.child("duration").text().as_double(std::nan(""));
  const double quarters = raw / static_cast<double>(m_state.divisions);
  if (!std::isfinite(raw) || raw < 0.0 || quarters > kMaxNoteQuarters) return fail(messages::kBadDuration);
  duration = Rational::of(std::llround(raw), m_state.divisions);
  return true;
}

bool MeasureReader::advance(const Rational& by) {
  m_cursor = m_cursor + by;
  if (!m_cursor.valid || Rational{kMaxMeasureQuarters, 1} < m_cursor) return fail(messages::kMeasureTooLong);
  if (m_measure->length < m_cursor) m_measure->length = m_cursor;
  return true;
}

bool MeasureReader::fail(const char* message) {
  *m_error = std::string(message);
  // The messages that end "in measure " name it.
  if (!m_error->empty() && m_error->back() == ' ') *m_error += m_measure->number;
  return false;
}

}  // namespace ts::interchange
