#include "engine/input_mode.h"

#include <cstdio>

#include "engine/command_line.h"
#include "engine/engine_host.h"
#include "engine/input_mode_messages.h"
#include "engine/midi_keyboard_entry.h"
#include "layout/input_file.h"
#include "model/abandon_store.h"
#include "model/host_files.h"

namespace ts {
namespace {

namespace text = input_mode_messages;

constexpr int kMostStretches = 1000;   // stretches of one input mode, a bound on its loops
constexpr int kMostTries = 1000;       // times one prompt is asked again
constexpr float kMostPosition = 10000.0f;

std::string filled(const char* format, int number) {
  char line[96];
  std::snprintf(line, sizeof line, format, number);
  return line;
}

std::string stagePrompt(InputStage stage, int notes) {
  switch (stage) {
    case InputStage::Notes: return text::kNotesPrompt;
    case InputStage::Rhythms: return filled(text::kRhythmsPrompt, notes);
    case InputStage::Marks: return text::kMarksPrompt;
    case InputStage::Beams: return text::kBeamsPrompt;
    default: return text::kSlursPrompt;
  }
}

bool leaves(std::string_view line) { return trimmed(line).rfind('^', 0) == 0; }

std::optional<std::string> inputFileName(std::string_view line) {
  const CommandLine words = splitCommandLine(line);
  if (words.word != "RE" || trimmed(words.rest).empty()) return std::nullopt;
  return trimmed(words.rest);
}

std::optional<std::vector<std::string>> readLinesOf(const HostFiles& files, std::string_view name) {
  const std::optional<std::filesystem::path> path = files.findExisting(name);
  if (!path) return std::nullopt;
  const std::optional<std::vector<uint8_t>> bytes = readFileBytes(*path, kInputFileBytes);
  if (!bytes) return std::nullopt;
  return readInputFileLines(std::string_view(reinterpret_cast<const char*>(bytes->data()), bytes->size()));
}

bool isMidiWord(std::string_view line) { return toUpper(trimmed(line)) == "MIDI"; }

}  // namespace

std::optional<std::string> InputMode::prompt(std::string_view line) {
  ++m_waitLevel;
  std::optional<std::string> answer = m_host.promptLine(line);
  --m_waitLevel;
  return answer;
}

bool InputMode::askYesNo(std::string_view question) {
  ++m_waitLevel;
  const bool yes = m_host.askYesNo(question);
  --m_waitLevel;
  return yes;
}

void InputMode::show(const std::vector<std::string>& messages) {
  for (const std::string& message : messages) m_host.showMessage(message);
}

InputReply InputMode::run(PageStore& page, const Preferences& preferences,
                          const std::function<int(int, int)>& staffAt, const std::function<void()>& beforeChange) {
  InputReply reply{text::kLeaving, {}, false, false};
  m_fileLines.clear();
  int staff = chooseStaff(staffAt);
  if (staff < 1) return reply;
  beforeChange();
  const PageStore atStart = page;
  const std::vector<uint8_t> copy = encodeAbandonStore(page);
  (void)m_files.writeWhole(kAbandonFileName, copy);
  InputSession session(page, preferences);
  std::optional<std::pair<float, float>> range;
  for (int stretch = 0; stretch < kMostStretches; ++stretch) {
    if (!range || m_fileLines.empty()) range = askRange(staff);
    if (!range) break;
    session.startStretch(staff, range->first, range->second);
    if (runStages(session, false) == Flow::Leave) break;
    if (askContinue(staff + 1)) {
      ++staff;
      continue;
    }
    endMenu(session, page, atStart, reply);
    break;
  }
  m_fileLines.clear();
  reply.changed = encodeAbandonStore(page) != copy;
  return reply;
}

int InputMode::chooseStaff(const std::function<int(int, int)>& staffAt) {
  for (int tries = 0; tries < kMostTries; ++tries) {
    ++m_waitLevel;
    const UserEvent event = m_host.waitForInput(WaitKind::Click, text::kClickStaff);
    --m_waitLevel;
    if (event.kind == UserEvent::Kind::Click) {
      if (const int staff = staffAt(event.x, event.y); staff > 0) return staff;
      continue;
    }
    if (event.kind != UserEvent::Kind::Command) return 0;
    const CommandLine words = splitCommandLine(event.text);
    if (words.mnemonic == "X" || leaves(event.text)) return 0;
    if (words.numbersOnly && !words.numbers.empty() && words.numbers.front() >= 1 && words.numbers.front() < 10000) {
      return truncToInt(words.numbers.front());
    }
  }
  return 0;
}

std::optional<std::pair<float, float>> InputMode::askRange(int staff) {
  m_host.showMessage(filled(text::kSetInputSpace, staff));
  for (int tries = 0; tries < kMostTries; ++tries) {
    const std::optional<std::string> answer = prompt(text::kRangePrompt);
    if (!answer || leaves(*answer)) return std::nullopt;
    const CommandLine words = splitCommandLine(*answer);
    if (trimmed(*answer).empty()) return std::make_pair(text::kDefaultLeft, text::kDefaultRight);
    if (!words.numbersOnly || words.numbers.size() < 2) continue;
    const float left = static_cast<float>(words.numbers[0]);
    const float right = static_cast<float>(words.numbers[1]);
    if (right > left && left >= -kMostPosition && right <= kMostPosition) return std::make_pair(left, right);
    m_host.showMessage(text::kBadRange);
  }
  return std::nullopt;
}

InputMode::Flow InputMode::runStages(InputSession& session, bool editing) {
  bool noRhythms = false;
  for (const InputStage stage : {InputStage::Notes, InputStage::Rhythms, InputStage::Marks, InputStage::Beams,
                                 InputStage::Slurs}) {
    if (stage == InputStage::Rhythms && noRhythms) continue;
    if (runStage(session, stage, editing, noRhythms) == Flow::Leave) return Flow::Leave;
  }
  return Flow::Finished;
}

InputMode::Flow InputMode::runStage(InputSession& session, InputStage stage, bool editing, bool& noRhythms) {
  const int index = static_cast<int>(stage) - 1;
  for (int tries = 0; tries < kMostTries; ++tries) {
    if (editing) m_host.showMessage(text::kStoredLine + session.storedLines()[index]);
    const bool typed = m_fileLines.empty();
    std::optional<std::string> line = nextLine(stagePrompt(stage, session.notesCount()));
    if (!line || leaves(*line)) return Flow::Leave;
    if (editing && trimmed(*line).empty()) line = session.storedLines()[index];
    if (stage == InputStage::Notes && typed && isMidiWord(*line)) {
      line = playedLine(session);
      if (!line) continue;
    }
    if (const std::optional<std::string> name = inputFileName(*line)) {
      openInputFile(*name);
      continue;
    }
    const StageReply reply = session.feed(stage, *line);
    show(reply.messages);
    if (reply.refused) m_fileLines.clear();  // the user mends the line the file could not give
    if (reply.result == StageResult::Again) continue;
    noRhythms = reply.result == StageResult::NoRhythms;
    return Flow::Finished;
  }
  return Flow::Leave;
}

std::optional<std::string> InputMode::playedLine(const InputSession& session) {
  const MidiKeyboardLine played = playNotesLine(m_host, session.keySignature(), m_waitLevel);
  if (!played.available) m_host.showMessage(text::kNoMidi);
  else if (!played.line) m_host.showMessage(text::kMidiLeft);
  else m_host.showMessage(text::kMidiLinePrefix + *played.line);
  return played.line;
}

std::optional<std::string> InputMode::nextLine(std::string_view line) {
  if (m_fileLines.empty()) return prompt(line);
  std::string next = std::move(m_fileLines.front());
  m_fileLines.pop_front();
  return next;
}

bool InputMode::openInputFile(std::string_view name) {
  std::optional<std::vector<std::string>> lines = readLinesOf(m_files, name);
  if (!lines) {
    m_host.showMessage(text::kInputFileMissing + std::string(name));
    return false;
  }
  m_host.showMessage(text::kInputFileOpen + std::string(name));
  m_fileLines.assign(lines->begin(), lines->end());
  return true;
}

bool InputMode::askContinue(int nextStaff) {
  if (!m_fileLines.empty()) return true;
  return askYesNo(filled(text::kContinueOnStaff, nextStaff));
}

InputMode::Flow InputMode::endMenu(InputSession& session, PageStore& page, const PageStore& atStart,
                                   InputReply& reply) {
  for (int tries = 0; tries < kMostTries; ++tries) {
    const std::optional<std::string> answer = prompt(text::kEndMenu);
    const std::string choice = answer ? toUpper(trimmed(*answer)).substr(0, 1) : "X";
    if (choice == "E") {
      session.restoreStretchStart();
      if (runStages(session, true) == Flow::Leave) return Flow::Leave;
    } else if (choice == "S") {
      saveLines(session);
    } else if (choice == "A") {
      page = atStart;
      reply.message = text::kAbandoned;
      return Flow::Leave;
    } else if (choice == "X" || choice == "^") {
      return Flow::Leave;
    }
  }
  return Flow::Leave;
}

void InputMode::saveLines(const InputSession& session) {
  const std::optional<std::string> answer = prompt(text::kSaveName);
  if (!answer) return;
  const std::string name = trimmed(*answer).empty() ? std::string(text::kDefaultSaveName) : trimmed(*answer);
  if (m_files.findExisting(name) && !askYesNo(text::kFileExists)) return;
  std::vector<std::string> lines;
  for (int i = 0; i < kStageLines; ++i)
    if (session.storedGiven()[i]) lines.push_back(session.storedLines()[i]);
  const std::string content = writeInputFileLines(lines);
  const WriteResult written =
      m_files.writeWhole(name, std::span(reinterpret_cast<const uint8_t*>(content.data()), content.size()));
  m_host.showMessage(written == WriteResult::Written ? text::kLinesSaved + name : std::string(text::kErrorWriting));
}

InputReply InputMode::runFile(PageStore& page, const Preferences& preferences, std::string_view fileName, int staff,
                              float left, float right) {
  InputReply reply;
  const std::optional<std::vector<std::string>> lines = readLinesOf(m_files, fileName);
  if (!lines) return {text::kInputFileMissing + std::string(fileName), {}, true, false};
  InputSession session(page, preferences);
  size_t next = 0;
  for (int stretch = 0; stretch < kMostStretches && next < lines->size(); ++stretch, ++staff) {
    session.startStretch(staff, left, right);
    bool noRhythms = false;
    for (int stage = 1; stage <= kStageLines && next < lines->size(); ++stage) {
      if (stage == 2 && noRhythms) continue;
      const StageReply stageReply = session.feed(static_cast<InputStage>(stage), (*lines)[next++]);
      reply.messages.insert(reply.messages.end(), stageReply.messages.begin(), stageReply.messages.end());
      if (stageReply.refused) {
        session.restoreStretchStart();
        reply.failed = true;
        return reply;
      }
      if (stageReply.result == StageResult::Again) --stage;
      noRhythms = noRhythms || stageReply.result == StageResult::NoRhythms;
      reply.changed = true;
    }
  }
  return reply;
}

}  // namespace ts
