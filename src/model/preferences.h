#pragma once
// The house style and library locations kept in "PREF.DAT": one setting a
// line, its key in the first four columns, its value in a fixed field after
// the key as the writer spells it ("DYNAMICS -0.50", "MIDK C2 ",
// "SYMB  C:\tonesmith\CANTLIB\"). The reader takes each value after the
// key's word and its blanks, so a line written by hand with other spacing
// still reads; a line whose value cannot be read keeps the default and is
// reported.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ts {

struct Preferences {
  bool metric = false;            // "METRIC" / "INCHES"
  float beam = 0.10f;             // BEAM: the beam thickness factor (written x 100)
  int beamTilt = -2;              // BMTH: the beam tilt
  int wholeRestFont = 6;          // REST
  float dashSize = 1.29f;         // DASH: lyric dash size
  int baseMidiKey = 36;           // MIDK: a C, "C2"
  int ties = 0;                   // TIES: tie position
  float dynamicsOffset = -0.5f;   // DYNA
  float slurThickness = 0.75f;    // SLUR
  float afterClef = 1.8f;         // AFTC
  float afterBar = 1.5f;          // AFTB
  float afterKey = 2.8f;          // AFTK
  float afterMeter = 0.9f;        // AFTM
  int dashes = 0;                 // XDAS: number of lyric dashes
  std::string symbolLibrary;      // SYMB: a folder, "C:\...\CANTLIB\"
  std::string fontLibrary;        // FONT
  float version = 5.01f;          // VER
  int paperOutline = 1;           // PAPE: 1 Letter ... 7 B4, 0 no outline
  bool postScriptScreenFonts = false;  // ADOB
  bool arrowKeys = false;         // ARRO (read only)
  bool fullWidthInput = false;    // FULL
  std::string networkPrinter = "\\\\COMPUTER\\PRINTER";  // PRNT
  char textDivide = '/';          // TXTD
  int editPointer = 0;            // EDPT
  bool newSlurFeatures = false;   // NSLR (read only)
  std::string processor;          // PROC (read only, kept as read)
  std::string sets;               // SETS (read only, kept as read)
};

struct PreferencesRead {
  Preferences preferences;
  std::vector<std::string> problems;  // one line for each line that kept its default
};

// Reads the file's text over the defaults.
PreferencesRead readPreferences(std::string_view text, const Preferences& defaults = {});

// The file's text, in the writer's order.
std::string writePreferences(const Preferences& preferences);

// The base MIDI key as the file and the dialog spell it: "C2" for 36.
std::string midiKeyName(int key);
// The key a name such as "C4" stands for; nothing for another name.
std::optional<int> midiKeyFromName(std::string_view name);

// A path field used without its trailing blanks; empty when it is blank.
std::string trimmedPath(std::string_view path);

}  // namespace ts
