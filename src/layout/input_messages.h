#pragma once
// The messages of the typed input language, kept in one place so that code
// and tests cite the same strings.

namespace ts::input_messages {

inline constexpr const char* kSyntaxError = "*** Syntax Error ***";
inline constexpr int kSyntaxErrorShift = 22;  // columns the line is shifted right behind the message
inline constexpr const char* kMotiveNotFound = "ERROR - motive ";
inline constexpr const char* kMotiveNotFoundEnd = " not found.";
inline constexpr const char* kMotiveTooDeep = "ERROR - motives nested too deeply.";
inline constexpr const char* kLineTooLong = "ERROR - the line grows too long.";
inline constexpr const char* kTooManyTokens = "*** More than 200 notes and signs in one line: line refused. ***";
inline constexpr const char* kNoNotes = "*** No notes/rests given. ***";

}  // namespace ts::input_messages
