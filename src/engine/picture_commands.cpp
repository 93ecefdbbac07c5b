// Included EPS pictures: "EPS [scale]" asks for a file and places it where
// the next item would go; "13 1" on an open picture shows its name and asks
// whether to change it. The file is read when the name is given, to note
// the size the screen frames, and again whenever the page is printed.

#include <algorithm>

#include "engine/engine.h"
#include "engine/engine_messages.h"
#include "engine/print_messages.h"
#include "model/host_files.h"
#include "model/picture_item.h"
#include "output/included_picture.h"

namespace ts {
namespace {

constexpr uintmax_t kLargestPicture = 16u << 20;  // bytes

std::string trimmedName(std::string_view typed) {
  const size_t first = typed.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  const size_t last = typed.find_last_not_of(' ');
  return std::string(typed.substr(first, last - first + 1));
}

void setName(WorkingRecord& record, const NamedPicture& file) {
  const PictureNameWords words = *packPictureName(file.name);
  std::copy(words.begin(), words.end(), record.begin() + kPictureNameFirstParam - 1);
  record[kPictureWidthParam - 1] = static_cast<float>(file.box.right - file.box.left);
  record[kPictureHeightParam - 1] = static_cast<float>(file.box.top - file.box.bottom);
}

}  // namespace

bool Engine::pictureCommand(const CommandLine& line) {
  if (line.mnemonic != "EPS") return false;
  const std::optional<NamedPicture> file = askPictureFile(messages::kPictureName);
  if (!file) return true;
  WorkingRecord record{};
  const CreationPlace place = creationPlace();
  record[0] = static_cast<float>(kCodeEps);
  record[1] = place.staff;
  record[2] = place.position;
  if (!line.numbers.empty()) record[kPictureScaleParam - 1] = static_cast<float>(line.numbers.front());
  setName(record, *file);
  ItemRecord item;
  item.params.assign(record.begin(), record.begin() + kPictureNameLastParam);
  writeBackEdit();
  const int added = m_page.append(item);
  if (added == 0) {
    fail(messages::kPageFull);
    return true;
  }
  markModified();
  m_lastItem = added;
  m_editing = false;
  if (m_goDirect) openItem(added);
  return true;
}

void Engine::pictureEdited(const std::vector<ParameterEdit>& edits) {
  if (truncToInt(m_edit[0]) != kCodeEps) return;
  const bool showsName = std::any_of(edits.begin(), edits.end(), [](const ParameterEdit& edit) {
    return edit.kind == EditKind::Set && edit.target == kPictureShowNameParam && edit.value == 1.0;
  });
  if (!showsName) return;
  std::array<float, kPictureNameWords> words{};
  std::copy_n(m_edit.begin() + kPictureNameFirstParam - 1, kPictureNameWords, words.begin());
  const std::string now = unpackPictureName(words);
  const std::string prompt = now.empty() ? messages::kPictureName : std::string(messages::kPictureNameNow) + " " + now;
  const std::optional<NamedPicture> file = askPictureFile(prompt);
  if (!file) return;  // the name stays
  setName(m_edit, *file);
  editChanged();
}

std::optional<NamedPicture> Engine::askPictureFile(std::string_view prompt) {
  const std::optional<std::string> typed = m_host.promptLine(prompt);
  const std::string name = typed ? trimmedName(*typed) : std::string();
  if (name.empty()) return std::nullopt;
  if (!packPictureName(name)) {
    fail(messages::kPictureNameUnfit);
    return std::nullopt;
  }
  const std::optional<std::filesystem::path> path = m_files.findExisting(name);
  const std::optional<std::vector<uint8_t>> bytes = path ? readFileBytes(*path, kLargestPicture) : std::nullopt;
  if (!bytes) {
    fail(std::string(print_messages::kFileNotFound) + " " + name);
    return std::nullopt;
  }
  const std::string_view text(reinterpret_cast<const char*>(bytes->data()), bytes->size());
  const std::optional<EpsBox> box = epsBoundingBox(epsPostScript(text));
  if (!box) {
    fail(std::string(print_messages::kNoBoundingBox) + " " + name);
    return std::nullopt;
  }
  return NamedPicture{name, *box};
}

}  // namespace ts
