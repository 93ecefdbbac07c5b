#include "layout/pairs_line.h"

#include <utility>

namespace ts {
namespace {

constexpr int kMostNoteNumber = 9998;  // 9999 stands for a group request
constexpr size_t kGroupFormWidth = 10; // a group request shows within a line's first characters

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// "g B [s]" at the start of a beams line: its text, or nothing.
std::optional<BeamGroups> readGroupForm(const std::string& line, const InputState& state) {
  const Token whole{line.substr(0, line.find_first_of("/;")), 1, ';'};
  TokenCursor c(whole);
  const char first = c.peek();
  BeamGroups groups;
  if ((first == 'B' || first == 'A') && c.peekAt(1) != '[') {
    c.take();
    groups.eighths = beamGroupForMeter(state.meterNumerator, state.meterDenominator);
  } else if (isDigit(first) && c.column() <= kGroupFormWidth) {
    const std::optional<int> size = c.number(2);
    if (!size || c.peek() != 'B' || c.peekAt(1) == '[' || c.column() > kGroupFormWidth) return std::nullopt;
    c.take();
    groups.eighths = *size;
  } else {
    return std::nullopt;
  }
  if (const std::optional<int> from = c.number(4)) groups.fromNote = *from;
  if (!c.atEnd()) return std::nullopt;
  return groups;
}

class PairReader {
 public:
  explicit PairReader(const std::string& line) : m_line(line) {}

  bool read(const Token& token) {
    TokenCursor c(token);
    while (!c.atEnd()) {
      NotePair pair;
      if (!number(c, pair, pair.first) || !number(c, pair, pair.last)) return fail(c.lastColumn());
      if (pair.first > pair.last) std::swap(pair.first, pair.last);
      if (m_pairs.size() < kTokenLimit) m_pairs.push_back(pair);
    }
    return true;
  }
  std::vector<NotePair>& pairs() { return m_pairs; }
  std::optional<LineError>& error() { return m_error; }

 private:
  static bool number(TokenCursor& c, NotePair& pair, int& into) {
    if (c.peek() == '+') {
      c.take();
      pair.marked = true;
    }
    const std::optional<int> n = c.number(4);
    if (!n || *n < 1 || *n > kMostNoteNumber) {
      if (!c.atEnd()) c.take();
      return false;
    }
    into = *n;
    return true;
  }

  bool fail(size_t column) {
    if (!m_error) m_error = LineError{m_line, column, {}};
    return false;
  }

  const std::string& m_line;
  std::vector<NotePair> m_pairs;
  std::optional<LineError> m_error;
};

}  // namespace

int beamGroupForMeter(int numerator, int denominator) {
  const bool common = numerator == 99 && denominator == 1;
  const bool cut = numerator == 98 && denominator == 1;
  if (common || denominator == 4 || denominator == 0) return 2;
  if (cut || denominator == 2) return 4;
  if (denominator == 1) return 8;
  if (denominator == 8) {
    if (numerator == 2 || numerator == 4 || numerator == 8) return 2;
    if (numerator == 3 || numerator == 6 || numerator == 9 || numerator == 12) return 3;
  }
  return 0;
}

PairsLine readPairsLine(const std::string& prepared, InputStage stage, const InputState& state) {
  PairsLine result;
  if (stage == InputStage::Beams) {
    if (std::optional<BeamGroups> groups = readGroupForm(prepared, state)) {
      if (groups->eighths > 0) result.groups = groups;
      return result;
    }
  }
  PairReader reader(prepared);
  for (const Token& token : splitTokens(prepared, stage)) {
    if (!reader.read(token)) break;
  }
  if (reader.error()) {
    result.error = std::move(reader.error());
  } else {
    result.pairs = std::move(reader.pairs());
  }
  return result;
}

}  // namespace ts
