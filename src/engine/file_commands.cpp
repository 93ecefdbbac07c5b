// Getting and saving page files, stepping through the page files of a
// folder, and the work files that keep copies of the page.

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <span>
#include <system_error>

#include "engine/engine.h"
#include "engine/engine_messages.h"
#include "model/history_file.h"
#include "model/page_file.h"

namespace fs = std::filesystem;

namespace ts {
namespace {

constexpr const char* kUndoFile = kUndoFileName;
constexpr const char* kHistoryFile = "C:\\!TMP\\!history.tmp";
constexpr uintmax_t kLargestPageFile = 4 + 4 * kStoreWords + kPageNameLength;

std::optional<std::vector<uint8_t>> readAll(const fs::path& path) {
  std::error_code error;
  const uintmax_t size = fs::file_size(path, error);
  if (error) return std::nullopt;
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  // A file larger than any page is read only as far as a page can reach;
  // the reader then finds no end marker and refuses it.
  std::vector<uint8_t> bytes(static_cast<size_t>(std::min(size, kLargestPageFile + 8)));
  in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  bytes.resize(static_cast<size_t>(in.gcount()));
  return bytes;
}

bool hasExtension(std::string_view name) {
  const size_t slash = name.find_last_of("\\/:");
  const size_t dot = name.find_last_of('.');
  return dot != std::string_view::npos && (slash == std::string_view::npos || dot > slash);
}

std::string upperCase(std::string_view text) { return toUpper(text); }


}  // namespace

std::optional<std::string> Engine::askFileName(std::string_view prompt) {
  ++m_waitLevel;
  std::optional<std::string> answer = promptLineExpanded(prompt);
  --m_waitLevel;
  if (!answer) return std::nullopt;
  std::string name = trimmed(*answer);
  if (!name.empty() && !hasExtension(name)) {
    ++m_waitLevel;
    const bool add = m_host.askYesNo(name + " " + messages::kAddExtension);
    --m_waitLevel;
    if (add) name += ".MUS";
  }
  return name;
}

bool Engine::confirmDiscardChanges() {
  if (!m_modified || m_page.empty()) return true;
  ++m_waitLevel;
  const int answer = m_host.askThreeButtons(messages::kSaveChanges, {"Yes", "No", "Exit"});
  --m_waitLevel;
  if (answer == 2) return false;
  if (answer == 0) return savePage(m_pageName);
  return true;
}

void Engine::getCommand(std::string_view typed) {
  std::string name = trimmed(typed);
  if (name.empty()) {
    const std::optional<std::string> answer = askFileName(messages::kTypeFileName);
    if (!answer) return;
    name = *answer;
  }
  if (name.empty()) {
    fail(messages::kNoFileName);
    return;
  }
  if (!confirmDiscardChanges()) return;
  getPage(name);
}

bool Engine::getPage(std::string_view name) {
  const std::string displayName = trimmed(name);
  // A name longer than the page keeps is refused, not cut to another file's.
  if (displayName.size() > static_cast<size_t>(kMaxFileNameLength)) {
    fail(std::string(page_file_messages::kNotFound) + " " + displayName);
    return false;
  }
  const std::optional<fs::path> path = m_files.findExisting(upperCase(displayName));
  std::error_code error;
  if (!path || fs::is_directory(*path, error)) {
    fail(std::string(page_file_messages::kNotFound) + " " + displayName);
    return false;
  }
  m_host.showMessage(messages::kReading + displayName);
  const std::optional<std::vector<uint8_t>> bytes = readAll(*path);
  if (!bytes) {
    fail(std::string(page_file_messages::kNotFound) + " " + displayName);
    return false;
  }
  // The page is read aside and only then replaces the one in memory, so a
  // file that cannot be read leaves the current page as it was.
  auto incoming = std::make_unique<PageStore>();
  const bool backup = isBackupFileName(displayName);
  const PageReadResult result = readPageFile(*bytes, backup, *incoming);
  if (result.status != PageReadStatus::Ok) {
    const std::string reason = result.status == PageReadStatus::ErrorOpening
                                   ? std::string(page_file_messages::kErrorOpening) + displayName
                                   : std::string(page_file_messages::kNotCanto) + " " + displayName;
    m_host.messageBox(reason);
    fail(messages::kErrorOpeningFile);
    return false;
  }
  std::string newName = displayName;
  if (backup && result.hasPageName && !result.pageName.empty()) {
    m_host.showMessage(std::string(page_file_messages::kGettingBackup) + " " + result.pageName);
    ++m_waitLevel;
    const bool proceed = m_host.askYesNo(messages::kBackupQuestion);
    --m_waitLevel;
    if (!proceed) return false;
    newName = result.pageName;
  }
  if (result.inputDataError) m_host.messageBox(std::string(page_file_messages::kInputDataError) + " " + displayName);

  if (m_modified && !m_page.empty()) saveBackup();
  m_page = *incoming;
  m_pageName = newName;
  m_undelete.inPlace = false;
  if (result.hasUnit) m_unit = result.unit;
  if (result.hasVersion && result.version < 3.0f) convertOldTextPositions(m_page);
  m_modified = false;
  m_editing = false;
  m_current = 0;
  m_lastItem = m_page.itemCount();
  m_pageChanged = true;
  setMessage(messages::kReading + displayName);
  addHistory(newName);
  return true;
}

void Engine::addHistory(std::string_view name) {
  std::vector<std::string> names;
  if (const std::optional<fs::path> path = m_files.findExisting(kHistoryFile)) {
    if (const std::optional<std::vector<uint8_t>> bytes = readAll(*path))
      names = parseHistory(std::string_view(reinterpret_cast<const char*>(bytes->data()), bytes->size()));
  }
  if (!addToHistory(names, name)) return;
  const std::string text = formatHistory(names);
  ensureWorkFolder();
  // The history only helps find pages again: a page read is no failure
  // because its name could not be noted.
  m_files.writeWhole(kHistoryFile, std::span(reinterpret_cast<const uint8_t*>(text.data()), text.size()));
}

std::vector<std::string> Engine::history() const {
  const std::optional<fs::path> path = m_files.findExisting(kHistoryFile);
  if (!path) return {};
  const std::optional<std::vector<uint8_t>> bytes = readAll(*path);
  if (!bytes) return {};
  return parseHistory(std::string_view(reinterpret_cast<const char*>(bytes->data()), bytes->size()));
}

void Engine::ensureWorkFolder() {
  const fs::path folder = m_files.forWriting(kUndoFile).parent_path();
  std::error_code error;
  if (!folder.empty()) fs::create_directories(folder, error);
}

void Engine::saveCommand(std::string_view name) {
  const std::string trimmedName = trimmed(name);
  if (trimmedName.empty()) {
    fail(messages::kNoFileName);
    return;
  }
  savePage(trimmedName);
}

void Engine::saveAsCommand() {
  const std::optional<std::string> name = askFileName(messages::kTypeFileName);
  if (!name) return;
  saveCommand(*name);
}

// Every file the engine writes goes through the host's whole-file write,
// which replaces a file only when the new content is complete.
std::optional<std::string> Engine::writeWholeFile(std::string_view name, std::span<const uint8_t> bytes) {
  const WriteResult result = m_files.writeWhole(name, bytes);
  if (result == WriteResult::Written) return std::nullopt;
  m_failed = true;
  return writeErrorMessage(name, result);
}

std::optional<std::string> Engine::writePageFile(std::string_view name, const std::string* backupName) {
  return writeWholeFile(name, encodePageFile(m_page, m_unit, backupName));
}

bool Engine::savePage(std::string_view name) {
  const std::string fileName(name);
  // A name longer than the page keeps is refused, not cut to another file's.
  const std::optional<std::string> error = fileName.size() > static_cast<size_t>(kMaxFileNameLength)
                                               ? writeErrorMessage(fileName, WriteResult::Failed)
                                               : writePageFile(fileName, nullptr);
  if (error) {
    fail(*error);
    return false;
  }
  m_pageName = fileName;
  m_modified = false;
  setMessage(std::string(messages::kFileSaved) + " " + fileName);
  return true;
}

void Engine::stepFileCommand(int direction) {
  // The page files of the page's folder in name order, without regard to case.
  const std::optional<fs::path> current = m_files.findExisting(upperCase(m_pageName));
  fs::path folder = current ? current->parent_path() : m_files.forWriting(m_pageName).parent_path();
  if (folder.empty()) folder = ".";
  std::vector<fs::path> pages;
  std::error_code error;
  for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
    if (it->is_regular_file(error) && upperCase(it->path().extension().string()) == ".MUS") pages.push_back(it->path());
  }
  const auto byName = [](const fs::path& a, const fs::path& b) {
    return upperCase(a.filename().string()) < upperCase(b.filename().string());
  };
  std::sort(pages.begin(), pages.end(), byName);
  const std::string here = upperCase(fs::path(m_files.forWriting(m_pageName)).filename().string());
  std::optional<fs::path> target;
  if (direction > 0) {
    for (const fs::path& page : pages)
      if (upperCase(page.filename().string()) > here) {
        target = page;
        break;
      }
  } else {
    for (auto it = pages.rbegin(); it != pages.rend(); ++it)
      if (upperCase(it->filename().string()) < here) {
        target = *it;
        break;
      }
  }
  if (!target) {
    setMessage(messages::kNoNextFile);
    return;
  }
  if (!confirmDiscardChanges()) return;
  // The new page keeps the folder part of the current page's name.
  const size_t slash = m_pageName.find_last_of("\\/:");
  const std::string folderPart = slash == std::string::npos ? std::string() : m_pageName.substr(0, slash + 1);
  getPage(folderPart + target->filename().string());
}

void Engine::previousFileCommand() {
  const std::vector<std::string> names = history();
  const auto other = std::find_if(names.begin(), names.end(), [&](const std::string& n) { return n != m_pageName; });
  if (other == names.end()) {
    setMessage(messages::kNoPreviousFile);
    return;
  }
  if (!confirmDiscardChanges()) return;
  getPage(*other);
}

void Engine::saveUndoCopy() {
  if (m_undoMark < -2) return;
  if (m_undoMark >= -1) {
    ensureWorkFolder();
    if (const std::optional<std::string> error = writePageFile(kUndoFile, &m_pageName)) {
      m_host.messageBox(*error);
      return;
    }
    m_savedModified = m_modified;
    m_modified = true;
  }
  m_undoFlag = 1;
  m_undoMark = -1;
}

}  // namespace ts
