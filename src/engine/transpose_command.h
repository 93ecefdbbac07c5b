#pragma once
// The transpose commands, a component of the engine: "TR" (the "Transpose
// Setup" dialog), the tool-bar words "TRM n" and "TRP n" (down and up by n
// half steps; "TRM0" is the setup with no amount, for a clef change),
// "TRI" (the instrument keys) and "ENH+1", "ENH-1" (enharmonic up and
// down). The engine asks for the range as it asks for a group operation's
// area and hands the answer here; the change is one undoable step, and
// every staff transposed is justified again.

#include <functional>
#include <string>
#include <vector>

#include "engine/group_selection.h"
#include "layout/transposition.h"

namespace ts {

class EngineHost;
class PageStore;
struct CommandLine;
struct Preferences;

namespace transpose_messages {
inline constexpr const char* kSetupTitle = "Transpose Setup";
inline constexpr const char* kInstrumentTitle = "Transpose by Inst. Key";
inline constexpr const char* kAmountLabel = "Transpose by 1/2 steps.";
inline constexpr const char* kClefLabel = "Change all clefs to:";
inline constexpr const char* kKeyLabel = "Add key sig.?";
inline constexpr const char* kStemsLabel = "Normalize stem directions?";
inline constexpr const char* kCueLabel = "Transpose cue notes?";
inline constexpr const char* kNotAmount = "*** Transpose by a whole number of half steps: ";
inline constexpr const char* kNotYesNo = "*** Answer Y or N: ";
inline constexpr const char* kNotClef = "*** Not a clef (No Clef Change, Treble, Bass, Alto, Tenor): ";
}  // namespace transpose_messages

// The setup's clef choices, as the dialog names them, in ClefChoice order.
inline constexpr const char* kClefChoiceNames[] = {"No Clef Change", "Treble", "Bass", "Alto", "Tenor"};

struct InstrumentKey {
  const char* label;
  int halfSteps;
};

// The setup's instrument buttons and the amounts they fill in.
inline constexpr InstrumentKey kInstrumentKeys[] = {
    {"Ab  (-8 Clar.  high)", -8},          {"F  (-5 Trpt.  high)", -5},
    {"E  (-4 Trpt.  high)", -4},           {"Eb  (-3 Clar., Trpt.)", -3},
    {"D  (-2 Clar., Trpt.)", -2},          {"Bb  (+2 Clar., Trpt.)", 2},
    {"A   (+3 Clar., Trpt.)", 3},          {"G  (+5 Alto Flute, Horn)", 5},
    {"F  (+7 Horn, Eng. Horn)", 7},        {"E  (+8 Horn)", 8},
    {"Eb  (+9 Alto Sax, Horn)", 9},        {"D  (+10 Horn)", 10},
    {"Bb  (+14 Ten, Sax, Bs. Clar.)", 14}, {"Eb  (+21 Baritone Sax)", 21},
    {"Octave up (+12 Contra Bsn.)", 12},   {"Octave down (-12 Piccolo)", -12},
    {"Enharmonic up (0)", kEnharmonicUp},  {"Enharmonic down (0)", kEnharmonicDown},
};

// Reading the setup's answers: a whole amount of half steps within the
// amounts a command can be given; yes or no; a clef by its name or first
// letter. Nothing for an answer that is none of them.
std::optional<int> amountOfAnswer(const std::string& answer);
std::optional<bool> yesOfAnswer(const std::string& answer);
std::optional<ClefChoice> clefOfAnswer(const std::string& answer);

// The range the area of a group operation gives: its staves, and the whole
// width when no right position is given.
TransposeRange rangeOfArea(const GroupArea& area);

struct TransposeContext {
  PageStore& page;
  const Preferences& preferences;
  EngineHost& host;
  int& waitLevel;
  std::function<void()> saveUndo;  // before the page changes
};

struct TransposeReply {
  std::string message;             // the message line
  std::vector<std::string> boxes;  // told in message boxes
  bool changed = false;
  bool failed = false;  // refused: the page is as it was
};

class TransposeCommand {
 public:
  // "TR", "TRI", and "TRM", "TRP", "ENH" with their number.
  static bool isTransposeWord(const CommandLine& line);

  // The word that asks for the range; the numbers after its own amount,
  // when typed, are the range at once.
  std::vector<double> begin(const CommandLine& line);
  TransposeReply run(const GroupArea& area, TransposeContext& context);
  // The transposition itself, with options already chosen.
  TransposeReply transpose(const TransposeRange& range, const TransposeOptions& options, TransposeContext& context);

 private:
  std::optional<TransposeOptions> askSetup(TransposeContext& context, TransposeReply& reply);
  std::optional<TransposeOptions> askInstrument(TransposeContext& context);

  enum class Asks { Setup, Instrument, Nothing } m_asks = Asks::Setup;
  int m_amount = 0;
  TransposeOptions m_last;  // the setup's answers, kept for the tool-bar words
};

}  // namespace ts
