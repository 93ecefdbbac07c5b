#include "engine/conditional_alter.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <cmath>
#include <limits>

namespace ts {
namespace {

// ---------------------------------------------------------------------------
// Normalisation, keeping for every output character the column it came from
// so that messages can point into the line the user typed.

struct NormalisedLine {
  std::string text;
  std::vector<int> columns;   // 1-based column in the typed line
  std::vector<bool> quoted;   // inside double quotes (quotes included)

  void add(char c, int column, bool isQuoted) {
    text.push_back(c);
    columns.push_back(column);
    quoted.push_back(isQuoted);
  }
  void add(std::string_view s, int column) {
    for (char c : s) add(c, column, false);
  }
};

bool isBlank(char c) { return c == ' ' || c == '\t'; }

// Blanks go first, so that "> =" is read like ">=".
NormalisedLine dropBlanks(std::string_view line) {
  NormalisedLine kept;
  bool inQuotes = false;
  for (std::size_t i = 0; i < line.size(); ++i) {
    const char c = line[i];
    if (c == '"') inQuotes = !inQuotes;
    if (!inQuotes && c != '"' && isBlank(c)) continue;
    kept.add(c, static_cast<int>(i) + 1, inQuotes || c == '"');
  }
  return kept;
}

char pairedOperator(char first, char second) {
  if (first == '>' && second == '=') return '}';
  if (first == '<' && second == '=') return '{';
  if (first == '<' && second == '>') return '~';
  return 0;
}

NormalisedLine normaliseWithColumns(std::string_view line) {
  const NormalisedLine kept = dropBlanks(line);
  NormalisedLine out;
  for (std::size_t i = 0; i < kept.text.size(); ++i) {
    const char c = kept.text[i];
    const int column = kept.columns[i];
    if (kept.quoted[i]) {
      out.add(c, column, true);
    } else if (c == ';') {
      out.add("THEN", column);
    } else if (c == '\\') {
      out.add("AND", column);
    } else if (i + 1 < kept.text.size() && !kept.quoted[i + 1] &&
               pairedOperator(c, kept.text[i + 1]) != 0) {
      out.add(pairedOperator(c, kept.text[i + 1]), column, false);
      ++i;
    } else {
      out.add(c, column, false);
    }
  }
  return out;
}

std::string messageAt(std::string_view stem, int column) {
  return std::string(stem) + " at column " + std::to_string(column);
}

// ---------------------------------------------------------------------------
// Tokens of the normalised line.

enum class Tok {
  Number, Parameter, And, Or, Not, Then, Comma, Open, Close,
  Plus, Minus, Star, Slash,
  Equal, NotEqual, Less, Greater, LessEqual, GreaterEqual,
  Mod, Abs, Int, End,
};

struct Token {
  Tok kind = Tok::End;
  double number = 0.0;
  int parameter = 0;
  int column = 0;
};

struct Keyword {
  std::string_view word;
  Tok kind;
};
// No word here is the start of another, so the first match is the only one.
constexpr std::array<Keyword, 7> kKeywords{{
    {"AND", Tok::And}, {"OR", Tok::Or}, {"NOT", Tok::Not}, {"THEN", Tok::Then},
    {"MOD", Tok::Mod}, {"ABS", Tok::Abs}, {"INT", Tok::Int},
}};

struct Symbol {
  char c;
  Tok kind;
};
constexpr std::array<Symbol, 13> kSymbols{{
    {',', Tok::Comma}, {'(', Tok::Open}, {')', Tok::Close}, {'+', Tok::Plus},
    {'-', Tok::Minus}, {'*', Tok::Star}, {'/', Tok::Slash}, {'=', Tok::Equal},
    {'~', Tok::NotEqual}, {'<', Tok::Less}, {'>', Tok::Greater}, {'{', Tok::LessEqual},
    {'}', Tok::GreaterEqual},
}};

// ASCII only: a locale must not turn other bytes into digits.
bool isDigit(char c) { return c >= '0' && c <= '9'; }
char upper(char c) { return static_cast<char>(std::toupper(static_cast<unsigned char>(c))); }

bool startsWithWord(std::string_view text, std::size_t at, std::string_view word) {
  if (text.size() - at < word.size()) return false;
  for (std::size_t k = 0; k < word.size(); ++k)
    if (upper(text[at + k]) != word[k]) return false;
  return true;
}

// Length of the number starting at `at`: digits, optional fraction, and an
// exponent only when a digit follows the "E" (so "1E" is 1 and a stray E).
std::size_t numberLength(std::string_view text, std::size_t at) {
  std::size_t end = at;
  while (end < text.size() && isDigit(text[end])) ++end;
  if (end < text.size() && text[end] == '.') {
    ++end;
    while (end < text.size() && isDigit(text[end])) ++end;
  }
  if (end < text.size() && upper(text[end]) == 'E') {
    std::size_t exponent = end + 1;
    if (exponent < text.size() && (text[exponent] == '+' || text[exponent] == '-')) ++exponent;
    if (exponent < text.size() && isDigit(text[exponent])) {
      end = exponent;
      while (end < text.size() && isDigit(text[end])) ++end;
    }
  }
  return end - at;
}

class Lexer {
 public:
  explicit Lexer(const NormalisedLine& line) : m_line(line) {}

  // Tokens from `start` on, ending with Tok::End; false with m_error set.
  bool run(std::size_t start, std::vector<Token>& tokens) {
    m_at = start;
    while (m_at < m_line.text.size()) {
      Token token;
      token.column = m_line.columns[m_at];
      if (!next(token)) return false;
      tokens.push_back(token);
    }
    Token end;
    end.column = endColumn();
    tokens.push_back(end);
    return true;
  }

  const std::string& error() const { return m_error; }

 private:
  int endColumn() const { return m_line.columns.empty() ? 1 : m_line.columns.back() + 1; }

  bool fail(std::string_view stem) {
    m_error = messageAt(stem, m_line.columns[m_at]);
    return false;
  }

  bool next(Token& token) {
    const std::string_view text = m_line.text;
    const char c = text[m_at];
    if (m_line.quoted[m_at]) return fail(if_messages::kQuotedText);
    if (upper(c) == 'P' && m_at + 1 < text.size() && isDigit(text[m_at + 1]))
      return readParameter(token);
    if (isDigit(c) || (c == '.' && m_at + 1 < text.size() && isDigit(text[m_at + 1])))
      return readNumber(token);
    for (const Keyword& keyword : kKeywords) {
      if (startsWithWord(text, m_at, keyword.word)) {
        token.kind = keyword.kind;
        m_at += keyword.word.size();
        return true;
      }
    }
    for (const Symbol& symbol : kSymbols) {
      if (c == symbol.c) {
        token.kind = symbol.kind;
        ++m_at;
        return true;
      }
    }
    return unexpected(c);
  }

  bool unexpected(char c) {
    std::string stem(if_messages::kUnexpectedCharacter);
    if (std::isprint(static_cast<unsigned char>(c))) stem += std::string(" '") + c + "'";
    return fail(stem);
  }

  bool readParameter(Token& token) {
    constexpr int kSaturated = 1000;  // any number of digits stays out of range
    std::size_t end = m_at + 1;
    int number = 0;
    while (end < m_line.text.size() && isDigit(m_line.text[end])) {
      number = std::min(kSaturated, number * 10 + (m_line.text[end] - '0'));
      ++end;
    }
    if (number < 1 || number > kIfHighestParameter) return fail(if_messages::kBadParameter);
    token.kind = Tok::Parameter;
    token.parameter = number;
    m_at = end;
    return true;
  }

  bool readNumber(Token& token) {
    const std::size_t length = numberLength(m_line.text, m_at);
    const char* first = m_line.text.data() + m_at;
    double value = 0.0;
    const auto [ptr, ec] = std::from_chars(first, first + length, value);
    if (ec != std::errc() || ptr != first + length || !toStoredFloat(value))
      return fail(if_messages::kBadNumber);
    token.kind = Tok::Number;
    token.number = value;
    m_at += length;
    return true;
  }

  const NormalisedLine& m_line;
  std::size_t m_at = 0;
  std::string m_error;
};

// ---------------------------------------------------------------------------
// Recursive-descent parser emitting postfix steps. Every parse function
// returns what its phrase yields (a value or a truth), or nullopt once an
// error has been recorded.

enum class Yields { Value, Truth };

class Parser {
 public:
  explicit Parser(const std::vector<Token>& tokens) : m_tokens(tokens) {}

  bool parseLine(ConditionalAlter& alter) {
    if (peek().kind == Tok::Then || peek().kind == Tok::End)
      return fail(if_messages::kConditionMissing);
    m_out = &alter.condition;
    if (!requireTruth(parseOr())) return false;
    if (peek().kind != Tok::Then) return fail(if_messages::kExpectedThen);
    ++m_at;
    while (true) {
      IfAssignment assignment;
      if (!parseAssignment(assignment)) return false;
      alter.assignments.push_back(std::move(assignment));
      if (peek().kind == Tok::End) return true;
      if (peek().kind != Tok::Comma) return fail(if_messages::kExpectedEnd);
      ++m_at;
    }
  }

  const std::string& error() const { return m_error; }

 private:
  // Counts nesting for as long as it lives; the parser refuses to go deeper
  // than kIfMaxNesting.
  class Nesting {
   public:
    explicit Nesting(Parser& parser) : m_parser(parser) { ++m_parser.m_depth; }
    ~Nesting() { --m_parser.m_depth; }
    Nesting(const Nesting&) = delete;
    Nesting& operator=(const Nesting&) = delete;
    bool tooDeep() const { return m_parser.m_depth > kIfMaxNesting; }

   private:
    Parser& m_parser;
  };

  const Token& peek() const { return m_tokens[m_at]; }
  bool accept(Tok kind) {
    if (peek().kind != kind) return false;
    ++m_at;
    return true;
  }
  bool fail(std::string_view stem) { return failAt(stem, peek().column); }
  bool failAt(std::string_view stem, int column) {
    if (m_error.empty()) m_error = messageAt(stem, column);
    return false;
  }
  std::nullopt_t refuse(std::string_view stem) {
    fail(stem);
    return std::nullopt;
  }
  void emit(IfOp op) { m_out->push_back(IfStep{op, 0.0, 0}); }

  bool requireTruth(std::optional<Yields> got) {
    if (!got) return false;
    if (*got == Yields::Value) return fail(if_messages::kExpectedComparison);
    return true;
  }
  bool requireValue(std::optional<Yields> got, int startColumn) {
    if (!got) return false;
    if (*got == Yields::Truth) return failAt(if_messages::kConditionAsValue, startColumn);
    return true;
  }
  bool parseValue() {
    const int column = peek().column;
    return requireValue(parseOr(), column);
  }

  bool parseAssignment(IfAssignment& assignment) {
    if (peek().kind != Tok::Parameter) return fail(if_messages::kExpectedAssignment);
    assignment.parameter = peek().parameter;
    ++m_at;
    if (!accept(Tok::Equal)) return fail(if_messages::kExpectedEquals);
    m_out = &assignment.value;
    return parseValue();
  }

  // OR and AND share one shape: operands that must be truths.
  std::optional<Yields> parseLogical(Tok joiner, IfOp op,
                                     std::optional<Yields> (Parser::*operand)()) {
    std::optional<Yields> left = (this->*operand)();
    if (!left) return std::nullopt;
    while (peek().kind == joiner) {
      if (!requireTruth(left)) return std::nullopt;
      ++m_at;
      if (!requireTruth((this->*operand)())) return std::nullopt;
      emit(op);
    }
    return left;
  }
  std::optional<Yields> parseOr() { return parseLogical(Tok::Or, IfOp::Or, &Parser::parseAnd); }
  std::optional<Yields> parseAnd() { return parseLogical(Tok::And, IfOp::And, &Parser::parseNot); }

  std::optional<Yields> parseNot() {
    if (!accept(Tok::Not)) return parseComparison();
    Nesting nesting(*this);
    if (nesting.tooDeep()) return refuse(if_messages::kTooDeep);
    if (!requireTruth(parseNot())) return std::nullopt;
    emit(IfOp::Not);
    return Yields::Truth;
  }

  static std::optional<IfOp> comparisonOp(Tok kind) {
    switch (kind) {
      case Tok::Equal: return IfOp::Equal;
      case Tok::NotEqual: return IfOp::NotEqual;
      case Tok::Less: return IfOp::Less;
      case Tok::Greater: return IfOp::Greater;
      case Tok::LessEqual: return IfOp::LessEqual;
      case Tok::GreaterEqual: return IfOp::GreaterEqual;
      default: return std::nullopt;
    }
  }

  std::optional<Yields> parseComparison() {
    const int leftColumn = peek().column;
    const std::optional<Yields> left = parseSum();
    const std::optional<IfOp> op = comparisonOp(peek().kind);
    if (!left || !op) return left;
    if (!requireValue(left, leftColumn)) return std::nullopt;
    ++m_at;
    const int rightColumn = peek().column;
    if (!requireValue(parseSum(), rightColumn)) return std::nullopt;
    emit(*op);
    return Yields::Truth;
  }

  // Sums and products share one shape: value operands joined by two operators.
  std::optional<Yields> parseArithmetic(Tok first, IfOp firstOp, Tok second, IfOp secondOp,
                                        std::optional<Yields> (Parser::*operand)()) {
    int column = peek().column;
    std::optional<Yields> left = (this->*operand)();
    while (left && (peek().kind == first || peek().kind == second)) {
      const IfOp op = peek().kind == first ? firstOp : secondOp;
      if (!requireValue(left, column)) return std::nullopt;
      ++m_at;
      column = peek().column;
      if (!requireValue((this->*operand)(), column)) return std::nullopt;
      emit(op);
    }
    return left;
  }
  std::optional<Yields> parseSum() {
    return parseArithmetic(Tok::Plus, IfOp::Add, Tok::Minus, IfOp::Subtract, &Parser::parseProduct);
  }
  std::optional<Yields> parseProduct() {
    return parseArithmetic(Tok::Star, IfOp::Multiply, Tok::Slash, IfOp::Divide,
                           &Parser::parseUnary);
  }

  std::optional<Yields> parseUnary() {
    const bool minus = peek().kind == Tok::Minus;
    if (!minus && peek().kind != Tok::Plus) return parsePrimary();
    ++m_at;
    Nesting nesting(*this);
    if (nesting.tooDeep()) return refuse(if_messages::kTooDeep);
    const int column = peek().column;
    if (!requireValue(parseUnary(), column)) return std::nullopt;
    if (minus) emit(IfOp::Negate);
    return Yields::Value;
  }

  std::optional<Yields> parsePrimary() {
    const Token token = peek();
    switch (token.kind) {
      case Tok::Number:
        ++m_at;
        m_out->push_back(IfStep{IfOp::PushNumber, token.number, 0});
        return Yields::Value;
      case Tok::Parameter:
        ++m_at;
        m_out->push_back(IfStep{IfOp::LoadParameter, 0.0, token.parameter});
        return Yields::Value;
      case Tok::Open: return parseParenthesised();
      case Tok::Mod: return parseFunction(IfOp::Mod, 2);
      case Tok::Abs: return parseFunction(IfOp::Abs, 1);
      case Tok::Int: return parseFunction(IfOp::Int, 1);
      default: return refuse(if_messages::kExpectedValue);
    }
  }

  std::optional<Yields> parseParenthesised() {
    ++m_at;
    Nesting nesting(*this);
    if (nesting.tooDeep()) return refuse(if_messages::kTooDeep);
    const std::optional<Yields> inner = parseOr();
    if (!inner) return std::nullopt;
    if (!accept(Tok::Close)) return refuse(if_messages::kExpectedCloseParen);
    return inner;
  }

  std::optional<Yields> parseFunction(IfOp op, int arguments) {
    ++m_at;
    Nesting nesting(*this);
    if (nesting.tooDeep()) return refuse(if_messages::kTooDeep);
    if (!accept(Tok::Open)) return refuse(if_messages::kExpectedOpenParen);
    for (int k = 0; k < arguments; ++k) {
      if (k > 0 && !accept(Tok::Comma)) return refuse(if_messages::kExpectedComma);
      if (!parseValue()) return std::nullopt;
    }
    if (!accept(Tok::Close)) return refuse(if_messages::kExpectedCloseParen);
    emit(op);
    return Yields::Value;
  }

  const std::vector<Token>& m_tokens;
  std::size_t m_at = 0;
  int m_depth = 0;
  std::vector<IfStep>* m_out = nullptr;
  std::string m_error;
};

// ---------------------------------------------------------------------------
// Evaluation: a stack machine over one item's parameters. An undefined result
// (division by zero, a value beyond float32) travels as NaN; truths are 1, 0
// or NaN for "unknown", combined by three-valued logic so that
// "P1=1 OR P5/P6>1" still selects an item with P1=1 when its P6 is 0.

constexpr double kUndefined = std::numeric_limits<double>::quiet_NaN();

double parameterValue(std::span<const float> params, int parameter) {
  const std::size_t index = static_cast<std::size_t>(parameter) - 1;
  return index < params.size() ? static_cast<double>(params[index]) : 0.0;
}

double definedOrNaN(double value) { return std::isfinite(value) ? value : kUndefined; }

double compareStored(IfOp op, double a, double b) {
  const std::optional<float> left = toStoredFloat(a);
  const std::optional<float> right = toStoredFloat(b);
  if (!left || !right) return kUndefined;
  bool result = false;
  switch (op) {
    case IfOp::Equal: result = *left == *right; break;
    case IfOp::NotEqual: result = *left != *right; break;
    case IfOp::Less: result = *left < *right; break;
    case IfOp::Greater: result = *left > *right; break;
    case IfOp::LessEqual: result = *left <= *right; break;
    default: result = *left >= *right; break;
  }
  return result ? 1.0 : 0.0;
}

// Kleene's AND: false wins over unknown; OR is its mirror through NOT.
double logicalAnd(double a, double b) {
  if (a == 0.0 || b == 0.0) return 0.0;
  if (std::isnan(a) || std::isnan(b)) return kUndefined;
  return 1.0;
}
double logicalNot(double a) { return std::isnan(a) ? kUndefined : (a == 0.0 ? 1.0 : 0.0); }

double binary(IfOp op, double a, double b) {
  switch (op) {
    case IfOp::Add: return definedOrNaN(a + b);
    case IfOp::Subtract: return definedOrNaN(a - b);
    case IfOp::Multiply: return definedOrNaN(a * b);
    case IfOp::Divide: return b == 0.0 ? kUndefined : definedOrNaN(a / b);
    case IfOp::Mod: return truncatedRemainder(a, b).value_or(kUndefined);
    case IfOp::And: return logicalAnd(a, b);
    case IfOp::Or: return logicalNot(logicalAnd(logicalNot(a), logicalNot(b)));
    default: return compareStored(op, a, b);
  }
}

double unary(IfOp op, double a) {
  switch (op) {
    case IfOp::Negate: return -a;
    case IfOp::Abs: return std::fabs(a);
    case IfOp::Int: return std::trunc(a);
    default: return logicalNot(a);
  }
}

bool isUnary(IfOp op) {
  return op == IfOp::Negate || op == IfOp::Abs || op == IfOp::Int || op == IfOp::Not;
}

// The parser only emits well-formed postfix; a malformed program built by
// hand yields undefined rather than reading past the stack.
double evaluate(const std::vector<IfStep>& steps, std::span<const float> params) {
  std::vector<double> stack;
  stack.reserve(steps.size());
  for (const IfStep& step : steps) {
    if (step.op == IfOp::PushNumber || step.op == IfOp::LoadParameter) {
      const double value = step.op == IfOp::PushNumber ? step.number
                                                       : parameterValue(params, step.parameter);
      stack.push_back(definedOrNaN(value));  // a damaged page may hold NaN or infinity
    } else if (isUnary(step.op)) {
      if (stack.empty()) return kUndefined;
      stack.back() = unary(step.op, stack.back());
    } else {
      if (stack.size() < 2) return kUndefined;
      const double b = stack.back();
      stack.pop_back();
      stack.back() = binary(step.op, stack.back(), b);
    }
  }
  return stack.size() == 1 ? stack.back() : kUndefined;
}

}  // namespace

std::optional<float> toStoredFloat(double value) {
  if (!std::isfinite(value) || std::fabs(value) > std::numeric_limits<float>::max())
    return std::nullopt;
  return static_cast<float>(value);
}

std::optional<double> truncatedRemainder(double a, double b) {
  if (b == 0.0 || !std::isfinite(a) || !std::isfinite(b)) return std::nullopt;
  return std::fmod(a, b);
}

std::string normaliseConditionalLine(std::string_view line) {
  return normaliseWithColumns(line).text;
}

std::variant<ConditionalAlter, std::string> parseConditionalAlter(std::string_view line) {
  if (line.size() > kIfMaxLineLength) return std::string(if_messages::kLineTooLong);
  const NormalisedLine normalised = normaliseWithColumns(line);
  if (!startsWithWord(normalised.text, 0, "IF") || normalised.quoted[0] || normalised.quoted[1])
    return std::string(if_messages::kNotIfLine);
  std::vector<Token> tokens;
  Lexer lexer(normalised);
  if (!lexer.run(2, tokens)) return lexer.error();
  ConditionalAlter alter;
  Parser parser(tokens);
  if (!parser.parseLine(alter)) return parser.error();
  return alter;
}

bool conditionHolds(const ConditionalAlter& alter, std::span<const float> params) {
  return evaluate(alter.condition, params) == 1.0;
}

void applyAssignments(const ConditionalAlter& alter, std::vector<float>& params) {
  // Every value first, from the untouched item; then the writes.
  std::vector<std::optional<float>> values;
  values.reserve(alter.assignments.size());
  for (const IfAssignment& assignment : alter.assignments) {
    values.push_back(toStoredFloat(evaluate(assignment.value, params)));
  }
  for (std::size_t k = 0; k < values.size(); ++k) {
    const int parameter = alter.assignments[k].parameter;
    if (!values[k] || parameter < 1 || parameter > kIfHighestParameter) continue;
    const std::size_t index = static_cast<std::size_t>(parameter) - 1;
    if (params.size() <= index) params.resize(index + 1, 0.0f);
    params[index] = *values[k];
  }
}

bool alterIfConditionHolds(const ConditionalAlter& alter, std::vector<float>& params) {
  if (!conditionHolds(alter, params)) return false;
  applyAssignments(alter, params);
  return true;
}

}  // namespace ts
