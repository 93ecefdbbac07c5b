#pragma once
// The text list: font blocks one after another in a byte buffer the host
// owns. A block is the face name (NUL-terminated), float32 height, float32
// width x 2, int32 angle (tenths of a degree), int32 colour, int32 weight,
// four bytes of italic flag, four bytes of underline flag, int32 n, then n
// times int32 X, int32 Y and a NUL-terminated string. Numbers are stored
// little-endian at any byte offset.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace ts {

struct TextFont {
  std::string face;
  float height = 0.0f;  // text units; the screen makes zoom x height / 4 view units
  float width = 0.0f;   // 0: the face's own width
  int32_t angle = 0;    // tenths of a degree, counter-clockwise
  uint32_t colour = 0;  // 0x00BBGGRR
  int32_t weight = 400;
  bool italic = false;
  bool underline = false;
  bool operator==(const TextFont&) const = default;
};

struct TextString {
  int32_t x = 0;
  int32_t y = 0;  // display-list Y of the baseline less 96
  std::string text;
};

struct TextBlock {
  TextFont font;
  std::vector<TextString> strings;
};

// Appends strings to the text list, opening a block whenever the font
// differs from the last block's. Never writes past the capacity: a string
// that does not fit is refused whole.
class TextListWriter {
 public:
  TextListWriter(char* bytes, int32_t capacity, int32_t& used);
  bool append(const TextFont& font, int32_t x, int32_t y, std::string_view text);
  bool full() const { return m_full; }

  // The state of the list at one moment, to go back to it.
  struct Mark {
    int32_t used = 0;
    int32_t countOffset = -1;
    int32_t count = 0;  // strings of the last block then
    TextFont lastFont;
    bool full = false;
  };
  Mark mark() const;
  void rollBack(const Mark& mark);

 private:
  bool write(const void* data, size_t size);
  bool writeInt(int32_t value);
  bool openBlock(const TextFont& font);

  char* m_bytes;
  int32_t m_capacity;
  int32_t& m_used;
  int32_t m_countOffset = -1;  // where the last block's n lies
  TextFont m_lastFont;
  bool m_full = false;
};

// Reads a text list back into blocks. A list that ends inside a block
// yields the blocks before it.
std::vector<TextBlock> readTextList(std::span<const char> bytes);

}  // namespace ts
