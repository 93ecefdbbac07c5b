#include "shell/tsmith_app.h"

#include <QCoreApplication>
#include <QFile>
#include <QIcon>
#include <QStandardPaths>
#include <QMessageBox>
#include <cstdio>
#include <filesystem>
#include <sstream>

#include "engine/engine.h"
#include "platform/drive_map.h"
#include "platform/lp_print_queue.h"
#include "shell/button_pictures.h"
#include "shell/main_frame.h"
#include "shell/midi_services.h"
#include "shell/script_runner.h"
#include "shell/tsmith_doc.h"

namespace ts::shell {
namespace {

constexpr unsigned kShowMaximized = 3;
// The icon theme consulted when the desktop's own theme lacks an icon (or
// there is none, offscreen or on a bare window system): the freedesktop
// names of the picture table are found there.
constexpr const char* kFallbackIconTheme = "Adwaita";

std::optional<std::string> resourceText(const QString& name) {
  QFile file(name);
  if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
  return file.readAll().toStdString();
}

// A bare window system names no theme and searches only the program's own
// icons: the desktop's icon folders and a known theme are added then.
void useDesktopIconThemes() {
  QStringList paths = QIcon::themeSearchPaths();
  for (const QString& folder :
       QStandardPaths::locateAll(QStandardPaths::GenericDataLocation, QStringLiteral("icons"), QStandardPaths::LocateDirectory))
    if (!paths.contains(folder)) paths.append(folder);
  QIcon::setThemeSearchPaths(paths);
  if (QIcon::themeName().isEmpty()) QIcon::setThemeName(QString::fromLatin1(kFallbackIconTheme));
  else QIcon::setFallbackThemeName(QString::fromLatin1(kFallbackIconTheme));
}

}  // namespace

std::optional<StartOptions> parseStartOptions(const QStringList& arguments) {
  StartOptions options;
  for (qsizetype i = 1; i < arguments.size(); ++i) {
    const QString& argument = arguments[i];
    QString* value = argument == "--exec" ? &options.script
                     : argument == "--screenshot" ? &options.screenshot
                     : argument == "--root" ? &options.root
                                            : nullptr;
    if (value) {
      if (++i >= arguments.size()) return std::nullopt;
      *value = arguments[i];
    } else if (argument.startsWith("-") || !options.page.isEmpty()) {
      return std::nullopt;
    } else {
      options.page = argument;
    }
  }
  return options;
}

std::optional<CommandTable> readShippedCommandTable(QString& error) {
  const std::optional<std::string> commands = resourceText(QStringLiteral(":/commands/commands.tsv"));
  const std::optional<std::string> menus = resourceText(QStringLiteral(":/commands/menus.tsv"));
  if (!commands || !menus) {
    error = QStringLiteral("missing");
    return std::nullopt;
  }
  std::istringstream commandStream(*commands), menuStream(*menus);
  std::vector<std::string> errors;
  CommandTable table = CommandTable::read(commandStream, menuStream, errors);
  if (!errors.empty()) {
    error = QString::fromStdString(errors.front());
    return std::nullopt;
  }
  return table;
}

std::optional<PictureTable> readShippedPictureTable(QString& error) {
  const std::optional<std::string> rows = resourceText(QStringLiteral(":/commands/pictures.tsv"));
  if (!rows) {
    error = QStringLiteral("missing");
    return std::nullopt;
  }
  std::istringstream stream(*rows);
  std::vector<std::string> errors;
  PictureTable table = PictureTable::read(stream, errors);
  if (!errors.empty()) {
    error = QString::fromStdString(errors.front());
    return std::nullopt;
  }
  return table;
}

CTSmithApp::CTSmithApp(QApplication& application, StartOptions options)
    : m_application(application), m_options(std::move(options)), m_settings(QStringLiteral("Tonesmith"), QStringLiteral("Tonesmith")) {}

CTSmithApp::~CTSmithApp() {
  m_script.reset();
  m_frame.reset();  // the frame goes before the engine it hosts
  m_engine.reset();
}

bool CTSmithApp::initInstance() {
  // Socket and OLE initialisation have no counterpart here. The settings
  // live under the application's key (QSettings "Tonesmith"); the recent
  // files with them.
  QString error;
  std::optional<CommandTable> table = readShippedCommandTable(error);
  if (!table) {
    QMessageBox::critical(nullptr, QStringLiteral("Tonesmith"), QStringLiteral("%1 %2").arg(app_messages::kNoCommandTable, error));
    return false;
  }
  m_table = std::move(*table);
  m_drives = std::make_unique<DriveMap>(DriveMap::defaultRoot(m_options.root.toStdString()));
  m_drives->mapDrivesFromEnvironment();
  // The symbol library built with the program lies beside its bin folder.
  const std::filesystem::path bundledLibrary =
      std::filesystem::path(QCoreApplication::applicationDirPath().toStdString()).parent_path() / "cantlib";
  // Without its picture table the program still works, with labelled buttons.
  if (std::optional<PictureTable> pictures = readShippedPictureTable(error)) {
    useDesktopIconThemes();
    m_pictures = std::make_unique<ButtonPictures>(std::move(*pictures), *m_drives, bundledLibrary);
  } else {
    std::fprintf(stderr, "tonesmith: %s %s\n", app_messages::kNoPictureTable, qPrintable(error));
  }
  m_frame = std::make_unique<CMainFrame>(m_table, m_settings, m_pictures.get());
  m_engine = std::make_unique<Engine>(m_frame->bridge(), *m_drives, bundledLibrary);
  m_printQueue = std::make_unique<LpPrintQueue>();
  m_engine->setPrintQueue(m_printQueue.get());
  m_frame->attachEngine(*m_engine);
  // Before the first page is read, as the house style shapes it.
  m_engine->loadPreferences(true);
  if (!m_options.script.isEmpty()) {
    std::optional<std::vector<std::string>> lines = readScript(m_options.script);
    if (!lines) {
      std::fprintf(stderr, "tonesmith: cannot read %s\n", qPrintable(m_options.script));
      return false;
    }
    m_script = std::make_unique<ScriptRunner>(*m_frame, std::move(*lines), m_options.screenshot);
    m_frame->platform().dialogs().setScriptedAnswers(m_script.get());
  }
  if (!m_options.page.isEmpty()) m_frame->openPage(m_options.page);
  m_frame->show();
  m_frame->updateTitle();
  const QVariant placement = m_settings.value(QStringLiteral("Settings/WindowPos"));
  if (const auto stored = readWindowPos(placement.toString().toStdString()); stored && stored->showCommand == kShowMaximized)
    m_frame->showMaximized();
  // The output device menu was made with the frame's menus; the input
  // devices open last. Without any, the program starts all the same.
  for (const std::string& message : m_frame->midi().openInputs()) m_frame->platform().messageBox(message);
  return true;
}

int CTSmithApp::run() {
  if (m_script) m_script->start();
  return m_application.exec();
}

}  // namespace ts::shell
