#pragma once
// The typed input language's common ground: what persists from one typed
// line to the next, how a line is made ready to read (upper case, end
// mark, motives, groups), and how it is cut into tokens.
//
// Motives: a line "@NAME=text" (at any stage) stores `text` under NAME
// instead of being a stage line; "@NAME" in a later line is replaced by the
// stored text. Names are letters and digits.
//
// Groups: "[" tokens "]" stands for its tokens; "X n [" tokens "]" (blanks
// allowed, n from 1 to 200) for the tokens n times over, joined by "/";
// "X [" for twice. Groups may nest.

#include <cstddef>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ts {

enum class InputStage { Range = 0, Notes = 1, Rhythms = 2, Marks = 3, Beams = 4, Slurs = 5 };

constexpr size_t kTokenLimit = 200;          // token codes one line may yield
constexpr size_t kInputLineLimit = 512;      // characters of a typed line
constexpr size_t kStoredLineLimit = 384;     // characters kept of each stage's line
constexpr size_t kExpandedLineLimit = 4096;  // characters a line may grow to through motives and groups
constexpr int kMotiveDepth = 8;              // motives named inside motives, deepest
constexpr int kGroupDepth = 8;               // groups inside groups, deepest
constexpr int kFirstOctave = 28;             // octave 4, as octave x 7

// What one input mode remembers from line to line.
struct InputState {
  int octave = kFirstOctave;  // current octave x 7
  int reference = -1;         // step the next note is kept near; -1: relative mode off
  int lastStep = -1;          // step of the last note read; -1 before any
  int previousLetter = 0;     // letter index (1 C .. 7 B) of the last note
  int meterNumerator = 1;
  int meterDenominator = 0;   // 0 until a meter is typed
  int barSpan = 1;            // staves a bar line spans, the last "M" number
  std::map<std::string, std::string> motives;
};

// Why a line could not be read: the column (1-based, in `line`) of the
// first character the stage could not read, or a message of its own.
struct LineError {
  std::string line;
  size_t column = 0;
  std::string message;  // empty: a syntax error
};

struct PreparedLine {
  std::string text;  // ends in ";" or "/"
  std::optional<LineError> error;
};

// Upper case, leading blanks dropped, ";" added when the line ends in
// neither ";" nor "/", cut after its first ";"; "'" becomes ":", ","
// becomes "/", "=" becomes "+" in stages 3 to 5; motives and groups
// expanded; in stage 2 "T16", "T2", "T32", "T4", "T8" become "TS", "TH",
// "TT", "TQ", "TE".
PreparedLine prepareLine(std::string_view raw, InputStage stage, const std::map<std::string, std::string>& motives);

// A motive definition "@NAME=text": its name and text (upper case, cut at
// its ";"); nothing when the line is not one.
std::optional<std::pair<std::string, std::string>> motiveDefinition(std::string_view raw);

struct Token {
  std::string text;     // as typed, blanks kept
  size_t column = 0;    // 1-based column of its first character
  char end = ';';       // the separator after it: '/', ';' or ':'
};

// The tokens of a prepared line; ":" separates tokens only in stage 1.
std::vector<Token> splitTokens(const std::string& prepared, InputStage stage);

// Reads a token character by character, skipping blanks except where they
// separate numbers.
class TokenCursor {
 public:
  explicit TokenCursor(const Token& token) : m_token(token) {}
  bool atEnd() const { return peek() == '\0'; }
  char peek() const;          // next character that is not a blank; '\0' at the end
  char peekAt(int ahead) const;  // the one `ahead` characters after it, blanks skipped
  char take();
  // Column of the last character taken (of the next one when none was).
  size_t lastColumn() const { return m_lastColumn != 0 ? m_lastColumn : column(); }
  // Unsigned whole number of at most `maxDigits` digits; nothing when no
  // digit comes next or it has more digits.
  std::optional<int> number(int maxDigits = 4);
  // Unsigned decimal number ("2.5"); nothing when none comes next.
  std::optional<double> decimal();
  // The character just before the next one that is not a blank, as typed
  // (a blank counts); '\0' at the token's start.
  char typedBefore() const;
  size_t column() const;      // column of the next character that is not a blank
  size_t position() const { return m_at; }

 private:
  size_t skipBlanks() const;
  const Token& m_token;
  size_t m_at = 0;
  size_t m_lastColumn = 0;
};

// The line shown when it cannot be read: the message, the line shifted
// right by 22 columns, and a caret under the column it stops at.
std::string syntaxErrorText(const LineError& error);

}  // namespace ts
