#pragma once
// MusicXML from the desktop program: a score imported into page files
// (every page made before the first is written, each written whole), the
// first of them opened; the open page exported as a score.

#include <QString>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace ts::shell {

class CMainFrame;

namespace musicxml_messages {
inline constexpr const char* kImport = "Import &MusicXML...";
inline constexpr const char* kExport = "&MusicXML...";
inline constexpr const char* kScoreFilter = "MusicXML (*.musicxml *.xml *.mxl)";
inline constexpr const char* kPagesFilter = "Tonesmith Files (*.mus)";
inline constexpr const char* kTooLarge = "the score is larger than any import takes";
inline constexpr const char* kCannotRead = "cannot read the file";
inline constexpr const char* kWrote = "Written: ";
inline constexpr const char* kImportCancelled = "Import cancelled: the pages written so far are whole.";
}  // namespace musicxml_messages

struct MusicXmlOutcome {
  bool done = false;
  std::vector<std::string> written;  // the files, in order
  std::string message;               // what went wrong, and what the score held that pages cannot say
};

// Asked before page `done` of `total` is written (`page` its file name);
// false stops the import there, with every page written so far whole.
using ImportProgress = std::function<bool(int done, int total, std::string_view page)>;

// `stem` "OUT" gives OUT1.MUS, OUT2.MUS ... beside it.
MusicXmlOutcome importMusicXml(CMainFrame& frame, const QString& score, const QString& stem,
                               const ImportProgress& progress = nullptr);
MusicXmlOutcome exportMusicXml(CMainFrame& frame, const QString& path);

}  // namespace ts::shell
