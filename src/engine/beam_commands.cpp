// The beam commands of the edit menus, acting on the beam being edited and
// the notes under it: "ADJ" ends their stems on the beam's line, "FLI"
// turns the beam and its stems to the other side. Both change several items
// at once, so the page is copied for "UNDO" first.

#include "engine/beam_stems.h"
#include "engine/engine.h"
#include "engine/engine_messages.h"

namespace ts {

bool Engine::beamCommand(std::string_view mnemonic) {
  const bool adjust = mnemonic == "ADJ";
  if (!adjust && mnemonic != "FLI") return false;
  if (!m_editing || truncToInt(m_edit[0]) != kCodeBeam) {
    if (!adjust) return false;  // flipping any other item is not a beam command
    fail(messages::kOpenBeamFirst);
    return true;
  }
  m_host.showMessage(messages::kAdjustStemsOnly);
  writeBackEdit();
  const BeamPlan plan = adjust ? planStemAdjustment(m_page, m_current) : planBeamFlip(m_page, m_current);
  if (!plan.refusal.empty()) {
    fail(plan.refusal);
    return true;
  }
  saveUndoCopy();
  if (!applyChanges(m_page, plan.changes)) {
    fail(messages::kPageFull);
    return true;
  }
  if (!plan.changes.empty()) markModified();
  // The notes changed with the beam: "AB" now goes back to this beam.
  m_page.loadWorking(m_current, m_edit);
  m_openedRecord = m_page.record(m_current);
  m_pageChanged = true;
  setMessage(messages::kAdjustingStems);
  return true;
}

}  // namespace ts
