#include "output/pdf_font_data.h"

#include <charconv>
#include <cmath>
#include <cstdio>

#include "output/type1_program.h"

namespace ts {
namespace {

constexpr std::string_view kMark = "%Tonesmith PDF font data\n";
constexpr int kLargestMetric = 10000;   // font units: ten font sizes, beyond any glyph
constexpr int kLargestFlags = 1 << 19;  // the descriptor's flags use bits 1 to 19
constexpr double kSteepestAngle = 90.0;
constexpr int kWidthsPerLine = 16;

// The file's words, one at a time.
class Words {
 public:
  explicit Words(std::string_view text) : m_text(text) {}

  std::string_view next() {
    while (m_at < m_text.size() && isBlank(m_text[m_at])) ++m_at;
    const size_t start = m_at;
    while (m_at < m_text.size() && !isBlank(m_text[m_at])) ++m_at;
    return m_text.substr(start, m_at - start);
  }
  bool expect(std::string_view word) { return next() == word; }
  std::optional<int> integer(int low, int high) {
    const std::string_view word = next();
    int value = 0;
    const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
    if (word.empty() || error != std::errc() || end != word.data() + word.size()) return std::nullopt;
    if (value < low || value > high) return std::nullopt;
    return value;
  }
  std::optional<double> real(double low, double high) {
    const std::string_view word = next();
    double value = 0;
    const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
    if (word.empty() || error != std::errc() || end != word.data() + word.size()) return std::nullopt;
    if (!(value >= low && value <= high)) return std::nullopt;
    return value;
  }

 private:
  static bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }
  std::string_view m_text;
  size_t m_at = 0;
};

bool readField(Words& words, std::string_view key, int& out, int low, int high) {
  if (!words.expect(key)) return false;
  const std::optional<int> value = words.integer(low, high);
  if (value) out = *value;
  return value.has_value();
}

bool readHead(Words& words, PdfFontData& data) {
  if (!words.expect("FontName")) return false;
  data.fontName = std::string(words.next());
  if (!isPlainFontName(data.fontName)) return false;
  if (!readField(words, "Flags", data.flags, 0, kLargestFlags)) return false;
  if (!words.expect("FontBBox")) return false;
  for (int& edge : data.boundingBox) {
    const std::optional<int> value = words.integer(-kLargestMetric, kLargestMetric);
    if (!value) return false;
    edge = *value;
  }
  if (!words.expect("ItalicAngle")) return false;
  const std::optional<double> angle = words.real(-kSteepestAngle, kSteepestAngle);
  if (!angle) return false;
  data.italicAngle = *angle;
  return readField(words, "Ascent", data.ascent, -kLargestMetric, kLargestMetric) &&
         readField(words, "Descent", data.descent, -kLargestMetric, kLargestMetric) &&
         readField(words, "CapHeight", data.capHeight, -kLargestMetric, kLargestMetric) &&
         readField(words, "StemV", data.stemV, 0, kLargestMetric);
}

}  // namespace

std::string pdfFontDataName(int fontNumber) {
  char name[16];
  std::snprintf(name, sizeof name, "fd%02d.fdt", fontNumber);
  return name;
}

std::string encodePdfFontData(const PdfFontData& data) {
  std::string out(kMark);
  char line[160];
  std::snprintf(line, sizeof line, "FontName %s\nFlags %d\nFontBBox %d %d %d %d\nItalicAngle %g\n", data.fontName.c_str(),
                data.flags, data.boundingBox[0], data.boundingBox[1], data.boundingBox[2], data.boundingBox[3],
                data.italicAngle);
  out += line;
  std::snprintf(line, sizeof line, "Ascent %d\nDescent %d\nCapHeight %d\nStemV %d\nWidths", data.ascent, data.descent,
                data.capHeight, data.stemV);
  out += line;
  for (int i = 0; i < kPdfWidthCount; ++i) {
    out += i % kWidthsPerLine == 0 ? '\n' : ' ';
    out += std::to_string(data.widths[static_cast<size_t>(i)]);
  }
  out += '\n';
  return out;
}

std::optional<PdfFontData> decodePdfFontData(std::string_view text) {
  if (text.size() > kLargestPdfFontData || text.substr(0, kMark.size()) != kMark) return std::nullopt;
  Words words(text.substr(kMark.size()));
  PdfFontData data;
  if (!readHead(words, data) || !words.expect("Widths")) return std::nullopt;
  for (int& width : data.widths) {
    const std::optional<int> value = words.integer(0, kLargestMetric);
    if (!value) return std::nullopt;
    width = *value;
  }
  if (!words.next().empty()) return std::nullopt;
  return data;
}

}  // namespace ts
