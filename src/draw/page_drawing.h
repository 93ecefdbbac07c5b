#pragma once
// Drawing the whole page into the display list and the text list that the
// host owns. The engine calls this after every change of the page.

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "model/page_store.h"
#include "model/page_title.h"

namespace ts {

class HostFiles;

// The host's two buffers, with their capacities and used counts.
struct DisplayTarget {
  int32_t* words = nullptr;
  int32_t capacity = 0;  // words
  int32_t* used = nullptr;
  char* text = nullptr;
  int32_t textCapacity = 0;  // bytes
  int32_t* textUsed = nullptr;
};

struct DrawRequest {
  int highlightedItem = 0;  // the item being edited, drawn in red (0: none)
  bool showInvisible = true;
  int displayOffsetX = 0;
  int displayOffsetY = 0;
  float unit = 0.0f;  // 0 inches, 1 metric
  PaperSize paper = PaperSize::Letter;
};

// What the drawing has to tell the user (out-of-bounds and staff warnings).
struct DrawReport {
  std::vector<std::string> warnings;
};

class PageDrawer {
 public:
  // `files` finds the symbol library folder ("C:\tonesmith\cantlib\" or the
  // folder the preferences name); `bundledLibrary` is the library that came
  // with the program, used when that folder holds no symbol data.
  PageDrawer(const HostFiles& files, std::filesystem::path bundledLibrary);

  DrawReport draw(const PageStore& page, const DrawRequest& request, DisplayTarget& target);

 private:
  const HostFiles& m_files;
  std::filesystem::path m_bundledLibrary;
};

}  // namespace ts
