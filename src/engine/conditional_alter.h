#pragma once
// The conditional alteration "IF": one typed line that selects items by their
// parameters and changes the parameters of every item it selects, e.g.
//   IF P2=1 and P1=1 and p6<0 then P20=1
//   if p3>=10 \ p3<=20 ; p4=p4+2, p11=-99
//   IF (P1=1 OR P1=2) AND MOD(P3,10)=0 THEN P5=P5*2
//
// The line is first normalised character by character (normaliseConditionalLine):
// blanks are dropped except inside double quotes, ";" becomes THEN, "\" becomes
// AND, ">=" "<=" "<>" become "}" "{" "~". The normalised line is then read by
// this grammar (keywords, function names and "P" in any case):
//   line       = "IF" condition "THEN" assignment { "," assignment }
//   condition  = conjunct { "OR" conjunct }
//   conjunct   = negation { "AND" negation }           AND binds tighter than OR
//   negation   = "NOT" negation | comparison
//   comparison = sum [ ("=" | "~" | "<" | ">" | "{" | "}") sum ]
//   sum        = product { ("+" | "-") product }
//   product    = unary { ("*" | "/") unary }
//   unary      = ("-" | "+") unary | primary
//   primary    = number | "P"1..50 | "(" condition ")"
//              | "MOD(" value "," value ")" | "ABS(" value ")" | "INT(" value ")"
//   assignment = "P"1..50 "=" value
//   value      = a condition that yields a number rather than a truth
// A comparison must stand where a condition is wanted and a value where a
// number is wanted; "(" ... ")" may hold either. Numbers are "12", "1.5",
// ".5", "1e3"; "-3" is unary minus. MOD is the truncated remainder (fmod),
// INT truncates toward zero. Quoted text is not part of the language.
//
// A line without a condition ("IF THEN P5=1") is refused: one slip of the
// keyboard would otherwise alter every item of the page.
//
// Arithmetic is done in double. A comparison rounds both sides to float32
// first, so "P1=0.1" holds for an item whose P1 was stored from 0.1. A
// division or MOD by zero, or any value that does not fit a float32, is
// undefined; a comparison of an undefined value is unknown, and AND, OR, NOT
// follow three-valued logic (false AND unknown is false, true OR unknown is
// true). An item is selected only when its condition is true. An assignment
// whose value is undefined is skipped: the parameter keeps its value.
// Nothing here throws.

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace ts {

// Parameters an "IF" line may read or assign: P1..P50, the working record's size.
inline constexpr int kIfHighestParameter = 50;
// The engine's input line holds 512 characters; nothing longer can be typed.
inline constexpr std::size_t kIfMaxLineLength = 512;
// Parentheses, NOT and unary signs nested deeper than this are refused, so a
// hostile line cannot exhaust the stack of the recursive parser.
inline constexpr int kIfMaxNesting = 64;

// Messages of this module. A parse error is one of these stems, usually
// followed by " at column N" (1-based, in the line as typed).
namespace if_messages {
inline constexpr std::string_view kNotIfLine = "*** IF: line must start with IF";
inline constexpr std::string_view kLineTooLong = "*** IF: line too long";
inline constexpr std::string_view kConditionMissing = "*** IF: condition expected before THEN";
inline constexpr std::string_view kExpectedThen = "*** IF: expected THEN";
inline constexpr std::string_view kExpectedAssignment = "*** IF: expected an assignment Pn=value";
inline constexpr std::string_view kExpectedEquals = "*** IF: expected = after the parameter";
inline constexpr std::string_view kExpectedValue = "*** IF: expected a number, parameter or (";
inline constexpr std::string_view kExpectedComparison =
    "*** IF: expected a comparison (= <> < > <= >=)";
inline constexpr std::string_view kConditionAsValue =
    "*** IF: a condition cannot be used as a value";
inline constexpr std::string_view kExpectedOpenParen = "*** IF: expected ( after the function name";
inline constexpr std::string_view kExpectedComma =
    "*** IF: expected , between the arguments of MOD";
inline constexpr std::string_view kExpectedCloseParen = "*** IF: expected )";
inline constexpr std::string_view kExpectedEnd = "*** IF: expected , or end of line";
inline constexpr std::string_view kBadParameter = "*** IF: parameter number must be 1 to 50";
inline constexpr std::string_view kBadNumber = "*** IF: number out of range";
inline constexpr std::string_view kQuotedText = "*** IF: quoted text is not allowed";
inline constexpr std::string_view kUnexpectedCharacter = "*** IF: unexpected character";
inline constexpr std::string_view kTooDeep = "*** IF: nested too deeply";
}  // namespace if_messages

// One step of a compiled expression in postfix order. Truth values live on
// the evaluation stack as 1 and 0, with NaN for undefined and unknown.
enum class IfOp {
  PushNumber, LoadParameter,
  Add, Subtract, Multiply, Divide, Negate, Mod, Abs, Int,
  Equal, NotEqual, Less, Greater, LessEqual, GreaterEqual,
  And, Or, Not,
};

struct IfStep {
  IfOp op = IfOp::PushNumber;
  double number = 0.0;  // PushNumber
  int parameter = 0;    // LoadParameter: 1-based
};

struct IfAssignment {
  int parameter = 0;  // 1..kIfHighestParameter
  std::vector<IfStep> value;
};

// A compiled "IF" line.
struct ConditionalAlter {
  std::vector<IfStep> condition;
  std::vector<IfAssignment> assignments;  // in the order typed
};

// The normalisation described above, applied alone (case is kept).
std::string normaliseConditionalLine(std::string_view line);

// Compiles a whole typed line, "IF" included; the string is the error message.
std::variant<ConditionalAlter, std::string> parseConditionalAlter(std::string_view line);

// params[0] is P1; parameters beyond params.size() read as 0.
bool conditionHolds(const ConditionalAlter& alter, std::span<const float> params);

// Applies every assignment to one item. All right-hand sides are computed from
// the values the item had before this line touched it, so
// "P4=P5, P5=P4" swaps; when one parameter is assigned twice the last wins.
// params grows with zeros to reach an assigned parameter (never beyond P50);
// cutting an item to what its store allows is the caller's business.
void applyAssignments(const ConditionalAlter& alter, std::vector<float>& params);

// conditionHolds, then applyAssignments if it does; true when it held.
bool alterIfConditionHolds(const ConditionalAlter& alter, std::vector<float>& params);

// A computed value as a parameter stores it; nullopt when the value is not
// finite or lies beyond the float32 range.
std::optional<float> toStoredFloat(double value);
// MOD(a, b): the remainder with the sign of a, as fmod; nullopt when b is 0.
std::optional<double> truncatedRemainder(double a, double b);

}  // namespace ts
