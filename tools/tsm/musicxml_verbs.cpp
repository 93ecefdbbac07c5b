#include "musicxml_verbs.h"

#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <optional>

#include "interchange/musicxml_interchange.h"
#include "model/page_file.h"
#include "model/preferences.h"
#include "platform/safe_file_writer.h"

namespace tsm {
namespace {

constexpr int kDone = 0, kNotDone = 1, kUsageError = 2;
constexpr uintmax_t kLargestInput = 32u << 20;   // the importer's own cap, checked before reading
constexpr uintmax_t kLargestPage = 1u << 20;     // a page file is at most 256,024 bytes
constexpr const char* kCannotRead = "cannot be read";
constexpr const char* kTooLarge = "is too large to be a score or a page";
constexpr const char* kNotAPage = "is not a page file";
constexpr const char* kWrote = "wrote ";

bool endsWith(const std::string& name, const char* tail) {
  std::string lower = name;
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return lower.ends_with(tail);
}

// The whole file, or nothing when it cannot be read or is over `cap`.
std::optional<std::vector<uint8_t>> readWhole(const std::string& name, uintmax_t cap, std::string& error) {
  std::error_code code;
  const uintmax_t size = std::filesystem::file_size(name, code);
  if (code) {
    error = kCannotRead;
    return std::nullopt;
  }
  if (size > cap) {
    error = kTooLarge;
    return std::nullopt;
  }
  std::ifstream in(name, std::ios::binary);
  std::vector<uint8_t> bytes(static_cast<size_t>(size));
  if (!in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()))) {
    error = kCannotRead;
    return std::nullopt;
  }
  return bytes;
}

int fail(std::ostream& err, const std::string& name, const std::string& why) {
  err << "tsm: " << name << ": " << why << '\n';
  return kNotDone;
}

}  // namespace

bool isMusicXmlExport(const std::vector<std::string>& arguments) {
  return !arguments.empty() && (endsWith(arguments.back(), ".musicxml") || endsWith(arguments.back(), ".xml"));
}

int importMusicXml(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
  if (arguments.size() != 2) return kUsageError;
  const std::string& score = arguments[0];
  std::string error;
  const std::optional<std::vector<uint8_t>> bytes = readWhole(score, kLargestInput, error);
  if (!bytes) return fail(err, score, error);
  const ts::interchange::ImportResult result = ts::interchange::importScore(*bytes, ts::Preferences{});
  for (const std::string& message : result.unmapped) err << "tsm: " << score << ": " << message << '\n';
  if (!result.ok) return fail(err, score, result.error);
  for (const std::string& notice : result.notices) err << "tsm: " << score << ": " << notice << '\n';
  // Every page is made before the first is written.
  const std::vector<std::string> names = ts::interchange::importPageNames(arguments[1], result.pages.size());
  std::vector<std::vector<uint8_t>> files;
  for (const ts::PageStore& page : result.pages) files.push_back(ts::encodePageFile(page, 0.0f));
  for (size_t i = 0; i < files.size(); ++i) {
    const ts::WriteResult written = ts::writeFileSafely(names[i], files[i]);
    if (written != ts::WriteResult::Written) return fail(err, names[i], ts::writeErrorMessage(names[i], written));
    out << kWrote << names[i] << '\n';
  }
  return kDone;
}

int exportMusicXml(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
  if (arguments.size() < 2) return kUsageError;
  std::vector<std::unique_ptr<ts::PageStore>> pages;
  for (size_t i = 0; i + 1 < arguments.size(); ++i) {
    std::string error;
    const std::optional<std::vector<uint8_t>> bytes = readWhole(arguments[i], kLargestPage, error);
    if (!bytes) return fail(err, arguments[i], error);
    auto page = std::make_unique<ts::PageStore>();
    if (ts::readPageFile(*bytes, false, *page).status != ts::PageReadStatus::Ok) return fail(err, arguments[i], kNotAPage);
    pages.push_back(std::move(page));
  }
  std::vector<const ts::PageStore*> order;
  for (const auto& page : pages) order.push_back(page.get());
  const ts::interchange::ExportResult result = ts::interchange::exportScore(order);
  const std::string& target = arguments.back();
  if (!result.ok) return fail(err, target, result.error);
  for (const std::string& notice : result.notices) err << "tsm: " << target << ": " << notice << '\n';
  const std::span<const uint8_t> bytes(reinterpret_cast<const uint8_t*>(result.text.data()), result.text.size());
  const ts::WriteResult written = ts::writeFileSafely(target, bytes);
  if (written != ts::WriteResult::Written) return fail(err, target, ts::writeErrorMessage(target, written));
  out << kWrote << target << '\n';
  return kDone;
}

}  // namespace tsm
