#pragma once
// One input mode's work on the page, without the user: each stage line of
// a stretch is read and built, and the reply says whether the stage is done
// or is to be asked again. Both the "IN" dialogue and input files go
// through it.

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/input_builders.h"
#include "layout/input_line.h"
#include "model/page_store.h"
#include "model/preferences.h"

namespace ts {

enum class StageResult {
  Done,         // the line was read and built; on to the next stage
  Again,        // the same stage is to be asked again (the messages say why)
  NoRhythms,    // a notes line without notes or rests: stage 2 is passed over
};

struct StageReply {
  StageResult result = StageResult::Done;
  std::vector<std::string> messages;
  bool refused = false;  // asked again because the line could not be read or built
};

constexpr int kStageLines = 5;  // stages 1 to 5 keep their lines

class InputSession {
 public:
  InputSession(PageStore& page, const Preferences& preferences) : m_page(page), m_preferences(preferences) {}

  // A new stretch: its staff and range; the page and the language state are
  // remembered as they are, for "E" and for a file line that fails.
  void startStretch(int staff, float left, float right);
  // Page and language state back to the start of the stretch.
  void restoreStretchStart();

  // Reads and builds one stage line of the stretch.
  StageReply feed(InputStage stage, std::string_view line);

  const std::array<std::string, kStageLines>& storedLines() const { return m_stored; }
  const std::array<bool, kStageLines>& storedGiven() const { return m_given; }
  int staff() const { return m_stretch.staff; }
  float left() const { return m_stretch.left; }
  float right() const { return m_stretch.right; }
  int spacingStaff() const { return m_spacingStaff; }
  // Sharps (positive) or flats in force where the stretch starts.
  int keySignature() const;
  // Notes and rests of the stretch's notes line (a chord once).
  int notesCount() const { return static_cast<int>(m_stretch.notes.size()); }

 private:
  StageReply notes(const std::string& prepared);
  StageReply rhythms(const std::string& prepared);
  StageReply marks(const std::string& prepared);
  StageReply pairs(const std::string& prepared, InputStage stage);
  std::optional<StageReply> sessionWord(std::string_view upper);
  void store(InputStage stage, std::string_view line);

  PageStore& m_page;
  const Preferences& m_preferences;
  InputState m_state;
  StretchView m_stretch;
  int m_spacingStaff = 0;
  std::array<std::string, kStageLines> m_stored;
  std::array<bool, kStageLines> m_given{};
  // The stretch's start, for "E" and for a line that fails.
  std::unique_ptr<PageStore> m_pageAtStart;
  InputState m_stateAtStart;
};

}  // namespace ts
