#include "output/pdf_objects.h"

#include <cstdio>

#include "output/postscript_prolog.h"

namespace ts {
namespace {

// The version, then a comment of bytes above 127 so that a program moving
// the file sees it is binary (the embedded fonts are).
constexpr std::string_view kHeader = "%PDF-1.4\n%\xE2\xE3\xCF\xD3\n";
constexpr size_t kXrefEntryBytes = 20;  // "0000001234 00000 n \n": the table's fixed entry
constexpr std::string_view kStreamEnd = "\nendstream";
constexpr size_t kObjectFrameBytes = 32;  // "12 0 obj\n", "\nendobj\n" and the object's table entry

std::string xrefEntry(size_t offset, const char* generationAndKind) {
  char entry[kXrefEntryBytes + 1];
  std::snprintf(entry, sizeof entry, "%010zu %s \n", offset, generationAndKind);
  return entry;
}

}  // namespace

int PdfObjects::reserve() {
  m_bodies.emplace_back();
  return static_cast<int>(m_bodies.size());
}

void PdfObjects::put(int number, std::string body) {
  if (number < 1 || static_cast<size_t>(number) > m_bodies.size()) return;
  m_bodies[static_cast<size_t>(number) - 1] = std::move(body);
}

void PdfObjects::putStream(int number, std::string_view entries, std::string_view data) {
  std::string head = "<< " + std::string(entries) + " /Length " + std::to_string(data.size()) + " >>\nstream\n";
  std::string body;
  body.reserve(head.size() + data.size() + kStreamEnd.size());
  body += head;
  body += data;
  body += kStreamEnd;
  put(number, std::move(body));
}

std::string PdfObjects::finish(int catalog, int info) const {
  size_t total = kHeader.size() + kObjectFrameBytes * (m_bodies.size() + 4);
  for (const std::string& body : m_bodies) total += body.size();
  std::string out;
  out.reserve(total);
  out += kHeader;
  std::vector<size_t> offsets;
  offsets.reserve(m_bodies.size());
  for (size_t i = 0; i < m_bodies.size(); ++i) {
    offsets.push_back(out.size());
    out += std::to_string(i + 1) + " 0 obj\n";
    out += m_bodies[i].empty() ? "null" : m_bodies[i];
    out += "\nendobj\n";
  }
  const size_t xref = out.size();
  out += "xref\n0 " + std::to_string(m_bodies.size() + 1) + "\n";
  out += xrefEntry(0, "65535 f");
  for (const size_t offset : offsets) out += xrefEntry(offset, "00000 n");
  out += "trailer\n<< /Size " + std::to_string(m_bodies.size() + 1) + " /Root " + pdfReference(catalog) + " /Info " +
         pdfReference(info) + " >>\nstartxref\n" + std::to_string(xref) + "\n%%EOF\n";
  return out;
}

std::string pdfReference(int number) { return std::to_string(number) + " 0 R"; }

std::string pdfString(std::string_view text) { return escapedString(text); }

}  // namespace ts
