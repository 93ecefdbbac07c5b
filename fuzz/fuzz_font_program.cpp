// Any bytes handed to the font program reader and to the font data reader:
// each must refuse them or read them without reading outside its buffer.
// A program it splits must split into parts that add up to it, under a
// name a PDF can carry; a data file it reads must write back to a file it
// reads the same; and both then go into a PDF's font objects.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "output/pdf_fonts.h"

namespace {

void checkProgram(std::string_view bytes, ts::PdfFont& font) {
  const std::optional<ts::Type1Parts> parts = ts::splitType1Program(bytes);
  if (!parts) return;
  if (parts->cleartext + parts->encrypted + parts->trailer != bytes.size()) std::abort();
  if (!ts::isPlainFontName(parts->fontName)) std::abort();
  font.program = std::string(bytes);
  font.parts = *parts;
  font.baseFont = parts->fontName;
}

void checkData(std::string_view bytes, ts::PdfFont& font) {
  const std::optional<ts::PdfFontData> data = ts::decodePdfFontData(bytes);
  if (!data) return;
  const std::optional<ts::PdfFontData> again = ts::decodePdfFontData(ts::encodePdfFontData(*data));
  if (!again || again->widths != data->widths || again->fontName != data->fontName || again->flags != data->flags) {
    std::abort();
  }
  font.data = data;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  ts::PdfFont font;
  checkProgram(bytes, font);
  checkData(bytes, font);
  ts::PdfObjects objects;
  const int encoding = objects.reserve();
  objects.put(encoding, ts::latin1EncodingObject());
  ts::addFontObjects(objects, font, encoding);
  const int catalog = objects.reserve();
  if (objects.finish(catalog, catalog).size() < font.program.size()) std::abort();
  return 0;
}
