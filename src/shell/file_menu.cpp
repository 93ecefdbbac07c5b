#include "shell/file_menu.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QIcon>
#include <QKeySequence>
#include <QLineEdit>
#include <QInputDialog>
#include <QMessageBox>
#include <QProgressDialog>

#include "engine/engine.h"
#include "shell/main_frame.h"
#include "shell/midi_player.h"
#include "shell/midi_services.h"
#include "shell/musicxml_files.h"
#include "shell/page_export.h"
#include "shell/tsmith_doc.h"
#include "shell/work_progress_dialog.h"

namespace ts::shell {
namespace {

// Where the save dialog starts: the page's own name with the format's extension.
QString suggestedName(CMainFrame& frame, const ExportFormatInfo& info) {
  const QString page = frame.document().pathName();
  const QString base = page.isEmpty() ? QStringLiteral("page") : QFileInfo(page).path() + "/" + QFileInfo(page).completeBaseName();
  return base + "." + QLatin1String(info.extension);
}

void exportAs(CMainFrame& frame, const ExportFormatInfo& info) {
  const QString chosen = QFileDialog::getSaveFileName(&frame, QString::fromLatin1(file_menu_messages::kExportTitle),
                                                      suggestedName(frame, info), QString::fromLatin1(info.filter));
  if (!chosen.isEmpty()) exportOpenPage(frame, withExtension(chosen, info.format));
}

// Says how a MusicXML import or export went: the first file in the
// message field, anything more in a message box.
void tell(CMainFrame& frame, const MusicXmlOutcome& outcome) {
  if (outcome.done) frame.messageField().setText(QString::fromLatin1(musicxml_messages::kWrote) + QString::fromStdString(outcome.written.front()));
  if (!outcome.message.empty()) frame.platform().messageBox(outcome.message);
}

void importScoreDialog(CMainFrame& frame) {
  if (!frame.bridge().engineAttached() || frame.bridge().engineBusy()) return;
  const QString score = QFileDialog::getOpenFileName(&frame, QStringLiteral("Import MusicXML"), {},
                                                     QString::fromLatin1(musicxml_messages::kScoreFilter));
  if (score.isEmpty()) return;
  const QFileInfo info(score);
  const QString stem = QFileDialog::getSaveFileName(&frame, QStringLiteral("Pages to write"), info.path() + "/" + info.completeBaseName(),
                                                    QString::fromLatin1(musicxml_messages::kPagesFilter));
  if (stem.isEmpty()) return;
  WorkProgressDialog progress(&frame);
  tell(frame, importMusicXml(frame, score, stem, [&progress](int done, int total, std::string_view page) {
         return progress.step(done, total, page);
       }));
}

void exportScoreDialog(CMainFrame& frame) {
  if (!frame.bridge().engineAttached() || frame.bridge().engineBusy()) return;
  const QString page = frame.document().pathName();
  const QString suggested = page.isEmpty() ? QStringLiteral("page.musicxml") : QFileInfo(page).path() + "/" + QFileInfo(page).completeBaseName() + ".musicxml";
  const QString path = QFileDialog::getSaveFileName(&frame, QString::fromLatin1(file_menu_messages::kExportTitle), suggested,
                                                    QString::fromLatin1(musicxml_messages::kScoreFilter));
  if (!path.isEmpty()) tell(frame, exportMusicXml(frame, path));
}

// Whether the engine now holds `path`: a page that cannot be read leaves
// the page before it in place, under its own name.
bool holdsPage(CMainFrame& frame, const QString& path) {
  return QString::fromStdString(frame.bridge().engine().pageName()).endsWith(QFileInfo(path).fileName(), Qt::CaseInsensitive);
}

QStringList formatNames() {
  QStringList names;
  for (const ExportFormatInfo& info : kExportFormats) names.append(QString::fromLatin1(info.filter));
  return names;
}

// The pages, the folder and the format, then the batch under a progress
// dialog whose Cancel stops it before the next page.
void exportPagesDialog(CMainFrame& frame) {
  const QStringList pages = QFileDialog::getOpenFileNames(&frame, QString::fromLatin1(file_menu_messages::kExportTitle), {},
                                                          QStringLiteral("Tonesmith Files (*.mus *.pag)"));
  if (pages.isEmpty()) return;
  const QString folder = QFileDialog::getExistingDirectory(&frame, QString::fromLatin1(file_menu_messages::kExportTitle));
  if (folder.isEmpty()) return;
  bool chosen = false;
  const QString name = QInputDialog::getItem(&frame, QString::fromLatin1(file_menu_messages::kExportTitle), QStringLiteral("Format:"),
                                             formatNames(), 0, false, &chosen);
  if (!chosen) return;
  const ExportFormat format = kExportFormats[static_cast<size_t>(std::max<qsizetype>(formatNames().indexOf(name), 0))].format;
  QProgressDialog dialog(QString(), QStringLiteral("Cancel"), 0, static_cast<int>(pages.size()), &frame);
  dialog.setWindowModality(Qt::WindowModal);
  dialog.setMinimumDuration(0);
  exportPages(frame, pages, folder, format, [&dialog](int done, const QString& page) {
    dialog.setValue(done);
    dialog.setLabelText(page);
    return !dialog.wasCanceled();
  });
  dialog.setValue(static_cast<int>(pages.size()));
}

}  // namespace

int exportPages(CMainFrame& frame, const QStringList& pages, const QString& folder, ExportFormat format,
                const BatchProgress& progress) {
  CommandBridge& bridge = frame.bridge();
  if (!bridge.engineAttached() || bridge.engineBusy()) return 0;
  if (bridge.engine().modified()) {
    frame.platform().messageBox(file_menu_messages::kSaveFirst);
    return 0;
  }
  const QString before = frame.document().pathName();
  int exported = 0;
  bool stopped = false;
  for (qsizetype i = 0; i < pages.size() && !stopped; ++i) {
    const QString& page = pages[i];
    stopped = !progress(static_cast<int>(i), QFileInfo(page).fileName());
    if (stopped) break;
    if (!frame.document().onOpenDocument(page) || !holdsPage(frame, page)) {
      frame.platform().messageBox(file_menu_messages::kNotOpened + page.toStdString());
      continue;
    }
    const QString out = withExtension(folder + "/" + QFileInfo(page).completeBaseName(), format);
    exported += exportOpenPage(frame, out) ? 1 : 0;
  }
  if (!before.isEmpty()) frame.document().onOpenDocument(before);
  frame.messageField().setText(QString::fromLatin1(file_menu_messages::kPagesExported) + QString::number(exported) +
                               (stopped ? QString::fromLatin1(file_menu_messages::kCancelled) : QString()));
  return exported;
}

bool exportOpenPage(CMainFrame& frame, const QString& path) {
  CommandBridge& bridge = frame.bridge();
  const std::optional<ExportFormat> format = exportFormatFor(path);
  if (!bridge.engineAttached() || !format) return false;
  // The print path draws with the engine: never while a command is under way in it.
  if (bridge.engineBusy()) {
    frame.messageField().setText(QString::fromLatin1(export_messages::kBusy));
    return false;
  }
  const ExportResult result = exportPage(bridge.engine(), bridge.session(), path, *format);
  const QString message = QString::fromStdString(result.message);
  frame.messageField().setText(message.section('\n', 0, 0));
  if (!result.written || message.contains('\n')) frame.platform().messageBox(result.message);
  return result.written;
}

void addExportAndPrint(CMainFrame& frame, QMenu& file) {
  QMenu* exports = file.addMenu(QIcon::fromTheme(QStringLiteral("document-send")), QStringLiteral("E&xport"));
  for (const ExportFormatInfo& info : kExportFormats)
    exports->addAction(QString::fromLatin1(info.menuLabel), &frame, [&frame, &info] { exportAs(frame, info); });
  exports->addAction(QString::fromLatin1(musicxml_messages::kExport), &frame, [&frame] { exportScoreDialog(frame); });
  exports->addSeparator();
  exports->addAction(QString::fromLatin1(file_menu_messages::kExportPages), &frame, [&frame] { exportPagesDialog(frame); });
  file.addAction(QString::fromLatin1(musicxml_messages::kImport), &frame, [&frame] { importScoreDialog(frame); });
  QAction* print = file.addAction(QIcon::fromTheme(QStringLiteral("document-print")), QString::fromLatin1(file_menu_messages::kPrint));
  print->setShortcut(QKeySequence::Print);
  QObject::connect(print, &QAction::triggered, &frame, [&frame] { frame.bridge().sendCommand(file_menu_messages::kPrintCommand); });
}

void addPlayerEntries(CMainFrame& frame, QMenu& output) {
  output.addSeparator();
  output.addAction(QIcon::fromTheme(QStringLiteral("media-playback-start")), QStringLiteral("&Play"), &frame,
                   [&frame] { frame.bridge().sendCommand(file_menu_messages::kPlayCommand); });
  output.addAction(QIcon::fromTheme(QStringLiteral("media-playback-pause")), QStringLiteral("P&ause / Resume"), &frame, [&frame] {
    frame.messageField().setText(QString::fromStdString(frame.midi().player().control(PlaybackControl::PauseOrResume)));
  });
  // As the player window's stop button: the sequencer first, then the engine is told.
  output.addAction(QIcon::fromTheme(QStringLiteral("media-playback-stop")), QStringLiteral("&Stop"), &frame, [&frame] {
    const std::string said = frame.midi().player().control(PlaybackControl::Stop);
    frame.bridge().sendCommand(kStopCommand);
    frame.messageField().setText(QString::fromStdString(said));
  });
}

}  // namespace ts::shell
