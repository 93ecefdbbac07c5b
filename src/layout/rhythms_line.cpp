#include "layout/rhythms_line.h"

#include <cstring>

#include "layout/input_messages.h"

namespace ts {
namespace {

constexpr float kTripletShare = 2.0f / 3.0f;

// Quarters of a value letter; 0 for any other character.
float letterValue(char c) {
  switch (c) {
    case 'S': return 0.25f;
    case 'E': return 0.5f;
    case 'Q': return 1.0f;
    case 'H': return 2.0f;
    case 'W': return 4.0f;
    case 'D': return 8.0f;
    case 'G': return kGraceRhythm;
    default: return 0.0f;
  }
}

// A lone "T" (a triplet eighth) stands at a token's start or after one of these.
bool loneTripletAllowed(char before) { return before == '\0' || std::strchr("[: /,", before) != nullptr; }

class RhythmReader {
 public:
  explicit RhythmReader(const std::string& line) : m_line(line) {}

  bool read(const Token& token) {
    TokenCursor c(token);
    if (c.atEnd()) return true;
    const char first = c.peek();
    const bool repeat = first == 'X' || (first == 'R' && c.peekAt(1) == 'P');
    const bool ok = repeat ? repeatLast(c) : value(c);
    if (!ok) return fail(c.lastColumn());
    if (!c.atEnd()) return fail(c.column());
    return true;
  }
  std::vector<float>& codes() { return m_codes; }
  std::optional<LineError>& error() { return m_error; }
  bool tooMany() const { return m_tooMany; }

 private:
  bool value(TokenCursor& c) {
    double total = 0.0, lastAdded = 0.0;
    int values = 0, dots = 0;
    while (!c.atEnd()) {
      double added = 0.0;
      if (c.peek() == '.') {
        if (values == 0) return false;
        c.take();
        lastAdded /= 2.0;
        total += lastAdded;
        ++dots;
        continue;
      }
      if (!oneValue(c, added)) return false;
      total += added;
      lastAdded = added;
      ++values;
    }
    const double code = values == 1 ? total + 1000.0 * dots : total;
    push(static_cast<float>(code));
    return true;
  }

  bool oneValue(TokenCursor& c, double& added) {
    const char first = c.peek();
    if (first >= '0' && first <= '9') return figures(c, added);
    const char before = c.typedBefore();
    c.take();
    if (first != 'T') {
      added = letterValue(first);
      return added > 0.0;
    }
    const char next = c.peek();
    if (next == 'T') {
      c.take();
      added = 1.0 / 12.0;
      return true;
    }
    if (next != '\0' && letterValue(next) > 0.0 && next != 'G') {
      c.take();
      added = kTripletShare * letterValue(next);
      return true;
    }
    added = 1.0 / 3.0;
    return loneTripletAllowed(before);
  }

  // "N" is 4/N quarters; "a:b" is b/a quarters.
  bool figures(TokenCursor& c, double& added) {
    const std::optional<int> n = c.number(3);
    if (!n) return false;
    if (c.peek() == ':') {
      c.take();
      const std::optional<int> b = c.number(3);
      if (!b || *n == 0) return false;
      added = static_cast<double>(*b) / *n;
      return true;
    }
    if (*n == 0) return false;
    added = 4.0 / *n;
    return true;
  }

  // "X m n" and "RP m n": the last m rhythms occur n times in all; "X n" the last one.
  bool repeatLast(TokenCursor& c) {
    if (c.take() == 'R') c.take();
    const std::optional<int> first = c.number(3);
    const std::optional<int> second = c.number(3);
    if (!first) return false;
    const size_t count = static_cast<size_t>(second ? *first : 1);
    const int times = second ? *second : *first;
    if (count < 1 || times < 1 || count > m_codes.size()) return false;
    const size_t start = m_codes.size() - count;
    const size_t end = m_codes.size();
    for (int copy = 1; copy < times && !m_tooMany; ++copy)
      for (size_t i = start; i < end && !m_tooMany; ++i) push(m_codes[i]);
    return true;
  }

  void push(float code) {
    if (m_codes.size() >= kTokenLimit) {
      m_tooMany = true;
      return;
    }
    m_codes.push_back(code);
  }

  bool fail(size_t column) {
    if (!m_error) m_error = LineError{m_line, column, {}};
    return false;
  }

  const std::string& m_line;
  std::vector<float> m_codes;
  std::optional<LineError> m_error;
  bool m_tooMany = false;
};

}  // namespace

RhythmsLine readRhythmsLine(const std::string& prepared) {
  RhythmsLine result;
  RhythmReader reader(prepared);
  for (const Token& token : splitTokens(prepared, InputStage::Rhythms)) {
    if (!reader.read(token) || reader.tooMany()) break;
  }
  if (reader.tooMany()) {
    result.error = LineError{prepared, 0, input_messages::kTooManyTokens};
  } else if (reader.error()) {
    result.error = std::move(reader.error());
  } else {
    result.codes = std::move(reader.codes());
  }
  return result;
}

}  // namespace ts
