#include "model/page_title.h"

#include <array>

#include <cstdio>

namespace ts {

namespace {

struct PaperRow {
  const char* name;
  const char* tag;
  PaperPoints sheet;
};

// [paper - 1]: every paper size with its name, its tag and its sheet in
// points (the sizes PostScript printers know them by).
constexpr std::array<PaperRow, 8> kPapers = {{
    {"Letter", "", {612, 792}},
    {"Legal", "<Legal>", {612, 1008}},
    {"Ledger", "<Ledger>", {792, 1224}},
    {"Double page", "<Double>", {1224, 792}},
    {"A3", "<A3>", {842, 1191}},
    {"A4", "<A4>", {595, 842}},
    {"B4", "<B4>", {709, 1001}},
    {"Custom", "<Custom>", {0, 0}},
}};

const PaperRow& paperRow(PaperSize paper) {
  const int index = static_cast<int>(paper) - 1;
  return kPapers[static_cast<size_t>(index >= 0 && index < static_cast<int>(kPapers.size()) ? index : 0)];
}

}  // namespace

const char* paperTag(PaperSize paper) { return paperRow(paper).tag; }

const char* paperName(PaperSize paper) { return paperRow(paper).name; }

PaperPoints paperPoints(PaperSize paper) { return paperRow(paper).sheet; }

std::string pageTitle(std::string_view name, int itemCount, bool modified, PaperSize paper) {
  std::string title(name);
  if (itemCount <= 0) return title;
  char state[48];
  std::snprintf(state, sizeof state, modified ? "* (not saved - %04d Items)" : " (saved - %04d Items)", itemCount);
  title += state;
  const std::string tag = paperTag(paper);
  if (!tag.empty()) title += " " + tag;
  return title;
}

}  // namespace ts
