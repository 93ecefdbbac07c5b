#include "layout/input_line.h"

#include <algorithm>
#include <cctype>

#include "layout/input_messages.h"

namespace ts {
namespace {

bool isNameCharacter(char c) { return std::isalnum(static_cast<unsigned char>(c)) != 0; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

std::string upperLeftTrimmed(std::string_view raw) {
  std::string text;
  size_t at = 0;
  while (at < raw.size() && raw[at] == ' ') ++at;
  for (; at < raw.size() && text.size() < kInputLineLimit; ++at) {
    const char c = raw[at];
    // Tabs and line ends read as blanks; other control bytes are left for the readers to refuse.
    text += (c == '\t' || c == '\r' || c == '\n') ? ' ' : static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  }
  return text;
}

LineError lineError(const std::string& line, size_t column, std::string message = {}) {
  return LineError{line, column, std::move(message)};
}

// Replaces every "@NAME" by its motive's text, motives inside motives too.
std::optional<LineError> expandMotives(std::string& text, const std::map<std::string, std::string>& motives) {
  for (int depth = 0; text.find('@') != std::string::npos; ++depth) {
    if (depth >= kMotiveDepth) return lineError(text, text.find('@') + 1, input_messages::kMotiveTooDeep);
    std::string out;
    for (size_t at = 0; at < text.size();) {
      if (text[at] != '@') {
        out += text[at++];
        continue;
      }
      size_t end = at + 1;
      while (end < text.size() && isNameCharacter(text[end])) ++end;
      const std::string name = text.substr(at + 1, end - at - 1);
      const auto found = motives.find(name);
      if (found == motives.end()) {
        return lineError(text, at + 1,
                         std::string(input_messages::kMotiveNotFound) + name + input_messages::kMotiveNotFoundEnd);
      }
      out += found->second;
      if (out.size() > kExpandedLineLimit) return lineError(text, at + 1, input_messages::kLineTooLong);
      at = end;
    }
    text = std::move(out);
  }
  return std::nullopt;
}

void replaceCharacters(std::string& text, InputStage stage) {
  const bool pairsOrMarks = stage == InputStage::Marks || stage == InputStage::Beams || stage == InputStage::Slurs;
  for (char& c : text) {
    if (c == '\'') c = ':';
    if (c == ',') c = '/';
    if (c == '=' && pairsOrMarks) c = '+';
  }
}

void endLine(std::string& text) {
  while (!text.empty() && text.back() == ' ') text.pop_back();
  if (text.empty() || (text.back() != ';' && text.back() != '/')) text += ';';
  const size_t end = text.find(';');
  if (end != std::string::npos) text.erase(end + 1);
}

// The repeat count of an "X n" standing just before a "[" at the end of
// `out`, which is taken off; 1 when there is none.
int takeGroupRepeat(std::string& out) {
  size_t end = out.size();
  while (end > 0 && out[end - 1] == ' ') --end;
  size_t digits = end;
  while (digits > 0 && isDigit(out[digits - 1])) --digits;
  size_t x = digits;
  while (x > 0 && out[x - 1] == ' ') --x;
  if (x == 0 || out[x - 1] != 'X') return 1;
  const size_t before = x - 1;
  if (before > 0 && out[before - 1] != '/' && out[before - 1] != ':' && out[before - 1] != ' ') return 1;
  int count = 2;
  if (digits < end) {
    if (end - digits > 3) return -1;
    count = std::stoi(out.substr(digits, end - digits));
  }
  if (count < 1 || count > static_cast<int>(kTokenLimit)) return -1;
  out.erase(before);
  return count;
}

struct GroupReader {
  const std::string& text;
  size_t at = 0;
  std::optional<LineError> error;

  // Reads up to the "]" that closes this level (or the end at level 0).
  std::string sequence(int depth) {
    std::string out;
    while (at < text.size() && !error) {
      const char c = text[at];
      if (c == ']') {
        if (depth == 0) error = lineError(text, at + 1);
        return out;
      }
      if (c != '[') {
        out += c;
        ++at;
        continue;
      }
      const size_t open = at++;
      const int count = takeGroupRepeat(out);
      if (count < 0 || depth + 1 > kGroupDepth) error = lineError(text, open + 1);
      const std::string inner = sequence(depth + 1);
      if (error) return out;
      if (at >= text.size()) {
        error = lineError(text, open + 1);
        return out;
      }
      ++at;  // the "]"
      if (inner.size() * static_cast<size_t>(count) + out.size() > kExpandedLineLimit) {
        error = lineError(text, open + 1, input_messages::kLineTooLong);
        return out;
      }
      for (int i = 0; i < count; ++i) {
        if (i > 0 && !inner.empty() && inner.back() != '/') out += '/';
        out += inner;
      }
    }
    return out;
  }
};

// "T" and a note value in figures becomes "T" and its letter.
void rewriteTupletFigures(std::string& text) {
  struct Figure {
    const char* digits;
    char letter;
  };
  constexpr Figure kFigures[] = {{"16", 'S'}, {"2", 'H'}, {"32", 'T'}, {"4", 'Q'}, {"8", 'E'}};
  std::string out;
  for (size_t at = 0; at < text.size();) {
    out += text[at];
    if (text[at++] != 'T') continue;
    size_t end = at;
    while (end < text.size() && isDigit(text[end])) ++end;
    const std::string digits = text.substr(at, end - at);
    const auto figure = std::find_if(std::begin(kFigures), std::end(kFigures),
                                     [&](const Figure& f) { return digits == f.digits; });
    if (figure == std::end(kFigures)) continue;
    out += figure->letter;
    at = end;
  }
  text = std::move(out);
}

}  // namespace

PreparedLine prepareLine(std::string_view raw, InputStage stage, const std::map<std::string, std::string>& motives) {
  PreparedLine prepared;
  std::string text = upperLeftTrimmed(raw);
  if (std::optional<LineError> error = expandMotives(text, motives)) {
    prepared.error = std::move(error);
    return prepared;
  }
  replaceCharacters(text, stage);
  endLine(text);
  GroupReader groups{text, 0, std::nullopt};
  std::string expanded = groups.sequence(0);
  if (groups.error) {
    prepared.error = std::move(groups.error);
    return prepared;
  }
  if (stage == InputStage::Rhythms) rewriteTupletFigures(expanded);
  prepared.text = std::move(expanded);
  return prepared;
}

std::optional<std::pair<std::string, std::string>> motiveDefinition(std::string_view raw) {
  const std::string text = upperLeftTrimmed(raw);
  if (text.empty() || text[0] != '@') return std::nullopt;
  size_t end = 1;
  while (end < text.size() && isNameCharacter(text[end])) ++end;
  size_t equals = end;
  while (equals < text.size() && text[equals] == ' ') ++equals;
  if (end == 1 || equals >= text.size() || text[equals] != '=') return std::nullopt;
  std::string body = text.substr(equals + 1, text.find(';') == std::string::npos ? std::string::npos
                                                                                    : text.find(';') - equals - 1);
  while (!body.empty() && body.front() == ' ') body.erase(body.begin());
  while (!body.empty() && body.back() == ' ') body.pop_back();
  return std::make_pair(text.substr(1, end - 1), body);
}

std::vector<Token> splitTokens(const std::string& prepared, InputStage stage) {
  std::vector<Token> tokens;
  Token current;
  current.column = 1;
  for (size_t at = 0; at < prepared.size(); ++at) {
    const char c = prepared[at];
    const bool separator = c == '/' || c == ';' || (c == ':' && stage == InputStage::Notes);
    if (!separator) {
      current.text += c;
      continue;
    }
    current.end = c;
    tokens.push_back(std::move(current));
    if (c == ';') break;
    current = Token{};
    current.column = at + 2;
  }
  return tokens;
}

size_t TokenCursor::skipBlanks() const {
  size_t at = m_at;
  while (at < m_token.text.size() && m_token.text[at] == ' ') ++at;
  return at;
}

char TokenCursor::peek() const {
  const size_t at = skipBlanks();
  return at < m_token.text.size() ? m_token.text[at] : '\0';
}

char TokenCursor::peekAt(int ahead) const {
  size_t at = skipBlanks();
  for (int i = 0; i < ahead && at < m_token.text.size(); ++i) {
    ++at;
    while (at < m_token.text.size() && m_token.text[at] == ' ') ++at;
  }
  return at < m_token.text.size() ? m_token.text[at] : '\0';
}

char TokenCursor::take() {
  const size_t at = skipBlanks();
  if (at >= m_token.text.size()) return '\0';
  m_lastColumn = m_token.column + at;
  m_at = at + 1;
  return m_token.text[at];
}

std::optional<int> TokenCursor::number(int maxDigits) {
  size_t at = skipBlanks();
  int value = 0;
  int digits = 0;
  while (at < m_token.text.size() && isDigit(m_token.text[at])) {
    if (++digits > maxDigits) return std::nullopt;
    value = value * 10 + (m_token.text[at++] - '0');
  }
  if (digits == 0) return std::nullopt;
  m_lastColumn = m_token.column + at - 1;
  m_at = at;
  return value;
}

std::optional<double> TokenCursor::decimal() {
  size_t at = skipBlanks();
  std::string figures;
  while (at < m_token.text.size() && (isDigit(m_token.text[at]) || m_token.text[at] == '.') && figures.size() < 12) {
    figures += m_token.text[at++];
  }
  if (figures.empty() || std::count(figures.begin(), figures.end(), '.') > 1 || figures == ".") return std::nullopt;
  m_at = at;
  return std::stod(figures);
}

char TokenCursor::typedBefore() const {
  const size_t at = skipBlanks();
  return at == 0 ? '\0' : m_token.text[at - 1];
}

size_t TokenCursor::column() const { return m_token.column + skipBlanks(); }

std::string syntaxErrorText(const LineError& error) {
  if (!error.message.empty()) return error.message;
  const std::string head = input_messages::kSyntaxError;
  const size_t shift = static_cast<size_t>(input_messages::kSyntaxErrorShift);
  std::string text = head + std::string(shift - head.size(), ' ') + error.line;
  const size_t caret = shift + std::max<size_t>(error.column, 1) - 1;
  text += "\n" + std::string(caret, ' ') + "^";
  return text;
}

}  // namespace ts
