#pragma once
// The only way the engine reaches its user: every host (the desktop
// program, the tsm driver, test fakes) implements this interface. Each call
// returns when the user has answered.

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace ts {

// What the user did while the engine waited for a click, a box or a key.
struct UserEvent {
  enum class Kind { Click, Box, Key, Command, Cancel };
  Kind kind = Kind::Cancel;
  int x = 0, y = 0;    // click, or the box's first corner (engine display units)
  int x2 = 0, y2 = 0;  // the box's second corner
  int key = 0;         // virtual-key code
  std::string text;    // a command sent instead of the awaited input
};

enum class WaitKind { Click, Box, Key };

// What became of a MIDI file handed to the host's player.
struct MidiPlayback {
  bool played = false;
  std::string message;  // why it did not play; empty when the host has no player
};

// What came while the engine waited on the MIDI keyboard: a message from
// an input device (status, data 1, data 2, low byte first) with its time,
// the action code of a menu button, or nothing more (the window is
// closing, the script has ended).
struct MidiKeyboardEvent {
  enum class Kind { Message, Action, Closed };
  Kind kind = Kind::Closed;
  uint32_t message = 0;
  uint32_t milliseconds = 0;
  int action = 0;
};

// "PAUS" pauses or resumes the piece playing, "STOP" stops it.
enum class PlaybackControl { PauseOrResume, Stop };

struct DialogField {
  std::string label;
  std::string value;  // shown first; the default answer
};

class EngineHost {
 public:
  virtual ~EngineHost() = default;

  // A message box with only OK. A '|' in the text is a line break.
  virtual void messageBox(std::string_view text) = 0;
  virtual bool askYesNo(std::string_view question) = 0;
  // A question with three buttons; returns 0, 1 or 2 for the button chosen.
  virtual int askThreeButtons(std::string_view question, const std::array<std::string, 3>& buttons) = 0;
  // A typed answer to a prompt; nothing when the user cancels.
  virtual std::optional<std::string> promptLine(std::string_view prompt) = 0;
  // A dialog of several fields; their values in order, nothing when cancelled.
  virtual std::optional<std::vector<std::string>> askFields(std::string_view title,
                                                            const std::vector<DialogField>& fields) = 0;
  // A dialog of choices; the 1-based number of the choice, nothing when cancelled.
  virtual std::optional<int> askChoice(std::string_view title, const std::vector<std::string>& choices) = 0;
  // Waits, with the window alive, for a click, a dragged box or a key.
  virtual UserEvent waitForInput(WaitKind kind, std::string_view prompt) = 0;
  // The colour chooser; nothing when cancelled. Colours are 0x00BBGGRR.
  virtual std::optional<uint32_t> chooseColour(uint32_t initial) = 0;
  // Shows a line in the message field at once, while a command runs.
  virtual void showMessage(std::string_view text) = 0;
  // Asks for edit menu `menu` (page selector 0 or 1 for paged menus).
  virtual void switchEditMenu(int menu, int page) = 0;
  // MIDI keyboard entry: menu buttons become action codes and typing is
  // refused until it ends. False when no MIDI input device is open.
  virtual bool startMidiKeyboard() { return false; }
  // Waits for the next keyboard message or action code; `line` is the text
  // played so far, for the user to see.
  virtual MidiKeyboardEvent waitForMidiKeyboard(std::string_view line) {
    (void)line;
    return {};
  }
  virtual void endMidiKeyboard() {}
  // Pauses, resumes or stops the player; what it now does, in the user's
  // words, or nothing when the host has no player.
  virtual std::optional<std::string> controlPlayback(PlaybackControl control) {
    (void)control;
    return std::nullopt;
  }
  // Plays the MIDI file the engine has just written, given by its name and
  // its bytes. A host without a player answers nothing played and no
  // message (the engine says so); a player that cannot play says why.
  virtual MidiPlayback playMidiFile(std::string_view fileName, std::span<const uint8_t> image) {
    (void)fileName;
    (void)image;
    return {};
  }
  // Long work (pages written, pages printed) says how far it is before each
  // step, and once more with `done` equal to `total` when it ends; false
  // asks it to stop before the next step. A host that shows nothing goes on.
  virtual bool progress(int done, int total, std::string_view what) {
    (void)done;
    (void)total;
    (void)what;
    return true;
  }
};

}  // namespace ts
