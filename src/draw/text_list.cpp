#include "draw/text_list.h"

#include <cstring>

namespace ts {
namespace {

constexpr int32_t kFlagBytes = 4;  // the italic and underline flags fill a word each

int32_t blockHeaderBytes(const TextFont& font) {
  return static_cast<int32_t>(font.face.size()) + 1 + 4 * 6 + 2 * kFlagBytes;
}

int32_t stringBytes(std::string_view text) { return 8 + static_cast<int32_t>(text.size()) + 1; }

class Reader {
 public:
  explicit Reader(std::span<const char> bytes) : m_bytes(bytes) {}
  bool atEnd() const { return m_pos >= m_bytes.size(); }
  bool string(std::string& out) {
    const void* end = std::memchr(m_bytes.data() + m_pos, '\0', m_bytes.size() - m_pos);
    if (!end) return false;
    const size_t length = static_cast<const char*>(end) - (m_bytes.data() + m_pos);
    out.assign(m_bytes.data() + m_pos, length);
    m_pos += length + 1;
    return true;
  }
  template <typename T>
  bool number(T& out) {
    if (m_bytes.size() - m_pos < sizeof(T)) return false;
    std::memcpy(&out, m_bytes.data() + m_pos, sizeof(T));
    m_pos += sizeof(T);
    return true;
  }
  bool flag(bool& out) {
    char bytes[kFlagBytes];
    if (!number(bytes)) return false;
    out = bytes[0] != 0;
    return true;
  }

 private:
  std::span<const char> m_bytes;
  size_t m_pos = 0;
};

bool readFont(Reader& in, TextFont& font, int32_t& count) {
  float width2 = 0.0f;
  int32_t colour = 0;
  return in.string(font.face) && in.number(font.height) && in.number(width2) && (font.width = width2 / 2, true) &&
         in.number(font.angle) && in.number(colour) && (font.colour = static_cast<uint32_t>(colour), true) &&
         in.number(font.weight) && in.flag(font.italic) && in.flag(font.underline) && in.number(count);
}

}  // namespace

TextListWriter::TextListWriter(char* bytes, int32_t capacity, int32_t& used)
    : m_bytes(bytes), m_capacity(capacity), m_used(used) {}

bool TextListWriter::write(const void* data, size_t size) {
  std::memcpy(m_bytes + m_used, data, size);
  m_used += static_cast<int32_t>(size);
  return true;
}

bool TextListWriter::writeInt(int32_t value) { return write(&value, sizeof value); }

bool TextListWriter::openBlock(const TextFont& font) {
  write(font.face.c_str(), font.face.size() + 1);
  const float width2 = font.width * 2;
  write(&font.height, sizeof font.height);
  write(&width2, sizeof width2);
  writeInt(font.angle);
  writeInt(static_cast<int32_t>(font.colour));
  writeInt(font.weight);
  const char italic[kFlagBytes] = {static_cast<char>(font.italic), 0, 0, 0};
  const char underline[kFlagBytes] = {static_cast<char>(font.underline), 0, 0, 0};
  write(italic, kFlagBytes);
  write(underline, kFlagBytes);
  m_countOffset = m_used;
  m_lastFont = font;
  return writeInt(0);
}

bool TextListWriter::append(const TextFont& font, int32_t x, int32_t y, std::string_view text) {
  const size_t nul = text.find('\0');
  if (nul != std::string_view::npos) text = text.substr(0, nul);
  const bool newBlock = m_countOffset < 0 || !(font == m_lastFont);
  const int32_t needed = stringBytes(text) + (newBlock ? blockHeaderBytes(font) : 0);
  if (m_full || m_used < 0 || m_capacity - m_used < needed) {
    m_full = true;
    return false;
  }
  if (newBlock) openBlock(font);
  writeInt(x);
  writeInt(y);
  write(text.data(), text.size());
  write("", 1);
  int32_t count = 0;
  std::memcpy(&count, m_bytes + m_countOffset, sizeof count);
  ++count;
  std::memcpy(m_bytes + m_countOffset, &count, sizeof count);
  return true;
}

TextListWriter::Mark TextListWriter::mark() const {
  Mark mark{m_used, m_countOffset, 0, m_lastFont, m_full};
  if (m_countOffset >= 0) std::memcpy(&mark.count, m_bytes + m_countOffset, sizeof mark.count);
  return mark;
}

void TextListWriter::rollBack(const Mark& mark) {
  m_used = mark.used;
  m_countOffset = mark.countOffset;
  m_lastFont = mark.lastFont;
  m_full = mark.full;
  if (m_countOffset >= 0) std::memcpy(m_bytes + m_countOffset, &mark.count, sizeof mark.count);
}

std::vector<TextBlock> readTextList(std::span<const char> bytes) {
  std::vector<TextBlock> blocks;
  Reader in(bytes);
  while (!in.atEnd()) {
    TextBlock block;
    int32_t count = 0;
    if (!readFont(in, block.font, count) || count < 0) break;
    bool whole = true;
    for (int32_t i = 0; i < count && whole; ++i) {
      TextString s;
      whole = in.number(s.x) && in.number(s.y) && in.string(s.text);
      if (whole) block.strings.push_back(std::move(s));
    }
    if (!whole) break;
    blocks.push_back(std::move(block));
  }
  return blocks;
}

}  // namespace ts
