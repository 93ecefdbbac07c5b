#pragma once
// The tsm driver's side of the engine's callbacks: everything the engine
// shows is printed, one line each, and every answer is the next line of the
// script.

#include <deque>
#include <functional>
#include <iosfwd>
#include <optional>
#include <string>

#include "engine/engine_host.h"

namespace tsm {

class ScriptHost : public ts::EngineHost {
 public:
  // `nextLine` gives the next line of the script, nothing at its end.
  ScriptHost(std::function<std::optional<std::string>()> nextLine, std::ostream& out);

  void messageBox(std::string_view text) override;
  bool askYesNo(std::string_view question) override;
  int askThreeButtons(std::string_view question, const std::array<std::string, 3>& buttons) override;
  std::optional<std::string> promptLine(std::string_view prompt) override;
  std::optional<std::vector<std::string>> askFields(std::string_view title,
                                                    const std::vector<ts::DialogField>& fields) override;
  std::optional<int> askChoice(std::string_view title, const std::vector<std::string>& choices) override;
  ts::UserEvent waitForInput(ts::WaitKind kind, std::string_view prompt) override;
  std::optional<uint32_t> chooseColour(uint32_t initial) override;
  void showMessage(std::string_view text) override;
  void switchEditMenu(int menu, int page) override;

  // A MIDI keyboard played by the script ("!midi-keyboard" turns it on):
  // while notes are played, "!midi KEY..." strikes keys together (a chord)
  // half a second after the last ones, and every other line is a menu
  // command, which becomes its action code as in the desktop program.
  void setMidiKeyboard(bool on) { m_midiKeyboard = on; }
  bool startMidiKeyboard() override { return m_midiKeyboard; }
  ts::MidiKeyboardEvent waitForMidiKeyboard(std::string_view line) override;

  // Prints a text, one line per line of it ('|' and line breaks), trailing
  // blanks trimmed; a line equal to the one printed just before is not
  // printed twice.
  void print(std::string_view text);
  // Forgets the last printed line, so the next identical line prints.
  void startCall() { m_lastPrinted.reset(); }

  // Reads a user action line ("!click 10 20") into an event.
  static std::optional<ts::UserEvent> parseAction(const std::string& line);

 private:
  std::optional<std::string> answer();

  std::function<std::optional<std::string>()> m_nextLine;
  std::ostream& m_out;
  std::optional<std::string> m_lastPrinted;
  bool m_midiKeyboard = false;
  std::deque<ts::MidiKeyboardEvent> m_struck;  // keys of a "!midi" line not yet taken
  uint32_t m_keyboardClock = 0;
};

// The next script line that is not a comment.
std::optional<std::string> nextScriptLine(std::istream& in);

}  // namespace tsm
