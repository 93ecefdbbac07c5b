#pragma once
// The engine: one object holding the page and every setting, driven by one
// entry call per user action. The host writes the command into the command
// buffer and/or the input line, calls `call`, and finds the redrawn page in
// its display and text lists and the message line in the input line.

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "engine/command_line.h"
#include "engine/creation_keywords.h"
#include "engine/draw_mode.h"
#include "draw/drawable_values.h"
#include "draw/page_drawing.h"
#include "engine/engine_host.h"
#include "engine/group_selection.h"
#include "engine/item_picking.h"
#include "engine/justify_command.h"
#include "engine/input_mode.h"
#include "engine/layout_mode.h"
#include "engine/midi_command.h"
#include "engine/mini_macros.h"
#include "engine/parameter_edit.h"
#include "engine/print_command.h"
#include "engine/print_pdf.h"
#include "engine/transpose_command.h"
#include "layout/vertical_justification.h"
#include "model/host_files.h"
#include "output/included_picture.h"
#include "model/page_store.h"
#include "model/page_title.h"
#include "model/preferences.h"

namespace ts {

constexpr int kCommandBufferSize = 128;  // characters of a menu or button command
constexpr int kInputLineSize = 512;      // characters of a typed line or message line
constexpr int kDisplayListWords = 100000;
constexpr int kTextListBytes = 20000;
constexpr int kStatusRefresh = -2;       // status word: the host refreshes its document
inline constexpr const char* kUndoFileName = "C:\\!TMP\\!undo!.tmp";

enum class GroupCommand {
  None, Move, Copy, Delete, MoveUp, MoveDown, CutCopy, Paste, MoveSystem, CopySystem, CopyStaves, RepeatMove, Justify, Transpose, Later
};
enum class GroupStep { Area, Destination, Steps, Staves };

class Engine {
 public:
  // `bundledLibrary` is the symbol library that came with the program,
  // used when the library folder holds no symbol data.
  Engine(EngineHost& host, const HostFiles& files, std::filesystem::path bundledLibrary = {});
  Engine(const Engine&) = delete;
  Engine& operator=(const Engine&) = delete;

  // The two text fields shared with the host, blank-padded.
  std::array<char, kCommandBufferSize>& commandBuffer() { return m_commandBuffer; }
  std::array<char, kInputLineSize>& inputLine() { return m_inputLine; }

  // The entry. Returns true when the message line is to be shown in a
  // message box. Never re-entered: a host calls it only when the engine is
  // not waiting inside another call.
  bool call(int32_t* displayList, int32_t& displayUsed, char* textList, int32_t& textUsed, int32_t& status);

  // Input beside the fields: the position of a click and the start of a
  // dragged box (engine display units), the host's zoom.
  // Positions from the host are held inside the drawable window, so no
  // click can carry the picking arithmetic past the int range.
  void setClickPosition(int x, int y) { m_click = {clampToDrawableWindow(x), clampToDrawableWindow(y)}; }
  void setDragStart(int x, int y) { m_dragStart = {clampToDrawableWindow(x), clampToDrawableWindow(y)}; }
  void setZoom(int zoom) { m_zoom = zoom; }
  // A zoom the engine asks the host to take (0 for none); cleared by reading.
  int takeRequestedZoom();
  // Above 0 while the engine waits inside a command for the user.
  int waitLevel() const { return m_waitLevel; }
  // True when the last call could not do what it was asked: a page or work
  // file that could not be read or written, a file name that was not
  // given, or a command the engine does not know or cannot do yet. Batch
  // hosts turn it into their exit status.
  bool lastCallFailed() const { return m_failed; }

  // The page drawn for print (the drawing routines' print forms) into
  // lists of the host's: nothing highlighted, no drawing-editor marks, not
  // scrolled. The screen lists, the scroll and the picking places of the
  // last call stay as they were. Returns what the drawing had to say.
  std::vector<std::string> drawForPrint(DisplayTarget& target);
  // The print queue "PR" sends the LPT kind to; none: it says no printer is set up.
  void setPrintQueue(const PrintQueue* queue) { m_print.setQueue(queue); }
  // Finds "PREF.DAT" and takes its settings; with `installWhenMissing`, a
  // machine that has none anywhere gets the bundled library and a default
  // file first. Hosts call it once at start-up.
  void loadPreferences(bool installWhenMissing);
  const Preferences& preferences() const { return m_preferences; }

  // The page as a PostScript or EPS file for these options (its paper is the page's).
  PrintedDocument printPostScript(const PrintOptions& options);
  // The page as a PDF for these options, drawn as for print.
  PdfDocument printPdf(const PrintOptions& options);
  // Several pages in one PDF: each page, once in memory, drawn into a
  // writer of its own, then the writers joined in order.
  PdfWriter drawPdfPage(const PrintOptions& options);
  PdfDocument printPdfPages(std::span<const PdfWriter> pages, std::string_view title) const;

  // What hosts show.
  const PageStore& page() const { return m_page; }
  const std::string& pageName() const { return m_pageName; }
  bool modified() const { return m_modified; }
  std::string title() const;
  int currentItem() const { return m_editing ? m_current : 0; }
  int lastItem() const { return m_lastItem; }
  bool editing() const { return m_editing; }
  bool groupActive() const { return m_group.command != GroupCommand::None; }
  const WorkingRecord& editRecord() const { return m_edit; }
  std::string editText() const { return m_editText; }
  bool goDirect() const { return m_goDirect; }
  bool invisibleShown() const { return m_showInvisible; }
  float unitSetting() const { return m_unit; }
  PaperSize paper() const { return m_paper; }
  int verticalDisplayOffset() const { return m_displayOffsetY; }
  int horizontalDisplayOffset() const { return m_displayOffsetX; }

 private:
  struct Point {
    int x = 0, y = 0;
  };

  // One call, split by what it carries.
  void interpretLine(std::string_view line);
  void interpretOne(std::string_view line);
  bool handlePseudoCommand(std::string_view command);
  bool handlePseudoKey(std::string_view line);
  void dispatch(const CommandLine& line);
  bool dispatchEditCommand(const CommandLine& line);
  bool dispatchInlineCommand(const CommandLine& line);
  bool dispatchCreation(const CommandLine& line);
  bool dispatchFamilyCommand(const CommandLine& line);
  void unknownWord(const CommandLine& line);
  void notAvailableYet(std::string_view word);
  bool refuseWhileEditing();
  // Clicks, boxes and drags (pointer_commands.cpp).
  void clickCommand();
  void boxCommand();
  void dragCommand();
  DisplayOffsets drawnOffsets() const;

  // Editing the current item (edit_commands.cpp).
  bool dispatchEditExtras(const CommandLine& line);
  bool makeInvisibleOrFlip(std::string_view mnemonic);
  // "ADJ" and "FLI" of the beam being edited (beam_commands.cpp).
  bool beamCommand(std::string_view mnemonic);
  // Texts: "TZ", and "TX", "FNTnn", "FONTX", "TSZP" of the text being edited (text_commands.cpp).
  bool textCommand(const CommandLine& line);
  void newTextCommand(const CommandLine& line);
  // "VJ": vertical justification (vertical_justify_command.cpp).
  void verticalJustifyCommand(const CommandLine& line);
  void verticalJustify(const VerticalSettings& settings);
  void applyStaffMoves(const std::vector<StaffMove>& moves);
  // "PREF" and the preference file (preferences_command.cpp).
  void preferencesCommand();
  bool readPreferenceFile(const std::string& name, const Preferences& over, const std::string& repairFor);
  void applyPreferences();
  void resetPreferences();
  void savePreferences();
  bool takePreferenceAnswer(const char* label, const char* prefix, const std::string& answer);
  // Included EPS pictures: "EPS", and "13 1" on an open picture (picture_commands.cpp).
  bool pictureCommand(const CommandLine& line);
  void pictureEdited(const std::vector<ParameterEdit>& edits);
  std::optional<NamedPicture> askPictureFile(std::string_view prompt);
  void retypeText();
  std::optional<std::string> askTextCharacters();
  void openItem(int item);
  void closeItem();
  void writeBackEdit();
  void editChanged();
  void stepItem(int direction, bool sameCode);
  void abortEdit(bool reopen);
  void restoreItem();
  void copyEdited(std::string_view mnemonic);
  void deleteEdited(int thenStep);
  void deleteItem(int item);
  void moveEdited(float dx, float dy);
  void centreOnNearestNote(bool thenClose);
  void saveParameter(std::optional<double> parameter);
  void getSavedParameter(std::optional<double> parameter);
  void colourEdited(std::string_view mnemonic);
  void setSize(std::optional<double> size);
  void parameterDialog(int first);
  void sliderCommand(const CommandLine& line);
  void parameterEditLine(const CommandLine& line);
  void createItem(int keyword, const CommandLine& line);
  CreationPlace creationPlace() const;

  // Undo, redo, undelete, backup, history (undo_commands.cpp).
  bool readWorkCopy(std::string_view name);
  void undoCommand();
  void redoCommand();
  void undeleteCommand();
  void saveBackup();
  void getBackupCommand();
  void historyCommand();
  void lastFileCommand();

  // Group operations (group_commands.cpp).
  bool startGroupCommand(const CommandLine& line);
  bool groupInput(const CommandLine& line);
  void groupBox(const GroupArea& box);
  void groupNumbers(const std::vector<double>& numbers, bool fromBox);
  void areaChosen();
  void moveOrCopy(GroupArea source, GroupArea destination, bool copy);
  void repeatLastMove();
  void moveVertically(float steps);
  void copyToStaves(const std::vector<double>& staves);
  void groupDelete();
  void cutCopy();
  void pasteCommand();
  void endGroup();

  // Mini-macros (engine.cpp).
  std::vector<std::string> expandLine(std::string_view line);
  std::optional<std::string> promptLineExpanded(std::string_view prompt);
  void loadMacros();
  void storeMacros();

  // Page-wide commands.
  void orderCommand(const CommandLine& line);
  void conditionalAlter(const CommandLine& line);
  void toggleInvisible();
  void toggleFreeze();
  void toggleGoDirect();
  void paperSizeCommand();
  void moveDisplay(std::string_view mnemonic);
  void switchEditMenuCommand(const CommandLine& line);
  // "PR" and "PRPS" (print_commands.cpp).
  void printCommand(const CommandLine& line);
  PrintDrawing printDrawing();
  // The print options with the page's custom size, and where PDF fonts are sought.
  PrintOptions pdfOptions(const PrintOptions& options) const;
  FontPlaces pdfFontPlaces() const;
  // "PLA" and the MIDI set-up commands (midi_commands.cpp).
  bool dispatchMidiCommand(const CommandLine& line);
  // "IN": typed music input (input_commands.cpp).
  void inputCommand();
  void layoutCommand(bool parts);
  // "J", "L" and the other justify words (justify_commands.cpp).
  void startJustify(const CommandLine& line);
  void justifyChosen(const std::vector<double>& numbers, bool fromBox);
  // "TR" and the other transpose words (transpose_commands.cpp).
  void startTranspose(const CommandLine& line);
  void transposeChosen(const std::vector<double>& numbers, bool fromBox);

  // Files (file_commands.cpp).
  void getCommand(std::string_view name);
  bool getPage(std::string_view name);
  void saveCommand(std::string_view name);
  bool savePage(std::string_view name);
  void saveAsCommand();
  void stepFileCommand(int direction);
  void previousFileCommand();
  void saveUndoCopy();
  // Both answer the message of a write that failed, nothing when written.
  std::optional<std::string> writePageFile(std::string_view name, const std::string* backupName);
  std::optional<std::string> writeWholeFile(std::string_view name, std::span<const uint8_t> bytes);
  std::optional<std::string> askFileName(std::string_view prompt);
  bool confirmDiscardChanges();
  void addHistory(std::string_view name);
  void ensureWorkFolder();

 public:
  // The names of the last pages read, most recent first.
  std::vector<std::string> history() const;
  // An input file's stage lines fed to staff `staff` and those above it
  // between two positions, as typed input reads a file; what it had to say
  // goes to `messages`. False, with the page as it was before the stretch
  // that failed, when a line could not be read.
  bool typedInputFromFile(std::string_view fileName, int staff, float left, float right,
                          std::vector<std::string>& messages);
  // The staves of a range transposed with these options, as the transpose
  // commands do after their setup, as one undoable step; false, with the
  // page as it was, when the transposition is refused.
  bool transposeStaves(const TransposeRange& range, const TransposeOptions& options,
                       std::vector<std::string>& messages);

 private:

  // Drawing the page into the lists.
  void redraw();
  void removeUnknownItems();

  void setMessage(std::string_view text) { m_message = std::string(text); }
  void fail(std::string_view text) {
    setMessage(text);
    m_failed = true;
  }
  void takeDrawModeReply(const DrawModeReply& reply) {
    setMessage(reply.message);
    m_failed = m_failed || reply.failed;
    m_messageBox = m_messageBox || reply.messageBox;
  }
  void markModified() {
    m_modified = true;
    m_pageChanged = true;
  }

  EngineHost& m_host;
  const HostFiles& m_files;
  PageDrawer m_drawer;

  std::array<char, kCommandBufferSize> m_commandBuffer{};
  std::array<char, kInputLineSize> m_inputLine{};
  std::string m_lastCommand;  // for "Q" (repeat)
  std::string m_message;      // the work line's message, handed back in the input line
  bool m_messageBox = false;
  bool m_failed = false;      // see lastCallFailed
  float m_fontBeforeChange = 0.0f;  // P6 of the open text before its last "FNTnn", for "FONTX"

  PageStore m_page;
  std::string m_pageName = "CANTO.MUS";
  bool m_modified = false;
  bool m_pageChanged = false;
  float m_unit = 0.0f;
  PaperSize m_paper = PaperSize::Letter;
  Preferences m_preferences;
  std::string m_preferenceFile;
  std::string m_installDirectory = "C:\\tonesmith";
  std::filesystem::path m_bundledLibrary;
  float m_customWidth = 9.0f;  // inches of a custom paper size
  float m_customHeight = 12.0f;

  // Editing.
  bool m_editing = false;
  int m_current = 0;
  int m_lastItem = 0;
  WorkingRecord m_edit{};
  std::string m_editText;
  int m_openedItem = 0;
  int m_direction = 1;
  enum class MoveEnds { All, Left, Right } m_moveEnds = MoveEnds::All;
  bool m_halfStep = false;
  std::optional<float> m_alignPosition;
  struct SavedParameter {
    int number = 0;
    float value = 0.0f;
  } m_savedParameter;
  int m_sliderParameter = 0;
  // The last deleted item, word for word; it goes back to its own place
  // unless another page was read since.
  struct UndeleteStore {
    std::vector<float> words;
    int item = 0;
    bool inPlace = true;
  } m_undelete;
  struct GroupState {
    GroupCommand command = GroupCommand::None;
    GroupStep step = GroupStep::Area;
    GroupArea area;
    int store = 0;  // paste store of "CT"
  } m_group;
  struct LastMove {
    GroupArea source, destination;
    bool valid = false;
  } m_lastMove;
  MiniMacros m_macros;
  bool m_macrosLoaded = false;
  ItemRecord m_openedRecord;  // the item as it was opened, for "AB"
  bool m_changed = false;
  bool m_goDirect = true;

  // Display.
  int32_t* m_displayList = nullptr;
  int32_t* m_displayUsed = nullptr;
  char* m_textList = nullptr;
  int32_t* m_textUsed = nullptr;
  int m_zoom = 64;
  int m_requestedZoom = 0;
  bool m_showInvisible = true;
  bool m_frozen = false;
  int m_displayOffsetX = 0;
  int m_displayOffsetY = 0;
  Point m_click, m_dragStart;
  int m_register = 0;
  std::array<int, 3> m_menus{};  // the current edit menu and the two before it  // the one-number register of "~a"
  int m_waitLevel = 0;
  DrawMode m_drawMode;  // the drawing editor, while "DRW" is in force
  PrintCommand m_print;
  MidiCommand m_midi;
  InputMode m_input{m_host, m_files, m_waitLevel};  // typed music input, "IN"
  LayoutMode m_layout{m_host, m_files, m_waitLevel};  // page layout and parts, "LAY..." and "PARTS"
  JustifyCommand m_justify;
  TransposeCommand m_transpose;
  std::vector<ItemPlace> m_places;  // where the last drawing put each item
  bool m_libraryWarned = false;

  // Undo copy of the page before a many-item change.
  int m_undoFlag = 0;
  int m_undoMark = 0;
  bool m_savedModified = false;
};

}  // namespace ts
