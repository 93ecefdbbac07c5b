// "TX": the characters of the text item being edited, typed anew. A text
// keeps its numeric parameters; P12 follows the number of characters.

#include "engine/engine.h"
#include "engine/engine_messages.h"

namespace ts {
namespace {

constexpr int kCharacterCountParam = 12;  // P12 of a text item
// 100 character words: the whole record still fits the undelete store (125
// words), and a typed line of the input line (512 characters) holds it.
constexpr int kMaxTextCharacters = 400;

}  // namespace

bool Engine::textCommand(std::string_view mnemonic) {
  if (mnemonic != "TX") return false;
  if (!m_editing || truncToInt(m_edit[0]) != kCodeText) {
    fail(messages::kOpenTextFirst);
    return true;
  }
  const std::optional<std::string> typed = m_host.promptLine(messages::kTypeText);
  if (!typed) return true;  // cancelled: the text stays as it was
  if (typed->size() > static_cast<size_t>(kMaxTextCharacters)) {
    fail(messages::kTextTooLong);
    return true;
  }
  writeBackEdit();
  ItemRecord record = m_page.record(m_current);
  record.text = *typed;
  record.params[kCharacterCountParam - 1] = static_cast<float>(typed->size());
  if (!m_page.replace(m_current, record)) {
    fail(messages::kPageFull);
    return true;
  }
  m_page.loadWorking(m_current, m_edit);
  m_editText = m_page.text(m_current);
  markModified();
  return true;
}

}  // namespace ts
