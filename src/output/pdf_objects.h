#pragma once
// The frame of a PDF 1.4 file: numbered objects, then the cross-reference
// table of their byte offsets, the trailer and "%%EOF". Objects are given
// their numbers before their bodies, so that they can name each other.

#include <string>
#include <string_view>
#include <vector>

namespace ts {

class PdfObjects {
 public:
  // The number of an object whose body comes later.
  int reserve();
  void put(int number, std::string body);
  // A stream object: `entries` go into its dictionary beside its /Length.
  void putStream(int number, std::string_view entries, std::string_view data);
  // The whole file, with `catalog` as its root and `info` as its document
  // information. An object reserved and never put is written as null.
  std::string finish(int catalog, int info) const;

 private:
  std::vector<std::string> m_bodies;  // [number - 1]
};

// "N 0 R".
std::string pdfReference(int number);
// A PDF literal string's inside: what PostScript's strings escape.
std::string pdfString(std::string_view text);

}  // namespace ts
