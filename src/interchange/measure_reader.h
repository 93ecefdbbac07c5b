#pragma once
// One <measure> of a part into the score model: the time cursor that
// <backup> and <forward> move, the attributes, notes, directions and bar
// lines. Internal to the MusicXML reader.

#include <pugixml.hpp>
#include <string>

#include "interchange/score_model.h"
#include "interchange/unmapped_log.h"

namespace ts::interchange {

// What carries over from one measure of a part to the next.
struct PartState {
  int64_t divisions = 0;  // 0 until the first <divisions>
  int staves = 1;
  long notesLeft = 0;     // the score-wide note budget, shared by every part
};

class MeasureReader {
 public:
  MeasureReader(PartState& state, UnmappedLog& unmapped) : m_state(state), m_unmapped(unmapped) {}

  // Fills `measure` from the element; false with `error` set when the
  // measure breaks a cap.
  bool read(const pugi::xml_node& element, Measure& measure, std::string& error);

 private:
  bool child(const pugi::xml_node& node);
  bool attributes(const pugi::xml_node& node);
  bool note(const pugi::xml_node& node);
  bool pitchOf(const pugi::xml_node& node, Note& note);
  bool marksOf(const pugi::xml_node& node, Note& note);
  void notations(const pugi::xml_node& node, Note& note);
  bool timeModification(const pugi::xml_node& node, Note& note);
  void direction(const pugi::xml_node& node);
  void barline(const pugi::xml_node& node);
  bool move(const pugi::xml_node& node, int sign);
  bool durationOf(const pugi::xml_node& node, Rational& duration);
  bool advance(const Rational& by);
  bool fail(const char* message);
  void unmapped(const std::string& kind) { m_unmapped.note(kind, m_measure->number); }

  PartState& m_state;
  UnmappedLog& m_unmapped;
  Measure* m_measure = nullptr;
  std::string* m_error = nullptr;
  Rational m_cursor;
  Rational m_lastStart;  // where the last note began, for chords
};

}  // namespace ts::interchange
