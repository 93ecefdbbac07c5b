#pragma once
// The justify commands, a component of the engine: "J" (justify), "L" and
// "LJ" (line up and justify), "LI" (line up), "JT" and "JTX" (justify with
// the texts following their notes), "JN" and "LN" (select only). The
// engine asks for the system as it asks for a group operation's area and
// hands the answer here.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/group_selection.h"
#include "layout/justification.h"

namespace ts {

class EngineHost;
class PageStore;
struct Preferences;
struct UserEvent;

// A system: its lowest staff, how many staves, and (for "J") the range.
struct SystemChoice {
  int lowestStaff = 0;
  int staffCount = 1;
  float left = 0.0f;
  float right = 0.0f;
};

// Typed: lowest staff, how many staves (1 when 0 or missing), left, right.
SystemChoice systemOfNumbers(const std::vector<double>& numbers);
// A box: its staves and its horizontal range.
SystemChoice systemOfBox(const GroupArea& box);

// The range "J" justifies: the typed positions, 200 on the right when the
// right is not greater than the left.
JustifyRange typedRange(const SystemChoice& system);
// The range "L" works on: from the leftmost start of the system's staff
// items to the rightmost end (P6, else the right edge).
JustifyRange staffExtentRange(const PageStore& page, const SystemChoice& system);

// What the command needs of the engine.
struct JustifyContext {
  PageStore& page;
  const Preferences& preferences;
  EngineHost& host;
  int& waitLevel;
  std::function<void()> saveUndo;                     // before the page changes
  std::function<int(const UserEvent&)> pickItem;      // the item a click picks, 0 none
};

struct JustifyReply {
  std::string message;             // the message line
  std::vector<std::string> boxes;  // message boxes: the room warning, the beats report
  bool changed = false;
};

class JustifyCommand {
 public:
  static bool isJustifyWord(std::string_view mnemonic);

  // The word that asks for the system; its system comes with `run`.
  void begin(std::string_view mnemonic) { m_word = std::string(mnemonic); }
  JustifyReply run(const SystemChoice& system, JustifyContext& context);

 private:
  std::string m_word;
};

}  // namespace ts
