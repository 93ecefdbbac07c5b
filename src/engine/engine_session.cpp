#include "engine/engine_session.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "model/page_file.h"

namespace ts {
namespace {

template <size_t N>
void put(std::array<char, N>& field, std::string_view text) {
  field.fill(' ');
  const size_t length = std::min(text.size(), N - 1);
  std::memcpy(field.data(), text.data(), length);
  if (length < N) field[length] = '\0';
}

std::string takeLine(const std::array<char, kInputLineSize>& field) {
  size_t length = 0;
  while (length < field.size() && field[length] != '\0') ++length;
  while (length > 0 && field[length - 1] == ' ') --length;
  return std::string(field.data(), length);
}

}  // namespace

EngineSession::EngineSession(Engine& engine)
    : m_engine(engine), m_displayList(kDisplayListWords, 0), m_textList(kTextListBytes, 0) {}

CallResult EngineSession::run(std::string_view command, std::string_view input) {
  if (!command.empty()) put(m_engine.commandBuffer(), command);
  put(m_engine.inputLine(), input);
  int32_t status = 0;
  CallResult result;
  result.messageBox = m_engine.call(m_displayList.data(), m_displayUsed, m_textList.data(), m_textUsed, status);
  result.status = status;
  result.failed = m_engine.lastCallFailed();
  result.message = takeLine(m_engine.inputLine());
  m_lastMessage = result.message;
  return result;
}

CallResult EngineSession::sendCommand(std::string_view command) {
  return run(command, m_lastMessage);
}

CallResult EngineSession::typeLine(std::string_view line) { return run({}, line); }

CallResult EngineSession::pressKey(int virtualKey) {
  char key[8];
  std::snprintf(key, sizeof key, "~~%03d", std::clamp(virtualKey, 0, 999));
  return run({}, key);
}

CallResult EngineSession::click(int x, int y) {
  m_engine.setClickPosition(x, y);
  return run("~", "~");
}

CallResult EngineSession::box(int x1, int y1, int x2, int y2) {
  m_engine.setDragStart(x1, y1);
  m_engine.setClickPosition(x2, y2);
  return run("~x", "|");
}

CallResult EngineSession::openPage(std::string_view path) {
  // A path the input line cannot hold whole is refused, never cut.
  if (path.size() + 3 >= static_cast<size_t>(kInputLineSize)) return refused(page_file_messages::kNotFound, path);
  return run({}, "~~R" + std::string(path));
}

CallResult EngineSession::savePage(std::string_view path) {
  if (path.size() >= static_cast<size_t>(kCommandBufferSize)) return refused(page_file_messages::kErrorWriting, path);
  return run(path, "~~W");
}

DrawnLists EngineSession::drawForPrint() {
  DrawnLists lists;
  lists.words.assign(static_cast<size_t>(kDisplayListWords), 0);
  lists.text.assign(static_cast<size_t>(kTextListBytes), 0);
  int32_t wordsUsed = 0, textUsed = 0;
  DisplayTarget target{lists.words.data(), kDisplayListWords, &wordsUsed, lists.text.data(), kTextListBytes, &textUsed};
  lists.warnings = m_engine.drawForPrint(target);
  lists.words.resize(static_cast<size_t>(wordsUsed));
  lists.text.resize(static_cast<size_t>(textUsed));
  return lists;
}

CallResult EngineSession::refused(std::string_view message, std::string_view path) {
  CallResult result;
  result.message = std::string(message) + " " + std::string(path);
  result.failed = true;
  m_lastMessage = result.message;
  return result;
}

}  // namespace ts
