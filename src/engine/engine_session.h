#pragma once
// What every host does around an engine call: owns the display and text
// lists, puts a user action into the command buffer or input line, calls
// the engine and takes the message line back. The desktop program and the
// tsm driver both go through it.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "engine/engine.h"

namespace ts {

struct CallResult {
  std::string message;   // the message line, trailing blanks trimmed
  bool messageBox = false;
  int status = 0;
  bool failed = false;   // the action could not be done (Engine::lastCallFailed)
};

// Display and text lists of a drawing of their own, cut to what was drawn.
struct DrawnLists {
  std::vector<int32_t> words;
  std::vector<char> text;
  std::vector<std::string> warnings;
};

class EngineSession {
 public:
  explicit EngineSession(Engine& engine);

  // A menu or button command: the command buffer, with the previous
  // message line as input line.
  CallResult sendCommand(std::string_view command);
  // A line typed in the command line.
  CallResult typeLine(std::string_view line);
  // A navigation or function key, as "~~" and its code in three digits.
  CallResult pressKey(int virtualKey);
  // A click, and a dragged box, in engine display units.
  CallResult click(int x, int y);
  CallResult box(int x1, int y1, int x2, int y2);
  // The document's open and save.
  CallResult openPage(std::string_view path);
  CallResult savePage(std::string_view path);
  // The page drawn for print; the screen lists stay as the last call left them.
  DrawnLists drawForPrint();

  Engine& engine() { return m_engine; }
  const std::vector<int32_t>& displayList() const { return m_displayList; }
  int32_t displayUsed() const { return m_displayUsed; }
  const std::vector<char>& textList() const { return m_textList; }
  int32_t textUsed() const { return m_textUsed; }
  const std::string& lastMessage() const { return m_lastMessage; }

 private:
  CallResult run(std::string_view command, std::string_view input);
  CallResult refused(std::string_view message, std::string_view path);

  Engine& m_engine;
  std::vector<int32_t> m_displayList;
  int32_t m_displayUsed = 0;
  std::vector<char> m_textList;
  int32_t m_textUsed = 0;
  std::string m_lastMessage;
};

}  // namespace ts
