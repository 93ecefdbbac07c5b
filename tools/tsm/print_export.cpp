#include "print_export.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <functional>
#include <optional>

#include "engine/engine.h"
#include "model/page_file.h"
#include "output/page_header.h"
#include "pdf_export.h"

namespace tsm {
namespace {

constexpr int kDone = 0;
constexpr int kNotDone = 1;
constexpr int kUsageError = 2;

std::string lowerCase(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
  return text;
}

bool endsWith(const std::string& text, const std::string& end) {
  return text.size() >= end.size() && lowerCase(text.substr(text.size() - end.size())) == end;
}

std::optional<double> number(const std::string& text, double low, double high) {
  char* end = nullptr;
  const double value = std::strtod(text.c_str(), &end);
  if (end == text.c_str() || *end != '\0' || !(value >= low && value <= high)) return std::nullopt;
  return value;
}

std::optional<ts::PaperSize> paperNamed(const std::string& name) {
  for (int p = 1; p <= static_cast<int>(ts::PaperSize::Custom); ++p) {
    const auto paper = static_cast<ts::PaperSize>(p);
    std::string known = lowerCase(ts::paperName(paper));
    if (known == "double page") known = "double";
    if (lowerCase(name) == known) return paper;
  }
  return std::nullopt;
}

std::optional<ts::HeaderFooter> headerNamed(const std::string& name) {
  const std::string n = lowerCase(name);
  if (n == "none") return ts::HeaderFooter::None;
  if (n == "header") return ts::HeaderFooter::Header;
  if (n == "footer") return ts::HeaderFooter::Footer;
  if (n == "both") return ts::HeaderFooter::Both;
  return std::nullopt;
}

bool readOffsets(const std::string& text, ts::PrintOptions& options) {
  const size_t comma = text.find(',');
  if (comma == std::string::npos) return false;
  const auto x = number(text.substr(0, comma), -50, 50);
  const auto y = number(text.substr(comma + 1), -50, 50);
  if (!x || !y) return false;
  options.offsetX = static_cast<float>(*x);
  options.offsetY = static_cast<float>(*y);
  return true;
}

// One flag with its value; false when the flag or value is not known.
bool readValueFlag(const std::string& flag, const std::string& value, ts::PrintOptions& o,
                   std::optional<ts::PaperSize>& paper) {
  if (flag == "--size") {
    const auto v = number(value, 0.05, 20);
    if (v) o.size = static_cast<float>(*v);
    return v.has_value();
  }
  if (flag == "--resolution" || flag == "--line-width" || flag == "--copies") {
    const auto v = number(value, flag == "--line-width" ? 0 : 1, flag == "--resolution" ? 10000 : flag == "--copies" ? 999 : 100);
    if (!v) return false;
    (flag == "--resolution" ? o.resolution : flag == "--copies" ? o.copies : o.lineWidth) = static_cast<int>(*v);
    return true;
  }
  if (flag == "--paper") {
    paper = paperNamed(value);
    return paper.has_value();
  }
  if (flag == "--offsets") return readOffsets(value, o);
  if (flag == "--header") {
    const auto h = headerNamed(value);
    if (h) o.header = *h;
    return h.has_value();
  }
  return false;
}

bool readSwitch(const std::string& flag, ts::PrintOptions& o) {
  if (flag == "--rotate") return o.rotate = true;
  if (flag == "--mirror") return o.mirror = true;
  if (flag == "--manual-feed") return o.manualFeed = true;
  if (flag == "--snap") return o.pixelSnap = true;
  return false;
}

}  // namespace

bool isPrintExport(const std::vector<std::string>& arguments) {
  return std::any_of(arguments.begin(), arguments.end(), [](const std::string& a) {
    return a.rfind("--", 0) != 0 && (endsWith(a, ".ps") || endsWith(a, ".eps") || endsWith(a, ".pdf"));
  });
}

PrintExportResult printExport(const std::vector<std::string>& arguments, ts::Engine& engine, const ts::HostFiles& files,
                              const std::function<bool(const std::string&)>& openPage) {
  ts::PrintOptions options;
  std::optional<ts::PaperSize> paper;
  std::vector<std::string> names;
  for (size_t i = 0; i < arguments.size(); ++i) {
    const std::string& arg = arguments[i];
    if (arg.rfind("--", 0) != 0) {
      names.push_back(arg);
    } else if (!readSwitch(arg, options) &&
               (i + 1 >= arguments.size() || !readValueFlag(arg, arguments[++i], options, paper))) {
      return {kUsageError, "tsm: " + arg + " wants a value it can use (see the usage)"};
    }
  }
  if (names.size() > 2 && endsWith(names.back(), ".pdf")) {
    const std::vector<std::string> pages(names.begin(), names.end() - 1);
    return pdfPagesExport(pages, names.back(), options, paper, engine, files, openPage);
  }
  if (names.size() != 2) return {kUsageError, ""};
  options.kind = endsWith(names[1], ".eps") ? ts::OutputKind::Eps : ts::OutputKind::Network;
  if (!openPage(names[0])) return {kNotDone, ""};
  options.paper = paper.value_or(engine.paper());
  if (endsWith(names[1], ".pdf")) return pdfExport(names[1], options, engine, files);
  const ts::PrintedDocument document = engine.printPostScript(options);
  const std::span<const uint8_t> bytes(reinterpret_cast<const uint8_t*>(document.text.data()), document.text.size());
  const ts::WriteResult written = files.writeWhole(names[1], bytes);
  if (written != ts::WriteResult::Written) {
    return {kNotDone, "tsm: " + ts::writeErrorMessage(names[1], written) + " (an earlier file of that name is kept)"};
  }
  // What the drawing said; a picture left out means the page is not whole.
  std::string said;
  for (const std::string& warning : document.warnings) said += (said.empty() ? "" : "\n") + warning;
  return {document.picturesLeftOut ? kNotDone : kDone, said};
}

}  // namespace tsm
