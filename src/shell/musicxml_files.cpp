#include "shell/musicxml_files.h"

#include <QFile>
#include <algorithm>
#include <limits>

#include "engine/engine.h"
#include "interchange/musicxml_interchange.h"
#include "model/page_file.h"
#include "platform/safe_file_writer.h"
#include "shell/main_frame.h"
#include "shell/tsmith_doc.h"

namespace ts::shell {
namespace {

constexpr qint64 kLargestScore = qint64{32} << 20;  // the importer's own cap, checked before reading

std::string joined(const std::string& first, const std::vector<std::string>& more) {
  std::string text = first;
  for (const std::string& line : more) text += (text.empty() ? "" : "\n") + line;
  return text;
}

// Each page is written whole before the next is begun, so a stop between
// pages (asked for, or a write that failed) leaves only whole files.
MusicXmlOutcome writePages(const std::vector<std::string>& names, const std::vector<std::vector<uint8_t>>& pages,
                           const ImportProgress& progress) {
  MusicXmlOutcome outcome;
  const size_t count = std::min(pages.size(), names.size());
  const int total = static_cast<int>(std::min<size_t>(count, std::numeric_limits<int>::max()));
  for (size_t i = 0; i < count; ++i) {
    const int done = static_cast<int>(std::min<size_t>(i, std::numeric_limits<int>::max()));
    if (progress && !progress(done, total, names[i])) {
      outcome.message = musicxml_messages::kImportCancelled;
      break;
    }
    const WriteResult written = writeFileSafely(names[i], pages[i]);
    if (written != WriteResult::Written) return {false, outcome.written, writeErrorMessage(names[i], written)};
    outcome.written.push_back(names[i]);
  }
  outcome.done = !outcome.written.empty();
  return outcome;
}

}  // namespace

MusicXmlOutcome importMusicXml(CMainFrame& frame, const QString& score, const QString& stem,
                               const ImportProgress& progress) {
  const std::string name = score.toStdString();
  QFile file(score);
  if (!file.open(QIODevice::ReadOnly)) return {false, {}, name + ": " + musicxml_messages::kCannotRead};
  if (file.size() > kLargestScore) return {false, {}, name + ": " + musicxml_messages::kTooLarge};
  const QByteArray bytes = file.read(kLargestScore + 1);
  const std::span data(reinterpret_cast<const uint8_t*>(bytes.constData()), static_cast<size_t>(bytes.size()));
  const interchange::ImportResult result = interchange::importScore(data, frame.bridge().engine().preferences());
  if (!result.ok) return {false, {}, joined(name + ": " + result.error, result.unmapped)};
  const std::vector<std::string> names = interchange::importPageNames(stem.toStdString(), result.pages.size());
  std::vector<std::vector<uint8_t>> pages;
  for (const PageStore& page : result.pages) pages.push_back(encodePageFile(page, kUnitInches));
  MusicXmlOutcome outcome = writePages(names, pages, progress);
  if (!outcome.message.empty() && !outcome.done) return outcome;
  outcome.message = joined(joined(outcome.message, result.unmapped), result.notices);
  if (outcome.done) frame.openPage(QString::fromStdString(outcome.written.front()));
  return outcome;
}

MusicXmlOutcome exportMusicXml(CMainFrame& frame, const QString& path) {
  const std::string target = path.toStdString();
  const PageStore* pages[] = {&frame.bridge().engine().page()};
  const interchange::ExportResult result = interchange::exportScore(pages);
  if (!result.ok) return {false, {}, target + ": " + result.error};
  const std::span bytes(reinterpret_cast<const uint8_t*>(result.text.data()), result.text.size());
  const WriteResult written = writeFileSafely(target, bytes);
  if (written != WriteResult::Written) return {false, {}, writeErrorMessage(target, written)};
  return {true, {target}, joined("", result.notices)};
}

}  // namespace ts::shell
