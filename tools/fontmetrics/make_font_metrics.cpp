// make_font_metrics: builds the font library (the metric files "fm00.fmt"
// ... "fm34.fmt", the printer's font set-up "fmfontinit.psc", the PDF font
// data "fd00.fdt" ... "fd34.fdt" with the font programs they name, and the
// licence copies) from the AFM metrics and Type 1 programs of the URW
// base35 fonts, which stand for the fonts of the font table.
//
//   make_font_metrics --afm-dir DIR --licence FILE... --out DIR

#include <array>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "afm_metrics.h"
#include "draw/font_metric_file.h"
#include "draw/font_table.h"
#include "output/latin1_glyphs.h"
#include "output/pdf_font_data.h"

namespace fs = std::filesystem;
using namespace ts;
using namespace ts::fontmetrics;

namespace {

constexpr double kAfmUnitsPerEm = 1000.0;

// [font number]: the URW font whose metrics stand for it.
constexpr std::array<const char*, kScreenFontCount> kAfmFiles = {
    "NimbusRoman-Regular",      "NimbusRoman-Bold",          "NimbusRoman-Italic",
    "NimbusRoman-BoldItalic",   "NimbusSans-Regular",        "NimbusSans-Bold",
    "NimbusSans-Italic",        "NimbusSans-BoldItalic",     "NimbusSansNarrow-Regular",
    "NimbusSansNarrow-Bold",    "NimbusSansNarrow-Oblique",  "NimbusSansNarrow-BoldOblique",
    "P052-Roman",               "P052-Bold",                 "P052-Italic",
    "P052-BoldItalic",          "URWGothic-Book",            "URWGothic-BookOblique",
    "URWGothic-Demi",           "URWGothic-DemiOblique",     "URWBookman-Light",
    "URWBookman-LightItalic",   "URWBookman-Demi",           "URWBookman-DemiItalic",
    "C059-Roman",               "C059-Bold",                 "C059-Italic",
    "C059-BdIta",               "Z003-MediumItalic",         "NimbusMonoPS-Regular",
    "NimbusMonoPS-Bold",        "NimbusMonoPS-Italic",       "NimbusMonoPS-BoldItalic",
    "StandardSymbolsPS",        "D050000L",
};

struct Options {
  fs::path afmDir;
  fs::path out;
  std::vector<fs::path> licences;
};

bool parseOptions(int argc, char** argv, Options& options) {
  for (int i = 1; i + 1 < argc; i += 2) {
    const std::string key = argv[i];
    if (key == "--afm-dir") options.afmDir = argv[i + 1];
    else if (key == "--out") options.out = argv[i + 1];
    else if (key == "--licence") options.licences.emplace_back(argv[i + 1]);
    else return false;
  }
  return !options.afmDir.empty() && !options.out.empty();
}

// The AFM width of the glyph a slot measures; -1 when the font lacks it.
int afmWidth(const AfmMetrics& afm, uint8_t code) {
  if (afm.fontSpecific) {
    const auto found = afm.byCode.find(code);
    return found == afm.byCode.end() ? 0 : found->second;  // codes the font leaves empty
  }
  const auto found = afm.byName.find(std::string(latin1Glyph(code)));
  return found == afm.byName.end() ? -1 : found->second;
}

bool metricFileOf(int font, const AfmMetrics& afm, FontMetricFile& file) {
  file.name = std::string(postScriptName(font));
  for (int slot = 0; slot < kMetricSlots; ++slot) {
    const int width = afmWidth(afm, kSlotCodes[static_cast<size_t>(slot)]);
    if (width < 0) {
      std::fprintf(stderr, "make_font_metrics: %s has no glyph for code %d\n", kAfmFiles[font],
                   kSlotCodes[static_cast<size_t>(slot)]);
      return false;
    }
    file.widths[static_cast<size_t>(slot)] = static_cast<int16_t>(std::lround(width * static_cast<double>(kMetricUnitsPerEm) / kAfmUnitsPerEm));
  }
  return true;
}

// Descriptor flags (PDF 1.4, 5.7.1): fixed pitch 1, serif 2, symbolic 4,
// script 8, nonsymbolic 32, italic 64.
constexpr std::array<std::string_view, 5> kSerifFamilies = {"Nimbus Roman", "P052", "C059", "URW Bookman",
                                                            "Nimbus Mono PS"};
constexpr std::string_view kScriptFamily = "Z003";

int descriptorFlags(const AfmMetrics& afm) {
  const AfmHeader& h = afm.header;
  int flags = afm.fontSpecific ? kPdfFlagSymbolic : kPdfFlagNonsymbolic;
  if (h.fixedPitch) flags |= 1;
  for (const std::string_view family : kSerifFamilies) {
    if (h.familyName == family) flags |= 2;
  }
  if (h.familyName == kScriptFamily) flags |= 8;
  if (h.italicAngle != 0.0) flags |= 64;
  return flags;
}

// The AFM files give no dominant stem width; readers use it only to pick a
// weight for a face they put in place of a font that is not embedded.
int stemWidth(const std::string& weight) {
  if (weight == "Light") return 60;
  if (weight == "Demi") return 120;
  if (weight == "Bold") return 140;
  return 80;
}

PdfFontData pdfFontDataOf(const AfmMetrics& afm) {
  const AfmHeader& h = afm.header;
  PdfFontData data;
  data.fontName = h.fontName;
  data.flags = descriptorFlags(afm);
  data.boundingBox = h.boundingBox;
  data.italicAngle = h.italicAngle;
  // The URW files give Ascender and Descender as 0: the box stands for them.
  data.ascent = h.ascender != 0 ? h.ascender : h.boundingBox[3];
  data.descent = h.descender != 0 ? h.descender : h.boundingBox[1];
  data.capHeight = h.capHeight;
  data.stemV = stemWidth(h.weight);
  for (int code = kPdfFirstChar; code <= kPdfLastChar; ++code) {
    int width = 0;  // codes with no glyph
    if (afm.fontSpecific) {
      const auto found = afm.byCode.find(code);
      if (found != afm.byCode.end()) width = found->second;
    } else if (const std::string_view glyph = latin1Glyph(code); !glyph.empty()) {
      const auto found = afm.byName.find(std::string(glyph));
      if (found != afm.byName.end()) width = found->second;
    }
    data.widths[static_cast<size_t>(code - kPdfFirstChar)] = width;
  }
  return data;
}

// The font's data file and a copy of its program. A missing program is
// only said: the PDF then names the font without embedding it.
bool writePdfFont(const Options& options, int font, const AfmMetrics& afm) {
  const std::string data = encodePdfFontData(pdfFontDataOf(afm));
  std::ofstream out(options.out / pdfFontDataName(font), std::ios::binary | std::ios::trunc);
  out << data;
  if (!out) return false;
  const fs::path program = options.afmDir / (std::string(kAfmFiles[font]) + ".t1");
  std::error_code error;
  fs::copy_file(program, options.out / program.filename(), fs::copy_options::overwrite_existing, error);
  if (error) std::fprintf(stderr, "make_font_metrics: no font program %s: PDFs will not embed it\n", program.c_str());
  return true;
}

bool writeBytes(const fs::path& path, const std::vector<uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out);
}

// Writes fmNN.fmt and fdNN.fdt of every font; `latin` collects the fonts the printer re-encodes.
bool writeMetricFiles(const Options& options, std::vector<int>& latin) {
  for (int font = 0; font < kScreenFontCount; ++font) {
    const fs::path afmPath = options.afmDir / (std::string(kAfmFiles[font]) + ".afm");
    const auto afm = readAfm(afmPath);
    FontMetricFile file;
    if (!afm || !metricFileOf(font, *afm, file)) {
      std::fprintf(stderr, "make_font_metrics: cannot read the metrics of %s\n", afmPath.c_str());
      return false;
    }
    if (!afm->fontSpecific) latin.push_back(font);
    if (!writeBytes(options.out / metricFileName(font), encodeFontMetrics(file))) return false;
    if (!writePdfFont(options, font, *afm)) return false;
  }
  return true;
}

void writeEncoding(std::ofstream& out) {
  out << "/TonesmithLatin1 [\n";
  for (int code = 0; code < 256; ++code) {
    const std::string_view glyph = latin1Glyph(code);
    out << '/' << (glyph.empty() ? ".notdef" : glyph) << ((code % 8 == 7) ? "\n" : " ");
  }
  out << "] def\n";
}

bool writeFontInit(const fs::path& path, const std::vector<int>& latin) {
  std::ofstream out(path, std::ios::trunc);
  out << "%!PS-Adobe-2.0\n%%Title: fmfontinit.psc\n%%Creator: Tonesmith make_font_metrics\n"
         "% The text items' characters are ISO Latin-1 codes: the text fonts are\n"
         "% re-encoded to them under their own names. Symbol and Dingbats keep\n"
         "% their own encodings.\n";
  writeEncoding(out);
  out << "/reencodeLatin1 {\n"
         "  dup findfont dup length dict begin\n"
         "    { 1 index /FID ne { def } { pop pop } ifelse } forall\n"
         "    /Encoding TonesmithLatin1 def\n"
         "    currentdict\n"
         "  end definefont pop\n"
         "} bind def\n";
  for (const int font : latin) out << '/' << postScriptName(font) << " reencodeLatin1\n";
  return static_cast<bool>(out);
}

bool copyLicences(const Options& options) {
  std::error_code error;
  for (const fs::path& licence : options.licences) {
    fs::copy_file(licence, options.out / licence.filename(), fs::copy_options::overwrite_existing, error);
    if (error) {
      std::fprintf(stderr, "make_font_metrics: cannot copy %s\n", licence.c_str());
      return false;
    }
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  Options options;
  if (!parseOptions(argc, argv, options)) {
    std::fprintf(stderr, "usage: make_font_metrics --afm-dir DIR --licence FILE... --out DIR\n");
    return 2;
  }
  std::error_code error;
  fs::create_directories(options.out, error);
  std::vector<int> latin;
  if (!writeMetricFiles(options, latin) || !writeFontInit(options.out / "fmfontinit.psc", latin) ||
      !copyLicences(options)) {
    return 1;
  }
  return 0;
}
