#pragma once
// The drawing editor, an engine mode entered with "DRW": clicks add points
// to a drawing, commands jump, make curves, move, size, save it into the
// library, get it back and delete it, and keep a work copy in a text file.
// The engine hands the mode its clicks, keys and command lines while the
// mode is active, and draws the mode's figure over the page.
//
// The editor works in page units around an origin at (8000, -32000); a
// point (x, y) of the editor is the drawing point ((x - 8000) / 100,
// (y + 32000) / 100). The mode keeps its points in drawing units, so what
// it saves is exactly what it holds.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "draw/drawing_file.h"

namespace ts {

class EngineHost;
class HostFiles;
class SymbolLibrary;
struct CommandLine;

constexpr float kEditorOriginX = 8000.0f;
constexpr float kEditorOriginY = -32000.0f;
constexpr float kEditorUnitsPerDrawingUnit = 100.0f;
constexpr int kFirstUserDrawing = 5000;  // below: the permanent library

// An editor position (page units) as a drawing point, and back.
DrawingPoint editorToDrawing(float x, float y, int16_t pen);
DrawingPoint drawingToEditor(const DrawingPoint& point);

// What one call into the mode leaves for the engine to show.
struct DrawModeReply {
  std::string message;
  bool failed = false;  // not done: a file not read or written, an unknown word
  bool messageBox = false;
};

class DrawMode {
 public:
  // `waitLevel` is the engine's: it is above 0 while the mode waits for an answer.
  DrawMode(EngineHost& host, const HostFiles& files, SymbolLibrary& library, int& waitLevel);

  bool active() const { return m_step != Step::Off; }
  // "DRW": into the mode, or its menu again while in it.
  DrawModeReply enter();
  // A command line while active; nothing when the engine is to do it (the
  // display moves, which work in every mode).
  std::optional<DrawModeReply> command(const CommandLine& line);
  // A click at a page position.
  DrawModeReply click(float pageX, float pageY);
  // A key while active; nothing when the key keeps its usual meaning.
  std::optional<DrawModeReply> key(int virtualKey);

  // The drawing and the editor's marks in page units, for the page drawer.
  std::span<const DrawingPoint> figure() const { return m_figure; }
  std::span<const DrawingPoint> points() const { return m_points; }

 private:
  enum class Step { Off, Draw, PickFirst, PickLast, Moving };
  using Handler = DrawModeReply (DrawMode::*)(const CommandLine&);
  struct Command {
    const char* word;
    Handler handler;
  };
  static const Command kCommands[];

  // draw_mode.cpp: the mode, points, jumps, curves, moves and sizes.
  const Command* findCommand(const CommandLine& line) const;
  DrawModeReply menu();
  DrawModeReply leave(const CommandLine&);
  DrawModeReply startDrawing();
  DrawModeReply jump(const CommandLine& line);
  DrawModeReply erasePoint(const CommandLine&);
  DrawModeReply markCurveStart(const CommandLine&);
  DrawModeReply makeCurve(const CommandLine&);
  DrawModeReply startMove(const CommandLine&);
  DrawModeReply size(const CommandLine&);
  DrawModeReply pickPoint(float x, float y);
  DrawModeReply moveSelection(float x, float y);
  DrawModeReply markPick();
  DrawModeReply addPoint(float x, float y);
  DrawModeReply countMessage() const;
  void replacePoints(std::vector<DrawingPoint> points, bool editing);
  bool confirm(const char* question);
  std::optional<std::string> ask(const char* prompt);
  void updateFigure();

  // draw_mode_library.cpp: the library and the work drawing.
  DrawModeReply getDrawing(const CommandLine& line);
  DrawModeReply getNeighbour(const CommandLine& line);
  DrawModeReply getNumber(int number);
  DrawModeReply save(const CommandLine&);
  DrawModeReply deleteDrawing(const CommandLine& line);
  DrawModeReply writeWork(const CommandLine&);
  DrawModeReply readWork(const CommandLine&);
  std::optional<int> askNumber(const CommandLine& line);
  bool permanentNumberAllowed(int number);

  EngineHost& m_host;
  const HostFiles& m_files;
  SymbolLibrary& m_library;
  int& m_waitLevel;

  Step m_step = Step::Off;
  std::vector<DrawingPoint> m_points;  // drawing units, at most kDrawingFileMaxPoints
  int16_t m_nextPen = 1;               // the pen of the next point clicked
  bool m_editing = false;              // got from the library or a file, not begun here
  bool m_unsaved = false;
  int m_number = -1;                   // the library number last got or saved
  std::string m_name;
  std::optional<size_t> m_curveStart;  // the first point of the curve being marked
  size_t m_cursor = 0;                 // the point picked while choosing points to move
  size_t m_first = 0, m_last = 0;      // the points being moved
  std::vector<DrawingPoint> m_figure;
};

}  // namespace ts
