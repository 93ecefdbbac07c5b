// Words that are no stage line, at any stage: "@NAME=..." stores a motive,
// "SP n" makes staff n the spacing staff of the rhythms ("SP" or "SP0"
// clears it), a line starting "SC" is passed over, and "MIDI" at the notes
// stage of a file says that there is no MIDI input (the input mode plays
// it on the keyboard when it comes from the prompt). Each of them asks the
// same stage again.

#include "engine/input_session.h"

#include <cstdio>

#include "engine/command_line.h"
#include "engine/engine_messages.h"
#include "engine/input_mode_messages.h"
#include "layout/input_messages.h"
#include "layout/notes_builder.h"
#include "layout/notes_line.h"
#include "layout/rhythms_line.h"
#include "layout/typed_placement.h"

namespace ts {
namespace {

StageReply again(std::string message) { return {StageResult::Again, {std::move(message)}, true}; }
// A word that is no stage line: said, and the stage asked again.
StageReply noted(std::string message) { return {StageResult::Again, {std::move(message)}, false}; }
StageReply done() { return {StageResult::Done, {}}; }

int stageIndex(InputStage stage) { return static_cast<int>(stage) - 1; }

}  // namespace

void InputSession::startStretch(int staff, float left, float right) {
  m_stretch = StretchView{};
  m_stretch.staff = staff;
  m_stretch.left = left;
  m_stretch.right = right;
  m_pageAtStart = std::make_unique<PageStore>(m_page);
  m_stateAtStart = m_state;
  m_stored = {};
  m_given = {};
}

void InputSession::restoreStretchStart() {
  if (m_pageAtStart) m_page = *m_pageAtStart;
  m_state = m_stateAtStart;
  const StretchView range = m_stretch;
  m_stretch = StretchView{};
  m_stretch.staff = range.staff;
  m_stretch.left = range.left;
  m_stretch.right = range.right;
}

StageReply InputSession::feed(InputStage stage, std::string_view line) {
  const std::string upper = toUpper(trimmed(line));
  if (std::optional<StageReply> reply = sessionWord(upper)) return *reply;
  if (stage == InputStage::Notes && upper == "MIDI") return noted(input_mode_messages::kNoMidi);
  const PreparedLine prepared = prepareLine(line, stage, m_state.motives);
  if (prepared.error) return again(syntaxErrorText(*prepared.error));
  StageReply reply;
  switch (stage) {
    case InputStage::Notes: reply = notes(prepared.text); break;
    case InputStage::Rhythms: reply = rhythms(prepared.text); break;
    case InputStage::Marks: reply = marks(prepared.text); break;
    default: reply = pairs(prepared.text, stage); break;
  }
  if (reply.result != StageResult::Again) store(stage, line);
  return reply;
}

std::optional<StageReply> InputSession::sessionWord(std::string_view upper) {
  if (const std::optional<std::pair<std::string, std::string>> motive = motiveDefinition(upper)) {
    m_state.motives[motive->first] = motive->second;
    return noted(std::string(input_mode_messages::kMotiveStored) + motive->first);
  }
  if (upper.rfind("SC", 0) == 0) return noted(input_mode_messages::kScalePassedOver);
  const CommandLine words = splitCommandLine(upper);
  if (words.mnemonic != "SP" || !words.allNumeric) return std::nullopt;
  m_spacingStaff = words.numbers.empty() ? 0 : std::max(0, truncToInt(words.numbers.front()));
  if (m_spacingStaff == 0) return noted(input_mode_messages::kSpacingStaffOff);
  char text[48];
  std::snprintf(text, sizeof text, "%s%4d", input_mode_messages::kSpacingStaff, m_spacingStaff);
  return noted(text);
}

int InputSession::keySignature() const { return keyInForce(m_page, m_stretch.staff, m_stretch.left); }

void InputSession::store(InputStage stage, std::string_view line) {
  const int i = stageIndex(stage);
  m_stored[i] = trimmed(line).substr(0, kStoredLineLimit);
  m_given[i] = true;
}

StageReply InputSession::notes(const std::string& prepared) {
  NotesLine line = readNotesLine(prepared, m_state);
  if (line.error) return again(syntaxErrorText(*line.error));
  const NotesBuild build = buildNotes(m_page, line.codes, m_stretch.staff, m_stretch.left, m_stretch.right);
  if (build.pageFull) {
    restoreStretchStart();
    return again(messages::kPageFull);
  }
  m_stretch.items = build.items;
  m_stretch.notes = build.notes;
  if (build.notes.empty()) return {StageResult::NoRhythms, {input_messages::kNoNotes}};
  return done();
}

StageReply InputSession::rhythms(const std::string& prepared) {
  const RhythmsLine line = readRhythmsLine(prepared);
  if (line.error) return again(syntaxErrorText(*line.error));
  TypedStretch stretch{m_stretch.staff, m_stretch.left, m_stretch.right, m_stretch.items};
  const PlacementResult placed = placeTypedRhythms(m_page, stretch, line.codes, m_preferences, m_spacingStaff);
  StageReply reply{placed.placed ? StageResult::Done : StageResult::Again, placed.messages, !placed.placed};
  if (placed.placed) m_stretch.rhythms = line.codes;
  return reply;
}

StageReply InputSession::marks(const std::string& prepared) {
  const MarksLine line = readMarksLine(prepared);
  if (line.error) return again(syntaxErrorText(*line.error));
  if (std::optional<std::string> message = buildMarks(m_page, m_stretch, line.marks)) return again(*message);
  return done();
}

StageReply InputSession::pairs(const std::string& prepared, InputStage stage) {
  const PairsLine line = readPairsLine(prepared, stage, m_state);
  if (line.error) return again(syntaxErrorText(*line.error));
  const std::optional<std::string> message =
      stage == InputStage::Beams ? buildBeams(m_page, m_stretch, line) : buildSlurs(m_page, m_stretch, line);
  if (message) return again(*message);
  return done();
}

}  // namespace ts
