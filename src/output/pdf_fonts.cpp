#include "output/pdf_fonts.h"

#include <vector>

#include <cstdio>
#include <string_view>

#include "draw/font_metrics.h"
#include "draw/font_table.h"
#include "model/host_files.h"
#include "output/latin1_glyphs.h"

namespace ts {
namespace {

constexpr const char* kProgramExtension = ".t1";
constexpr const char* kNotEmbedded = "*** Font not embedded in the PDF (its program or data is missing or damaged):";
constexpr int kWidthsPerLine = 16;

std::optional<std::string> readText(const std::filesystem::path& path, size_t largest) {
  const std::optional<std::vector<uint8_t>> bytes = readFileBytes(path, largest);
  if (!bytes) return std::nullopt;
  return std::string(bytes->begin(), bytes->end());
}

// The first folder's file that `accept` takes: the preferred folder, the
// fixed font folders, then the bundled one.
template <typename Accept>
auto findInFontFolders(const HostFiles& files, const FontPlaces& places, const std::string& name, size_t largest,
                       Accept accept) -> decltype(accept(std::string_view())) {
  std::vector<std::string> folders;
  if (!places.preferred.empty()) {
    folders.push_back(places.preferred);
    if (folders.back().back() != '\\' && folders.back().back() != '/') folders.back() += '\\';
  }
  folders.insert(folders.end(), kFontFolders.begin(), kFontFolders.end());
  for (const std::string& folder : folders) {
    const std::optional<std::filesystem::path> path = files.findExisting(std::string(folder) + name);
    const std::optional<std::string> text = path ? readText(*path, largest) : std::nullopt;
    if (text) {
      if (auto accepted = accept(*text)) return accepted;
    }
  }
  if (places.bundled.empty()) return std::nullopt;
  const std::optional<std::string> text = readText(places.bundled / name, largest);
  return text ? accept(*text) : std::nullopt;
}

std::string widthsArray(const PdfFontData& data) {
  std::string out = "[";
  for (size_t i = 0; i < data.widths.size(); ++i) {
    out += (i % kWidthsPerLine == 0) ? "\n" : " ";
    out += std::to_string(data.widths[i]);
  }
  return out + "]";
}

std::string descriptor(const PdfFontData& data, std::string_view name, int fontFile) {
  char head[320];
  std::snprintf(head, sizeof head,
                "<< /Type /FontDescriptor /FontName /%.*s /Flags %d /FontBBox [%d %d %d %d] /ItalicAngle %g"
                " /Ascent %d /Descent %d /CapHeight %d /StemV %d",
                static_cast<int>(name.size()), name.data(), data.flags, data.boundingBox[0], data.boundingBox[1],
                data.boundingBox[2], data.boundingBox[3], data.italicAngle, data.ascent, data.descent, data.capHeight,
                data.stemV);
  std::string out = head;
  if (fontFile > 0) out += " /FontFile " + pdfReference(fontFile);
  return out + " >>";
}

int addProgram(PdfObjects& objects, const PdfFont& font) {
  const int number = objects.reserve();
  const std::string lengths = "/Length1 " + std::to_string(font.parts.cleartext) + " /Length2 " +
                              std::to_string(font.parts.encrypted) + " /Length3 " + std::to_string(font.parts.trailer);
  objects.putStream(number, lengths, font.program);
  return number;
}

}  // namespace

PdfFont findPdfFont(const HostFiles& files, const FontPlaces& places, int fontNumber) {
  PdfFont font;
  font.number = fontNumber;
  font.baseFont = std::string(postScriptName(fontNumber));
  font.data = findInFontFolders(files, places, pdfFontDataName(fontNumber), kLargestPdfFontData,
                                [](std::string_view text) { return decodePdfFontData(text); });
  if (!font.data) return font;
  struct Program {
    std::string text;
    Type1Parts parts;
  };
  std::optional<Program> program =
      findInFontFolders(files, places, font.data->fontName + kProgramExtension, kLargestFontProgram,
                        [](std::string_view text) -> std::optional<Program> {
                          std::optional<Type1Parts> parts = splitType1Program(text);
                          if (!parts) return std::nullopt;
                          return Program{std::string(text), std::move(*parts)};
                        });
  if (!program) return font;
  font.program = std::move(program->text);
  font.parts = std::move(program->parts);
  font.baseFont = font.parts.fontName;
  return font;
}

std::string notEmbeddedWarning(const PdfFont& font) { return std::string(kNotEmbedded) + " " + font.baseFont; }

std::string latin1EncodingObject() {
  std::string out = "<< /Type /Encoding /Differences [";
  int expected = -1;  // the code the last name stood for, plus one
  for (int code = kPdfFirstChar; code <= kPdfLastChar; ++code) {
    const std::string_view glyph = latin1Glyph(code);
    if (glyph.empty()) continue;
    if (code != expected) {
      out += '\n';
      out += std::to_string(code);
    }
    out += " /";
    out += glyph;
    expected = code + 1;
  }
  return out + "\n] >>";
}

int addFontObjects(PdfObjects& objects, const PdfFont& font, int latin1Encoding) {
  const int number = objects.reserve();
  std::string body = "<< /Type /Font /Subtype /Type1 /BaseFont /" + font.baseFont;
  if (font.data) {
    const int descriptorNumber = objects.reserve();
    const int fontFile = font.embedded() ? addProgram(objects, font) : 0;
    objects.put(descriptorNumber, descriptor(*font.data, font.baseFont, fontFile));
    body += " /FirstChar " + std::to_string(kPdfFirstChar) + " /LastChar " + std::to_string(kPdfLastChar) +
            " /Widths " + widthsArray(*font.data) + " /FontDescriptor " + pdfReference(descriptorNumber);
    if (!font.data->symbolic()) body += " /Encoding " + pdfReference(latin1Encoding);
  }
  objects.put(number, body + " >>");
  return number;
}

}  // namespace ts
