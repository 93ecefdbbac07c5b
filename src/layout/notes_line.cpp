#include "layout/notes_line.h"

#include <cstdlib>
#include <cstring>

#include "layout/input_messages.h"

namespace ts {
namespace {

constexpr int kNote = 1000, kParenthesisedNote = 7000, kRest = 2000, kClef = 3000, kBar = 4000;
constexpr int kStems = 5000, kStemParameter = 6000, kCue = 8000, kKey = 17000, kMeter = 20000;
constexpr int kCommonTime = 29901, kCutTime = 29801;
constexpr int kOctave = 7;
constexpr int kHighestOctave = 84;  // octave 12: steps stay below 100, clear of the accidental hundreds
constexpr int kMostRests = 999;     // bars a numbered rest may carry
constexpr int kMostKeyAccidentals = 7;
constexpr int kMostSpan = 99;       // staves a bar line may span

int letterIndex(char c) {
  const char* letters = "CDEFGAB";
  const char* found = c == '\0' ? nullptr : std::strchr(letters, c);
  return found ? static_cast<int>(found - letters) + 1 : 0;
}

// A note's code without its accidental.
int withoutAccidental(int code) {
  const int plain = codeKind(code) * 1000 + codeStep(code);
  return code < 0 ? -plain : plain;
}

class NotesReader {
 public:
  NotesReader(const std::string& line, InputState& state) : m_line(line), m_state(state) {}

  bool read(const Token& token, bool member) {
    TokenCursor c(token);
    if (c.atEnd()) return true;
    m_member = member;
    const size_t before = m_codes.size();
    if (!dispatch(c)) {
      fail(c.lastColumn());
    } else if (!c.atEnd()) {
      fail(c.column());
    } else if (member && !allNotes(before)) {
      fail(token.column);
    }
    return !m_error;
  }
  bool tooMany() const { return m_tooMany; }
  std::vector<int>& codes() { return m_codes; }
  std::optional<LineError>& error() { return m_error; }

 private:
  bool dispatch(TokenCursor& c) {
    const char first = c.peek();
    if (letterIndex(first) > 0) return note(c);
    if (first >= '0' && first <= '9') return meter(c);
    switch (first) {
      case 'O': case 'P': return relativeMode(c);
      case 'R': return rest(c);
      case 'T': return trebleTenorOrMeter(c);
      case '-': return clefChange(c);
      case 'K': return key(c);
      case 'M': return bar(c);
      case 'S': return stems(c);
      case 'Q': return cue(c);
      case 'X': case 'Z': c.take(); return repeatGroups(c, first == 'Z');
      case '.': case '=': return repeatLast(c);
      default: return false;
    }
  }

  // ---- notes ----

  struct NoteParts {
    int letter = 0;
    int kind = kNote;
    int accidental = 0;
    bool ownOctave = false;  // an octave digit or "U"/"J": the relative rule stands aside
    int octaveMember = 0;    // +1, -1: a chord member an octave above or below
    int copies = 1;
    bool keepAccidentals = false;
  };

  bool note(TokenCursor& c) {
    const char first = c.peek();
    const char second = c.peekAt(1);
    const char third = c.peekAt(2);
    if (first == 'B' && second == 'A') return word(c, kClef + 1);
    if (first == 'A' && second == 'L') return word(c, kClef + 2);
    if (first == 'C' && (second == 'O' || second == 'U') && (third == 'M' || third == 'T')) return commonOrCut(c);
    NoteParts parts;
    parts.letter = letterIndex(c.take());
    const char letter = first;
    while (!c.atEnd()) {
      if (!noteSuffix(c, letter, parts)) return false;
      if (parts.copies > 1) break;
    }
    return parts.accidental <= 600 && placeNote(parts);
  }

  bool noteSuffix(TokenCursor& c, char letter, NoteParts& parts) {
    const char s = c.take();
    if (s == 'F' || s == 'S' || s == 'N') {
      const bool twice = c.peek() == s;
      if (twice) c.take();
      const int single = s == 'F' ? 100 : s == 'S' ? 200 : 300;
      parts.accidental = twice ? single + 300 : single;
      return true;
    }
    if (s == letter) return (parts.accidental += 100), true;
    if (s == '(') return (parts.kind = kParenthesisedNote), true;
    if (s >= '0' && s <= '9') {
      m_state.octave = (s - '0') * kOctave;
      return (parts.ownOctave = true), true;
    }
    if (s == 'U' || s == 'J') return octaveStep(s, parts);
    if (s == '+' || s == '-') return (parts.octaveMember = s == '+' ? 1 : -1), true;
    if (s == 'X' || s == 'Z') {
      const std::optional<int> n = c.number(3);
      if (!n || *n < 1 || m_member) return false;
      parts.copies = *n;
      parts.keepAccidentals = s == 'Z';
      return true;
    }
    return false;
  }

  bool octaveStep(char s, NoteParts& parts) {
    parts.ownOctave = true;
    if (s == 'U' && parts.letter <= m_state.previousLetter) m_state.octave += kOctave;
    if (s == 'J' && parts.letter >= m_state.previousLetter) m_state.octave -= kOctave;
    return true;
  }

  bool placeNote(const NoteParts& parts) {
    if (m_state.reference >= 0 && !parts.ownOctave) {
      const int d = m_state.reference - parts.letter - m_state.octave;
      if (d > 3) m_state.octave += kOctave;
      if (d < -3) m_state.octave -= kOctave;
    }
    if (m_state.octave < 0 || m_state.octave > kHighestOctave) return false;
    const int step = m_state.octave + parts.letter;
    if (step + parts.octaveMember * kOctave < 1) return false;
    m_state.previousLetter = parts.letter;
    m_state.lastStep = step;
    if (m_state.reference >= 0) m_state.reference = step;
    const int code = parts.kind + step + parts.accidental;
    const size_t first = m_codes.size();
    push(m_member ? -code : code);
    if (parts.octaveMember != 0) push(-(code + parts.octaveMember * kOctave));
    const size_t last = m_codes.size();
    for (int copy = 1; copy < parts.copies && !m_tooMany; ++copy) copySpan(first, last, parts.keepAccidentals);
    return true;
  }

  bool relativeMode(TokenCursor& c) {
    if (c.peek() == 'P' && c.peekAt(1) == 'R') return word(c, kClef + 4);
    if (c.take() == 'O') {
      m_state.reference = -1;
    } else {
      m_state.reference = m_state.lastStep >= 0 ? m_state.lastStep : m_state.octave + 1;
    }
    return c.atEnd() || (letterIndex(c.peek()) > 0 && note(c));
  }

  // ---- clefs, meters, keys, bars, switches ----

  // A word whose code is known from its first two letters; the letters
  // after them ("TREBLE", "BASS") say nothing more.
  bool word(TokenCursor& c, int code) {
    c.take();
    c.take();
    while (c.peek() >= 'A' && c.peek() <= 'Z') c.take();
    push(code);
    return true;
  }

  bool commonOrCut(TokenCursor& c) {
    c.take();
    const char second = c.take();
    c.take();
    push(second == 'O' ? kCommonTime : kCutTime);
    return true;
  }

  bool trebleTenorOrMeter(TokenCursor& c) {
    const char second = c.peekAt(1);
    if (second == 'R') return word(c, kClef);
    if (second == 'E') return word(c, kClef + 3);
    c.take();
    if (c.atEnd()) {
      if (m_state.meterDenominator == 0) return false;
      push(kMeter + 100 * m_state.meterNumerator + m_state.meterDenominator);
      return true;
    }
    return meter(c);
  }

  bool meter(TokenCursor& c) {
    const std::optional<int> a = c.number(2);
    const std::optional<int> b = c.number(2);
    if (!a || !b || *b < 1) return false;
    m_state.meterNumerator = *a;
    m_state.meterDenominator = *b;
    push(kMeter + 100 * *a + *b);
    return true;
  }

  bool clefChange(TokenCursor& c) {
    c.take();
    const char first = c.peek();
    const char second = c.peekAt(1);
    int clef = 0;
    if (first == 'B' && second == 'A') clef = 1;
    if (first == 'A' && second == 'L') clef = 2;
    if (first == 'T' && second == 'E') clef = 3;
    while (!c.atEnd()) c.take();
    push(-(kClef + clef));
    return true;
  }

  bool key(TokenCursor& c) {
    c.take();
    if (c.atEnd()) return push(kStaffKeyCode), true;
    const std::optional<int> n = c.number(1);
    if (!n || *n > kMostKeyAccidentals) return false;
    const char sign = c.take();
    if (sign != 'S' && sign != 'F') return false;
    const bool naturals = c.peek() == 'N';
    if (naturals) c.take();
    const int magnitude = kKey + (naturals ? 100 : 0) + *n;
    push(sign == 'S' ? magnitude : -magnitude);
    return true;
  }

  bool bar(TokenCursor& c) {
    c.take();
    int modifier = 0;
    while (c.peek() >= 'A' && c.peek() <= 'Z') {
      const char m = c.take();
      const char* letters = "DMHLRSI";
      if (!std::strchr(letters, m)) return false;
      if (m == 'D' || m == 'M') modifier = modifier == 0 ? 100 : modifier == 100 ? 200 : 500;
      if (m == 'H') modifier = 200;
      if (m == 'L') modifier = 300;
      if (m == 'R') modifier = 400;
      if (m == 'S') modifier = 700;
      if (m == 'I') modifier = 900;
    }
    if (const std::optional<int> n = c.number(2)) {
      if (*n < 1 || *n > kMostSpan) return false;
      m_state.barSpan = *n;
    } else if (!c.atEnd()) {
      return false;
    }
    push(kBar + modifier + m_state.barSpan);
    return true;
  }

  bool stems(TokenCursor& c) {
    c.take();
    const char s = c.take();
    const char* forms = "OUD0+-";
    const int codes[] = {kStems, kStems + 10, kStems + 20, kStemParameter, kStemParameter + 1, kStemParameter + 2};
    const char* found = s == '\0' ? nullptr : std::strchr(forms, s);
    if (!found) return false;
    push(codes[found - forms]);
    return true;
  }

  bool cue(TokenCursor& c) {
    c.take();
    const bool start = c.peek() == '+';
    if (start) c.take();
    push(start ? kCue + 1 : kCue);
    return true;
  }

  // ---- rests ----

  bool rest(TokenCursor& c) {
    c.take();
    if (c.peek() == 'E') {
      c.take();
      if (c.take() != 'P') return false;
      return repeatGroups(c, false);
    }
    int code = kRest;
    if (const std::optional<int> n = c.number(3)) {
      code = -kRest - *n;
    } else if (!c.atEnd() && c.peek() != 'X') {
      const std::optional<int> variant = restVariant(c);
      if (!variant) return false;
      code = *variant;
    }
    int copies = 1;
    if (c.peek() == 'X') {
      c.take();
      const std::optional<int> n = c.number(3);
      if (!n || *n < 1) return false;
      copies = *n;
    }
    for (int i = 0; i < copies && !m_tooMany; ++i) push(code);
    return true;
  }

  std::optional<int> restVariant(TokenCursor& c) {
    const char v = c.take();
    const char next = c.peek();
    if (v == 'W' && (next == 'D' || next == 'U')) return c.take(), next == 'D' ? kRest + 8 : kRest + 9;
    if (v == 'F' && (next == 'D' || next == 'U')) return c.take(), next == 'D' ? 9000 : 9001;
    const char* letters = "IWPDUF";
    const char* found = v == '\0' ? nullptr : std::strchr(letters, v);
    if (!found) return std::nullopt;
    return kRest + 1 + static_cast<int>(found - letters);
  }

  // ---- repeats ----

  // "X m n": the last m note groups occur n times in all; "X n" repeats the last one.
  bool repeatGroups(TokenCursor& c, bool keepAccidentals) {
    const std::optional<int> first = c.number(3);
    const std::optional<int> second = c.number(3);
    if (!first) return false;
    const int groups = second ? *first : 1;
    const int times = second ? *second : *first;
    if (groups < 1 || times < 1) return false;
    const std::optional<size_t> start = groupStart(groups);
    if (!start) return false;
    const size_t end = m_codes.size();
    for (int copy = 1; copy < times && !m_tooMany; ++copy) copySpan(*start, end, keepAccidentals);
    return true;
  }

  std::optional<size_t> groupStart(int groups) {
    int found = 0;
    for (size_t i = m_codes.size(); i-- > 0;) {
      if (!isChordMemberCode(m_codes[i]) && ++found == groups) return i;
    }
    return std::nullopt;
  }

  // "." and "=" repeat the last note or chord without its accidentals, ".." and "==" with them.
  bool repeatLast(TokenCursor& c) {
    const char mark = c.take();
    const bool keep = c.peek() == mark;
    if (keep) c.take();
    size_t start = m_codes.size();
    while (start > 0 && !(isNoteCode(m_codes[start - 1]) && m_codes[start - 1] > 0)) --start;
    if (start == 0) return false;
    size_t end = start;
    while (end < m_codes.size() && isChordMemberCode(m_codes[end])) ++end;
    copySpan(start - 1, end, keep);
    return true;
  }

  void copySpan(size_t first, size_t last, bool keepAccidentals) {
    if (m_codes.size() + (last - first) > kTokenLimit) {
      m_tooMany = true;
      return;
    }
    for (size_t i = first; i < last; ++i) {
      const int code = m_codes[i];
      push(isNoteCode(code) && !keepAccidentals ? withoutAccidental(code) : code);
    }
  }

  // ---- bookkeeping ----

  void push(int code) {
    if (m_codes.size() >= kTokenLimit) {
      m_tooMany = true;
      return;
    }
    m_codes.push_back(code);
  }

  bool allNotes(size_t from) const {
    for (size_t i = from; i < m_codes.size(); ++i)
      if (!isNoteCode(m_codes[i])) return false;
    return true;
  }

  void fail(size_t column) {
    if (!m_error) m_error = LineError{m_line, column, {}};
  }

  const std::string& m_line;
  InputState& m_state;
  std::vector<int> m_codes;
  std::optional<LineError> m_error;
  bool m_member = false;
  bool m_tooMany = false;
};

}  // namespace

int codeKind(int code) { return std::abs(code) / 1000; }
int codeStep(int code) { return std::abs(code) % 100; }
int codeAccidental(int code) { return std::abs(code) % 1000 / 100; }
bool isNoteCode(int code) { return codeKind(code) == 1 || codeKind(code) == 7; }
bool isChordMemberCode(int code) { return code < 0 && isNoteCode(code); }

int rhythmsNeeded(const std::vector<int>& codes) {
  int count = 0;
  for (const int code : codes) {
    const int kind = codeKind(code);
    if ((isNoteCode(code) && code > 0) || kind == 2 || kind == 9) ++count;
  }
  return count;
}

NotesLine readNotesLine(const std::string& prepared, InputState& state) {
  NotesLine result;
  InputState working = state;
  NotesReader reader(prepared, working);
  bool member = false;
  for (const Token& token : splitTokens(prepared, InputStage::Notes)) {
    if (!reader.read(token, member) || reader.tooMany()) break;
    member = token.end == ':';
  }
  if (reader.tooMany()) {
    result.error = LineError{prepared, 0, input_messages::kTooManyTokens};
    return result;
  }
  if (reader.error()) {
    result.error = std::move(reader.error());
    return result;
  }
  result.codes = std::move(reader.codes());
  state = std::move(working);
  return result;
}

}  // namespace ts
