#include "interchange/musicxml_writer.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <numeric>
#include <pugixml.hpp>
#include <sstream>

namespace ts::interchange {
namespace {

constexpr int64_t kMaxDivisions = 1'000'000;
constexpr int64_t kFallbackDivisions = 10080;  // divisible by every tuplet up to 10 and by 64ths
constexpr const char* kSteps = "CDEFGAB";
constexpr const char* kDoctype =
    "score-partwise PUBLIC \"-//Recordare//DTD MusicXML 4.0 Partwise//EN\" \"http://www.musicxml.org/dtds/partwise.dtd\"";

struct NamedValue {
  double value;
  const char* name;
};

// [note value] -> <type> name.
constexpr NamedValue kTypes[] = {{0.25, "long"}, {0.5, "breve"}, {1, "whole"}, {2, "half"}, {4, "quarter"},
                                 {8, "eighth"}, {16, "16th"}, {32, "32nd"}, {64, "64th"}, {128, "128th"}};

int64_t lcm(int64_t a, int64_t b) {
  const int64_t g = std::gcd(a, b);
  const __int128 value = static_cast<__int128>(a / g) * b;
  return value > kMaxDivisions ? kMaxDivisions + 1 : static_cast<int64_t>(value);
}

int64_t divisionsOf(const Part& part) {
  int64_t divisions = 1;
  for (const Measure& measure : part.measures)
    for (const Note& note : measure.notes) {
      divisions = lcm(lcm(divisions, note.duration.den), note.offset.den);
      if (divisions > kMaxDivisions) return kFallbackDivisions;
    }
  return divisions;
}

int64_t inDivisions(const Rational& time, int64_t divisions) {
  return static_cast<int64_t>(std::llround(time.value() * static_cast<double>(divisions)));
}

void text(pugi::xml_node parent, const char* name, const std::string& value) {
  parent.append_child(name).text().set(value.c_str());
}
void number(pugi::xml_node parent, const char* name, long long value) {
  parent.append_child(name).text().set(value);
}

// The <accidental> of a shown accidental (its alter, 3 for a natural).
const char* accidentalName(int shown) {
  switch (shown) {
    case -2: return "flat-flat";
    case -1: return "flat";
    case 1: return "sharp";
    case 2: return "double-sharp";
    case 3: return "natural";
    default: return nullptr;
  }
}

const char* barStyleName(BarStyle style) {
  switch (style) {
    case BarStyle::LightLight: return "light-light";
    case BarStyle::LightHeavy: return "light-heavy";
    case BarStyle::HeavyLight: return "heavy-light";
    case BarStyle::HeavyHeavy: return "heavy-heavy";
    case BarStyle::Dashed: return "dashed";
    case BarStyle::None: return "none";
    default: return "regular";
  }
}

class PartWriter {
 public:
  PartWriter(pugi::xml_node part, const Part& model) : m_part(part), m_model(model), m_divisions(divisionsOf(model)) {}

  void write() {
    for (size_t i = 0; i < m_model.measures.size(); ++i) measure(m_model.measures[i], i == 0);
  }

 private:
  void measure(const Measure& model, bool first);
  void attributes(pugi::xml_node measure, const Measure& model, bool first);
  void barline(pugi::xml_node measure, const Barline& bar, const char* location, bool forward);
  void voices(pugi::xml_node measure, const Measure& model);
  void note(pugi::xml_node measure, const Note& model);
  void notations(pugi::xml_node note, const Note& model);
  void direction(pugi::xml_node measure, const Direction& model, const Rational& cursor);
  void move(pugi::xml_node measure, const Rational& from, const Rational& to, int voice, int staff);

  pugi::xml_node m_part;
  const Part& m_model;
  int64_t m_divisions;
};

void PartWriter::measure(const Measure& model, bool first) {
  pugi::xml_node measure = m_part.append_child("measure");
  measure.append_attribute("number").set_value(model.number.c_str());
  if (model.left.repeatForward) barline(measure, model.left, "left", true);
  attributes(measure, model, first);
  voices(measure, model);
  if (model.right.style != BarStyle::Regular || model.right.repeatBackward) barline(measure, model.right, "right", false);
}

void PartWriter::attributes(pugi::xml_node measure, const Measure& model, bool first) {
  if (!first && !model.fifths && !model.meter && model.clefs.empty()) return;
  pugi::xml_node attributes = measure.append_child("attributes");
  if (first) number(attributes, "divisions", m_divisions);
  if (model.fifths || first) number(attributes.append_child("key"), "fifths", model.fifths.value_or(0));
  if (model.meter) {
    pugi::xml_node time = attributes.append_child("time");
    if (model.meter->symbolCommon) time.append_attribute("symbol").set_value("common");
    if (model.meter->symbolCut) time.append_attribute("symbol").set_value("cut");
    number(time, "beats", model.meter->beats);
    number(time, "beat-type", model.meter->beatType);
  }
  if (first && m_model.staves > 1) number(attributes, "staves", m_model.staves);
  for (const ClefChange& change : model.clefs) {
    pugi::xml_node clef = attributes.append_child("clef");
    if (m_model.staves > 1) clef.append_attribute("number").set_value(change.staff);
    const char sign[2] = {change.clef.sign, '\0'};
    text(clef, "sign", change.clef.sign == 'P' ? "percussion" : sign);
    if (change.clef.sign != 'P') number(clef, "line", change.clef.line);
    if (change.clef.octaveChange != 0) number(clef, "clef-octave-change", change.clef.octaveChange);
  }
}

void PartWriter::barline(pugi::xml_node measure, const Barline& bar, const char* location, bool forward) {
  pugi::xml_node node = measure.append_child("barline");
  node.append_attribute("location").set_value(location);
  const bool repeat = forward || bar.repeatBackward;
  text(node, "bar-style", repeat ? (forward ? "heavy-light" : "light-heavy") : barStyleName(bar.style));
  if (repeat) node.append_child("repeat").append_attribute("direction").set_value(forward ? "forward" : "backward");
}

// Voice after voice, each from the start of the measure.
void PartWriter::voices(pugi::xml_node measure, const Measure& model) {
  std::map<std::pair<int, int>, std::vector<const Note*>> streams;  // (staff, voice)
  for (const Note& n : model.notes) streams[{n.staff, n.voice}].push_back(&n);
  std::vector<const Direction*> directions;
  for (const Direction& d : model.directions) directions.push_back(&d);
  Rational cursor;
  bool firstStream = true;
  for (const auto& [key, notes] : streams) {
    if (!firstStream) move(measure, cursor, {}, key.second, key.first), cursor = {};
    firstStream = false;
    for (const Note* n : notes) {
      if (n->chord) {
        note(measure, *n);
        continue;
      }
      move(measure, cursor, n->offset, key.second, key.first);
      cursor = n->offset;
      for (auto& d : directions)
        if (d && d->staff == key.first && !(cursor < d->offset)) direction(measure, *d, cursor), d = nullptr;
      note(measure, *n);
      cursor = cursor + n->duration;
    }
  }
  for (const Direction* d : directions)
    if (d) direction(measure, *d, cursor);
}

void PartWriter::move(pugi::xml_node measure, const Rational& from, const Rational& to, int voice, int staff) {
  if (from == to) return;
  const bool back = to < from;
  pugi::xml_node node = measure.append_child(back ? "backup" : "forward");
  number(node, "duration", inDivisions(back ? from - to : to - from, m_divisions));
  if (back) return;
  number(node, "voice", voice);
  if (m_model.staves > 1) number(node, "staff", staff);
}

void PartWriter::note(pugi::xml_node measure, const Note& model) {
  pugi::xml_node node = measure.append_child("note");
  if (model.grace) node.append_child("grace");
  if (model.chord) node.append_child("chord");
  if (model.rest) {
    pugi::xml_node rest = node.append_child("rest");
    if (model.wholeMeasure) rest.append_attribute("measure").set_value("yes");
  } else {
    pugi::xml_node pitch = node.append_child("pitch");
    text(pitch, "step", std::string(1, kSteps[std::clamp(model.pitch.step, 0, 6)]));
    if (model.pitch.alter != 0) number(pitch, "alter", model.pitch.alter);
    number(pitch, "octave", std::clamp(model.pitch.octave, 0, 9));
  }
  if (!model.grace) number(node, "duration", inDivisions(model.duration, m_divisions));
  if (model.tieStop) node.append_child("tie").append_attribute("type").set_value("stop");
  if (model.tieStart) node.append_child("tie").append_attribute("type").set_value("start");
  number(node, "voice", model.voice);
  const WrittenValue written = writtenValue(model.grace ? Rational::of(1, 2) : model.duration, model.dots);
  const char* type = typeName(written.noteValue);
  if (*type && !model.wholeMeasure) text(node, "type", type);
  for (int d = 0; d < model.dots && *type && !model.wholeMeasure; ++d) node.append_child("dot");
  if (const char* accidental = accidentalName(model.shownAccidental)) text(node, "accidental", accidental);
  if (written.actual > 0 && !model.wholeMeasure) {
    pugi::xml_node modification = node.append_child("time-modification");
    number(modification, "actual-notes", written.actual);
    number(modification, "normal-notes", written.normal);
  }
  if (m_model.staves > 1) number(node, "staff", model.staff);
  if (model.beam != BeamMark::None) {
    static constexpr const char* kBeams[] = {"", "begin", "continue", "end"};
    pugi::xml_node beam = node.append_child("beam");
    beam.append_attribute("number").set_value(1);
    beam.text().set(kBeams[static_cast<int>(model.beam)]);
  }
  notations(node, model);
  if (!model.lyric.empty()) text(node.append_child("lyric"), "text", model.lyric);
}

void PartWriter::notations(pugi::xml_node note, const Note& model) {
  const bool any = model.tieStart || model.tieStop || model.slurStarts || model.slurStops || !model.articulations.empty();
  if (!any) return;
  pugi::xml_node notations = note.append_child("notations");
  if (model.tieStop) notations.append_child("tied").append_attribute("type").set_value("stop");
  if (model.tieStart) notations.append_child("tied").append_attribute("type").set_value("start");
  for (int i = 0; i < model.slurStops; ++i) notations.append_child("slur").append_attribute("type").set_value("stop");
  for (int i = 0; i < model.slurStarts; ++i) notations.append_child("slur").append_attribute("type").set_value("start");
  pugi::xml_node articulations;
  for (const std::string& name : model.articulations) {
    if (name == "fermata") {
      notations.append_child("fermata");
      continue;
    }
    if (!articulations) articulations = notations.append_child("articulations");
    articulations.append_child(name.c_str());
  }
}

void PartWriter::direction(pugi::xml_node measure, const Direction& model, const Rational& cursor) {
  if (model.dynamics.empty() && model.words.empty()) return;
  pugi::xml_node node = measure.append_child("direction");
  pugi::xml_node type = node.append_child("direction-type");
  if (!model.dynamics.empty()) type.append_child("dynamics").append_child(model.dynamics.c_str());
  else text(type, "words", model.words);
  if (!(model.offset == cursor)) number(node, "offset", inDivisions(model.offset - cursor, m_divisions));
  if (m_model.staves > 1) number(node, "staff", model.staff);
}

}  // namespace

const char* typeName(double noteValue) {
  for (const NamedValue& entry : kTypes)
    if (std::fabs(entry.value - noteValue) < 1e-9) return entry.name;
  return "";
}

WrittenValue writtenValue(const Rational& duration, int dots) {
  if (!duration.valid || duration.num <= 0) return {};
  const double dotted = 2.0 - std::pow(0.5, std::clamp(dots, 0, 3));
  const double plain = duration.value() / dotted;
  for (const NamedValue& entry : kTypes) {
    const double quarters = 4.0 / entry.value;
    if (std::fabs(quarters - plain) < 1e-9) return {entry.value, 0, 0};
  }
  // Under a tuplet: the next longer plain value, in the ratio of the two.
  for (auto it = std::rbegin(kTypes); it != std::rend(kTypes); ++it) {
    const double quarters = 4.0 / it->value;
    if (quarters < plain) continue;
    const Rational ratio = nearestRational(quarters / plain, 16);
    if (std::fabs(ratio.value() - quarters / plain) > 1e-6 || ratio.num > 64) return {};
    return {it->value, static_cast<int>(ratio.num), static_cast<int>(ratio.den)};
  }
  return {};
}

std::string writeMusicXml(const Score& score) {
  pugi::xml_document document;
  pugi::xml_node declaration = document.append_child(pugi::node_declaration);
  declaration.append_attribute("version").set_value("1.0");
  declaration.append_attribute("encoding").set_value("UTF-8");
  document.append_child(pugi::node_doctype).set_value(kDoctype);
  pugi::xml_node root = document.append_child("score-partwise");
  root.append_attribute("version").set_value("4.0");
  if (!score.title.empty()) text(root.append_child("work"), "work-title", score.title);
  pugi::xml_node identification = root.append_child("identification");
  if (!score.composer.empty()) {
    pugi::xml_node creator = identification.append_child("creator");
    creator.append_attribute("type").set_value("composer");
    creator.text().set(score.composer.c_str());
  }
  text(identification.append_child("encoding"), "software", "Tonesmith");
  pugi::xml_node list = root.append_child("part-list");
  for (const Part& part : score.parts) {
    pugi::xml_node entry = list.append_child("score-part");
    entry.append_attribute("id").set_value(part.id.c_str());
    text(entry, "part-name", part.name);
  }
  for (const Part& part : score.parts) {
    pugi::xml_node node = root.append_child("part");
    node.append_attribute("id").set_value(part.id.c_str());
    PartWriter(node, part).write();
  }
  std::ostringstream out;
  document.save(out, "  ", pugi::format_default, pugi::encoding_utf8);
  return out.str();
}

}  // namespace ts::interchange
