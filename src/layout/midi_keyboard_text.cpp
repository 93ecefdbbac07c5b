#include "layout/midi_keyboard_text.h"

#include <array>

namespace ts {
namespace {

constexpr int kKeysInOctave = 12;
constexpr int kLowestWritableKey = 12;  // C0: the octave digit runs from 0

struct Spelling {
  const char* sharps;
  const char* flats;
};
// The twelve pitch classes from C.
constexpr std::array<Spelling, kKeysInOctave> kSpellings{{
    {"C", "C"}, {"CS", "DF"}, {"D", "D"}, {"DS", "EF"}, {"E", "E"}, {"F", "F"},
    {"FS", "GF"}, {"G", "G"}, {"GS", "AF"}, {"A", "A"}, {"AS", "BF"}, {"B", "B"},
}};

constexpr int kDigitZero = '0';
constexpr int kKeyFlatsBase = '0';        // "K" and a digit: the digit's code
constexpr int kKeySharpsBase = '0' + 10;  // "K", a digit and "S": ten more

// Meters of the menu: code, numerator, denominator.
struct MeterCode {
  int code;
  int numerator;
  int denominator;
};
constexpr std::array<MeterCode, 4> kSixteenths{{{-93, 3, 16}, {-94, 6, 16}, {-95, 9, 16}, {-96, 12, 16}}};

// The meter as the notes line writes it: the numerator in two columns, a
// blank, the denominator ("2  4", "12 8").
std::string meterWord(int numerator, int denominator) {
  std::string word = std::to_string(numerator);
  word.resize(2, ' ');
  return word + ' ' + std::to_string(denominator);
}

std::optional<std::string> clefWord(int action) {
  switch (action) {
    case -1: return "TR";
    case -2: return "BA";
    case -3: return "AL";
    case -4: return "TE";
    case -5: return "PR";
    case -98: return "CUT";
    case -99: return "COM";
    default: return std::nullopt;
  }
}

std::optional<std::string> meterToken(int action) {
  if (action <= -kDigitZero && action >= -(kDigitZero + 9)) return meterWord(-action - kDigitZero, 4);
  if (action <= -(kDigitZero + 10) && action >= -(kDigitZero + 19)) return meterWord(-action - 10 - kDigitZero, 8);
  if (action == -97) return meterWord(12, 8);
  for (const MeterCode& meter : kSixteenths) {
    if (meter.code == action) return meterWord(meter.numerator, meter.denominator);
  }
  return std::nullopt;
}

}  // namespace

std::optional<int> noteOnKey(uint32_t message) {
  const uint32_t status = message & 0xFFu;
  const int key = static_cast<int>((message >> 8) & 0x7Fu);
  const uint32_t velocity = (message >> 16) & 0x7Fu;
  if ((status & 0xF0u) != 0x90u || velocity == 0) return std::nullopt;
  return key;
}

std::optional<std::string> keyToken(int key, int keySignature) {
  if (key < kLowestWritableKey || key > 127) return std::nullopt;
  const Spelling& spelling = kSpellings[static_cast<size_t>(key % kKeysInOctave)];
  const int octave = key / kKeysInOctave - 1;
  return std::string(keySignature < 0 ? spelling.flats : spelling.sharps) + static_cast<char>('0' + octave);
}

std::optional<int> actionKeySignature(int action) {
  if (action >= kKeyFlatsBase && action <= kKeyFlatsBase + 7) return -(action - kKeyFlatsBase);
  if (action >= kKeySharpsBase && action <= kKeySharpsBase + 7) return action - kKeySharpsBase;
  return std::nullopt;
}

std::optional<std::string> actionToken(int action) {
  if (std::optional<std::string> word = clefWord(action)) return word;
  if (std::optional<std::string> meter = meterToken(action)) return meter;
  const std::optional<int> key = actionKeySignature(action);
  if (!key) return std::nullopt;
  const int count = *key < 0 ? -*key : *key;
  return "K" + std::to_string(count) + (*key < 0 ? "F" : "S");
}

bool MidiNotesLine::strike(int key, uint32_t milliseconds) {
  const std::optional<std::string> token = keyToken(key, m_keySignature);
  if (!token) return false;
  // Unsigned difference: right across the device clock's wrap.
  if (m_chordStart && milliseconds - *m_chordStart <= kChordMilliseconds && !m_tokens.empty()) {
    if (text().size() + 1 + token->size() > kMostMidiLineChars) return false;
    m_tokens.back() += ':' + *token;
    return true;
  }
  if (!append(*token)) return false;
  m_chordStart = milliseconds;
  return true;
}

bool MidiNotesLine::act(int action) {
  const std::optional<std::string> token = actionToken(action);
  if (!token || !append(*token)) return false;
  if (const std::optional<int> key = actionKeySignature(action)) m_keySignature = *key;
  m_keyAfter.back() = m_keySignature;
  m_chordStart.reset();
  return true;
}

void MidiNotesLine::dropLast() {
  if (!m_tokens.empty()) {
    m_tokens.pop_back();
    m_keyAfter.pop_back();
  }
  m_keySignature = m_keyAfter.empty() ? m_firstKey : m_keyAfter.back();
  m_chordStart.reset();
}

std::string MidiNotesLine::text() const {
  std::string line;
  for (const std::string& token : m_tokens) line += (line.empty() ? "" : "/") + token;
  return line;
}

bool MidiNotesLine::append(std::string token) {
  const size_t length = text().size();
  if (length + (m_tokens.empty() ? 0 : 1) + token.size() > kMostMidiLineChars) return false;
  m_tokens.push_back(std::move(token));
  m_keyAfter.push_back(m_keySignature);
  return true;
}

}  // namespace ts
