#pragma once
// The input mode, a component of the engine: "IN" asks for a staff (a
// click on it, or its number), then for each stretch the range and the
// five stage lines, whether to go on with the staff above, and at the end
// what to do with the lines (edit them again, save them to a file, leave).
//
// At any stage prompt "RE NAME" opens an input file: the stage lines then
// come from it instead of the prompts, stretch after stretch (each on the
// staff above the last, in the same range, without asking), until the
// file ends or one of its lines cannot be read. A line starting with "^"
// leaves input mode at once; what the finished stages built stays. "A" at
// the end-of-input menu gives back the page as it was when "IN" began.

#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/input_session.h"

namespace ts {

class EngineHost;
class HostFiles;

inline constexpr const char* kAbandonFileName = "!abandon.tmp";

struct InputReply {
  std::string message;
  std::vector<std::string> messages;  // what a file's lines had to say (file input only)
  bool failed = false;
  bool changed = false;
};

class InputMode {
 public:
  InputMode(EngineHost& host, const HostFiles& files, int& waitLevel)
      : m_host(host), m_files(files), m_waitLevel(waitLevel) {}

  // "IN". `staffAt` gives the staff of a click (display units), 0 for none;
  // `beforeChange` runs once, when a staff has been chosen.
  InputReply run(PageStore& page, const Preferences& preferences, const std::function<int(int, int)>& staffAt,
                 const std::function<void()>& beforeChange);

  // The stage lines of an input file fed to a staff and the staves above
  // it, five lines (four without rhythms) to a stretch. A line that cannot
  // be read stops it, with the page as it was before that stretch.
  InputReply runFile(PageStore& page, const Preferences& preferences, std::string_view fileName, int staff,
                     float left, float right);

 private:
  enum class Flow { Finished, Leave };

  int chooseStaff(const std::function<int(int, int)>& staffAt);
  std::optional<std::pair<float, float>> askRange(int staff);
  Flow runStages(InputSession& session, bool editing);
  Flow runStage(InputSession& session, InputStage stage, bool editing, bool& noRhythms);
  std::optional<std::string> nextLine(std::string_view prompt);
  // "MIDI" at the notes prompt: the line played on the keyboard, nothing
  // when there is none (the prompt is asked again).
  std::optional<std::string> playedLine(const InputSession& session);
  bool openInputFile(std::string_view name);
  bool askContinue(int nextStaff);
  Flow endMenu(InputSession& session, PageStore& page, const PageStore& atStart, InputReply& reply);
  void saveLines(const InputSession& session);
  void show(const std::vector<std::string>& messages);
  std::optional<std::string> prompt(std::string_view text);
  bool askYesNo(std::string_view text);

  EngineHost& m_host;
  const HostFiles& m_files;
  int& m_waitLevel;
  std::deque<std::string> m_fileLines;  // lines of the open input file still to be read
};

}  // namespace ts
