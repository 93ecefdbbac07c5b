// The edit cycle: opening, stepping, closing, aborting, copying and
// deleting the item being edited, moving it and changing its parameters.

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "draw/item_colour.h"
#include "engine/beam_stems.h"
#include "engine/engine.h"
#include "engine/engine_messages.h"
#include "engine/parameter_edit.h"
#include "engine/parameter_words.h"

namespace ts {
namespace {

// The edit-mode command table: three characters compared with the
// mnemonic. Entries ending in '*' also stand for the mnemonic without the
// star ("PS3", "PG").
constexpr const char* kEditTable[] = {
    "I",  "I*",  "II",  "N",   "N*",  "NEX", "NZ",  "B",   "BZ",  "X",   "X*",  "XX",  "XX*", "AB",
    "ABX", "C",  "C*",  "CC",  "CX",  "DE",  "DE*", "DEN", "DEB", "L",   "R",   "U",   "D",   "L*",
    "R*", "U*",  "D*",  "LL",  "RR",  "UU",  "DD",  "CN",  "CM",  "CNX", "CN*", "ST",  "ST*", "STX",
    "ED", "ED*", "S",   "SET", "A",   "SC",  "SCX", "P*",  "SZ",  "SZ*", "PS*", "PG*", "RGB", "BLA",
    "GRA", "WHI", "PED", "PDS", "DCH", "LIN", "NOD", "H*",  "SUD", "RTR", "___"};

bool editTableHas(std::string_view mnemonic) {
  const std::string key = padded(mnemonic, 3);
  for (const char* entry : kEditTable) {
    const std::string_view e(entry);
    if (key == padded(e, 3)) return true;
    // "PS*" also stands for "PS" with or without a number after it.
    if (e.size() > 1 && e.back() == '*' && padded(e.substr(0, e.size() - 1), 3) == key) return true;
  }
  return false;
}

// Steps of the slider buttons "PCHNG1" .. "PCHNG14".
constexpr double kSliderSteps[] = {-0.1, -0.5, -1, -5, -10, -20, 0.1, 0.5, 1, 5, 10, 20, -0.05, 0.05};

}  // namespace

int sizeParameter(int code) {
  switch (code) {
    case kCodeNote:
    case kCodeRest: return 15;
    case kCodeClef: return 6;
    case kCodeStaff: return 5;
    case kCodeMeter: return 7;
    case kCodeBeam: return 18;
    case kCodeLibrary: return 6;
    default: return 0;
  }
}

bool Engine::dispatchEditCommand(const CommandLine& line) {
  const std::string& m = line.mnemonic;
  if (!editTableHas(m)) return false;
  const std::optional<double> argument =
      line.numbers.empty() ? std::nullopt : std::optional<double>(line.numbers.front());
  const double count = argument.value_or(1.0);
  const float step = m_halfStep ? 0.5f : 1.0f;
  if (m == "I" || m == "I*" || m == "N" || m == "N*") {
    openItem(argument ? truncToInt(*argument) : m_lastItem);
  } else if (m == "II") {
    openItem(m_page.itemCount());
  } else if (m == "X" || m == "X*" || m == "XX" || m == "XX*") {
    closeItem();
  } else if (m == "NEX" || m == "B" || m == "NZ" || m == "BZ") {
    stepItem(m[0] == 'B' ? -1 : 1, m.size() == 2 && m[1] == 'Z');
  } else if (m == "AB" || m == "ABX") {
    abortEdit(m == "AB");
  } else if (m == "C" || m == "C*" || m == "CC" || m == "CX") {
    copyEdited(m);
  } else if (m == "DE" || m == "DE*" || m == "DEN" || m == "DEB") {
    deleteEdited(m == "DEN" ? 1 : m == "DEB" ? -1 : 0);
  } else if (m == "U" || m == "D") {
    moveEdited(0.0f, static_cast<float>(count) * step * (m == "U" ? 1.0f : -1.0f));
  } else if (m == "L" || m == "R") {
    moveEdited(static_cast<float>(count) * step * (m == "R" ? 1.0f : -1.0f), 0.0f);
  } else if (m == "UU" || m == "DD") {
    moveEdited(0.0f, 0.5f * static_cast<float>(count) * (m == "UU" ? 1.0f : -1.0f));
  } else if (m == "LL" || m == "RR") {
    moveEdited(0.5f * static_cast<float>(count) * (m == "RR" ? 1.0f : -1.0f), 0.0f);
  } else if (m == "U*" || m == "D*") {
    moveEdited(0.0f, 0.1f * static_cast<float>(count) * (m == "U*" ? 1.0f : -1.0f));
  } else if (m == "L*" || m == "R*") {
    moveEdited(0.1f * static_cast<float>(count) * (m == "R*" ? 1.0f : -1.0f), 0.0f);
  } else if (m == "CN" || m == "CM" || m == "CNX" || m == "CN*") {
    centreOnNearestNote(m == "CNX");
  } else if (m == "S" || m == "SET") {
    m_alignPosition = m_edit[2];
    char text[64];
    std::snprintf(text, sizeof text, "Alignment set at P3 = %g", static_cast<double>(m_edit[2]));
    setMessage(text);
  } else if (m == "A") {
    if (!m_alignPosition) {
      setMessage(messages::kNothingSet);
    } else {
      m_edit[2] = *m_alignPosition;
      editChanged();
    }
  } else if (m == "PS") {
    saveParameter(argument);
  } else if (m == "PG") {
    getSavedParameter(argument);
  } else if (m == "RGB" || m == "BLA" || m == "GRA" || m == "WHI") {
    colourEdited(m);
  } else if (m == "SZ") {
    setSize(argument);
  } else if (m == "P") {
    parameterDialog(argument ? truncToInt(*argument) : 21);
  } else {
    notAvailableYet(line.word);
  }
  return true;
}

// Commands that act on the item being edited but are reached through the
// inline table ("LFT", "SLIDER", "PCHNG3", "SZ+", "HALF", ...).
bool Engine::dispatchEditExtras(const CommandLine& line) {
  const std::string& m = line.mnemonic;
  if (m_editing && makeInvisibleOrFlip(m)) return true;
  if (beamCommand(m)) return true;
  if (textCommand(line)) return true;
  if (pictureCommand(line)) return true;
  if (m_editing && applyParameterWord(m, m_edit)) {
    editChanged();
    return true;
  }
  const bool ends = m == "LFT" || m == "RGT" || m == "NRMV";
  const bool slider = m == "SLIDER" || m == "PCHNG" || m == "RNDF";
  const bool size = m == "SZ+" || m == "SZ-";
  if (!ends && !slider && !size && m != "HALF" && m != "RESTO") return false;
  if (m == "HALF") {
    m_halfStep = !m_halfStep;
    setMessage(m_halfStep ? messages::kHalfStepOn : messages::kHalfStepOff);
    return true;
  }
  if (m == "RESTO") {
    restoreItem();
    return true;
  }
  if (!m_editing) {
    setMessage(messages::kOpenItemFirst);
    return true;
  }
  if (ends) {
    m_moveEnds = m == "LFT" ? MoveEnds::Left : m == "RGT" ? MoveEnds::Right : MoveEnds::All;
    setMessage(m == "LFT" ? messages::kMoveLeftEnd : m == "RGT" ? messages::kMoveRightEnd : messages::kMoveAll);
  } else if (size) {
    const int parameter = sizeParameter(truncToInt(m_edit[0]));
    if (parameter == 0) {
      notAvailableYet(line.word);
      return true;
    }
    float& value = m_edit[parameter - 1];
    value = (value == 0.0f ? 1.0f : value) + (m == "SZ+" ? 0.1f : -0.1f);
    editChanged();
  } else {
    sliderCommand(line);
  }
  return true;
}

// The words the F6 and F7 keys send for the item being edited.
bool Engine::makeInvisibleOrFlip(std::string_view mnemonic) {
  const int code = truncToInt(m_edit[0]);
  if (mnemonic == "RINV" && code == kCodeRest) {
    m_edit[5] = m_edit[5] == -1.0f ? 0.0f : -1.0f;  // P6 = -1: invisible rest
  } else if (mnemonic == "SI" && code == kCodeStaff) {
    m_edit[6] = m_edit[6] < 0.0f ? -m_edit[6] : -(m_edit[6] == 0.0f ? 5.0f : m_edit[6]);  // P7 < 0: invisible
  } else if (mnemonic == "INV" && code == kCodeBars) {
    m_edit[3] = m_edit[3] == 0.0f ? -1.0f : -m_edit[3];  // P4 < 0: invisible bar
  } else if (mnemonic == "FLI" && (code == kCodeNote || code == kCode11)) {
    // The tens of P5 give the stem: 1 up, 2 down.
    if (stemTens(m_edit[4]) == 0) {
      m_edit[4] += m_edit[3] < 7.0f ? 20.0f : 10.0f;  // no stem yet: give the flipped one
    } else {
      m_edit[4] = flippedStemCode(m_edit[4]);
    }
  } else {
    return false;
  }
  editChanged();
  return true;
}

void Engine::openItem(int item) {
  writeBackEdit();
  if (m_page.itemCount() == 0) {
    m_editing = false;
    setMessage(messages::kNoItems);
    return;
  }
  item = std::clamp(item, 1, m_page.itemCount());
  m_current = item;
  m_lastItem = item;
  m_page.loadWorking(item, m_edit);
  m_editText = m_page.text(item);
  m_openedRecord = m_page.record(item);
  m_openedItem = item;
  m_changed = false;
  m_editing = true;
  m_moveEnds = MoveEnds::All;
  m_pageChanged = true;
  char text[64];
  std::snprintf(text, sizeof text, "Item %d: %s", item, codeMenuName(truncToInt(m_edit[0])));
  setMessage(text);
}

void Engine::writeBackEdit() {
  if (!m_editing || !m_changed) return;
  if (m_page.storeWorking(m_current, m_edit)) {
    markModified();
  } else {
    setMessage(messages::kPageFull);
  }
  m_changed = false;
}

void Engine::editChanged() {
  // The store always holds what the user sees; "AB" puts back the record
  // kept when the item was opened.
  m_changed = true;
  writeBackEdit();
  m_pageChanged = true;
}

void Engine::closeItem() {
  writeBackEdit();
  m_editing = false;
  m_pageChanged = true;
}

void Engine::stepItem(int direction, bool sameCode) {
  const int code = truncToInt(m_edit[0]);
  writeBackEdit();
  m_direction = direction;
  int next = m_current + direction;
  if (sameCode) {
    while (next >= 1 && next <= m_page.itemCount() && m_page.code(next) != code) next += direction;
  }
  if (next < 1 || next > m_page.itemCount()) {
    setMessage(direction > 0 ? messages::kEndOfPage : messages::kStartOfPage);
    return;
  }
  openItem(next);
}

void Engine::abortEdit(bool reopen) {
  const int item = m_current;
  m_page.replace(item, m_openedRecord);
  m_changed = false;
  m_editing = false;
  m_pageChanged = true;
  if (reopen) openItem(item);
}

void Engine::restoreItem() {
  // "RESTO": the item as it was when its edit began, while editing it or
  // after the edit was closed.
  if (m_openedItem < 1 || m_openedItem > m_page.itemCount() || m_openedRecord.params.empty()) {
    setMessage(messages::kNothingToRestore);
    return;
  }
  m_page.replace(m_openedItem, m_openedRecord);
  markModified();
  if (m_editing && m_current == m_openedItem) {
    m_page.loadWorking(m_current, m_edit);
    m_changed = false;
  }
}

void Engine::copyEdited(std::string_view mnemonic) {
  writeBackEdit();
  const int copy = m_page.append(m_page.record(m_current));
  if (copy == 0) {
    setMessage(messages::kPageFull);
    return;
  }
  markModified();
  m_lastItem = copy;
  if (mnemonic == "CC") {
    openItem(copy);
  } else if (mnemonic == "CX") {
    stepItem(1, false);
  } else {
    m_editing = false;
  }
}

void Engine::deleteEdited(int thenStep) {
  const int item = m_current;
  const int code = truncToInt(m_edit[0]);
  writeBackEdit();
  deleteItem(item);
  m_editing = false;
  if (thenStep == 0) return;
  // Go on to the neighbour with the deleted item's code: the item that
  // followed now has the deleted item's number.
  int next = thenStep > 0 ? item : item - 1;
  while (next >= 1 && next <= m_page.itemCount() && m_page.code(next) != code) next += thenStep;
  if (next < 1 || next > m_page.itemCount()) {
    setMessage(thenStep > 0 ? messages::kEndOfPage : messages::kStartOfPage);
    return;
  }
  openItem(next);
}

void Engine::deleteItem(int item) {
  const int start = m_page.itemStart(item);
  const int end = m_page.itemStart(item + 1);
  m_undelete.words.clear();
  for (int w = start; w < end; ++w) m_undelete.words.push_back(m_page.word(w));
  m_undelete.item = item;
  m_undelete.inPlace = true;
  m_page.remove(item);
  // Later items move down one; the deleted item's place goes to the one before it.
  if (m_lastItem >= item) --m_lastItem;
  m_lastItem = std::clamp(m_lastItem, 0, m_page.itemCount());
  markModified();
}

void Engine::moveEdited(float dx, float dy) {
  const int code = truncToInt(m_edit[0]);
  const bool moveStart = m_moveEnds != MoveEnds::Right || !(isTwoEndedCode(code) || code == kCodeStaff);
  const bool moveEnd = isTwoEndedCode(code) && m_moveEnds != MoveEnds::Left;
  if (moveStart) {
    m_edit[2] += dx;
    m_edit[3] += dy;
  }
  if (moveEnd || (code == kCodeStaff && m_moveEnds == MoveEnds::Right)) {
    m_edit[5] += dx;  // P6: the right end's position
    if (moveEnd) m_edit[4] += dy;  // P5: the right end's step
  }
  editChanged();
}

void Engine::centreOnNearestNote(bool thenClose) {
  const int staff = truncToInt(m_edit[1]);
  int nearest = 0;
  float distance = 0.0f;
  for (int k = 1; k <= m_page.itemCount(); ++k) {
    const int code = m_page.code(k);
    if (k == m_current || (code != kCodeNote && code != kCodeRest) || truncToInt(m_page.param(k, 2)) != staff) continue;
    const float d = std::fabs(m_page.param(k, 3) - m_edit[2]);
    if (nearest == 0 || d < distance) {
      nearest = k;
      distance = d;
    }
  }
  if (nearest == 0) {
    setMessage(messages::kNoNoteOnStaff);
    return;
  }
  m_edit[2] = m_page.param(nearest, 3);
  editChanged();
  if (thenClose) closeItem();
}

void Engine::saveParameter(std::optional<double> parameter) {
  const int n = parameter ? truncToInt(*parameter) : 0;
  if (n < 1 || n > kWorkingParams) {
    setMessage(messages::kWhichParameter);
    return;
  }
  m_savedParameter = {n, m_edit[n - 1]};
  char text[64];
  std::snprintf(text, sizeof text, "P%d = %g saved.", n, static_cast<double>(m_edit[n - 1]));
  setMessage(text);
}

void Engine::getSavedParameter(std::optional<double> parameter) {
  if (m_savedParameter.number == 0) {
    setMessage(messages::kNothingSet);
    return;
  }
  const int n = parameter ? truncToInt(*parameter) : m_savedParameter.number;
  if (n < 1 || n > kWorkingParams) {
    setMessage(messages::kWhichParameter);
    return;
  }
  m_edit[n - 1] = m_savedParameter.value;
  editChanged();
}

void Engine::colourEdited(std::string_view mnemonic) {
  const int selector = truncToInt(m_edit[0]) == kCodeText && m_edit[13] == -1.0f ? 16 : 26;
  float& value = m_edit[selector - 1];
  if (mnemonic == "BLA") {
    value = 0.0f;
  } else if (mnemonic == "GRA") {
    value = 0.5f;
  } else if (mnemonic == "WHI") {
    value = kWhiteSelector;
  } else {
    ++m_waitLevel;
    const std::optional<uint32_t> colour = m_host.chooseColour(itemColour(value, false));
    --m_waitLevel;
    if (!colour) return;
    value = selectorForColour(*colour);
  }
  editChanged();
}

// The dialogs "P1 - 10", "P11- 20" and "P21 - 30": ten parameters of the
// item being edited, shown and changed together ("P", "P 1", "P 11").
void Engine::parameterDialog(int first) {
  static constexpr const char* kTitles[] = {"P1 - 10", "P11- 20", "P21 - 30"};
  const int page = std::clamp((first - 1) / 10, 0, 2);
  std::vector<DialogField> fields;
  for (int i = 0; i < 10; ++i) {
    const int n = page * 10 + i + 1;
    fields.push_back({"P" + std::to_string(n), formatParameter(m_edit[n - 1])});
  }
  ++m_waitLevel;
  const std::optional<std::vector<std::string>> values = m_host.askFields(kTitles[page], fields);
  --m_waitLevel;
  if (!values) return;
  for (size_t i = 0; i < fields.size() && i < values->size(); ++i) {
    // A value that is not a number keeps the parameter as it was.
    if (const std::optional<double> value = parseNumber(trimmed((*values)[i])))
      m_edit[static_cast<size_t>(page * 10) + i] = static_cast<float>(*value);
  }
  editChanged();
}

void Engine::setSize(std::optional<double> size) {
  const int parameter = sizeParameter(truncToInt(m_edit[0]));
  if (parameter == 0) {
    notAvailableYet("SZ");
    return;
  }
  m_edit[parameter - 1] = static_cast<float>(size.value_or(1.0));
  editChanged();
}

void Engine::sliderCommand(const CommandLine& line) {
  const std::string& m = line.mnemonic;
  if (m == "SLIDER") {
    ++m_waitLevel;
    const std::optional<std::string> answer = promptLineExpanded(messages::kSelectSlider);
    --m_waitLevel;
    if (!answer) return;
    const std::optional<double> n = parseNumber(trimmed(*answer));
    if (!n || *n < 1 || *n > kWorkingParams || *n != std::floor(*n)) {
      setMessage(messages::kWhichParameter);
      return;
    }
    m_sliderParameter = static_cast<int>(*n);
    return;
  }
  if (m_sliderParameter == 0) {
    setMessage(messages::kSelectSlider);
    return;
  }
  float& value = m_edit[m_sliderParameter - 1];
  const int which = line.numbers.empty() ? -1 : truncToInt(line.numbers.front());
  if (m == "RNDF") {
    value = which == 1 ? std::round(value * 10.0f) / 10.0f : std::round(value);
  } else if (which == -9999) {
    for (int i = m_sliderParameter; i < kWorkingParams; ++i) m_edit[i] = 0.0f;
  } else if (which == 0) {
    value = 0.0f;
  } else if (which >= 1 && which <= static_cast<int>(std::size(kSliderSteps))) {
    value = static_cast<float>(static_cast<double>(value) + kSliderSteps[which - 1]);
  } else {
    unknownWord(line);
    return;
  }
  editChanged();
}

void Engine::parameterEditLine(const CommandLine& line) {
  if (!m_editing) {
    setMessage(messages::kOpenItemFirst);
    return;
  }
  std::string error;
  const std::vector<ParameterEdit> edits = readParameterEdits(line.numbers, error);
  if (!error.empty()) {
    setMessage(error);
    return;
  }
  applyParameterEdits(edits, m_edit);
  editChanged();
  pictureEdited(edits);
}

CreationPlace Engine::creationPlace() const {
  CreationPlace place;
  const int from = m_editing ? m_current : std::min(m_lastItem, m_page.itemCount());
  if (from >= 1) {
    place.staff = m_editing ? m_edit[1] : m_page.param(from, 2);
    place.position = m_editing ? m_edit[2] : m_page.param(from, 3);
    if (place.staff < 1) place.staff = 1;
  }
  for (int k = 1; k <= m_page.itemCount(); ++k) {
    if (m_page.code(k) == kCodeStaff) place.highestStaff = std::max(place.highestStaff, truncToInt(m_page.param(k, 2)));
  }
  return place;
}

void Engine::createItem(int keyword, const CommandLine& line) {
  const CreationPlace place = creationPlace();
  const std::optional<double> argument =
      line.numbers.empty() ? std::nullopt : std::optional<double>(line.numbers.front());
  const ItemRecord item = makeCreatedItem(keyword, place, argument);
  writeBackEdit();
  const int added = m_page.append(item);
  if (added == 0) {
    // A full store of 6000 items refuses silently; a store out of words says so.
    if (m_page.itemCount() < kMaxItems) setMessage(messages::kPageFull);
    return;
  }
  markModified();
  m_lastItem = added;
  m_editing = false;
  if (m_goDirect) openItem(added);
}

}  // namespace ts
