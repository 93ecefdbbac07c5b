#pragma once
// Item codes (the value of P1) and the limits of an item record.

#include <string>

namespace ts {

enum ItemCode : int {
  kCodeNote = 1,
  kCodeRest = 2,
  kCodeClef = 3,
  kCodeLine = 4,
  kCodeSlur = 5,
  kCodeBeam = 6,
  kCodeTrill = 7,
  kCodeStaff = 8,
  kCodeLibrary = 9,
  kCodeNumber = 10,
  kCode11 = 11,
  kCodeCircle = 12,
  kCodeDummy = 13,
  kCodeBars = 14,
  kCodeEps = 15,
  kCodeText = 16,
  kCodeKeySignature = 17,
  kCodeMeter = 18,
  kCodeMarkedForRemoval = 999,
};

constexpr int kHighestCode = 18;        // codes 19 and above are unknown
constexpr int kMinStoredParams = 3;     // every item stores P1..P3
constexpr int kMaxStoredParams = 45;    // a non-text item stores at most P1..P45
constexpr int kTextParams = 13;         // numeric parameters of a text item
constexpr int kExtendedTextParams = 16; // ... when its P14 is -1
constexpr int kWorkingParams = 50;      // places of the working record

// Lines, slurs, beams and trills: items with a second end (P6 its position,
// P5 its step).
constexpr bool isTwoEndedCode(int code) { return code >= kCodeLine && code <= kCodeTrill; }

// Truncation toward zero, the integer meaning of every parameter. Values
// beyond the int range saturate instead of overflowing.
int truncToInt(double value);

// A parameter as the shortest decimal text that reads back as the same
// float ("3", "0.8", "-9999").
std::string formatParameter(float value);

// Seven-character menu name of a code ("NOTE", "CODE11", ...); codes 19 to
// 23 name item sub-menus. Empty for any other value.
const char* codeMenuName(int code);

}  // namespace ts
