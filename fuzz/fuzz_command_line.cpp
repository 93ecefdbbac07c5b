// Any lines typed into the engine, one call per line, with every prompt
// answered from the same input: no line may crash the engine, overrun a
// buffer or leave the page store inconsistent. After every call the engine
// has drawn the page with the symbol library; the lists are read back as the
// desktop program reads them. Files go to a sandbox folder.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>

#include "engine/engine.h"
#include "engine/engine_session.h"
#include "fuzz_support.h"

namespace {

class SandboxFiles : public ts::HostFiles {
 public:
  SandboxFiles() : m_folder(std::filesystem::temp_directory_path() / "tonesmith-fuzz") {
    std::filesystem::create_directories(m_folder);
  }
  std::optional<std::filesystem::path> findExisting(std::string_view name) const override {
    const std::filesystem::path path = place(name);
    if (std::filesystem::exists(path)) return path;
    return std::nullopt;
  }
  std::filesystem::path forWriting(std::string_view name) const override { return place(name); }

 private:
  // Every name lands in one flat folder under a harmless name.
  std::filesystem::path place(std::string_view name) const {
    std::string safe;
    for (char c : name) safe += std::isalnum(static_cast<unsigned char>(c)) ? static_cast<char>(std::toupper(c)) : '_';
    return m_folder / ("f" + safe.substr(0, 40));
  }
  std::filesystem::path m_folder;
};

class ScriptedHost : public ts::EngineHost {
 public:
  std::string_view rest;
  std::optional<std::string> next() {
    if (rest.empty()) return std::nullopt;
    const size_t end = rest.find('\n');
    std::string line(rest.substr(0, end));
    rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
    return line;
  }
  void messageBox(std::string_view) override {}
  bool askYesNo(std::string_view) override { return next().value_or("N").rfind('Y', 0) == 0; }
  int askThreeButtons(std::string_view, const std::array<std::string, 3>&) override {
    return static_cast<int>(next().value_or("2").size() % 3);
  }
  std::optional<std::string> promptLine(std::string_view) override { return next(); }
  std::optional<std::vector<std::string>> askFields(std::string_view, const std::vector<ts::DialogField>& f) override {
    if (!next()) return std::nullopt;
    std::vector<std::string> values;
    for (const auto& field : f) values.push_back(field.value);
    return values;
  }
  std::optional<int> askChoice(std::string_view, const std::vector<std::string>&) override {
    const std::optional<std::string> line = next();
    if (!line) return std::nullopt;
    return static_cast<int>(line->size());
  }
  ts::UserEvent waitForInput(ts::WaitKind, std::string_view) override {
    ts::UserEvent event;
    if (const std::optional<std::string> line = next()) {
      event.kind = ts::UserEvent::Kind::Click;
      event.x = static_cast<int>(line->size()) * 1000;
      event.y = -static_cast<int>(line->size()) * 1000;
    }
    return event;
  }
  std::optional<uint32_t> chooseColour(uint32_t initial) override { return initial; }
  void showMessage(std::string_view) override {}
  void switchEditMenu(int, int) override {}
};

void checkConsistent(const ts::PageStore& page) {
  if (page.itemCount() < 0 || page.itemCount() > ts::kMaxItems) std::abort();
  int position = 1;
  for (int k = 1; k <= page.itemCount(); ++k) {
    if (page.itemStart(k) != position) std::abort();
    position += page.wordCount(k) + 1;
  }
  if (position != page.nextFreeWord() || position > ts::kStoreWords) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static SandboxFiles files;
  ScriptedHost host;
  static const std::filesystem::path library = fuzz::bundledLibrary();
  ts::Engine engine(host, files, library);
  ts::EngineSession session(engine);
  host.rest = std::string_view(reinterpret_cast<const char*>(data), size);
  int calls = 0;
  while (const std::optional<std::string> line = host.next()) {
    if (++calls > 64) break;
    if (!line->empty() && (*line)[0] == '!') {
      session.sendCommand(line->substr(1));
    } else if (!line->empty() && (*line)[0] == '^') {
      session.pressKey(static_cast<unsigned char>(line->size() > 1 ? (*line)[1] : 0));
    } else {
      session.typeLine(*line);
    }
    checkConsistent(engine.page());
    fuzz::readBackLists(session.displayList(), session.displayUsed(), session.textList(), session.textUsed());
  }
  return 0;
}
