// The commands of texts: "TZ size width step" makes a text and asks for its
// characters, "TX" types the characters of the open text anew, "FNTnn"
// sets its font (and "FONTX" takes that back), "TSZP" sets it a point
// larger. A text keeps its numeric parameters; P12 follows the number of
// characters.

#include "engine/engine.h"
#include "engine/engine_messages.h"

namespace ts {
namespace {

constexpr int kFontParam = 6;             // P6: font number
constexpr int kSizeParam = 7;             // P7: size in points (0: 12)
constexpr int kWidthParam = 8;            // P8: width factor
constexpr int kCharacterCountParam = 12;  // P12 of a text item
constexpr float kDefaultTextSize = 12.0f;
// 100 character words: the whole record still fits the undelete store (125
// words), and a typed line of the input line (512 characters) holds it.
constexpr int kMaxTextCharacters = 400;
constexpr int kHighestFont = 99;

// "TZ 12 100 14": 12 points, 100 % wide, at step 14.
ItemRecord newText(const CreationPlace& place, const std::vector<double>& numbers, const std::string& characters) {
  const auto number = [&](size_t i, double fallback) { return i < numbers.size() ? numbers[i] : fallback; };
  ItemRecord record;
  record.params.assign(kTextParams, 0.0f);
  record.params[0] = static_cast<float>(kCodeText);
  record.params[1] = place.staff;
  record.params[2] = place.position;
  record.params[3] = static_cast<float>(number(2, 14.0));
  record.params[kSizeParam - 1] = static_cast<float>(number(0, kDefaultTextSize));
  record.params[kWidthParam - 1] = static_cast<float>(number(1, 100.0) / 100.0);
  record.params[kCharacterCountParam - 1] = static_cast<float>(characters.size());
  record.text = characters;
  return record;
}

}  // namespace

std::optional<std::string> Engine::askTextCharacters() {
  std::optional<std::string> typed = m_host.promptLine(messages::kTypeText);
  if (typed && typed->size() > static_cast<size_t>(kMaxTextCharacters)) {
    fail(messages::kTextTooLong);
    return std::nullopt;
  }
  return typed;
}

bool Engine::textCommand(const CommandLine& line) {
  const std::string& m = line.mnemonic;
  if (m == "TZ") {
    newTextCommand(line);
    return true;
  }
  if (m != "TX" && m != "FNT" && m != "FONTX" && m != "TSZP") return false;
  if (!m_editing || truncToInt(m_edit[0]) != kCodeText) {
    fail(messages::kOpenTextFirst);
    return true;
  }
  if (m == "TX") {
    retypeText();
  } else if (m == "FNT") {
    const int font = line.numbers.empty() ? -1 : truncToInt(line.numbers.front());
    if (font < 0 || font > kHighestFont) {
      fail(messages::kWhichFont);
      return true;
    }
    m_fontBeforeChange = m_edit[kFontParam - 1];
    m_edit[kFontParam - 1] = static_cast<float>(font);
    editChanged();
  } else if (m == "FONTX") {
    m_edit[kFontParam - 1] = m_fontBeforeChange;
    editChanged();
  } else {
    const float size = m_edit[kSizeParam - 1] == 0.0f ? kDefaultTextSize : m_edit[kSizeParam - 1];
    m_edit[kSizeParam - 1] = size + 1.0f;
    editChanged();
  }
  return true;
}

void Engine::newTextCommand(const CommandLine& line) {
  const std::optional<std::string> typed = askTextCharacters();
  if (!typed) return;  // cancelled or refused: no text is made
  writeBackEdit();
  const int added = m_page.append(newText(creationPlace(), line.numbers, *typed));
  if (added == 0) {
    fail(messages::kPageFull);
    return;
  }
  markModified();
  m_lastItem = added;
  m_editing = false;
  if (m_goDirect) openItem(added);
}

void Engine::retypeText() {
  const std::optional<std::string> typed = askTextCharacters();
  if (!typed) return;  // the text stays as it was
  writeBackEdit();
  ItemRecord record = m_page.record(m_current);
  record.text = *typed;
  record.params[kCharacterCountParam - 1] = static_cast<float>(typed->size());
  if (!m_page.replace(m_current, record)) {
    fail(messages::kPageFull);
    return;
  }
  m_page.loadWorking(m_current, m_edit);
  m_editText = m_page.text(m_current);
  markModified();
}

}  // namespace ts
