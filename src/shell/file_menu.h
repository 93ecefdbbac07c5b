#pragma once
// The menu-bar entries a desktop user looks for besides the command table's:
// export of the open page in every format, print, and the player's play,
// pause and stop in the Output menu.

#include <QMenu>
#include <QStringList>
#include <functional>

#include "shell/page_export.h"

namespace ts::shell {

class CMainFrame;

namespace file_menu_messages {
inline constexpr const char* kExportTitle = "Export";
inline constexpr const char* kPrint = "&Print...";
inline constexpr const char* kPrintCommand = "PR ";
inline constexpr const char* kPlayCommand = "PLA ";
inline constexpr const char* kExportPages = "Export &Pages...";
inline constexpr const char* kSaveFirst = "Save the page first: the pages are exported by opening each in turn.";
inline constexpr const char* kPagesExported = "Pages exported: ";
inline constexpr const char* kNotOpened = "*** Not exported, it could not be read: ";
inline constexpr const char* kCancelled = " (cancelled)";
}  // namespace file_menu_messages

// "Export" with one entry a format (MusicXML among them) and the export of
// several pages, "Import MusicXML...", then "Print...", at the end of `file`.
void addExportAndPrint(CMainFrame& frame, QMenu& file);
// Play, Pause and Stop of the player, at the end of `output`.
void addPlayerEntries(CMainFrame& frame, QMenu& output);
// Before each page of a batch: how many are done and the next one's name;
// false stops the batch there.
using BatchProgress = std::function<bool(int done, const QString& page)>;

// Opens each page in turn and exports it into `folder` under its own name
// with the format's extension, then opens the page that was open before.
// Refused while the open page has changes not saved. Each file is written
// whole, so stopping between pages leaves every file whole. The number of
// pages exported.
int exportPages(CMainFrame& frame, const QStringList& pages, const QString& folder, ExportFormat format,
                const BatchProgress& progress);

// Exports the open page to `path` in the format its extension names and
// says the outcome in the message field; false when nothing was written.
bool exportOpenPage(CMainFrame& frame, const QString& path);

}  // namespace ts::shell
