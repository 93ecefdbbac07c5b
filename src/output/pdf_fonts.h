#pragma once
// The fonts of a PDF: each font number the page uses becomes one Type 1
// font, its program embedded whole, its widths and descriptor from the
// font data file beside it (see pdf_font_data.h). Both are found where the
// font metric files are: the fixed font folders through the host's files
// first, then the font library that came with the program. A font whose
// program or data is missing or damaged is named without being embedded:
// a reader draws it with a face of its own, and the writer says so.

#include <filesystem>
#include <optional>
#include <string>

#include "output/pdf_font_data.h"
#include "output/pdf_objects.h"
#include "output/type1_program.h"

namespace ts {

class HostFiles;

struct PdfFont {
  int number = 0;                   // in the font table
  std::string baseFont;             // the program's name, or the printer's name of the font
  std::optional<PdfFontData> data;  // widths and descriptor; nothing when not found
  std::string program;              // the whole program; empty when not embedded
  Type1Parts parts;

  bool embedded() const { return !program.empty(); }
};

// Where fonts are sought: the folder the preferences name ("C:\\...\\FONTLIB\\",
// empty for none), the fixed font folders, then the library that came
// with the program.
struct FontPlaces {
  std::string preferred;
  std::filesystem::path bundled;
};

// The font data file, then the program it names.
PdfFont findPdfFont(const HostFiles& files, const FontPlaces& places, int fontNumber);
// What the writer says of a font it could not embed.
std::string notEmbeddedWarning(const PdfFont& font);

// The encoding of every text font: the Latin-1 names of the texts' codes.
std::string latin1EncodingObject();
// Writes the font's dictionary, descriptor and program; returns the
// number of its dictionary. `latin1Encoding` is the shared encoding object.
int addFontObjects(PdfObjects& objects, const PdfFont& font, int latin1Encoding);

}  // namespace ts
