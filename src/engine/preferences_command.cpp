// The preferences: found and read at start-up (installing the bundled
// library when no preference file exists anywhere), and edited with "PREF":
// the settings in one dialog of fields, then saved, read from another
// file, reset to the defaults, or used as they are.

#include <cstdio>

#include "engine/default_library.h"
#include "engine/engine.h"
#include "engine/preference_messages.h"
#include "model/host_files.h"
#include "model/page_file.h"
#include "model/preference_search.h"

namespace ts {
namespace {

namespace msg = preference_messages;

constexpr uintmax_t kLargestPreferenceFile = 64u << 10;
constexpr int kMostDialogRounds = 20;  // "Reset" shows the fields again; a script cannot loop for ever

std::string real(float value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.2f", static_cast<double>(value));
  return text;
}

// A field of the dialog: its wording, the file's spelling its answer is
// read back with (empty: the answer is the whole line), and what it shows.
struct PreferenceField {
  const char* label;
  const char* prefix;
  std::string (*shown)(const Preferences&);
};

const PreferenceField kFields[] = {
    {"INCHES or METRIC", "", [](const Preferences& p) { return std::string(p.metric ? "METRIC" : "INCHES"); }},
    {"Beam thickness.", "BEAM ", [](const Preferences& p) { return real(p.beam * 100.0f); }},
    {"Beam tilt.", "BMTH ", [](const Preferences& p) { return std::to_string(p.beamTilt); }},
    {"Whole Rest Font.", "REST ", [](const Preferences& p) { return std::to_string(p.wholeRestFont); }},
    {"Lyrics Dash size.", "DASH ", [](const Preferences& p) { return real(p.dashSize); }},
    {"Base MIDI Key.", "MIDK ", [](const Preferences& p) { return midiKeyName(p.baseMidiKey); }},
    {"Ties position.", "TIES ", [](const Preferences& p) { return std::to_string(p.ties); }},
    {"Dynamics offset.", "DYNAMICS ", [](const Preferences& p) { return real(p.dynamicsOffset); }},
    {"Slur Thckness.", "SLUR ", [](const Preferences& p) { return real(p.slurThickness); }},
    {"Space after Clef.", "AFTC ", [](const Preferences& p) { return real(p.afterClef); }},
    {"Space after Bar.", "AFTB ", [](const Preferences& p) { return real(p.afterBar); }},
    {"Space after KeySig.", "AFTK ", [](const Preferences& p) { return real(p.afterKey); }},
    {"Space after Meter.", "AFTM ", [](const Preferences& p) { return real(p.afterMeter); }},
    {"Number of  Dashes.", "XDASH ", [](const Preferences& p) { return std::to_string(p.dashes); }},
    {"Symbol Library location", "SYMB  ", [](const Preferences& p) { return p.symbolLibrary; }},
    {"Font Library location", "FONT  ", [](const Preferences& p) { return p.fontLibrary; }},
    {"PAPER Size Outlines", "PAPER ", [](const Preferences& p) { return std::to_string(p.paperOutline); }},
    {"PostScript Screen Fonts", "ADOBE ", [](const Preferences& p) { return std::string(p.postScriptScreenFonts ? "1" : "0"); }},
    {"Full width on input.", "FULL  ", [](const Preferences& p) { return std::string(p.fullWidthInput ? "1" : "0"); }},
    {"Network Printer Name", "PRNT  ", [](const Preferences& p) { return p.networkPrinter; }},
    {"Text divide character", "TXTD  ", [](const Preferences& p) { return std::string(1, p.textDivide); }},
    {"Edit Pointer", "EDPT  ", [](const Preferences& p) { return std::to_string(p.editPointer); }},
};

std::string upper(std::string text) {
  for (char& c : text) c = (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
  return text;
}

std::string textOf(const std::vector<uint8_t>& bytes) { return std::string(bytes.begin(), bytes.end()); }

}  // namespace

void Engine::loadPreferences(bool installWhenMissing) {
  std::optional<FoundPreferences> found = findPreferenceFile(m_files);
  if (!found && installWhenMissing && installDefaultLibrary(m_files, m_bundledLibrary)) found = findPreferenceFile(m_files);
  if (!found) {
    // Nowhere to keep one: the defaults, with the fixed library folders.
    m_preferenceFile = std::string(kDefaultInstallDirectory) + "\\cantlib\\" + kPreferenceFileName;
    m_preferences = defaultPreferencesFor(kDefaultInstallDirectory);
    applyPreferences();
    return;
  }
  m_preferenceFile = found->name;
  m_installDirectory = found->installDirectory;
  readPreferenceFile(found->name, Preferences{}, found->underProgramFiles ? found->installDirectory : "");
}

bool Engine::readPreferenceFile(const std::string& name, const Preferences& over, const std::string& repairFor) {
  const std::optional<std::filesystem::path> path = m_files.findExisting(name);
  const std::optional<std::vector<uint8_t>> bytes = path ? readFileBytes(*path, kLargestPreferenceFile) : std::nullopt;
  if (!bytes) {
    fail(std::string(page_file_messages::kNotFound) + " " + name);
    return false;
  }
  std::string text = textOf(*bytes);
  if (!repairFor.empty()) {
    text = repairedLibraryPaths(text, repairFor);
    const std::span repaired(reinterpret_cast<const uint8_t*>(text.data()), text.size());
    if (m_files.writeWhole(name, repaired) != WriteResult::Written) m_host.showMessage(writeErrorMessage(name, WriteResult::Failed));
  }
  const PreferencesRead read = readPreferences(text, over);
  for (const std::string& problem : read.problems) m_host.showMessage(problem);
  m_preferences = read.preferences;
  applyPreferences();
  return true;
}

void Engine::applyPreferences() {
  const std::string symbols = trimmedPath(m_preferences.symbolLibrary);
  const std::string fonts = trimmedPath(m_preferences.fontLibrary);
  if (symbols.empty() || fonts.empty()) m_host.showMessage(msg::kPathMissing);
  m_drawer.library().setFolder(symbols);
  m_drawer.fonts().setPreferredFolder(fonts);
  m_unit = m_preferences.metric ? 1.0f : 0.0f;
  const int paper = m_preferences.paperOutline;
  if (paper >= static_cast<int>(PaperSize::Letter) && paper <= static_cast<int>(PaperSize::B4)) {
    m_paper = static_cast<PaperSize>(paper);
  }
  const std::string printer = trimmedPath(m_preferences.networkPrinter);
  if (!printer.empty() && upper(printer) != msg::kPlaceholderPrinter) m_print.setNetworkName(printer);
  m_pageChanged = true;
}

// One answer of the dialog read as its file line would be; false (and a
// message) when it cannot be read, the setting kept.
bool Engine::takePreferenceAnswer(const char* label, const char* prefix, const std::string& answer) {
  const std::string line = *prefix ? prefix + answer : upper(answer);
  const PreferencesRead read = readPreferences(line + "\n", m_preferences);
  const bool unitsLine = !*prefix && (line.starts_with("METR") || line.starts_with("INCH"));
  if (!read.problems.empty() || (!*prefix && !unitsLine)) {
    m_host.showMessage(std::string(msg::kNotUnderstood) + " " + label + " " + answer);
    return false;
  }
  m_preferences = read.preferences;
  return true;
}

void Engine::preferencesCommand() {
  for (int round = 0; round < kMostDialogRounds; ++round) {
    std::vector<DialogField> fields;
    for (const PreferenceField& field : kFields) fields.push_back({field.label, field.shown(m_preferences)});
    fields.push_back({msg::kFileField, m_preferenceFile});
    ++m_waitLevel;
    const std::optional<std::vector<std::string>> answers = m_host.askFields(msg::kTitle, fields);
    --m_waitLevel;
    if (!answers || answers->size() != fields.size()) {
      setMessage(msg::kUnchanged);
      return;
    }
    for (size_t i = 0; i < std::size(kFields); ++i) {
      if ((*answers)[i] != fields[i].value) takePreferenceAnswer(kFields[i].label, kFields[i].prefix, (*answers)[i]);
    }
    const std::string fileName = trimmedPath(answers->back());
    if (!fileName.empty()) m_preferenceFile = fileName;
    applyPreferences();
    ++m_waitLevel;
    const std::optional<int> action = m_host.askChoice(msg::kTitle, {msg::kSave, msg::kLoad, msg::kReset, msg::kUseUnsaved});
    --m_waitLevel;
    if (action == 1) {
      savePreferences();
      return;
    }
    if (action == 2) {
      if (readPreferenceFile(m_preferenceFile, m_preferences, "")) setMessage(std::string(msg::kLoaded) + " " + m_preferenceFile);
      return;
    }
    if (action != 3) {
      setMessage(msg::kInUse);
      return;
    }
    resetPreferences();
  }
}

// The defaults of the settings that have one; the switches, the paper
// outline, the divide character and the version stay as they are.
void Engine::resetPreferences() {
  Preferences reset = defaultPreferencesFor(m_installDirectory);
  const Preferences& now = m_preferences;
  reset.version = now.version;
  reset.paperOutline = now.paperOutline;
  reset.postScriptScreenFonts = now.postScriptScreenFonts;
  reset.arrowKeys = now.arrowKeys;
  reset.fullWidthInput = now.fullWidthInput;
  reset.textDivide = now.textDivide;
  reset.editPointer = now.editPointer;
  reset.newSlurFeatures = now.newSlurFeatures;
  reset.processor = now.processor;
  reset.sets = now.sets;
  m_preferences = reset;
  applyPreferences();
}

void Engine::savePreferences() {
  const std::string text = writePreferences(m_preferences);
  const std::span bytes(reinterpret_cast<const uint8_t*>(text.data()), text.size());
  const WriteResult written = m_files.writeWhole(m_preferenceFile, bytes);
  if (written != WriteResult::Written) {
    fail(writeErrorMessage(m_preferenceFile, written));
    return;
  }
  setMessage(std::string(msg::kSaved) + " " + m_preferenceFile);
}

}  // namespace ts
