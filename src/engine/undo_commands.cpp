// Undo and redo of many-item changes, undelete of the last deleted item,
// the backup copy and the history of pages read.

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "engine/engine.h"
#include "engine/engine_messages.h"
#include "model/page_file.h"

namespace fs = std::filesystem;

namespace ts {
namespace {

constexpr const char* kRedoFile = "C:\\!TMP\\!redo!.tmp";
constexpr const char* kBackupFile = "C:\\!TMP\\!save.tmp";

}  // namespace

bool Engine::readWorkCopy(std::string_view name) {
  const std::optional<fs::path> path = m_files.findExisting(name);
  if (!path) {
    fail(std::string(page_file_messages::kNotFound) + " " + std::string(name));
    return false;
  }
  std::ifstream in(*path, std::ios::binary);
  const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  auto copy = std::make_unique<PageStore>();
  const PageReadResult result = readPageFile(bytes, true, *copy, ItemCheck::StructureOnly);
  if (result.status != PageReadStatus::Ok) {
    fail(std::string(page_file_messages::kNotCanto) + " " + std::string(name));
    return false;
  }
  m_page = *copy;
  m_editing = false;
  m_lastItem = std::min(m_lastItem, m_page.itemCount());
  m_modified = true;
  m_pageChanged = true;
  return true;
}

void Engine::undoCommand() {
  if (m_editing) closeItem();
  if (m_undoFlag < 1) {
    setMessage(messages::kNothingToUndo);
    return;
  }
  ensureWorkFolder();
  if (const std::optional<std::string> error = writePageFile(kRedoFile, &m_pageName)) {
    setMessage(*error);
    return;
  }
  m_undoFlag = -1;
  if (m_undoMark < 0) {
    if (!readWorkCopy(kUndoFileName)) return;
  } else {
    m_page.setNextFreeWord(std::max(1, m_undoMark));
    m_modified = true;
    m_pageChanged = true;
  }
  m_undoMark = 0;
  setMessage(messages::kUndone);
}

void Engine::redoCommand() {
  if (m_editing) closeItem();
  if (m_undoFlag >= 0) {
    setMessage(messages::kNothingToRedo);
    return;
  }
  if (!readWorkCopy(kRedoFile)) return;
  m_undoFlag = 1;
  m_undoMark = -1;
  setMessage(messages::kRedone);
}

void Engine::undeleteCommand() {
  if (m_editing) {
    setMessage(messages::kNoUndeleteWhileEditing);
    return;
  }
  if (m_undelete.words.empty()) {
    setMessage(messages::kNothingToUndelete);
    return;
  }
  if (!m_page.hasRoomFor(static_cast<int>(m_undelete.words.size())) || m_page.itemCount() >= kMaxItems) {
    setMessage(messages::kPageFull);
    return;
  }
  // The record goes back word for word, whatever its length.
  const int start = m_page.nextFreeWord();
  for (size_t i = 0; i < m_undelete.words.size(); ++i) m_page.setWord(start + static_cast<int>(i), m_undelete.words[i]);
  m_page.setNextFreeWord(start + static_cast<int>(m_undelete.words.size()));
  int item = m_page.itemCount();
  if (m_undelete.inPlace && m_undelete.item >= 1 && m_undelete.item <= item) {
    m_page.moveItem(item, m_undelete.item);
    item = m_undelete.item;
  }
  m_undelete = {};
  markModified();
  openItem(item);
}

void Engine::saveBackup() {
  ensureWorkFolder();
  // The changed page is about to be replaced; without its backup the user
  // must at least know the changes are gone.
  if (const std::optional<std::string> error = writePageFile(kBackupFile, &m_pageName)) m_host.messageBox(*error);
}

void Engine::getBackupCommand() {
  if (!confirmDiscardChanges()) return;
  getPage(kBackupFile);
}

void Engine::historyCommand() {
  const std::vector<std::string> names = history();
  if (names.empty()) {
    setMessage(messages::kNoPreviousFile);
    return;
  }
  ++m_waitLevel;
  const std::optional<int> choice = m_host.askChoice(messages::kRecentFiles, names);
  --m_waitLevel;
  if (!choice || *choice < 1 || *choice > static_cast<int>(names.size())) return;
  if (!confirmDiscardChanges()) return;
  getPage(names[*choice - 1]);
}

}  // namespace ts
