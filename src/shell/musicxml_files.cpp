#include "shell/musicxml_files.h"

#include <QFile>

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

}  // namespace

MusicXmlOutcome importMusicXml(CMainFrame& frame, const QString& score, const QString& stem) {
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
  MusicXmlOutcome outcome;
  for (size_t i = 0; i < pages.size() && i < names.size(); ++i) {
    const WriteResult written = writeFileSafely(names[i], pages[i]);
    if (written != WriteResult::Written) return {false, outcome.written, writeErrorMessage(names[i], written)};
    outcome.written.push_back(names[i]);
  }
  outcome.done = !outcome.written.empty();
  outcome.message = joined(joined("", result.unmapped), result.notices);
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
