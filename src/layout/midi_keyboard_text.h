#pragma once
// Notes played on a MIDI keyboard become text of the notes line, so that
// keyboard entry and typing go through one language: each key a note token
// with its octave digit ("CS4", "BF3"), keys struck together a chord
// ("C4:E4:G4"), and the buttons of the MIDI input menu, which reach the
// engine as action codes, the clef, key and meter words ("TR", "K3F",
// "6  8", "COM").

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace ts {

// Action codes with no token of their own.
constexpr int kMidiActionDropLast = 42;  // the "BK" button and Backspace
constexpr int kMidiActionEndLine = 43;   // ";"
constexpr int kMidiActionLeave = 27;     // "^" answered Yes, Escape

// Keys struck within this time of a chord's first key join the chord.
constexpr uint32_t kChordMilliseconds = 60;
// The notes line is stored in 384 characters; keyboard entry stops adding
// short of that so that the ";" still fits.
constexpr size_t kMostMidiLineChars = 380;

// The key of a note-on message (status 0x90-0x9F with a velocity above 0),
// nothing for every other message.
std::optional<int> noteOnKey(uint32_t message);

// A key as a note token, spelled with sharps in a key of sharps or none
// and with flats in a key of flats; nothing below C0 (key 12), which the
// octave digit cannot reach.
std::optional<std::string> keyToken(int key, int keySignature);

// The word an action code of the MIDI input menu stands for; nothing for
// codes that are no word (0, the line actions, unknown codes).
std::optional<std::string> actionToken(int action);

// Sharps (positive) or flats (negative) a key word sets, for the spelling
// of the notes after it.
std::optional<int> actionKeySignature(int action);

// The line being played.
class MidiNotesLine {
 public:
  explicit MidiNotesLine(int keySignature) : m_firstKey(keySignature), m_keySignature(keySignature) {}

  // A key struck at a time in milliseconds; false when the line is full
  // or the key cannot be written.
  bool strike(int key, uint32_t milliseconds);
  // A menu button's action code; false when it adds nothing.
  bool act(int action);
  void dropLast();
  // The tokens so far, "/" between them, without the closing ";".
  std::string text() const;

 private:
  bool append(std::string token);

  int m_firstKey = 0;
  int m_keySignature = 0;  // spells the next key
  std::vector<std::string> m_tokens;
  std::vector<int> m_keyAfter;  // the key signature in force after each token
  std::optional<uint32_t> m_chordStart;  // the time of the last token's first key, while it may grow
};

}  // namespace ts
