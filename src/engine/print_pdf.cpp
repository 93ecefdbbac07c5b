#include "engine/print_pdf.h"

#include <algorithm>

#include "engine/engine.h"
#include "engine/print_messages.h"
#include "output/pdf_writer.h"

namespace ts {

PdfDocument printPdfDocument(const PrintPage& page, const PrintOptions& options, const PrintDrawing& draw,
                             const HostFiles& files, const FontPlaces& fontPlaces) {
  PdfWriter writer(options);
  draw(page.page, page.unit, writer);
  return pdfDocumentOf(std::span<const PdfWriter>(&writer, 1), page.name, files, fontPlaces);
}

PdfDocument pdfDocumentOf(std::span<const PdfWriter> pages, std::string_view title, const HostFiles& files,
                          const FontPlaces& fontPlaces) {
  std::vector<int> numbers;
  std::vector<std::string> picturesLeftOut;
  for (const PdfWriter& page : pages) {
    for (const int number : page.fontsUsed()) {
      if (std::find(numbers.begin(), numbers.end(), number) == numbers.end()) numbers.push_back(number);
    }
    for (const std::string& name : page.picturesLeftOut()) {
      picturesLeftOut.push_back(std::string(print_messages::kPictureNotInPdf) + " " + name);
    }
  }
  PdfDocument done;
  std::vector<PdfFont> fonts;
  for (const int number : numbers) {
    fonts.push_back(findPdfFont(files, fontPlaces, number));
    if (!fonts.back().embedded()) done.warnings.push_back(notEmbeddedWarning(fonts.back()));
  }
  done.warnings.insert(done.warnings.end(), picturesLeftOut.begin(), picturesLeftOut.end());
  done.picturesLeftOut = !picturesLeftOut.empty();
  done.bytes = pdfDocument(pages, title, fonts);
  return done;
}

PrintOptions Engine::pdfOptions(const PrintOptions& options) const {
  PrintOptions sized = options;
  sized.customWidth = m_customWidth;
  sized.customHeight = m_customHeight;
  return sized;
}

FontPlaces Engine::pdfFontPlaces() const {
  return FontPlaces{trimmedPath(m_preferences.fontLibrary), m_print.bundledFontFolder()};
}

PdfDocument Engine::printPdf(const PrintOptions& options) {
  const PrintPage page{m_page, m_pageName, m_unit, options.paper, m_customWidth, m_customHeight};
  return printPdfDocument(page, pdfOptions(options), printDrawing(), m_files, pdfFontPlaces());
}

PdfWriter Engine::drawPdfPage(const PrintOptions& options) {
  PdfWriter writer(pdfOptions(options));
  printDrawing()(m_page, m_unit, writer);
  return writer;
}

PdfDocument Engine::printPdfPages(std::span<const PdfWriter> pages, std::string_view title) const {
  return pdfDocumentOf(pages, title, m_files, pdfFontPlaces());
}

}  // namespace ts
