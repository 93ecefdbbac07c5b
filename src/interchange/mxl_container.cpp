#include "interchange/mxl_container.h"

#include <memory>
#include <pugixml.hpp>
#include <zip.h>

#include "interchange/interchange_messages.h"
#include "interchange/musicxml_reader.h"

namespace ts::interchange {
namespace {

constexpr const char* kContainerEntry = "META-INF/container.xml";
constexpr size_t kChunkBytes = 64 * 1024;

struct ArchiveCloser {
  void operator()(zip_t* archive) const { zip_discard(archive); }
};
struct EntryCloser {
  void operator()(zip_file_t* file) const { zip_fclose(file); }
};
using Archive = std::unique_ptr<zip_t, ArchiveCloser>;

Archive openArchive(std::span<const uint8_t> bytes) {
  zip_error_t error;
  zip_error_init(&error);
  zip_source_t* source = zip_source_buffer_create(bytes.data(), bytes.size(), 0, &error);
  zip_error_fini(&error);
  if (source == nullptr) return nullptr;
  zip_error_init(&error);
  zip_t* archive = zip_open_from_source(source, ZIP_RDONLY, &error);
  zip_error_fini(&error);
  if (archive == nullptr) zip_source_free(source);
  return Archive(archive);
}

// The entry's bytes, counted as they inflate; false past the cap or on damage.
bool readEntry(zip_t* archive, zip_int64_t index, std::string& out, std::string& error) {
  std::unique_ptr<zip_file_t, EntryCloser> file(zip_fopen_index(archive, static_cast<zip_uint64_t>(index), 0));
  if (!file) {
    error = std::string(messages::kZipDamaged) + zip_strerror(archive);
    return false;
  }
  std::string chunk(kChunkBytes, '\0');
  while (true) {
    const zip_int64_t got = zip_fread(file.get(), chunk.data(), chunk.size());
    if (got < 0) {
      error = std::string(messages::kZipDamaged) + zip_file_strerror(file.get());
      return false;
    }
    if (got == 0) return true;
    if (out.size() + static_cast<size_t>(got) > kMaxFileBytes) {
      error = messages::kZipEntryTooLarge;
      return false;
    }
    out.append(chunk.data(), static_cast<size_t>(got));
  }
}

// The score's path: the container's first rootfile, or else the first
// entry at the top of the archive that ends in ".musicxml" or ".xml".
std::string rootfilePath(zip_t* archive, std::string& error) {
  const zip_int64_t container = zip_name_locate(archive, kContainerEntry, 0);
  if (container >= 0) {
    std::string text;
    if (!readEntry(archive, container, text, error)) return {};
    pugi::xml_document document;
    if (!document.load_buffer(text.data(), text.size(), pugi::parse_default & ~pugi::parse_doctype)) return {};
    return document.child("container").child("rootfiles").child("rootfile").attribute("full-path").as_string();
  }
  const zip_int64_t entries = zip_get_num_entries(archive, 0);
  for (zip_int64_t i = 0; i < entries; ++i) {
    const std::string name = zip_get_name(archive, static_cast<zip_uint64_t>(i), 0) ?: "";
    const bool xml = name.ends_with(".musicxml") || name.ends_with(".xml");
    if (xml && name.find('/') == std::string::npos) return name;
  }
  return {};
}

}  // namespace

bool looksLikeZip(std::span<const uint8_t> bytes) {
  return bytes.size() >= 4 && bytes[0] == 'P' && bytes[1] == 'K' && bytes[2] == 3 && bytes[3] == 4;
}

ContainerOutcome readMxlContainer(std::span<const uint8_t> bytes) {
  ContainerOutcome outcome;
  const Archive archive = openArchive(bytes);
  if (!archive) return {{}, messages::kZipUnreadable};
  const std::string path = rootfilePath(archive.get(), outcome.error);
  if (!outcome.error.empty()) return outcome;
  if (path.empty()) return {{}, messages::kZipNoRootfile};
  const zip_int64_t index = zip_name_locate(archive.get(), path.c_str(), 0);
  if (index < 0) return {{}, std::string(messages::kZipMissingEntry) + path};
  if (!readEntry(archive.get(), index, outcome.score, outcome.error)) outcome.score.clear();
  return outcome;
}

}  // namespace ts::interchange
