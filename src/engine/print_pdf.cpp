#include "engine/print_pdf.h"

#include "engine/engine.h"
#include "engine/print_messages.h"
#include "output/pdf_writer.h"

namespace ts {

PdfDocument printPdfDocument(const PrintPage& page, const PrintOptions& options, const PrintDrawing& draw,
                             const HostFiles& files, const FontPlaces& fontPlaces) {
  PdfWriter writer(options);
  draw(page.page, page.unit, writer);
  PdfDocument done;
  std::vector<PdfFont> fonts;
  for (const int number : writer.fontsUsed()) {
    fonts.push_back(findPdfFont(files, fontPlaces, number));
    if (!fonts.back().embedded()) done.warnings.push_back(notEmbeddedWarning(fonts.back()));
  }
  for (const std::string& name : writer.picturesLeftOut()) {
    done.warnings.push_back(std::string(print_messages::kPictureNotInPdf) + " " + name);
  }
  done.picturesLeftOut = !writer.picturesLeftOut().empty();
  done.bytes = writer.document(page.name, fonts);
  return done;
}

PdfDocument Engine::printPdf(const PrintOptions& options) {
  PrintOptions sized = options;
  sized.customWidth = m_customWidth;
  sized.customHeight = m_customHeight;
  const PrintPage page{m_page, m_pageName, m_unit, options.paper, m_customWidth, m_customHeight};
  const FontPlaces places{trimmedPath(m_preferences.fontLibrary), m_print.bundledFontFolder()};
  return printPdfDocument(page, sized, printDrawing(), m_files, places);
}

}  // namespace ts
