#include "layout/marks_line.h"

#include <cctype>

namespace ts {
namespace {

constexpr double kHighestNoteNumber = 10000.0;  // numbers beyond any line, kept finite
constexpr int kTrillWiggle = 100;             // "W" after a trill mnemonic

char at(std::string_view text, size_t i) { return i < text.size() ? text[i] : '\0'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

std::optional<int> markA(std::string_view m) {
  if (at(m, 1) == 'C') return at(m, 2) == 'T' ? 25 : 68;
  if (at(m, 1) == 'R') return 15;
  if (at(m, 1) == 'S') return 9;
  if (at(m, 1) == 'O') return 67;
  return 5;
}

std::optional<int> markF(std::string_view m) {
  const char second = at(m, 1);
  if (second == 'I') return at(m, 2) == 'S' ? 2 : at(m, 2) == 'N' ? 3 : 1;
  if (second == 'F') {
    if (at(m, 2) == '\0') return 57;
    if (at(m, 2) == 'F') return 58;
    return std::nullopt;
  }
  if (second == 'P') return 60;
  if (second == 'E') return 14;
  if (isDigit(second)) return 30 + (second - '0');
  return 56;
}

std::optional<int> markP(std::string_view m) {
  const char second = at(m, 1);
  if (second == '\0') return 53;
  if (second == 'P') return at(m, 2) == 'P' ? 51 : 52;
  if (second == 'Z') return 66;
  return 24;
}

std::optional<int> markS(std::string_view m) {
  const char second = at(m, 1);
  if (second == '\0') return 7;
  if (at(m, 2) != '\0') return 62;
  if (second >= '2' && second <= '4') return 26 + (second - '2');
  return 61;
}

std::optional<int> markT(std::string_view m) {
  const char second = at(m, 1);
  if (second == '\0') return 6;
  if (second == 'S') return 10;
  if (second == 'H') return 16;
  if (second == 'R') {
    const char third = at(m, 2);
    const int trill = third == '\0' || third == 'W' ? 20 : third == 'S' ? 22 : third == 'N' ? 23 : 21;
    const bool wiggle = third == 'W' || (third != '\0' && at(m, 3) == 'W');
    return trill + (wiggle ? kTrillWiggle : 0);
  }
  const char third = at(m, 2);
  if (third == 'E') return 91;
  if (third == 'S') return 92;
  if (third >= '1' && third <= '4') return 91 + (third - '1');
  return 93;
}

std::optional<int> markN(std::string_view m) {
  int n = 0;
  size_t i = 1;
  for (; i < m.size() && isDigit(m[i]) && i < 6; ++i) n = n * 10 + (m[i] - '0');
  if (i == 1 || i != m.size()) return std::nullopt;
  return -n;
}

class MarksReader {
 public:
  explicit MarksReader(const std::string& line) : m_line(line) {}

  bool read(const Token& token) {
    TokenCursor c(token);
    if (c.atEnd()) return true;
    MarkRequest request;
    if (c.peek() == '+' || c.peek() == '-') {
      c.take();
      request.flagged = true;
    }
    const size_t mnemonicColumn = c.column();
    const std::string mnemonic = readMnemonic(c);
    const std::optional<int> mark = markNumber(mnemonic);
    if (!mark) return fail(mnemonicColumn);
    request.mark = *mark;
    while (!c.atEnd()) {
      const std::optional<double> n = c.decimal();
      if (!n) return fail(c.column());
      request.notes.push_back(*n > kHighestNoteNumber ? kHighestNoteNumber : *n);
    }
    if (request.notes.empty()) return fail(c.column());
    m_marks.push_back(std::move(request));
    return true;
  }
  std::vector<MarkRequest>& marks() { return m_marks; }
  std::optional<LineError>& error() { return m_error; }

 private:
  // The mnemonic runs to the first blank (its letters, digits and "-").
  static std::string readMnemonic(TokenCursor& c) {
    std::string mnemonic;
    mnemonic += c.take();
    while (c.typedBefore() != ' ' && !c.atEnd() && mnemonic.size() < 8) mnemonic += c.take();
    return mnemonic;
  }

  bool fail(size_t column) {
    if (!m_error) m_error = LineError{m_line, column, {}};
    return false;
  }

  const std::string& m_line;
  std::vector<MarkRequest> m_marks;
  std::optional<LineError> m_error;
};

}  // namespace

std::optional<int> markNumber(std::string_view m) {
  const bool second = at(m, 1) != '\0';
  switch (at(m, 0)) {
    case 'A': return markA(m);
    case 'C': return at(m, 1) == 'R' ? 63 : at(m, 1) == '-' ? 98 : 97;
    case 'D': return at(m, 1) == 'I' ? 64 : 11;
    case 'F': return markF(m);
    case 'H': return second ? 19 : 13;
    case 'I': return 18;
    case 'M': return at(m, 1) == 'F' ? 55 : at(m, 1) == 'P' ? 54 : 17;
    case 'N': return markN(m);
    case 'O': return at(m, 1) == 'B' ? 95 : 96;
    case 'P': return markP(m);
    case 'R': return 65;
    case 'S': return markS(m);
    case 'T': return markT(m);
    case 'U': return 12;
    case 'W': return second ? 8 : 4;
    default: return std::nullopt;
  }
}

MarksLine readMarksLine(const std::string& prepared) {
  MarksLine result;
  MarksReader reader(prepared);
  for (const Token& token : splitTokens(prepared, InputStage::Marks)) {
    if (!reader.read(token)) break;
    if (reader.marks().size() > kTokenLimit) break;
  }
  if (reader.error()) {
    result.error = std::move(reader.error());
  } else {
    result.marks = std::move(reader.marks());
    if (result.marks.size() > kTokenLimit) result.marks.resize(kTokenLimit);
  }
  return result;
}

}  // namespace ts
