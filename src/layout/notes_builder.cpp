// Rests take the forms of the notes line: "RW" whole-bar rests (P5 -2),
// "RP" P5 -4, "RI" invisible, "RD"/"RU" lowered or raised six steps, "RF"
// with a fermata. The document's P15 = -1 on whole-bar and numbered rests
// is not stored: a rest's P15 is its size factor, and -1 would draw it
// upside down. "RWD"/"RWU" keep their six steps down or up, as typed.

#include "layout/notes_builder.h"

#include <algorithm>
#include <cstdlib>

#include "layout/notes_line.h"

namespace ts {
namespace {

constexpr int kNoteParams = 9;    // up to P9, where the rhythm's flags and dots go
constexpr int kMemberParams = 15; // chord members carry P15 = -1
constexpr int kStemUp = 10, kStemDown = 20;
constexpr int kCueStep = 100;
constexpr int kSmallClef = 100;

struct BuildState {
  int clef = 0;
  int stemSetting = 0;     // 0 automatic, 10 up, 20 down
  int stemParameter = 0;   // P12 of the following notes
  bool cue = false;
  bool clefSeen = false;
  bool afterBar = false;
};

ItemRecord record(std::initializer_list<float> params, size_t length) {
  ItemRecord item;
  item.params.assign(params);
  if (item.params.size() < length) item.params.resize(length, 0.0f);
  return item;
}

float cueStep(float p4, bool cue) { return !cue ? p4 : p4 >= 0 ? p4 + kCueStep : p4 - kCueStep; }

int stemFor(const BuildState& state, int lowest, int highest) {
  if (state.cue) return kStemUp;
  if (state.stemSetting != 0) return state.stemSetting;
  return 14 - (highest + lowest) > 0 ? kStemUp : kStemDown;
}

float stemExtension(int p4, int stem) {
  if (stem == kStemUp && p4 < 0) return static_cast<float>(-p4);
  if (stem == kStemDown && p4 > 14) return static_cast<float>(p4 - 14);
  return 0.0f;
}

class Builder {
 public:
  Builder(PageStore& page, int staff, std::span<const int> codes) : m_page(page), m_staff(staff), m_codes(codes) {}

  NotesBuild build(float left) {
    m_state.clef = clefInForce(m_page, m_staff, left);
    m_left = left;
    for (size_t i = 0; i < m_codes.size() && !m_result.pageFull;) i = item(i);
    return std::move(m_result);
  }

 private:
  size_t item(size_t i) {
    const int code = m_codes[i];
    switch (codeKind(code)) {
      case 1: case 7: return chord(i);
      case 2: case 9: rest(code); break;
      case 3: clef(code); break;
      case 4: bar(code); break;
      case 5: m_state.stemSetting = code - 5000; break;
      case 6: m_state.stemParameter = code - 6000; break;
      case 8: m_state.cue = code == 8001; break;
      case 17: key(code); break;
      default: meter(code); break;
    }
    return i + 1;
  }

  size_t chord(size_t i) {
    size_t end = i + 1;
    while (end < m_codes.size() && isChordMemberCode(m_codes[end])) ++end;
    std::vector<int> members(m_codes.begin() + static_cast<long>(i), m_codes.begin() + static_cast<long>(end));
    const auto p4 = [&](int code) { return codeStep(code) - clefBase(m_state.clef); };
    std::sort(members.begin(), members.end(), [&](int a, int b) { return p4(a) < p4(b); });
    const int stem = stemFor(m_state, p4(members.front()), p4(members.back()));
    if (stem == kStemDown) std::reverse(members.begin(), members.end());
    NumberedNote numbered;
    for (size_t k = 0; k < members.size(); ++k) {
      const int made = add(noteRecord(members[k], p4(members[k]), stem, k > 0));
      if (made == 0) break;
      numbered.chord.push_back(made);
    }
    m_state.afterBar = false;
    if (!numbered.chord.empty()) {
      numbered.item = numbered.chord.front();
      m_result.notes.push_back(std::move(numbered));
    }
    return end;
  }

  ItemRecord noteRecord(int code, int p4, int stem, bool member) const {
    const int accidental = codeAccidental(code);
    const float p5 = static_cast<float>(accidental + stem + (codeKind(code) == 7 ? 100 : 0));
    size_t length = member ? kMemberParams : kNoteParams;
    if (m_state.stemParameter != 0) length = std::max<size_t>(length, 12);
    ItemRecord note = record({1, static_cast<float>(m_staff), 0, cueStep(static_cast<float>(p4), m_state.cue), p5}, length);
    if (!member) note.params[7] = stemExtension(p4, stem);
    if (m_state.stemParameter != 0) note.params[11] = static_cast<float>(m_state.stemParameter);
    if (member) note.params[14] = -1.0f;
    return note;
  }

  void rest(int code) {
    ItemRecord rest = record({2, static_cast<float>(m_staff), 0, 0, 0}, kNoteParams);
    auto& p = rest.params;
    if (code < 0) {
      p[7] = static_cast<float>(-code - 2000);  // P8: the bars it stands for
      p[4] = -2;
    }
    switch (code) {
      case 2001: p[5] = -1; break;
      case 2002: p[4] = -2; break;
      case 2003: p[4] = -4; break;
      case 2004: p[3] = -6; break;
      case 2005: p[3] = 6; break;
      case 2006: p[7] = -1; break;
      case 2008: p[4] = -2, p[3] = -6; break;
      case 2009: p[4] = -2, p[3] = 6; break;
      case 9000: p[7] = -1, p[3] = -6; break;
      case 9001: p[7] = -1, p[3] = 6; break;
      default: break;
    }
    p[3] = cueStep(p[3], m_state.cue);
    const int made = add(rest);
    m_state.afterBar = false;
    if (made != 0) m_result.notes.push_back({made, {made}});
  }

  void clef(int code) {
    const int clef = std::abs(code) - 3000;
    if (code > 0) {
      const bool normal = m_result.items.empty() || (m_state.afterBar && !m_state.clefSeen);
      add(record({3, static_cast<float>(m_staff), 0, normal ? 0.0f : static_cast<float>(kSmallClef),
                  static_cast<float>(clef)}, 5));
      m_state.clefSeen = true;
    }
    m_state.clef = clef;
    m_state.afterBar = false;
  }

  void bar(int code) {
    const int modifier = (code - 4000) / 100;
    const int span = (code - 4000) % 100;
    const bool invisible = modifier == 9;
    add(record({14, static_cast<float>(m_staff), 0, static_cast<float>(invisible ? -span : span),
                static_cast<float>(invisible ? 0 : modifier)}, 5));
    m_state.afterBar = true;
  }

  void key(int code) {
    int value = code == kStaffKeyCode ? keyInForce(m_page, m_staff, m_left)
                                      : (code > 0 ? code - 17000 : code + 17000);
    if (value != 0) add(record({17, static_cast<float>(m_staff), 0, 0, static_cast<float>(value),
                                static_cast<float>(m_state.clef)}, 6));
    m_state.afterBar = false;
  }

  // Common and cut time keep their drawings' numbers 99 and 98 over the
  // denominators they stand for, 4 and 2.
  void meter(int code) {
    const int a = (code - 20000) / 100;
    int b = (code - 20000) % 100;
    if (code == 29901) b = 4;
    if (code == 29801) b = 2;
    add(record({18, static_cast<float>(m_staff), 0, 0, static_cast<float>(a), static_cast<float>(b)}, 6));
    m_state.afterBar = false;
  }

  int add(const ItemRecord& item) {
    const int made = m_page.append(item);
    if (made == 0) {
      m_result.pageFull = true;
      return 0;
    }
    m_result.items.push_back(made);
    return made;
  }

  PageStore& m_page;
  int m_staff;
  std::span<const int> m_codes;
  float m_left = 0.0f;
  BuildState m_state;
  NotesBuild m_result;
};

// Equal steps between the two positions, one for each item that is not a chord member.
void placeProvisionally(PageStore& page, const NotesBuild& build, float left, float right) {
  const auto isMember = [&](int k) { return page.code(k) == kCodeNote && page.param(k, 15) == -1.0f; };
  const auto standing = std::count_if(build.items.begin(), build.items.end(), [&](int k) { return !isMember(k); });
  const bool startsWithBar = !build.items.empty() && page.code(build.items.front()) == kCodeBars;
  if (left == 0.0f && !startsWithBar) left = 1.5f;
  const float step = standing == 0 ? 0.0f : (right - left) / static_cast<float>(standing);
  size_t n = 0;
  float at = left;
  for (const int k : build.items) {
    if (!isMember(k)) at = left + step * static_cast<float>(n++);
    page.setParam(k, 3, at);
  }
}

// The item of `code` on the staff that stands last at or before the position.
int lastBefore(const PageStore& page, int code, int staff, float position) {
  int found = 0;
  for (int k = 1; k <= page.itemCount(); ++k) {
    if (page.code(k) != code || truncToInt(page.param(k, 2)) != staff) continue;
    if (page.param(k, 3) > position + 0.001f) continue;
    if (found == 0 || page.param(k, 3) >= page.param(found, 3)) found = k;
  }
  return found;
}

}  // namespace

int clefBase(int clef) {
  switch (clef) {
    case 1: return 16;
    case 2: return 22;
    case 3: return 20;
    default: return 28;
  }
}

int clefInForce(const PageStore& page, int staff, float position) {
  const int k = lastBefore(page, kCodeClef, staff, position);
  const int clef = k == 0 ? 0 : truncToInt(page.param(k, 5));
  return clef >= 0 && clef <= 4 ? clef : 0;
}

int keyInForce(const PageStore& page, int staff, float position) {
  const int k = lastBefore(page, kCodeKeySignature, staff, position);
  return k == 0 ? 0 : truncToInt(page.param(k, 5));
}

NotesBuild buildNotes(PageStore& page, std::span<const int> codes, int staff, float left, float right) {
  NotesBuild build = Builder(page, staff, codes).build(left);
  placeProvisionally(page, build, left, right);
  return build;
}

}  // namespace ts
