#pragma once
// Where the display device sends the page when it is drawn for paper: each
// flushed path and each text, in page units, instead of the display list
// and the text list. The PostScript writer is one; tests keep their own.

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

namespace ts {

struct PathPoint {
  int32_t x = 0;
  int32_t y = 0;
  int16_t pen = 0;
};

// What a printer needs of a text's font beyond the screen's face: the font
// number names its PostScript font, the width factor stretches it.
struct PrintFont {
  int number = 0;
  float widthFactor = 1.0f;
};

// One string as printed: its baseline starts at (x, y) in page units.
struct PrintText {
  int fontNumber = 0;
  std::string_view postScriptName;
  float size = 0.0f;         // the font size, page units
  float widthFactor = 1.0f;
  float angle = 0.0f;        // degrees, counter-clockwise
  int32_t x = 0;
  int32_t y = 0;
  uint32_t colour = 0;       // 0x00BBGGRR
  std::string_view text;
};

// An included EPS picture as printed: the sink reads and places the file.
struct PrintPicture {
  std::string_view name;      // the file, as the item names it
  int32_t x = 0;              // its lower-left corner, page units
  int32_t y = 0;
  float scale = 1.0f;         // of the file's points
  float angle = 0.0f;         // degrees, counter-clockwise about the corner
  float staffLevel = 0.0f;    // page Y of the staff's reference line
  float staffSize = 1.0f;     // the staff's size factor
  std::array<float, 4> params{};  // P3 to P6 of the item, for the picture's own code
};

class PathSink {
 public:
  virtual ~PathSink() = default;
  // A flushed path: its points in page units (the right-hand sheet already
  // shifted) and the colour of the item that drew it.
  virtual void path(std::span<const PathPoint> points, uint32_t colour) = 0;
  virtual void text(const PrintText& text) = 0;
  // A sink that cannot place PostScript of its own leaves pictures out.
  virtual void picture(const PrintPicture&) {}
  // An item starts, and may be taken back whole when it makes too many marks.
  virtual void itemStarted() = 0;
  virtual void itemAbandoned() = 0;
};

}  // namespace ts
